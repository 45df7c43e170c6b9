#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli/cli_process.h"
#include "cli/expected_texts.h"
#include "model/fields.h"
#include "version.h"

namespace vdmos::testing {
namespace {

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(Cli, WithoutOptionsPrintsTheStartValueCard) {
  const ProcessResult run = RunCliProcess({});
  EXPECT_EQ(run.out, kCard);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.exitStatus, 0);
}

TEST(Cli, SettingsApplyBeforeTheUpdate) {
  const ProcessResult run = RunCliProcess(
      {"--set", "Text20=IRF1", "--set", "Combo1=PMOS", "--set", "LineBreak=0", "--set", "Text2="});
  EXPECT_EQ(run.out,
            ".MODEL IRF1 VDMOS(KP=6.4968 RS=0.0016 RD=0.1364 RG=0.0 VTO=-3.0 LAMBDA=0.001 CGDMAX=5561p "
            "CGDMIN=5p CGS=2350p TT=720n a=1.93 IS=1.47E-08 N=1.576 RB=0.006897 m=0.797 Vj=1.03 "
            "Cjo=9600.0pF PCHAN)\r\n");
  EXPECT_EQ(run.exitStatus, 0);
}

TEST(Cli, SubcircuitUsesTheTypedBreakdownVoltage) {
  const ProcessResult run = RunCliProcess({"--set", "avalanche_volt=-30", "--subckt"});
  EXPECT_EQ(run.out, ".subckt X20N60C3 d g s\r\nM1 d g s s 20N60C3\r\nRg g s 1G\r\nDb s d dbody\r\n" + kCard +
                         ".model dbody d ron=0.1 vrev= 30 vfwd=2\r\n.ends\r\n");
  EXPECT_EQ(run.exitStatus, 0);
}

TEST(Cli, JsonHoldsTheWholeWindowState) {
  const ProcessResult run = RunCliProcess({"--set", "avalanche_volt=", "--set", "OptionSubCkt=1", "--json"});
  ASSERT_EQ(run.exitStatus, 0);
  EXPECT_EQ(run.err, "");
  const nlohmann::json state = nlohmann::json::parse(run.out);
  EXPECT_EQ(state.size(), 4u);
  EXPECT_EQ(state["controls"]["Text19"], kCard.substr(0, kCard.size() - 2));
  EXPECT_EQ(state["controls"]["StatusBar1"], "Transfer function matched Iter=3");
  EXPECT_EQ(state["controls"]["Text_LAMBDA"], "0.001");
  EXPECT_EQ(state["controls"]["avalanche_volt"], "");
  EXPECT_TRUE(Contains(state["controls"]["SubCktTextBox"], "vrev= 0 vfwd=2\r\n.ends\r\n"));
  EXPECT_EQ(state["checks"]["LineBreak"], 1);
  EXPECT_EQ(state["checks"]["CheckDepMode"], 0);
  EXPECT_EQ(state["checks"]["OptionSubCkt"], 1);
  EXPECT_EQ(state["checks"]["OptionStandard"], 0);
  EXPECT_EQ(state["enabled"]["Command1"], true);
  EXPECT_EQ(state["enabled"]["SubCktTextBox"], false);
  EXPECT_EQ(state["enabled"]["CopyToClipBoardSubCkt"], false);
  EXPECT_EQ(state["messages"], nlohmann::json::array());
}

TEST(Cli, MessagesGoToStandardErrorOrIntoTheJson) {
  const ProcessResult plain = RunCliProcess({"--set", "Text4=-70"});
  EXPECT_EQ(plain.err, "All values must be positive: ID_max.\r\nCorrected it!\n");
  EXPECT_EQ(plain.exitStatus, 0);

  const ProcessResult json = RunCliProcess({"--set", "Text4=-70", "--json"});
  EXPECT_EQ(json.err, "");
  EXPECT_EQ(nlohmann::json::parse(json.out)["messages"],
            nlohmann::json::array({"All values must be positive: ID_max.\r\nCorrected it!"}));
}

TEST(Cli, CommandsRunInTheOrderGiven) {
  EXPECT_EQ(RunCliProcess({"--run", "update-model", "--run", "new"}).out, "");
  EXPECT_EQ(RunCliProcess({"--run", "new", "--run", "update-dc"}).out, "");
  // Before any update the stored card is empty: only the continuation marks show.
  EXPECT_EQ(RunCliProcess({"--run", "line-break"}).out, "\r\n+\r\n+\r\n");
  EXPECT_EQ(RunCliProcess({"--run", "update-ac", "--run", "update-model"}).out, kCard);
}

TEST(Cli, ParameterErrorsExitWithOne) {
  const ProcessResult update = RunCliProcess({"--set", "vd1=1e999"});
  EXPECT_EQ(update.out, kErrorLine + "\r\n");
  EXPECT_EQ(update.exitStatus, 1);

  // A command started on its own reports the fault in a message box.
  const ProcessResult alone = RunCliProcess({"--set", "Text6=1e999", "--run", "update-dc"});
  EXPECT_EQ(alone.err, kErrorLine + "\n");
  EXPECT_EQ(alone.exitStatus, 1);

  // Typing an overflowing breakdown voltage is refused like any fault; the update then fails too.
  const ProcessResult typed = RunCliProcess({"--set", "avalanche_volt=1e999"});
  EXPECT_EQ(typed.err, kErrorLine + "\n");
  EXPECT_EQ(typed.out, kErrorLine + "\r\n");
  EXPECT_EQ(typed.exitStatus, 1);
}

TEST(Cli, UsageErrorsNameTheProblemAndShowTheUsage) {
  struct Row {
    std::vector<std::string> arguments;
    std::string problem;
  };
  const std::vector<Row> rows{
      {{"--set", "Nonsense=1"}, "unknown control name 'Nonsense'"},
      {{"--set", "Text19=x"}, "'Text19' is not an input control"},
      {{"--set", "Text20"}, "--set needs CONTROL=TEXT, got 'Text20'"},
      {{"--set", "FixVTO=yes"}, "check box 'FixVTO' takes 0, 1 or 2, got 'yes'"},
      {{"--set", "Combo1=JFET"}, "Combo1 takes NMOS or PMOS, got 'JFET'"},
      {{"--set", "OptionStandard=0"}, "option 'OptionStandard' takes 1 to select it, got '0'"},
      {{"--run", "simulate"}, "simulate"},
      {{"--bogus"}, "--bogus"},
      {{"--json", "--subckt"}, "excludes"},
      {{"a.txt", "b.txt", "--save-model", "m.lib"}, "--save-model writes one file"},
      {{"a.txt", "b.txt", "--save-datasheet", "d.txt"}, "--save-datasheet writes one file"},
      {{"--ngspice", "/usr/bin/ngspice"}, "--ngspice requires --verify"},
  };
  for (const Row& row : rows) {
    const ProcessResult run = RunCliProcess(row.arguments);
    EXPECT_EQ(run.exitStatus, 2) << row.problem;
    EXPECT_EQ(run.out, "") << row.problem;
    EXPECT_TRUE(run.err.starts_with("vdmosgen-cli: ")) << run.err;
    EXPECT_TRUE(Contains(run.err, row.problem)) << run.err;
    EXPECT_TRUE(Contains(run.err, "Usage: vdmosgen-cli")) << run.err;
  }
}

TEST(Cli, HelpAndVersion) {
  const ProcessResult help = RunCliProcess({"--help"});
  EXPECT_EQ(help.exitStatus, 0);
  for (const char* part :
       {"Usage: vdmosgen-cli", "FILE", "--set", "--run", "--subckt", "--json", "--version", "--library",
        "--save-model", "--save-datasheet", "--test-circuits", "--ngspice-circuits", "--verify", "--ngspice"})
    EXPECT_TRUE(Contains(help.out, part)) << part;

  const ProcessResult version = RunCliProcess({"--version"});
  EXPECT_EQ(version.exitStatus, 0);
  EXPECT_EQ(version.out, std::string("vdmosgen-cli ") + kVersion + "\n");
}

// Whatever lands in the fields, the program ends normally with the card or the error text.
TEST(Cli, HostileFieldTextsNeverCrashOrHang) {
  const std::vector<std::string> hostile{
      "1e999", "-1e308", std::string(300, '9'), "", "xyz", std::string(20000, '5'), "\x01\r\n\t\x1b[2J\xfe",
  };
  for (const std::string& text : hostile) {
    std::vector<std::string> arguments;
    for (const FieldInfo& field : DatasheetFields())
      if (field.control != "Combo1")
        arguments.insert(arguments.end(), {"--set", std::string(field.control) + "=" + text});
    arguments.insert(arguments.end(), {"--run", "update-dc", "--run", "update-ac", "--run", "update-model",
                                       "--run", "line-break", "--json"});
    const ProcessResult run = RunCliProcess(arguments);
    ASSERT_TRUE(run.exitStatus == 0 || run.exitStatus == 1) << text.substr(0, 20) << " " << run.err;
    const std::string card = nlohmann::json::parse(run.out)["controls"]["Text19"];
    EXPECT_TRUE(card.starts_with(".MODEL ") || card == kErrorLine) << card.substr(0, 80);
  }
}

}  // namespace
}  // namespace vdmos::testing

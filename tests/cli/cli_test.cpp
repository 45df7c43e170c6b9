// The command line without files: settings, commands, output forms, exit codes and usage.

#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli/cli_test_support.h"
#include "model/fields.h"
#include "version.h"

namespace vdmos::testing {
namespace {

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// Settings apply before the final update; commands run in the order given and a command
// started on its own reports a fault in a message (standard error), the update in the card.
// The fields New empties that the model needs, named on standard error after the run.
const std::string kEmptiedByNew = [] {
  std::string lines;
  for (const char* line :
       {"Text6 (Rds(on)) \"\": empty: read as 0 Ohm", "Text3 (Vgs(th)) \"\": empty: read as 0 V",
        "Vplat (plateau Vgs) \"\": empty: read as 0 V", "Idplat (plateau Id) \"\": empty: read as 0 A",
        "Text5 (Vgs at the largest Id) \"\": empty: read as 0 V",
        "Text4 (largest Id) \"\": empty: read as 0 A", "Text21 (Coss at 0 V) \"\": empty: read as 0 pF",
        "Text10 (Crss at 0 V) \"\": empty: read as 0 pF",
        "Text7 (Ciss at the middle Vds) \"\": empty: read as 0 pF",
        "Text8 (Coss at the middle Vds) \"\": empty: read as 0 pF",
        "Text9 (Crss at the middle Vds) \"\": empty: read as 0 pF",
        "TextVdsMax (highest Vds) \"\": empty: read as 0 V",
        "TextCossMin (Coss at the highest Vds) \"\": empty: read as 0 pF",
        "Text11 (Crss at the highest Vds) \"\": empty: read as 0 pF"})
    lines += "vdmosgen-cli: " + std::string(line) + "\n";
  return lines;
}();

TEST(Cli, PrintsTheCardOrTheErrorWithItsExitStatus) {
  const auto tooLarge = [](const std::string& field) {
    return "vdmosgen-cli: " + field + " \"1e999\": too large to read\n";
  };
  struct Row {
    std::vector<std::string> arguments;
    std::string out, err;
    int exitStatus;
  };
  const Row rows[] = {
      {{}, kCard, "", cli::kSuccessStatus},
      {{"--set", "Text20=IRF1", "--set", "Combo1=PMOS", "--set", "LineBreak=0", "--set", "Text2="},
       ".MODEL IRF1 VDMOS(KP=6.4968 RS=0.0016 RD=0.1364 RG=0.0 VTO=-3.0 LAMBDA=0.001 CGDMAX=5561p CGDMIN=5p "
       "CGS=2350p TT=720n a=1.93 IS=1.47E-08 N=1.576 RB=0.006897 m=0.797 Vj=1.03 Cjo=9600.0pF PCHAN)\r\n",
       "",
       cli::kSuccessStatus},
      {{"--set", "avalanche_volt=-30", "--subckt"},
       kSubcktHead + kCard + ".model dbody d ron=0.1 vrev= 30 vfwd=2\r\n.ends\r\n",
       "",
       cli::kSuccessStatus},
      {{"--set", "avalanche_volt=-30", "--subckt-ngspice"},
       ".subckt X20N60C3 d g s\r\nM1 d g s 20N60C3\r\nRg g s 1G\r\nDb s d dbody\r\n" + kCard +
           ".model dbody D(IS=1E-17 N=2 RS=0.1 BV=30 IBV=250u)\r\n.ends\r\n",
       "",
       cli::kSuccessStatus},
      // No ngspice subcircuit: nothing on standard output, the reason on standard error (each
      // reason takes this path; the reasons are the subcircuit's own tests). A failed update
      // reports only that reason.
      {{"--set", "avalanche_volt=0", "--subckt-ngspice"},
       "",
       "vdmosgen-cli: The ngspice subcircuit needs a breakdown voltage above 0 V: type it into \"Vds "
       "breakdown\".\n",
       cli::kFailureStatus},
      {{"--set", "vd1=1e999", "--subckt-ngspice"},
       "",
       tooLarge("vd1 (Vsd of diode point 1)") +
           "vdmosgen-cli: The model card could not be calculated (the card box shows the parameter error): "
           "correct the values and update the model.\n",
       cli::kFailureStatus},
      {{"--set", "Text4=-70"}, kCard, kNegativeIdMessage + "\n", cli::kSuccessStatus},
      {{"--run", "update-model", "--run", "new"}, "", kEmptiedByNew, cli::kSuccessStatus},
      // Before any update the stored card is empty and the box shows nothing, as after New: the
      // continuation marks alone would pass for a card and be added and exported as one.
      {{"--run", "line-break"}, "", "", cli::kSuccessStatus},
      {{"--run", "update-ac", "--run", "update-model"}, kCard, "", cli::kSuccessStatus},
      // Setting "Multiple Lines" to another value is a click on it: the stored card, still empty,
      // is shown anew and the subcircuit rebuilt around it. Setting it to its value is no click.
      {{"--set", "LineBreak=0", "--run", "update-dc", "--subckt"},
       kSubcktHead + "\r\n.model dbody d ron=0.1 vrev= 630 vfwd=2\r\n.ends\r\n",
       "",
       0},
      {{"--set", "LineBreak=1", "--run", "update-dc", "--subckt"},
       "Subcircuit model\r\n",
       "",
       cli::kSuccessStatus},
      {{"--set", "vd1=1e999"},
       kErrorLine + "\r\n",
       tooLarge("vd1 (Vsd of diode point 1)"),
       cli::kFailureStatus},
      {{"--set", "Text6=1e999", "--run", "update-dc"},
       "",
       kErrorLine + "\n" + tooLarge("Text6 (Rds(on))"),
       cli::kFailureStatus},
      // Typing an overflowing breakdown voltage is refused like any fault; the update fails too.
      {{"--set", "avalanche_volt=1e999"},
       kErrorLine + "\r\n",
       kErrorLine + "\n" + tooLarge("avalanche_volt (Vds breakdown)"),
       cli::kFailureStatus},
      {{"--version"}, std::string("vdmosgen-cli ") + kVersion + "\n", "", cli::kSuccessStatus},
  };
  for (const Row& row : rows) {
    const ProcessResult run = RunCliProcess(row.arguments);
    const std::string what = row.arguments.empty() ? "no arguments" : row.arguments.back();
    EXPECT_EQ(run.out, row.out) << what;
    EXPECT_EQ(run.err, row.err) << what;
    EXPECT_EQ(run.exitStatus, row.exitStatus) << what;
  }
}

TEST(Cli, JsonHoldsTheWholeWindowStateAndTheMessages) {
  const ProcessResult run =
      RunCliProcess({"--set", "avalanche_volt=", "--set", "OptionSubCkt=1", "--set", "Text4=-70", "--json"});
  ASSERT_EQ(run.exitStatus, cli::kSuccessStatus);
  EXPECT_EQ(run.err, "");
  const nlohmann::json state = nlohmann::json::parse(run.out);
  // the four of the window state, "fieldNames", "ngspiceSubckt", "switchAdvice" and "fieldWarnings"
  EXPECT_EQ(state.size(), 8u);
  EXPECT_EQ(state["controls"]["Text19"], kCardBox);
  EXPECT_EQ(state["checks"]["LineBreak"], 1);
  EXPECT_EQ(state["checks"]["OptionSubCkt"], 1);
  EXPECT_EQ(state["checks"]["OptionStandard"], 0);
  EXPECT_EQ(state["enabled"]["SubCktTextBox"], false);
  EXPECT_EQ(state["messages"], nlohmann::json::array({kNegativeIdMessage}));
  // No breakdown voltage, so no ngspice subcircuit: its key says why.
  EXPECT_TRUE(state["ngspiceSubckt"]["text"].is_null());
  EXPECT_EQ(state["ngspiceSubckt"]["problem"],
            "The ngspice subcircuit needs a breakdown voltage above 0 V: type it into \"Vds breakdown\".");

  const nlohmann::json made = nlohmann::json::parse(RunCliProcess({"--json"}).out)["ngspiceSubckt"];
  EXPECT_EQ(made["text"], RunCliProcess({"--subckt-ngspice"}).out);
  EXPECT_TRUE(made["problem"].is_null());
}

TEST(Cli, UsageErrorsExitWithTwoNameTheProblemAndShowTheUsage) {
  const std::pair<std::vector<std::string>, std::string> rows[] = {
      {{"--set", "Nonsense=1"}, "unknown control name 'Nonsense'"},
      {{"--set", "RDS_ON=1"}, "unknown control name 'RDS_ON'"},  // readable names are exact
      {{"--set", "fix_vto=yes"}, "check box 'fix_vto' takes 0, 1 or 2, got 'yes'"},
      {{"--set", "Text19=x"}, "'Text19' is not an input control"},
      {{"--set", "Text20"}, "--set needs CONTROL=TEXT, got 'Text20'"},
      {{"--set", "FixVTO=yes"}, "check box 'FixVTO' takes 0, 1 or 2, got 'yes'"},
      {{"--set", "Combo1=JFET"}, "Combo1 takes NMOS or PMOS, got 'JFET'"},
      {{"--set", "OptionStandard=0"}, "option 'OptionStandard' takes 1 to select it, got '0'"},
      {{"--run", "simulate"}, "simulate"},
      {{"--bogus"}, "--bogus"},
      {{"--json", "--subckt"}, "excludes"},
      {{"--subckt-ngspice", "--subckt"}, "excludes"},
      {{"--json", "--subckt-ngspice"}, "excludes"},
      {{"a.txt", "b.txt", "--save-model", "m.lib"}, "--save-model writes one file"},
      {{"--ngspice", "/usr/bin/ngspice"}, "--ngspice requires --verify"},
  };
  for (const auto& [arguments, problem] : rows) {
    const ProcessResult run = RunCliProcess(arguments);
    EXPECT_EQ(run.exitStatus, cli::kUsageErrorStatus) << problem;
    EXPECT_EQ(run.out, "") << problem;
    EXPECT_TRUE(run.err.starts_with("vdmosgen-cli: ")) << run.err;
    EXPECT_TRUE(Contains(run.err, problem)) << run.err;
    EXPECT_TRUE(Contains(run.err, "Usage: vdmosgen-cli")) << run.err;
  }
}

// The options in it are the parser's own listing of what it declares.
TEST(Cli, HelpGoesToStandardOutputAndSucceeds) {
  const ProcessResult help = RunCliProcess({"--help"});
  EXPECT_EQ(help.exitStatus, cli::kSuccessStatus);
  EXPECT_TRUE(Contains(help.out, "Usage: vdmosgen-cli")) << help.out;
}

// A script may name a control by its readable name; it sets the same control as the window
// name, and the JSON keeps the window names as keys and tells the readable ones beside them.
TEST(Cli, ReadableNamesSetTheSameControlsAsWindowNames) {
  const ProcessResult byWindowName =
      RunCliProcess({"--set", "Text6=44m", "--set", "Text20=IRF1", "--set", "LineBreak=0", "--set",
                     "OptionSubCkt=1", "--set", "avalanche_volt=", "--json"});
  const ProcessResult byReadableName =
      RunCliProcess({"--set", "rds_on=44m", "--set", "model_name=IRF1", "--set", "multiple_lines=0", "--set",
                     "subcircuit_model=1", "--set", "breakdown_voltage=", "--json"});
  ASSERT_EQ(byReadableName.exitStatus, cli::kSuccessStatus) << byReadableName.err;
  EXPECT_EQ(byReadableName.out, byWindowName.out);
  const nlohmann::json state = nlohmann::json::parse(byReadableName.out);
  EXPECT_EQ(state["controls"]["Text6"], "44m");
  EXPECT_TRUE(state["controls"]["Text19"].get<std::string>().starts_with(".MODEL IRF1 VDMOS(")) << state;
  EXPECT_EQ(state["checks"]["OptionSubCkt"], 1);
  EXPECT_FALSE(state["controls"].contains("rds_on"));
  EXPECT_EQ(state["fieldNames"]["Text6"], "rds_on");
  EXPECT_EQ(state["fieldNames"]["LineBreak"], "multiple_lines");
  EXPECT_FALSE(state["fieldNames"].contains("Text19"));  // no input
  EXPECT_FALSE(state["fieldNames"].contains("Add"));     // a button, which --set refuses
}

// One line per settable control, its columns aligned.
TEST(Cli, ListFieldsNamesEverySettableControlAndSucceeds) {
  const ProcessResult run = RunCliProcess({"--list-fields"});
  ASSERT_EQ(run.exitStatus, cli::kSuccessStatus);
  EXPECT_EQ(run.err, "");
  std::vector<std::string> lines;
  for (std::size_t start = 0, end; (end = run.out.find('\n', start)) != std::string::npos; start = end + 1)
    lines.push_back(run.out.substr(start, end - start));
  // every datasheet field, five check boxes and two options
  ASSERT_EQ(lines.size(), DatasheetFields().size() + 7);
  EXPECT_TRUE(lines[0].starts_with("Text20 ")) << lines[0];
  const auto column = [&](const std::string& line, std::size_t n) {
    std::size_t at = 0;
    for (std::size_t i = 0; i < n; ++i) at = line.find_first_not_of(' ', line.find(' ', at));
    return at;
  };
  for (const std::string& line : lines)
    for (std::size_t n = 1; n <= 3; ++n) EXPECT_EQ(column(line, n), column(lines[0], n)) << line;
  const auto line = [&](const std::string& control) {
    return *std::ranges::find_if(lines, [&](const std::string& l) { return l.starts_with(control + " "); });
  };
  EXPECT_TRUE(Contains(line("Text6"), " rds_on ")) << line("Text6");
  EXPECT_TRUE(Contains(line("Text6"), " Ohm ")) << line("Text6");
  EXPECT_TRUE(Contains(line("Text6"), "on-resistance")) << line("Text6");
  EXPECT_TRUE(Contains(line("Text7"), " pF ")) << line("Text7");
  EXPECT_TRUE(Contains(line("FixVTO"), " 0|1|2 ")) << line("FixVTO");
}

// Whatever lands in the fields, the program ends normally with the card or the error text.
TEST(Cli, HostileFieldTextsNeverCrashOrHang) {
  for (const std::string& text :
       {std::string("1e999"), std::string(), std::string("xyz"), std::string(300, '9'),
        std::string(20000, '5'), std::string("\x01\r\n\t\x1b[2J\xfe")}) {
    std::vector<std::string> arguments;
    for (const FieldInfo& field : DatasheetFields())
      if (field.control != "Combo1")
        arguments.insert(arguments.end(), {"--set", std::string(field.control) + "=" + text});
    arguments.insert(arguments.end(), {"--run", "update-dc", "--run", "update-ac", "--run", "update-model",
                                       "--run", "line-break", "--json"});
    const ProcessResult run = RunCliProcess(arguments);
    ASSERT_TRUE(run.exitStatus == cli::kSuccessStatus || run.exitStatus == cli::kFailureStatus)
        << text.substr(0, 20) << " " << run.err;
    const std::string card = nlohmann::json::parse(run.out)["controls"]["Text19"];
    EXPECT_TRUE(card.starts_with(".MODEL ") || card == kErrorLine) << card.substr(0, 80);
  }
}

}  // namespace
}  // namespace vdmos::testing

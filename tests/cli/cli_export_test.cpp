// The test circuits, the ngspice netlists and the model check from the command line: the
// folder rules, the files against the hand-written ones, and real ngspice runs.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli/cli_test_support.h"

namespace vdmos::testing {
namespace {

using ::testing::ContainsRegex;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

TEST(CliExport, TestCircuitsAreTheWindowsEightFilesAndNetlistsTheFourBenchesWithTheSubcircuit) {
  TempFolder folder;
  const ProcessResult run =
      RunCliProcess({"--test-circuits", folder.path(), "--ngspice-circuits", folder.path()});
  EXPECT_EQ(run.exitStatus, cli::kSuccessStatus) << run.err;
  EXPECT_EQ(run.out, kCard);
  std::vector<std::string> names;  // in the folder's sorted order
  for (const char* stem : {"20N60C3_Cxss", "20N60C3_GateCharge", "20N60C3_Id(Vds,Vgs)", "20N60C3_Id(Vgs)"})
    for (const char* extension : {".asc", ".cir", ".plt"}) names.push_back(stem + std::string(extension));
  names.push_back("20N60C3_subckt.lib");
  // The files' contents are the exports' own tests: the command line runs the same commands.
  EXPECT_EQ(folder.Names(), names);
}

// Nobody is there to ask: the files named on the command line replace what is there, as
// before, and the JSON's status bar says what was written.
TEST(CliExport, TestCircuitsReplaceExistingFilesUnasked) {
  TempFolder folder;
  WriteBytes(folder / "20N60C3_Cxss.asc", "old");
  const ProcessResult run = RunCliProcess({"--test-circuits", folder.path(), "--json"});
  ASSERT_EQ(run.exitStatus, cli::kSuccessStatus) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_NE(ReadBytes(folder / "20N60C3_Cxss.asc"), "old");
  EXPECT_EQ(nlohmann::json::parse(run.out)["controls"]["StatusBar1"],
            "8 files written to " + folder.path().string());
}

// Opening a datasheet values file empties the breakdown voltage: the netlists are written
// and the run succeeds, with a note on why the subcircuit is not.
TEST(CliExport, WithoutABreakdownVoltageTheNetlistsComeAloneWithANote) {
  TempFolder folder;
  const ProcessResult run = RunCliProcess({"--set", "avalanche_volt=", "--ngspice-circuits", folder.path()});
  EXPECT_EQ(run.exitStatus, cli::kSuccessStatus) << run.err;
  EXPECT_EQ(
      run.err,
      "The ngspice subcircuit was not written:\r\nThe ngspice subcircuit needs a breakdown voltage above "
      "0 V: type it into \"Vds breakdown\".\n");
  EXPECT_EQ(folder.Names().size(), 4u);
}

TEST(CliExport, AMissingFolderStopsTheRunBeforeAnythingIsWritten) {
  TempFolder folder;
  const std::string missing = folder / "missing";
  const std::string file = folder / "plain";
  WriteBytes(file, "x");
  for (const char* option : {"--test-circuits", "--ngspice-circuits"}) {
    for (const auto& [target, problem] :
         {std::pair{missing, "no such folder"}, std::pair{file, "is not a folder"}}) {
      const ProcessResult run = RunCliProcess({option, target, "--save-model", folder / "model.lib"});
      EXPECT_EQ(run.exitStatus, cli::kFailureStatus) << option;
      EXPECT_EQ(run.out, "") << option;
      EXPECT_EQ(run.err, "vdmosgen-cli: " + target + ": " + problem + "\n") << option;
    }
  }
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"plain"});
}

TEST(CliExport, ARefusedModelNameWritesNothing) {
  TempFolder folder;
  for (const char* option : {"--test-circuits", "--ngspice-circuits"}) {
    const ProcessResult run = RunCliProcess({"--set", "Text20=../escape", option, folder.path()});
    EXPECT_EQ(run.exitStatus, cli::kFailureStatus) << option;
    EXPECT_THAT(run.err, HasSubstr("The test circuits were not saved: the model name contains")) << option;
  }
  EXPECT_TRUE(folder.Names().empty());
  EXPECT_FALSE(std::filesystem::exists(folder.path().parent_path() / "escape_Cxss.asc"));
}

TEST(CliExport, AFileThatCannotBeWrittenIsNamedAndTheOthersAreWritten) {
  TempFolder folder;
  // A folder in the place of a file cannot be replaced by one.
  std::filesystem::create_directory(folder / "20N60C3_Cxss.asc");
  std::filesystem::create_directory(folder / "20N60C3_Cxss.cir");
  const ProcessResult run =
      RunCliProcess({"--test-circuits", folder.path(), "--ngspice-circuits", folder.path()});
  EXPECT_EQ(run.exitStatus, cli::kFailureStatus);
  EXPECT_THAT(run.err,
              HasSubstr("vdmosgen-cli: " + (folder / "20N60C3_Cxss.asc") + ": could not be written\n"));
  EXPECT_THAT(run.err, HasSubstr("These ngspice test circuits could not be written:\r\n" +
                                 (folder / "20N60C3_Cxss.cir")));
  // seven circuit files, three netlists, the subcircuit and the two folders
  EXPECT_EQ(folder.Names().size(), 13u);
}

TEST(CliExport, VerifyPrintsTheTableAfterTheCard) {
  const ProcessResult run = RunCliProcess({"--verify"});
  ASSERT_EQ(run.exitStatus, cli::kSuccessStatus) << run.err;
  EXPECT_EQ(run.err, "");
  ASSERT_THAT(run.out, StartsWith(kCard));
  const std::string table = run.out.substr(kCard.size());
  EXPECT_THAT(table, ContainsRegex("^quantity +condition +datasheet +model +simulated +error %\n"));
  // The datasheet's 0.16 Ohm; a value the datasheet does not give shows as "-".
  EXPECT_THAT(table, ContainsRegex("\nRds\\(on\\) +Vgs = 10 V, Vds = 0.1 V +0.16 Ohm"));
  EXPECT_THAT(table, ContainsRegex("\\(check point 1\\) +- +[0-9.]+ A +[0-9.]+ A +-?[0-9]+\\.[0-9][0-9]\n"));
  const std::size_t adviceStart = table.find("switch advice");
  ASSERT_NE(adviceStart, std::string::npos);
  EXPECT_EQ(std::count(table.begin(), table.begin() + adviceStart, '\n'), 22);  // a header and 21 rows
  EXPECT_THAT(table, ContainsRegex(
                         "\nVgs\\(th\\) +Id = 0.00025 A, Vds = Vgs +3 V +[0-9.]+ V +[0-9.]+ V +-[0-9.]+\n"));
  EXPECT_THAT(
      table,
      ContainsRegex("\nQg +Id = 20.7 A, Vd = 480 V, Vgs = 10 V +87 nC +[0-9.]+ nC +[0-9.]+ nC +-?[0-9.]+\n"));
  // The switch advice follows: a title, a header and the four settings, the start one first.
  const std::string advice = table.substr(adviceStart);
  EXPECT_EQ(std::count(advice.begin(), advice.end(), '\n'), 6);
  EXPECT_THAT(advice, ContainsRegex("\non +on +6\\.67 +2\\.78 +current\n"));
  EXPECT_THAT(advice, HasSubstr("best"));
}

// The check makes the card first whatever ran before it, as the window's Simulate does; a
// failed model is refused by both in the same words.
TEST(CliExport, VerifyMakesTheCardFirstAndRefusesAFailedModelAsTheWindowDoes) {
  const ProcessResult afterLineBreak = RunCliProcess({"--run", "line-break", "--verify"});
  EXPECT_EQ(afterLineBreak.exitStatus, 0) << afterLineBreak.err;
  EXPECT_THAT(afterLineBreak.out, StartsWith(kCard));
  EXPECT_THAT(afterLineBreak.out, HasSubstr("Rds(on)"));

  const ProcessResult failed = RunCliProcess({"--set", "Text3=1e999", "--verify"});
  EXPECT_EQ(failed.exitStatus, 1);
  EXPECT_THAT(failed.err, HasSubstr(kErrorLine));
  EXPECT_THAT(failed.out, Not(HasSubstr("Rds(on)")));
}

// File > New leaves the gate charge test's Id empty: its rows say so, the others stand.
TEST(CliExport, AGateChargeTestThatCannotRunLeavesTheOtherRows) {
  const std::string notRun = "The gate charge test needs its \"Id\" and \"Vd\" above 0.";
  const ProcessResult run = RunCliProcess({"--verify", "--set", "IdCharge="});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_THAT(run.out,
              ContainsRegex("\nRds\\(on\\) +Vgs = 10 V, Vds = 0.1 V +0.16 Ohm +[0-9.]+ Ohm +[0-9.]+ Ohm"));
  EXPECT_THAT(run.out,
              ContainsRegex("\nQg +Id = 0 A, Vd = 480 V, Vgs = 10 V +87 nC .* - +- +" + notRun + "\n"));

  const ProcessResult json = RunCliProcess({"--verify", "--set", "IdCharge=", "--json"});
  ASSERT_EQ(json.exitStatus, 0) << json.err;
  const nlohmann::json verification = nlohmann::json::parse(json.out)["verification"];
  EXPECT_EQ(verification["status"], "ok");
  const nlohmann::json rows = verification["rows"];
  ASSERT_EQ(rows.size(), 21u);
  for (const nlohmann::json& row : rows) {
    const bool charge = row["quantity"].get<std::string>().starts_with("Qg");
    EXPECT_EQ(row["note"], charge ? notRun : "") << row["quantity"];
    EXPECT_EQ(row["simulated"].is_null(), charge) << row["quantity"];
  }
}

// A 900 V device whose Coss points give Vj = 0.1 V, typed with hot values: the card keeps the Vj
// ngspice needs to run it hot, and the refinement says what that costs beside the hot rows and
// the junction potential it holds at the floor.
TEST(CliExport, RefineOfAHotDeviceTellsWhatItGaveUp) {
  const std::vector<std::string> hot{std::string(VDMOS_TESTS_DIR) + "/refine/data/devices/IPW90R120C3.txt",
                                     "--set",
                                     "TjHot=150",
                                     "--set",
                                     "RdsHotRatio=2.7",
                                     "--set",
                                     "VsdHot=0.66",
                                     "--set",
                                     "IsdHot=20",
                                     "--refine"};
  std::vector<std::string> arguments = hot;
  arguments.push_back("--json");
  const ProcessResult run = RunCliProcess(arguments);
  ASSERT_EQ(run.exitStatus, cli::kSuccessStatus) << run.err;
  const nlohmann::json refinement = nlohmann::json::parse(run.out)[0]["refinement"];
  EXPECT_LT(refinement["worstHotErrorPercent"]["refined"].get<double>(), 0.5);
  EXPECT_FALSE(refinement["worstHotErrorPercent"]["fitted"].is_null());
  EXPECT_EQ(refinement["hotTradeOff"], "");
  EXPECT_EQ(refinement["thresholdTradeOff"], "");
  // Its card alone puts Qgs above the datasheet's; a gate-source dip among its gate charge
  // elements meets it, so nothing is given up there.
  EXPECT_EQ(refinement["tradeOff"], "");
  EXPECT_THAT(refinement["junctionTradeOff"].get<std::string>(), StartsWith("Vj is held at 0.51 V"));

  arguments = hot;
  arguments.push_back("--verify");
  const ProcessResult verified = RunCliProcess(arguments);
  ASSERT_EQ(verified.exitStatus, cli::kSuccessStatus) << verified.err;
  // After the table, the line of trade-offs: the junction floor's.
  EXPECT_THAT(verified.out, HasSubstr("\nVj is held at 0.51 V, the least ngspice can simulate hot"));
}

TEST(CliExport, RefineShowsTheFittedAndTheRefinedCardSideBySide) {
  const ProcessResult run = RunCliProcess({"--refine", "--verify", "--set", "LineBreak=0"});
  ASSERT_EQ(run.exitStatus, cli::kSuccessStatus) << run.err;
  const std::string card = run.out.substr(0, run.out.find("\r\n"));
  EXPECT_THAT(card, StartsWith(".MODEL 20N60C3 VDMOS(KP="));
  EXPECT_NE(card + "\r\n", RunCliProcess({"--set", "LineBreak=0"}).out);  // the refined card, not the fitted
  EXPECT_THAT(run.out, ContainsRegex("\nquantity +condition +datasheet +fitted: simulated +fitted: error % +"
                                     "refined: simulated +refined: error %\n"));
  // The maximum-current point: 6.67 % off with the fitted card, within 2 % refined.
  EXPECT_THAT(
      run.out,
      ContainsRegex("maximum-current point\\) +70 A +[0-9.]+ A +-6\\.6[0-9] +[0-9.]+ A +-?[01]\\.[0-9]+\n"));

  // What the refinement changed goes beside the card, as the window's status bar says it.
  EXPECT_THAT(run.err, HasSubstr("Refined: worst DC error "));
  EXPECT_THAT(run.out, Not(HasSubstr("Refined: ")));

  const nlohmann::json json = nlohmann::json::parse(RunCliProcess({"--refine", "--json"}).out);
  EXPECT_THAT(json["refinement"]["summary"].get<std::string>(), StartsWith("Refined: worst DC error "));
  EXPECT_TRUE(json["refinement"]["thresholdErrorPercent"].contains("refined"));
  EXPECT_NEAR(json["refinement"]["worstDcErrorPercent"]["fitted"].get<double>(), 6.67, 0.01);
  EXPECT_LT(json["refinement"]["worstDcErrorPercent"]["refined"].get<double>(), 2);
  // The start values' Qgs of 11 nC costs Ciss: the gate charges and the capacitances trade.
  EXPECT_NEAR(json["refinement"]["worstGateChargeErrorPercent"]["fitted"].get<double>(), 19, 0.1);
  EXPECT_LT(json["refinement"]["worstGateChargeErrorPercent"]["refined"].get<double>(), 10);
  EXPECT_THAT(json["refinement"]["tradeOff"].get<std::string>(),
              StartsWith("The gate charges and the capacitance points cannot all be met"));
  EXPECT_THAT(run.out, HasSubstr("\nThe gate charges and the capacitance points cannot all be met"));
  EXPECT_EQ(json["switchAdvice"]["rows"].size(), 4u);
  EXPECT_EQ(json["switchAdvice"]["current"], 0);

  // A refinement that cannot be made keeps the fitted card and fails the run.
  const ProcessResult refused = RunCliProcess({"--refine", "--set", "Idplat="});
  EXPECT_EQ(refused.exitStatus, cli::kFailureStatus);
  EXPECT_THAT(refused.out, StartsWith(".MODEL 20N60C3 VDMOS(KP=0.000 "));
  EXPECT_THAT(refused.err, HasSubstr("Refining needs Rds_on"));

  const ProcessResult best = RunCliProcess({"--apply-best-switches", "--json"});
  ASSERT_EQ(best.exitStatus, cli::kSuccessStatus) << best.err;
  const nlohmann::json applied = nlohmann::json::parse(best.out);
  EXPECT_EQ(applied["switchAdvice"]["current"], applied["switchAdvice"]["best"]);
}

TEST(CliExport, VerifyInJsonAndItsFailures) {
  const ProcessResult json = RunCliProcess({"--verify", "--json"});
  ASSERT_EQ(json.exitStatus, cli::kSuccessStatus) << json.err;
  const nlohmann::json verification = nlohmann::json::parse(json.out)["verification"];
  EXPECT_EQ(verification["status"], "ok");
  const nlohmann::json rows = verification["rows"];
  ASSERT_EQ(rows.size(), 21u);
  const auto rdsOn =
      std::ranges::find(rows, "Rds(on)", [](const nlohmann::json& row) { return row["quantity"]; });
  ASSERT_NE(rdsOn, rows.end());
  EXPECT_EQ((*rdsOn)["unit"], "Ohm");
  EXPECT_EQ((*rdsOn)["datasheet"], 0.16);
  EXPECT_TRUE((*rdsOn)["simulated"].is_number());
  // The check points have no datasheet value: null, not 0.
  const auto checkPoint = std::ranges::find_if(rows, [](const nlohmann::json& row) {
    return row["condition"].get<std::string>().ends_with("(check point 1)");
  });
  ASSERT_NE(checkPoint, rows.end());
  EXPECT_TRUE((*checkPoint)["datasheet"].is_null());

  const ProcessResult missing = RunCliProcess({"--verify", "--ngspice", "/nonexistent/ngspice"});
  EXPECT_EQ(missing.exitStatus, cli::kFailureStatus);
  EXPECT_THAT(missing.out, StartsWith(kCard));
  EXPECT_THAT(missing.out, Not(HasSubstr("quantity")));
  EXPECT_THAT(missing.err, HasSubstr("vdmosgen-cli: ngspice was not found (\"/nonexistent/ngspice\")"));
  const ProcessResult missingJson =
      RunCliProcess({"--verify", "--ngspice", "/nonexistent/ngspice", "--json"});
  EXPECT_EQ(missingJson.exitStatus, cli::kFailureStatus);
  EXPECT_EQ(nlohmann::json::parse(missingJson.out)["verification"]["status"], "ngspice-missing");

  // A second parameter typed into LAMBDA (which, without a plateau current, the DC fit leaves
  // as typed) is refused before ngspice runs, naming the field.
  const ProcessResult foo = RunCliProcess({"--verify", "--set", "Idplat=", "--set", "Text_LAMBDA=1m FOO=3"});
  EXPECT_EQ(foo.exitStatus, cli::kFailureStatus);
  EXPECT_THAT(foo.err, HasSubstr("The field Text_LAMBDA must hold one number"));
  EXPECT_EQ(nlohmann::json::parse(json.out)["ngspiceWarnings"], nlohmann::json::array());

  // A model name ngspice cannot take is refused before ngspice runs.
  const ProcessResult blank = RunCliProcess({"--verify", "--set", "Text20=two words"});
  EXPECT_EQ(blank.exitStatus, cli::kFailureStatus);
  EXPECT_THAT(blank.err, HasSubstr("The model name must be one word"));
}

}  // namespace
}  // namespace vdmos::testing

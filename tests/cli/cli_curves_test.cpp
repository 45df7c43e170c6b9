// --curve: a digitizer's file taken for each input and saved with its values, a bad file named
// with its line and its input left out, an unknown kind a usage error, and the kinds in --help.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <nlohmann/json.hpp>

#include "cli/cli_test_support.h"

namespace vdmos::testing {
namespace {

using ::testing::HasSubstr;

TEST(CliCurves, CurvesAreSavedWithTheValuesAndABadFileIsNamedWithItsLine) {
  TempFolder folder;
  WriteBytes(folder / "ciss.csv", "Vds,Ciss\n0,1500\n10,900\n");
  WriteBytes(folder / "bad.csv", "Vds,Ciss\n0,1500\n10,9OO\n");
  const ProcessResult saved =
      RunCliProcess({"--curve", "ciss=" + folder / "ciss.csv", "--curve", "output:4.5=" + folder / "ciss.csv",
                     "--save-datasheet", folder / "values.txt"});
  EXPECT_EQ(saved.exitStatus, cli::kSuccessStatus) << saved.err;
  EXPECT_EQ(saved.out, kCard);
  // Saving ends the file with one more line end, after the curves.
  const std::string start = StartValuesFile();
  EXPECT_EQ(ReadBytes(folder / "values.txt"),
            start.substr(0, start.size() - 2) +
                "Curve.output:4.5=0,1500;10,900\r\nCurve.ciss=0,1500;10,900\r\n\r\n");

  const ProcessResult bad = RunCliProcess({"--curve", "crss=" + folder / "bad.csv"});
  EXPECT_EQ(bad.exitStatus, cli::kFailureStatus);
  EXPECT_EQ(bad.out, "");
  EXPECT_THAT(bad.err, HasSubstr(folder / "bad.csv" + ", line 3: not a number"));

  const ProcessResult unknown = RunCliProcess({"--curve", "cis=" + folder / "ciss.csv"});
  EXPECT_EQ(unknown.exitStatus, cli::kUsageErrorStatus);
  EXPECT_THAT(unknown.err, HasSubstr("no such KIND (see --help): cis"));
}

// The row of a curve in --verify's table, and every point of it in --json.
TEST(CliCurves, VerifyChecksTheCurveAndTheJsonTellsEachPoint) {
  const std::string device = std::string(VDMOS_TESTS_DIR) + "/golden/virtual_device/";
  const std::vector<std::string> arguments{device + "VIRT100.txt", "--curve", "crss=" + device + "crss.csv",
                                           "--verify"};
  const ProcessResult table = RunCliProcess(arguments);
  ASSERT_EQ(table.exitStatus, cli::kSuccessStatus) << table.err;
  EXPECT_THAT(table.out, HasSubstr("curve of 20 points"));
  EXPECT_THAT(table.out, HasSubstr("worst at Vds = "));

  std::vector<std::string> json = arguments;
  json.push_back("--json");
  const nlohmann::json rows = nlohmann::json::parse(RunCliProcess(json).out)[0]["verification"]["rows"];
  const nlohmann::json& crss = rows.back();
  EXPECT_EQ(crss["condition"], "curve of 20 points");
  ASSERT_EQ(crss["curvePoints"].size(), 20U);
  double worst = 0;
  for (const nlohmann::json& point : crss["curvePoints"]) {
    EXPECT_TRUE(point["simulated"].is_number());
    worst = std::max(worst, std::abs(point["errorPercent"].get<double>()));
  }
  EXPECT_EQ(std::abs(crss["errorPercent"].get<double>()), worst);
  EXPECT_FALSE(rows.front().contains("curvePoints"));
}

TEST(CliCurves, HelpListsEveryKind) {
  const ProcessResult help = RunCliProcess({"--help"});
  for (const char* kind :
       {"transfer:", "output:VGS:", "rdson:", "ciss:", "coss:", "crss:", "gatecharge:", "diode:"})
    EXPECT_THAT(help.out, HasSubstr(kind));
}

}  // namespace
}  // namespace vdmos::testing

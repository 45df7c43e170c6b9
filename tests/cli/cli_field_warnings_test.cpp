// Field texts the program does not read as typed: one line each on standard error, the list in
// the JSON, and --strict refusing the run before anything is written.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "cli/cli_test_support.h"

namespace vdmos::testing {
namespace {

const std::string kRdsOnLine = "vdmosgen-cli: Text6 (Rds(on)) \"abc\": no number: read as 0 Ohm\n";
const std::string kQgsLine =
    "vdmosgen-cli: Qgs (Qgs) \"11n\": \"n\" would scale nC a second time: read as 1.1E-08 nC\n";

TEST(CliFieldWarnings, EachFieldNotReadAsTypedIsNamedOnceAndTheRunGoesOn) {
  const ProcessResult run = RunCliProcess({"--set", "Text6=abc", "--set", "Qgs=11n", "--set", "Qgd=33 nC"});
  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_TRUE(run.out.starts_with(".MODEL 20N60C3 VDMOS("));
  EXPECT_EQ(run.err, kRdsOnLine + kQgsLine);

  const ProcessResult clean = RunCliProcess({});
  EXPECT_EQ(clean.out, kCard);
  EXPECT_EQ(clean.err, "");
}

TEST(CliFieldWarnings, JsonListsTheWarningsAndAnEmptyListWithoutThem) {
  const nlohmann::json warnings = nlohmann::json::parse(
      RunCliProcess({"--set", "Text3=", "--set", "Text7=1e999", "--json"}).out)["fieldWarnings"];
  ASSERT_EQ(warnings.size(), 2u);
  EXPECT_EQ(warnings[0], nlohmann::json({{"control", "Text3"},
                                         {"quantity", "Vgs(th)"},
                                         {"text", ""},
                                         {"read", 0.0},
                                         {"unit", "V"},
                                         {"warning", "empty: read as 0 V"}}));
  EXPECT_EQ(warnings[1]["control"], "Text7");
  EXPECT_TRUE(warnings[1]["read"].is_null());
  EXPECT_EQ(warnings[1]["warning"], "too large to read");

  const nlohmann::json clean = nlohmann::json::parse(RunCliProcess({"--json"}).out);
  EXPECT_EQ(clean["fieldWarnings"], nlohmann::json::array());
}

TEST(CliFieldWarnings, StrictRefusesBeforeWritingAnything) {
  TempFolder folder;
  const std::string values = folder / "values.txt";
  WriteBytes(values, StartValuesFile());
  const ProcessResult refused = RunCliProcess({values, "--set", "Text6=abc", "--strict", "--save-model",
                                               folder / "model.lib", "--library", folder / "lib.lib"});
  EXPECT_EQ(refused.exitStatus, 1);
  EXPECT_EQ(refused.out, "");
  EXPECT_EQ(refused.err,
            "vdmosgen-cli: " + values + ": " + kRdsOnLine.substr(std::string("vdmosgen-cli: ").size()));
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"values.txt"});

  // A unit the field shows is understood, so strict takes it.
  const ProcessResult taken = RunCliProcess({"--set", "Qgs=11nC", "--strict"});
  EXPECT_EQ(taken.exitStatus, 0);
  EXPECT_EQ(taken.out, kCard);
  EXPECT_EQ(taken.err, "");
}

}  // namespace
}  // namespace vdmos::testing

// Digitized curves in the window: taking a file, refusing a bad one without a change, saving
// them with the values and opening them back exactly, and New emptying them.

#include "commands/curve_commands.h"

#include <gtest/gtest.h>

#include "commands/datasheet_commands.h"
#include "commands/new_command.h"
#include "files/datasheet_file.h"
#include "files/file_messages.h"
#include "platform/scripted_platform.h"
#include "platform/temp_folder.h"

namespace vdmos {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

TEST(CurveImport, TakesAFileAndRefusesABadOneNamingFileAndLine) {
  TempFolder folder;
  WriteBytes(folder / "ciss.csv", "Vds;Ciss\r\n0;1500\r\n10;900\r\n");
  WriteBytes(folder / "bad.csv", "Vds;Ciss\r\n0;1500\r\n10;-900\r\n");
  WindowState state;
  ScriptedPlatform platform;
  EXPECT_EQ(ImportCurveFile(state, platform, "ciss", folder / "ciss.csv"), std::nullopt);
  const std::vector<DatasheetCurve> taken{{CurveKind::Ciss, 0, {{0, 1500}, {10, 900}}}};
  EXPECT_EQ(state.curves, taken);

  const WindowState before = state;
  EXPECT_EQ(ImportCurveFile(state, platform, "ciss", folder / "bad.csv"),
            folder / "bad.csv" + ", line 3: " + std::string(kCurveNegativeCapacitanceText));
  EXPECT_EQ(ImportCurveFile(state, platform, "ciss", folder / "missing.csv"),
            folder / "missing.csv" + ": " + std::string(kCurveCannotReadText));
  EXPECT_EQ(ImportCurveFile(state, platform, "cis", folder / "ciss.csv"),
            std::string(kUnknownCurveText) + "cis");
  EXPECT_EQ(state, before);
}

// The window's table is held to what a file is, with its row as the line, and a row that is
// not a number is refused where a file would take it for its header.
TEST(CurveTable, RowsAreReadAsAFileIsAndARefusalChangesNothing) {
  WindowState state;
  EXPECT_EQ(PutCurveRows(state, "output:10", {{" 0.5", "2 "}, {"", ""}, {"1e0", "4"}}), std::nullopt);
  const std::vector<DatasheetCurve> taken{{CurveKind::Output, 10, {{0.5, 2}, {1, 4}}}};
  EXPECT_EQ(state.curves, taken);

  const std::string table(kCurveTableSourceName);
  EXPECT_EQ(PutCurveRows(state, "output:10", {{"Vds", "Id"}, {"0.5", "2"}, {"1", "4"}}),
            table + ", line 1: " + std::string(kCurveNotNumberText));
  EXPECT_EQ(PutCurveRows(state, "output:10", {{"0.5", "2"}, {"1,5", "4"}}),
            table + ", line 2: " + std::string(kCurveNotNumberText));
  EXPECT_EQ(PutCurveRows(state, "output:10", {{"0.5", "2"}, {"", ""}, {"0.5", "4"}}),
            table + ", line 3: " + std::string(kCurveNotMonotonicText));
  EXPECT_EQ(PutCurveRows(state, "output:10", {{"0.5", "2"}}),
            table + ": " + std::string(kCurveTooFewPointsText));
  EXPECT_EQ(PutCurveText(state, "crss", kClipboardSourceName, "1\t-2\n2\t3\n"),
            std::string(kClipboardSourceName) + ", line 1: " + std::string(kCurveNegativeCapacitanceText));
  EXPECT_EQ(state.curves, taken);
}

TEST(CurveTable, ClearDropsOnlyTheNamedCurve) {
  WindowState state;
  state.curves = {{CurveKind::Output, 5, {{0, 1}, {1, 2}}}, {CurveKind::Output, 10, {{0, 3}, {1, 4}}}};
  EXPECT_FALSE(ClearCurve(state, "output:7"));
  EXPECT_FALSE(ClearCurve(state, "ciss:5"));
  EXPECT_TRUE(ClearCurve(state, "output:5"));
  ASSERT_EQ(state.curves.size(), 1u);
  EXPECT_EQ(FindCurve(state, "output:10"), &state.curves[0]);
  EXPECT_EQ(FindCurve(state, "output:5"), nullptr);
}

TEST(CurveImport, CurvesAreSavedWithTheValuesOpenedBackExactlyAndEmptiedByNew) {
  WindowState state;
  const std::string withoutCurves = DatasheetFileText(state);
  state.curves = {{CurveKind::Transfer, 0, {{3.6, 0.2612}, {1.0 / 3, 1e-12}}},
                  {CurveKind::Output, 4.5, {{0.25, -3.344}, {0.75, 123456789.125}}},
                  {CurveKind::Crss, 0, {{100, 17.49}, {0.1, 402.3}}}};
  const std::string text = DatasheetFileText(state);
  // The lines before the curves are those of a file without them.
  ASSERT_TRUE(text.starts_with(withoutCurves));
  EXPECT_EQ(text.substr(withoutCurves.size()),
            "Curve.transfer=3.6,0.2612;0.3333333333333333,1e-12\r\n"
            "Curve.output:4.5=0.25,-3.344;0.75,123456789.125\r\n"
            "Curve.crss=100,17.49;0.1,402.3\r\n");

  TempFolder folder;
  ScriptedPlatform platform;
  platform.saveFiles.push_back(folder / "values.txt");
  save_Click(state, platform);
  // A line that does not read is passed over, as other unknown lines are.
  WriteBytes(folder / "values.txt",
             ReadBytes(folder / "values.txt") + "Curve.ciss=0,1;0,2\r\nCurve.nothing=1,2;3,4\r\n");
  WindowState opened;
  platform.openFiles.push_back(folder / "values.txt");
  open_Click(opened, platform);
  EXPECT_EQ(opened.curves, state.curves);

  New_Click(opened, platform);
  EXPECT_TRUE(opened.curves.empty());
  EXPECT_EQ(DatasheetFileText(opened), *opened.savedValues);
}

}  // namespace
}  // namespace vdmos

// The digitized curves in the model check: the lookup along the model's and ngspice's curves,
// the sweeps widened to reach every point, and the virtual device's curves checked in ngspice,
// one row per curve with its worst point and every point's error.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "commands/curve_commands.h"
#include "commands/datasheet_commands.h"
#include "commands/model_update.h"
#include "platform/scripted_platform.h"
#include "verify/curve_checks.h"
#include "verify/model_curves.h"
#include "verify/verify_model.h"
#include "verify/verify_texts.h"

namespace vdmos {
namespace {

const std::string kDevice = std::string(VDMOS_TESTS_DIR) + "/golden/virtual_device/";

TEST(CurveCheck, LooksUpAlongCurvesAndReadsTheOnResistanceOffTheOutputCurve) {
  const std::vector<Point> line{{0, 0}, {1, 10}, {3, 30}};
  EXPECT_EQ(ValueAlong(line, 2), 20);
  EXPECT_EQ(ValueAlong(line, 0), 0);
  EXPECT_EQ(ValueAlong(line, 3), 30);
  EXPECT_FALSE(ValueAlong(line, 3.5));
  EXPECT_FALSE(ValueAlong({{1, 1}}, 1));

  WindowState state;
  state.curves = {{CurveKind::RdsOn, 0, {{5, 0.1}, {20, 0.2}}}};
  const BenchSetup setup = ReadBenchSetup(state);
  Characteristics curves;
  // 10 A at 1 V: 0.1 Ohm; the on-resistance point is where the current reaches its x.
  for (const double vgs : setup.gateSteps)
    curves.output.push_back({"", {{0, 0}, {1, vgs == setup.rdsonVgs ? 10.0 : 1.0}, {2, 15}}});
  const std::vector<DatasheetPoint> points = DatasheetPointList(setup);
  const DatasheetPoint& point = points.back();
  ASSERT_EQ(point.curveKind, CurveKind::RdsOn);
  EXPECT_DOUBLE_EQ(*CurveValueAt(curves, setup, point, 5), 0.5 / 5);
  EXPECT_DOUBLE_EQ(*CurveValueAt(curves, setup, point, 12.5), 1.5 / 12.5);
  EXPECT_FALSE(CurveValueAt(curves, setup, point, 20));
}

TEST(CurveCheck, CurvesWidenTheSweepsAndAStateWithoutThemKeepsItsSetup) {
  WindowState state;
  const BenchSetup plain = ReadBenchSetup(state);
  state.curves = {{CurveKind::Transfer, 0, {{2, 1}, {30, 50}}},
                  {CurveKind::Output, 7.25, {{-1, -2}, {-60, -5}}},
                  {CurveKind::Coss, 0, {{3.5, 900}, {900, 40}}},
                  {CurveKind::Diode, 0, {{0.5, 1}, {3, 100}}}};
  const BenchSetup widened = ReadBenchSetup(state);
  EXPECT_EQ(widened.transferVgs.stop, 30);
  EXPECT_EQ(widened.transferVgs.steps, plain.transferVgs.steps);
  EXPECT_EQ(widened.outputVds.stop, 60);
  EXPECT_EQ(widened.diodeVsd.stop, 3);
  EXPECT_EQ(std::ranges::count(widened.gateSteps, 7.25), 1);
  EXPECT_EQ(widened.gateSteps.size(), plain.gateSteps.size() + 1);
  for (const double v : {3.5, 900.0}) EXPECT_EQ(std::ranges::count(widened.capacitanceVds, v), 1);
  // A P-channel figure's negative values are taken as magnitudes along rising x.
  EXPECT_EQ(widened.curves[1].points, (std::vector<CurvePoint>{{1, 2}, {60, 5}}));
  const std::vector<DatasheetPoint> points = DatasheetPointList(widened);
  EXPECT_EQ(points.size(), DatasheetPointList(plain).size() + 4);
  EXPECT_EQ(points.back().condition, "curve of 2 points");
  EXPECT_EQ(points[points.size() - 3].condition, "Vgs = 7.25 V, curve of 2 points");
  // The figures' points are drawn as the datasheet's points of their plots.
  const DatasheetMarkers markers = DatasheetMarkersOf(state.params, widened);
  EXPECT_EQ(markers.coss, (std::vector<Point>{{0, *plain.grid[0].coss},
                                              {plain.grid[1].vds, *plain.grid[1].coss},
                                              {plain.grid[2].vds, *plain.grid[2].coss},
                                              {3.5, 900},
                                              {900, 40}}));
}

/// The virtual device's values and curves, with its card made.
WindowState VirtualDevice() {
  WindowState state;
  ScriptedPlatform platform;
  platform.openFiles.push_back(kDevice + "VIRT100.txt");
  open_Click(state, platform);
  const std::pair<std::string_view, std::string_view> curves[] = {
      {"transfer", "transfer.csv"},   {"output:5", "output_5.csv"},
      {"output:10", "output_10.csv"}, {"rdson", "rdson.csv"},
      {"ciss", "ciss.csv"},           {"coss", "coss.csv"},
      {"crss", "crss.csv"},           {"gatecharge", "gatecharge.csv"},
      {"diode", "diode.csv"}};
  for (const auto& [name, file] : curves)
    EXPECT_EQ(ImportCurveFile(state, platform, name, kDevice + std::string(file)), std::nullopt) << file;
  UpdateModel(state, platform);
  return state;
}

TEST(CurveCheck, TheVirtualDevicesCurvesAreCheckedInNgspice) {
  const WindowState state = VirtualDevice();
  ASSERT_FALSE(state.card.segment1.empty());
  const VerificationResult result = VerifyModel(state);
  ASSERT_TRUE(result.ok()) << result.message << "\n" << result.details;
  ASSERT_EQ(result.curvePoints.size(), state.curves.size());
  for (const auto& [index, points] : result.curvePoints) {
    const VerificationRow& row = result.rows.at(index);
    ASSERT_TRUE(row.errorPercent) << row.quantity << " " << row.condition << " " << row.note;
    // The transfer curve counts above a thirtieth of its largest current, as the refinement
    // counts it; the other kinds count every point.
    double largest = 0;
    for (const CurvePointCheck& point : points) largest = std::max(largest, point.datasheet);
    const double floor = row.note.starts_with(std::string(kCurveWorstAt) + "Vgs") ? largest / 30 : 0;
    double worst = 0;
    for (const CurvePointCheck& point : points)
      if (point.errorPercent && point.datasheet > floor)
        worst = std::max(worst, std::abs(*point.errorPercent));
    EXPECT_EQ(std::abs(*row.errorPercent), worst) << row.condition;
    EXPECT_TRUE(row.note.starts_with(kCurveWorstAt)) << row.note;
    // The model's own equations and ngspice compute the same card.
    if (row.quantity == kCissQuantity || row.quantity == kCossQuantity || row.quantity == kCrssQuantity) {
      for (const CurvePointCheck& point : points)
        EXPECT_NEAR(*point.model, *point.simulated, 0.02 * *point.model);
    }
  }
  // The capacitance curves were run at their own voltages: Ciss at 100 V is a row of the grid
  // and a point of the curve, the same number both ways.
  const auto ciss = std::ranges::find_if(result.rows, [](const VerificationRow& row) {
    return row.quantity == kCissQuantity && row.condition.starts_with("curve of");
  });
  ASSERT_NE(ciss, result.rows.end());
  const std::vector<CurvePointCheck>& cissPoints = result.curvePoints.at(ciss - result.rows.begin());
  EXPECT_EQ(cissPoints.size(), 20U);
  EXPECT_EQ(cissPoints.back().x, 100);
}

TEST(CurveCheck, ADenselyTracedCapacitanceCurveIsCheckedAtEveryPoint) {
  // A digitizer's automatic trace gives thousands of points; each is a bias point of the
  // capacitance test, which once ran past ngspice's time limit at 3,000 of them.
  WindowState state = VirtualDevice();
  constexpr int kTraced = 3000;
  std::string trace = "Vds,Ciss\n";
  for (int i = 0; i < kTraced; ++i)
    trace += std::to_string(0.1 + 0.2 * i) + "," + std::to_string(5000 / std::sqrt(1 + 0.2 * i)) + "\n";
  ASSERT_EQ(PutCurveText(state, "ciss", "trace.csv", trace), std::nullopt);
  const VerificationResult result = VerifyModel(state);
  ASSERT_TRUE(result.ok()) << result.message << "\n" << result.details;
  const auto ciss = std::ranges::find_if(result.rows, [](const VerificationRow& row) {
    return row.quantity == kCissQuantity && row.condition.starts_with("curve of");
  });
  ASSERT_NE(ciss, result.rows.end());
  const std::vector<CurvePointCheck>& points = result.curvePoints.at(ciss - result.rows.begin());
  ASSERT_EQ(points.size(), static_cast<std::size_t>(kTraced));
  EXPECT_TRUE(std::ranges::all_of(points, [](const CurvePointCheck& p) { return p.simulated.has_value(); }));
}

}  // namespace
}  // namespace vdmos

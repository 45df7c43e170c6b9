#include "verify/datasheet_points.h"

#include <gtest/gtest.h>

#include "model/control_names.h"
#include "verify/verify_test_support.h"

namespace vdmos {
namespace {

// One row per kind of point of the start values, in the check table's order: what the table
// shows, and which points the refinement weighs.
TEST(DatasheetPoints, TheStartValuesInTheTablesOrder) {
  WindowState state = testing::StartCardWindow();
  state.setText(control::Qgs, "");
  const std::vector<DatasheetPoint> points = DatasheetPointList(ReadBenchSetup(state));
  struct Row {
    std::size_t index;
    const char* name;
    const char* unit;
    const char* condition;
    PointGroup group;
    std::optional<double> value;
  };
  const Row rows[] = {
      {0, "Id", "A", "Vgs = 5.5 V, Vds = 50 V (plateau point)", PointGroup::Dc, 20.7},
      {2, "Rds(on)", "Ohm", "Vgs = 10 V, Vds = 0.1 V", PointGroup::Dc, 0.16},
      {3, "Vgs(th)", "V", "Id = 0.00025 A, Vds = Vgs", PointGroup::Dc, 3},
      // The datasheet gives only the check points' voltages: the refinement cannot weigh them.
      {4, "Id", "A", "Vgs = 5.5 V, Vds = 10 V (check point 1)", PointGroup::None, std::nullopt},
      {6, "Vsd", "V", "Isd = 0.4 A", PointGroup::None, 0.7},
      // An empty field keeps its row, without a value.
      {9, "Qgs", "nC", "Id = 20.7 A, Vd = 480 V, Vgs = 10 V", PointGroup::GateCharge, std::nullopt},
      {12, "Ciss", "pF", "Vds = 0 V", PointGroup::Capacitance, std::nullopt},
      {20, "Crss", "pF", "Vds = 600 V", PointGroup::Capacitance, 7},
  };
  ASSERT_EQ(points.size(), 21u);
  EXPECT_EQ(points[3].current, 250e-6);
  for (const Row& row : rows) {
    const DatasheetPoint& point = points[row.index];
    EXPECT_EQ(QuantityName(point.quantity), row.name) << row.index;
    EXPECT_EQ(QuantityUnit(point.quantity), row.unit) << row.index;
    EXPECT_EQ(point.condition, row.condition) << row.index;
    EXPECT_EQ(point.group, row.group) << row.index;
    EXPECT_EQ(point.value, row.value) << row.index;
  }
}

}  // namespace
}  // namespace vdmos

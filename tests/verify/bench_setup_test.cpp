#include "verify/bench_setup.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "model/control_names.h"
#include "verify/verify_test_support.h"
#include "verify/verify_texts.h"

namespace vdmos {
namespace {

// The datasheet points are checked as the window's markers in the model curve tests.
TEST(BenchSetup, ReadsTheStartValues) {
  const BenchSetup s = ReadBenchSetup(testing::StartCardWindow());
  EXPECT_FALSE(s.pmos);
  EXPECT_EQ(s.vdsTest, 50);
  EXPECT_EQ(s.rdsOn, 0.16);  // "160m"
  EXPECT_EQ(s.rdsonVgs, 10);
  EXPECT_EQ(s.checkVgs, 5.5);
  EXPECT_EQ(s.checkVds, (std::array<double, 2>{10, 25}));
  EXPECT_EQ(s.chargeId, 20.7);
  EXPECT_EQ(s.chargeVds, 480);

  // The sweeps reach every point they are compared at.
  EXPECT_EQ(s.transferVgs.stop, 10);
  EXPECT_EQ(s.outputVds.stop, 25);
  EXPECT_DOUBLE_EQ(s.diodeVsd.stop, 1.8);
  for (const double v : {0.0, 25.0, 600.0})
    EXPECT_TRUE(std::ranges::find(s.capacitanceVds, v) != s.capacitanceVds.end()) << v;
  EXPECT_TRUE(std::ranges::is_sorted(s.capacitanceVds));
  EXPECT_EQ(BenchSetupProblem(s), std::nullopt);
}

TEST(BenchSetup, SweepsReachBeyondTheirDefaultEnds) {
  WindowState state;
  state.setText(control::Text5, "12");      // maximum-current gate voltage above rdsonVgs
  state.setText(control::OUT_VDS2, "40");   // check point beyond the Vds range
  state.setText(control::VdsRange, "4,5");  // as typed for the simulator: reads 4
  const BenchSetup s = ReadBenchSetup(state);
  EXPECT_EQ(s.transferVgs.Values().back(), 12);
  EXPECT_EQ(s.outputVds.stop, 40);
  EXPECT_TRUE((LinearSweep{0, 10}.Values().empty()));
}

TEST(BenchSetup, ChannelFollowsTheCardOverTheFetType) {
  WindowState state;
  state.setText(control::Combo1, "PMOS");
  EXPECT_TRUE(ReadBenchSetup(state).pmos);  // no card yet: the FET type
  state.card = testing::StartCard();
  EXPECT_FALSE(ReadBenchSetup(state).pmos);  // the card the simulator gets is N-channel
  state.card = testing::PChannelStartCard();
  state.setText(control::Combo1, "NMOS");
  EXPECT_TRUE(ReadBenchSetup(state).pmos);
}

TEST(BenchSetup, OutputGateSteps) {
  struct Case {
    double rdsonVgs, checkVgs;
    std::vector<double> steps;
  };
  const Case cases[] = {
      {10, 5.5, {1, 2, 3, 4, 5, 5.5, 6, 7, 8, 9, 10}},
      {4.5, 4, {1, 2, 3, 4, 4.5}},
      {25, 5, {3, 5, 6, 9, 12, 15, 18, 21, 24, 25}},  // steps of 3 V keep about ten curves
      {0, 5.5, {5.5}},
      {-10, 0, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(OutputGateSteps(c.rdsonVgs, c.checkVgs), c.steps) << c.rdsonVgs;
}

// The gate charge test's conditions are checked apart: the other benches run without it.
TEST(BenchSetup, ConditionsWithNothingToRun) {
  struct Case {
    std::vector<const char*> controls;
    const char* text;
    std::string_view problem;
    bool gateCharge;  ///< a problem of the gate charge test alone
  };
  const Case cases[] = {
      {{control::TextBoxVdsTest}, "0", kVdsTestNotPositiveText, false},
      {{control::rdsonVgs}, "-10", kRdsonVgsNotPositiveText, false},
      {{control::IdCharge}, "", kGateChargeNotPositiveText, true},
      {{control::VdCharge}, "-480", kGateChargeNotPositiveText, true},
      {{control::TextVdsMiddle}, "-25", kCapacitanceVdsNotPositiveText, false},
      {{control::rdsonVgs, control::Vplat, control::Text5}, "0", kTransferGateNotPositiveText, false},
      {{control::VdsRange, control::OUT_VDS1, control::OUT_VDS2}, "0", kOutputDrainNotPositiveText, false},
      {{control::vd1, control::vd2, control::vd3}, "", kDiodeVsdNotPositiveText, false},
  };
  for (const Case& c : cases) {
    WindowState state;
    for (const char* control : c.controls) state.setText(control, c.text);
    const BenchSetup setup = ReadBenchSetup(state);
    const std::optional<std::string> expected(c.problem);
    EXPECT_EQ(BenchSetupProblem(setup), c.gateCharge ? std::nullopt : expected) << c.controls.front();
    EXPECT_EQ(GateChargeSetupProblem(setup), c.gateCharge ? expected : std::nullopt) << c.controls.front();
  }
}

}  // namespace
}  // namespace vdmos

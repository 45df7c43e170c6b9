#include "verify/bench_setup.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "extract/checked_math.h"
#include "verify/verify_test_support.h"
#include "verify/verify_texts.h"

namespace vdmos {
namespace {

TEST(BenchSetup, ReadsTheStartValues) {
  WindowState state;
  state.card = testing::StartCard();
  const BenchSetup s = ReadBenchSetup(state);
  EXPECT_FALSE(s.pmos);
  EXPECT_EQ(s.vdsTest, 50);
  EXPECT_EQ(s.plateauVgs, 5.5);
  EXPECT_EQ(s.plateauId, 20.7);
  EXPECT_EQ(s.maxVgs, 7.5);
  EXPECT_EQ(s.maxId, 70);
  EXPECT_EQ(s.rdsOn, 0.16);  // "160m"
  EXPECT_EQ(s.rdsonVgs, 10);
  EXPECT_EQ(s.checkVgs, 5.5);
  EXPECT_EQ(s.checkVds, (std::array<double, 2>{10, 25}));
  EXPECT_EQ(s.chargeId, 20.7);
  EXPECT_EQ(s.chargeVds, 480);
  EXPECT_EQ(s.diodePointVsd, (std::array<double, 3>{0.7, 0.8, 1.2}));
  EXPECT_EQ(s.diodePointIsd, (std::array<double, 3>{0.4, 3, 45}));

  const std::array<CapacitanceGridRow, 3> grid{CapacitanceGridRow{0, std::nullopt, 13000, 3400},
                                               CapacitanceGridRow{25, 2400, 780, 50},
                                               CapacitanceGridRow{600, std::nullopt, 65, 7}};
  EXPECT_EQ(s.grid, grid);

  // The sweeps reach every point they are compared at.
  EXPECT_EQ(s.transferVgs.stop, 10);
  EXPECT_EQ(s.outputVds.stop, 25);
  EXPECT_DOUBLE_EQ(s.diodeVsd.stop, 1.8);
  for (const double v : {0.0, 25.0, 600.0}) {
    EXPECT_TRUE(std::find(s.capacitanceVds.begin(), s.capacitanceVds.end(), v) != s.capacitanceVds.end())
        << v;
  }
  EXPECT_TRUE(std::is_sorted(s.capacitanceVds.begin(), s.capacitanceVds.end()));
  EXPECT_EQ(BenchSetupProblem(s), std::nullopt);
}

TEST(BenchSetup, SweepsReachBeyondTheirDefaultEnds) {
  WindowState state;
  state.setText("Text5", "12");      // maximum-current gate voltage above rdsonVgs
  state.setText("OUT_VDS2", "40");   // check point beyond the Vds range
  state.setText("VdsRange", "4,5");  // as typed for the simulator: reads 4
  const BenchSetup s = ReadBenchSetup(state);
  EXPECT_EQ(s.transferVgs.stop, 12);
  EXPECT_EQ(s.outputVds.stop, 40);
  const std::vector<double> values = s.transferVgs.Values();
  EXPECT_EQ(values.front(), 0);
  EXPECT_EQ(values.back(), 12);
  EXPECT_TRUE((LinearSweep{0, 10}.Values().empty()));
}

TEST(BenchSetup, ChannelFollowsTheCardOverTheFetType) {
  WindowState state;
  state.setText("Combo1", "PMOS");
  EXPECT_TRUE(ReadBenchSetup(state).pmos);  // no card yet: the FET type
  state.card = testing::StartCard();
  EXPECT_FALSE(ReadBenchSetup(state).pmos);  // the card the simulator gets is N-channel
  state.card.segment3 = "IS=1.47E-08 N=1.576 RB=0.006897  PCHAN)";
  state.setText("Combo1", "NMOS");
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

TEST(BenchSetup, ConditionsWithNothingToRun) {
  struct Case {
    std::string_view control, text, problem;
  };
  const Case cases[] = {
      {"TextBoxVdsTest", "0", kVdsTestNotPositiveText},
      {"rdsonVgs", "-10", kRdsonVgsNotPositiveText},
      {"IdCharge", "", kGateChargeNotPositiveText},
      {"VdCharge", "-480", kGateChargeNotPositiveText},
      {"TextVdsMiddle", "-25", kCapacitanceVdsNotPositiveText},
  };
  for (const Case& c : cases) {
    WindowState state;
    state.setText(c.control, std::string(c.text));
    EXPECT_EQ(BenchSetupProblem(ReadBenchSetup(state)), c.problem) << c.control;
  }
  WindowState noGate;
  for (const char* control : {"rdsonVgs", "Vplat", "Text5"}) noGate.setText(control, "0");
  EXPECT_EQ(BenchSetupProblem(ReadBenchSetup(noGate)), kTransferGateNotPositiveText);
  WindowState noDrain;
  for (const char* control : {"VdsRange", "OUT_VDS1", "OUT_VDS2"}) noDrain.setText(control, "0");
  EXPECT_EQ(BenchSetupProblem(ReadBenchSetup(noDrain)), kOutputDrainNotPositiveText);
  WindowState noDiode;
  for (const char* control : {"vd1", "vd2", "vd3"}) noDiode.setText(control, "");
  EXPECT_EQ(BenchSetupProblem(ReadBenchSetup(noDiode)), kDiodeVsdNotPositiveText);
}

TEST(BenchSetup, AnOverflowingFieldIsAFault) {
  WindowState state;
  state.setText("OUT_VDS1", "1e999");
  EXPECT_THROW(ReadBenchSetup(state), ArithmeticFault);
}

}  // namespace
}  // namespace vdmos

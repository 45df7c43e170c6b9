#include "extract/threshold.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vdmos {
namespace {

// The subthreshold law, whose form was taken from ngspice 39 by sweeping a diode-connected
// device: the overdrive k ln(1 + exp((vgs - VTO) / k)) in the square law.
TEST(Threshold, TheSubthresholdOverdriveJoinsTheSquareLaw) {
  EXPECT_DOUBLE_EQ(SubthresholdOverdrive(5, 3, 0.1), 2 + 0.1 * std::log1p(std::exp(-20)));
  EXPECT_NEAR(SubthresholdOverdrive(3, 3, 0.1), 0.1 * std::log(2), 1e-15);
  // Below VTO an exponential tail, a decade of current for every 0.115 V at this slope.
  EXPECT_NEAR(SubthresholdOverdrive(2.5, 3, 0.1) / SubthresholdOverdrive(2.4, 3, 0.1), std::exp(1), 0.01);
  // Far above threshold with a steep slope, where exp() alone would overflow.
  EXPECT_DOUBLE_EQ(SubthresholdOverdrive(40, 3, 1e-3), 37);
  // Well above the threshold the tail is left out where it no longer reaches x's last digit:
  // the law stays the same to the bit on both sides of where that starts.
  for (double x = 30; x < 40; x += 0.0137) {
    const double k = 0.03, vgs = 2 + k * x;
    EXPECT_EQ(SubthresholdOverdrive(vgs, 2, k), k * ((vgs - 2) / k + std::log1p(std::exp(-(vgs - 2) / k))))
        << x;
  }
  // Without a slope the bare square law.
  EXPECT_EQ(SubthresholdOverdrive(2.5, 3, 0), 0);
  EXPECT_EQ(SubthresholdOverdrive(3.5, 3, 0), 0.5);
}

TEST(Threshold, TheGateVoltageAtTheTestCurrent) {
  const double current = 250e-6;
  ChannelLaw law{20, 3, 0, 0, 0, 0.1};
  // In saturation, KP/2 * s^2 = I gives the overdrive s, and the law turned round the gate voltage.
  const double s = std::sqrt(2 * current / law.KP);
  EXPECT_NEAR(*ThresholdVoltage(law, current), 3 + 0.1 * std::log(std::expm1(s / 0.1)), 1e-9);
  // With ngspice's default slope the current flows well below VTO; a steep slope brings the
  // threshold to the square law's VTO + s.
  EXPECT_LT(*ThresholdVoltage(law, current), 2.75);
  law.KSUBTHRES = 1e-4;
  EXPECT_NEAR(*ThresholdVoltage(law, current), 3 + s, 1e-6);
  // RS adds its drop on the test current; RD lowers the channel's drain voltage only.
  law.RS = 10;
  EXPECT_NEAR(*ThresholdVoltage(law, current), 3 + s + 10 * current, 1e-6);
  law.LAMBDA = 0.05;
  EXPECT_LT(*ThresholdVoltage(law, current), 3 + s + 10 * current);
}

TEST(Threshold, NoThresholdWithoutACurrentOrAChannel) {
  const ChannelLaw law{20, 3, 0.01, 0.01, 0, 0.1};
  EXPECT_FALSE(ThresholdVoltage(law, 0));
  EXPECT_FALSE(ThresholdVoltage(law, -250e-6));
  EXPECT_FALSE(ThresholdVoltage(law, NAN));
  EXPECT_FALSE(ThresholdVoltage({0, 3, 0, 0, 0, 0.1}, 250e-6));
  // A current RD's drop alone would take the whole gate voltage for is still found.
  EXPECT_TRUE(ThresholdVoltage({20, 3, 0, 1e3, 0, 0.1}, 10e-3));
}

}  // namespace
}  // namespace vdmos

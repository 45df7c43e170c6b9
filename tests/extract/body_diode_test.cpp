#include "extract/body_diode.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <string>

namespace vdmos {
namespace {

TEST(ThermalVoltageTest, IsKTOverQAtRoomTemperature) { EXPECT_NEAR(ThermalVoltage(), 0.0258520284, 1e-10); }

struct DiodeRow {
  const char* name;
  double V1, I1, V2, I2, V3, I3;
  std::string expected;
};

void PrintTo(const DiodeRow& row, std::ostream* os) { *os << row.name; }

class BodyDiodeFitTest : public testing::TestWithParam<DiodeRow> {};

TEST_P(BodyDiodeFitTest, GivesTheCardTextOrNothing) {
  const DiodeRow& row = GetParam();
  EXPECT_EQ(BodyDiodeFit(row.V1, row.I1, row.V2, row.I2, row.V3, row.I3), row.expected);
}

const double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Rows, BodyDiodeFitTest,
    testing::Values(DiodeRow{"StartValues", 0.7, 0.4, 0.8, 3, 1.2, 45, "IS=1.47E-08 N=1.576 RB=0.006897 "},
                    // A current of exactly 1e-15 is accepted; its first IS estimate is far below 1e-15, so IS
                    // is clamped and the loop ends after one pass.
                    DiodeRow{"LimitValueAcceptedAndIsClamped", 0.7, 1e-15, 0.8, 3, 1.2, 45,
                             "IS=1.00E-15 N=39.064 RB=0.00872 "},
                    // The third point sits below the diode drop: RB stays at its 1e-6 floor and never
                    // settles, so the pass counter ends the loop.
                    DiodeRow{"NegativeResistanceFloorsAndCounterEnds", 0.7, 0.4, 0.8, 3, 0.75, 45,
                             "IS=3.00E-07 N=1.92 RB=0.000001 "},
                    DiodeRow{"ZeroPointRefused", 0.7, 0, 0.8, 3, 1.2, 45, ""},
                    DiodeRow{"JustBelowLimitRefused", 0.7, 0.4, 0.8, 3, 1.2, 9.9e-16, ""},
                    DiodeRow{"EqualVoltagesFault", 0.8, 0.4, 0.8, 3, 1.2, 45, ""},
                    DiodeRow{"NotANumberRefused", std::nan(""), 0.4, 0.8, 3, 1.2, 45, ""},
                    DiodeRow{"InfinityFaults", 0.7, 0.4, 0.8, 3, kInf, 45, ""},
                    DiodeRow{"HugeCurrentsFault", 0.7, 1e-15, 0.8, 1e300, 1.2, 45, ""}),
    [](const testing::TestParamInfo<DiodeRow>& info) { return std::string(info.param.name); });

// The refinement uses the previous pass's IS for N and RB; with the start values it settles IS
// after seven passes and RB on the eighth, in which IS is left as the seventh pass set it.
TEST(FitBodyDiodeParametersTest, StartValuesSettleOnTheResistanceTestOfTheEighthPass) {
  const auto fit = FitBodyDiodeParameters(0.7, 0.4, 0.8, 3, 1.2, 45);
  ASSERT_TRUE(fit.has_value());
  EXPECT_EQ(fit->passes, 8);
  EXPECT_NEAR(fit->IS, 1.4727453939493688e-08, 1e-20);
  EXPECT_NEAR(fit->N, 1.5756310181226107, 1e-12);
  EXPECT_NEAR(fit->RB, 0.006897264309760957, 1e-14);
}

TEST(FitBodyDiodeParametersTest, CounterStopsAfterAThousandPasses) {
  const auto fit = FitBodyDiodeParameters(0.7, 0.4, 0.8, 3, 0.75, 45);
  ASSERT_TRUE(fit.has_value());
  EXPECT_EQ(fit->passes, 1000);
  EXPECT_EQ(fit->RB, 1e-6);
}

}  // namespace
}  // namespace vdmos

#include "extract/junction_fit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <string>

namespace vdmos {
namespace {

TEST(Log10Test, IsTheDecimalLogarithmAndZeroOnAnyFault) {
  EXPECT_NEAR(Log10(1000.0), 3.0, 1e-12);
  EXPECT_NEAR(Log10(0.01), -2.0, 1e-12);
  EXPECT_EQ(Log10(0.0), 0.0);
  EXPECT_EQ(Log10(-5.0), 0.0);
  EXPECT_EQ(Log10(std::numeric_limits<double>::infinity()), 0.0);
  EXPECT_EQ(Log10(std::nan("")), 0.0);
}

struct JunctionRow {
  const char* name;
  double V0, C0, V1, C1, V2, C2;
  std::string expected;
};

void PrintTo(const JunctionRow& row, std::ostream* os) { *os << row.name; }

class JunctionCapFitTest : public testing::TestWithParam<JunctionRow> {};

TEST_P(JunctionCapFitTest, GivesTheCardTextOrNothing) {
  const JunctionRow& row = GetParam();
  EXPECT_EQ(JunctionCapFit(row.V0, row.C0, row.V1, row.C1, row.V2, row.C2), row.expected);
}

const double kNaN = std::nan("");

INSTANTIATE_TEST_SUITE_P(
    Rows, JunctionCapFitTest,
    testing::Values(
        // Coss - Crss of the start values.
        JunctionRow{"StartValues", 0, 9600, 25, 730, 600, 58, "m=0.797 Vj=1.03 Cjo=9600.0pF"},
        // m from equal C1 and C2 is 0 and is held at 0.1.
        JunctionRow{"FlatUpperPointsHoldMAtTenth", 0, 110, 10, 100, 50, 100, "m=0.1 Vj=6.27 Cjo=110.0pF"},
        // Vj would be 0.07; then m comes from the outer points and may fall below 0.1.
        JunctionRow{"SmallVjRefitsMFromOuterPoints", 0, 100, 10, 61, 100, 60, "m=0.074 Vj=0.1 Cjo=100.0pF"},
        // A first point above 0 V scales Cjo up to the 0 V value.
        JunctionRow{"FirstPointAboveZeroVolt", 2, 500, 10, 200, 100, 50, "m=0.602 Vj=0.23 Cjo=1945.01pF"},
        JunctionRow{"EqualVoltagesFault", 0, 9600, 25, 730, 25, 58, ""},
        JunctionRow{"EqualOuterCapacitancesMakeRUnity", 0, 730, 25, 730, 600, 58, ""},
        JunctionRow{"NegativeFirstVoltageRefused", -1, 9600, 25, 730, 600, 58, ""},
        JunctionRow{"ZeroCapacitanceRefused", 0, 0, 25, 730, 600, 58, ""},
        JunctionRow{"NegativeCapacitanceRefused", 0, 9600, 25, 730, 600, -58, ""},
        JunctionRow{"NotANumberRefused", kNaN, 9600, 25, 730, 600, 58, ""},
        JunctionRow{"OverflowingRatioFaults", 0, 9600, 25, 1e300, 600, 1e-15, ""}),
    [](const testing::TestParamInfo<JunctionRow>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vdmos

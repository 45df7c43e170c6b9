#include "extract/junction_fit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace vdmos {
namespace {

TEST(Log10, IsTheDecimalLogarithmAndZeroOnAnyFault) {
  EXPECT_NEAR(Log10(0.01), -2.0, 1e-12);
  for (double bad : {0.0, -5.0, std::numeric_limits<double>::infinity(), std::nan("")}) {
    EXPECT_EQ(Log10(bad), 0.0) << bad;
  }
}

TEST(JunctionCapFit, GivesTheCardTextOrNothing) {
  struct Row {
    const char* name;
    double V0, C0, V1, C1, V2, C2;
    std::string expected;
  };
  // clang-format off
  const Row rows[] = {
      {"start values: Coss - Crss", 0, 9600, 25, 730, 600, 58, "m=0.797 Vj=1.03 Cjo=9600.0pF"},
      {"m from equal C1 and C2 is 0 and held at 0.1", 0, 110, 10, 100, 50, 100, "m=0.1 Vj=6.27 Cjo=110.0pF"},
      // Vj would be 0.07; then m comes from the outer points and may fall below 0.1.
      {"small Vj refits m from the outer points", 0, 100, 10, 61, 100, 60, "m=0.074 Vj=0.1 Cjo=100.0pF"},
      {"a first point above 0 V scales Cjo up", 2, 500, 10, 200, 100, 50, "m=0.602 Vj=0.23 Cjo=1945.01pF"},
      {"equal voltages fault", 0, 9600, 25, 730, 25, 58, ""},
      {"equal outer capacitances make r unity", 0, 730, 25, 730, 600, 58, ""},
      {"negative first voltage refused", -1, 9600, 25, 730, 600, 58, ""},
      {"zero capacitance refused", 0, 0, 25, 730, 600, 58, ""},
      {"not a number refused", std::nan(""), 9600, 25, 730, 600, 58, ""},
      {"overflowing ratio faults", 0, 9600, 25, 1e300, 600, 1e-15, ""},
  };
  // clang-format on
  for (const Row& row : rows) {
    EXPECT_EQ(JunctionCapFit(row.V0, row.C0, row.V1, row.C1, row.V2, row.C2), row.expected) << row.name;
  }
}

}  // namespace
}  // namespace vdmos

#include "extract/body_diode.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace vdmos {
namespace {

TEST(BodyDiodeFit, GivesTheCardTextOrNothing) {
  struct Row {
    const char* name;
    double V1, I1, V2, I2, V3, I3;
    std::string expected;
  };
  // clang-format off
  const Row rows[] = {
      {"start values", 0.7, 0.4, 0.8, 3, 1.2, 45, "IS=1.47E-08 N=1.576 RB=0.006897 "},
      // A current of exactly 1e-15 is accepted; its first IS estimate is far below 1e-15, so IS
      // is clamped and the loop ends after one pass.
      {"limit current accepted, IS clamped", 0.7, 1e-15, 0.8, 3, 1.2, 45, "IS=1.00E-15 N=39.064 RB=0.00872 "},
      // The third point sits below the diode drop: RB stays at its 1e-6 floor and never
      // settles, so the pass counter ends the loop.
      {"negative resistance floored", 0.7, 0.4, 0.8, 3, 0.75, 45, "IS=3.00E-07 N=1.92 RB=0.000001 "},
      {"current just below the limit refused", 0.7, 0.4, 0.8, 3, 1.2, 9.9e-16, ""},
      {"equal voltages fault", 0.8, 0.4, 0.8, 3, 1.2, 45, ""},
      {"not a number refused", std::nan(""), 0.4, 0.8, 3, 1.2, 45, ""},
      {"infinity faults", 0.7, 0.4, 0.8, 3, std::numeric_limits<double>::infinity(), 45, ""},
      {"huge currents fault", 0.7, 1e-15, 0.8, 1e300, 1.2, 45, ""},
  };
  // clang-format on
  for (const Row& row : rows) {
    EXPECT_EQ(BodyDiodeFit(row.V1, row.I1, row.V2, row.I2, row.V3, row.I3), row.expected) << row.name;
  }
}

TEST(FitBodyDiodeParameters, RefinementUsesThePreviousPassAndStopsAfterAThousand) {
  // N and RB take the previous pass's IS; with the start values IS settles after seven passes
  // and RB on the eighth, in which IS is left as the seventh pass set it.
  auto fit = FitBodyDiodeParameters(0.7, 0.4, 0.8, 3, 1.2, 45);
  ASSERT_TRUE(fit.has_value());
  EXPECT_EQ(fit->passes, 8);
  EXPECT_NEAR(fit->IS, 1.4727453939493688e-08, 1e-20);
  EXPECT_NEAR(fit->N, 1.5756310181226107, 1e-12);
  EXPECT_NEAR(fit->RB, 0.006897264309760957, 1e-14);

  fit = FitBodyDiodeParameters(0.7, 0.4, 0.8, 3, 0.75, 45);
  ASSERT_TRUE(fit.has_value());
  EXPECT_EQ(fit->passes, 1000);
}

}  // namespace
}  // namespace vdmos

#include "extract/dc_fit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "extract/dc_equations.h"

namespace vdmos {
namespace {

/// The fit's inputs, the start texts of the window unless a test changes them.
struct FitInput {
  double Vp = 5.5, Ip = 20.7, Vm = 7.5, Im = 70, Ron = 0.16, Vr = 10, Vth = 3, LAMBDA = 0.001, Vt = 50;
  int FixVTO = 1, ForceRdsOn = 1;
};

struct FitResult {
  std::string message;
  double RS, RD, KP, VTO;
};

/// RS, RD and KP on entry, which a sound fit never reads.
constexpr double kUnset = -77;

FitResult Fit(const FitInput& in) {
  FitResult r{{}, kUnset, kUnset, kUnset, in.Vth};
  r.message = DcTransferFit(in.Vp, in.Ip, in.Vm, in.Im, in.Ron, in.Vr, r.RS, r.RD, r.KP, r.VTO, in.LAMBDA,
                            in.Vt, in.FixVTO, in.ForceRdsOn);
  return r;
}

TEST(DcTransferFit, StartValuesTakeTheThresholdBranchWithVtoKept) {
  const FitResult r = Fit({});
  EXPECT_EQ(r.message, "Transfer function matched Iter=3");
  EXPECT_NEAR(r.KP, 6.496777, 5e-7);
  EXPECT_DOUBLE_EQ(r.RS, 0.0016);
  EXPECT_NEAR(r.RD, 0.1363796, 5e-8);
  EXPECT_EQ(r.VTO, 3);
}

TEST(DcTransferFit, EachBranchEndsWithItsMessage) {
  constexpr double kAny = std::numeric_limits<double>::quiet_NaN();
  struct Row {
    const char* name;
    FitInput in;
    std::string message;
    double VTO, RS, RD;
  };
  // clang-format off
  const Row rows[] = {
      {"threshold branch raises VTO in 0.01 V steps unless fixed", {.FixVTO = 0},
       "Transfer function matched Iter=3", 3.18, kAny, kAny},
      {"any FixVTO but 0 fixes VTO, grayed too", {.FixVTO = 2},
       "Transfer function matched Iter=3", 3, kAny, kAny},
      {"plateau branch", {.Ron = 0.01}, "Gate Plateau voltage matched. Iter=98", 3.97, 0.0001, kAny},
      // Only ForceRdsOn = 1 forces the match; otherwise RS = R0 = 0.01 * Ron and RD = 0 is
      // raised to the floor.
      {"plateau branch, not forced", {.Ron = 0.01, .ForceRdsOn = 0},
       "Gate Plateau voltage matched. Iter=0", 3, 0.0001, 0.0001},
      {"plateau branch, grayed is not forced", {.Ron = 0.01, .ForceRdsOn = 2},
       "Gate Plateau voltage matched. Iter=0", 3, 0.0001, 0.0001},
      // RD stays negative however far VTO rises, and the ceiling is out of reach.
      {"plateau branch at its limit",
       {.Vp = 15, .Ip = 20, .Vm = 20, .Im = 100, .Ron = 1e-6, .Vr = 30, .Vth = 1},
       "Gate Plateau voltage matched. Iter=1000", 1 + 999 * 0.01, kAny, 0.0001},
      // The crossing of the two KP estimates lies beyond 999 steps, and this LAMBDA makes the
      // refinement diverge slowly.
      {"threshold branch at its limits",
       {.Vp = 25, .Ip = 20, .Vm = 35, .Im = 70, .Ron = 1, .Vr = 40, .Vth = 0.5, .LAMBDA = 0.29, .Vt = 1,
        .FixVTO = 0},
       "Transfer function iteration limit reached!", 0.5 + 999 * 0.01, kAny, kAny},
      // Vx = 6 - 5 / (125 / 0.3) = 5.988; the raise stops at the first step not below 5.888.
      {"threshold branch at the VTO ceiling",
       {.Vp = 6, .Ip = 5, .Vm = 6.3, .Im = 130, .Ron = 0.35, .Vr = 10, .Vth = 1.6, .Vt = 40, .FixVTO = 0},
       "Transfer function Vto_max limit reached!", 5.89, kAny, kAny},
      {"threshold branch with a negative RD", {.LAMBDA = 2.5, .Vt = 1},
       "DC transfer Error!", 3, kAny, 0.0001},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const FitResult r = Fit(row.in);
    EXPECT_EQ(r.message, row.message);
    EXPECT_NEAR(r.VTO, row.VTO, 1e-9);
    EXPECT_TRUE(std::isnan(row.RS) || std::fabs(r.RS - row.RS) < 1e-12) << r.RS;
    EXPECT_TRUE(std::isnan(row.RD) || std::fabs(r.RD - row.RD) < 1e-12) << r.RD;
  }
}

TEST(DcTransferFit, VthAboveInterceptStartsBelowItInTheAveragingBranch) {
  const FitResult r = Fit({.Vth = 5});
  // s = 49.3 / 2, Vx = 5.5 - 20.7 / s; VTO = Vx - 0.2 * Vx and stays there.
  const double Vx = 5.5 - 20.7 / (49.3 / 2);
  EXPECT_NEAR(r.VTO, 0.8 * Vx, 1e-12);  // about 3.73
  EXPECT_EQ(r.message.rfind("Transfer function matched Iter=", 0), 0u) << r.message;
  EXPECT_GE(r.RS, 0.0016);
  EXPECT_GE(r.RD, 0.0001);
}

TEST(DcTransferFit, AveragingBranchForcedRdsOnKeepsRsBelowRon) {
  // Rds(on) given at a high gate voltage leaves almost all of Ron to RS + RD; the points want
  // more RS than Ron allows. Only ForceRdsOn = 1 pulls RS back.
  FitInput in{.Ron = 0.01, .Vr = 1000, .Vth = 5};
  const FitResult forced = Fit(in);
  EXPECT_LE(forced.RS, in.Ron);
  EXPECT_GE(forced.RS, 0.01 * in.Ron);
  for (int force : {0, 2}) {
    in.ForceRdsOn = force;
    EXPECT_GT(Fit(in).RS, in.Ron) << force;
  }
}

TEST(DcTransferFit, FaultEndsTheFitWithTheValuesStoredSoFar) {
  // Vm = Vp: division by zero before anything is stored.
  FitResult r = Fit({.Vm = 5.5});
  EXPECT_EQ(r.message, "");
  EXPECT_EQ((std::vector{r.RS, r.RD, r.KP, r.VTO}), (std::vector{kUnset, kUnset, kUnset, 3.0}));
  // Im = Ip: the slope is 0 and the intercept divides by it.
  EXPECT_EQ(Fit({.Im = 20.7}).message, "");
  // Ron = 0 and Vr = VTO: the first RD estimate divides by a zero overdrive, after RS and KP
  // have been stored.
  r = Fit({.Ron = 0, .Vr = 3});
  EXPECT_EQ(r.message, "");
  EXPECT_EQ((std::vector{r.RS, r.KP, r.RD}),
            (std::vector{SolveRs(100000, 3, 7.5, 70, 0, 0), SolveKp(70, 7.5, 3, 0, 0, 0), kUnset}));
}

}  // namespace
}  // namespace vdmos

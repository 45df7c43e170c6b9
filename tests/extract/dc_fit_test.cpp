#include "extract/dc_fit.h"

#include <gtest/gtest.h>

#include <string>

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

/// Runs the fit with sentinels in RS, RD and KP, which a sound fit never reads.
FitResult Fit(const FitInput& in, double sentinel = -77) {
  FitResult r{{}, sentinel, sentinel, sentinel, in.Vth};
  r.message = DcTransferFit(in.Vp, in.Ip, in.Vm, in.Im, in.Ron, in.Vr, r.RS, r.RD, r.KP, r.VTO, in.LAMBDA, in.Vt,
                            in.FixVTO, in.ForceRdsOn);
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

TEST(DcTransferFit, ThresholdBranchRaisesVtoUnlessFixed) {
  FitInput in;
  in.FixVTO = 0;
  FitResult r = Fit(in);
  EXPECT_EQ(r.message, "Transfer function matched Iter=3");
  EXPECT_NEAR(r.VTO, 3.18, 1e-9);  // 18 steps of 0.01 V
  // Any value but 0 fixes VTO, the grayed state too.
  in.FixVTO = 2;
  EXPECT_EQ(Fit(in).VTO, 3);
}

TEST(DcTransferFit, PlateauBranch) {
  FitInput in;
  in.Ron = 0.01;
  FitResult r = Fit(in);
  EXPECT_EQ(r.message, "Gate Plateau voltage matched. Iter=98");
  EXPECT_NEAR(r.VTO, 3.97, 1e-9);
  EXPECT_DOUBLE_EQ(r.RS, 0.0001);

  // Only the value 1 forces the match.
  for (int force : {0, 2}) {
    in.ForceRdsOn = force;
    r = Fit(in);
    EXPECT_EQ(r.message, "Gate Plateau voltage matched. Iter=0") << force;
    EXPECT_EQ(r.VTO, 3) << force;
    EXPECT_DOUBLE_EQ(r.RS, 0.0001) << force;  // R0 = 0.01 * Ron
    EXPECT_DOUBLE_EQ(r.RD, 0.0001) << force;  // 0, raised to the floor
  }
}

TEST(DcTransferFit, PlateauBranchReportsOnlyTheCountAtTheLimit) {
  // RD stays negative however far VTO rises, and the ceiling is out of reach.
  FitInput in{.Vp = 15, .Ip = 20, .Vm = 20, .Im = 100, .Ron = 1e-6, .Vr = 30, .Vth = 1};
  const FitResult r = Fit(in);
  EXPECT_EQ(r.message, "Gate Plateau voltage matched. Iter=1000");
  EXPECT_NEAR(r.VTO, 1 + 999 * 0.01, 1e-9);
  EXPECT_DOUBLE_EQ(r.RD, 0.0001);
}

TEST(DcTransferFit, ThresholdBranchIterationLimits) {
  // The raise of VTO and the refinement each run to 1000 passes: the crossing of the two KP
  // estimates lies beyond 999 steps, and this LAMBDA makes the refinement diverge slowly.
  FitInput in{.Vp = 25, .Ip = 20, .Vm = 35, .Im = 70, .Ron = 1, .Vr = 40, .Vth = 0.5, .LAMBDA = 0.29, .Vt = 1};
  in.FixVTO = 0;
  const FitResult r = Fit(in);
  EXPECT_EQ(r.message, "Transfer function iteration limit reached!");
  EXPECT_NEAR(r.VTO, 0.5 + 999 * 0.01, 1e-9);
}

TEST(DcTransferFit, ThresholdBranchVtoCeiling) {
  // Vx = 6 - 5 / (125 / 0.3) = 5.988; the raise stops at the first step not below 5.888.
  FitInput in{.Vp = 6, .Ip = 5, .Vm = 6.3, .Im = 130, .Ron = 0.35, .Vr = 10, .Vth = 1.6, .Vt = 40};
  in.FixVTO = 0;
  const FitResult r = Fit(in);
  EXPECT_EQ(r.message, "Transfer function Vto_max limit reached!");
  EXPECT_NEAR(r.VTO, 5.89, 1e-9);
}

TEST(DcTransferFit, ThresholdBranchNegativeRdIsAnError) {
  FitInput in;
  in.LAMBDA = 2.5;
  in.Vt = 1;
  const FitResult r = Fit(in);
  EXPECT_EQ(r.message, "DC transfer Error!");
  EXPECT_DOUBLE_EQ(r.RD, 0.0001);
}

TEST(DcTransferFit, VthAboveInterceptStartsBelowItInTheAveragingBranch) {
  FitInput in;
  in.Vth = 5;
  const FitResult r = Fit(in);
  // s = 49.3 / 2, Vx = 5.5 - 20.7 / s; VTO = Vx - 0.2 * Vx and stays there.
  const double Vx = 5.5 - 20.7 / (49.3 / 2);
  EXPECT_NEAR(r.VTO, 0.8 * Vx, 1e-12);
  EXPECT_NEAR(r.VTO, 3.73, 0.005);
  EXPECT_EQ(r.message.rfind("Transfer function matched Iter=", 0), 0u) << r.message;
  EXPECT_GE(r.RS, 0.0016);
  EXPECT_GE(r.RD, 0.0001);
}

TEST(DcTransferFit, AveragingBranchForcedRdsOnKeepsRsBelowRon) {
  // Rds(on) given at a high gate voltage leaves almost all of Ron to RS + RD; the points want
  // more RS than Ron allows. Only ForceRdsOn = 1 pulls RS back.
  FitInput in;
  in.Vth = 5;
  in.Ron = 0.01;
  in.Vr = 1000;
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
  FitInput in;
  in.Vm = in.Vp;
  FitResult r = Fit(in, -77);
  EXPECT_EQ(r.message, "");
  EXPECT_EQ(r.RS, -77);
  EXPECT_EQ(r.RD, -77);
  EXPECT_EQ(r.KP, -77);
  EXPECT_EQ(r.VTO, 3);

  // Im = Ip: the slope is 0 and the intercept divides by it.
  in = FitInput{};
  in.Im = in.Ip;
  EXPECT_EQ(Fit(in).message, "");

  // Ron = 0 and Vr = VTO: the first RD estimate divides by a zero overdrive, after RS and KP
  // have been stored.
  in = FitInput{};
  in.Ron = 0;
  in.Vr = 3;
  r = Fit(in, -77);
  EXPECT_EQ(r.message, "");
  EXPECT_EQ(r.RS, SolveRs(100000, 3, 7.5, 70, 0, 0));
  EXPECT_EQ(r.KP, SolveKp(70, 7.5, 3, 0, 0, 0));
  EXPECT_EQ(r.RD, -77);
}

}  // namespace
}  // namespace vdmos

#include "extract/dc_equations.h"

#include <gtest/gtest.h>

#include "model/checked_math.h"

namespace vdmos {
namespace {

// The model of the start-value fit.
constexpr double kKP = 6.496777, kRS = 0.0016, kRD = 0.1363796, kVTO = 3, kLAMBDA = 0.001;

TEST(DcEquations, ReproduceTheStartValueModelIteratesAndTheLinearRegion) {
  // Both are the iterates at which the tolerance is first met, not the exact solutions.
  EXPECT_NEAR(ModelDrainCurrent(kRS, kRD, kKP, kVTO, 5.5, 50, kLAMBDA), 20.6927, 5e-5);
  EXPECT_NEAR(ModelRdsOn(kRS, kRD, kKP, kVTO, 10, kLAMBDA), 0.160149, 5e-7);
  // RS = RD = 0: the channel alone plus the 0.0001 Ohm stand-in for RS.
  EXPECT_NEAR(ModelRdsOn(0, 0, kKP, kVTO, 10, kLAMBDA), 0.0222, 5e-5);
  // Small Vds and no series resistance: the linear region, close to KP*(Vgs-VTO-Vds/2)*Vds.
  EXPECT_NEAR(ModelDrainCurrent(0, 0, 2, 3, 8, 0.2, 0), 2 * (5 - 0.1) * 0.2, 0.01);
}

TEST(DcEquations, ClosedFormInversionsAndTheirFaults) {
  // 2*20.7 / ((5.5 - 3 - 20.7*0.0016)^2 * (1 + 0.001*50))
  EXPECT_DOUBLE_EQ(SolveKp(20.7, 5.5, 3, 0.0016, 0.001, 50), 41.4 / (2.46688 * 2.46688 * 1.05));
  // (7.5 - 3 - sqrt(2*70 / (100000 + 1e-15))) / 70
  EXPECT_DOUBLE_EQ(SolveRs(100000, 3, 7.5, 70, 0, 0), (4.5 - std::sqrt(140.0 / 100000)) / 70);
  // 0.16 - 0.0016 - 1 / ((10 - 0.0016/0.16 - 3) * 6.5): the quotient RS/Ron is taken off the voltage.
  EXPECT_NEAR(SolveRd(0.0016, 0.16, 6.5, 10, 3), 0.1584 - 1 / (6.99 * 6.5), 1e-12);

  // SolveRs absorbs its faults: Id = 0, and an overflow.
  EXPECT_EQ(SolveRs(100000, 3, 7.5, 0, 0, 0), 0.0);
  EXPECT_EQ(SolveRs(1, 3, 1e308, 1e-308, 0, 0), 0.0);
  // KP = 0 is kept finite by eps; a zero overdrive is a division by zero.
  EXPECT_LT(SolveRd(0, 0.16, 0, 10, 3), -1e13);
  EXPECT_THROW(SolveRd(0, 0.16, 6.5, 3, 3), ArithmeticFault);
  // Vgs - VTO = Id*RS.
  EXPECT_THROW(SolveKp(10, 4, 3, 0.1, 0, 0), ArithmeticFault);
  EXPECT_THROW(SolveKp(1e300, 5.5, 3, 1e10, 0, 0), ArithmeticFault);
}

TEST(DcEquations, RdsOnReplacesRsOnlyWhenRdIsNotPositiveAndAFaultGivesTheSeriesResistance) {
  // With RD > 0 RS counts as given, even RS = 0.
  const double withRs = ModelRdsOn(0.5, 0.1, kKP, kVTO, 10, 0);
  const double withoutRs = ModelRdsOn(0, 0.1, kKP, kVTO, 10, 0);
  EXPECT_NEAR(withRs - withoutRs, 0.5, 1e-3);
  // RD <= 0: RS is replaced by 0.0001 whatever it is.
  EXPECT_DOUBLE_EQ(ModelRdsOn(5, 0, kKP, kVTO, 10, kLAMBDA), ModelRdsOn(0, 0, kKP, kVTO, 10, kLAMBDA));
  // Faults: a channel this stiff overshoots on every pass, so the damping divisor doubles
  // past 16 bits (RS replaced, as RD = 0); then an overflowing current.
  EXPECT_DOUBLE_EQ(ModelRdsOn(5, 0, 1e12, 0, 10, 0), 0.0001);
  EXPECT_DOUBLE_EQ(ModelRdsOn(0.25, 0.5, 1e308, 0, 1e10, 0), 0.75);
}

TEST(DcEquations, DrainCurrentZeroCases) {
  struct Row {
    const char* name;
    double RS, RD, KP, VTO, Vgs, Vds;
  };
  const Row rows[] = {
      {"gate at threshold", kRS, kRD, kKP, 3, 3, 50},
      {"no drain voltage", kRS, kRD, kKP, 3, 5.5, 0},
      {"no channel: never converges in 1000 passes", kRS, kRD, 0, 3, 5.5, 50},
      {"stiff channel: restarts used up", 0, 1e-6, 1e12, 0, 10, 0.1},
      {"overflow", kRS, kRD, 1e308, 3, 1e10, 50},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(ModelDrainCurrent(r.RS, r.RD, r.KP, r.VTO, r.Vgs, r.Vds, 0), 0.0) << r.name;
  }
}

}  // namespace
}  // namespace vdmos

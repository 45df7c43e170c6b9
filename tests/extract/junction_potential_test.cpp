#include "extract/junction_potential.h"

#include <gtest/gtest.h>

#include <cmath>

#include "extract/junction_fit.h"

namespace vdmos {
namespace {

// The bounds ngspice 39 itself shows: one run per temperature (.options temp=) of a VDMOS card
// with TNOM=25, its Cds at 100 V printed from an AC run. Below the lower Vj every value is NaN;
// above the upper one they are finite. The card's EG does not move them.
TEST(JunctionPotential, CrossesZeroWhereNgspiceStopsSimulating) {
  struct Bound {
    double celsius, failing, running;
  };
  for (const Bound b : {Bound{150, 0.382, 0.385}, Bound{175, 0.435, 0.437}}) {
    EXPECT_LT(JunctionPotentialAt(b.failing, b.celsius), 0) << b.celsius;
    EXPECT_GT(JunctionPotentialAt(b.running, b.celsius), 0) << b.celsius;
  }
  EXPECT_DOUBLE_EQ(JunctionPotentialAt(0.7, 25), 0.7);
  // The hottest whole degree before the crossing: 0.382 V fails at 150 C and runs below it.
  const double hottest = HottestWithJunctionPotential(0.382);
  EXPECT_GT(JunctionPotentialAt(0.382, hottest), 0);
  EXPECT_LE(JunctionPotentialAt(0.382, hottest + 1), 0);
  EXPECT_LT(hottest, 150);
  EXPECT_EQ(HottestWithJunctionPotential(0.51), 175);  // the floor runs to the top of the plot
}

TEST(JunctionPotential, FloorKeepsTheMarginUpToTheHottestTemperature) {
  // Up to the top of the normalised Rds(on) plot whatever cooler TjHot is typed.
  EXPECT_DOUBLE_EQ(JunctionPotentialFloor(150), 0.51);
  EXPECT_DOUBLE_EQ(JunctionPotentialFloor(175), 0.51);
  for (double celsius : {175.0, 200.0}) {
    const double floor = JunctionPotentialFloor(celsius);
    EXPECT_GE(JunctionPotentialAt(floor, celsius), kJunctionPotentialMargin) << celsius;
    EXPECT_LT(JunctionPotentialAt(floor - 0.01, celsius), kJunctionPotentialMargin) << celsius;
  }
  EXPECT_GT(JunctionPotentialFloor(200), JunctionPotentialFloor(175));
}

TEST(FitJunctionCap, HeldAtTheFloorMissesTheThreePointsByTheSameWorstRatio) {
  // A superjunction's Coss drop (900 V part): the three points give Vj 0.1.
  const double V[] = {0, 100, 500}, C[] = {24980, 325, 129};
  const std::optional<JunctionCap> free = FitJunctionCap(V[0], C[0], V[1], C[1], V[2], C[2]);
  ASSERT_TRUE(free);
  EXPECT_EQ(free->Vj, 0.1);
  EXPECT_FALSE(free->raisedFrom);
  const std::optional<JunctionCap> held = FitJunctionCap(V[0], C[0], V[1], C[1], V[2], C[2], 0.51);
  ASSERT_TRUE(held);
  EXPECT_EQ(held->Vj, 0.51);
  EXPECT_EQ(held->raisedFrom, 0.1);
  double miss[3];
  for (int i = 0; i < 3; ++i) miss[i] = std::log(held->Cjo / std::pow(1 + V[i] / held->Vj, held->m) / C[i]);
  EXPECT_NEAR(miss[0], miss[2], 1e-12);
  EXPECT_NEAR(miss[1], -miss[0], 1e-12);
  EXPECT_LT(std::abs(miss[0]), 0.2);

  // A floor below the fitted Vj changes nothing, to the last digit.
  const std::optional<JunctionCap> above = FitJunctionCap(0, 9600, 25, 730, 600, 58, 0.51);
  ASSERT_TRUE(above);
  EXPECT_FALSE(above->raisedFrom);
  EXPECT_EQ(above->Text(), JunctionCapFit(0, 9600, 25, 730, 600, 58));
}

TEST(JunctionPotential, MessageNamesTheFieldAndBothPotentials) {
  EXPECT_EQ(JunctionPotentialRaisedMessage(0.1, 0.51),
            "\"hot Tj\" needs a junction potential Vj of at least 0.51 V for ngspice to simulate the card "
            "hot, not the fitted 0.1 V: the card is made with Vj=0.51 and Cjo and m fitted again to Coss.");
}

}  // namespace
}  // namespace vdmos

// The refinement on the start values and on real devices typed from their datasheets (N and P
// channel, logic level, 20 V to 900 V), judged where it counts: the refined card simulated in
// ngspice against the datasheet, the gate charges included where the datasheet gives typical
// values.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>

#include "commands/model_update.h"
#include "datasheet_device.h"
#include "model/control_names.h"
#include "platform/scripted_platform.h"
#include "refine/refine_command.h"
#include "refine/refine_texts.h"
#include "verify/bench_setup.h"
#include "verify/verify_model.h"

namespace vdmos {
namespace {

constexpr double kDcLimitPercent = 2;
constexpr double kCapacitanceLimitPercent = 5;  // where no gate charge competes with the capacitances
constexpr double kGateChargeLimitPercent = 10;

struct Worst {
  double dc = 0, capacitance = 0, gateCharge = 0;
};

bool IsGateCharge(const VerificationRow& row) {
  return row.quantity == "Qgs" || row.quantity == "Qgd" || row.quantity == "Qg";
}

/// The worst ngspice errors at the rows that carry a datasheet value; the check points and the
/// body diode are not refined, so they are not counted.
Worst WorstSimulatedErrors(const VerificationResult& result) {
  Worst worst;
  for (const VerificationRow& row : result.rows) {
    if (!row.datasheet) continue;
    const double error = std::abs(row.errorPercent.value_or(INFINITY));
    if (row.quantity == "Rds(on)" || row.quantity == "Id") worst.dc = std::max(worst.dc, error);
    if (row.quantity == "Ciss" || row.quantity == "Coss" || row.quantity == "Crss")
      worst.capacitance = std::max(worst.capacitance, error);
    if (IsGateCharge(row)) worst.gateCharge = std::max(worst.gateCharge, error);
  }
  return worst;
}

std::string Percent(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%+.1f", value);
  return text;
}

/// The typical gate charges a simulated card meets within the limit, added to the counts.
void CountChargesMet(const VerificationResult& result, int& charges, int& met) {
  for (const VerificationRow& row : result.rows) {
    if (!IsGateCharge(row) || !row.datasheet) continue;
    ++charges;
    met += row.errorPercent && std::abs(*row.errorPercent) <= kGateChargeLimitPercent ? 1 : 0;
  }
}

TEST(DeviceRefinement, RefinedCardsMeetTheDatasheetInNgspice) {
  int charges = 0, chargesMet = 0, chargesFirst = 0, chargesFirstMet = 0, withElements = 0, jointlyMet = 0;
  for (const std::string part : kDatasheetDevices) {
    const std::string name = DeviceName(part);
    SCOPED_TRACE(name);
    ScriptedPlatform platform;
    WindowState state = UpdatedDevice(part, platform);
    const std::string fittedCard = state.text(control::Text19);
    const VerificationResult fitted = VerifyModel(state);
    ASSERT_TRUE(fitted.ok()) << fitted.message;

    const std::optional<Refinement> refinement = RefineModel(state, platform);
    ASSERT_TRUE(refinement) << ::testing::PrintToString(platform.MessageTexts());
    // Where the card cannot meet the charges and the capacitances together, the check simulates
    // the ngspice subcircuit's gate charge elements beside it.
    const bool elements = refinement->params.chargeElement.has_value();
    EXPECT_EQ(state.text(control::StatusBar1).find(kRefinedElementsOpening) != std::string::npos, elements);
    EXPECT_NE(state.text(control::Text19), fittedCard);
    // RD stays where ngspice can still switch the card near its breakdown voltage: at STP55NF06's
    // refined 0.34 uOhm a transient at 99.8 % of BV crawled at nanosecond steps for minutes.
    EXPECT_GE(refinement->params.RD, 1e-4);
    const VerificationResult refined = VerifyModel(state);
    ASSERT_TRUE(refined.ok()) << refined.message;
    EXPECT_TRUE(refined.warnings.empty()) << refined.warnings.front();

    const Worst before = WorstSimulatedErrors(fitted), after = WorstSimulatedErrors(refined);
    EXPECT_LE(after.dc, kDcLimitPercent);
    EXPECT_LE(after.dc, before.dc + 0.05);
    // The capacitance points and the gate charges are met together: the worst of them is never
    // worse than the fitted card's, and the charges come closer. Where the datasheet's charges
    // contradict its capacitances, the capacitances give way; the status text says by how much.
    const bool charged =
        state.text(control::Qg) != "" || state.text(control::Qgd) != "" || state.text(control::Qgs) != "";
    if (charged) {
      EXPECT_LE(std::max(after.capacitance, after.gateCharge),
                std::max(before.capacitance, before.gateCharge) + 0.05);
      EXPECT_LT(after.gateCharge, before.gateCharge);
    } else {
      EXPECT_LE(after.capacitance, kCapacitanceLimitPercent);
      EXPECT_LE(after.capacitance, before.capacitance + 0.05);
    }
    if (elements) {
      ++withElements;
      jointlyMet += std::max(after.capacitance, after.gateCharge) <= kGateChargeLimitPercent ? 1 : 0;
      // A Qgs left above the datasheet's (a dip can take away at most half of CGS) is told.
      bool qgsAbove = false;
      for (const VerificationRow& row : refined.rows)
        if (row.quantity == "Qgs" && row.datasheet) qgsAbove = row.errorPercent.value_or(0) > 1;
      EXPECT_EQ(refinement->tradeOff.starts_with(kElementsQgsOpening), qgsAbove) << refinement->tradeOff;
    }
    std::string record = std::string(elements ? "with gate charge elements: " : "") + "DC " +
                         Percent(before.dc) + " -> " + Percent(after.dc) + " %, capacitance " +
                         Percent(before.capacitance) + " -> " + Percent(after.capacitance) + " %";
    for (std::size_t i = 0; i < refined.rows.size(); ++i) {
      const VerificationRow& row = refined.rows[i];
      if (!IsGateCharge(row) || !row.datasheet) continue;
      record += ", " + row.quantity + " " + Percent(fitted.rows[i].errorPercent.value_or(NAN)) + " -> " +
                Percent(row.errorPercent.value_or(NAN)) + " %";
    }
    CountChargesMet(refined, charges, chargesMet);

    // The refined card is the user's choice only: the model update still gives the fitted one.
    UpdateModel(state, platform);
    EXPECT_EQ(state.text(control::Text19), fittedCard);

    // With the gate charges ranked first, the refined card meets the charges, which a
    // switching-loss simulation rests on, and the status text says what the capacitance points
    // paid, without pointing to the check box that is already checked.
    if (charged) {
      state.setCheck(control::ChargesFirst, 1);
      const std::optional<Refinement> first = RefineModel(state, platform);
      ASSERT_TRUE(first) << ::testing::PrintToString(platform.MessageTexts());
      const VerificationResult firstRun = VerifyModel(state);
      ASSERT_TRUE(firstRun.ok()) << firstRun.message;
      EXPECT_TRUE(firstRun.warnings.empty()) << firstRun.warnings.front();
      const Worst firstWorst = WorstSimulatedErrors(firstRun);
      EXPECT_LE(firstWorst.dc, kDcLimitPercent);
      if (!elements) {
        EXPECT_LE(firstWorst.gateCharge, after.gateCharge);
      }
      if (firstWorst.capacitance > before.capacitance + 1) {
        EXPECT_NE(first->tradeOff, "");
        EXPECT_FALSE(first->tradeOff.ends_with(kTradeOffChargesFirstHint));
      }
      record += "; gate charges first: capacitance " + Percent(firstWorst.capacitance) + " %, worst charge " +
                Percent(firstWorst.gateCharge) + " %";
      CountChargesMet(firstRun, chargesFirst, chargesFirstMet);
    }
    RecordProperty(name, record);
  }
  RecordProperty("typical gate charges within 10 %",
                 std::to_string(chargesMet) + " of " + std::to_string(charges));
  RecordProperty("typical gate charges within 10 %, gate charges first",
                 std::to_string(chargesFirstMet) + " of " + std::to_string(chargesFirst));
  EXPECT_GE(chargesFirstMet, 0.8 * chargesFirst) << chargesFirstMet << " of " << chargesFirst;
  // The elements meet the charges and the capacitance points within 10 % together on every
  // device that takes them, a gate-source dip where the datasheet's Qgs lies below Ciss times
  // the plateau voltage, and a gate-drain window reading inside RD where RD's drop hides the
  // gate passing the drain (FQPF8N60C).
  RecordProperty("with gate charge elements, charges and capacitances within 10 % together",
                 std::to_string(jointlyMet) + " of " + std::to_string(withElements));
  EXPECT_EQ(jointlyMet, withElements);
  EXPECT_GE(withElements, 7);
}

// Three typed capacitance voltages leave the refined laws free between them: the refined curves
// must keep the fitted card's shape where no typed value asks otherwise.
constexpr double kLowestVoltage = 0.1, kLowVoltage = 0.5;  // V
// A capacitance at 0.5 V may differ from the fitted card's by this factor at most: the typed
// points ask at most 8.4 % of the fitted card's curves on these devices, and an arc-tangent
// scale left free once gave 3.7.
constexpr double kLowVoltageFactor = 1.25;

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3g", value);
  return text;
}

TEST(DeviceRefinement, RefinedCurvesKeepTheirShapeBetweenTheTypedPoints) {
  for (const std::string part : kDatasheetDevices) {
    const std::string name = DeviceName(part);
    SCOPED_TRACE(name);
    ScriptedPlatform platform;
    WindowState state = UpdatedDevice(part, platform);
    const ModelParameterSet fitted = state.params;
    const BenchSetup setup = ReadBenchSetup(state);
    const DatasheetPoints points = DatasheetPointsOf(setup);
    const std::optional<Refinement> refinement = RefineModel(state, platform);
    ASSERT_TRUE(refinement) << ::testing::PrintToString(platform.MessageTexts());

    const CapacitanceParameters before = CapacitanceParametersOf(fitted),
                                after = CapacitanceParametersOf(state.params);
    // The refined card misses its typed points by up to its worst error, so its curve may stand
    // that far beyond them.
    const double tolerance = refinement->after.worstCapacitancePercent.value_or(0) / 100 + 1e-3;
    for (const PointQuantity quantity : {PointQuantity::Ciss, PointQuantity::Coss, PointQuantity::Crss}) {
      std::map<double, double> typed;
      for (const DatasheetPoint& point : points.capacitance)
        if (point.quantity == quantity) typed[point.vds] = *point.value;
      if (typed.empty()) continue;
      const double top = typed.rbegin()->first;
      double previous = INFINITY;
      for (double v = kLowestVoltage; v < top * 1.05; v *= 1.05) {
        const double at = std::min(v, top);
        const double value = CapacitanceOf(CapacitancesAt(after, at), quantity);
        EXPECT_LE(value, previous) << QuantityName(quantity) << " rises at " << at << " V";
        previous = value;
        const auto upper = typed.lower_bound(at);
        if (upper == typed.begin() || upper == typed.end()) continue;
        EXPECT_GE(value, upper->second * (1 - tolerance)) << QuantityName(quantity) << " at " << at << " V";
        EXPECT_LE(value, std::prev(upper)->second * (1 + tolerance))
            << QuantityName(quantity) << " at " << at << " V";
      }
      const double ratio = CapacitanceOf(CapacitancesAt(after, kLowVoltage), quantity) /
                           CapacitanceOf(CapacitancesAt(before, kLowVoltage), quantity);
      // Typed gate charges, which integrate the curves over the whole swing, may ask more.
      if (!points.gateCharge) {
        EXPECT_LT(std::max(ratio, 1 / ratio), kLowVoltageFactor) << QuantityName(quantity) << " at 0.5 V";
      }
    }

    // Below the plateau point no band holds the transfer curve: its law rises with the gate
    // voltage whatever the refined parameters, so between the threshold and the plateau point
    // it stays between the currents it meets there.
    const DcParameters dc = DcParametersOf(state.params, setup.pmos);
    double below = 0;
    for (double v = 0; v <= setup.plateauVgs; v += 0.01) {
      const double id = SolvedDrainCurrent(dc, v, setup.vdsTest);
      EXPECT_GE(id, below) << "the transfer curve falls at " << v << " V";
      below = id;
    }

    RecordProperty(
        name, "a " + Number(before.a) + " -> " + Number(after.a) + ", Crss(0.5 V) refined/fitted " +
                  Number(CapacitancesAt(after, kLowVoltage).crss / CapacitancesAt(before, kLowVoltage).crss) +
                  ", worst capacitance " + Percent(refinement->before.worstCapacitancePercent.value_or(0)) +
                  " -> " + Percent(refinement->after.worstCapacitancePercent.value_or(0)) + " %");
  }
}

}  // namespace
}  // namespace vdmos

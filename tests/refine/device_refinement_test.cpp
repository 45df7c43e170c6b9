// The refinement on the start values and on real devices typed from their datasheets (N and P
// channel, logic level, 20 V to 900 V), judged where it counts: the refined card simulated in
// ngspice against the datasheet, the gate charges included where the datasheet gives typical
// values.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "files/datasheet_file.h"
#include "model/control_names.h"
#include "model/model_update.h"
#include "platform/scripted_platform.h"
#include "refine/refine_command.h"
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

WindowState OpenDevice(const std::string& part) {
  WindowState state;
  if (part.empty()) return state;
  ScriptedPlatform platform;
  platform.openFiles.push_back(std::string(VDMOS_TEST_DATA_DIR) + "/devices/" + part + ".txt");
  open_Click(state, platform);
  EXPECT_EQ(state.text(control::Text20), part) << "the device file was not read";
  return state;
}

std::string Percent(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%+.1f", value);
  return text;
}

TEST(DeviceRefinement, RefinedCardsMeetTheDatasheetInNgspice) {
  int charges = 0, chargesMet = 0;
  // "" is the start values. The older HEXFET datasheets give only maximum gate charges, which are
  // no target: those devices have none typed.
  for (const std::string part :
       {"", "IRLB8721", "IRFZ44N", "IRLZ44N", "IRF9Z34N", "IRF540N", "IRF9540N", "IRF640N", "IRFP460",
        "IPW90R120C3", "FQP30N06L", "FQP27P06", "FQPF8N60C", "IRFB4110", "IRLML6402", "STP55NF06"}) {
    const std::string name = part.empty() ? "start values" : part;
    SCOPED_TRACE(name);
    WindowState state = OpenDevice(part);
    ScriptedPlatform platform;
    UpdateModel(state, platform);
    const std::string fittedCard = state.text(control::Text19);
    const VerificationResult fitted = VerifyModel(state);
    ASSERT_TRUE(fitted.ok()) << fitted.message;

    ASSERT_TRUE(RefineModel(state, platform)) << ::testing::PrintToString(platform.MessageTexts());
    EXPECT_NE(state.text(control::Text19), fittedCard);
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
    std::string record = "DC " + Percent(before.dc) + " -> " + Percent(after.dc) + " %, capacitance " +
                         Percent(before.capacitance) + " -> " + Percent(after.capacitance) + " %";
    for (std::size_t i = 0; i < refined.rows.size(); ++i) {
      const VerificationRow& row = refined.rows[i];
      if (!IsGateCharge(row) || !row.datasheet) continue;
      ++charges;
      const bool met = row.errorPercent && std::abs(*row.errorPercent) <= kGateChargeLimitPercent;
      chargesMet += met ? 1 : 0;
      record += ", " + row.quantity + " " + Percent(fitted.rows[i].errorPercent.value_or(NAN)) + " -> " +
                Percent(row.errorPercent.value_or(NAN)) + " %";
    }
    RecordProperty(name, record);

    // The refined card is the user's choice only: the model update still gives the fitted one.
    UpdateModel(state, platform);
    EXPECT_EQ(state.text(control::Text19), fittedCard);
  }
  RecordProperty("typical gate charges within 10 %",
                 std::to_string(chargesMet) + " of " + std::to_string(charges));
}

// Where the datasheet's charges and capacitances contradict each other, the user may rank the
// charges first; then the refined card must meet the charges in ngspice, which a switching-loss
// simulation rests on.
TEST(DeviceRefinement, GateChargesFirstMeetTheChargesInNgspice) {
  int charges = 0, chargesMet = 0;
  for (const std::string part : {"", "IRLB8721", "IPW90R120C3", "FQP30N06L", "FQP27P06", "FQPF8N60C",
                                 "IRFB4110", "IRLML6402", "STP55NF06"}) {
    const std::string name = part.empty() ? "start values" : part;
    SCOPED_TRACE(name);
    WindowState state = OpenDevice(part);
    ScriptedPlatform platform;
    state.setCheck(control::ChargesFirst, 1);
    UpdateModel(state, platform);
    const VerificationResult fitted = VerifyModel(state);
    ASSERT_TRUE(fitted.ok()) << fitted.message;
    const std::optional<Refinement> refinement = RefineModel(state, platform);
    ASSERT_TRUE(refinement) << ::testing::PrintToString(platform.MessageTexts());
    const VerificationResult refined = VerifyModel(state);
    ASSERT_TRUE(refined.ok()) << refined.message;
    EXPECT_TRUE(refined.warnings.empty()) << refined.warnings.front();

    const Worst before = WorstSimulatedErrors(fitted), after = WorstSimulatedErrors(refined);
    EXPECT_LE(after.dc, kDcLimitPercent);
    EXPECT_LT(after.gateCharge, before.gateCharge);
    // The status text says what the charges cost the capacitance points, and no longer points
    // to the check box that is already checked.
    if (after.capacitance > before.capacitance + 1) {
      EXPECT_NE(refinement->tradeOff, "");
      EXPECT_EQ(refinement->tradeOff.find("Gate charges first"), std::string::npos);
    }
    std::string record =
        "capacitance " + Percent(before.capacitance) + " -> " + Percent(after.capacitance) + " %";
    for (const VerificationRow& row : refined.rows) {
      if (!IsGateCharge(row) || !row.datasheet) continue;
      ++charges;
      chargesMet += row.errorPercent && std::abs(*row.errorPercent) <= kGateChargeLimitPercent ? 1 : 0;
      record += ", " + row.quantity + " " + Percent(row.errorPercent.value_or(NAN)) + " %";
    }
    RecordProperty(name, record);
  }
  RecordProperty("typical gate charges within 10 %",
                 std::to_string(chargesMet) + " of " + std::to_string(charges));
  EXPECT_GE(chargesMet, 0.8 * charges) << chargesMet << " of " << charges;
}

}  // namespace
}  // namespace vdmos

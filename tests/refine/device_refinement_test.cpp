// The refinement on the start values and on real devices typed from their datasheets (N and P
// channel, logic level, 30 V to 900 V), judged where it counts: the refined card simulated in
// ngspice against the datasheet.

#include <gtest/gtest.h>

#include <cmath>
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
constexpr double kCapacitanceLimitPercent = 5;

struct Worst {
  double dc = 0, capacitance = 0;
};

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

TEST(DeviceRefinement, RefinedCardsMeetTheDatasheetInNgspice) {
  // "" is the start values.
  for (const std::string part : {"", "IRLB8721", "IRFZ44N", "IRLZ44N", "IRF9Z34N", "IRF540N", "IRF9540N",
                                 "IRF640N", "IRFP460", "IPW90R120C3"}) {
    SCOPED_TRACE(part.empty() ? "start values" : part);
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
    EXPECT_LE(after.capacitance, kCapacitanceLimitPercent);
    EXPECT_LE(after.dc, before.dc + 0.05);
    EXPECT_LE(after.capacitance, before.capacitance + 0.05);
    RecordProperty(part.empty() ? "start values" : part, "DC " + std::to_string(before.dc) + " -> " +
                                                             std::to_string(after.dc) + " %, capacitance " +
                                                             std::to_string(before.capacitance) + " -> " +
                                                             std::to_string(after.capacitance) + " %");

    // The refined card is the user's choice only: the model update still gives the fitted one.
    UpdateModel(state, platform);
    EXPECT_EQ(state.text(control::Text19), fittedCard);
  }
}

}  // namespace
}  // namespace vdmos

// The switch advice: its errors are the simulator's, its best row is the best, and applying it
// sets the switches and updates the model.

#include "refine/switch_advice.h"

#include <gtest/gtest.h>

#include <cmath>

#include "commands/datasheet_commands.h"
#include "commands/model_update.h"
#include "datasheet_device.h"
#include "model/control_names.h"
#include "platform/scripted_platform.h"
#include "refine/refine_texts.h"
#include "refine/switch_advice_columns.h"
#include "verify/verify_model.h"
#include "verify/verify_texts.h"

namespace vdmos {
namespace {

TEST(SwitchAdvice, MeasuresEachSettingAsTheSimulatorDoesAndAppliesTheBest) {
  // Holding VTO at the datasheet threshold misses this part's maximum-current point by 20 %.
  WindowState state = OpenDevice("IRF540N");
  const SwitchAdvice advice = AdviseSwitches(state);
  ASSERT_EQ(advice.current, 0u);
  ASSERT_TRUE(advice.best);
  EXPECT_EQ(advice.rows[*advice.best].setting.FixVTO, 0);
  for (const SwitchAdviceRow& row : advice.rows) {
    ASSERT_TRUE(row.failure.empty()) << row.failure;
    EXPECT_LE(*advice.rows[*advice.best].errors.worstDcPercent, *row.errors.worstDcPercent);
  }

  // The advice's figure for a setting is what ngspice shows for that card.
  for (const std::size_t row : {*advice.current, *advice.best}) {
    WindowState trial = state;
    trial.setCheck(control::ForceRdsOn, advice.rows[row].setting.ForceRdsOn);
    trial.setCheck(control::FixVTO, advice.rows[row].setting.FixVTO);
    ScriptedPlatform platform;
    UpdateModel(trial, platform);
    const VerificationResult simulated = VerifyModel(trial);
    ASSERT_TRUE(simulated.ok()) << simulated.message;
    // Over the DC points the datasheet gives: a check without them must not pass as an error of 0.
    std::optional<double> worst;
    for (const VerificationRow& r : simulated.rows) {
      if (!r.datasheet || (r.quantity != kIdQuantity && r.quantity != kRdsOnQuantity)) continue;
      ASSERT_TRUE(r.errorPercent) << r.condition;
      worst = std::max(worst.value_or(0), std::abs(*r.errorPercent));
    }
    ASSERT_TRUE(worst) << "no DC point in the check";
    EXPECT_NEAR(*advice.rows[row].errors.worstDcPercent, *worst, 0.05);
  }

  ScriptedPlatform platform;
  WindowState fitted = state;
  UpdateModel(fitted, platform);
  ApplyBestSwitches_Click(state, platform);
  EXPECT_EQ(state.check(control::FixVTO), 0);
  EXPECT_NE(state.text(control::Text19), fitted.text(control::Text19));
  EXPECT_EQ(AdviseSwitches(state).current, advice.best);
}

TEST(SwitchAdvice, WithoutAnyUsableSettingChangesNothing) {
  WindowState state;
  state.setText(control::vd1, "1e999");  // every update ends in the parameter error
  const SwitchAdvice advice = AdviseSwitches(state);
  EXPECT_FALSE(advice.best);
  for (const SwitchAdviceRow& row : advice.rows) EXPECT_EQ(row.failure, kAdviceFailedText);
  const WindowState before = state;
  ScriptedPlatform platform;
  ApplyBestSwitches_Click(state, platform);
  EXPECT_EQ(platform.MessageTexts(), std::vector<std::string>{std::string(kNoBestSwitchesText)});
  EXPECT_TRUE(state == before);
}

// The cells the window's table and the command line's both show.
TEST(SwitchAdvice, CellsOfEachKindOfRow) {
  SwitchAdvice advice;
  for (std::size_t i = 0; i < advice.rows.size(); ++i) advice.rows[i].setting = kSwitchSettings[i];
  advice.rows[0].errors = {6.666, 2.78, std::nullopt};
  advice.rows[1].errors = {1.005, INFINITY, std::nullopt};
  advice.rows[2].failure = advice.rows[3].failure = kAdviceFailedText;
  advice.best = 1;
  advice.current = 2;
  using Cells = std::array<std::string, kAdviceColumnCount>;
  const std::string failed(kAdviceFailedText);
  EXPECT_EQ(AdviceCells(advice, 0), (Cells{"on", "on", "6.67", "2.78", ""}));
  EXPECT_EQ(AdviceCells(advice, 1), (Cells{"on", "off", "1.01", "Inf", "best"}));
  EXPECT_EQ(AdviceCells(advice, 2), (Cells{"off", "on", "-", "-", failed + " (current)"}));
  EXPECT_EQ(AdviceCells(advice, 3), (Cells{"off", "off", "-", "-", failed}));
  advice.current = 1;
  EXPECT_EQ(AdviceCells(advice, 1)[kAdviceMarks], "best, current");
}

}  // namespace
}  // namespace vdmos

#include "refine/switch_advice.h"

#include <cmath>

#include "commands/command_runner.h"
#include "commands/model_update.h"
#include "model/checked_math.h"
#include "model/control_names.h"
#include "platform/scripted_platform.h"
#include "refine/refine_texts.h"
#include "verify/bench_setup.h"

namespace vdmos {
namespace {

constexpr double kTiePercent = 1e-9;

SwitchAdviceRow Evaluate(const WindowState& state, const SwitchSetting& setting) {
  SwitchAdviceRow row{setting, {}, {}};
  WindowState trial = state;
  trial.setCheck(control::ForceRdsOn, setting.ForceRdsOn);
  trial.setCheck(control::FixVTO, setting.FixVTO);
  // The input checks would show their messages once per setting; the user sees them when the
  // model is updated for real.
  ScriptedPlatform silent;
  UpdateModel(trial, silent);
  if (ModelFailed(trial)) {
    row.failure = kAdviceFailedText;
    return row;
  }
  try {
    const BenchSetup setup = ReadBenchSetup(trial);
    row.errors = CardErrorsOf(trial.params, setup.pmos, DatasheetPointsOf(setup));
  } catch (const ArithmeticFault&) {
    row.failure = kAdviceFailedText;
  }
  return row;
}

}  // namespace

SwitchAdvice AdviseSwitches(const WindowState& state) {
  SwitchAdvice advice;
  const SwitchSetting own{state.check(control::ForceRdsOn), state.check(control::FixVTO)};
  for (std::size_t i = 0; i < kSwitchSettings.size(); ++i) {
    advice.rows[i] = Evaluate(state, kSwitchSettings[i]);
    if (kSwitchSettings[i] == own) advice.current = i;
  }
  for (std::size_t i = 0; i < advice.rows.size(); ++i) {
    // A card without a DC fit (KP 0 conducts nothing) has an infinite error: no advice rests on it.
    const std::optional<double> worst = advice.rows[i].errors.worstDcPercent;
    if (!worst || !std::isfinite(*worst)) continue;
    if (!advice.best) {
      advice.best = i;
      continue;
    }
    const double bestWorst = *advice.rows[*advice.best].errors.worstDcPercent;
    const bool tie = std::abs(*worst - bestWorst) <= kTiePercent;
    if ((!tie && *worst < bestWorst) || (tie && advice.current == i)) advice.best = i;
  }
  return advice;
}

void ApplyBestSwitches_Click(WindowState& state, Platform& platform) {
  const SwitchAdvice advice = AdviseSwitches(state);
  if (!advice.best) {
    platform.ShowMessage(kNoBestSwitchesText);
    return;
  }
  const SwitchSetting& best = advice.rows[*advice.best].setting;
  state.setCheck(control::ForceRdsOn, best.ForceRdsOn);
  state.setCheck(control::FixVTO, best.FixVTO);
  UpdateModel(state, platform);
}

std::string SwitchSettingText(const SwitchSetting& setting) {
  return std::string(kForceRdsOnName) + (setting.ForceRdsOn == 1 ? " on, " : " off, ") +
         std::string(kFixVtoName) + (setting.FixVTO == 1 ? " on" : " off");
}

}  // namespace vdmos

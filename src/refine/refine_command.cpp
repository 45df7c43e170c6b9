#include "refine/refine_command.h"

#include "extract/checked_math.h"
#include "model/command_runner.h"
#include "model/control_names.h"
#include "model/model_card.h"
#include "model/model_update.h"
#include "refine/refine_texts.h"
#include "verify/bench_setup.h"
#include "verify/verify_texts.h"

namespace vdmos {

std::optional<Refinement> RefineModel(WindowState& state, Platform& platform) {
  if (!EnsureCard(state, platform, kRefineErrorCardText)) return std::nullopt;
  BenchSetup setup;
  try {
    setup = ReadBenchSetup(state);
  } catch (const ArithmeticFault&) {
    platform.ShowMessage(kFieldOverflowText);
    return std::nullopt;
  }
  RefinementOutcome outcome = RefineParameters(
      state.params, setup.pmos, state.check(control::CheckDepMode) != 0, DatasheetPointsOf(setup));
  if (!outcome.refinement) {
    platform.ShowMessage(outcome.message);
    return std::nullopt;
  }
  // Built in full before anything is stored, so a fault part-way leaves the window whole.
  WindowState refined = state;
  try {
    refined.params = outcome.refinement->params;
    ShowNewCard(refined, outcome.refinement->lambdaText, setup.pmos ? kPChannelSuffix : std::string_view{});
  } catch (const ArithmeticFault&) {
    platform.ShowMessage(kParameterErrorText);
    return std::nullopt;
  }
  refined.setText(control::StatusBar1, RefinementSummary(*outcome.refinement));
  state = std::move(refined);
  return std::move(outcome.refinement);
}

void RefineModel_Click(WindowState& state, Platform& platform) { RefineModel(state, platform); }

}  // namespace vdmos

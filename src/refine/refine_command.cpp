#include "refine/refine_command.h"

#include "commands/command_runner.h"
#include "commands/model_update.h"
#include "model/checked_math.h"
#include "model/control_names.h"
#include "model/model_card.h"
#include "model/numbers.h"
#include "refine/refine_texts.h"
#include "verify/bench_setup.h"
#include "verify/verify_texts.h"

namespace vdmos {
namespace {

/// The precision the stored card was written with: a refined card is refined again from what
/// it prints, not from what the fitted card's masks would make of its parameters.
CardPrecision StoredPrecision(const WindowState& state, bool pmos) {
  const std::string lambdaText = FourSignificantText(state.params.LAMBDA);
  for (const CardDigits dc : {CardDigits::FourSignificant, CardDigits::Masks}) {
    for (const CardDigits capacitance : {CardDigits::FourSignificant, CardDigits::Masks}) {
      const CardPrecision precision{dc, capacitance};
      const CardTexts card =
          BuildCardTexts(state.text(control::Text20), state.params,
                         dc == CardDigits::FourSignificant ? lambdaText : state.text(control::Text_LAMBDA),
                         pmos ? kPChannelSuffix : std::string_view{}, precision);
      if (card == state.card) return precision;
    }
  }
  return {};
}

}  // namespace

std::optional<Refinement> RefineModel(WindowState& state, Platform& platform, const FittedOrigin* fitted) {
  if (!EnsureCard(state, platform, kRefineErrorCardText)) return std::nullopt;
  BenchSetup setup;
  try {
    setup = ReadBenchSetup(state);
  } catch (const ArithmeticFault&) {
    platform.ShowMessage(kFieldOverflowText);
    return std::nullopt;
  }
  DatasheetPoints points = DatasheetPointsOf(setup);
  if (points.gateCharge) points.gateCharge->first = state.check(control::ChargesFirst) != 0;
  RefinementOutcome outcome =
      RefineParameters(state.params, setup.pmos, state.check(control::CheckDepMode) != 0, points,
                       StoredPrecision(state, setup.pmos));
  if (!outcome.refinement) {
    platform.ShowMessage(outcome.message);
    return std::nullopt;
  }
  if (fitted && fitted->card != state.card) {
    WindowState origin = state;
    origin.params = fitted->params;
    origin.card = fitted->card;
    outcome.refinement->before =
        CardErrorsOf(fitted->params, setup.pmos, points, StoredPrecision(origin, setup.pmos));
  }
  // Built in full before anything is stored, so a fault part-way leaves the window whole.
  WindowState refined = state;
  try {
    refined.params = outcome.refinement->params;
    ShowNewCard(refined, outcome.refinement->lambdaText, setup.pmos ? kPChannelSuffix : std::string_view{},
                outcome.refinement->precision);
  } catch (const ArithmeticFault&) {
    platform.ShowMessage(kParameterErrorText);
    return std::nullopt;
  }
  refined.setText(control::StatusBar1, RefinementSummary(*outcome.refinement));
  state = std::move(refined);
  return std::move(outcome.refinement);
}

}  // namespace vdmos

#include "refine/refine_command.h"

#include "commands/command_runner.h"
#include "commands/model_update.h"
#include "commands/temperature_update.h"
#include "extract/junction_potential.h"
#include "model/checked_math.h"
#include "model/control_names.h"
#include "model/fields.h"
#include "model/hot_device.h"
#include "model/model_card.h"
#include "model/numbers.h"
#include "refine/hot_rows.h"
#include "refine/refine_texts.h"
#include "verify/bench_setup.h"
#include "verify/model_curves.h"
#include "verify/verify_texts.h"

namespace vdmos {
namespace {

/// Where the refined card's Vj lies below what ngspice simulates from -55 C to 175 C and the
/// user typed no hot values (which hold Vj at that floor, at a cost to the capacitance points
/// that the summary then gives): where ngspice stops simulating the card, and how to get the
/// held one. Empty otherwise.
std::string JunctionRangeWarning(const ModelParameterSet& refined) {
  const CapacitanceParameters c = CapacitanceParametersOf(refined);
  const double floor = JunctionPotentialFloor(kHottestPlottedCelsius);
  if (!(c.Cjo > 0) || !(c.Vj < floor)) return {};
  return std::string(kJunctionKeptOpening) + FormatMask(c.Vj, "0.0##") + std::string(kJunctionKeptHottest) +
         FormatMask(HottestWithJunctionPotential(c.Vj), "0") + std::string(kJunctionKeptCold) +
         std::string(FindField(control::TjHot)->quantity) + std::string(kJunctionKeptHeld) +
         FormatMask(floor, "0.0#") + std::string(kJunctionKeptClosing);
}

/// LAMBDA as a card of that precision writes it: a refined card's four digits, or the field.
std::string LambdaTextOf(const WindowState& state, CardPrecision precision) {
  return precision.dc == CardDigits::FourSignificant ? FourSignificantText(state.params.LAMBDA)
                                                     : state.text(control::Text_LAMBDA);
}

/// The precision the stored card was written with: a refined card is refined again from what
/// it prints, not from what the fitted card's masks would make of its parameters.
CardPrecision StoredPrecision(const WindowState& state, bool pmos) {
  for (const CardDigits dc : {CardDigits::FourSignificant, CardDigits::Masks}) {
    for (const CardDigits capacitance : {CardDigits::FourSignificant, CardDigits::Masks}) {
      const CardPrecision precision{dc, capacitance};
      const CardTexts card = WrittenCardTexts(state, state.params, LambdaTextOf(state, precision),
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
  points.junctionPotentialFloor = JunctionPotentialFloorOf(state);
  RefinementOutcome outcome =
      RefineParameters(state.params, setup.pmos, state.check(control::CheckDepMode) != 0, points,
                       StoredPrecision(state, setup.pmos));
  // Without hot values the fit keeps the Vj that meets the capacitances best, however low: held
  // at the floor, a superjunction part's Coss, which falls by decades over a few volts, missed
  // its points by 37 % instead of 3 %. But a user who simulates such a card hot or cold gets
  // "timestep too small" from ngspice (a refined Vj of 0.1 V stopped it at 55 C and at -20 C),
  // so the summary says where that starts and how to get the card that runs everywhere.
  if (outcome.refinement && points.junctionPotentialFloor == 0)
    outcome.refinement->junctionTradeOff = JunctionRangeWarning(outcome.refinement->params);
  if (!outcome.refinement) {
    platform.ShowMessage(outcome.message);
    return std::nullopt;
  }
  // The card the gains are told against: the fitted one where given, else the card refined.
  WindowState origin = state;
  const bool fromFitted = fitted && fitted->card != state.card;
  if (fromFitted) {
    origin.params = fitted->params;
    origin.card = fitted->card;
  }
  const CardPrecision originPrecision = StoredPrecision(origin, setup.pmos);
  if (fromFitted)
    outcome.refinement->before = CardErrorsOf(origin.params, setup.pmos, points, originPrecision);
  const HotRows hotBefore =
      HotRowsOf(origin, origin.params, LambdaTextOf(origin, originPrecision), originPrecision, setup);
  const HotRows hotAfter = HotRowsOf(state, outcome.refinement->params, outcome.refinement->lambdaText,
                                     outcome.refinement->precision, setup);
  outcome.refinement->hotBefore = hotBefore.worstPercent;
  outcome.refinement->hotAfter = hotAfter.worstPercent;
  outcome.refinement->hotTradeOff = HotTradeOff(hotBefore, hotAfter);
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

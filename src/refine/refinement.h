#pragma once
// "Refine model": starting from the fitted card, KP, VTO, RS, RD, LAMBDA, the capacitance
// parameters and, against a digitized forward curve, the body diode's are moved to minimise
// the worst relative error over every datasheet point, within bounds that keep each parameter
// physical, and written with the card's own text rules.

#include <optional>
#include <string>
#include <string_view>

#include "model/window_state.h"
#include "refine/point_errors.h"

namespace vdmos {

struct Refinement {
  ModelParameterSet params;  ///< the refined set, VTO in the card's sign
  std::string lambdaText;    ///< LAMBDA as the refined card writes it
  CardPrecision precision;   ///< the refined groups print with four significant digits
  CardErrors before, after;  ///< worst errors of the fitted and of the refined card
  /// When Vgs(th) yields to the driven DC points: what meeting it would cost them, as a
  /// sentence; empty otherwise.
  std::string thresholdTradeOff = {};
  /// When the gate charges and the capacitance points cannot all be met: what meeting the
  /// charges cost the capacitances, or with gate charge elements the Qgs they cannot lower, as
  /// a sentence; empty otherwise.
  std::string tradeOff;
  /// When a card simulated hot holds Vj at the least ngspice can simulate hot and the
  /// capacitance points pay for it: what they would reach below it, as a sentence.
  std::string junctionTradeOff = {};
  /// With gate charge elements (params.chargeElement): the bare card's worst gate charge error
  /// in percent, beside after's, which is the ngspice subcircuit's.
  std::optional<double> bareGateChargePercent = std::nullopt;
  /// The hot rows' worst errors of the fitted and of the refined card by their temperature
  /// laws, nullopt without hot rows, and what the refined card gave up of them (a sentence, or
  /// empty): the refine command fills them, as the recipe runs on the card it writes.
  std::optional<double> hotBefore = std::nullopt, hotAfter = std::nullopt;
  std::string hotTradeOff = {};
};

/// What went wrong, as the message to show; or the refinement.
struct RefinementOutcome {
  std::optional<Refinement> refinement;
  std::string message;
};

/// Refines a parameter set, printed with the precision given (a fitted card's masks, or a
/// refined card's), against the datasheet points. Refuses, with a message that says what to
/// do, points that contradict each other (no model can meet them), gate charges that cannot be
/// aimed at, a fitted set without a usable DC start, an optimiser that finds no result, and a
/// result that is no better than the card it started from. Never throws.
RefinementOutcome RefineParameters(const ModelParameterSet& fitted, bool pmos, bool depletion,
                                   const DatasheetPoints& points, CardPrecision fittedPrecision = {});

/// "Refined: worst DC error 0.12 % (was 6.7 %), worst capacitance error 1.3 % (was 4.1 %)", the
/// gate charges', the body diode's and the hot rows' in the same form where the datasheet
/// gives them (the diode's where a curve makes it a target), then the
/// trade-offs.
std::string RefinementSummary(const Refinement& refinement);

/// What the refinement gave up where not everything could be met (the gate charges against the
/// capacitance points, the junction potential's floor, the hot values), in sentences; empty
/// where it gave up nothing.
std::string TradeOffs(const Refinement& refinement);

/// Why the points cannot all be met by any model, as a message; nullopt when they can be.
std::optional<std::string> ContradictionIn(const DatasheetPoints& points);

}  // namespace vdmos

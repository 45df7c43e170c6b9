#pragma once
// The body diode refined to its digitized forward curve: three typed points fix the fitted
// law, and a curve that spans further (lower currents, the bend into RB) asks more of it. Only
// IS, N and RB move, so no other part of the card changes.

#include <optional>
#include <string>

#include "model/window_state.h"
#include "refine/point_errors.h"

namespace vdmos {

/// The body diode text refined to the points' diode curves and forward points, in the fitted
/// text's digits; nullopt without a diode curve, without a diode law to start from, or when
/// the optimiser finds no result.
std::optional<std::string> RefinedDiodeText(const ModelParameterSet& fitted, const DatasheetPoints& points);

}  // namespace vdmos

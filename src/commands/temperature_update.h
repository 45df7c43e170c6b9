#pragma once
// The hot device's fields fitted to the card being made: the temperature parameters of its
// channel and body diode, from the card's numbers as the simulator reads them.

#include <string>
#include <string_view>
#include <vector>

#include "extract/temperature_fit.h"
#include "model/model_card.h"
#include "model/window_state.h"

namespace vdmos {

/// The temperature fit of the fields for the parameter set as the card writes it (its masks or
/// four significant digits, LAMBDA as typed). A field whose number overflows is refused with
/// the others' problems. Never throws.
/// The texts of the hot device's fields the fit reads, in a fixed order.
std::vector<std::string> TemperatureFieldTexts(const WindowState& state);

/// Whether the hot device's fields were typed since the stored card was made, so that its
/// temperature line is not the fit of the fields shown: checked as it is, the hot rows would
/// judge a card never fitted to them.
bool TemperatureFieldsChanged(const WindowState& state);

/// Why the check does not run a card whose temperature line is older than the hot fields.
inline constexpr std::string_view kStaleTemperatureText =
    "The temperature fields have changed since the card was made, so its hot rows would check a card "
    "not fitted to them. Click \"Update model\" (or refine the model) first, then simulate again.";

/// The least junction potential the card's Vj may take: for a card with the temperature line,
/// the one ngspice simulates up to the hot temperatures typed (TjHot, Tj2) and the plotted top;
/// 0 for a card without it.
double JunctionPotentialFloorOf(const WindowState& state);

TemperatureFit TemperatureFitOf(const WindowState& state, const ModelParameterSet& params,
                                std::string_view lambdaText, CardPrecision precision);

}  // namespace vdmos

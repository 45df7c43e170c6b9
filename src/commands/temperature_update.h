#pragma once
// The hot device's fields fitted to the card being made: the temperature parameters of its
// channel and body diode, from the card's numbers as the simulator reads them.

#include <string_view>

#include "extract/temperature_fit.h"
#include "model/model_card.h"
#include "model/window_state.h"

namespace vdmos {

/// The temperature fit of the fields for the parameter set as the card writes it (its masks or
/// four significant digits, LAMBDA as typed). A field whose number overflows is refused with
/// the others' problems. Never throws.
TemperatureFit TemperatureFitOf(const WindowState& state, const ModelParameterSet& params,
                                std::string_view lambdaText, CardPrecision precision);

}  // namespace vdmos

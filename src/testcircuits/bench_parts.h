#pragma once
// Pieces that several test benches place the same way.

#include <string_view>

#include "testcircuits/circuit_inputs.h"
#include "testcircuits/schematic.h"

namespace vdmos {

/// A voltage source whose instance name and value are shown at the symbol itself.
inline constexpr Window kSourceWindows[] = {{123, 0, 0, "Left"}, {39, 0, 0, "Left"}};

/// The transistor under test: the window's FET type as symbol, the model name as value.
void AddTransistor(Schematic& schematic, const CircuitInputs& in, Placement at,
                   std::string_view instanceName);

}  // namespace vdmos

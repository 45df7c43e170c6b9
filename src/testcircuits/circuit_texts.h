#pragma once
// The finished texts of the eight test-circuit files, lines joined by CR LF. The saver adds
// one final CR LF, so the texts that end with CR LF make files that end with an empty line.

#include <string>

#include "testcircuits/circuit_inputs.h"

namespace vdmos {

/// Transfer characteristic: a DC sweep of the gate up to rdsonVgs at the drain voltage vdsTest.
std::string IdVgsSchematic(const CircuitInputs& in);
std::string IdVgsPlotSettings(const CircuitInputs& in);

/// Output characteristics: a drain ramp up to vdsRange, stepped over the gate voltage.
std::string IdVdsVgsSchematic(const CircuitInputs& in);
std::string IdVdsVgsPlotSettings(const CircuitInputs& in);

/// Gate charge: a gate ramp integrated into charge, a constant drain current idCharge and a
/// clamp to vdCharge.
std::string GateChargeSchematic(const CircuitInputs& in);
std::string GateChargePlotSettings(const CircuitInputs& in);

/// Capacitances against the drain voltage: an AC analysis at one frequency, stepped to 25 V.
std::string CxssSchematic(const CircuitInputs& in);
std::string CxssPlotSettings(const CircuitInputs& in);

}  // namespace vdmos

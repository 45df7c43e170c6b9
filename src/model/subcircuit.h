#pragma once
// The model wrapped in a subcircuit that adds a gate-source resistor and a drain-source
// breakdown diode, and the controls around it.

#include <string_view>

#include "model/window_state.h"
#include "platform/platform.h"

namespace vdmos {

/// Rebuilds SubCktTextBox from the model name, the FET type, the breakdown voltage and the
/// text of Text19. Throws ArithmeticFault when the breakdown voltage overflows; the box then
/// keeps its previous text.
void BuildSubCkt(WindowState& state);
/// Change of avalanche_volt: rebuilds the subcircuit; an empty or zero voltage disables the
/// subcircuit box and its copy button, anything else enables them. An overflowing voltage
/// throws ArithmeticFault before anything changes; the front ends run it as a user command.
void avalanche_volt_Change(WindowState& state, Platform& platform);
/// Copies SubCktTextBox to the clipboard.
void CopyToClipBoardSubCkt_Click(WindowState& state, Platform& platform);
/// Shows how to place the subcircuit in a schematic.
void HelpSubCkt_Click(WindowState& state, Platform& platform);
/// The options choose what "Add Model" appends; a click selects one and clears the other.
void OptionStandard_Click(WindowState& state, Platform& platform);
void OptionSubCkt_Click(WindowState& state, Platform& platform);

/// The ten lines of the subcircuit help, joined by CR LF.
extern const std::string_view kSubCktHelpText;

}  // namespace vdmos

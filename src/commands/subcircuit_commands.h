#pragma once
// The controls around the subcircuit: the breakdown voltage, its copy buttons, its help and the
// options that choose what "Add Model" appends.

#include <string_view>

#include "model/window_state.h"
#include "platform/platform.h"

namespace vdmos {

/// Change of avalanche_volt: rebuilds the subcircuit; an empty or zero voltage disables the
/// subcircuit box and its copy button, anything else enables them. An overflowing voltage
/// throws ArithmeticFault before anything changes; the front ends run it as a user command.
void avalanche_volt_Change(WindowState& state, Platform& platform);
/// Copies SubCktTextBox to the clipboard; after a failed model update, shows the failure instead.
void CopyToClipBoardSubCkt_Click(WindowState& state, Platform& platform);
/// Shows how to place the subcircuit in a schematic.
void HelpSubCkt_Click(WindowState& state, Platform& platform);
/// The options choose what "Add Model" appends; a click selects one and clears the other.
void OptionStandard_Click(WindowState& state, Platform& platform);
void OptionSubCkt_Click(WindowState& state, Platform& platform);

/// The ten lines of the subcircuit help, joined by CR LF.
extern const std::string_view kSubCktHelpText;

/// Copies the ngspice subcircuit to the clipboard, or shows why there is none.
void CopyToClipBoardNgspiceSubCkt_Click(WindowState& state, Platform& platform);

}  // namespace vdmos

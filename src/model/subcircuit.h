#pragma once
#include <string_view>

#include "model/window_state.h"
#include "platform/platform.h"

namespace vdmos {

/// Rebuilds SubCktTextBox from the model name, the FET type, the breakdown voltage and the
/// text of Text19. Throws ArithmeticFault when the breakdown voltage overflows.
void BuildSubCkt(WindowState& state);
/// Change of avalanche_volt: rebuilds the subcircuit; an empty or zero voltage disables the
/// subcircuit box and its copy button, anything else enables them.
void avalanche_volt_Change(WindowState& state, Platform& platform);
void CopyToClipBoardSubCkt_Click(WindowState& state, Platform& platform);
void HelpSubCkt_Click(WindowState& state, Platform& platform);
void OptionStandard_Click(WindowState& state, Platform& platform);
void OptionSubCkt_Click(WindowState& state, Platform& platform);

/// The ten lines of the subcircuit help, joined by CR LF.
extern const std::string_view kSubCktHelpText;

}  // namespace vdmos

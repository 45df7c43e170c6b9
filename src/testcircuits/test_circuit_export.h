#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "model/window_state.h"
#include "platform/platform.h"

namespace vdmos {

/// File > Save Test Circuits: asks for a folder, updates the model if the card box is empty,
/// and writes the four schematic and plot-settings pairs.
void testcircuits_Click(WindowState& state, Platform& platform);
/// The folder picker with a title; the empty text on cancel.
std::string BrowseFolder(Platform& platform, std::string_view title);

void SaveIdVgsCircuit(WindowState& state, Platform& platform);
void SaveIdVdsVgsCircuit(WindowState& state, Platform& platform);
void SaveGateChargeCircuit(WindowState& state, Platform& platform);
void SaveCxssCircuit(WindowState& state, Platform& platform);

}  // namespace vdmos

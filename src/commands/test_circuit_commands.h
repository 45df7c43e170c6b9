#pragma once
#include <string>
#include <string_view>

#include "model/window_state.h"
#include "platform/platform.h"

namespace vdmos {

/// File > Save Test Circuits: asks for a folder (a cancel ends the command, writing nothing),
/// refuses with a message a model name that cannot start a file name in that folder, updates
/// the model if the card box is empty, refuses a failed model with its message, and writes the
/// four schematic and plot-settings pairs.
/// Each file replaces any file of its name; a file that cannot be written is skipped silently.
void testcircuits_Click(WindowState& state, Platform& platform);
/// The folder picker with a title; the empty text on cancel.
std::string BrowseFolder(Platform& platform, std::string_view title);

/// Each writes its ".asc" and then its ".plt" file into state.testCircuitFolder, named after
/// Text20, from the current field texts and the stored card segments. They write nothing when
/// the folder is empty or the model name is refused.
void SaveIdVgsCircuit(WindowState& state, Platform& platform);
void SaveIdVdsVgsCircuit(WindowState& state, Platform& platform);
void SaveGateChargeCircuit(WindowState& state, Platform& platform);
void SaveCxssCircuit(WindowState& state, Platform& platform);

}  // namespace vdmos

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
/// When any of the eight files exists, asks Yes or No before replacing them (No writes nothing).
/// A file that cannot be written is skipped silently; the status bar names what was written.
void testcircuits_Click(WindowState& state, Platform& platform);
/// The folder picker with a title; the empty text on cancel.
std::string BrowseFolder(Platform& platform, std::string_view title);

}  // namespace vdmos

#pragma once
// The main window's own handlers: the two help pictures of the transfer frame and the About
// box. They touch only the window state and the platform, so both front ends share them.

#include <string>

#include "model/window_state.h"
#include "platform/platform.h"

namespace vdmos {

/// The gate-charge help: shows Image2 and hides Image3, or hides Image2 if it is shown.
void VgsPlat_Help_Click(WindowState& state, Platform& platform);
/// The transfer-curve help: shows Image3 and hides Image2, or hides Image3 if it is shown.
void transf_help_Click(WindowState& state, Platform& platform);
/// Help > About: the About text in a box titled "About".
void about_Click(WindowState& state, Platform& platform);

/// The About box text, lines joined by CR LF; its author line carries the build's version.
std::string AboutText();

}  // namespace vdmos

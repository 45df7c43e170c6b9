#pragma once
#include "model/window_state.h"
#include "platform/platform.h"

namespace vdmos {

/// File > Save: the 40-line datasheet values file through the save dialog.
void save_Click(WindowState& state, Platform& platform);
/// File > Open: reads a datasheet values file into the fields.
void open_Click(WindowState& state, Platform& platform);

}  // namespace vdmos

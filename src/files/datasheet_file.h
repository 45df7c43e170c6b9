#pragma once
#include "model/window_state.h"
#include "platform/platform.h"

namespace vdmos {

/// File > Save: the 40-line datasheet values file through the save dialog, suggesting
/// Text20 + ".txt".
void save_Click(WindowState& state, Platform& platform);
/// File > Open: reads a datasheet values file into the fields. Nothing changes on a cancel,
/// an unreadable or empty file, or a wrong first line (which is reported); otherwise New runs,
/// the stored fields are loaded, the gaps are filled and the card texts are emptied.
void open_Click(WindowState& state, Platform& platform);

}  // namespace vdmos

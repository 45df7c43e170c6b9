#pragma once
#include <string>

#include "model/window_state.h"
#include "platform/platform.h"

namespace vdmos {

/// File > Save: the datasheet values file through the save dialog, suggesting Text20 + ".txt":
/// the 40-line layout, then one "Name=text" line for each field it does not hold (the gate
/// charges, the breakdown voltage, LAMBDA, the output check point and the DC-fit switches),
/// then one "Curve.NAME=…" line per digitized curve.
void save_Click(WindowState& state, Platform& platform);
/// File > Open: reads a datasheet values file into the fields. Nothing changes on a cancel,
/// an unreadable or empty file, a file over kDatasheetReadLimit or a wrong first line (the
/// last two reported); otherwise New runs,
/// the 40 lines and then the "Name=text" lines are loaded (as typed: the breakdown voltage runs
/// its change handling), the curves taken, the gaps are filled and the card texts are emptied. A file of the
/// 40-line layout alone opens as it always did.
void open_Click(WindowState& state, Platform& platform);
/// File > Open with this file chosen (a recent file): everything but the dialog.
void OpenDatasheetFile(WindowState& state, Platform& platform, const std::string& path);

}  // namespace vdmos

#pragma once
#include "model/window_state.h"
#include "platform/platform.h"

namespace vdmos {

/// The DC extraction: input checks with their messages, the fit, and the matching report.
/// An overflow while a field is read throws ArithmeticFault to the caller.
void Update_DC_Click(WindowState& state, Platform& platform);

}  // namespace vdmos

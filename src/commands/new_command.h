#pragma once
#include "model/window_state.h"
#include "platform/platform.h"

namespace vdmos {

/// File > New: empties or resets the datasheet fields and the stored card texts, selects
/// NMOS, and (by emptying the breakdown voltage) rebuilds and disables the subcircuit.
void New_Click(WindowState& state, Platform& platform);

}  // namespace vdmos

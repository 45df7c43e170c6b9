#pragma once
#include "model/window_state.h"
#include "platform/platform.h"

namespace vdmos {

/// File > New: empties or resets the datasheet fields and the stored card texts, selects
/// NMOS, and (by emptying the breakdown voltage) rebuilds and disables the subcircuit.
void New_Click(WindowState& state, Platform& platform);
/// Puts back what the tool computed from the previous model's values as the window opens
/// with it: the model parameters, and the labels the DC and AC updates write. The window
/// session runs it after New, whose emptied fields make no model for them to describe.
void ForgetComputedResults(WindowState& state);

}  // namespace vdmos

#pragma once
#include "model/window_state.h"
#include "platform/platform.h"

namespace vdmos {

/// Button_Rgate: loads the gate resistance window if it is not loaded (filling it from
/// rdsonVgs and Vplat); an already loaded window is left as it is.
void Button_Rgate_Click(WindowState& state, Platform& platform);
/// OK of the gate resistance window: writes the estimate into Text2; silent on a fault.
void OkButton_Click(WindowState& state, Platform& platform);
/// Closing the gate resistance window unloads it.
void Form_Rgate_Unload(WindowState& state, Platform& platform);

}  // namespace vdmos

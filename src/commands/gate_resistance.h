#pragma once
#include "model/window_state.h"
#include "platform/platform.h"

namespace vdmos {

/// Button_Rgate: loads the gate resistance window if it is not loaded, copying the texts of
/// rdsonVgs and Vplat into Text_VGG and Text_VGSP; an already loaded window is left as it is.
void Button_Rgate_Click(WindowState& state, Platform& platform);
/// OK of the gate resistance window: Rg = ((VGG - VGSP/2) * td) / (Qgd/5 + Qgs) - Rout from the
/// fields' plain decimal readings, written into Text2 with "0.0#". Silent on a fault; does
/// nothing while the window is not loaded.
void OkButton_Click(WindowState& state, Platform& platform);
/// Closing the gate resistance window unloads it, so the next opening copies afresh.
void Form_Rgate_Unload(WindowState& state, Platform& platform);

}  // namespace vdmos

#pragma once
#include <string>
#include <string_view>

#include "model/window_state.h"
#include "platform/platform.h"

namespace vdmos {

/// Button_Rgate: loads the gate resistance window if it is not loaded, copying the texts of
/// rdsonVgs and Vplat into Text_VGG and Text_VGSP; an already loaded window is left as it is.
void Button_Rgate_Click(WindowState& state, Platform& platform);
/// OK of the gate resistance window: Rg = ((VGG - VGSP/2) * td) / (Qgd/5 + Qgs) - Rout from the
/// fields' plain decimal readings, written into Text2 with "0.0#". An estimate below 0, or a
/// fault (no charges, an overflow), leaves Text2 as it was and says why; does nothing while
/// the window is not loaded.
void OkButton_Click(WindowState& state, Platform& platform);

/// Why no estimate was written: the driver's resistance alone is more than the gate loop the
/// delay allows.
std::string NegativeGateResistanceText(double loop, double rout);
inline constexpr std::string_view kGateResistanceFaultText =
    "Rg cannot be estimated from these values: Qgs + 0.2 * Qgd must be above 0 (type the gate "
    "charges in nC) and every value a plain decimal number that is not too large. Rg was left as it was.";
/// Closing the gate resistance window unloads it, so the next opening copies afresh.
void Form_Rgate_Unload(WindowState& state, Platform& platform);

}  // namespace vdmos

#pragma once
#include "model/window_state.h"
#include "platform/platform.h"

namespace vdmos {

/// The capacitance extraction: the Crss and Coss checks, the gate-drain fit, CGS, the
/// junction fit, TT and the captions. Arithmetic faults throw ArithmeticFault to the caller.
void Update_AC_Click(WindowState& state, Platform& platform);

}  // namespace vdmos

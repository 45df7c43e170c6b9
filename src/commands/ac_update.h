#pragma once
#include "model/window_state.h"
#include "platform/platform.h"

namespace vdmos {

/// The capacitance extraction: the Crss order and Coss checks (with their messages), the
/// gate-drain fit (CGDMAX, CGDMIN, a), CGS, the junction fit, TT and the captions Ciss_on,
/// Ciss_off and Label_ACparam. May rewrite Text21 and Trr. An arithmetic fault throws
/// ArithmeticFault at the failing operation: parameters stored before it keep their new
/// values and the captions are left as they were.
void Update_AC_Click(WindowState& state, Platform& platform);

}  // namespace vdmos

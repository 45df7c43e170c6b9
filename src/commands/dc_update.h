#pragma once
#include <string>

#include "model/window_state.h"
#include "platform/platform.h"

namespace vdmos {

/// The DC extraction: input checks with their messages (correcting a negative Id max and, in
/// enhancement mode, a negative Vgs at Id max), the fit when the gate-charge data allow it,
/// the matching report, and Label_DcParam. An overflow while a field is read throws
/// ArithmeticFault to the caller; faults of the fit itself never leave it.
void Update_DC_Click(WindowState& state, Platform& platform);

/// The text written back into Text_LAMBDA: the "0.00#" card text when it reads back within
/// 1% of LAMBDA, otherwise the default number text, so a small LAMBDA is never replaced by a
/// different value.
std::string LambdaFieldText(double LAMBDA);

}  // namespace vdmos

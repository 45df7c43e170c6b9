#pragma once
// Commands are functions over the window's state and the platform. A command the user starts
// directly runs through RunUserCommand, which keeps an arithmetic fault from ever ending the
// program.

#include <functional>
#include <string_view>

#include "model/model_failure.h"
#include "model/window_state.h"
#include "platform/platform.h"

namespace vdmos {

using Command = void (*)(WindowState&, Platform&);

/// Runs a command started by the user. If an ArithmeticFault escapes it, the state is put
/// back as it was before the command (so nothing half-computed stays) and the fault is
/// reported with kParameterErrorText. A front end may pass a closure that keeps what the command
/// returns (the refinement's outcome). Returns false when the command ended in such a fault.
bool RunUserCommand(const std::function<void(WindowState&, Platform&)>& command, WindowState& state,
                    Platform& platform);

}  // namespace vdmos

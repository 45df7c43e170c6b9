#pragma once
// Commands are functions over the window's state and the platform. A command the user starts
// directly runs through RunUserCommand, which keeps an arithmetic fault from ever ending the
// program.

#include <functional>
#include <string_view>

#include "model/window_state.h"
#include "platform/platform.h"

namespace vdmos {

using Command = void (*)(WindowState&, Platform&);

/// The text the model card box shows when a model update fails, and the message shown when a
/// command started on its own ends in an arithmetic fault.
inline constexpr std::string_view kParameterErrorText =
    "Error in one or more parameters... The model data cannot be calculated.";

/// Runs a command started by the user. If an ArithmeticFault escapes it, the state is put
/// back as it was before the command (so nothing half-computed stays) and the fault is
/// reported with kParameterErrorText. A front end may pass a closure that keeps what the command
/// returns (the refinement's outcome).
void RunUserCommand(const std::function<void(WindowState&, Platform&)>& command, WindowState& state,
                    Platform& platform);

}  // namespace vdmos

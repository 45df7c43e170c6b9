#include "commands/command_runner.h"

#include "model/checked_math.h"

namespace vdmos {

bool RunUserCommand(const std::function<void(WindowState&, Platform&)>& command, WindowState& state,
                    Platform& platform) {
  const WindowState before = state;
  try {
    command(state, platform);
    return true;
  } catch (const ArithmeticFault&) {
    state = before;
    platform.ShowMessage(kParameterErrorText);
    return false;
  }
}

}  // namespace vdmos

#include "commands/command_runner.h"

#include "model/checked_math.h"

namespace vdmos {

void RunUserCommand(const std::function<void(WindowState&, Platform&)>& command, WindowState& state,
                    Platform& platform) {
  const WindowState before = state;
  try {
    command(state, platform);
  } catch (const ArithmeticFault&) {
    state = before;
    platform.ShowMessage(kParameterErrorText);
  }
}

}  // namespace vdmos

#include "model/model_failure.h"

#include "model/control_names.h"

namespace vdmos {

bool ModelFailed(const WindowState& state) { return ModelFailed(state.text(control::Text19)); }

bool ChannelMissing(const WindowState& state) {
  return !state.card.segment1.empty() && !ModelFailed(state) && !(state.params.KP > 0);
}

}  // namespace vdmos

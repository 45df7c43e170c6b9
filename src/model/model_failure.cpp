#include "model/model_failure.h"

#include "model/control_names.h"

namespace vdmos {

bool ModelFailed(const WindowState& state) { return ModelFailed(state.text(control::Text19)); }

}  // namespace vdmos

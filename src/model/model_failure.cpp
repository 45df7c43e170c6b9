#include "model/model_failure.h"

#include "model/card_reading.h"
#include "model/control_names.h"

namespace vdmos {

bool ModelFailed(const WindowState& state) { return ModelFailed(state.text(control::Text19)); }

bool ChannelMissing(const WindowState& state) {
  // The KP the card prints, which the simulator takes: a fit of a few microamperes leaves one
  // too small for its digits, and "KP=0.000" conducts as little as no fit.
  return !state.card.segment1.empty() && !ModelFailed(state) &&
         !(ParametersAsPrinted(state.params, state.card).KP > 0);
}

}  // namespace vdmos

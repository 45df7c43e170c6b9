#pragma once
#include <optional>

#include "model/window_state.h"
#include "platform/platform.h"
#include "refine/refinement.h"

namespace vdmos {

/// "Refine model": refines the stored card's parameters against the datasheet points and, when
/// the result is better, puts the refined card in Text19 (one line or three, as "Multiple
/// Lines" asks), the card segments and the subcircuit, with a summary in the status bar. The
/// model is updated first when the card box is empty. Anything that stops it is shown as a
/// message and leaves the window as it was. Returns the refinement that was applied.
std::optional<Refinement> RefineModel(WindowState& state, Platform& platform);

}  // namespace vdmos

#pragma once
#include <optional>

#include "model/window_state.h"
#include "platform/platform.h"
#include "refine/refinement.h"

namespace vdmos {

/// The fitted card a refined card came from: refining the refined card again still tells its
/// gains against the fitted card, as the check's comparison does.
struct FittedOrigin {
  ModelParameterSet params;
  CardTexts card;
};

/// "Refine model": refines the stored card's parameters against the datasheet points and, when
/// the result is better, puts the refined card in Text19 (one line or three, as "Multiple
/// Lines" asks), the card segments and the subcircuit, with a summary in the status bar. The
/// model is updated first when the card box is empty. Anything that stops it is shown as a
/// message and leaves the window as it was. Returns the refinement that was applied; its
/// "before" figures are those of `fitted` when given, else of the card refined.
std::optional<Refinement> RefineModel(WindowState& state, Platform& platform,
                                      const FittedOrigin* fitted = nullptr);

}  // namespace vdmos

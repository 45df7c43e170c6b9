#pragma once
// The start card and the window around it, for the model check tests.

#include "commands/model_update.h"
#include "golden/start_card.h"
#include "model/window_state.h"
#include "platform/scripted_platform.h"

namespace vdmos::testing {

/// A fresh window after "Update model": the card of the start values.
inline WindowState UpdatedStartWindow() {
  WindowState state;
  ScriptedPlatform platform;
  UpdateModel(state, platform);
  return state;
}

/// The start card as the model update stores it, typed from the documented card text.
inline CardTexts StartCard() {
  return {golden::kStartSegment1, golden::kStartSegment2, golden::kStartSegment3, golden::kStartCardOneLine};
}

/// The start card with one segment (1, 2 or 3) replaced.
inline CardTexts StartCardWith(int segment, std::string text) {
  CardTexts card = StartCard();
  (segment == 1 ? card.segment1 : segment == 2 ? card.segment2 : card.segment3) = std::move(text);
  return card;
}

/// The start card as the PMOS form of the model update stores it.
inline CardTexts PChannelStartCard() {
  CardTexts card = StartCard();
  card.segment1 = golden::kPChannelSegment1;
  card.segment3 = golden::kPChannelSegment3;
  return card;
}

/// The window with the start card and the card's own numbers as parameters, so that the
/// model's curves and the simulator work on the same values.
inline WindowState StartCardWindow() {
  WindowState state;
  state.card = StartCard();
  state.params = {.KP = 6.4968,
                  .RS = 0.0016,
                  .RD = 0.1364,
                  .VTO = 3,
                  .RG = 0.54,
                  .LAMBDA = 0.001,
                  .TT = 720,
                  .CGDMAX = 5561,
                  .CGDMIN = 5,
                  .CGS = 2350,
                  .a = 1.93,
                  .bodyDiodeText = "IS=1.47E-08 N=1.576 RB=0.006897 ",
                  .junctionCapText = "m=0.797 Vj=1.03 Cjo=9600.0pF"};
  return state;
}

}  // namespace vdmos::testing

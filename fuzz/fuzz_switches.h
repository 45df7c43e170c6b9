#pragma once
// The check boxes of the window from one fuzzed byte, so that every branch of the fits that a
// switch selects is reachable.
#include "model/control_names.h"
#include "model/window_state.h"

inline void SetSwitchesFromByte(vdmos::WindowState& state, unsigned switches) {
  state.setCheck(vdmos::control::CheckDepMode, switches & 1u);
  state.setCheck(vdmos::control::ForceRdsOn, (switches >> 1) & 3u);
  state.setCheck(vdmos::control::FixVTO, (switches >> 3) & 1u);
  state.setCheck(vdmos::control::LineBreak, (switches >> 4) & 1u);
  state.setCheck(vdmos::control::ChargesFirst, (switches >> 5) & 1u);
}

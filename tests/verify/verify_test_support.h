#pragma once
// The window after one model update with the start values, for the model check tests.

#include "model/model_update.h"
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
  return {".MODEL 20N60C3 VDMOS(KP=6.4968 RS=0.0016 RD=0.1364 RG=0.54 VTO=3.0 ",
          "LAMBDA=0.001 CGDMAX=5561p CGDMIN=5p CGS=2350p TT=720n a=1.93",
          "IS=1.47E-08 N=1.576 RB=0.006897 m=0.797 Vj=1.03 Cjo=9600.0pF)",
          ".MODEL 20N60C3 VDMOS(KP=6.4968 RS=0.0016 RD=0.1364 RG=0.54 VTO=3.0 LAMBDA=0.001 CGDMAX=5561p "
          "CGDMIN=5p CGS=2350p TT=720n a=1.93 IS=1.47E-08 N=1.576 RB=0.006897 m=0.797 Vj=1.03 Cjo=9600.0pF)"};
}

/// The parameter set with the start card's own numbers, so that the model's curves and the
/// simulator work on the same values.
inline ModelParameterSet StartCardParameters() {
  ModelParameterSet p;
  p.KP = 6.4968;
  p.RS = 0.0016;
  p.RD = 0.1364;
  p.RG = 0.54;
  p.VTO = 3;
  p.LAMBDA = 0.001;
  p.CGDMAX = 5561;
  p.CGDMIN = 5;
  p.CGS = 2350;
  p.TT = 720;
  p.a = 1.93;
  p.bodyDiodeText = "IS=1.47E-08 N=1.576 RB=0.006897 ";
  p.junctionCapText = "m=0.797 Vj=1.03 Cjo=9600.0pF";
  return p;
}

}  // namespace vdmos::testing

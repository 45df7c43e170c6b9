#include "commands/ac_update.h"

#include <cmath>
#include <optional>
#include <string>
#include <utility>

#include "commands/temperature_update.h"
#include "extract/ac_messages.h"
#include "extract/constants.h"
#include "extract/junction_fit.h"
#include "extract/junction_potential.h"
#include "model/checked_math.h"
#include "model/control_names.h"
#include "model/field_reading.h"
#include "model/numbers.h"

namespace vdmos {

namespace {

// The "Typical Capacitance" grid: capacitances in pF, voltages in V.
struct CapacitanceGrid {
  double Ciss1, Coss0, Coss1, Coss2;
  double C0, C1, C2;  // Crss at 0 V, at V1, at V2
  double V1, V2;      // the middle and the maximum drain-source voltage
};

// The capacitances take the plain reading, so a suffix such as "2.4n" is not a scale here
// (a unit is: "2.4nF" is 2400 pF); only the two voltages take the engineering reading.
CapacitanceGrid ReadGrid(const WindowState& state) {
  CapacitanceGrid g{};
  g.Ciss1 = FieldValue(state, control::Text7);
  g.Coss1 = FieldValue(state, control::Text8);
  g.Coss0 = FieldValue(state, control::Text21);
  g.Coss2 = FieldValue(state, control::TextCossMin);
  g.C1 = FieldValue(state, control::Text9);
  g.C0 = FieldValue(state, control::Text10);
  g.C2 = FieldValue(state, control::Text11);
  g.V1 = FieldValue(state, control::TextVdsMiddle);
  g.V2 = FieldValue(state, control::TextVdsMax);
  return g;
}

// The normal-mode curve Crss(V) = C0 - (CGDMAX - C0) * atan(a * V), with
// CGDMAX - C0 = 2 * (C0 - CGDMIN) / pi, solved piece by piece.
double CgdMaxFor(const CapacitanceGrid& g, double cgdMin) {
  return Add(g.C0, Div(Sub(g.C0, cgdMin), kHalfPi));
}

double ScaleThroughMiddlePoint(const CapacitanceGrid& g, double cgdMax) {
  return Div(-Tan(Div(Sub(g.C1, g.C0), Sub(cgdMax, g.C0))), g.V1);
}

double CgdMinThroughMaxPoint(const CapacitanceGrid& g, double a) {
  return Add(g.C0, Div(Mul(Sub(g.C2, g.C0), kHalfPi), Atan(Mul(a, g.V2))));
}

// Each parameter is stored the moment it is computed, so a fault part-way leaves the earlier
// ones with their new values.
void FitGateDrainDepletion(const CapacitanceGrid& g, ModelParameterSet& p) {
  p.CGDMAX = g.C0;
  p.a = 1.0;
  p.CGDMIN = CgdMinThroughMaxPoint(g, p.a);
}

void FitGateDrainNormal(const CapacitanceGrid& g, ModelParameterSet& p) {
  constexpr double kSettled = 0.001;
  constexpr int kMaxValues = 1000;
  p.CGDMAX = CgdMaxFor(g, p.CGDMIN);
  p.a = ScaleThroughMiddlePoint(g, p.CGDMAX);
  double next = CgdMinThroughMaxPoint(g, p.a);
  double change = std::fabs(Div(Sub(p.CGDMIN, next), p.CGDMIN));
  int count = 1;
  for (;;) {
    p.CGDMIN = next;
    // Leaving here keeps CGDMAX and a one step behind: they are the pair that produced this
    // CGDMIN, not the pair this CGDMIN would give.
    if (count >= kMaxValues || change <= kSettled) break;
    p.CGDMAX = CgdMaxFor(g, next);
    p.a = ScaleThroughMiddlePoint(g, p.CGDMAX);
    next = CgdMinThroughMaxPoint(g, p.a);
    change = std::fabs(Div(Sub(p.CGDMIN, next), p.CGDMIN));
    ++count;
  }
  if (p.CGDMIN < 0.0) {
    p.CGDMIN = 0.0;
    p.CGDMAX = CgdMaxFor(g, 0.0);
    p.a = ScaleThroughMiddlePoint(g, p.CGDMAX);
  }
}

}  // namespace

void Update_AC_Click(WindowState& state, Platform& platform) {
  const CapacitanceGrid g = ReadGrid(state);
  if (g.C2 >= g.C1) {
    platform.ShowMessage(CrssOrderMessage(FormatMask(g.V2, "0"), FormatMask(g.V1, "0")));
    return;
  }

  ModelParameterSet& p = state.params;
  p.CGDMIN = g.C2;
  if (state.check(control::CheckDepMode) == 1) {
    FitGateDrainDepletion(g, p);
  } else {
    FitGateDrainNormal(g, p);
  }
  p.CGS = Sub(g.Ciss1, g.C1);

  double coss0 = g.Coss0;
  if (coss0 < g.C0) {
    platform.ShowMessage(kCossMaxMessage);
    coss0 = g.C0;
    state.setText(control::Text21, DefaultNumberText(g.C0));
  }
  // The drain-source capacitance of each row is what Coss holds beyond Crss.
  // A card with the temperature line is simulated hot, where a low Vj leaves ngspice no
  // operating point: its Vj is held at the floor, and the message says so.
  const double floor = JunctionPotentialFloorOf(state);
  const std::optional<JunctionCap> junction =
      FitJunctionCap(0.0, Sub(coss0, g.C0), g.V1, Sub(g.Coss1, g.C1), g.V2, Sub(g.Coss2, g.C2), floor);
  p.junctionCapText = junction ? junction->Text() : std::string();
  if (junction && junction->raisedFrom)
    platform.ShowMessage(JunctionPotentialRaisedMessage(*junction->raisedFrom, floor));

  if (state.text(control::Trr).empty()) state.setText(control::Trr, "0");
  p.TT = Mul(1.44, FieldValue(state, control::Trr));

  // All caption texts are made before any is shown, so a fault leaves every caption as it was.
  std::string cissOn = FormatMask(Add(g.C0, p.CGS), "0#");
  std::string cissOff = FormatMask(Add(g.C2, p.CGS), "0#");
  std::string summary = "CGDMAX=" + CardNumberText(p.CGDMAX, "0") +
                        "p CGDMIN=" + CardNumberText(p.CGDMIN, "0") + "p CGS=" + CardNumberText(p.CGS, "0") +
                        "p TT=" + CardNumberText(p.TT, "0#") + "n ";
  state.setText(control::Ciss_on, std::move(cissOn));
  state.setText(control::Ciss_off, std::move(cissOff));
  state.setText(control::Label_ACparam, std::move(summary));
}

}  // namespace vdmos

#include "commands/gate_resistance.h"

#include "model/checked_math.h"
#include "model/control_names.h"
#include "model/numbers.h"

namespace vdmos {

void Button_Rgate_Click(WindowState& state, Platform&) {
  if (state.rgate) return;
  GateResistanceForm form;
  form.Text_VGG = state.text(control::rdsonVgs);
  form.Text_VGSP = state.text(control::Vplat);
  state.rgate = form;
}

void OkButton_Click(WindowState& state, Platform& platform) {
  if (!state.rgate) return;
  const GateResistanceForm& form = *state.rgate;
  try {
    const double VGG = PlainDecimalReading(form.Text_VGG);
    const double Rout = PlainDecimalReading(form.Text_Rout);
    const double VGSP = PlainDecimalReading(form.Text_VGSP);
    const double Qgs = PlainDecimalReading(form.Text_Qgs);
    const double Qgd = PlainDecimalReading(form.Text_Qgd);
    const double td = PlainDecimalReading(form.Text_Td_On);
    // Total gate-loop resistance from the time the driver takes to charge the gate to
    // the plateau and through it, minus the driver's own resistance. ns over nC gives ohms.
    const double loop = Div(Mul(Sub(VGG, Mul(VGSP, 0.5)), td), Add(Mul(Qgd, 0.2), Qgs));
    const double rg = Sub(loop, Rout);
    // A negative gate resistance would go into the card as RG and make the simulated switching
    // faster than any driver could.
    if (rg < 0) {
      platform.ShowMessage(NegativeGateResistanceText(loop, Rout));
      return;
    }
    state.setText(control::Text2, CardNumberText(rg, "0.0#"));
  } catch (const ArithmeticFault&) {
    platform.ShowMessage(kGateResistanceFaultText);
  }
}

std::string NegativeGateResistanceText(double loop, double rout) {
  return "The estimate is below 0 Ohm: the delay and the charges allow a gate loop of " +
         CardNumberText(loop, "0.0#") + " Ohm, less than the driver's output resistance Rout of " +
         CardNumberText(rout, "0.0#") +
         " Ohm. Check td(on) (ns), Qgs and Qgd (nC) and Rout against the datasheet's switching test. "
         "Rg was left as it was.";
}

void Form_Rgate_Unload(WindowState& state, Platform&) { state.rgate.reset(); }

}  // namespace vdmos

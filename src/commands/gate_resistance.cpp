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

void OkButton_Click(WindowState& state, Platform&) {
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
    state.setText(control::Text2, CardNumberText(Sub(loop, Rout), "0.0#"));
  } catch (const ArithmeticFault&) {
    // A fault (no gate charge given, an overflow) leaves Rg as it was, without a message.
  }
}

void Form_Rgate_Unload(WindowState& state, Platform&) { state.rgate.reset(); }

}  // namespace vdmos

#include "commands/dc_update.h"

#include <cmath>
#include <string>
#include <string_view>

#include "extract/dc_equations.h"
#include "extract/dc_fit.h"
#include "extract/dc_messages.h"
#include "model/control_names.h"
#include "model/field_reading.h"
#include "model/numbers.h"

namespace vdmos {
namespace {

double Read(const WindowState& state, std::string_view control) { return FieldValue(state, control); }

std::string CurrentText(double Id) { return FormatMask(Id, "0.0##"); }

/// "Vgs=<Vgs> Id=<model current at the transfer test voltage>".
std::string TransferPointText(const WindowState& state, double Vgs) {
  const ModelParameterSet& p = state.params;
  const double Id =
      ModelDrainCurrent(p.RS, p.RD, p.KP, p.VTO, Vgs, Read(state, control::TextBoxVdsTest), p.LAMBDA);
  return std::string(dc_text::kVgsPrefix) + DefaultNumberText(Vgs) + std::string(dc_text::kIdPrefix) +
         CurrentText(Id);
}

/// The model's current at the user's matching-check gate voltage and one drain voltage.
std::string MatchingCheckText(const WindowState& state, std::string_view vdsControl) {
  const ModelParameterSet& p = state.params;
  const double Vg = Read(state, control::Out_VGS);
  const double Vd = Read(state, vdsControl);
  return CurrentText(ModelDrainCurrent(p.RS, p.RD, p.KP, p.VTO, Vg, Vd, p.LAMBDA));
}

std::string DcParamText(const ModelParameterSet& p) {
  std::string text(dc_text::kKpPrefix);
  text += CardNumberText(p.KP, "0.000#");
  text += dc_text::kRsPrefix;
  text += CardNumberText(p.RS, "0.0###");
  text += dc_text::kRdPrefix;
  text += CardNumberText(p.RD, "0.0###");
  text += dc_text::kVtoPrefix;
  text += CardNumberText(p.VTO, "0.0#");
  return text;
}

}  // namespace

std::string LambdaFieldText(double LAMBDA) {
  std::string masked = CardNumberText(LAMBDA, "0.00#");
  // The card takes LAMBDA from this field, so the text must still say the user's value.
  if (std::fabs(PlainReading(masked) - LAMBDA) <= 0.01 * std::fabs(LAMBDA)) return masked;
  return DefaultNumberText(LAMBDA);
}

void Update_DC_Click(WindowState& state, Platform& platform) {
  ModelParameterSet& p = state.params;
  const bool depletionMode = state.check(control::CheckDepMode) != 0;

  const double Ron = Read(state, control::Text6);
  const double Vth = Read(state, control::Text3);
  if (Vth < 0 && !depletionMode) {
    platform.ShowMessage(dc_text::kVgsThNegative);
    return;
  }

  double Im = Read(state, control::Text4);
  if (Im < 0) {
    platform.ShowMessage(dc_text::kIdMaxCorrected);
    Im = -Im;
    state.setText(control::Text4, DefaultNumberText(Im));
  }

  double Vm = Read(state, control::Text5);
  if (Vm < 0 && !depletionMode) {
    platform.ShowMessage(dc_text::kVgsMaxCorrected);
    Vm = -Vm;
    state.setText(control::Text5, DefaultNumberText(Vm));
  }

  double Vr = Read(state, control::rdsonVgs);
  if (Vr < 0 && !depletionMode) {
    platform.ShowMessage(dc_text::kVgsRdsonNegative);
    return;
  }

  p.VTO = Vth;
  // In depletion mode Rds(on) may be given at 0 V.
  if (Vr == 0 && !depletionMode) {
    Vr = 10;
    state.setText(control::rdsonVgs, "10");
  }

  const double Ip = Read(state, control::Idplat);
  const double Vp = Read(state, control::Vplat);
  p.LAMBDA = Read(state, control::Text_LAMBDA);

  if (Ip > 0 && Vp > Vth) {
    const double Vt = Read(state, control::TextBoxVdsTest);
    const std::string message = DcTransferFit(Vp, Ip, Vm, Im, Ron, Vr, p.RS, p.RD, p.KP, p.VTO, p.LAMBDA, Vt,
                                              state.check(control::FixVTO), state.check(control::ForceRdsOn));
    state.setText(control::Text_LAMBDA, LambdaFieldText(p.LAMBDA));
    state.setText(control::StatusBar1, message);
    state.setText(control::Label_Rds,
                  std::string(dc_text::kRdsOnPrefix) +
                      FormatMask(ModelRdsOn(p.RS, p.RD, p.KP, p.VTO, Vr, p.LAMBDA), "0.0####"));
    state.setText(control::DATA1, TransferPointText(state, Vp));
    state.setText(control::DATA2, TransferPointText(state, Vm));
    state.setText(control::OUT_ID1, MatchingCheckText(state, control::OUT_VDS1));
    state.setText(control::OUT_ID2, MatchingCheckText(state, control::OUT_VDS2));
  }

  state.setText(control::Label_DcParam, DcParamText(p));
}

}  // namespace vdmos

#include "commands/model_update.h"

#include "commands/ac_update.h"
#include "commands/command_runner.h"
#include "commands/dc_update.h"
#include "commands/temperature_update.h"
#include "extract/body_diode.h"
#include "model/card_reading.h"
#include "model/checked_math.h"
#include "model/control_names.h"
#include "model/fet_type.h"
#include "model/field_reading.h"
#include "model/numbers.h"
#include "model/simulator_numbers.h"
#include "model/subcircuit.h"

namespace vdmos {
namespace {

/// Why a field the card copies as typed cannot go into it: the model name, and LAMBDA, which
/// goes in as typed when the DC fit does not run.
std::optional<std::string> CopiedFieldProblem(const WindowState& state) {
  if (auto problem = NgspiceModelNameProblem(state.text(control::Text20))) return std::string(*problem);
  return NumberFieldProblem(control::Text_LAMBDA, state.text(control::Text_LAMBDA));
}

void ShowParameterError(WindowState& state) {
  state.setText(control::Text19, std::string(kParameterErrorText));
  state.setEnabled(control::Command1, false);
}

/// The stored card in the form "Multiple Lines" asks for.
std::string CardBoxText(const WindowState& state) {
  return state.check(control::LineBreak) == 1 ? ThreeLineCard(state.card) : state.card.singleLine;
}

}  // namespace

void UpdateModel(WindowState& state, Platform& platform) {
  if (auto problem = CopiedFieldProblem(state)) {
    platform.ShowMessage(*problem);
    ShowParameterError(state);
    return;
  }
  // One handler for the whole road: whatever a step stored before a fault keeps its new
  // value, and nothing after the fault runs.
  try {
    Update_DC_Click(state, platform);
    Update_AC_Click(state, platform);

    const double vd1 = FieldValue(state, control::vd1);
    const double id1 = FieldValue(state, control::id1);
    const double vd2 = FieldValue(state, control::vd2);
    const double id2 = FieldValue(state, control::id2);
    const double vd3 = FieldValue(state, control::vd3);
    const double id3 = FieldValue(state, control::id3);
    state.params.bodyDiodeText = BodyDiodeFit(vd1, id1, vd2, id2, vd3, id3);

    std::string_view channelSuffix;
    if (IsPChannelType(state.text(control::Combo1))) {
      channelSuffix = kPChannelSuffix;
      // The stored value itself flips; the next DC extraction sets it afresh.
      state.params.VTO = -state.params.VTO;
    }
    state.params.RG = FieldValue(state, control::Text2);
    // The subthreshold slope and the gate charge elements are a refinement's alone: the fitted
    // card never carries them.
    state.params.KSUBTHRES.reset();
    state.params.chargeElement.reset();

    for (const TemperatureProblem& problem :
         ShowNewCard(state, state.text(control::Text_LAMBDA), channelSuffix))
      platform.ShowMessage(problem.message);
  } catch (const ArithmeticFault&) {
    ShowParameterError(state);
  }
}

std::vector<TemperatureProblem> ShowNewCard(WindowState& state, std::string_view lambdaText,
                                            std::string_view channelSuffix, CardPrecision precision) {
  TemperatureFit temperature = TemperatureFitOf(state, state.params, lambdaText, precision);
  state.params.temperatureText = temperature.CardText();
  state.params.temperatureFields = TemperatureFieldTexts(state);
  state.card = WrittenCardTexts(state, state.params, lambdaText, channelSuffix, precision);
  state.setText(control::Text19, CardBoxText(state));
  state.setEnabled(control::Command1, true);
  BuildSubCkt(state);
  return std::move(temperature.problems);
}

CardTexts WrittenCardTexts(const WindowState& state, const ModelParameterSet& params,
                           std::string_view lambdaText, std::string_view channelSuffix,
                           CardPrecision precision) {
  // The parameters keep the diode fit as it is; only the card reads it at its nominal 25 C.
  ModelParameterSet written = params;
  if (!written.temperatureText.empty()) written.bodyDiodeText = DiodeTextAtNominal(written.bodyDiodeText);
  return BuildCardTexts(state.text(control::Text20), written, lambdaText, channelSuffix, precision);
}

bool EnsureCard(WindowState& state, Platform& platform, std::optional<std::string_view> refusal) {
  if (state.text(control::Text19).empty()) UpdateModel(state, platform);
  if (!ModelFailed(state)) return true;
  if (refusal) platform.ShowMessage(*refusal);
  return false;
}

bool CardBoxEdited(const WindowState& state) {
  const std::string& shown = state.text(control::Text19);
  return !shown.empty() && !ModelFailed(state) && shown != CardBoxText(state);
}

void Command2_Click(WindowState& state, Platform& platform) { UpdateModel(state, platform); }

void Combo1_Change(WindowState& state, Platform& platform) { UpdateModel(state, platform); }

void LineBreak_Click(WindowState& state, Platform&) {
  // After a failed update the stored card is an older model's, or none: the error text stays.
  // Without a card the box stays empty: the three-line form of no card, "+" lines alone, would
  // pass for a card made, and be added, saved and exported as one.
  if (!ModelFailed(state))
    state.setText(control::Text19, state.card == CardTexts{} ? "" : CardBoxText(state));
  BuildSubCkt(state);
}

void Command1_Click(WindowState& state, Platform& platform) {
  platform.SetClipboardText(state.text(control::Text19));
}

}  // namespace vdmos

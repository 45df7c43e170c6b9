#include "model/model_update.h"

#include "extract/ac_update.h"
#include "extract/body_diode.h"
#include "extract/checked_math.h"
#include "extract/dc_update.h"
#include "model/command_runner.h"
#include "model/numbers.h"
#include "model/subcircuit.h"

namespace vdmos {
namespace {

bool MultipleLines(const WindowState& state) { return state.check("LineBreak") == 1; }

}  // namespace

void UpdateModel(WindowState& state, Platform& platform) {
  // One handler for the whole road: whatever a step stored before a fault keeps its new
  // value, and nothing after the fault runs.
  try {
    Update_DC_Click(state, platform);
    Update_AC_Click(state, platform);

    const double vd1 = EngineeringReading(state.text("vd1"));
    const double id1 = EngineeringReading(state.text("id1"));
    const double vd2 = EngineeringReading(state.text("vd2"));
    const double id2 = EngineeringReading(state.text("id2"));
    const double vd3 = EngineeringReading(state.text("vd3"));
    const double id3 = EngineeringReading(state.text("id3"));
    state.params.bodyDiodeText = BodyDiodeFit(vd1, id1, vd2, id2, vd3, id3);

    std::string_view channelSuffix;
    if (state.text("Combo1") == "PMOS") {
      channelSuffix = kPChannelSuffix;
      // The stored value itself flips; the next DC extraction sets it afresh.
      state.params.VTO = -state.params.VTO;
    }
    state.params.RG = EngineeringReading(state.text("Text2"));

    CardTexts card =
        BuildCardTexts(state.text("Text20"), state.params, state.text("Text_LAMBDA"), channelSuffix);
    state.setText("Text19", card.singleLine);
    state.card = std::move(card);
    if (MultipleLines(state)) state.setText("Text19", ThreeLineCard(state.card));
    state.setEnabled("Command1", true);

    BuildSubCkt(state);
  } catch (const ArithmeticFault&) {
    state.setText("Text19", std::string(kParameterErrorText));
    state.setEnabled("Command1", false);
  }
}

void Command2_Click(WindowState& state, Platform& platform) { UpdateModel(state, platform); }

void Combo1_Change(WindowState& state, Platform& platform) { UpdateModel(state, platform); }

void LineBreak_Click(WindowState& state, Platform&) {
  state.setText("Text19", MultipleLines(state) ? ThreeLineCard(state.card) : state.card.singleLine);
  BuildSubCkt(state);
}

void Command1_Click(WindowState& state, Platform& platform) {
  platform.SetClipboardText(state.text("Text19"));
}

}  // namespace vdmos

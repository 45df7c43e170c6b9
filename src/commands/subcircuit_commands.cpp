#include "commands/subcircuit_commands.h"

#include <string>

#include "model/control_names.h"
#include "model/field_reading.h"
#include "model/model_failure.h"
#include "model/numbers.h"
#include "model/subcircuit.h"

namespace vdmos {

const std::string_view kSubCktHelpText =
    "Instructions for using the nmos-symbol for a NMOS-subcircuit:\r\n"
    "Add an NMOS-fet (symbol nmos) to the schematic.\r\n"
    "Change its value NMOS to X20N60C3 (or your model name) in the schematic.\r\n"
    "Cltr-key plus right-mouse-click on the placed symbol.\r\n"
    "Change Prefix:MN to Prefix:X\r\n"
    "Now Varnex expects a subcircuit model for this device.\r\n"
    "Either directly add the model text to your schematic or put it\r\n"
    "into a file. In the ladder case you have to add an include-\r\n"
    "SPICE-directive telling Varnex the place of the model.\r\n"
    ".include(filename)";

void avalanche_volt_Change(WindowState& state, Platform&) {
  BuildSubCkt(state);
  const std::string& voltage = state.text(control::avalanche_volt);
  const bool usable = !voltage.empty() && FieldValue(state, control::avalanche_volt) != 0.0;
  state.setEnabled(control::SubCktTextBox, usable);
  state.setEnabled(control::CopyToClipBoardSubCkt, usable);
}

void CopyToClipBoardSubCkt_Click(WindowState& state, Platform& platform) {
  // After a failed update the box still holds the subcircuit of the earlier card.
  if (ModelFailed(state)) {
    platform.ShowMessage(kParameterErrorText);
    return;
  }
  platform.SetClipboardText(state.text(control::SubCktTextBox));
}

void CopyToClipBoardNgspiceSubCkt_Click(WindowState& state, Platform& platform) {
  const NgspiceSubCkt subckt = NgspiceSubCircuit(state);
  if (subckt.ok()) {
    platform.SetClipboardText(subckt.text);
  } else {
    platform.ShowMessage(subckt.problem);
  }
}

void OptionStandard_Click(WindowState& state, Platform&) {
  state.optionStandard = true;
  state.optionSubCkt = false;
}

void OptionSubCkt_Click(WindowState& state, Platform&) {
  state.optionSubCkt = true;
  state.optionStandard = false;
}

void HelpSubCkt_Click(WindowState&, Platform& platform) { platform.ShowMessage(kSubCktHelpText); }

}  // namespace vdmos

#include "model/subcircuit.h"

#include <cmath>
#include <string>

#include "model/numbers.h"

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

namespace {

constexpr std::string_view kLineEnd = "\r\n";

std::string SubCircuitText(std::string_view modelName, bool nChannel, double reverseVoltage,
                           std::string_view card) {
  std::string text;
  text.append(".subckt X").append(modelName).append(" d g s").append(kLineEnd);
  text.append("M1 d g s s ").append(modelName).append(kLineEnd);
  text.append("Rg g s 1G").append(kLineEnd);
  text.append(nChannel ? "Db s d dbody" : "Db d s dbody").append(kLineEnd);
  text.append(card).append(kLineEnd);
  text.append(".model dbody d ron=0.1 vrev=").append(SimpleNumberText(reverseVoltage)).append(" vfwd=2");
  text.append(kLineEnd);
  text.append(".ends").append(kLineEnd);
  return text;
}

}  // namespace

void BuildSubCkt(WindowState& state) {
  // The voltage is read before the box is touched, so an overflow leaves the previous
  // subcircuit whole instead of a half-written one.
  const double reverseVoltage = std::fabs(PlainReading(state.text("avalanche_volt")));
  state.setText("SubCktTextBox", SubCircuitText(state.text("Text20"), state.text("Combo1") == "NMOS",
                                                reverseVoltage, state.text("Text19")));
}

void avalanche_volt_Change(WindowState& state, Platform&) {
  BuildSubCkt(state);
  const std::string& voltage = state.text("avalanche_volt");
  const bool usable = !voltage.empty() && PlainReading(voltage) != 0.0;
  state.setEnabled("SubCktTextBox", usable);
  state.setEnabled("CopyToClipBoardSubCkt", usable);
}

void CopyToClipBoardSubCkt_Click(WindowState& state, Platform& platform) {
  platform.SetClipboardText(state.text("SubCktTextBox"));
}

void HelpSubCkt_Click(WindowState&, Platform& platform) { platform.ShowMessage(kSubCktHelpText); }

void OptionStandard_Click(WindowState& state, Platform&) {
  state.optionStandard = true;
  state.optionSubCkt = false;
}

void OptionSubCkt_Click(WindowState& state, Platform&) {
  state.optionSubCkt = true;
  state.optionStandard = false;
}

}  // namespace vdmos

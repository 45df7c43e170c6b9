#pragma once
// Everything the main window holds: the text of every field, label and text box (keyed by
// control name), the check boxes, the options, the enabled and visible flags, the model
// parameter set and the stored card texts. Commands read and write only this; the Qt window
// mirrors it into widgets and the command-line front end prints it.

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/charge_element.h"
#include "model/datasheet_curves.h"

namespace vdmos {

/// The parameters of the card, 0 and empty until an extraction sets them. Each keeps its
/// last value until the step that owns it runs again.
struct ModelParameterSet {
  double KP = 0, RS = 0, RD = 0, VTO = 0, RG = 0, LAMBDA = 0;
  double TT = 0, CGDMAX = 0, CGDMIN = 0, CGS = 0, a = 0;
  /// The subthreshold slope, which only a refinement sets; without it the card leaves the
  /// simulator's own default in force.
  std::optional<double> KSUBTHRES = std::nullopt;
  std::string bodyDiodeText;    ///< "IS=... N=... RB=... " or empty
  std::string junctionCapText;  ///< "m=... Vj=... Cjo=...pF" or empty
  /// "TNOM=25 TCVTH=... MU=... TRD1=... EG=..." for the hot device, or empty
  std::string temperatureText = {};
  /// The gate charge elements a refinement fitted for the ngspice subcircuit, beside the card
  /// and not in it; none for a fitted card or one refined without them.
  std::optional<ChargeElement> chargeElement = std::nullopt;
  /// The hot device's field texts temperatureText was fitted to, in the fit's order; empty
  /// until a card is made.
  std::vector<std::string> temperatureFields = {};
  friend bool operator==(const ModelParameterSet&, const ModelParameterSet&) = default;
};

/// The card as the last model update stored it: three segments and the one-line form, and a
/// fourth segment with the temperature parameters, which both forms put on a line of its own
/// (empty without them; the closing parenthesis then ends segment 3).
struct CardTexts {
  std::string segment1, segment2, segment3, singleLine;
  std::string segment4 = {};
  friend bool operator==(const CardTexts&, const CardTexts&) = default;
};

/// The fields of the gate resistance window while it is loaded.
struct GateResistanceForm {
  std::string Text_VGG, Text_Rout = "-", Text_VGSP, Text_Qgs = "-", Text_Qgd = "-", Text_Td_On = "-";
  friend bool operator==(const GateResistanceForm&, const GateResistanceForm&) = default;
};

class WindowState {
 public:
  /// The window as it opens: start texts, designed captions, start check values.
  WindowState();

  /// Text of a field, label, text box or the status bar. Unknown names throw std::out_of_range.
  const std::string& text(std::string_view control) const;
  void setText(std::string_view control, std::string value);
  bool hasText(std::string_view control) const;
  /// Every control that holds a text, in a stable order.
  std::vector<std::string> textControls() const;

  /// Check box value: 0 clear, 1 checked, 2 grayed. Unknown names throw std::out_of_range.
  int check(std::string_view box) const;
  void setCheck(std::string_view box, int value);
  bool hasCheck(std::string_view box) const;
  std::vector<std::string> checkBoxes() const;

  /// Enabled flag of a control; every control starts enabled.
  bool enabled(std::string_view control) const;
  void setEnabled(std::string_view control, bool value);
  /// The controls whose enabled flag the commands change.
  std::vector<std::string> switchableControls() const;

  /// Visibility of the help pictures Image1, Image2, Image3.
  bool visible(std::string_view picture) const;
  void setVisible(std::string_view picture, bool value);

  bool optionStandard = true;  ///< "Standard Model": Add Model appends the card
  bool optionSubCkt = false;   ///< "Subcircuit Model": Add Model appends the subcircuit
  std::size_t libCaret = 0;    ///< caret position in LibTextBox

  ModelParameterSet params;
  CardTexts card;
  std::string testCircuitFolder;  ///< the folder of the last test circuit export
  /// The datasheet values file last opened or saved; empty when there is none.
  std::string valuesFile;
  /// The values file's text for the fields when they were last opened, saved or emptied by
  /// New: the values are unsaved work while the fields' text differs. nullopt until the
  /// window session first takes it.
  std::optional<std::string> savedValues;
  /// The library text when it was last opened or saved (a new library is empty).
  std::string savedLibrary;
  std::optional<GateResistanceForm> rgate;  ///< set while the gate resistance window is loaded
  /// The datasheet's figures as digitized points, in the order PutCurve keeps; New empties it.
  std::vector<DatasheetCurve> curves;

  friend bool operator==(const WindowState&, const WindowState&) = default;

 private:
  std::map<std::string, std::string, std::less<>> texts_;
  std::map<std::string, int, std::less<>> checks_;
  std::map<std::string, bool, std::less<>> enabled_;
  std::map<std::string, bool, std::less<>> visible_;
};

}  // namespace vdmos

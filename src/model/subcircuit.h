#pragma once
// The model wrapped in a subcircuit that adds a gate-source resistor and a drain-source
// breakdown diode, and the controls around it.

#include <optional>
#include <string>
#include <string_view>

#include "model/window_state.h"
#include "platform/platform.h"

namespace vdmos {

/// Rebuilds SubCktTextBox from the model name, the FET type, the breakdown voltage and the
/// text of Text19. Throws ArithmeticFault when the breakdown voltage overflows; the box then
/// keeps its previous text.
void BuildSubCkt(WindowState& state);
/// Change of avalanche_volt: rebuilds the subcircuit; an empty or zero voltage disables the
/// subcircuit box and its copy button, anything else enables them. An overflowing voltage
/// throws ArithmeticFault before anything changes; the front ends run it as a user command.
void avalanche_volt_Change(WindowState& state, Platform& platform);
/// Copies SubCktTextBox to the clipboard.
void CopyToClipBoardSubCkt_Click(WindowState& state, Platform& platform);
/// Shows how to place the subcircuit in a schematic.
void HelpSubCkt_Click(WindowState& state, Platform& platform);
/// The options choose what "Add Model" appends; a click selects one and clears the other.
void OptionStandard_Click(WindowState& state, Platform& platform);
void OptionSubCkt_Click(WindowState& state, Platform& platform);

/// The ten lines of the subcircuit help, joined by CR LF.
extern const std::string_view kSubCktHelpText;

/// The subcircuit in the form ngspice reads: the same lines, but the transistor with the three
/// nodes of ngspice's VDMOS and the breakdown diode with the standard diode parameters (BV, IBV,
/// RS, IS, N) instead of ron/vrev/vfwd, which ngspice ignores. A card ngspice would refuse,
/// misread or hang on is refused with a message instead.
struct NgspiceSubCkt {
  enum class Status {
    Made,
    NoBreakdownVoltage,  ///< the breakdown voltage is empty or 0 (the subcircuit box is disabled)
    Refused,             ///< the card or the model name cannot go into ngspice as it is
  };
  Status status = Status::Refused;
  std::string text;     ///< Made: the subcircuit, each line ending in CR LF
  std::string problem;  ///< otherwise: why there is none, as the message to show
  bool ok() const { return status == Status::Made; }
};

/// The ngspice subcircuit from the model name, the FET type (nChannel as BuildSubCkt takes
/// it: Combo1 is "NMOS"), the breakdown voltage field (its plain reading, sign dropped, as
/// BuildSubCkt reads it) and the card text in its one-line or three-line form. Never throws.
NgspiceSubCkt NgspiceSubCircuit(std::string_view modelName, bool nChannel, std::string_view breakdownVoltage,
                                std::string_view card);
/// The same from the window: Text20, Combo1, avalanche_volt and Text19.
NgspiceSubCkt NgspiceSubCircuit(const WindowState& state);
/// Whether the breakdown voltage field gives the subcircuit a voltage: not empty and not 0
/// (true for a value too large to read, which the subcircuit then refuses).
bool HasBreakdownVoltage(std::string_view breakdownVoltage);
/// Why ngspice cannot take a model of this name (it would not find it, read it apart, or not
/// finish reading the netlist), as the message to show; nullopt when it can.
std::optional<std::string_view> NgspiceModelNameProblem(std::string_view name);
/// Copies the ngspice subcircuit to the clipboard, or shows why there is none.
void CopyToClipBoardNgspiceSubCkt_Click(WindowState& state, Platform& platform);

// Why there is no ngspice subcircuit.
inline constexpr std::string_view kNgspiceSubCktNoCardText =
    "There is no model card yet: update the model first.";
inline constexpr std::string_view kNgspiceSubCktParameterErrorText =
    "The model card could not be calculated (the card box shows the parameter error): correct the "
    "values and update the model.";
inline constexpr std::string_view kNgspiceSubCktNotACardText =
    "The card box does not hold a model card of the form \".MODEL name VDMOS(...)\": update the model.";
inline constexpr std::string_view kNgspiceSubCktControlCharacterText =
    "The model card holds a line break or another control character inside a line; ngspice would read "
    "it as lines of its own.";
inline constexpr std::string_view kNgspiceSubCktModelNameText =
    "The model name must be one word without blanks and without any of = ( ) , ; { } ' \" to be used in "
    "ngspice.";
inline constexpr std::string_view kNgspiceSubCktNumberNameText =
    "The model name reads as a number in ngspice (such as \"100\" or \"1k\"), so ngspice cannot find the "
    "model: rename it.";
inline constexpr std::string_view kNgspiceSubCktVdmosNameText =
    "The model name contains \"VDMOS\", which makes ngspice read the card without end: rename it.";
inline constexpr std::string_view kNgspiceSubCktDiodeNameText =
    "The model name is the name of the subcircuit's breakdown diode model, dbody: rename it.";
inline constexpr std::string_view kNgspiceSubCktNameChangedText =
    "The model name has been changed since the card was made: update the model first.";
inline constexpr std::string_view kNgspiceSubCktFetTypeChangedText =
    "The FET type has been changed since the card was made: update the model first.";
/// Followed by the token and kNgspiceSubCktUnreadableClosing.
inline constexpr std::string_view kNgspiceSubCktUnreadableOpening = "The model card holds \"";
inline constexpr std::string_view kNgspiceSubCktUnreadableClosing =
    "\", which ngspice cannot read as a parameter: correct the field it comes from (LAMBDA is "
    "copied as typed) and update the model.";
inline constexpr std::string_view kNgspiceSubCktNoBreakdownText =
    "The ngspice subcircuit needs a breakdown voltage above 0 V: type it into \"Vds breakdown\".";
inline constexpr std::string_view kNgspiceSubCktBreakdownOverflowText =
    "The breakdown voltage is too large to use.";

}  // namespace vdmos

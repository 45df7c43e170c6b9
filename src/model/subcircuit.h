#pragma once
// The model wrapped in a subcircuit that adds a gate-source resistor and a drain-source
// breakdown diode, in the form the schematic program reads and in the form ngspice reads.

#include <optional>
#include <string>
#include <string_view>

#include "model/charge_element.h"
#include "model/hot_device.h"
#include "model/window_state.h"

namespace vdmos {

/// Rebuilds SubCktTextBox from the model name, the FET type, the breakdown voltage and the
/// text of Text19. Throws ArithmeticFault when the breakdown voltage overflows; the box then
/// keeps its previous text.
void BuildSubCkt(WindowState& state);

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
/// With `hot`, the breakdown diode's voltage moves with the temperature to meet it; with
/// `element`, the gate charge elements follow the transistor.
NgspiceSubCkt NgspiceSubCircuit(std::string_view modelName, bool nChannel, std::string_view breakdownVoltage,
                                std::string_view card, std::optional<HotBreakdown> hot = std::nullopt,
                                const std::optional<ChargeElement>& element = std::nullopt);
/// The same from the window: Text20, Combo1, avalanche_volt, Text19, TjHot and BvHot, with the
/// gate charge elements of a refinement that fitted them.
NgspiceSubCkt NgspiceSubCircuit(const WindowState& state);
/// The ngspice breakdown diode's model line under `name` for the voltage (V > 0), moving with
/// the temperature to meet `hot` when given.
std::string NgspiceBreakdownDiodeModel(std::string_view name, double voltage,
                                       std::optional<HotBreakdown> hot);
/// Whether the breakdown voltage field gives the subcircuit a voltage: not empty and not 0
/// (true for a value too large to read, which the subcircuit then refuses).
bool HasBreakdownVoltage(std::string_view breakdownVoltage);

// Why there is no ngspice subcircuit beyond the card (card_texts.h).
inline constexpr std::string_view kNgspiceSubCktNoBreakdownText =
    "The ngspice subcircuit needs a breakdown voltage above 0 V: type it into \"Vds breakdown\".";
inline constexpr std::string_view kNgspiceSubCktBreakdownOverflowText =
    "The breakdown voltage is too large to use.";

}  // namespace vdmos

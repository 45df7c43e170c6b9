#include "testcircuits/circuit_inputs.h"

#include "model/control_names.h"
#include "model/fet_type.h"
#include "model/model_card.h"
#include "model/simulator_numbers.h"
#include "testcircuits/test_circuit_texts.h"

namespace vdmos {

std::string EmbeddedCard(const CardTexts& card) {
  return card.segment1 + "\\n+" + card.segment2 + "\\n+" + card.segment3 + TemperatureLine(card, "\\n+");
}

namespace {

/// A test condition's text as a magnitude: P-channel datasheets print their voltages and
/// currents negative, and the channel's sign is set before the text, so a typed sign would
/// make "--80", which the simulator reads as +80 or refuses.
std::string MagnitudeText(std::string_view text) {
  if (text.starts_with('-') || text.starts_with('+')) text.remove_prefix(1);
  return std::string(text);
}

}  // namespace

CircuitInputs ReadCircuitInputs(const WindowState& state) {
  const bool pmos = IsPChannelType(state.text(control::Combo1));
  const std::string sign = pmos ? "-" : "";
  const auto condition = [&](control::Name field) { return sign + MagnitudeText(state.text(field)); };
  return {.modelName = state.text(control::Text20),
          .fetType = state.text(control::Combo1),
          .pmos = pmos,
          .traceSign = pmos ? "-" : " ",
          .rdsonVgs = condition(control::rdsonVgs),
          .vdsTest = condition(control::TextBoxVdsTest),
          .vdsRange = condition(control::VdsRange),
          .idCharge = condition(control::IdCharge),
          .vdCharge = condition(control::VdCharge),
          .card = EmbeddedCard(state.card)};
}

std::optional<std::string> CircuitInputsProblem(const WindowState& state) {
  for (const char* control :
       {control::rdsonVgs, control::TextBoxVdsTest, control::VdsRange, control::IdCharge, control::VdCharge})
    if (auto problem = NumberFieldProblem(control, state.text(control))) return problem;
  // The type goes into a schematic record as typed; the box is editable, so it is not always
  // one of its items.
  for (const char c : state.text(control::Combo1))
    if (static_cast<unsigned char>(c) < 0x20 || c == '\x7f') return std::string(kFetTypeControlCharacterText);
  return std::nullopt;
}

}  // namespace vdmos

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

CircuitInputs ReadCircuitInputs(const WindowState& state) {
  const bool pmos = IsPChannelType(state.text(control::Combo1));
  const std::string sign = pmos ? "-" : "";
  return {.modelName = state.text(control::Text20),
          .fetType = state.text(control::Combo1),
          .pmos = pmos,
          .traceSign = pmos ? "-" : " ",
          .rdsonVgs = sign + state.text(control::rdsonVgs),
          .vdsTest = sign + state.text(control::TextBoxVdsTest),
          .vdsRange = sign + state.text(control::VdsRange),
          .idCharge = sign + state.text(control::IdCharge),
          .vdCharge = sign + state.text(control::VdCharge),
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

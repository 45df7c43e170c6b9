#include "testcircuits/circuit_inputs.h"

#include "model/control_names.h"
#include "model/fet_type.h"
#include "model/simulator_numbers.h"

namespace vdmos {

std::string EmbeddedCard(const CardTexts& card) {
  return card.segment1 + "\\n+" + card.segment2 + "\\n+" + card.segment3;
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
  return std::nullopt;
}

}  // namespace vdmos

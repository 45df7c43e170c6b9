#include "testcircuits/circuit_inputs.h"

namespace vdmos {

std::string EmbeddedCard(const CardTexts& card) {
  return card.segment1 + "\\n+" + card.segment2 + "\\n+" + card.segment3;
}

CircuitInputs ReadCircuitInputs(const WindowState& state) {
  const bool pmos = state.text("Combo1") == "PMOS";
  const std::string sign = pmos ? "-" : "";
  return {.modelName = state.text("Text20"),
          .fetType = state.text("Combo1"),
          .pmos = pmos,
          .traceSign = pmos ? "-" : " ",
          .rdsonVgs = sign + state.text("rdsonVgs"),
          .vdsTest = sign + state.text("TextBoxVdsTest"),
          .vdsRange = sign + state.text("VdsRange"),
          .idCharge = sign + state.text("IdCharge"),
          .vdCharge = sign + state.text("VdCharge"),
          .card = EmbeddedCard(state.card)};
}

}  // namespace vdmos

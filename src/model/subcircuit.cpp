#include "model/subcircuit.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "model/card_reading.h"
#include "model/card_texts.h"
#include "model/checked_math.h"
#include "model/control_names.h"
#include "model/fet_type.h"
#include "model/field_reading.h"
#include "model/model_failure.h"
#include "model/numbers.h"

namespace vdmos {

namespace {

/// The breakdown voltage as its field reads it.
double BreakdownVoltage(std::string_view text) {
  return ReadFieldValue(*FindField(control::avalanche_volt), text);
}

constexpr std::string_view kLineEnd = "\r\n";

// The subcircuit wires the N-channel form only for the exact "NMOS", where the card turns
// P-channel only for the exact "PMOS" (IsPChannelType); subcircuits already written rely on it.
bool IsNmosForSubcircuit(const WindowState& state) { return state.text(control::Combo1) == kNmosText; }

/// The lines both forms share: the transistor's lines and the diode model line tell them apart.
std::string SubCircuitLines(std::string_view modelName, bool nChannel, std::string_view card,
                            const std::vector<std::string>& transistorLines, std::string_view diodeModel) {
  std::string text;
  text.append(".subckt X").append(modelName).append(" d g s").append(kLineEnd);
  for (const std::string& line : transistorLines) text.append(line).append(kLineEnd);
  text.append("Rg g s 1G").append(kLineEnd);
  text.append(nChannel ? "Db s d dbody" : "Db d s dbody").append(kLineEnd);
  text.append(card).append(kLineEnd);
  text.append(diodeModel).append(kLineEnd);
  text.append(".ends").append(kLineEnd);
  return text;
}

std::string SubCircuitText(std::string_view modelName, bool nChannel, double reverseVoltage,
                           std::string_view card) {
  return SubCircuitLines(modelName, nChannel, card, {"M1 d g s s " + std::string(modelName)},
                         ".model dbody d ron=0.1 vrev=" + SimpleNumberText(reverseVoltage) + " vfwd=2");
}

// ---- The ngspice form ----------------------------------------------------------------------
//
// The transistor takes three nodes: ngspice's VDMOS has drain, gate and source (a fourth and
// fifth node are the thermal nodes of its thermal model); ngspice 39 drops the fourth node of
// "M1 d g s s", but only the three-node line is its documented form.
//
// The breakdown diode in standard SPICE parameters, each chosen against ngspice 39:
//   BV   the breakdown voltage as typed (plain reading, sign dropped), as vrev takes it.
//   IBV  250u: the datasheet gives V(BR)DSS at Id = 250 uA with Vgs = 0, so the diode carries
//        that current at BV exactly (ngspice adjusts its knee to meet IBV at BV).
//   RS   0.1: ron, the slope once the diode breaks down (and once it conducts forward).
//   IS, N  1E-17 and 2: forward conduction starts only near 2 V, as vfwd=2 intends (about
//        0.3 A at 2 V, 40 uA at 1.5 V, 0.1 uA at 1.2 V), so at the datasheet's Vsd points the
//        card's own fitted body diode (its IS, N, RB) carries the current alone; the leakage
//        below breakdown is of the order of IS, far below the card's own.
//   No CJO or TT: no capacitance and no stored charge, like the original diode, so Coss and
//        the reverse recovery stay the card's.
constexpr std::string_view kNgspiceDiodeOpening = " D(IS=1E-17 N=2 RS=0.1 BV=";
constexpr std::string_view kNgspiceDiodeClosing = " IBV=250u)";
constexpr std::string_view kDiodeModelName = "dbody";

NgspiceSubCkt Refusal(std::string_view problem,
                      NgspiceSubCkt::Status status = NgspiceSubCkt::Status::Refused) {
  NgspiceSubCkt result;
  result.status = status;
  result.problem = std::string(problem);
  return result;
}

/// Why the card box text cannot go into the ngspice subcircuit for this model name and FET
/// type; nullopt when it can.
std::optional<std::string> NgspiceCardProblem(std::string_view modelName, bool nChannel,
                                              std::string_view card) {
  if (ModelFailed(card)) return std::string(kCardParameterErrorText);
  CardReading reading = ReadCard(card);
  if (!reading.card) return std::move(reading.problem);
  if (auto problem = NgspiceModelNameProblem(modelName)) return std::string(*problem);
  const auto sameLetter = [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
  };
  if (std::ranges::equal(modelName, kDiodeModelName, sameLetter)) return std::string(kCardDiodeNameText);
  if (reading.card->modelName != modelName) return std::string(kCardNameChangedText);
  if (reading.card->pChannel == nChannel) return std::string(kCardFetTypeChangedText);
  return std::nullopt;
}

}  // namespace

void BuildSubCkt(WindowState& state) {
  // The voltage is read before the box is touched, so an overflow leaves the previous
  // subcircuit whole instead of a half-written one.
  const double reverseVoltage = std::fabs(FieldValue(state, control::avalanche_volt));
  state.setText(control::SubCktTextBox,
                SubCircuitText(state.text(control::Text20), IsNmosForSubcircuit(state), reverseVoltage,
                               state.text(control::Text19)));
}

bool HasBreakdownVoltage(std::string_view breakdownVoltage) {
  try {
    return !breakdownVoltage.empty() && BreakdownVoltage(breakdownVoltage) != 0.0;
  } catch (const ArithmeticFault&) {
    return true;
  }
}

NgspiceSubCkt NgspiceSubCircuit(std::string_view modelName, bool nChannel, std::string_view breakdownVoltage,
                                std::string_view card, std::optional<HotBreakdown> hot,
                                const std::optional<ChargeElement>& element) {
  if (auto problem = NgspiceCardProblem(modelName, nChannel, card)) return Refusal(*problem);
  if (!HasBreakdownVoltage(breakdownVoltage))
    return Refusal(kNgspiceSubCktNoBreakdownText, NgspiceSubCkt::Status::NoBreakdownVoltage);
  double voltage = 0;
  try {
    voltage = std::fabs(BreakdownVoltage(breakdownVoltage));
  } catch (const ArithmeticFault&) {
    return Refusal(kNgspiceSubCktBreakdownOverflowText);
  }
  const TransistorWithElements transistor =
      TransistorWithChargeElements("M1", "d", "g", "s", modelName, card, element, nChannel);
  NgspiceSubCkt result;
  result.status = NgspiceSubCkt::Status::Made;
  result.text = SubCircuitLines(modelName, nChannel, transistor.card, transistor.lines,
                                NgspiceBreakdownDiodeModel(kDiodeModelName, voltage, hot));
  return result;
}

std::string NgspiceBreakdownDiodeModel(std::string_view name, double voltage,
                                       std::optional<HotBreakdown> hot) {
  return ".model " + std::string(name) + std::string(kNgspiceDiodeOpening) + DefaultNumberText(voltage) +
         (hot ? BreakdownTemperatureText(voltage, *hot) : std::string()) + std::string(kNgspiceDiodeClosing);
}

NgspiceSubCkt NgspiceSubCircuit(const WindowState& state) {
  return NgspiceSubCircuit(state.text(control::Text20), IsNmosForSubcircuit(state),
                           state.text(control::avalanche_volt), state.text(control::Text19),
                           HotBreakdownOf(state), state.params.chargeElement);
}

}  // namespace vdmos

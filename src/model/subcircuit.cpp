#include "model/subcircuit.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "extract/checked_math.h"
#include "model/command_runner.h"
#include "model/control_names.h"
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

/// The lines both forms share: the transistor's nodes and the diode model line tell them apart.
std::string SubCircuitLines(std::string_view modelName, bool nChannel, std::string_view card,
                            std::string_view transistorNodes, std::string_view diodeModel) {
  std::string text;
  text.append(".subckt X").append(modelName).append(" d g s").append(kLineEnd);
  text.append("M1 ").append(transistorNodes).append(" ").append(modelName).append(kLineEnd);
  text.append("Rg g s 1G").append(kLineEnd);
  text.append(nChannel ? "Db s d dbody" : "Db d s dbody").append(kLineEnd);
  text.append(card).append(kLineEnd);
  text.append(diodeModel).append(kLineEnd);
  text.append(".ends").append(kLineEnd);
  return text;
}

std::string SubCircuitText(std::string_view modelName, bool nChannel, double reverseVoltage,
                           std::string_view card) {
  return SubCircuitLines(modelName, nChannel, card, "d g s s",
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
constexpr std::string_view kNgspiceTransistorNodes = "d g s";
constexpr std::string_view kNgspiceDiodeOpening = ".model dbody D(IS=1E-17 N=2 RS=0.1 BV=";
constexpr std::string_view kNgspiceDiodeClosing = " IBV=250u)";
constexpr std::string_view kDiodeModelName = "dbody";
constexpr std::string_view kCardOpening = ".MODEL ";
constexpr std::string_view kCardType = " VDMOS(";
// ngspice 39 does not finish reading a netlist whose model name contains "vdmos", and takes a
// parameter such as "LAMBDA=1pchan" for the P-channel flag; a parameter name holding either
// word is refused as well, to be safe.
constexpr std::string_view kVdmosWord = "vdmos";
constexpr std::string_view kPChannelWord = "pchan";
// The characters that end or split a name in an ngspice line, or start an expression, a
// string or a comment there.
constexpr std::string_view kNameBreakers = " =(),;{}'\"";
// ngspice's scale suffixes: a number followed by one of them is still a number.
constexpr std::array<std::string_view, 11> kScaleSuffixes{"",    "t", "g", "meg", "k", "m",
                                                          "mil", "u", "n", "p",   "f"};
// A card value is a number followed by at most this many letters: a scale suffix ("meg",
// "mil") and a unit ("pF"). Longer tails are refused, as ngspice could take them for a flag.
constexpr std::size_t kMostValueLetters = 3;

NgspiceSubCkt Refusal(std::string_view problem,
                      NgspiceSubCkt::Status status = NgspiceSubCkt::Status::Refused) {
  NgspiceSubCkt result;
  result.status = status;
  result.problem = std::string(problem);
  return result;
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

bool IsControl(char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

/// The length of the number at the start of text (sign, digits with one ".", an exponent with
/// its digits); 0 when it does not start with one.
std::size_t NumberLength(std::string_view text) {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    if (j < text.size() && IsDigit(text[j])) {
      while (j < text.size() && IsDigit(text[j])) ++j;
      i = j;
    }
  }
  return i;
}

/// Whether ngspice reads the whole text as a number ("100", "1k", "1e5meg"), so that a model
/// of that name cannot be found.
bool ReadsAsNumber(std::string_view text) {
  const std::size_t length = NumberLength(text);
  if (length == 0) return false;
  const std::string rest = Lower(text.substr(length));
  return std::find(kScaleSuffixes.begin(), kScaleSuffixes.end(), rest) != kScaleSuffixes.end();
}

}  // namespace

std::optional<std::string_view> NgspiceModelNameProblem(std::string_view name) {
  if (name.empty() || std::any_of(name.begin(), name.end(), [](char c) {
        return IsControl(c) || kNameBreakers.find(c) != std::string_view::npos;
      }))
    return kNgspiceSubCktModelNameText;
  if (ReadsAsNumber(name)) return kNgspiceSubCktNumberNameText;
  const std::string lower = Lower(name);
  if (lower.find(kVdmosWord) != std::string::npos) return kNgspiceSubCktVdmosNameText;
  return std::nullopt;
}

namespace {

/// A parameter of the card as ngspice reads it: KEY=VALUE with a name of letters, digits and
/// "_", and a finite number with at most kMostValueLetters letters after it.
bool IsReadableParameter(std::string_view token) {
  const std::size_t equals = token.find('=');
  if (equals == std::string_view::npos || equals == 0) return false;
  const std::string_view key = token.substr(0, equals);
  const std::string_view value = token.substr(equals + 1);
  if (!IsLetter(key[0]) ||
      !std::all_of(key.begin(), key.end(), [](char c) { return IsLetter(c) || IsDigit(c) || c == '_'; }))
    return false;
  const std::string lowerKey = Lower(key);
  if (lowerKey.find(kVdmosWord) != std::string::npos || lowerKey.find(kPChannelWord) != std::string::npos)
    return false;
  const std::size_t length = NumberLength(value);
  if (length == 0 || value.size() - length > kMostValueLetters ||
      !std::all_of(value.begin() + length, value.end(), IsLetter))
    return false;
  try {
    EngineeringReading(value);  // only its overflow matters: ngspice would take infinity
  } catch (const ArithmeticFault&) {
    return false;
  }
  return true;
}

/// Splits the card box text into its lines at CR LF.
std::vector<std::string_view> CardLines(std::string_view card) {
  std::vector<std::string_view> lines;
  std::size_t at = 0;
  while (true) {
    const std::size_t end = card.find(kLineEnd, at);
    lines.push_back(card.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at));
    if (end == std::string_view::npos) return lines;
    at = end + kLineEnd.size();
  }
}

/// Why the card box text cannot go into the ngspice subcircuit for this model name and FET
/// type; nullopt when it can.
std::optional<std::string> NgspiceCardProblem(std::string_view modelName, bool nChannel,
                                              std::string_view card) {
  if (card == kParameterErrorText) return std::string(kNgspiceSubCktParameterErrorText);
  const std::vector<std::string_view> lines = CardLines(card);
  // Empty, or the continuation marks of an empty stored card ("Multiple Lines" before any update).
  bool empty = lines.front().empty();
  for (std::size_t i = 1; i < lines.size(); ++i) empty = empty && (lines[i].empty() || lines[i] == "+");
  if (empty) return std::string(kNgspiceSubCktNoCardText);
  for (const std::string_view line : lines) {
    if (std::any_of(line.begin(), line.end(), IsControl))
      return std::string(kNgspiceSubCktControlCharacterText);
  }
  // The card's parameters as one text: the first line after the opening, then each "+" line.
  const std::string_view first = lines.front();
  const std::size_t type = first.find(kCardType);
  if (!first.starts_with(kCardOpening) || type == std::string_view::npos || type < kCardOpening.size())
    return std::string(kNgspiceSubCktNotACardText);
  std::string body(first.substr(type + kCardType.size()));
  for (std::size_t i = 1; i < lines.size(); ++i) {
    if (!lines[i].starts_with('+')) return std::string(kNgspiceSubCktNotACardText);
    body.append(" ").append(lines[i].substr(1));
  }
  if (auto problem = NgspiceModelNameProblem(modelName)) return std::string(*problem);
  if (Lower(modelName) == kDiodeModelName) return std::string(kNgspiceSubCktDiodeNameText);
  if (first.substr(kCardOpening.size(), type - kCardOpening.size()) != modelName)
    return std::string(kNgspiceSubCktNameChangedText);
  // One pair of parentheses: the card's own, closed at its very end.
  if (!body.ends_with(')')) return std::string(kNgspiceSubCktNotACardText);
  body.pop_back();
  bool pChannel = false;
  std::size_t at = 0;
  while (at < body.size()) {
    const std::size_t end = std::min(body.find(' ', at), body.size());
    const std::string_view token = std::string_view(body).substr(at, end - at);
    at = end + 1;
    if (token.empty()) continue;
    if (Lower(token) == kPChannelWord) {
      pChannel = true;
    } else if (!IsReadableParameter(token)) {
      return std::string(kNgspiceSubCktUnreadableOpening) + std::string(token) +
             std::string(kNgspiceSubCktUnreadableClosing);
    }
  }
  if (pChannel == nChannel) return std::string(kNgspiceSubCktFetTypeChangedText);
  return std::nullopt;
}

}  // namespace

void BuildSubCkt(WindowState& state) {
  // The voltage is read before the box is touched, so an overflow leaves the previous
  // subcircuit whole instead of a half-written one.
  const double reverseVoltage = std::fabs(PlainReading(state.text(control::avalanche_volt)));
  state.setText(control::SubCktTextBox,
                SubCircuitText(state.text(control::Text20), state.text(control::Combo1) == "NMOS",
                               reverseVoltage, state.text(control::Text19)));
}

void avalanche_volt_Change(WindowState& state, Platform&) {
  BuildSubCkt(state);
  const std::string& voltage = state.text(control::avalanche_volt);
  const bool usable = !voltage.empty() && PlainReading(voltage) != 0.0;
  state.setEnabled(control::SubCktTextBox, usable);
  state.setEnabled(control::CopyToClipBoardSubCkt, usable);
}

void CopyToClipBoardSubCkt_Click(WindowState& state, Platform& platform) {
  platform.SetClipboardText(state.text(control::SubCktTextBox));
}

bool HasBreakdownVoltage(std::string_view breakdownVoltage) {
  try {
    return !breakdownVoltage.empty() && PlainReading(breakdownVoltage) != 0.0;
  } catch (const ArithmeticFault&) {
    return true;
  }
}

NgspiceSubCkt NgspiceSubCircuit(std::string_view modelName, bool nChannel, std::string_view breakdownVoltage,
                                std::string_view card) {
  if (auto problem = NgspiceCardProblem(modelName, nChannel, card)) return Refusal(*problem);
  if (!HasBreakdownVoltage(breakdownVoltage))
    return Refusal(kNgspiceSubCktNoBreakdownText, NgspiceSubCkt::Status::NoBreakdownVoltage);
  double voltage = 0;
  try {
    voltage = std::fabs(PlainReading(breakdownVoltage));
  } catch (const ArithmeticFault&) {
    return Refusal(kNgspiceSubCktBreakdownOverflowText);
  }
  NgspiceSubCkt result;
  result.status = NgspiceSubCkt::Status::Made;
  result.text = SubCircuitLines(
      modelName, nChannel, card, kNgspiceTransistorNodes,
      std::string(kNgspiceDiodeOpening) + DefaultNumberText(voltage) + std::string(kNgspiceDiodeClosing));
  return result;
}

NgspiceSubCkt NgspiceSubCircuit(const WindowState& state) {
  return NgspiceSubCircuit(state.text(control::Text20), state.text(control::Combo1) == "NMOS",
                           state.text(control::avalanche_volt), state.text(control::Text19));
}

void CopyToClipBoardNgspiceSubCkt_Click(WindowState& state, Platform& platform) {
  const NgspiceSubCkt subckt = NgspiceSubCircuit(state);
  if (subckt.ok()) {
    platform.SetClipboardText(subckt.text);
  } else {
    platform.ShowMessage(subckt.problem);
  }
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

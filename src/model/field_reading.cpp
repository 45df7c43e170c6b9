#include "model/field_reading.h"

#include <array>
#include <cmath>
#include <optional>
#include <utility>

#include "model/ascii_case.h"
#include "model/checked_math.h"
#include "model/control_names.h"
#include "model/fet_type.h"
#include "model/numbers.h"

namespace vdmos {
namespace {

struct Scale {
  std::string_view letters;
  int exponent;
};

// The letters the engineering reading takes as a scale when they stand alone after the number.
constexpr std::array<Scale, 15> kScales{{
    {"MEG", 6},
    {"Meg", 6},
    {"meg", 6},
    {"m", -3},
    {"M", -3},
    {"u", -6},
    {"U", -6},
    {"n", -9},
    {"N", -9},
    {"p", -12},
    {"P", -12},
    {"f", -15},
    {"F", -15},
    {"k", 3},
    {"K", 3},
}};

std::optional<int> ScaleExponent(std::string_view letters) {
  for (const Scale& scale : kScales)
    if (scale.letters == letters) return scale.exponent;
  return std::nullopt;
}

/// A shown unit split into its scale and its base unit: "nC" is 1e-9 C, "Ohm" is 1 Ohm.
struct Unit {
  int exponent = 0;
  std::string_view base;
};

Unit SplitUnit(std::string_view unit) {
  if (unit.size() > 1)
    if (const std::optional<int> exponent = ScaleExponent(unit.substr(0, 1)))
      return {*exponent, unit.substr(1)};
  return {0, unit};
}

/// Whether the text ends with the base unit. Case does not matter ("v", "ohm"), except for a
/// base that is a scale letter too: "f" after a number is femto, never farad.
bool EndsWithBase(std::string_view text, std::string_view base) {
  if (base.empty() || text.size() < base.size()) return false;
  const std::string_view end = text.substr(text.size() - base.size());
  if (ScaleExponent(base)) return end == base;
  return AsciiLower(end) == AsciiLower(base);
}

std::string WithoutBlanks(std::string_view text) {
  std::string compact;
  for (char c : text)
    if (c != ' ' && c != '\t' && c != '\n') compact += c;
  return compact;
}

/// The number times a power of ten. A number written without an exponent gets one appended,
/// so that "0.011" scaled by 1e3 reads as exactly 11.
double Rescaled(std::string_view numberText, double value, int exponent) {
  if (exponent == 0) return value;
  if (numberText.find_first_of("eE&") == std::string_view::npos)
    return ReadLeadingNumber(std::string(numberText) + "e" + std::to_string(exponent));
  return Mul(value, std::pow(10.0, exponent));
}

FieldRead Read(double value, FieldProblem problem = FieldProblem::None, std::string ignored = {}) {
  return {value, problem, std::move(ignored)};
}

double FieldReading(const FieldInfo& field, std::string_view text) {
  return field.reading == Reading::Plain ? PlainReading(text) : EngineeringReading(text);
}

FieldRead Analyse(const FieldInfo& field, std::string_view text) {
  const double asTyped = FieldReading(field, text);
  if (field.reading == Reading::Text) return Read(asTyped);
  // The readings skip blanks everywhere, so "11 nC" is "11nC".
  const std::string compact = WithoutBlanks(text);
  if (compact.empty()) return Read(asTyped, field.needed ? FieldProblem::Empty : FieldProblem::None);
  const NumberScan number = ScanLeadingNumber(compact);
  if (!number.sawDigit) return Read(asTyped, FieldProblem::NoNumber);
  const std::string rest = compact.substr(number.end);
  if (rest.empty()) return Read(asTyped);

  const Unit unit = SplitUnit(field.unit);
  if (EndsWithBase(rest, unit.base)) {
    const std::string_view scale = std::string_view(rest).substr(0, rest.size() - unit.base.size());
    if (const std::optional<int> exponent = scale.empty() ? 0 : ScaleExponent(scale)) {
      const std::string_view numberText = std::string_view(compact).substr(0, number.end);
      return Read(Rescaled(numberText, number.value, *exponent - unit.exponent));
    }
  }
  if (ScaleExponent(rest)) {
    if (unit.exponent != 0) return Read(asTyped, FieldProblem::ScaledTwice, rest);
    if (field.reading == Reading::Engineering) return Read(asTyped);
  }
  return Read(asTyped, FieldProblem::TrailingText, rest);
}

std::string WarningMessage(const FieldInfo& field, const FieldRead& read) {
  std::string readAs = "read as " + DefaultNumberText(read.value);
  if (!field.unit.empty()) readAs += " " + std::string(field.unit);
  switch (read.problem) {
    case FieldProblem::Empty:
      return "empty: " + readAs;
    case FieldProblem::NoNumber:
      return "no number: " + readAs;
    case FieldProblem::TrailingText:
      return "\"" + read.ignored + "\" left out: " + readAs;
    case FieldProblem::ScaledTwice:
      return "\"" + read.ignored + "\" would scale " + std::string(field.unit) + " a second time: " + readAs;
    case FieldProblem::Overflow:
      return "too large to read";
    case FieldProblem::NotAFetType:
      return "neither NMOS nor PMOS: read as NMOS (an N-channel card)";
    case FieldProblem::None:
      break;
  }
  return readAs;
}

}  // namespace

double ReadFieldValue(const FieldInfo& field, std::string_view text) { return Analyse(field, text).value; }

double FieldValue(const WindowState& state, std::string_view control) {
  const std::string& text = state.text(control);
  const FieldInfo* field = FindField(control);
  return field != nullptr ? ReadFieldValue(*field, text) : EngineeringReading(text);
}

FieldRead ClassifyField(const FieldInfo& field, std::string_view text) {
  try {
    return Analyse(field, text);
  } catch (const ArithmeticFault&) {
    return Read(0, FieldProblem::Overflow);
  }
}

std::vector<FieldWarning> FieldWarnings(const WindowState& state) {
  std::vector<FieldWarning> warnings;
  for (const FieldInfo& field : DatasheetFields()) {
    const std::string& text = state.text(field.control);
    // The box takes typing, and only its list's "PMOS", exactly, makes a P-channel card.
    FieldRead read = field.control == control::Combo1
                         ? Read(0, text == kNmosText || IsPChannelType(text) ? FieldProblem::None
                                                                             : FieldProblem::NotAFetType)
                         : ClassifyField(field, text);
    if (read.problem == FieldProblem::None) continue;
    std::string message = WarningMessage(field, read);
    warnings.push_back({&field, text, std::move(read), std::move(message)});
  }
  return warnings;
}

}  // namespace vdmos

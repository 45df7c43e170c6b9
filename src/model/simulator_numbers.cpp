#include "model/simulator_numbers.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "model/ascii_case.h"
#include "model/card_texts.h"
#include "model/checked_math.h"
#include "model/numbers.h"

namespace vdmos {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

struct Scale {
  std::string_view letters;  ///< lower case: simulators read suffixes without regard to case
  double factor;
};
// "meg" before "m": the longer suffix wins. "g", "t", "mil" and "a" are left out: the tool's
// reading does not know them, so a text using them reads differently in the simulator.
constexpr std::array<Scale, 7> kScales{
    {{"meg", 1e6}, {"f", 1e-15}, {"p", 1e-12}, {"n", 1e-9}, {"u", 1e-6}, {"m", 1e-3}, {"k", 1e3}}};
constexpr std::array<std::string_view, 3> kUnits{"", "v", "a"};

/// The factor of the letters after a number as a simulator reads them; nullopt when they are
/// not a scale suffix and a unit.
std::optional<double> SimulatorFactor(std::string_view letters) {
  const std::string lower = AsciiLower(letters);
  std::string_view unit = lower;
  double factor = 1;
  for (const Scale& scale : kScales) {
    if (unit.starts_with(scale.letters)) {
      unit.remove_prefix(scale.letters.size());
      factor = scale.factor;
      break;
    }
  }
  // A lone "a" is a unit here, and a simulator that knows atto would read it as a scale.
  if (factor == 1 && unit == "a") return std::nullopt;
  if (std::find(kUnits.begin(), kUnits.end(), unit) == kUnits.end()) return std::nullopt;
  return factor;
}

}  // namespace

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

bool IsSimulatorNumber(std::string_view text) {
  const std::size_t length = NumberLength(text);
  if (length == 0) return false;
  const std::optional<double> factor = SimulatorFactor(text.substr(length));
  if (!factor) return false;
  try {
    const double simulator = PlainReading(text.substr(0, length)) * *factor;
    const double tool = EngineeringReading(text);
    // The two readings round differently in the last digits ("1.5e-3" against 1.5 * 1e-3).
    return std::isfinite(simulator) && std::fabs(simulator - tool) <= 1e-12 * std::fabs(simulator);
  } catch (const ArithmeticFault&) {
    return false;
  }
}

std::optional<std::string> NumberFieldProblem(std::string_view control, std::string_view text) {
  if (IsSimulatorNumber(text)) return std::nullopt;
  return NotANumberFieldText(control);
}

}  // namespace vdmos

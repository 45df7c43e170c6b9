#include "verify/table_text.h"

#include <algorithm>
#include <cmath>

#include "model/numbers.h"

namespace vdmos {

// Four significant digits: more than any datasheet gives, and few enough to take in at a glance.
// Beyond a billion, or below a billionth, they go with an exponent: written out, a card with no
// channel showed an Rds(on) of 24 digits, and a leakage current of 1e-13 A read as 0.
std::string SignificantText(double value) {
  constexpr double kFixedLeast = 1e-9, kFixedMost = 1e9;
  if (value == 0 || !std::isfinite(value)) return DefaultNumberText(value);
  const int magnitude = static_cast<int>(std::floor(std::log10(std::fabs(value))));
  if (std::fabs(value) < kFixedLeast || std::fabs(value) >= kFixedMost) {
    const double unit = std::pow(10.0, magnitude - 3);
    return DefaultNumberText(std::round(value / unit) * unit);
  }
  const int decimals = std::clamp(3 - magnitude, 0, 12);
  return FormatMask(value, decimals == 0 ? std::string("0") : "0." + std::string(decimals, '#'));
}

std::string QuantityCellText(const std::optional<double>& value, std::string_view unit) {
  return value ? SignificantText(*value) + " " + std::string(unit) : std::string(kMissingCellText);
}

std::string PercentCellText(const std::optional<double>& percent) {
  return percent ? FormatMask(*percent, "0.00") : std::string(kMissingCellText);
}

}  // namespace vdmos

#pragma once
// The numbers of the check's and the switch advice's tables as text, so that a value reads
// the same in the window and on the command line.

#include <optional>
#include <string>
#include <string_view>

namespace vdmos {

/// What a table shows for a value it does not have.
inline constexpr std::string_view kMissingCellText = "-";

/// Four significant digits, trailing zeros dropped ("0.16", "6.497", "5561"), rounded half
/// away from zero on the value's decimal digits, always with "."; at most twelve decimals.
std::string SignificantText(double value);

/// The value and its unit ("0.16 Ohm"), or kMissingCellText.
std::string QuantityCellText(const std::optional<double>& value, std::string_view unit);

/// An error in percent with two decimals, never "-0.00", or kMissingCellText.
std::string PercentCellText(const std::optional<double>& percent);

}  // namespace vdmos

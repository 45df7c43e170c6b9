#pragma once
// The switch advice as a table, its captions and cell texts, so that the window's table and
// the command line's show the same columns.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "refine/switch_advice.h"

namespace vdmos {

enum AdviceColumn : std::size_t {
  kAdviceForceRdsOn,
  kAdviceFixVto,
  kAdviceDcError,
  kAdviceCapacitanceError,
  kAdviceMarks,
  kAdviceColumnCount
};

/// The captions by column; "\n" where a narrow header breaks the line. The marks column has none.
extern const std::array<std::string_view, kAdviceColumnCount> kAdviceCaptions;

/// "best", "current", "best, current", or empty.
std::string AdviceMarks(bool best, bool current);

/// The cells of a row: the switches "on" or "off", the worst DC and capacitance errors in
/// percent, the marks. A setting whose model cannot be made has no errors, and its failure
/// (AdviceFailureText) in place of the marks.
std::array<std::string, kAdviceColumnCount> AdviceCells(const SwitchAdvice& advice, std::size_t row);

/// A failed row's text: the failure, marked when the setting is the window's own.
std::string AdviceFailureText(const SwitchAdvice& advice, std::size_t row);

}  // namespace vdmos

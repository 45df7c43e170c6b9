#pragma once
// A field's number, and whether its text was read as typed. The readings never reject a text:
// "abc" reads as 0 and "11nC" in a field shown in nC read as 1.1e-8. A field that shows a unit
// understands that unit after the number (its own or with another scale: "0.011uC" is 11 nC);
// everything else keeps the field's reading exactly, and a text that reading does not take
// whole is named here so that both front ends can tell the user which fields to look at.

#include <string>
#include <string_view>
#include <vector>

#include "model/fields.h"
#include "model/window_state.h"

namespace vdmos {

enum class FieldProblem {
  None,
  Empty,         ///< a needed field holds no text
  NoNumber,      ///< no digit where the number should start
  TrailingText,  ///< text after the number that is neither a scale nor the field's unit
  ScaledTwice,   ///< a bare scale letter on a unit that carries a scale already ("11n" in nC)
  Overflow,      ///< beyond a double: the computation that reads it fails
  NotAFetType,   ///< a FET type typed as neither NMOS nor PMOS, which makes an N-channel card
};

struct FieldRead {
  double value = 0;  ///< what a computation takes; 0 after an overflow
  FieldProblem problem = FieldProblem::None;
  std::string ignored;  ///< the text after the number the reading left out or took as a scale
};

/// Reads a field's text as the field does. A field used as typed (Reading::Text) is read like
/// an engineering number, which is what the simulator makes of it, and never named.
/// Throws ArithmeticFault on overflow, like the readings.
double ReadFieldValue(const FieldInfo& field, std::string_view text);
/// ReadFieldValue of the field of that control name in the state.
double FieldValue(const WindowState& state, std::string_view control);

/// ReadFieldValue and the problem of the text, the overflow included.
FieldRead ClassifyField(const FieldInfo& field, std::string_view text);

struct FieldWarning {
  const FieldInfo* field;
  std::string text;  ///< as typed
  FieldRead read;
  /// What was read, for the user: "no number: read as 0 Ohm".
  std::string message;
};

/// The fields of the state whose text was not read as typed, in the order of the field table.
std::vector<FieldWarning> FieldWarnings(const WindowState& state);

}  // namespace vdmos

#pragma once
// The datasheet value set: every input field of the main window with its start text, the text
// New puts in, the reading that turns its text into a number, its unit, whether a computation
// needs it, and the readable name and meaning by which the command line and tool tips explain it. Its caption
// is the window's (ui/window_texts.h); the unit lives here only, because reading a field understands the unit
// typed after the number.

#include <optional>
#include <span>
#include <string_view>

namespace vdmos {

enum class Reading {
  Engineering,  ///< scale suffixes allowed ("540m")
  Plain,        ///< the leading number only ("2.4n" is 2.4)
  Text,         ///< used as typed, never converted
};

struct FieldInfo {
  std::string_view control;  ///< control name, the key of the field in WindowState
  /// The name a script may use instead of the control name: the datasheet symbol in snake case.
  std::string_view name;
  std::string_view startText;                ///< text shown when the window opens
  std::optional<std::string_view> afterNew;  ///< text New puts in; nullopt: New leaves it alone
  Reading reading;
  std::string_view unit;      ///< the unit shown with the field, empty for none
  std::string_view quantity;  ///< a short name of what the field holds, for naming it in warnings
  bool needed;                ///< empty, it reads as 0 where a computation wants a datasheet value
  std::string_view meaning;   ///< what the field holds and under which test condition, in a few words
};

/// Every input field of the datasheet value set, top row first.
std::span<const FieldInfo> DatasheetFields();

/// The field of that control name, or nullptr.
const FieldInfo* FindField(std::string_view control);

}  // namespace vdmos

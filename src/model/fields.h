#pragma once
// The datasheet value set: every input field of the main window with its start text, the text
// New puts in, and the reading that turns its text into a number. Its caption and unit are
// the window's (ui/window_texts.h).

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
  std::string_view control;                  ///< control name, the key of the field in WindowState
  std::string_view startText;                ///< text shown when the window opens
  std::optional<std::string_view> afterNew;  ///< text New puts in; nullopt: New leaves it alone
  Reading reading;
};

/// Every input field of the datasheet value set, top row first.
std::span<const FieldInfo> DatasheetFields();

/// The field of that control name, or nullptr.
const FieldInfo* FindField(std::string_view control);

}  // namespace vdmos

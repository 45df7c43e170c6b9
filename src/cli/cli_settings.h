#pragma once
// --set: one input control of the window set by its control name, as a user would set it.

#include <optional>
#include <string>

#include "model/window_state.h"
#include "platform/platform.h"

namespace vdmos::cli {

struct ControlSetting {
  std::string control;
  std::string text;
  friend bool operator==(const ControlSetting&, const ControlSetting&) = default;
};

/// Splits "CONTROL=TEXT" at the first "="; nullopt when there is none.
std::optional<ControlSetting> SplitSetting(const std::string& argument);

/// The usage error a setting would cause (unknown control, output control, a value the
/// control cannot take), or nullopt when it can be applied.
std::optional<std::string> SettingProblem(const ControlSetting& setting);

/// Applies a setting that SettingProblem accepted. A text field behaves as if typed (its
/// change handling runs), a check box takes its value, Combo1 selects a list item (which
/// runs no handler), an option is clicked.
void ApplySetting(const ControlSetting& setting, WindowState& state, Platform& platform);

}  // namespace vdmos::cli

#pragma once
// --set: one input control of the window set by its control name or readable name, as a user
// would set it.

#include <optional>
#include <string>

#include "app/window_session.h"

namespace vdmos::cli {

struct ControlSetting {
  std::string control;  ///< as given: the control name or the readable name
  std::string text;
  friend bool operator==(const ControlSetting&, const ControlSetting&) = default;
};

/// Splits "CONTROL=TEXT" at the first "="; nullopt when there is none.
std::optional<ControlSetting> SplitSetting(const std::string& argument);

/// The usage error a setting would cause (unknown control, output control, a value the
/// control cannot take), or nullopt when it can be applied.
std::optional<std::string> SettingProblem(const ControlSetting& setting);

/// Applies a setting that SettingProblem accepted through the window's control table, as the
/// user's action in the window: a text field is typed into (avalanche_volt then runs
/// avalanche_volt_Change), a check box is clicked to the value (LineBreak then runs
/// LineBreak_Click; a box that has the value already is not clicked), Combo1 selects an item
/// of its list (which runs nothing), an option is clicked.
void ApplySetting(const ControlSetting& setting, WindowSession& session);

/// --list-fields: one line per control --set can set, in the window's order, with aligned
/// columns: control name, readable name, unit (or what the control takes) and meaning.
std::string FieldList();

}  // namespace vdmos::cli

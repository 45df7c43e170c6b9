#include "cli/cli_settings.h"

#include <algorithm>
#include <iomanip>
#include <sstream>
#include <string_view>
#include <vector>

#include "cli/cli_texts.h"
#include "commands/control_table.h"
#include "model/fet_type.h"
#include "model/fields.h"

namespace vdmos::cli {
namespace {

const WindowState& StartState() {
  static const WindowState state;
  return state;
}

/// The unit column of --list-fields: a field's unit, or what a control that is no number takes.
std::string_view UnitColumn(const ControlAction& action) {
  switch (action.kind) {
    case ControlKind::Field: {
      const std::string_view unit = FindField(action.control)->unit;
      return unit.empty() ? "-" : unit;
    }
    case ControlKind::FetType:
      return "NMOS|PMOS";
    case ControlKind::CheckBox:
      return "0|1|2";
    case ControlKind::Option:
    case ControlKind::Button:
    case ControlKind::MenuEntry:
      break;
  }
  return "1";
}

}  // namespace

std::optional<ControlSetting> SplitSetting(const std::string& argument) {
  const std::size_t equals = argument.find('=');
  if (equals == std::string::npos) return std::nullopt;
  return ControlSetting{argument.substr(0, equals), argument.substr(equals + 1)};
}

std::optional<std::string> SettingProblem(const ControlSetting& setting) {
  const ControlAction* action = FindSettable(setting.control);
  if (action == nullptr) {
    if (StartState().hasText(setting.control)) return NotAnInputText(setting.control);
    return UnknownControlText(setting.control);
  }
  switch (action->kind) {
    case ControlKind::Field:
      return std::nullopt;
    case ControlKind::CheckBox:
      if (setting.text == "0" || setting.text == "1" || setting.text == "2") return std::nullopt;
      return BadCheckValueText(setting.control, setting.text);
    case ControlKind::FetType:
      if (setting.text == kNmosText || setting.text == kPmosText) return std::nullopt;
      return BadFetTypeText(setting.text);
    case ControlKind::Option:
      if (setting.text == "1") return std::nullopt;
      return BadOptionValueText(setting.control, setting.text);
    case ControlKind::Button:
    case ControlKind::MenuEntry:
      break;
  }
  return std::nullopt;
}

void ApplySetting(const ControlSetting& setting, WindowSession& session) {
  const ControlAction& action = *FindSettable(setting.control);
  switch (action.kind) {
    case ControlKind::Field:
      session.Type(action, setting.text);
      break;
    case ControlKind::FetType:
      // Choosing an item of the list, which runs nothing (typing into the box would update the model).
      session.ChooseFetType(setting.text);
      break;
    case ControlKind::CheckBox:
      session.ClickBox(action, setting.text.front() - '0');
      break;
    case ControlKind::Option:
    case ControlKind::Button:
    case ControlKind::MenuEntry:
      session.Click(action.control);
      break;
  }
}

std::string FieldList() {
  std::vector<const ControlAction*> settable;
  std::size_t controlWidth = 0;
  std::size_t nameWidth = 0;
  std::size_t unitWidth = 0;
  for (const ControlAction& action : ControlActions()) {
    if (action.name.empty()) continue;
    settable.push_back(&action);
    controlWidth = std::max(controlWidth, action.control.size());
    nameWidth = std::max(nameWidth, action.name.size());
    unitWidth = std::max(unitWidth, UnitColumn(action).size());
  }
  std::ostringstream list;
  list << std::left;
  for (const ControlAction* action : settable)
    list << std::setw(static_cast<int>(controlWidth + 2)) << action->control
         << std::setw(static_cast<int>(nameWidth + 2)) << action->name
         << std::setw(static_cast<int>(unitWidth + 2)) << UnitColumn(*action) << action->meaning << '\n';
  return list.str();
}

}  // namespace vdmos::cli

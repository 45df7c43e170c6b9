#include "cli/cli_settings.h"

#include <string_view>

#include "cli/cli_texts.h"
#include "commands/control_table.h"
#include "model/fet_type.h"

namespace vdmos::cli {
namespace {

const WindowState& StartState() {
  static const WindowState state;
  return state;
}

/// The table entry of a control --set can set: a field, the FET type, a check box or an option.
const ControlAction* SettableControl(std::string_view control) {
  const ControlAction* action = FindControlAction(control);
  if (action == nullptr || action->kind == ControlKind::Button || action->kind == ControlKind::MenuEntry)
    return nullptr;
  return action;
}

}  // namespace

std::optional<ControlSetting> SplitSetting(const std::string& argument) {
  const std::size_t equals = argument.find('=');
  if (equals == std::string::npos) return std::nullopt;
  return ControlSetting{argument.substr(0, equals), argument.substr(equals + 1)};
}

std::optional<std::string> SettingProblem(const ControlSetting& setting) {
  const ControlAction* action = SettableControl(setting.control);
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
  const ControlAction& action = *SettableControl(setting.control);
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

}  // namespace vdmos::cli

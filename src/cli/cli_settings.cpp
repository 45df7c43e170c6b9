#include "cli/cli_settings.h"

#include <array>
#include <string_view>

#include "cli/cli_texts.h"
#include "model/command_runner.h"
#include "model/control_names.h"
#include "model/fields.h"
#include "model/subcircuit.h"

namespace vdmos::cli {
namespace {

enum class ControlKind { TextField, CheckBox, FetType, Option };

struct NamedCommand {
  std::string_view control;
  Command command;
};

// What runs when the user types into a field or clicks an option.
constexpr std::array kChangeHandlers{NamedCommand{control::avalanche_volt, avalanche_volt_Change}};
constexpr std::array kOptionClicks{NamedCommand{control::OptionStandard, OptionStandard_Click},
                                   NamedCommand{control::OptionSubCkt, OptionSubCkt_Click}};

template <std::size_t N>
Command Find(const std::array<NamedCommand, N>& table, std::string_view control) {
  for (const NamedCommand& entry : table)
    if (entry.control == control) return entry.command;
  return nullptr;
}

const WindowState& StartState() {
  static const WindowState state;
  return state;
}

std::optional<ControlKind> KindOf(std::string_view control) {
  if (control == control::Combo1) return ControlKind::FetType;
  if (FindField(control) != nullptr) return ControlKind::TextField;
  if (StartState().hasCheck(control)) return ControlKind::CheckBox;
  if (Find(kOptionClicks, control) != nullptr) return ControlKind::Option;
  return std::nullopt;
}

}  // namespace

std::optional<ControlSetting> SplitSetting(const std::string& argument) {
  const std::size_t equals = argument.find('=');
  if (equals == std::string::npos) return std::nullopt;
  return ControlSetting{argument.substr(0, equals), argument.substr(equals + 1)};
}

std::optional<std::string> SettingProblem(const ControlSetting& setting) {
  const std::optional<ControlKind> kind = KindOf(setting.control);
  if (!kind) {
    if (StartState().hasText(setting.control)) return NotAnInputText(setting.control);
    return UnknownControlText(setting.control);
  }
  switch (*kind) {
    case ControlKind::TextField:
      return std::nullopt;
    case ControlKind::CheckBox:
      if (setting.text == "0" || setting.text == "1" || setting.text == "2") return std::nullopt;
      return BadCheckValueText(setting.control, setting.text);
    case ControlKind::FetType:
      if (setting.text == "NMOS" || setting.text == "PMOS") return std::nullopt;
      return BadFetTypeText(setting.text);
    case ControlKind::Option:
      if (setting.text == "1") return std::nullopt;
      return BadOptionValueText(setting.control, setting.text);
  }
  return std::nullopt;
}

void ApplySetting(const ControlSetting& setting, WindowState& state, Platform& platform) {
  switch (*KindOf(setting.control)) {
    case ControlKind::TextField:
    case ControlKind::FetType:
      state.setText(setting.control, setting.text);
      if (Command handler = Find(kChangeHandlers, setting.control)) RunUserCommand(handler, state, platform);
      break;
    case ControlKind::CheckBox:
      state.setCheck(setting.control, setting.text.front() - '0');
      break;
    case ControlKind::Option:
      RunUserCommand(Find(kOptionClicks, setting.control), state, platform);
      break;
  }
}

}  // namespace vdmos::cli

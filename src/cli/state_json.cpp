#include "cli/state_json.h"

#include "commands/control_table.h"
#include "model/control_names.h"

namespace vdmos::cli {

nlohmann::json StateJson(const WindowState& state, const std::vector<std::string>& messages) {
  nlohmann::json controls = nlohmann::json::object();
  for (const std::string& name : state.textControls()) controls[name] = state.text(name);
  nlohmann::json checks = nlohmann::json::object();
  for (const std::string& name : state.checkBoxes()) checks[name] = state.check(name);
  checks[control::OptionStandard] = state.optionStandard ? 1 : 0;
  checks[control::OptionSubCkt] = state.optionSubCkt ? 1 : 0;
  nlohmann::json enabled = nlohmann::json::object();
  for (const std::string& name : state.switchableControls()) enabled[name] = state.enabled(name);

  nlohmann::json names = nlohmann::json::object();
  for (const ControlAction& action : ControlActions())
    if (!action.name.empty()) names[std::string(action.control)] = action.name;

  return {{"controls", controls},
          {"checks", checks},
          {"enabled", enabled},
          {"messages", messages},
          {"fieldNames", names}};
}

std::string JsonText(const nlohmann::json& value) {
  // Field texts are whatever the user typed; invalid UTF-8 must not end the program.
  return value.dump(2, ' ', false, nlohmann::json::error_handler_t::replace);
}

}  // namespace vdmos::cli

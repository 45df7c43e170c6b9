#pragma once
// The window state as one JSON object, for scripts that want more than the card.

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "model/window_state.h"

namespace vdmos::cli {

/// {"controls": {name: text}, "checks": {name: 0|1|2}, "enabled": {name: bool},
/// "messages": [text, ...], "fieldNames": {name: readable name}}; "fieldNames" holds every
/// control --set can set. The options OptionStandard and OptionSubCkt appear under
/// "checks" as 0 or 1. Texts keep their CR LF.
nlohmann::json StateJson(const WindowState& state, const std::vector<std::string>& messages);

/// The value as printed, indented by two blanks; bytes that are not UTF-8 become U+FFFD.
std::string JsonText(const nlohmann::json& value);

}  // namespace vdmos::cli

// The whole model update over arbitrary field texts: it never throws and never crashes; the
// worst outcome is the parameter error text.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "commands/model_update.h"
#include "fuzz_switches.h"
#include "model/control_names.h"
#include "model/fields.h"
#include "model/window_state.h"
#include "platform/scripted_platform.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  vdmos::WindowState state;
  // The input is the texts of the fields in table order, separated by NUL bytes; the first
  // byte picks the check boxes, so that every branch of the fits is reachable.
  if (!rest.empty()) {
    SetSwitchesFromByte(state, static_cast<unsigned char>(rest.front()));
    rest.remove_prefix(1);
  }
  for (const vdmos::FieldInfo& field : vdmos::DatasheetFields()) {
    if (rest.empty()) break;
    const std::size_t end = rest.find('\0');
    state.setText(field.control, std::string(rest.substr(0, end)));
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
  }
  vdmos::ScriptedPlatform platform;
  vdmos::UpdateModel(state, platform);
  if (state.text(vdmos::control::Text19).empty()) std::abort();
  return 0;
}

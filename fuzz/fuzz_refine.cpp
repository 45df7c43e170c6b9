// "Refine model" over typed field texts: the model is updated, then refined. It never throws
// and never crashes; a refinement it keeps has finite parameters and shows a card.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "commands/model_update.h"
#include "fuzz_switches.h"
#include "model/control_names.h"
#include "model/fields.h"
#include "model/window_state.h"
#include "platform/scripted_platform.h"
#include "refine/refine_command.h"

// The start values, with fields replaced by records of a byte that picks the field (in table
// order) and the text that follows it up to a NUL byte; the first byte picks the check boxes.
// Starting from a whole datasheet keeps most inputs within reach of the optimiser itself.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  vdmos::WindowState state;
  if (!rest.empty()) {
    SetSwitchesFromByte(state, static_cast<unsigned char>(rest.front()));
    rest.remove_prefix(1);
  }
  const auto fields = vdmos::DatasheetFields();
  while (!rest.empty()) {
    const vdmos::FieldInfo& field = fields[static_cast<unsigned char>(rest.front()) % fields.size()];
    rest.remove_prefix(1);
    const std::size_t end = rest.find('\0');
    state.setText(field.control, std::string(rest.substr(0, end)));
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
  }
  vdmos::ScriptedPlatform platform;
  vdmos::UpdateModel(state, platform);
  if (!vdmos::RefineModel(state, platform)) return 0;
  const vdmos::ModelParameterSet& p = state.params;
  for (const double value : {p.KP, p.RS, p.RD, p.VTO, p.RG, p.LAMBDA, p.TT, p.CGDMAX, p.CGDMIN, p.CGS, p.a}) {
    if (!std::isfinite(value)) std::abort();
  }
  if (p.KSUBTHRES && !(*p.KSUBTHRES > 0 && std::isfinite(*p.KSUBTHRES))) std::abort();
  if (state.text(vdmos::control::Text19).empty()) std::abort();
  return 0;
}

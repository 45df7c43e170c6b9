#include "model/new_command.h"

#include <initializer_list>
#include <string_view>

#include "model/subcircuit.h"

namespace vdmos {
namespace {

void Empty(WindowState& state, std::initializer_list<std::string_view> controls) {
  for (std::string_view control : controls) state.setText(control, "");
}

}  // namespace

void New_Click(WindowState& state, Platform& platform) {
  Empty(state, {"Text20", "Text6", "Text2", "Text3", "Text4", "Text5", "Text7", "Text8", "Text21", "Text9", "Text10",
                "Text11", "Text19"});
  state.card = CardTexts{};
  Empty(state, {"id1", "vd1", "id2", "vd2", "id3", "vd3", "TextVdsMax", "TextCossMin"});
  state.setText("TextVdsMiddle", "25");
  state.setText("rdsonVgs", "10");
  Empty(state, {"Trr"});
  // Selecting the FET type here is a plain assignment: it must not start a model update.
  state.setText("Combo1", "NMOS");
  Empty(state, {"VdCharge", "IdCharge", "avalanche_volt", "Idplat", "Vplat"});
  // The program's own edit of the breakdown voltage runs its change handling like a user's.
  avalanche_volt_Change(state, platform);
}

}  // namespace vdmos

#include "commands/new_command.h"

#include "commands/subcircuit_commands.h"
#include "files/datasheet_file.h"
#include "model/control_names.h"
#include "model/fields.h"
#include "model/subcircuit.h"

namespace vdmos {

void New_Click(WindowState& state, Platform& platform) {
  // Every field takes the text the field table gives it after New; fields without one are
  // left alone. Selecting the FET type this way is a plain assignment: it starts no update.
  for (const FieldInfo& field : DatasheetFields())
    if (field.afterNew) state.setText(field.control, std::string(*field.afterNew));
  state.setText(control::Text19, "");
  state.card = CardTexts{};
  state.curves.clear();
  // Emptying the breakdown voltage is a change of that field and runs its change handling,
  // which rebuilds the subcircuit from the now empty name and card: so it comes last.
  avalanche_volt_Change(state, platform);
  // The emptied fields belong to no file, and are no work to lose.
  state.valuesFile.clear();
  state.savedValues = DatasheetFileText(state);
}

void ForgetComputedResults(WindowState& state) {
  static const WindowState start;
  state.params = start.params;
  for (const char* label :
       {control::Label_Rds, control::DATA1, control::DATA2, control::OUT_ID1, control::OUT_ID2,
        control::Label_DcParam, control::Ciss_on, control::Ciss_off, control::Label_ACparam})
    state.setText(label, start.text(label));
}

}  // namespace vdmos

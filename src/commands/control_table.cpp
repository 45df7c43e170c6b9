#include "commands/control_table.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "commands/ac_update.h"
#include "commands/datasheet_commands.h"
#include "commands/dc_update.h"
#include "commands/gate_resistance.h"
#include "commands/library_commands.h"
#include "commands/model_update.h"
#include "commands/new_command.h"
#include "commands/subcircuit_commands.h"
#include "commands/test_circuit_commands.h"
#include "commands/window_commands.h"
#include "model/control_names.h"
#include "model/fields.h"
#include "model/subcircuit.h"

namespace vdmos {
namespace {

using K = ControlKind;

// The fields whose typing runs more than the store; every other datasheet field only stores.
constexpr std::array kFieldChanges{
    ControlAction{control::Combo1, K::FetType, Combo1_Change, {}, {}},
    ControlAction{control::avalanche_volt, K::Field, avalanche_volt_Change, {}, {}},
};

constexpr std::array kClicks{
    ControlAction{control::CheckDepMode, K::CheckBox, nullptr, "depletion_mode",
                  "depletion-mode device (NMOS only)"},
    ControlAction{control::ForceRdsOn, K::CheckBox, nullptr, "force_rds_on",
                  "DC fit matches Rds(on) exactly"},
    ControlAction{control::FixVTO, K::CheckBox, nullptr, "fix_vto", "DC fit leaves VTO unchanged"},
    ControlAction{control::ChargesFirst, K::CheckBox, nullptr, "charges_first",
                  "refining meets the gate charges before the capacitances"},
    ControlAction{control::LineBreak, K::CheckBox, LineBreak_Click, "multiple_lines",
                  "card on three lines rather than one"},
    ControlAction{control::OptionStandard, K::Option, OptionStandard_Click, "standard_model",
                  "Add Model adds the model card"},
    ControlAction{control::OptionSubCkt, K::Option, OptionSubCkt_Click, "subcircuit_model",
                  "Add Model adds the subcircuit"},
    ControlAction{control::Update_DC, K::Button, Update_DC_Click, {}, {}},
    ControlAction{control::Update_AC, K::Button, Update_AC_Click, {}, {}},
    ControlAction{control::Command2, K::Button, Command2_Click, {}, {}},
    ControlAction{control::Command1, K::Button, Command1_Click, {}, {}},
    ControlAction{control::Button_Rgate, K::Button, Button_Rgate_Click, {}, {}},
    ControlAction{control::VgsPlat_Help, K::Button, VgsPlat_Help_Click, {}, {}},
    ControlAction{control::transf_help, K::Button, transf_help_Click, {}, {}},
    ControlAction{control::CopyToClipBoardSubCkt, K::Button, CopyToClipBoardSubCkt_Click, {}, {}},
    ControlAction{
        control::CopyToClipBoardNgspiceSubCkt, K::Button, CopyToClipBoardNgspiceSubCkt_Click, {}, {}},
    ControlAction{control::HelpSubCkt, K::Button, HelpSubCkt_Click, {}, {}},
    ControlAction{control::SaveModel, K::Button, SaveModel_Click, {}, {}},
    ControlAction{control::OpenLib, K::Button, OpenLib_Click, {}, {}},
    ControlAction{control::SaveLib, K::Button, SaveLib_Click, {}, {}},
    ControlAction{control::Add, K::Button, Add_Click, {}, {}},
    ControlAction{control::New, K::MenuEntry, New_Click, {}, {}},
    ControlAction{control::open, K::MenuEntry, open_Click, {}, {}},
    ControlAction{control::save, K::MenuEntry, save_Click, {}, {}},
    ControlAction{control::testcircuits, K::MenuEntry, testcircuits_Click, {}, {}},
    ControlAction{control::about, K::MenuEntry, about_Click, {}, {}},
};

// Built from the field table, so that a new field needs no entry here unless typing into it
// runs a command.
std::vector<ControlAction> BuildTable() {
  std::vector<ControlAction> table;
  for (const FieldInfo& field : DatasheetFields()) {
    const auto change = std::ranges::find(kFieldChanges, field.control, &ControlAction::control);
    ControlAction action =
        change != kFieldChanges.end() ? *change : ControlAction{field.control, K::Field, nullptr, {}, {}};
    action.name = field.name;
    action.meaning = field.meaning;
    table.push_back(action);
  }
  table.insert(table.end(), kClicks.begin(), kClicks.end());
  return table;
}

}  // namespace

std::span<const ControlAction> ControlActions() {
  static const std::vector<ControlAction> table = BuildTable();
  return table;
}

const ControlAction* FindControlAction(std::string_view control) {
  const std::span<const ControlAction> table = ControlActions();
  const auto entry = std::ranges::find(table, control, &ControlAction::control);
  return entry != table.end() ? &*entry : nullptr;
}

const ControlAction* FindSettable(std::string_view controlOrName) {
  for (const ControlAction& action : ControlActions())
    if (!action.name.empty() && (action.control == controlOrName || action.name == controlOrName))
      return &action;
  return nullptr;
}

bool TypeInto(const ControlAction& field, std::string text, WindowState& state, Platform& platform) {
  state.setText(field.control, std::move(text));
  return !field.command || RunUserCommand(field.command, state, platform);
}

bool ClickCheckBox(const ControlAction& box, int value, WindowState& state, Platform& platform) {
  if (state.check(box.control) == value) return true;
  state.setCheck(box.control, value);
  return !box.command || RunUserCommand(box.command, state, platform);
}

}  // namespace vdmos

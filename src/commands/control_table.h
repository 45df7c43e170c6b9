#pragma once
// What the main window runs when the user acts on a control: typing into a field, clicking a
// check box, an option, a button or a menu entry. The Qt window binds its widgets through this
// table and the command line's --set types and clicks through it, so the two cannot drift
// apart. The buttons and menu entries whose commands live above the core (the model check in
// verify and refine, and the ngspice export) are bound by the window itself.

#include <span>
#include <string_view>

#include "commands/command_runner.h"

namespace vdmos {

enum class ControlKind {
  Field,      ///< a one-line text field: typing stores the text, then runs the command
  FetType,    ///< Combo1: typing runs the command; choosing an item of its list only stores it
  CheckBox,   ///< a click stores the box's new value, then runs the command
  Option,     ///< a click runs the command, which selects the option
  Button,     ///< a click runs the command
  MenuEntry,  ///< choosing it runs the command
};

struct ControlAction {
  std::string_view control;
  ControlKind kind;
  Command command;  ///< what typing or clicking runs; nullptr: the value is only stored
  /// For what --set can set (a field, the FET type, a check box, an option): the readable name
  /// it also answers to and what it means; a datasheet field's come from the field table.
  std::string_view name;
  std::string_view meaning;
};

/// Every control of the table: the datasheet fields in their order, then the check boxes, the
/// options, the buttons and the menu entries.
std::span<const ControlAction> ControlActions();

/// The entry of that control name, or nullptr.
const ControlAction* FindControlAction(std::string_view control);

/// The entry of what --set can set, by control name or readable name; nullptr for anything
/// else (a button, a menu entry, an unknown name).
const ControlAction* FindSettable(std::string_view controlOrName);

/// The user typed `text` into a field or the FET type box: the text is stored, then the
/// field's command runs as one the user started. Returns false when that command ended in an
/// arithmetic fault.
bool TypeInto(const ControlAction& field, std::string text, WindowState& state, Platform& platform);

/// The user clicked a check box to `value` (0, 1 or 2): the value is stored, then the box's
/// command runs. Setting a box to the value it has is no click, and runs nothing. Returns false
/// when the command ended in an arithmetic fault.
bool ClickCheckBox(const ControlAction& box, int value, WindowState& state, Platform& platform);

}  // namespace vdmos

#include "commands/new_command.h"

#include <gtest/gtest.h>

#include <string>

#include "model/control_names.h"
#include "model/fields.h"
#include "platform/scripted_platform.h"

namespace vdmos {
namespace {

/// A window where every text, check box and stored value differs from its start state, so
/// that anything New touches by mistake shows.
WindowState TypedOverWindow() {
  WindowState state;
  for (const std::string& control : state.textControls()) state.setText(control, "typed " + control);
  state.setText(control::Combo1, "PMOS");
  for (const std::string& box : state.checkBoxes()) state.setCheck(box, 2);
  state.optionStandard = false;
  state.libCaret = 7;
  state.params.KP = 1.5;
  state.card = CardTexts{"segment 1", "segment 2", "segment 3", "single line"};
  state.testCircuitFolder = "/tmp/circuits";
  state.setVisible(control::Image2, true);
  return state;
}

TEST(New, ResetsItsFieldsAndLeavesEverythingElseAlone) {
  const WindowState before = TypedOverWindow();
  WindowState state = before;
  ScriptedPlatform platform;
  New_Click(state, platform);
  for (const std::string& control : state.textControls()) {
    SCOPED_TRACE(control);
    const FieldInfo* field = FindField(control);
    if (field && field->afterNew) {
      EXPECT_EQ(state.text(control), *field->afterNew);
    } else if (control == control::Text19) {
      EXPECT_EQ(state.text(control), "");
    } else if (control != control::SubCktTextBox) {
      EXPECT_EQ(state.text(control), before.text(control));
    }
  }
  EXPECT_EQ(state.text(control::Combo1), "NMOS");  // a typed-over FET type goes back to the list's first
  // Emptying the breakdown voltage rebuilds the subcircuit from the emptied fields.
  EXPECT_EQ(state.text(control::SubCktTextBox),
            ".subckt X d g s\r\nM1 d g s s \r\nRg g s 1G\r\nDb s d dbody\r\n\r\n"
            ".model dbody d ron=0.1 vrev= 0 vfwd=2\r\n.ends\r\n");
  EXPECT_FALSE(state.enabled(control::SubCktTextBox));
  EXPECT_FALSE(state.enabled(control::CopyToClipBoardSubCkt));
  EXPECT_EQ(state.card, CardTexts{});
  for (const std::string& box : state.checkBoxes()) EXPECT_EQ(state.check(box), 2) << box;
  EXPECT_EQ(state.params, before.params);  // selecting NMOS runs no model update
  EXPECT_FALSE(state.optionStandard);
  EXPECT_EQ(state.libCaret, 7u);
  EXPECT_EQ(state.testCircuitFolder, "/tmp/circuits");
  EXPECT_TRUE(state.visible(control::Image2));
  EXPECT_TRUE(platform.messages.empty());
}

}  // namespace
}  // namespace vdmos

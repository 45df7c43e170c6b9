#include "model/new_command.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/scripted_platform.h"

namespace vdmos {
namespace {

// The text each field holds after New; an absent field is left alone.
// clang-format off
const std::map<std::string, std::string> kAfterNew = {
    {"Text20", ""}, {"Combo1", "NMOS"}, {"Text6", ""}, {"rdsonVgs", "10"}, {"Text3", ""}, {"Text2", ""},
    {"Vplat", ""}, {"Idplat", ""}, {"Text5", ""}, {"Text4", ""}, {"vd1", ""}, {"id1", ""}, {"vd2", ""},
    {"id2", ""}, {"vd3", ""}, {"id3", ""}, {"Text21", ""}, {"Text10", ""}, {"TextVdsMiddle", "25"},
    {"Text7", ""}, {"Text8", ""}, {"Text9", ""}, {"TextVdsMax", ""}, {"TextCossMin", ""}, {"Text11", ""},
    {"Trr", ""}, {"IdCharge", ""}, {"VdCharge", ""}, {"avalanche_volt", ""}, {"Text19", ""}};
// clang-format on

/// A window where every text, check box and stored value differs from its start state, so
/// that anything New touches by mistake shows.
WindowState TypedOverWindow() {
  WindowState state;
  for (const std::string& control : state.textControls()) state.setText(control, "typed " + control);
  state.setText("Combo1", "PMOS");
  for (const std::string& box : state.checkBoxes()) state.setCheck(box, 2);
  state.optionStandard = false;
  state.libCaret = 7;
  state.params.KP = 1.5;
  state.card = CardTexts{"segment 1", "segment 2", "segment 3", "single line"};
  state.testCircuitFolder = "/tmp/circuits";
  state.setVisible("Image2", true);
  return state;
}

TEST(New, ResetsItsFieldsAndLeavesEverythingElseAlone) {
  const WindowState before = TypedOverWindow();
  WindowState state = before;
  ScriptedPlatform platform;
  New_Click(state, platform);
  for (const std::string& control : state.textControls()) {
    SCOPED_TRACE(control);
    const auto reset = kAfterNew.find(control);
    if (reset != kAfterNew.end()) {
      EXPECT_EQ(state.text(control), reset->second);
    } else if (control != "SubCktTextBox") {
      EXPECT_EQ(state.text(control), before.text(control));
    }
  }
  // Emptying the breakdown voltage rebuilds the subcircuit from the emptied fields.
  EXPECT_EQ(state.text("SubCktTextBox"),
            ".subckt X d g s\r\nM1 d g s s \r\nRg g s 1G\r\nDb s d dbody\r\n\r\n"
            ".model dbody d ron=0.1 vrev= 0 vfwd=2\r\n.ends\r\n");
  EXPECT_FALSE(state.enabled("SubCktTextBox"));
  EXPECT_FALSE(state.enabled("CopyToClipBoardSubCkt"));
  EXPECT_EQ(state.card, CardTexts{});
  for (const std::string& box : state.checkBoxes()) EXPECT_EQ(state.check(box), 2) << box;
  EXPECT_EQ(state.params, before.params);  // selecting NMOS runs no model update
  EXPECT_FALSE(state.optionStandard);
  EXPECT_EQ(state.libCaret, 7u);
  EXPECT_EQ(state.testCircuitFolder, "/tmp/circuits");
  EXPECT_TRUE(state.visible("Image2"));
  EXPECT_TRUE(platform.messages.empty());
}

}  // namespace
}  // namespace vdmos

#include "model/new_command.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "model/control_names.h"
#include "platform/scripted_platform.h"

namespace vdmos {
namespace {

// The text each field holds after New; an absent field is left alone.
// clang-format off
const std::map<std::string, std::string> kAfterNew = {
    {control::Text20, ""}, {control::Combo1, "NMOS"}, {control::Text6, ""}, {control::rdsonVgs, "10"}, {control::Text3, ""}, {control::Text2, ""},
    {control::Vplat, ""}, {control::Idplat, ""}, {control::Text5, ""}, {control::Text4, ""}, {control::vd1, ""}, {control::id1, ""}, {control::vd2, ""},
    {control::id2, ""}, {control::vd3, ""}, {control::id3, ""}, {control::Text21, ""}, {control::Text10, ""}, {control::TextVdsMiddle, "25"},
    {control::Text7, ""}, {control::Text8, ""}, {control::Text9, ""}, {control::TextVdsMax, ""}, {control::TextCossMin, ""}, {control::Text11, ""},
    {control::Trr, ""}, {control::IdCharge, ""}, {control::VdCharge, ""}, {control::avalanche_volt, ""}, {control::Text19, ""}};
// clang-format on

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
    const auto reset = kAfterNew.find(control);
    if (reset != kAfterNew.end()) {
      EXPECT_EQ(state.text(control), reset->second);
    } else if (control != control::SubCktTextBox) {
      EXPECT_EQ(state.text(control), before.text(control));
    }
  }
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

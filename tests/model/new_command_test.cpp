#include "model/new_command.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "model/fields.h"
#include "model/numbers.h"
#include "platform/scripted_platform.h"

namespace vdmos {
namespace {

// The text each field holds after New, written from the field table; an absent field is left
// alone.
const std::map<std::string, std::string> kAfterNew = {
    {"Text20", ""},        {"Combo1", "NMOS"},   {"Text6", ""},    {"rdsonVgs", "10"}, {"Text3", ""},
    {"Text2", ""},         {"Vplat", ""},        {"Idplat", ""},   {"Text5", ""},      {"Text4", ""},
    {"vd1", ""},           {"id1", ""},          {"vd2", ""},      {"id2", ""},        {"vd3", ""},
    {"id3", ""},           {"Text21", ""},       {"Text10", ""},   {"TextVdsMiddle", "25"},
    {"Text7", ""},         {"Text8", ""},        {"Text9", ""},    {"TextVdsMax", ""}, {"TextCossMin", ""},
    {"Text11", ""},        {"Trr", ""},          {"IdCharge", ""}, {"VdCharge", ""},   {"avalanche_volt", ""},
    {"Text19", ""},
};

const char kSkeletonSubCkt[] =
    ".subckt X d g s\r\n"
    "M1 d g s s \r\n"
    "Rg g s 1G\r\n"
    "Db s d dbody\r\n"
    "\r\n"
    ".model dbody d ron=0.1 vrev= 0 vfwd=2\r\n"
    ".ends\r\n";

/// A window where every text, check box and stored value differs from its start state, so
/// that anything New touches by mistake shows.
WindowState TypedOverWindow() {
  WindowState state;
  for (const std::string& control : state.textControls()) state.setText(control, "typed " + control);
  state.setText("Combo1", "PMOS");
  for (const std::string& box : state.checkBoxes()) state.setCheck(box, 2);
  state.optionStandard = false;
  state.optionSubCkt = true;
  state.libCaret = 7;
  state.params.KP = 1.5;
  state.params.LAMBDA = 0.02;
  state.params.bodyDiodeText = "IS=1.00E-12 N=1.00 RB=0.1 ";
  state.card = CardTexts{"segment 1", "segment 2", "segment 3", "single line"};
  state.testCircuitFolder = "/tmp/circuits";
  state.setVisible("Image2", true);
  return state;
}

TEST(New, PutsTheAfterNewTextIntoEveryFieldItResets) {
  WindowState state = TypedOverWindow();
  ScriptedPlatform platform;
  New_Click(state, platform);
  for (const auto& [control, text] : kAfterNew) {
    SCOPED_TRACE(control);
    EXPECT_EQ(state.text(control), text);
  }
  EXPECT_EQ(state.card, CardTexts{});
  EXPECT_TRUE(platform.messages.empty());
}

TEST(New, AgreesWithTheFieldTable) {
  for (const FieldInfo& field : DatasheetFields()) {
    SCOPED_TRACE(std::string(field.control));
    const auto expected = kAfterNew.find(std::string(field.control));
    ASSERT_EQ(field.afterNew.has_value(), expected != kAfterNew.end());
    if (field.afterNew) {
      EXPECT_EQ(*field.afterNew, expected->second);
    }
  }
}

TEST(New, LeavesEverythingElseAlone) {
  const WindowState before = TypedOverWindow();
  WindowState state = before;
  ScriptedPlatform platform;
  New_Click(state, platform);
  for (const std::string& control : state.textControls()) {
    if (kAfterNew.contains(control) || control == "SubCktTextBox") continue;
    SCOPED_TRACE(control);
    EXPECT_EQ(state.text(control), before.text(control));
  }
  for (const std::string& box : state.checkBoxes()) {
    EXPECT_EQ(state.check(box), 2) << box;
  }
  EXPECT_EQ(state.params, before.params);  // selecting NMOS runs no model update
  EXPECT_FALSE(state.optionStandard);
  EXPECT_TRUE(state.optionSubCkt);
  EXPECT_EQ(state.libCaret, 7u);
  EXPECT_EQ(state.testCircuitFolder, "/tmp/circuits");
  EXPECT_TRUE(state.visible("Image2"));
  EXPECT_TRUE(state.enabled("Command1"));
}

TEST(New, RebuildsTheSubcircuitFromTheEmptiedFieldsAndDisablesIt) {
  WindowState state = TypedOverWindow();
  ScriptedPlatform platform;
  New_Click(state, platform);
  EXPECT_EQ(state.text("SubCktTextBox"), kSkeletonSubCkt);
  EXPECT_FALSE(state.enabled("SubCktTextBox"));
  EXPECT_FALSE(state.enabled("CopyToClipBoardSubCkt"));
}

TEST(New, EmptiedFieldsReadAsZeroAndTheResetOnesAsTheirValues) {
  WindowState state;
  ScriptedPlatform platform;
  New_Click(state, platform);
  for (const FieldInfo& field : DatasheetFields()) {
    if (field.reading == Reading::Text || !field.afterNew || !field.afterNew->empty()) continue;
    SCOPED_TRACE(std::string(field.control));
    EXPECT_EQ(EngineeringReading(state.text(field.control)), 0);
    EXPECT_EQ(PlainReading(state.text(field.control)), 0);
  }
  EXPECT_EQ(EngineeringReading(state.text("TextVdsMiddle")), 25);
  EXPECT_EQ(EngineeringReading(state.text("rdsonVgs")), 10);
}

}  // namespace
}  // namespace vdmos

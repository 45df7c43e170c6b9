#include "commands/control_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "commands/model_update.h"
#include "model/control_names.h"
#include "model/fields.h"
#include "platform/scripted_platform.h"

namespace vdmos {
namespace {

const ControlAction& Action(std::string_view control) {
  const ControlAction* action = FindControlAction(control);
  if (action == nullptr) throw std::logic_error("no table entry for " + std::string(control));
  return *action;
}

// A field added to the field table is typed through the control table without an entry there.
TEST(ControlTable, EveryDatasheetFieldIsTypedThroughIt) {
  for (const FieldInfo& field : DatasheetFields()) {
    const ControlKind kind = Action(field.control).kind;
    EXPECT_TRUE(kind == ControlKind::Field || kind == ControlKind::FetType) << field.control;
  }
  EXPECT_EQ(FindControlAction(control::Text19), nullptr);  // the card box is no input
}

bool SnakeCase(std::string_view name) {
  return !name.empty() && name.front() >= 'a' && name.front() <= 'z' && std::ranges::all_of(name, [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
  });
}

// A readable name that two controls shared, or that was another control's window name, would
// make --set change the wrong control.
TEST(ControlTable, ReadableNamesAreSnakeCaseUniqueAndFindTheirControl) {
  std::set<std::string_view> names;
  for (const ControlAction& action : ControlActions()) {
    const bool settable = action.kind != ControlKind::Button && action.kind != ControlKind::MenuEntry;
    EXPECT_EQ(!action.name.empty(), settable) << action.control;
    if (!settable) {
      EXPECT_EQ(FindSettable(action.control), nullptr) << action.control;
      continue;
    }
    EXPECT_TRUE(SnakeCase(action.name)) << action.name;
    EXPECT_FALSE(action.meaning.empty()) << action.control;
    EXPECT_TRUE(names.insert(action.name).second) << "twice: " << action.name;
    EXPECT_EQ(FindSettable(action.name), &action) << action.name;
    EXPECT_EQ(FindSettable(action.control), &action) << action.control;
    const ControlAction* other = FindControlAction(action.name);
    EXPECT_TRUE(other == nullptr || other == &action) << action.name << " is a control's window name";
  }
  EXPECT_EQ(FindSettable("rds_on"), &Action(control::Text6));
  EXPECT_EQ(FindSettable("model_name"), &Action(control::Text20));
  EXPECT_EQ(FindSettable("Text19"), nullptr);
  EXPECT_EQ(FindSettable(""), nullptr);
}

TEST(ControlTable, TypingRunsTheFieldsChangeAndOnlyThat) {
  WindowState state;
  ScriptedPlatform platform;
  TypeInto(Action(control::Text6), "1e999", state, platform);  // stored, nothing computed
  EXPECT_EQ(state.text(control::Text6), "1e999");
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(state.text(control::Text19), "");

  TypeInto(Action(control::avalanche_volt), "", state, platform);
  EXPECT_FALSE(state.enabled(control::SubCktTextBox));
  // A fault in the change is reported and undone; the typed text stays, as in the window.
  TypeInto(Action(control::avalanche_volt), "1e999", state, platform);
  EXPECT_EQ(state.text(control::avalanche_volt), "1e999");
  EXPECT_FALSE(state.enabled(control::SubCktTextBox));
  EXPECT_EQ(platform.MessageTexts(), std::vector<std::string>{std::string(kParameterErrorText)});

  WindowState typed;
  TypeInto(Action(control::Combo1), "PMOS", typed, platform);  // typing the FET type updates the model
  EXPECT_TRUE(typed.text(control::Text19).ends_with(" PCHAN)"));
}

TEST(ControlTable, ClickingMultipleLinesShowsTheCardAnewAndASameValueIsNoClick) {
  WindowState state;
  ScriptedPlatform platform;
  UpdateModel(state, platform);
  ClickCheckBox(Action(control::LineBreak), 0, state, platform);
  EXPECT_EQ(state.check(control::LineBreak), 0);
  EXPECT_EQ(state.text(control::Text19), state.card.singleLine);

  state.setText(control::Text19, "edited by hand");
  ClickCheckBox(Action(control::LineBreak), 0, state, platform);
  EXPECT_EQ(state.text(control::Text19), "edited by hand");
  ClickCheckBox(Action(control::ForceRdsOn), 0, state, platform);  // stored only
  EXPECT_EQ(state.check(control::ForceRdsOn), 0);
  EXPECT_EQ(state.text(control::Text19), "edited by hand");
  EXPECT_TRUE(platform.messages.empty());
}

}  // namespace
}  // namespace vdmos

#include "commands/model_update.h"

#include <gtest/gtest.h>

#include <cctype>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "commands/ac_update.h"
#include "commands/command_runner.h"
#include "commands/dc_update.h"
#include "commands/subcircuit_commands.h"
#include "golden/start_card.h"
#include "model/checked_math.h"
#include "model/control_names.h"
#include "model/fields.h"
#include "model/subcircuit.h"
#include "platform/scripted_platform.h"

namespace vdmos {
namespace {

using golden::kStartSegment1, golden::kStartSegment2, golden::kStartSegment3;
const std::string& kThreeLines = golden::kStartCard;
const std::string& kSingleLine = golden::kStartCardOneLine;

struct Window {
  WindowState state;
  ScriptedPlatform platform;
  void Update() { UpdateModel(state, platform); }
};

TEST(ModelCard, WritesEmptyTextsAsTheyAreAndTtWithTwoDigits) {
  // clang-format off
  const ModelParameterSet params{.KP = 6.49678, .RS = 0.0016, .RD = 0.13642, .VTO = 3, .RG = 0.54, .TT = 5,
                                 .CGDMAX = 5561.4, .CGDMIN = 5, .CGS = 2350, .a = 1.93,
                                 .bodyDiodeText = "", .junctionCapText = ""};
  // clang-format on
  EXPECT_EQ(BuildCardTexts("", params, "", kPChannelSuffix).singleLine,
            ".MODEL  VDMOS(KP=6.4968 RS=0.0016 RD=0.1364 RG=0.54 VTO=3.0 LAMBDA= CGDMAX=5561p CGDMIN=5p "
            "CGS=2350p TT=05n a=1.93  PCHAN)");
}

TEST(UpdateModel, StartValuesGiveTheCardOnThreeLinesOrOneAndStoreBothForms) {
  Window w;
  Command2_Click(w.state, w.platform);  // the "Update model" button
  EXPECT_EQ(w.state.text(control::Text19), kThreeLines);
  EXPECT_EQ(w.state.card, (CardTexts{kStartSegment1, kStartSegment2, kStartSegment3, kSingleLine}));
  EXPECT_TRUE(w.platform.messages.empty());
  for (int unchecked : {0, 2}) {
    w.state.setCheck(control::LineBreak, unchecked);
    w.Update();
    EXPECT_EQ(w.state.text(control::Text19), kSingleLine) << unchecked;
  }
}

TEST(UpdateModel, PmosNegatesTheStoredVtoAndMarksTheCard) {
  Window w;
  w.state.setText(control::Combo1, "PMOS");
  w.state.setText(control::Text2, "");  // an empty gate resistance reads as 0
  Combo1_Change(w.state, w.platform);   // choosing the FET type updates the model
  w.Update();  // the DC extraction sets VTO afresh, so a second update does not flip it back
  EXPECT_DOUBLE_EQ(w.state.params.VTO, -3.0);
  EXPECT_EQ(w.state.card.segment1, ".MODEL 20N60C3 VDMOS(KP=6.4968 RS=0.0016 RD=0.1364 RG=0.0 VTO=-3.0 ");
  EXPECT_EQ(w.state.card.segment3, "IS=1.47E-08 N=1.576 RB=0.006897 m=0.797 Vj=1.03 Cjo=9600.0pF PCHAN)");
  w.state.setText(control::Combo1, "pmos");  // only the exact text counts as PMOS
  w.Update();
  EXPECT_EQ(w.state.card.segment3, kStartSegment3);
}

TEST(UpdateModel, OverflowingFieldEndsWithTheErrorTextAndKeepsTheEarlierCard) {
  for (const char* field :
       {control::Text6, control::vd1}) {  // read by the DC extraction, by the body diode fit
    SCOPED_TRACE(field);
    Window w;
    w.Update();
    const CardTexts card = w.state.card;
    const std::string subcircuit = w.state.text(control::SubCktTextBox);

    w.state.setText(field, "1e999");
    w.state.setText(control::Text20, "OTHER");
    w.Update();
    EXPECT_EQ(w.state.text(control::Text19), kParameterErrorText);
    EXPECT_FALSE(w.state.enabled(control::Command1));
    EXPECT_EQ(w.state.card, card);
    EXPECT_EQ(w.state.text(control::SubCktTextBox), subcircuit);

    w.state.setText(field, "700m");
    w.Update();
    EXPECT_TRUE(w.state.enabled(control::Command1));
    EXPECT_EQ(w.state.card.segment1.substr(0, 13), ".MODEL OTHER ");
  }
}

// A field the card copies as typed that would make lines, commands or parameters of its own in
// ngspice, or a name ngspice cannot find, ends the update like a fault: a message naming the
// field, the error text, no new card. LAMBDA is refused whether or not the DC fit runs (with
// no plateau current it does not, and the card would take the text as typed).
TEST(UpdateModel, TypedTextsTheCardCannotTakeAreRefusedNamingTheField) {
  const std::string lambda = "The field Text_LAMBDA must hold one number";
  const std::pair<const char*, std::string> rows[] = {
      {control::Text_LAMBDA, "1m\n.control\nshell touch pwned\n.endc\n+"},
      {control::Text_LAMBDA, "1m KP=100 VTO=0.5"},
      {control::Text_LAMBDA, "1m\r\n+ KP=100"},
      {control::Text_LAMBDA, ""},
      {control::Text20, "*X"},
      {control::Text20, std::string(10000, 'M')},
      {control::Text20, "X\n.control"},
  };
  for (const char* plateauCurrent : {"20.7", "0"}) {
    for (const auto& [field, text] : rows) {
      SCOPED_TRACE(std::string(field) + "=" + text.substr(0, 40) + " Idplat=" + plateauCurrent);
      Window w;
      w.Update();
      const CardTexts card = w.state.card;
      w.state.setText(control::Idplat, plateauCurrent);
      w.state.setText(field, text);
      w.Update();
      EXPECT_EQ(w.state.text(control::Text19), kParameterErrorText);
      EXPECT_FALSE(w.state.enabled(control::Command1));
      EXPECT_EQ(w.state.card, card);
      ASSERT_EQ(w.platform.messages.size(), 1u);
      EXPECT_TRUE(
          w.platform.messages[0].text.starts_with(field == control::Text20 ? "The model name" : lambda))
          << w.platform.messages[0].text;
    }
  }
}

// Only the subcircuit, the last step, reads the breakdown voltage: the line break command,
// which rebuilds it, is undone and reported; the update has built the card by then.
TEST(UpdateModel, OverflowingBreakdownVoltage) {
  Window w;
  w.state.setText(control::avalanche_volt, "1e999");
  const WindowState before = w.state;
  RunUserCommand(LineBreak_Click, w.state, w.platform);
  EXPECT_EQ(w.state, before);
  EXPECT_EQ(w.platform.MessageTexts(), std::vector<std::string>{std::string(kParameterErrorText)});

  w.Update();
  EXPECT_EQ(w.state.text(control::Text19), kParameterErrorText);
  EXPECT_FALSE(w.state.enabled(control::Command1));
  EXPECT_EQ(w.state.card.singleLine, kSingleLine);
  EXPECT_EQ(w.state.text(control::SubCktTextBox), "Subcircuit model\r\n");
}

TEST(LineBreak, ShowsTheStoredCardWithoutRecomputingAndCopyTakesIt) {
  Window w;
  // Before any update there is no card, and no skeleton of one passes for it.
  LineBreak_Click(w.state, w.platform);
  EXPECT_EQ(w.state.text(control::Text19), "");
  w.Update();
  w.state.setText(control::Text20, "CHANGED");
  w.state.setCheck(control::LineBreak, 0);
  LineBreak_Click(w.state, w.platform);
  EXPECT_EQ(w.state.text(control::Text19), kSingleLine);
  w.state.setCheck(control::LineBreak, 1);
  LineBreak_Click(w.state, w.platform);
  EXPECT_EQ(w.state.text(control::Text19), kThreeLines);
  // The subcircuit is rebuilt from the current fields around the stored card.
  EXPECT_EQ(w.state.text(control::SubCktTextBox).substr(0, 17), ".subckt XCHANGED ");
  Command1_Click(w.state, w.platform);
  EXPECT_EQ(w.platform.clipboard, kThreeLines);
}

// Every command that needs a card starts here: it updates only an empty card box, and refuses
// (with its own message, or silently) a model whose update failed.
TEST(EnsureCard, UpdatesAnEmptyBoxOnlyAndRefusesAFailedModel) {
  struct Case {
    const char* name;
    std::string box;    ///< the card box before
    const char* text6;  ///< Rds_on
    bool withRefusal;
    bool expectedResult;
    std::string expectedBox;
    std::vector<std::string> expectedMessages;
  };
  const std::string failed(kParameterErrorText);
  const Case cases[] = {
      {"empty box, good values", "", "160m", true, true, kThreeLines, {}},
      {"empty box, failing values", "", "1e999", true, false, failed, {"refused"}},
      {"empty box, failing values, no refusal", "", "1e999", false, false, failed, {}},
      {"a card already shown is kept", "old card", "1e999", true, true, "old card", {}},
      {"a failed model is not updated again", failed, "160m", true, false, failed, {"refused"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Window w;
    w.state.setText(control::Text19, c.box);
    w.state.setText(control::Text6, c.text6);
    const std::optional<std::string_view> refusal =
        c.withRefusal ? std::optional<std::string_view>("refused") : std::nullopt;
    EXPECT_EQ(EnsureCard(w.state, w.platform, refusal), c.expectedResult);
    EXPECT_EQ(ModelFailed(w.state), !c.expectedResult);
    EXPECT_EQ(w.state.text(control::Text19), c.expectedBox);
    EXPECT_EQ(w.platform.MessageTexts(), c.expectedMessages);
  }
}

/// No output may show a non-number, however it was printed.
void ExpectNumbers(const WindowState& state, std::initializer_list<const char*> outputs) {
  for (const char* output : outputs) {
    std::string shown = state.text(output);
    for (char& c : shown) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_TRUE(shown.find("nan") == shown.npos && shown.find("inf") == shown.npos) << output << "=" << shown;
  }
}

// Whatever a user types into any field, every command on the road ends: the page updates
// and the card show no non-number, and the model update ends with a card or the error text.
TEST(HostileInput, EveryFieldThroughTheWholeRoad) {
  const std::string longDigits(100000, '7'), manySuffixes = std::string(20000, 'm') + "1";
  // clang-format off
  const std::string hostile[] = {"1e308", "-1e308", "1e999", "", "\x01\x02\r\n\t\x7f\xff", "-1e-320", "-0",
                                 "&HFFFFFFFFFFFFFFFFFFFF", "9MEG", "nan", longDigits, manySuffixes};
  // clang-format on
  for (const FieldInfo& field : DatasheetFields()) {
    for (const std::string& text : hostile) {
      SCOPED_TRACE(std::string(field.control) + " = " + text.substr(0, 40));
      Window w;
      w.state.setText(field.control, text);
      RunUserCommand(Update_DC_Click, w.state, w.platform);
      ExpectNumbers(w.state,
                    {control::Text_LAMBDA, control::StatusBar1, control::Label_Rds, control::Label_DcParam,
                     control::DATA1, control::DATA2, control::OUT_ID1, control::OUT_ID2});
      RunUserCommand(Update_AC_Click, w.state, w.platform);
      ExpectNumbers(w.state, {control::Label_ACparam, control::Ciss_on, control::Ciss_off});
      RunUserCommand(avalanche_volt_Change, w.state, w.platform);
      w.Update();
      const std::string& card = w.state.text(control::Text19);
      const bool made = card.starts_with(".MODEL ");
      EXPECT_TRUE(made || card == kParameterErrorText);
      EXPECT_EQ(w.state.enabled(control::Command1), made);
      if (field.control != std::string_view(control::Text20))
        ExpectNumbers(w.state, {control::Text19});  // a typed name
      RunUserCommand(LineBreak_Click, w.state, w.platform);
      Command1_Click(w.state, w.platform);
    }
  }
}

}  // namespace
}  // namespace vdmos

// The hot device's fields in the card, the ngspice subcircuit and the values file. The laws
// themselves are in tests/extract/temperature_fit_test.cpp, their runs in ngspice in
// tests/verify/hot_device_check_test.cpp.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "commands/model_update.h"
#include "extract/junction_potential.h"
#include "files/datasheet_file.h"
#include "golden/start_card.h"
#include "model/card_reading.h"
#include "model/control_names.h"
#include "model/fet_type.h"
#include "model/subcircuit.h"
#include "platform/scripted_platform.h"

namespace vdmos {
namespace {

struct Window {
  WindowState state;
  ScriptedPlatform platform;
};

/// The start values (a 600 V device) with hot values typed.
Window HotWindow() {
  Window w;
  w.state.setText(control::TjHot, "150");
  w.state.setText(control::RdsHotRatio, "2.5");
  w.state.setText(control::VthHot, "2.2");
  w.state.setText(control::VsdHot, "0.65");
  w.state.setText(control::IsdHot, "3");
  w.state.setText(control::BvHot, "680");
  return w;
}

TEST(HotDeviceCard, TemperatureLineFollowsTheCardInBothForms) {
  Window w = HotWindow();
  UpdateModel(w.state, w.platform);
  EXPECT_TRUE(w.platform.messages.empty());
  // The three segments stay as the start card's, the closing parenthesis moving to the new line,
  // but for the diode's N, written for 25 C (1.576 fitted at 300 K is 1.58578 at 298.15 K).
  const auto atNominal = [](std::string card) { return card.replace(card.find("N=1.576"), 7, "N=1.58578"); };
  const std::string threeLines = w.state.text(control::Text19);
  ASSERT_TRUE(threeLines.starts_with(atNominal(golden::kStartCard.substr(0, golden::kStartCard.size() - 1)) +
                                     "\r\n+TNOM=25 TCVTH="))
      << threeLines;
  EXPECT_TRUE(threeLines.ends_with(")"));
  // The start device's RD rises steeply (2.5 times by 150 C): a power law keeps it above zero.
  for (const char* key : {" TEXP0=", " EG="}) EXPECT_NE(threeLines.find(key), std::string::npos) << key;
  EXPECT_EQ(threeLines.find(" MU="), std::string::npos);  // no zero-TC point typed

  w.state.setCheck(control::LineBreak, 0);
  LineBreak_Click(w.state, w.platform);
  const std::string& card = w.state.text(control::Text19);
  EXPECT_EQ(card, atNominal(golden::kStartCardOneLine.substr(0, golden::kStartCardOneLine.size() - 1)) +
                      "\r\n+" + w.state.card.segment4);
  // The parameters keep the fit's N: a second card from them is the same card.
  EXPECT_EQ(w.state.params.bodyDiodeText, "IS=1.47E-08 N=1.576 RB=0.006897 ");
  const CardReading read = ReadCard(threeLines);
  ASSERT_TRUE(read.card) << read.problem;
  EXPECT_EQ(read.card->parameters.front(), "KP=6.4968");
  EXPECT_FALSE(read.card->pChannel);
}

TEST(HotDeviceCard, PChannelMarkStaysOnItsLineAndTheThresholdCoefficientKeepsItsSign) {
  Window n = HotWindow();
  UpdateModel(n.state, n.platform);
  Window p = HotWindow();
  p.state.setText(control::Combo1, std::string(kPmosText));
  UpdateModel(p.state, p.platform);
  EXPECT_TRUE(p.state.card.segment3.ends_with(" PCHAN"));
  EXPECT_TRUE(CardIsPChannel(p.state.card));
  EXPECT_FALSE(CardIsPChannel(n.state.card));
  // ngspice turns TCVTH by the channel type: the same magnitude lowers |VTO| of both.
  EXPECT_EQ(p.state.card.segment4, n.state.card.segment4);
  const CardReading read = ReadCard(p.state.text(control::Text19));
  ASSERT_TRUE(read.card) << read.problem;
  EXPECT_TRUE(read.card->pChannel);
}

TEST(HotDeviceCard, BadValueIsNamedAndTheRestOfTheCardMade) {
  Window w = HotWindow();
  w.state.setText(control::VthHot, "3.5");  // above the 25 C threshold of 3 V
  UpdateModel(w.state, w.platform);
  ASSERT_EQ(w.platform.messages.size(), 1u);
  EXPECT_NE(w.platform.messages[0].text.find("Vgs(th) at hot Tj"), std::string::npos);
  EXPECT_EQ(w.state.card.segment4.find("TCVTH"), std::string::npos);
  EXPECT_NE(w.state.card.segment4.find("TEXP0"), std::string::npos);
  EXPECT_TRUE(w.state.card.segment3.starts_with("IS="));

  Window cold = HotWindow();
  cold.state.setText(control::TjHot, "20");
  UpdateModel(cold.state, cold.platform);
  ASSERT_EQ(cold.platform.messages.size(), 1u);
  EXPECT_NE(cold.platform.messages[0].text.find("hot Tj"), std::string::npos);
  EXPECT_EQ(cold.state.text(control::Text19), golden::kStartCard);

  Window huge = HotWindow();
  huge.state.setText(control::RdsHotRatio, "1e999");
  UpdateModel(huge.state, huge.platform);
  ASSERT_EQ(huge.platform.messages.size(), 1u);
  EXPECT_NE(huge.platform.messages[0].text.find("too large"), std::string::npos);
  EXPECT_NE(huge.state.card.segment4.find("TCVTH"), std::string::npos);
}

// A superjunction's capacitances (900 V part), whose Coss points give Vj 0.1 V: ngspice's
// junction potential would fall below zero hot, so the hot card holds Vj at the floor.
TEST(HotDeviceCard, JunctionPotentialIsRaisedForTheHotCardOnly) {
  const auto superjunction = [](Window& w) {
    for (const auto& [control, text] :
         {std::pair{control::Text7, "6800"}, std::pair{control::Text21, "25000"},
          std::pair{control::Text8, "330"}, std::pair{control::TextCossMin, "130"},
          std::pair{control::Text10, "3000"}, std::pair{control::Text9, "20"},
          std::pair{control::Text11, "5"}, std::pair{control::TextVdsMiddle, "100"},
          std::pair{control::TextVdsMax, "500"}})
      w.state.setText(control, text);
    UpdateModel(w.state, w.platform);
    return CardTextValue(w.state.params.junctionCapText, "Vj").value_or(0);
  };
  Window room;
  EXPECT_EQ(superjunction(room), 0.1);
  EXPECT_TRUE(room.platform.messages.empty());

  Window hot = HotWindow();
  EXPECT_EQ(superjunction(hot), 0.51);
  EXPECT_EQ(hot.platform.MessageTexts(), std::vector{JunctionPotentialRaisedMessage(0.1, 0.51)});
  EXPECT_NE(hot.state.card.segment3.find(" Vj=0.51 "), std::string::npos) << hot.state.card.segment3;

  // A hotter second temperature asks more; one beyond the usable range is not simulated.
  Window hotter = HotWindow();
  hotter.state.setText(control::Tj2, "200");
  EXPECT_EQ(superjunction(hotter), JunctionPotentialFloor(200));
  Window beyond = HotWindow();
  beyond.state.setText(control::Tj2, "250");
  EXPECT_EQ(superjunction(beyond), 0.51);
}

TEST(HotDeviceCard, NgspiceBreakdownDiodeMovesWithTheTemperature) {
  Window w = HotWindow();
  UpdateModel(w.state, w.platform);
  // 630 V at 25 C to 680 V at 150 C: TCV = -50 / 125.
  EXPECT_NE(NgspiceSubCircuit(w.state).text.find(
                ".model dbody D(IS=1E-17 N=2 RS=0.1 BV=630 TCV=-0.4 TNOM=25 IBV=250u)"),
            std::string::npos)
      << NgspiceSubCircuit(w.state).text;
  // The schematic program's subcircuit has no such parameters.
  EXPECT_EQ(w.state.text(control::SubCktTextBox).find(" TCV="), std::string::npos);
  // Typed with the sign a P-channel datasheet prints, it is the same magnitude.
  w.state.setText(control::BvHot, "-680");
  EXPECT_NE(NgspiceSubCircuit(w.state).text.find("BV=630 TCV=-0.4 TNOM=25"), std::string::npos);
  w.state.setText(control::BvHot, "");
  EXPECT_NE(NgspiceSubCircuit(w.state).text.find("BV=630 IBV=250u)"), std::string::npos);
}

TEST(HotDeviceValuesFile, NamedLinesOnlyWhenTypedAndReadBack) {
  WindowState plain;
  EXPECT_EQ(DatasheetFileText(plain).find("TjHot"), std::string::npos);
  Window w = HotWindow();
  const std::string text = DatasheetFileText(w.state);
  EXPECT_TRUE(text.ends_with(
      "TjHot=150\r\nRdsHotRatio=2.5\r\nVthHot=2.2\r\nVsdHot=0.65\r\nIsdHot=3\r\nBvHot=680\r\n"))
      << text;
  EXPECT_TRUE(text.starts_with(DatasheetFileText(plain).substr(0, 40)));
  const DatasheetReading read = ReadDatasheetText(text);
  int hotLines = 0;
  for (const NamedLine& line : read.content.named)
    if (line.control == control::TjHot || line.control == control::BvHot) ++hotLines;
  EXPECT_EQ(hotLines, 2);
  w.state.setText(control::IdssHot, "1m\n");
  EXPECT_TRUE(DatasheetFileProblem(w.state));
}

}  // namespace
}  // namespace vdmos

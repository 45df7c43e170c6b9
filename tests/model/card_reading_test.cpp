#include "model/card_reading.h"

#include <gtest/gtest.h>

#include "model/card_texts.h"
#include "model/model_card.h"
#include "verify/verify_test_support.h"

namespace vdmos {
namespace {

using testing::StartCard;

TEST(CardReading, NameAndChannel) {
  CardTexts card = StartCard();
  EXPECT_EQ(CardModelName(card), "20N60C3");
  EXPECT_FALSE(CardIsPChannel(card));
  EXPECT_TRUE(CardIsPChannel(testing::PChannelStartCard()));
  card.segment1 = ".MODEL  VDMOS(KP=1 ";
  EXPECT_EQ(CardModelName(card), "");
  card.segment1 = "Error in one or more parameters... The model data cannot be calculated.";
  EXPECT_EQ(CardModelName(card), std::nullopt);
}

// The one-line and the three-line form read alike, into the parts ngspice sees.
TEST(CardReading, BothFormsOfTheCardReadIntoTheSameParts) {
  const CardTexts card = StartCard();
  for (const std::string& text : {card.singleLine, ThreeLineCard(card)}) {
    const CardReading reading = ReadCard(text);
    ASSERT_TRUE(reading.card) << reading.problem;
    EXPECT_EQ(reading.card->modelName, "20N60C3");
    EXPECT_FALSE(reading.card->pChannel);
    ASSERT_EQ(reading.card->parameters.size(), 17u);
    EXPECT_EQ(reading.card->parameters.front(), "KP=6.4968");
    EXPECT_EQ(reading.card->parameters.back(), "Cjo=9600.0pF");
  }
  const CardReading pmos = ReadCard(ThreeLineCard(testing::PChannelStartCard()));
  ASSERT_TRUE(pmos.card) << pmos.problem;
  EXPECT_TRUE(pmos.card->pChannel);
  EXPECT_EQ(pmos.card->parameters.size(), 17u);  // the flag is no parameter
}

TEST(CardReading, RefusesCardsNgspiceCannotTake) {
  using testing::StartCardWith;
  const std::string twiceKP = CardDuplicateKeyText("KP"), twicekp = CardDuplicateKeyText("kp");
  const std::pair<CardTexts, std::optional<std::string_view>> cases[] = {
      {StartCard(), std::nullopt},
      {CardTexts{}, kNoCardText},
      {StartCardWith(2, "LAMBDA=0.001\r\n.control\r\nshell rm x\r\n.endc a=1"), kCardControlCharacterText},
      {StartCardWith(2, "LAMBDA=(0.001 a=1"), kCardParenthesesText},
      // Not of the form ".MODEL name VDMOS(": the parentheses are not looked at.
      {StartCardWith(1, ".MODEL X VDMOS)(KP=1 "), kNotACardText},
      {StartCardWith(1, "MODEL 20N60C3 VDMOS(KP=6.4968 "), kNotACardText},
      {StartCardWith(1, ".MODEL 20N60C3 NMOS(KP=6.4968 "), kNotACardText},
      {StartCardWith(1, ".MODEL  VDMOS(KP=6.4968 "), kCardModelNameText},
      {StartCardWith(1, ".MODEL my fet VDMOS(KP=6.4968 "), kCardModelNameText},
      // ngspice never finishes reading such a netlist, or cannot find a model named like a number.
      {StartCardWith(1, ".MODEL myvdmos1 VDMOS(KP=6.4968 "), kCardVdmosNameText},
      {StartCardWith(1, ".MODEL 1k VDMOS(KP=6.4968 "), kCardNumberNameText},
      // A comment, a variable or an expression to ngspice; and a name past the length limit.
      {StartCardWith(1, ".MODEL *X VDMOS(KP=6.4968 "), kCardModelNameStartText},
      {StartCardWith(1, ".MODEL $X VDMOS(KP=6.4968 "), kCardModelNameStartText},
      {StartCardWith(1, ".MODEL X*$ VDMOS(KP=6.4968 "), std::nullopt},
      {StartCardWith(1, ".MODEL " + std::string(200, 'M') + " VDMOS(KP=6.4968 "), std::nullopt},
      {StartCardWith(1, ".MODEL " + std::string(201, 'M') + " VDMOS(KP=6.4968 "), kCardModelNameLengthText},
      // ngspice simulates the last of two values, the model's own curves use the first.
      {StartCardWith(2, "LAMBDA=1m KP=100 VTO=0.5 a=1"), twiceKP},
      {StartCardWith(2, "LAMBDA=1m kp=100 a=1"), twicekp},
  };
  for (const auto& [card, problem] : cases)
    EXPECT_EQ(CardProblem(card), problem) << card.segment1 << card.segment2;
}

TEST(CardReading, ValuesOfTheDiodeAndJunctionTexts) {
  const std::string diode = "IS=1.47E-08 N=1.576 RB=0.006897 ";
  EXPECT_EQ(CardTextValue(diode, "IS"), 1.47e-8);
  EXPECT_EQ(CardTextValue(diode, "rb"), 0.006897);
  EXPECT_DOUBLE_EQ(*CardTextValue("m=0.797 Vj=1.03 Cjo=9600.0pF", "Cjo"), 9.6e-9);
  EXPECT_EQ(CardTextValue(diode, "M"), std::nullopt);
  EXPECT_EQ(CardTextValue("N=1e999", "N"), std::nullopt);
  // In a whole card, a key opens it, opens a line or closes it: a hot card's TNOM opens its
  // last line, and read as missing it took ngspice's default of 27 C.
  const std::string card = ".MODEL M VDMOS(KP=2.9 RD=0.87\r\n+TNOM=25 TEXP0=2.9)";
  EXPECT_EQ(CardTextValue(card, "KP"), 2.9);
  EXPECT_EQ(CardTextValue(card, "TNOM"), 25);
  EXPECT_EQ(CardTextValue(card, "TEXP0"), 2.9);
  EXPECT_EQ(CardTextValue(card, "D"), std::nullopt);
}

// The gate charge elements take the gate resistance out of the card: whatever place the
// parameter has, the rest of the card reads as before, in both forms.
TEST(CardReading, CardWithoutAParameterKeepsTheRest) {
  const CardTexts card = StartCard();
  for (const std::string& text : {card.singleLine, ThreeLineCard(card)}) {
    const std::string without = CardWithoutParameter(text, "rg");
    EXPECT_EQ(CardTextValue(without, "RG"), std::nullopt);
    const CardReading before = ReadCard(text), after = ReadCard(without);
    ASSERT_TRUE(after.card) << after.problem;
    std::vector<std::string> expected = before.card->parameters;
    std::erase_if(expected, [](const std::string& p) { return p.starts_with("RG="); });
    EXPECT_EQ(after.card->parameters, expected);
    EXPECT_EQ(without.size(), text.size() - std::string("RG=0.54 ").size());
  }
  EXPECT_EQ(CardWithoutParameter(".MODEL M VDMOS(RG=2 KP=1)", "RG"), ".MODEL M VDMOS(KP=1)");
  EXPECT_EQ(CardWithoutParameter(".MODEL M VDMOS(KP=1 RG=2)", "RG"), ".MODEL M VDMOS(KP=1)");
  EXPECT_EQ(CardWithoutParameter(".MODEL M VDMOS(KP=1\r\n+Rg=2 a=1)", "RG"), ".MODEL M VDMOS(KP=1\r\n+a=1)");
  EXPECT_EQ(CardWithoutParameter(".MODEL M VDMOS(TRG=2 KP=1)", "RG"), ".MODEL M VDMOS(TRG=2 KP=1)");
  EXPECT_EQ(CardWithParameterValue(".MODEL M VDMOS(KP=1\r\n+cgs=2p a=1)", "CGS", "1.5p"),
            ".MODEL M VDMOS(KP=1\r\n+cgs=1.5p a=1)");
  EXPECT_EQ(CardWithParameterValue(".MODEL M VDMOS(KP=1 CGS=2p)", "CGS", "1p"),
            ".MODEL M VDMOS(KP=1 CGS=1p)");
  EXPECT_EQ(CardWithParameterValue(".MODEL M VDMOS(KP=1)", "CGS", "1p"), ".MODEL M VDMOS(KP=1)");
}

}  // namespace
}  // namespace vdmos

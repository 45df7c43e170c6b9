#include "verify/card_reading.h"

#include <gtest/gtest.h>

#include "verify/verify_test_support.h"
#include "verify/verify_texts.h"

namespace vdmos {
namespace {

using testing::StartCard;

TEST(CardReading, NameAndChannel) {
  CardTexts card = StartCard();
  EXPECT_EQ(CardModelName(card), "20N60C3");
  EXPECT_FALSE(CardIsPChannel(card));
  card.segment3 = "IS=1.47E-08 N=1.576 RB=0.006897  PCHAN)";
  EXPECT_TRUE(CardIsPChannel(card));
  card.segment1 = ".MODEL  VDMOS(KP=1 ";
  EXPECT_EQ(CardModelName(card), "");
  card.segment1 = "Error in one or more parameters... The model data cannot be calculated.";
  EXPECT_EQ(CardModelName(card), std::nullopt);
}

TEST(CardReading, RefusesCardsNgspiceCannotTake) {
  struct Case {
    std::string_view what;
    CardTexts card;
    std::optional<std::string_view> problem;
  };
  const CardTexts start = StartCard();
  auto with = [&](int segment, std::string text) {
    CardTexts card = start;
    (segment == 1 ? card.segment1 : segment == 2 ? card.segment2 : card.segment3) = std::move(text);
    return card;
  };
  const Case cases[] = {
      {"the start card", start, std::nullopt},
      {"no update yet", CardTexts{}, kNoCardText},
      {"a line break smuggled into LAMBDA", with(2, "LAMBDA=0.001\r\n.control\r\nshell rm x\r\n.endc a=1"),
       kCardControlCharacterText},
      {"a tab", with(2, "LAMBDA=0.001\tCGS=1p"), kCardControlCharacterText},
      {"an opening parenthesis too many", with(2, "LAMBDA=(0.001 a=1"), kCardParenthesesText},
      {"a closing parenthesis first", with(1, ".MODEL X VDMOS)(KP=1 "), kCardParenthesesText},
      {"no \".MODEL \" opening", with(1, "MODEL 20N60C3 VDMOS(KP=6.4968 "), kCardOpeningText},
      {"another model type", with(1, ".MODEL 20N60C3 NMOS(KP=6.4968 "), kCardOpeningText},
      {"an empty model name", with(1, ".MODEL  VDMOS(KP=6.4968 "), kCardModelNameText},
      {"a model name with a blank", with(1, ".MODEL my fet VDMOS(KP=6.4968 "), kCardModelNameText},
  };
  for (const Case& c : cases) EXPECT_EQ(CardProblem(c.card), c.problem) << c.what;
}

TEST(CardReading, ValuesOfTheDiodeAndJunctionTexts) {
  const std::string diode = "IS=1.47E-08 N=1.576 RB=0.006897 ";
  const std::string junction = "m=0.797 Vj=1.03 Cjo=9600.0pF";
  EXPECT_EQ(CardTextValue(diode, "IS"), 1.47e-8);
  EXPECT_EQ(CardTextValue(diode, "rb"), 0.006897);
  EXPECT_EQ(CardTextValue(junction, "M"), 0.797);
  EXPECT_DOUBLE_EQ(*CardTextValue(junction, "Cjo"), 9.6e-9);
  EXPECT_EQ(CardTextValue(junction, "IS"), std::nullopt);
  EXPECT_EQ(CardTextValue("", "N"), std::nullopt);
  EXPECT_EQ(CardTextValue("N=1e999", "N"), std::nullopt);
}

}  // namespace
}  // namespace vdmos

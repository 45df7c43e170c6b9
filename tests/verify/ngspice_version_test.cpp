// Reading ngspice's version and writing TCVTH in its convention.

#include "verify/ngspice_version.h"

#include <gtest/gtest.h>

namespace vdmos {
namespace {

TEST(NgspiceVersion, TheVersionIsReadFromWhatTheProgramPrints) {
  const std::pair<std::string_view, std::optional<NgspiceVersion>> cases[] = {
      {"******\n** ngspice-39 : Circuit level simulation program\n** The U. C. Berkeley CAD Group\n",
       NgspiceVersion{39, 0}},
      {"** ngspice-44.2 : Circuit level simulation program", NgspiceVersion{44, 2}},
      {"ngspice 46+ (shared)", NgspiceVersion{46, 0}},
      {"** NGSPICE-47.1 :", NgspiceVersion{47, 1}},
      // The word without a number is passed over for a later one with it.
      {"Please get your ngspice manual ...\n** ngspice-45 :", NgspiceVersion{45, 0}},
      {"ngspice-39.", NgspiceVersion{39, 0}},
      {"", std::nullopt},
      {"ngspice", std::nullopt},
      {"ngspice-", std::nullopt},
      {"ngspice-x12", std::nullopt},
      {"sh: 1: ngspice: not found", std::nullopt},
      {"ngspice-99999999999999999999", std::nullopt},
      {"ngspice-123456", std::nullopt},
  };
  for (const auto& [text, version] : cases) EXPECT_EQ(ParseNgspiceVersion(text), version) << text;
}

TEST(NgspiceVersion, TheConventionTurnsAtVersion46AndIsNamed) {
  EXPECT_FALSE(FlipsTcvth(std::nullopt));
  EXPECT_FALSE(FlipsTcvth(NgspiceVersion{39, 0}));
  EXPECT_FALSE(FlipsTcvth(NgspiceVersion{45, 9}));
  EXPECT_TRUE(FlipsTcvth(NgspiceVersion{46, 0}));
  EXPECT_TRUE(FlipsTcvth(NgspiceVersion{47, 1}));
  EXPECT_EQ(TcvthConventionText(NgspiceVersion{39, 0}), "TCVTH in ngspice 39 convention");
  EXPECT_EQ(TcvthConventionText(NgspiceVersion{46, 1}), "TCVTH in ngspice 46 convention");
  EXPECT_EQ(TcvthConventionText(std::nullopt),
            "TCVTH in ngspice 39 convention (the ngspice version could not be read)");
}

CardTexts HotCard(std::string_view tcvth) {
  CardTexts card{".MODEL M VDMOS(KP=1 ", "LAMBDA=0 a=1", "IS=1E-08 N=1 RB=0.01 ", ""};
  card.segment4 = "TNOM=25 TCVTH=" + std::string(tcvth) + " MU=-1.2)";
  card.singleLine = card.segment1 + card.segment2 + " " + card.segment3 + "\r\n+" + card.segment4;
  return card;
}

TEST(NgspiceVersion, AFlippingVersionGetsTcvthNegatedInBothFormsAndNothingElse) {
  const CardTexts positive = HotCard("0.0042");
  EXPECT_TRUE(CardCarriesTcvth(positive));
  EXPECT_EQ(CardForNgspice(positive, NgspiceVersion{39, 0}), positive);
  EXPECT_EQ(CardForNgspice(positive, std::nullopt), positive);
  EXPECT_EQ(CardForNgspice(positive, NgspiceVersion{46, 0}), HotCard("-0.0042"));
  EXPECT_EQ(CardForNgspice(HotCard("-3.1E-03"), NgspiceVersion{46, 0}), HotCard("3.1E-03"));
  EXPECT_EQ(CardForNgspice(HotCard("+0.5"), NgspiceVersion{46, 0}), HotCard("-0.5"));

  // A card without TCVTH (no temperature line, or one with MU alone) reads alike everywhere.
  CardTexts cold = HotCard("1");
  cold.segment4 = "TNOM=25 MU=-1.2)";
  cold.singleLine = cold.segment1 + cold.segment2 + " " + cold.segment3 + "\r\n+" + cold.segment4;
  EXPECT_FALSE(CardCarriesTcvth(cold));
  EXPECT_EQ(CardForNgspice(cold, NgspiceVersion{46, 0}), cold);
  EXPECT_FALSE(CardCarriesTcvth(CardTexts{}));
}

}  // namespace
}  // namespace vdmos

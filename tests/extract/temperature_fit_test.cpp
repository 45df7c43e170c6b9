#include "extract/temperature_fit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/control_names.h"
#include "model/numbers.h"

namespace vdmos {
namespace {

// A 100 V, 44 mOhm device as the DC and diode fits make it, and its datasheet's 25 C values.
const ChannelLaw kRoom{5.8, 3.0, 0.0004, 0.0189, 0.001};
const RoomValues kValues{.rdsOn = 0.044,
                         .rdsOnVgs = 10,
                         .rdsOnVds = kOnResistanceDrainVoltage,
                         .vgsTh = 3,
                         .vthCurrent = 250e-6,
                         .transferVds = 50,
                         .IS = 2.98e-9,
                         .N = 1.271,
                         .RB = 0.004928,
                         .isdLow = 1,
                         .isdHigh = 50};
const TemperatureTargets kHot{
    .tjHot = 175, .rdsRatio = 2.0, .vthHot = 2.2, .vsdHot = 0.6, .isdHot = 10, .ztcVgs = 6.2};

double RdsOn(const ChannelTemperature& law, double celsius, const ChannelLaw& room = kRoom) {
  return kValues.rdsOnVds / HotDrainCurrent(room, law, celsius, kValues.rdsOnVgs, kValues.rdsOnVds);
}

TEST(TemperatureFit, MeetsEveryHotValueInTheLawsItWrites) {
  const TemperatureFit fit = FitTemperature(kRoom, kValues, kHot);
  ASSERT_TRUE(fit.problems.empty()) << fit.problems.front().message;
  const ChannelTemperature& law = fit.channel;
  EXPECT_NEAR(*ThresholdVoltage(ChannelAt(kRoom, law, 175), kValues.vthCurrent), 2.2, 1e-6);
  EXPECT_NEAR(RdsOn(law, 175), 2.0 * 0.044, 1e-9);
  // The zero-TC point: the same current at 25 C and hot, whatever RS and LAMBDA.
  EXPECT_NEAR(HotDrainCurrent(kRoom, law, 175, 6.2, 50), HotDrainCurrent(kRoom, {}, 25, 6.2, 50), 1e-6);
  ASSERT_TRUE(fit.EG);
  EXPECT_NEAR(HotDiodeVoltage(kValues.IS, kValues.N, kValues.RB, *fit.EG, 175, 10), 0.6, 1e-9);
  // The laws bend the right way: the threshold falls, the mobility and RD's resistance too.
  // RD doubles and more by 175 C, which a straight line would take below zero at -55 C.
  EXPECT_GT(law.TCVTH, 0);
  EXPECT_LT(law.MU, 0);
  ASSERT_TRUE(law.TEXP0);
  EXPECT_GT(*law.TEXP0, 0);
}

TEST(TemperatureFit, ThresholdCorrectsForTheSubthresholdLaw) {
  // A bare square law would put the 250 uA threshold at VTO + sqrt(2 I / KP), 9 mV above VTO;
  // the subthreshold law puts it below VTO for this KP.
  const double threshold = *ThresholdVoltage(ChannelAt(kRoom, {}, 25), kValues.vthCurrent);
  EXPECT_LT(threshold, kRoom.VTO);
  EXPECT_GT(threshold, kRoom.VTO - 0.5);
}

TEST(TemperatureFit, SecondPointGivesTheQuadraticCoefficient) {
  TemperatureTargets targets = kHot;
  targets.tj2 = 100;
  targets.rdsRatio2 = 1.45;
  const TemperatureFit fit = FitTemperature(kRoom, kValues, targets);
  ASSERT_TRUE(fit.problems.empty()) << fit.problems.front().message;
  EXPECT_TRUE(fit.trd2Given);
  EXPECT_NEAR(RdsOn(fit.channel, 175), 2.0 * 0.044, 1e-9);
  EXPECT_NEAR(RdsOn(fit.channel, 100), 1.45 * 0.044, 1e-9);
  EXPECT_NE(fit.CardText().find(" TRD2="), std::string::npos);
}

TEST(TemperatureFit, CardTextCarriesTheNominalTemperatureAndWhatWasGiven) {
  EXPECT_EQ(FitTemperature(kRoom, kValues, {}).CardText(), "");
  EXPECT_EQ(FitTemperature(kRoom, kValues, {.tjHot = 150}).CardText(), "TNOM=25");
  const std::string text = FitTemperature(kRoom, kValues, kHot).CardText();
  EXPECT_TRUE(text.starts_with("TNOM=25 TCVTH=0.00")) << text;
  for (const char* key : {" MU=-", " TEXP0=", " EG="}) EXPECT_NE(text.find(key), std::string::npos) << key;
  EXPECT_EQ(text.find("TRD"), std::string::npos);
  // A gentler rise keeps the straight line, which stays well above zero down to -55 C.
  TemperatureTargets gentle = kHot;
  gentle.rdsRatio = 1.6;
  const std::string line = FitTemperature(kRoom, kValues, gentle).CardText();
  EXPECT_NE(line.find(" TRD1=0.00"), std::string::npos) << line;
  EXPECT_EQ(line.find("TEXP0"), std::string::npos) << line;
}

TEST(TemperatureFit, RefusesABadValueAloneNamingItsField) {
  struct Case {
    const char* name;
    TemperatureTargets targets;
    std::string_view control;
    std::string_view quantity;  ///< in the message
    bool hot;                   ///< the rest of the card still carries the laws
  };
  auto with = [](auto change) {
    TemperatureTargets t = kHot;
    change(t);
    return t;
  };
  const Case cases[] = {
      {"room temperature", with([](auto& t) { t.tjHot = 25; }), control::TjHot, "hot Tj", false},
      {"beyond 200 C", with([](auto& t) { t.tjHot = 201; }), control::TjHot, "hot Tj", false},
      {"ratio 0", with([](auto& t) { t.rdsRatio = 0; }), control::RdsHotRatio, "Rds(on) ratio", true},
      {"ratio below the channel's", with([](auto& t) { t.rdsRatio = 0.1; }), control::RdsHotRatio, "Rds(on)",
       true},
      {"hot threshold above 25 C", with([](auto& t) { t.vthHot = 3.2; }), control::VthHot, "Vgs(th)", true},
      {"hot Vsd not lower", with([](auto& t) { t.vsdHot = 0.8; }), control::VsdHot, "Vsd", true},
      {"Isd beyond the diode points", with([](auto& t) { t.isdHot = 80; }), control::IsdHot, "Isd", true},
      {"Isd missing", with([](auto& t) { t.isdHot.reset(); }), control::IsdHot, "Isd", true},
      {"second Tj equal to the first", with([](auto& t) { t.tj2 = 175, t.rdsRatio2 = 1.5; }), control::Tj2,
       "second Tj", true},
  };
  const TemperatureFit good = FitTemperature(kRoom, kValues, kHot);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TemperatureFit fit = FitTemperature(kRoom, kValues, c.targets);
    ASSERT_EQ(fit.problems.size(), 1u);
    EXPECT_EQ(fit.problems[0].control, c.control);
    EXPECT_NE(fit.problems[0].message.find(c.quantity), std::string::npos) << fit.problems[0].message;
    EXPECT_EQ(fit.hot, c.hot);
    if (!c.hot) {
      EXPECT_EQ(fit.CardText(), "");
      continue;
    }
    // Every other parameter stays as the good values give it.
    if (c.control != control::VthHot) {
      EXPECT_EQ(fit.tcvthGiven, true);
    }
    if (c.control == control::VsdHot || c.control == control::IsdHot) {
      EXPECT_FALSE(fit.EG);
      EXPECT_EQ(fit.channel.TEXP0, good.channel.TEXP0);
    } else if (c.control != control::VthHot) {
      EXPECT_EQ(fit.EG, good.EG);
    }
  }
}

// Values the laws cannot take soundly are refused by name: a hot Tj a few kelvin above 25 C,
// whose slopes would come from the values' last digits; a hot threshold the card's own 25 C
// threshold lies below, which the card could only meet with a threshold rising with
// temperature; a zero-TC point nothing but MU = 0 meets; and hot values without what they
// need beside them, which used to be passed over without a word.
TEST(TemperatureFit, RefusesWhatTheLawsCannotTakeSoundly) {
  const auto problems = [](const TemperatureTargets& targets) {
    std::vector<std::string> texts;
    for (const TemperatureProblem& problem : FitTemperature(kRoom, kValues, targets).problems)
      texts.push_back(std::string(problem.control) + ": " + problem.message);
    return texts;
  };
  for (const double tj : {26.0, 49.9}) {
    TemperatureTargets t = kHot;
    t.tjHot = tj;
    EXPECT_EQ(problems(t), std::vector<std::string>{std::string(control::TjHot) +
                                                    ": \"hot Tj\" is not from 50 C to 200 C: the card is "
                                                    "made without temperature parameters."});
  }
  TemperatureTargets fifty = kHot;
  fifty.tjHot = 50;
  EXPECT_TRUE(problems(fifty).empty());

  const double cardThreshold = *ThresholdVoltage(ChannelAt(kRoom, {}, 25), kValues.vthCurrent);
  TemperatureTargets between = kHot;
  between.vthHot = (cardThreshold + kValues.vgsTh) / 2;
  const std::vector<std::string> refused = problems(between);
  ASSERT_EQ(refused.size(), 1u);
  EXPECT_TRUE(refused[0].starts_with(std::string(control::VthHot) +
                                     ": \"Vgs(th) at hot Tj\" is not below the card's own Vgs(th) at 25 C, " +
                                     FourSignificantText(cardThreshold) + " V"))
      << refused[0];
  EXPECT_FALSE(FitTemperature(kRoom, kValues, between).tcvthGiven);

  TemperatureTargets mobilityAlone{.tjHot = 150, .ztcVgs = 6};
  EXPECT_EQ(problems(mobilityAlone).size(), 1u);
  EXPECT_FALSE(FitTemperature(kRoom, kValues, mobilityAlone).muGiven);
  mobilityAlone.rdsRatio = 2.0;  // RD's rise makes a crossing of its own
  EXPECT_TRUE(problems(mobilityAlone).empty());

  EXPECT_EQ(problems({.rdsRatio = 2.0}),
            std::vector<std::string>{std::string(control::TjHot) +
                                     ": \"hot Tj\" is empty: the hot values typed beside it are not used."});
  EXPECT_EQ(problems({.tjHot = 150, .tj2 = 100, .rdsRatio2 = 1.4}).size(), 1u);
  EXPECT_EQ(
      problems({.tjHot = 150, .rdsRatio = 1.8, .tj2 = 100}),
      std::vector<std::string>{std::string(control::RdsRatio2) +
                               ": \"Rds(on) ratio at second Tj\" is empty: the card is made without it."});
}

// A 25 C fit that leaves RD next to nothing, the channel making the on-resistance: only an RD
// grown many times over meets the hot ratio, and a straight line through that point would take
// RD far below zero at -55 C (ngspice then quietly runs RD unscaled). The power law rises
// from above zero over the whole span, meets the ratio, and is the law the card's text reads
// back as.
TEST(TemperatureFit, TinyDrainResistanceTakesALawPositiveOverTheWholeSpan) {
  ChannelLaw room = kRoom;
  room.RD = 1e-7;
  RoomValues values = kValues;
  values.rdsOn = RdsOn({}, kRoomCelsius, room);
  TemperatureTargets targets{.tjHot = 150, .rdsRatio = 1.6, .vthHot = 2.2};
  const TemperatureFit fit = FitTemperature(room, values, targets);
  ASSERT_TRUE(fit.problems.empty()) << fit.problems.front().message;
  ASSERT_TRUE(fit.channel.TEXP0);
  const std::string text = fit.CardText();
  EXPECT_NE(text.find(" TEXP0="), std::string::npos) << text;
  EXPECT_EQ(text.find("TRD"), std::string::npos) << text;
  const ChannelTemperature written = ChannelTemperatureOf(text);
  for (const ChannelTemperature& law : {fit.channel, written}) {
    EXPECT_NEAR(RdsOn(law, 150, room), 1.6 * values.rdsOn, 1e-3 * values.rdsOn);
    double below = 0;
    for (double celsius = kColdestLawCelsius; celsius <= kHottestLawCelsius; celsius += 5) {
      const double rd = DrainResistanceAt(room.RD, law, celsius);
      EXPECT_GT(rd, below) << celsius;
      below = rd;
    }
    const double cold = RdsOn(law, kColdestLawCelsius, room);
    EXPECT_GT(cold, 0);
    EXPECT_LT(cold, values.rdsOn);
  }

  // One exponent cannot bend: a second ratio on its curve is met, one well off it is named
  // while the hot ratio keeps its law.
  targets.tj2 = 100;
  targets.rdsRatio2 = RdsOn(fit.channel, 100, room) / values.rdsOn;
  const TemperatureFit onCurve = FitTemperature(room, values, targets);
  EXPECT_TRUE(onCurve.problems.empty()) << onCurve.problems.front().message;
  EXPECT_EQ(onCurve.CardText(), text);
  targets.rdsRatio2 = *targets.rdsRatio2 * 1.1;
  const TemperatureFit offCurve = FitTemperature(room, values, targets);
  ASSERT_EQ(offCurve.problems.size(), 1u);
  EXPECT_EQ(offCurve.problems[0].control, control::RdsRatio2);
  EXPECT_NE(
      offCurve.problems[0].message.find("stays above 0 from -55 C to 175 C: the card is made without it."),
      std::string::npos)
      << offCurve.problems[0].message;
  EXPECT_EQ(offCurve.CardText(), text);
}

TEST(TemperatureFit, UnmetZeroTcPointKeepsTheDefaultExponent) {
  // Far above the device's range the hot current cannot reach the 25 C one for any MU.
  TemperatureTargets targets = kHot;
  targets.ztcVgs = 60;
  const TemperatureFit fit = FitTemperature(kRoom, kValues, targets);
  ASSERT_EQ(fit.problems.size(), 1u);
  EXPECT_EQ(fit.problems[0].control, control::ZtcVgs);
  EXPECT_FALSE(fit.muGiven);
  EXPECT_DOUBLE_EQ(fit.channel.MU, -1.5);
  EXPECT_NEAR(*ThresholdVoltage(ChannelAt(kRoom, fit.channel, 175), kValues.vthCurrent), 2.2, 1e-6);
}

}  // namespace
}  // namespace vdmos

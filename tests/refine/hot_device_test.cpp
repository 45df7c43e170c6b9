// The hot device on real devices typed from their datasheets (N and P channel, logic level,
// 20 V to 900 V): the fitted card's temperature laws, and the refined card's, simulated in
// ngspice at the hot temperature against the datasheet's hot values. The values and how sure
// they are: the "Hot values" section of data/devices/SOURCES.md.

#include "model/hot_device.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <regex>
#include <string>
#include <vector>

#include "commands/datasheet_commands.h"
#include "commands/model_update.h"
#include "datasheet_device.h"
#include "extract/junction_potential.h"
#include "model/card_reading.h"
#include "model/control_names.h"
#include "model/model_card.h"
#include "model/numbers.h"
#include "platform/scripted_platform.h"
#include "refine/refine_command.h"
#include "refine/refine_texts.h"
#include "verify/bench_setup.h"
#include "verify/child_process.h"
#include "verify/verify_model.h"
#include "verify/verify_texts.h"

namespace vdmos {
namespace {

struct HotDevice {
  const char* part;
  const char* tj;
  const char* rdsRatio;
  const char* vthHot;  ///< "" where the datasheet gives no threshold against temperature
  const char* vsdHot;
  const char* isdHot;
  const char* ztcVgs;
  const char* breakdown;  ///< V(BR)DSS at 25 C, which the older files do not hold
  const char* bvHot;
  /// The Vj the Coss points give where it is below the floor a hot card needs, which the model
  /// update raises with a message; nullptr for the others.
  const char* raisedFrom = nullptr;
};

// The junction fit gives this device Vj = 0.1 V; ngspice's temperature scaling of the junction
// potential would take that below zero from about 50 C on, where no analysis converges.
constexpr const char* kJunctionPotentialRaised = "0.1";

// clang-format off
constexpr HotDevice kDevices[] = {
    {"IRF540N",     "175", "2.0",  "",    "0.62", "10", "6.5", "",    ""},
    {"IRFZ44N",     "175", "2.0",  "",    "0.62", "10", "6.0", "",    ""},
    {"IRLZ44N",     "175", "1.9",  "",    "0.62", "10", "3.6", "",    ""},
    {"IRF9540N",    "175", "1.9",  "",    "0.68", "10", "",    "",    ""},
    {"FQP27P06",    "150", "1.8",  "",    "0.72", "10", "",    "60",  "64.8"},
    {"IRLML6402",   "150", "1.5",  "0.5", "0.6",  "1",  "",    "",    ""},
    {"IRFP460",     "150", "2.5",  "",    "0.62", "10", "",    "",    ""},
    {"IPW90R120C3", "150", "2.7",  "2.3", "0.66", "20", "",    "900", "963", kJunctionPotentialRaised},
    {"FQP30N06L",   "150", "1.8",  "",    "0.65", "10", "",    "60",  "64.5"},
    {"STP55NF06",   "150", "1.75", "2.3", "0.72", "20", "",    "60",  "64.8"},
    {"FQPF8N60C",   "150", "2.3",  "",    "",     "",   "",    "600", "648"},
};
// clang-format on

/// How close the simulated hot value must come: a fraction of the datasheet's, or volts.
struct Limit {
  std::string_view quantity;
  double fraction, volts;
};
constexpr Limit kLimits[] = {{kRdsOnQuantity, 0.03, 0},
                             {kVthQuantity, 0, 0.05},
                             {kVsdQuantity, 0.03, 0},
                             {kZeroTcQuantity, 0, 0.2},
                             {kBreakdownQuantity, 0.02, 0}};

bool IsHot(const VerificationRow& row) { return row.condition.starts_with("Tj = "); }

/// Every device's window, read from its file with the hot values typed (or left empty), and
/// the model updated; ngspice's runs are the tests' own.
class HotDevices : public ::testing::Test {
 protected:
  static WindowState Open(const HotDevice& d, bool hot = true) {
    WindowState state = OpenDevice(d.part);
    ScriptedPlatform platform;
    if (*d.breakdown) state.setText(control::avalanche_volt, d.breakdown);
    if (hot) {
      for (const auto& [control, text] :
           {std::pair{control::TjHot, d.tj}, std::pair{control::RdsHotRatio, d.rdsRatio},
            std::pair{control::VthHot, d.vthHot}, std::pair{control::VsdHot, d.vsdHot},
            std::pair{control::IsdHot, d.isdHot}, std::pair{control::ZtcVgs, d.ztcVgs},
            std::pair{control::BvHot, d.bvHot}})
        state.setText(control, text);
    }
    UpdateModel(state, platform);
    std::vector<std::string> expected;
    if (hot && d.raisedFrom)
      expected.push_back(
          JunctionPotentialRaisedMessage(std::stod(d.raisedFrom), JunctionPotentialFloor(150)));
    EXPECT_EQ(platform.MessageTexts(), expected);
    return state;
  }

  static std::optional<Refinement> Refine(WindowState& state) {
    ScriptedPlatform platform;
    std::optional<Refinement> refinement = RefineModel(state, platform);
    EXPECT_TRUE(refinement) << ::testing::PrintToString(platform.MessageTexts());
    return refinement;
  }

  /// The hot rows of a check within their limits, as a line for the record; counts the rows.
  static std::string ExpectHotRowsMet(const VerificationResult& result, int& checked) {
    std::string report;
    for (const VerificationRow& row : result.rows) {
      if (!IsHot(row) || !row.datasheet) continue;
      for (const Limit& limit : kLimits) {
        if (row.quantity != limit.quantity) continue;
        EXPECT_TRUE(row.simulated) << row.quantity << " " << row.note;
        if (!row.simulated) continue;
        const double off = *row.simulated - *row.datasheet;
        const double allowed = limit.volts > 0 ? limit.volts : limit.fraction * std::abs(*row.datasheet);
        EXPECT_LE(std::abs(off), allowed) << row.quantity << " " << row.condition << ": " << *row.simulated;
        char text[96];
        std::snprintf(text, sizeof text, " %s %+.2f%s", std::string(row.quantity).c_str(),
                      limit.volts > 0 ? off * 1000 : off / *row.datasheet * 100,
                      limit.volts > 0 ? " mV" : " %");
        report += text;
        ++checked;
      }
    }
    return report;
  }
};

// Of the eleven devices: Rds(on) on every one, the diode on ten, the threshold on three, the
// zero-TC point on three, the breakdown voltage on five.
constexpr int kHotRows = 11 + 10 + 3 + 3 + 5;

TEST_F(HotDevices, RecipeMeetsTheHotDatasheetValuesInNgspice) {
  int checked = 0;
  for (const HotDevice& device : kDevices) {
    SCOPED_TRACE(device.part);
    const VerificationResult result = VerifyModel(Open(device));
    ASSERT_TRUE(result.ok()) << result.message << "\n" << result.details;
    std::printf("%s:%s\n", device.part, ExpectHotRowsMet(result, checked).c_str());
  }
  EXPECT_EQ(checked, kHotRows);
}

// The refinement moves the 25 C card (RD, VTO, KP and the subthreshold slope among it), on
// which every hot value rests: the refined card still meets the hot rows, and its 25 C rows
// are those of the same device refined without any hot value typed. The card without TNOM runs
// at ngspice's nominal 300.15 K while the fits take 300 K, which the card with TNOM=25 meets
// exactly: the two differ by up to a few hundredths of a percent. A raised junction potential
// stays at its floor, and costs the capacitance rows what the floor takes.
TEST_F(HotDevices, RefinedCardsMeetTheHotRowsAndKeepThe25CRows) {
  int checked = 0;
  for (const HotDevice& device : kDevices) {
    SCOPED_TRACE(device.part);
    WindowState hot = Open(device), room = Open(device, false);
    const std::optional<Refinement> hotRefined = Refine(hot), roomRefined = Refine(room);
    ASSERT_TRUE(hotRefined && roomRefined);
    const VerificationResult hotResult = VerifyModel(hot), roomResult = VerifyModel(room);
    ASSERT_TRUE(hotResult.ok()) << hotResult.message << "\n" << hotResult.details;
    ASSERT_TRUE(roomResult.ok()) << roomResult.message << "\n" << roomResult.details;
    std::printf("%s refined:%s\n", device.part, ExpectHotRowsMet(hotResult, checked).c_str());
    const bool held = device.raisedFrom != nullptr;
    if (held) {
      EXPECT_GE(CardTextValue(hot.params.junctionCapText, "Vj").value_or(0), JunctionPotentialFloor(150));
      // The summary says what the floor costs the capacitance points, and what they would
      // reach below it.
      EXPECT_TRUE(hotRefined->junctionTradeOff.starts_with(kJunctionFloorOpening))
          << hotRefined->junctionTradeOff;
      EXPECT_NE(hot.text(control::StatusBar1).find(hotRefined->junctionTradeOff), std::string::npos);
      std::printf("%s refined: %s\n", device.part, hotRefined->junctionTradeOff.c_str());
    }
    // Without hot values the fit keeps its own Vj; where that lies below the floor (0.1 V on
    // IPW90R120C3), the summary says how hot ngspice simulates the card, and how to get the
    // held one.
    const double roomVj = CardTextValue(room.params.junctionCapText, "Vj").value_or(1);
    const bool low = roomVj < JunctionPotentialFloor(kHottestPlottedCelsius);
    EXPECT_EQ(roomRefined->junctionTradeOff.starts_with(kJunctionKeptOpening), low);
    if (low) {
      EXPECT_NE(roomRefined->junctionTradeOff.find(FormatMask(HottestWithJunctionPotential(roomVj), "0") +
                                                   std::string(kJunctionKeptCold)),
                std::string::npos)
          << roomRefined->junctionTradeOff;
      EXPECT_NE(room.text(control::StatusBar1).find(roomRefined->junctionTradeOff), std::string::npos);
    } else {
      EXPECT_EQ(roomRefined->junctionTradeOff, "");
    }
    std::size_t room25 = 0;
    for (const VerificationRow& row : hotResult.rows) {
      if (IsHot(row) || !row.errorPercent) continue;
      if (held && (row.quantity == kCossQuantity || row.quantity == kCrssQuantity)) continue;
      const auto same = std::ranges::find_if(roomResult.rows, [&](const VerificationRow& r) {
        return r.quantity == row.quantity && r.condition == row.condition;
      });
      ASSERT_NE(same, roomResult.rows.end()) << row.quantity << " " << row.condition;
      ASSERT_TRUE(same->errorPercent) << row.quantity << " " << row.condition;
      EXPECT_LE(std::abs(*row.errorPercent), std::abs(*same->errorPercent) + 0.1)
          << row.quantity << " " << row.condition;
      ++room25;
    }
    EXPECT_GT(room25, 0u);
    // The summary tells the hot rows' worst error by the laws, which the recipe meets.
    ASSERT_TRUE(hotRefined->hotAfter && hotRefined->hotBefore);
    EXPECT_LT(*hotRefined->hotAfter, 0.5);
    EXPECT_NE(hot.text(control::StatusBar1).find(kRefinedHot), std::string::npos);
    EXPECT_EQ(hotRefined->hotTradeOff, "");
    EXPECT_FALSE(roomRefined->hotAfter);
    EXPECT_EQ(room.text(control::StatusBar1).find(kRefinedHot), std::string::npos);
  }
  EXPECT_EQ(checked, kHotRows);
}

/// The card's on-resistance in ngspice at each of `temperatures` (C), each in a run of its own
/// at the datasheet's Rds(on) gate voltage and 0.1 V; nullopt where a run prints none.
std::vector<std::optional<double>> SimulatedRdsOn(const WindowState& state,
                                                  const std::vector<double>& temperatures) {
  const BenchSetup s = ReadBenchSetup(state);
  const double sign = s.pmos ? -1 : 1;
  std::vector<ChildRequest> requests;
  for (const double celsius : temperatures) {
    std::string netlist = "* on-resistance\n" + ThreeLineCard(state.card) +
                          "\n.options temp=" + std::to_string(celsius) + "\nV1 g 0 " +
                          std::to_string(sign * s.rdsonVgs) + "\nV2 d 0 " + std::to_string(sign * 0.1) +
                          "\nM1 d g 0 " + CardModelName(state.card).value_or("") +
                          "\n.control\nop\nlet r = abs(0.1 / i(V2))\nprint r\nquit\n.endc\n.end\n";
    requests.push_back(NgspiceBatchRun(std::move(netlist)));
  }
  std::vector<std::optional<double>> rdsOn;
  const std::regex printed(R"(\br = ([-+0-9.eE]+))");
  for (const ChildOutcome& run : RunChildren(requests, {.timeout = std::chrono::seconds(60)})) {
    std::smatch match;
    rdsOn.push_back(std::regex_search(run.out, match, printed) ? std::optional(std::stod(match[1]))
                                                               : std::nullopt);
  }
  return rdsOn;
}

// RD's temperature law holds from -55 C to 175 C on every card the recipe writes, fitted or
// refined: ngspice meets the hot ratio and finds a cold on-resistance above zero and below the
// 25 C one. IRLML6402's fits leave RD tiny (refined next to nothing), and a straight line
// through its hot point fell far below zero at -55 C, where ngspice then ran RD unscaled.
TEST_F(HotDevices, TheOnResistanceLawHoldsFromColdToHotInNgspice) {
  for (const HotDevice& device : kDevices) {
    SCOPED_TRACE(device.part);
    WindowState state = Open(device);
    for (const bool refined : {false, true}) {
      SCOPED_TRACE(refined ? "refined" : "fitted");
      if (refined) {
        ASSERT_TRUE(Refine(state));
      }
      if (std::string(device.part) == "IRLML6402") {
        EXPECT_NE(state.card.segment4.find(" TEXP0="), std::string::npos) << state.card.segment4;
      }
      const double hot = std::stod(device.tj), ratio = std::stod(device.rdsRatio);
      const auto rdsOn = SimulatedRdsOn(state, {-55, kRoomCelsius, hot});
      ASSERT_TRUE(rdsOn[0] && rdsOn[1] && rdsOn[2]);
      EXPECT_NEAR(*rdsOn[2], ratio * ReadBenchSetup(state).rdsOn, 0.03 * ratio * ReadBenchSetup(state).rdsOn);
      EXPECT_GT(*rdsOn[0], 0);
      EXPECT_LT(*rdsOn[0], *rdsOn[1]);
      std::printf("%s %s: Rds(on) -55 C %.4g, 25 C %.4g, %s C %.4g Ohm\n", device.part,
                  refined ? "refined" : "fitted", *rdsOn[0], *rdsOn[1], device.tj, *rdsOn[2]);
    }
  }
}

// A zero-TC gate voltage just above the fitted card's threshold: refining raises IRF540N's VTO
// by about half a volt, past it, and the recipe can no longer meet it. The 25 C values stay
// refined, and the summary names the hot value given up.
TEST_F(HotDevices, ARefinedCardThatPutsAHotValueOutOfReachSaysSo) {
  HotDevice device = kDevices[0];
  ASSERT_EQ(std::string(device.part), "IRF540N");
  device.ztcVgs = "3.3";
  WindowState state = Open(device);
  const std::optional<Refinement> refinement = Refine(state);
  ASSERT_TRUE(refinement);
  EXPECT_TRUE(refinement->hotTradeOff.starts_with(kHotTradeOffOpening)) << refinement->hotTradeOff;
  EXPECT_NE(refinement->hotTradeOff.find("\"zero-TC Vgs\" is not above the threshold"), std::string::npos)
      << refinement->hotTradeOff;
  EXPECT_TRUE(state.text(control::StatusBar1).ends_with(refinement->hotTradeOff));
  // The refusal is the summary's, not a message box: the refinement itself succeeded.
  EXPECT_EQ(state.params.temperatureText.find("MU="), std::string::npos);
}

// A card with TNOM writes the diode's N for 25 C: refined again, it is still read with the digits
// it was written in, so the second refinement starts from the first one's result.
TEST_F(HotDevices, ARefinedHotCardIsRefinedAgainFromWhatItPrints) {
  for (const HotDevice& device : {kDevices[5], kDevices[9]}) {
    SCOPED_TRACE(device.part);
    WindowState state = Open(device);
    const std::optional<Refinement> first = Refine(state);
    ASSERT_TRUE(first);
    ScriptedPlatform platform;
    const std::optional<Refinement> again = RefineModel(state, platform);
    const CardErrors start = again ? again->before : first->after;
    EXPECT_EQ(start.worstDcPercent, first->after.worstDcPercent);
    EXPECT_EQ(start.worstCapacitancePercent, first->after.worstCapacitancePercent);
  }
}

}  // namespace
}  // namespace vdmos

#include "commands/ac_update.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "model/checked_math.h"
#include "model/control_names.h"
#include "model/window_state.h"
#include "platform/scripted_platform.h"

namespace vdmos {
namespace {

using ::testing::DoubleNear;
using ::testing::Pointwise;

const std::string kStartLabel = "CGDMAX=5561p CGDMIN=5p CGS=2350p TT=720n ";
const std::string kStartJunction = "m=0.797 Vj=1.03 Cjo=9600.0pF";
const std::string kCossMessage =
    "coss_max value not allowed.\r\n"
    " Must be equal or higher then crss_max.\r\n"
    "coss_max has been set to crss_max";

class UpdateAcTest : public testing::Test {
 protected:
  void Run() { Update_AC_Click(state, platform); }
  WindowState state;
  ScriptedPlatform platform;
};

TEST_F(UpdateAcTest, StartValuesFitTheCurveAndFillTheCaptions) {
  Run();
  EXPECT_EQ(state.text(control::Label_ACparam), kStartLabel);
  EXPECT_EQ(state.text(control::Ciss_on), "5750");
  EXPECT_EQ(state.text(control::Ciss_off), "2357");
  EXPECT_EQ(state.params.junctionCapText, kStartJunction);
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(UpdateAcTest, FitsTheGateDrainCurve) {
  struct Row {
    const char* name;
    std::vector<std::pair<const char*, const char*>> fields;
    int depletion;
    std::string label;
    std::vector<double> values;  // CGDMAX, CGDMIN, a
  };
  // clang-format off
  const Row rows[] = {
      {"depletion sets CGDMAX and a outright and takes CGDMIN from the maximum-voltage point", {}, 1,
       "CGDMAX=3400p CGDMIN=3p CGS=2350p TT=720n ", {3400, 3.396094661884945, 1}},
      // Voltages take the engineering reading, capacitances the plain one ("2400n" is 2400 pF).
      // The start values' fit: the loop leaves at its third CGDMIN; CGDMAX and a are the pair
      // that produced it, one step behind the pair it would give (5561.2412, 1.92640).
      {"a grayed box fits the normal curve", {{control::TextVdsMax, "0.6k"}, {control::Text7, "2400n"}}, 2,
       kStartLabel, {5561.239250595458, 5.130285351530802, 1.926533412957034}},
      {"a negative CGDMIN falls back to zero and the curve is refitted for it",
       {{control::Text10, "100"}, {control::Text11, "1"}, {control::TextVdsMiddle, "1"}, {control::TextVdsMax, "50"}}, 0,
       "CGDMAX=164p CGDMIN=0p CGS=2350p TT=720n ", {163.6619772367582, 0, 1.0}},
      // The 999th or 1001st value would read 19p.
      {"a grid that cycles between two values keeps the thousandth",
       {{control::Text10, "10"}, {control::Text11, "1"}, {control::TextVdsMiddle, "1"}, {control::TextVdsMax, "50"}}, 0,
       "CGDMAX=4p CGDMIN=1p CGS=2350p TT=720n ", {4.150260390432293, 0.8112505085844433, 0.6196265051430141}},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    state = WindowState{};
    for (const auto& [control, text] : row.fields) state.setText(control, text);
    state.setCheck(control::CheckDepMode, row.depletion);
    Run();
    EXPECT_EQ(state.text(control::Label_ACparam), row.label);
    const ModelParameterSet& p = state.params;
    EXPECT_THAT((std::vector{p.CGDMAX, p.CGDMIN, p.a}), Pointwise(DoubleNear(1e-9), row.values));
  }
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(UpdateAcTest, CrssNotFallingIsRefusedWithNothingChanged) {
  // Crss at the maximum voltage equal to the middle one, and above it with voltages the
  // message rounds.
  const std::vector<std::string> rows[] = {
      {"50", "25", "600", "Crss value at Vds=600V too large. Must be lower then Crss at Vds=25V"},
      {"60", "24.6", "599.4", "Crss value at Vds=599V too large. Must be lower then Crss at Vds=25V"}};
  for (const auto& row : rows) {
    state = WindowState{};
    state.setText(control::Text11, row[0]);
    state.setText(control::TextVdsMiddle, row[1]);
    state.setText(control::TextVdsMax, row[2]);
    const WindowState before = state;
    platform.messages.clear();
    Run();
    EXPECT_EQ(state, before);
    EXPECT_EQ(platform.MessageTexts(), std::vector<std::string>{row[3]});
  }
}

TEST_F(UpdateAcTest, CossNotAboveCrssLeavesNoJunctionTextAndIsRaisedWhenBelow) {
  for (const std::string coss : {"3400", "1000"}) {
    state = WindowState{};
    state.params.junctionCapText = "stale";
    state.setText(control::Text21, coss);
    platform.messages.clear();
    Run();
    EXPECT_EQ(platform.MessageTexts(),
              coss == "1000" ? std::vector<std::string>{kCossMessage} : std::vector<std::string>{});
    EXPECT_EQ(state.text(control::Text21), "3400");
    EXPECT_EQ(state.params.junctionCapText, "");
    EXPECT_EQ(state.text(control::Label_ACparam), kStartLabel);
  }
}

TEST_F(UpdateAcTest, EmptyTrrBecomesZero) {
  state.setText(control::Trr, "");
  Run();
  EXPECT_EQ(state.text(control::Trr), "0");
  EXPECT_EQ(state.params.TT, 0);
  EXPECT_EQ(state.text(control::Label_ACparam), "CGDMAX=5561p CGDMIN=5p CGS=2350p TT=00n ");
}

// A fault ends the handler where it happens: what was stored before keeps its new value, what
// comes after keeps its old one (kOld), and no caption changes.
TEST_F(UpdateAcTest, FaultEndsTheHandlerAndKeepsEarlierParameters) {
  constexpr double kOld = 42;
  struct Row {
    const char* control;
    const char* text;
    std::vector<double> values;  // CGDMIN, CGDMAX, a, CGS, TT
    std::string junctionCapText;
  };
  // clang-format off
  const Row rows[] = {
      // The scale a divides by V1, after CGDMIN and CGDMAX are stored.
      {control::TextVdsMiddle, "0", {7, 5560.050887643206, kOld, kOld, kOld}, "old"},
      // The first change divides by the start value CGDMIN = C2, after CGDMAX and a are stored.
      {control::Text11, "0", {0, 5564.507226049778, 1.7312977706027026, kOld, kOld}, "old"},
      // TT overflows: everything before it is new.
      {control::Trr, "1.5e308", {5.130285351530802, 5561.239250595458, 1.926533412957034, 2350, kOld},
       kStartJunction},
  };
  // clang-format on
  const WindowState start;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.control);
    state = WindowState{};
    state.params.CGDMAX = state.params.CGDMIN = state.params.a = state.params.CGS = state.params.TT = kOld;
    state.params.junctionCapText = "old";
    state.setText(row.control, row.text);
    EXPECT_THROW(Run(), ArithmeticFault);
    const ModelParameterSet& p = state.params;
    EXPECT_THAT((std::vector{p.CGDMIN, p.CGDMAX, p.a, p.CGS, p.TT}), Pointwise(DoubleNear(1e-9), row.values));
    EXPECT_EQ(p.junctionCapText, row.junctionCapText);
    for (const char* caption : {control::Label_ACparam, control::Ciss_on, control::Ciss_off}) {
      EXPECT_EQ(state.text(caption), start.text(caption)) << caption;
    }
  }
}

}  // namespace
}  // namespace vdmos

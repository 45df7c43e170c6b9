#include "extract/ac_update.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "extract/checked_math.h"
#include "model/window_state.h"
#include "platform/scripted_platform.h"

namespace vdmos {
namespace {

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
  EXPECT_EQ(state.text("Label_ACparam"), "CGDMAX=5561p CGDMIN=5p CGS=2350p TT=720n ");
  EXPECT_EQ(state.text("Ciss_on"), "5750");
  EXPECT_EQ(state.text("Ciss_off"), "2357");
  EXPECT_EQ(state.params.junctionCapText, kStartJunction);
  EXPECT_DOUBLE_EQ(state.params.CGS, 2350);
  EXPECT_DOUBLE_EQ(state.params.TT, 720);
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(state.text("Text21"), "13000");
  // The loop leaves at its third CGDMIN; CGDMAX and a are the pair that produced it, one step
  // behind the pair it would give (5561.2412, 1.92640).
  EXPECT_NEAR(state.params.CGDMIN, 5.130285351530802, 1e-9);
  EXPECT_NEAR(state.params.CGDMAX, 5561.239250595458, 1e-9);
  EXPECT_NEAR(state.params.a, 1.926533412957034, 1e-12);
}

struct GridRow {
  const char* name;
  std::vector<std::pair<const char*, const char*>> fields;
  int depletion;
  std::string label;
  double CGDMAX, CGDMIN, a;
};

void PrintTo(const GridRow& row, std::ostream* os) { *os << row.name; }

class UpdateAcGridTest : public UpdateAcTest, public testing::WithParamInterface<GridRow> {};

TEST_P(UpdateAcGridTest, FitsTheGateDrainCurve) {
  const GridRow& row = GetParam();
  for (const auto& [control, text] : row.fields) state.setText(control, text);
  state.setCheck("CheckDepMode", row.depletion);
  Run();
  EXPECT_EQ(state.text("Label_ACparam"), row.label);
  EXPECT_NEAR(state.params.CGDMAX, row.CGDMAX, 1e-9);
  EXPECT_NEAR(state.params.CGDMIN, row.CGDMIN, 1e-9);
  EXPECT_NEAR(state.params.a, row.a, 1e-9);
  EXPECT_TRUE(platform.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, UpdateAcGridTest,
    testing::Values(
        // Depletion sets CGDMAX and a outright and takes CGDMIN from the maximum-voltage point.
        GridRow{"Depletion", {}, 1, "CGDMAX=3400p CGDMIN=3p CGS=2350p TT=720n ", 3400, 3.396094661884945, 1},
        // Only the value 1 means checked; a grayed box fits the normal curve.
        GridRow{"GrayedIsNormal",
                {},
                2,
                "CGDMAX=5561p CGDMIN=5p CGS=2350p TT=720n ",
                5561.239250595458,
                5.130285351530802,
                1.926533412957034},
        // Voltages take the engineering reading, capacitances the plain one ("2400n" is 2400 pF).
        GridRow{"ReadingsOfGridAndVoltages",
                {{"TextVdsMax", "0.6k"}, {"Text7", "2400n"}},
                0,
                "CGDMAX=5561p CGDMIN=5p CGS=2350p TT=720n ",
                5561.239250595458,
                5.130285351530802,
                1.926533412957034},
        // The iteration ends below zero: CGDMIN falls back to 0 and the curve is refitted for it.
        GridRow{"NegativeCgdMinFallsBackToZero",
                {{"Text10", "100"}, {"Text11", "1"}, {"TextVdsMiddle", "1"}, {"TextVdsMax", "50"}},
                0,
                "CGDMAX=164p CGDMIN=0p CGS=2350p TT=720n ",
                163.6619772367582,
                0,
                1.0},
        // This grid cycles between two values; the thousandth one is kept (the 999th or 1001st
        // would read 19p).
        GridRow{"CycleEndsAtThousandValues",
                {{"Text10", "10"}, {"Text11", "1"}, {"TextVdsMiddle", "1"}, {"TextVdsMax", "50"}},
                0,
                "CGDMAX=4p CGDMIN=1p CGS=2350p TT=720n ",
                4.150260390432293,
                0.8112505085844433,
                0.6196265051430141}),
    [](const testing::TestParamInfo<GridRow>& info) { return std::string(info.param.name); });

TEST_F(UpdateAcTest, CrssNotFallingIsRefusedWithNothingChanged) {
  for (const char* c2 : {"50", "80"}) {
    state.setText("Text11", c2);
    const WindowState before = state;
    platform.messages.clear();
    Run();
    EXPECT_EQ(state, before);
    EXPECT_EQ(
        platform.MessageTexts(),
        std::vector<std::string>{"Crss value at Vds=600V too large. Must be lower then Crss at Vds=25V"});
  }
}

TEST_F(UpdateAcTest, CrssMessageRoundsTheVoltages) {
  state.setText("Text11", "60");
  state.setText("TextVdsMiddle", "24.6");
  state.setText("TextVdsMax", "599.4");
  Run();
  EXPECT_EQ(platform.MessageTexts(),
            std::vector<std::string>{"Crss value at Vds=599V too large. Must be lower then Crss at Vds=25V"});
}

TEST_F(UpdateAcTest, CossEqualToCrssPassesWithoutJunctionText) {
  state.params.junctionCapText = "stale";
  state.setText("Text21", "3400");
  Run();
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(state.params.junctionCapText, "");
  EXPECT_EQ(state.text("Label_ACparam"), "CGDMAX=5561p CGDMIN=5p CGS=2350p TT=720n ");
}

TEST_F(UpdateAcTest, CossBelowCrssIsRaisedToItAndTheRestStillRuns) {
  state.setText("Text21", "1000");
  Run();
  EXPECT_EQ(platform.MessageTexts(), std::vector<std::string>{kCossMessage});
  EXPECT_EQ(state.text("Text21"), "3400");
  EXPECT_EQ(state.params.junctionCapText, "");
  EXPECT_EQ(state.text("Label_ACparam"), "CGDMAX=5561p CGDMIN=5p CGS=2350p TT=720n ");
  EXPECT_EQ(state.text("Ciss_on"), "5750");
  EXPECT_EQ(state.text("Ciss_off"), "2357");
}

TEST_F(UpdateAcTest, EmptyTrrBecomesZero) {
  state.setText("Trr", "");
  Run();
  EXPECT_EQ(state.text("Trr"), "0");
  EXPECT_EQ(state.params.TT, 0);
  EXPECT_EQ(state.text("Label_ACparam"), "CGDMAX=5561p CGDMIN=5p CGS=2350p TT=00n ");
}

// A fault ends the handler where it happens: what was stored before keeps its new value, what
// comes after keeps its old one (kOld), and no caption changes.
constexpr double kOld = 42;

struct FaultRow {
  const char* name;
  const char* control;
  const char* text;
  double CGDMIN, CGDMAX, a, CGS, TT;
  std::string junctionCapText;
};

void PrintTo(const FaultRow& row, std::ostream* os) { *os << row.name; }

class UpdateAcFaultTest : public UpdateAcTest, public testing::WithParamInterface<FaultRow> {};

TEST_P(UpdateAcFaultTest, EndsTheHandlerAndKeepsEarlierParameters) {
  const FaultRow& row = GetParam();
  const WindowState start;
  state.params.CGDMAX = state.params.CGDMIN = state.params.a = state.params.CGS = state.params.TT = kOld;
  state.params.junctionCapText = "old";
  state.setText(row.control, row.text);
  EXPECT_THROW(Run(), ArithmeticFault);
  EXPECT_NEAR(state.params.CGDMIN, row.CGDMIN, 1e-9);
  EXPECT_NEAR(state.params.CGDMAX, row.CGDMAX, 1e-9);
  EXPECT_NEAR(state.params.a, row.a, 1e-9);
  EXPECT_EQ(state.params.CGS, row.CGS);
  EXPECT_EQ(state.params.TT, row.TT);
  EXPECT_EQ(state.params.junctionCapText, row.junctionCapText);
  for (const char* caption : {"Label_ACparam", "Ciss_on", "Ciss_off"}) {
    EXPECT_EQ(state.text(caption), start.text(caption)) << caption;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, UpdateAcFaultTest,
    testing::Values(
        // The scale a divides by V1, after CGDMIN and CGDMAX are stored.
        FaultRow{"ZeroMiddleVoltage", "TextVdsMiddle", "0", 7, 5560.050887643206, kOld, kOld, kOld, "old"},
        // The first change divides by the start value CGDMIN = C2, after CGDMAX and a are stored.
        FaultRow{"ZeroCrssAtMaximum", "Text11", "0", 0, 5564.507226049778, 1.7312977706027026, kOld, kOld,
                 "old"},
        // TT overflows: everything before it is new.
        FaultRow{"OverflowingTrr", "Trr", "1.5e308", 5.130285351530802, 5561.239250595458, 1.926533412957034,
                 2350, kOld, kStartJunction}),
    [](const testing::TestParamInfo<FaultRow>& info) { return std::string(info.param.name); });

TEST_F(UpdateAcTest, HostileFieldTextsNeverCrashOrHang) {
  const std::vector<std::string> hostile = {"",
                                            "abc",
                                            "1e999",
                                            "-1e308",
                                            "1e308",
                                            "&HFFFFFFFFFFFFFFFF",
                                            "\x01\x7f\t\n",
                                            "-0",
                                            "1e-320",
                                            std::string(100000, '9'),
                                            "nan",
                                            "inf"};
  const std::vector<const char*> fields = {"Text7",  "Text8",  "Text21",        "TextCossMin", "Text9",
                                           "Text10", "Text11", "TextVdsMiddle", "TextVdsMax",  "Trr"};
  for (const char* field : fields) {
    for (const std::string& text : hostile) {
      state = WindowState();
      state.setText(field, text);
      try {
        Run();
      } catch (const ArithmeticFault&) {
        // Reported by the caller; the only failure the handler may pass on.
      }
    }
  }
}

}  // namespace
}  // namespace vdmos

#include "extract/dc_update.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "extract/checked_math.h"
#include "model/command_runner.h"
#include "platform/scripted_platform.h"

namespace vdmos {
namespace {

const std::vector<std::string> kDcFields = {"Text6",  "Text3",         "Text4",       "Text5",
                                            "rdsonVgs", "Idplat",      "Vplat",       "Text_LAMBDA",
                                            "TextBoxVdsTest", "Out_VGS", "OUT_VDS1", "OUT_VDS2"};
const std::vector<std::string> kReportTexts = {"Text_LAMBDA", "StatusBar1", "Label_Rds", "DATA1",
                                               "DATA2",       "OUT_ID1",    "OUT_ID2"};

class UpdateDc : public ::testing::Test {
 protected:
  void Update() { Update_DC_Click(state, platform); }
  WindowState state;
  ScriptedPlatform platform;
};

TEST_F(UpdateDc, StartTextsGiveTheDesignedReport) {
  Update();
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(state.text("StatusBar1"), "Transfer function matched Iter=3");
  EXPECT_EQ(state.text("Label_DcParam"), "KP=6.4968 RS=0.0016 RD=0.1364 VTO=3.0");
  EXPECT_EQ(state.text("Label_Rds"), "Rdson=0.16015");
  EXPECT_EQ(state.text("DATA1"), "Vgs=5.5 Id=20.693");
  EXPECT_EQ(state.text("DATA2"), "Vgs=7.5 Id=65.315");
  EXPECT_EQ(state.text("OUT_ID1"), "19.924");
  EXPECT_EQ(state.text("OUT_ID2"), "20.213");
  EXPECT_EQ(state.text("Text_LAMBDA"), "0.001");
  EXPECT_EQ(state.params.LAMBDA, 0.001);
  EXPECT_EQ(state.params.VTO, 3);
}

TEST_F(UpdateDc, CheckBoxesReachTheFit) {
  state.setCheck("FixVTO", 0);
  Update();
  EXPECT_EQ(state.text("StatusBar1"), "Transfer function matched Iter=3");
  EXPECT_EQ(state.text("Label_DcParam").substr(state.text("Label_DcParam").find("VTO=")), "VTO=3.18");

  state = WindowState{};
  state.setText("Text6", "10m");
  Update();
  EXPECT_EQ(state.text("StatusBar1"), "Gate Plateau voltage matched. Iter=98");
  state.setCheck("ForceRdsOn", 0);
  Update();
  EXPECT_EQ(state.text("StatusBar1"), "Gate Plateau voltage matched. Iter=0");
  EXPECT_EQ(state.text("Label_DcParam").substr(state.text("Label_DcParam").find(" RS=")),
            " RS=0.0001 RD=0.0001 VTO=3.0");
}

TEST_F(UpdateDc, LambdaWriteBackKeepsTheUsersValue) {
  struct Row {
    const char* typed;
    const char* written;
  };
  // The mask text is kept where it still says the same value; otherwise the full value.
  const Row rows[] = {{"1m", "0.001"},    {"0.0004", "0.0004"}, {"0.0015", "0.0015"}, {"12.3m", "0.0123"},
                      {"0.05", "0.05"},   {"0", "0.00"},        {"0.0123456", "0.0123456"}};
  for (const Row& row : rows) {
    state = WindowState{};
    state.setText("Text_LAMBDA", row.typed);
    Update();
    EXPECT_EQ(state.text("Text_LAMBDA"), row.written) << row.typed;
  }
  // A second update reads the written text back as the same LAMBDA.
  state.setText("Text_LAMBDA", "0.0004");
  Update();
  Update();
  EXPECT_EQ(state.params.LAMBDA, 0.0004);
}

TEST_F(UpdateDc, NegativeThresholdInEnhancementModeStopsWithNoChange) {
  state.setText("Text3", "-3");
  state.setText("Text4", "-70");
  const WindowState before = state;
  Update();
  EXPECT_EQ(platform.MessageTexts(),
            std::vector<std::string>{"For an enhancement mode mosfet. All values must be positive: Vgs_th."});
  EXPECT_EQ(state, before);
}

TEST_F(UpdateDc, NegativeMaximumPointIsCorrectedAndTheRunGoesOn) {
  state.setText("Text4", "-70");
  state.setText("Text5", "-7.5");
  Update();
  EXPECT_EQ(platform.MessageTexts(),
            (std::vector<std::string>{"All values must be positive: ID_max.\r\nCorrected it!",
                                      "All values must be positive: Vgs_max.\r\nCorrected it!"}));
  EXPECT_EQ(state.text("Text4"), "70");
  EXPECT_EQ(state.text("Text5"), "7.5");
  EXPECT_EQ(state.text("StatusBar1"), "Transfer function matched Iter=3");
  EXPECT_EQ(state.text("DATA2"), "Vgs=7.5 Id=65.315");
}

TEST_F(UpdateDc, NegativeRdsOnGateVoltageStopsAfterTheCorrections) {
  state.setText("Text4", "-70");
  state.setText("rdsonVgs", "-10");
  Update();
  EXPECT_EQ(platform.MessageTexts(),
            (std::vector<std::string>{"All values must be positive: ID_max.\r\nCorrected it!",
                                      "For an enhancement mode mosfet. All values must be positive: Vgs_Rdson."}));
  EXPECT_EQ(state.text("Text4"), "70");
  EXPECT_EQ(state.text("Label_DcParam"), WindowState{}.text("Label_DcParam"));
  EXPECT_EQ(state.params, WindowState{}.params);
}

TEST_F(UpdateDc, ZeroRdsOnGateVoltageBecomesTenSilently) {
  state.setText("rdsonVgs", "0");
  Update();
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(state.text("rdsonVgs"), "10");
  EXPECT_EQ(state.text("Label_Rds"), "Rdson=0.16015");
}

TEST_F(UpdateDc, DepletionModeAcceptsNegativeVoltagesButNotANegativeCurrent) {
  state.setCheck("CheckDepMode", 1);
  state.setText("Text3", "-2");
  state.setText("Text5", "-7.5");
  state.setText("rdsonVgs", "0");
  state.setText("Text4", "-70");
  Update();
  EXPECT_EQ(platform.MessageTexts(),
            std::vector<std::string>{"All values must be positive: ID_max.\r\nCorrected it!"});
  EXPECT_EQ(state.text("Text3"), "-2");
  EXPECT_EQ(state.text("Text5"), "-7.5");
  EXPECT_EQ(state.text("rdsonVgs"), "0");
  EXPECT_EQ(state.text("Text4"), "70");
  EXPECT_NE(state.text("Label_DcParam"), WindowState{}.text("Label_DcParam"));
}

TEST_F(UpdateDc, WithoutGateChargeDataOnlyTheParameterLabelIsRefreshed) {
  state.setText("Idplat", "");
  Update();
  EXPECT_EQ(state.text("Label_DcParam"), "KP=0.000 RS=0.0 RD=0.0 VTO=3.0");
  for (const std::string& name : kReportTexts) EXPECT_EQ(state.text(name), WindowState{}.text(name)) << name;
  EXPECT_EQ(state.params.LAMBDA, 0.001);

  // After a fit, the earlier KP, RS and RD stay, shown with the new VTO = Vgs(th); also when
  // the plateau voltage is not above the threshold.
  state = WindowState{};
  Update();
  state.setText("Text3", "3.5");
  state.setText("Vplat", "3.5");
  Update();
  EXPECT_EQ(state.text("Label_DcParam"), "KP=6.4968 RS=0.0016 RD=0.1364 VTO=3.5");
  EXPECT_EQ(state.text("StatusBar1"), "Transfer function matched Iter=3");
}

TEST_F(UpdateDc, FitFaultBlanksTheStatusAndReportsTheStoredModel) {
  state.setText("StatusBar1", "earlier");
  state.setText("Text5", "5.5");  // Vm = Vp
  Update();
  EXPECT_EQ(state.text("StatusBar1"), "");
  EXPECT_EQ(state.text("Label_DcParam"), "KP=0.000 RS=0.0 RD=0.0 VTO=3.0");
  EXPECT_EQ(state.text("DATA1"), "Vgs=5.5 Id=0.0");
  EXPECT_EQ(state.text("OUT_ID1"), "0.0");
}

TEST_F(UpdateDc, ConversionOverflowReachesTheCallerAndTheUserCommandUndoesIt) {
  for (const std::string& field : kDcFields) {
    state = WindowState{};
    state.setText(field, "1e999");
    EXPECT_THROW(Update(), ArithmeticFault) << field;

    state = WindowState{};
    state.setText(field, "1e999");
    platform.messages.clear();
    const WindowState before = state;
    RunUserCommand(Update_DC_Click, state, platform);
    EXPECT_EQ(state, before) << field;
    EXPECT_EQ(platform.MessageTexts(), std::vector<std::string>{std::string(kParameterErrorText)}) << field;
  }
}

TEST_F(UpdateDc, HostileTextsNeverEscapeAsAnythingButAReportedFault) {
  const char* hostile[] = {"",       "-",       "abc",        "0",     "-0",         "1e308",  "-1e308",
                           "1e-308", "-1e-320", "&HFFFFFFFF", "&O777", "9MEG",       "5,5",    " \t\n 7 . 5",
                           "1e999",  "nan",     "inf",        "--1",   "1e-5e5",     "3.0.0", "1E+308k"};
  for (const std::string& field : kDcFields) {
    for (const char* text : hostile) {
      state = WindowState{};
      state.setText(field, text);
      RunUserCommand(Update_DC_Click, state, platform);
      for (const std::string& name : kReportTexts) {
        const std::string& shown = state.text(name);
        EXPECT_EQ(shown.find("nan"), std::string::npos) << field << "=" << text << ": " << name << "=" << shown;
        EXPECT_EQ(shown.find("inf"), std::string::npos) << field << "=" << text << ": " << name << "=" << shown;
      }
    }
  }
}

}  // namespace
}  // namespace vdmos

#include "commands/dc_update.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "model/control_names.h"
#include "platform/scripted_platform.h"

namespace vdmos {
namespace {

const std::vector<std::string> kReportTexts = {control::Text_LAMBDA, control::StatusBar1, control::Label_Rds,
                                               control::DATA1,       control::DATA2,      control::OUT_ID1,
                                               control::OUT_ID2};

class UpdateDc : public ::testing::Test {
 protected:
  void Update() { Update_DC_Click(state, platform); }
  WindowState state;
  ScriptedPlatform platform;
};

TEST_F(UpdateDc, StartTextsGiveTheDesignedReport) {
  Update();
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(state.text(control::StatusBar1), "Transfer function matched Iter=3");
  EXPECT_EQ(state.text(control::Label_DcParam), "KP=6.4968 RS=0.0016 RD=0.1364 VTO=3.0");
  EXPECT_EQ(state.text(control::Label_Rds), "Rdson=0.16015");
  EXPECT_EQ(state.text(control::DATA1), "Vgs=5.5 Id=20.693");
  EXPECT_EQ(state.text(control::DATA2), "Vgs=7.5 Id=65.315");
  EXPECT_EQ(state.text(control::OUT_ID1), "19.924");
  EXPECT_EQ(state.text(control::OUT_ID2), "20.213");
  EXPECT_EQ(state.text(control::Text_LAMBDA), "0.001");
}

// What each box does inside the fit is the fit's test; here only that each reaches it.
TEST_F(UpdateDc, CheckBoxesReachTheFit) {
  state.setCheck(control::FixVTO, 0);
  Update();
  EXPECT_EQ(state.text(control::Label_DcParam).substr(state.text(control::Label_DcParam).find("VTO=")),
            "VTO=3.18");

  state = WindowState{};
  state.setText(control::Text6, "10m");
  state.setCheck(control::ForceRdsOn, 0);
  Update();
  EXPECT_EQ(state.text(control::StatusBar1), "Gate Plateau voltage matched. Iter=0");  // forced: Iter=98
}

TEST_F(UpdateDc, LambdaWriteBackKeepsTheUsersValue) {
  // The mask text is kept where it still says the same value; otherwise the full value.
  const std::pair<const char*, const char*> rows[] = {
      {"1m", "0.001"}, {"0.0004", "0.0004"}, {"12.3m", "0.0123"}, {"0", "0.00"}};
  for (const auto& [typed, written] : rows) {
    state = WindowState{};
    state.setText(control::Text_LAMBDA, typed);
    Update();
    EXPECT_EQ(state.text(control::Text_LAMBDA), written) << typed;
  }
}

TEST_F(UpdateDc, InputChecksCorrectOrStop) {
  const std::string kIdMax = "All values must be positive: ID_max.\r\nCorrected it!";
  using Texts = std::vector<std::pair<const char*, const char*>>;
  struct Row {
    const char* name;
    int depletion;
    Texts typed;
    std::vector<std::string> messages;
    Texts shown;  // afterwards
    bool fitted;
  };
  // clang-format off
  const Row rows[] = {
      {"negative threshold stops first", 0, {{control::Text3, "-3"}, {control::Text4, "-70"}},
       {"For an enhancement mode mosfet. All values must be positive: Vgs_th."}, {{control::Text4, "-70"}}, false},
      {"negative maximum point is corrected", 0, {{control::Text4, "-70"}, {control::Text5, "-7.5"}},
       {kIdMax, "All values must be positive: Vgs_max.\r\nCorrected it!"},
       {{control::Text4, "70"}, {control::Text5, "7.5"}, {control::DATA2, "Vgs=7.5 Id=65.315"}}, true},
      {"negative Rds(on) gate voltage stops after the corrections", 0,
       {{control::Text4, "-70"}, {control::rdsonVgs, "-10"}},
       {kIdMax, "For an enhancement mode mosfet. All values must be positive: Vgs_Rdson."},
       {{control::Text4, "70"}}, false},
      {"zero Rds(on) gate voltage becomes 10 silently", 0, {{control::rdsonVgs, "0"}}, {},
       {{control::rdsonVgs, "10"}, {control::Label_Rds, "Rdson=0.16015"}}, true},
      {"depletion mode takes negative voltages, not a negative current", 1,
       {{control::Text3, "-2"}, {control::Text5, "-7.5"}, {control::rdsonVgs, "0"}, {control::Text4, "-70"}}, {kIdMax},
       {{control::Text3, "-2"}, {control::Text5, "-7.5"}, {control::rdsonVgs, "0"}, {control::Text4, "70"}}, true},
  };
  // clang-format on
  const WindowState start;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    state = WindowState{};
    platform.messages.clear();
    state.setCheck(control::CheckDepMode, row.depletion);
    for (const auto& [control, text] : row.typed) state.setText(control, text);
    Update();
    EXPECT_EQ(platform.MessageTexts(), row.messages);
    for (const auto& [control, text] : row.shown) EXPECT_EQ(state.text(control), text) << control;
    EXPECT_EQ(state.text(control::Label_DcParam) != start.text(control::Label_DcParam), row.fitted);
    EXPECT_EQ(state.params != start.params, row.fitted);
  }
}

TEST_F(UpdateDc, WithoutGateChargeDataOnlyTheParameterLabelIsRefreshed) {
  state.setText(control::Idplat, "");
  Update();
  EXPECT_EQ(state.text(control::Label_DcParam), "KP=0.000 RS=0.0 RD=0.0 VTO=3.0");
  for (const std::string& name : kReportTexts) EXPECT_EQ(state.text(name), WindowState{}.text(name)) << name;
  EXPECT_EQ(state.params.LAMBDA, 0.001);

  // After a fit, the earlier KP, RS and RD stay, shown with the new VTO = Vgs(th); also when
  // the plateau voltage is not above the threshold.
  state = WindowState{};
  Update();
  state.setText(control::Text3, "3.5");
  state.setText(control::Vplat, "3.5");
  Update();
  EXPECT_EQ(state.text(control::Label_DcParam), "KP=6.4968 RS=0.0016 RD=0.1364 VTO=3.5");
  EXPECT_EQ(state.text(control::StatusBar1), "Transfer function matched Iter=3");
}

TEST_F(UpdateDc, FitFaultBlanksTheStatusAndReportsTheStoredModel) {
  state.setText(control::StatusBar1, "earlier");
  state.setText(control::Text5, "5.5");  // Vm = Vp
  Update();
  EXPECT_EQ(state.text(control::StatusBar1), "");
  EXPECT_EQ(state.text(control::Label_DcParam), "KP=0.000 RS=0.0 RD=0.0 VTO=3.0");
  EXPECT_EQ(state.text(control::DATA1), "Vgs=5.5 Id=0.0");
  EXPECT_EQ(state.text(control::OUT_ID1), "0.0");
}

}  // namespace
}  // namespace vdmos

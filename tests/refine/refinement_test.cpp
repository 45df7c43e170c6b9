// The refinement's own pieces: the exact drain current, the minimax fit and its rounding onto
// the card's digits, the card it writes, and every input it refuses without touching the card.

#include "refine/refinement.h"

#include <gtest/gtest.h>

#include <cmath>

#include "extract/dc_equations.h"
#include "model/command_runner.h"
#include "model/control_names.h"
#include "model/model_card.h"
#include "model/model_update.h"
#include "model/numbers.h"
#include "platform/scripted_platform.h"
#include "refine/minimax_fit.h"
#include "refine/refine_command.h"
#include "refine/refine_texts.h"
#include "verify/bench_setup.h"

namespace vdmos {
namespace {

WindowState UpdatedWindow(std::initializer_list<std::pair<const char*, const char*>> fields = {}) {
  WindowState state;
  for (const auto& [control, text] : fields) state.setText(control, text);
  ScriptedPlatform platform;
  UpdateModel(state, platform);
  return state;
}

TEST(Refinement, SolvedDrainCurrentAgreesWithTheModelsOwnSolver) {
  const DcParameters p{6.4968, 3.0, 0.0016, 0.1364, 0.001};
  for (const double vgs : {3.2, 4.0, 5.5, 7.0, 10.0}) {
    for (const double vds : {0.1, 1.0, 5.0, 50.0}) {
      const double reference = ModelDrainCurrent(p.RS, p.RD, p.KP, p.VTO, vgs, vds, p.LAMBDA);
      EXPECT_NEAR(SolvedDrainCurrent(p, vgs, vds), reference, 2e-3 * reference)
          << vgs << " V, " << vds << " V";
    }
  }
  EXPECT_EQ(SolvedDrainCurrent(p, 2.9, 10), 0);
  EXPECT_EQ(SolvedDrainCurrent(p, 5, 0), 0);
}

TEST(Refinement, MinimaxTradesErrorsAndEndsOnPrintableValues) {
  // Least squares would stop at x = 2.6 (worst 1.6); the minimax answer is 7/3 (worst 4/3),
  // and the nearest value the mask prints that keeps it is 2.33.
  std::vector<FitVariable> v{
      {2.0, 0.0, 10.0, false, [](double x) { return std::round(x * 100) / 100; }, 0.01}};
  const auto worst = FitWithCardRounding(v,
                                         [](const std::vector<double>& x) {
                                           return std::vector<double>{x[0] - 1, 2 * (x[0] - 3)};
                                         },
                                         {0});
  ASSERT_TRUE(worst);
  EXPECT_DOUBLE_EQ(v[0].value, 2.33);
  EXPECT_NEAR(*worst, 4.0 / 3, 0.02);

  // A held variable is rounded before the fit, and the free one makes up for it.
  std::vector<FitVariable> pair{
      {1.26, 0, 5, false, [](double x) { return std::round(x * 10) / 10; }, 0.1, false},
      {1.0, 0, 5, false, [](double x) { return x; }, 0}};
  ASSERT_TRUE(FitWithCardRounding(
      pair, [](const std::vector<double>& x) { return std::vector<double>{x[0] + x[1] - 3}; }, {0, 1}));
  EXPECT_DOUBLE_EQ(pair[0].value, 1.3);
  EXPECT_NEAR(pair[1].value, 1.7, 1e-6);

  // Crossed bounds are no problem NLopt can take: no result rather than a crash.
  std::vector<FitVariable> crossed{{1, 2, 1, false, [](double x) { return x; }, 0}};
  EXPECT_FALSE(FitWithCardRounding(crossed, [](const std::vector<double>& x) { return x; }, {}));
}

TEST(Refinement, WritesTheCardByTheCardsRules) {
  for (const bool pmos : {false, true}) {
    for (const char* lineBreak : {"1", "0"}) {
      WindowState state;
      state.setText(control::Combo1, pmos ? "PMOS" : "NMOS");
      state.setCheck(control::LineBreak, lineBreak[0] - '0');
      ScriptedPlatform platform;
      UpdateModel(state, platform);
      ASSERT_TRUE(RefineModel(state, platform)) << ::testing::PrintToString(platform.MessageTexts());
      const std::string& card = state.text(control::Text19);
      SCOPED_TRACE(card);
      EXPECT_EQ(card, lineBreak[0] == '1' ? ThreeLineCard(state.card) : state.card.singleLine);
      EXPECT_TRUE(card.starts_with(".MODEL 20N60C3 VDMOS(KP="));
      EXPECT_EQ(card.find('\n') == std::string::npos, lineBreak[0] == '0');
      EXPECT_TRUE(card.ends_with(state.params.junctionCapText + (pmos ? " PCHAN)" : ")")));
      EXPECT_EQ(state.params.VTO < 0, pmos);
      EXPECT_NE(card.find(" VTO=" + CardNumberText(state.params.VTO, card_mask::kVTO) + " "),
                std::string::npos);
      EXPECT_NE(state.text(control::SubCktTextBox).find(card), std::string::npos);
      EXPECT_TRUE(state.text(control::StatusBar1).starts_with(kRefinedOpening));
    }
  }
}

TEST(Refinement, RefusesWhatItCannotMeetAndLeavesTheWindowAsItWas) {
  struct Row {
    std::initializer_list<std::pair<const char*, const char*>> fields;
    std::string message;
  };
  const Row rows[] = {
      {{{control::Idplat, ""}}, std::string(kRefineNeedsDcPointsText)},
      {{{control::Text6, "0"}}, std::string(kRefineNeedsDcPointsText)},
      {{{control::Text4, "10"}}, std::string(kRefineTransferOrderText)},
      {{{control::Text5, "5"}}, std::string(kRefineTransferOrderText)},
      {{{control::Text7, "40"}}, std::string(kRefineCrssAboveText)},
      {{{control::Text8, "60"}},
       "The datasheet's Coss must fall as the drain voltage rises; no model can meet these values. Check the "
       "capacitance grid."},
      {{{control::vd1, "1e999"}}, std::string(kRefineErrorCardText)},
  };
  for (const Row& row : rows) {
    WindowState state = UpdatedWindow(row.fields);
    const WindowState before = state;
    ScriptedPlatform platform;
    EXPECT_FALSE(RefineModel(state, platform));
    EXPECT_EQ(platform.MessageTexts(), std::vector<std::string>{row.message});
    EXPECT_TRUE(state == before) << row.message;
  }

  // Refined again and again, a card soon finds nothing better, says so and stays as it is.
  WindowState state = UpdatedWindow();
  ScriptedPlatform platform;
  WindowState refined = state;
  for (int pass = 0; pass < 10 && RefineModel(state, platform); ++pass) refined = state;
  ASSERT_FALSE(platform.messages.empty());
  EXPECT_TRUE(platform.MessageTexts().back().starts_with(kRefineNoBetterOpening));
  EXPECT_TRUE(state == refined);
}

TEST(Refinement, TakesOnlyTheDatasheetValuesThatAreGiven) {
  // Without Coss at the largest voltage the junction fit gives no text; the refinement starts
  // a junction of its own from the two Coss values that are left.
  WindowState state = UpdatedWindow({{control::TextCossMin, ""}});
  ASSERT_EQ(state.params.junctionCapText, "");
  const DatasheetPoints points = DatasheetPointsOf(ReadBenchSetup(state));
  EXPECT_EQ(points.dc.size(), 3u);
  EXPECT_EQ(points.capacitance.size(), 6u);
  ScriptedPlatform platform;
  const std::optional<Refinement> refinement = RefineModel(state, platform);
  ASSERT_TRUE(refinement) << ::testing::PrintToString(platform.MessageTexts());
  EXPECT_TRUE(state.params.junctionCapText.starts_with("m="));
  EXPECT_LT(*refinement->after.worstCapacitancePercent, 2.0);
}

}  // namespace
}  // namespace vdmos

// The refinement's own pieces: the exact drain current, the minimax fit and its rounding onto
// the card's digits, the card it writes, and every input it refuses without touching the card.

#include "refine/refinement.h"

#include <gtest/gtest.h>

#include <cmath>

#include "commands/command_runner.h"
#include "commands/model_update.h"
#include "extract/dc_equations.h"
#include "model/control_names.h"
#include "model/model_card.h"
#include "model/numbers.h"
#include "platform/scripted_platform.h"
#include "refine/minimax_fit.h"
#include "refine/refine_command.h"
#include "refine/refine_texts.h"
#include "refine/shape_band.h"
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

// Typed values 10 % above a fitted curve at x = 1 and 5 % below it at x = 10: a refined curve
// may stand anywhere between the fitted one and what the typed values either side ask, and
// before the first only as far as that one asks; a demand along the whole curve widens it all.
TEST(Refinement, ShapeBandKeepsTheFittedCurveWhereTheTypedValuesAskNoMore) {
  const std::vector<double> grid{0.5, 1, 5, 10};
  auto fitted = [](double x) { return 1 / x; };
  auto scaled = [&](double k) { return [=](double x) { return k * fitted(x); }; };
  const ShapeBand band({{10, 0.95}, {1, 1.1}}, grid, fitted);
  EXPECT_EQ(band.Excess(scaled(1.1)), std::vector<double>(4, 0.0));
  const std::vector<double> low = band.Excess(scaled(0.9));
  ASSERT_EQ(low.size(), 4u);
  EXPECT_GT(low[0], 0);
  EXPECT_DOUBLE_EQ(low[0], low[1]);
  EXPECT_GT(low[0], low[2]);  // 0.9 lies nearer the 0.95 asked at 10
  EXPECT_GT(low[2], 0);
  for (const double e : band.Excess(scaled(1.2))) EXPECT_GT(e, 0);
  EXPECT_EQ(ShapeBand({{1, 1.1}}, grid, fitted, {0.8}).Excess(scaled(0.9)), std::vector<double>(4, 0.0));
  EXPECT_TRUE(std::isnan(band.Excess([](double) { return NAN; })[0]));
}

TEST(Refinement, WritesTheCardByTheCardsRules) {
  for (const bool pmos : {false, true}) {
    for (const char* lineBreak : {"1", "0"}) {
      WindowState state;
      state.setText(control::Combo1, pmos ? "PMOS" : "NMOS");
      state.setCheck(control::LineBreak, lineBreak[0] - '0');
      ScriptedPlatform platform;
      UpdateModel(state, platform);
      const std::optional<Refinement> refinement = RefineModel(state, platform);
      ASSERT_TRUE(refinement) << ::testing::PrintToString(platform.MessageTexts());
      const std::string& card = state.text(control::Text19);
      SCOPED_TRACE(card);
      EXPECT_EQ(card, lineBreak[0] == '1' ? ThreeLineCard(state.card) : state.card.singleLine);
      EXPECT_TRUE(card.starts_with(".MODEL 20N60C3 VDMOS(KP="));
      EXPECT_EQ(card.find('\n') == std::string::npos, lineBreak[0] == '0');
      EXPECT_TRUE(card.ends_with(state.params.junctionCapText + (pmos ? " PCHAN)" : ")")));
      EXPECT_EQ(state.params.VTO < 0, pmos);
      // Every parameter the refinement sets has four significant digits; the others keep their masks.
      ASSERT_EQ(refinement->precision.dc, CardDigits::FourSignificant);
      ASSERT_EQ(refinement->precision.capacitance, CardDigits::FourSignificant);
      for (const std::string& part :
           std::vector<std::string>{"(KP=" + FourSignificantText(state.params.KP) + " ",
                                    " VTO=" + FourSignificantText(state.params.VTO) + " ",
                                    "LAMBDA=" + FourSignificantText(state.params.LAMBDA) + " ",
                                    " CGDMIN=" + FourSignificantText(state.params.CGDMIN) + "p ",
                                    " a=" + FourSignificantText(state.params.a), " RG=0.54 ", " TT=720n "}) {
        EXPECT_NE(card.find(part), std::string::npos) << part << " in " << card;
      }
      // The subthreshold slope that meets Vgs(th) follows `a` on the second line; the fitted
      // card never has one.
      ASSERT_TRUE(state.params.KSUBTHRES);
      EXPECT_TRUE(state.card.segment2.ends_with(" a=" + FourSignificantText(state.params.a) + " KSUBTHRES=" +
                                                FourSignificantText(*state.params.KSUBTHRES)));
      EXPECT_NE(RefinementSummary(*refinement).find(std::string(kRefinedThreshold)), std::string::npos);
      EXPECT_NE(state.text(control::SubCktTextBox).find(card), std::string::npos);
      EXPECT_TRUE(state.text(control::StatusBar1).starts_with(kRefinedOpening));
      UpdateModel(state, platform);
      EXPECT_FALSE(state.params.KSUBTHRES);
      EXPECT_EQ(state.text(control::Text19).find("KSUBTHRES"), std::string::npos);
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
  WindowState state =
      UpdatedWindow({{control::TextCossMin, ""}, {control::Qgs, ""}, {control::Qgd, ""}, {control::Qg, ""}});
  ASSERT_EQ(state.params.junctionCapText, "");
  const DatasheetPoints points = DatasheetPointsOf(ReadBenchSetup(state));
  EXPECT_EQ(points.dc.size(), 4u);  // Rds(on), the threshold and the two transfer points
  EXPECT_EQ(points.capacitance.size(), 6u);
  EXPECT_FALSE(points.gateCharge);
  ScriptedPlatform platform;
  const std::optional<Refinement> refinement = RefineModel(state, platform);
  ASSERT_TRUE(refinement) << ::testing::PrintToString(platform.MessageTexts());
  EXPECT_TRUE(state.params.junctionCapText.starts_with("m="));
  EXPECT_LT(*refinement->after.worstCapacitancePercent, 2.0);
}

/// The start values' datasheet points with gate charges (nC) at Vg, as typed.
DatasheetPoints StartPointsWithCharges(const WindowState& state, std::optional<double> qgs,
                                       std::optional<double> qgd, std::optional<double> qg, double vg = 10) {
  BenchSetup setup = ReadBenchSetup(state);
  setup.qgs = qgs;
  setup.qgd = qgd;
  setup.qg = qg;
  setup.chargeVgs = vg;
  return DatasheetPointsOf(setup);
}

TEST(Refinement, MeetsTheGateChargesWithTheCapacitancesAndSaysWhatTheyCost) {
  const WindowState state = UpdatedWindow();
  // The start values' Qgs is 11 nC, where CGS and Crss at 480 V give 13 nC up to the plateau:
  // meeting it costs Ciss.
  const RefinementOutcome outcome =
      RefineParameters(state.params, false, false, StartPointsWithCharges(state, 11, 33, 87));
  ASSERT_TRUE(outcome.refinement) << outcome.message;
  const Refinement& r = *outcome.refinement;
  EXPECT_GT(*r.before.worstGateChargePercent, 15);
  EXPECT_LT(*r.after.worstGateChargePercent, 10);
  EXPECT_LT(*r.after.worstCapacitancePercent, 10);
  EXPECT_TRUE(r.tradeOff.starts_with(kTradeOffOpening)) << r.tradeOff;
  // With its capacitances met, the card already puts Qgd 12 % above 33 nC, so the ngspice
  // subcircuit's elements, which only add charge, are not taken, and the sentence says why.
  EXPECT_FALSE(r.params.chargeElement);
  const std::size_t qgd = r.tradeOff.find(kTradeOffQgdOpening);
  ASSERT_NE(qgd, std::string::npos) << r.tradeOff;
  EXPECT_NEAR(std::stod(r.tradeOff.substr(qgd + kTradeOffQgdOpening.size())), 11.7, 0.5) << r.tradeOff;
  EXPECT_TRUE(RefinementSummary(r).ends_with(". " + r.tradeOff));
  EXPECT_NE(RefinementSummary(r).find(std::string(kRefinedGateCharge)), std::string::npos);
  // An error the model could not read is said so, not printed as "Inf %".
  Refinement unread = r;
  unread.after.worstGateChargePercent = INFINITY;
  EXPECT_NE(RefinementSummary(unread).find(std::string(kRefinedGateCharge) + std::string(kUnreadValue)),
            std::string::npos)
      << RefinementSummary(unread);

  // Charges that a card meeting the capacitances has are met with them at no cost; a charge left
  // empty stays out.
  const DatasheetPoints plain = StartPointsWithCharges(state, std::nullopt, std::nullopt, std::nullopt);
  const RefinementOutcome alone = RefineParameters(state.params, false, false, plain);
  ASSERT_TRUE(alone.refinement && !plain.gateCharge);
  const CardPrecision precision = alone.refinement->precision;
  const GateChargeDevice device =
      GateChargeDeviceOf(PrintedDcParameters(alone.refinement->params, false, precision),
                         PrintedCapacitanceParameters(alone.refinement->params, precision), state.params.RG);
  const BenchSetup setup = ReadBenchSetup(state);
  const GateChargeReading own = ReadGateCharges(
      ModelGateChargeCurve(device, {setup.chargeId, setup.chargeVds, setup.gateCurrent}, 10), 10);
  ASSERT_TRUE(own.charges);
  const RefinementOutcome consistent =
      RefineParameters(state.params, false, false,
                       StartPointsWithCharges(state, std::nullopt, own.charges->qgd, own.charges->qg));
  ASSERT_TRUE(consistent.refinement) << consistent.message;
  EXPECT_LT(*consistent.refinement->after.worstGateChargePercent, 0.5);
  EXPECT_LT(*consistent.refinement->after.worstCapacitancePercent, 0.5);
  EXPECT_EQ(consistent.refinement->tradeOff, "");
}

TEST(Refinement, GateChargesFirstMeetTheChargesAndTheTradeOffSaysWhatTheyCost) {
  const WindowState state = UpdatedWindow();
  DatasheetPoints points = StartPointsWithCharges(state, 11, 33, 87);
  const RefinementOutcome together = RefineParameters(state.params, false, false, points);
  ASSERT_TRUE(together.refinement) << together.message;
  // Where both cannot be met, the sentence points to the choice the user has.
  EXPECT_TRUE(together.refinement->tradeOff.ends_with(kTradeOffChargesFirstHint))
      << together.refinement->tradeOff;

  points.gateCharge->first = true;
  const RefinementOutcome first = RefineParameters(state.params, false, false, points);
  ASSERT_TRUE(first.refinement) << first.message;
  const CardErrors& after = first.refinement->after;
  EXPECT_LT(*after.worstGateChargePercent, *together.refinement->after.worstGateChargePercent / 2);
  // A percent of charge weighs thirty at a capacitance point, no more.
  EXPECT_LE(*after.worstGateChargePercent, *after.worstCapacitancePercent / 30 + 0.01);
  EXPECT_TRUE(first.refinement->tradeOff.starts_with(kTradeOffOpening)) << first.refinement->tradeOff;
  EXPECT_FALSE(first.refinement->tradeOff.ends_with(kTradeOffChargesFirstHint));
  EXPECT_EQ(first.refinement->tradeOff.find(kTradeOffQgdOpening), std::string::npos);

  // The check box is what the window's and the command line's refinement read.
  WindowState window = state;
  window.setCheck(control::ChargesFirst, 1);
  ScriptedPlatform platform;
  const std::optional<Refinement> fromWindow = RefineModel(window, platform);
  ASSERT_TRUE(fromWindow);
  EXPECT_EQ(fromWindow->after.worstGateChargePercent, after.worstGateChargePercent);
}

TEST(Refinement, RefusesGateChargesItCannotAimAt) {
  const WindowState state = UpdatedWindow();
  const std::string closing(kRefineChargeNotPositiveClosing);
  struct Row {
    std::optional<double> qgs, qgd, qg;
    double vg, id;
    std::string message;
  };
  for (const Row& row : std::vector<Row>{
           {-1, 33, 87, 10, 20.7, "The datasheet's Qgs" + closing},
           {11, 0, 87, 10, 20.7, "The datasheet's Qgd" + closing},
           {11, 33, 40, 10, 20.7, std::string(kRefineChargeSumText)},
           {11, 33, 87, 0, 20.7, std::string(kRefineGateChargeConditionsText)},
           {11, 33, 87, 10, 0, std::string(kRefineGateChargeConditionsText)},
           {11, 33, 87, 5, 20.7,
            GateChargeProblemText(GateChargeProblem::BelowPlateau, 5) +
                std::string(kRefineChargeRefusedClosing)},
           // 5 kA would drop more than the 480 V on RS and RD.
           {11, 33, 87, 10, 5000, std::string(kRefineChargeNoCurrentText)},
       }) {
    DatasheetPoints points = StartPointsWithCharges(state, row.qgs, row.qgd, row.qg, row.vg);
    points.gateCharge->test.id = row.id;
    const RefinementOutcome outcome = RefineParameters(state.params, false, false, points);
    EXPECT_FALSE(outcome.refinement);
    EXPECT_EQ(outcome.message, row.message);
  }
}

}  // namespace
}  // namespace vdmos

#include "verify/check_session.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "model/control_names.h"
#include "verify/check_plots.h"
#include "verify/verify_test_support.h"
#include "verify/verify_texts.h"

namespace vdmos {
namespace {

using testing::StartCardWindow;

VerificationRow Row(std::string quantity, std::string condition, double simulated) {
  return {std::move(quantity), std::move(condition), "A", 1.0, 1.0, simulated, simulated - 1, ""};
}

VerificationResult Checked(std::vector<VerificationRow> rows, std::vector<std::string> warnings = {}) {
  VerificationResult result;
  result.rows = std::move(rows);
  result.warnings = std::move(warnings);
  return result;
}

VerificationResult Failed(std::string message) {
  VerificationResult result;
  result.status = VerifyStatus::NgspiceFailed;
  result.message = std::move(message);
  return result;
}

/// A session that keeps the start card as the fitted one, refined into a card of KP=7.
struct Refined {
  WindowState fitted = StartCardWindow();
  WindowState refined = StartCardWindow();
  CheckSession session;
  Refined() {
    refined.params.KP = 7;
    refined.card.segment1 = ".MODEL 20N60C3 VDMOS(KP=7 RS=0.0016 RD=0.1364 RG=0.54 VTO=3.0 ";
    session.KeepFittedCard(fitted, refined.card, "traded");
    session.ShowState(refined);
  }
};

TEST(CheckSession, PairsTheFittedRowsByQuantityAndConditionNotByPlace) {
  Refined r;
  const CheckRequest request = r.session.Start(r.refined);
  ASSERT_TRUE(request.fitted);
  // The fitted card under the refined card's test conditions.
  EXPECT_EQ(request.fitted->card, r.fitted.card);
  EXPECT_EQ(request.fitted->params, r.fitted.params);
  EXPECT_EQ(request.current, r.refined);

  // The fitted check lists its points in another order, lacks one and has one more.
  r.session.Finish(
      {Checked({Row("Id", "Vgs = 5 V", 10), Row("Rds(on)", "Vgs = 10 V", 0.2), Row("Id", "Vgs = 7 V", 70)}),
       Checked({Row("Id", "Vgs = 7 V", 60), Row("Ciss", "Vds = 25 V", 2400), Row("Id", "Vgs = 5 V", 9),
                Row("Id", "Vgs = 6 V", 30)})});
  ASSERT_TRUE(r.session.Compared());
  // The refinement's trade-off goes with the comparison, and with it only.
  EXPECT_EQ(r.session.TradeOff(), "traded");
  const std::vector<CheckLine> lines = r.session.Lines();
  ASSERT_EQ(lines.size(), 3u);
  const std::pair<std::string, std::optional<double>> expected[] = {
      {"Vgs = 5 V", 9}, {"Vgs = 10 V", std::nullopt}, {"Vgs = 7 V", 60}};
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(lines[i].row.condition, expected[i].first);
    EXPECT_EQ(lines[i].fitted ? lines[i].fitted->simulated : std::nullopt, expected[i].second)
        << expected[i].first;
  }
  // Same condition, another quantity: not the same point.
  r.session.Finish({Checked({Row("Coss", "Vds = 25 V", 780)}), Checked({Row("Ciss", "Vds = 25 V", 2400)})});
  EXPECT_FALSE(r.session.Lines().front().fitted);
  r.session.ShowState(r.fitted);  // another card: the comparison, and its trade-off, are dropped
  EXPECT_EQ(r.session.TradeOff(), "");
}

TEST(CheckSession, CollectsWhatNgspiceIgnoredInEitherCardOnce) {
  Refined r;
  r.session.Start(r.refined);
  r.session.Finish({Checked({Row("Id", "a", 1)}, {"unrecognized parameter (foo) - ignored"}),
                    Checked({Row("Id", "a", 1)}, {"unrecognized parameter (bar) - ignored",
                                                  "unrecognized parameter (foo) - ignored"})});
  EXPECT_EQ(r.session.Warnings(), (std::vector<std::string>{"unrecognized parameter (foo) - ignored",
                                                            "unrecognized parameter (bar) - ignored"}));
}

TEST(CheckSession, AnotherCardDropsTheFittedCard) {
  Refined r;
  r.session.Start(r.refined);
  r.session.Finish({Checked({Row("Id", "a", 1)}), Checked({Row("Id", "a", 2)})});
  ASSERT_TRUE(r.session.Compared());
  // A field typed leaves the refined card in place.
  WindowState typed = r.refined;
  typed.setText(control::TextBoxVdsTest, "40");
  EXPECT_FALSE(r.session.ShowState(typed).comparisonDropped);
  EXPECT_TRUE(r.session.Compared());

  WindowState updated = r.refined;
  updated.card = r.fitted.card;
  const CheckStateChange change = r.session.ShowState(updated);
  EXPECT_TRUE(change.comparisonDropped);
  EXPECT_FALSE(r.session.Compared());
  EXPECT_FALSE(r.session.Lines().front().fitted);
  EXPECT_FALSE(r.session.Start(updated).fitted);
}

TEST(CheckSession, ARefinementReplacedWhileTheCheckRanIsNotCompared) {
  Refined r;
  r.session.Start(r.refined);
  // Another refinement from another fitted card, while the first check runs.
  WindowState other = r.refined;
  other.card.segment1 = ".MODEL 20N60C3 VDMOS(KP=8 RS=0.0016 RD=0.1364 RG=0.54 VTO=3.0 ";
  r.session.KeepFittedCard(other, r.refined.card);
  r.session.Finish({Checked({Row("Id", "a", 1)}), Checked({Row("Id", "a", 2)})});
  EXPECT_TRUE(r.session.Checked());
  EXPECT_FALSE(r.session.Compared());
}

TEST(CheckSession, AFailedCheckKeepsTheCheckShownBeforeAndSaysWhyOnce) {
  Refined r;
  r.session.Start(r.refined);
  r.session.Finish({Checked({Row("Id", "a", 1)}), Checked({Row("Id", "a", 2)})});
  EXPECT_EQ(r.session.ModelName(), "20N60C3");
  EXPECT_TRUE(r.session.Failures().empty());

  struct Case {
    CheckResults results;
    std::vector<std::string> failures;
  };
  const std::string fittedOpening(kFittedCheckFailedOpening);
  const Case cases[] = {
      {{Failed("ngspice was not found"), Failed("ngspice was not found")}, {"ngspice was not found"}},
      {{Failed("no solution"), Failed("timeout")}, {"no solution", fittedOpening + "timeout"}},
      {{Checked({Row("Id", "b", 5)}), Failed("timeout")}, {fittedOpening + "timeout"}},
  };
  for (const Case& c : cases) {
    r.session.Start(r.refined);
    r.session.Finish(c.results);
    EXPECT_EQ(r.session.Failures(), c.failures);
    EXPECT_TRUE(r.session.Checked());
  }
  // The failed checks of the window's card left the first table; the last check replaced it,
  // alone since its fitted card failed.
  EXPECT_EQ(r.session.Lines().front().row.condition, "b");
  EXPECT_FALSE(r.session.Compared());
}

TEST(CheckSession, ItsCurvesBelongToTheStateItChecked) {
  CheckSession session;
  WindowState state = StartCardWindow();
  EXPECT_TRUE(session.ShowState(state).plotsStale);
  EXPECT_FALSE(session.ShowState(state).plotsStale);
  session.Start(state);
  EXPECT_FALSE(session.Checked());
  session.Finish({Checked({Row("Id", "a", 1)}), std::nullopt});
  EXPECT_TRUE(session.OfShownState());
  state.setText(control::TextBoxVdsTest, "40");
  EXPECT_TRUE(session.ShowState(state).plotsStale);
  EXPECT_FALSE(session.OfShownState());
  // A digitized curve is drawn as the datasheet's points and checked in rows of its own.
  state.curves.push_back({CurveKind::Ciss, 0, {{0, 1500}, {10, 900}}});
  EXPECT_TRUE(session.ShowState(state).plotsStale);
}

TEST(CheckPlots, EveryPlotDrawsItsShareOfTheCurves) {
  const ModelPlots fitted = ComputeModelPlots(StartCardWindow());
  ASSERT_EQ(fitted.plots.size(), CheckPlotKinds().size());
  EXPECT_EQ(fitted.plots.front().title, "Transfer characteristic at Vds = 50 V");
  // The hot device's own plots are left out without a hot junction temperature.
  for (const ModelPlot& plot : fitted.plots) {
    if (!plot.shown) continue;
    EXPECT_FALSE(plot.curves.empty()) << plot.title;
    EXPECT_FALSE(plot.markers.empty()) << plot.title;
  }
  // Before a fit: the datasheet's points alone, without those that carry the model's values.
  const ModelPlots unfitted = ComputeModelPlots(WindowState{});
  for (std::size_t i = 0; i < unfitted.plots.size(); ++i) {
    EXPECT_TRUE(unfitted.plots[i].curves.empty()) << unfitted.plots[i].title;
    if (!unfitted.plots[i].shown) continue;
    EXPECT_EQ(unfitted.plots[i].markers.empty(), CheckPlotKinds()[i].markersFromModel)
        << unfitted.plots[i].title;
  }
  // A digitized output curve is the datasheet's own: drawn as such, fitted or not, and apart
  // from the check points, whose markers carry the model's currents.
  const std::vector<Point> outputCurve{{1, 10}, {2, 20}};
  for (WindowState state : {WindowState{}, StartCardWindow()}) {
    state.curves.push_back({CurveKind::Output, 10, {{1, 10}, {2, 20}}});
    const ModelPlots plots = ComputeModelPlots(state);
    const auto output =
        std::ranges::find(CheckPlotKinds(), std::string_view("ChartOutput"), &CheckPlotKind::name);
    const ModelPlot& plot = plots.plots[static_cast<std::size_t>(output - CheckPlotKinds().begin())];
    EXPECT_EQ(plot.datasheetPoints, outputCurve);
    EXPECT_EQ(plot.markers.size(), state.params == ModelParameterSet{} ? 0u : 2u);
  }
  Characteristics simulated;
  simulated.transfer = {"Id", {{0, 0}, {1, 1}}};
  const std::vector<std::vector<Curve>> plots = SimulatedPlots(simulated);
  ASSERT_EQ(plots.size(), CheckPlotKinds().size());
  EXPECT_EQ(plots.front().size(), 1u);
}

}  // namespace
}  // namespace vdmos

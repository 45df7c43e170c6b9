#include "verify/check_plots.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "commands/model_update.h"
#include "model/checked_math.h"
#include "model/control_names.h"
#include "model/fields.h"
#include "model/model_card.h"
#include "verify/verify_test_support.h"
#include "verify/verify_texts.h"

namespace vdmos {
namespace {

using testing::StartCardWindow;

constexpr std::size_t kMostCurves = 20, kMostPoints = 1000;

struct HostileCase {
  const char* name;
  void (*spoil)(WindowState& state);
  std::string undrawn;  ///< the plots and curves the note names; empty: no note
};

/// The card a model update writes for the state's parameters, which the model's curves read
/// back; none where a value is beyond what the card can write.
void WithCardOfItsParameters(WindowState& state) {
  try {
    state.card =
        BuildCardTexts(state.text(control::Text20), state.params, state.text(control::Text_LAMBDA), "");
  } catch (const ArithmeticFault&) {
    state.card = {};
  }
}

// Values a user can reach by typing or by a fit gone wrong. Whatever they are, the plots get
// only points they can draw, a bounded number of them, and a note names what is left out.
TEST(CheckPlots, GetOnlyDrawablePointsAndNameWhatTheyLeaveOut) {
  const HostileCase cases[] = {
      {"failed DC fit under microfarad capacitances",
       [](WindowState& s) {
         s.params.KP = 0;
         s.params.CGS = 1e6;
         s.params.CGDMAX = 1.6e6;
         for (const char* field : {control::Text7, control::Text8, control::Text21, control::Text10})
           s.setText(field, "1000000");
       },
       ""},
      {"huge on-resistance",
       [](WindowState& s) {
         s.setText(control::Text6, "1G");
         s.params.RS = s.params.RD = 1e9;
       },
       ""},
      {"every field empty",
       [](WindowState& s) {
         for (const FieldInfo& field : DatasheetFields()) s.setText(field.control, "");
       },
       ""},
      {"Ciss below 0 everywhere", [](WindowState& s) { s.params.CGS = -1e7; }, "Capacitances: Ciss"},
      {"capacitances beyond a double", [](WindowState& s) { s.params.CGDMAX = s.params.CGS = 1e308; },
       "Capacitances: Ciss, Coss, Crss; Gate charge at Id = 20.7 A, Vd = 480 V: Vgs"},
      {"a capacitance typed below 0", [](WindowState& s) { s.setText(control::Text11, "-7"); },
       "Capacitances: datasheet points"},
      {"drain voltages beyond any datasheet",
       [](WindowState& s) {
         s.setText(control::VdsRange, "1e20");
         s.setText(control::TextBoxVdsTest, "1e20");
       },
       "Output characteristics: Vgs = 1 V, Vgs = 2 V, Vgs = 3 V, Vgs = 4 V, Vgs = 5 V, Vgs = 5.5 V, "
       "Vgs = 6 V, Vgs = 7 V, Vgs = 8 V, Vgs = 9 V, Vgs = 10 V"},
  };
  for (const HostileCase& c : cases) {
    SCOPED_TRACE(c.name);
    WindowState state = StartCardWindow();
    c.spoil(state);
    WithCardOfItsParameters(state);
    const ModelPlots model = ComputeModelPlots(state);
    ASSERT_EQ(model.plots.size(), CheckPlotKinds().size());
    for (std::size_t i = 0; i < model.plots.size(); ++i) {
      const ModelPlot& plot = model.plots[i];
      const bool logY = CheckPlotKinds()[i].logY;
      EXPECT_LE(plot.curves.size(), kMostCurves) << plot.title;
      for (const Curve& curve : plot.curves) {
        EXPECT_LE(curve.points.size(), kMostPoints) << plot.title;
        for (const Point& p : curve.points)
          EXPECT_TRUE(Drawable(p, logY)) << plot.title << " " << curve.label;
      }
      for (const Point& p : plot.markers) EXPECT_TRUE(Drawable(p, logY)) << plot.title;
    }
    EXPECT_EQ(model.undrawn, c.undrawn.empty()
                                 ? ""
                                 : std::string(kUndrawnOpening) + c.undrawn + std::string(kUndrawnClosing));
  }
}

TEST(CheckPlots, SimulatedCurvesKeepOnlyDrawablePoints) {
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  Characteristics simulated;
  simulated.transfer = {"Id", {{0, 0}, {1, kNaN}, {2, 1e300}, {3, 4}}};
  simulated.ciss = {"Ciss", {{0, 0}, {1, -5}, {2, 100}}};
  const std::vector<std::vector<Curve>> plots = SimulatedPlots(simulated);
  EXPECT_EQ(plots[0].front().points, (std::vector<Point>{{0, 0}, {3, 4}}));
  EXPECT_EQ(plots[2].front().points, (std::vector<Point>{{2, 100}}));
}

TEST(CheckPlots, TheNoteReadsAsASentence) {
  WindowState state = StartCardWindow();
  state.params.CGS = -1e7;
  WithCardOfItsParameters(state);
  EXPECT_EQ(ComputeModelPlots(state).undrawn,
            "Not drawn, or not wholly, as their values are not numbers, are too large or lie below 0 on a "
            "logarithmic axis: Capacitances: Ciss. Check the datasheet fields, then update the model.");
}

// Emptied test conditions (after New) leave the titles without them rather than with bare units.
TEST(CheckPlots, TitlesNameOnlyTypedTestConditions) {
  WindowState state = StartCardWindow();
  for (const char* field : {control::TextBoxVdsTest, control::IdCharge, control::VdCharge})
    state.setText(field, "");
  std::vector<std::string> titles;
  for (const ModelPlot& plot : ComputeModelPlots(state).plots) titles.push_back(plot.title);
  EXPECT_EQ(titles.front(), "Transfer characteristic");
  EXPECT_EQ(titles[4], "Gate charge");
}

const ModelPlot& PlotOf(const ModelPlots& plots, std::string_view name) {
  for (std::size_t i = 0; i < CheckPlotKinds().size(); ++i)
    if (CheckPlotKinds()[i].name == name) return plots.plots[i];
  throw std::out_of_range(std::string(name));
}

std::vector<std::string> Labels(const ModelPlot& plot) {
  std::vector<std::string> labels;
  for (const Curve& curve : plot.curves) labels.push_back(curve.label);
  return labels;
}

// With a hot junction temperature the transfer plot gains the hot curve, and the plot of the
// normalised on-resistance shows the card's law from -55 to 175 C through its datasheet points;
// without one the plots are as they were.
TEST(CheckPlots, TheHotDeviceAddsItsTransferCurveAndTheOnResistanceAgainstTemperature) {
  WindowState state = testing::UpdatedStartWindow();
  const ModelPlots cold = ComputeModelPlots(state);
  EXPECT_EQ(Labels(PlotOf(cold, "ChartTransfer")), std::vector<std::string>{"Id"});
  EXPECT_FALSE(PlotOf(cold, "ChartRdsOnTemperature").shown);
  EXPECT_TRUE(PlotOf(cold, "ChartRdsOnTemperature").curves.empty());
  EXPECT_TRUE(PlotOf(cold, "ChartRdsOnTemperature").markers.empty());

  for (const auto& [control, text] :
       {std::pair{control::TjHot, "150"}, std::pair{control::RdsHotRatio, "2.5"},
        std::pair{control::Tj2, "100"}, std::pair{control::RdsRatio2, "1.8"}})
    state.setText(control, text);
  ScriptedPlatform platform;
  UpdateModel(state, platform);
  ASSERT_NE(state.params.temperatureText.find("TRD2="), std::string::npos) << state.params.temperatureText;
  const ModelPlots hot = ComputeModelPlots(state);
  const ModelPlot& transfer = PlotOf(hot, "ChartTransfer");
  ASSERT_EQ(Labels(transfer), (std::vector<std::string>{"Id", "Id at Tj = 150 C"}));
  // Hot, the threshold is no lower without TCVTH, but the gain falls: less current at full gate.
  EXPECT_LT(transfer.curves[1].points.back().y, transfer.curves[0].points.back().y);

  const ModelPlot& ratio = PlotOf(hot, "ChartRdsOnTemperature");
  EXPECT_TRUE(ratio.shown);
  EXPECT_EQ(ratio.title, "Rds(on) against junction temperature");
  ASSERT_EQ(Labels(ratio), std::vector<std::string>{"Rds(on) ratio"});
  const std::vector<Point>& law = ratio.curves[0].points;
  EXPECT_EQ(law.front().x, -55);
  EXPECT_EQ(law.back().x, 175);
  EXPECT_TRUE(
      std::is_sorted(law.begin(), law.end(), [](const Point& a, const Point& b) { return a.y < b.y; }));
  const auto at = [&](double tj) {
    return std::ranges::find_if(law, [&](const Point& p) { return std::fabs(p.x - tj) < 1e-9; })->y;
  };
  EXPECT_NEAR(at(25), 1, 1e-12);
  EXPECT_NEAR(at(150), 2.5, 0.01);
  EXPECT_NEAR(at(100), 1.8, 0.01);
  EXPECT_EQ(ratio.markers, (std::vector<Point>{{25, 1}, {150, 2.5}, {100, 1.8}}));
}

}  // namespace
}  // namespace vdmos

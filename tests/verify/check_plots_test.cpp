#include "verify/check_plots.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "model/control_names.h"
#include "model/fields.h"
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
  EXPECT_EQ(titles.back(), "Gate charge");
}

}  // namespace
}  // namespace vdmos

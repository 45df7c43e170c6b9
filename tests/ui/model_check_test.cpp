#include <QLabel>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QPointer>
#include <QScatterSeries>
#include <QTableWidget>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "check_helpers.h"
#include "commands/command_runner.h"
#include "extract/dc_equations.h"
#include "model/control_names.h"
#include "ui/check_plot.h"
#include "ui/check_runs.h"
#include "ui/model_check_page.h"
#include "ui/window_texts.h"
#include "ui_test_registry.h"
#include "verify/check_plots.h"
#include "verify/verify_texts.h"

namespace vdmos::ui::test {
namespace {

QList<QPointF> Markers(OpenWindow& w, const char* plot) {
  const QList<QXYSeries*> markers = Series(w, plot, "datasheet");
  return markers.isEmpty() ? QList<QPointF>() : markers.front()->points();
}

/// The curve's value at x, between its two neighbouring points.
double At(const QXYSeries* curve, double x) {
  const QList<QPointF> points = curve->points();
  for (qsizetype i = 1; i < points.size(); ++i) {
    if (points[i].x() < x) continue;
    const QPointF a = points[i - 1], b = points[i];
    return a.y() + (b.y() - a.y()) * (x - a.x()) / (b.x() - a.x());
  }
  return NAN;
}

bool Near(double value, double expected, double relative) {
  return std::fabs(value - expected) <= relative * std::fabs(expected);
}

QStringList CurveNames(OpenWindow& w, const char* plot) {
  QStringList names;
  for (QXYSeries* curve : Series(w, plot, "model")) names << curve->name();
  return names;
}

/// The drain current of the window's model.
double TransferAt(OpenWindow& w, double vgs, double vds) {
  const ModelParameterSet& p = w.window.state().params;
  return ModelDrainCurrent(p.RS, p.RD, p.KP, p.VTO, vgs, vds, p.LAMBDA);
}

constexpr int kSimulatedColumn = 4;

/// The most ticks any linear axis of the page's plots has held since the watch began, counted
/// at each change of its range or step: each tick costs the chart a label and a grid line.
class TickWatch {
 public:
  explicit TickWatch(OpenWindow& w) {
    for (const CheckPlotKind& kind : CheckPlotKinds())
      for (QAbstractAxis* axis : PlotNamed(w, kind.name)->chart()->axes()) {
        auto* linear = qobject_cast<QValueAxis*>(axis);
        if (!linear) continue;
        auto count = [this, linear] {
          if (linear->tickType() != QValueAxis::TicksDynamic) return;
          most_ = std::max(most_, (linear->max() - linear->min()) / linear->tickInterval());
        };
        QObject::connect(linear, &QValueAxis::rangeChanged, &context_, count);
        QObject::connect(linear, &QValueAxis::tickIntervalChanged, &context_, count);
        QObject::connect(linear, &QValueAxis::tickTypeChanged, &context_, count);
      }
  }
  double most() const { return most_; }

 private:
  QObject context_;
  double most_ = 0;
};

}  // namespace

class ModelCheckTest : public QObject {
  Q_OBJECT

  FakeNgspice ngspice_;

 private slots:
  // Each plot on the page, its axes, and the model's curves over the datasheet's points; they are
  // drawn again only when what they show changes.
  void thePlotsShowTheModelOverTheDatasheetPoints() {
    OpenWindow w;
    // Before anything is fitted, the datasheet's points alone.
    QVERIFY(Series(w, "ChartTransfer", "model").isEmpty());
    // The threshold at its test current is a marker too.
    QCOMPARE(Markers(w, "ChartTransfer"), (QList<QPointF>{{5.5, 20.7}, {7.5, 70}, {3, 250e-6}}));

    w.click(control::Command2);
    struct Plot {
      const char* name;
      QString x, y;
      bool logY;
      QStringList curves;  // empty: checked below
      QList<QPointF> markers;
    };
    // Ciss's, Coss's and Crss's points.
    const QList<QPointF> grid{{25, 2400}, {0, 13000}, {25, 780}, {600, 65}, {0, 3400}, {25, 50}, {600, 7}};
    for (const Plot& row :
         {Plot{"ChartTransfer", "Vgs (V)", "Id (A)", false, {"Id"}, {{5.5, 20.7}, {7.5, 70}, {3, 250e-6}}},
          Plot{"ChartOutput", "Vds (V)", "Id (A)", false, {}, {}},
          Plot{"ChartCapacitance", "Vds (V)", "C (pF)", true, {"Ciss", "Coss", "Crss"}, grid},
          Plot{"ChartBodyDiode", "Vsd (V)", "Isd (A)", true, {"Isd"}, {{0.7, 0.4}, {0.8, 3}, {1.2, 45}}},
          // Qgs and Qgs + Qgd at the plateau, Qg at its gate voltage.
          Plot{"ChartGateCharge", "Qg (nC)", "Vgs (V)", false, {"Vgs"}, {{11, 5.5}, {44, 5.5}, {87, 10}}}}) {
      auto* plot = PlotNamed(w, row.name);
      QVERIFY2(w.window.modelCheckPage()->isAncestorOf(plot), row.name);
      QCOMPARE(plot->chart()->axes(Qt::Horizontal).front()->titleText(), row.x);
      QAbstractAxis* y = plot->chart()->axes(Qt::Vertical).front();
      QCOMPARE(y->titleText(), row.y);
      QCOMPARE(qobject_cast<QLogValueAxis*>(y) != nullptr, row.logY);
      if (row.curves.isEmpty()) continue;
      QCOMPARE(CurveNames(w, row.name), row.curves);
      QCOMPARE(Markers(w, row.name), row.markers);
    }
    QVERIFY(Near(At(Series(w, "ChartTransfer", "model").front(), 5.5), TransferAt(w, 5.5, 50), 0.005));
    QCOMPARE(PlotNamed(w, "ChartTransfer")->chart()->title(),
             QString("Transfer characteristic at Vds = 50 V"));

    // The output family up to the on-resistance's gate voltage, with the two check points at
    // the currents the DC page shows for them.
    const QStringList gateVoltages = CurveNames(w, "ChartOutput");
    QVERIFY(gateVoltages.contains("Vgs = 5.5 V"));
    QCOMPARE(gateVoltages.last(), QString("Vgs = 10 V"));
    // They are the model's values: drawn as its points, not as the datasheet's.
    QVERIFY(Series(w, "ChartOutput", "datasheet").isEmpty());
    const QList<QXYSeries*> modelPoints = Series(w, "ChartOutput", "model point");
    QCOMPARE(modelPoints.size(), 1);
    const QList<QPointF> checks = modelPoints.front()->points();
    QCOMPARE(checks.size(), 2);
    QVERIFY(checks[0].x() == 10 && Near(checks[0].y(), 19.924, 1e-4));
    QVERIFY(checks[1].x() == 25 && Near(checks[1].y(), 20.213, 1e-4));

    QPointer<QXYSeries> drawn = Series(w, "ChartTransfer", "model").front();
    w.click(control::Command1);  // copies the card: nothing the plots show changes
    QVERIFY(drawn);
    w.type(control::TextBoxVdsTest, "25");
    w.click(control::Command2);
    QVERIFY(!drawn);
    QVERIFY(Near(At(Series(w, "ChartTransfer", "model").front(), 7.5), TransferAt(w, 7.5, 25), 0.005));
    QCOMPARE(PlotNamed(w, "ChartTransfer")->chart()->title(),
             QString("Transfer characteristic at Vds = 25 V"));
  }

  // Each simulation's table and curves belong to the state it started from.
  void aSimulationIsShownForTheStateItStartedFrom() {
    OpenWindow w;
    // The card box is empty: the model is updated first, as for the test circuits.
    w.click(control::SimulateNgspice);
    QVERIFY(w.window.state().text(control::Text19).starts_with(".MODEL 20N60C3 VDMOS("));
    // The click has returned while ngspice runs.
    QVERIFY(!w.get(control::SimulateNgspice)->isEnabled());
    QVERIFY(w.get(texts::SimulationBusy.name)->isVisible());

    QVERIFY(SimulationEnds(w));
    QVERIFY(w.platform.messages.empty());
    QVERIFY(w.get(control::SimulateNgspice)->isEnabled());
    QVERIFY(!w.get(texts::SimulationBusy.name)->isVisible());
    QCOMPARE(TableCaption(w), QString("Simulated: 20N60C3"));
    QCOMPARE(w.get<QTableWidget>("CheckTable")->rowCount(), int(21));
    const std::optional<double> rdsOn = TableValue(w, "Rds(on)", "Vgs = 10 V", kSimulatedColumn);
    QVERIFY(rdsOn && Near(*rdsOn, 0.16, 0.02));
    const std::optional<double> plateau = TableValue(w, "Id", "Vgs = 5.5 V, Vds = 50 V", kSimulatedColumn);
    QVERIFY(plateau && Near(*plateau, 20.7, 0.02));
    for (const char* plot :
         {"ChartTransfer", "ChartOutput", "ChartCapacitance", "ChartBodyDiode", "ChartGateCharge"})
      QVERIFY2(Series(w, plot, "ngspice").size() == Series(w, plot, "model").size(), plot);
    QVERIFY(Near(At(Series(w, "ChartTransfer", "ngspice").front(), 5.5),
                 At(Series(w, "ChartTransfer", "model").front(), 5.5), 0.02));

    // A field typed since the last command is part of the next simulation, and of the plots
    // its curves are drawn over.
    w.type(control::TextBoxVdsTest, "40");
    QVERIFY(SimulateAndWait(w));
    QCOMPARE(TableCaption(w), QString("Simulated: 20N60C3"));
    QVERIFY(TableValue(w, "Id", "Vgs = 5.5 V, Vds = 40 V", kSimulatedColumn));
    QCOMPARE(PlotNamed(w, "ChartTransfer")->chart()->title(),
             QString("Transfer characteristic at Vds = 40 V"));
    QCOMPARE(Series(w, "ChartTransfer", "ngspice").size(), 1);

    // The user goes on working while ngspice runs: another model.
    w.window.setVerifyOptions({ngspice_.gated()});
    w.click(control::SimulateNgspice);
    w.type(control::Text20, "NEXT");
    w.click(control::Command2);
    QVERIFY(w.window.state().text(control::Text19).starts_with(".MODEL NEXT "));
    ngspice_.openGate();
    QVERIFY(SimulationEnds(w));
    QVERIFY(TableCaption(w).startsWith("Simulated: 20N60C3 (an earlier state"));
    QVERIFY(TableValue(w, "Rds(on)", "Vgs = 10 V", kSimulatedColumn));
    // Its curves would pass for the new model's: they are not drawn.
    QVERIFY(Series(w, "ChartTransfer", "ngspice").isEmpty());
  }

  // The card box shows the update's error and the state keeps the previous card: checking that
  // card would pass an older model off as the one the fields describe.
  void aFailedModelUpdateIsNotSimulated() {
    OpenWindow w;
    w.click(control::Command2);
    w.type(control::vd1, "1e999");
    w.click(control::Command2);
    w.showPageOf(w.get("CheckMessage"));
    QVERIFY(w.get("CheckMessage")->isVisible());
    QCOMPARE(w.get<QLabel>("CheckMessage")->text(), QString(kFieldOverflowText.data()));

    w.click(control::SimulateNgspice);
    QVERIFY(!w.window.modelCheckPage()->simulating());
    QCOMPARE(w.platform.MessageTexts(), std::vector<std::string>{std::string(kParameterErrorText)});
  }

  // Extreme values a user can type: a drain current of 40 kA at 4 V and capacitances of a
  // microfarad, on which the DC fit fails. The plots change scale at once, with a handful of
  // ticks (the window froze for seconds when a new range met the old step), and every axis
  // and point they are given is a finite number of a drawable size.
  void extremeValuesKeepThePlotsFiniteAndQuick() {
    OpenWindow w;
    for (auto [field, text] : {std::pair<control::Name, const char*>{control::Text4, "40000"},
                               {control::Idplat, "1"},
                               {control::Text5, "4"},
                               {control::Text7, "1000000"},
                               {control::Text21, "1000000"},
                               {control::Text10, "1000000"},
                               {control::Text8, "1000000"}})
      w.type(field, text);
    const TickWatch ticks(w);
    w.click(control::Command2);
    QCOMPARE(w.window.state().text(control::StatusBar1), std::string("DC transfer Error!"));
    QVERIFY2(ticks.most() <= 12, QByteArray::number(ticks.most()));
    QVERIFY(!Markers(w, "ChartTransfer").isEmpty());
    for (const CheckPlotKind& kind : CheckPlotKinds()) {
      QChart* chart = PlotNamed(w, kind.name)->chart();
      for (QAbstractAxis* axis : chart->axes()) {
        const auto* linear = qobject_cast<QValueAxis*>(axis);
        const auto* log = qobject_cast<QLogValueAxis*>(axis);
        const double min = linear ? linear->min() : log->min(), max = linear ? linear->max() : log->max();
        QVERIFY2(std::isfinite(min) && std::isfinite(max) && min < max && (linear || min > 0),
                 kind.name.data());
      }
      for (QAbstractSeries* series : chart->series()) {
        const QList<QPointF> points = qobject_cast<QXYSeries*>(series)->points();
        QVERIFY2(points.size() <= 1000, kind.name.data());
        for (const QPointF& p : points)
          QVERIFY2(std::isfinite(p.x()) && std::isfinite(p.y()) && std::fabs(p.y()) <= kLargestDrawnValue,
                   kind.name.data());
      }
    }
    QVERIFY(!w.get("CheckMessage")->isVisible());

    // A capacitance typed below 0 cannot stand on the logarithmic axis: the page says so.
    w.type(control::Text11, "-7");
    w.click(control::Command2);
    w.showPageOf(w.get("CheckMessage"));
    QVERIFY(w.get("CheckMessage")->isVisible());
    QVERIFY(w.get<QLabel>("CheckMessage")->text().contains("Capacitances: datasheet points"));
  }

  // The hot device: the transfer plot gains the hot curve, and the normalised on-resistance's
  // plot is offered, ngspice's two points over the model's law after a check, whose caption
  // names the TCVTH convention. Without a hot temperature the plot leaves the list again.
  void theHotDeviceAddsItsNamedCurvesAndPlot() {
    OpenWindow w;
    w.click(control::Command2);
    const auto& kinds = CheckPlotKinds();
    const auto ratioPlot = static_cast<std::size_t>(
        std::ranges::find(kinds, std::string_view("ChartRdsOnTemperature"), &CheckPlotKind::name) -
        kinds.begin());
    ModelCheckPage& page = *w.window.modelCheckPage();
    QVERIFY(!page.plotShown(ratioPlot));
    QCOMPARE(CurveNames(w, "ChartTransfer"), QStringList{"Id"});

    for (auto [field, text] : {std::pair<control::Name, const char*>{control::TjHot, "150"},
                               {control::RdsHotRatio, "2.5"},
                               {control::VthHot, "2.2"}})
      w.type(field, text);
    w.click(control::Command2);
    QVERIFY(page.plotShown(ratioPlot));
    QCOMPARE(CurveNames(w, "ChartTransfer"), (QStringList{"Id", "Id at Tj = 150 C"}));
    QCOMPARE(CurveNames(w, "ChartRdsOnTemperature"), QStringList{"Rds(on) ratio"});
    QCOMPARE(Markers(w, "ChartRdsOnTemperature"), (QList<QPointF>{{25, 1}, {150, 2.5}}));
    QCOMPARE(PlotNamed(w, "ChartRdsOnTemperature")->chart()->title(),
             QString("Rds(on) against junction temperature"));
    // The temperature axis reaches down to the coldest junction the law is drawn for.
    const auto* temperatures = qobject_cast<QValueAxis*>(
        PlotNamed(w, "ChartRdsOnTemperature")->chart()->axes(Qt::Horizontal).front());
    QVERIFY(temperatures->min() <= -55);

    QVERIFY(SimulateAndWait(w));
    QVERIFY(w.platform.messages.empty());
    QVERIFY2(TableCaption(w).contains(" - TCVTH in ngspice 39 convention"), qPrintable(TableCaption(w)));
    QCOMPARE(Series(w, "ChartTransfer", "ngspice").size(), 2);
    const QList<QXYSeries*> simulated = Series(w, "ChartRdsOnTemperature", "ngspice");
    QCOMPARE(simulated.size(), 1);
    QCOMPARE(simulated.front()->points().size(), 2);
    QVERIFY(Near(simulated.front()->points().back().y(), 2.5, 0.02));

    w.type(control::TjHot, "");
    w.click(control::Command2);
    QVERIFY(!page.plotShown(ratioPlot));
    QCOMPARE(CurveNames(w, "ChartTransfer"), QStringList{"Id"});
  }

  void closingTheWindowWhileASimulationRunsIsSafe() {
    {
      OpenWindow w;
      w.window.setVerifyOptions({ngspice_.gated()});
      // A refined card: the fitted card is checked beside it, in a run of its own.
      w.click(control::RefineModel);
      w.click(control::SimulateNgspice);
      QVERIFY(w.window.modelCheckPage()->simulating());
    }
    ngspice_.openGate();
    // The orphaned runs end on their own copies of the state.
    QVERIFY(CheckRunPool().waitForDone(kSimulationWait));
    QCoreApplication::processEvents();
  }
};

VDMOS_UI_TEST(ModelCheckTest);

}  // namespace vdmos::ui::test

#include "model_check_test.moc"

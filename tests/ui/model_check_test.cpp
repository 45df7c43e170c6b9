#include <QDir>
#include <QLabel>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QMenu>
#include <QPointer>
#include <QScatterSeries>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>

#include "check_helpers.h"
#include "extract/dc_equations.h"
#include "model/command_runner.h"
#include "ui/check_plot.h"
#include "ui/check_runs.h"
#include "ui/model_check_page.h"
#include "ui_test_registry.h"
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

constexpr int kSimulatedColumn = 4;

}  // namespace

class ModelCheckTest : public QObject {
  Q_OBJECT

  FakeNgspice ngspice_;

 private slots:
  void thePageHoldsFourLabelledPlotsAfterTheLibrary() {
    OpenWindow w;
    QTabWidget* pages = w.window.pages();
    int libraryIndex = -1;
    for (int i = 0; i < pages->count(); ++i)
      if (pages->tabText(i) == "Lib manager") libraryIndex = i;
    QCOMPARE(pages->tabText(libraryIndex + 1), QString("Model check"));
    QWidget* page = pages->widget(libraryIndex + 1);

    struct Plot {
      const char* name;
      QString x, y;
      bool logY;
    };
    for (const Plot& row :
         {Plot{"ChartTransfer", "Vgs (V)", "Id (A)", false}, Plot{"ChartOutput", "Vds (V)", "Id (A)", false},
          Plot{"ChartCapacitance", "Vds (V)", "C (pF)", true},
          Plot{"ChartBodyDiode", "Vsd (V)", "Isd (A)", true}}) {
      auto* plot = w.get<CheckPlot>(row.name);
      QVERIFY2(page->isAncestorOf(plot), row.name);
      QCOMPARE(plot->chart()->axes(Qt::Horizontal).front()->titleText(), row.x);
      QAbstractAxis* y = plot->chart()->axes(Qt::Vertical).front();
      QCOMPARE(y->titleText(), row.y);
      QCOMPARE(qobject_cast<QLogValueAxis*>(y) != nullptr, row.logY);
    }
  }

  void updateModelDrawsTheModelOverTheDatasheetPoints() {
    OpenWindow w;
    // Before anything is fitted, the datasheet's points alone.
    QVERIFY(Series(w, "ChartTransfer", "model").isEmpty());
    QCOMPARE(Markers(w, "ChartTransfer"), (QList<QPointF>{{5.5, 20.7}, {7.5, 70}}));

    w.click("Command2");
    const ModelParameterSet& p = w.window.state().params;
    const QList<QXYSeries*> transfer = Series(w, "ChartTransfer", "model");
    QCOMPARE(transfer.size(), 1);
    const double atPlateau = ModelDrainCurrent(p.RS, p.RD, p.KP, p.VTO, 5.5, 50, p.LAMBDA);
    QVERIFY2(Near(At(transfer.front(), 5.5), atPlateau, 0.005), qPrintable(QString::number(atPlateau)));
    QCOMPARE(w.get<CheckPlot>("ChartTransfer")->chart()->title(),
             QString("Transfer characteristic at Vds = 50 V"));
    QCOMPARE(Markers(w, "ChartTransfer"), (QList<QPointF>{{5.5, 20.7}, {7.5, 70}}));

    // The output family up to the on-resistance's gate voltage, with the two check points at
    // the currents the DC page shows for them.
    QStringList gateVoltages;
    for (QXYSeries* curve : Series(w, "ChartOutput", "model")) gateVoltages << curve->name();
    QVERIFY(gateVoltages.contains("Vgs = 5.5 V"));
    QCOMPARE(gateVoltages.last(), QString("Vgs = 10 V"));
    const QList<QPointF> checks = Markers(w, "ChartOutput");
    QCOMPARE(checks.size(), 2);
    QVERIFY(checks[0].x() == 10 && Near(checks[0].y(), 19.924, 1e-4));
    QVERIFY(checks[1].x() == 25 && Near(checks[1].y(), 20.213, 1e-4));

    QStringList capacitances;
    for (QXYSeries* curve : Series(w, "ChartCapacitance", "model")) capacitances << curve->name();
    QCOMPARE(capacitances, (QStringList{"Ciss", "Coss", "Crss"}));
    QList<QPointF> grid = Markers(w, "ChartCapacitance");
    std::sort(grid.begin(), grid.end(),
              [](QPointF a, QPointF b) { return std::pair(a.x(), a.y()) < std::pair(b.x(), b.y()); });
    QCOMPARE(grid,
             (QList<QPointF>{{0, 3400}, {0, 13000}, {25, 50}, {25, 780}, {25, 2400}, {600, 7}, {600, 65}}));

    QCOMPARE(Series(w, "ChartBodyDiode", "model").size(), 1);
    QCOMPARE(Markers(w, "ChartBodyDiode"), (QList<QPointF>{{0.7, 0.4}, {0.8, 3}, {1.2, 45}}));
  }

  void thePlotsAreRedrawnOnlyWhenWhatTheyShowChanges() {
    OpenWindow w;
    w.click("Command2");
    QPointer<QXYSeries> drawn = Series(w, "ChartTransfer", "model").front();
    w.click("Command1");  // copies the card: nothing the plots show changes
    QVERIFY(drawn);

    w.type("TextBoxVdsTest", "25");
    w.click("Command2");
    QVERIFY(!drawn);
    const ModelParameterSet& p = w.window.state().params;
    QVERIFY(Near(At(Series(w, "ChartTransfer", "model").front(), 7.5),
                 ModelDrainCurrent(p.RS, p.RD, p.KP, p.VTO, 7.5, 25, p.LAMBDA), 0.005));
    QCOMPARE(w.get<CheckPlot>("ChartTransfer")->chart()->title(),
             QString("Transfer characteristic at Vds = 25 V"));
  }

  void simulationFillsTheTableAndDrawsOverTheModel() {
    OpenWindow w;
    QSignalSpy finished(w.window.modelCheckPage(), &ModelCheckPage::simulationFinished);
    // The card box is empty: the model is updated first, as for the test circuits.
    w.click("SimulateNgspice");
    QVERIFY(w.window.state().text("Text19").starts_with(".MODEL 20N60C3 VDMOS("));
    // The click has returned while ngspice runs.
    QVERIFY(!w.get("SimulateNgspice")->isEnabled());
    QVERIFY(w.get("SimulationBusy")->isVisible());

    QVERIFY(finished.wait(kSimulationWait));
    QVERIFY(w.platform.messages.empty());
    QVERIFY(w.get("SimulateNgspice")->isEnabled());
    QVERIFY(!w.get("SimulationBusy")->isVisible());
    QCOMPARE(w.get<QLabel>("CheckTableCaption")->text(), QString("Simulated: 20N60C3"));
    QCOMPARE(w.get<QTableWidget>("CheckTable")->rowCount(), int(17));
    const std::optional<double> rdsOn = TableValue(w, "Rds(on)", "Vgs = 10 V", kSimulatedColumn);
    QVERIFY(rdsOn && Near(*rdsOn, 0.16, 0.02));
    const std::optional<double> plateau = TableValue(w, "Id", "Vgs = 5.5 V, Vds = 50 V", kSimulatedColumn);
    QVERIFY(plateau && Near(*plateau, 20.7, 0.02));
    for (const char* plot : {"ChartTransfer", "ChartOutput", "ChartCapacitance", "ChartBodyDiode"})
      QVERIFY2(Series(w, plot, "ngspice").size() == Series(w, plot, "model").size(), plot);
    QVERIFY(Near(At(Series(w, "ChartTransfer", "ngspice").front(), 5.5),
                 At(Series(w, "ChartTransfer", "model").front(), 5.5), 0.02));
  }

  void aFieldTypedJustBeforeIsPartOfTheSimulation() {
    OpenWindow w;
    w.click("Command2");
    QSignalSpy finished(w.window.modelCheckPage(), &ModelCheckPage::simulationFinished);
    w.type("TextBoxVdsTest", "40");
    w.click("SimulateNgspice");
    QVERIFY(finished.wait(kSimulationWait));
    QCOMPARE(w.get<QLabel>("CheckTableCaption")->text(), QString("Simulated: 20N60C3"));
    QVERIFY(TableValue(w, "Id", "Vgs = 5.5 V, Vds = 40 V", kSimulatedColumn));
    QCOMPARE(w.get<CheckPlot>("ChartTransfer")->chart()->title(),
             QString("Transfer characteristic at Vds = 40 V"));
    QCOMPARE(Series(w, "ChartTransfer", "ngspice").size(), 1);
  }

  void theResultBelongsToTheStateItStartedFrom() {
    OpenWindow w;
    w.window.setVerifyOptions({ngspice_.gated()});
    QSignalSpy finished(w.window.modelCheckPage(), &ModelCheckPage::simulationFinished);
    w.click("SimulateNgspice");
    // The user goes on working while ngspice runs: another model.
    w.type("Text20", "NEXT");
    w.click("Command2");
    QVERIFY(w.window.state().text("Text19").starts_with(".MODEL NEXT "));

    ngspice_.openGate();
    QVERIFY(finished.wait(kSimulationWait));
    QVERIFY(w.get<QLabel>("CheckTableCaption")->text().startsWith("Simulated: 20N60C3 (an earlier state"));
    QVERIFY(TableValue(w, "Rds(on)", "Vgs = 10 V", kSimulatedColumn));
    // Its curves would pass for the new model's: they are not drawn.
    QVERIFY(Series(w, "ChartTransfer", "ngspice").isEmpty());
  }

  void aFailureIsReportedAndTheWindowGoesOn_data() {
    QTest::addColumn<QString>("program");
    QTest::addColumn<int>("timeoutMs");
    QTest::addColumn<QString>("opening");
    QTest::newRow("missing program") << "/nonexistent/ngspice" << 10000
                                     << QString(kNgspiceMissingOpening.data());
    QTest::newRow("hanging program") << QString::fromStdString(ngspice_.script("hanging", "exec sleep 30\n"))
                                     << 300 << QString(kTimeoutOpening.data());
    QTest::newRow("failing program") << QString::fromStdString(ngspice_.script(
                                            "failing", "echo 'Error: no license' >&2\nexit 3\n"))
                                     << 10000 << QString(kExitErrorOpening.data());
  }

  void aFailureIsReportedAndTheWindowGoesOn() {
    QFETCH(QString, program);
    QFETCH(int, timeoutMs);
    QFETCH(QString, opening);
    OpenWindow w;
    QSignalSpy finished(w.window.modelCheckPage(), &ModelCheckPage::simulationFinished);
    w.window.setVerifyOptions({program.toStdString(), std::chrono::milliseconds(timeoutMs)});
    w.click("SimulateNgspice");
    QVERIFY(finished.wait(kSimulationWait));
    QCOMPARE(w.platform.messages.size(), std::size_t(1));
    QVERIFY2(QString::fromStdString(w.platform.messages[0].text).startsWith(opening),
             w.platform.messages[0].text.c_str());
    QVERIFY(w.get("SimulateNgspice")->isEnabled());
    QVERIFY(!w.get("SimulationBusy")->isVisible());
    QCOMPARE(w.get<QTableWidget>("CheckTable")->rowCount(), 0);
    QCOMPARE(w.get<QLabel>("CheckTableCaption")->text(), QString("Not simulated yet."));

    // With the simulator put right, the next simulation succeeds.
    w.window.setVerifyOptions({});
    w.click("SimulateNgspice");
    QVERIFY(finished.wait(kSimulationWait));
    QCOMPARE(w.platform.messages.size(), std::size_t(1));
    QVERIFY(TableValue(w, "Rds(on)", "Vgs = 10 V", kSimulatedColumn));
  }

  // The card box shows the update's error and the state keeps the previous card: checking that
  // card would pass an older model off as the one the fields describe.
  void aFailedModelUpdateIsNotSimulated() {
    OpenWindow w;
    w.click("Command2");
    w.type("vd1", "1e999");
    w.click("Command2");
    QCOMPARE(w.window.state().text("Text19"), std::string(kParameterErrorText));
    w.showPageOf(w.get("CheckMessage"));
    QVERIFY(w.get("CheckMessage")->isVisible());
    QCOMPARE(w.get<QLabel>("CheckMessage")->text(), QString(kFieldOverflowText.data()));

    w.click("SimulateNgspice");
    QVERIFY(!w.window.modelCheckPage()->simulating());
    QCOMPARE(w.platform.MessageTexts(), std::vector<std::string>{std::string(kParameterErrorText)});
  }

  void closingTheWindowWhileASimulationRunsIsSafe() {
    {
      OpenWindow w;
      w.window.setVerifyOptions({ngspice_.gated()});
      // A refined card: the fitted card is checked beside it, in a run of its own.
      w.click("RefineModel");
      w.click("SimulateNgspice");
      QVERIFY(w.window.modelCheckPage()->simulating());
    }
    ngspice_.openGate();
    // The orphaned runs end on their own copies of the state.
    QVERIFY(CheckRunPool().waitForDone(kSimulationWait));
    QCoreApplication::processEvents();
  }

  void saveNgspiceTestCircuitsWritesTheFourNetlists() {
    OpenWindow w;
    QTemporaryDir folder;
    w.platform.folders.push_back(folder.path().toStdString());
    const QList<QAction*> entries = w.get<QMenu>("file")->actions();
    const qsizetype testCircuits = entries.indexOf(w.get<QAction>("testcircuits"));
    QCOMPARE(entries.value(testCircuits + 1), w.get<QAction>("ngspicecircuits"));
    QCOMPARE(w.get<QAction>("ngspicecircuits")->text(), QString("Save ngspice Test Circuits"));

    w.get<QAction>("ngspicecircuits")->trigger();
    QCOMPARE(w.platform.folderTitles, std::vector<std::string>{"Select the folder to save to"});
    const QStringList netlists = QDir(folder.path()).entryList({"*.cir"}, QDir::Files);
    QCOMPARE(netlists.size(), 4);
    for (const QString& name : netlists) QVERIFY2(name.startsWith("20N60C3"), qPrintable(name));
    // The model was updated on the way, and the plots followed it.
    QCOMPARE(Series(w, "ChartTransfer", "model").size(), 1);
  }
};

VDMOS_UI_TEST(ModelCheckTest);

}  // namespace vdmos::ui::test

#include "model_check_test.moc"

#include <QAction>
#include <QPointer>
#include <cmath>

#include "check_helpers.h"
#include "model/control_names.h"
#include "refine/refine_texts.h"
#include "refine/switch_advice.h"
#include "ui/text_bridge.h"
#include "ui/window_texts.h"
#include "ui_test_registry.h"
#include "verify/verify_texts.h"

namespace vdmos::ui::test {
namespace {

enum AdviceColumn { kForceRdsOnColumn, kFixVtoColumn, kDcColumn, kCapacitanceColumn, kMarkColumn };

QTableWidgetItem* AdviceCell(OpenWindow& w, int row, int column) {
  return w.get<QTableWidget>(texts::SwitchAdvice.name)->item(row, column);
}

QString OnOff(int value) { return value ? "on" : "off"; }

}  // namespace

class RefinePageTest : public QObject {
  Q_OBJECT

  FakeNgspice ngspice_;

 private slots:
  // What is expected comes from the part's own advice; the part is one whose best setting is
  // not the window's start setting.
  void theAdviceMarksTheBestAndTheCurrentSettingAndApplyTakesTheBest() {
    OpenWindow w;
    w.platform.openFiles.push_back(VDMOS_DEVICES_DIR "/IRF540N.txt");
    w.get<QAction>(control::open)->trigger();
    w.click(control::Command2);
    const SwitchAdvice advice = AdviseSwitches(w.window.state());
    QVERIFY(advice.best && advice.current && *advice.best != *advice.current);
    for (std::size_t i = 0; i < advice.rows.size(); ++i) {
      const SwitchAdviceRow& expected = advice.rows[i];
      const int row = static_cast<int>(i);
      QCOMPARE(AdviceCell(w, row, kForceRdsOnColumn)->text(), OnOff(expected.setting.ForceRdsOn));
      QCOMPARE(AdviceCell(w, row, kFixVtoColumn)->text(), OnOff(expected.setting.FixVTO));
      QCOMPARE(AdviceCell(w, row, kDcColumn)->data(Qt::UserRole).toDouble(), *expected.errors.worstDcPercent);
      QCOMPARE(AdviceCell(w, row, kCapacitanceColumn)->data(Qt::UserRole).toDouble(),
               *expected.errors.worstCapacitancePercent);
      QCOMPARE(AdviceCell(w, row, kMarkColumn)->text(), QString(i == advice.best      ? "best"
                                                                : i == advice.current ? "current"
                                                                                      : ""));
      QCOMPARE(AdviceCell(w, row, kDcColumn)->font().bold(), i == advice.best);
    }

    // The switches the button sets show in the marks, and the model they give in the plots.
    const int bestRow = static_cast<int>(*advice.best);
    QPointer<QXYSeries> drawn = Series(w, "ChartTransfer", "model").front();
    w.click(control::ApplyBestSwitches);
    QCOMPARE(AdviceCell(w, bestRow, kMarkColumn)->text(), QString("best, current"));
    QVERIFY(!drawn);

    // A switch clicked by hand moves the mark of the window's own setting at once.
    w.click(control::FixVTO);
    QCOMPARE(AdviceCell(w, bestRow, kMarkColumn)->text(), QString("best"));
  }

  void aCardThatCannotBeImprovedIsRefusedByBothButtons_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("failureShown");
    QTest::addColumn<QString>("refinement");
    QTest::newRow("no model can be calculated")
        << control::vd1 << "1e999" << true << ToQString(kRefineErrorCardText);
    // The DC fit does not run: a card with KP=0 conducts nothing and meets no point at all.
    QTest::newRow("no DC fit") << control::Idplat << "" << false << ToQString(kRefineNeedsDcPointsText);
  }

  void aCardThatCannotBeImprovedIsRefusedByBothButtons() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(bool, failureShown);
    QFETCH(QString, refinement);
    OpenWindow w;
    w.type(field.toStdString(), text);
    w.click(control::Command2);
    const std::string card = w.window.state().text(control::Text19);
    if (failureShown) QCOMPARE(AdviceCell(w, 0, kDcColumn)->text(), ToQString(kAdviceFailedText));
    w.platform.messages.clear();
    w.click(control::ApplyBestSwitches);
    w.click(control::RefineModel);
    QCOMPARE(w.platform.MessageTexts(),
             (std::vector{std::string(kNoBestSwitchesText), refinement.toStdString()}));
    QCOMPARE(w.window.state().text(control::Text19), card);
  }

  void refineReplacesTheCardAndUpdateModelGivesTheFittedOneBack() {
    OpenWindow w;
    w.click(control::Command2);
    const std::string fitted = w.window.state().text(control::Text19);
    QPointer<QXYSeries> drawn = Series(w, "ChartTransfer", "model").front();
    w.click(control::RefineModel);
    QVERIFY(w.platform.messages.empty());
    QVERIFY(w.window.state().text(control::Text19) != fitted);
    QVERIFY(!drawn);

    w.click(control::Command2);
    QCOMPARE(w.window.state().text(control::Text19), fitted);
  }

  void bothCardsAreSimulatedSideBySideUntilAnUpdate() {
    OpenWindow w;
    auto comparisonDropped = [&w] {
      return CheckColumn(w, "Fitted: ngspice") == -1 &&
             TableValue(w, "Rds(on)", "Vgs = 10 V", CheckColumn(w, "ngspice")) &&
             TableCaption(w).startsWith("Simulated: 20N60C3 (an earlier state");
    };
    // The card box is empty: the update's card is the fitted one.
    w.click(control::RefineModel);
    QVERIFY(SimulateAndWait(w));
    QVERIFY(w.platform.messages.empty());
    // The start values' gate charges cost the capacitance points: the summary below the caption
    // says how much, in full.
    QCOMPARE(TableCaption(w), QString("Simulated: 20N60C3, the fitted card beside the refined one"));
    QVERIFY(w.get<QLabel>("CheckTableCaption")
                ->text()
                .endsWith(ToQString(w.window.session().Check().RefinementSummary())));
    QVERIFY(w.get<QLabel>("CheckTableCaption")
                ->text()
                .contains("The gate charges and the capacitance points cannot all be met: the capacitance "
                          "points alone are met "
                          "within "));
    QVERIFY(TableValue(w, "Rds(on)", "Vgs = 10 V", CheckColumn(w, "Fitted: ngspice")));
    QVERIFY(TableValue(w, "Rds(on)", "Vgs = 10 V", CheckColumn(w, "Refined: ngspice")));
    // The fitted card misses the maximum-current point by some 7 %; the refined one meets it.
    const auto fitted = TableValue(w, "Id", "Vgs = 7.5 V, Vds = 50 V", CheckColumn(w, "Fitted: error %"));
    const auto refined = TableValue(w, "Id", "Vgs = 7.5 V, Vds = 50 V", CheckColumn(w, "Refined: error %"));
    QVERIFY(fitted && refined && std::fabs(*fitted) > 5 && std::fabs(*refined) < 1);
    w.click(control::Command2);
    QVERIFY(comparisonDropped());

    // An update while both cards run drops the comparison just the same.
    w.window.setVerifyOptions({ngspice_.gated()});
    w.click(control::RefineModel);
    w.click(control::SimulateNgspice);
    w.click(control::Command2);
    ngspice_.openGate();
    QVERIFY(SimulationEnds(w));
    QVERIFY(comparisonDropped());
  }

  void aFailedRunIsReportedAndTheOtherKept_data() {
    QTest::addColumn<bool>("onlyTheFittedCardFails");
    QTest::newRow("both runs fail") << false;
    QTest::newRow("the fitted card's run fails") << true;
  }

  void aFailedRunIsReportedAndTheOtherKept() {
    QFETCH(bool, onlyTheFittedCardFails);
    OpenWindow w;
    w.click(control::Command2);
    const QStringList fittedWords = ToQString(w.window.state().card.singleLine).split(' ');
    w.click(control::RefineModel);
    const QStringList refinedWords = ToQString(w.window.state().card.singleLine).split(' ');
    // A parameter the fitted card has and the refined one has not tells the two runs apart.
    QByteArray fittedOnly;
    for (const QString& word : fittedWords)
      if (fittedOnly.isEmpty() && !refinedWords.contains(word)) fittedOnly = word.toUtf8();
    const QByteArray fails = "echo 'Error: no license' >&2; exit 3";
    const QByteArray failsOnFitted = "netlist=$(cat)\ncase \"$netlist\" in *'" + fittedOnly + "'*) " + fails +
                                     ";; esac\nprintf '%s\\n' \"$netlist\" | ngspice \"$@\"\n";
    w.window.setVerifyOptions({onlyTheFittedCardFails ? ngspice_.script("fails-on-fitted", failsOnFitted)
                                                      : ngspice_.script("failing", fails + "\n")});
    QVERIFY(SimulateAndWait(w));

    const QString opening = (onlyTheFittedCardFails ? "The fitted card could not be checked: " : "") +
                            ToQString(kExitErrorOpening);
    QCOMPARE(w.platform.messages.size(), std::size_t(1));
    QVERIFY2(ToQString(w.platform.messages[0].text).startsWith(opening), w.platform.messages[0].text.c_str());
    if (onlyTheFittedCardFails) {
      QCOMPARE(TableCaption(w), QString("Simulated: 20N60C3"));
      QVERIFY(TableValue(w, "Rds(on)", "Vgs = 10 V", CheckColumn(w, "ngspice")));
    } else {
      QCOMPARE(TableCaption(w), QString("Not simulated yet."));
      QCOMPARE(w.get<QTableWidget>("CheckTable")->rowCount(), 0);
    }

    // The window goes on: with the simulator put right, the next simulation succeeds.
    QVERIFY(w.get(control::SimulateNgspice)->isEnabled() && !w.get(texts::SimulationBusy.name)->isVisible());
    w.window.setVerifyOptions({});
    QVERIFY(SimulateAndWait(w));
    QCOMPARE(w.platform.messages.size(), std::size_t(1));
    QVERIFY(TableValue(w, "Rds(on)", "Vgs = 10 V", CheckColumn(w, "Refined: ngspice")));
  }
};

VDMOS_UI_TEST(RefinePageTest);

}  // namespace vdmos::ui::test

#include "refine_page_test.moc"

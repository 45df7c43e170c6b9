// The model check page as a workbench on a laptop's screen: the comparison of a refined card
// with its fitted card readable at once, and the refinement's whole account on the page.

#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QStatusBar>
#include <QTableWidget>

#include "check_helpers.h"
#include "model/control_names.h"
#include "ui/text_bridge.h"
#include "ui_test_registry.h"

namespace vdmos::ui::test {

class ResultsPanelTest : public QObject {
  Q_OBJECT

 private slots:
  // At the size the window opens with on 1366x768, the refined card's table beside the
  // fitted card's shows ten rows and every column without scrolling sideways.
  void theComparisonShowsTenRowsAndEveryColumn() {
    OpenWindow w;
    w.click(control::RefineModel);
    QVERIFY(SimulateAndWait(w));
    QVERIFY(w.platform.messages.empty());
    auto* table = w.get<QTableWidget>("CheckTable");
    w.showPageOf(table);
    QVERIFY(CheckColumn(w, "Refined: error %") >= 0);
    QVERIFY(table->rowCount() >= 10);

    QVERIFY(!table->horizontalScrollBar()->isVisible());
    const int lastColumn = table->columnCount() - 1;
    const QHeaderView* heads = table->horizontalHeader();
    QVERIFY(heads->sectionViewportPosition(lastColumn) + heads->sectionSize(lastColumn) <=
            table->viewport()->width());
    const int rowsShown = table->viewport()->height() / table->verticalHeader()->defaultSectionSize();
    QVERIFY2(rowsShown >= 10, QByteArray::number(rowsShown));
  }

  // The summary stands whole on the page, with the same "was" figures as the status bar right
  // after the refinement; the status bar forgets it at the next simulation, the page does not.
  void theRefinementsSummaryStandsWholeOnThePage() {
    OpenWindow w;
    w.click(control::Command2);
    w.click(control::RefineModel);
    auto* status = w.window.findChild<QLabel*>("StatusBar1Text");
    const QString summary = ToQString(w.window.session().Check().RefinementSummary());
    QVERIFY(summary.startsWith("Refined: worst DC error "));
    QCOMPARE(status->text(), summary);
    auto* shown = w.get<QLabel>("CheckTableCaption");
    w.showPageOf(shown);
    QVERIFY(shown->text().endsWith(summary));
    QVERIFY(shown->heightForWidth(shown->width()) <= shown->height());

    QVERIFY(SimulateAndWait(w));
    QCOMPARE(status->text(), QString());
    QVERIFY(shown->text().endsWith(summary));
    w.click(control::Command2);  // the fitted card again: the refinement no longer applies
    QVERIFY(!shown->text().contains("Refined:"));
  }
};

VDMOS_UI_TEST(ResultsPanelTest);

}  // namespace vdmos::ui::test

#include "results_panel_test.moc"

// The model check's results leave the window: the table through its context menu, the plots as
// PNG and SVG, each export saying in the status bar what it wrote; and New leaves nothing of the
// previous model's results on any page.

#include "ui/result_exports.h"

#include <QAction>
#include <QChart>
#include <QImage>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include "check_helpers.h"
#include "model/control_names.h"
#include "ui/window_texts.h"
#include "ui_test_registry.h"
#include "window_driver.h"

namespace vdmos::ui::test {
namespace {

QString StatusText(OpenWindow& w) { return w.window.findChild<QLabel*>("StatusBar1Text")->text(); }

QAction* PlotAction(CheckPlot* plot, const WindowText& text) {
  for (QAction* action : plot->actions())
    if (action->objectName() == ToQString(text.name)) return action;
  qFatal("no such plot action");
}

}  // namespace

class ResultExportsTest : public QObject {
  Q_OBJECT

 private slots:
  void theTablesContextMenuCopiesWhatTheTableShows() {
    OpenWindow w;
    QVERIFY(SimulateAndWait(w));
    auto* table = w.get<QTableWidget>("CheckTable");
    QCOMPARE(table->contextMenuPolicy(), Qt::ActionsContextMenu);
    QCOMPARE(table->actions().size(), 2);
    table->actions()[0]->trigger();  // the File menu's Copy Check Table
    QVERIFY(w.platform.clipboard);
    const QStringList lines = QString::fromStdString(*w.platform.clipboard).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), table->rowCount() + 1);
    QCOMPARE(lines[1].split('\t')[0], table->item(0, 0)->text());
    QCOMPARE(StatusText(w), QString("Check table copied to the clipboard"));
  }

  void everyPlotIsSavedAsPngAndSvgAfterAsking() {
    OpenWindow w;
    w.window.pages()->setCurrentIndex(w.window.pages()->count() - 1);
    QCoreApplication::processEvents();
    const std::vector<CheckPlot*>& plots = w.window.modelCheckPage()->plots();
    QTemporaryDir folder;
    w.platform.folders.push_back(folder.path().toStdString());
    w.get<QAction>(texts::savePlots.name)->trigger();
    const QStringList files = QDir(folder.path()).entryList(QDir::Files);
    // The hot device's plot is not offered without a hot junction temperature, nor saved.
    int shown = 0;
    for (std::size_t i = 0; i < plots.size(); ++i) shown += w.window.modelCheckPage()->plotShown(i);
    QCOMPARE(shown, static_cast<int>(plots.size()) - 1);
    QCOMPARE(files.size(), 2 * shown);
    QVERIFY(files.contains("20N60C3_GateCharge.svg"));
    for (const QString& name : files) {
      const QString path = folder.filePath(name);
      QVERIFY2(QFileInfo(path).size() > 0, qPrintable(name));
      if (name.endsWith(".png")) {
        QVERIFY2(!QImage(path).isNull(), qPrintable(name));
      } else {
        QFile svg(path);
        QVERIFY(svg.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&svg);
        QVERIFY(xml.readNextStartElement());
        QCOMPARE(xml.name().toString(), QString("svg"));
        while (!xml.atEnd()) xml.readNext();
        QVERIFY2(!xml.hasError(), qPrintable(name + ": " + xml.errorString()));
      }
    }
    QCOMPARE(StatusText(w), QString("%1 files written to %2").arg(files.size()).arg(folder.path()));
    QVERIFY(w.platform.yesNoQuestions.empty());

    // Again into the same folder: No leaves the files as they are.
    QFile::resize(folder.filePath("20N60C3_Transfer.png"), 0);
    w.platform.folders.push_back(folder.path().toStdString());
    w.platform.yesNoAnswers.push_back(Answer::No);
    w.get<QAction>(texts::savePlots.name)->trigger();
    QCOMPARE(w.platform.yesNoQuestions.size(), std::size_t(1));
    QCOMPARE(QFileInfo(folder.filePath("20N60C3_Transfer.png")).size(), qint64(0));
  }

  void onePlotThroughItsMenuGetsTheChosenFormsExtension() {
    OpenWindow w;
    w.window.pages()->setCurrentIndex(w.window.pages()->count() - 1);
    QCoreApplication::processEvents();
    CheckPlot* plot = w.window.modelCheckPage()->plots().front();
    QTemporaryDir folder;
    w.platform.saveFiles.push_back(folder.filePath("transfer").toStdString());
    PlotAction(plot, texts::savePlotSvg)->trigger();
    QCOMPARE(w.platform.saveRequests.back().initialName, std::string("20N60C3_Transfer.svg"));
    QCOMPARE(w.platform.saveRequests.back().selectedFilter, 3);
    QVERIFY(QFileInfo(folder.filePath("transfer.svg")).size() > 0);
    QCOMPARE(StatusText(w), folder.filePath("transfer.svg") + " written");
  }

  // New leaves no result of the previous model on any page: the DC and AC results, the check
  // table and its caption, the simulated curves, and the plots' titles name no empty condition.
  void newClearsEveryResultOfThePreviousModel() {
    OpenWindow w;
    const WindowState start;
    QVERIFY(SimulateAndWait(w));
    QVERIFY(w.get<QTableWidget>("CheckTable")->rowCount() > 0);
    QVERIFY(PlotNamed(w, "ChartTransfer")->showsSimulated());

    w.get<QAction>(control::New)->trigger();
    for (const char* label :
         {control::Label_Rds, control::Label_DcParam, control::Ciss_on, control::Label_ACparam})
      QCOMPARE(w.get<QLabel>(label)->text(), ToQString(start.text(label)));
    QCOMPARE(w.get<QTableWidget>("CheckTable")->rowCount(), 0);
    QCOMPARE(TableCaption(w), Caption(texts::CheckCaption_None));
    for (CheckPlot* plot : w.window.modelCheckPage()->plots()) {
      QVERIFY(!plot->showsSimulated());
      QVERIFY2(!plot->chart()->title().contains("= A") && !plot->chart()->title().contains("= V"),
               qPrintable(plot->chart()->title()));
    }
  }
};

VDMOS_UI_TEST(ResultExportsTest);

}  // namespace vdmos::ui::test

#include "result_exports_test.moc"

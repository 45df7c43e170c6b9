// The datasheet curves window edits the session's curves and nothing of its own: what the
// table shows is always the session's curve, a refused change leaves both as they were, and
// the curves reach the values file and the model check's plots.

#include "ui/curves_window.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>

#include "check_helpers.h"
#include "files/file_messages.h"
#include "ui/window_texts.h"
#include "ui_test_registry.h"
#include "window_driver.h"

namespace vdmos::ui::test {
namespace {

struct CurvesDriver {
  OpenWindow& w;
  CurvesWindow* window;

  explicit CurvesDriver(OpenWindow& w) : w(w) {
    w.get<QAction>(texts::curves.name)->trigger();
    window = w.window.curvesWindow();
  }
  template <typename T = QWidget>
  T* get(const WindowText& text) const {
    return window->controls().get<T>(text.name);
  }
  QTableWidget* table() const { return get<QTableWidget>(texts::CurveTable); }
  void choose(CurveKind kind) const {
    get<QComboBox>(texts::CurveChoice)->setCurrentIndex(static_cast<int>(kind));
  }
  void click(const WindowText& button) const { QTest::mouseClick(get<QPushButton>(button), Qt::LeftButton); }
  /// What the table shows, a row a point.
  std::vector<CurvePoint> shown() const {
    std::vector<CurvePoint> points;
    for (int row = 0; row < table()->rowCount(); ++row)
      points.push_back({table()->item(row, 0)->text().toDouble(), table()->item(row, 1)->text().toDouble()});
    return points;
  }
  /// The user's edit of a cell, as the table's editor hands it over.
  void edit(int row, int column, const QString& text) const { table()->item(row, column)->setText(text); }
};

}  // namespace

class CurvesWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void importPasteEditAndClearChangeTheSessionsCurve() {
    OpenWindow w;
    CurvesDriver c(w);
    QVERIFY(c.window->isVisible());
    c.choose(CurveKind::Ciss);
    QCOMPARE(c.table()->horizontalHeaderItem(0)->text(), QString("Vds (V)"));
    QCOMPARE(c.table()->horizontalHeaderItem(1)->text(), QString("Ciss (pF)"));

    QTemporaryDir folder;
    const QString path = folder.filePath("ciss.csv");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("Vds,Ciss\r\n0,1500\r\n10,900\r\n25,400\r\n");
    file.close();
    w.platform.openFiles.push_back(path.toStdString());
    c.click(texts::CurveImport);
    const std::vector<CurvePoint> imported{{0, 1500}, {10, 900}, {25, 400}};
    QCOMPARE(w.window.state().curves.at(0).points, imported);
    QCOMPARE(c.shown(), imported);
    QVERIFY(w.window.windowTitle().startsWith(kModifiedMark));
    auto* kinds = c.get<QComboBox>(texts::CurveChoice);
    QVERIFY(kinds->currentText().endsWith(Caption(texts::CurveHeld)));

    c.edit(1, 1, "950");
    std::vector<CurvePoint> edited{{0, 1500}, {10, 950}, {25, 400}};
    QCOMPARE(w.window.state().curves.at(0).points, edited);

    // A refused edit or paste: the reader's message, and the table shows the curve as it was.
    c.edit(2, 1, "-400");
    w.platform.clipboard = "0,1\n0,2\n";
    c.click(texts::CurvePaste);
    QCOMPARE(w.platform.MessageTexts(),
             (std::vector<std::string>{"curve table, line 3: " + std::string(kCurveNegativeCapacitanceText),
                                       "clipboard, line 2: " + std::string(kCurveNotMonotonicText)}));
    QCOMPARE(w.window.state().curves.at(0).points, edited);
    QCOMPARE(c.shown(), edited);

    // A row added waits in the table until both its cells are filled in.
    c.table()->setCurrentCell(2, 0);
    c.click(texts::CurveAddRow);
    QCOMPARE(c.table()->rowCount(), 4);
    c.edit(3, 0, "40");
    QCOMPARE(w.window.state().curves.at(0).points, edited);
    c.edit(3, 1, "300");
    edited.push_back({40, 300});
    QCOMPARE(w.window.state().curves.at(0).points, edited);

    c.table()->setCurrentCell(0, 1);
    c.click(texts::CurveRemoveRows);
    edited.erase(edited.begin());
    QCOMPARE(w.window.state().curves.at(0).points, edited);
    QCOMPARE(c.shown(), edited);

    w.platform.clipboard = "0\t1400\n20\t500\n";
    c.click(texts::CurvePaste);
    const std::vector<CurvePoint> pasted{{0, 1400}, {20, 500}};
    QCOMPARE(w.window.state().curves.at(0).points, pasted);
    QCOMPARE(c.shown(), pasted);

    c.click(texts::CurveClear);
    QVERIFY(w.window.state().curves.empty());
    QCOMPARE(c.table()->rowCount(), 0);
    QVERIFY(!kinds->currentText().endsWith(Caption(texts::CurveHeld)));
  }

  // An output curve is one gate voltage's: without one there is nothing to edit.
  void anOutputCurveTakesItsGateVoltage() {
    OpenWindow w;
    CurvesDriver c(w);
    c.choose(CurveKind::Output);
    QVERIFY(!c.get(texts::CurvePaste)->isEnabled());
    auto* gate = c.get<QComboBox>(texts::CurveGate);
    QTest::keyClicks(gate, "10");
    QVERIFY(c.get(texts::CurvePaste)->isEnabled());
    w.platform.clipboard = "1 5\n2 9\n";
    c.click(texts::CurvePaste);
    QCOMPARE(w.window.state().curves.at(0).gateVoltage, 10.0);
    QCOMPARE(gate->itemText(0), QString("10"));

    // A second gate voltage starts empty; the first is still there.
    gate->setEditText("4.5");
    QCOMPARE(c.table()->rowCount(), 0);
    gate->setEditText("10");
    QCOMPARE(c.table()->rowCount(), 2);
  }

  // From the keyboard: Tab visits the controls top to bottom, and each button and list has its
  // own Alt letter and a tool tip.
  void everyControlIsReachedByTabAndItsOwnAccessKey() {
    OpenWindow w;
    w.click(texts::ShowCurves.name);
    CurvesDriver c(w);
    c.choose(CurveKind::Output);
    QWidget* stop = c.get(texts::CurveChoice);
    QStringList visited;
    for (int i = 0; i < 9; ++i, stop = stop->nextInFocusChain()) {
      // An editable list's line edit is the list's own stop.
      while (!(stop->focusPolicy() & Qt::TabFocus) || qobject_cast<QComboBox*>(stop->parentWidget()))
        stop = stop->nextInFocusChain();
      visited << stop->objectName();
      QVERIFY2(!stop->toolTip().isEmpty(), qPrintable(stop->objectName()));
    }
    QCOMPARE(visited, (QStringList{"CurveChoice", "CurveGate", "CurveTable", "CurveImport", "CurvePaste",
                                   "CurveAddRow", "CurveRemoveRows", "CurveClear", "CurveClose"}));
    QSet<QChar> letters;
    QStringList captions;
    for (auto* button : c.window->findChildren<QPushButton*>()) captions << button->text();
    for (auto* label : c.window->findChildren<QLabel*>())
      if (label->buddy()) captions << label->text();
    for (const QString& caption : captions) {
      const qsizetype at = caption.indexOf('&');
      QVERIFY2(at >= 0, qPrintable(caption));
      QVERIFY2(!letters.contains(caption[at + 1].toLower()), qPrintable(caption));
      letters << caption[at + 1].toLower();
    }
    QCOMPARE(letters.size(), 8);
  }

  void theCurvesAreSavedDrawnOnTheCheckPlotsAndEmptiedByNew() {
    OpenWindow w;
    CurvesDriver c(w);
    c.choose(CurveKind::Transfer);
    w.platform.clipboard = "4,1.5\n6,30\n";
    c.click(texts::CurvePaste);
    const QList<QPointF> markers = Series(w, "ChartTransfer", "datasheet").front()->points();
    QVERIFY(markers.contains(QPointF(4, 1.5)) && markers.contains(QPointF(6, 30)));

    QTemporaryDir folder;
    w.platform.saveFiles.push_back(folder.filePath("part.txt").toStdString());
    w.get<QAction>(control::save)->trigger();
    QFile saved(folder.filePath("part.txt"));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QVERIFY(saved.readAll().contains("Curve.transfer=4,1.5;6,30\r\n"));
    QVERIFY(!w.window.windowTitle().startsWith(kModifiedMark));

    c.edit(0, 1, "2");
    w.platform.saveAnswers.push_back(Answer::Cancel);
    w.get<QAction>(control::New)->trigger();
    QCOMPARE(w.platform.saveQuestions.size(), std::size_t(1));  // the edited curve is unsaved work
    QCOMPARE(c.table()->rowCount(), 2);
    w.get<QAction>(control::New)->trigger();  // discarded
    QVERIFY(w.window.state().curves.empty());
    QCOMPARE(c.table()->rowCount(), 0);
  }

  // At twice the scale a 1366 pixel wide screen has 683 pixels of the window's own; the kind box
  // does not stretch the window past them to show its longest caption, which its tool tip tells.
  void fitsALaptopScreenAtTwiceTheScale() {
    OpenWindow w;
    CurvesDriver c(w);
    QVERIFY(c.window->minimumSizeHint().width() <= 1366 / 2);
    auto* kinds = c.get<QComboBox>(texts::CurveChoice);
    c.choose(CurveKind::Transfer);
    QCOMPARE(kinds->toolTip(), kinds->currentText());
  }
};

VDMOS_UI_TEST(CurvesWindowTest);

}  // namespace vdmos::ui::test

#include "curves_window_test.moc"

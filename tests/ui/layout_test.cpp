#include <QAbstractButton>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTableWidget>

#include "model/control_names.h"
#include "ui/model_check_page.h"
#include "ui/path_label.h"
#include "ui/window_texts.h"
#include "ui_test_registry.h"
#include "window_driver.h"

namespace vdmos::ui::test {
namespace {

using Sizes = QHash<QString, QSize>;

const QStringList kPlots = {"ChartTransfer", "ChartOutput", "ChartCapacitance", "ChartBodyDiode",
                            "ChartGateCharge"};

// A page that is not shown is laid out only when it is shown again, so every page is shown
// once before the controls are measured.
Sizes MeasureControls(OpenWindow& w) {
  QCoreApplication::processEvents();
  QTabWidget* pages = w.window.pages();
  for (int i = pages->count() - 1; i >= 0; --i) {
    pages->setCurrentIndex(i);
    QCoreApplication::processEvents();
  }
  Sizes sizes;
  for (QObject* control : w.window.controls().all()) {
    auto* widget = qobject_cast<QWidget*>(control);
    // The menus pop up on their own, and the status bar spans the window's foot by design.
    if (!widget || qobject_cast<QMenu*>(widget) || qobject_cast<QStatusBar*>(widget)) continue;
    sizes.insert(widget->objectName(), widget->size());
  }
  return sizes;
}

void ResizeBy(OpenWindow& w, int width, int height) {
  w.window.resize(w.window.width() + width, w.window.height() + height);
  QCoreApplication::processEvents();
}

// Whether a control shows all of its caption within its size; a path, all of its file name.
bool ShowsAllOfItsText(QWidget* widget) {
  if (auto* path = qobject_cast<PathLabel*>(widget)) {
    const QString name = path->text().section('/', -1);
    return path->shownText().endsWith(name) &&
           path->fontMetrics().horizontalAdvance(path->shownText()) <= path->contentsRect().width();
  }
  if (auto* label = qobject_cast<QLabel*>(widget)) {
    if (label->text().isEmpty()) return true;
    if (label->wordWrap()) return label->heightForWidth(label->width()) <= label->height();
    return label->fontMetrics().horizontalAdvance(label->text()) <=
           label->contentsRect().width() - std::max(0, label->indent());
  }
  if (auto* button = qobject_cast<QPushButton*>(widget))
    return button->fontMetrics().horizontalAdvance(QString(button->text()).remove('&')) + 8 <=
               button->width() &&
           button->fontMetrics().height() <= button->height();
  if (auto* button = qobject_cast<QAbstractButton*>(widget))
    return button->sizeHint().width() <= button->width();
  return true;
}

// Checks every page at the window's current size: each control lies inside its parent,
// shows its caption whole, and overlaps none of its visible siblings.
void CheckNothingOverlaps(OpenWindow& w) {
  QTabWidget* pages = w.window.pages();
  for (int i = 0; i < pages->count(); ++i) {
    pages->setCurrentIndex(i);
    QCoreApplication::processEvents();
    QList<QWidget*> shown;
    for (QObject* control : w.window.controls().all()) {
      auto* widget = qobject_cast<QWidget*>(control);
      if (widget && widget->isVisible() && !qobject_cast<QMenu*>(widget) && widget != &w.window)
        shown << widget;
    }
    for (QWidget* widget : shown) {
      const QString name = widget->objectName();
      QVERIFY2(widget->parentWidget()->rect().contains(widget->geometry()), qPrintable(name + " sticks out"));
      QVERIFY2(ShowsAllOfItsText(widget), qPrintable(name + " is clipped"));
      for (QWidget* other : shown) {
        if (other == widget || other->parentWidget() != widget->parentWidget()) continue;
        QVERIFY2(!widget->geometry().intersects(other->geometry()),
                 qPrintable(name + " overlaps " + other->objectName()));
      }
    }
  }
}

// Shows every page in turn and checks that it fits the window without scrolling, and that
// the model check's tables show at least four rows.
void CheckEveryPageFits(OpenWindow& w) {
  QTabWidget* pages = w.window.pages();
  for (int i = 0; i < pages->count(); ++i) {
    pages->setCurrentIndex(i);
    QCoreApplication::processEvents();
    auto* area = qobject_cast<QScrollArea*>(pages->widget(i));
    QVERIFY(area);
    QVERIFY2(!area->verticalScrollBar()->isVisible() && !area->horizontalScrollBar()->isVisible(),
             qPrintable(area->objectName() + " scrolls"));
  }
  auto* table = w.get<QTableWidget>("CheckTable");
  QVERIFY(table->viewport()->height() >= 4 * table->verticalHeader()->defaultSectionSize());
  auto* advice = w.get<QTableWidget>(texts::SwitchAdvice.name);
  QVERIFY(advice->viewport()->height() >= advice->verticalHeader()->length());
}

}  // namespace

class LayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void wideningWidensExactlyTheFiveTextControls() {
    OpenWindow w;
    const Sizes before = MeasureControls(w);
    ResizeBy(w, 1000, 0);
    const Sizes after = MeasureControls(w);
    // The model check's table takes what its columns need, the plot the rest (the plots not
    // shown take their size when shown).
    const QStringList growing = {"SSTab1", control::Text19, control::FileName, control::LibTextBox,
                                 control::SubCktTextBox};
    const QStringList sharing = {"CheckTable", "CheckTableCaption", "CheckPlots", "ChartTransfer"};
    for (auto it = before.begin(); it != before.end(); ++it) {
      if (kPlots.contains(it.key()) || sharing.contains(it.key())) continue;
      const QSize expected = growing.contains(it.key()) ? it.value() + QSize(1000, 0) : it.value();
      QVERIFY2(after[it.key()] == expected, qPrintable(it.key()));
    }
    auto wider = [&](const char* name) { return after[name].width() - before[name].width(); };
    QCOMPARE(wider("CheckTable") + wider("CheckPlots"), 1000);
    QCOMPARE(wider("CheckTableCaption"), wider("CheckTable"));
    QCOMPARE(wider("ChartTransfer"), wider("CheckPlots"));
    QVERIFY(wider("CheckPlots") > 0);
    auto* table = w.get<QTableWidget>("CheckTable");
    QVERIFY(table->width() <= table->sizeHint().width());
  }

  // The model check's plots are made when their page is first shown; until then the page asks
  // for the room they take, or the window would open at another size.
  void theModelCheckAsksForTheSameRoomBeforeItsPlotsAreMade() {
    OpenWindow w;
    ModelCheckPage* page = w.window.modelCheckPage();
    QVERIFY(!w.window.controls().find("ChartTransfer"));
    const QSize preferred = page->sizeHint(), minimum = page->minimumSizeHint();
    page->plots();
    QVERIFY(w.window.controls().find("ChartTransfer"));
    QCOMPARE(page->sizeHint(), preferred);
    QCOMPARE(page->minimumSizeHint(), minimum);
  }

  void heighteningGrowsOnlyThePagesTheLibraryAndTheModelCheck() {
    OpenWindow w;
    const Sizes before = MeasureControls(w);
    ResizeBy(w, 0, 300);
    const Sizes after = MeasureControls(w);
    const QStringList growing = {"SSTab1", control::LibTextBox, "CheckTable", "CheckPlots", "ChartTransfer"};
    for (auto it = before.begin(); it != before.end(); ++it) {
      if (kPlots.contains(it.key()) && !growing.contains(it.key())) continue;
      const QSize expected = growing.contains(it.key()) ? it.value() + QSize(0, 300) : it.value();
      QVERIFY2(after[it.key()] == expected, qPrintable(it.key()));
    }
  }

  // The tests run on a laptop's 1366x768 screen. The window opens within it with room for a
  // panel, whatever the font; at the default font every page fits it as it is, and at a large
  // one the pages scroll.
  void opensWithinALaptopScreenAtAnyFontSize_data() {
    QTest::addColumn<int>("points");
    QTest::newRow("default font") << 0;
    QTest::newRow("large font") << 16;
  }
  void opensWithinALaptopScreenAtAnyFontSize() {
    QFETCH(int, points);
    const QFont font = QApplication::font();
    if (points > 0) QApplication::setFont(QFont(font.family(), points));
    const auto restore = qScopeGuard([&] { QApplication::setFont(font); });
    OpenWindow w;
    const QRect area = w.window.screen()->availableGeometry();
    QCOMPARE(area.size(), QSize(1366, 768));
    QVERIFY(area.contains(w.window.frameGeometry()));
    QVERIFY(w.window.width() <= 1366 && w.window.height() <= 720);
    if (points == 0) {
      CheckEveryPageFits(w);
    } else {
      QCOMPARE(w.window.height(), 720);  // the pages would take more
    }
    CheckNothingOverlaps(w);
  }

  // The longest results the fits give, from long typed values and large capacitances, and
  // longer texts still: every label shows its whole text; a long path keeps its file name.
  void noResultIsCutOff() {
    OpenWindow w;
    for (auto [field, text] : {std::pair<control::Name, const char*>{control::Vplat, "4.56789012345678"},
                               {control::Idplat, "20.7123456789012"},
                               {control::Text5, "7.56789012345678"},
                               {control::Text4, "70.1234567890123"},
                               {control::TextBoxVdsTest, "50.1234567890123"},
                               {control::Text7, "98765"},
                               {control::Text21, "98765"},
                               {control::Text10, "9876"}})
      w.type(field, text);
    w.click(control::Update_DC);
    w.click(control::Update_AC);
    QCOMPARE(w.window.state().text(control::StatusBar1), std::string("Transfer function matched Iter=13"));
    QCOMPARE(w.window.state().text(control::Ciss_on), std::string("108591"));
    CheckNothingOverlaps(w);

    WindowState& state = w.window.state();
    for (const char* label :
         {control::DATA1, control::DATA2, control::Label_Rds, control::Ciss_on, control::Ciss_off})
      state.setText(label, "Vgs=-1.23456789012345E-15 Id=-123456789012.345");
    state.setText(control::Label_DcParam,
                  "KP=-123456.7891 RS=-123456.7891 RD=-123456.7891 VTO=-123456.79 and more");
    state.setText(control::FileName,
                  "/home/someone/a/rather/long/folder/of/libraries/that/goes/on/and/on/and/on/"
                  "and/on/and/on/and/on/and/on/and/on/and/on/and/on/and/on/and/on/and/on/and/on/"
                  "and/on/and/on/and/on/and/on/and/on/and/on/and/on/power-mosfets.lib");
    w.window.mirrorState();
    CheckNothingOverlaps(w);
    auto* path = w.get<PathLabel>(control::FileName);
    QVERIFY(path->shownText().contains(QStringLiteral("…")));
    QVERIFY(path->shownText().startsWith("/home/"));
  }

  void nothingOverlapsAtTheDefaultSizeNorWhenTheWindowStopsShrinking() {
    OpenWindow w;
    CheckNothingOverlaps(w);
    w.window.resize(50, 50);
    QCoreApplication::processEvents();
    QCOMPARE(w.window.size(), w.window.minimumSize().expandedTo(w.window.minimumSizeHint()));
    CheckNothingOverlaps(w);
  }
};

VDMOS_UI_TEST(LayoutTest);

}  // namespace vdmos::ui::test

#include "layout_test.moc"

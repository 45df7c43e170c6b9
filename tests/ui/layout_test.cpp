#include <QAbstractButton>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>

#include "model/control_names.h"
#include "ui_test_registry.h"
#include "window_driver.h"

namespace vdmos::ui::test {
namespace {

using Sizes = QHash<QString, QSize>;

const QStringList kPlots = {"ChartTransfer", "ChartOutput", "ChartCapacitance", "ChartBodyDiode"};

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

// Whether a control shows all of its caption within its size.
bool ShowsAllOfItsText(QWidget* widget) {
  if (auto* label = qobject_cast<QLabel*>(widget)) {
    if (label->text().isEmpty()) return true;
    if (label->wordWrap()) return label->heightForWidth(label->width()) <= label->height();
    return label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width();
  }
  if (auto* button = qobject_cast<QPushButton*>(widget))
    return button->fontMetrics().horizontalAdvance(button->text()) + 8 <= button->width() &&
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

}  // namespace

class LayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void wideningWidensExactlyTheFiveTextControls() {
    OpenWindow w;
    const Sizes before = MeasureControls(w);
    ResizeBy(w, 1000, 0);
    const Sizes after = MeasureControls(w);
    const QStringList growing = {
        "SSTab1",     control::Text19,    control::FileName, control::LibTextBox, control::SubCktTextBox,
        "CheckTable", "CheckTableCaption"};
    for (auto it = before.begin(); it != before.end(); ++it) {
      // The plots of the model check share the width of their two columns.
      const int plotShare = kPlots.contains(it.key()) ? 500 : 0;
      const QSize expected =
          growing.contains(it.key()) ? it.value() + QSize(1000, 0) : it.value() + QSize(plotShare, 0);
      QVERIFY2(after[it.key()] == expected, qPrintable(it.key()));
    }
  }

  void heighteningGrowsOnlyThePagesTheLibraryAndTheModelCheck() {
    OpenWindow w;
    const Sizes before = MeasureControls(w);
    ResizeBy(w, 0, 300);
    const Sizes after = MeasureControls(w);
    const QStringList sharing = kPlots + QStringList{"CheckTable"};
    for (auto it = before.begin(); it != before.end(); ++it) {
      if (sharing.contains(it.key())) continue;
      const bool growing = it.key() == "SSTab1" || it.key() == control::LibTextBox;
      const QSize expected = growing ? it.value() + QSize(0, 300) : it.value();
      QVERIFY2(after[it.key()] == expected, qPrintable(it.key()));
    }
    // The two rows of plots and the table take the whole change between them, and each a part.
    for (const QString& name : sharing)
      QVERIFY2(after[name].width() == before[name].width(), qPrintable(name));
    auto taller = [&](const char* name) { return after[name].height() - before[name].height(); };
    const int rowOne = taller("ChartTransfer"), rowTwo = taller("ChartCapacitance"),
              table = taller("CheckTable");
    QCOMPARE(taller("ChartOutput"), rowOne);
    QCOMPARE(taller("ChartBodyDiode"), rowTwo);
    QVERIFY(rowOne > 0 && rowTwo > 0 && table > 0);
    QCOMPARE(rowOne + rowTwo + table, 300);
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

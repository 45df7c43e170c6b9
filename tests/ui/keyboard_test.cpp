#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QTabBar>

#include "model/control_names.h"
#include "ui/model_check_page.h"
#include "ui/rgate_window.h"
#include "ui/text_bridge.h"
#include "ui/window_texts.h"
#include "ui_test_registry.h"
#include "window_driver.h"

namespace vdmos::ui::test {
namespace {

// The letter Qt takes as a text's access key: the one after a single "&".
QChar AccessKey(const QString& text) {
  for (qsizetype i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] != '&') return text[i + 1].toUpper();
    ++i;
  }
  return {};
}

// Each of the actions has an access key, and no two share one.
void CheckAccessKeys(const QList<QAction*>& actions, const QString& where) {
  QSet<QChar> keys;
  for (QAction* action : actions) {
    if (action->isSeparator()) continue;
    const QChar key = AccessKey(action->text());
    QVERIFY2(!key.isNull(), qPrintable(action->text() + " in " + where + " has no access key"));
    QVERIFY2(!keys.contains(key), qPrintable(action->text() + " in " + where + " repeats its access key"));
    keys.insert(key);
  }
}

// The group a control belongs to on its page: its frame, or the page itself for loose controls.
QWidget* GroupOf(QWidget* control, QWidget* page) {
  for (QWidget* parent = control->parentWidget(); parent && parent != page; parent = parent->parentWidget())
    if (qobject_cast<QGroupBox*>(parent)) return parent;
  return page;
}

QRect OnPage(QWidget* widget, QWidget* page) {
  return QRect(widget->mapTo(page, QPoint(0, 0)), widget->size());
}

// Whether `next` comes after `previous` in reading order: to its right in the same row (the
// two overlap in height), or lower down.
bool Follows(const QRect& previous, const QRect& next) {
  const bool sameRow = previous.top() <= next.bottom() && next.top() <= previous.bottom();
  return sameRow ? next.left() > previous.left() : next.top() > previous.top();
}

// The controls of the page that Tab stops at, in the order it visits them.
QList<QWidget*> TabStops(OpenWindow& w, QWidget* page) {
  QList<QWidget*> stops;
  QWidget* start = w.window.centralWidget();
  for (QWidget* widget = start->nextInFocusChain(); widget != start; widget = widget->nextInFocusChain())
    if (page->isAncestorOf(widget) && (widget->focusPolicy() & Qt::TabFocus) && widget->isVisibleTo(page) &&
        !stops.contains(widget))
      stops << widget;
  return stops;
}

}  // namespace

class KeyboardTest : public QObject {
  Q_OBJECT

 private slots:
  void menusOpenWithAltAndTheirLetters() {
    OpenWindow w;
    QVERIFY(QTest::qWaitForWindowActive(&w.window));
    CheckAccessKeys(w.window.menuBar()->actions(), "the menu bar");
    for (const WindowText* menu : {&texts::file, &texts::help})
      CheckAccessKeys(w.get<QMenu>(menu->name)->actions(), ToQString(menu->name));
    // What the user reads stays the caption.
    QCOMPARE(w.get<QMenu>(texts::file.name)->menuAction()->iconText(), QString("File"));
    QCOMPARE(w.get<QAction>(control::testcircuits)->iconText(), QString("Save Test Circuits"));

    for (auto [key, menu] : {std::pair{Qt::Key_F, texts::file.name}, {Qt::Key_H, texts::help.name}}) {
      QTest::keyClick(&w.window, key, Qt::AltModifier);
      QTRY_COMPARE(QApplication::activePopupWidget(), w.get<QMenu>(menu));
      QApplication::activePopupWidget()->close();
    }

    // An entry's letter runs it from its open menu.
    QTest::keyClick(&w.window, Qt::Key_H, Qt::AltModifier);
    QTRY_VERIFY(QApplication::activePopupWidget());
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_A);
    QTRY_COMPARE(w.platform.messages.size(), std::size_t(1));
    QCOMPARE(w.platform.messages[0].title, std::string("About"));
  }

  // Ctrl+N empties nothing; the menu entry New still empties every field.
  void noSingleKeystrokeWipesTheFieldsAndCtrlQQuits() {
    OpenWindow w;
    QVERIFY(QTest::qWaitForWindowActive(&w.window));
    const WindowState before = w.window.state();
    QTest::keyClick(&w.window, Qt::Key_N, Qt::ControlModifier);
    QVERIFY(w.window.state() == before);
    QVERIFY(w.get<QAction>(control::New)->shortcut().isEmpty());
    w.get<QAction>(control::New)->trigger();
    QCOMPARE(w.shown(control::Text20), QString());

    // Quitting takes the gate resistance window along.
    w.click(control::Button_Rgate);
    QPointer<RgateWindow> rgate = w.window.rgateWindow();
    w.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w.window));
    QTest::keyClick(&w.window, Qt::Key_Q, Qt::ControlModifier);
    QVERIFY(!w.window.isVisible());
    QVERIFY(!rgate || !rgate->isVisible());
  }

  void enterRunsOkOfTheGateResistanceWindowAndEscapeClosesIt() {
    OpenWindow w;
    w.click(control::Button_Rgate);
    RgateWindow* rgate = w.window.rgateWindow();
    auto field = [rgate](const char* name) { return rgate->controls().get<QLineEdit>(name); };
    for (auto [name, text] :
         {std::pair{"Text_Rout", "2"}, {"Text_Td_On", "15"}, {"Text_Qgs", "10"}, {"Text_Qgd", "20"}}) {
      field(name)->selectAll();
      QTest::keyClicks(field(name), text);
    }
    QTest::keyClick(field("Text_Qgd"), Qt::Key_Return);
    QCOMPARE(w.shown(control::Text2), QString("5.77"));
    QVERIFY(rgate->isVisible());

    // The keypad's Enter, on the button as in a field; a modified Enter is not OK.
    w.type(control::Text2, "1");
    QTest::keyClick(field("Text_VGG"), Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(w.shown(control::Text2), QString("1"));
    QTest::keyClick(rgate->controls().get<QWidget>(control::OkButton), Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(w.shown(control::Text2), QString("5.77"));

    QTest::keyClick(field("Text_VGG"), Qt::Key_Escape);
    QVERIFY(!w.window.rgateWindow());
    QVERIFY(!w.window.state().rgate);
  }

  // On every page Tab comes from the top row through the page tabs into the page, goes through
  // the frames one by one, never back up to the left, and within a frame (or among the page's
  // loose controls) row by row, left to right; past the page's last field it goes on to the top
  // row, never back to the page tabs. The computed currents are read, not typed, and Tab passes
  // them by; the check table lets Tab go.
  void tabFollowsTheVisualOrderRoundEveryPage() {
    OpenWindow w;
    QVERIFY(QTest::qWaitForWindowActive(&w.window));
    QTabWidget* pages = w.window.pages();
    for (int i = 0; i < pages->count(); ++i) {
      pages->setCurrentIndex(i);
      QCoreApplication::processEvents();
      QWidget* page = pages->widget(i);
      const QList<QWidget*> stops = TabStops(w, page);
      QVERIFY2(stops.size() > 1, qPrintable(page->objectName()));
      for (control::Name result : {control::OUT_ID1, control::OUT_ID2})
        QVERIFY(!stops.contains(w.get(result)));

      w.get(control::CheckDepMode)->setFocus();
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget(), pages->tabBar());
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget(), stops.first());

      QList<QWidget*> groupsDone;
      for (qsizetype k = 1; k < stops.size(); ++k) {
        QWidget *previous = stops[k - 1], *next = stops[k];
        const QString step = page->objectName() + ": " + previous->objectName() + " to " + next->objectName();
        QWidget *from = GroupOf(previous, page), *to = GroupOf(next, page);
        if (from == to) {
          QVERIFY2(Follows(OnPage(previous, page), OnPage(next, page)), qPrintable(step));
          continue;
        }
        groupsDone << from;
        QVERIFY2(!groupsDone.contains(to), qPrintable(step + " goes back to a group left earlier"));
        const QRect left = OnPage(from, page), entered = OnPage(to, page);
        QVERIFY2(entered.top() >= left.bottom() || entered.left() >= left.right() ||
                     Follows(OnPage(previous, page), OnPage(next, page)),
                 qPrintable(step + " goes back up to the left"));
      }

      stops.last()->setFocus();
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QVERIFY2(QApplication::focusWidget() == w.get(control::Text20),
               qPrintable(page->objectName() + ": " + QApplication::focusWidget()->objectName()));
    }
    QWidget* table = w.get("CheckTable");
    w.showPageOf(table);
    table->setFocus();
    QTest::keyClick(table, Qt::Key_Tab);
    QVERIFY(QApplication::focusWidget() != table && !table->isAncestorOf(QApplication::focusWidget()));
  }

  // F5 updates the model, F6 simulates it and F7 refines it from any page; the buttons' tips
  // name their keys.
  void theDailyCommandsHaveKeys() {
    OpenWindow w;
    QVERIFY(QTest::qWaitForWindowActive(&w.window));
    w.showPageOf(w.get(control::Text3));
    QTest::keyClick(&w.window, Qt::Key_F5);
    QCOMPARE(w.window.state().text(control::StatusBar1), std::string("Transfer function matched Iter=3"));
    QVERIFY(!w.window.state().text(control::Text19).empty());

    const std::string fitted = w.window.state().text(control::Text19);
    QTest::keyClick(&w.window, Qt::Key_F7);
    QVERIFY(w.window.state().text(control::Text19) != fitted);
    QVERIFY(w.window.pages()->currentWidget()->isAncestorOf(w.window.modelCheckPage()));

    QSignalSpy finished(w.window.modelCheckPage(), &ModelCheckPage::simulationFinished);
    QTest::keyClick(&w.window, Qt::Key_F6);
    QVERIFY(w.window.modelCheckPage()->simulating());
    QVERIFY(finished.wait(15000));
    QVERIFY(w.window.session().Check().Compared());

    for (auto [button, key] : {std::pair{control::Command2, "(F5)"},
                               {control::SimulateNgspice, "(F6)"},
                               {control::RefineModel, "(F7)"}})
      QVERIFY(w.get(button)->toolTip().endsWith(key));
    QVERIFY(w.get(control::SimulateNgspice)->toolTip().startsWith(ToolTip(texts::SimulateNgspice)));
  }

  // Each page's buttons have access keys of their own, apart from the menus' letters; the
  // captions read as before.
  void pageButtonsHaveTheirOwnAccessKeys() {
    OpenWindow w;
    QVERIFY(QTest::qWaitForWindowActive(&w.window));
    QTabWidget* pages = w.window.pages();
    for (int i = 0; i < pages->count(); ++i) {
      QSet<QChar> keys{'F', 'H'};
      for (auto* button : pages->widget(i)->findChildren<QAbstractButton*>()) {
        const QChar key = AccessKey(button->text());
        if (key.isNull()) continue;
        QVERIFY2(!keys.contains(key), qPrintable(button->objectName() + " repeats its access key"));
        keys.insert(key);
      }
    }
    QCOMPARE(w.get<QAbstractButton>(control::SimulateNgspice)->text().remove('&'),
             Caption(texts::SimulateNgspice));
    for (control::Name button : {control::Update_DC, control::Command2, control::SimulateNgspice,
                                 control::RefineModel, control::ApplyBestSwitches, control::Add})
      QVERIFY2(!AccessKey(w.get<QAbstractButton>(button)->text()).isNull(), std::string(button).c_str());

    // Alt and the letter click the button on the page shown.
    w.showPageOf(w.get(control::Command2));
    QTest::keyClick(&w.window, Qt::Key_U, Qt::AltModifier);
    QTRY_VERIFY(!w.window.state().text(control::Text19).empty());  // the click is animated
  }
};

VDMOS_UI_TEST(KeyboardTest);

}  // namespace vdmos::ui::test

#include "keyboard_test.moc"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <algorithm>

#include "commands/command_runner.h"
#include "commands/control_table.h"
#include "commands/new_command.h"
#include "commands/subcircuit_commands.h"
#include "commands/window_commands.h"
#include "golden/start_card.h"
#include "model/control_names.h"
#include "model/fields.h"
#include "model/subcircuit.h"
#include "ui/check_box.h"
#include "ui/rgate_window.h"
#include "ui/text_bridge.h"
#include "ui/window_texts.h"
#include "ui_test_registry.h"
#include "window_driver.h"

namespace vdmos::ui::test {
namespace {

const std::string& kStartCard = golden::kStartCard;

constexpr const char* kPictures[] = {control::Image1, control::Image2, control::Image3};

QString Display(const std::string& stateText) {
  return QString::fromStdString(stateText).replace("\r\n", "\n");
}

// What a text control shows, whatever kind of widget it is.
QString Shown(OpenWindow& w, const std::string& name) {
  QObject* control = w.window.controls().find(name);
  if (auto* field = qobject_cast<QLineEdit*>(control)) return field->text();
  if (auto* label = qobject_cast<QLabel*>(control)) return label->text();
  if (auto* box = qobject_cast<QPlainTextEdit*>(control)) return box->toPlainText();
  if (auto* combo = qobject_cast<QComboBox*>(control)) return combo->currentText();
  if (qobject_cast<QStatusBar*>(control)) return w.window.findChild<QLabel*>("StatusBar1Text")->text();
  return "no widget that shows a text";
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  // Each datasheet field explains itself: what it holds, its unit and how it is read; a tip the
  // window always had stays as it was.
  void everyDatasheetFieldHasATipWithItsUnit() {
    OpenWindow w;
    const WindowText ownTips[] = {texts::Vplat, texts::Idplat, texts::Text5, texts::Text4, texts::Text21};
    for (const FieldInfo& field : DatasheetFields()) {
      auto* edit = w.window.controls().get<QLineEdit>(field.control);
      if (edit == nullptr) continue;  // the FET type box
      const auto own = std::ranges::find(ownTips, field.control, &WindowText::name);
      const QString tip = own != std::end(ownTips) ? ToolTip(*own) : FieldToolTip(field);
      QCOMPARE(edit->toolTip(), tip);
      if (own != std::end(ownTips)) continue;
      QVERIFY(tip.startsWith(ToQString(field.quantity) + ": "));
      QVERIFY(field.unit.empty() || tip.contains(", in " + ToQString(field.unit)));
    }
  }

  void opensWithItsStartTexts() {
    OpenWindow w;
    QCOMPARE(w.window.windowTitle(), QString("Varnex - MOS Tool"));
    // The icon is the program's own, drawn, wherever the program runs from.
    QVERIFY(!w.window.windowIcon().pixmap(32).isNull());
    QCOMPARE(w.shown(control::Text20), QString("20N60C3"));
    QVERIFY(w.get<QRadioButton>(control::OptionStandard)->isChecked());
    QCOMPARE(w.get<QLineEdit>(control::Text21)->toolTip(), QString("Coss is allways higher then Crss"));
    // Each kind of control that the factory makes shows the tool tip its text carries.
    for (const WindowText* text : {&texts::Vplat, &texts::Button_Rgate, &texts::CopyToClipBoardNgspiceSubCkt,
                                   &texts::ChargesFirst, &texts::SwitchAdvice, &texts::SimulationBusy})
      QCOMPARE(w.get<QWidget>(text->name)->toolTip(), ToolTip(*text));
    QCOMPARE(w.get<QPlainTextEdit>(control::LibTextBox)->lineWrapMode(), QPlainTextEdit::NoWrap);

    QTabWidget* pages = w.window.pages();
    const QStringList captions = {"DC characteristics", "AC characteristics", "VDmos Model", "Lib manager",
                                  "Model check"};
    QCOMPARE(pages->count(), captions.size());
    for (int i = 0; i < captions.size(); ++i) QCOMPARE(pages->tabText(i), captions[i]);
  }

  // Whatever the state holds shows in the widget of the same name: each text as it is, each
  // check box's value, each control's switch and each picture.
  void everyStateValueShowsInItsWidget() {
    OpenWindow w;
    WindowState& state = w.window.state();
    for (const std::string& name : state.textControls()) state.setText(name, "shown " + name);
    for (const std::string& name : state.checkBoxes()) state.setCheck(name, 2);
    for (const std::string& name : state.switchableControls()) state.setEnabled(name, false);
    for (const char* picture : kPictures) state.setVisible(picture, !state.visible(picture));
    w.window.mirrorState();
    // No field holds a number now, so the status bar names them after its own text.
    for (const std::string& name : state.textControls())
      QVERIFY2(Shown(w, name).startsWith(QString::fromStdString("shown " + name)), name.c_str());
    for (const std::string& name : state.checkBoxes())
      QVERIFY2(w.get<CheckBox>(name)->value() == 2, name.c_str());
    for (const std::string& name : state.switchableControls())
      QVERIFY2(!w.get(name)->isEnabled(), name.c_str());
    for (const char* picture : kPictures)
      QVERIFY2(w.get(picture)->isHidden() != state.visible(picture), picture);
  }

  void updateModelShowsTheStartCardAndMultipleLinesTogglesItsForm() {
    OpenWindow w;
    w.click(control::Command2);
    QCOMPARE(w.get<QPlainTextEdit>(control::Text19)->toPlainText(), Display(kStartCard));

    // Both ways of copying hand over the state's text with its CR LF line ends.
    w.click(control::Command1);
    QCOMPARE(w.platform.clipboard, std::optional(kStartCard));
    auto* card = w.get<QPlainTextEdit>(control::Text19);
    card->selectAll();
    card->copy();
    QCOMPARE(QApplication::clipboard()->text(), QString::fromStdString(kStartCard));

    w.click(control::LineBreak);
    QCOMPARE(w.window.state().check(control::LineBreak), 0);
    QCOMPARE(w.get<QPlainTextEdit>(control::Text19)->toPlainText(),
             QString::fromStdString(w.window.state().card.singleLine));
    w.click(control::LineBreak);
    QCOMPARE(w.window.state().text(control::Text19), kStartCard);
  }

  void theShortcutsAndNewRunTheirCommandsAndABreakdownVoltageBringsTheSubcircuitBack() {
    OpenWindow w;
    w.click(control::Command2);
    w.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w.window));
    QTest::keyClick(&w.window, Qt::Key_O, Qt::ControlModifier);
    QTest::keyClick(&w.window, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(w.platform.openRequests.size(), std::size_t(1));
    QCOMPARE(w.platform.saveRequests.size(), std::size_t(1));
    w.get<QAction>(control::New)->trigger();
    QCOMPARE(w.shown(control::Text20), QString());
    QCOMPARE(w.get<QPlainTextEdit>(control::Text19)->toPlainText(), QString());
    QVERIFY(!w.get(control::SubCktTextBox)->isEnabled());

    // Typing a breakdown voltage is a change of its own: the subcircuit comes back.
    w.type(control::avalanche_volt, "600");
    QVERIFY(w.get(control::SubCktTextBox)->isEnabled());
    QVERIFY(w.get(control::CopyToClipBoardSubCkt)->isEnabled());
  }

  void helpButtonsShowAtMostOnePicture() {
    OpenWindow w;
    w.click(control::VgsPlat_Help);
    QVERIFY(w.get(control::Image2)->isVisible());
    w.click(control::VgsPlat_Help);
    QVERIFY(!w.get(control::Image2)->isVisible());
    w.click(control::VgsPlat_Help);
    w.click(control::transf_help);
    QVERIFY(!w.get(control::Image2)->isVisible());
    QVERIFY(w.get(control::Image3)->isVisible());
    QCOMPARE(w.get(control::Image3)->pos(), QPoint(0, 0));
    QCOMPARE(w.get(control::Image2)->pos(), QPoint(0, 0));
    w.click(control::transf_help);
    QVERIFY(!w.get(control::Image3)->isVisible() && !w.get(control::Image1)->isHidden());  // on the AC page
  }

  void gateResistanceWindowEstimatesRg() {
    OpenWindow w;
    w.click(control::Button_Rgate);
    RgateWindow* rgate = w.window.rgateWindow();
    QVERIFY(rgate && rgate->isVisible());
    QCOMPARE(rgate->windowTitle(), QString("Rgate from Ciss and td"));
    auto field = [rgate](const char* name) { return rgate->controls().get<QLineEdit>(name); };
    for (auto [name, text] :
         {std::pair{"Text_Rout", "2"}, {"Text_Td_On", "15"}, {"Text_Qgs", "10"}, {"Text_Qgd", "20"}}) {
      field(name)->selectAll();
      QTest::keyClicks(field(name), text);
    }
    QTest::mouseClick(rgate->controls().get<QAbstractButton>(control::OkButton), Qt::LeftButton);
    QCOMPARE(w.shown(control::Text2), QString("5.77"));
    QVERIFY(rgate->isVisible());

    // Closing unloads the window; the next opening starts afresh.
    rgate->close();
    QVERIFY(!w.window.rgateWindow());
    w.click(control::Button_Rgate);
    QCOMPARE(w.window.rgateWindow()->controls().get<QLineEdit>("Text_Rout")->text(), QString("-"));
  }

  // Each remaining button and menu entry reaches its command: what the command shows or asks
  // arrives at the platform, or its result at the widgets.
  void everyOtherEventRunsItsCommand() {
    OpenWindow w;
    w.click(control::Update_DC);
    QCOMPARE(w.window.findChild<QLabel*>("StatusBar1Text")->text(),
             QString("Transfer function matched Iter=3"));
    // The status text may be cut at the window's edge; its tool tip is never.
    QCOMPARE(w.window.findChild<QLabel*>("StatusBar1Text")->toolTip(),
             QString("Transfer function matched Iter=3"));
    w.click(control::Update_AC);
    QCOMPARE(w.get<QLabel>(control::Ciss_on)->text(), QString("5750"));

    w.click(control::HelpSubCkt);
    w.get<QAction>(control::about)->trigger();
    QCOMPARE(w.platform.MessageTexts(),
             (std::vector<std::string>{std::string(kSubCktHelpText), AboutText()}));
    QCOMPARE(w.platform.messages[1].title, std::string("About"));

    w.click(control::Command2);
    w.click(control::CopyToClipBoardSubCkt);
    QCOMPARE(w.platform.clipboard, std::optional(w.window.state().text(control::SubCktTextBox)));
    // The ngspice subcircuit's copy button sits beside the subcircuit's own.
    auto* copy = w.get<QPushButton>(control::CopyToClipBoardNgspiceSubCkt);
    QCOMPARE(copy->text().remove('&'), QString("Copy ngspice subcircuit to clipboard"));
    QCOMPARE(copy->parentWidget(), w.get(control::CopyToClipBoardSubCkt)->parentWidget());
    w.click(control::CopyToClipBoardNgspiceSubCkt);
    QCOMPARE(w.platform.clipboard, std::optional(NgspiceSubCircuit(w.window.state()).text));

    w.click(control::SaveModel);
    w.click(control::SaveLib);
    w.get<QAction>(control::save)->trigger();
    QCOMPARE(w.platform.saveRequests.size(), std::size_t(3));
    QCOMPARE(w.platform.saveRequests[0].initialName, std::string("20N60C3.lib"));
    QCOMPARE(w.platform.saveRequests[1].initialName, std::string("VDmos.lib"));
    w.get<QAction>(control::open)->trigger();
    QCOMPARE(w.platform.openRequests.size(), std::size_t(1));

    // The ngspice circuits come right after the other test circuits in the menu.
    const QList<QAction*> entries = w.get<QMenu>(texts::file.name)->actions();
    QCOMPARE(entries.value(entries.indexOf(w.get<QAction>(control::testcircuits)) + 1),
             w.get<QAction>(control::ngspicecircuits));
    QCOMPARE(w.get<QAction>(control::ngspicecircuits)->iconText(), QString("Save ngspice Test Circuits"));
    QTemporaryDir folder;
    w.platform.folders.push_back(folder.path().toStdString());
    w.get<QAction>(control::ngspicecircuits)->trigger();  // takes the folder; the other is cancelled
    w.get<QAction>(control::testcircuits)->trigger();
    QCOMPARE(w.platform.folderTitles, std::vector<std::string>(2, "Select the folder to save to"));
    QCOMPARE(QDir(folder.path()).entryList({"*.cir"}, QDir::Files).size(), 4);
  }

  // The window binds every control of the core's control table to the table's command: acting
  // on each widget leaves the window's state and platform as the table's own road leaves a
  // shadow state that starts alike.
  void everyControlOfTheTableRunsItsCommand() {
    OpenWindow w;
    WindowState shadow = w.window.state();
    ScriptedPlatform shadowPlatform;
    for (const ControlAction& action : ControlActions()) {
      const std::string name(action.control);
      switch (action.kind) {
        case ControlKind::Field: {
          // A model name ngspice would read as a number makes no model, and greys out the
          // buttons that need one.
          const std::string text = action.control == control::Text20 ? "M7" : "7";
          w.type(action.control, QString::fromStdString(text));
          TypeInto(action, text, shadow, shadowPlatform);
          break;
        }
        case ControlKind::FetType: {
          QLineEdit* typed = w.get<QComboBox>(action.control)->lineEdit();
          w.showPageOf(typed);
          typed->selectAll();
          QTest::keyClicks(typed, "P");
          TypeInto(action, "P", shadow, shadowPlatform);
          break;
        }
        case ControlKind::CheckBox:
          w.click(action.control);
          ClickCheckBox(action, w.get<CheckBox>(action.control)->value(), shadow, shadowPlatform);
          break;
        case ControlKind::Option:
        case ControlKind::Button:
          w.click(action.control);
          if (ClearsStatus(action.command)) shadow.setText(control::StatusBar1, "");
          RunUserCommand(action.command, shadow, shadowPlatform);
          break;
        case ControlKind::MenuEntry:
          w.get<QAction>(action.control)->trigger();
          if (ClearsStatus(action.command)) shadow.setText(control::StatusBar1, "");
          RunUserCommand(action.command, shadow, shadowPlatform);
          // The session forgets the previous model's results after New.
          if (action.command == New_Click) ForgetComputedResults(shadow);
          break;
      }
      QVERIFY2(w.window.state() == shadow, name.c_str());
      QVERIFY2(w.platform.messages == shadowPlatform.messages, name.c_str());
      QVERIFY2(w.platform.clipboard == shadowPlatform.clipboard, name.c_str());
      QVERIFY2(w.platform.saveRequests.size() == shadowPlatform.saveRequests.size(), name.c_str());
      QVERIFY2(w.platform.openRequests.size() == shadowPlatform.openRequests.size(), name.c_str());
      QVERIFY2(w.platform.folderTitles == shadowPlatform.folderTitles, name.c_str());
    }
  }

  void choosingAFetTypeWaitsForTheNextUpdate() {
    OpenWindow w;
    w.click(control::Command2);
    auto* type = w.get<QComboBox>(control::Combo1);
    type->setCurrentIndex(1);
    emit type->activated(1);  // what choosing from the list sends
    QCOMPARE(w.window.state().text(control::Combo1), std::string("PMOS"));
    QCOMPARE(w.window.state().text(control::Text19), kStartCard);
    w.click(control::Command2);
    QVERIFY(w.window.state().text(control::Text19).ends_with(" PCHAN)"));

    // Typing the type is a text change: the card follows at once.
    type->lineEdit()->selectAll();
    QTest::keyClicks(type->lineEdit(), "NMOS");
    QCOMPARE(w.window.state().text(control::Text19), kStartCard);
  }

  // A click on a grayed box checks it; a click on a selected option keeps it.
  void switchesClickAsUsersKnowThem() {
    OpenWindow w;
    w.window.state().setCheck(control::FixVTO, 2);
    w.window.mirrorState();
    w.click(control::FixVTO);
    QCOMPARE(w.window.state().check(control::FixVTO), 1);
    w.click(control::FixVTO);
    QCOMPARE(w.window.state().check(control::FixVTO), 0);

    w.click(control::OptionSubCkt);
    QVERIFY(w.window.state().optionSubCkt && !w.window.state().optionStandard);
    QVERIFY(!w.get<QRadioButton>(control::OptionStandard)->isChecked());
    w.click(control::OptionSubCkt);
    QVERIFY(w.get<QRadioButton>(control::OptionSubCkt)->isChecked());
    w.click(control::OptionStandard);
    QVERIFY(w.window.state().optionStandard && !w.window.state().optionSubCkt);
  }

  void libraryEditsAreKeptAndTheCaretFollowsCommands() {
    OpenWindow w;
    auto* library = w.get<QPlainTextEdit>(control::LibTextBox);
    w.showPageOf(library);
    QTest::keyClicks(library, "* mine");
    QTest::keyClick(library, Qt::Key_Return);
    w.click(control::Add);
    const std::string expected = "* mine\r\n" + kStartCard + "\r\n";
    QCOMPARE(w.window.state().text(control::LibTextBox), expected);
    QCOMPARE(library->textCursor().position(), library->toPlainText().size());

    // A cancelled open still puts the caret at the end, wherever the user left it.
    library->moveCursor(QTextCursor::Start);
    w.click(control::OpenLib);
    QCOMPARE(w.platform.openRequests.size(), std::size_t(1));
    QCOMPARE(library->textCursor().position(), library->toPlainText().size());
    QCOMPARE(w.window.state().text(control::LibTextBox), expected);
  }

  void tabVisitsFieldsInReadingOrder() {
    OpenWindow w;
    QStringList visited;
    QWidget* widget = w.get(control::Text6);
    while (visited.size() < 9) {
      if (widget->focusPolicy() & Qt::TabFocus) visited << widget->objectName();
      widget = widget->nextInFocusChain();
    }
    QCOMPARE(visited, QStringList({control::Text6, control::rdsonVgs, control::Text3, control::VthCurrent,
                                   control::Text2, control::Button_Rgate, control::Vplat, control::Idplat,
                                   control::VgsPlat_Help}));
  }

  void neitherReturnInAFieldNorSwitchingPagesDoesAnything() {
    OpenWindow w;
    const WindowState before = w.window.state();
    QTest::keyClick(w.get(control::Text3), Qt::Key_Return);
    for (int i = w.window.pages()->count() - 1; i >= 0; --i) w.window.pages()->setCurrentIndex(i);
    QVERIFY(w.window.isVisible());
    QVERIFY(w.platform.messages.empty());
    QVERIFY(w.window.state() == before);
  }
};

VDMOS_UI_TEST(MainWindowTest);

}  // namespace vdmos::ui::test

#include "main_window_test.moc"

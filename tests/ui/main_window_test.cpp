#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "model/subcircuit.h"
#include "model/window_commands.h"
#include "ui/rgate_window.h"
#include "ui/text_box.h"
#include "ui_test_registry.h"
#include "window_driver.h"

namespace vdmos::ui::test {
namespace {

// The card of the start values, as the three lines of "Multiple Lines" and as one line.
const std::string kStartCard =
    ".MODEL 20N60C3 VDMOS(KP=6.4968 RS=0.0016 RD=0.1364 RG=0.54 VTO=3.0 \r\n"
    "+LAMBDA=0.001 CGDMAX=5561p CGDMIN=5p CGS=2350p TT=720n a=1.93\r\n"
    "+IS=1.47E-08 N=1.576 RB=0.006897 m=0.797 Vj=1.03 Cjo=9600.0pF)";
const std::string kStartCardOneLine =
    ".MODEL 20N60C3 VDMOS(KP=6.4968 RS=0.0016 RD=0.1364 RG=0.54 VTO=3.0 "
    "LAMBDA=0.001 CGDMAX=5561p CGDMIN=5p CGS=2350p TT=720n a=1.93 "
    "IS=1.47E-08 N=1.576 RB=0.006897 m=0.797 Vj=1.03 Cjo=9600.0pF)";

QString Display(const std::string& stateText) {
  return QString::fromStdString(stateText).replace("\r\n", "\n");
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void opensWithItsStartTexts() {
    OpenWindow w;
    QCOMPARE(w.window.windowTitle(), QString("Varnex - MOS Tool"));
    QCOMPARE(w.window.objectName(), QString("Form1"));
    QCOMPARE(w.get<QComboBox>("Combo1")->currentText(), QString("NMOS"));
    QCOMPARE(w.get<QCheckBox>("CheckDepMode")->checkState(), Qt::Unchecked);
    QCOMPARE(w.get<QCheckBox>("FixVTO")->checkState(), Qt::Checked);
    QVERIFY(w.get<QRadioButton>("OptionStandard")->isChecked());
    QVERIFY(!w.get<QRadioButton>("OptionSubCkt")->isChecked());
    QCOMPARE(w.shown("Text20"), QString("20N60C3"));
    QCOMPARE(w.shown("Text21"), QString("13000"));
    QCOMPARE(w.get<QLineEdit>("Text21")->toolTip(), QString("Coss is allways higher then Crss"));
    QCOMPARE(w.get<QLabel>("Label_DcParam")->text(), QString("KP  RS  RD  VTO"));
    QCOMPARE(w.get<QPlainTextEdit>("SubCktTextBox")->toPlainText(), QString("Subcircuit model\n"));
    QCOMPARE(w.get<QPlainTextEdit>("LibTextBox")->lineWrapMode(), QPlainTextEdit::NoWrap);
    QCOMPARE(w.get<QLabel>("FileName")->text(), QString("VDmos.lib"));
    QVERIFY(!w.get("Image2")->isVisible());
    QVERIFY(!w.get("Image3")->isVisible());

    QTabWidget* pages = w.window.pages();
    const QStringList captions = {"DC characteristics", "AC characteristics", "VDmos Model", "Lib manager",
                                  "Model check"};
    QCOMPARE(pages->count(), captions.size());
    for (int i = 0; i < captions.size(); ++i) QCOMPARE(pages->tabText(i), captions[i]);
  }

  // Every text the commands write has a widget of the same name to show it.
  void everyStateTextHasItsWidget() {
    OpenWindow w;
    for (const std::string& name : w.window.state().textControls())
      QVERIFY2(w.window.controls().find(name), name.c_str());
    for (const std::string& name : w.window.state().checkBoxes())
      QVERIFY2(w.get<QCheckBox>(name), name.c_str());
    for (const std::string& name : w.window.state().switchableControls())
      QVERIFY2(w.window.controls().find(name), name.c_str());
  }

  void typingAndUpdateModelShowsTheStartCard() {
    OpenWindow w;
    w.type("Text20", "IRF");
    QCOMPARE(w.window.state().text("Text20"), std::string("IRF"));
    w.type("Text20", "20N60C3");
    w.click("Command2");
    QCOMPARE(w.window.state().text("Text19"), kStartCard);
    QCOMPARE(w.get<QPlainTextEdit>("Text19")->toPlainText(), Display(kStartCard));

    // Both ways of copying hand over the state's text with its CR LF line ends.
    w.click("Command1");
    QCOMPARE(w.platform.clipboard, std::optional(kStartCard));
    auto* card = w.get<QPlainTextEdit>("Text19");
    card->selectAll();
    card->copy();
    QCOMPARE(QApplication::clipboard()->text(), QString::fromStdString(kStartCard));
  }

  void multipleLinesTogglesTheCardForm() {
    OpenWindow w;
    w.click("Command2");
    w.click("LineBreak");
    QCOMPARE(w.window.state().check("LineBreak"), 0);
    QCOMPARE(w.window.state().text("Text19"), kStartCardOneLine);
    QCOMPARE(w.get<QPlainTextEdit>("Text19")->toPlainText(), QString::fromStdString(kStartCardOneLine));
    w.click("LineBreak");
    QCOMPARE(w.get<QCheckBox>("LineBreak")->checkState(), Qt::Checked);
    QCOMPARE(w.window.state().text("Text19"), kStartCard);
  }

  void dcUpdateFillsStatusBarAndLabels() {
    OpenWindow w;
    w.click("Update_DC");
    QCOMPARE(w.window.findChild<QLabel*>("StatusBar1Text")->text(),
             QString("Transfer function matched Iter=3"));
    QCOMPARE(w.get<QLabel>("Label_DcParam")->text(), QString("KP=6.4968 RS=0.0016 RD=0.1364 VTO=3.0"));
    QCOMPARE(w.get<QLabel>("Label_Rds")->text(), QString("Rdson=0.16015"));
    QCOMPARE(w.get<QLabel>("DATA1")->text(), QString("Vgs=5.5 Id=20.693"));
    QCOMPARE(w.get<QLabel>("DATA2")->text(), QString("Vgs=7.5 Id=65.315"));
    QCOMPARE(w.shown("OUT_ID1"), QString("19.924"));
    QCOMPARE(w.shown("OUT_ID2"), QString("20.213"));
    QCOMPARE(w.shown("Text_LAMBDA"), QString("0.001"));
  }

  void messageTextsReachThePlatform() {
    OpenWindow w;
    w.click("HelpSubCkt");
    QCOMPARE(w.platform.messages.size(), std::size_t(1));
    QCOMPARE(w.platform.messages[0].text, std::string(kSubCktHelpText));

    w.get<QAction>("about")->trigger();
    QCOMPARE(w.platform.messages.size(), std::size_t(2));
    QCOMPARE(w.platform.messages[1].title, std::string("About"));
    QCOMPARE(w.platform.messages[1].text, AboutText());
  }

  void newEmptiesTheFieldsAndDisablesTheSubcircuit() {
    OpenWindow w;
    w.click("Command2");
    w.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w.window));
    QTest::keyClick(&w.window, Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(w.shown("Text20"), QString());
    QCOMPARE(w.shown("Text6"), QString());
    QCOMPARE(w.shown("rdsonVgs"), QString("10"));
    QCOMPARE(w.shown("TextVdsMiddle"), QString("25"));
    QCOMPARE(w.shown("avalanche_volt"), QString());
    QCOMPARE(w.get<QPlainTextEdit>("Text19")->toPlainText(), QString());
    QVERIFY(!w.get("SubCktTextBox")->isEnabled());
    QVERIFY(!w.get("CopyToClipBoardSubCkt")->isEnabled());
    QCOMPARE(w.shown("Text_LAMBDA"), QString("0.001"));

    // Typing a breakdown voltage is a change of its own: the subcircuit comes back.
    w.type("avalanche_volt", "600");
    QVERIFY(w.get("SubCktTextBox")->isEnabled());
    QVERIFY(w.get("CopyToClipBoardSubCkt")->isEnabled());
  }

  void helpButtonsShowAtMostOnePicture() {
    OpenWindow w;
    w.click("VgsPlat_Help");
    QVERIFY(w.get("Image2")->isVisible());
    w.click("VgsPlat_Help");
    QVERIFY(!w.get("Image2")->isVisible());
    w.click("VgsPlat_Help");
    w.click("transf_help");
    QVERIFY(!w.get("Image2")->isVisible());
    QVERIFY(w.get("Image3")->isVisible());
    QCOMPARE(w.get("Image3")->pos(), QPoint(0, 0));
    QCOMPARE(w.get("Image2")->pos(), QPoint(0, 0));
  }

  void gateResistanceWindowEstimatesRg() {
    OpenWindow w;
    w.click("Button_Rgate");
    RgateWindow* rgate = w.window.rgateWindow();
    QVERIFY(rgate && rgate->isVisible());
    QCOMPARE(rgate->windowTitle(), QString("Rgate from Ciss and td"));
    auto field = [rgate](const char* name) { return rgate->controls().get<QLineEdit>(name); };
    QCOMPARE(field("Text_VGG")->text(), QString("10"));
    QCOMPARE(field("Text_VGSP")->text(), QString("5.5"));
    QCOMPARE(field("Text_Rout")->text(), QString("-"));
    for (auto [name, text] :
         {std::pair{"Text_Rout", "2"}, {"Text_Td_On", "15"}, {"Text_Qgs", "10"}, {"Text_Qgd", "20"}}) {
      field(name)->selectAll();
      QTest::keyClicks(field(name), text);
    }
    QTest::keyClick(field("Text_Qgd"), Qt::Key_Return);  // Return closes nothing
    QVERIFY(rgate->isVisible());
    QTest::mouseClick(rgate->controls().get<QAbstractButton>("OkButton"), Qt::LeftButton);
    QCOMPARE(w.shown("Text2"), QString("5.77"));
    QVERIFY(rgate->isVisible());

    // Closing unloads the window; the next opening starts afresh.
    rgate->close();
    QVERIFY(!w.window.rgateWindow());
    QVERIFY(!w.window.state().rgate);
    w.click("Button_Rgate");
    QCOMPARE(w.window.rgateWindow()->controls().get<QLineEdit>("Text_Rout")->text(), QString("-"));
  }

  // Each remaining button and menu entry reaches its command: what the command shows or asks
  // arrives at the platform, or its result at the widgets.
  void everyOtherEventRunsItsCommand() {
    OpenWindow w;
    w.click("Update_AC");
    QCOMPARE(w.get<QLabel>("Label_ACparam")->text(), QString("CGDMAX=5561p CGDMIN=5p CGS=2350p TT=720n "));
    QCOMPARE(w.get<QLabel>("Ciss_on")->text(), QString("5750"));

    w.click("Command2");
    w.click("CopyToClipBoardSubCkt");
    QCOMPARE(w.platform.clipboard, std::optional(w.window.state().text("SubCktTextBox")));

    w.click("SaveModel");
    w.click("SaveLib");
    w.get<QAction>("save")->trigger();
    QCOMPARE(w.platform.saveRequests.size(), std::size_t(3));
    QCOMPARE(w.platform.saveRequests[0].initialName, std::string("20N60C3.lib"));
    QCOMPARE(w.platform.saveRequests[1].initialName, std::string("VDmos.lib"));

    w.get<QAction>("open")->trigger();
    QCOMPARE(w.platform.openRequests.size(), std::size_t(1));
    w.get<QAction>("testcircuits")->trigger();
    QCOMPARE(w.platform.folderTitles, std::vector<std::string>{"Select the folder to save to"});
  }

  // The ngspice subcircuit's copy button sits beside the subcircuit's own; without a breakdown
  // voltage it says why instead of copying.
  void copyNgspiceSubcircuitCopiesItOrSaysWhyNot() {
    OpenWindow w;
    auto* copy = w.get<QPushButton>("CopyToClipBoardNgspiceSubCkt");
    QCOMPARE(copy->text(), QString("Copy ngspice subcircuit to clipboard"));
    QCOMPARE(copy->parentWidget(), w.get("CopyToClipBoardSubCkt")->parentWidget());
    w.click("Command2");
    w.click("CopyToClipBoardNgspiceSubCkt");
    QCOMPARE(w.platform.clipboard, std::optional(NgspiceSubCircuit(w.window.state()).text));
    QVERIFY(w.platform.clipboard->find("BV=630 IBV=250u") != std::string::npos);
    QVERIFY(w.platform.messages.empty());

    w.platform.clipboard.reset();
    w.type("avalanche_volt", "");
    w.click("CopyToClipBoardNgspiceSubCkt");
    QCOMPARE(w.platform.clipboard, std::nullopt);
    QCOMPARE(w.platform.MessageTexts(), std::vector<std::string>{std::string(kNgspiceSubCktNoBreakdownText)});
  }

  void shortcutsOpenAndSave() {
    OpenWindow w;
    w.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w.window));
    QTest::keyClick(&w.window, Qt::Key_O, Qt::ControlModifier);
    QTest::keyClick(&w.window, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(w.platform.openRequests.size(), std::size_t(1));
    QCOMPARE(w.platform.saveRequests.size(), std::size_t(1));
  }

  void choosingAFetTypeWaitsForTheNextUpdate() {
    OpenWindow w;
    w.click("Command2");
    auto* type = w.get<QComboBox>("Combo1");
    type->setCurrentIndex(1);
    emit type->activated(1);  // what choosing from the list sends
    QCOMPARE(w.window.state().text("Combo1"), std::string("PMOS"));
    QCOMPARE(w.window.state().text("Text19"), kStartCard);
    w.click("Command2");
    QVERIFY(w.window.state().text("Text19").ends_with(" PCHAN)"));

    // Typing the type is a text change: the card follows at once.
    type->lineEdit()->selectAll();
    QTest::keyClicks(type->lineEdit(), "NMOS");
    QCOMPARE(w.window.state().text("Text19"), kStartCard);
  }

  void grayedCheckBoxShowsThirdStateAndClicksToChecked() {
    OpenWindow w;
    w.window.state().setCheck("FixVTO", 2);
    w.window.mirrorState();
    QCOMPARE(w.get<QCheckBox>("FixVTO")->checkState(), Qt::PartiallyChecked);
    w.click("FixVTO");
    QCOMPARE(w.window.state().check("FixVTO"), 1);
    w.click("FixVTO");
    QCOMPARE(w.window.state().check("FixVTO"), 0);
    QCOMPARE(w.get<QCheckBox>("FixVTO")->checkState(), Qt::Unchecked);
  }

  void optionsStayExclusive() {
    OpenWindow w;
    w.click("OptionSubCkt");
    QVERIFY(w.window.state().optionSubCkt && !w.window.state().optionStandard);
    QVERIFY(!w.get<QRadioButton>("OptionStandard")->isChecked());
    w.click("OptionSubCkt");  // a selected option stays selected
    QVERIFY(w.get<QRadioButton>("OptionSubCkt")->isChecked());
    w.click("OptionStandard");
    QVERIFY(w.window.state().optionStandard && !w.window.state().optionSubCkt);
  }

  void libraryEditsAreKeptAndTheCaretFollowsCommands() {
    OpenWindow w;
    auto* library = w.get<QPlainTextEdit>("LibTextBox");
    w.showPageOf(library);
    QTest::keyClicks(library, "* mine");
    QTest::keyClick(library, Qt::Key_Return);
    w.click("Add");
    const std::string expected = "* mine\r\n" + kStartCard + "\r\n";
    QCOMPARE(w.window.state().text("LibTextBox"), expected);
    QCOMPARE(library->textCursor().position(), library->toPlainText().size());

    // A cancelled open still puts the caret at the end, wherever the user left it.
    library->moveCursor(QTextCursor::Start);
    w.click("OpenLib");
    QCOMPARE(w.platform.openRequests.size(), std::size_t(1));
    QCOMPARE(library->textCursor().position(), library->toPlainText().size());
    QCOMPARE(w.window.state().text("LibTextBox"), expected);
  }

  void tabVisitsFieldsInReadingOrder() {
    OpenWindow w;
    QStringList visited;
    QWidget* widget = w.get("Text6");
    while (visited.size() < 8) {
      if (widget->focusPolicy() & Qt::TabFocus) visited << widget->objectName();
      widget = widget->nextInFocusChain();
    }
    QCOMPARE(visited, QStringList({"Text6", "rdsonVgs", "Text3", "Text2", "Button_Rgate", "Vplat", "Idplat",
                                   "VgsPlat_Help"}));
  }

  void returnInAFieldClosesNothing() {
    OpenWindow w;
    QTest::keyClick(w.get("Text3"), Qt::Key_Return);
    QVERIFY(w.window.isVisible());
    QVERIFY(w.platform.messages.empty());
  }

  void switchingPagesChangesNothing() {
    OpenWindow w;
    const WindowState before = w.window.state();
    for (int i = w.window.pages()->count() - 1; i >= 0; --i) w.window.pages()->setCurrentIndex(i);
    QVERIFY(w.window.state() == before);
  }

  void addedPageComesLast() {
    OpenWindow w;
    w.window.addPage(new QWidget, "Extra");
    QCOMPARE(w.window.pages()->tabText(w.window.pages()->count() - 1), QString("Extra"));
  }
};

VDMOS_UI_TEST(MainWindowTest);

}  // namespace vdmos::ui::test

#include "main_window_test.moc"

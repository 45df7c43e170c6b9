#include "ui/main_window.h"

#include <QAbstractButton>
#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <optional>

#include "commands/control_table.h"
#include "commands/gate_resistance.h"
#include "commands/model_update.h"
#include "model/control_names.h"
#include "refine/refine_command.h"
#include "refine/switch_advice.h"
#include "ui/check_box.h"
#include "ui/curves_window.h"
#include "ui/field_marks.h"
#include "ui/model_check_page.h"
#include "ui/page_scroll_area.h"
#include "ui/pages.h"
#include "ui/result_exports.h"
#include "ui/rgate_window.h"
#include "ui/text_box.h"
#include "ui/text_bridge.h"
#include "ui/window_icon.h"
#include "ui/window_texts.h"
#include "verify/ngspice_circuit_export.h"

namespace vdmos::ui {
namespace {

struct MenuEntry {
  const WindowText& text;
  QKeySequence::StandardKey shortcut;
};

// New has no shortcut: one slip of the fingers would empty every field, with no way back.
constexpr MenuEntry kFileMenu[] = {
    {texts::New, QKeySequence::UnknownKey},
    {texts::open, QKeySequence::Open},
    {texts::save, QKeySequence::Save},
    {texts::curves, QKeySequence::UnknownKey},
    {texts::testcircuits, QKeySequence::UnknownKey},
    {texts::ngspicecircuits, QKeySequence::UnknownKey},
    {texts::CopyCheckTable, QKeySequence::UnknownKey},
    {texts::SaveCheckTable, QKeySequence::UnknownKey},
    {texts::savePlots, QKeySequence::UnknownKey},
};
constexpr MenuEntry kHelpMenu[] = {
    {texts::about, QKeySequence::UnknownKey},
};

// The commands of the daily round, on keys that work from every page and clash with nothing
// the fields or text boxes use. The model check's two come with their page to the front.
struct CommandKey {
  control::Name button;
  Qt::Key key;
  bool showsCheckPage;
};
constexpr CommandKey kCommandKeys[] = {{control::Command2, Qt::Key_F5, false},
                                       {control::SimulateNgspice, Qt::Key_F6, true},
                                       {control::RefineModel, Qt::Key_F7, true}};

// The text boxes whose edits are taken just before a command rather than on every key.
constexpr control::Name kTextBoxes[] = {control::Text19, control::SubCktTextBox, control::LibTextBox};

}  // namespace

MainWindow::MainWindow(Platform& platform, QWidget* parent)
    : QMainWindow(parent), session_(platform, checkRuns_) {
  setObjectName("Form1");
  setWindowTitle(kMainWindowTitle);
  setWindowIcon(WindowIcon());
  ControlFactory make(controls_);

  auto* central = new QWidget;
  central->setObjectName("Client");
  auto* column = new QVBoxLayout(central);
  column->addWidget(BuildTopRow(make));
  pages_ = new QTabWidget;
  pages_->setObjectName("SSTab1");
  controls_.add(pages_);
  addPage(BuildDcPage(make), Caption(texts::PageDc));
  addPage(BuildAcPage(make), Caption(texts::PageAc));
  addPage(BuildModelPage(make), Caption(texts::PageModel));
  addPage(BuildLibPage(make), Caption(texts::PageLib));
  modelCheck_ = new ModelCheckPage(make, session_);
  session_.checkFinished = [this] { modelCheck_->showFinishedCheck(); };
  addPage(modelCheck_, Caption(texts::PageCheck));
  column->addWidget(pages_, 1);
  setCentralWidget(central);
  make.applyTabOrder();
  // The page tabs sit between the top row and the page: Tab reaches them there.
  QWidget::setTabOrder(controls_.get<QWidget>(control::CheckDepMode), pages_->tabBar());

  auto* status = new QStatusBar;
  status->setObjectName(ToQString(control::StatusBar1));
  statusText_ = new QLabel;
  statusText_->setObjectName("StatusBar1Text");
  // A long fit message must not widen the window.
  statusText_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  status->addWidget(statusText_, 1);
  setStatusBar(status);
  controls_.add(status);

  buildMenus();
  bindCommandKeys();
  bindControls();
  new ResultExports(*this);
  mirrorState();
  fitToScreen();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildMenus() {
  auto addMenu = [this](const WindowText& text, const auto& entries) {
    QMenu* menu = menuBar()->addMenu(MenuCaption(text));
    menu->setObjectName(ToQString(text.name));
    controls_.add(menu);
    for (const MenuEntry& entry : entries) {
      QAction* action = menu->addAction(MenuCaption(entry.text));
      action->setObjectName(ToQString(entry.text.name));
      if (entry.shortcut != QKeySequence::UnknownKey) action->setShortcut(entry.shortcut);
      controls_.add(action);
    }
    return menu;
  };
  QMenu* file = addMenu(texts::file, kFileMenu);
  addMenu(texts::help, kHelpMenu);

  // Quitting is closing the window, which ends the program as the close button does.
  file->addSeparator();
  QAction* quit = file->addAction(MenuCaption(texts::quit));
  quit->setObjectName(ToQString(texts::quit.name));
  quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  controls_.add(quit);
  connect(quit, &QAction::triggered, this, &QWidget::close);
}

void MainWindow::bindCommandKeys() {
  for (const CommandKey& command : kCommandKeys) {
    auto* button = controls_.get<QPushButton>(command.button);
    const QKeySequence key(command.key);
    const QString tip = button->toolTip().isEmpty() ? button->text().remove('&') : button->toolTip();
    button->setToolTip(tip + " (" + key.toString(QKeySequence::NativeText) + ")");
    auto* shortcut = new QShortcut(key, this);
    shortcut->setObjectName(button->objectName() + "Key");
    connect(shortcut, &QShortcut::activated, this, [this, button, command] {
      if (!button->isEnabled()) return;
      if (command.showsCheckPage) showPageOf(modelCheck_);
      button->click();
    });
  }
}

void MainWindow::bindControls() {
  for (const ControlAction& action : ControlActions()) bindControl(action);
  for (const SessionControl& control : SessionControls()) bindSessionControl(control);
  connect(controls_.get<QAction>(texts::curves.name), &QAction::triggered, this,
          &MainWindow::showCurvesWindow);
  connect(controls_.get<QPushButton>(texts::ShowCurves.name), &QPushButton::clicked, this,
          &MainWindow::showCurvesWindow);
  // The gate resistance window is made by the command; a click while it is open brings it up.
  connect(controls_.get<QPushButton>(control::Button_Rgate), &QPushButton::clicked, this, [this] {
    if (rgate_) {
      rgate_->raise();
      rgate_->activateWindow();
    }
  });
}

void MainWindow::bindControl(const ControlAction& action) {
  const Command command = action.command;
  switch (action.kind) {
    case ControlKind::Field:
      // The state follows every keystroke; the window is mirrored only when a command ran.
      connect(controls_.get<QLineEdit>(action.control), &QLineEdit::textEdited, this,
              [this, &action](const QString& text) {
                takePendingEdits();
                session_.Type(action, text.toStdString());
                if (action.command) {
                  mirrorState();
                } else {
                  MarkFields(controls_, session_.FieldWarnings());
                  showTitle();
                }
              });
      break;
    case ControlKind::FetType: {
      // Typing into the box is a text change; choosing from its list is not.
      auto* fetType = controls_.get<QComboBox>(action.control);
      connect(fetType->lineEdit(), &QLineEdit::textEdited, this, [this, &action](const QString& text) {
        takePendingEdits();
        session_.Type(action, text.toStdString());
        mirrorState();
      });
      connect(fetType, &QComboBox::activated, this, [this, fetType](int index) {
        session_.ChooseFetType(fetType->itemText(index).toStdString());
        showTitle();  // a changed FET type is unsaved work
      });
      break;
    }
    case ControlKind::CheckBox: {
      auto* box = controls_.get<CheckBox>(action.control);
      connect(box, &QCheckBox::clicked, this, [this, box, &action] {
        takePendingEdits();
        session_.ClickBox(action, box->value());
        if (action.command)
          mirrorState();
        else
          modelCheck_->showAdvice();  // it marks the window's own setting of the switches
      });
      break;
    }
    case ControlKind::Option:  // a click selects the option, even when it was selected already
    case ControlKind::Button:
      connect(controls_.get<QAbstractButton>(action.control), &QAbstractButton::clicked, this,
              [this, command, &action] {
                if (action.control != control::OpenLib || mayGiveUp(false, true)) runCommand(command);
              });
      break;
    case ControlKind::MenuEntry:
      connect(controls_.get<QAction>(action.control), &QAction::triggered, this, [this, command, &action] {
        const bool givesUpValues = action.control == control::New || action.control == control::open;
        if (!givesUpValues || mayGiveUp(true, false)) runCommand(command);
      });
      break;
  }
}

bool MainWindow::mayGiveUp(bool values, bool library) {
  takePendingEdits();
  if (values && session_.ValuesModified() &&
      !offerToSave(texts::UnsavedValues, control::save, &WindowSession::ValuesModified))
    return false;
  return !library || !session_.LibraryModified() ||
         offerToSave(texts::UnsavedLibrary, control::SaveLib, &WindowSession::LibraryModified);
}

bool MainWindow::offerToSave(const WindowText& question, control::Name save,
                             bool (WindowSession::*modified)() const) {
  switch (session_.platform().AskSaveDiscardCancel(question.caption, kMainWindowTitle)) {
    case Answer::Yes:
      session_.Click(save);
      mirrorState();
      // A save cancelled in its dialog, or one that failed, keeps the work and the window.
      return !(session_.*modified)();
    case Answer::No:
      return true;
    case Answer::Cancel:
      break;
  }
  return false;
}

// The values file's name, and a mark while anything is unsaved.
void MainWindow::showTitle() {
  QString title = kMainWindowTitle;
  if (const std::string& file = state().valuesFile; !file.empty())
    title = QFileInfo(ToQString(file)).fileName() + " - " + title;
  if (session_.ValuesModified() || session_.LibraryModified()) title.prepend(kModifiedMark);
  setWindowTitle(title);
}

void MainWindow::bindSessionControl(const SessionControl& control) {
  const auto click = [this, name = control.control] {
    takePendingEdits();
    session_.Click(name);
    mirrorState();
  };
  if (control.kind == ControlKind::MenuEntry)
    connect(controls_.get<QAction>(control.control), &QAction::triggered, this, click);
  else
    connect(controls_.get<QAbstractButton>(control.control), &QAbstractButton::clicked, this, click);
}

// Past the page's last control Tab goes round to the top row, as the page tabs come after it:
// the model's name and type are a keystroke away, not the whole page backwards.
bool MainWindow::focusNextPrevChild(bool next) {
  QWidget* page = pages_->currentWidget();
  QWidget* current = focusWidget();
  if (!next || !current || !page->isAncestorOf(current)) return QMainWindow::focusNextPrevChild(next);
  QWidget* following = current->nextInFocusChain();
  while (following != current &&
         !(following->isVisible() && following->isEnabled() && (following->focusPolicy() & Qt::TabFocus)))
    following = following->nextInFocusChain();
  if (page->isAncestorOf(following)) return QMainWindow::focusNextPrevChild(next);
  controls_.get<QWidget>(control::Text20)->setFocus(Qt::TabFocusReason);
  return true;
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!mayGiveUp(true, true)) {
    event->ignore();
    return;
  }
  if (rgate_) rgate_->close();
  if (curves_) curves_->close();
  QMainWindow::closeEvent(event);
}

void MainWindow::showPageOf(QWidget* control) {
  for (int i = 0; i < pages_->count(); ++i)
    if (pages_->widget(i)->isAncestorOf(control)) pages_->setCurrentIndex(i);
}

void MainWindow::addPage(QWidget* page, const QString& caption) {
  pages_->addTab(new PageScrollArea(page), caption);
}

// The window opens as large as its pages ask, but within the screen's free area, less room for
// the window's title bar and for a desktop panel that the free area may not leave out. Pages
// that need more room than that scroll.
void MainWindow::fitToScreen() {
  constexpr QSize kDecorationRoom(16, 48);
  const QSize room = screen()->availableGeometry().size() - kDecorationRoom;
  resize(sizeHint().boundedTo(room).expandedTo(minimumSizeHint()));
}

void MainWindow::showCurvesWindow() {
  if (!curves_) {
    curves_ = new CurvesWindow(session_, this);
    connect(curves_, &CurvesWindow::changed, this, &MainWindow::mirrorState);
  }
  curves_->showCurves();
  curves_->show();
  curves_->raise();
  curves_->activateWindow();
}

void MainWindow::setVerifyOptions(const VerifyOptions& options) { checkRuns_.setOptions(options); }

void MainWindow::openValuesFile(const std::string& path) {
  if (!mayGiveUp(true, false)) return;
  takePendingEdits();
  session_.OpenValuesFile(path);
  mirrorState();
}

void MainWindow::runCommand(Command command) {
  takePendingEdits();
  session_.Run(command);
  mirrorState();
}

void MainWindow::takePendingEdits() {
  for (control::Name name : kTextBoxes) {
    auto* box = controls_.get<TextBox>(name);
    if (box->edited()) state().setText(name, box->takeEditedText());
  }
  auto* library = controls_.get<TextBox>(control::LibTextBox);
  if (library->caretMoved()) placedLibCaret_ = state().libCaret = library->takeCaret();
  if (rgate_ && state().rgate) rgate_->takeEdits(*state().rgate);
}

void MainWindow::mirrorState() {
  if (state().valuesFile != shownValuesFile_) {
    shownValuesFile_ = state().valuesFile;
    if (!shownValuesFile_.empty()) emit valuesFileChanged(ToQString(shownValuesFile_));
  }
  showTitle();
  mirrorTexts();
  for (const std::string& name : state().checkBoxes()) {
    if (auto* box = controls_.get<CheckBox>(name)) {
      const QSignalBlocker blocker(box);
      box->setValue(state().check(name));
    }
  }
  for (auto [name, selected] : {std::pair{control::OptionStandard, state().optionStandard},
                                std::pair{control::OptionSubCkt, state().optionSubCkt}}) {
    auto* option = controls_.get<QRadioButton>(name);
    const QSignalBlocker blocker(option);
    option->setChecked(selected);
  }
  for (const std::string& name : state().switchableControls())
    if (auto* widget = controls_.get<QWidget>(name)) widget->setEnabled(state().enabled(name));
  for (control::Name picture : {control::Image1, control::Image2, control::Image3})
    controls_.get<QWidget>(picture)->setVisible(state().visible(picture));
  mirrorGateResistanceWindow();
  if (curves_) curves_->showCurves();
  // The status bar names the fields the last command did not read as typed; a refinement's
  // summary can be longer than the window is wide: the tool tip keeps it whole.
  const std::vector<FieldWarning> warnings = session_.FieldWarnings();
  MarkFields(controls_, warnings);
  statusText_->setText(WithNamedFields(ToQString(state().text(control::StatusBar1)), warnings));
  statusText_->setToolTip(statusText_->text());
  modelCheck_->showModel();
}

void MainWindow::mirrorTexts() {
  bool libraryReplaced = false;
  for (const std::string& name : state().textControls()) {
    QObject* control = controls_.find(name);
    const std::string& text = state().text(name);
    const QSignalBlocker blocker(control);
    if (auto* field = qobject_cast<QLineEdit*>(control)) {
      if (const QString shown = ToQString(text); field->text() != shown) field->setText(shown);
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
      label->setText(ToQString(text));
    } else if (auto* box = qobject_cast<TextBox*>(control)) {
      const bool replaced = box->showStateText(text);
      if (name == control::LibTextBox) libraryReplaced = replaced;
    } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
      if (const QString shown = ToQString(text); combo->currentText() != shown) {
        const int item = combo->findText(shown);
        if (item >= 0)
          combo->setCurrentIndex(item);
        else
          combo->setEditText(shown);
      }
    }
  }
  mirrorLibraryCaret(libraryReplaced);
}

// The caret is placed only when a command moved it or replaced the text, so that the
// user's own caret survives commands that have nothing to do with the library.
void MainWindow::mirrorLibraryCaret(bool textReplaced) {
  if (!textReplaced && state().libCaret == placedLibCaret_) return;
  controls_.get<TextBox>(control::LibTextBox)->setStateCaret(state().libCaret);
  placedLibCaret_ = state().libCaret;
}

void MainWindow::mirrorGateResistanceWindow() {
  if (!state().rgate) {
    if (rgate_) {
      rgate_->hide();
      rgate_->deleteLater();
      rgate_ = nullptr;
    }
    return;
  }
  if (!rgate_) {
    rgate_ = new RgateWindow(this);
    connect(rgate_, &RgateWindow::edited, this, [this] {
      if (state().rgate) rgate_->takeEdits(*state().rgate);
    });
    connect(rgate_, &RgateWindow::okClicked, this, [this] { runCommand(OkButton_Click); });
    connect(rgate_, &RgateWindow::closed, this, [this] { runCommand(Form_Rgate_Unload); });
    rgate_->showForm(*state().rgate);
    rgate_->show();
    return;
  }
  rgate_->showForm(*state().rgate);
}

}  // namespace vdmos::ui

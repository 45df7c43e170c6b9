#include "ui/main_window.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "extract/ac_update.h"
#include "extract/dc_update.h"
#include "extract/gate_resistance.h"
#include "files/datasheet_file.h"
#include "files/model_library.h"
#include "model/control_names.h"
#include "model/model_update.h"
#include "model/new_command.h"
#include "model/subcircuit.h"
#include "model/window_commands.h"
#include "refine/refine_command.h"
#include "refine/switch_advice.h"
#include "testcircuits/test_circuit_export.h"
#include "ui/check_box.h"
#include "ui/model_check_page.h"
#include "ui/pages.h"
#include "ui/rgate_window.h"
#include "ui/text_box.h"
#include "ui/text_bridge.h"
#include "ui/window_texts.h"
#include "verify/ngspice_circuit_export.h"

namespace vdmos::ui {
namespace {

struct Binding {
  control::Name name;
  Command command;
};

constexpr Binding kButtons[] = {
    {control::Update_DC, Update_DC_Click},
    {control::Update_AC, Update_AC_Click},
    {control::Command2, Command2_Click},
    {control::Command1, Command1_Click},
    {control::Button_Rgate, Button_Rgate_Click},
    {control::VgsPlat_Help, VgsPlat_Help_Click},
    {control::transf_help, transf_help_Click},
    {control::CopyToClipBoardSubCkt, CopyToClipBoardSubCkt_Click},
    {control::CopyToClipBoardNgspiceSubCkt, CopyToClipBoardNgspiceSubCkt_Click},
    {control::HelpSubCkt, HelpSubCkt_Click},
    {control::SaveModel, SaveModel_Click},
    {control::OpenLib, OpenLib_Click},
    {control::SaveLib, SaveLib_Click},
    {control::Add, Add_Click},
    {control::ApplyBestSwitches, ApplyBestSwitches_Click},
};

struct MenuEntry {
  control::Name name;
  Command command;
  QKeySequence::StandardKey shortcut;
};

constexpr MenuEntry kFileMenu[] = {
    {control::New, New_Click, QKeySequence::New},
    {control::open, open_Click, QKeySequence::Open},
    {control::save, save_Click, QKeySequence::Save},
    {control::testcircuits, testcircuits_Click, QKeySequence::UnknownKey},
    {control::ngspicecircuits, ngspicecircuits_Click, QKeySequence::UnknownKey},
};
constexpr MenuEntry kHelpMenu[] = {
    {control::about, about_Click, QKeySequence::UnknownKey},
};

// The text boxes whose edits are taken just before a command rather than on every key.
constexpr control::Name kTextBoxes[] = {control::Text19, control::SubCktTextBox, control::LibTextBox};

}  // namespace

MainWindow::MainWindow(Platform& platform, QWidget* parent) : QMainWindow(parent), platform_(platform) {
  setObjectName("Form1");
  setWindowTitle(kMainWindowTitle);
  ControlFactory make(controls_);

  auto* central = new QWidget;
  central->setObjectName("Client");
  auto* column = new QVBoxLayout(central);
  column->addWidget(BuildTopRow(make));
  pages_ = new QTabWidget;
  pages_->setObjectName("SSTab1");
  controls_.add(pages_);
  for (QWidget* page : {BuildDcPage(make), BuildAcPage(make), BuildModelPage(make), BuildLibPage(make)})
    pages_->addTab(page, Caption(page->objectName().toStdString()));
  modelCheck_ = new ModelCheckPage(make, platform_);
  addPage(modelCheck_, Caption(modelCheck_->objectName().toStdString()));
  column->addWidget(pages_, 1);
  setCentralWidget(central);
  make.applyTabOrder();

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
  bindControls();
  mirrorState();
  resize(sizeHint().expandedTo(minimumSizeHint()));
}

MainWindow::~MainWindow() = default;

void MainWindow::buildMenus() {
  auto addMenu = [this](const char* name, const auto& entries) {
    QMenu* menu = menuBar()->addMenu(Caption(name));
    menu->setObjectName(name);
    controls_.add(menu);
    for (const MenuEntry& entry : entries) {
      QAction* action = menu->addAction(Caption(entry.name));
      action->setObjectName(ToQString(entry.name));
      if (entry.shortcut != QKeySequence::UnknownKey) action->setShortcut(entry.shortcut);
      controls_.add(action);
      connect(action, &QAction::triggered, this, [this, command = entry.command] { runCommand(command); });
    }
  };
  addMenu("file", kFileMenu);
  addMenu("help", kHelpMenu);
}

void MainWindow::bindControls() {
  for (const Binding& binding : kButtons)
    connect(controls_.get<QPushButton>(binding.name), &QPushButton::clicked, this,
            [this, command = binding.command] { runCommand(command); });
  connect(controls_.get<QPushButton>(control::SimulateNgspice), &QPushButton::clicked, this,
          &MainWindow::simulateInNgspice);
  connect(controls_.get<QPushButton>(control::RefineModel), &QPushButton::clicked, this,
          &MainWindow::refineModel);
  connect(controls_.get<QPushButton>(control::Button_Rgate), &QPushButton::clicked, this, [this] {
    if (rgate_) {
      rgate_->raise();
      rgate_->activateWindow();
    }
  });

  // One-line fields: the state follows every keystroke; only the breakdown voltage has a
  // change handler of its own.
  for (QObject* control : controls_.all()) {
    auto* field = qobject_cast<QLineEdit*>(control);
    if (!field || !state_.hasText(field->objectName().toStdString())) continue;
    connect(field, &QLineEdit::textEdited, this,
            [this, name = field->objectName().toStdString()](const QString& text) {
              state_.setText(name, text.toStdString());
              if (name == control::avalanche_volt) runCommand(avalanche_volt_Change);
            });
  }

  // Typing into the FET type box is a text change; choosing from its list is not.
  auto* fetType = controls_.get<QComboBox>(control::Combo1);
  connect(fetType->lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) {
    state_.setText(control::Combo1, text.toStdString());
    runCommand(Combo1_Change);
  });
  connect(fetType, &QComboBox::activated, this, [this, fetType](int index) {
    state_.setText(control::Combo1, fetType->itemText(index).toStdString());
  });

  for (const std::string& name : state_.checkBoxes()) {
    auto* box = controls_.get<CheckBox>(name);
    if (!box) continue;
    connect(box, &QCheckBox::clicked, this, [this, box, name] {
      state_.setCheck(name, box->value());
      if (name == control::LineBreak)
        runCommand(LineBreak_Click);
      else
        modelCheck_->showAdvice(state_);  // it marks the window's own setting of the switches
    });
  }

  // Clicking an option selects it, even when it was selected already.
  connect(controls_.get<QRadioButton>(control::OptionStandard), &QRadioButton::clicked, this, [this] {
    state_.optionStandard = true;
    runCommand(OptionStandard_Click);
  });
  connect(controls_.get<QRadioButton>(control::OptionSubCkt), &QRadioButton::clicked, this, [this] {
    state_.optionSubCkt = true;
    runCommand(OptionSubCkt_Click);
  });
}

void MainWindow::addPage(QWidget* page, const QString& caption) { pages_->addTab(page, caption); }

void MainWindow::setVerifyOptions(const VerifyOptions& options) { modelCheck_->setVerifyOptions(options); }

// Like the test circuit export, the check updates the model first when the card box is empty.
// A card box that shows the update's error keeps an older card, which would be checked in
// place of the model the fields describe.
void MainWindow::simulateInNgspice() {
  takePendingEdits();
  const bool cardMade = EnsureCard(state_, platform_, kParameterErrorText);
  mirrorState();
  if (cardMade) modelCheck_->simulate(state_);
}

// The page keeps the card the refinement starts from, for a simulation to set beside the
// refined one. Like the command, an empty card box is filled by a model update first; taking
// that update here makes its card the one kept.
void MainWindow::refineModel() {
  takePendingEdits();
  EnsureCard(state_, platform_, std::nullopt);  // the refinement itself refuses a failed model
  const WindowState fitted = state_;
  RunUserCommand(RefineModel_Click, state_, platform_);
  if (state_.card != fitted.card) modelCheck_->keepFittedCard(fitted, state_.card);
  mirrorState();
}

void MainWindow::runCommand(Command command) {
  takePendingEdits();
  RunUserCommand(command, state_, platform_);
  mirrorState();
}

void MainWindow::takePendingEdits() {
  for (control::Name name : kTextBoxes) {
    auto* box = controls_.get<TextBox>(name);
    if (box->edited()) state_.setText(name, box->takeEditedText());
  }
  auto* library = controls_.get<TextBox>(control::LibTextBox);
  if (library->caretMoved()) placedLibCaret_ = state_.libCaret = library->takeCaret();
  if (rgate_ && state_.rgate) rgate_->takeEdits(*state_.rgate);
}

void MainWindow::mirrorState() {
  mirrorTexts();
  for (const std::string& name : state_.checkBoxes()) {
    if (auto* box = controls_.get<CheckBox>(name)) {
      const QSignalBlocker blocker(box);
      box->setValue(state_.check(name));
    }
  }
  for (auto [name, selected] : {std::pair{control::OptionStandard, state_.optionStandard},
                                std::pair{control::OptionSubCkt, state_.optionSubCkt}}) {
    auto* option = controls_.get<QRadioButton>(name);
    const QSignalBlocker blocker(option);
    option->setChecked(selected);
  }
  for (const std::string& name : state_.switchableControls())
    if (auto* widget = controls_.get<QWidget>(name)) widget->setEnabled(state_.enabled(name));
  for (control::Name picture : {control::Image1, control::Image2, control::Image3})
    controls_.get<QWidget>(picture)->setVisible(state_.visible(picture));
  mirrorGateResistanceWindow();
  modelCheck_->showModel(state_);
}

void MainWindow::mirrorTexts() {
  bool libraryReplaced = false;
  for (const std::string& name : state_.textControls()) {
    QObject* control = controls_.find(name);
    const std::string& text = state_.text(name);
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
    } else if (qobject_cast<QStatusBar*>(control)) {
      statusText_->setText(ToQString(text));
    }
  }
  mirrorLibraryCaret(libraryReplaced);
}

// The caret is placed only when a command moved it or replaced the text, so that the
// user's own caret survives commands that have nothing to do with the library.
void MainWindow::mirrorLibraryCaret(bool textReplaced) {
  if (!textReplaced && state_.libCaret == placedLibCaret_) return;
  controls_.get<TextBox>(control::LibTextBox)->setStateCaret(state_.libCaret);
  placedLibCaret_ = state_.libCaret;
}

void MainWindow::mirrorGateResistanceWindow() {
  if (!state_.rgate) {
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
      if (state_.rgate) rgate_->takeEdits(*state_.rgate);
    });
    connect(rgate_, &RgateWindow::okClicked, this, [this] { runCommand(OkButton_Click); });
    connect(rgate_, &RgateWindow::closed, this, [this] { runCommand(Form_Rgate_Unload); });
    rgate_->showForm(*state_.rgate);
    rgate_->show();
    return;
  }
  rgate_->showForm(*state_.rgate);
}

}  // namespace vdmos::ui

#pragma once
#include <QMainWindow>
#include <cstddef>
#include <string>

#include "app/window_session.h"
#include "ui/check_runs.h"
#include "ui/controls.h"

class QLabel;
class QTabWidget;

namespace vdmos::ui {

class CurvesWindow;
class ModelCheckPage;
class RgateWindow;

/// Form1: the window of the tool. It keeps no data of its own: every command runs on the
/// window session, and afterwards the whole state is mirrored into the widgets. The user's
/// edits are written back into the state as they happen (one-line fields, check boxes,
/// options) or just before the next command (the multi-line text boxes).
class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  /// Commands reach the outside world through `platform` (a QtPlatform in the program, a
  /// ScriptedPlatform in tests).
  explicit MainWindow(Platform& platform, QWidget* parent = nullptr);
  ~MainWindow() override;

  const WindowState& state() const { return session_.State(); }
  /// For a page that changes the state itself: call mirrorState() afterwards.
  WindowState& state() { return session_.EditableState(); }
  WindowSession& session() { return session_; }
  /// Takes the user's pending edits, runs a command as the user started it (an arithmetic
  /// fault restores the state and is reported), then mirrors the state.
  void runCommand(Command command);
  /// Shows the state in the widgets, with their signals blocked.
  void mirrorState();
  /// Opens a datasheet values file as File > Open does with it chosen, after the user saved or
  /// discarded unsaved values.
  void openValuesFile(const std::string& path);

  const Controls& controls() const { return controls_; }
  /// SSTab1, for pages added after "Lib manager".
  QTabWidget* pages() const { return pages_; }
  /// Appends a page after the existing ones; it scrolls when the window is smaller than it.
  void addPage(QWidget* page, const QString& caption);
  /// The gate resistance window while it is loaded, else nullptr.
  RgateWindow* rgateWindow() const { return rgate_; }
  /// The datasheet curves window once it has been opened, else nullptr.
  CurvesWindow* curvesWindow() const { return curves_; }
  /// Opens the datasheet curves window, or brings it up.
  void showCurvesWindow();
  /// The page "Model check".
  ModelCheckPage* modelCheckPage() const { return modelCheck_; }
  /// The ngspice program and the time limit for "Simulate in ngspice".
  void setVerifyOptions(const VerifyOptions& options);

 signals:
  /// A values file was opened or saved: its path.
  void valuesFileChanged(const QString& path);

 protected:
  /// Closing the window ends the program: the gate resistance window goes with it.
  void closeEvent(QCloseEvent* event) override;
  bool focusNextPrevChild(bool next) override;

 private:
  void buildMenus();
  void bindCommandKeys();
  void showPageOf(QWidget* control);
  void fitToScreen();
  void bindControls();
  void bindControl(const ControlAction& action);
  void takePendingEdits();
  void mirrorTexts();
  void mirrorLibraryCaret(bool textReplaced);
  void mirrorGateResistanceWindow();
  void bindSessionControl(const SessionControl& control);
  /// Before a command that gives up the fields' values or the library text: whether it may go on,
  /// after the user saved, discarded or (false) kept the unsaved work.
  bool mayGiveUp(bool values, bool library);
  bool offerToSave(const WindowText& question, control::Name save, bool (WindowSession::*modified)() const);
  void showTitle();

  CheckRuns checkRuns_;
  WindowSession session_;
  Controls controls_;
  QTabWidget* pages_ = nullptr;
  QLabel* statusText_ = nullptr;
  RgateWindow* rgate_ = nullptr;
  ModelCheckPage* modelCheck_ = nullptr;
  CurvesWindow* curves_ = nullptr;
  std::size_t placedLibCaret_ = 0;
  std::string shownValuesFile_;
};

}  // namespace vdmos::ui

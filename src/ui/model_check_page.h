#pragma once
#include <QFutureWatcher>
#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#include "model/window_state.h"
#include "platform/platform.h"
#include "verify/verify_model.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace vdmos::ui {

class CheckPlot;
class CheckTable;
class ControlFactory;

/// The page "Model check": the model's curves against the datasheet's points in four plots,
/// and the check of the card in ngspice. A simulation runs on a worker thread on a copy of
/// the state as it was when it started, so the user may go on working meanwhile; its table
/// names the model it belongs to, and its curves are drawn only over that same model.
class ModelCheckPage : public QWidget {
  Q_OBJECT
 public:
  ModelCheckPage(ControlFactory& make, Platform& platform, QWidget* parent = nullptr);
  ~ModelCheckPage() override;

  /// Redraws the plots when the model parameters, the card or a datasheet field differ from
  /// what they were drawn from; otherwise costs a comparison.
  void showModel(const WindowState& state);
  /// Starts the check in ngspice of the state as it is now; does nothing while one runs.
  void simulate(const WindowState& state);
  bool simulating() const { return watcher_.isRunning(); }
  /// The ngspice program and the time limit of the next simulations.
  void setVerifyOptions(VerifyOptions options) { options_ = std::move(options); }

 signals:
  /// A simulation has ended, and its table or its failure message has been shown.
  void simulationFinished();

 private:
  /// What the plots show is computed from this much of the state.
  struct Source {
    ModelParameterSet params;
    CardTexts card;
    std::vector<std::string> fields;
    friend bool operator==(const Source&, const Source&) = default;
  };
  static Source SourceOf(const WindowState& state);

  void takeResult();
  void showSimulatedCurves();
  void showTableCaption();

  Platform& platform_;
  VerifyOptions options_;
  std::optional<Source> drawn_;  // what the plots were last drawn from

  // The running simulation, then the one whose table is shown.
  Source started_;
  std::string startedName_;
  std::optional<Source> shown_;
  std::string shownName_;
  std::vector<std::string> shownWarnings_;
  Characteristics simulated_;
  QFutureWatcher<VerificationResult> watcher_;

  QPushButton* simulateButton_;
  QProgressBar* busy_;
  QLabel* message_;
  CheckPlot* transfer_;
  CheckPlot* output_;
  CheckPlot* capacitances_;
  CheckPlot* bodyDiode_;
  QLabel* tableCaption_;
  CheckTable* table_;
};

}  // namespace vdmos::ui

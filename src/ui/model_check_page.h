#pragma once
#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#include "model/window_state.h"
#include "platform/platform.h"
#include "ui/check_runs.h"
#include "verify/verify_model.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace vdmos::ui {

class CheckPlot;
class CheckTable;
class ControlFactory;
class SwitchAdviceTable;

/// The page "Model check": the model's curves against the datasheet's points in four plots,
/// the advice on the DC-fit switches, and the check of the card in ngspice. A simulation runs
/// on a worker thread on a copy of the state as it was when it started, so the user may go on
/// working meanwhile; its table names the model it belongs to, and its curves are drawn only
/// over that same model. After a refinement the page keeps the fitted card, and a simulation
/// checks it beside the refined one, until anything replaces the refined card.
class ModelCheckPage : public QWidget {
  Q_OBJECT
 public:
  ModelCheckPage(ControlFactory& make, Platform& platform, QWidget* parent = nullptr);
  ~ModelCheckPage() override;

  /// Shows the switch advice, and redraws the plots when the model parameters, the card or a
  /// datasheet field differ from what they were drawn from (otherwise that costs a comparison).
  /// A card other than the refined one drops the fitted card.
  void showModel(const WindowState& state);
  /// The advice alone, for a change of the switches that no command follows.
  void showAdvice(const WindowState& state);
  /// The card of `fitted` was refined into `refinedCard`. A refinement of a refined card keeps
  /// the fitted card it came from.
  void keepFittedCard(const WindowState& fitted, const CardTexts& refinedCard);
  /// Starts the check in ngspice of the state as it is now, and of the fitted card under the
  /// same test conditions when one is kept; does nothing while a check runs.
  void simulate(const WindowState& state);
  bool simulating() const { return runs_.running(); }
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

  /// The card a refinement started from, and the card it gave.
  struct FittedCard {
    ModelParameterSet params;
    CardTexts card;
    CardTexts refinedCard;
  };

  void takeResults();
  void showTable();
  void showSimulatedCurves();
  void showTableCaption();

  Platform& platform_;
  VerifyOptions options_;
  std::optional<Source> drawn_;  // what the plots were last drawn from
  std::optional<FittedCard> fitted_;

  // The running simulation, then the one whose table is shown.
  Source started_;
  std::string startedName_;
  std::optional<CardTexts> startedFitted_;
  std::optional<Source> shown_;
  std::string shownName_;
  std::vector<std::string> shownWarnings_;
  std::vector<VerificationRow> shownRows_;
  std::optional<std::vector<VerificationRow>> shownFittedRows_;  // only while the fitted card is kept
  Characteristics simulated_;
  CheckRuns runs_;

  QPushButton* simulateButton_;
  QProgressBar* busy_;
  QLabel* message_;
  CheckPlot* transfer_;
  CheckPlot* output_;
  CheckPlot* capacitances_;
  CheckPlot* bodyDiode_;
  QLabel* tableCaption_;
  CheckTable* table_;
  SwitchAdviceTable* advice_;
};

}  // namespace vdmos::ui

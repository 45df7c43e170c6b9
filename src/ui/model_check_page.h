#pragma once
#include <QWidget>
#include <vector>

#include "model/window_state.h"
#include "platform/platform.h"
#include "ui/check_runs.h"
#include "verify/check_session.h"
#include "verify/verify_model.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace vdmos::ui {

class CheckPlot;
class CheckTable;
class ControlFactory;
class SwitchAdviceTable;

/// The page "Model check": the model's curves against the datasheet's points in its plots,
/// the advice on the DC-fit switches, and the check of the card in ngspice. A simulation runs
/// on a worker thread on a copy of the state as it was when it started, so the user may go on
/// working meanwhile. What the check shows, and the fitted card it keeps after a refinement,
/// are the check session's; the page only shows them.
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
  /// The card of `fitted` was refined into `refinedCard`, trading the capacitance points for
  /// the gate charges as `tradeOff` says (empty when nothing). A refinement of a refined card
  /// keeps the fitted card it came from.
  void keepFittedCard(const WindowState& fitted, const CardTexts& refinedCard, const std::string& tradeOff);
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
  void takeResults();
  void showTable();
  void showSimulatedCurves();
  void showTableCaption();

  Platform& platform_;
  VerifyOptions options_;
  CheckSession session_;
  CheckRuns runs_;

  QPushButton* simulateButton_;
  QProgressBar* busy_;
  QLabel* message_;
  std::vector<CheckPlot*> plots_;  // one per CheckPlotKinds() entry
  QLabel* tableCaption_;
  CheckTable* table_;
  SwitchAdviceTable* advice_;
};

}  // namespace vdmos::ui

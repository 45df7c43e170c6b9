#pragma once
#include <QWidget>
#include <vector>

#include "app/window_session.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace vdmos::ui {

class CheckPlot;
class CheckTable;
class ControlFactory;
class SwitchAdviceTable;

/// The page "Model check": the model's curves against the datasheet's points in its plots,
/// the advice on the DC-fit switches, and the check of the card in ngspice. What the check
/// shows, the fitted card it keeps after a refinement and the advice are the window session's;
/// the page only shows them. A simulation runs on worker threads on a copy of the state as it
/// was when it started, so the user may go on working meanwhile.
class ModelCheckPage : public QWidget {
  Q_OBJECT
 public:
  ModelCheckPage(ControlFactory& make, WindowSession& session, QWidget* parent = nullptr);
  ~ModelCheckPage() override;

  /// Shows the switch advice and whether a check runs, and redraws the plots when the model
  /// parameters, the card or a datasheet field differ from what they were drawn from
  /// (otherwise that costs a comparison). A card other than the refined one drops the fitted card.
  void showModel();
  /// The advice alone, for a change of the switches that no command follows.
  void showAdvice();
  /// Shows the results of a check that has finished, or its failure in a message.
  void showFinishedCheck();
  bool simulating() const { return session_.Simulating(); }

 signals:
  /// A simulation has ended, and its table or its failure message has been shown.
  void simulationFinished();

 private:
  void showTable();
  void showSimulatedCurves();
  void showTableCaption();

  WindowSession& session_;

  QPushButton* simulateButton_;
  QProgressBar* busy_;
  QLabel* message_;
  std::vector<CheckPlot*> plots_;  // one per CheckPlotKinds() entry
  QLabel* tableCaption_;
  CheckTable* table_;
  SwitchAdviceTable* advice_;
};

}  // namespace vdmos::ui

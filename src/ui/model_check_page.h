#pragma once
#include <QWidget>
#include <vector>

#include "app/window_session.h"
#include "verify/check_plots.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QSplitter;
class QComboBox;

namespace vdmos::ui {

class CheckPlot;
class CheckTable;
class ControlFactory;
class Controls;
class SwitchAdviceTable;

/// The page "Model check": the model's curves against the datasheet's points in its plots,
/// the advice on the DC-fit switches, and the check of the card in ngspice. What the check
/// shows, the fitted card it keeps after a refinement and the advice are the window session's;
/// the page only shows them. A simulation runs on worker threads on a copy of the state as it
/// was when it started, so the user may go on working meanwhile.
///
/// The plots are made when the page is first shown: laying out a chart measures every label of
/// its axes, which at the window's start would cost a third of it for a page not yet seen.
class ModelCheckPage : public QWidget {
  Q_OBJECT
 public:
  ModelCheckPage(ControlFactory& make, WindowSession& session, QWidget* parent = nullptr);
  ~ModelCheckPage() override;

  /// Shows the switch advice and whether a check runs, and redraws the plots when the model
  /// parameters, the card, a datasheet field or a digitized curve differ from what they were drawn from
  /// (otherwise that costs a comparison). A card other than the refined one drops the fitted card.
  void showModel();
  /// The advice alone, for a change of the switches that no command follows.
  void showAdvice();
  /// Shows the results of a check that has finished, or its failure in a message.
  void showFinishedCheck();
  bool simulating() const { return session_.Simulating(); }
  /// One per CheckPlotKinds() entry, made now if the page has not been shown yet.
  const std::vector<CheckPlot*>& plots();
  /// Whether the plot of that CheckPlotKinds() index is offered: the hot device's plots only
  /// while a hot junction temperature is typed.
  bool plotShown(std::size_t index) const;

 signals:
  /// A simulation has ended, and its table or its failure message has been shown.
  void simulationFinished();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void buildPlots();
  void drawModel(const ModelPlots& model);
  void offerPlots(const ModelPlots& model);
  void showTable();
  void makeRoomForTable();
  void showSimulatedCurves();
  void showTableCaption();

  WindowSession& session_;
  Controls& controls_;

  QPushButton* simulateButton_;
  QProgressBar* busy_;
  QLabel* message_;
  QSplitter* splitter_;
  QComboBox* plotChoice_;
  QWidget* plotColumn_;
  std::vector<QWidget*> plotRooms_;  // hold the plots' places, at their sizes, until they are made
  std::vector<CheckPlot*> plots_;    // empty until they are made
  ModelPlots undrawn_;               // what the plots are to show once they are made
  QLabel* summary_;
  CheckTable* table_;
  SwitchAdviceTable* advice_;
};

}  // namespace vdmos::ui

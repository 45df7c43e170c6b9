#include "ui/model_check_page.h"

#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>
#include <QtConcurrent>

#include "model/fields.h"
#include "ui/check_plot.h"
#include "ui/check_table.h"
#include "ui/controls.h"
#include "ui/plot_legend.h"
#include "ui/text_bridge.h"
#include "ui/window_texts.h"
#include "verify/card_reading.h"
#include "verify/model_curves.h"

namespace vdmos::ui {
namespace {

CheckPlot* Plot(ControlFactory& make, const char* name, const char* xAxis, const char* yAxis, bool logY) {
  auto* plot = make.adopt(name, new CheckPlot(Caption(xAxis), Caption(yAxis), logY));
  plot->setTitle(Caption(name));
  plot->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  plot->setMinimumSize(34 * make.charWidth(), 10 * make.lineHeight());
  plot->setPreferredSize({48 * make.charWidth(), 13 * make.lineHeight()});
  return plot;
}

template <typename T>
std::vector<T> Joined(std::initializer_list<const std::vector<T>*> parts) {
  std::vector<T> all;
  for (const std::vector<T>* part : parts) all.insert(all.end(), part->begin(), part->end());
  return all;
}

}  // namespace

ModelCheckPage::ModelCheckPage(ControlFactory& make, Platform& platform, QWidget* parent)
    : QWidget(parent), platform_(platform) {
  setObjectName("PageCheck");
  auto* column = new QVBoxLayout(this);

  auto* top = new QHBoxLayout;
  simulateButton_ = make.button("SimulateNgspice");
  top->addWidget(simulateButton_);
  busy_ = make.adopt("SimulationBusy", new QProgressBar);
  busy_->setRange(0, 0);  // no steps to count: it only shows that something runs
  busy_->setTextVisible(false);
  busy_->setFixedSize(12 * make.charWidth(), simulateButton_->sizeHint().height() / 2);
  busy_->hide();
  top->addWidget(busy_);
  message_ = make.adopt("CheckMessage", new QLabel);
  message_->setWordWrap(true);
  message_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
  message_->hide();
  top->addWidget(message_, 1);
  top->addStretch(0);
  top->addWidget(make.adopt("CheckLegend", new PlotLegend));
  column->addLayout(top);

  auto* plots = new QWidget;
  auto* grid = new QGridLayout(plots);
  grid->setContentsMargins(0, 0, 0, 0);
  transfer_ = Plot(make, "ChartTransfer", "Axis_Vgs", "Axis_Id", false);
  output_ = Plot(make, "ChartOutput", "Axis_Vds", "Axis_Id", false);
  capacitances_ = Plot(make, "ChartCapacitance", "Axis_Vds", "Axis_C", true);
  bodyDiode_ = Plot(make, "ChartBodyDiode", "Axis_Vsd", "Axis_Isd", true);
  grid->addWidget(transfer_, 0, 0);
  grid->addWidget(output_, 0, 1);
  grid->addWidget(capacitances_, 1, 0);
  grid->addWidget(bodyDiode_, 1, 1);

  auto* results = new QWidget;
  auto* resultColumn = new QVBoxLayout(results);
  resultColumn->setContentsMargins(0, 0, 0, 0);
  tableCaption_ = make.adopt("CheckTableCaption", new QLabel);
  // The caption may carry what ngspice ignored: it wraps rather than widen the window.
  tableCaption_->setWordWrap(true);
  tableCaption_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  resultColumn->addWidget(tableCaption_);
  table_ = make.adopt("CheckTable", new CheckTable);
  table_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  table_->setMinimumSize(20 * make.charWidth(), 4 * make.lineHeight());
  resultColumn->addWidget(table_, 1);

  auto* splitter = new QSplitter(Qt::Vertical);
  splitter->setChildrenCollapsible(false);
  splitter->addWidget(plots);
  splitter->addWidget(results);
  // The two share the room as they ask for it, at first and when the window is resized.
  const int plotsWanted = plots->sizeHint().height(), resultsWanted = results->sizeHint().height();
  splitter->setSizes({plotsWanted, resultsWanted});
  splitter->setStretchFactor(0, plotsWanted);
  splitter->setStretchFactor(1, resultsWanted);
  column->addWidget(splitter, 1);

  showTableCaption();
  connect(&watcher_, &QFutureWatcherBase::finished, this, &ModelCheckPage::takeResult);
}

// A simulation still running belongs to nobody now: it ends within its time limit on the
// worker thread with its own copy of the state, and its result is dropped.
ModelCheckPage::~ModelCheckPage() = default;

ModelCheckPage::Source ModelCheckPage::SourceOf(const WindowState& state) {
  Source source{state.params, state.card, {}};
  for (const FieldInfo& field : DatasheetFields()) source.fields.push_back(state.text(field.control));
  return source;
}

void ModelCheckPage::showModel(const WindowState& state) {
  Source source = SourceOf(state);
  if (drawn_ == source) return;
  drawn_ = std::move(source);

  ModelCurves model = ComputeModelCurves(state);
  message_->setText(ToQString(model.error));
  message_->setVisible(!model.error.empty());
  // Before anything is fitted the curves would all lie at 0, and the output check points
  // carry the model's current: the datasheet's points alone say more.
  if (state.params == ModelParameterSet{}) {
    model.curves = {};
    model.markers.output.clear();
  }
  const Characteristics& c = model.curves;
  const DatasheetMarkers& m = model.markers;
  transfer_->setTitle(Caption("ChartTransfer").arg(ToQString(state.text("TextBoxVdsTest"))));
  transfer_->showModel(c.transfer.points.empty() ? std::vector<Curve>{} : std::vector{c.transfer},
                       m.transfer);
  output_->showModel(c.output, m.output);
  capacitances_->showModel(c.ciss.points.empty() ? std::vector<Curve>{} : std::vector{c.ciss, c.coss, c.crss},
                           Joined({&m.ciss, &m.coss, &m.crss}));
  bodyDiode_->showModel(c.bodyDiode.points.empty() ? std::vector<Curve>{} : std::vector{c.bodyDiode},
                        m.bodyDiode);
  showSimulatedCurves();
  showTableCaption();
}

void ModelCheckPage::simulate(const WindowState& state) {
  if (simulating()) return;
  // A field typed since the last command is part of what runs: the plots take it too, so that
  // the result is drawn over them.
  showModel(state);
  started_ = SourceOf(state);
  startedName_ = CardModelName(state.card).value_or(state.text("Text20"));
  simulateButton_->setEnabled(false);
  busy_->show();
  watcher_.setFuture(QtConcurrent::run([state, options = options_] { return VerifyModel(state, options); }));
}

void ModelCheckPage::takeResult() {
  const VerificationResult result = watcher_.result();
  simulateButton_->setEnabled(true);
  busy_->hide();
  if (result.ok()) {
    shown_ = started_;
    shownName_ = startedName_;
    shownWarnings_ = result.warnings;
    simulated_ = result.simulated;
    table_->showRows(result.rows);
    showSimulatedCurves();
    showTableCaption();
  } else {
    platform_.ShowMessage(result.message);
  }
  emit simulationFinished();
}

// Simulated curves go over the model curves of the same state only: over another model they
// would pass for its simulation.
void ModelCheckPage::showSimulatedCurves() {
  if (!shown_ || shown_ != drawn_) return;
  transfer_->showSimulated({simulated_.transfer});
  output_->showSimulated(simulated_.output);
  capacitances_->showSimulated({simulated_.ciss, simulated_.coss, simulated_.crss});
  bodyDiode_->showSimulated({simulated_.bodyDiode});
}

void ModelCheckPage::showTableCaption() {
  if (!shown_) {
    tableCaption_->setText(Caption("CheckCaption_None"));
    return;
  }
  QString caption = Caption("CheckCaption_Simulated").arg(ToQString(shownName_));
  if (shown_ != drawn_) caption += Caption("CheckCaption_Earlier");
  if (!shownWarnings_.empty()) {
    QStringList warnings;
    for (const std::string& warning : shownWarnings_) warnings << ToQString(warning);
    caption += Caption("CheckCaption_Ignored").arg(warnings.join("; "));
  }
  tableCaption_->setText(caption);
}

}  // namespace vdmos::ui

#include "ui/model_check_page.h"

#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>
#include <algorithm>

#include "model/fields.h"
#include "ui/check_plot.h"
#include "ui/check_table.h"
#include "ui/controls.h"
#include "ui/layout_helpers.h"
#include "ui/plot_legend.h"
#include "ui/switch_advice_table.h"
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

  // The advice above the simulation's table, which takes the room. Beside the advice the two
  // ways to a better card, and the table's caption.
  auto* results = new QWidget;
  auto* resultColumn = new QVBoxLayout(results);
  resultColumn->setContentsMargins(0, 0, 0, 0);
  auto* adviceRow = new QHBoxLayout;
  advice_ = make.adopt("SwitchAdvice", new SwitchAdviceTable);
  adviceRow->addWidget(advice_);
  auto* besideAdvice = new QVBoxLayout;
  besideAdvice->addLayout(Row({make.button("ApplyBestSwitches"), make.button("RefineModel")}));
  besideAdvice->addStretch(1);
  tableCaption_ = make.adopt("CheckTableCaption", new QLabel);
  // The caption may carry what ngspice ignored: it wraps rather than widen the window.
  tableCaption_->setWordWrap(true);
  tableCaption_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  besideAdvice->addWidget(tableCaption_);
  adviceRow->addLayout(besideAdvice, 1);
  resultColumn->addLayout(adviceRow);
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
  connect(&runs_, &CheckRuns::finished, this, &ModelCheckPage::takeResults);
}

ModelCheckPage::~ModelCheckPage() = default;

ModelCheckPage::Source ModelCheckPage::SourceOf(const WindowState& state) {
  Source source{state.params, state.card, {}};
  for (const FieldInfo& field : DatasheetFields()) source.fields.push_back(state.text(field.control));
  return source;
}

void ModelCheckPage::showModel(const WindowState& state) {
  if (fitted_ && state.card != fitted_->refinedCard) {
    fitted_.reset();
    shownFittedRows_.reset();
    showTable();
    showTableCaption();
  }
  showAdvice(state);
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

void ModelCheckPage::showAdvice(const WindowState& state) { advice_->showAdvice(state); }

void ModelCheckPage::keepFittedCard(const WindowState& fitted, const CardTexts& refinedCard) {
  if (fitted_ && fitted.card == fitted_->refinedCard) {
    fitted_->refinedCard = refinedCard;
    return;
  }
  fitted_ = FittedCard{fitted.params, fitted.card, refinedCard};
}

void ModelCheckPage::simulate(const WindowState& state) {
  if (simulating()) return;
  // A field typed since the last command is part of what runs: the plots take it too, so that
  // the result is drawn over them.
  showModel(state);
  started_ = SourceOf(state);
  startedName_ = CardModelName(state.card).value_or(state.text("Text20"));
  // The fitted card is checked under the test conditions of now, so that the two tables
  // hold the same points even when a field has changed since the refinement.
  std::optional<WindowState> fitted;
  startedFitted_.reset();
  if (fitted_) {
    fitted = state;
    fitted->params = fitted_->params;
    fitted->card = fitted_->card;
    startedFitted_ = fitted_->card;
  }
  simulateButton_->setEnabled(false);
  busy_->show();
  runs_.start(state, fitted, options_);
}

void ModelCheckPage::takeResults() {
  const CheckResults& results = runs_.results();
  simulateButton_->setEnabled(true);
  busy_->hide();
  if (results.current.ok()) {
    shown_ = started_;
    shownName_ = startedName_;
    shownWarnings_ = results.current.warnings;
    shownRows_ = results.current.rows;
    shownFittedRows_.reset();
    // Compared only while the fitted card the run checked is still the one kept.
    if (results.fitted && results.fitted->ok() && fitted_ && startedFitted_ == fitted_->card) {
      shownFittedRows_ = results.fitted->rows;
      for (const std::string& warning : results.fitted->warnings)
        if (std::find(shownWarnings_.begin(), shownWarnings_.end(), warning) == shownWarnings_.end())
          shownWarnings_.push_back(warning);
    }
    simulated_ = results.current.simulated;
    showTable();
    showSimulatedCurves();
    showTableCaption();
  }
  // One message for what failed: both runs fail alike when ngspice itself is at fault.
  QStringList failures;
  if (!results.current.ok()) failures << ToQString(results.current.message);
  if (results.fitted && !results.fitted->ok() && results.fitted->message != results.current.message)
    failures << Caption("CheckFailed_Fitted").arg(ToQString(results.fitted->message));
  if (!failures.isEmpty()) platform_.ShowMessage(failures.join("\n\n").toStdString());
  emit simulationFinished();
}

void ModelCheckPage::showTable() {
  if (shownFittedRows_)
    table_->showComparison(*shownFittedRows_, shownRows_);
  else
    table_->showRows(shownRows_);
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
  QString caption = Caption(shownFittedRows_ ? "CheckCaption_Compared" : "CheckCaption_Simulated")
                        .arg(ToQString(shownName_));
  if (shown_ != drawn_) caption += Caption("CheckCaption_Earlier");
  if (!shownWarnings_.empty()) {
    QStringList warnings;
    for (const std::string& warning : shownWarnings_) warnings << ToQString(warning);
    caption += Caption("CheckCaption_Ignored").arg(warnings.join("; "));
  }
  tableCaption_->setText(caption);
}

}  // namespace vdmos::ui

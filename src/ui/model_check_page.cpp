#include "ui/model_check_page.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

#include "model/control_names.h"
#include "ui/check_box.h"
#include "ui/check_plot.h"
#include "ui/check_table.h"
#include "ui/controls.h"
#include "ui/field_marks.h"
#include "ui/layout_helpers.h"
#include "ui/plot_legend.h"
#include "ui/switch_advice_table.h"
#include "ui/text_bridge.h"
#include "ui/window_texts.h"
#include "verify/check_plots.h"

namespace vdmos::ui {
namespace {

// The plots of a row share this many characters of width, at least and as they would like:
// a third column must not widen the window.
constexpr int kRowMinimumChars = 68;
constexpr int kRowPreferredChars = 96;

// The plot's sizes, which its room keeps until it is made.
void SizeLikeAPlot(QWidget* widget, int columns, int charWidth, int lineHeight) {
  widget->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  widget->setMinimumSize(kRowMinimumChars / columns * charWidth, 10 * lineHeight);
}

QSize PreferredPlotSize(int columns, int charWidth, int lineHeight) {
  return {kRowPreferredChars / columns * charWidth, 13 * lineHeight};
}

int PlotColumns() { return (static_cast<int>(CheckPlotKinds().size()) + 1) / 2; }

// Asks for a plot's size in the page's layout before the plot is made, so that the page and
// the window open as large as with the plots.
class PlotRoom : public QWidget {
 public:
  PlotRoom(int columns, int charWidth, int lineHeight)
      : preferred_(PreferredPlotSize(columns, charWidth, lineHeight)) {
    SizeLikeAPlot(this, columns, charWidth, lineHeight);
  }
  QSize sizeHint() const override { return preferred_; }

 private:
  QSize preferred_;
};

CheckPlot* Plot(ControlFactory& make, const CheckPlotKind& kind, int columns) {
  auto* plot = make.adopt(kind.name, new CheckPlot(ToQString(kind.xAxis), ToQString(kind.yAxis), kind.logY));
  SizeLikeAPlot(plot, columns, make.charWidth(), make.lineHeight());
  plot->setPreferredSize(PreferredPlotSize(columns, make.charWidth(), make.lineHeight()));
  return plot;
}

}  // namespace

ModelCheckPage::ModelCheckPage(ControlFactory& make, WindowSession& session, QWidget* parent)
    : QWidget(parent), session_(session), controls_(make.controls()) {
  setObjectName(ToQString(texts::PageCheck.name));
  auto* column = new QVBoxLayout(this);

  auto* top = new QHBoxLayout;
  simulateButton_ = make.button(texts::SimulateNgspice);
  top->addWidget(simulateButton_);
  busy_ = make.adopt(texts::SimulationBusy, new QProgressBar);
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
  plotGrid_ = new QGridLayout(plots);
  plotGrid_->setContentsMargins(0, 0, 0, 0);
  // The plots in two rows however many there are: a third row would leave the tables below too
  // little room on a laptop's screen.
  // The last plot takes what its row leaves free, so that a long title (the gate charge's test
  // conditions) is not cut.
  const int count = static_cast<int>(CheckPlotKinds().size());
  const int columns = PlotColumns();
  for (int index = 0; index < count; ++index) {
    plotRooms_.push_back(new PlotRoom(columns, make.charWidth(), make.lineHeight()));
    const int span = index == count - 1 ? columns - index % columns : 1;
    plotGrid_->addWidget(plotRooms_.back(), index / columns, index % columns, 1, span);
  }

  // The advice above the simulation's table, which takes the room. Beside the advice the two
  // ways to a better card, and the table's caption.
  auto* results = new QWidget;
  auto* resultColumn = new QVBoxLayout(results);
  resultColumn->setContentsMargins(0, 0, 0, 0);
  auto* adviceRow = new QHBoxLayout;
  advice_ = make.adopt(texts::SwitchAdvice, new SwitchAdviceTable);
  adviceRow->addWidget(advice_);
  auto* besideAdvice = new QVBoxLayout;
  besideAdvice->addLayout(Row({make.button(texts::ApplyBestSwitches), make.button(texts::RefineModel),
                               make.checkBox(texts::ChargesFirst)}));
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
  table_->setMinimumWidth(20 * make.charWidth());
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
}

ModelCheckPage::~ModelCheckPage() = default;

const std::vector<CheckPlot*>& ModelCheckPage::plots() {
  if (plots_.empty()) buildPlots();
  return plots_;
}

void ModelCheckPage::showEvent(QShowEvent* event) {
  if (plots_.empty()) buildPlots();
  QWidget::showEvent(event);
}

// Each plot is made, filled and laid out first at its chart's own size as at the window's
// start, and only then sized by the page: the axes keep the room for their labels that their
// first layout gave them, and a plot made at once at its shown size would look otherwise.
void ModelCheckPage::buildPlots() {
  ControlFactory make(controls_);
  const int columns = PlotColumns();
  for (std::size_t i = 0; i < CheckPlotKinds().size(); ++i) {
    plots_.push_back(Plot(make, CheckPlotKinds()[i], columns));
    delete plotGrid_->replaceWidget(plotRooms_[i], plots_.back());
    delete plotRooms_[i];
  }
  plotRooms_.clear();
  if (!undrawn_.plots.empty()) drawModel(undrawn_);
  undrawn_ = {};
  showSimulatedCurves();
  for (CheckPlot* plot : plots_) {
    // The scene shows and sizes the chart in its first turn of the event loop, before the
    // page's layout sizes the plot.
    QCoreApplication::sendPostedEvents(plot->scene());
    QCoreApplication::sendPostedEvents(plot->chart());
  }
}

void ModelCheckPage::showModel() {
  simulateButton_->setEnabled(!simulating());
  busy_->setVisible(simulating());
  const CheckStateChange change = session_.ShowState();
  if (change.comparisonDropped || change.checkForgotten) {
    showTable();
    showTableCaption();
  }
  showAdvice();
  if (!change.plotsStale) return;

  ModelPlots model = ComputeModelPlots(session_.State());
  const std::string& message = model.error.empty() ? model.undrawn : model.error;
  message_->setText(ToQString(message));
  message_->setVisible(!message.empty());
  if (plots_.empty())
    undrawn_ = std::move(model);
  else
    drawModel(model);
  showSimulatedCurves();
  showTableCaption();
}

void ModelCheckPage::drawModel(const ModelPlots& model) {
  for (std::size_t i = 0; i < plots_.size(); ++i) {
    const ModelPlot& plot = model.plots[i];
    plots_[i]->setTitle(ToQString(plot.title));
    plots_[i]->showModel(plot.curves, plot.markers);
  }
}

void ModelCheckPage::showAdvice() { advice_->showAdvice(session_.Advice()); }

void ModelCheckPage::showFinishedCheck() {
  simulateButton_->setEnabled(true);
  busy_->hide();
  const CheckSession& check = session_.Check();
  if (check.Results()->current.ok()) {
    showTable();
    showSimulatedCurves();
    showTableCaption();
  }
  QStringList failures;
  for (const std::string& failure : check.Failures()) failures << ToQString(failure);
  if (!failures.isEmpty()) session_.platform().ShowMessage(failures.join("\n\n").toStdString());
  emit simulationFinished();
}

void ModelCheckPage::showTable() { table_->showLines(session_.Check().Lines(), session_.Check().Compared()); }

void ModelCheckPage::showSimulatedCurves() {
  const CheckSession& check = session_.Check();
  if (plots_.empty() || !check.OfShownState()) return;
  const std::vector<std::vector<Curve>> simulated = SimulatedPlots(check.Simulated());
  for (std::size_t i = 0; i < plots_.size(); ++i) plots_[i]->showSimulated(simulated[i]);
}

void ModelCheckPage::showTableCaption() {
  const CheckSession& check = session_.Check();
  if (!check.Checked()) {
    tableCaption_->setText(Caption(texts::CheckCaption_None));
    return;
  }
  QString caption = Caption(check.Compared() ? texts::CheckCaption_Compared : texts::CheckCaption_Simulated)
                        .arg(ToQString(check.ModelName()));
  if (!check.OfShownState()) caption += Caption(texts::CheckCaption_Earlier);
  if (!check.TradeOff().empty()) caption += ". " + ToQString(check.TradeOff());
  if (!check.Warnings().empty()) {
    QStringList warnings;
    for (const std::string& warning : check.Warnings()) warnings << ToQString(warning);
    caption += Caption(texts::CheckCaption_Ignored).arg(warnings.join("; "));
  }
  tableCaption_->setText(WithNamedFields(caption, session_.FieldWarnings()));
}

}  // namespace vdmos::ui

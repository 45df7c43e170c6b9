#include "ui/model_check_page.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QListView>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QStackedWidget>
#include <QStandardItemModel>
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

// A plot has a tab of its own beside the results: at least this much room, and as much as the
// table leaves.
constexpr int kPlotMinimumChars = 36;
constexpr int kPlotMinimumLines = 14;
constexpr int kPlotPreferredChars = 64;
constexpr int kPlotPreferredLines = 22;

// The plot's sizes, which its room keeps until it is made.
void SizeLikeAPlot(QWidget* widget, int charWidth, int lineHeight) {
  widget->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  widget->setMinimumSize(kPlotMinimumChars * charWidth, kPlotMinimumLines * lineHeight);
}

QSize PreferredPlotSize(int charWidth, int lineHeight) {
  return {kPlotPreferredChars * charWidth, kPlotPreferredLines * lineHeight};
}

// Asks for a plot's size in the page's layout before the plot is made, so that the page and
// the window open as large as with the plots.
class PlotRoom : public QWidget {
 public:
  PlotRoom(int charWidth, int lineHeight) : preferred_(PreferredPlotSize(charWidth, lineHeight)) {
    SizeLikeAPlot(this, charWidth, lineHeight);
  }
  QSize sizeHint() const override { return preferred_; }

 private:
  QSize preferred_;
};

CheckPlot* Plot(ControlFactory& make, const CheckPlotKind& kind) {
  auto* plot = make.adopt(kind.name, new CheckPlot(ToQString(kind.xAxis), ToQString(kind.yAxis), kind.logY,
                                                   kind.markersFromModel));
  SizeLikeAPlot(plot, make.charWidth(), make.lineHeight());
  plot->setPreferredSize(PreferredPlotSize(make.charWidth(), make.lineHeight()));
  return plot;
}

QString PlotCaption(std::string_view plotName) {
  for (const WindowText& plot : texts::PlotNames)
    if (plot.name == plotName) return Caption(plot);
  return ToQString(plotName);
}

}  // namespace

ModelCheckPage::ModelCheckPage(ControlFactory& make, WindowSession& session, QWidget* parent)
    : QWidget(parent), session_(session), controls_(make.controls()) {
  setObjectName(ToQString(texts::PageCheck.name));
  auto* column = new QVBoxLayout(this);

  // The commands of the page in one row: check the card, refine it, or take the best switches.
  auto* top = new QHBoxLayout;
  simulateButton_ = make.button(texts::SimulateNgspice);
  top->addWidget(simulateButton_);
  busy_ = make.adopt(texts::SimulationBusy, new QProgressBar);
  busy_->setRange(0, 0);  // no steps to count: it only shows that something runs
  busy_->setTextVisible(false);
  busy_->setFixedSize(12 * make.charWidth(), simulateButton_->sizeHint().height() / 2);
  busy_->hide();
  top->addWidget(busy_);
  top->addSpacing(2 * make.charWidth());
  top->addWidget(make.button(texts::RefineModel));
  top->addWidget(make.checkBox(texts::ChargesFirst));
  top->addWidget(make.button(texts::ApplyBestSwitches));
  top->addWidget(make.button(texts::ShowCurves));
  message_ = make.adopt("CheckMessage", new QLabel);
  message_->setWordWrap(true);
  message_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
  message_->hide();
  top->addWidget(message_, 1);
  top->addStretch(0);
  top->addWidget(make.adopt("CheckLegend", new PlotLegend));
  column->addLayout(top);

  // The plots on the right, one at a time, chosen from a list: a row of tabs for all of them
  // would not fit the room the table leaves on a laptop's screen. The list is made before the
  // table, as Tab reaches it, row by row.
  plotChoice_ = make.adopt(texts::PlotChoice, new QComboBox);
  auto* stack = new QStackedWidget;
  for (const CheckPlotKind& kind : CheckPlotKinds()) {
    auto* slot = new QWidget;
    auto* room = new QVBoxLayout(slot);
    room->setContentsMargins(0, 0, 0, 0);
    plotRooms_.push_back(new PlotRoom(make.charWidth(), make.lineHeight()));
    room->addWidget(plotRooms_.back());
    stack->addWidget(slot);
    plotChoice_->addItem(PlotCaption(kind.name));
  }
  connect(plotChoice_, &QComboBox::currentIndexChanged, stack, &QStackedWidget::setCurrentIndex);
  plotColumn_ = make.adopt("CheckPlots", new QWidget);
  plotColumn_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  auto* plotLayout = new QVBoxLayout(plotColumn_);
  plotLayout->setContentsMargins(0, 0, 0, 0);
  plotLayout->addLayout(Row({make.caption(texts::Caption_PlotChoice), plotChoice_}));
  plotLayout->addWidget(stack, 1);

  // The results on the left, at the width their table asks for: the switch advice beside what
  // the check and the refinement said, then the check's table, which takes the height.
  auto* results = new QWidget;
  auto* resultColumn = new QVBoxLayout(results);
  resultColumn->setContentsMargins(0, 0, 0, 0);
  auto* adviceRow = new QHBoxLayout;
  advice_ = make.adopt(texts::SwitchAdvice, new SwitchAdviceTable);
  adviceRow->addWidget(advice_, 0, Qt::AlignTop);
  // The whole of what the check and the refinement said, however long: the box grows to hold
  // it, and its text can be selected and copied, not typed into.
  summary_ = make.adopt(texts::CheckSummary, new QLabel);
  summary_->setWordWrap(true);
  summary_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  summary_->setTextFormat(Qt::PlainText);
  summary_->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  summary_->setBackgroundRole(QPalette::Base);
  summary_->setAutoFillBackground(true);
  summary_->setMargin(3);
  summary_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  // Where the window is too small for all of it (a large scale), it scrolls.
  auto* summaryArea = new QScrollArea;
  summaryArea->setObjectName("CheckSummaryArea");
  summaryArea->setWidget(summary_);
  summaryArea->setWidgetResizable(true);
  summaryArea->setFrameShape(QFrame::NoFrame);
  summaryArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  summaryArea->setFocusPolicy(Qt::NoFocus);
  summaryArea->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  adviceRow->addWidget(summaryArea, 1);
  resultColumn->addLayout(adviceRow);
  table_ = make.adopt("CheckTable", new CheckTable);
  table_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  table_->setMinimumWidth(20 * make.charWidth());
  resultColumn->addWidget(table_, 1);

  splitter_ = new QSplitter(Qt::Horizontal);
  splitter_->setObjectName("CheckSplitter");
  splitter_->setChildrenCollapsible(false);
  splitter_->addWidget(results);
  splitter_->addWidget(plotColumn_);
  // The table keeps its width as the window grows; the plots take the rest.
  splitter_->setStretchFactor(0, 0);
  splitter_->setStretchFactor(1, 1);
  column->addWidget(splitter_, 1);

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
  for (std::size_t i = 0; i < CheckPlotKinds().size(); ++i) {
    plots_.push_back(Plot(make, CheckPlotKinds()[i]));
    delete plotRooms_[i]->parentWidget()->layout()->replaceWidget(plotRooms_[i], plots_.back());
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
  offerPlots(model);
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
    plots_[i]->showModel(plot.curves, plot.markers, plot.datasheetPoints);
  }
}

// A plot that has nothing to say for this device leaves the list; one that was shown goes back
// to the first.
void ModelCheckPage::offerPlots(const ModelPlots& model) {
  auto* items = qobject_cast<QStandardItemModel*>(plotChoice_->model());
  auto* list = qobject_cast<QListView*>(plotChoice_->view());
  for (std::size_t i = 0; i < model.plots.size(); ++i) {
    const int row = static_cast<int>(i);
    items->item(row)->setEnabled(model.plots[i].shown);
    list->setRowHidden(row, !model.plots[i].shown);
  }
  if (!plotShown(static_cast<std::size_t>(plotChoice_->currentIndex()))) plotChoice_->setCurrentIndex(0);
}

bool ModelCheckPage::plotShown(std::size_t index) const {
  const auto* items = qobject_cast<const QStandardItemModel*>(plotChoice_->model());
  return items->item(static_cast<int>(index))->isEnabled();
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

void ModelCheckPage::showTable() {
  table_->showLines(session_.Check().Lines(), session_.Check().Compared());
  makeRoomForTable();
}

// A table that has grown wider (the comparison has more columns) takes the room from the
// plots, as far as they can give it; a narrower one leaves the splitter where the user put it.
void ModelCheckPage::makeRoomForTable() {
  QList<int> sizes = splitter_->sizes();
  const int total = sizes[0] + sizes[1];
  const int wanted = sizes[0] + table_->sizeHint().width() - table_->width();
  if (total <= 0 || wanted <= sizes[0]) return;
  sizes[0] = std::min(wanted, total - plotColumn_->minimumSizeHint().width());
  sizes[1] = total - sizes[0];
  splitter_->setSizes(sizes);
}

void ModelCheckPage::showSimulatedCurves() {
  const CheckSession& check = session_.Check();
  if (plots_.empty() || !check.OfShownState()) return;
  const std::vector<std::vector<Curve>> simulated = SimulatedPlots(check.Simulated());
  for (std::size_t i = 0; i < plots_.size(); ++i) plots_[i]->showSimulated(simulated[i]);
}

// What was simulated, then the refinement's summary, which holds its trade-off, while its card
// is the one shown.
void ModelCheckPage::showTableCaption() {
  const CheckSession& check = session_.Check();
  QString caption = Caption(texts::CheckCaption_None);
  if (check.Checked()) {
    caption = Caption(check.Compared() ? texts::CheckCaption_Compared : texts::CheckCaption_Simulated)
                  .arg(ToQString(check.ModelName()));
    if (!check.TcvthConvention().empty())
      caption += Caption(texts::CheckCaption_Convention).arg(ToQString(check.TcvthConvention()));
    if (!check.OfShownState()) caption += Caption(texts::CheckCaption_Earlier);
    if (!check.Warnings().empty()) {
      QStringList warnings;
      for (const std::string& warning : check.Warnings()) warnings << ToQString(warning);
      caption += Caption(texts::CheckCaption_Ignored).arg(warnings.join("; "));
    }
    caption = WithNamedFields(caption, session_.FieldWarnings());
  }
  if (!check.RefinementSummary().empty()) caption += "\n" + ToQString(check.RefinementSummary());
  summary_->setText(caption);
}

}  // namespace vdmos::ui

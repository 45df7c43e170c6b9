#include "ui/curves_window.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <set>

#include "commands/curve_commands.h"
#include "model/datasheet_curves.h"
#include "ui/text_bridge.h"
#include "ui/window_texts.h"

namespace vdmos::ui {
namespace {

constexpr int kTableChars = 40;
constexpr int kTableLines = 14;
constexpr int kKindBoxCharacters = 40;

// "Id (A) against Vgs (V), at the transfer test's Vds": what the figure plots, and where.
QString KindCaption(const CurveKindInfo& info) {
  return ToQString(info.name) + " - " + ToQString(info.yAxis) + " against " + ToQString(info.xName) + " (" +
         ToQString(info.xUnit) + "), " + ToQString(info.meaning);
}

QLabel* Buddy(ControlFactory& make, const WindowText& text, QWidget* control) {
  QLabel* label = make.caption(text);
  label->setText(MenuCaption(text));
  label->setBuddy(control);
  return label;
}

}  // namespace

CurvesWindow::CurvesWindow(WindowSession& session, QWidget* parent) : QDialog(parent), session_(session) {
  setObjectName("Form_Curves");
  setWindowTitle(texts::kCurvesWindowTitle);
  ControlFactory make(controls_);

  // Each label is made after the control its Alt letter goes to.
  kind_ = make.adopt(texts::CurveChoice, new QComboBox);
  for (const CurveKindInfo& info : CurveKinds()) kind_->addItem(KindCaption(info));
  // The longest caption would make the window wider than a 1366 pixel screen at twice the
  // scale; a shorter box shows the rest of a caption in its open list and its tool tip.
  kind_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  kind_->setMinimumContentsLength(kKindBoxCharacters);
  kind_->setToolTip(kind_->currentText());
  connect(kind_, &QComboBox::currentTextChanged, kind_, &QComboBox::setToolTip);
  gate_ = make.comboBox(texts::CurveGate.name, {});
  gate_->setToolTip(ToolTip(texts::CurveGate));
  gate_->setFixedWidth(8 * make.charWidth() + 24);
  auto* top = new QHBoxLayout;
  top->addWidget(Buddy(make, texts::Caption_CurveKind, kind_));
  top->addWidget(kind_);
  top->addSpacing(2 * make.charWidth());
  top->addWidget(Buddy(make, texts::Caption_CurveGate, gate_));
  top->addWidget(gate_);
  top->addWidget(make.caption(texts::Unit_CurveGate));
  top->addStretch(1);

  table_ = make.adopt(texts::CurveTable, new QTableWidget(0, 2));
  table_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  table_->setMinimumSize(kTableChars * make.charWidth(), kTableLines * make.lineHeight());
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  // Tab leaves the table for the buttons; the arrows move between its cells.
  table_->setTabKeyNavigation(false);

  auto* buttons = new QVBoxLayout;
  auto button = [&](const WindowText& text, auto slot) {
    QPushButton* made = make.button(text);
    made->setAutoDefault(false);  // Enter belongs to the cell being edited
    connect(made, &QPushButton::clicked, this, slot);
    buttons->addWidget(made);
  };
  const auto paste = [this] { ran(session_.PasteCurve(curveName())); };
  button(texts::CurveImport, [this] { ran(session_.ImportCurve(curveName())); });
  button(texts::CurvePaste, paste);
  buttons->addSpacing(make.lineHeight());
  button(texts::CurveAddRow, &CurvesWindow::addRow);
  button(texts::CurveRemoveRows, &CurvesWindow::removeRows);
  buttons->addSpacing(make.lineHeight());
  button(texts::CurveClear, [this] {
    table_->setRowCount(0);  // rows in progress go too
    ran(session_.ClearCurve(curveName()));
  });
  buttons->addStretch(1);
  button(texts::CurveClose, &QWidget::close);

  auto* middle = new QHBoxLayout;
  middle->addWidget(table_, 1);
  middle->addLayout(buttons);
  count_ = make.adopt(texts::CurvePoints.name, new QLabel);
  count_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);

  auto* column = new QVBoxLayout(this);
  column->addLayout(top);
  column->addLayout(middle, 1);
  column->addWidget(count_);
  make.applyTabOrder();

  connect(kind_, &QComboBox::currentIndexChanged, this, &CurvesWindow::showCurves);
  connect(gate_, &QComboBox::editTextChanged, this, &CurvesWindow::showCurves);
  connect(table_, &QTableWidget::itemChanged, this, &CurvesWindow::takeTable);
  connect(new QShortcut(QKeySequence::Paste, table_, nullptr, nullptr, Qt::WidgetShortcut),
          &QShortcut::activated, this, paste);
  connect(new QShortcut(QKeySequence::Delete, table_, nullptr, nullptr, Qt::WidgetShortcut),
          &QShortcut::activated, this, &CurvesWindow::removeRows);
  showCurves();
}

std::string CurvesWindow::curveName() const {
  DatasheetCurve curve{CurveKinds()[kind_->currentIndex()].kind, 0, {}};
  if (curve.kind == CurveKind::Output) {
    const std::optional<double> gate = ReadCurveNumber(gate_->currentText().trimmed().toStdString());
    if (!gate || !(*gate > 0)) return {};
    curve.gateVoltage = *gate;
  }
  return CurveName(curve);
}

// The list offers the output curves held; the text typed in the box stays.
void CurvesWindow::showGateVoltages() {
  QStringList held;
  for (const DatasheetCurve& curve : session_.State().curves)
    if (curve.kind == CurveKind::Output) held << ToQString(CurveNumberText(curve.gateVoltage));
  QStringList listed;
  for (int i = 0; i < gate_->count(); ++i) listed << gate_->itemText(i);
  if (listed == held) return;
  const QSignalBlocker blocker(gate_);
  const QString typed = gate_->currentText();
  gate_->clear();
  gate_->addItems(held);
  gate_->setEditText(typed.isEmpty() && !held.isEmpty() ? held.front() : typed);
}

// The list marks the figures that hold points, so that the user sees them without choosing each.
void CurvesWindow::showHeldKinds() {
  for (int i = 0; i < kind_->count(); ++i) {
    const CurveKindInfo& info = CurveKinds()[static_cast<std::size_t>(i)];
    QString caption = KindCaption(info);
    if (std::ranges::find(session_.State().curves, info.kind, &DatasheetCurve::kind) !=
        session_.State().curves.end())
      caption += " " + Caption(texts::CurveHeld);
    if (kind_->itemText(i) != caption) kind_->setItemText(i, caption);
  }
}

void CurvesWindow::showCurves() {
  showGateVoltages();
  showHeldKinds();
  const CurveKindInfo& info = CurveKinds()[kind_->currentIndex()];
  gate_->setEnabled(info.kind == CurveKind::Output);
  table_->setHorizontalHeaderLabels(
      {ToQString(info.xName) + " (" + ToQString(info.xUnit) + ")", ToQString(info.yAxis)});
  const std::string name = curveName();
  const DatasheetCurve* held = name.empty() ? nullptr : FindCurve(session_.State(), name);
  for (const WindowText* text : {&texts::CurveImport, &texts::CurvePaste, &texts::CurveAddRow,
                                 &texts::CurveRemoveRows, &texts::CurveClear})
    controls_.get<QWidget>(text->name)->setEnabled(!name.empty());
  table_->setEnabled(!name.empty());
  count_->setText(name.empty() ? Caption(texts::CurveGateMissing)
                  : held       ? Caption(texts::CurvePoints).arg(held->points.size())
                               : Caption(texts::CurveNone));
  const std::vector<CurvePoint> points = held ? held->points : std::vector<CurvePoint>{};
  if (name == shownName_ && points == shownPoints_) return;
  shownName_ = name;
  fillTable(points);
}

void CurvesWindow::fillTable(const std::vector<CurvePoint>& points) {
  const QSignalBlocker blocker(table_);
  table_->setRowCount(static_cast<int>(points.size()));
  for (int row = 0; row < table_->rowCount(); ++row) {
    const CurvePoint& point = points[static_cast<std::size_t>(row)];
    table_->setItem(row, 0, new QTableWidgetItem(ToQString(CurveNumberText(point.x))));
    table_->setItem(row, 1, new QTableWidgetItem(ToQString(CurveNumberText(point.y))));
  }
  shownPoints_ = points;
}

void CurvesWindow::takeTable() {
  std::vector<CurveRow> rows;
  int points = 0;
  for (int row = 0; row < table_->rowCount(); ++row) {
    const QTableWidgetItem* x = table_->item(row, 0);
    const QTableWidgetItem* y = table_->item(row, 1);
    const QString xText = x ? x->text() : QString();
    const QString yText = y ? y->text() : QString();
    if (xText.trimmed().isEmpty() != yText.trimmed().isEmpty()) return;  // the user is filling it in
    if (!xText.trimmed().isEmpty()) ++points;
    rows.push_back({xText.toStdString(), yText.toStdString()});
  }
  // A new curve waits for the second point that makes it one.
  if (points < 2 && !FindCurve(session_.State(), shownName_)) return;
  ran(session_.EditCurve(shownName_, rows));
}

void CurvesWindow::ran(bool curvesChanged) {
  shownName_.clear();  // the table shows the session's curve again, whatever it showed
  if (curvesChanged) emit changed();
  showCurves();
}

void CurvesWindow::addRow() {
  const int row = table_->currentRow() < 0 ? table_->rowCount() : table_->currentRow() + 1;
  {
    const QSignalBlocker blocker(table_);
    table_->insertRow(row);
    table_->setItem(row, 0, new QTableWidgetItem);
    table_->setItem(row, 1, new QTableWidgetItem);
  }
  table_->setFocus();
  table_->setCurrentCell(row, 0);
  table_->editItem(table_->item(row, 0));
}

void CurvesWindow::removeRows() {
  std::set<int> rows;
  for (const QModelIndex& index : table_->selectionModel()->selectedIndexes()) rows.insert(index.row());
  if (rows.empty() && table_->currentRow() >= 0) rows.insert(table_->currentRow());
  if (rows.empty()) return;
  {
    const QSignalBlocker blocker(table_);
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) table_->removeRow(*row);
  }
  takeTable();
}

}  // namespace vdmos::ui

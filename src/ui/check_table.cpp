#include "ui/check_table.h"

#include <QHeaderView>
#include <algorithm>
#include <cmath>

#include "ui/text_bridge.h"
#include "ui/window_texts.h"

namespace vdmos::ui {
namespace {

constexpr int kRowsWanted = 5;

constexpr const char* kHeads[] = {"Head_Check_Quantity", "Head_Check_Condition", "Head_Check_Datasheet",
                                  "Head_Check_Model",    "Head_Check_Simulated", "Head_Check_Error",
                                  "Head_Check_Note"};
enum Column { kQuantity, kCondition, kDatasheet, kModel, kSimulated, kError, kNote };

// Four significant digits: more than any datasheet gives, and few enough to take in at a
// glance. Always with ".", like every number the tool writes.
QString Readable(double value) {
  if (value == 0 || !std::isfinite(value)) return QString::number(value);
  const int magnitude = static_cast<int>(std::floor(std::log10(std::fabs(value))));
  QString text = QString::number(value, 'f', std::clamp(3 - magnitude, 0, 12));
  if (text.contains('.')) {
    while (text.endsWith('0')) text.chop(1);
    if (text.endsWith('.')) text.chop(1);
  }
  return text;
}

QTableWidgetItem* TextCell(const std::string& text) { return new QTableWidgetItem(ToQString(text)); }

QTableWidgetItem* NumberCell(const std::optional<double>& value, const QString& text) {
  auto* cell = new QTableWidgetItem(value ? text : QStringLiteral("-"));
  cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  if (value) cell->setData(Qt::UserRole, *value);
  return cell;
}

QTableWidgetItem* QuantityCell(const std::optional<double>& value, const std::string& unit) {
  return NumberCell(value, value ? Readable(*value) + " " + ToQString(unit) : QString());
}

QTableWidgetItem* PercentCell(const std::optional<double>& percent) {
  // A rounding to "-0.00" would suggest a deviation where there is none.
  const double shown = percent && std::fabs(*percent) >= 0.005 ? *percent : 0.0;
  return NumberCell(percent, QString::number(shown, 'f', 2));
}

}  // namespace

CheckTable::CheckTable(QWidget* parent) : QTableWidget(0, std::size(kHeads), parent) {
  QStringList heads;
  for (const char* head : kHeads) heads << Caption(head);
  setHorizontalHeaderLabels(heads);
  verticalHeader()->hide();
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
  horizontalHeader()->setStretchLastSection(true);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setWordWrap(false);
  resizeColumnsToContents();
}

void CheckTable::showRows(const std::vector<VerificationRow>& rows) {
  clearContents();
  setRowCount(static_cast<int>(rows.size()));
  for (int i = 0; i < rowCount(); ++i) {
    const VerificationRow& row = rows[static_cast<std::size_t>(i)];
    setItem(i, kQuantity, TextCell(row.quantity));
    setItem(i, kCondition, TextCell(row.condition));
    setItem(i, kDatasheet, QuantityCell(row.datasheet, row.unit));
    setItem(i, kModel, QuantityCell(row.model, row.unit));
    setItem(i, kSimulated, QuantityCell(row.simulated, row.unit));
    setItem(i, kError, PercentCell(row.errorPercent));
    setItem(i, kNote, TextCell(row.note));
  }
  resizeColumnsToContents();
}

QSize CheckTable::sizeHint() const {
  const int height = horizontalHeader()->sizeHint().height() +
                     kRowsWanted * verticalHeader()->defaultSectionSize() + 2 * frameWidth();
  return {QTableWidget::sizeHint().width(), height};
}

}  // namespace vdmos::ui

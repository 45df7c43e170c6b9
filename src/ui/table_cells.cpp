#include "ui/table_cells.h"

#include "ui/text_bridge.h"
#include "verify/table_text.h"

namespace vdmos::ui {
QTableWidgetItem* NumberCell(const std::optional<double>& value, const std::string& text) {
  auto* cell = new QTableWidgetItem(ToQString(text));
  cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  if (value) cell->setData(Qt::UserRole, *value);
  return cell;
}

QTableWidgetItem* TextCell(const std::string& text) { return new QTableWidgetItem(ToQString(text)); }

QTableWidgetItem* QuantityCell(const std::optional<double>& value, const std::string& unit) {
  return NumberCell(value, QuantityCellText(value, unit));
}

QTableWidgetItem* PercentCell(const std::optional<double>& percent) {
  return NumberCell(percent, PercentCellText(percent));
}

}  // namespace vdmos::ui

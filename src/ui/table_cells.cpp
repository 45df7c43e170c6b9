#include "ui/table_cells.h"

#include <algorithm>
#include <cmath>

#include "ui/text_bridge.h"

namespace vdmos::ui {
namespace {

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

QTableWidgetItem* NumberCell(const std::optional<double>& value, const QString& text) {
  auto* cell = new QTableWidgetItem(value ? text : QStringLiteral("-"));
  cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  if (value) cell->setData(Qt::UserRole, *value);
  return cell;
}

}  // namespace

QTableWidgetItem* TextCell(const std::string& text) { return new QTableWidgetItem(ToQString(text)); }

QTableWidgetItem* QuantityCell(const std::optional<double>& value, const std::string& unit) {
  return NumberCell(value, value ? Readable(*value) + " " + ToQString(unit) : QString());
}

QTableWidgetItem* PercentCell(const std::optional<double>& percent) {
  // A rounding to "-0.00" would suggest a deviation where there is none.
  const double shown = percent && std::fabs(*percent) >= 0.005 ? *percent : 0.0;
  return NumberCell(percent, QString::number(shown, 'f', 2));
}

}  // namespace vdmos::ui

#pragma once
// The cells of the model check's tables, so that a value reads the same in each of them.

#include <QString>
#include <QTableWidgetItem>
#include <optional>
#include <string>

namespace vdmos::ui {

QTableWidgetItem* TextCell(const std::string& text);
/// Number cells are right-aligned and keep their value under Qt::UserRole; a missing value
/// shows as "-" and keeps none. A value with its unit:
QTableWidgetItem* QuantityCell(const std::optional<double>& value, const std::string& unit);
/// A percentage with two decimals.
QTableWidgetItem* PercentCell(const std::optional<double>& percent);

}  // namespace vdmos::ui

#pragma once
// The cells of the model check's tables, so that a value reads the same in each of them.

#include <QString>
#include <QTableWidgetItem>
#include <optional>
#include <string>

namespace vdmos::ui {

QTableWidgetItem* TextCell(const std::string& text);
/// Number cells are right-aligned and keep their value under Qt::UserRole (none when it is
/// missing). One with the text given:
QTableWidgetItem* NumberCell(const std::optional<double>& value, const std::string& text);
/// A value with its unit, or "-":
QTableWidgetItem* QuantityCell(const std::optional<double>& value, const std::string& unit);
/// A percentage with two decimals, or "-".
QTableWidgetItem* PercentCell(const std::optional<double>& percent);

}  // namespace vdmos::ui

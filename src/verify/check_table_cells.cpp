#include "verify/check_table_cells.h"

#include <algorithm>
#include <optional>

#include "verify/table_text.h"

namespace vdmos {
namespace {

using Cells = std::vector<std::string>;

class CellMaker {
 public:
  explicit CellMaker(UnitPlacement units) : units_(units) {}

  // The first columns of both forms, the unit column among them when it has one.
  Cells Start(std::string quantity, std::string condition, std::string unit, std::string datasheet) const {
    Cells cells{std::move(quantity), std::move(condition)};
    if (units_ == UnitPlacement::OwnColumn) cells.push_back(std::move(unit));
    cells.push_back(std::move(datasheet));
    return cells;
  }
  Cells Head(std::initializer_list<const char*> rest) const {
    Cells cells = Start("quantity", "condition", "unit", "datasheet");
    cells.insert(cells.end(), rest.begin(), rest.end());
    return cells;
  }
  Cells Point(const VerificationRow& row) const {
    return Start(row.quantity, row.condition, row.unit, Value(row.datasheet, row.unit));
  }
  std::string Value(const std::optional<double>& value, const std::string& unit) const {
    if (units_ == UnitPlacement::InCells) return QuantityCellText(value, unit);
    return value ? SignificantText(*value) : std::string(kMissingCellText);
  }

 private:
  UnitPlacement units_;
};

std::vector<Cells> PlainCells(const std::vector<CheckLine>& lines, const CellMaker& make) {
  const bool withNotes =
      std::ranges::any_of(lines, [](const CheckLine& line) { return !line.row.note.empty(); });
  std::vector<Cells> table{make.Head({"model", "simulated", "error %"})};
  if (withNotes) table.front().emplace_back("note");
  for (const CheckLine& line : lines) {
    const VerificationRow& row = line.row;
    Cells cells = make.Point(row);
    cells.push_back(make.Value(row.model, row.unit));
    cells.push_back(make.Value(row.simulated, row.unit));
    cells.push_back(PercentCellText(row.errorPercent));
    if (withNotes) cells.push_back(row.note);
    table.push_back(std::move(cells));
  }
  return table;
}

std::vector<Cells> ComparedCells(const std::vector<CheckLine>& lines, const CellMaker& make) {
  std::vector<Cells> table{
      make.Head({"fitted: simulated", "fitted: error %", "refined: simulated", "refined: error %"})};
  const VerificationRow none;
  const bool withNotes = std::ranges::any_of(lines, [](const CheckLine& line) {
    return !line.row.note.empty() || (line.fitted && !line.fitted->note.empty());
  });
  if (withNotes) table.front().emplace_back("note");
  for (const CheckLine& line : lines) {
    const VerificationRow& row = line.row;
    // Where the fitted card has no such point, both its cells are missing.
    const VerificationRow& before = line.fitted ? *line.fitted : none;
    Cells cells = make.Point(row);
    cells.push_back(make.Value(before.simulated, row.unit));
    cells.push_back(PercentCellText(before.errorPercent));
    cells.push_back(make.Value(row.simulated, row.unit));
    cells.push_back(PercentCellText(row.errorPercent));
    if (withNotes) cells.push_back(ComparedNoteText(before.note, row.note));
    table.push_back(std::move(cells));
  }
  return table;
}

}  // namespace

std::string ComparedNoteText(const std::string& fitted, const std::string& refined) {
  if (fitted == refined) return refined;
  std::string note;
  if (!fitted.empty()) note = "Fitted: " + fitted;
  if (!refined.empty()) note += (note.empty() ? "" : "; ") + std::string("Refined: ") + refined;
  return note;
}

std::vector<std::vector<std::string>> CheckTableCells(const std::vector<CheckLine>& lines, bool compared,
                                                      UnitPlacement units) {
  const CellMaker make(units);
  return compared ? ComparedCells(lines, make) : PlainCells(lines, make);
}

}  // namespace vdmos

#include "cli/verification_table.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "verify/check_table_cells.h"

namespace vdmos::cli {
namespace {

std::string_view StatusName(VerifyStatus status) {
  switch (status) {
    case VerifyStatus::Ok:
      return "ok";
    case VerifyStatus::InvalidInput:
      return "invalid-input";
    case VerifyStatus::NgspiceMissing:
      return "ngspice-missing";
    case VerifyStatus::NgspiceFailed:
      return "ngspice-failed";
    case VerifyStatus::NoConvergence:
      return "no-convergence";
    case VerifyStatus::Timeout:
      return "timeout";
    case VerifyStatus::UnreadableOutput:
      return "unreadable-output";
  }
  return "ngspice-failed";
}

nlohmann::json OrNull(const std::optional<double>& value) { return value ? nlohmann::json(*value) : nullptr; }

nlohmann::json CurvePointsJson(const std::vector<CurvePointCheck>& points) {
  nlohmann::json json = nlohmann::json::array();
  for (const CurvePointCheck& point : points) {
    json.push_back({{"x", point.x},
                    {"datasheet", point.datasheet},
                    {"model", OrNull(point.model)},
                    {"simulated", OrNull(point.simulated)},
                    {"errorPercent", OrNull(point.errorPercent)}});
  }
  return json;
}

}  // namespace

std::string PaddedTable(const std::vector<std::vector<std::string>>& lines) {
  std::vector<std::size_t> widths;
  for (const auto& cells : lines) {
    widths.resize(std::max(widths.size(), cells.size()));
    for (std::size_t column = 0; column < cells.size(); ++column)
      widths[column] = std::max(widths[column], cells[column].size());
  }
  std::string table;
  for (const auto& cells : lines) {
    std::string line;
    for (std::size_t column = 0; column < cells.size(); ++column) {
      if (column > 0) line += "  ";
      line += cells[column];
      line.append(widths[column] - cells[column].size(), ' ');
    }
    // The padding of the last column would only trail.
    while (line.ends_with(' ')) line.pop_back();
    table += line + "\n";
  }
  return table;
}

std::string VerificationTable(const std::vector<CheckLine>& lines) {
  return PaddedTable(CheckTableCells(lines, false, UnitPlacement::InCells));
}

std::string ComparisonTable(const std::vector<CheckLine>& lines) {
  return PaddedTable(CheckTableCells(lines, true, UnitPlacement::InCells));
}

nlohmann::json VerificationJson(const VerificationResult& result) {
  nlohmann::json rows = nlohmann::json::array();
  for (std::size_t i = 0; i < result.rows.size(); ++i) {
    const VerificationRow& row = result.rows[i];
    rows.push_back({{"quantity", row.quantity},
                    {"condition", row.condition},
                    {"unit", row.unit},
                    {"datasheet", OrNull(row.datasheet)},
                    {"model", OrNull(row.model)},
                    {"simulated", OrNull(row.simulated)},
                    {"errorPercent", OrNull(row.errorPercent)},
                    {"note", row.note}});
    // A row that stands for a digitized curve tells each of its points.
    if (const auto curve = result.curvePoints.find(i); curve != result.curvePoints.end())
      rows.back()["curvePoints"] = CurvePointsJson(curve->second);
  }
  nlohmann::json object{{"status", StatusName(result.status)}, {"message", result.message}, {"rows", rows}};
  if (!result.simulatedModel.empty()) object["simulatedModel"] = result.simulatedModel;
  if (!result.tcvthConvention.empty()) object["tcvthConvention"] = result.tcvthConvention;
  return object;
}

}  // namespace vdmos::cli

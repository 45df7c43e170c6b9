#pragma once
// The result of the model check in ngspice as the command line shows it: a plain-text table
// for people, an object for --json.

#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "verify/check_session.h"

namespace vdmos::cli {

/// One header line and one line per row, columns padded with blanks, each line ending in
/// "\n": quantity, condition, datasheet, model, simulated, error %, and a note column when a
/// row has a note. A value that is missing shows as "-".
std::string VerificationTable(const std::vector<CheckLine>& lines);

/// The fitted and the refined card's check side by side: quantity, condition, datasheet, then
/// the simulated value and error % of each ("-" where the fitted card has no such point).
std::string ComparisonTable(const std::vector<CheckLine>& lines);

/// Lines of cells as columns padded with blanks, two blanks apart, each line ending in "\n".
std::string PaddedTable(const std::vector<std::vector<std::string>>& lines);

/// {"status": "ok" | "invalid-input" | ..., "message": text, "rows": [{"quantity", "condition",
/// "unit", "datasheet", "model", "simulated", "errorPercent", "note"}]}; missing values are null.
nlohmann::json VerificationJson(const VerificationResult& result);

}  // namespace vdmos::cli

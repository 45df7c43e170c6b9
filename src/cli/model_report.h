#pragma once
// What a run found out about one model beyond its card: the check in ngspice (of the refined
// card and, when the card was refined, of the fitted one too), the switch advice and the
// refinement's figures; as plain-text tables for people and as JSON for scripts.

#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "model/field_reading.h"
#include "refine/refinement.h"
#include "refine/switch_advice.h"
#include "verify/check_session.h"

namespace vdmos::cli {

struct ModelReport {
  /// --verify: the check of the card the run printed, and with --refine of the card before
  /// refining beside it.
  std::optional<CheckSession> check;
  std::optional<SwitchAdvice> advice;
  std::optional<Refinement> refinement;
  /// The fields whose text was not read as typed.
  std::vector<FieldWarning> fieldWarnings;
};

/// The tables that follow the card: the check (fitted and refined side by side when both
/// ran, then what meeting the gate charges cost the capacitances, if anything), the switch
/// advice, each line ending in "\n".
std::string ReportTables(const ModelReport& report);

/// {"forceRdsOn", "fixVto", "worstDcErrorPercent", "worstCapacitanceErrorPercent", "failure"}
/// per row under "rows", with "best" and "current" as row indices (null when there is none).
nlohmann::json SwitchAdviceJson(const SwitchAdvice& advice);

/// One line per field for standard error: the control, what it holds, the text and what was read.
std::string FieldWarningLine(const FieldWarning& warning);

/// Per field {"control", "quantity", "text", "read" (null after an overflow), "unit", "warning"}.
nlohmann::json FieldWarningsJson(const std::vector<FieldWarning>& warnings);

/// {"worstDcErrorPercent": {"fitted", "refined"}, "worstCapacitanceErrorPercent": {...}}.
nlohmann::json RefinementJson(const Refinement& refinement);

}  // namespace vdmos::cli

#include "cli/model_report.h"

#include <algorithm>

#include "cli/verification_table.h"
#include "refine/switch_advice_columns.h"

namespace vdmos::cli {
namespace {

nlohmann::json OrNull(const std::optional<double>& value) { return value ? nlohmann::json(*value) : nullptr; }
nlohmann::json OrNull(const std::optional<std::size_t>& value) {
  return value ? nlohmann::json(*value) : nullptr;
}

/// The captions' line breaks serve the window's narrow header; a terminal line has the room.
std::string OneLine(std::string_view caption) {
  std::string line(caption);
  std::ranges::replace(line, '\n', ' ');
  return line;
}

std::string AdviceTable(const SwitchAdvice& advice) {
  std::vector<std::vector<std::string>> lines(1);
  for (const std::string_view caption : kAdviceCaptions) lines.front().push_back(OneLine(caption));
  for (std::size_t i = 0; i < advice.rows.size(); ++i) {
    const auto cells = AdviceCells(advice, i);
    lines.emplace_back(cells.begin(), cells.end());
  }
  return "switch advice (the model's own curves against the datasheet)\n" + PaddedTable(lines);
}

}  // namespace

std::string ReportTables(const ModelReport& report) {
  std::string text;
  if (report.check && report.check->Checked()) {
    const std::vector<CheckLine> lines = report.check->Lines();
    // Which model the rows come from, where it is not the bare card.
    if (const auto& results = report.check->Results(); results && !results->current.simulatedModel.empty())
      text += results->current.simulatedModel + "\n";
    if (!report.check->TcvthConvention().empty()) text += report.check->TcvthConvention() + "\n";
    text += report.check->Compared() ? ComparisonTable(lines) : VerificationTable(lines);
    // What meeting the gate charges cost the capacitance points belongs beside the comparison.
    if (!report.check->TradeOff().empty()) text += report.check->TradeOff() + "\n";
  }
  if (report.advice) text += AdviceTable(*report.advice);
  return text;
}

nlohmann::json SwitchAdviceJson(const SwitchAdvice& advice) {
  nlohmann::json rows = nlohmann::json::array();
  for (const SwitchAdviceRow& row : advice.rows) {
    rows.push_back({{"forceRdsOn", row.setting.ForceRdsOn},
                    {"fixVto", row.setting.FixVTO},
                    {"worstDcErrorPercent", OrNull(row.errors.worstDcPercent)},
                    {"worstCapacitanceErrorPercent", OrNull(row.errors.worstCapacitancePercent)},
                    {"failure", row.failure}});
  }
  return {{"rows", rows}, {"best", OrNull(advice.best)}, {"current", OrNull(advice.current)}};
}

nlohmann::json RefinementJson(const Refinement& r) {
  return {{"summary", RefinementSummary(r)},
          {"worstDcErrorPercent",
           {{"fitted", OrNull(r.before.worstDcPercent)}, {"refined", OrNull(r.after.worstDcPercent)}}},
          {"thresholdErrorPercent",
           {{"fitted", OrNull(r.before.thresholdPercent)}, {"refined", OrNull(r.after.thresholdPercent)}}},
          {"worstCapacitanceErrorPercent",
           {{"fitted", OrNull(r.before.worstCapacitancePercent)},
            {"refined", OrNull(r.after.worstCapacitancePercent)}}},
          {"worstGateChargeErrorPercent",
           {{"fitted", OrNull(r.before.worstGateChargePercent)},
            {"refined", OrNull(r.after.worstGateChargePercent)}}},
          {"worstHotErrorPercent", {{"fitted", OrNull(r.hotBefore)}, {"refined", OrNull(r.hotAfter)}}},
          {"thresholdTradeOff", r.thresholdTradeOff},
          {"tradeOff", r.tradeOff},
          {"junctionTradeOff", r.junctionTradeOff},
          {"hotTradeOff", r.hotTradeOff}};
}

std::string FieldWarningLine(const FieldWarning& warning) {
  return std::string(warning.field->control) + " (" + std::string(warning.field->quantity) + ") \"" +
         warning.text + "\": " + warning.message;
}

nlohmann::json FieldWarningsJson(const std::vector<FieldWarning>& warnings) {
  nlohmann::json list = nlohmann::json::array();
  for (const FieldWarning& warning : warnings) {
    const bool read =
        warning.read.problem != FieldProblem::Overflow && warning.read.problem != FieldProblem::NotAFetType;
    list.push_back({{"control", warning.field->control},
                    {"quantity", warning.field->quantity},
                    {"text", warning.text},
                    {"read", read ? nlohmann::json(warning.read.value) : nlohmann::json(nullptr)},
                    {"unit", warning.field->unit},
                    {"warning", warning.message}});
  }
  return list;
}

}  // namespace vdmos::cli

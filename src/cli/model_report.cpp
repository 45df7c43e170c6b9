#include "cli/model_report.h"

#include "cli/verification_table.h"
#include "refine/refine_texts.h"

namespace vdmos::cli {
namespace {

std::string OnOff(int check) { return check == 1 ? "on" : "off"; }

nlohmann::json OrNull(const std::optional<double>& value) { return value ? nlohmann::json(*value) : nullptr; }
nlohmann::json OrNull(const std::optional<std::size_t>& value) {
  return value ? nlohmann::json(*value) : nullptr;
}

std::string AdviceTable(const SwitchAdvice& advice) {
  std::vector<std::vector<std::string>> lines{{std::string(kForceRdsOnName), std::string(kFixVtoName),
                                               "worst DC error %", "worst capacitance error %", ""}};
  for (std::size_t i = 0; i < advice.rows.size(); ++i) {
    const SwitchAdviceRow& row = advice.rows[i];
    std::string marks;
    if (advice.best == i) marks = "best";
    if (advice.current == i) marks += marks.empty() ? "current" : ", current";
    lines.push_back({OnOff(row.setting.ForceRdsOn), OnOff(row.setting.FixVTO),
                     PercentCell(row.errors.worstDcPercent), PercentCell(row.errors.worstCapacitancePercent),
                     row.failure.empty() ? marks : row.failure});
  }
  return "switch advice (the model's own curves against the datasheet)\n" + PaddedTable(lines);
}

}  // namespace

std::string ReportTables(const ModelReport& report) {
  std::string text;
  if (report.check && report.check->Checked()) {
    const std::vector<CheckLine> lines = report.check->Lines();
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
  return {{"worstDcErrorPercent",
           {{"fitted", OrNull(r.before.worstDcPercent)}, {"refined", OrNull(r.after.worstDcPercent)}}},
          {"worstCapacitanceErrorPercent",
           {{"fitted", OrNull(r.before.worstCapacitancePercent)},
            {"refined", OrNull(r.after.worstCapacitancePercent)}}},
          {"worstGateChargeErrorPercent",
           {{"fitted", OrNull(r.before.worstGateChargePercent)},
            {"refined", OrNull(r.after.worstGateChargePercent)}}},
          {"tradeOff", r.tradeOff}};
}

}  // namespace vdmos::cli

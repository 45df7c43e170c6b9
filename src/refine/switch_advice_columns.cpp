#include "refine/switch_advice_columns.h"

#include "refine/refine_texts.h"
#include "verify/table_text.h"

namespace vdmos {
namespace {

std::string OnOff(int check) { return std::string(check == 1 ? kAdviceOn : kAdviceOff); }

}  // namespace

const std::array<std::string_view, kAdviceColumnCount> kAdviceCaptions{
    kAdviceForceRdsOnCaption, kAdviceFixVtoCaption, kAdviceDcCaption, kAdviceCapacitanceCaption, ""};

std::string AdviceMarks(bool best, bool current) {
  std::string marks = best ? std::string(kAdviceBest) : std::string();
  if (current) marks += (marks.empty() ? "" : ", ") + std::string(kAdviceCurrent);
  return marks;
}

std::array<std::string, kAdviceColumnCount> AdviceCells(const SwitchAdvice& advice, std::size_t row) {
  const SwitchAdviceRow& r = advice.rows[row];
  return {OnOff(r.setting.ForceRdsOn), OnOff(r.setting.FixVTO), PercentCellText(r.errors.worstDcPercent),
          PercentCellText(r.errors.worstCapacitancePercent),
          r.failure.empty() ? AdviceMarks(advice.best == row, advice.current == row)
                            : AdviceFailureText(advice, row)};
}

std::string AdviceFailureText(const SwitchAdvice& advice, std::size_t row) {
  const std::string& failure = advice.rows[row].failure;
  return advice.current == row ? failure + " (" + AdviceMarks(false, true) + ")" : failure;
}

}  // namespace vdmos

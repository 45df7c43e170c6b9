#include "ui/switch_advice_table.h"

#include <QHeaderView>
#include <QStyle>
#include <algorithm>
#include <array>

#include "ui/table_cells.h"
#include "ui/text_bridge.h"
#include "ui/window_texts.h"

namespace vdmos::ui {
namespace {

enum Column { kForceRdsOn, kFixVto, kDcError, kCapacitanceError, kMark, kColumns };
constexpr std::array kHeads{texts::Head_Advice_ForceRdsOn, texts::Head_Advice_FixVTO, texts::Head_Advice_Dc,
                            texts::Head_Advice_Capacitance, texts::Head_Advice_Mark};
// The widest error the columns are sized for; a larger one is elided.
constexpr double kWidestError = 9999.99;

QTableWidgetItem* SwitchCell(int value) {
  auto* cell = new QTableWidgetItem(Caption(value == 1 ? texts::Advice_On : texts::Advice_Off));
  cell->setTextAlignment(Qt::AlignCenter);
  return cell;
}

QString Marks(bool best, bool current) {
  QStringList marks;
  if (best) marks << Caption(texts::Advice_Best);
  if (current) marks << Caption(texts::Advice_Current);
  return marks.join(", ");
}

}  // namespace

SwitchAdviceTable::SwitchAdviceTable(QWidget* parent)
    : QTableWidget(static_cast<int>(kSwitchSettings.size()), kColumns, parent) {
  QStringList heads;
  for (const WindowText& head : kHeads) heads << Caption(head);
  setHorizontalHeaderLabels(heads);
  verticalHeader()->hide();
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::NoSelection);
  setFocusPolicy(Qt::NoFocus);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

  // Sized once for the widest content any row can show, so the page does not shift as the
  // numbers change.
  for (int row = 0; row < rowCount(); ++row) {
    setItem(row, kForceRdsOn, SwitchCell(0));
    setItem(row, kFixVto, SwitchCell(0));
    setItem(row, kDcError, PercentCell(kWidestError));
    setItem(row, kCapacitanceError, PercentCell(kWidestError));
    setItem(row, kMark, new QTableWidgetItem(Marks(true, true)));
  }
  resizeColumnsToContents();
  horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  setFixedWidth(horizontalHeader()->length() + 2 * frameWidth());
  // A failure text wraps within the cells it spans.
  setWordWrap(true);
  clearContents();
  fitHeightToRows();
}

void SwitchAdviceTable::showAdvice(const WindowState& state) {
  const SwitchAdvice advice = AdviseSwitches(state);
  clearContents();
  clearSpans();
  for (int i = 0; i < rowCount(); ++i) {
    const auto index = static_cast<std::size_t>(i);
    const SwitchAdviceRow& row = advice.rows[index];
    const bool best = advice.best == index;
    setRowHeight(i, verticalHeader()->defaultSectionSize());
    setItem(i, kForceRdsOn, SwitchCell(row.setting.ForceRdsOn));
    setItem(i, kFixVto, SwitchCell(row.setting.FixVTO));
    if (row.failure.empty()) {
      setItem(i, kDcError, PercentCell(row.errors.worstDcPercent));
      setItem(i, kCapacitanceError, PercentCell(row.errors.worstCapacitancePercent));
      setItem(i, kMark, new QTableWidgetItem(Marks(best, advice.current == index)));
    }
    for (int column = 0; column < columnCount(); ++column) {
      if (QTableWidgetItem* cell = item(i, column)) {
        QFont font = cell->font();
        font.setBold(best);
        cell->setFont(font);
      }
    }
  }
  showFailures(advice);
  fitHeightToRows();
}

// Neighbouring settings that fail alike share one cell, which gives the text the room of all
// their rows; the rows grow only where that is not enough.
void SwitchAdviceTable::showFailures(const SwitchAdvice& advice) {
  const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
  const int width = columnWidth(kDcError) + columnWidth(kCapacitanceError) + columnWidth(kMark) - 2 * margin;
  std::size_t first = 0;
  while (first < advice.rows.size()) {
    const std::string& failure = advice.rows[first].failure;
    std::size_t last = first;
    while (!failure.empty() && last + 1 < advice.rows.size() && advice.rows[last + 1].failure == failure)
      ++last;
    if (!failure.empty()) {
      const int rows = static_cast<int>(last - first + 1), top = static_cast<int>(first);
      QString text = ToQString(failure);
      if (rows == 1 && advice.current == first) text += " (" + Marks(false, true) + ")";
      setSpan(top, kDcError, rows, kColumns - kDcError);
      setItem(top, kDcError, new QTableWidgetItem(text));
      const int needed = fontMetrics().boundingRect(0, 0, width, 0, Qt::TextWordWrap, text).height() +
                         verticalHeader()->defaultSectionSize() - fontMetrics().height();
      const int each = std::max(verticalHeader()->defaultSectionSize(), (needed + rows - 1) / rows);
      for (int row = top; row < top + rows; ++row) setRowHeight(row, each);
    }
    first = last + 1;
  }
}

void SwitchAdviceTable::fitHeightToRows() {
  setFixedHeight(horizontalHeader()->sizeHint().height() + verticalHeader()->length() + 2 * frameWidth());
}

}  // namespace vdmos::ui

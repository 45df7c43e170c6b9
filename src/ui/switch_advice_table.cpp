#include "ui/switch_advice_table.h"

#include <QHeaderView>
#include <QStyle>
#include <algorithm>

#include "refine/switch_advice_columns.h"
#include "ui/table_cells.h"
#include "ui/text_bridge.h"

namespace vdmos::ui {
namespace {

// The widest error the columns are sized for; a larger one is elided.
constexpr double kWidestError = 9999.99;
constexpr int kColumns = static_cast<int>(kAdviceColumnCount);

QTableWidgetItem* SwitchCell(const std::string& text) {
  QTableWidgetItem* cell = TextCell(text);
  cell->setTextAlignment(Qt::AlignCenter);
  return cell;
}

}  // namespace

SwitchAdviceTable::SwitchAdviceTable(QWidget* parent)
    : QTableWidget(static_cast<int>(kSwitchSettings.size()), kColumns, parent) {
  QStringList heads;
  for (const std::string_view caption : kAdviceCaptions) heads << ToQString(caption);
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
  SwitchAdvice widest;
  for (SwitchAdviceRow& row : widest.rows) row.errors = {kWidestError, kWidestError, std::nullopt};
  widest.best = widest.current = 0;
  for (int row = 0; row < rowCount(); ++row) showRow(widest, 0, row);
  resizeColumnsToContents();
  horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  setFixedWidth(horizontalHeader()->length() + 2 * frameWidth());
  // A failure text wraps within the cells it spans.
  setWordWrap(true);
  clearContents();
  fitHeightToRows();
}

void SwitchAdviceTable::showAdvice(const SwitchAdvice& advice) {
  clearContents();
  clearSpans();
  for (int i = 0; i < rowCount(); ++i) {
    const auto index = static_cast<std::size_t>(i);
    setRowHeight(i, verticalHeader()->defaultSectionSize());
    showRow(advice, index, i);
    for (int column = 0; column < columnCount(); ++column) {
      if (QTableWidgetItem* cell = item(i, column)) {
        QFont font = cell->font();
        font.setBold(advice.best == index);
        cell->setFont(font);
      }
    }
  }
  showFailures(advice);
  fitHeightToRows();
}

// The cells of a failed setting after its switches are left to showFailures.
void SwitchAdviceTable::showRow(const SwitchAdvice& advice, std::size_t index, int row) {
  const SwitchAdviceRow& setting = advice.rows[index];
  const auto cells = AdviceCells(advice, index);
  setItem(row, kAdviceForceRdsOn, SwitchCell(cells[kAdviceForceRdsOn]));
  setItem(row, kAdviceFixVto, SwitchCell(cells[kAdviceFixVto]));
  if (!setting.failure.empty()) return;
  setItem(row, kAdviceDcError, NumberCell(setting.errors.worstDcPercent, cells[kAdviceDcError]));
  setItem(row, kAdviceCapacitanceError,
          NumberCell(setting.errors.worstCapacitancePercent, cells[kAdviceCapacitanceError]));
  setItem(row, kAdviceMarks, TextCell(cells[kAdviceMarks]));
}

// Neighbouring settings that fail alike share one cell, which gives the text the room of all
// their rows; the rows grow only where that is not enough.
void SwitchAdviceTable::showFailures(const SwitchAdvice& advice) {
  const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
  const int width = columnWidth(kAdviceDcError) + columnWidth(kAdviceCapacitanceError) +
                    columnWidth(kAdviceMarks) - 2 * margin;
  std::size_t first = 0;
  while (first < advice.rows.size()) {
    const std::string& failure = advice.rows[first].failure;
    std::size_t last = first;
    while (!failure.empty() && last + 1 < advice.rows.size() && advice.rows[last + 1].failure == failure)
      ++last;
    if (!failure.empty()) {
      const int rows = static_cast<int>(last - first + 1), top = static_cast<int>(first);
      // A text shared by several rows cannot say which of them is the window's own.
      const QString text = ToQString(rows == 1 ? AdviceFailureText(advice, first) : failure);
      setSpan(top, kAdviceDcError, rows, kColumns - static_cast<int>(kAdviceDcError));
      setItem(top, kAdviceDcError, new QTableWidgetItem(text));
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

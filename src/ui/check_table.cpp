#include "ui/check_table.h"

#include <QHeaderView>
#include <QStyle>
#include <algorithm>
#include <array>

#include "ui/table_cells.h"
#include "ui/text_bridge.h"
#include "ui/window_texts.h"
#include "verify/check_table_cells.h"

namespace vdmos::ui {
namespace {

// Enough rows to read a check without scrolling much; however small the window, a few stay.
constexpr int kRowsWanted = 16;
constexpr int kRowsAtLeast = 4;
// How wide a comparison's columns are, in digits, with the conditions of the longest points.
constexpr int kComparisonDigits = 144;

constexpr std::array kSingleHeads{texts::Head_Check_Quantity,  texts::Head_Check_Condition,
                                  texts::Head_Check_Datasheet, texts::Head_Check_Model,
                                  texts::Head_Check_Simulated, texts::Head_Check_Error,
                                  texts::Head_Check_Note};
constexpr std::array kComparedHeads{texts::Head_Check_Quantity,     texts::Head_Check_Condition,
                                    texts::Head_Check_Datasheet,    texts::Head_Check_FittedSimulated,
                                    texts::Head_Check_FittedError,  texts::Head_Check_RefinedSimulated,
                                    texts::Head_Check_RefinedError, texts::Head_Check_Note};

enum Column { kQuantity, kCondition, kDatasheet };
// The single form: the model's value, ngspice's, the error, the note.
enum SingleColumn { kModel = kDatasheet + 1, kSimulated, kError, kNote };
// The comparison: ngspice's value and the error of the fitted card, then of the refined card.
enum ComparedColumn {
  kFittedSimulated = kDatasheet + 1,
  kFittedError,
  kRefinedSimulated,
  kRefinedError,
  kNotes
};

void SetPoint(QTableWidget& table, int i, const VerificationRow& row) {
  table.setItem(i, kQuantity, TextCell(row.quantity));
  table.setItem(i, kCondition, TextCell(row.condition));
  table.setItem(i, kDatasheet, QuantityCell(row.datasheet, row.unit));
}

}  // namespace

CheckTable::CheckTable(QWidget* parent) : QTableWidget(parent) {
  verticalHeader()->hide();
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setWordWrap(false);
  // Tab leaves the table for the next control; the arrow keys move within it.
  setTabKeyNavigation(false);
  showRows({});
}

void CheckTable::showLines(const std::vector<CheckLine>& lines, bool compared) {
  if (compared)
    showComparison(lines);
  else
    showRows(lines);
}

void CheckTable::setHeads(std::span<const WindowText> heads) {
  QStringList captions;
  for (const WindowText& head : heads) captions << Caption(head);
  setColumnCount(static_cast<int>(captions.size()));
  setHorizontalHeaderLabels(captions);
}

void CheckTable::showRows(const std::vector<CheckLine>& lines) {
  clearContents();
  setHeads(kSingleHeads);
  setRowCount(static_cast<int>(lines.size()));
  for (int i = 0; i < rowCount(); ++i) {
    const VerificationRow& row = lines[static_cast<std::size_t>(i)].row;
    SetPoint(*this, i, row);
    setItem(i, kModel, QuantityCell(row.model, row.unit));
    setItem(i, kSimulated, QuantityCell(row.simulated, row.unit));
    setItem(i, kError, PercentCell(row.errorPercent));
    setItem(i, kNote, TextCell(row.note));
  }
  fitColumns();
}

void CheckTable::showComparison(const std::vector<CheckLine>& lines) {
  clearContents();
  setHeads(kComparedHeads);
  setRowCount(static_cast<int>(lines.size()));
  const VerificationRow none;
  for (int i = 0; i < rowCount(); ++i) {
    const CheckLine& line = lines[static_cast<std::size_t>(i)];
    const VerificationRow& row = line.row;
    const VerificationRow& other = line.fitted ? *line.fitted : none;
    SetPoint(*this, i, row);
    setItem(i, kFittedSimulated, QuantityCell(other.simulated, row.unit));
    setItem(i, kFittedError, PercentCell(other.errorPercent));
    setItem(i, kRefinedSimulated, QuantityCell(row.simulated, row.unit));
    setItem(i, kRefinedError, PercentCell(row.errorPercent));
    setItem(i, kNotes, new QTableWidgetItem(ToQString(ComparedNoteText(other.note, row.note))));
  }
  fitColumns();
}

// Fitting the columns to their contents undoes the stretch of the last one until the next
// resize; turning the stretch on anew redoes it.
void CheckTable::fitColumns() {
  resizeColumnsToContents();
  horizontalHeader()->setStretchLastSection(false);
  horizontalHeader()->setStretchLastSection(true);
}

int CheckTable::heightForRows(int rows) const {
  // The comparison's columns may not fit: the scroll bar then takes its height from the rows.
  const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  return horizontalHeader()->sizeHint().height() + rows * verticalHeader()->defaultSectionSize() + scrollBar +
         2 * frameWidth();
}

// Every column at its contents' width, and room for the vertical scroll bar; before a check
// fills it, room for a comparison's columns, so that the window opens wide enough for them.
int CheckTable::widthForColumns() const {
  const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  const int comparison = kComparisonDigits * fontMetrics().horizontalAdvance(QLatin1Char('0'));
  return std::max(horizontalHeader()->length(), comparison) + scrollBar + 2 * frameWidth();
}

QSize CheckTable::sizeHint() const { return {widthForColumns(), heightForRows(kRowsWanted)}; }

QSize CheckTable::minimumSizeHint() const {
  return {QTableWidget::minimumSizeHint().width(), heightForRows(kRowsAtLeast)};
}

}  // namespace vdmos::ui

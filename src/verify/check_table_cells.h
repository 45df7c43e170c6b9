#pragma once
// The model check's table as cells, its head line first: the command line pads them into
// columns, the window copies them for a spreadsheet or saves them as CSV. One list of columns,
// so that every form of the table holds the same.

#include <string>
#include <vector>

#include "verify/check_session.h"

namespace vdmos {

/// Where a value's unit goes: after the number in its cell ("0.16 Ohm", for people), or in a
/// column of its own after the condition, leaving the number alone for a spreadsheet to read.
enum class UnitPlacement { InCells, OwnColumn };

/// The head line, then one line per check line. Plain: quantity, condition, datasheet, model,
/// simulated, error %, and a note column when a row has a note. Compared: quantity, condition,
/// datasheet, then the fitted and the refined card's simulated value and error %, and a note
/// column (ComparedNoteText) when either card has a note on a row. A missing value is
/// kMissingCellText.
/// A compared row's note: the one both cards share, or each card's own, named. A curve's row
/// says there at which point each card's worst error lies, and the points may differ; a value
/// missing for one card says why.
std::string ComparedNoteText(const std::string& fitted, const std::string& refined);

std::vector<std::vector<std::string>> CheckTableCells(const std::vector<CheckLine>& lines, bool compared,
                                                      UnitPlacement units);

}  // namespace vdmos

#pragma once
// A table of text cells in the two forms a spreadsheet takes: tab-separated text from the
// clipboard, and a CSV file.

#include <string>
#include <vector>

namespace vdmos {

using TextTable = std::vector<std::vector<std::string>>;

/// One line per table line, cells one tab apart, each line ending in "\n", as a spreadsheet
/// pastes it cell by cell. A tab or line break inside a cell would split it: each becomes a blank.
std::string TabSeparatedText(const TextTable& table);

/// Comma-separated values: a cell holding a comma, a double quote, a line break or a blank at
/// either end goes in double quotes, its quotes doubled. Lines are joined by CR LF, without one
/// after the last, which the file's saver adds as it does to every file it writes.
std::string CommaSeparatedText(const TextTable& table);

}  // namespace vdmos

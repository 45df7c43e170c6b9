#include "files/delimited_text.h"

#include <algorithm>

namespace vdmos {
namespace {

std::string PastedCell(std::string cell) {
  std::ranges::replace_if(
      cell, [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
  return cell;
}

std::string CsvCell(const std::string& cell) {
  const bool quoted = cell.find_first_of(",\"\r\n") != std::string::npos ||
                      (!cell.empty() && (cell.front() == ' ' || cell.back() == ' '));
  if (!quoted) return cell;
  std::string text = "\"";
  for (char c : cell) {
    if (c == '"') text += '"';
    text += c;
  }
  return text + '"';
}

template <typename CellText>
std::string Joined(const TextTable& table, char separator, std::string_view lineEnd, bool endLast,
                   CellText cellText) {
  std::string text;
  for (std::size_t line = 0; line < table.size(); ++line) {
    if (line > 0 && !endLast) text += lineEnd;
    for (std::size_t column = 0; column < table[line].size(); ++column) {
      if (column > 0) text += separator;
      text += cellText(table[line][column]);
    }
    if (endLast) text += lineEnd;
  }
  return text;
}

}  // namespace

std::string TabSeparatedText(const TextTable& table) { return Joined(table, '\t', "\n", true, PastedCell); }

std::string CommaSeparatedText(const TextTable& table) { return Joined(table, ',', "\r\n", false, CsvCell); }

}  // namespace vdmos

#include "verify/ngspice_output.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "model/ascii_case.h"

namespace vdmos {
namespace {

constexpr std::array<std::string_view, 3> kNonConvergenceMarks{"timestep too small", "dc solution failed",
                                                               "simulation(s) aborted"};
constexpr std::array<std::string_view, 2> kParameterWarningMarks{"unrecognized parameter",
                                                                 "too large, limited to"};
constexpr std::array<std::string_view, 6> kErrorMarks{"error", "undefined", "unknown",
                                                      "can't", "cannot",    "could not"};

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    lines.push_back(Trim(text.substr(0, end)));
    text.remove_prefix(std::min(end + 1, text.size()));
  }
  return lines;
}

std::vector<std::string_view> Tokens(std::string_view text) {
  std::vector<std::string_view> tokens;
  std::size_t at = 0;
  while (at < text.size()) {
    while (at < text.size() && IsBlank(text[at])) ++at;
    std::size_t end = at;
    while (end < text.size() && !IsBlank(text[end])) ++end;
    if (end > at) tokens.push_back(text.substr(at, end - at));
    at = end;
  }
  return tokens;
}

bool IsIndex(std::string_view token) {
  return !token.empty() &&
         std::all_of(token.begin(), token.end(), [](char c) { return c >= '0' && c <= '9'; });
}

/// A table row: the index, then one number per column.
std::optional<std::vector<double>> TableRow(std::string_view line, std::size_t columns) {
  const std::vector<std::string_view> tokens = Tokens(line);
  if (tokens.size() != columns + 1 || !IsIndex(tokens[0])) return std::nullopt;
  std::vector<double> row;
  for (std::size_t i = 1; i < tokens.size(); ++i) {
    const std::optional<double> value = ReadNgspiceNumber(tokens[i]);
    if (!value) return std::nullopt;
    row.push_back(*value);
  }
  return row;
}

/// "name = value" with a one-word name and one number.
bool ReadValueLine(std::string_view line, OutputSection& section) {
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return false;
  const std::string_view name = Trim(line.substr(0, equals));
  const std::optional<double> value = ReadNgspiceNumber(Trim(line.substr(equals + 1)));
  if (name.empty() || Tokens(name).size() != 1 || !value) return false;
  section.values[std::string(name)] = *value;
  return true;
}

std::optional<std::string> FirstLineWith(std::string_view text, auto marks) {
  for (const std::string_view line : Lines(text)) {
    const std::string lower = AsciiLower(line);
    if (lower.starts_with("note:")) continue;
    for (const std::string_view mark : marks) {
      if (lower.find(mark) != std::string::npos) return std::string(line);
    }
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::vector<double>> OutputSection::Column(std::string_view column) const {
  const auto it = std::find(columns.begin(), columns.end(), column);
  if (it == columns.end()) return std::nullopt;
  const std::size_t index = static_cast<std::size_t>(it - columns.begin());
  std::vector<double> values;
  for (const std::vector<double>& row : rows) values.push_back(row[index]);
  return values;
}

std::vector<OutputSection> ParseNgspiceOutput(std::string_view output) {
  enum class Table { Awaited, Opened, Rows, Done };
  std::vector<OutputSection> sections;
  Table table = Table::Done;
  for (const std::string_view line : Lines(output)) {
    if (line.starts_with('@')) {
      const std::vector<std::string_view> tokens = Tokens(line.substr(1));
      OutputSection section;
      if (!tokens.empty()) section.name = tokens[0];
      if (tokens.size() > 1) section.tag = tokens[1];
      sections.push_back(std::move(section));
      table = Table::Awaited;
      continue;
    }
    if (sections.empty()) continue;
    OutputSection& section = sections.back();
    if (table == Table::Awaited && line.starts_with("Index")) {
      for (const std::string_view column : Tokens(line.substr(5))) section.columns.emplace_back(column);
      table = Table::Opened;
      continue;
    }
    if (table == Table::Opened || table == Table::Rows) {
      if (auto row = TableRow(line, section.columns.size())) {
        section.rows.push_back(std::move(*row));
        table = Table::Rows;
        continue;
      }
      // Between the header and the first row ngspice draws a rule; anything else ends the table.
      if (table == Table::Opened && (line.empty() || line.starts_with('-'))) continue;
      table = Table::Done;
    }
    ReadValueLine(line, section);
  }
  return sections;
}

std::optional<std::string> NonConvergenceLine(std::string_view output) {
  return FirstLineWith(output, kNonConvergenceMarks);
}

std::optional<std::string> ErrorLine(std::string_view errorOutput) {
  if (auto line = FirstLineWith(errorOutput, kErrorMarks)) return line;
  for (const std::string_view line : Lines(errorOutput)) {
    if (!line.empty() && !line.starts_with("Note:")) return std::string(line);
  }
  return std::nullopt;
}

std::optional<std::string> ReportedErrorLine(std::string_view output) {
  for (const std::string_view line : Lines(output)) {
    const std::string_view trimmed = Trim(line);
    // A measurement that finds no crossing says so as an error too, and the reader turns the
    // value it then lacks into the row's note ("not reached").
    if (trimmed.starts_with("Error:") && trimmed.find("measure") == std::string_view::npos)
      return std::string(trimmed);
  }
  return std::nullopt;
}

std::vector<std::string> ParameterWarningLines(std::string_view errorOutput) {
  std::vector<std::string> lines;
  for (const std::string_view line : Lines(errorOutput)) {
    const std::string lower = AsciiLower(line);
    if (std::any_of(kParameterWarningMarks.begin(), kParameterWarningMarks.end(),
                    [&](std::string_view mark) { return lower.find(mark) != std::string::npos; })) {
      lines.emplace_back(line);
    }
  }
  return lines;
}

std::optional<double> ReadNgspiceNumber(std::string_view text) {
  if (text.starts_with('+')) text.remove_prefix(1);
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

}  // namespace vdmos

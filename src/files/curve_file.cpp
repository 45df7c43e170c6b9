#include "files/curve_file.h"

#include <algorithm>

#include "files/byte_order_mark.h"
#include "files/file_messages.h"

namespace vdmos {
namespace {

constexpr std::string_view kBlanks = " \t";
// What a spreadsheet's "Unicode text" export starts with, in either byte order.
constexpr std::string_view kUtf16Marks[] = {"\xFF\xFE", "\xFE\xFF"};

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

/// A field without the double quotes a spreadsheet's CSV export puts around each cell.
std::string_view Unquoted(std::string_view field) {
  if (field.size() >= 2 && field.front() == '"' && field.back() == '"')
    return Trimmed(field.substr(1, field.size() - 2));
  return field;
}

/// The fields of a line: split at each comma or semicolon when it has one, each field trimmed
/// and unquoted; otherwise at each run of blanks.
std::vector<std::string_view> Fields(std::string_view line) {
  const bool marked = line.find_first_of(",;") != std::string_view::npos;
  std::vector<std::string_view> fields;
  while (true) {
    const std::size_t end = line.find_first_of(marked ? ",;" : kBlanks);
    fields.push_back(Unquoted(Trimmed(line.substr(0, end))));
    if (end == std::string_view::npos) return fields;
    line.remove_prefix(end + 1);
    if (!marked) line = Trimmed(line);
  }
}

CurveReading Failure(std::size_t line, std::string problem) {
  return {{}, CurveReadError{line, std::move(problem)}};
}

}  // namespace

CurveReading ReadCurveText(std::string_view text, CurveKind kind) {
  if (std::ranges::any_of(kUtf16Marks, [&](std::string_view mark) { return text.starts_with(mark); }))
    return Failure(0, std::string(kCurveUtf16Text));
  text = WithoutByteOrderMark(text);
  CurveReading reading;
  std::size_t number = 0;
  // The second line passed over as a header: where no point follows, the first that was meant
  // as one, which is more use to name than "too few points".
  std::size_t headers = 0, secondHeader = 0;
  int direction = 0;  // +1 rising, -1 falling, once two points tell
  while (!text.empty()) {
    ++number;
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    line = Trimmed(line);
    if (line.empty() || line.starts_with('#')) continue;

    const std::vector<std::string_view> fields = Fields(line);
    // Before the first point, a line without a number is the header.
    if (reading.points.empty() &&
        std::ranges::none_of(fields, [](std::string_view f) { return ReadCurveNumber(f).has_value(); })) {
      if (++headers == 2) secondHeader = number;
      continue;
    }
    if (fields.size() != 2) return Failure(number, std::string(kCurveColumnsText));
    const std::optional<double> x = ReadCurveNumber(fields[0]);
    const std::optional<double> y = ReadCurveNumber(fields[1]);
    if (!x || !y) return Failure(number, std::string(kCurveNotNumberText));
    if (IsCapacitanceCurve(kind) && *y < 0)
      return Failure(number, std::string(kCurveNegativeCapacitanceText));
    if (!reading.points.empty()) {
      const double previous = reading.points.back().x;
      const int step = *x > previous ? 1 : *x < previous ? -1 : 0;
      if (step == 0 || (direction != 0 && step != direction))
        return Failure(number, std::string(kCurveNotMonotonicText));
      direction = step;
    }
    reading.points.push_back({*x, *y});
  }
  if (reading.points.empty() && secondHeader > 0)
    return Failure(secondHeader, std::string(kCurveNotNumberText));
  if (reading.points.size() < 2) return Failure(0, std::string(kCurveTooFewPointsText));
  return reading;
}

std::optional<double> ReadCurveField(std::string_view field) {
  return ReadCurveNumber(Unquoted(Trimmed(field)));
}

std::string CurveReadMessage(std::string_view file, const CurveReadError& error) {
  std::string message(file);
  if (error.line > 0) message.append(", line ").append(std::to_string(error.line));
  return message.append(": ").append(error.problem);
}

}  // namespace vdmos

#include "commands/curve_commands.h"

#include <algorithm>

#include "files/curve_file.h"
#include "files/file_messages.h"

namespace vdmos {

std::optional<std::string> ImportCurveFile(WindowState& state, Platform& platform, std::string_view name,
                                           const std::string& path) {
  if (!ReadCurveName(name)) return std::string(kUnknownCurveText) + std::string(name);
  const FileRead file = platform.ReadFile(path, kCurveReadLimit);
  if (file.status == FileRead::Status::CannotOpen)
    return CurveReadMessage(path, {0, std::string(kCurveCannotReadText)});
  if (file.status == FileRead::Status::TooLarge)
    return CurveReadMessage(path, {0, std::string(kCurveTooLargeText)});
  return PutCurveText(state, name, path, file.bytes);
}

std::optional<std::string> PutCurveText(WindowState& state, std::string_view name, std::string_view source,
                                        std::string_view text) {
  std::optional<DatasheetCurve> curve = ReadCurveName(name);
  if (!curve) return std::string(kUnknownCurveText) + std::string(name);
  if (text.size() > kCurveReadLimit) return CurveReadMessage(source, {0, std::string(kCurveTooLargeText)});
  CurveReading reading = ReadCurveText(text, curve->kind);
  if (reading.error) return CurveReadMessage(source, *reading.error);
  curve->points = std::move(reading.points);
  PutCurve(state.curves, std::move(*curve));
  return std::nullopt;
}

// The rows go to the file's reader written out as its lines, so that the table is held to
// exactly what a file is; only the header, which a table has not, is ruled out first.
std::optional<std::string> PutCurveRows(WindowState& state, std::string_view name,
                                        const std::vector<CurveRow>& rows) {
  std::string text;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const CurveRow& row = rows[i];
    const bool blank = row.x.find_first_not_of(" \t") == std::string::npos &&
                       row.y.find_first_not_of(" \t") == std::string::npos;
    if (!blank) {
      if (!ReadCurveField(row.x) || !ReadCurveField(row.y))
        return CurveReadMessage(kCurveTableSourceName, {i + 1, std::string(kCurveNotNumberText)});
      text.append(row.x).append(",").append(row.y);
    }
    text += '\n';
  }
  return PutCurveText(state, name, kCurveTableSourceName, text);
}

const DatasheetCurve* FindCurve(const WindowState& state, std::string_view name) {
  const std::optional<DatasheetCurve> named = ReadCurveName(name);
  if (!named) return nullptr;
  const auto held =
      std::ranges::find_if(state.curves, [&](const DatasheetCurve& c) { return SameCurve(c, *named); });
  return held == state.curves.end() ? nullptr : &*held;
}

bool ClearCurve(WindowState& state, std::string_view name) {
  const DatasheetCurve* held = FindCurve(state, name);
  if (!held) return false;
  state.curves.erase(state.curves.begin() + (held - state.curves.data()));
  return true;
}

}  // namespace vdmos

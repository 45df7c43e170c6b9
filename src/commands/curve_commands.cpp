#include "commands/curve_commands.h"

#include "files/curve_file.h"
#include "files/file_messages.h"

namespace vdmos {

std::optional<std::string> ImportCurveFile(WindowState& state, Platform& platform, std::string_view name,
                                           const std::string& path) {
  std::optional<DatasheetCurve> curve = ReadCurveName(name);
  if (!curve) return std::string(kUnknownCurveText) + std::string(name);
  const FileRead file = platform.ReadFile(path, kCurveReadLimit);
  if (file.status == FileRead::Status::CannotOpen)
    return CurveReadMessage(path, {0, std::string(kCurveCannotReadText)});
  if (file.status == FileRead::Status::TooLarge)
    return CurveReadMessage(path, {0, std::string(kCurveTooLargeText)});
  CurveReading reading = ReadCurveText(file.bytes, curve->kind);
  if (reading.error) return CurveReadMessage(path, *reading.error);
  curve->points = std::move(reading.points);
  PutCurve(state.curves, std::move(*curve));
  return std::nullopt;
}

}  // namespace vdmos

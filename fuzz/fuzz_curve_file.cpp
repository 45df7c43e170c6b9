// Reading a digitized curve from any text: never a crash; either an error with a line inside
// the text, or at least two finite points whose x runs one way, with no negative capacitance;
// and the points survive the values file's curve line unchanged. The same text as the window's
// curve table, a line a row with its cells apart by a tab, is taken only as exactly the points
// its cells read as, or refused with the curves as they were.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "commands/curve_commands.h"
#include "files/curve_file.h"
#include "files/datasheet_file.h"
#include "model/window_state.h"

namespace {

void CheckTableRows(std::string_view text, vdmos::CurveKind kind) {
  std::vector<vdmos::CurveRow> rows;
  std::vector<vdmos::CurvePoint> cells;
  while (!text.empty()) {
    const std::string_view line = text.substr(0, text.find('\n'));
    text.remove_prefix(std::min(text.size(), line.size() + 1));
    const std::size_t tab = line.find('\t');
    rows.push_back(
        {std::string(line.substr(0, tab)), tab == line.npos ? "" : std::string(line.substr(tab + 1))});
    const std::optional<double> x = vdmos::ReadCurveField(rows.back().x);
    const std::optional<double> y = vdmos::ReadCurveField(rows.back().y);
    if (x && y) cells.push_back({*x, *y});
  }
  vdmos::WindowState state;
  const std::string name = vdmos::CurveName({kind, 7.5, {}});
  if (vdmos::PutCurveRows(state, name, rows)) {
    if (!state.curves.empty()) std::abort();
  } else if (state.curves.size() != 1 || state.curves[0].points != cells) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const auto kinds = vdmos::CurveKinds();
  const vdmos::CurveKind kind = kinds[data[0] % kinds.size()].kind;
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  CheckTableRows(text, kind);
  const vdmos::CurveReading reading = vdmos::ReadCurveText(text, kind);
  if (reading.error) {
    const std::size_t lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
    if (!reading.points.empty() || reading.error->line > lines) std::abort();
    return 0;
  }
  const auto& points = reading.points;
  if (points.size() < 2) std::abort();
  const bool rising = points[1].x > points[0].x;
  for (std::size_t i = 0; i < points.size(); ++i) {
    if (!std::isfinite(points[i].x) || !std::isfinite(points[i].y)) std::abort();
    if (i > 0 && (points[i].x > points[i - 1].x) != rising) std::abort();
    if (i > 0 && points[i].x == points[i - 1].x) std::abort();
    if (vdmos::IsCapacitanceCurve(kind) && points[i].y < 0) std::abort();
  }
  vdmos::WindowState state;
  state.curves.push_back({kind, kind == vdmos::CurveKind::Output ? 7.5 : 0, points});
  const vdmos::DatasheetReading back = vdmos::ReadDatasheetText(vdmos::DatasheetFileText(state));
  if (back.content.curves != state.curves) std::abort();
  return 0;
}

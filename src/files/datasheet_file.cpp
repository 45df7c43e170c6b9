#include "files/datasheet_file.h"

#include <algorithm>
#include <array>
#include <optional>
#include <span>

#include "files/byte_order_mark.h"
#include "files/curve_file.h"
#include "files/file_messages.h"
#include "model/control_names.h"

namespace vdmos {
namespace {

/// One line of the file: a fixed text, or the text of a field.
struct Line {
  std::string_view fixedText;
  std::string_view control;
};

constexpr Line Fixed(std::string_view text) { return {text, {}}; }
constexpr Line Field(std::string_view control) { return {{}, control}; }

// The meaning of a line is its position alone. The fixed lines carry no data; they only hold
// their places, and are never checked on reading.
constexpr std::array<Line, 40> kLayout{
    Fixed(kDatasheetHeader),         // 1
    Field(control::Text20),          // 2
    Fixed("dc parameters"),          // 3
    Field(control::Text6),           // 4
    Fixed("0"),                      // 5
    Field(control::Text2),           // 6
    Field(control::Text3),           // 7
    Field(control::Text4),           // 8
    Field(control::Text5),           // 9
    Fixed("ac parameters"),          // 10
    Field(control::Text7),           // 11
    Field(control::Text8),           // 12
    Field(control::Text21),          // 13
    Field(control::Text9),           // 14
    Field(control::Text10),          // 15
    Field(control::Text11),          // 16
    Fixed("body diode parameters"),  // 17
    Fixed("0"),                      // 18
    Fixed("0"),                      // 19
    Fixed("0"),                      // 20
    Field(control::TextVdsMiddle),   // 21
    Field(control::rdsonVgs),        // 22
    Field(control::Trr),             // 23
    Field(control::Combo1),          // 24
    Field(control::TextBoxVdsTest),  // 25
    Field(control::VdsRange),        // 26
    Field(control::IdCharge),        // 27
    Field(control::VdCharge),        // 28
    Fixed("0"),                      // 29
    Fixed("0"),                      // 30
    Field(control::Idplat),          // 31
    Field(control::Vplat),           // 32
    Field(control::id1),             // 33
    Field(control::vd1),             // 34
    Field(control::id2),             // 35
    Field(control::vd2),             // 36
    Field(control::id3),             // 37
    Field(control::vd3),             // 38
    Field(control::TextVdsMax),      // 39
    Field(control::TextCossMin),     // 40
};

// The fields the 40 lines do not hold. They follow the 40 lines as "Name=text", so that nothing
// typed is lost on Save, while a reader of the 40-line layout still stops at line 40.
constexpr std::array<std::string_view, 10> kNamedTexts{
    control::Qgs,         control::Qgd,     control::Qg,       control::VgCharge, control::avalanche_volt,
    control::Text_LAMBDA, control::Out_VGS, control::OUT_VDS1, control::OUT_VDS2, control::VthCurrent};
// The hot device's values, written only when typed: a file without them stays as it was, and
// older readers, which pass over names they do not know, open it as before.
constexpr std::array<std::string_view, 10> kNamedTextsWhenTyped{
    control::TjHot,  control::RdsHotRatio, control::Tj2,    control::RdsRatio2, control::VthHot,
    control::VsdHot, control::IsdHot,      control::ZtcVgs, control::BvHot,     control::IdssHot};
constexpr std::array<std::string_view, 4> kNamedChecks{control::CheckDepMode, control::ForceRdsOn,
                                                       control::FixVTO, control::ChargesFirst};

// The digitized curves follow the named lines as "Curve.NAME=x,y;x,y;…", numbers with "."
// whatever the locale; a file without curves has none of these lines.
constexpr std::string_view kCurvePrefix = "Curve.";

std::string CurveLine(const DatasheetCurve& curve) {
  std::string line = std::string(kCurvePrefix) + CurveName(curve) + "=";
  for (std::size_t i = 0; i < curve.points.size(); ++i) {
    if (i > 0) line += ';';
    line.append(CurveNumberText(curve.points[i].x)).append(",").append(CurveNumberText(curve.points[i].y));
  }
  return line;
}

/// A curve line read by the same rules as a digitizer's file, one point per ";" part; nullopt
/// for anything that reading refuses.
std::optional<DatasheetCurve> ReadCurveLine(std::string_view line) {
  if (!line.starts_with(kCurvePrefix)) return std::nullopt;
  line.remove_prefix(kCurvePrefix.size());
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  std::optional<DatasheetCurve> curve = ReadCurveName(line.substr(0, equals));
  if (!curve) return std::nullopt;
  std::string points(line.substr(equals + 1));
  std::ranges::replace(points, ';', '\n');
  CurveReading reading = ReadCurveText(points, curve->kind);
  if (reading.error) return std::nullopt;
  curve->points = std::move(reading.points);
  return curve;
}

/// The lines of the text, each without its line end (CR LF or LF). A text ending in a line
/// end has no empty line after it.
std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    if (end == std::string_view::npos) {
      lines.push_back(text);
      break;
    }
    std::string_view line = text.substr(0, end);
    if (line.ends_with('\r')) line.remove_suffix(1);
    lines.push_back(line);
    text.remove_prefix(end + 1);
  }
  return lines;
}

std::optional<NamedLine> ReadNamedLine(std::string_view line) {
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  const std::string_view name = line.substr(0, equals);
  const std::string_view text = line.substr(equals + 1);
  if (auto known = std::ranges::find(kNamedTexts, name); known != kNamedTexts.end())
    return NamedLine{*known, std::string(text)};
  if (auto known = std::ranges::find(kNamedTextsWhenTyped, name); known != kNamedTextsWhenTyped.end())
    return NamedLine{*known, std::string(text)};
  if (auto known = std::ranges::find(kNamedChecks, name);
      known != kNamedChecks.end() && text.size() == 1 && text[0] >= '0' && text[0] <= '2')
    return NamedLine{*known, std::string(text), true, text[0] - '0'};
  return std::nullopt;
}

}  // namespace

std::string DatasheetFileText(const WindowState& state) {
  std::string text;
  for (const Line& line : kLayout) {
    text += line.control.empty() ? line.fixedText : std::string_view(state.text(line.control));
    text += "\r\n";
  }
  for (const std::string_view name : kNamedTexts)
    text.append(name).append("=").append(state.text(name)).append("\r\n");
  for (const std::string_view name : kNamedChecks)
    text.append(name).append("=").append(std::to_string(state.check(name))).append("\r\n");
  for (const std::string_view name : kNamedTextsWhenTyped)
    if (!state.text(name).empty()) text.append(name).append("=").append(state.text(name)).append("\r\n");
  for (const DatasheetCurve& curve : state.curves) text.append(CurveLine(curve)).append("\r\n");
  return text;
}

static_assert(kDatasheetReadLimit == std::size_t{16} * 1024 * 1024, "the messages name the limit as 16 MiB");

std::optional<std::string> DatasheetFileProblem(const WindowState& state) {
  const auto problem = [&](std::string_view control) -> std::optional<std::string> {
    if (state.text(control).find_first_of("\r\n") == std::string::npos) return std::nullopt;
    return DatasheetLineBreakMessage(control);
  };
  for (const Line& line : kLayout)
    if (!line.control.empty())
      if (auto found = problem(line.control)) return found;
  for (const auto& names : {std::span<const std::string_view>(kNamedTexts), {kNamedTextsWhenTyped}})
    for (const std::string_view name : names)
      if (auto found = problem(name)) return found;
  return std::nullopt;
}

DatasheetReading ReadDatasheetText(std::string_view text) {
  DatasheetReading reading;
  const std::vector<std::string_view> lines = SplitLines(WithoutByteOrderMark(text));
  if (lines.empty()) return reading;
  if (lines.front() != kDatasheetHeader) {
    reading.status = DatasheetReadStatus::WrongHeader;
    return reading;
  }
  reading.status = DatasheetReadStatus::Ok;
  DatasheetFileContent& content = reading.content;
  for (std::size_t i = 1; i < lines.size() && i < kLayout.size(); ++i) {
    const std::string_view control = kLayout[i].control;
    if (control.empty()) continue;
    if (control == control::Combo1)
      content.fetType = lines[i];
    else
      content.fields.emplace_back(control, lines[i]);
  }
  for (std::size_t i = kLayout.size(); i < lines.size(); ++i) {
    if (std::optional<NamedLine> named = ReadNamedLine(lines[i]))
      content.named.push_back(std::move(*named));
    else if (std::optional<DatasheetCurve> curve = ReadCurveLine(lines[i]))
      PutCurve(content.curves, std::move(*curve));
  }
  return reading;
}

}  // namespace vdmos

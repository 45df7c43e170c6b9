#include "files/datasheet_file.h"

#include <algorithm>
#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "files/file_messages.h"
#include "files/save_text_file.h"
#include "model/control_names.h"
#include "model/control_table.h"
#include "model/fet_type.h"
#include "model/new_command.h"

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
constexpr std::array<std::string_view, 9> kNamedTexts{
    control::Qgs,         control::Qgd,     control::Qg,       control::VgCharge, control::avalanche_volt,
    control::Text_LAMBDA, control::Out_VGS, control::OUT_VDS1, control::OUT_VDS2};
constexpr std::array<std::string_view, 4> kNamedChecks{control::CheckDepMode, control::ForceRdsOn,
                                                       control::FixVTO, control::ChargesFirst};

// Far more than the lines of typed values ever take; it keeps a huge or binary file from
// being read whole.
constexpr std::size_t kReadLimit = 1024 * 1024;

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

void SetIfEmpty(WindowState& state, std::string_view control, std::string value) {
  if (state.text(control).empty()) state.setText(control, std::move(value));
}

/// Sets the fields of the "Name=text" lines after the 40 as typing or clicking them would;
/// unknown names and malformed lines are passed over.
void ReadNamedLines(WindowState& state, Platform& platform, std::span<const std::string_view> lines) {
  for (const std::string_view line : lines) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    const std::string_view name = line.substr(0, equals);
    const std::string_view text = line.substr(equals + 1);
    const ControlAction* action = FindControlAction(name);
    if (std::ranges::find(kNamedTexts, name) != kNamedTexts.end() && action) {
      TypeInto(*action, std::string(text), state, platform);
    } else if (std::ranges::find(kNamedChecks, name) != kNamedChecks.end() && action && text.size() == 1 &&
               text[0] >= '0' && text[0] <= '2') {
      ClickCheckBox(*action, text[0] - '0', state, platform);
    }
  }
}

/// Fills what the file left empty, in an order where later gaps take earlier results.
void FillGaps(WindowState& state, std::string_view fetType) {
  SetIfEmpty(state, control::TextVdsMiddle, "25");
  SetIfEmpty(state, control::rdsonVgs, "10");
  SetIfEmpty(state, control::Trr, "0");
  // Only the exact text selects PMOS; setting the box's text runs no model update.
  state.setText(control::Combo1, std::string(IsPChannelType(fetType) ? kPmosText : kNmosText));
  SetIfEmpty(state, control::TextBoxVdsTest, "50");
  SetIfEmpty(state, control::VdsRange, "25");
  SetIfEmpty(state, control::IdCharge, state.text(control::Text4));
  SetIfEmpty(state, control::VdCharge, "50");
  SetIfEmpty(state, control::VgCharge, "10");
  const std::string& plateauCurrent = state.text(control::Idplat);
  if (plateauCurrent.empty() || plateauCurrent == "0")
    state.setText(control::Idplat, state.text(control::IdCharge));
}

}  // namespace

void save_Click(WindowState& state, Platform& platform) {
  std::string text;
  for (const Line& line : kLayout) {
    text += line.control.empty() ? line.fixedText : std::string_view(state.text(line.control));
    text += "\r\n";
  }
  for (const std::string_view name : kNamedTexts)
    text.append(name).append("=").append(state.text(name)).append("\r\n");
  for (const std::string_view name : kNamedChecks)
    text.append(name).append("=").append(std::to_string(state.check(name))).append("\r\n");
  SaveTextFile(platform, text, state.text(control::Text20) + ".txt", kDatasheetFilter, 1);
}

void open_Click(WindowState& state, Platform& platform) {
  const std::optional<std::string> path = platform.ChooseOpenFile({std::string(kDatasheetFilter), 2, ""});
  if (!path) return;
  const FileRead file = platform.ReadFile(*path, kReadLimit);
  if (file.status == FileRead::Status::CannotOpen) return;
  const std::vector<std::string_view> lines = SplitLines(file.bytes);
  if (lines.empty()) return;
  if (lines.front() != kDatasheetHeader) {
    platform.ShowMessage(kWrongDatasheetHeaderMessage);
    return;
  }

  // Only now, with a file in hand, are the user's values given up.
  New_Click(state, platform);
  std::string_view fetType;
  for (std::size_t i = 1; i < lines.size() && i < kLayout.size(); ++i) {
    const std::string_view control = kLayout[i].control;
    if (control.empty()) continue;
    if (control == control::Combo1)
      fetType = lines[i];
    else
      state.setText(control, std::string(lines[i]));
  }
  if (lines.size() > kLayout.size())
    ReadNamedLines(state, platform, std::span(lines).subspan(kLayout.size()));
  FillGaps(state, fetType);
  // New empties these too; they are emptied here as well because a card never belongs to
  // values that were just loaded.
  state.setText(control::Text19, "");
  state.card = CardTexts{};
}

}  // namespace vdmos

#include "files/datasheet_file.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/file_messages.h"
#include "files/save_text_file.h"
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
    Field("Text20"),                 // 2
    Fixed("dc parameters"),          // 3
    Field("Text6"),                  // 4
    Fixed("0"),                      // 5
    Field("Text2"),                  // 6
    Field("Text3"),                  // 7
    Field("Text4"),                  // 8
    Field("Text5"),                  // 9
    Fixed("ac parameters"),          // 10
    Field("Text7"),                  // 11
    Field("Text8"),                  // 12
    Field("Text21"),                 // 13
    Field("Text9"),                  // 14
    Field("Text10"),                 // 15
    Field("Text11"),                 // 16
    Fixed("body diode parameters"),  // 17
    Fixed("0"),                      // 18
    Fixed("0"),                      // 19
    Fixed("0"),                      // 20
    Field("TextVdsMiddle"),          // 21
    Field("rdsonVgs"),               // 22
    Field("Trr"),                    // 23
    Field("Combo1"),                 // 24
    Field("TextBoxVdsTest"),         // 25
    Field("VdsRange"),               // 26
    Field("IdCharge"),               // 27
    Field("VdCharge"),               // 28
    Fixed("0"),                      // 29
    Fixed("0"),                      // 30
    Field("Idplat"),                 // 31
    Field("Vplat"),                  // 32
    Field("id1"),                    // 33
    Field("vd1"),                    // 34
    Field("id2"),                    // 35
    Field("vd2"),                    // 36
    Field("id3"),                    // 37
    Field("vd3"),                    // 38
    Field("TextVdsMax"),             // 39
    Field("TextCossMin"),            // 40
};

// Far more than 40 lines of typed values ever take; it keeps a huge or binary file from
// being read whole.
constexpr std::size_t kReadLimit = 1024 * 1024;

/// The first 40 lines of the text, each without its line end (CR LF or LF). A text ending in
/// a line end has no empty line after it.
std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty() && lines.size() < kLayout.size()) {
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

/// Fills what the file left empty, in an order where later gaps take earlier results.
void FillGaps(WindowState& state, std::string_view fetType) {
  SetIfEmpty(state, "TextVdsMiddle", "25");
  SetIfEmpty(state, "rdsonVgs", "10");
  SetIfEmpty(state, "Trr", "0");
  // Only the exact text selects PMOS; setting the box's text runs no model update.
  state.setText("Combo1", fetType == "PMOS" ? "PMOS" : "NMOS");
  SetIfEmpty(state, "TextBoxVdsTest", "50");
  SetIfEmpty(state, "VdsRange", "25");
  SetIfEmpty(state, "IdCharge", state.text("Text4"));
  SetIfEmpty(state, "VdCharge", "50");
  const std::string& plateauCurrent = state.text("Idplat");
  if (plateauCurrent.empty() || plateauCurrent == "0") state.setText("Idplat", state.text("IdCharge"));
}

}  // namespace

void save_Click(WindowState& state, Platform& platform) {
  std::string text;
  for (const Line& line : kLayout) {
    text += line.control.empty() ? line.fixedText : std::string_view(state.text(line.control));
    text += "\r\n";
  }
  SaveTextFile(platform, text, state.text("Text20") + ".txt", kDatasheetFilter, 1);
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
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const std::string_view control = kLayout[i].control;
    if (control.empty()) continue;
    if (control == "Combo1")
      fetType = lines[i];
    else
      state.setText(control, std::string(lines[i]));
  }
  FillGaps(state, fetType);
  // New empties these too; they are emptied here as well because a card never belongs to
  // values that were just loaded.
  state.setText("Text19", "");
  state.card = CardTexts{};
}

}  // namespace vdmos

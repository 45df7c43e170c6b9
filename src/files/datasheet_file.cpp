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

// The meaning of a line is its position alone; the fixed lines are placeholders kept so that
// files stay readable by every version of the tool.
constexpr std::array<Line, 40> kLayout{
    Fixed(kDatasheetHeader),  Field("Text20"),         Fixed("dc parameters"),
    Field("Text6"),           Fixed("0"),              Field("Text2"),
    Field("Text3"),           Field("Text4"),          Field("Text5"),
    Fixed("ac parameters"),   Field("Text7"),          Field("Text8"),
    Field("Text21"),          Field("Text9"),          Field("Text10"),
    Field("Text11"),          Fixed("body diode parameters"), Fixed("0"),
    Fixed("0"),               Fixed("0"),              Field("TextVdsMiddle"),
    Field("rdsonVgs"),        Field("Trr"),            Field("Combo1"),
    Field("TextBoxVdsTest"),  Field("VdsRange"),       Field("IdCharge"),
    Field("VdCharge"),        Fixed("0"),              Fixed("0"),
    Field("Idplat"),          Field("Vplat"),          Field("id1"),
    Field("vd1"),             Field("id2"),            Field("vd2"),
    Field("id3"),             Field("vd3"),            Field("TextVdsMax"),
    Field("TextCossMin"),
};

// Far more than 40 lines of typed values ever take; it keeps a huge or binary file from
// being read whole.
constexpr std::size_t kReadLimit = 1024 * 1024;

/// The lines of the text, each without its line end (CR LF or LF). A text ending in a line
/// end has no empty line after it. When the text was cut at the read limit, its last piece
/// is incomplete and is dropped, unless it is the first line, which the header check judges.
std::vector<std::string_view> SplitLines(std::string_view text, bool cut) {
  std::vector<std::string_view> lines;
  while (!text.empty() && lines.size() < kLayout.size()) {
    const std::size_t end = text.find('\n');
    if (end == std::string_view::npos) {
      if (!cut || lines.empty()) lines.push_back(text);
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
  const std::vector<std::string_view> lines = SplitLines(file.bytes, file.status == FileRead::Status::TooLarge);
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

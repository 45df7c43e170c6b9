#include "commands/datasheet_commands.h"

#include <algorithm>
#include <optional>
#include <string>

#include "commands/control_table.h"
#include "commands/new_command.h"
#include "files/datasheet_file.h"
#include "files/file_messages.h"
#include "files/save_text_file.h"
#include "model/control_names.h"
#include "model/fet_type.h"

namespace vdmos {
namespace {

void SetIfEmpty(WindowState& state, std::string_view control, std::string value) {
  if (state.text(control).empty()) state.setText(control, std::move(value));
}

/// Sets the fields of the named lines as typing or clicking them would.
void ApplyNamedLines(WindowState& state, Platform& platform, const std::vector<NamedLine>& lines) {
  for (const NamedLine& line : lines) {
    const ControlAction* action = FindControlAction(line.control);
    if (!action) continue;
    if (line.checkBox)
      ClickCheckBox(*action, line.value, state, platform);
    else
      TypeInto(*action, line.text, state, platform);
  }
}

/// Fills what the file left empty, in an order where later gaps take earlier results.
void FillGaps(WindowState& state, const DatasheetFileContent& content) {
  const std::string_view fetType = content.fetType;
  SetIfEmpty(state, control::TextVdsMiddle, "25");
  SetIfEmpty(state, control::rdsonVgs, "10");
  SetIfEmpty(state, control::Trr, "0");
  // Only the exact text selects PMOS; setting the box's text runs no model update.
  state.setText(control::Combo1, std::string(IsPChannelType(fetType) ? kPmosText : kNmosText));
  SetIfEmpty(state, control::TextBoxVdsTest, "50");
  SetIfEmpty(state, control::VdsRange, "25");
  SetIfEmpty(state, control::IdCharge, state.text(control::Text4));
  SetIfEmpty(state, control::VdCharge, "50");
  // A file from before the gate charges were stored has no such line; one saved with the field
  // emptied keeps it empty, as the user left it.
  if (std::ranges::none_of(content.named,
                           [](const NamedLine& line) { return line.control == control::VgCharge; }))
    SetIfEmpty(state, control::VgCharge, "10");
  const std::string& plateauCurrent = state.text(control::Idplat);
  if (plateauCurrent.empty() || plateauCurrent == "0")
    state.setText(control::Idplat, state.text(control::IdCharge));
}

}  // namespace

void save_Click(WindowState& state, Platform& platform) {
  if (auto problem = DatasheetFileProblem(state)) {
    platform.ShowMessage(*problem);
    return;
  }
  std::string text = DatasheetFileText(state);
  // Saving a curve writes its numbers in full, which may take more room than its file did; a
  // file over the read limit would not open again.
  if (text.size() + kSavedLineEnd.size() > kDatasheetReadLimit) {
    platform.ShowMessage(std::string(kDatasheetCurvesTooLargeText));
    return;
  }
  if (std::optional<std::string> path =
          SaveTextFile(platform, text, state.text(control::Text20) + ".txt", kDatasheetFilter, 1)) {
    state.valuesFile = std::move(*path);
    state.savedValues = std::move(text);
  }
}

void open_Click(WindowState& state, Platform& platform) {
  const std::optional<std::string> path = platform.ChooseOpenFile({std::string(kDatasheetFilter), 2, ""});
  if (path) OpenDatasheetFile(state, platform, *path);
}

void OpenDatasheetFile(WindowState& state, Platform& platform, const std::string& path) {
  const FileRead file = platform.ReadFile(path, kDatasheetReadLimit);
  if (file.status == FileRead::Status::CannotOpen) {
    platform.ShowMessage(UnreadableFileMessage(path, kValuesLeftText));
    return;
  }
  if (file.status == FileRead::Status::TooLarge) {
    platform.ShowMessage(DatasheetTooLargeMessage(path));
    return;
  }
  const DatasheetReading reading = ReadDatasheetText(file.bytes);
  if (reading.status == DatasheetReadStatus::Empty) {
    platform.ShowMessage(EmptyValuesFileMessage(path));
    return;
  }
  if (reading.status == DatasheetReadStatus::WrongHeader) {
    platform.ShowMessage(kWrongDatasheetHeaderMessage);
    return;
  }

  // Only now, with a file in hand, are the user's values given up, and with them what was
  // computed from them: results left beside another part's values would read as its own.
  New_Click(state, platform);
  ForgetComputedResults(state);
  for (const auto& [control, text] : reading.content.fields) state.setText(control, text);
  ApplyNamedLines(state, platform, reading.content.named);
  state.curves = reading.content.curves;
  FillGaps(state, reading.content);
  // New empties these too; they are emptied here as well because a card never belongs to
  // values that were just loaded.
  state.setText(control::Text19, "");
  state.card = CardTexts{};
  state.valuesFile = path;
  state.savedValues = DatasheetFileText(state);
}

}  // namespace vdmos

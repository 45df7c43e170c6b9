#include "commands/library_commands.h"

#include <optional>
#include <vector>

#include "commands/library_names.h"
#include "commands/model_update.h"
#include "files/file_messages.h"
#include "files/save_text_file.h"
#include "model/control_names.h"

namespace vdmos {
namespace {

void AppendToLibrary(WindowState& state, std::string_view line) {
  std::string library = state.text(control::LibTextBox);
  AppendToLibraryText(library, line);
  library += "\r\n";
  state.setText(control::LibTextBox, std::move(library));
}

void CaretToEnd(WindowState& state) { state.libCaret = state.text(control::LibTextBox).size(); }

}  // namespace

void AppendToLibraryText(std::string& library, std::string_view lines) {
  if (!library.empty() && !library.ends_with('\n')) library += "\r\n";
  library += lines;
}

void Add_Click(WindowState& state, Platform& platform) {
  // The error text in place of a card is no model: a library holding it would fail in the
  // simulator, far from the fields that caused it.
  if (!EnsureCard(state, platform, kParameterErrorText)) return;
  std::string added;
  if (state.optionStandard) added += state.text(control::Text19) + "\r\n";
  if (state.optionSubCkt) added += state.text(control::SubCktTextBox);
  const std::vector<std::string> twice = NamesAlreadyDefined(state.text(control::LibTextBox), added);
  if (!twice.empty() && platform.AskYesNo(DuplicateModelQuestion(twice), kDuplicateModelTitle) != Answer::Yes)
    return;
  if (state.optionStandard) AppendToLibrary(state, state.text(control::Text19));
  if (state.optionSubCkt) AppendToLibrary(state, state.text(control::SubCktTextBox));
  CaretToEnd(state);
}

void SaveLib_Click(WindowState& state, Platform& platform) {
  if (SaveTextFile(platform, state.text(control::LibTextBox), state.text(control::FileName),
                   kLibrarySaveFilter, 1))
    state.savedLibrary = state.text(control::LibTextBox);
}

void OpenLib_Click(WindowState& state, Platform& platform) {
  // Lines another editor ended with LF alone go into the box, and the next save, with CR LF.
  std::string library = WithSavedLineEnds(OpenLibFile(state, platform, state.text(control::FileName), ""));
  // The box takes the text without the line end its save adds, so that saving what was opened
  // writes the same bytes instead of one more empty line each time round.
  if (library.ends_with(kSavedLineEnd) && library.size() > kSavedLineEnd.size())
    library.resize(library.size() - kSavedLineEnd.size());
  if (!library.empty()) {
    state.setText(control::LibTextBox, std::move(library));
    state.savedLibrary = state.text(control::LibTextBox);
  }
  CaretToEnd(state);
}

void SaveModel_Click(WindowState& state, Platform& platform) {
  if (ModelFailed(state)) {
    platform.ShowMessage(kParameterErrorText);
    return;
  }
  std::string text(kModelFileHeader);
  text += "\r\n";
  text += state.text(control::Text19);
  SaveTextFile(platform, text, state.text(control::Text20) + ".lib", "", 1);
}

std::string OpenLibFile(WindowState& state, Platform& platform, std::string_view fileName,
                        std::string_view filter) {
  const FileDialogRequest request{std::string(filter.empty() ? kLibraryOpenFilter : filter), 3,
                                  std::string(fileName)};
  const std::optional<std::string> path = platform.ChooseOpenFile(request);
  if (!path) return {};
  FileRead file = platform.ReadFile(*path, kLibraryMaxBytes);
  switch (file.status) {
    case FileRead::Status::CannotOpen:
      platform.ShowMessage(UnreadableFileMessage(*path, kLibraryLeftText));
      return {};
    case FileRead::Status::TooLarge:
      platform.ShowMessage(LibraryTooLargeMessage(*path));
      return {};
    case FileRead::Status::Ok:
      break;
  }
  if (file.bytes.find('\0') != std::string::npos) {
    platform.ShowMessage(LibraryNotTextMessage(*path));
    return {};
  }
  state.setText(control::FileName, *path);
  return std::move(file.bytes);
}

}  // namespace vdmos

#pragma once
// The one door from a command to the outside world: message boxes, file dialogs, the folder
// picker, the clipboard and the file system. The Qt window, the command-line front end and
// the tests each supply their own.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vdmos {

enum class Answer { Yes, No, Cancel };

/// What a file dialog is set up with before it is shown.
struct FileDialogRequest {
  std::string filter;       ///< "label|pattern|label|pattern..."
  int selectedFilter = 1;   ///< the preselected pair, counted from 1
  std::string initialName;  ///< the suggested file name; may be empty
  friend bool operator==(const FileDialogRequest&, const FileDialogRequest&) = default;
};

struct FileRead {
  enum class Status { Ok, CannotOpen, TooLarge };
  Status status = Status::CannotOpen;
  std::string bytes;  ///< the content; with TooLarge, the first maxBytes bytes
};

class Platform {
 public:
  virtual ~Platform() = default;

  /// A modal box with an OK button. An empty title means the application's own title.
  virtual void ShowMessage(std::string_view text, std::string_view title = {}) = 0;
  /// A modal box with Yes, No and Cancel, Yes the default button, no icon.
  virtual Answer AskYesNoCancel(std::string_view text, std::string_view title) = 0;
  /// Before unsaved work would be given up: Save (Yes), Discard (No) or Cancel, Save the
  /// default. The default asks Yes, No or Cancel in those words' places.
  virtual Answer AskSaveDiscardCancel(std::string_view text, std::string_view title) {
    return AskYesNoCancel(text, title);
  }
  /// A question with Yes and No alone (No the default), for a step that can only go on or not.
  /// The default asks Yes, No or Cancel; Cancel counts as No.
  virtual Answer AskYesNo(std::string_view text, std::string_view title) {
    return AskYesNoCancel(text, title) == Answer::Yes ? Answer::Yes : Answer::No;
  }
  /// The save dialog; nullopt when the user cancels. The dialog must not ask itself before
  /// replacing a file: the commands ask.
  virtual std::optional<std::string> ChooseSaveFile(const FileDialogRequest& request) = 0;
  /// The open dialog; nullopt when the user cancels.
  virtual std::optional<std::string> ChooseOpenFile(const FileDialogRequest& request) = 0;
  /// A folder picker with a title, restricted to file-system folders; nullopt on cancel.
  virtual std::optional<std::string> ChooseFolder(std::string_view title) = 0;
  /// Clears the clipboard, then puts plain text on it.
  virtual void SetClipboardText(std::string_view text) = 0;
  /// The clipboard's plain text; empty when it holds none.
  virtual std::string ClipboardText() = 0;

  // The file system. The defaults work on the local disk; tests override them to simulate
  // failures that cannot be produced for real (a full disk, a refused rename).
  virtual bool FileExists(const std::string& path);
  /// Reads at most maxBytes bytes of a file, byte for byte.
  virtual FileRead ReadFile(const std::string& path, std::size_t maxBytes);
  /// Writes the bytes to a temporary file beside the target and renames it over the target,
  /// so that a failed write never leaves a half-written file in place of a good one. On
  /// failure the target is untouched, no temporary file stays behind, and the result is false.
  virtual bool ReplaceFile(const std::string& path, std::string_view bytes);
};

}  // namespace vdmos

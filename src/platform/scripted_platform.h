#pragma once
// A Platform that answers from a script and records everything a command showed or asked.
// Tests use it to drive commands without a display; the command-line front end uses it to
// answer dialogs with the paths given on its command line.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace vdmos {

class ScriptedPlatform : public Platform {
 public:
  struct Message {
    std::string text;
    std::string title;
    bool askedYesNoCancel = false;
    friend bool operator==(const Message&, const Message&) = default;
  };

  // The script. Each queue is consumed front first; an empty queue answers Cancel / nullopt.
  std::deque<Answer> answers;
  std::deque<std::optional<std::string>> saveFiles;
  std::deque<std::optional<std::string>> openFiles;
  std::deque<std::optional<std::string>> folders;
  /// The answers before unsaved work is given up; an empty queue answers No (discard), so a
  /// script that does not care about unsaved work goes on as the user who discards it.
  std::deque<Answer> saveAnswers;
  /// The answers to Yes-or-No questions (replace these files? add a second model of a name?);
  /// an empty queue answers Yes, so a script goes on as the user who agrees, as the command
  /// line, which named the files to write, always does.
  std::deque<Answer> yesNoAnswers;

  // The record.
  std::vector<Message> messages;
  std::vector<FileDialogRequest> saveRequests;
  std::vector<FileDialogRequest> openRequests;
  std::vector<std::string> folderTitles;
  std::vector<std::string> saveQuestions;  ///< the questions before unsaved work is given up
  std::vector<std::string> yesNoQuestions;
  std::optional<std::string> clipboard;

  void ShowMessage(std::string_view text, std::string_view title = {}) override;
  Answer AskYesNoCancel(std::string_view text, std::string_view title) override;
  Answer AskSaveDiscardCancel(std::string_view text, std::string_view title) override;
  Answer AskYesNo(std::string_view text, std::string_view title) override;
  std::optional<std::string> ChooseSaveFile(const FileDialogRequest& request) override;
  std::optional<std::string> ChooseOpenFile(const FileDialogRequest& request) override;
  std::optional<std::string> ChooseFolder(std::string_view title) override;
  void SetClipboardText(std::string_view text) override;
  /// What `clipboard` holds.
  std::string ClipboardText() override;

  /// The texts of the messages shown so far, in order.
  std::vector<std::string> MessageTexts() const;
};

}  // namespace vdmos

#include "platform/scripted_platform.h"

namespace vdmos {
namespace {

template <typename T, typename Fallback>
T TakeFront(std::deque<T>& queue, Fallback fallback) {
  if (queue.empty()) return fallback;
  T front = std::move(queue.front());
  queue.pop_front();
  return front;
}

}  // namespace

void ScriptedPlatform::ShowMessage(std::string_view text, std::string_view title) {
  messages.push_back({std::string(text), std::string(title), false});
}

Answer ScriptedPlatform::AskYesNoCancel(std::string_view text, std::string_view title) {
  messages.push_back({std::string(text), std::string(title), true});
  return TakeFront(answers, Answer::Cancel);
}

Answer ScriptedPlatform::AskSaveDiscardCancel(std::string_view text, std::string_view) {
  saveQuestions.emplace_back(text);
  return TakeFront(saveAnswers, Answer::No);
}

Answer ScriptedPlatform::AskYesNo(std::string_view text, std::string_view) {
  yesNoQuestions.emplace_back(text);
  return TakeFront(yesNoAnswers, Answer::Yes);
}

std::optional<std::string> ScriptedPlatform::ChooseSaveFile(const FileDialogRequest& request) {
  saveRequests.push_back(request);
  return TakeFront(saveFiles, std::optional<std::string>{});
}

std::optional<std::string> ScriptedPlatform::ChooseOpenFile(const FileDialogRequest& request) {
  openRequests.push_back(request);
  return TakeFront(openFiles, std::optional<std::string>{});
}

std::optional<std::string> ScriptedPlatform::ChooseFolder(std::string_view title) {
  folderTitles.emplace_back(title);
  return TakeFront(folders, std::optional<std::string>{});
}

void ScriptedPlatform::SetClipboardText(std::string_view text) { clipboard = std::string(text); }

std::string ScriptedPlatform::ClipboardText() { return clipboard.value_or(""); }

std::vector<std::string> ScriptedPlatform::MessageTexts() const {
  std::vector<std::string> texts;
  for (const Message& message : messages) texts.push_back(message.text);
  return texts;
}

}  // namespace vdmos

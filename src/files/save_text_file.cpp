#include "files/save_text_file.h"

#include <optional>
#include <string>

#include "files/file_messages.h"

namespace vdmos {

std::string WithSavedLineEnds(std::string_view text) {
  std::string written;
  written.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      written += kSavedLineEnd;
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      written += text[i];
    }
  }
  return written;
}

std::optional<std::string> SaveTextFile(Platform& platform, std::string_view text, std::string_view fileName,
                                        std::string_view filter, int showDialog) {
  std::string content(text);
  content += kSavedLineEnd;
  if (showDialog <= 0) {
    std::string path(fileName);
    if (!platform.ReplaceFile(path, content)) return std::nullopt;
    return path;
  }

  FileDialogRequest request{std::string(filter.empty() ? kDefaultSaveFilter : filter), 2,
                            std::string(fileName)};
  for (;;) {
    const std::optional<std::string> chosen = platform.ChooseSaveFile(request);
    if (!chosen) return std::nullopt;
    if (platform.FileExists(*chosen)) {
      const Answer answer = platform.AskYesNoCancel(kReplacePromptText, kReplacePromptTitle);
      if (answer == Answer::Cancel) return std::nullopt;
      if (answer == Answer::No) {
        request.initialName = *chosen;
        continue;
      }
    }
    if (platform.ReplaceFile(*chosen, content)) return chosen;
    // The user asked for this file and would otherwise believe the work is safe on disk.
    platform.ShowMessage(SaveFailedMessage(*chosen));
    return std::nullopt;
  }
}

}  // namespace vdmos

#include "files/written_files.h"

#include <filesystem>

#include "files/file_messages.h"

namespace vdmos {

std::string WrittenFilesMessage(const std::vector<std::string>& paths) {
  if (paths.empty()) return {};
  if (paths.size() == 1) return paths.front() + " written";
  return std::to_string(paths.size()) + " files written to " +
         std::filesystem::path(paths.front()).parent_path().string();
}

bool MayReplaceFiles(Platform& platform, const std::vector<std::string>& paths) {
  std::string existing;
  for (const std::string& path : paths)
    if (platform.FileExists(path)) existing += "\r\n" + path;
  if (existing.empty()) return true;
  return platform.AskYesNo(std::string(kReplaceFilesPromptText) + existing + "\r\n" +
                               std::string(kReplaceFilesPromptQuestion),
                           kReplaceFilesPromptTitle) == Answer::Yes;
}

}  // namespace vdmos

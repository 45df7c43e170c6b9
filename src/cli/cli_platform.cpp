#include "cli/cli_platform.h"

namespace vdmos::cli {

Answer CliPlatform::AskYesNoCancel(std::string_view, std::string_view) { return Answer::Yes; }

FileRead CliPlatform::ReadFile(const std::string& path, std::size_t maxBytes) {
  FileRead read = ScriptedPlatform::ReadFile(path, maxBytes);
  lastRead = ReadNote{path, read.status, read.bytes.empty()};
  return read;
}

bool CliPlatform::ReplaceFile(const std::string& path, std::string_view bytes) {
  const bool written = ScriptedPlatform::ReplaceFile(path, bytes);
  if (written)
    ++writtenFiles;
  else
    failedWrites.push_back(path);
  return written;
}

}  // namespace vdmos::cli

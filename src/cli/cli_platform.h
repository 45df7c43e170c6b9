#pragma once
// The platform of a command-line run. The run answers each dialog with a path from its
// command line; commands that stay silent about files (an unreadable datasheet, a test
// circuit that cannot be written) are judged from the notes kept here.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "platform/scripted_platform.h"

namespace vdmos::cli {

class CliPlatform : public ScriptedPlatform {
 public:
  /// The file read last: its path and how the read went.
  struct ReadNote {
    std::string path;
    FileRead::Status status = FileRead::Status::CannotOpen;
    bool empty = true;
  };
  std::optional<ReadNote> lastRead;
  std::size_t writtenFiles = 0;
  std::vector<std::string> failedWrites;  ///< paths, in order

  /// The only question is whether to replace a file, and the command line named that file as
  /// the one to write: Yes, and no message, since nobody was asked.
  Answer AskYesNoCancel(std::string_view text, std::string_view title) override;
  FileRead ReadFile(const std::string& path, std::size_t maxBytes) override;
  bool ReplaceFile(const std::string& path, std::string_view bytes) override;
};

}  // namespace vdmos::cli

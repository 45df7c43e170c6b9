#include "cli/cli_file_commands.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "cli/cli_texts.h"
#include "files/file_messages.h"

namespace vdmos::cli {
namespace fs = std::filesystem;
namespace {

/// Why a file the platform could not open cannot be read, as far as the file system tells.
std::string ReadProblem(const std::string& path) {
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (error) return std::string(kCannotReadText) + ": " + error.message();
  if (fs::is_directory(status)) return std::string(kIsFolderText);
  if (!fs::is_regular_file(status)) return std::string(kNotRegularFileText);
  return std::string(kCannotReadText);
}

bool Showed(const CliPlatform& platform, std::string_view text) {
  return std::ranges::any_of(platform.messages,
                             [&](const ScriptedPlatform::Message& message) { return message.text == text; });
}

}  // namespace

std::optional<std::string> OpenDatasheet(const std::string& path, WindowSession& session,
                                         CliPlatform& platform) {
  platform.openFiles.push_back(path);
  platform.lastRead.reset();
  session.Click(control::open);
  if (!platform.lastRead || platform.lastRead->status == FileRead::Status::CannotOpen)
    return ReadProblem(path);
  if (platform.lastRead->status == FileRead::Status::TooLarge) return DatasheetTooLargeMessage(path);
  if (platform.lastRead->empty) return std::string(kEmptyFileText);
  if (Showed(platform, kWrongDatasheetHeaderMessage)) return std::string(kWrongDatasheetHeaderMessage);
  return std::nullopt;
}

std::optional<std::string> OpenLibrary(const std::string& path, WindowSession& session,
                                       CliPlatform& platform) {
  std::error_code error;
  if (!fs::exists(path, error)) return std::nullopt;
  if (fs::is_directory(path, error)) return std::string(kIsFolderText);
  const std::size_t shown = platform.messages.size();
  platform.openFiles.push_back(path);
  platform.lastRead.reset();
  session.Click(control::OpenLib);
  // A file too large or not text is refused with a message that names it.
  if (platform.messages.size() > shown) return platform.messages.back().text;
  if (!platform.lastRead || platform.lastRead->status != FileRead::Status::Ok) return ReadProblem(path);
  return std::nullopt;
}

bool SaveThroughDialog(control::Name control, const std::string& path, WindowSession& session,
                       CliPlatform& platform) {
  const std::size_t written = platform.writtenFiles;
  platform.saveFiles.push_back(path);
  session.Click(control);
  // A command that refused before its dialog must not hand this path to the next save.
  platform.saveFiles.clear();
  return platform.writtenFiles > written;
}

bool ExportToFolder(control::Name control, const std::string& folder, std::size_t fileCount,
                    WindowSession& session, CliPlatform& platform) {
  const std::size_t written = platform.writtenFiles;
  platform.folders.push_back(folder);
  session.Click(control);
  return platform.writtenFiles - written == fileCount;
}

std::optional<std::string> FolderProblem(const std::string& folder) {
  std::error_code error;
  const fs::file_status status = fs::status(folder, error);
  if (fs::is_directory(status)) return std::nullopt;
  return std::string(fs::exists(status) ? kNotAFolderText : kNoSuchFolderText);
}

}  // namespace vdmos::cli

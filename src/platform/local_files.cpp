// The default file operations of Platform, on the local disk.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

#include "platform/platform.h"

namespace vdmos {
namespace fs = std::filesystem;

bool Platform::FileExists(const std::string& path) {
  std::error_code error;
  return fs::is_regular_file(fs::path(path), error);
}

FileRead Platform::ReadFile(const std::string& path, std::size_t maxBytes) {
  FileRead result;
  std::error_code error;
  if (!fs::is_regular_file(fs::path(path), error)) return result;
  std::ifstream in(path, std::ios::binary);
  if (!in) return result;
  result.bytes.resize(maxBytes);
  in.read(result.bytes.data(), static_cast<std::streamsize>(maxBytes));
  if (in.bad()) {
    result.bytes.clear();
    return result;
  }
  result.bytes.resize(static_cast<std::size_t>(in.gcount()));
  result.status = in.peek() == std::char_traits<char>::eof() ? FileRead::Status::Ok : FileRead::Status::TooLarge;
  return result;
}

bool Platform::ReplaceFile(const std::string& path, std::string_view bytes) {
  const fs::path target(path);
  std::error_code error;
  if (target.filename().empty() || fs::is_directory(target, error)) return false;
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  std::random_device seed;
  const fs::path temporary =
      folder / ("." + target.filename().string() + "." + std::to_string(seed()) + ".tmp");

  FILE* file = std::fopen(temporary.c_str(), "wbx");
  if (file == nullptr) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  const bool flushed = std::fflush(file) == 0;
  const bool closed = std::fclose(file) == 0;
  if (written && flushed && closed) {
    fs::rename(temporary, target, error);
    if (!error) return true;
  }
  fs::remove(temporary, error);
  return false;
}

}  // namespace vdmos

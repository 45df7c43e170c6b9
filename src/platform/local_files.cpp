// The default file operations of Platform, on the local disk.

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

#include "platform/link_target.h"
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
  // Devices and pipes are refused: reading them might never end.
  if (!fs::is_regular_file(fs::path(path), error)) return result;
  std::ifstream in(path, std::ios::binary);
  if (!in) return result;
  // Read in chunks so that memory follows the file's real size, not the caller's limit; the
  // size is only a hint, as the file may change while it is read.
  const std::uintmax_t size = fs::file_size(fs::path(path), error);
  if (!error) result.bytes.reserve(static_cast<std::size_t>(std::min<std::uintmax_t>(size, maxBytes)));
  std::array<char, 64 * 1024> chunk;
  while (result.bytes.size() < maxBytes) {
    const std::size_t wanted = std::min(chunk.size(), maxBytes - result.bytes.size());
    in.read(chunk.data(), static_cast<std::streamsize>(wanted));
    result.bytes.append(chunk.data(), static_cast<std::size_t>(in.gcount()));
    if (!in) break;
  }
  if (in.bad()) {
    result.bytes.clear();
    return result;
  }
  const bool more = in && in.peek() != std::char_traits<char>::eof();
  result.status = more ? FileRead::Status::TooLarge : FileRead::Status::Ok;
  return result;
}

bool Platform::ReplaceFile(const std::string& path, std::string_view bytes) {
  // Replace what a link points to, not the link itself, so the user's link keeps working.
  const fs::path target = LinkTarget(fs::path(path));
  std::error_code probe;  // a target that does not exist yet is no failure
  if (target.filename().empty()) return false;
  // Renaming over the target would succeed where writing to it is not allowed: a read-only
  // file would lose its protection, a device or pipe its nature (/dev/null a plain file).
  if (fs::exists(fs::symlink_status(target, probe)) &&
      (!fs::is_regular_file(target, probe) || ::access(target.c_str(), W_OK) != 0))
    return false;
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
    std::error_code error;
    // A replaced file keeps who may read and write it.
    const fs::file_status old = fs::status(target, probe);
    if (fs::exists(old)) fs::permissions(temporary, old.permissions(), error);
    if (!error) fs::rename(temporary, target, error);
    if (!error) return true;
  }
  std::error_code ignored;
  fs::remove(temporary, ignored);
  return false;
}

}  // namespace vdmos

#pragma once
// The file a path names once its links are followed, whether that file exists yet or not.

#include <filesystem>
#include <system_error>

namespace vdmos {

/// `path` with each link it is followed to its target (a relative target from the link's own
/// folder), up to the depth the system itself allows; a link to a file not yet made gives that
/// file's path, so that writing through it makes the file the link points to.
inline std::filesystem::path LinkTarget(std::filesystem::path path) {
  constexpr int kMostLinks = 40;  // as the system's own limit on links followed
  for (int i = 0; i < kMostLinks; ++i) {
    std::error_code error;
    if (!std::filesystem::is_symlink(path, error)) return path;
    const std::filesystem::path next = std::filesystem::read_symlink(path, error);
    if (error) return path;
    path = next.is_absolute() ? next : path.parent_path() / next;
  }
  return path;
}

}  // namespace vdmos

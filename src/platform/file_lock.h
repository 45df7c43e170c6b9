#pragma once
// Serialises the whole read, change and write of one file between processes: two runs that
// each read a library, add to it and save it would otherwise both start from the same text,
// and the later save would drop what the earlier one added.

#include <optional>
#include <string>

namespace vdmos {

class FileLock {
 public:
  /// Waits until no other process holds the lock of the file at path, then holds it until
  /// the FileLock is destroyed. The lock lives in a sibling file, "." + name + ".lock", beside
  /// the file a link at path points to, because saving replaces the file itself by renaming
  /// a new one over it: a lock held on the old file would not stop a process that opens the
  /// new one. nullopt, with errno's text in whyNot, when the lock file cannot be opened.
  static std::optional<FileLock> Acquire(const std::string& path, std::string& whyNot);

  FileLock(FileLock&& other) noexcept;
  FileLock& operator=(FileLock&& other) noexcept;
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;
  ~FileLock();

 private:
  explicit FileLock(int descriptor) : descriptor_(descriptor) {}
  int descriptor_ = -1;
};

}  // namespace vdmos

#include "platform/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <utility>

#include "platform/link_target.h"

namespace vdmos {
namespace fs = std::filesystem;
namespace {

/// Every path that names the same file (through a link, or relative to another folder) must
/// meet at one lock file.
fs::path LockFilePath(const std::string& path) {
  std::error_code error;
  fs::path target = fs::weakly_canonical(LinkTarget(fs::path(path)), error);
  if (error) target = fs::absolute(LinkTarget(fs::path(path)), error);
  return target.parent_path() / ("." + target.filename().string() + ".lock");
}

}  // namespace

std::optional<FileLock> FileLock::Acquire(const std::string& path, std::string& whyNot) {
  const fs::path lockPath = LockFilePath(path);
  // The lock file stays behind: removing it would let a process that already opened it lock
  // a file nobody else can find any more.
  const int descriptor = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666);
  if (descriptor < 0) {
    whyNot = std::strerror(errno);
    return std::nullopt;
  }
  int locked;
  do {
    locked = ::flock(descriptor, LOCK_EX);
  } while (locked != 0 && errno == EINTR);
  if (locked != 0) {
    whyNot = std::strerror(errno);
    ::close(descriptor);
    return std::nullopt;
  }
  return FileLock(descriptor);
}

FileLock::FileLock(FileLock&& other) noexcept : descriptor_(std::exchange(other.descriptor_, -1)) {}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
  if (this != &other) {
    if (descriptor_ >= 0) ::close(descriptor_);
    descriptor_ = std::exchange(other.descriptor_, -1);
  }
  return *this;
}

FileLock::~FileLock() {
  // Closing the last descriptor releases the lock.
  if (descriptor_ >= 0) ::close(descriptor_);
}

}  // namespace vdmos

// The lock that makes runs adding to one library take turns.

#include "platform/file_lock.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>

#include "platform/temp_folder.h"

namespace vdmos {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;
using testing::WriteBytes;

/// Whether another open of the lock file could take the lock now.
bool LockIsFree(const std::string& lockFile) {
  const int descriptor = ::open(lockFile.c_str(), O_RDWR);
  if (descriptor < 0) return true;
  const bool free = ::flock(descriptor, LOCK_EX | LOCK_NB) == 0;
  ::close(descriptor);
  return free;
}

// Every way of naming the library meets at the one lock beside the real file, which outlives
// the replacement of the library by a renamed file.
TEST(FileLock, EveryNameOfTheFileSharesOneLockThatOutlivesAReplacement) {
  TempFolder folder;
  fs::create_directory(folder / "real");
  WriteBytes(folder / "real/all.lib", "* models\r\n");
  fs::create_symlink(folder / "real/all.lib", folder / "link.lib");
  const std::string lockFile = folder / "real/.all.lib.lock";
  for (const std::string& name :
       {folder / "real/all.lib", folder / "link.lib", folder / "real/../link.lib"}) {
    SCOPED_TRACE(name);
    std::string whyNot;
    {
      std::optional<FileLock> lock = FileLock::Acquire(name, whyNot);
      ASSERT_TRUE(lock) << whyNot;
      EXPECT_FALSE(LockIsFree(lockFile));
      WriteBytes(folder / "real/new.lib", "* replaced\r\n");
      fs::rename(folder / "real/new.lib", folder / "real/all.lib");
      const FileLock moved = std::move(*lock);
      EXPECT_FALSE(LockIsFree(lockFile));
    }
    EXPECT_TRUE(LockIsFree(lockFile));
  }
  EXPECT_EQ(folder.Names(), (std::vector<std::string>{"link.lib", "real"}));
}

TEST(FileLock, AFolderThatCannotHoldTheLockSaysWhy) {
  TempFolder folder;
  std::string whyNot;
  EXPECT_FALSE(FileLock::Acquire(folder / "missing/all.lib", whyNot));
  EXPECT_EQ(whyNot, "No such file or directory");
}

}  // namespace
}  // namespace vdmos

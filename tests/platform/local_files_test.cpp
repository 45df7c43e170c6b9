// The local disk operations of Platform: bounded reading and atomic replacing.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "platform/scripted_platform.h"
#include "platform/temp_folder.h"

namespace vdmos {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

struct ReadCase {
  const char* name;
  std::string content;
  std::size_t limit;
  FileRead::Status status;
  std::string bytes;
};

TEST(LocalReadFile, ReadsUpToTheLimitAndSaysWhetherMoreFollows) {
  const std::string binary("a\0\r\n\xff", 5);
  const ReadCase cases[] = {
      {"empty file", "", 10, FileRead::Status::Ok, ""},
      {"bytes unchanged", binary, 10, FileRead::Status::Ok, binary},
      {"exactly the limit", "12345", 5, FileRead::Status::Ok, "12345"},
      {"one byte over", "123456", 5, FileRead::Status::TooLarge, "12345"},
      {"larger than one chunk", std::string(200000, 'x'), 150000, FileRead::Status::TooLarge,
       std::string(150000, 'x')},
  };
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    WriteBytes(folder / "f", c.content);
    ScriptedPlatform platform;
    const FileRead read = platform.ReadFile(folder / "f", c.limit);
    EXPECT_EQ(read.status, c.status);
    EXPECT_EQ(read.bytes, c.bytes);
  }
}

TEST(LocalReadFile, RefusesWhatIsNotARegularFile) {
  TempFolder folder;
  ScriptedPlatform platform;
  for (const std::string& path : {folder / "missing", folder.path().string(), std::string("/dev/zero")}) {
    SCOPED_TRACE(path);
    const FileRead read = platform.ReadFile(path, 1000);
    EXPECT_EQ(read.status, FileRead::Status::CannotOpen);
    EXPECT_EQ(read.bytes, "");
  }
}

TEST(LocalReplaceFile, WritesBytesUnchangedThroughALinkKeepingItAndThePermissions) {
  TempFolder folder;
  ScriptedPlatform platform;
  ASSERT_TRUE(platform.ReplaceFile(folder / "real.sh", "old"));  // a new file
  const auto perms = fs::perms::owner_read | fs::perms::owner_write | fs::perms::owner_exec;
  fs::permissions(folder / "real.sh", perms);
  fs::create_symlink("real.sh", folder / "link.sh");
  const std::string bytes("x\0y\r\n\xff", 6);
  ASSERT_TRUE(platform.ReplaceFile(folder / "link.sh", bytes));
  EXPECT_TRUE(fs::is_symlink(folder / "link.sh"));
  EXPECT_EQ(ReadBytes(folder / "real.sh"), bytes);
  EXPECT_EQ(fs::status(folder / "real.sh").permissions(), perms);
  EXPECT_EQ(folder.Names(), (std::vector<std::string>{"link.sh", "real.sh"}));  // no temporary file

  // A link to a file not made yet makes that file and stays a link.
  fs::create_directory(folder / "later");
  fs::create_symlink("later/new.lib", folder / "ahead.lib");
  ASSERT_TRUE(platform.ReplaceFile(folder / "ahead.lib", "new"));
  EXPECT_TRUE(fs::is_symlink(folder / "ahead.lib"));
  EXPECT_EQ(ReadBytes(folder / "later/new.lib"), "new");
}

TEST(LocalReplaceFile, FailsWithoutTouchingAnythingWhenThePathCannotBeWritten) {
  TempFolder folder;
  fs::create_directory(folder / "sub");
  WriteBytes(folder / "sub/inside", "keep");
  WriteBytes(folder / "plain", "keep");
  ScriptedPlatform platform;
  for (const std::string& path :
       {folder / "missing/a.txt", folder / "sub", folder / "plain/a.txt", folder / ""}) {
    SCOPED_TRACE(path);
    EXPECT_FALSE(platform.ReplaceFile(path, "text"));
  }
  EXPECT_EQ(folder.Names(), (std::vector<std::string>{"plain", "sub"}));
  EXPECT_EQ(ReadBytes(folder / "plain"), "keep");
  EXPECT_EQ(ReadBytes(folder / "sub/inside"), "keep");

  // A pipe (or a device) stays what it is, directly or through a link; renaming a plain file
  // over it would have succeeded.
  ASSERT_EQ(::mkfifo((folder / "pipe").c_str(), 0600), 0);
  fs::create_symlink("pipe", folder / "to-pipe");
  for (const char* name : {"pipe", "to-pipe"})
    EXPECT_FALSE(platform.ReplaceFile(folder / name, "text")) << name;
  EXPECT_TRUE(fs::is_fifo(folder / "pipe"));
  // A read-only file is not the user's to replace (root may write to it, and does).
  WriteBytes(folder / "kept", "keep");
  fs::permissions(folder / "kept", fs::perms::owner_read);
  EXPECT_EQ(platform.ReplaceFile(folder / "kept", "text"), ::geteuid() == 0);
  EXPECT_EQ(ReadBytes(folder / "kept"), ::geteuid() == 0 ? "text" : "keep");
}

// A file size limit makes the write fail part way, as a full disk does.
TEST(LocalReplaceFile, AWriteCutShortKeepsTheOldFileAndLeavesNoTemporaryFile) {
  TempFolder folder;
  WriteBytes(folder / "a.lib", "old");
  ScriptedPlatform platform;
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  rlimit small = saved;
  small.rlim_cur = 4096;
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool replaced = platform.ReplaceFile(folder / "a.lib", std::string(100000, 'x'));
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);

  EXPECT_FALSE(replaced);
  EXPECT_EQ(ReadBytes(folder / "a.lib"), "old");
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"a.lib"});
}

}  // namespace
}  // namespace vdmos

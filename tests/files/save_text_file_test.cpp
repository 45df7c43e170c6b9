// SaveTextFile: the bytes it writes, the dialog, the replace prompt and its No-loop, and
// what a failed write leaves behind.

#include "files/save_text_file.h"

#include <gtest/gtest.h>

#include <set>

#include "platform/scripted_platform.h"
#include "platform/temp_folder.h"

namespace vdmos {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

const ScriptedPlatform::Message kReplacePrompt{"Filename allready exists\r\nDo you want to replace it?",
                                               "Save as", true};

/// Its writes fail the way a full disk does, which a test running as root cannot provoke for
/// real.
struct FailingPlatform : ScriptedPlatform {
  std::set<std::string> unwritable;  ///< ReplaceFile fails for these paths, touching nothing
  bool ReplaceFile(const std::string& path, std::string_view bytes) override {
    return !unwritable.contains(path) && ScriptedPlatform::ReplaceFile(path, bytes);
  }
};

TEST(SaveTextFile, ReplacePromptPaths) {
  struct Case {
    const char* name;
    std::vector<std::optional<std::string>> chosen;  // names inside the folder, nullopt: cancel
    std::vector<Answer> answers;
    bool saved;
    std::size_t prompts;
    std::vector<std::string> initialNames;  // of each dialog shown, inside the folder
    std::string oldA, oldB, fresh;          // contents afterwards; "-" means no such file
  };
  // clang-format off
  const Case cases[] = {
      {"cancelling the dialog", {std::nullopt}, {}, false, 0, {"suggested"}, "old a", "old b", "-"},
      {"Yes replaces", {"a"}, {Answer::Yes}, true, 1, {"suggested"}, "new\r\n", "old b", "-"},
      {"Cancel keeps", {"a"}, {Answer::Cancel}, false, 1, {"suggested"}, "old a", "old b", "-"},
      {"No then a free name", {"a", "fresh"}, {Answer::No}, true, 1, {"suggested", "a"}, "old a", "old b",
       "new\r\n"},
      {"No then another existing name asks again", {"a", "b"}, {Answer::No, Answer::Yes}, true, 2,
       {"suggested", "a"}, "old a", "new\r\n", "-"},
      {"No then cancelling the dialog", {"a", std::nullopt}, {Answer::No}, false, 1, {"suggested", "a"},
       "old a", "old b", "-"},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    WriteBytes(folder / "a", "old a");
    WriteBytes(folder / "b", "old b");
    ScriptedPlatform platform;
    for (const auto& name : c.chosen)
      platform.saveFiles.push_back(name ? std::optional(folder / *name) : std::nullopt);
    platform.answers.assign(c.answers.begin(), c.answers.end());

    EXPECT_EQ(SaveTextFile(platform, "new", folder / "suggested", "", 1).has_value(), c.saved);

    EXPECT_EQ(platform.messages, std::vector<ScriptedPlatform::Message>(c.prompts, kReplacePrompt));
    ASSERT_EQ(platform.saveRequests.size(), c.initialNames.size());
    for (std::size_t i = 0; i < c.initialNames.size(); ++i)
      EXPECT_EQ(platform.saveRequests[i].initialName, folder / c.initialNames[i]);
    EXPECT_EQ(ReadBytes(folder / "a"), c.oldA);
    EXPECT_EQ(ReadBytes(folder / "b"), c.oldB);
    EXPECT_EQ(c.fresh == "-" ? "-" : ReadBytes(folder / "fresh"), c.fresh);
    EXPECT_EQ(folder.Names().size(), c.fresh == "-" ? 2u : 3u);
  }
}

// The text goes out unchanged with one more CR LF, an empty one too; the library and datasheet
// tests save texts with lone LFs, UTF-8 and a final CR LF.
TEST(SaveTextFile, WithoutDialogReplacesSilentlyAndWritesNothingIntoAMissingFolder) {
  TempFolder folder;
  WriteBytes(folder / "a.asc", "old");
  ScriptedPlatform platform;
  EXPECT_TRUE(SaveTextFile(platform, "", folder / "a.asc", "asc files (*.asc)|*.asc|All files (*.*)|*.*", 0));
  EXPECT_FALSE(SaveTextFile(platform, "new", folder / "missing/a.asc", "", -1));
  EXPECT_EQ(ReadBytes(folder / "a.asc"), "\r\n");
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"a.asc"});
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_TRUE(platform.saveRequests.empty());
}

TEST(SaveTextFile, FailedWriteKeepsTheOldFileAndTellsTheUserWhoChoseIt) {
  TempFolder folder;
  WriteBytes(folder / "a.lib", "old");
  FailingPlatform platform;
  platform.unwritable.insert(folder / "a.lib");
  platform.saveFiles.push_back(folder / "a.lib");
  platform.answers.push_back(Answer::Yes);

  EXPECT_FALSE(SaveTextFile(platform, "new", "a.lib", "", 1));

  EXPECT_EQ(ReadBytes(folder / "a.lib"), "old");
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"a.lib"});
  ASSERT_EQ(platform.messages.size(), 2u);
  EXPECT_EQ(platform.messages[1].text,
            "The file could not be saved:\r\n" + (folder / "a.lib") +
                "\r\nAny file of that name was left as it was. Check that the folder exists and that you may "
                "write to it, or choose another name, then save again.");
}

// A text read from another editor's file is written back with the tool's own line ends; a
// CR LF stays one line end, not two.
TEST(SaveTextFile, LineEndsOfEveryKindAreWrittenAsCrLf) {
  EXPECT_EQ(WithSavedLineEnds("a\nb\rc\r\nd\r\r\ne\n\rf\r"), "a\r\nb\r\nc\r\nd\r\n\r\ne\r\n\r\nf\r\n");
  EXPECT_EQ(WithSavedLineEnds(""), "");
}

}  // namespace
}  // namespace vdmos

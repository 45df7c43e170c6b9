// The export command end to end: the folder choice, the eight files in order and byte for byte
// against the hand-written expected files, replacing, failures, and refused model names.

#include "testcircuits/test_circuit_export.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "circuit_test_support.h"

namespace vdmos {
namespace {

namespace fs = std::filesystem;
using testing::GoldenFile;
using testing::kSuffixesInOrder;
using testing::RecordingPlatform;
using testing::StartValueState;

class ExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string("vdmos_tc_") + info->test_suite_name() + "_" + info->name();
    for (char& c : name) {
      if (c == '/') c = '_';
    }
    folder_ = fs::temp_directory_path() / name;
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  std::vector<std::string> ExpectedPaths(const std::string& modelName) const {
    std::vector<std::string> paths;
    for (const std::string& suffix : kSuffixesInOrder)
      paths.push_back((folder_ / (modelName + suffix)).string());
    return paths;
  }

  std::vector<std::string> FilesInFolder() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_))
      names.push_back(entry.path().filename().string());
    return names;
  }

  void ExportInto(WindowState& state, RecordingPlatform& platform, const std::string& folder) {
    platform.folders.push_back(folder);
    testcircuits_Click(state, platform);
  }

  fs::path folder_;
};

class GoldenExport : public ExportTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(GoldenExport, WritesTheEightFilesInOrderAndChangesNothingElse) {
  const std::string form = GetParam();
  WindowState state = StartValueState(form == "nmos" ? "NMOS" : "PMOS");
  WindowState expectedState = state;
  expectedState.testCircuitFolder = folder_.string();
  RecordingPlatform platform;

  ExportInto(state, platform, folder_.string());

  EXPECT_EQ(platform.folderTitles, std::vector<std::string>{"Select the folder to save to"});
  ASSERT_EQ(platform.WrittenPaths(), ExpectedPaths("20N60C3"));
  for (std::size_t i = 0; i < kSuffixesInOrder.size(); ++i) {
    const std::string expected = GoldenFile(form, "20N60C3" + kSuffixesInOrder[i]);
    EXPECT_EQ(platform.writes[i].second, expected) << kSuffixesInOrder[i];
    EXPECT_EQ(testing::ReadBytes(platform.writes[i].first), expected) << kSuffixesInOrder[i];
  }
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(state, expectedState);
}

INSTANTIATE_TEST_SUITE_P(StartValues, GoldenExport, ::testing::Values("nmos", "pmos"));

TEST_F(ExportTest, ExportingAgainReplacesAllEightFiles) {
  WindowState state = StartValueState("NMOS");
  RecordingPlatform platform;
  ExportInto(state, platform, folder_.string());
  state = StartValueState("PMOS");
  ExportInto(state, platform, folder_.string());

  EXPECT_EQ(platform.writes.size(), 16u);
  EXPECT_EQ(FilesInFolder().size(), 8u);
  for (const std::string& suffix : kSuffixesInOrder) {
    EXPECT_EQ(testing::ReadBytes(folder_ / ("20N60C3" + suffix)), GoldenFile("pmos", "20N60C3" + suffix))
        << suffix;
  }
  EXPECT_TRUE(platform.messages.empty());
}

// File names are the model name as typed plus the suffix, joined to the folder with one
// separator even when the folder already ends in one.
struct NameRow {
  std::string label;
  std::string modelName;
  std::string folderEnding;
};

class FileNames : public ExportTest, public ::testing::WithParamInterface<NameRow> {};

TEST_P(FileNames, AreTheModelNameAndSuffixInTheFolder) {
  WindowState state = StartValueState("NMOS");
  state.setText("Text20", GetParam().modelName);
  RecordingPlatform platform;
  ExportInto(state, platform, folder_.string() + GetParam().folderEnding);
  EXPECT_EQ(platform.WrittenPaths(), ExpectedPaths(GetParam().modelName));
  EXPECT_EQ(FilesInFolder().size(), 8u);
  EXPECT_TRUE(platform.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Names, FileNames,
                         ::testing::Values(NameRow{"Spaces", "IRF 540 N", ""}, NameRow{"Empty", "", ""},
                                           NameRow{"FolderEndingInSeparator", "20N60C3", "/"}),
                         [](const auto& info) { return info.param.label; });

TEST_F(ExportTest, UnwritableFilesAreSkippedSilentlyAndEveryFileIsTried) {
  WindowState state = StartValueState("NMOS");
  RecordingPlatform platform;
  platform.refuseWrites = true;
  ExportInto(state, platform, folder_.string());
  EXPECT_EQ(platform.WrittenPaths(), ExpectedPaths("20N60C3"));
  EXPECT_TRUE(FilesInFolder().empty());
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(ExportTest, CancelledFolderPickerEndsTheCommand) {
  WindowState state;  // card box empty: a run past the picker would update the model
  state.testCircuitFolder = folder_.string();
  WindowState expectedState = state;
  expectedState.testCircuitFolder.clear();
  RecordingPlatform platform;  // no folder scripted: the picker reports a cancel

  testcircuits_Click(state, platform);

  EXPECT_EQ(platform.folderTitles, std::vector<std::string>{"Select the folder to save to"});
  EXPECT_TRUE(platform.writes.empty());
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(state, expectedState);
}

// A model name that could put a file outside the chosen folder, or that no file name can
// hold, refuses the whole export with a message before anything is written.
struct RefusedRow {
  std::string label;
  std::string modelName;
  std::string message;
};

class RefusedName : public ExportTest, public ::testing::WithParamInterface<RefusedRow> {};

TEST_P(RefusedName, WritesNothingAndSaysWhy) {
  WindowState state;
  state.setText("Text20", GetParam().modelName);
  RecordingPlatform platform;
  ExportInto(state, platform, folder_.string());
  EXPECT_EQ(platform.MessageTexts(), std::vector<std::string>{GetParam().message});
  EXPECT_TRUE(platform.writes.empty());
  EXPECT_EQ(state.text("Text19"), "") << "no model update for a refused export";
}

const std::string kRefused = "The test circuits were not saved: the model name contains ";

INSTANTIATE_TEST_SUITE_P(
    Names, RefusedName,
    ::testing::Values(
        RefusedRow{"Slash", "../20N60C3", kRefused + "\"/\", which could lead out of the chosen folder."},
        RefusedRow{"Backslash", "sub\\20N60C3",
                   kRefused + "\"\\\", which could lead out of the chosen folder."},
        RefusedRow{"DotDot", "..", kRefused + "\"..\", which could lead out of the chosen folder."},
        RefusedRow{"Nul",
                   std::string("20N\0"
                               "60C3",
                               8),
                   kRefused + "a NUL character, which a file name cannot hold."},
        RefusedRow{"Tab", "20N\t60C3", kRefused + "a control character, which a file name cannot hold."},
        RefusedRow{"Colon", "C:20N60C3", kRefused + "\":\", which a file name cannot hold."},
        RefusedRow{"Wildcard", "20N60C3*", kRefused + "\"*\", which a file name cannot hold."}),
    [](const auto& info) { return info.param.label; });

TEST_F(ExportTest, EmptyCardBoxUpdatesTheModelBeforeWriting) {
  WindowState state;
  RecordingPlatform platform;
  ExportInto(state, platform, folder_.string());

  ASSERT_FALSE(state.text("Text19").empty());
  ASSERT_EQ(platform.writes.size(), 8u);
  const std::string cardRecord = "TEXT -120 736 Left 0 !" + state.card.segment1 + "\\n+" +
                                 state.card.segment2 + "\\n+" + state.card.segment3;
  EXPECT_TRUE(state.card.segment1.starts_with(".MODEL 20N60C3 VDMOS("));
  EXPECT_NE(platform.writes[0].second.find(cardRecord + "\r\n"), std::string::npos);
}

}  // namespace
}  // namespace vdmos

// The export command end to end: the folder choice, the eight files in order and byte for byte
// against the hand-written expected files, replacing, failures, and refused model names.

#include "commands/test_circuit_commands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/control_names.h"
#include "testcircuits/circuit_test_support.h"
#include "testcircuits/test_circuit_texts.h"

namespace vdmos {
namespace {

using testing::GoldenFile;
using testing::kSuffixesInOrder;
using testing::ReadBytes;
using testing::RecordingPlatform;
using testing::StartValueState;
using testing::WriteBytes;

class ExportTest : public ::testing::Test {
 protected:
  std::vector<std::string> ExpectedPaths(const std::string& modelName) const {
    std::vector<std::string> paths;
    for (const std::string& suffix : kSuffixesInOrder) paths.push_back(folder_ / (modelName + suffix));
    return paths;
  }

  void ExportInto(WindowState& state, const std::string& folder) {
    platform_.folders.push_back(folder);
    testcircuits_Click(state, platform_);
  }

  testing::TempFolder folder_;
  RecordingPlatform platform_;
};

TEST_F(ExportTest, WritesTheEightGoldenFilesInOrderAndChangesNothingElse) {
  for (const std::string form : {"nmos", "pmos"}) {
    WindowState state = StartValueState(form == "nmos" ? "NMOS" : "PMOS");
    WindowState expectedState = state;
    expectedState.testCircuitFolder = folder_.path().string();
    expectedState.setText(control::StatusBar1, "8 files written to " + folder_.path().string());
    platform_.writtenPaths.clear();

    ExportInto(state, folder_.path().string());

    ASSERT_EQ(platform_.writtenPaths, ExpectedPaths("20N60C3")) << form;
    for (const std::string& suffix : kSuffixesInOrder)
      EXPECT_EQ(ReadBytes(folder_ / ("20N60C3" + suffix)), GoldenFile(form, "20N60C3" + suffix))
          << form << suffix;
    EXPECT_EQ(state, expectedState) << form;
  }
  // The second export replaced every file of the first.
  EXPECT_EQ(folder_.Names().size(), 8u);
  EXPECT_EQ(platform_.folderTitles, std::vector<std::string>(2, "Select the folder to save to"));
  EXPECT_TRUE(platform_.messages.empty());
}

// File names are the model name as typed plus the suffix, joined to the folder with one
// separator even when the folder already ends in one.
TEST_F(ExportTest, FileNamesAreTheModelNameAndSuffixInTheFolder) {
  for (const auto& [modelName, folderEnding] : {std::pair{"IRF 540 N", ""}, {"", ""}, {"20N60C3", "/"}}) {
    WindowState state = StartValueState("NMOS");
    state.setText(control::Text20, modelName);
    platform_.writtenPaths.clear();
    ExportInto(state, folder_.path().string() + folderEnding);
    EXPECT_EQ(platform_.writtenPaths, ExpectedPaths(modelName)) << modelName;
  }
  EXPECT_EQ(folder_.Names().size(), 24u);
  EXPECT_TRUE(platform_.messages.empty());
}

TEST_F(ExportTest, UnwritableFilesAreSkippedSilentlyAndEveryFileIsTried) {
  WindowState state = StartValueState("NMOS");
  platform_.refuseWrites = true;
  ExportInto(state, folder_.path().string());
  EXPECT_EQ(platform_.writtenPaths, ExpectedPaths("20N60C3"));
  EXPECT_TRUE(folder_.Names().empty());
  EXPECT_TRUE(platform_.messages.empty());
}

// Circuits already in the folder may have been edited by hand: the export asks once, naming
// them, and No leaves every file as it was.
TEST_F(ExportTest, ExistingFilesAreReplacedOnlyAfterYes) {
  WindowState state = StartValueState("NMOS");
  ExportInto(state, folder_.path().string());
  ASSERT_TRUE(platform_.yesNoQuestions.empty());  // nothing there yet: nothing to ask
  const std::string gateCharge = folder_ / "20N60C3_GateCharge.asc";
  WriteBytes(gateCharge, "edited by hand");
  state.setText(control::StatusBar1, "");

  platform_.writtenPaths.clear();
  platform_.yesNoAnswers.push_back(Answer::No);
  ExportInto(state, folder_.path().string());
  ASSERT_EQ(platform_.yesNoQuestions.size(), 1u);
  EXPECT_TRUE(platform_.yesNoQuestions[0].starts_with("These files already exist:\r\n"))
      << platform_.yesNoQuestions[0];
  EXPECT_NE(platform_.yesNoQuestions[0].find(gateCharge), std::string::npos);
  EXPECT_TRUE(platform_.writtenPaths.empty());
  EXPECT_EQ(ReadBytes(gateCharge), "edited by hand");
  EXPECT_EQ(state.text(control::StatusBar1), "");

  platform_.yesNoAnswers.push_back(Answer::Yes);
  ExportInto(state, folder_.path().string());
  EXPECT_EQ(platform_.writtenPaths, ExpectedPaths("20N60C3"));
  EXPECT_EQ(ReadBytes(gateCharge), GoldenFile("nmos", "20N60C3_GateCharge.asc"));
  EXPECT_EQ(state.text(control::StatusBar1), "8 files written to " + folder_.path().string());
}

// A file that could not be written is not counted as written.
TEST_F(ExportTest, StatusBarCountsOnlyWrittenFiles) {
  WindowState state = StartValueState("NMOS");
  platform_.refuseWrites = true;
  ExportInto(state, folder_.path().string());
  EXPECT_EQ(state.text(control::StatusBar1), StartValueState("NMOS").text(control::StatusBar1));
}

TEST_F(ExportTest, CancelledFolderPickerEndsTheCommand) {
  WindowState state;  // card box empty: a run past the picker would update the model
  state.testCircuitFolder = folder_.path().string();
  WindowState expectedState = state;
  expectedState.testCircuitFolder.clear();

  testcircuits_Click(state, platform_);  // no folder scripted: the picker reports a cancel

  EXPECT_EQ(platform_.folderTitles, std::vector<std::string>{"Select the folder to save to"});
  EXPECT_TRUE(platform_.writtenPaths.empty());
  EXPECT_TRUE(platform_.messages.empty());
  EXPECT_EQ(state, expectedState);
}

// A model name that could put a file outside the chosen folder, or that no file name can
// hold, refuses the whole export with a message before anything is written or updated.
TEST_F(ExportTest, RefusedModelNamesWriteNothingAndSayWhy) {
  const std::string out = "\", which could lead out of the chosen folder.";
  const std::string cannot = ", which a file name cannot hold.";
  const std::pair<std::string, std::string> rows[] = {
      {"../20N60C3", "\"/" + out},
      {"sub\\20N60C3", "\"\\" + out},
      {"..", "\".." + out},
      {"20N" + std::string(1, '\0') + "60C3", "a NUL character" + cannot},
      {"20N\t60C3", "a control character" + cannot},
      {"C:20N60C3", "\":\"" + cannot},
  };
  for (const auto& [modelName, reason] : rows) {
    WindowState state;
    state.setText(control::Text20, modelName);
    platform_.messages.clear();
    ExportInto(state, folder_.path().string());
    EXPECT_EQ(
        platform_.MessageTexts(),
        std::vector<std::string>{"The test circuits were not saved: the model name contains " + reason});
    EXPECT_EQ(state.text(control::Text19), "") << reason;
  }
  EXPECT_TRUE(platform_.writtenPaths.empty());
}

// The test conditions go into the circuits as typed, so only plain numbers may: anything else
// would be read otherwise than the model check reads it, or as lines of its own.
TEST_F(ExportTest, TestConditionsThatAreNotPlainNumbersWriteNothingAndNameTheField) {
  for (const char* field : {control::rdsonVgs, control::TextBoxVdsTest, control::VdsRange, control::IdCharge,
                            control::VdCharge}) {
    for (const std::string text : {"480\\n.include /etc/passwd", "480\n.include /etc/passwd", "2,5"}) {
      WindowState state = StartValueState("NMOS");
      state.setText(field, text);
      platform_.messages.clear();
      ExportInto(state, folder_.path().string());
      ASSERT_EQ(platform_.messages.size(), 1u) << field << text;
      EXPECT_TRUE(platform_.messages[0].text.starts_with("The field " + std::string(field) + " must hold"));
    }
  }
  EXPECT_TRUE(platform_.writtenPaths.empty());
}

// The FET type box is editable, and its text becomes the transistor symbol's record as typed.
TEST_F(ExportTest, FetTypeWithALineBreakWritesNothing) {
  for (const std::string text : {"NMOS\r\nTEXT 0 0 Left 2 !.include /etc/passwd", "PMOS\n", "NMOS\t"}) {
    WindowState state = StartValueState("NMOS");
    state.setText(control::Combo1, text);
    platform_.messages.clear();
    ExportInto(state, folder_.path().string());
    ASSERT_EQ(platform_.messages.size(), 1u) << text;
    EXPECT_EQ(platform_.messages[0].text, kFetTypeControlCharacterText);
  }
  EXPECT_TRUE(platform_.writtenPaths.empty());
}

TEST_F(ExportTest, EmptyCardBoxUpdatesTheModelBeforeWriting) {
  WindowState state;
  ExportInto(state, folder_.path().string());

  ASSERT_TRUE(state.card.segment1.starts_with(".MODEL 20N60C3 VDMOS("));
  const std::string cardRecord = "TEXT -120 736 Left 0 !" + state.card.segment1 + "\\n+" +
                                 state.card.segment2 + "\\n+" + state.card.segment3 + "\r\n";
  EXPECT_NE(ReadBytes(folder_ / "20N60C3_Id(Vgs).asc").find(cardRecord), std::string::npos);
}

}  // namespace
}  // namespace vdmos

// The datasheet values file: the exact 40-line layout, reading it back, the gap filling, and
// that nothing changes unless a file with the right first line was opened.

#include "files/datasheet_file.h"

#include <gtest/gtest.h>

#include <numeric>

#include "platform/scripted_platform.h"
#include "platform/temp_folder.h"

namespace vdmos {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

// The fields a file stores, by line number (the FET type apart).
// clang-format off
const std::vector<std::pair<int, std::string>> kStoredLines = {
    {2, "Text20"}, {4, "Text6"}, {6, "Text2"}, {7, "Text3"}, {8, "Text4"}, {9, "Text5"}, {11, "Text7"},
    {12, "Text8"}, {13, "Text21"}, {14, "Text9"}, {15, "Text10"}, {16, "Text11"}, {21, "TextVdsMiddle"},
    {22, "rdsonVgs"}, {23, "Trr"}, {25, "TextBoxVdsTest"}, {26, "VdsRange"}, {27, "IdCharge"},
    {28, "VdCharge"}, {31, "Idplat"}, {32, "Vplat"}, {33, "id1"}, {34, "vd1"}, {35, "id2"}, {36, "vd2"},
    {37, "id3"}, {38, "vd3"}, {39, "TextVdsMax"}, {40, "TextCossMin"}};
// clang-format on

std::string Join(const std::vector<std::string>& lines, std::string_view end = "\r\n") {
  return std::accumulate(
      lines.begin(), lines.end(), std::string(),
      [&](std::string text, const std::string& line) { return text + line + std::string(end); });
}

// The forty lines that saving the window's start values must give, five a row.
// clang-format off
const std::vector<std::string> kStartFileLines = {
    "Mosfet datasheet values", "20N60C3", "dc parameters", "160m", "0",
    "540m", "3", "70", "7.5", "ac parameters",
    "2400", "780", "13000", "50", "3400",
    "7", "body diode parameters", "0", "0", "0",
    "25", "10", "500", "NMOS", "50",
    "25", "20.7", "480", "0", "0",
    "20.7", "5.5", "400m", "700m", "3",
    "800m", "45", "1.2", "600", "65"};
// clang-format on

// Byte for byte: every line ends in CR LF, and saving adds one more.
const std::string kStartFile = Join(kStartFileLines) + "\r\n";

/// Opens the given file content in the state and returns the platform's record.
ScriptedPlatform Open(WindowState& state, std::string_view content) {
  TempFolder folder;
  WriteBytes(folder / "values.txt", content);
  ScriptedPlatform platform;
  platform.openFiles.push_back(folder / "values.txt");
  open_Click(state, platform);
  return platform;
}

TEST(DatasheetSave, StartValuesGiveTheFortyLineFile) {
  TempFolder folder;
  WindowState state;
  ScriptedPlatform platform;
  platform.saveFiles.push_back(folder / "20N60C3.txt");
  save_Click(state, platform);

  EXPECT_EQ(ReadBytes(folder / "20N60C3.txt"), kStartFile);
  EXPECT_EQ(
      platform.saveRequests,
      (std::vector<FileDialogRequest>{{"All Files (*.*)|*.*|Text files (*.txt)|*.txt", 2, "20N60C3.txt"}}));
}

TEST(DatasheetOpen, RestoresEveryStoredFieldAndLeavesTheOthersAlone) {
  TempFolder folder;
  WindowState saved;
  for (const auto& [line, control] : kStoredLines)
    saved.setText(control, control + "-" + std::to_string(line));
  saved.setText("Combo1", "PMOS");
  ScriptedPlatform savePlatform;
  savePlatform.saveFiles.push_back(folder / "values.txt");
  save_Click(saved, savePlatform);

  const char* notStored[] = {"Text_LAMBDA", "Out_VGS", "OUT_VDS1", "OUT_VDS2", "LibTextBox", "Label_Rds"};
  WindowState state;
  for (const char* control : notStored) state.setText(control, "kept");
  for (const std::string& box : state.checkBoxes()) state.setCheck(box, 2);
  state.optionStandard = false;
  const ScriptedPlatform platform = Open(state, ReadBytes(folder / "values.txt"));

  EXPECT_EQ(platform.openRequests,
            (std::vector<FileDialogRequest>{{"All Files (*.*)|*.*|Text files (*.txt)|*.txt", 2, ""}}));
  EXPECT_TRUE(platform.messages.empty());
  for (const auto& [line, control] : kStoredLines)
    EXPECT_EQ(state.text(control), saved.text(control)) << control;
  EXPECT_EQ(state.text("Combo1"), "PMOS");
  for (const char* control : notStored) EXPECT_EQ(state.text(control), "kept") << control;
  for (const std::string& box : state.checkBoxes()) EXPECT_EQ(state.check(box), 2) << box;
  EXPECT_FALSE(state.optionStandard);
}

TEST(DatasheetOpen, LineEndsAndLinesBeyondFortyDoNotMatter) {
  WindowState reference;
  Open(reference, kStartFile);
  EXPECT_EQ(reference.text("Text6"), "160m");
  const std::string cases[] = {Join(kStartFileLines, "\n"), kStartFile.substr(0, kStartFile.size() - 4),
                               kStartFile + "line 41\r\nline 42\r\n"};
  for (const std::string& content : cases) {
    WindowState state;
    state.setText("Text19", "card");
    Open(state, content);
    EXPECT_TRUE(state == reference) << content;
  }
}

TEST(DatasheetOpen, GapFilling) {
  using Texts = std::vector<std::pair<std::string, std::string>>;
  struct Case {
    const char* name;
    std::size_t lineCount;
    std::vector<std::pair<int, std::string>> lines;  // line number, text replacing the start line
    Texts typed, expected;                           // before and after opening
  };
  // clang-format off
  const Case cases[] = {
      {"a file ending after the FET type line keeps typed test conditions", 24, {{8, "88"}, {24, "PMOS"}},
       {{"TextBoxVdsTest", "40"}, {"VdsRange", "30"}},
       {{"Text4", "88"}, {"Trr", "500"}, {"Combo1", "PMOS"}, {"TextBoxVdsTest", "40"}, {"VdsRange", "30"},
        {"IdCharge", "88"}, {"VdCharge", "50"}, {"Idplat", "88"}, {"Vplat", ""}, {"id1", ""},
        {"TextCossMin", ""}}},
      {"and gives empty ones their defaults", 24, {}, {{"TextBoxVdsTest", ""}, {"VdsRange", ""}},
       {{"TextBoxVdsTest", "50"}, {"VdsRange", "25"}}},
      {"plateau current 0 takes the gate charge current", 40, {{31, "0"}, {27, "12"}}, {},
       {{"Idplat", "12"}}},
      {"plateau current 0 and no gate charge current take Text4", 40, {{31, "0"}, {27, ""}, {8, "66"}}, {},
       {{"Idplat", "66"}, {"IdCharge", "66"}}},
      {"plateau current 0.0 is a value", 40, {{31, "0.0"}}, {}, {{"Idplat", "0.0"}}},
      {"empty lines get their defaults", 40, {{21, ""}, {22, ""}, {23, ""}, {25, ""}, {26, ""}, {28, ""}}, {},
       {{"TextVdsMiddle", "25"}, {"rdsonVgs", "10"}, {"Trr", "0"}, {"TextBoxVdsTest", "50"},
        {"VdsRange", "25"}, {"VdCharge", "50"}}},
      {"only the exact text selects PMOS", 40, {{24, "pmos"}}, {{"Combo1", "PMOS"}}, {{"Combo1", "NMOS"}}},
      {"not even with a blank after it", 40, {{24, "PMOS "}}, {{"Combo1", "PMOS"}}, {{"Combo1", "NMOS"}}},
      {"fixed lines are ignored", 40, {{3, "x"}, {5, "9"}, {10, ""}, {29, "1"}}, {},
       {{"Text6", "160m"}, {"Text2", "540m"}}},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> lines(kStartFileLines.begin(), kStartFileLines.begin() + c.lineCount);
    for (const auto& [line, text] : c.lines) lines[static_cast<std::size_t>(line - 1)] = text;
    WindowState state;
    for (const auto& [control, text] : c.typed) state.setText(control, text);
    Open(state, Join(lines));
    for (const auto& [control, text] : c.expected) EXPECT_EQ(state.text(control), text) << control;
  }
}

TEST(DatasheetOpen, WrongFirstLineIsReportedAndChangesNothing) {
  const std::string huge(3 * 1024 * 1024, 'M');
  const std::string cases[] = {
      "Mosfet datasheet values \r\n20N60C3\r\n", "mosfet datasheet values\r\n",
      std::string("\0\x01\x02\xff\r\n\0", 6),    huge,
      "Mosfet datasheet values" + huge,
  };
  for (const std::string& content : cases) {
    SCOPED_TRACE(content.substr(0, 30));
    WindowState state;
    state.setText("Text6", "typed");
    const WindowState before = state;
    const ScriptedPlatform platform = Open(state, content);
    EXPECT_EQ(platform.MessageTexts(),
              std::vector<std::string>{"file does not start with: (Mosfet datasheet values) "});
    EXPECT_TRUE(state == before);
  }
}

TEST(DatasheetOpen, NothingOpenedChangesNothingSilently) {
  TempFolder folder;
  WriteBytes(folder / "empty.txt", "");
  const std::optional<std::string> choices[] = {std::nullopt, folder / "missing.txt", folder / "empty.txt",
                                                folder.path().string()};
  for (const auto& choice : choices) {
    SCOPED_TRACE(choice.value_or("cancel"));
    WindowState state;
    state.setText("Text6", "typed");
    state.setText("Text19", "card");
    const WindowState before = state;
    ScriptedPlatform platform;
    platform.openFiles.push_back(choice);
    open_Click(state, platform);
    EXPECT_TRUE(state == before);
    EXPECT_TRUE(platform.messages.empty());
  }
}

}  // namespace
}  // namespace vdmos

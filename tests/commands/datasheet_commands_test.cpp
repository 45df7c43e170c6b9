// The datasheet values file: the exact 40-line layout, reading it back, the gap filling, and
// that nothing changes unless a file with the right first line was opened.

#include "commands/datasheet_commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "commands/subcircuit_commands.h"
#include "files/datasheet_file.h"
#include "files/file_messages.h"
#include "model/control_names.h"
#include "model/subcircuit.h"
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
    {2, control::Text20}, {4, control::Text6}, {6, control::Text2}, {7, control::Text3}, {8, control::Text4}, {9, control::Text5}, {11, control::Text7},
    {12, control::Text8}, {13, control::Text21}, {14, control::Text9}, {15, control::Text10}, {16, control::Text11}, {21, control::TextVdsMiddle},
    {22, control::rdsonVgs}, {23, control::Trr}, {25, control::TextBoxVdsTest}, {26, control::VdsRange}, {27, control::IdCharge},
    {28, control::VdCharge}, {31, control::Idplat}, {32, control::Vplat}, {33, control::id1}, {34, control::vd1}, {35, control::id2}, {36, control::vd2},
    {37, control::id3}, {38, control::vd3}, {39, control::TextVdsMax}, {40, control::TextCossMin}};
// clang-format on

std::string Join(const std::vector<std::string>& lines, std::string_view end = "\r\n") {
  return std::accumulate(
      lines.begin(), lines.end(), std::string(),
      [&](std::string text, const std::string& line) { return text + line + std::string(end); });
}

// The forty lines of the window's start values, five a row (that saving gives exactly these,
// the command-line tests show through the same save).
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

// The fields after the 40 lines, "Name=text", in the order saving writes them.
const std::vector<std::string> kNamedTexts = {
    control::Qgs,         control::Qgd,     control::Qg,       control::VgCharge, control::avalanche_volt,
    control::Text_LAMBDA, control::Out_VGS, control::OUT_VDS1, control::OUT_VDS2, control::VthCurrent};
const std::vector<std::string> kNamedChecks = {control::CheckDepMode, control::ForceRdsOn, control::FixVTO,
                                               control::ChargesFirst};

// Each stored field has its own line both ways: a file whose stored lines hold their fields'
// names opens into those names and saves back to the same bytes, which a file of start values
// could not show where two fields start alike ("25", "20.7", "50").
// The threshold's test current came after the 40 lines and the first named lines: a file saved
// before has no line for it and opens with the datasheets' 250 uA, whatever the window held.
TEST(DatasheetFile, AFileWithoutTheThresholdCurrentOpensWithItsDefault) {
  std::vector<std::string> lines = kStartFileLines;
  WindowState state;
  state.setText(control::VthCurrent, "1m");
  Open(state, Join(lines));
  EXPECT_EQ(state.text(control::VthCurrent), "250u");
  lines.push_back("VthCurrent=100u");
  Open(state, Join(lines));
  EXPECT_EQ(state.text(control::VthCurrent), "100u");
}

TEST(DatasheetFile, EachStoredFieldHasItsLineInOpeningAndSaving) {
  std::vector<std::string> lines = kStartFileLines;
  for (const auto& [line, control] : kStoredLines) lines[static_cast<std::size_t>(line - 1)] = control;
  lines[23] = "PMOS";
  for (const std::string& control : kNamedTexts) lines.push_back(control + "=" + control);
  for (const std::string& box : kNamedChecks) lines.push_back(box + "=1");
  const char* notStored[] = {control::LibTextBox};
  WindowState state;
  for (const char* control : notStored) state.setText(control, "kept");
  state.setText(control::Label_Rds, "an earlier part's result");
  for (const std::string& box : state.checkBoxes()) state.setCheck(box, 2);
  state.optionStandard = false;
  const ScriptedPlatform platform = Open(state, Join(lines));

  const std::string filter = "All Files (*.*)|*.*|Text files (*.txt)|*.txt";
  EXPECT_EQ(platform.openRequests, (std::vector<FileDialogRequest>{{filter, 2, ""}}));
  EXPECT_TRUE(platform.messages.empty());
  for (const auto& [line, control] : kStoredLines) EXPECT_EQ(state.text(control), control);
  for (const std::string& named : kNamedTexts) EXPECT_EQ(state.text(named), named);
  EXPECT_EQ(state.text(control::Combo1), "PMOS");
  for (const char* control : notStored) EXPECT_EQ(state.text(control), "kept") << control;
  EXPECT_EQ(state.text(control::Label_Rds), WindowState{}.text(control::Label_Rds));
  for (const std::string& box : state.checkBoxes()) {
    EXPECT_EQ(state.check(box), std::ranges::count(kNamedChecks, box) ? 1 : 2) << box;
  }
  EXPECT_FALSE(state.optionStandard);

  TempFolder folder;
  ScriptedPlatform savePlatform;
  savePlatform.saveFiles.push_back(folder / "values.txt");
  save_Click(state, savePlatform);
  EXPECT_EQ(ReadBytes(folder / "values.txt"), Join(lines) + "\r\n");
  EXPECT_EQ(savePlatform.saveRequests, (std::vector<FileDialogRequest>{{filter, 2, "Text20.txt"}}));
}

// The file keeps one line for each field: a typed line break would shift every field after it.
TEST(DatasheetSave, FieldWithALineBreakIsNotSaved) {
  for (const char* control : {control::Text20, control::Combo1, control::TextCossMin, control::OUT_VDS2}) {
    for (const std::string text : {"480\n.include /etc/passwd", "1m\r", "\r\n"}) {
      WindowState state;
      state.setText(control, text);
      TempFolder folder;
      ScriptedPlatform platform;
      platform.saveFiles.push_back(folder / "values.txt");
      save_Click(state, platform);
      EXPECT_TRUE(folder.Names().empty()) << control;
      EXPECT_TRUE(platform.saveRequests.empty()) << control;
      ASSERT_EQ(platform.messages.size(), 1u) << control;
      EXPECT_EQ(platform.messages[0].text, DatasheetLineBreakMessage(control));
    }
  }
}

// A values file the tool writes always opens again: curves as large as the file may hold are
// saved and read back whole; more than that is refused before anything is written.
TEST(DatasheetSave, CurvesTooLargeToOpenAgainAreNotSaved) {
  const auto traced = [](CurveKind kind) {
    DatasheetCurve curve{kind, 0, {}};
    for (int i = 0; i < 300'000; ++i) curve.points.push_back({i + 1.0 / 3, 1e4 / (i + 1.0 / 7)});
    return curve;
  };
  WindowState state;
  PutCurve(state.curves, traced(CurveKind::Ciss));
  TempFolder folder;
  ScriptedPlatform platform;
  platform.saveFiles = {folder / "large.txt", folder / "larger.txt"};
  save_Click(state, platform);
  ASSERT_TRUE(platform.messages.empty()) << platform.messages[0].text;
  WindowState reopened;
  OpenDatasheetFile(reopened, platform, folder / "large.txt");
  ASSERT_TRUE(platform.messages.empty()) << platform.messages[0].text;
  EXPECT_EQ(reopened.curves, state.curves);

  PutCurve(state.curves, traced(CurveKind::Coss));
  ASSERT_GT(DatasheetFileText(state).size(), kDatasheetReadLimit);
  save_Click(state, platform);
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text, kDatasheetCurvesTooLargeText);
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"large.txt"});
}

// Nor does the byte order mark an editor on another system may put before the first line.
TEST(DatasheetOpen, LineEndsByteOrderMarkAndLinesBeyondFortyDoNotMatter) {
  WindowState reference;
  Open(reference, kStartFile);  // the other tests show that this one reads rightly
  const std::string cases[] = {Join(kStartFileLines, "\n"), kStartFile.substr(0, kStartFile.size() - 4),
                               kStartFile + "line 41\r\nline 42\r\n", "\xEF\xBB\xBF" + kStartFile};
  for (const std::string& content : cases) {
    WindowState state;
    state.setText(control::Text19, "card");
    Open(state, content);
    EXPECT_NE(state.valuesFile, reference.valuesFile);  // each opens a file of its own
    state.valuesFile = reference.valuesFile;
    EXPECT_TRUE(state == reference) << content;
  }
}

// A file of the 40 lines alone opens as it always did; the named lines after them are set as
// typed, and what a reader cannot use among them is passed over.
TEST(DatasheetOpen, NamedLinesAfterTheFortyAreReadAsTyped) {
  WindowState old;
  old.setText(control::Text_LAMBDA, "2m");
  Open(old, kStartFile);
  EXPECT_EQ(old.text(control::Text_LAMBDA), "2m");
  EXPECT_EQ(old.text(control::VgCharge), "10");
  for (const char* emptied : {control::Qgs, control::Qgd, control::Qg, control::avalanche_volt})
    EXPECT_EQ(old.text(emptied), "") << emptied;
  EXPECT_FALSE(old.enabled(control::SubCktTextBox));

  WindowState state;
  state.setText(control::Text_LAMBDA, "2m");
  Open(state,
       kStartFile +
           "Qgs=12\r\nQg\r\nunknown=5\r\n=3\r\nFixVTO=7\r\nForceRdsOn=\r\nCheckDepMode=1\r\nVgCharge=\r\n"
           "avalanche_volt=630\r\nQgd=a=b\r\n");
  WindowState expected = old;
  expected.setText(control::Qgs, "12");
  expected.setText(control::Qgd, "a=b");
  expected.setCheck(control::CheckDepMode, 1);
  expected.setText(control::VgCharge, "");  // saved emptied: kept so, not filled as a gap
  // The breakdown voltage runs its change handling, as typed into the loaded window.
  expected.setText(control::avalanche_volt, "630");
  ScriptedPlatform platform;
  avalanche_volt_Change(expected, platform);
  ASSERT_TRUE(expected.enabled(control::SubCktTextBox));
  // What was opened is the values' saved state: the file's name, and nothing unsaved.
  expected.valuesFile = state.valuesFile;
  expected.savedValues = DatasheetFileText(expected);
  EXPECT_TRUE(state == expected);
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
       {{control::TextBoxVdsTest, "40"}, {control::VdsRange, "30"}},
       {{control::Text4, "88"}, {control::Trr, "500"}, {control::Combo1, "PMOS"}, {control::TextBoxVdsTest, "40"}, {control::VdsRange, "30"},
        {control::IdCharge, "88"}, {control::VdCharge, "50"}, {control::Idplat, "88"}, {control::Vplat, ""}, {control::id1, ""},
        {control::TextCossMin, ""}}},
      {"and gives empty ones their defaults", 24, {}, {{control::TextBoxVdsTest, ""}, {control::VdsRange, ""}},
       {{control::TextBoxVdsTest, "50"}, {control::VdsRange, "25"}}},
      {"plateau current 0 takes the gate charge current", 40, {{31, "0"}, {27, "12"}}, {},
       {{control::Idplat, "12"}}},
      {"plateau current 0 and no gate charge current take Text4", 40, {{31, "0"}, {27, ""}, {8, "66"}}, {},
       {{control::Idplat, "66"}, {control::IdCharge, "66"}}},
      {"plateau current 0.0 is a value", 40, {{31, "0.0"}}, {}, {{control::Idplat, "0.0"}}},
      {"empty lines get their defaults", 40, {{21, ""}, {22, ""}, {23, ""}, {25, ""}, {26, ""}, {28, ""}}, {},
       {{control::TextVdsMiddle, "25"}, {control::rdsonVgs, "10"}, {control::Trr, "0"}, {control::TextBoxVdsTest, "50"},
        {control::VdsRange, "25"}, {control::VdCharge, "50"}}},
      {"only the exact text selects PMOS", 40, {{24, "pmos"}}, {{control::Combo1, "PMOS"}}, {{control::Combo1, "NMOS"}}},
      {"not even with a blank after it", 40, {{24, "PMOS "}}, {{control::Combo1, "PMOS"}}, {{control::Combo1, "NMOS"}}},
      {"fixed lines are ignored", 40, {{3, "x"}, {5, "9"}, {10, ""}, {29, "1"}}, {},
       {{control::Text6, "160m"}, {control::Text2, "540m"}}},
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

// Only a file with the right first line, read whole, is opened; of the others, a wrong first
// line and a file too large to read whole are reported.
TEST(DatasheetOpen, AnythingElseChangesNothing) {
  const std::string kWrongFirstLine = "file does not start with: (Mosfet datasheet values) ";
  TempFolder folder;
  const std::string huge(kDatasheetReadLimit + 1024, 'M');
  // A good file whose last value straddles the read limit: read in part, Qg would be 12.
  std::string straddling = kStartFile + "Qg=123456\r\n";
  straddling.insert(kStartFile.size(),
                    std::string(kDatasheetReadLimit - straddling.size() + 4, 'x') + "\r\n");
  const std::string wrongFirstLines[] = {
      "Mosfet datasheet values \r\n20N60C3\r\n",
      "mosfet datasheet values\r\n",
      std::string("\0\x01\x02\xff\r\n\0", 6),
  };
  const std::string tooLarge[] = {huge, "Mosfet datasheet values" + huge, straddling};
  WriteBytes(folder / "empty.txt", "");
  std::vector<std::optional<std::string>> choices = {std::nullopt, folder / "missing.txt",
                                                     folder / "empty.txt", folder.path().string()};
  // Only a cancel is silent: a file that cannot be read or holds nothing is named.
  std::vector<std::vector<std::string>> messages{
      {},
      {UnreadableFileMessage(folder / "missing.txt", kValuesLeftText)},
      {EmptyValuesFileMessage(folder / "empty.txt")},
      {UnreadableFileMessage(folder.path().string(), kValuesLeftText)}};
  for (const std::string& content : wrongFirstLines) {
    choices.push_back(folder / std::to_string(choices.size()));
    WriteBytes(*choices.back(), content);
    messages.push_back({kWrongFirstLine});
  }
  for (const std::string& content : tooLarge) {
    choices.push_back(folder / std::to_string(choices.size()));
    WriteBytes(*choices.back(), content);
    messages.push_back({DatasheetTooLargeMessage(*choices.back())});
  }
  for (std::size_t i = 0; i < choices.size(); ++i) {
    SCOPED_TRACE(choices[i].value_or("cancel"));
    WindowState state;
    state.setText(control::Text6, "typed");
    state.setText(control::Text19, "card");
    const WindowState before = state;
    ScriptedPlatform platform;
    platform.openFiles.push_back(choices[i]);
    open_Click(state, platform);
    EXPECT_TRUE(state == before);
    EXPECT_EQ(platform.MessageTexts(), messages[i]);
  }
}

}  // namespace
}  // namespace vdmos

// The window session: the sequences both front ends used to write on their own (make sure there
// is a card, keep the fitted results, refine, keep the fitted card) and the cases where the
// two had drifted apart. The window and the command line run these same calls.

#include "app/window_session.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <string_view>
#include <vector>

#include "commands/control_table.h"
#include "commands/model_update.h"
#include "commands/temperature_update.h"
#include "files/file_messages.h"
#include "model/control_names.h"
#include "model/model_failure.h"
#include "platform/scripted_platform.h"
#include "platform/temp_folder.h"
#include "verify/verify_texts.h"

namespace vdmos {
namespace {

/// A session on the start values whose checks run in the installed ngspice before returning.
struct Session {
  ScriptedPlatform platform;
  WaitingCheckRunner runner;
  WindowSession session{platform, runner};
  int finishedChecks = 0;

  Session() {
    session.checkFinished = [this] { ++finishedChecks; };
  }
  void Type(control::Name field, std::string text) {
    session.Type(*FindControlAction(field), std::move(text));
  }
};

TEST(WindowSession, SimulateMakesTheCardFirstWhateverRanBefore) {
  // Showing the card box anew on an empty box leaves it empty: the check makes the card, as
  // the window's Simulate always did.
  for (control::Name before : {control::LineBreak, control::Command2}) {
    SCOPED_TRACE(std::string(before));
    Session s;
    ASSERT_TRUE(s.session.RunCommandOf(before));
    ASSERT_TRUE(s.session.Click(control::SimulateNgspice));
    ASSERT_EQ(s.finishedChecks, 1);
    ASSERT_TRUE(s.session.Check().Results());
    EXPECT_TRUE(s.session.Check().Results()->current.ok()) << s.session.Check().Results()->current.message;
    EXPECT_TRUE(s.session.Check().Checked());
    EXPECT_TRUE(s.platform.messages.empty());
  }
}

TEST(WindowSession, AFailedModelRefusesTheCheckAndTheRefinementAlike) {
  Session s;
  s.session.RunCommandOf(control::Command2);
  const CardTexts earlierCard = s.session.State().card;
  s.Type(control::Text3, "1e999");  // Vgs(th) beyond any number
  s.session.RunCommandOf(control::Command2);
  ASSERT_TRUE(ModelFailed(s.session.State()));

  s.session.Simulate();
  EXPECT_EQ(s.finishedChecks, 0);
  EXPECT_EQ(s.platform.MessageTexts(), std::vector<std::string>{std::string(kParameterErrorText)});

  s.platform.messages.clear();
  EXPECT_FALSE(s.session.Refine());
  EXPECT_EQ(s.platform.messages.size(), 1u);
  // The earlier card is neither refined nor kept as a fitted card.
  EXPECT_EQ(s.session.State().card, earlierCard);
  EXPECT_TRUE(ModelFailed(s.session.State()));
  EXPECT_FALSE(s.session.Check().Compared());
}

// Add Model and Save Model take the card box as edited, the check and the refinement the stored
// card: with an edited box, neither runs until the card is made again.
TEST(WindowSession, AnEditedCardBoxRefusesTheCheckAndTheRefinementUntilTheModelIsUpdated) {
  Session s;
  s.session.RunCommandOf(control::Command2);
  const std::string made = s.session.State().text(control::Text19);
  std::string edited = made;
  edited.replace(edited.find("VTO="), 4, "VTO=1");
  s.session.EditableState().setText(control::Text19, edited);

  s.session.Simulate();
  EXPECT_FALSE(s.session.Refine());
  EXPECT_EQ(s.finishedChecks, 0);
  EXPECT_EQ(s.platform.MessageTexts(), std::vector<std::string>(2, std::string(kEditedCardText)));
  EXPECT_EQ(s.session.State().text(control::Text19), edited);

  s.platform.messages.clear();
  s.session.RunCommandOf(control::Command2);
  EXPECT_EQ(s.session.State().text(control::Text19), made);
  s.session.Simulate();
  EXPECT_EQ(s.finishedChecks, 1);
  EXPECT_TRUE(s.platform.messages.empty());
}

// Typed after the card was made, the temperature fields are not in its temperature line: the
// check refuses the card until the model is updated, and then checks the hot rows.
TEST(WindowSession, TemperatureFieldsTypedAfterTheCardRefuseTheCheckUntilTheModelIsUpdated) {
  Session s;
  s.session.RunCommandOf(control::Command2);
  s.Type(control::TjHot, "150");
  s.Type(control::VthHot, "2.2");
  const CardTexts stale = s.session.State().card;
  s.session.Simulate();
  EXPECT_EQ(s.finishedChecks, 0);
  EXPECT_EQ(s.platform.MessageTexts(), std::vector<std::string>{std::string(kStaleTemperatureText)});
  EXPECT_EQ(s.session.State().card, stale);

  // Typed back as the card was made, the fields are the card's again.
  s.platform.messages.clear();
  s.Type(control::TjHot, "");
  s.Type(control::VthHot, "");
  s.session.Simulate();
  EXPECT_EQ(s.finishedChecks, 1);
  EXPECT_TRUE(s.platform.messages.empty());

  s.Type(control::TjHot, "150");
  s.Type(control::VthHot, "2.2");
  s.session.RunCommandOf(control::Command2);
  EXPECT_NE(s.session.State().card.segment4.find("TCVTH="), std::string::npos);
  s.session.Simulate();
  ASSERT_EQ(s.finishedChecks, 2);
  EXPECT_TRUE(s.platform.messages.empty());
  const std::vector<CheckLine> lines = s.session.Check().Lines();
  EXPECT_TRUE(std::ranges::any_of(lines, [](const CheckLine& line) {
    return line.row.condition.starts_with("Tj = 150 C, ") && line.row.simulated;
  }));

  // The card a refinement makes carries the fields as they stand too.
  s.Type(control::VthHot, "2.4");
  ASSERT_TRUE(s.session.Refine());
  s.session.Simulate();
  EXPECT_EQ(s.finishedChecks, 3);
  EXPECT_TRUE(s.platform.messages.empty()) << s.platform.MessageTexts().front();
}

TEST(WindowSession, TheFittedCardOfTheFirstRefinementStaysThroughASecond) {
  Session s;
  s.session.RunCommandOf(control::Command2);
  const CardTexts fitted = s.session.State().card;
  ASSERT_TRUE(s.session.Refine());
  const CardTexts once = s.session.State().card;
  EXPECT_NE(once, fitted);
  s.session.Refine();  // a second refinement may find nothing better; either way the fitted card stays

  s.session.Simulate();
  ASSERT_EQ(s.finishedChecks, 1);
  ASSERT_TRUE(s.session.Check().Results()->fitted);
  EXPECT_TRUE(s.session.Check().Compared());
  for (const CheckLine& line : s.session.Check().Lines()) {
    if (line.row.datasheet) {
      EXPECT_TRUE(line.fitted) << line.row.quantity << " " << line.row.condition;
    }
  }
}

// Refining a refined card again tells its gains against the fitted card, the one the check's
// comparison sets beside it, not against the refinement before; the page shows that summary
// while its card stands.
TEST(WindowSession, ASecondRefinementStillComparesWithTheFittedCard) {
  Session s;
  s.session.RunCommandOf(control::Command2);
  const std::optional<Refinement> first = s.session.Refine();
  ASSERT_TRUE(first);
  EXPECT_EQ(s.session.Check().RefinementSummary(), s.session.State().text(control::StatusBar1));
  // The charges first is another aim: the second refinement moves the card again.
  s.session.ClickBox(*FindControlAction(control::ChargesFirst), 1);
  const std::optional<Refinement> second = s.session.Refine();
  ASSERT_TRUE(second) << (s.platform.messages.empty() ? "" : s.platform.messages.back().text);
  // The charges' aim reads the gate charge a hair apart; the summary's three decimals agree.
  for (auto was : {&CardErrors::worstDcPercent, &CardErrors::worstCapacitancePercent,
                   &CardErrors::worstGateChargePercent}) {
    ASSERT_TRUE((*second).before.*was && (*first).before.*was);
    EXPECT_NEAR(*((*second).before.*was), *((*first).before.*was), 1e-3);
  }
  EXPECT_EQ(s.session.Check().RefinementSummary(), s.session.State().text(control::StatusBar1));
  // A datasheet value typed since, its card still standing: the summary's errors are of the
  // values it measured, and it says so; typed back, it is current again.
  const std::string summary = s.session.State().text(control::StatusBar1);
  s.Type(control::Text6, "8m");
  s.session.ShowState();
  EXPECT_EQ(s.session.Check().RefinementSummary(), std::string(kEarlierRefinementOpening) + summary);
  s.Type(control::Text6, "160m");
  s.session.ShowState();
  EXPECT_EQ(s.session.Check().RefinementSummary(), summary);
  s.session.RunCommandOf(control::Command2);
  s.session.ShowState();
  EXPECT_EQ(s.session.Check().RefinementSummary(), "");
}

// The status bar tells what the last command that concerns the model or the file did; it
// does not keep a fit message through a simulation, a save or New.
TEST(WindowSession, TheStatusBarIsClearedWhenItsMessageNoLongerApplies) {
  Session s;
  const std::string fitMessage = "Transfer function matched Iter=3";
  s.session.RunCommandOf(control::Command2);
  EXPECT_EQ(s.session.State().text(control::StatusBar1), fitMessage);
  s.session.RunCommandOf(control::Update_AC);  // the DC fit's message still holds
  EXPECT_EQ(s.session.State().text(control::StatusBar1), fitMessage);
  s.session.Simulate();
  EXPECT_EQ(s.session.State().text(control::StatusBar1), "");

  const testing::TempFolder folder;
  s.session.RunCommandOf(control::Update_DC);
  EXPECT_EQ(s.session.State().text(control::StatusBar1), fitMessage);
  s.platform.saveFiles.push_back(folder / "part.txt");
  s.session.Click(control::save);
  EXPECT_EQ(s.session.State().text(control::StatusBar1), "");

  s.session.RunCommandOf(control::Update_DC);
  s.session.Click(control::New);
  EXPECT_EQ(s.session.State().text(control::StatusBar1), "");
}

TEST(WindowSession, SimulateAfterNewChecksTheModelOfTheEmptiedFieldsNotTheEarlierCard) {
  Session s;
  s.session.RunCommandOf(control::Command2);
  const CardTexts earlierCard = s.session.State().card;
  ASSERT_TRUE(s.session.Click(control::New));
  s.session.Simulate();
  // New empties the model name, which ngspice cannot take: the model update says so, and the
  // check refuses instead of checking the earlier card as if it were the model of these fields.
  EXPECT_NE(s.session.State().card, earlierCard);
  EXPECT_TRUE(ModelFailed(s.session.State()));
  EXPECT_EQ(s.finishedChecks, 0);
  EXPECT_FALSE(s.session.Check().Checked());
  EXPECT_FALSE(s.platform.messages.empty());
}

// Nothing the tool computed for the previous model stays after New: not its parameters, its DC
// and AC results, its check table nor the fitted card a refinement kept; nor after opening a
// values file, which runs New, where they would read as the opened part's.
TEST(WindowSession, NewAndOpeningForgetEveryResultOfThePreviousModel) {
  const testing::TempFolder folder;
  for (const std::string_view how : {"New", "Open", "Open Recent"}) {
    SCOPED_TRACE(std::string(how));
    Session s;
    s.platform.saveFiles.push_back(folder / "part.txt");
    s.platform.answers.push_back(Answer::Yes);
    s.session.Click(control::save);
    s.session.RunCommandOf(control::Command2);
    ASSERT_TRUE(s.session.Refine());
    s.session.Simulate();
    ASSERT_TRUE(s.session.Check().Compared());
    s.session.ShowState();

    if (how == "New") {
      ASSERT_TRUE(s.session.Click(control::New));
    } else if (how == "Open") {
      s.platform.openFiles.push_back(folder / "part.txt");
      ASSERT_TRUE(s.session.Click(control::open));
    } else {
      s.session.OpenValuesFile(folder / "part.txt");
    }
    const WindowState start;
    EXPECT_EQ(s.session.State().params, start.params);
    for (const char* label :
         {control::Label_Rds, control::DATA1, control::DATA2, control::OUT_ID1, control::OUT_ID2,
          control::Label_DcParam, control::Ciss_on, control::Ciss_off, control::Label_ACparam})
      EXPECT_EQ(s.session.State().text(label), start.text(label)) << label;
    EXPECT_FALSE(s.session.Check().Checked());
    EXPECT_FALSE(s.session.Check().Compared());
    EXPECT_TRUE(s.session.Check().Lines().empty());
    EXPECT_TRUE(s.session.Check().Simulated().transfer.points.empty());
    const CheckStateChange change = s.session.ShowState();
    EXPECT_TRUE(change.checkForgotten);
    EXPECT_TRUE(change.plotsStale);
    EXPECT_FALSE(s.session.ShowState().checkForgotten);  // said once
  }
}

// The check table leaves the window as text a spreadsheet reads: tab-separated on the
// clipboard, CSV in a file, each with its head line, the unit in a column of its own.
TEST(WindowSession, TheCheckTableIsCopiedAndSavedForASpreadsheet) {
  Session s;
  s.session.Click(control::CopyCheckTable);
  EXPECT_FALSE(s.platform.clipboard);
  EXPECT_NE(s.session.State().text(control::StatusBar1).find("Simulate in ngspice"), std::string::npos);

  s.session.Simulate();
  ASSERT_TRUE(s.session.Check().Checked());
  s.session.Click(control::CopyCheckTable);
  ASSERT_TRUE(s.platform.clipboard);
  const std::string& copied = *s.platform.clipboard;
  EXPECT_TRUE(copied.starts_with("quantity\tcondition\tunit\tdatasheet\tmodel\tsimulated\terror %"))
      << copied;
  EXPECT_EQ(std::ranges::count(copied, '\n'), static_cast<long>(s.session.Check().Lines().size()) + 1);
  EXPECT_EQ(s.session.State().text(control::StatusBar1), "Check table copied to the clipboard");

  testing::TempFolder folder;
  const std::string path = folder / "table.csv";
  s.platform.saveFiles.push_back(path);
  s.session.Click(control::SaveCheckTable);
  ASSERT_EQ(s.platform.saveRequests.size(), 1u);
  EXPECT_EQ(s.platform.saveRequests[0].initialName, "20N60C3_check.csv");
  const std::string csv = testing::ReadBytes(path);
  EXPECT_TRUE(csv.starts_with("quantity,condition,unit,datasheet,model,simulated,error %")) << csv;
  EXPECT_NE(csv.find("\"Vgs = "), std::string::npos);  // conditions hold commas: quoted
  EXPECT_EQ(std::ranges::count(csv, '\n'), std::ranges::count(csv, '\r'));
  EXPECT_TRUE(csv.ends_with("\r\n"));
  EXPECT_EQ(s.session.State().text(control::StatusBar1), path + " written");

  // The comparison after a refinement, fitted beside refined.
  ASSERT_TRUE(s.session.Refine());
  s.session.Simulate();
  s.session.Click(control::CopyCheckTable);
  EXPECT_NE(s.platform.clipboard->find("\tfitted: simulated\tfitted: error %\trefined: simulated"),
            std::string::npos);
}

TEST(WindowSession, TheSwitchAdviceFollowsTheFieldsAndSwitches) {
  Session s;
  const SwitchAdvice first = s.session.Advice();
  ASSERT_TRUE(first.best);
  EXPECT_EQ(first.current, 0u);  // the start setting: both switches checked
  s.session.ClickBox(*FindControlAction(control::FixVTO), 0);
  EXPECT_EQ(s.session.Advice().current, 1u);
  s.Type(control::Text6, "80m");  // half the Rds(on): every row's DC error moves
  EXPECT_NE(s.session.Advice().rows[0].errors.worstDcPercent, first.rows[0].errors.worstDcPercent);
}

TEST(WindowSession, UnsavedWorkIsWhatDiffersFromWhatWasLastOpenedSavedOrEmptied) {
  testing::TempFolder folder;
  Session s;
  EXPECT_FALSE(s.session.ValuesModified());  // the start values count as saved
  EXPECT_FALSE(s.session.LibraryModified());
  s.Type(control::Text6, "44m");
  EXPECT_TRUE(s.session.ValuesModified());
  s.session.Click(control::save);  // the save dialog cancelled
  EXPECT_TRUE(s.session.ValuesModified());
  s.platform.saveFiles.push_back(folder / "part.txt");
  s.session.Click(control::save);
  EXPECT_FALSE(s.session.ValuesModified());
  EXPECT_EQ(s.session.State().valuesFile, folder / "part.txt");

  // Add updates the model first, which writes the fitted LAMBDA into its field: that is a change
  // of the values as well.
  s.session.Click(control::Add);
  EXPECT_TRUE(s.session.LibraryModified());
  s.platform.saveFiles.push_back(folder / "all.lib");
  s.session.Click(control::SaveLib);
  EXPECT_FALSE(s.session.LibraryModified());

  s.Type(control::Text6, "45m");
  s.session.Click(control::New);
  EXPECT_FALSE(s.session.ValuesModified());
  EXPECT_EQ(s.session.State().valuesFile, "");
  s.platform.openFiles.push_back(folder / "part.txt");
  s.session.Click(control::open);
  EXPECT_FALSE(s.session.ValuesModified());
  EXPECT_EQ(s.session.State().text(control::Text6), "44m");
}

// The curve table's commands: a refusal is said and changes nothing, a change is unsaved work,
// and Clear asks first, as its points come back only from where they came from.
TEST(WindowSession, CurvesArePastedImportedEditedAndClearedWithTheReadersMessages) {
  testing::TempFolder folder;
  Session s;
  s.platform.clipboard = "Vds\tCiss\n0\t1500\n10\t900\n";
  EXPECT_TRUE(s.session.PasteCurve("ciss"));
  EXPECT_TRUE(s.session.ValuesModified());
  const std::vector<DatasheetCurve> pasted{{CurveKind::Ciss, 0, {{0, 1500}, {10, 900}}}};
  EXPECT_EQ(s.session.State().curves, pasted);

  s.platform.clipboard = "0\t1500\n0\t900\n";
  EXPECT_FALSE(s.session.PasteCurve("ciss"));
  EXPECT_FALSE(s.session.EditCurve("ciss", {{"0", "1500"}, {"10", "-1"}}));
  EXPECT_EQ(s.platform.MessageTexts(),
            (std::vector<std::string>{"clipboard, line 2: " + std::string(kCurveNotMonotonicText),
                                      "curve table, line 2: " + std::string(kCurveNegativeCapacitanceText)}));
  EXPECT_EQ(s.session.State().curves, pasted);

  testing::WriteBytes(folder / "coss.csv", "0,800\n10,300\n");
  EXPECT_FALSE(s.session.ImportCurve("coss"));  // the dialog cancelled
  s.platform.openFiles.push_back(folder / "coss.csv");
  EXPECT_TRUE(s.session.ImportCurve("coss"));
  EXPECT_EQ(s.platform.openRequests.back().filter, kCurveFilter);
  EXPECT_EQ(s.session.State().curves.size(), 2u);

  s.platform.yesNoAnswers.push_back(Answer::No);
  EXPECT_FALSE(s.session.ClearCurve("ciss"));
  EXPECT_TRUE(s.session.ClearCurve("ciss"));
  EXPECT_EQ(s.platform.yesNoQuestions, std::vector<std::string>(2, ClearCurveQuestion("ciss", 2)));
  EXPECT_FALSE(s.session.ClearCurve("ciss"));  // nothing left to ask about
  EXPECT_EQ(s.session.State().curves.size(), 1u);
}

TEST(WindowSession, ClickTakesButtonsOptionsMenusAndTheSessionsOwnControlsOnly) {
  Session s;
  EXPECT_FALSE(s.session.Click(control::Text6));   // a field is typed into, not clicked
  EXPECT_FALSE(s.session.Click(control::FixVTO));  // a check box is clicked to a value
  EXPECT_FALSE(s.session.Click("NoSuchControl"));
  EXPECT_TRUE(s.session.Click(control::OptionSubCkt));
  EXPECT_TRUE(s.session.State().optionSubCkt);
  EXPECT_TRUE(s.session.Click(control::ApplyBestSwitches));
  EXPECT_FALSE(s.session.State().text(control::Text19).empty());
}

TEST(WindowSession, FieldWarningsFollowTheTextsTypedAndNew) {
  Session s;
  EXPECT_TRUE(s.session.FieldWarnings().empty());
  s.Type(control::Text6, "abc");
  s.Type(control::Qgs, "11nC");  // understood: no warning
  std::vector<FieldWarning> warnings = s.session.FieldWarnings();
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_EQ(warnings[0].field->control, control::Text6);
  s.Type(control::Text6, "160m");
  EXPECT_TRUE(s.session.FieldWarnings().empty());

  // New empties fields the model needs and fields it can do without; only the first are named.
  ASSERT_TRUE(s.session.Click(control::New));
  std::vector<std::string_view> named;
  for (const FieldWarning& warning : s.session.FieldWarnings()) named.push_back(warning.field->control);
  EXPECT_NE(std::ranges::find(named, control::Text3), named.end());
  EXPECT_NE(std::ranges::find(named, control::Text7), named.end());
  EXPECT_EQ(std::ranges::find(named, control::avalanche_volt), named.end());
  EXPECT_EQ(std::ranges::find(named, control::Qgs), named.end());
  EXPECT_EQ(std::ranges::find(named, control::Text20), named.end());
}

// The export asks the ngspice the checks run for its version, not the one on the PATH: a stand-in
// that calls itself version 46 gets TCVTH in its own sign.
TEST(WindowSession, TheNgspiceExportFollowsTheCheckedNgspicesVersion) {
  testing::TempFolder folder;
  const std::string fake = folder / "ngspice";
  testing::WriteBytes(fake,
                      "#!/bin/sh\necho '******'\necho '** ngspice-46 : Circuit level simulation program'\n");
  ASSERT_EQ(::chmod(fake.c_str(), 0755), 0);
  ScriptedPlatform platform;
  WaitingCheckRunner runner({.ngspicePath = fake});
  WindowSession session(platform, runner);
  for (const auto& [field, text] : {std::pair{control::TjHot, "150"}, {control::VthHot, "2.2"}})
    session.Type(*FindControlAction(field), text);
  ASSERT_TRUE(session.RunCommandOf(control::Command2));
  const std::string& line = session.State().card.segment4;
  const std::size_t at = line.find("TCVTH=") + 6;
  const std::string tcvth = line.substr(at, line.find_first_of(" )", at) - at);
  ASSERT_FALSE(tcvth.empty() || tcvth.starts_with("-")) << line;

  testing::TempFolder out;
  platform.folders.push_back(out.path());
  session.Click(control::ngspicecircuits);
  ASSERT_FALSE(out.Names().empty());
  for (const std::string& name : out.Names())
    EXPECT_NE(testing::ReadBytes(out / name).find(" TCVTH=-" + tcvth + ")"), std::string::npos) << name;
}

}  // namespace
}  // namespace vdmos

#include "verify/ngspice_circuit_export.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "commands/command_runner.h"
#include "commands/model_update.h"
#include "model/card_texts.h"
#include "model/control_names.h"
#include "model/subcircuit.h"
#include "platform/temp_folder.h"
#include "verify/bench_setup.h"
#include "verify/child_process.h"
#include "verify/ngspice_netlists.h"
#include "verify/verify_test_support.h"
#include "verify/verify_texts.h"

namespace vdmos {
namespace {

class NgspiceCircuitExport : public ::testing::Test {
 protected:
  void ExportInto(const std::string& folder) {
    platform_.folders.push_back(folder);
    ngspicecircuits_Click(state_, platform_, [this] {
      ++versionReads_;
      return version_;
    });
  }

  testing::TempFolder folder_;
  WindowState state_;
  ScriptedPlatform platform_;
  std::optional<NgspiceVersion> version_;
  int versionReads_ = 0;
};

// Netlists edited by hand stay unless the user agrees to replace them; the status bar counts
// what was written.
TEST_F(NgspiceCircuitExport, ExistingFilesAreReplacedOnlyAfterYes) {
  ExportInto(folder_.path());
  EXPECT_TRUE(platform_.yesNoQuestions.empty());
  EXPECT_EQ(state_.text(control::StatusBar1), "5 files written to " + folder_.path().string());
  testing::WriteBytes(folder_ / "20N60C3_Cxss.cir", "edited");
  platform_.yesNoAnswers = {Answer::No};
  ExportInto(folder_.path());
  ASSERT_EQ(platform_.yesNoQuestions.size(), 1u);
  EXPECT_EQ(testing::ReadBytes(folder_ / "20N60C3_Cxss.cir"), "edited");
  ExportInto(folder_.path());  // an empty script answers Yes
  EXPECT_NE(testing::ReadBytes(folder_ / "20N60C3_Cxss.cir"), "edited");
}

TEST_F(NgspiceCircuitExport, WritesTheFourNetlistsAndTheSubcircuitIntoTheChosenFolderAndTheyRun) {
  ExportInto(folder_.path());  // the card box is empty: the model is updated first

  EXPECT_EQ(platform_.folderTitles, (std::vector<std::string>{"Select the folder to save to"}));
  EXPECT_TRUE(platform_.messages.empty());
  EXPECT_EQ(state_.card, testing::UpdatedStartWindow().card);
  EXPECT_EQ(state_.testCircuitFolder, "");  // the export of the other simulator keeps its folder
  ASSERT_EQ(folder_.Names(),
            (std::vector<std::string>{"20N60C3_Cxss.cir", "20N60C3_GateCharge.cir", "20N60C3_Id(Vds,Vgs).cir",
                                      "20N60C3_Id(Vgs).cir", "20N60C3_subckt.lib"}));
  EXPECT_EQ(testing::ReadBytes(folder_ / "20N60C3_Cxss.cir"),
            NgspiceNetlist(Bench::Capacitance, state_.card, ReadBenchSetup(state_)) + "\r\n");
  // The subcircuit as the command line prints it, ending in one line end.
  EXPECT_EQ(testing::ReadBytes(folder_ / "20N60C3_subckt.lib"), NgspiceSubCircuit(state_).text);

  const ChildOutcome run =
      RunChildren({{{"ngspice", "-b", folder_ / "20N60C3_Id(Vds,Vgs).cir"}, {}, {}}}, {})[0];
  EXPECT_EQ(run.status, ChildOutcome::Status::Exited);
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("rdson = 1.6"), std::string::npos);
}

// A refined card's gate charge elements go into the subcircuit and the two benches that feel
// them, so that the files simulate what the check simulated.
TEST_F(NgspiceCircuitExport, GateChargeElementsGoWithTheRefinedCard) {
  state_ = testing::UpdatedStartWindow();
  state_.params.chargeElement = ChargeElement{{3000, 1, 9}, {}, 0.1};
  ExportInto(folder_.path());
  EXPECT_NE(testing::ReadBytes(folder_ / "20N60C3_subckt.lib").find("\r\nCgdq gi d Q='3000e-12*"),
            std::string::npos);
  EXPECT_NE(testing::ReadBytes(folder_ / "20N60C3_GateCharge.cir").find("\r\nCgdq1 gi1 d Q="),
            std::string::npos);
  EXPECT_NE(testing::ReadBytes(folder_ / "20N60C3_Cxss.cir").find("\r\nCgdq2 gi2 d2 Q="), std::string::npos);
  EXPECT_EQ(testing::ReadBytes(folder_ / "20N60C3_Id(Vgs).cir").find("Cgdq"), std::string::npos);
}

// Without a breakdown voltage there is no subcircuit: the netlists are written all the same,
// and a message says why the subcircuit is not.
TEST_F(NgspiceCircuitExport, WithoutABreakdownVoltageTheNetlistsComeAloneWithAMessage) {
  state_ = testing::UpdatedStartWindow();
  state_.setText(control::avalanche_volt, "");
  ExportInto(folder_.path());
  EXPECT_EQ(platform_.MessageTexts(),
            (std::vector<std::string>{"The ngspice subcircuit was not written:\r\n" +
                                      std::string(kNgspiceSubCktNoBreakdownText)}));
  EXPECT_EQ(folder_.Names(), (std::vector<std::string>{"20N60C3_Cxss.cir", "20N60C3_GateCharge.cir",
                                                       "20N60C3_Id(Vds,Vgs).cir", "20N60C3_Id(Vgs).cir"}));
}

// A subcircuit file that cannot be written is named with the netlists that cannot.
TEST_F(NgspiceCircuitExport, ASubcircuitThatCannotBeWrittenIsNamedWithTheNetlists) {
  std::filesystem::create_directory(folder_ / "20N60C3_subckt.lib");
  std::filesystem::create_directory(folder_ / "20N60C3_Cxss.cir");
  ExportInto(folder_.path());
  EXPECT_EQ(
      platform_.MessageTexts(),
      (std::vector<std::string>{"These ngspice test circuits could not be written:\r\n" +
                                (folder_ / "20N60C3_Cxss.cir") + "\r\n" + (folder_ / "20N60C3_subckt.lib")}));
  EXPECT_EQ(folder_.Names().size(), 5u);  // three netlists and the two folders
}

TEST_F(NgspiceCircuitExport, ACancelledPickerRunsNothing) {
  ngspicecircuits_Click(state_, platform_, [] { return std::optional<NgspiceVersion>(); });
  EXPECT_TRUE(platform_.messages.empty());
  EXPECT_EQ(state_.text(control::Text19), "");
}

// The test circuits' refusals of a model name apply too (checked through the command line).
TEST_F(NgspiceCircuitExport, ACardWhoseModelNameNgspiceCannotTakeWritesNothing) {
  state_ = testing::UpdatedStartWindow();
  state_.setText(control::Text20, "my fet");  // fine as a file name
  state_.card.segment1 = ".MODEL my fet VDMOS(KP=6.4968 RS=0.0016 RD=0.1364 RG=0.54 VTO=3.0 ";
  ExportInto(folder_.path());
  EXPECT_EQ(platform_.MessageTexts(), (std::vector<std::string>{std::string(kCardModelNameText)}));
  EXPECT_TRUE(folder_.Names().empty());
}

// After a failed update the stored card is an older model than the fields describe: nothing
// is written from it.
TEST_F(NgspiceCircuitExport, AFailedModelIsRefusedThoughAnOlderCardIsStored) {
  state_ = testing::UpdatedStartWindow();
  state_.setText(control::Text6, "1e999");
  state_.setText(control::Text19, "");
  ExportInto(folder_.path());
  EXPECT_EQ(platform_.MessageTexts(), std::vector<std::string>{std::string(kParameterErrorText)});
  EXPECT_TRUE(folder_.Names().empty());
}

// The check runs without a gate charge test it cannot run, but a netlist for it would be wrong.
TEST_F(NgspiceCircuitExport, GateChargeConditionsThatCannotRunWriteNothing) {
  state_ = testing::UpdatedStartWindow();
  state_.setText(control::IdCharge, "");
  ExportInto(folder_.path());
  EXPECT_EQ(platform_.MessageTexts(), std::vector<std::string>{std::string(kGateChargeNotPositiveText)});
  EXPECT_TRUE(folder_.Names().empty());
}

// The files take the typed name; the netlists and the subcircuit take the stored card, whose
// name ngspice accepts (under the typed one the subcircuit would be refused with a message).
TEST_F(NgspiceCircuitExport, ANameTypedAfterTheUpdateNamesOnlyTheFiles) {
  state_ = testing::UpdatedStartWindow();
  state_.setText(control::Text20, "my fet");
  ExportInto(folder_.path());
  EXPECT_TRUE(platform_.messages.empty());
  ASSERT_EQ(folder_.Names().size(), 5u);
  EXPECT_EQ(folder_.Names()[0], "my fet_Cxss.cir");
}

// The netlists and the subcircuit carry TCVTH in the sign of the ngspice installed, as the check
// hands it over; a card without TCVTH does not ask for the version.
TEST_F(NgspiceCircuitExport, TcvthIsWrittenInTheConventionOfTheInstalledVersion) {
  ExportInto(folder_ / "");
  EXPECT_EQ(versionReads_, 0);

  ScriptedPlatform platform;
  state_.setText(control::TjHot, "150");
  state_.setText(control::VthHot, "2.2");
  UpdateModel(state_, platform);
  const std::string& line = state_.card.segment4;
  const std::size_t at = line.find("TCVTH=") + 6;
  const std::string tcvth = line.substr(at, line.find_first_of(" )", at) - at);
  ASSERT_FALSE(tcvth.empty() || tcvth.starts_with("-")) << line;
  for (const auto& [version, written] : {std::pair{std::optional<NgspiceVersion>{{39, 0}}, tcvth},
                                         std::pair{std::optional<NgspiceVersion>{{46, 0}}, "-" + tcvth}}) {
    SCOPED_TRACE(written);
    testing::TempFolder folder;
    version_ = version;
    platform_.yesNoAnswers = {Answer::Yes};
    ExportInto(folder.path());
    ASSERT_EQ(folder.Names().size(), 5u);  // the four netlists and the subcircuit
    for (const std::string& name : folder.Names())
      EXPECT_NE(testing::ReadBytes(folder / name).find(" TCVTH=" + written + ")"), std::string::npos) << name;
  }
  EXPECT_EQ(versionReads_, 2);
}

}  // namespace
}  // namespace vdmos

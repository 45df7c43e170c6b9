#include "verify/ngspice_circuit_export.h"

#include <gtest/gtest.h>

#include "platform/temp_folder.h"
#include "verify/bench_setup.h"
#include "verify/child_process.h"
#include "verify/ngspice_netlists.h"
#include "verify/verify_test_support.h"

namespace vdmos {
namespace {

using testing::TempFolder;

const std::vector<std::string> kFileNames{"20N60C3_Cxss.cir", "20N60C3_GateCharge.cir",
                                          "20N60C3_Id(Vds,Vgs).cir", "20N60C3_Id(Vgs).cir"};

TEST(NgspiceCircuitExport, WritesTheFourNetlistsIntoTheChosenFolder) {
  TempFolder folder;
  WindowState state;
  ScriptedPlatform platform;
  platform.folders.push_back(folder.path().string());
  ngspicecircuits_Click(state, platform);  // the card box is empty: the model is updated first

  EXPECT_EQ(platform.folderTitles, (std::vector<std::string>{"Select the folder to save to"}));
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(state.card, testing::UpdatedStartWindow().card);
  EXPECT_EQ(state.testCircuitFolder, "");  // the export of the other simulator keeps its folder
  ASSERT_EQ(folder.Names(), kFileNames);
  const BenchSetup setup = ReadBenchSetup(state);
  EXPECT_EQ(testing::ReadBytes(folder / "20N60C3_Id(Vgs).cir"),
            NgspiceNetlist(Bench::Transfer, state.card, setup) + "\r\n");
  EXPECT_EQ(testing::ReadBytes(folder / "20N60C3_Cxss.cir"),
            NgspiceNetlist(Bench::Capacitance, state.card, setup) + "\r\n");
}

TEST(NgspiceCircuitExport, ASavedNetlistRunsInNgspice) {
  TempFolder folder;
  WindowState state;
  ScriptedPlatform platform;
  platform.folders.push_back(folder.path().string());
  ngspicecircuits_Click(state, platform);
  const ChildOutcome run =
      RunChildren({{{"ngspice", "-b", folder / "20N60C3_Id(Vds,Vgs).cir"}, {}, {}}}, {}).front();
  EXPECT_EQ(run.status, ChildOutcome::Status::Exited);
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("rdson = 1.6"), std::string::npos);
}

TEST(NgspiceCircuitExport, FolderAndModelNameRulesOfTheTestCircuits) {
  {
    WindowState state;
    ScriptedPlatform platform;  // the picker is cancelled
    ngspicecircuits_Click(state, platform);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(state.text("Text19"), "");  // nothing ran
  }
  {
    TempFolder folder;
    WindowState state;
    state.setText("Text20", "../20N60C3");
    ScriptedPlatform platform;
    platform.folders.push_back(folder.path().string());
    ngspicecircuits_Click(state, platform);
    EXPECT_EQ(platform.MessageTexts(),
              (std::vector<std::string>{
                  "The test circuits were not saved: the model name contains \"/\", which could "
                  "lead out of the chosen folder."}));
    EXPECT_TRUE(folder.Names().empty());
  }
}

TEST(NgspiceCircuitExport, ACardNgspiceCannotTakeIsNotWritten) {
  TempFolder folder;
  WindowState state = testing::UpdatedStartWindow();
  state.setText("Text20", "my fet");  // fine as a file name, not as an ngspice model name
  ScriptedPlatform platform;
  platform.folders.push_back(folder.path().string());
  ngspicecircuits_Click(state, platform);  // the card box holds a card: no update
  EXPECT_EQ(platform.MessageTexts(), (std::vector<std::string>{}));
  ASSERT_EQ(folder.Names().size(), 4u);  // the stored card still names 20N60C3

  TempFolder second;
  state.card.segment1 = ".MODEL my fet VDMOS(KP=6.4968 RS=0.0016 RD=0.1364 RG=0.54 VTO=3.0 ";
  platform.folders.push_back(second.path().string());
  ngspicecircuits_Click(state, platform);
  EXPECT_EQ(platform.MessageTexts(),
            (std::vector<std::string>{
                "The model name must be one word without blanks to be used in an ngspice netlist."}));
  EXPECT_TRUE(second.Names().empty());
}

TEST(NgspiceCircuitExport, FilesThatCannotBeWrittenAreNamed) {
  TempFolder folder;
  WindowState state;
  ScriptedPlatform platform;
  platform.folders.push_back((folder.path() / "missing").string());
  ngspicecircuits_Click(state, platform);
  ASSERT_EQ(platform.messages.size(), 1u);
  const std::string& text = platform.messages[0].text;
  EXPECT_TRUE(text.starts_with("These ngspice test circuits could not be written:\r\n")) << text;
  EXPECT_NE(text.find("20N60C3_GateCharge.cir"), std::string::npos);
}

}  // namespace
}  // namespace vdmos

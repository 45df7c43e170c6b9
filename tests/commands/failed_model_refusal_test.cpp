// After a failed model update the card box shows the error text while the earlier card, its
// subcircuit and its parameters are still stored: every command that needs a card refuses with
// the failure's message instead of passing that earlier card off as the model of the fields.

#include <gtest/gtest.h>

#include "commands/command_runner.h"
#include "commands/library_commands.h"
#include "commands/model_update.h"
#include "commands/subcircuit_commands.h"
#include "commands/test_circuit_commands.h"
#include "model/control_names.h"
#include "model/model_failure.h"
#include "platform/scripted_platform.h"
#include "platform/temp_folder.h"

namespace vdmos {
namespace {

TEST(FailedModel, EveryCommandThatNeedsACardRefusesIt) {
  testing::TempFolder folder;
  WindowState state;
  ScriptedPlatform platform;
  UpdateModel(state, platform);
  state.setText(control::Text3, "1e999");  // Vgs(th) beyond any number
  UpdateModel(state, platform);
  ASSERT_TRUE(ModelFailed(state));
  const std::string subcircuit = state.text(control::SubCktTextBox);
  ASSERT_FALSE(subcircuit.empty());

  const struct {
    const char* name;
    Command command;
  } commands[] = {{"Add Model", Add_Click},
                  {"Save Model", SaveModel_Click},
                  {"copy the subcircuit", CopyToClipBoardSubCkt_Click},
                  {"Save Test Circuits", testcircuits_Click}};
  for (const auto& [name, command] : commands) {
    SCOPED_TRACE(name);
    WindowState refused = state;
    platform = ScriptedPlatform{};
    platform.saveFiles.push_back(folder / "model.lib");
    platform.folders.push_back(folder.path().string());
    command(refused, platform);
    EXPECT_EQ(platform.MessageTexts(), std::vector<std::string>{std::string(kParameterErrorText)});
    EXPECT_EQ(refused.text(control::LibTextBox), "");
    EXPECT_FALSE(platform.clipboard);
    EXPECT_TRUE(folder.Names().empty());
  }
}

}  // namespace
}  // namespace vdmos

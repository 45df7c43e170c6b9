#include "model/subcircuit.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "commands/command_runner.h"
#include "commands/model_update.h"
#include "commands/subcircuit_commands.h"
#include "golden/start_card.h"
#include "model/checked_math.h"
#include "model/control_names.h"
#include "platform/scripted_platform.h"

namespace vdmos {
namespace {

struct Window {
  WindowState state;
  ScriptedPlatform platform;
};

TEST(Subcircuit, NineLinesAfterAnUpdateWithTheStartValues) {
  Window w;
  UpdateModel(w.state, w.platform);
  EXPECT_EQ(w.state.text(control::SubCktTextBox),
            ".subckt X20N60C3 d g s\r\n"
            "M1 d g s s 20N60C3\r\n"
            "Rg g s 1G\r\n"
            "Db s d dbody\r\n" +
                golden::kStartCard +
                "\r\n"
                ".model dbody d ron=0.1 vrev= 630 vfwd=2\r\n"
                ".ends\r\n");
}

TEST(Subcircuit, WrapsWhateverTheCardBoxHoldsAndTakesAnythingButNmosAsPChannel) {
  WindowState state;
  state.setText(control::Text20, "M");
  state.setText(control::Combo1, "nmos");
  state.setText(control::Text19, "Error in one or more parameters... The model data cannot be calculated.");
  BuildSubCkt(state);
  EXPECT_EQ(state.text(control::SubCktTextBox),
            ".subckt XM d g s\r\nM1 d g s s M\r\nRg g s 1G\r\nDb d s dbody\r\n"
            "Error in one or more parameters... The model data cannot be calculated.\r\n"
            ".model dbody d ron=0.1 vrev= 630 vfwd=2\r\n.ends\r\n");
}

TEST(Subcircuit, BreakdownVoltageBecomesTheDiodesReverseVoltage) {
  // The plain reading: suffixes are not read; only a non-zero value enables the subcircuit.
  const std::tuple<const char*, const char*, bool> rows[] = {{"-30", " 30", true},
                                                             {"1k", " 1", true},
                                                             {"29.5", " 29.5", true},
                                                             {"-0", " 0", false},
                                                             {"volts", " 0", false}};
  for (const auto& [typed, vrev, enabled] : rows) {
    Window w;
    w.state.setText(control::avalanche_volt, typed);
    avalanche_volt_Change(w.state, w.platform);
    UpdateModel(w.state, w.platform);  // only the breakdown voltage switches the subcircuit
    LineBreak_Click(w.state, w.platform);
    EXPECT_TRUE(
        w.state.text(control::SubCktTextBox)
            .ends_with("\r\n.model dbody d ron=0.1 vrev=" + std::string(vrev) + " vfwd=2\r\n.ends\r\n"))
        << typed;
    EXPECT_EQ(w.state.enabled(control::SubCktTextBox), enabled) << typed;
    EXPECT_EQ(w.state.enabled(control::CopyToClipBoardSubCkt), enabled) << typed;
  }
}

TEST(Subcircuit, OverflowingBreakdownVoltageChangesNothing) {
  Window w;
  w.state.setText(control::avalanche_volt, "0");
  avalanche_volt_Change(w.state, w.platform);
  w.state.setText(control::avalanche_volt, "1e999");
  const WindowState before = w.state;

  EXPECT_THROW(BuildSubCkt(w.state), ArithmeticFault);
  EXPECT_THROW(avalanche_volt_Change(w.state, w.platform), ArithmeticFault);
  EXPECT_EQ(w.state, before);

  RunUserCommand(avalanche_volt_Change, w.state, w.platform);
  EXPECT_EQ(w.state, before);
  EXPECT_EQ(w.platform.MessageTexts(), std::vector<std::string>{std::string(kParameterErrorText)});
}

TEST(Subcircuit, HelpShowsTheTenLinesUnderTheApplicationTitle) {
  Window w;
  HelpSubCkt_Click(w.state, w.platform);
  ASSERT_EQ(w.platform.messages.size(), 1u);
  EXPECT_EQ(w.platform.messages[0].text,
            "Instructions for using the nmos-symbol for a NMOS-subcircuit:\r\n"
            "Add an NMOS-fet (symbol nmos) to the schematic.\r\n"
            "Change its value NMOS to X20N60C3 (or your model name) in the schematic.\r\n"
            "Cltr-key plus right-mouse-click on the placed symbol.\r\n"
            "Change Prefix:MN to Prefix:X\r\n"
            "Now Varnex expects a subcircuit model for this device.\r\n"
            "Either directly add the model text to your schematic or put it\r\n"
            "into a file. In the ladder case you have to add an include-\r\n"
            "SPICE-directive telling Varnex the place of the model.\r\n"
            ".include(filename)");
  EXPECT_EQ(w.platform.messages[0].title, "");
  EXPECT_FALSE(w.platform.messages[0].askedYesNoCancel);
}

TEST(Subcircuit, CopyTakesTheBoxTextAndTheModelFormOptionsAreExclusive) {
  Window w;
  CopyToClipBoardSubCkt_Click(w.state, w.platform);
  EXPECT_EQ(w.platform.clipboard, "Subcircuit model\r\n");
  OptionSubCkt_Click(w.state, w.platform);
  EXPECT_TRUE(w.state.optionSubCkt && !w.state.optionStandard);
  OptionStandard_Click(w.state, w.platform);
  EXPECT_TRUE(w.state.optionStandard && !w.state.optionSubCkt);
}

}  // namespace
}  // namespace vdmos

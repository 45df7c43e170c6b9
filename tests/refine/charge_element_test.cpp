// The ngspice subcircuit's gate charge elements: where they go in the subcircuit text, that a
// model update drops them, and that a refined device with them switches a hard-switched half
// bridge at its rated voltage and current with ngspice's default options.

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <string>
#include <vector>

#include "commands/datasheet_commands.h"
#include "commands/model_update.h"
#include "datasheet_device.h"
#include "half_bridge.h"
#include "model/control_names.h"
#include "model/numbers.h"
#include "model/subcircuit.h"
#include "platform/scripted_platform.h"
#include "refine/refine_command.h"
#include "verify/child_process.h"
#include "verify/ngspice_output.h"

namespace vdmos {
namespace {

TEST(ChargeElement, FollowsTheTransistorInTheNgspiceSubcircuitOnly) {
  WindowState state = OpenDevice("STP55NF06");
  state.setText(control::avalanche_volt, "60");
  ScriptedPlatform platform;
  UpdateModel(state, platform);
  const std::string bare = NgspiceSubCircuit(state).text;
  const std::string schematicForm = state.text(control::SubCktTextBox);

  state.params.chargeElement = ChargeElement{{2000, 0.6, 12}, {300, 2.5, 4}, 0.05};
  const std::string withElements = NgspiceSubCircuit(state).text;
  const std::string transistor = "M1 d g s STP55NF06\r\n";
  const std::string lines =
      "Egdq gdq 0 g d 20\r\n"
      "Cgdq g d Q='2000e-12*0.05*(((V(gdq)-12)>0 ? (V(gdq)-12)+ln(1+exp(-(V(gdq)-12))) : "
      "ln(1+exp((V(gdq)-12))))-((V(gdq)-240)>0 ? (V(gdq)-240)+ln(1+exp(-(V(gdq)-240))) : "
      "ln(1+exp((V(gdq)-240)))))'\r\n"
      "Egsq gsq 0 g s 20\r\n"
      "Cgsq g s Q='300.0e-12*0.05*(((V(gsq)-50)>0 ? (V(gsq)-50)+ln(1+exp(-(V(gsq)-50))) : "
      "ln(1+exp((V(gsq)-50))))-((V(gsq)-80)>0 ? (V(gsq)-80)+ln(1+exp(-(V(gsq)-80))) : "
      "ln(1+exp((V(gsq)-80)))))'\r\n";
  std::string expected = bare;
  expected.insert(expected.find(transistor) + transistor.size(), lines);
  EXPECT_EQ(withElements, expected);
  // The schematic program's subcircuit has no such elements.
  BuildSubCkt(state);
  EXPECT_EQ(state.text(control::SubCktTextBox), schematicForm);

  // A P-channel device's elements take the drain and the source above the gate.
  const std::vector<std::string> pChannel =
      ChargeElementLines(*state.params.chargeElement, false, "d", "g", "s");
  ASSERT_EQ(pChannel.size(), 4u);
  EXPECT_EQ(pChannel[0], "Egdq gdq 0 d g 20");
  EXPECT_TRUE(pChannel[1].starts_with("Cgdq d g Q='2000e-12*0.05*(((V(gdq)-12)")) << pChannel[1];
  EXPECT_EQ(pChannel[2], "Egsq gsq 0 s g 20");
  EXPECT_TRUE(pChannel[3].starts_with("Cgsq s g Q='300.0e-12*0.05*(((V(gsq)-50)")) << pChannel[3];
}

TEST(ChargeElement, ChargeIsTheIntegralOfTheWindowedCapacitance) {
  const ChargeWindow window{1000, 1, 6};
  const double w = 0.05;
  // Far below, nothing; across the whole window, C times its span.
  EXPECT_NEAR(WindowCharge(window, w, -500), 0, 1e-12);
  EXPECT_NEAR(WindowCharge(window, w, 0), 0, 1000 * w * std::exp(-1 / w) * 1.01);
  EXPECT_NEAR(WindowCharge(window, w, 50), 1000 * 5, 1e-6);
  // The capacitance, C in the middle of the window, by the difference quotient.
  EXPECT_NEAR((WindowCharge(window, w, 3.5 + 1e-6) - WindowCharge(window, w, 3.5 - 1e-6)) / 2e-6, 1000, 1e-3);
  EXPECT_EQ(WindowCharge({}, w, 3), 0);
}

/// The gate-drain window's small-signal capacitance in ngspice at the gate-drain voltage given
/// (pF): the elements alone between g and d, d on node 0.
double SmallSignalCapacitance(const ChargeElement& element, double vgd) {
  std::string text =
      "* gate charge element in an AC analysis\nV1 g 0 DC " + DefaultNumberText(vgd) + " AC 1\n";
  for (const std::string& line : ChargeElementLines(element, true, "0", "g", "0")) text += line + "\n";
  text +=
      ".control\nac lin 1 1meg 1meg\nlet c = -imag(i(v1)) / (2 * pi * 1e6) * 1e12\necho @ac\nprint "
      "c\n.endc\n.end\n";
  const ChildOutcome run =
      RunChildren({{{"ngspice", "-b", "-n"}, {"LC_ALL=C", "SPICE_SCRIPTS=/dev/null"}, text}}, ChildLimits{})
          .front();
  for (const OutputSection& section : ParseNgspiceOutput(run.out))
    if (section.values.contains("c")) return section.values.at("c");
  ADD_FAILURE() << run.out << run.err;
  return NAN;
}

// The element is a charge, not a current computed from the last time step: a small-signal
// analysis sees its capacitance as a transient does.
TEST(ChargeElement, IsACapacitanceInSmallSignalAnalyses) {
  const ChargeElement element{{2000, 1, 9}, {}, 0.1};
  EXPECT_NEAR(SmallSignalCapacitance(element, 5), 2000, 2);
  EXPECT_NEAR(SmallSignalCapacitance(element, 1), 1000, 1);
  EXPECT_NEAR(SmallSignalCapacitance(element, -20), 0, 1e-3);
}

TEST(ChargeElement, RefinedDevicesSwitchAHalfBridgeAtTheirRatingWithDefaultOptions) {
  struct Device {
    const char* part;
    double volts;
  };
  for (const Device& d : {Device{"STP55NF06", 60}, Device{"FQP27P06", 60}, Device{"FQP30N06L", 60},
                          Device{"IRLML6402", 20}, Device{"IPW90R120C3", 900}}) {
    SCOPED_TRACE(d.part);
    WindowState state = OpenDevice(d.part);
    state.setText(control::avalanche_volt, DefaultNumberText(d.volts));
    ScriptedPlatform platform;
    UpdateModel(state, platform);
    ASSERT_TRUE(RefineModel(state, platform));
    ASSERT_TRUE(state.params.chargeElement) << state.text(control::StatusBar1);
    const NgspiceSubCkt subckt = NgspiceSubCircuit(state);
    ASSERT_TRUE(subckt.ok()) << subckt.problem;
    // The gate charge test's current is the rated current on these datasheets.
    const double amps = PlainReading(state.text(control::IdCharge));
    const bool pmos = state.text(control::Combo1) == "PMOS";
    ChildLimits limits;
    limits.timeout = std::chrono::seconds(60);
    const ChildOutcome run = RunChildren({{{"ngspice", "-b", "-n"},
                                           {"LC_ALL=C", "SPICE_SCRIPTS=/dev/null"},
                                           HalfBridgeNetlist(subckt.text, d.part, pmos, d.volts, amps, 10)}},
                                         limits)
                                 .front();
    ASSERT_EQ(run.status, ChildOutcome::Status::Exited) << run.err;
    EXPECT_EQ(run.out.find("imestep too small"), std::string::npos) << run.out;
    EXPECT_EQ(run.err.find("imestep too small"), std::string::npos) << run.err;
    double peak = 0;
    for (const OutputSection& section : ParseNgspiceOutput(run.out))
      if (section.values.contains("peak")) peak = section.values.at("peak");
    // The current reached the rating, and the second turn-on ran to the end.
    EXPECT_GT(peak, 0.95 * amps);
  }
}

}  // namespace
}  // namespace vdmos

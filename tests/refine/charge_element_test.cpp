// The ngspice subcircuit's gate charge elements: where they go in the subcircuit text (behind
// the gate resistance, and beside a sense of RD's drop where they read the drain inside it),
// that a model update drops them, that they meet a virtual device of another structure, and
// that a refined device with them switches a hard-switched half bridge at its rated voltage
// and current with ngspice's default options.

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "commands/datasheet_commands.h"
#include "commands/model_update.h"
#include "datasheet_device.h"
#include "extract/temperature_fit.h"
#include "half_bridge.h"
#include "model/card_reading.h"
#include "model/control_names.h"
#include "model/numbers.h"
#include "model/subcircuit.h"
#include "platform/scripted_platform.h"
#include "refine/refine_command.h"
#include "verify/child_process.h"
#include "verify/ngspice_output.h"
#include "verify/verify_model.h"

namespace vdmos {
namespace {

TEST(ChargeElement, FollowsTheTransistorInTheNgspiceSubcircuitOnly) {
  ScriptedPlatform platform;
  WindowState state = UpdatedDevice("STP55NF06", platform);
  state.setText(control::avalanche_volt, "60");
  const std::string bare = NgspiceSubCircuit(state).text;
  const std::string schematicForm = state.text(control::SubCktTextBox);

  state.params.chargeElement = ChargeElement{{2000, 0.6, 12}, {300, 2.5, 4}, 0.05};
  const std::string withElements = NgspiceSubCircuit(state).text;
  // The transistor and the elements sit behind the gate resistance, which leaves the card.
  const std::string transistor = "M1 d g s STP55NF06\r\n", gateResistance = "RG=3.0 ";
  const std::string lines =
      "M1 d gi s STP55NF06\r\n"
      "Rgi g gi 3\r\n"
      "Egdq gdq 0 gi d 20\r\n"
      "Cgdq gi d Q='2000e-12*0.05*(((V(gdq)-12)>0 ? (V(gdq)-12)+ln(1+exp(-(V(gdq)-12))) : "
      "ln(1+exp((V(gdq)-12))))-((V(gdq)-240)>0 ? (V(gdq)-240)+ln(1+exp(-(V(gdq)-240))) : "
      "ln(1+exp((V(gdq)-240)))))'\r\n"
      "Egsq gsq 0 gi s 20\r\n"
      "Cgsq gi s Q='300.0e-12*0.05*(((V(gsq)-50)>0 ? (V(gsq)-50)+ln(1+exp(-(V(gsq)-50))) : "
      "ln(1+exp((V(gsq)-50))))-((V(gsq)-80)>0 ? (V(gsq)-80)+ln(1+exp(-(V(gsq)-80))) : "
      "ln(1+exp((V(gsq)-80)))))'\r\n";
  std::string expected = bare;
  expected.replace(expected.find(transistor), transistor.size(), lines);
  ASSERT_NE(expected.find(gateResistance), std::string::npos);
  expected.erase(expected.find(gateResistance), gateResistance.size());
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

/// The value ngspice prints for `value` after the analysis `analysis` of the circuit `lines`.
double NgspiceValue(const std::string& lines, const std::string& analysis, const std::string& expression) {
  const std::string text = "* one analysis\n" + lines + ".control\n" + analysis +
                           "\nlet value = " + expression + "\necho @result\nprint value\n.endc\n.end\n";
  const ChildOutcome run = RunChildren({NgspiceBatchRun(text)}, ChildLimits{}).front();
  for (const OutputSection& section : ParseNgspiceOutput(run.out))
    if (section.values.contains("value")) return section.values.at("value");
  ADD_FAILURE() << run.out << run.err;
  return NAN;
}

/// One AC analysis at `frequency` of the circuit `lines`, driven by V1 at the DC voltage given
/// with 1 V AC: the value `expression` of V1's current i(v1) gives.
double AcValue(const std::string& lines, double volts, std::string_view frequency,
               const std::string& expression) {
  return NgspiceValue(lines + "V1 g 0 DC " + DefaultNumberText(volts) + " AC 1\n",
                      "ac lin 1 " + std::string(frequency) + " " + std::string(frequency), expression);
}

/// The gate-drain window's small-signal capacitance in ngspice at the gate-drain voltage given
/// (pF): the elements alone between g and d, d on node 0.
double SmallSignalCapacitance(const ChargeElement& element, double vgd) {
  std::string lines;
  for (const std::string& line : ChargeElementLines(element, true, "0", "g", "0")) lines += line + "\n";
  return AcValue(lines, vgd, "1meg", "-imag(i(v1)) / (2 * pi * 1e6) * 1e12");
}

// The element is a charge, not a current computed from the last time step: a small-signal
// analysis sees its capacitance as a transient does.
TEST(ChargeElement, IsACapacitanceInSmallSignalAnalyses) {
  const ChargeElement element{{2000, 1, 9}, {}, 0.1};
  EXPECT_NEAR(SmallSignalCapacitance(element, 5), 2000, 2);
  EXPECT_NEAR(SmallSignalCapacitance(element, 1), 1000, 1);
  EXPECT_NEAR(SmallSignalCapacitance(element, -20), 0, 1e-3);
}

// A gate-source dip is written as its positive complement beside a card whose CGS is lowered
// by its depth: together the gate keeps CGS outside the window and loses the depth inside it.
TEST(ChargeElement, ADipIsItsComplementBesideALowerCgs) {
  const ChargeElement element{{}, {-300, 1, 2.5}, 0.05};  // no gate-drain window: no lines for it
  const TransistorWithElements wired = TransistorWithChargeElements(
      "M1", "d", "g", "s", "X", ".MODEL X VDMOS(KP=1 RG=2 CGS=1000p)", element, true);
  EXPECT_EQ(wired.card, ".MODEL X VDMOS(KP=1 CGS=700p)");
  ASSERT_EQ(ChargeElementLines(element, true, "0", "g", "0").size(), 2u);
  std::string lines;
  for (const std::string& line : ChargeElementLines(element, true, "0", "g", "0")) lines += line + "\n";
  const auto capacitance = [&](double vgs) {
    return AcValue(lines, vgs, "1meg", "-imag(i(v1)) / (2 * pi * 1e6) * 1e12");
  };
  EXPECT_NEAR(capacitance(-5), 300, 0.1);
  EXPECT_NEAR(capacitance(1.75), 0, 0.1);
  EXPECT_NEAR(capacitance(5), 300, 0.1);
  // A P-channel device's dip lies where the source is above the gate.
  lines.clear();
  for (const std::string& line : ChargeElementLines(element, false, "0", "g", "0")) lines += line + "\n";
  EXPECT_NEAR(capacitance(-1.75), 0, 0.1);
  EXPECT_NEAR(capacitance(1.75), 300, 0.1);
}

/// The magnitude of the subcircuit's gate impedance (ohm) at 10 GHz, gate at `vgs` and drain on
/// the source: far above the corner of the gate resistance with the gate's capacitances.
double GateImpedanceAt10GHz(const std::string& subckt, const std::string& part, double vgs) {
  return AcValue(subckt + "X1 0 g 0 X" + part + "\n", vgs, "10g", "1 / mag(i(v1))");
}

// The Miller charge the elements carry flows through the gate resistance as the card's own
// does: at a frequency where the gate's capacitances are a short, the gate shows RG, not the
// few milliohms of an element on the terminal, with the gate-drain window fully on.
TEST(ChargeElement, SitsBehindTheGateResistance) {
  ScriptedPlatform platform;
  WindowState state = UpdatedDevice("STP55NF06", platform);
  state.setText(control::avalanche_volt, "60");
  state.params.chargeElement = ChargeElement{{20000, 0.6, 12}, {3000, 2.5, 4}, 0.05};
  const NgspiceSubCkt subckt = NgspiceSubCircuit(state);
  ASSERT_TRUE(subckt.ok()) << subckt.problem;
  EXPECT_NEAR(GateImpedanceAt10GHz(subckt.text, "STP55NF06", 8), 3.0, 0.01);
  EXPECT_NEAR(GateImpedanceAt10GHz(subckt.text, "STP55NF06", 3.2), 3.0, 0.01);
}

/// The DC value `expression` gives in ngspice's operating point of `lines` with the gate held
/// at `vgs` and the drain driven by `drive` ("V… d 0 …" or "I… …").
double OperatingPoint(const std::string& lines, double vgs, const std::string& drive,
                      const std::string& expression) {
  return NgspiceValue(lines + "Vg g 0 " + DefaultNumberText(vgs) + "\n" + drive + "\n", "op", expression);
}

// Reading the drain inside RD puts a sense resistor in the drain lead, split off the card's RD
// and its body diode's RB, and following RD's temperature law, whichever the card carries: the
// on-state drain current and the body diode's forward voltage stay the bare card's, and the
// sensed drop is RD's, at 25 C and hot (read with RD's 25 C value, the element saw the drain on
// FQPF8N60C's plateau at 125 C some 8 V high and gave a quarter less gate charge).
TEST(ChargeElement, ReadingInsideRdLeavesTheChannelAndTheBodyDiodeAsTheCardHasThem) {
  struct Case {
    const char* rdsHotRatio;  ///< at 150 C: none, 2.3-fold (TRD1's linear law), 2.6 (TEXP0's power law)
    const char* law;
    double celsius;
  };
  for (const Case& c : {Case{"", "", 25}, Case{"2.3", "TRD1=", 125}, Case{"2.6", "TEXP0=", 125}}) {
    SCOPED_TRACE(c.celsius);
    ScriptedPlatform platform;
    WindowState state = OpenDevice("FQPF8N60C");
    state.setText(control::avalanche_volt, "600");
    if (*c.rdsHotRatio) {
      state.setText(control::TjHot, "150");
      state.setText(control::RdsHotRatio, c.rdsHotRatio);
    }
    UpdateModel(state, platform);
    const std::string bare = NgspiceSubCircuit(state).text;
    ASSERT_NE(bare.find(c.law), std::string::npos) << bare;
    state.params.chargeElement = ChargeElement{{2000, 5, 8}, {}, 0.1, true};
    const std::string sensed = NgspiceSubCircuit(state).text;
    ASSERT_NE(sensed.find("Dgdqc gdqr gdqc dgdq"), std::string::npos) << sensed;
    // The clamp's model never takes the card's name, whatever the user called the part.
    if (c.celsius == 25) {
      WindowState named = state;
      named.setText(control::Text20, "DGDQ");
      UpdateModel(named, platform);
      named.params.chargeElement = state.params.chargeElement;
      const std::string renamed = NgspiceSubCircuit(named).text;
      EXPECT_NE(renamed.find("Dgdqc gdqr gdqc dgdq_\r\n"), std::string::npos) << renamed;
      EXPECT_NE(renamed.find(".model dgdq_ D"), std::string::npos) << renamed;
      EXPECT_GT(OperatingPoint(renamed + "X1 d g 0 XDGDQ\n", 10, "Vd d 0 2", "-i(vd)"), 0.1);
    }
    const std::string run = ".options temp=" + DefaultNumberText(c.celsius) + "\nX1 d g 0 XFQPF8N60C\n";
    const auto current = [&](const std::string& subckt) {
      return OperatingPoint(subckt + run, 10, "Vd d 0 2", "-i(vd)");
    };
    // Within ngspice's own tolerances: a sense resistor added to RD instead of split off it
    // would move the current by 0.1 %, and to RB the forward voltage by 7 mV.
    const double id = current(sensed);
    EXPECT_NEAR(id, current(bare), 1e-6 * id);
    const double sensedDrop = OperatingPoint(sensed + run, 10, "Vd d 0 2", "v(x1.gdqf)") * 0.1;
    const double rd = *CardTextValue(state.card.singleLine, "RD");
    const double drop = id * DrainResistanceAt(rd, ChannelTemperatureOf(state.card.singleLine), c.celsius);
    EXPECT_NEAR(sensedDrop, drop, 1e-4 * drop);
    // RB has no temperature law: hot, the diode takes the sense resistor's rise too.
    if (c.celsius != 25) continue;
    ASSERT_NE(sensed.find("M1 dq gi s FQPF8N60C\r\nRdq d dq 0.00087"), std::string::npos) << sensed;
    const auto forward = [&](const std::string& subckt) {
      return OperatingPoint(subckt + run, 0, "Id d 0 7.5", "-v(d)");
    };
    EXPECT_NEAR(forward(sensed), forward(bare), 1e-4);
  }
}

constexpr std::string_view kVirtual600 = "VIRT600";

/// The virtual 600 V device's values file opened as the window opens it. It is a level-1
/// channel behind a drain resistance that is most of its on-state resistance, with a
/// junction-law gate-drain capacitance that turns into the oxide's once the drain falls below
/// the gate, and a body diode of its own: another structure than the card's (its netlist and
/// how its values were simulated: golden/virtual_device).
WindowState OpenVirtual600() {
  WindowState state;
  ScriptedPlatform platform;
  platform.openFiles.push_back(std::string(VDMOS_TESTS_DIR) + "/golden/virtual_device/VIRT600.txt");
  open_Click(state, platform);
  EXPECT_EQ(state.text(control::Text20), kVirtual600) << "the device file was not read";
  return state;
}

/// Updates and refines the device's model as a user does; the refinement must take gate charge
/// elements.
void RefineTakingElements(WindowState& state) {
  ScriptedPlatform platform;
  UpdateModel(state, platform);
  ASSERT_TRUE(RefineModel(state, platform));
  ASSERT_TRUE(state.params.chargeElement) << state.text(control::StatusBar1);
}

// A fit that meets a device of another structure was not tuned to the card's own equations:
// the refined subcircuit meets the virtual device's typical gate charges and its capacitance
// points in ngspice together, within a percent.
TEST(ChargeElement, TheSubcircuitMeetsTheChargesAndCapacitancesOfAVirtualHighVoltageDevice) {
  WindowState state = OpenVirtual600();
  ASSERT_NO_FATAL_FAILURE(RefineTakingElements(state));
  const VerificationResult checked = VerifyModel(state);
  ASSERT_TRUE(checked.ok()) << checked.message;
  int met = 0;
  for (const VerificationRow& row : checked.rows) {
    const bool charge = row.quantity == "Qgs" || row.quantity == "Qgd" || row.quantity == "Qg";
    const bool capacitance = row.quantity == "Ciss" || row.quantity == "Coss" || row.quantity == "Crss";
    if (!row.datasheet || !(charge || capacitance)) continue;
    EXPECT_LE(std::abs(row.errorPercent.value_or(INFINITY)), 1) << row.quantity << " " << row.condition;
    ++met;
  }
  EXPECT_EQ(met, 10);  // three charges, seven capacitance points
}

TEST(ChargeElement, RefinedDevicesSwitchAHalfBridgeAtTheirRatingWithDefaultOptions) {
  struct Device {
    std::string_view part;
    double volts;
  };
  for (const Device& d : {Device{"STP55NF06", 60}, Device{"FQP27P06", 60}, Device{"FQP30N06L", 60},
                          Device{"IRLML6402", 20}, Device{"IPW90R120C3", 900}, Device{"IRFB4110", 100},
                          Device{"FQPF8N60C", 600}, Device{kVirtual600, 600}}) {
    SCOPED_TRACE(d.part);
    WindowState state = d.part == kVirtual600 ? OpenVirtual600() : OpenDevice(std::string(d.part));
    state.setText(control::avalanche_volt, DefaultNumberText(d.volts));
    ASSERT_NO_FATAL_FAILURE(RefineTakingElements(state));
    const NgspiceSubCkt subckt = NgspiceSubCircuit(state);
    ASSERT_TRUE(subckt.ok()) << subckt.problem;
    // The gate charge test's current is the rated current on these datasheets.
    const double amps = PlainReading(state.text(control::IdCharge));
    const bool pmos = state.text(control::Combo1) == "PMOS";
    ChildLimits limits;
    limits.timeout = std::chrono::seconds(60);
    const ChildOutcome run =
        RunChildren(
            {NgspiceBatchRun(HalfBridgeNetlist(subckt.text, std::string(d.part), pmos, d.volts, amps, 10))},
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

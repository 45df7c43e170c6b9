#include "verify/ngspice_netlists.h"

#include <gtest/gtest.h>

#include "golden/start_card.h"
#include "verify/verify_test_support.h"

namespace vdmos {
namespace {

const std::string kStartCardLines = golden::kStartCard + "\r\n";

constexpr std::string_view kControlOpening =
    ".control\r\n"
    "set nobreak\r\n"
    "set width=200\r\n"
    "set numdgt=10\r\n";

constexpr std::string_view kControlClosing =
    "echo @end\r\n"
    "quit\r\n"
    ".endc\r\n"
    ".end";

std::string NetlistOf(Bench bench, const CardTexts& card) {
  WindowState state;
  state.card = card;
  return NgspiceNetlist(bench, card, ReadBenchSetup(state));
}

bool HasLine(const std::string& text, std::string_view line) {
  return text.find("\r\n" + std::string(line) + "\r\n") != std::string::npos;
}

TEST(NgspiceNetlists, TransferBenchWithTheStartValues) {
  const std::string expected =
      std::string(
          "* 20N60C3 transfer characteristic: Id against Vgs at Vds = 50 V\r\n"
          "* Prints the curve, then Id at the plateau point and at the maximum-current point.\r\n"
          "V1 gs 0 0\r\n"
          "V2 d 0 50\r\n"
          "M1 d gs 0 20N60C3\r\n") +
      std::string(kStartCardLines) + std::string(kControlOpening) +
      "dc V1 0 10 0.05\r\n"
      "let vgs = v(gs)\r\n"
      "let id = -i(V2)\r\n"
      "echo @transfer\r\n"
      "print vgs id\r\n"
      "echo @points\r\n"
      "alter V1 dc=5.5\r\n"
      "op\r\n"
      "let id_plat = -i(V2)\r\n"
      "print id_plat\r\n"
      "alter V1 dc=7.5\r\n"
      "op\r\n"
      "let id_max = -i(V2)\r\n"
      "print id_max\r\n" +
      std::string(kControlClosing);
  EXPECT_EQ(NetlistOf(Bench::Transfer, testing::StartCard()), expected);
}

TEST(NgspiceNetlists, GateChargeBenchOfAPChannelCard) {
  // Without parameters the gate current comes from the bound on the charge (1 nC here).
  const std::string expected =
      std::string(
          "* 20N60C3 gate charge: Vgs against the gate charge at Id = 20.7 A and Vds = 480 V\r\n"
          "* I1 drives Id into the drain, which the clamp diode D1 holds at Vds until the transistor\r\n"
          "* takes the current. S1 holds the gate on the source while the start settles; from\r\n"
          "* t = 0.000012 s, Ig charges the gate with 1.3E-06 A: the gate charge\r\n"
          "* is Ig times the time since. Prints qg in nC.\r\n"
          "Vhold hold 0 PWL(0 1 0.00001 1 0.000010001 0)\r\n"
          "S1 g 0 hold 0 gatehold\r\n"
          "Ig 0 g PWL(0 0 0.000012 0 0.000012001 -1.3E-06)\r\n"
          "M1 d g 0 20N60C3\r\n"
          "I1 0 d -20.7\r\n"
          "D1 clamp d dclamp\r\n"
          "V2 clamp 0 -480\r\n"
          ".model gatehold SW(VT=0.5 VH=0.1 RON=1m ROFF=1e15)\r\n"
          ".model dclamp D(IS=1e-10 N=0.05 EG=0 XTI=0)\r\n") +
      golden::kPChannelStartCard + "\r\n.options reltol=1e-5\r\n" + std::string(kControlOpening) +
      "tran 2.5E-07 0.001012 0.000012 2.5E-07\r\n"
      "let qg = (time-0.0000120005)*1300\r\n"
      "let vgs = -v(g)\r\n"
      "echo @gatecharge\r\n"
      "print qg vgs\r\n" +
      std::string(kControlClosing);
  EXPECT_EQ(NetlistOf(Bench::GateCharge, testing::PChannelStartCard()), expected);
}

// The gate charge and capacitance benches set the ngspice subcircuit's gate charge elements
// beside each transistor (the DC benches need none: the elements carry no current at rest).
TEST(NgspiceNetlists, GateChargeElementsStandBesideEachTransistor) {
  WindowState state;
  state.card = testing::PChannelStartCard();
  BenchSetup setup = ReadBenchSetup(state);
  setup.chargeElement = ChargeElement{{2000, 1, 9}, {}, 0.1};
  const auto elementLines = [&](Bench bench) {
    std::vector<std::string> lines;
    const std::string text = NgspiceNetlist(bench, state.card, setup);
    for (std::size_t at = text.find("\r\nCg"); at != std::string::npos; at = text.find("\r\nCg", at + 2))
      lines.push_back(text.substr(at + 2, text.find(' ', at + 2) - at - 2) + " " +
                      text.substr(text.find(' ', at + 2) + 1, 3));
    return lines;
  };
  EXPECT_EQ(elementLines(Bench::GateCharge), (std::vector<std::string>{"Cgdq1 d g"}));
  EXPECT_EQ(elementLines(Bench::Capacitance), (std::vector<std::string>{"Cgdq1 d1 ", "Cgdq2 d2 "}));
  // Behind the gate resistance, which leaves the card, as in the subcircuit.
  const std::string gateCharge = NgspiceNetlist(Bench::GateCharge, state.card, setup);
  EXPECT_NE(gateCharge.find("\r\nM1 d gi1 0 20N60C3\r\nRgi1 g gi1 0.54\r\n"), std::string::npos);
  EXPECT_EQ(gateCharge.find("RG="), std::string::npos);
  EXPECT_NE(NgspiceNetlist(Bench::Transfer, state.card, setup).find(" RG=0.54 "), std::string::npos);
  EXPECT_TRUE(elementLines(Bench::Transfer).empty());
  EXPECT_TRUE(elementLines(Bench::Output).empty());
  setup.chargeElement.reset();
  EXPECT_TRUE(elementLines(Bench::GateCharge).empty());
}

// The model check runs these benches in ngspice and compares the values; this names the
// P-channel lines whose sign would break first.
TEST(NgspiceNetlists, PChannelBenchesTurnTheirSweepsAndCurrents) {
  const std::string output = NetlistOf(Bench::Output, testing::PChannelStartCard());
  for (const std::string_view line :
       {"foreach vg -1 -2 -3 -4 -5 -5.5 -6 -7 -8 -9 -10", "dc V2 0 -25 -0.25", "let id = i(V2)",
        "alter V2 dc=-0.1", "dc V2 0 1.8 0.003", "let vsd = v(d)", "let isd = -i(V2)"}) {
    EXPECT_TRUE(HasLine(output, line)) << line;
  }
}

}  // namespace
}  // namespace vdmos

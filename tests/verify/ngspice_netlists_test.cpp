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
  const std::string expected =
      std::string(
          "* 20N60C3 gate charge: Vgs against the gate charge at Id = 20.7 A and Vds = 480 V\r\n"
          "* The gate ramps to -15 V in 1 ms. I1 drives Id into the drain, which the clamp diode D1\r\n"
          "* holds at Vds until the transistor takes the current. Bq integrates the gate current\r\n"
          "* on the 1 F capacitor Cq, so v(qg) is the gate charge in coulombs. Prints qg in nC.\r\n"
          "V1 gs 0 PWL(0 0 1m -15)\r\n"
          "M1 d gs 0 20N60C3\r\n"
          "I1 d 0 20.7\r\n"
          "D1 clamp d dclamp\r\n"
          "V2 clamp 0 -480\r\n"
          "Bq 0 qg I=i(V1)\r\n"
          "Cq qg 0 1\r\n"
          "Rq qg 0 1G\r\n"
          ".model dclamp D(IS=1e-10 N=0.05)\r\n") +
      golden::kPChannelStartCard + "\r\n" + std::string(kControlOpening) +
      "tran 1u 1m 0 1u\r\n"
      "let qg = v(qg)*1e9\r\n"
      "let vgs = -v(gs)\r\n"
      "echo @gatecharge\r\n"
      "print qg vgs\r\n" +
      std::string(kControlClosing);
  EXPECT_EQ(NetlistOf(Bench::GateCharge, testing::PChannelStartCard()), expected);
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

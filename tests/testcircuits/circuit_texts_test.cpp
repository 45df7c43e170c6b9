// The lines a typed field changes. The export tests compare the start values' files of both
// forms byte for byte, so line counts and the PMOS signs are pinned there.

#include "testcircuits/circuit_texts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "circuit_test_support.h"
#include "model/control_names.h"
#include "testcircuits/circuit_inputs.h"

namespace vdmos {
namespace {

using testing::StartValueState;
using Builder = std::string (*)(const CircuitInputs&);

bool HasLine(const std::string& text, const std::string& line) {
  return ("\r\n" + text + "\r\n").find("\r\n" + line + "\r\n") != std::string::npos;
}

// Field texts reach the simulator as typed but for a sign: they are magnitudes, as P-channel
// datasheets print them negative, and the PMOS form puts "-" before them.
TEST(CircuitTexts, FieldTextsAsTyped) {
  struct Row {
    const char* fetType;
    const char* field;
    const char* typed;
    Builder builder;
    std::string line;
  };
  const Row rows[] = {
      {"NMOS", control::rdsonVgs, "", IdVgsSchematic, "TEXT -136 232 Left 0 !.dc V1 0  0.01"},
      {"NMOS", control::TextBoxVdsTest, "540m", IdVgsSchematic, "TEXT -136 280 Left 0 !.param vds=540m"},
      {"NMOS", control::VdsRange, "4,5", IdVdsVgsSchematic,
       "TEXT -136 280 Left 0 !.param vds=4,5\\n.step param Vgs 0 10 1"},
      {"PMOS", control::VdCharge, "-480", GateChargeSchematic, "TEXT 8 136 Left 0 !.param Id=-20.7 Vds=-480"},
      {"PMOS", control::IdCharge, "+16", GateChargeSchematic, "TEXT 8 136 Left 0 !.param Id=-16 Vds=-480"},
      {"NMOS", control::TextBoxVdsTest, "-50", IdVgsSchematic, "TEXT -136 280 Left 0 !.param vds=50"},
      {"NMOS", control::Text20, "IRF 540 N", CxssSchematic, "SYMATTR Value IRF 540 N"},
  };
  for (const Row& row : rows) {
    WindowState state = StartValueState(row.fetType);
    state.setText(row.field, row.typed);
    EXPECT_TRUE(HasLine(row.builder(ReadCircuitInputs(state)), row.line)) << row.fetType << ": " << row.line;
  }
}

}  // namespace
}  // namespace vdmos

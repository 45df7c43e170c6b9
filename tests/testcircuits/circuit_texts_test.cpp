// The circuit texts' shape and the lines the PMOS form or a typed field changes. The export
// tests compare whole files byte for byte; these name the property that broke.

#include "testcircuits/circuit_texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "circuit_test_support.h"
#include "testcircuits/circuit_inputs.h"

namespace vdmos {
namespace {

using testing::StartValueState;
using Builder = std::string (*)(const CircuitInputs&);

std::string Build(Builder builder, const WindowState& state) { return builder(ReadCircuitInputs(state)); }

bool HasLine(const std::string& text, const std::string& line) {
  return ("\r\n" + text + "\r\n").find("\r\n" + line + "\r\n") != std::string::npos;
}

TEST(CircuitTexts, LineCountsAndFinalLineBreaksInBothForms) {
  struct Row {
    Builder builder;
    long lines;
    bool endsWithLineBreak;  // the saver adds one more, so the file ends with an empty line
  };
  const Row rows[] = {{IdVgsSchematic, 42, true},       {IdVgsPlotSettings, 13, false},
                      {IdVdsVgsSchematic, 50, true},    {IdVdsVgsPlotSettings, 14, false},
                      {GateChargeSchematic, 84, false}, {GateChargePlotSettings, 14, false},
                      {CxssSchematic, 86, true},        {CxssPlotSettings, 14, true}};
  for (const char* fetType : {"NMOS", "PMOS"}) {
    for (std::size_t i = 0; i < std::size(rows); ++i) {
      const std::string text = Build(rows[i].builder, StartValueState(fetType));
      const bool endsWithLineBreak = text.ends_with("\r\n");
      EXPECT_EQ(std::count(text.begin(), text.end(), '\n') + !endsWithLineBreak, rows[i].lines)
          << fetType << i;
      EXPECT_EQ(endsWithLineBreak, rows[i].endsWithLineBreak) << fetType << " row " << i;
    }
  }
}

// The lines a sign flip or a typed field text would break first. Field texts reach the
// simulator exactly as typed; the PMOS form only puts "-" before them, even before a "-".
TEST(CircuitTexts, SignsAndFieldTextsAsTyped) {
  struct Row {
    const char* fetType;
    const char* field;  // nullptr: the start values
    const char* typed;
    Builder builder;
    std::string line;
  };
  const Row rows[] = {
      {"NMOS", nullptr, "", IdVgsPlotSettings, "traces: 1 {34603010,0,\" Id(M1)\"}"},
      {"PMOS", nullptr, "", IdVgsPlotSettings, "traces: 1 {34603010,0,\"-Id(M1)\"}"},
      {"PMOS", nullptr, "", IdVdsVgsPlotSettings, "      Parametric: \"-v(d)\" "},
      {"PMOS", nullptr, "", GateChargePlotSettings, "      traces: 1 {268959747,0,\"-V(gs)\"}"},
      {"PMOS", nullptr, "", GateChargeSchematic, "SYMATTR Value PWL(0 0 1m -15)"},
      {"NMOS", nullptr, "", CxssSchematic, "SYMATTR Value { VDS}"},
      {"PMOS", nullptr, "", CxssSchematic, "SYMATTR Value {-VDS}"},
      {"PMOS", nullptr, "", CxssPlotSettings, "      PltMag: 1"},
      {"NMOS", "rdsonVgs", "", IdVgsSchematic, "TEXT -136 232 Left 0 !.dc V1 0  0.01"},
      {"NMOS", "TextBoxVdsTest", "540m", IdVgsSchematic, "TEXT -136 280 Left 0 !.param vds=540m"},
      {"NMOS", "VdsRange", "4,5", IdVdsVgsSchematic,
       "TEXT -136 280 Left 0 !.param vds=4,5\\n.step param Vgs 0 10 1"},
      {"PMOS", "VdCharge", "-480", GateChargeSchematic, "TEXT 8 136 Left 0 !.param Id=-20.7 Vds=--480"},
      {"NMOS", "Text20", "IRF 540 N", CxssSchematic, "SYMATTR Value IRF 540 N"},
  };
  for (const Row& row : rows) {
    WindowState state = StartValueState(row.fetType);
    if (row.field) state.setText(row.field, row.typed);
    EXPECT_TRUE(HasLine(Build(row.builder, state), row.line)) << row.fetType << ": " << row.line;
  }
}

}  // namespace
}  // namespace vdmos

// The circuit texts checked line by line against the listings: line counts, which texts end
// with a line break, and the lines that differ between the NMOS and PMOS forms or carry a
// field as typed. The whole files are compared byte for byte in the export tests.

#include "testcircuits/circuit_texts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "circuit_test_support.h"
#include "testcircuits/circuit_inputs.h"

namespace vdmos {
namespace {

using testing::StartValueState;
using Builder = std::string (*)(const CircuitInputs&);

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  lines.push_back(text.substr(start));
  return lines;
}

struct KeyLine {
  std::size_t number;  // counted from 1
  std::string text;
};

struct ShapeRow {
  std::string name;
  std::string fetType;
  Builder builder;
  std::size_t lineCount;
  bool endsWithLineBreak;
  std::vector<KeyLine> keyLines;
};

void PrintTo(const ShapeRow& row, std::ostream* os) { *os << row.name; }

class CircuitShape : public ::testing::TestWithParam<ShapeRow> {};

TEST_P(CircuitShape, HasItsLinesAndEnding) {
  const ShapeRow& row = GetParam();
  const std::string text = row.builder(ReadCircuitInputs(StartValueState(row.fetType)));
  std::vector<std::string> lines = SplitLines(text);
  const bool endsWithLineBreak = text.ends_with("\r\n");
  if (endsWithLineBreak) lines.pop_back();
  EXPECT_EQ(endsWithLineBreak, row.endsWithLineBreak);
  ASSERT_EQ(lines.size(), row.lineCount);
  for (const KeyLine& key : row.keyLines) EXPECT_EQ(lines[key.number - 1], key.text) << "line " << key.number;
}

INSTANTIATE_TEST_SUITE_P(
    StartValues, CircuitShape,
    ::testing::Values(
        ShapeRow{"IdVgsSchematicNmos",
                 "NMOS",
                 IdVgsSchematic,
                 42,
                 true,
                 {{22, "SYMATTR Value PWL(0 0 1 10)"},
                  {28, "TEXT -136 232 Left 0 !.dc V1 0 10 0.01"},
                  {38, "SYMBOL NMOS 64 448 R0"},
                  {41, "TEXT -136 280 Left 0 !.param vds=50"}}},
        ShapeRow{"IdVgsSchematicPmos",
                 "PMOS",
                 IdVgsSchematic,
                 42,
                 true,
                 {{22, "SYMATTR Value PWL(0 0 1 -10)"},
                  {28, "TEXT -136 232 Left 0 !.dc V1 0 -10 0.01"},
                  {38, "SYMBOL PMOS 64 448 R0"},
                  {41, "TEXT -136 280 Left 0 !.param vds=-50"}}},
        ShapeRow{"IdVgsPlotNmos",
                 "NMOS",
                 IdVgsPlotSettings,
                 13,
                 false,
                 {{3, "Npanes: 1"}, {5, "traces: 1 {34603010,0,\" Id(M1)\"}"}, {12, "}"}}},
        ShapeRow{"IdVgsPlotPmos",
                 "PMOS",
                 IdVgsPlotSettings,
                 13,
                 false,
                 {{5, "traces: 1 {34603010,0,\"-Id(M1)\"}"}}},
        ShapeRow{"IdVdsVgsSchematicNmos",
                 "NMOS",
                 IdVdsVgsSchematic,
                 50,
                 true,
                 {{26, "WINDOW 3 -187 111 Left 0"},
                  {37, "TEXT -136 280 Left 0 !.param vds=25\\n.step param Vgs 0 10 1"},
                  {50, "LINE Normal 858 636 474 636"}}},
        ShapeRow{"IdVdsVgsSchematicPmos",
                 "PMOS",
                 IdVdsVgsSchematic,
                 50,
                 true,
                 {{29, "SYMBOL PMOS 64 448 R0"},
                  {37, "TEXT -136 280 Left 0 !.param vds=-25\\n.step param Vgs 0 -10 1"}}},
        ShapeRow{"IdVdsVgsPlotNmos",
                 "NMOS",
                 IdVdsVgsPlotSettings,
                 14,
                 false,
                 {{3, "   Npanes: 1"},
                  {5, "      traces: 1 {303038466,0,\" Id(M1)\"}"},
                  {6, "      Parametric: \" v(d)\" "},
                  {13, "   }"}}},
        ShapeRow{"IdVdsVgsPlotPmos",
                 "PMOS",
                 IdVdsVgsPlotSettings,
                 14,
                 false,
                 {{5, "      traces: 1 {303038466,0,\"-Id(M1)\"}"}, {6, "      Parametric: \"-v(d)\" "}}},
        ShapeRow{"GateChargeSchematicNmos",
                 "NMOS",
                 GateChargeSchematic,
                 84,
                 false,
                 {{31, "SYMATTR Value PWL(0 0 1m 15)"},
                  {40, "SYMBOL diode 640 432 R270"},
                  {44, "SYMBOL voltage 736 496 R0"},
                  {59, "TEXT 8 136 Left 0 !.param Id=20.7 Vds=480"},
                  {69, "LINE Normal 936 440 1304 440 2"},
                  {84, "LINE Normal 1048 648 1064 632"}}},
        ShapeRow{"GateChargeSchematicPmos",
                 "PMOS",
                 GateChargeSchematic,
                 84,
                 false,
                 {{31, "SYMATTR Value PWL(0 0 1m -15)"},
                  {40, "SYMBOL diode 704 400 R90"},
                  {59, "TEXT 8 136 Left 0 !.param Id=-20.7 Vds=-480"}}},
        ShapeRow{
            "GateChargePlotNmos",
            "NMOS",
            GateChargePlotSettings,
            14,
            false,
            {{5, "      traces: 1 {268959747,0,\" V(gs)\"}"}, {6, "      Parametric: \" V(qg)/1V*1A*1s\" "}}},
        ShapeRow{
            "GateChargePlotPmos",
            "PMOS",
            GateChargePlotSettings,
            14,
            false,
            {{5, "      traces: 1 {268959747,0,\"-V(gs)\"}"}, {6, "      Parametric: \"-V(qg)/1V*1A*1s\" "}}},
        ShapeRow{"CxssSchematicNmos",
                 "NMOS",
                 CxssSchematic,
                 86,
                 true,
                 {{2, "SHEET 1 1084 788"},
                  {52, "SYMATTR Value { VDS}"},
                  {67, "SYMATTR Value { VDS}"},
                  {84, "TEXT -376 96 Left 0 !.step param VDS 0.01 25 0.1"}}},
        ShapeRow{"CxssSchematicPmos",
                 "PMOS",
                 CxssSchematic,
                 86,
                 true,
                 {{44, "SYMBOL PMOS 64 144 R0"}, {52, "SYMATTR Value {-VDS}"}, {67, "SYMATTR Value {-VDS}"}}},
        ShapeRow{
            "CxssPlotPmos",
            "PMOS",
            CxssPlotSettings,
            14,
            true,
            {{5, "      traces: 3 {4,0,\"V(coss)/1V\"} {65539,0,\"V(crss)/1V\"} {65538,0,\"V(ciss)/1V\"}"},
             {12, "      PltMag: 1"},
             {13, "   }"},
             {14, "}"}}}),
    [](const ::testing::TestParamInfo<ShapeRow>& info) { return info.param.name; });

// Field texts reach the simulator exactly as typed; the PMOS form only puts "-" before them.
struct FieldRow {
  std::string name;
  std::string fetType;
  std::string field;
  std::string typed;
  Builder builder;
  KeyLine expected;
};

void PrintTo(const FieldRow& row, std::ostream* os) { *os << row.name; }

class FieldText : public ::testing::TestWithParam<FieldRow> {};

TEST_P(FieldText, IsWrittenAsTyped) {
  const FieldRow& row = GetParam();
  WindowState state = StartValueState(row.fetType);
  state.setText(row.field, row.typed);
  const std::vector<std::string> lines = SplitLines(row.builder(ReadCircuitInputs(state)));
  ASSERT_GE(lines.size(), row.expected.number);
  EXPECT_EQ(lines[row.expected.number - 1], row.expected.text);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, FieldText,
    ::testing::Values(FieldRow{"EmptyGateVoltageLeavesTwoSpaces",
                               "NMOS",
                               "rdsonVgs",
                               "",
                               IdVgsSchematic,
                               {28, "TEXT -136 232 Left 0 !.dc V1 0  0.01"}},
                      FieldRow{"EmptyGateVoltageInTheStep",
                               "NMOS",
                               "rdsonVgs",
                               "",
                               IdVdsVgsSchematic,
                               {37, "TEXT -136 280 Left 0 !.param vds=25\\n.step param Vgs 0  1"}},
                      FieldRow{"EmptyDrainCurrent",
                               "NMOS",
                               "IdCharge",
                               "",
                               GateChargeSchematic,
                               {59, "TEXT 8 136 Left 0 !.param Id= Vds=480"}},
                      FieldRow{"ScaleSuffix",
                               "NMOS",
                               "TextBoxVdsTest",
                               "540m",
                               IdVgsSchematic,
                               {41, "TEXT -136 280 Left 0 !.param vds=540m"}},
                      FieldRow{"DecimalComma",
                               "NMOS",
                               "VdsRange",
                               "4,5",
                               IdVdsVgsSchematic,
                               {37, "TEXT -136 280 Left 0 !.param vds=4,5\\n.step param Vgs 0 10 1"}},
                      FieldRow{"NegativeNmosFieldAsTyped",
                               "NMOS",
                               "TextBoxVdsTest",
                               "-50",
                               IdVgsSchematic,
                               {41, "TEXT -136 280 Left 0 !.param vds=-50"}},
                      FieldRow{"NegativePmosFieldGetsSecondMinus",
                               "PMOS",
                               "rdsonVgs",
                               "-10",
                               IdVgsSchematic,
                               {22, "SYMATTR Value PWL(0 0 1 --10)"}},
                      FieldRow{"NegativePmosChargeVoltage",
                               "PMOS",
                               "VdCharge",
                               "-480",
                               GateChargeSchematic,
                               {59, "TEXT 8 136 Left 0 !.param Id=-20.7 Vds=--480"}},
                      FieldRow{"ModelNameWithSpaces",
                               "NMOS",
                               "Text20",
                               "IRF 540 N",
                               CxssSchematic,
                               {61, "SYMATTR Value IRF 540 N"}}),
    [](const ::testing::TestParamInfo<FieldRow>& info) { return info.param.name; });

}  // namespace
}  // namespace vdmos

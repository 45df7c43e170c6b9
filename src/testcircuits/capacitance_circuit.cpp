// The capacitance bench: an AC analysis at the angular frequency 1000/s, stepped over the
// drain voltage VDS. M1 is driven at its drain (V1) and M2 at its gate (V4); H1, H2 and H3
// give -1e-3 times the currents of V1, V2 and V4, which at that frequency equal the output,
// reverse transfer and input capacitances in farads (nets Coss, Crss, Ciss).

#include "testcircuits/bench_parts.h"
#include "testcircuits/circuit_texts.h"
#include "testcircuits/plot_settings.h"

namespace vdmos {
namespace {

constexpr Wire kWires[] = {
    {512, 96, 480, 96},   {176, 112, 112, 112}, {256, 112, 176, 112}, {480, 128, 480, 96},
    {112, 144, 112, 112}, {64, 224, -16, 224},  {256, 224, 256, 112}, {-16, 240, -16, 224},
    {480, 240, 480, 208}, {512, 304, 480, 304}, {-16, 336, -16, 320}, {112, 336, 112, 240},
    {256, 336, 256, 304}, {480, 336, 480, 304}, {176, 432, 112, 432}, {256, 432, 176, 432},
    {480, 448, 480, 416}, {112, 464, 112, 432}, {512, 512, 480, 512}, {64, 544, -16, 544},
    {256, 544, 256, 432}, {480, 544, 480, 512}, {-16, 560, -16, 544}, {-16, 656, -16, 640},
    {112, 656, 112, 560}, {256, 656, 256, 624}, {480, 656, 480, 624}};

constexpr Flag kFlags[] = {{112, 336, "0"},    {-16, 336, "0"},   {256, 336, "0"}, {176, 112, "d1"},
                           {112, 656, "0"},    {-16, 656, "0"},   {256, 656, "0"}, {176, 432, "d2"},
                           {480, 240, "0"},    {480, 448, "0"},   {480, 656, "0"}, {512, 96, "Coss"},
                           {512, 304, "Crss"}, {512, 512, "Ciss"}};

constexpr Window kAcSourceWindows[] = {{123, 24, 132, "Left"}, {39, 0, 0, "Left"}};

// The drain voltage is stepped to this many volts whatever the capacitance page says.
constexpr int kStepEndVolts = 25;

}  // namespace

std::string CxssSchematic(const CircuitInputs& in) {
  const std::string drainVoltage = "{" + in.traceSign + "VDS}";
  Schematic asc(1084, 788);
  asc.Wires(kWires);
  asc.Flags(kFlags);
  AddTransistor(asc, in, {64, 144, "R0"}, "M1");
  asc.Symbol("voltage", {256, 208, "R0"}, kAcSourceWindows,
             {{"Value2", "AC 1"}, {"InstName", "V1"}, {"Value", drainVoltage}});
  asc.Symbol("voltage", {-16, 224, "R0"}, kAcSourceWindows,
             {{"Value2", "AC 0"}, {"InstName", "V2"}, {"Value", "0"}});
  AddTransistor(asc, in, {64, 464, "R0"}, "M2");
  asc.Symbol("voltage", {256, 528, "R0"}, kAcSourceWindows,
             {{"Value2", "AC 0"}, {"InstName", "V3"}, {"Value", drainVoltage}});
  asc.Symbol("voltage", {-16, 544, "R0"}, kAcSourceWindows,
             {{"Value2", "AC 1"}, {"InstName", "V4"}, {"Value", "0"}});
  asc.Symbol("h", {480, 112, "R0"}, {}, {{"InstName", "H1"}, {"Value", "V1 -1e-3"}});
  asc.Symbol("h", {480, 320, "R0"}, {}, {{"InstName", "H2"}, {"Value", "V2 -1e-3"}});
  asc.Symbol("h", {480, 528, "R0"}, {}, {{"InstName", "H3"}, {"Value", "V4 -1e-3"}});
  asc.Directive(-376, -8, in.card);
  asc.Directive(-376, 96, ".step param VDS 0.01 " + std::to_string(kStepEndVolts) + " 0.1");
  asc.Directive(-376, 120, ".ac list {1e3/2/pi} ; jw=1e3");
  asc.Comment(-368, -80, "MOSFET Capacitances Versus Drain-Source Voltage");
  return asc.Text(Ending::WithLineBreak);
}

std::string CxssPlotSettings(const CircuitInputs&) {
  // The capacitances are positive in both forms, so the traces carry no sign.
  return PlotSettingsText(
      {.section = "[AC Analysis]",
       .traces = {{4, "V(coss)/1V"}, {65539, "V(crss)/1V"}, {65538, "V(ciss)/1V"}},
       .parametric = std::nullopt,
       .scales = {"X: (' ',0,0,3,25)", "Y[0]: ('n',0,0,1e-009,1.6e-008)", "Y[1]: (' ',3,-100,20,100)",
                  "Volts: ('n',0,0,0,-6e-009,2e-009,2e-008)"},
       .plotMagnitude = true,
       .indent = PlotIndent::Nested,
       .ending = Ending::WithLineBreak});
}

}  // namespace vdmos

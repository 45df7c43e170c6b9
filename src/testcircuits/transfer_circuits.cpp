// The transfer and output characteristics share one bench: V1 drives the gate (net gs), V2
// the drain (net d), and M1 has its source on ground.

#include "testcircuits/bench_parts.h"
#include "testcircuits/circuit_texts.h"
#include "testcircuits/plot_settings.h"

namespace vdmos {
namespace {

constexpr Wire kBenchWires[] = {{256, 400, 112, 400}, {320, 400, 256, 400}, {112, 448, 112, 400},
                                {320, 480, 320, 400}, {-32, 528, -96, 528}, {64, 528, -32, 528},
                                {-96, 560, -96, 528}, {-96, 672, -96, 640}, {112, 672, 112, 544},
                                {320, 672, 320, 560}};

constexpr Flag kBenchFlags[] = {
    {-96, 672, "0"}, {112, 672, "0"}, {-32, 528, "gs"}, {256, 400, "d"}, {320, 672, "0"}};

constexpr Placement kGateSource = {-96, 544, "R0"};
constexpr Placement kDrainSource = {320, 464, "R0"};
constexpr Placement kTransistor = {64, 448, "R0"};

// Axes and the rising transfer curve.
constexpr DrawnLine kTransferSketch[] = {
    {464, 656, 464, 400}, {864, 656, 464, 656}, {584, 656, 472, 656}, {792, 432, 584, 656}};

// Axes and a family of output curves.
constexpr DrawnLine kOutputSketch[] = {{464, 656, 464, 400}, {864, 656, 464, 656}, {584, 656, 472, 656},
                                       {560, 416, 464, 656}, {864, 416, 560, 416}, {859, 468, 539, 468},
                                       {858, 511, 522, 511}, {861, 545, 509, 545}, {864, 576, 496, 576},
                                       {868, 609, 484, 609}, {858, 636, 474, 636}};

// The drain ramp also places the display of its value (attribute 3), away from the symbol.
constexpr Window kRampSourceWindows[] = {{123, 0, 0, "Left"}, {39, 0, 0, "Left"}, {3, -187, 111, "Left"}};

Schematic BenchSchematic() {
  Schematic asc(2828, 1468);
  asc.Wires(kBenchWires);
  asc.Flags(kBenchFlags);
  return asc;
}

}  // namespace

std::string IdVgsSchematic(const CircuitInputs& in) {
  Schematic asc = BenchSchematic();
  asc.Symbol("voltage", kGateSource, kSourceWindows,
             {{"InstName", "V1"}, {"Value", "PWL(0 0 1 " + in.rdsonVgs + ")"}});
  asc.Symbol("voltage", kDrainSource, kSourceWindows, {{"InstName", "V2"}, {"Value", "{vds}"}});
  asc.Directive(-136, 232, ".dc V1 0 " + in.rdsonVgs + " 0.01");
  asc.Comment(408, 432, "Id");
  asc.Comment(832, 680, "Vgs");
  asc.Directive(-136, 256, ".options plotwinsize=0");
  asc.Comment(16, 376, "VDMOS model");
  asc.Comment(200, 232, "Plot d(Id(M1)) vs Id(m1) for Gfs.");
  asc.Lines(kTransferSketch);
  AddTransistor(asc, in, kTransistor, "M1");
  asc.Directive(-136, 280, ".param vds=" + in.vdsTest);
  asc.Directive(-120, 736, in.card);
  return asc.Text(Ending::WithLineBreak);
}

std::string IdVgsPlotSettings(const CircuitInputs& in) {
  return PlotSettingsText({.section = "[DC transfer characteristic]",
                           .traces = {{34603010, in.traceSign + "Id(M1)"}},
                           .parametric = std::nullopt,
                           .scales = {"X: (' ',0,0,1,10)", "Y[0]: (' ',0,0,10,150)",
                                      "Y[1]: ('_',0,1e+308,0,-1e+308)", "Amps: (' ',0,0,0,0,10,150)"},
                           .plotMagnitude = false,
                           .indent = PlotIndent::Flat,
                           .ending = Ending::WithoutLineBreak});
}

std::string IdVdsVgsSchematic(const CircuitInputs& in) {
  Schematic asc = BenchSchematic();
  asc.Symbol("voltage", kGateSource, kSourceWindows, {{"InstName", "V1"}, {"Value", "{vgs}"}});
  asc.Symbol("voltage", kDrainSource, kRampSourceWindows,
             {{"InstName", "V2"}, {"Value", "PWL(0 0 1 {Vds})"}});
  AddTransistor(asc, in, kTransistor, "M1");
  asc.Directive(-136, 232, ".tran 1");
  asc.Comment(408, 432, "Id");
  asc.Comment(832, 680, "Vds");
  asc.Directive(-136, 256, ".options plotwinsize=0");
  asc.Comment(16, 376, "VDMOS model");
  asc.Directive(-136, 280, ".param vds=" + in.vdsRange + "\\n.step param Vgs 0 " + in.rdsonVgs + " 1");
  asc.Directive(-120, 736, in.card);
  asc.Comment(792, 488, "Vgs");
  asc.Lines(kOutputSketch);
  return asc.Text(Ending::WithLineBreak);
}

std::string IdVdsVgsPlotSettings(const CircuitInputs& in) {
  // The parametric x expression plots the current against the drain voltage, not time.
  return PlotSettingsText({.section = "[Transient Analysis]",
                           .traces = {{303038466, in.traceSign + "Id(M1)"}},
                           .parametric = in.traceSign + "v(d)",
                           .scales = {"X: (' ',0,0,3,27)", "Y[0]: (' ',0,0,10,150)",
                                      "Y[1]: (' ',0,1e+308,10,-1e+308)", "Amps: (' ',0,0,0,0,10,150)"},
                           .plotMagnitude = false,
                           .indent = PlotIndent::Nested,
                           .ending = Ending::WithoutLineBreak});
}

}  // namespace vdmos

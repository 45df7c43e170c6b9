// The gate charge bench: V1 ramps the gate (net gs); B1 integrates minus the current of V1
// into the gate charge at net qg; B2 draws the constant drain current Id from the drain (net d);
// D1, an ideal diode, clamps the drain to V2, which holds the test voltage Vds.

#include "testcircuits/bench_parts.h"
#include "testcircuits/circuit_texts.h"
#include "testcircuits/plot_settings.h"

namespace vdmos {
namespace {

constexpr Wire kWires[] = {
    {16, 368, 16, 352},   {416, 416, 272, 416}, {608, 416, 416, 416}, {640, 416, 608, 416},
    {736, 416, 704, 416}, {272, 464, 272, 416}, {16, 480, 16, 448},   {608, 512, 608, 416},
    {736, 512, 736, 416}, {80, 544, 16, 544},   {224, 544, 80, 544},  {16, 576, 16, 544},
    {16, 688, 16, 656},   {272, 688, 272, 560}, {608, 688, 608, 592}, {736, 688, 736, 592}};

constexpr Flag kFlags[] = {{608, 688, "0"}, {16, 688, "0"},  {272, 688, "0"}, {16, 480, "0"},
                           {80, 544, "gs"}, {16, 352, "qg"}, {416, 416, "d"}, {736, 688, "0"}};

// Axes, the gate charge curve with its plateau, four guide lines, and the arrows that mark
// the spans labelled Qgs, Qgd, Qg and Vgs.
constexpr DrawnLine kSketch[] = {
    {936, 664, 936, 408},         {1336, 664, 936, 664},        {1064, 528, 936, 664},
    {1192, 512, 1064, 528},       {1336, 424, 1192, 512},       {936, 440, 1304, 440, true},
    {1304, 656, 1304, 440, true}, {1064, 656, 1064, 528, true}, {1192, 656, 1192, 512, true},
    {1096, 632, 1064, 632},       {1192, 632, 1160, 632},       {968, 632, 936, 632},
    {1078, 617, 1064, 632},       {1080, 648, 1064, 632},       {1174, 617, 1192, 632},
    {1176, 648, 1192, 632},       {952, 616, 936, 632},         {952, 648, 936, 632},
    {1032, 632, 1064, 632},       {1048, 616, 1064, 632},       {1048, 648, 1064, 632}};

constexpr Window kCurrentSourceWindows[] = {{0, 24, 88, "Left"}, {3, 24, 0, "Left"}};
constexpr Window kDiodeWindows[] = {{0, 32, 32, "VTop"}, {3, 0, 32, "VBottom"}};

// The clamp diode conducts from the drain towards V2; the PMOS form turns it round.
constexpr Placement kNmosDiode = {640, 432, "R270"};
constexpr Placement kPmosDiode = {704, 400, "R90"};

}  // namespace

std::string GateChargeSchematic(const CircuitInputs& in) {
  const std::string gateDriveEnd = in.pmos ? "-15" : "15";
  Schematic asc(2828, 1468);
  asc.Wires(kWires);
  asc.Flags(kFlags);
  asc.Symbol("voltage", {16, 560, "R0"}, kSourceWindows,
             {{"InstName", "V1"}, {"Value", "PWL(0 0 1m " + gateDriveEnd + ")"}});
  asc.Symbol("bv", {16, 352, "R0"}, {}, {{"InstName", "B1"}, {"Value", "V=idt(-I(V1))"}});
  asc.Symbol("bi", {608, 592, "M180"}, kCurrentSourceWindows, {{"InstName", "B2"}, {"Value", "I={Id}"}});
  asc.Symbol("diode", in.pmos ? kPmosDiode : kNmosDiode, kDiodeWindows, {{"InstName", "D1"}});
  asc.Symbol("voltage", {736, 496, "R0"}, kSourceWindows, {{"InstName", "V2"}, {"Value", "{Vds}"}});
  AddTransistor(asc, in, {224, 464, "R0"}, "M1");
  asc.Directive(8, 192, ".tran 0 1m 0 1u");
  asc.Comment(976, 632, "Qgs");
  asc.Comment(1104, 632, "Qgd");
  asc.Comment(888, 440, "Vgs");
  asc.Comment(1304, 688, "Qg");
  asc.Directive(8, 224, ".options plotwinsize=0");
  asc.Comment(200, 360, "VDMOS model");
  asc.Directive(8, 136, ".param Id=" + in.idCharge + " Vds=" + in.vdCharge);
  asc.Directive(568, 720, ".model d d ron=1m vfwd=0");
  asc.Comment(8, 104, "The Id and Vds value are test conditions specified in the datasheet.");
  asc.Comment(280, 464, "DUT");
  asc.Directive(-40, 768, in.card);
  asc.Lines(kSketch);
  return asc.Text(Ending::WithoutLineBreak);
}

std::string GateChargePlotSettings(const CircuitInputs& in) {
  // The parametric x expression turns the charge voltage at qg into coulombs on the x axis.
  return PlotSettingsText({.section = "[Transient Analysis]",
                           .traces = {{268959747, in.traceSign + "V(gs)"}},
                           .parametric = in.traceSign + "V(qg)/1V*1A*1s",
                           .scales = {"X: ('n',0,0,1e-008,1.4e-007)", "Y[0]: (' ',0,0,2,16)",
                                      "Y[1]: ('_',0,1e+308,0,-1e+308)", "Volts: (' ',0,0,0,0,2,16)"},
                           .plotMagnitude = false,
                           .indent = PlotIndent::Nested,
                           .ending = Ending::WithoutLineBreak});
}

}  // namespace vdmos

#include "verify/ngspice_netlists.h"

#include <numbers>
#include <optional>
#include <vector>

#include "model/card_reading.h"
#include "model/charge_element.h"
#include "model/hot_device.h"
#include "model/model_card.h"
#include "model/numbers.h"
#include "testcircuits/test_circuit_texts.h"
#include "verify/gate_charge_model.h"
#include "verify/verify_texts.h"

namespace vdmos {
namespace {

namespace out = netlist_output;

// The AC method: at this angular frequency a capacitance C driven with 1 V draws 1e3 * C.
constexpr double kAngularFrequency = 1e3;

std::string Num(double value) { return DefaultNumberText(value); }

/// Builds a netlist line by line; Text() joins the lines with CR LF.
class Netlist {
 public:
  Netlist& operator<<(std::string line) {
    lines_.push_back(std::move(line));
    return *this;
  }
  std::string Text() const {
    std::string text;
    for (std::size_t i = 0; i < lines_.size(); ++i) text += (i == 0 ? "" : "\r\n") + lines_[i];
    return text;
  }

 private:
  std::vector<std::string> lines_;
};

/// The bench's voltages and currents with the channel's sign, and the magnitudes ngspice
/// should print.
struct Polarity {
  bool pmos;
  /// A source value: negated for a P-channel device.
  std::string operator()(double value) const { return Num(pmos ? -value : value); }
  /// The magnitude of a node voltage.
  std::string Voltage(std::string_view node) const {
    return std::string(pmos ? "-" : "") + "v(" + std::string(node) + ")";
  }
  /// The magnitude of the current that flows into the drain from the source named, which
  /// feeds the drain.
  std::string DrainCurrent(std::string_view source) const {
    return std::string(pmos ? "" : "-") + "i(" + std::string(source) + ")";
  }
};

/// The values with the channel's sign, each after a blank: the list of a foreach loop.
std::string ValueList(const std::vector<double>& values, const Polarity& sign) {
  std::string list;
  for (const double value : values) list.append(" ").append(sign(value));
  return list;
}

// A card with a nominal temperature is checked at 25 C, the temperature of the datasheet's
// tables, rather than at ngspice's default of 27 C; a card without one stays as it always ran.
void Card(Netlist& n, const CardTexts& card, const std::string& text) {
  n << text;
  if (!card.segment4.empty()) n << ".options temp=" + Num(kRoomCelsius);
}
void Card(Netlist& n, const CardTexts& card) { Card(n, card, ThreeLineCard(card)); }

void ControlOpening(Netlist& n) {
  n << ".control"
    << "set nobreak"
    << "set width=200"
    << "set numdgt=10";
}

void Section(Netlist& n, std::string_view name, std::string_view tag = {}) {
  std::string line = "echo @";
  line += name;
  if (!tag.empty()) line.append(" ").append(tag);
  n << std::move(line);
}

void ControlClosing(Netlist& n) {
  Section(n, out::kEnd);
  n << "quit"
    << ".endc"
    << ".end";
}

void PrintValue(Netlist& n, std::string_view name, const std::string& expression) {
  n << "let " + std::string(name) + " = " + expression << "print " + std::string(name);
}

std::string DcSweep(std::string_view source, const Polarity& sign, const LinearSweep& sweep) {
  return "dc " + std::string(source) + " 0 " + sign(sweep.stop) + " " + sign(sweep.Step());
}

std::string TransferNetlist(const std::string& model, const CardTexts& card, const BenchSetup& s) {
  const Polarity sign{s.pmos};
  Netlist n;
  n << "* " + model + " transfer characteristic: Id against Vgs at Vds = " + Num(s.vdsTest) + " V"
    << "* Prints the curve, then Id at the plateau point and at the maximum-current point.";
  if (s.hot) n << "* Then the curve again at Tj = " + Num(s.hot->celsius) + " C.";
  n << "V1 gs 0 0"
    << "V2 d 0 " + sign(s.vdsTest) << "M1 d gs 0 " + model;
  Card(n, card);
  ControlOpening(n);
  n << DcSweep("V1", sign, s.transferVgs) << "let vgs = " + sign.Voltage("gs")
    << "let id = " + sign.DrainCurrent("V2");
  Section(n, out::kTransferTable);
  n << "print vgs id";
  Section(n, out::kPoints);
  n << "alter V1 dc=" + sign(s.plateauVgs) << "op";
  PrintValue(n, out::kIdPlateau, sign.DrainCurrent("V2"));
  n << "alter V1 dc=" + sign(s.maxVgs) << "op";
  PrintValue(n, out::kIdMax, sign.DrainCurrent("V2"));
  // The hot device's transfer curve comes last, so that the temperature it sets changes nothing
  // before it.
  if (s.hot) {
    n << "option temp=" + Num(s.hot->celsius) << DcSweep("V1", sign, s.transferVgs)
      << "let vgs = " + sign.Voltage("gs") << "let id = " + sign.DrainCurrent("V2");
    Section(n, out::kHotTransferTable);
    n << "print vgs id";
  }
  ControlClosing(n);
  return n.Text();
}

/// The hot check's breakdown diode alone and with a transistor at the rated voltage, beside M1.
void HotDevices(Netlist& n, const std::string& model, const BenchSetup& s) {
  const Polarity sign{s.pmos};
  const HotCheck& hot = *s.hot;
  if (hot.breakdownModel.empty()) return;
  const std::string& diode = hot.breakdownDiode;
  n << "I5 0 bd " + Num(kBreakdownCurrent) << "D5 0 bd " + diode << "V6 dl 0 " + sign(hot.ratedVoltage)
    << "M4 dl 0 0 " + model << (s.pmos ? "D6 dl 0 " : "D6 0 dl ") + diode << hot.breakdownModel;
}

/// The hot check's control lines: the transfer curves at 25 C and hot for the zero-TC point,
/// then every other value at the hot temperature, each analysis on its own.
void HotMeasurements(Netlist& n, const BenchSetup& s) {
  const Polarity sign{s.pmos};
  const HotCheck& hot = *s.hot;
  const std::string temperature = "option temp=" + Num(hot.celsius);
  Section(n, out::kPoints);
  if (hot.ztcVgs) {
    n << "option temp=" + Num(kRoomCelsius) << "alter V2 dc=" + sign(s.vdsTest)
      << DcSweep("V1", sign, s.transferVgs) << "let idroom = " + sign.DrainCurrent("V2")
      << "set roomplot = $curplot" << temperature << DcSweep("V1", sign, s.transferVgs)
      << "let idhot = " + sign.DrainCurrent("V2") << "let idgain = idhot - {$roomplot}.idroom"
      << "let vgate = " + sign.Voltage("gs")
      << "meas dc " + std::string(out::kZtcVgs) + " find vgate when idgain=0 cross=last"
      << "print " + std::string(out::kZtcVgs);
  }
  n << temperature;
  if (hot.rdsOn) {
    n << "alter V1 dc=" + sign(s.rdsonVgs) << "alter V2 dc=" + sign(kRdsOnDrainVoltage) << "op";
    PrintValue(n, out::kIdRdsOnHot, sign.DrainCurrent("V2"));
  }
  if (hot.vsd) {
    const Polarity reverse{!s.pmos};
    n << "alter V1 dc=0" << DcSweep("V2", reverse, s.diodeVsd) << "let vsd = " + reverse.Voltage("d")
      << "let isd = " + reverse.DrainCurrent("V2")
      << "meas dc " + std::string(out::kVsdHot) + " find vsd when isd=" + Num(*hot.isd)
      << "print " + std::string(out::kVsdHot);
  }
  if (!hot.breakdownModel.empty()) {
    n << "op";
    if (hot.breakdown) PrintValue(n, out::kBvHot, "v(bd)");
    if (hot.idss) PrintValue(n, out::kIdssHot, sign.DrainCurrent("V6"));
  }
}

/// The hot threshold on the 25 C threshold's tied twin, at its test current and along its
/// sweep, which passes the hot threshold too: the threshold falls with temperature.
void HotThreshold(Netlist& n, const std::string& model, const BenchSetup& s) {
  n << "option temp=" + Num(s.hot->celsius);
  for (const std::string& line :
       ThresholdMeasurementLines(model, s.pmos, s.vthCurrent, s.thresholdVgs, out::kVthHot).control)
    n << line;
}

std::string OutputNetlist(const std::string& model, const CardTexts& card, const BenchSetup& s) {
  const Polarity sign{s.pmos};
  const std::string gateList = ValueList(s.gateSteps, sign);
  Netlist n;
  n << "* " + model + " output characteristics: Id against Vds for Vgs =" + gateList + " V"
    << "* Prints the curves, Rds(on) at Vgs = " + Num(s.rdsonVgs) +
           " V and Vds = " + Num(kRdsOnDrainVoltage) + " V, Id at the two check points,"
    << "* and the body diode's forward curve (gate on source, drain driven below the source)."
    << "V1 gs 0 0"
    << "V2 d 0 0"
    << "M1 d gs 0 " + model;
  const std::optional<ThresholdMeasurement> threshold =
      s.vthCurrent > 0
          ? std::optional(ThresholdMeasurementLines(model, s.pmos, s.vthCurrent, s.thresholdVgs, out::kVth))
          : std::nullopt;
  if (threshold)
    for (const std::string& line : threshold->elements) n << line;
  if (s.hot) HotDevices(n, model, s);
  Card(n, card);
  ControlOpening(n);
  n << "foreach vg" + gateList << "alter V1 dc=$vg" << DcSweep("V2", sign, s.outputVds)
    << "let vds = " + sign.Voltage("d") << "let id = " + sign.DrainCurrent("V2");
  Section(n, out::kOutputTable, "$vg");
  n << "print vds id"
    << "end";
  Section(n, out::kPoints);
  n << "alter V1 dc=" + sign(s.rdsonVgs) << "alter V2 dc=" + sign(kRdsOnDrainVoltage) << "op";
  PrintValue(n, out::kIdRdsOn, sign.DrainCurrent("V2"));
  PrintValue(n, out::kRdsOn, Num(kRdsOnDrainVoltage) + "/" + std::string(out::kIdRdsOn));
  n << "alter V1 dc=" + sign(s.checkVgs);
  for (std::size_t i = 0; i < s.checkVds.size(); ++i) {
    n << "alter V2 dc=" + sign(s.checkVds[i]) << "op";
    PrintValue(n, out::kIdCheck[i], sign.DrainCurrent("V2"));
  }
  // The body diode: with the gate on the source, the drain is driven below the source.
  const Polarity reverse{!s.pmos};
  n << "alter V1 dc=0" << DcSweep("V2", reverse, s.diodeVsd) << "let vsd = " + reverse.Voltage("d")
    << "let isd = " + reverse.DrainCurrent("V2");
  Section(n, out::kDiodeTable);
  n << "print vsd isd";
  Section(n, out::kPoints);
  for (std::size_t i = 0; i < s.diodePointIsd.size(); ++i) {
    n << "meas dc " + std::string(out::kVsd[i]) + " find vsd when isd=" + Num(s.diodePointIsd[i]);
  }
  for (const std::string_view name : out::kVsd) n << "print " + std::string(name);
  if (s.hot) HotMeasurements(n, s);
  if (threshold) {
    // The hot analyses leave the hot temperature set; the tied twin's "save" keeps only its
    // own vectors from here on, so the threshold comes after every other analysis.
    if (s.hot) n << "option temp=" + Num(kRoomCelsius);
    for (const std::string& line : threshold->control) n << line;
    if (s.hot && s.hot->vgsTh) HotThreshold(n, model, s);
  }
  ControlClosing(n);
  return n.Text();
}

/// The transistor `name` with its source on node 0 and, where the setup has them, the
/// subcircuit's gate charge elements, wired as the subcircuit wires them. Returns the card text
/// the transistor takes.
std::string Transistor(Netlist& n, const BenchSetup& s, const std::string& model, const CardTexts& card,
                       std::string_view name, std::string_view drain, std::string_view gate,
                       std::string_view suffix) {
  TransistorWithElements wired = TransistorWithChargeElements(
      name, drain, gate, "0", model, ThreeLineCard(card), s.chargeElement, !s.pmos, suffix);
  for (std::string& line : wired.lines) n << std::move(line);
  return std::move(wired.card);
}

std::string GateChargeNetlist(const std::string& model, const CardTexts& card, const BenchSetup& s) {
  const Polarity sign{s.pmos};
  const GateChargeTiming time = GateChargeRunTiming();
  const std::string hold = DistinctModelName("gatehold", model), clamp = DistinctModelName("dclamp", model);
  Netlist n;
  n << "* " + model + " gate charge: Vgs against the gate charge at Id = " + Num(s.chargeId) +
           " A and Vds = " + Num(s.chargeVds) + " V"
    << "* I1 drives Id into the drain, which the clamp diode D1 holds at Vds until the transistor"
    << "* takes the current. S1 holds the gate on the source while the start settles; from"
    << "* t = " + Num(time.start) + " s, Ig charges the gate with " + Num(s.gateCurrent) +
           " A: the gate charge"
    << "* is Ig times the time since. Prints qg in nC."
    << "Vhold hold 0 PWL(0 1 " + Num(time.release) + " 1 " + Num(time.release + time.ramp) + " 0)"
    << "S1 g 0 hold 0 " + hold
    << "Ig 0 g PWL(0 0 " + Num(time.start) + " 0 " + Num(time.start + time.ramp) + " " + sign(s.gateCurrent) +
           ")";
  const std::string cardText = Transistor(n, s, model, card, "M1", "d", "g", "1");
  // The clamp is the bench's, not the device's: its saturation current keeps its value at every
  // temperature. By ngspice's law, with its small emission coefficient, it would grow by
  // hundreds of decades at 125 C, and the clamp would hold the drain at Vds whatever the
  // transistor does (no plateau) once a user runs the netlist hot.
  n << "I1 0 d " + sign(s.chargeId) << (s.pmos ? "D1 clamp d " : "D1 d clamp ") + clamp
    << "V2 clamp 0 " + sign(s.chargeVds) << ".model " + hold + " SW(VT=0.5 VH=0.1 RON=1m ROFF=1e15)"
    << ".model " + clamp + " D(IS=1e-10 N=0.05 EG=0 XTI=0)";
  Card(n, card, cardText);
  // The charge is the sum of many small steps of a steep capacitance: a tighter tolerance than
  // the default keeps its error well below the percent the comparison shows.
  n << ".options reltol=1e-5";
  ControlOpening(n);
  n << "tran " + Num(time.step) + " " + Num(time.stop) + " " + Num(time.start) + " " + Num(time.step)
    << "let qg = (time-" + Num(time.start + time.ramp / 2) + ")*" + Num(s.gateCurrent * 1e9)
    << "let vgs = " + sign.Voltage("g");
  Section(n, out::kGateChargeTable);
  n << "print qg vgs";
  ControlClosing(n);
  return n.Text();
}

std::string CapacitanceNetlist(const std::string& model, const CardTexts& card, const BenchSetup& s) {
  const Polarity sign{s.pmos};
  const std::string voltageList = ValueList(s.capacitanceVds, sign);
  const std::string frequency = Num(kAngularFrequency / (2 * std::numbers::pi));
  Netlist n;
  n << "* " + model + " capacitances: Ciss, Coss and Crss against Vds, gate on source"
    << "* Each bias point runs an AC analysis at the angular frequency 1e3 per second, where a"
    << "* capacitance C driven with 1 V draws 1e3 * C. H1 to H3 give -1e-3 times the currents"
    << "* of V1, V2 and V4, so their voltages equal Coss, Crss and Ciss in farads. Prints pF."
    << "V1 d1 0 DC 0 AC 1"
    << "V2 g1 0 DC 0 AC 0";
  Transistor(n, s, model, card, "M1", "d1", "g1", "1");
  n << "V3 d2 0 DC 0 AC 0"
    << "V4 g2 0 DC 0 AC 1";
  const std::string cardText = Transistor(n, s, model, card, "M2", "d2", "g2", "2");
  n << "H1 coss 0 V1 -1e-3"
    << "H2 crss 0 V2 -1e-3"
    << "H3 ciss 0 V4 -1e-3";
  Card(n, card, cardText);
  ControlOpening(n);
  n << "foreach vds" + voltageList << "alter V1 dc=$vds"
    << "alter V3 dc=$vds"
    << "ac lin 1 " + frequency + " " + frequency;
  // The current of a capacitance is imaginary; the real part is the leakage of the junction.
  n << "let " + std::string(out::kCiss) + " = abs(imag(v(ciss)))*1e12"
    << "let " + std::string(out::kCoss) + " = abs(imag(v(coss)))*1e12"
    << "let " + std::string(out::kCrss) + " = abs(imag(v(crss)))*1e12";
  Section(n, out::kCapacitancePoint, "$vds");
  // Each AC analysis leaves a plot, and ngspice's time per pass grows with the plots it holds:
  // a digitized curve of 3,000 voltages took 13 s kept, 0.9 s released after its print.
  n << "print " + std::string(out::kCiss) + " " + std::string(out::kCoss) + " " + std::string(out::kCrss)
    << "destroy"
    << "end";
  ControlClosing(n);
  return n.Text();
}

}  // namespace

ThresholdMeasurement ThresholdMeasurementLines(std::string_view model, bool pmos, double current,
                                               const LinearSweep& sweep, std::string_view printed) {
  const Polarity sign{pmos};
  const std::string name(printed);
  // The channel current of a VDMOS device is its "id", a magnitude for either channel; the
  // terminal current would add the reverse-biased body diode's leakage.
  return {{"Vtied tied 0 0", "Mtied tied tied 0 " + std::string(model)},
          {"save v(tied) @mtied[id]", DcSweep("Vtied", sign, sweep), "let vgs_tied = " + sign.Voltage("tied"),
           "let id_tied = @mtied[id]", "meas dc " + name + " find vgs_tied when id_tied=" + Num(current),
           "print " + name}};
}

std::string_view BenchStem(Bench bench) {
  switch (bench) {
    case Bench::Transfer:
      return kIdVgsStem;
    case Bench::Output:
      return kIdVdsVgsStem;
    case Bench::GateCharge:
      return kGateChargeStem;
    case Bench::Capacitance:
      return kCxssStem;
  }
  return {};
}

std::string_view BenchName(Bench bench) {
  switch (bench) {
    case Bench::Transfer:
      return kTransferBenchName;
    case Bench::Output:
      return kOutputBenchName;
    case Bench::GateCharge:
      return kGateChargeBenchName;
    case Bench::Capacitance:
      return kCapacitanceBenchName;
  }
  return {};
}

std::string NgspiceNetlist(Bench bench, const CardTexts& card, const BenchSetup& setup) {
  const std::string model = CardModelName(card).value_or("");
  switch (bench) {
    case Bench::Transfer:
      return TransferNetlist(model, card, setup);
    case Bench::Output:
      return OutputNetlist(model, card, setup);
    case Bench::GateCharge:
      return GateChargeNetlist(model, card, setup);
    case Bench::Capacitance:
      return CapacitanceNetlist(model, card, setup);
  }
  return {};
}

}  // namespace vdmos

#pragma once
// What the model check takes from the window, read once: the test conditions of the four
// benches, the datasheet values to compare with, and the sweep grids. The model curves and
// the ngspice netlists use the same grids, so both curves share their x values.

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "model/window_state.h"

namespace vdmos {

/// One cell of the capacitance grid: the drain voltage and the three capacitances (pF);
/// a capacitance the grid has no field for is nullopt.
struct CapacitanceGridRow {
  double vds = 0;
  std::optional<double> ciss, coss, crss;
  friend bool operator==(const CapacitanceGridRow&, const CapacitanceGridRow&) = default;
};

/// A sweep from 0 to stop in equal steps, as ngspice's DC sweep runs it.
struct LinearSweep {
  double stop = 0;
  int steps = 0;
  double Step() const { return stop / steps; }
  /// The steps + 1 values 0, Step(), ..., stop; none when stop is not above 0.
  std::vector<double> Values() const;
};

/// The drain current at which V(BR)DSS is given, the gate on the source.
inline constexpr double kBreakdownCurrent = 250e-6;

/// The hot device's check at the hot temperature: the datasheet's values there, each nullopt
/// when not typed.
struct HotCheck {
  double celsius = 0;
  std::optional<double> rdsOn;  ///< Ohm: the Rds(on) ratio times the 25 C Rds(on)
  /// The datasheet's Rds(on) ratios to 25 C as (Tj, ratio): at celsius, then at Tj2, each where
  /// typed.
  std::vector<std::pair<double, double>> rdsOnRatios;
  std::optional<double> vgsTh;  ///< at the 25 C threshold's test current, drain tied to gate
  std::optional<double> vsd, isd;
  std::optional<double> ztcVgs;     ///< at the transfer curve's drain voltage
  std::optional<double> breakdown;  ///< V(BR)DSS
  std::optional<double> idss;       ///< at the rated voltage
  double ratedVoltage = 0;          ///< the 25 C breakdown voltage field
  std::string breakdownDiode;       ///< its model's name, other than the card's
  std::string breakdownModel;       ///< the ngspice breakdown diode when V(BR)DSS or IDSS is checked
};

struct BenchSetup {
  bool pmos = false;  ///< the benches drive a P-channel device with negated voltages

  // Transfer characteristic.
  double vdsTest = 0;                    ///< TextBoxVdsTest
  double plateauVgs = 0, plateauId = 0;  ///< Vplat, Idplat
  double maxVgs = 0, maxId = 0;          ///< Text5, Text4
  LinearSweep transferVgs;               ///< the gate sweep up to the highest gate voltage

  // Gate threshold, with the drain tied to the gate.
  std::optional<double> vth;  ///< Text3; nullopt where the field is empty
  double vthCurrent = 0;      ///< VthCurrent (A); the threshold is measured only when it is above 0
  LinearSweep thresholdVgs;   ///< the tied gate and drain's sweep, past the threshold

  // Output characteristics and on-resistance.
  double rdsonVgs = 0, rdsOn = 0;    ///< rdsonVgs, Text6 (Ohm)
  double checkVgs = 0;               ///< Out_VGS
  std::array<double, 2> checkVds{};  ///< OUT_VDS1, OUT_VDS2
  std::vector<double> gateSteps;     ///< one output curve per gate voltage, ascending
  LinearSweep outputVds;             ///< the drain sweep up to the largest drain voltage

  // Gate charge.
  double chargeId = 0, chargeVds = 0;  ///< IdCharge, VdCharge
  double chargeVgs = 0;                ///< VgCharge: the gate voltage at which Qg is given
  /// The datasheet's Qgs, Qgd and Qg (nC); nullopt where the field is empty.
  std::optional<double> qgs, qgd, qg;
  double gateCurrent = 0;  ///< the simulated test's gate current (A), from the model's charge
  /// The gate charge elements of the ngspice subcircuit, which the gate charge and capacitance
  /// benches set beside each transistor, so that they simulate what the subcircuit holds.
  std::optional<ChargeElement> chargeElement;

  // Capacitances: rows at 0 V, TextVdsMiddle and TextVdsMax.
  std::array<CapacitanceGridRow, 3> grid{};
  std::vector<double> capacitanceVds;  ///< 0, then a geometric sweep, with the grid voltages

  // Body diode forward points (Vsd, Isd) and the source-drain voltage sweep.
  std::array<double, 3> diodePointVsd{}, diodePointIsd{};
  LinearSweep diodeVsd;  ///< beyond the largest forward voltage

  /// The hot device's check, when the hot temperature is typed and usable.
  std::optional<HotCheck> hot = {};

  /// The window's digitized curves as magnitudes along rising x (a P-channel figure may print
  /// negative values). The sweeps reach past their x and the output family and the
  /// capacitance voltages take their gate voltages and drain voltages, so that ngspice's
  /// curves hold every point to compare.
  std::vector<DatasheetCurve> curves;
};

/// Reads the fields of the window by each field's own reading (the test-condition texts
/// that the test circuits copy as typed are read like engineering numbers, as the simulator
/// would). The channel follows the stored card when there is one, otherwise the FET type.
/// Throws ArithmeticFault when a field overflows.
BenchSetup ReadBenchSetup(const WindowState& state);

/// Why the transfer, output and capacitance benches cannot run with these conditions (a sweep
/// with nothing to sweep), as the message to show; nullopt when they can.
std::optional<std::string> BenchSetupProblem(const BenchSetup& setup);

/// Why the gate charge test cannot run with its conditions; nullopt when it can. Apart from the
/// other benches' problems, as a check without it still has rows that stand.
std::optional<std::string> GateChargeSetupProblem(const BenchSetup& setup);

/// The gate voltage the gate charge test and the model's curve run to: past the gate voltage
/// of Qg, so that the rise above it shows.
double GateChargeTop(const BenchSetup& setup);

/// True for voltages too close to tell apart once written with the 15 digits of a netlist.
bool SameVoltage(double a, double b);

/// The gate voltages of the output family: steps of 1 V (more for large gate voltages, so
/// that the family keeps about ten curves) up to rdsonVgs, plus rdsonVgs and the check gate
/// voltage themselves.
std::vector<double> OutputGateSteps(double rdsonVgs, double checkVgs);

}  // namespace vdmos

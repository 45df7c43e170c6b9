#pragma once
// The datasheet points as the refinement weighs them, in their groups, and the model's value
// at each, computed exactly as the simulator's VDMOS model computes them. The refinement
// minimises the relative errors at these points; the switch advice compares them.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "extract/threshold.h"
#include "model/model_card.h"
#include "model/window_state.h"
#include "verify/bench_setup.h"
#include "verify/datasheet_points.h"
#include "verify/gate_charge_model.h"
#include "verify/gate_charge_reading.h"
#include "verify/model_curves.h"

namespace vdmos {

/// The gate charge test and the charges the datasheet gives under it (nC), as typed: whether
/// they can be met at all is for the refinement to judge.
struct GateChargePoints {
  GateChargeTest test;
  double vg = 0;  ///< the gate voltage of Qg
  std::vector<DatasheetPoint> charges;
  /// The digitized gate charge curve, one target beside the charges; nullopt without one.
  std::optional<DatasheetPoint> curve = std::nullopt;
  /// The user ranks the charges above the capacitance points, which a datasheet reads off its
  /// plots: the refinement meets the charges first where both cannot be met.
  bool first = false;
};

/// The points of the list by the group the refinement weighs them in, each with its value. The
/// DC points (Rds(on) first, then the plateau and the maximum-current point) and the
/// capacitance grid cells hold a value above 0; points the datasheet leaves empty or at 0 are
/// left out. The gate charges are there when the datasheet gives one of them at least.
struct DatasheetPoints {
  std::vector<DatasheetPoint> dc;
  std::vector<DatasheetPoint> capacitance;
  /// The digitized curves the groups are fitted to, each one target (its worst point).
  std::vector<DatasheetPoint> dcCurves, capacitanceCurves;
  std::optional<GateChargePoints> gateCharge;
  /// The body diode's forward points at 25 C and its digitized forward curves: the diode's law
  /// is refined only where a curve asks more of it than the points it was fitted through.
  std::vector<DatasheetPoint> diode, diodeCurves;
  /// The least Vj the junction may take: above 0 for a card simulated hot, whose junction
  /// potential ngspice's temperature law must keep above zero.
  double junctionPotentialFloor = 0;
};
DatasheetPoints DatasheetPointsOf(const BenchSetup& setup);

/// The DC parameters in the N-channel sense: VTO is the threshold magnitude for either channel.
/// KSUBTHRES 0 is the bare square law; a card's parameters carry the slope the simulator uses.
struct DcParameters {
  double KP = 0, VTO = 0, RS = 0, RD = 0, LAMBDA = 0;
  double KSUBTHRES = 0;
};

/// The DC parameters of a parameter set; a P-channel card's negated VTO is turned back.
DcParameters DcParametersOf(const ModelParameterSet& params, bool pmos);

/// The DC parameters as a channel law.
ChannelLaw ChannelLawOf(const DcParameters& p);

/// The drain current magnitude at gate and drain voltage magnitudes, with the voltage drops on
/// RS and RD solved to full precision (the current is the one root of a rising function, so a
/// bisection finds it): the refinement needs a value that moves smoothly with the parameters.
double SolvedDrainCurrent(const DcParameters& p, double vgs, double vds);

/// The model's value at a DC point (the gate threshold's included), and at a capacitance point.
double ModelValueAt(const DcParameters& p, const DatasheetPoint& point);
double ModelValueAt(const CapacitanceParameters& p, const DatasheetPoint& point);
/// The body diode's forward voltage at a forward point.
double ModelValueAt(const DiodeLaw& p, const DatasheetPoint& point);

/// What the gate charge depends on: both parameter groups and the gate resistance.
GateChargeDevice GateChargeDeviceOf(const DcParameters& dc, const CapacitanceParameters& c, double RG);
/// The relative errors of the model's gate charges at the datasheet's; NaN for each when the
/// model's curve cannot be read.
std::vector<double> GateChargeErrors(const GateChargeDevice& device, const GateChargePoints& points);
/// The same along the device's channel path (GateChargePath on points' test up to their gate
/// voltage), for a fit that moves only what prices the path in charge.
std::vector<double> GateChargeErrors(const GateChargeDevice& device, const GateChargePoints& points,
                                     const std::vector<ChannelState>& path);

/// (model - datasheet) / datasheet; the point must hold a value.
double RelativeError(double model, const DatasheetPoint& point);

/// The largest error magnitude at the points and along the curves, as a fraction; nullopt
/// without either.
template <typename Parameters>
std::optional<double> WorstError(const Parameters& p, const std::vector<DatasheetPoint>& points,
                                 const std::vector<DatasheetPoint>& curves = {});

/// The parameters as the card prints them with that precision, read back.
DcParameters PrintedDcParameters(const ModelParameterSet& params, bool pmos, CardPrecision precision);
CapacitanceParameters PrintedCapacitanceParameters(const ModelParameterSet& params, CardPrecision precision);

/// The worst errors of a card's parameters, in percent, taken with every value rounded as the
/// card writes it (with the precision given), so they are what the simulator will show; the
/// gate charges with the ngspice subcircuit's gate charge elements where the set has them.
struct CardErrors {
  /// Over Rds(on) and the transfer points, the points the datasheet drives a current at.
  std::optional<double> worstDcPercent;
  std::optional<double> worstCapacitancePercent;
  std::optional<double> worstGateChargePercent;
  /// Qgs's signed error, where it is typed.
  std::optional<double> qgsPercent = std::nullopt;
  /// The threshold's error magnitude at its test current, where it is a target.
  std::optional<double> thresholdPercent = std::nullopt;
  /// Over the body diode's forward points and curves, where a curve is given.
  std::optional<double> worstDiodePercent = std::nullopt;
  /// The largest of them; nullopt when there are no points at all.
  std::optional<double> WorstPercent() const;
};
CardErrors CardErrorsOf(const ModelParameterSet& params, bool pmos, const DatasheetPoints& points,
                        CardPrecision precision = {});

/// The value the card prints for a value under a digit mask, read back.
double CardRounded(double value, std::string_view mask);
/// The same with the card's digits for the parameter's group.
double CardRounded(double value, std::string_view mask, CardDigits digits);
/// LAMBDA as the card prints it (the model update's field text), read back.
double CardRoundedLambda(double LAMBDA);

}  // namespace vdmos

#pragma once
// The curves a model check draws, whether computed from the model's own equations or read
// back from the simulator. Every value is a magnitude in the datasheet's convention, so a
// P-channel device plots in the same quadrant as an N-channel one.

#include <string>
#include <vector>

namespace vdmos {

struct Point {
  double x = 0;
  double y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

/// One line of a plot. The label tells curves of one plot apart ("Vgs = 5.5 V", "Ciss").
struct Curve {
  std::string label;
  std::vector<Point> points;
};

/// The five characteristics. Units: V, A, pF and nC.
struct Characteristics {
  Curve transfer;             ///< Id (A) against Vgs (V) at the transfer test drain voltage
  std::vector<Curve> output;  ///< Id (A) against Vds (V), one curve per gate voltage
  Curve ciss, coss, crss;     ///< capacitance (pF) against Vds (V), gate on source
  Curve bodyDiode;            ///< Isd (A) against Vsd (V), gate on source
  Curve gateCharge;           ///< Vgs (V) against the gate charge (nC) on the gate charge test
  // The hot device's, empty without a hot junction temperature:
  Curve hotTransfer;  ///< Id (A) against Vgs (V) as transfer, at the hot junction temperature
  /// Rds(on) over its 25 C value against the junction temperature (C), at Rds(on)'s gate voltage.
  Curve rdsOnRatio;
};

/// The datasheet's own points, drawn as markers over the curves (same axes and units).
/// The two check points of the output plot carry the model's current, as the window shows
/// them: the datasheet gives only their voltages.
struct DatasheetMarkers {
  std::vector<Point> transfer;  ///< plateau point, maximum-current point
  std::vector<Point> output;    ///< the two check points at the check gate voltage
  /// The digitized output curves' points: the datasheet's own values, unlike the check points'.
  std::vector<Point> outputCurves;
  std::vector<Point> ciss, coss, crss;  ///< the capacitance grid cells that hold a value
  std::vector<Point> bodyDiode;         ///< (Vsd, Isd) of the three forward points
  /// The datasheet's gate charges where given: (Qgs, Vplat), (Qgs + Qgd, Vplat), (Qg, Vg).
  std::vector<Point> gateCharge;
  /// (Tj, Rds(on) over its 25 C value): 1 at 25 C, then the datasheet's ratios.
  std::vector<Point> rdsOnRatio;
};

}  // namespace vdmos

#pragma once
// The rows of the digitized curves: each point of a curve set beside the model's and
// ngspice's curves at its x, and the row taking the point with the largest error. The model's
// and ngspice's values come from their curves on the same grids by the same lookup, so both
// are read alike.

#include <optional>
#include <vector>

#include "verify/bench_setup.h"
#include "verify/characteristics.h"
#include "verify/datasheet_points.h"
#include "verify/verification_result.h"

namespace vdmos {

/// The value along a curve of rising x at x, by straight lines between its points; nullopt
/// outside the curve or for a curve of fewer than two points.
std::optional<double> ValueAlong(const std::vector<Point>& curve, double x);

/// The transfer curve counts above this share of its largest current: below it a datasheet's
/// logarithmic plot reads currents no square law follows, and a plot digitizer reads them
/// least well.
inline constexpr double kTransferCurveFloor = 1.0 / 30;

/// The datasheet value a point of the curve must pass to count in its worst error: the
/// transfer curve's floor, 0 for the other kinds.
double CountingFloor(const DatasheetPoint& curve);

/// The curve's quantity at x among the characteristics (an on-resistance from the output
/// curve at its gate voltage, as Vds / Id where the current reaches x); nullopt where the
/// characteristics do not reach it.
std::optional<double> CurveValueAt(const Characteristics& curves, const BenchSetup& setup,
                                   const DatasheetPoint& point, double x);

/// A row that stands for a curve and the checks of its points.
struct CurveCheck {
  VerificationRow row;
  std::vector<CurvePointCheck> points;
};

/// The row of a point that stands for a curve (point.curve not empty): its worst point among
/// those that count; every point keeps its own error.
CurveCheck CheckCurve(const DatasheetPoint& point, const BenchSetup& setup, const Characteristics& model,
                      const Characteristics& simulated);

}  // namespace vdmos

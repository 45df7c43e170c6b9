#pragma once
// The datasheet points: every value a datasheet prints that the model is held to, under its
// test condition. The check's rows, the plots' markers and the refinement read this one list,
// so a new point is an entry here and the code that computes the model's value at it.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/datasheet_curves.h"
#include "verify/bench_setup.h"
#include "verify/characteristics.h"
#include "verify/gate_charge_reading.h"
#include "verify/model_curves.h"
#include "verify/ngspice_netlists.h"

namespace vdmos {

enum class PointQuantity {
  RdsOn,
  DrainCurrent,
  Vsd,
  Qgs,
  Qgd,
  Qg,
  Ciss,
  Coss,
  Crss,
  Vgs,
  Isd,
  Vth,
  ZeroTcVgs,
  Breakdown,
  Idss
};

/// The parameters the refinement fits to a point; None for a point it does not weigh.
enum class PointGroup { None, Dc, Capacitance, GateCharge };

struct DatasheetPoint {
  PointQuantity quantity = PointQuantity::DrainCurrent;
  Bench bench = Bench::Transfer;  ///< the ngspice run that measures it
  PointGroup group = PointGroup::None;
  std::string condition;  ///< the test condition as the check's table shows it
  double vgs = 0;         ///< gate voltage magnitude (0 for the capacitances: gate on source)
  double vds = 0;         ///< drain voltage magnitude
  double isd = 0;         ///< the body diode's current (A) of a forward voltage point
  /// The datasheet's value; nullopt where it gives none (the check points, an empty field).
  std::optional<double> value;
  /// The name under which the run prints its value, for the points it prints by name.
  std::string_view printed;
  /// The channel current (A) at which a threshold point is taken; not above 0 when the
  /// test current is unusable, and the point is then not measured.
  double current = 0;
  /// For a row that stands for a digitized curve: the curve's kind and its points as
  /// magnitudes (x, the datasheet's y) along rising x; the row's value is then the worst
  /// point's. Empty for a single point.
  CurveKind curveKind = CurveKind::Transfer;
  std::vector<Point> curve{};
  /// The junction temperature of the point, C: the hot check's points are above 25 C.
  double celsius = kRoomCelsius;
};

/// "Rds(on)", "Id", "Vsd", "Qgs", "Vgs(th)", …
std::string_view QuantityName(PointQuantity quantity);
/// "Ohm", "A", "V", "nC", "pF".
std::string_view QuantityUnit(PointQuantity quantity);

/// Every point of the setup in the order of the check's table: the transfer points, the
/// on-resistance, the gate threshold, the output check points and the body diode's forward
/// points, the gate charges, the capacitance grid row by row, one row per digitized curve,
/// then the hot check's points.
std::vector<DatasheetPoint> DatasheetPointList(const BenchSetup& setup);

/// The value of a capacitance point's quantity among the three.
double CapacitanceOf(const Capacitances& capacitances, PointQuantity quantity);
/// The value of a gate charge point's quantity among the three.
double ChargeOf(const GateCharges& charges, PointQuantity quantity);

}  // namespace vdmos

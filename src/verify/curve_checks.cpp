#include "verify/curve_checks.h"

#include <algorithm>
#include <cmath>

#include "model/numbers.h"
#include "verify/verify_texts.h"

namespace vdmos {
namespace {

/// The curve of the output family at the gate voltage; nullptr when the family has none.
const Curve* OutputAt(const Characteristics& curves, const BenchSetup& s, double vgs) {
  if (curves.output.size() != s.gateSteps.size()) return nullptr;
  for (std::size_t i = 0; i < s.gateSteps.size(); ++i)
    if (SameVoltage(s.gateSteps[i], vgs)) return &curves.output[i];
  return nullptr;
}

/// Vds / Id where the rising output curve first reaches the current id.
std::optional<double> OnResistanceAt(const std::vector<Point>& output, double id) {
  if (!(id > 0)) return std::nullopt;
  for (std::size_t i = 1; i < output.size(); ++i) {
    const Point& a = output[i - 1];
    const Point& b = output[i];
    if (a.y <= id && id <= b.y && b.y > a.y) return (a.x + (b.x - a.x) * (id - a.y) / (b.y - a.y)) / id;
  }
  return std::nullopt;
}

std::optional<double> ErrorPercent(double datasheet, const std::optional<double>& simulated) {
  if (!simulated || datasheet == 0) return std::nullopt;
  return (*simulated - datasheet) / std::abs(datasheet) * 100;
}

}  // namespace

std::optional<double> ValueAlong(const std::vector<Point>& curve, double x) {
  for (std::size_t i = 1; i < curve.size(); ++i) {
    const Point& a = curve[i - 1];
    const Point& b = curve[i];
    if (a.x <= x && x <= b.x) return b.x == a.x ? b.y : a.y + (b.y - a.y) * (x - a.x) / (b.x - a.x);
  }
  return std::nullopt;
}

std::optional<double> CurveValueAt(const Characteristics& c, const BenchSetup& s, const DatasheetPoint& point,
                                   double x) {
  switch (point.curveKind) {
    case CurveKind::Transfer:
      return ValueAlong(c.transfer.points, x);
    case CurveKind::Output:
      if (const Curve* output = OutputAt(c, s, point.vgs)) return ValueAlong(output->points, x);
      return std::nullopt;
    case CurveKind::RdsOn:
      if (const Curve* output = OutputAt(c, s, point.vgs)) return OnResistanceAt(output->points, x);
      return std::nullopt;
    case CurveKind::Ciss:
      return ValueAlong(c.ciss.points, x);
    case CurveKind::Coss:
      return ValueAlong(c.coss.points, x);
    case CurveKind::Crss:
      return ValueAlong(c.crss.points, x);
    case CurveKind::GateCharge:
      return ValueAlong(c.gateCharge.points, x);
    case CurveKind::Diode:
      return ValueAlong(c.bodyDiode.points, x);
  }
  return std::nullopt;
}

double CountingFloor(const DatasheetPoint& curve) {
  if (curve.curveKind != CurveKind::Transfer) return 0;
  double largest = 0;
  for (const Point& point : curve.curve) largest = std::max(largest, point.y);
  return largest * kTransferCurveFloor;
}

CurveCheck CheckCurve(const DatasheetPoint& point, const BenchSetup& s, const Characteristics& model,
                      const Characteristics& simulated) {
  CurveCheck curve;
  VerificationRow& row = curve.row;
  row.quantity = QuantityName(point.quantity);
  row.condition = point.condition;
  row.unit = QuantityUnit(point.quantity);
  for (const Point& p : point.curve) {
    const std::optional<double> simulatedValue = CurveValueAt(simulated, s, point, p.x);
    curve.points.push_back(
        {p.x, p.y, CurveValueAt(model, s, point, p.x), simulatedValue, ErrorPercent(p.y, simulatedValue)});
  }
  const double floor = CountingFloor(point);
  const CurvePointCheck* worst = nullptr;
  for (const CurvePointCheck& check : curve.points) {
    if (check.errorPercent && check.datasheet > floor &&
        (!worst || std::abs(*check.errorPercent) > std::abs(*worst->errorPercent)))
      worst = &check;
  }
  if (!worst) {
    row.note = kCurveNotReachedNote;
    return curve;
  }
  const CurveKindInfo& info = InfoOf(point.curveKind);
  // The condition stays that of the figure, so that the rows of a card and of its fitted card
  // pair up; where the worst point lies is the note's.
  row.note = std::string(kCurveWorstAt) + std::string(info.xName) + " = " + DefaultNumberText(worst->x) +
             " " + std::string(info.xUnit);
  row.datasheet = worst->datasheet;
  row.model = worst->model;
  row.simulated = worst->simulated;
  row.errorPercent = worst->errorPercent;
  return curve;
}

}  // namespace vdmos

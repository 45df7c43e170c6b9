#include "refine/curve_errors.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <optional>

#include "extract/bisection.h"
#include "extract/threshold.h"
#include "refine/minimax_fit.h"
#include "verify/curve_checks.h"

namespace vdmos {
namespace {

constexpr int kBisectionPasses = 100;

/// The largest |model(x) - y| / y over the points that count, as the check counts them.
template <typename Model>
double WorstAlong(const DatasheetPoint& curve, Model model) {
  const double floor = CountingFloor(curve);
  double worst = 0;
  for (const Point& point : curve.curve) {
    if (!(point.y > floor)) continue;
    const double error = std::abs(model(point.x) - point.y) / point.y;
    // A NaN error is as bad as any: it must never hide behind a comparison.
    worst = std::isnan(error) ? INFINITY : std::max(worst, error);
  }
  return worst;
}

/// Rds(on) = Vds / Id where the model drives the current id at the gate voltage. With the
/// current given, its drops on the resistances are known, so one bisection finds the voltage
/// across the channel that carries it: the channel current rises with that voltage.
double OnResistanceAt(const DcParameters& p, double vgs, double id) {
  const ChannelLaw law = ChannelLawOf(p);
  const double gateDrive = vgs - id * p.RS;
  auto current = [&](double channel) { return ChannelCurrent(law, gateDrive, channel); };
  double high = 1;
  for (int pass = 0; pass < kBisectionPasses && current(high) < id; ++pass) high *= 2;
  if (current(high) < id) return INFINITY;
  const double channel = BisectToReach(current, id, 0.0, high, kBisectionPasses,
                                       [](double low, double high) { return high - low > 1e-12 * high; });
  return (channel + id * (p.RS + p.RD)) / id;
}

bool ChargesNeverFall(const std::vector<Point>& curve) {
  for (std::size_t i = 1; i < curve.size(); ++i) {
    if (!(curve[i].x >= curve[i - 1].x)) return false;
  }
  return true;
}

/// ValueAlong on a curve whose charges never fall, by bisection: the first segment that holds
/// x is the one ending at the first charge not below x, if it starts at or below x.
std::optional<double> ValueAlongRising(const std::vector<Point>& curve, double x) {
  const auto end = std::lower_bound(curve.begin() + 1, curve.end(), x,
                                    [](const Point& p, double value) { return p.x < value; });
  if (end == curve.end()) return std::nullopt;
  const Point& a = *std::prev(end);
  const Point& b = *end;
  if (!(a.x <= x)) return std::nullopt;
  return b.x == a.x ? b.y : a.y + (b.y - a.y) * (x - a.x) / (b.x - a.x);
}

}  // namespace

double CurveError(const DcParameters& p, const DatasheetPoint& curve) {
  switch (curve.curveKind) {
    case CurveKind::Transfer:
      return WorstAlong(curve, [&](double vgs) { return SolvedDrainCurrent(p, vgs, curve.vds); });
    case CurveKind::Output:
      return WorstAlong(curve, [&](double vds) { return SolvedDrainCurrent(p, curve.vgs, vds); });
    case CurveKind::RdsOn:
      return WorstAlong(curve, [&](double id) { return OnResistanceAt(p, curve.vgs, id); });
    default:
      return 0;
  }
}

double CurveError(const CapacitanceParameters& p, const DatasheetPoint& curve) {
  return WorstAlong(curve, [&](double vds) { return CapacitanceOf(CapacitancesAt(p, vds), curve.quantity); });
}

std::vector<double> ErrorsAlong(const DiodeLaw& p, const DatasheetPoint& curve) {
  std::vector<double> errors;
  for (const Point& point : curve.curve) {
    // A current beyond a double is as far off as any.
    if (point.y > 0) errors.push_back(p.Current(point.x).value_or(INFINITY) / point.y - 1);
  }
  return errors;
}

double CurveError(const DiodeLaw& p, const DatasheetPoint& curve) { return WorstOf(ErrorsAlong(p, curve)); }

double CurveError(const std::vector<Point>& model, const DatasheetPoint& curve) {
  if (model.empty()) return INFINITY;
  // A fit reads every datasheet point off a fresh model curve: the scan from its start would
  // cost more than the rest of the comparison.
  const bool rising = ChargesNeverFall(model);
  return WorstAlong(curve, [&](double charge) {
    return (rising ? ValueAlongRising(model, charge) : ValueAlong(model, charge))
        .value_or(charge < model.front().x ? model.front().y : model.back().y);
  });
}

}  // namespace vdmos

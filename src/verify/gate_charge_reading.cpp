#include "verify/gate_charge_reading.h"

#include <algorithm>
#include <cmath>

#include "model/numbers.h"

namespace vdmos {
namespace {

// The flattest part is judged over windows of a twentieth of Qg, so that the sampling steps
// of a simulator's curve do not pass for a plateau.
constexpr int kGridPoints = 201;
constexpr int kWindow = 10;
// A plateau is at most this fraction as steep as the rises either side of it.
constexpr double kPlateauSteepness = 0.2;
// The last rise is taken over this share of the way from the plateau up to the gate voltage.
constexpr double kLastRiseShare = 0.2;

double Interpolate(const Point& a, const Point& b, double y) {
  if (b.y == a.y) return b.x;
  return a.x + (b.x - a.x) * (y - a.y) / (b.y - a.y);
}

/// The charge where the curve first reaches y, searching from the start; nullopt if never.
std::optional<double> FirstCrossing(const std::vector<Point>& c, double y) {
  for (std::size_t i = 1; i < c.size(); ++i) {
    if (c[i].y >= y) return Interpolate(c[i - 1], c[i], y);
  }
  return std::nullopt;
}

/// The charge where the curve last rises through y before the charge qEnd.
std::optional<double> LastCrossingBefore(const std::vector<Point>& c, double y, double qEnd) {
  std::optional<double> last;
  for (std::size_t i = 1; i < c.size() && c[i - 1].x < qEnd; ++i) {
    if (c[i - 1].y < y && c[i].y >= y) last = Interpolate(c[i - 1], c[i], y);
  }
  return last;
}

/// The curve's values at equally spaced charges from its start to qEnd.
std::vector<Point> Resampled(const std::vector<Point>& c, double qEnd) {
  std::vector<Point> grid;
  const double q0 = c.front().x;
  std::size_t i = 1;
  for (int k = 0; k < kGridPoints; ++k) {
    const double q = q0 + (qEnd - q0) * k / (kGridPoints - 1);
    while (i + 1 < c.size() && c[i].x < q) ++i;
    const Point& a = c[i - 1];
    const Point& b = c[i];
    grid.push_back({q, b.x == a.x ? b.y : a.y + (b.y - a.y) * (q - a.x) / (b.x - a.x)});
  }
  return grid;
}

struct Plateau {
  double level = 0, slope = 0;
};

Plateau FlattestPart(const std::vector<Point>& grid) {
  Plateau flattest{0, INFINITY};
  for (std::size_t k = 0; k + kWindow < grid.size(); ++k) {
    const Point& a = grid[k];
    const Point& b = grid[k + kWindow];
    const double slope = std::abs(b.y - a.y) / (b.x - a.x);
    if (slope < flattest.slope) flattest = {(a.y + b.y) / 2, slope};
  }
  return flattest;
}

}  // namespace

GateChargeReading ReadGateCharges(const std::vector<Point>& curve, double vg) {
  if (!(vg > 0)) return {std::nullopt, GateChargeProblem::BelowPlateau};
  const std::optional<double> qg = curve.size() < 2 ? std::nullopt : FirstCrossing(curve, vg);
  if (!qg || !(*qg > curve.front().x)) return {std::nullopt, GateChargeProblem::NotReached};

  const Plateau plateau = FlattestPart(Resampled(curve, *qg));
  const double level = plateau.level;
  const std::optional<double> halfway = FirstCrossing(curve, level / 2);
  const double lastRiseFrom = vg - kLastRiseShare * (vg - level);
  const std::optional<double> lastRiseStart = LastCrossingBefore(curve, lastRiseFrom, *qg);
  if (!(level > 0 && level < vg) || !halfway || !(*halfway > 0) || !lastRiseStart || !(*lastRiseStart < *qg))
    return {std::nullopt, GateChargeProblem::BelowPlateau};

  const double firstSlope = (level / 2) / *halfway;
  const double lastSlope = (vg - lastRiseFrom) / (*qg - *lastRiseStart);
  if (!(plateau.slope < kPlateauSteepness * std::min(firstSlope, lastSlope)))
    return {std::nullopt, GateChargeProblem::BelowPlateau};

  GateCharges charges;
  charges.plateau = level;
  // The first rise's line meets the plateau at twice the charge of its halfway point; reading
  // it so, not as level / firstSlope, keeps a rise too steep for a double's slope finite.
  charges.qgs = 2 * *halfway;
  charges.qg = *qg;
  charges.qgd = *qg - (vg - level) / lastSlope - charges.qgs;
  if (!(charges.qgd > 0)) return {std::nullopt, GateChargeProblem::BelowPlateau};
  return {charges, std::nullopt};
}

std::string GateChargeProblemText(GateChargeProblem problem, double vg) {
  const std::string volts = DefaultNumberText(vg) + " V";
  switch (problem) {
    case GateChargeProblem::NotReached:
      return "The gate charge curve does not reach Vgs = " + volts + ", so Qg cannot be read there.";
    case GateChargeProblem::BelowPlateau:
      return "The gate charge curve shows no plateau below Vgs = " + volts +
             ": the gate voltage of Qg must lie above the plateau for Qgs, Qgd and Qg to be read.";
  }
  return {};
}

}  // namespace vdmos

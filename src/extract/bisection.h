#pragma once
// Bisection of an increasing function, ending exactly where a plain bisection ends but with a
// fraction of its evaluations: a secant search (regula falsi with the Illinois step) first
// closes in on the root from both sides, and the bisection then takes every midpoint outside
// that bracket by its position alone. The fits solve the device's drain current this way at
// every point of every curve thousands of times, and their optimisers would follow a different
// path if the solution moved by a bit.

#include <cmath>
#include <limits>
#include <optional>

namespace vdmos {

/// Secant passes spent on the bracket; the bisection's own passes do the rest.
inline constexpr int kBracketPasses = 60;

/// Two points of an increasing f and its values there: a bracket of its root where
/// `fBelow <= 0 < fAbove`.
struct KnownBracket {
  double below, fBelow, above, fAbove;
  bool Holds() const { return fBelow <= 0 && fAbove > 0; }
};

/// Bisects the increasing f on [low, high] as `(f(middle) > 0 ? high : low) = middle` while
/// `wide(low, high)` and at most `passes` times, and returns the last bracket's middle. A caller
/// who already knows a narrower bracket within [low, high] passes it as `start` and saves the
/// secant passes that would find it; one that does not hold costs nothing but the ends' values.
template <typename F, typename Wide>
double BisectIncreasing(F f, double low, double high, int passes, Wide wide,
                        std::optional<KnownBracket> start = std::nullopt) {
  // Where f is at most 0 up to `below` and above 0 from `above` on, a middle outside the two
  // needs no evaluation: an increasing f has the sign there that it has at the nearer one.
  if (!start || !start->Holds()) start = KnownBracket{low, f(low), high, f(high)};
  double below = start->below, above = start->above;
  double fBelow = start->fBelow, fAbove = start->fAbove;
  if (start->Holds()) {
    int kept = 0;  // which end the last pass kept: -1 below, +1 above
    for (int pass = 0; pass < kBracketPasses && wide(below, above); ++pass) {
      double x = above - fAbove * ((above - below) / (fAbove - fBelow));
      // Counted from the end nearer the root, the secant keeps its precision for a root many
      // decades below the bracket's width.
      if (-fBelow < fAbove) x = below + -fBelow * ((above - below) / (fAbove - fBelow));
      if (!(x > below && x < above)) x = below + (above - below) / 2;
      const double fx = f(x);
      if (fx > 0) {
        above = x;
        fAbove = fx;
        // The same end kept twice running: halving its value pulls the next secant across.
        if (kept == -1) fBelow /= 2;
        kept = -1;
      } else if (fx <= 0) {
        below = x;
        fBelow = fx;
        if (kept == 1) fAbove /= 2;
        kept = 1;
      } else {
        break;  // NaN: the bisection evaluates every middle itself
      }
    }
  } else {
    below = low;
    above = high;
  }
  for (int pass = 0; pass < passes && wide(low, high); ++pass) {
    const double middle = low + (high - low) / 2;
    const bool positive = middle >= above ? true : middle <= below ? false : f(middle) > 0;
    (positive ? high : low) = middle;
  }
  return low + (high - low) / 2;
}

/// The bisection `(rising(middle) < target ? low : high) = middle`, which keeps the upper end
/// wherever rising reaches the target or is not a number, on the same fast road: its excess
/// over the target, with a tie or a NaN counted as the least excess above 0.
template <typename Rising, typename Wide>
double BisectToReach(Rising rising, double target, double low, double high, int passes, Wide wide) {
  auto excess = [&](double x) {
    const double value = rising(x);
    if (value < target) return value - target;
    const double above = value - target;
    return above > 0 ? above : std::numeric_limits<double>::denorm_min();
  };
  return BisectIncreasing(excess, low, high, passes, wide);
}

}  // namespace vdmos

#include "refine/charge_element_fit.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "model/numbers.h"
#include "refine/minimax_fit.h"

namespace vdmos {
namespace {

// Every window starts at least this many widths above 0, so that at the capacitance benches
// (gate at or below the drain, gate on the source) an element adds less than exp(-8), 3e-4,
// of its capacitance. ngspice 39 also needs it: a window whose low end is only three or four
// widths above 0 stops a half bridge's first time steps ("timestep too small" at the element's
// internal node) where eight let it run.
constexpr double kLeastWidths = 8;
// Narrower windows stop ngspice's time steps ("timestep too small") in a hard-switched half
// bridge where a tenth of a volt lets it run.
constexpr double kLeastWidth = 0.1, kMostWidth = 0.5;  // V
constexpr double kLeastSpan = 0.1, kMostSpan = 1e3;    // V
constexpr double kElementReach = 100;                  // times the card's largest gate capacitance
constexpr double kLeastElement = 1e-3;                 // pF
constexpr double kGateSourceWanted = 0.005;            // the charge error beyond which Qgs gets a window
constexpr double kIdleWindowCost = 1e-4;               // the charge error a window must save to be kept
constexpr double kInnerDrainWanted = 0.01;             // the charge error RD's sense must save
// A gate-source dip leaves at least half of the card's CGS: the body's MOS capacitance it
// stands for is a part of Cgs, beside the source's overlap and metal.
constexpr double kDeepestDip = 0.5;  // times CGS
// The coarse grid of gate-drain windows: capacitance (times CGDMAX), low end above the floor
// and span (V).
constexpr std::array kGateDrainStarts{1.0, 4.0, 16.0};  // times CGDMAX, over the whole swing
constexpr std::array kGateDrainTimes{0.5, 1.0, 2.0, 4.0, 8.0, 16.0, 32.0};
constexpr std::array kGateDrainLows{0.2, 1.0, 2.0, 4.0};
constexpr std::array kGateDrainSpans{1.0, 3.0, 10.0, 30.0};

FitVariable Variable(double value, double lower, double upper, bool logScale, bool free = true) {
  return {std::clamp(value, lower, upper),
          lower,
          upper,
          logScale,
          [](double v) { return PlainReading(FourSignificantText(v)); },
          0,
          free};
}

enum { kWidth, kCgd, kGdLow, kGdSpan, kCgs, kGsLow, kGsSpan };

/// What the gate-source window does: nothing, add charge, or take it away.
enum class GateSource { None, Rise, Dip };

/// The window ends lie kLeastWidths widths above 0 plus their variable's value.
ChargeElement ElementOf(const std::vector<double>& x, GateSource gateSource, bool innerDrain) {
  const double w = x[kWidth], floor = kLeastWidths * w;
  ChargeElement e{{x[kCgd], floor + x[kGdLow], floor + x[kGdLow] + x[kGdSpan]}, {}, w, innerDrain};
  if (gateSource != GateSource::None) {
    e.gs = {gateSource == GateSource::Dip ? -x[kCgs] : x[kCgs], floor + x[kGsLow],
            floor + x[kGsLow] + x[kGsSpan]};
  }
  return e;
}

struct ElementFit {
  ChargeElement element;
  double worst = INFINITY;
};

/// The fit from the start's values, the gate-source window held at none unless asked for.
std::optional<ElementFit> Fit(const GateChargeDevice& card, const GateChargePoints& points,
                              GateSource gateSource, bool innerDrain, const std::vector<double>& start) {
  const double largest = kElementReach * std::max({card.CGDMAX, card.CGS, kLeastElement});
  const double deepest = std::max(kDeepestDip * card.CGS, 2 * kLeastElement);
  const double reach = std::max(points.vg, 1.0);
  const bool free = gateSource != GateSource::None;
  std::vector<FitVariable> v{
      Variable(start[kWidth], kLeastWidth, kMostWidth, true),
      Variable(start[kCgd], kLeastElement, largest, true),
      Variable(start[kGdLow], 0, reach, false),
      Variable(start[kGdSpan], kLeastSpan, kMostSpan, true),
      Variable(start[kCgs], kLeastElement, gateSource == GateSource::Dip ? deepest : largest, true, free),
      Variable(start[kGsLow], 0, reach, false, free),
      Variable(start[kGsSpan], kLeastSpan, reach, true, free),
  };
  // The elements only price the channel's path in charge: it is walked once.
  const std::vector<ChannelState> path = GateChargePath(card, points.test, points.vg);
  const auto worst = FitWithCardRounding(v,
                                         [&](const std::vector<double>& x) {
                                           GateChargeDevice device = card;
                                           device.element =
                                               PrintedChargeElement(ElementOf(x, gateSource, innerDrain));
                                           return GateChargeErrors(device, points, path);
                                         },
                                         {kWidth, kGdLow, kGdSpan, kCgd, kGsLow, kGsSpan, kCgs});
  if (!worst) return std::nullopt;
  std::vector<double> x;
  for (const FitVariable& variable : v) x.push_back(variable.value);
  return ElementFit{ElementOf(x, gateSource, innerDrain), *worst};
}

/// The gate-drain window of the coarse grid that meets the charges best, with the other values
/// of `start`.
std::vector<double> BestOfGrid(const GateChargeDevice& card, const GateChargePoints& points, bool innerDrain,
                               const std::vector<double>& start) {
  double best = INFINITY;
  std::vector<double> bestStart = start, grid = start;
  const std::vector<ChannelState> path = GateChargePath(card, points.test, points.vg);
  for (const double times : kGateDrainTimes) {
    for (const double low : kGateDrainLows) {
      for (const double span : kGateDrainSpans) {
        grid[kCgd] = times * std::max(card.CGDMAX, kLeastElement);
        grid[kGdLow] = low;
        grid[kGdSpan] = span;
        GateChargeDevice device = card;
        device.element = PrintedChargeElement(ElementOf(grid, GateSource::None, innerDrain));
        const double worst = WorstOf(GateChargeErrors(device, points, path));
        if (worst < best) {
          best = worst;
          bestStart = grid;
        }
      }
    }
  }
  return bestStart;
}

/// Whether the card alone puts Qgs above the datasheet's: the gate-drain window cannot lower
/// it, and a gate-source window can only as a dip.
bool QgsAbove(const GateChargeDevice& card, const GateChargePoints& points) {
  GateChargePoints qgsOnly = points;
  qgsOnly.curve = std::nullopt;
  std::erase_if(qgsOnly.charges, [](const DatasheetPoint& p) { return p.quantity != PointQuantity::Qgs; });
  return !qgsOnly.charges.empty() && GateChargeErrors(card, qgsOnly).front() > 0;
}

/// The element without the windows the fit drove to next to nothing (a capacitance at its
/// floor), which ngspice would pay for all the same; nullopt when none is left.
std::optional<ChargeElement> WithoutIdleWindows(const GateChargeDevice& card, const GateChargePoints& points,
                                                const ElementFit& fit) {
  ChargeElement element = fit.element;
  for (ChargeWindow ChargeElement::*window : {&ChargeElement::gd, &ChargeElement::gs}) {
    if ((element.*window).c == 0) continue;
    ChargeElement without = element;
    without.*window = {};
    GateChargeDevice device = card;
    device.element = PrintedChargeElement(without);
    if (WorstOf(GateChargeErrors(device, points)) <= fit.worst + kIdleWindowCost) element = without;
  }
  if (element.gd.c == 0 && element.gs.c == 0) return std::nullopt;
  return element;
}

/// The best element whose gate-drain window reads the drain inside RD or at the terminal, and
/// its worst charge error.
std::optional<ElementFit> FitReadingDrain(const GateChargeDevice& card, const GateChargePoints& all,
                                          bool innerDrain) {
  const bool qgsAbove = QgsAbove(card, all);
  // The gate-drain window acts only on the plateau and after it: a Qgs the card puts above the
  // datasheet's is left to the gate-source window.
  GateChargePoints points = all;
  if (qgsAbove) {
    std::erase_if(points.charges, [](const DatasheetPoint& p) { return p.quantity == PointQuantity::Qgs; });
  }
  if (points.charges.empty() && !points.curve && !qgsAbove) return std::nullopt;
  // The start: a gate-drain window from a little above the floor over the gate's whole swing,
  // and a small channel charge from half a volt below the threshold, or a dip from the floor
  // to the threshold.
  std::vector<double> start(kGsSpan + 1);
  start[kWidth] = kLeastWidth;
  start[kGdLow] = 0.5;
  start[kGdSpan] = 10;
  start[kCgs] = card.CGS / 10;
  start[kGsLow] = qgsAbove ? 0 : std::max(card.VTO - 0.5, 0.0);
  start[kGsSpan] = qgsAbove ? std::max(card.VTO - kLeastWidths * kLeastWidth, kLeastSpan) : 1;
  // The on-state charge may need about CGDMAX or tens of times it (superjunction parts), over
  // a part of the plateau or all of it: the local fit starts from a few capacitances over the
  // gate's whole swing, and from the best window of a coarse grid, and keeps the best.
  std::optional<ElementFit> best;
  std::vector<ElementFit> drains;
  if (points.charges.empty() && !points.curve) {
    drains.push_back({ElementOf(start, GateSource::None, innerDrain)});
  } else {
    std::vector<std::vector<double>> starts;
    for (const double times : kGateDrainStarts) {
      starts.push_back(start);
      starts.back()[kCgd] = times * std::max(card.CGDMAX, kLeastElement);
    }
    starts.push_back(BestOfGrid(card, points, innerDrain, start));
    for (const std::vector<double>& from : starts) {
      if (std::optional<ElementFit> fit = Fit(card, points, GateSource::None, innerDrain, from)) {
        if (!best || fit->worst < best->worst) best = fit;
        drains.push_back(*fit);
      }
    }
  }
  // The gate-source window joins each gate-drain window where that ended: raising Qgs, or as a
  // dip lowering it, where the card puts it above the datasheet's. Their worst is then over
  // every charge, Qgs too.
  if (qgsAbove || !(best && best->worst <= kGateSourceWanted)) {
    if (best && qgsAbove) {
      GateChargeDevice device = card;
      device.element = PrintedChargeElement(best->element);
      best->worst = WorstOf(GateChargeErrors(device, all));
    }
    for (const ElementFit& drain : drains) {
      std::vector<double> from = start;
      const ChargeElement& e = drain.element;
      from[kWidth] = e.width;
      from[kCgd] = e.gd.c;
      from[kGdLow] = e.gd.low - kLeastWidths * e.width;
      from[kGdSpan] = e.gd.high - e.gd.low;
      const std::optional<ElementFit> both =
          Fit(card, all, qgsAbove ? GateSource::Dip : GateSource::Rise, innerDrain, from);
      if (both && (!best || both->worst < best->worst)) best = both;
    }
  }
  return best;
}

}  // namespace

std::optional<ChargeElement> FitChargeElement(const GateChargeDevice& card, const GateChargePoints& all) {
  std::optional<ElementFit> best = FitReadingDrain(card, all, false);
  // RD's sense costs ngspice six more elements: it is taken where the terminal leaves the
  // charges a point or more off and reading inside RD gains a point.
  if (DrainSenseResistance(card.RD) && !(best && best->worst < kInnerDrainWanted)) {
    const std::optional<ElementFit> inner = FitReadingDrain(card, all, true);
    if (inner && (!best || inner->worst < best->worst - kInnerDrainWanted)) best = inner;
  }
  if (!best) return std::nullopt;
  return WithoutIdleWindows(card, all, *best);
}

}  // namespace vdmos

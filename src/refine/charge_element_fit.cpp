#include "refine/charge_element_fit.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "model/numbers.h"
#include "refine/minimax_fit.h"

namespace vdmos {
namespace {

// Every window starts at least this many widths above 0, so that at the capacitance benches
// (gate at or below the drain, gate on the source) an element adds less than exp(-8), 3e-4,
// of its capacitance.
constexpr double kLeastWidths = 8;
// Narrower windows stop ngspice's time steps ("timestep too small") in a hard-switched half
// bridge where a tenth of a volt lets it run.
constexpr double kLeastWidth = 0.1, kMostWidth = 0.5;  // V
constexpr double kLeastSpan = 0.1, kMostSpan = 1e3;    // V
constexpr double kElementReach = 100;                  // times the card's largest gate capacitance
constexpr double kLeastElement = 1e-3;                 // pF
constexpr double kGateSourceWanted = 0.005;            // the charge error beyond which Qgs gets a window

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

/// The window ends lie kLeastWidths widths above 0 plus their variable's value.
ChargeElement ElementOf(const std::vector<double>& x, bool gateSource) {
  const double w = x[kWidth], floor = kLeastWidths * w;
  ChargeElement e{{x[kCgd], floor + x[kGdLow], floor + x[kGdLow] + x[kGdSpan]}, {}, w};
  if (gateSource) e.gs = {x[kCgs], floor + x[kGsLow], floor + x[kGsLow] + x[kGsSpan]};
  return e;
}

struct ElementFit {
  ChargeElement element;
  double worst = INFINITY;
};

/// The fit from the start's values, the gate-source window held at none unless asked for.
std::optional<ElementFit> Fit(const GateChargeDevice& card, const GateChargePoints& points, bool gateSource,
                              const std::vector<double>& start) {
  const double largest = kElementReach * std::max({card.CGDMAX, card.CGS, kLeastElement});
  const double reach = std::max(points.vg, 1.0);
  std::vector<FitVariable> v{
      Variable(start[kWidth], kLeastWidth, kMostWidth, true),
      Variable(start[kCgd], kLeastElement, largest, true),
      Variable(start[kGdLow], 0, reach, false),
      Variable(start[kGdSpan], kLeastSpan, kMostSpan, true),
      Variable(start[kCgs], kLeastElement, largest, true, gateSource),
      Variable(start[kGsLow], 0, reach, false, gateSource),
      Variable(start[kGsSpan], kLeastSpan, reach, true, gateSource),
  };
  const auto worst = FitWithCardRounding(v,
                                         [&](const std::vector<double>& x) {
                                           GateChargeDevice device = card;
                                           device.element = PrintedChargeElement(ElementOf(x, gateSource));
                                           return GateChargeErrors(device, points);
                                         },
                                         {kWidth, kGdLow, kGdSpan, kCgd, kGsLow, kGsSpan, kCgs});
  if (!worst) return std::nullopt;
  std::vector<double> x;
  for (const FitVariable& variable : v) x.push_back(variable.value);
  return ElementFit{ElementOf(x, gateSource), *worst};
}

}  // namespace

std::optional<ChargeElement> FitChargeElement(const GateChargeDevice& card, const GateChargePoints& points) {
  // The start: the on-state Cgd doubled from a gate a volt above the drain on, and a small
  // channel charge from the threshold to a volt above it.
  std::vector<double> start(kGsSpan + 1);
  start[kWidth] = kLeastWidth;
  start[kCgd] = std::max(card.CGDMAX, kLeastElement);
  start[kGdLow] = 0.5;
  start[kGdSpan] = 10;
  start[kCgs] = card.CGS / 10;
  start[kGsLow] = std::max(card.VTO - 0.5, 0.0);
  start[kGsSpan] = 1;
  const std::optional<ElementFit> drain = Fit(card, points, false, start);
  if (drain && drain->worst <= kGateSourceWanted) return drain->element;
  if (drain) {
    // The gate-source window joins the gate-drain one where it ended.
    const ChargeElement& e = drain->element;
    start[kWidth] = e.width;
    start[kCgd] = e.gd.c;
    start[kGdLow] = e.gd.low - kLeastWidths * e.width;
    start[kGdSpan] = e.gd.high - e.gd.low;
  }
  const std::optional<ElementFit> both = Fit(card, points, true, start);
  if (both && (!drain || both->worst < drain->worst)) return both->element;
  if (drain) return drain->element;
  return std::nullopt;
}

}  // namespace vdmos

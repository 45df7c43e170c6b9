#include "refine/refinement.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <future>
#include <iterator>
#include <map>

#include "commands/dc_update.h"
#include "extract/junction_fit.h"
#include "model/model_card.h"
#include "model/numbers.h"
#include "refine/charge_element_fit.h"
#include "refine/curve_errors.h"
#include "refine/diode_refinement.h"
#include "refine/minimax_fit.h"
#include "refine/refine_texts.h"
#include "refine/shape_band.h"

namespace vdmos {
namespace {

// Bounds that keep the parameters physical. The series resistances cannot exceed the whole
// on-resistance, the threshold stays below every gate voltage the datasheet drives current
// at, LAMBDA stays a small correction, and the capacitance curve stays between its end values.
constexpr double kMinResistance = 1e-7;  // Ohm
// RD's least, as the fitted card's four decimals write it: with a supply within a percent of the
// breakdown voltage, ngspice crawled through a switching transient at nanosecond steps for
// minutes with STP55NF06's refined RD of 0.34 uOhm (and at 1 uOhm), and ran it in 0.1 s at this.
constexpr double kLeastDrainResistance = 1e-4;  // Ohm
constexpr double kThresholdMargin = 0.01;       // V below the lowest conducting gate voltage
constexpr double kThresholdReach = 2.0;         // V the threshold may move below the fitted one
constexpr double kMaxLambda = 0.1;              // 1/V
// ngspice's subthreshold law takes exp((Vgs - VTO) / KSUBTHRES) and fails once that passes
// about 709 (no operating point, no time step). The floor keeps gate drives up to twice the
// largest gate voltage the datasheet gives, and at least 20 V, a common gate rating, inside it.
constexpr double kSlopeReachFactor = 2, kLeastSlopeReach = 20;  // V
constexpr double kSlopeExponentLimit = 700;
constexpr double kMaxKsubthres = 0.5;  // V; a tail that reaches far into the square law's region
// What meeting the threshold may cost the driven DC points, and what the threshold may miss by
// when only the slope moves (fractions).
constexpr double kDcAllowance = 0.02;
constexpr std::array kThresholdWeights{1.0, 1.0 / 3, 1.0 / 10, 1.0 / 30};
// The threshold's weight in the fit that tells what meeting it first would cost.
constexpr double kThresholdFirstWeight = 30;
constexpr double kKpReach = 1e3;                     // factor either side of the fitted KP
constexpr double kCgdMaxReach = 100;                 // times the largest Crss
constexpr double kMinScale = 1e-4, kMaxScale = 1e3;  // a, 1/V
constexpr double kMinCapacitance = 1e-3;             // pF
constexpr double kMaxCjo = 1e8;                      // pF
// ngspice replaces a junction potential above about 5.1 V by about 3.2 V ("junction potential
// VJ too large"), which the model's own curves would not follow.
constexpr double kMinVj = 0.1, kMaxVj = 5;  // V
constexpr double kMinGrading = 0.1, kMaxGrading = 1.5;
// Meeting the gate charges is called a trade-off when it costs the capacitance points more
// than this many percentage points.
constexpr double kTradeOffMargin = 0.5;
// With the gate charges first, a percent of charge error weighs as much as this many percent
// at a capacitance point: the charges end within a thirtieth of the capacitances' worst error,
// closer than a datasheet's charges are known, while the capacitances are still held as close
// as the charges allow.
constexpr double kChargesFirstWeight = 30;
// The worst error of the gate charges and capacitance points together (percent) beyond which
// the ngspice subcircuit gets gate charge elements, unless the charges come first.
constexpr double kElementsWanted = 1;

/// What a capacitance point's error counts beside a gate charge's in the capacitance group.
double CapacitanceWeight(const DatasheetPoints& points) {
  return points.gateCharge && points.gateCharge->first ? 1 / kChargesFirstWeight : 1;
}
constexpr double kLeastImprovement = 1e-3;  // percentage points, the last digit the summary shows
// The capacitance curves keep the fitted card's shape from a little above 0 V, the law's own
// start, to the largest typed voltage.
constexpr double kLowestDrainVoltage = 0.1;  // V
constexpr int kCapacitanceShapePoints = 40;

/// A parameter of the refined card, which prints it with four significant digits.
FitVariable Variable(double value, double lower, double upper, bool logScale, bool free = true) {
  return {value, lower, upper, logScale, [](double v) { return PlainReading(FourSignificantText(v)); },
          0,     free};
}

/// The errors at the points, then each curve's worst as one more.
std::vector<double> ErrorsAt(const auto& params, const std::vector<DatasheetPoint>& points,
                             const std::vector<DatasheetPoint>& curves) {
  std::vector<double> errors;
  for (const DatasheetPoint& point : points)
    errors.push_back(RelativeError(ModelValueAt(params, point), point));
  for (const DatasheetPoint& curve : curves) errors.push_back(CurveError(params, curve));
  return errors;
}

bool IsThreshold(const DatasheetPoint& point) { return point.quantity == PointQuantity::Vth; }

/// The lowest gate voltage at which the datasheet drives a drain current; the threshold point
/// is the gate voltage that is sought, not one that is driven.
double LowestGateVoltage(const std::vector<DatasheetPoint>& dc) {
  double lowest = INFINITY;
  for (const DatasheetPoint& point : dc)
    if (!IsThreshold(point)) lowest = std::min(lowest, point.vgs);
  return lowest;
}

bool HasThreshold(const std::vector<DatasheetPoint>& dc) { return std::ranges::any_of(dc, IsThreshold); }

/// The DC points the datasheet drives a current at: all but the threshold.
std::vector<DatasheetPoint> DrivenPoints(const std::vector<DatasheetPoint>& dc) {
  std::vector<DatasheetPoint> driven;
  for (const DatasheetPoint& point : dc)
    if (!IsThreshold(point)) driven.push_back(point);
  return driven;
}

/// The threshold points among the DC points.
std::vector<DatasheetPoint> ThresholdPoints(const std::vector<DatasheetPoint>& dc) {
  std::vector<DatasheetPoint> threshold;
  std::ranges::copy_if(dc, std::back_inserter(threshold), IsThreshold);
  return threshold;
}

/// The smallest subthreshold slope the card may carry with these points.
double LeastSlope(const std::vector<DatasheetPoint>& dc) {
  double highest = 0;
  for (const DatasheetPoint& point : dc) highest = std::max(highest, point.vgs);
  return std::max(kSlopeReachFactor * highest, kLeastSlopeReach) / kSlopeExponentLimit;
}

/// RD's lower bound: kLeastDrainResistance, or a tenth of Rds(on) on a part whose whole on-state
/// resistance is below a milliohm.
double LeastDrainResistance(double ron) { return std::min(kLeastDrainResistance, ron / 10); }

/// Which parameters a DC fit moves.
enum class DcFreedom { All, SlopeOnly };

/// The DC fit to the points, the threshold's error weighed by `thresholdWeight` beside the
/// others'. Without a threshold point the subthreshold slope is held at the start's.
DcParameters RefineDc(const DcParameters& start, bool depletion, const std::vector<DatasheetPoint>& dc,
                      const std::vector<DatasheetPoint>& curves, double thresholdWeight, DcFreedom freedom,
                      bool& ok) {
  const double ron = *dc.front().value;
  const double vtoHigh = LowestGateVoltage(dc) - kThresholdMargin;
  double vtoLow = std::min(start.VTO, vtoHigh) - kThresholdReach;
  if (!depletion) vtoLow = std::max(vtoLow, 0.0);
  const bool all = freedom == DcFreedom::All;
  const double leastSlope = LeastSlope(dc);
  enum { kKP, kVTO, kRS, kRD, kLAMBDA, kKSUBTHRES };
  std::vector<FitVariable> v{
      Variable(start.KP, start.KP / kKpReach, start.KP * kKpReach, true, all),
      Variable(start.VTO, std::min(vtoLow, vtoHigh), vtoHigh, false, all),
      Variable(start.RS, kMinResistance, ron, true, all),
      Variable(std::clamp(start.RD, LeastDrainResistance(ron), ron), LeastDrainResistance(ron), ron, true,
               all),
      Variable(start.LAMBDA, 0, std::max(kMaxLambda, 2 * start.LAMBDA), false, all),
      Variable(std::clamp(start.KSUBTHRES, leastSlope, kMaxKsubthres), leastSlope, kMaxKsubthres, true,
               HasThreshold(dc)),
  };
  auto params = [&](const std::vector<double>& x) {
    return DcParameters{x[kKP], x[kVTO],    x[kRS],
                        x[kRD], x[kLAMBDA], HasThreshold(dc) ? x[kKSUBTHRES] : start.KSUBTHRES};
  };
  const auto worst = FitWithCardRounding(v,
                                         [&](const std::vector<double>& x) {
                                           std::vector<double> errors = ErrorsAt(params(x), dc, curves);
                                           for (std::size_t i = 0; i < dc.size(); ++i)
                                             if (IsThreshold(dc[i])) errors[i] *= thresholdWeight;
                                           return errors;
                                         },
                                         // The coarsest steps first, so the finer ones make up for them.
                                         {kVTO, kRS, kRD, kKP, kLAMBDA, kKSUBTHRES});
  ok = worst.has_value();
  std::vector<double> x;
  for (const FitVariable& variable : v) x.push_back(variable.value);
  return params(x);
}

struct DcFit {
  DcParameters params;
  bool slope = false;  ///< the fit set the subthreshold slope for the threshold
  bool ok = false;
  /// Where the threshold yielded to the driven points: the fit that meets the threshold first,
  /// which tells the user what meeting it would cost them.
  std::optional<DcParameters> thresholdFirst = std::nullopt;
};

/// The DC fit. A datasheet's threshold is a value between a wide minimum and maximum, its
/// on-resistance and transfer curve typical values: the driven points are fitted first, then
/// the subthreshold slope alone meets the threshold where it can, which leaves the square law
/// as the driven points put it. Where the slope cannot, every parameter moves with the
/// threshold weighing less and less, until the driven points stay within kDcAllowance or their
/// own best; where no weight keeps them there, the slope alone comes as close as it can.
DcFit FitDcGroup(const DcParameters& start, bool depletion, const std::vector<DatasheetPoint>& dc,
                 const std::vector<DatasheetPoint>& curves) {
  const std::vector<DatasheetPoint> driven = DrivenPoints(dc);
  DcFit fit;
  fit.params = RefineDc(start, depletion, driven, curves, 0, DcFreedom::All, fit.ok);
  if (!fit.ok || driven.size() == dc.size()) return fit;
  const double allowed = std::max(WorstError(fit.params, driven, curves).value_or(0), kDcAllowance);
  auto drivenWithin = [&](const DcParameters& p) {
    return WorstError(p, driven, curves).value_or(INFINITY) <= allowed;
  };
  const std::vector<DatasheetPoint> threshold = ThresholdPoints(dc);
  // A test current no gate voltage reaches leaves nothing to aim at.
  if (!std::isfinite(WorstError(fit.params, threshold).value_or(INFINITY))) return fit;
  bool ok = false;
  const DcParameters slopeOnly = RefineDc(fit.params, depletion, dc, curves, 1, DcFreedom::SlopeOnly, ok);
  if (!ok) return fit;
  if (WorstError(slopeOnly, threshold).value_or(INFINITY) <= kDcAllowance && drivenWithin(slopeOnly))
    return {slopeOnly, true, true};
  for (const double weight : kThresholdWeights) {
    const DcParameters trial = RefineDc(fit.params, depletion, dc, curves, weight, DcFreedom::All, ok);
    if (ok && drivenWithin(trial)) return {trial, true, true};
  }
  return {slopeOnly, true, true};
}

/// The DC fit, and where the threshold yielded to the driven points the fit that meets it
/// first.
DcFit RefineDcGroup(const DcParameters& start, bool depletion, const std::vector<DatasheetPoint>& dc,
                    const std::vector<DatasheetPoint>& curves) {
  DcFit fit = FitDcGroup(start, depletion, dc, curves);
  if (!fit.slope) return fit;
  if (!(WorstError(fit.params, ThresholdPoints(dc)).value_or(0) > kDcAllowance)) return fit;
  bool ok = false;
  const DcParameters first =
      RefineDc(fit.params, depletion, dc, curves, kThresholdFirstWeight, DcFreedom::All, ok);
  if (ok) fit.thresholdFirst = first;
  return fit;
}

struct CapacitanceRange {
  double lowest = INFINITY, highest = 0;
  bool given = false;
  void Add(double value) {
    lowest = std::min(lowest, value);
    highest = std::max(highest, value);
    given = true;
  }
};

/// A typed capacitance's band around the fitted card.
struct CapacitanceShape {
  PointQuantity quantity;
  ShapeBand band;
};

/// The bands asked of the capacitance curves by their typed points, none for a curve whose
/// digitized figure is the target. `everywhere` are demands that hold along every curve.
std::vector<CapacitanceShape> CapacitanceShapesOf(const CapacitanceParameters& fitted,
                                                  const DatasheetPoints& points,
                                                  const std::vector<double>& everywhere) {
  std::vector<CapacitanceShape> shapes;
  for (const PointQuantity quantity : {PointQuantity::Ciss, PointQuantity::Coss, PointQuantity::Crss}) {
    if (std::ranges::any_of(points.capacitanceCurves,
                            [&](const DatasheetPoint& c) { return c.quantity == quantity; }))
      continue;
    // A fitted card without a junction has no Coss law to keep: the refinement starts one.
    if (quantity == PointQuantity::Coss && !(fitted.Cjo > 0)) continue;
    std::vector<Demand> demands;
    double top = 0;
    for (const DatasheetPoint& point : points.capacitance) {
      if (point.quantity != quantity) continue;
      demands.push_back({point.vds, *point.value / ModelValueAt(fitted, point)});
      top = std::max(top, point.vds);
    }
    if (demands.empty() || !(top > kLowestDrainVoltage)) continue;
    shapes.push_back(
        {quantity,
         ShapeBand(
             demands, GeometricGrid(kLowestDrainVoltage, top, kCapacitanceShapePoints),
             [&](double v) { return CapacitanceOf(CapacitancesAt(fitted, v), quantity); }, everywhere)});
  }
  return shapes;
}

/// What the gate charges ask of the capacitances they depend on: datasheet / model for each
/// charge the fitted card reads. A curve's error is a magnitude, so it may ask either way.
std::vector<double> ChargeDemands(const GateChargeDevice& fitted, const GateChargePoints& charges) {
  std::vector<double> demands;
  const std::vector<double> errors = GateChargeErrors(fitted, charges);
  for (std::size_t i = 0; i < errors.size(); ++i) {
    const bool curve = charges.curve && i == 0;
    for (const double e : curve ? std::vector{errors[i], -errors[i]} : std::vector{errors[i]})
      if (std::isfinite(e) && e > -1) demands.push_back(1 / (1 + e));
  }
  return demands;
}

/// The capacitance group's fit: the capacitance points and, when given, the gate charges
/// with the DC parameters the card will hold.
struct CapacitanceFit {
  CapacitanceParameters params;
  bool ok = false;
  /// Where a card simulated hot held Vj at its floor: the fit that went below it.
  std::optional<CapacitanceParameters> belowFloor = std::nullopt;
};

/// The fit with Vj at least vjLow.
CapacitanceFit FitCapacitances(const CapacitanceParameters& start, const DatasheetPoints& points,
                               const GateChargeDevice* chargeDevice, double vjLow) {
  std::map<PointQuantity, CapacitanceRange> range;
  for (const DatasheetPoint& point : points.capacitance) range[point.quantity].Add(*point.value);
  for (const DatasheetPoint& curve : points.capacitanceCurves)
    for (const Point& point : curve.curve) range[curve.quantity].Add(point.y);
  const CapacitanceRange crss = range[PointQuantity::Crss];
  const CapacitanceRange ciss = range[PointQuantity::Ciss];
  const CapacitanceRange coss = range[PointQuantity::Coss];
  // A group of parameters moves only when a datasheet value depends on it; the gate charges
  // depend on the gate's capacitances. Without the capacitance a bound comes from, the start
  // value sets it.
  const bool charges = chargeDevice != nullptr;
  const bool gateDrain = crss.given || charges, gateSource = ciss.given || charges, junction = coss.given;
  // With the gate charges first, the Crss and Ciss cells are targets of a thirtieth of the
  // weight and no longer bound the gate's capacitances, which the charges may need beyond them.
  const bool chargesFirst = charges && points.gateCharge->first;
  const double capacitanceWeight = charges ? CapacitanceWeight(points) : 1;
  const bool crssBounds = crss.given && !chargesFirst, cissBounds = ciss.given && !chargesFirst;
  const double cgdMaxLow = crssBounds ? crss.highest : start.CGDMAX / kCgdMaxReach;
  const double cgdMaxHigh = kCgdMaxReach * (crss.given ? crss.highest : start.CGDMAX);
  const double cgdMinHigh = crssBounds ? crss.lowest : start.CGDMAX;
  const double cgsHigh = cissBounds ? ciss.highest : kCgdMaxReach * start.CGS;
  const double cjoStart = start.Cjo > 0 ? start.Cjo : std::max(coss.highest, 1.0);
  // The gate charges integrate the gate's capacitances over the whole swing: they may reshape
  // the curves between the typed voltages as far as they ask of the fitted card.
  const std::vector<CapacitanceShape> shapes = CapacitanceShapesOf(
      start, points, charges ? ChargeDemands(*chargeDevice, *points.gateCharge) : std::vector<double>{});

  enum { kCGDMAX, kCGDMIN, ka, kCGS, kCjo, kVj, km };
  // The capacitances leave the channel's path through the test where it is.
  const std::vector<ChannelState> chargePath =
      charges ? GateChargePath(*chargeDevice, points.gateCharge->test, points.gateCharge->vg)
              : std::vector<ChannelState>{};
  std::vector<FitVariable> v{
      Variable(start.CGDMAX, cgdMaxLow, cgdMaxHigh, true, gateDrain),
      Variable(start.CGDMIN, 0, cgdMinHigh, false, gateDrain),
      Variable(start.a, kMinScale, kMaxScale, true, gateDrain),
      Variable(start.CGS, kMinCapacitance, cgsHigh, true, gateSource),
      Variable(cjoStart, kMinCapacitance, kMaxCjo, true, junction),
      Variable(start.Vj, vjLow, kMaxVj, true, junction),
      Variable(start.m, kMinGrading, kMaxGrading, false, junction),
  };
  auto params = [](const std::vector<double>& x) {
    return CapacitanceParameters{x[kCGDMAX], x[kCGDMIN], x[ka], x[kCGS], x[kCjo], x[kVj], x[km]};
  };
  const auto worst = FitWithCardRounding(
      v,
      [&](const std::vector<double>& x) {
        const CapacitanceParameters c = params(x);
        std::vector<double> errors = ErrorsAt(c, points.capacitance, points.capacitanceCurves);
        for (double& e : errors) e *= capacitanceWeight;
        // The band keeps the shape the capacitance points leave open: with the gate charges
        // first it yields to them as the points do.
        for (const CapacitanceShape& shape : shapes) {
          for (const double e : shape.band.Excess(
                   [&](double v) { return CapacitanceOf(CapacitancesAt(c, v), shape.quantity); },
                   chargesFirst ? capacitanceWeight : kBandWeight))
            errors.push_back(e);
        }
        if (charges) {
          GateChargeDevice device = *chargeDevice;
          device.CGS = c.CGS;
          device.CGDMAX = c.CGDMAX;
          device.CGDMIN = c.CGDMIN;
          device.a = c.a;
          for (const double e : GateChargeErrors(device, *points.gateCharge, chargePath)) errors.push_back(e);
        }
        return errors;
      },
      {kCGDMIN, ka, kCGDMAX, kVj, km, kCGS, kCjo});
  std::vector<double> x;
  for (const FitVariable& variable : v) x.push_back(variable.value);
  CapacitanceParameters refined = params(x);
  if (!junction) refined.Cjo = start.Cjo;
  return {refined, worst.has_value()};
}

/// A card simulated hot keeps a Vj ngspice can simulate hot. The fit is held at the floor only
/// where it would go below it: the bound shapes the optimiser's steps, and a card that stays
/// above it refines as it does without one.
CapacitanceFit RefineCapacitances(const CapacitanceParameters& start, const DatasheetPoints& points,
                                  const GateChargeDevice* chargeDevice) {
  const CapacitanceFit free = FitCapacitances(start, points, chargeDevice, kMinVj);
  if (!(free.params.Vj < points.junctionPotentialFloor)) return free;
  CapacitanceFit held = FitCapacitances(start, points, chargeDevice, points.junctionPotentialFloor);
  if (free.ok) held.belowFloor = free.params;
  return held;
}

/// The values of one quantity must fall as the drain voltage rises.
std::optional<std::string> RisingCapacitance(const DatasheetPoints& points) {
  for (const PointQuantity quantity : {PointQuantity::Ciss, PointQuantity::Coss, PointQuantity::Crss}) {
    std::map<double, double> byVoltage;
    for (const DatasheetPoint& p : points.capacitance) {
      if (p.quantity == quantity) byVoltage[p.vds] = *p.value;
    }
    for (auto it = byVoltage.begin(); it != byVoltage.end() && std::next(it) != byVoltage.end(); ++it) {
      if (std::next(it)->second > it->second) {
        return std::string(kRefineCapacitanceOrderOpening) + std::string(QuantityName(quantity)) +
               std::string(kRefineCapacitanceOrderClosing);
      }
    }
  }
  return std::nullopt;
}

bool CrssAboveOthers(const DatasheetPoints& points) {
  for (const DatasheetPoint& crss : points.capacitance) {
    if (crss.quantity != PointQuantity::Crss) continue;
    for (const DatasheetPoint& other : points.capacitance) {
      if (other.quantity != PointQuantity::Crss && other.vds == crss.vds && *other.value <= *crss.value)
        return true;
    }
  }
  return false;
}

/// Better by more than the summary can show: a card refined again then soon stays as it is.
bool Improves(std::optional<double> after, std::optional<double> before) {
  return after && before && *after < *before - kLeastImprovement;
}

/// The DC parameters in the card; the subthreshold slope only where the refinement set it for
/// the threshold, as a card without it behaves as the simulator's default makes it.
ModelParameterSet WithDc(ModelParameterSet p, const DcParameters& dc, bool pmos, bool slope) {
  p.KP = dc.KP;
  p.VTO = pmos ? -dc.VTO : dc.VTO;
  p.RS = dc.RS;
  p.RD = dc.RD;
  p.LAMBDA = dc.LAMBDA;
  if (slope) p.KSUBTHRES = dc.KSUBTHRES;
  return p;
}

ModelParameterSet WithCapacitances(ModelParameterSet p, const CapacitanceParameters& c) {
  p.CGDMAX = c.CGDMAX;
  p.CGDMIN = c.CGDMIN;
  p.a = c.a;
  p.CGS = c.CGS;
  if (c.Cjo > 0) p.junctionCapText = JunctionCapText(c.m, c.Vj, c.Cjo, CardDigits::FourSignificant);
  return p;
}

std::string PercentText(std::optional<double> percent) {
  if (!percent) return std::string(kNoPointsValue);
  // An error the model could not read (its gate charge curve misses a point the charges are read
  // at) is no number to print: "Inf %" read as a measurement.
  if (!std::isfinite(*percent)) return std::string(kUnreadValue);
  return FormatMask(*percent, "0.0##") + " %";
}

/// What holding Vj at the floor of a card simulated hot cost the capacitance points, as a
/// sentence; empty where it cost next to nothing.
std::string JunctionFloorTradeOff(const ModelParameterSet& held, const ModelParameterSet& belowFloor,
                                  bool pmos, const DatasheetPoints& points, CardPrecision precision) {
  const std::optional<double> heldWorst = CardErrorsOf(held, pmos, points, precision).worstCapacitancePercent;
  const std::optional<double> freeWorst =
      CardErrorsOf(belowFloor, pmos, points, precision).worstCapacitancePercent;
  if (!heldWorst || !freeWorst || !(*heldWorst > *freeWorst + kTradeOffMargin)) return {};
  const CapacitanceParameters c = CapacitanceParametersOf(held), free = CapacitanceParametersOf(belowFloor);
  return std::string(kJunctionFloorOpening) + FormatMask(c.Vj, "0.0#") + std::string(kJunctionFloorHeld) +
         PercentText(heldWorst) + std::string(kJunctionFloorFree) + FormatMask(free.Vj, "0.0##") +
         std::string(kJunctionFloorWould) + PercentText(freeWorst) + std::string(kJunctionFloorClosing);
}

/// What meeting the threshold would cost the driven DC points, as a sentence; empty where the
/// card that meets it first comes no nearer to it than the refined card.
std::string ThresholdTradeOff(const ModelParameterSet& refined, const ModelParameterSet& thresholdFirst,
                              bool pmos, const DatasheetPoints& points, CardPrecision precision) {
  const CardErrors kept = CardErrorsOf(refined, pmos, points, precision);
  const CardErrors met = CardErrorsOf(thresholdFirst, pmos, points, precision);
  if (!kept.thresholdPercent || !met.thresholdPercent || !met.worstDcPercent ||
      !(*kept.thresholdPercent > *met.thresholdPercent + kTradeOffMargin))
    return {};
  return std::string(kThresholdTradeOffOpening) + PercentText(met.thresholdPercent) +
         std::string(kThresholdTradeOffMiddle) + PercentText(met.worstDcPercent) +
         std::string(kThresholdTradeOffClosing);
}

/// The worst error at the points the capacitance group is fitted to, weighed as the fit weighs
/// them.
std::optional<double> WorstOfCapacitanceGroup(const CardErrors& e, const DatasheetPoints& points) {
  if (!e.worstGateChargePercent) return e.worstCapacitancePercent;
  return std::max(e.worstCapacitancePercent.value_or(0) * CapacitanceWeight(points),
                  *e.worstGateChargePercent);
}

/// Why the gate charges cannot be aimed at, as the message to show; nullopt when they can.
std::optional<std::string> GateChargeTargetProblem(const GateChargePoints& g,
                                                   const GateChargeDevice& fitted) {
  if (!(g.test.id > 0 && g.test.vd > 0 && g.vg > 0)) return std::string(kRefineGateChargeConditionsText);
  std::map<PointQuantity, double> given;
  for (const DatasheetPoint& p : g.charges) {
    if (!(*p.value > 0) || !std::isfinite(*p.value)) {
      return std::string(kRefineChargeNotPositiveOpening) + std::string(QuantityName(p.quantity)) +
             std::string(kRefineChargeNotPositiveClosing);
    }
    given[p.quantity] = *p.value;
  }
  if (given.size() == 3 && given[PointQuantity::Qgs] + given[PointQuantity::Qgd] > given[PointQuantity::Qg])
    return std::string(kRefineChargeSumText);
  const std::vector<Point> curve = ModelGateChargeCurve(fitted, g.test, g.vg);
  if (curve.empty()) return std::string(kRefineChargeNoCurrentText);
  const GateChargeReading reading = ReadGateCharges(curve, g.vg);
  if (reading.problem)
    return GateChargeProblemText(*reading.problem, g.vg) + std::string(kRefineChargeRefusedClosing);
  return std::nullopt;
}

GateChargeDevice PrintedGateChargeDevice(const ModelParameterSet& p, bool pmos, CardPrecision precision) {
  return GateChargeDeviceOf(PrintedDcParameters(p, pmos, precision),
                            PrintedCapacitanceParameters(p, precision), CardRounded(p.RG, card_mask::kRG));
}

/// A card with gate charge elements and its errors with them.
struct ElementsCard {
  ModelParameterSet params;
  CardErrors errors;
};

/// How far above the datasheet's Qgd (percent) the card whose capacitances are fitted to their
/// points alone puts it; 0 where it does not. The gate-drain element only raises Qgd, so this,
/// and the capacitance points, bound what the elements can reach. (Qgs and Qg above it a
/// gate-source dip can lower.)
double QgdAboveWithCapacitancesAlone(const ModelParameterSet& cardAlone, bool pmos,
                                     const DatasheetPoints& points, CardPrecision precision) {
  GateChargePoints charges = *points.gateCharge;
  charges.curve = std::nullopt;
  std::erase_if(charges.charges, [](const DatasheetPoint& p) { return p.quantity != PointQuantity::Qgd; });
  double above = 0;
  for (const double error : GateChargeErrors(PrintedGateChargeDevice(cardAlone, pmos, precision), charges))
    above = std::max(above, 100 * error);
  return above;
}

/// The card whose capacitances are fitted to their points alone, with the gate charge elements
/// fitted to the gate charges, where the card cannot meet both to within kElementsWanted and
/// the elements do better than `cardWorst`, the card's own worst; nullopt otherwise.
std::optional<ElementsCard> WithChargeElements(ModelParameterSet cardAlone, bool pmos,
                                               const DatasheetPoints& points, CardPrecision precision,
                                               std::optional<double> cardWorst) {
  if (!(cardWorst.value_or(0) > kElementsWanted)) return std::nullopt;
  const double reachable =
      std::max(CardErrorsOf(cardAlone, pmos, points, precision).worstCapacitancePercent.value_or(0),
               QgdAboveWithCapacitancesAlone(cardAlone, pmos, points, precision));
  if (!Improves(reachable, cardWorst)) return std::nullopt;
  const std::optional<ChargeElement> element =
      FitChargeElement(PrintedGateChargeDevice(cardAlone, pmos, precision), *points.gateCharge);
  if (!element) return std::nullopt;
  cardAlone.chargeElement = *element;
  const CardErrors errors = CardErrorsOf(cardAlone, pmos, points, precision);
  if (!Improves(WorstOfCapacitanceGroup(errors, points), cardWorst)) return std::nullopt;
  return ElementsCard{cardAlone, errors};
}

}  // namespace

std::optional<std::string> ContradictionIn(const DatasheetPoints& points) {
  std::vector<const DatasheetPoint*> transfer;
  for (const DatasheetPoint& p : points.dc) {
    if (p.quantity == PointQuantity::DrainCurrent) transfer.push_back(&p);
  }
  if (transfer.size() == 2 &&
      !(transfer[1]->vgs > transfer[0]->vgs && *transfer[1]->value > *transfer[0]->value))
    return std::string(kRefineTransferOrderText);
  if (auto rising = RisingCapacitance(points)) return rising;
  if (CrssAboveOthers(points)) return std::string(kRefineCrssAboveText);
  return std::nullopt;
}

/// Whether an enhancement-mode card's channel carries, with its gate on the source, the current
/// its threshold is taken at (at the largest drain voltage of its DC points): a subthreshold slope
/// at its bound and VTO near 0 can meet the driven points that way, and the card is then on with
/// the gate off, its Coss and body diode rows lost to the channel.
bool NormallyOn(const ModelParameterSet& params, bool pmos, const DatasheetPoints& points,
                CardPrecision precision) {
  double vds = 0, thresholdCurrent = 0;
  for (const DatasheetPoint& point : points.dc) {
    vds = std::max(vds, point.vds);
    if (point.quantity == PointQuantity::Vth && point.current > 0) thresholdCurrent = point.current;
  }
  if (!(thresholdCurrent > 0)) return false;
  return SolvedDrainCurrent(PrintedDcParameters(params, pmos, precision), 0, vds) >= thresholdCurrent;
}

RefinementOutcome RefineParameters(const ModelParameterSet& fitted, bool pmos, bool depletion,
                                   const DatasheetPoints& points, CardPrecision fittedPrecision) {
  if (DrivenPoints(points.dc).size() < 3 || points.dc.front().quantity != PointQuantity::RdsOn)
    return {std::nullopt, std::string(kRefineNeedsDcPointsText)};
  if (auto contradiction = ContradictionIn(points)) return {std::nullopt, *contradiction};
  const DcParameters dcStart = DcParametersOf(fitted, pmos);
  if (!(dcStart.KP > 0) || !std::isfinite(dcStart.KP)) return {std::nullopt, std::string(kRefineNoFitText)};
  if (points.gateCharge) {
    if (auto problem = GateChargeTargetProblem(*points.gateCharge,
                                               PrintedGateChargeDevice(fitted, pmos, fittedPrecision)))
      return {std::nullopt, *problem};
  }

  // The body diode shares no parameter with the other groups, and the capacitance points alone
  // start from the fitted card whatever the DC group becomes: both are fitted meanwhile, on
  // threads of their own where there are any.
  const CapacitanceParameters capacitanceStart = CapacitanceParametersOf(fitted);
  const bool chargesAndCapacitances =
      points.gateCharge && !(points.capacitance.empty() && points.capacitanceCurves.empty());
  constexpr auto kAlongside = std::launch::async | std::launch::deferred;
  std::future<std::optional<CapacitanceFit>> capacitancesAlone = std::async(kAlongside, [&] {
    return chargesAndCapacitances ? std::optional(RefineCapacitances(capacitanceStart, points, nullptr))
                                  : std::nullopt;
  });
  std::future<std::optional<std::string>> refinedDiode =
      std::async(kAlongside, [&] { return RefinedDiodeText(fitted, points); });
  const DcFit dc = RefineDcGroup(dcStart, depletion, points.dc, points.dcCurves);
  if (!dc.ok) return {std::nullopt, std::string(kRefineFailedText)};

  // Each group is taken only where it is better as printed, so no part of the card gets worse.
  Refinement r;
  r.before = CardErrorsOf(fitted, pmos, points, fittedPrecision);
  // A card refined before with gate charge elements is refined as the bare card; the elements
  // are fitted afresh where it needs them.
  r.params = fitted;
  r.params.chargeElement.reset();
  r.precision = fittedPrecision;
  const CardPrecision dcRefined{CardDigits::FourSignificant, fittedPrecision.capacitance};
  const ModelParameterSet dcCandidate = WithDc(r.params, dc.params, pmos, dc.slope);
  // Better at the driven points, or at the threshold while the driven points stay within what
  // the threshold may cost them.
  const CardErrors dcErrors = CardErrorsOf(dcCandidate, pmos, points, dcRefined);
  const bool dcCloser = Improves(dcErrors.worstDcPercent, r.before.worstDcPercent) ||
                        (Improves(dcErrors.thresholdPercent, r.before.thresholdPercent) &&
                         dcErrors.worstDcPercent.value_or(0) <=
                             std::max(r.before.worstDcPercent.value_or(0), kDcAllowance * 100));
  const bool normallyOn = dcCloser && !depletion && NormallyOn(dcCandidate, pmos, points, dcRefined);
  const bool dcBetter = dcCloser && !normallyOn;
  if (normallyOn) r.thresholdTradeOff = std::string(kDcNormallyOnText);
  if (dcBetter) {
    r.params = dcCandidate;
    r.precision = dcRefined;
    if (dc.thresholdFirst)
      r.thresholdTradeOff = ThresholdTradeOff(r.params, WithDc(r.params, *dc.thresholdFirst, pmos, true),
                                              pmos, points, dcRefined);
  }

  // The gate charges follow the DC parameters too: the capacitances are fitted to them with
  // the DC parameters the card will hold.
  bool capacitanceBetter = false, elementsTaken = false;
  if (!points.capacitance.empty() || !points.capacitanceCurves.empty() || points.gateCharge) {
    const std::optional<GateChargeDevice> chargeDevice =
        points.gateCharge ? std::optional(PrintedGateChargeDevice(r.params, pmos, r.precision))
                          : std::nullopt;
    const CapacitanceFit fit =
        RefineCapacitances(capacitanceStart, points, chargeDevice ? &*chargeDevice : nullptr);
    if (!fit.ok) return {std::nullopt, std::string(kRefineFailedText)};
    const CardPrecision precision{r.precision.dc, CardDigits::FourSignificant};
    const ModelParameterSet candidate = WithCapacitances(r.params, fit.params);
    const CardErrors candidateErrors = CardErrorsOf(candidate, pmos, points, precision);
    const std::optional<double> currentWorst =
        WorstOfCapacitanceGroup(CardErrorsOf(r.params, pmos, points, r.precision), points);
    capacitanceBetter = Improves(WorstOfCapacitanceGroup(candidateErrors, points), currentWorst);
    // What the capacitance points alone would reach tells what the charges cost them, and is
    // the card the gate charge elements go with.
    const std::optional<CapacitanceFit> alone = capacitancesAlone.get();
    if (alone && alone->ok && !points.gateCharge->first) {
      const ModelParameterSet cardAlone = WithCapacitances(r.params, alone->params);
      const std::optional<double> cardWorst =
          capacitanceBetter ? WorstOfCapacitanceGroup(candidateErrors, points) : currentWorst;
      if (auto withElements = WithChargeElements(cardAlone, pmos, points, precision, cardWorst)) {
        r.params = withElements->params;
        r.precision = precision;
        r.bareGateChargePercent = CardErrorsOf(cardAlone, pmos, points, precision).worstGateChargePercent;
        elementsTaken = true;
        const std::optional<double> qgs = withElements->errors.qgsPercent;
        if (qgs && *qgs > kTradeOffMargin)
          r.tradeOff = std::string(kElementsQgsOpening) + PercentText(qgs) + std::string(kElementsQgsClosing);
      }
    }
    if (capacitanceBetter && !elementsTaken && alone) {
      const ModelParameterSet cardAlone = WithCapacitances(r.params, alone->params);
      const std::optional<double> aloneWorst =
          CardErrorsOf(cardAlone, pmos, points, precision).worstCapacitancePercent;
      const double together = candidateErrors.worstCapacitancePercent.value_or(0);
      if (alone->ok && aloneWorst && together > *aloneWorst + kTradeOffMargin) {
        r.tradeOff = std::string(kTradeOffOpening) + PercentText(aloneWorst) + std::string(kTradeOffMiddle) +
                     PercentText(together) + std::string(kTradeOffCharges) +
                     PercentText(candidateErrors.worstGateChargePercent) + ".";
        if (!points.gateCharge->first) {
          // A user who reads that the ngspice subcircuit meets both with its elements learns
          // why it does not here: the charge they would have to take away is not theirs to take.
          const double qgdAbove = QgdAboveWithCapacitancesAlone(cardAlone, pmos, points, precision);
          if (!Improves(qgdAbove, WorstOfCapacitanceGroup(candidateErrors, points)))
            r.tradeOff +=
                std::string(kTradeOffQgdOpening) + PercentText(qgdAbove) + std::string(kTradeOffQgdClosing);
          r.tradeOff += kTradeOffChargesFirstHint;
        }
      }
    }
    if (capacitanceBetter && !elementsTaken) {
      r.params = candidate;
      r.precision = precision;
    }
    const CapacitanceFit* kept = elementsTaken ? &*alone : capacitanceBetter ? &fit : nullptr;
    if (kept && kept->belowFloor)
      r.junctionTradeOff = JunctionFloorTradeOff(r.params, WithCapacitances(r.params, *kept->belowFloor),
                                                 pmos, points, precision);
  }
  bool diodeBetter = false;
  if (const std::optional<std::string> diode = refinedDiode.get()) {
    ModelParameterSet candidate = r.params;
    candidate.bodyDiodeText = *diode;
    diodeBetter = Improves(CardErrorsOf(candidate, pmos, points, r.precision).worstDiodePercent,
                           CardErrorsOf(r.params, pmos, points, r.precision).worstDiodePercent);
    if (diodeBetter) r.params = std::move(candidate);
  }
  if (!dcBetter && !capacitanceBetter && !elementsTaken && !diodeBetter) {
    return {std::nullopt, std::string(kRefineNoBetterOpening) +
                              FormatMask(r.before.WorstPercent().value_or(0), "0.0##") +
                              std::string(kRefineNoBetterClosing)};
  }
  r.lambdaText = r.precision.dc == CardDigits::FourSignificant ? FourSignificantText(r.params.LAMBDA)
                                                               : LambdaFieldText(r.params.LAMBDA);
  r.after = CardErrorsOf(r.params, pmos, points, r.precision);
  return {std::move(r), {}};
}

std::string RefinementSummary(const Refinement& r) {
  std::string summary = std::string(kRefinedOpening) + PercentText(r.after.worstDcPercent) +
                        std::string(kRefinedWas) + PercentText(r.before.worstDcPercent) + ")";
  if (r.after.thresholdPercent) {
    summary += std::string(kRefinedThreshold) + PercentText(r.after.thresholdPercent) +
               std::string(kRefinedWas) + PercentText(r.before.thresholdPercent) + ")";
  }
  summary += std::string(kRefinedCapacitance) + PercentText(r.after.worstCapacitancePercent) +
             std::string(kRefinedWas) + PercentText(r.before.worstCapacitancePercent) + ")";
  if (r.after.worstGateChargePercent) {
    summary += std::string(kRefinedGateCharge) + PercentText(r.after.worstGateChargePercent) +
               std::string(kRefinedWas) + PercentText(r.before.worstGateChargePercent) + ")";
  }
  if (r.after.worstDiodePercent) {
    summary += std::string(kRefinedDiode) + PercentText(r.after.worstDiodePercent) +
               std::string(kRefinedWas) + PercentText(r.before.worstDiodePercent) + ")";
  }
  if (r.hotAfter) {
    summary += std::string(kRefinedHot) + PercentText(r.hotAfter) + std::string(kRefinedWas) +
               PercentText(r.hotBefore) + ")";
  }
  summary += ".";
  if (r.params.chargeElement) {
    summary += std::string(kRefinedElementsOpening) + PercentText(r.bareGateChargePercent) +
               std::string(kRefinedElementsClosing);
  }
  const std::string tradeOffs = TradeOffs(r);
  if (!tradeOffs.empty()) summary += " " + tradeOffs;
  return summary;
}

std::string TradeOffs(const Refinement& r) {
  std::string text;
  for (const std::string* sentence :
       {&r.thresholdTradeOff, &r.tradeOff, &r.junctionTradeOff, &r.hotTradeOff}) {
    if (sentence->empty()) continue;
    if (!text.empty()) text += " ";
    text += *sentence;
  }
  return text;
}

}  // namespace vdmos

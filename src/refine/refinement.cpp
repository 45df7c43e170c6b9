#include "refine/refinement.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "extract/dc_update.h"
#include "extract/junction_fit.h"
#include "model/model_card.h"
#include "model/numbers.h"
#include "refine/minimax_fit.h"
#include "refine/refine_texts.h"

namespace vdmos {
namespace {

// Bounds that keep the parameters physical. The series resistances cannot exceed the whole
// on-resistance, the threshold stays below every gate voltage the datasheet drives current
// at, LAMBDA stays a small correction, and the capacitance curve stays between its end values.
constexpr double kMinResistance = 1e-7;              // Ohm
constexpr double kThresholdMargin = 0.01;            // V below the lowest conducting gate voltage
constexpr double kThresholdReach = 2.0;              // V the threshold may move below the fitted one
constexpr double kMaxLambda = 0.1;                   // 1/V
constexpr double kKpReach = 1e3;                     // factor either side of the fitted KP
constexpr double kCgdMaxReach = 100;                 // times the largest Crss
constexpr double kMinScale = 1e-4, kMaxScale = 1e3;  // a, 1/V
constexpr double kMinCapacitance = 1e-3;             // pF
constexpr double kMaxCjo = 1e8;                      // pF
constexpr double kMinVj = 0.1, kMaxVj = 10;          // V
constexpr double kMinGrading = 0.1, kMaxGrading = 1.5;

std::function<double(double)> Mask(std::string_view mask) {
  return [mask](double v) { return CardRounded(v, mask); };
}

FitVariable Variable(double value, double lower, double upper, bool logScale, std::string_view mask,
                     double step, bool free = true) {
  return {value, lower, upper, logScale, Mask(mask), step, free};
}

std::vector<double> ErrorsAt(const auto& params, const std::vector<DatasheetPoint>& points) {
  std::vector<double> errors;
  for (const DatasheetPoint& point : points)
    errors.push_back(RelativeError(ModelValueAt(params, point), point));
  return errors;
}

double LowestGateVoltage(const std::vector<DatasheetPoint>& dc) {
  double lowest = INFINITY;
  for (const DatasheetPoint& point : dc) lowest = std::min(lowest, point.vgs);
  return lowest;
}

DcParameters RefineDc(const DcParameters& start, bool depletion, const DatasheetPoints& points, bool& ok) {
  const double ron = points.dc.front().value;
  const double vtoHigh = LowestGateVoltage(points.dc) - kThresholdMargin;
  double vtoLow = std::min(start.VTO, vtoHigh) - kThresholdReach;
  if (!depletion) vtoLow = std::max(vtoLow, 0.0);
  enum { kKP, kVTO, kRS, kRD, kLAMBDA };
  std::vector<FitVariable> v{
      Variable(start.KP, start.KP / kKpReach, start.KP * kKpReach, true, card_mask::kKP, 1e-4),
      Variable(start.VTO, std::min(vtoLow, vtoHigh), vtoHigh, false, card_mask::kVTO, 0.01),
      Variable(start.RS, kMinResistance, ron, true, card_mask::kRS, 1e-4),
      Variable(start.RD, kMinResistance, ron, true, card_mask::kRD, 1e-4),
      Variable(start.LAMBDA, 0, std::max(kMaxLambda, 2 * start.LAMBDA), false, kRefinedLambdaMask, 1e-6),
  };
  auto params = [](const std::vector<double>& x) {
    return DcParameters{x[kKP], x[kVTO], x[kRS], x[kRD], x[kLAMBDA]};
  };
  const auto worst =
      FitWithCardRounding(v, [&](const std::vector<double>& x) { return ErrorsAt(params(x), points.dc); },
                          // The coarsest steps first, so the finer ones make up for them.
                          {kVTO, kRS, kRD, kKP, kLAMBDA});
  ok = worst.has_value();
  std::vector<double> x;
  for (const FitVariable& variable : v) x.push_back(variable.value);
  return params(x);
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

CapacitanceParameters RefineCapacitances(const CapacitanceParameters& start, const DatasheetPoints& points,
                                         bool& ok) {
  std::map<PointQuantity, CapacitanceRange> range;
  for (const DatasheetPoint& point : points.capacitance) range[point.quantity].Add(point.value);
  const CapacitanceRange crss = range[PointQuantity::Crss];
  const CapacitanceRange ciss = range[PointQuantity::Ciss];
  const CapacitanceRange coss = range[PointQuantity::Coss];
  // A group of parameters moves only when a datasheet value depends on it.
  const bool gateDrain = crss.given, gateSource = ciss.given, junction = coss.given;
  const double cjoStart = start.Cjo > 0 ? start.Cjo : std::max(coss.highest, 1.0);

  enum { kCGDMAX, kCGDMIN, ka, kCGS, kCjo, kVj, km };
  std::vector<FitVariable> v{
      Variable(start.CGDMAX, crss.highest, kCgdMaxReach * crss.highest, true, card_mask::kCapacitance, 1,
               gateDrain),
      Variable(start.CGDMIN, 0, crss.lowest, false, card_mask::kCapacitance, 1, gateDrain),
      Variable(start.a, kMinScale, kMaxScale, true, card_mask::ka, 0.01, gateDrain),
      Variable(start.CGS, kMinCapacitance, ciss.highest, true, card_mask::kCapacitance, 1, gateSource),
      Variable(cjoStart, kMinCapacitance, kMaxCjo, true, junction_mask::kCjo, 0.1, junction),
      Variable(start.Vj, kMinVj, kMaxVj, true, junction_mask::kVj, 0.01, junction),
      Variable(start.m, kMinGrading, kMaxGrading, false, junction_mask::km, 0.001, junction),
  };
  auto params = [](const std::vector<double>& x) {
    return CapacitanceParameters{x[kCGDMAX], x[kCGDMIN], x[ka], x[kCGS], x[kCjo], x[kVj], x[km]};
  };
  const auto worst = FitWithCardRounding(
      v, [&](const std::vector<double>& x) { return ErrorsAt(params(x), points.capacitance); },
      {kCGDMIN, ka, kCGDMAX, kVj, km, kCGS, kCjo});
  ok = worst.has_value();
  std::vector<double> x;
  for (const FitVariable& variable : v) x.push_back(variable.value);
  CapacitanceParameters refined = params(x);
  if (!junction) refined.Cjo = start.Cjo;
  return refined;
}

/// The values of one quantity must fall as the drain voltage rises.
std::optional<std::string> RisingCapacitance(const DatasheetPoints& points) {
  for (const PointQuantity quantity : {PointQuantity::Ciss, PointQuantity::Coss, PointQuantity::Crss}) {
    std::map<double, double> byVoltage;
    for (const DatasheetPoint& p : points.capacitance) {
      if (p.quantity == quantity) byVoltage[p.vds] = p.value;
    }
    for (auto it = byVoltage.begin(); it != byVoltage.end() && std::next(it) != byVoltage.end(); ++it) {
      if (std::next(it)->second > it->second) {
        return std::string(kRefineCapacitanceOrderOpening) + QuantityName(quantity) +
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
      if (other.quantity != PointQuantity::Crss && other.vds == crss.vds && other.value <= crss.value)
        return true;
    }
  }
  return false;
}

bool Improves(std::optional<double> after, std::optional<double> before) {
  return after && before && *after < *before;
}

ModelParameterSet WithDc(ModelParameterSet p, const DcParameters& dc, bool pmos) {
  p.KP = dc.KP;
  p.VTO = pmos ? -dc.VTO : dc.VTO;
  p.RS = dc.RS;
  p.RD = dc.RD;
  p.LAMBDA = dc.LAMBDA;
  return p;
}

ModelParameterSet WithCapacitances(ModelParameterSet p, const CapacitanceParameters& c) {
  p.CGDMAX = c.CGDMAX;
  p.CGDMIN = c.CGDMIN;
  p.a = c.a;
  p.CGS = c.CGS;
  if (c.Cjo > 0) p.junctionCapText = JunctionCapText(c.m, c.Vj, c.Cjo);
  return p;
}

std::string PercentText(std::optional<double> percent) {
  return percent ? FormatMask(*percent, "0.0##") + " %" : std::string(kNoPointsValue);
}

}  // namespace

std::optional<std::string> ContradictionIn(const DatasheetPoints& points) {
  std::vector<const DatasheetPoint*> transfer;
  for (const DatasheetPoint& p : points.dc) {
    if (p.quantity == PointQuantity::DrainCurrent) transfer.push_back(&p);
  }
  if (transfer.size() == 2 &&
      !(transfer[1]->vgs > transfer[0]->vgs && transfer[1]->value > transfer[0]->value))
    return std::string(kRefineTransferOrderText);
  if (auto rising = RisingCapacitance(points)) return rising;
  if (CrssAboveOthers(points)) return std::string(kRefineCrssAboveText);
  return std::nullopt;
}

RefinementOutcome RefineParameters(const ModelParameterSet& fitted, bool pmos, bool depletion,
                                   const DatasheetPoints& points) {
  if (points.dc.size() < 3 || points.dc.front().quantity != PointQuantity::RdsOn)
    return {std::nullopt, std::string(kRefineNeedsDcPointsText)};
  if (auto contradiction = ContradictionIn(points)) return {std::nullopt, *contradiction};
  const DcParameters dcStart = DcParametersOf(fitted, pmos);
  if (!(dcStart.KP > 0) || !std::isfinite(dcStart.KP)) return {std::nullopt, std::string(kRefineNoFitText)};

  bool dcOk = false, capacitanceOk = true;
  const DcParameters dc = RefineDc(dcStart, depletion, points, dcOk);
  const CapacitanceParameters capacitanceStart = CapacitanceParametersOf(fitted);
  const CapacitanceParameters capacitance = points.capacitance.empty()
                                                ? capacitanceStart
                                                : RefineCapacitances(capacitanceStart, points, capacitanceOk);
  if (!dcOk || !capacitanceOk) return {std::nullopt, std::string(kRefineFailedText)};

  Refinement r;
  r.before = CardErrorsOf(fitted, pmos, points);
  const ModelParameterSet refinedDc = WithDc(fitted, dc, pmos);
  const ModelParameterSet refinedCapacitance = WithCapacitances(fitted, capacitance);

  // Each group is taken only where it is better as printed, so no part of the card gets worse.
  const CardErrors dcErrors = CardErrorsOf(refinedDc, pmos, points);
  const CardErrors capacitanceErrors = CardErrorsOf(refinedCapacitance, pmos, points);
  const bool dcBetter = Improves(dcErrors.worstDcPercent, r.before.worstDcPercent);
  const bool capacitanceBetter =
      Improves(capacitanceErrors.worstCapacitancePercent, r.before.worstCapacitancePercent);
  if (!dcBetter && !capacitanceBetter) {
    return {std::nullopt, std::string(kRefineNoBetterOpening) +
                              FormatMask(r.before.WorstPercent().value_or(0), "0.0##") +
                              std::string(kRefineNoBetterClosing)};
  }
  r.params = fitted;
  if (dcBetter) r.params = WithDc(r.params, dc, pmos);
  if (capacitanceBetter) r.params = WithCapacitances(r.params, capacitance);
  r.lambdaText =
      dcBetter ? CardNumberText(r.params.LAMBDA, kRefinedLambdaMask) : LambdaFieldText(r.params.LAMBDA);
  r.after = CardErrorsOf(r.params, pmos, points);
  return {std::move(r), {}};
}

std::string RefinementSummary(const Refinement& r) {
  return std::string(kRefinedOpening) + PercentText(r.after.worstDcPercent) + std::string(kRefinedWas) +
         PercentText(r.before.worstDcPercent) + ")" + std::string(kRefinedCapacitance) +
         PercentText(r.after.worstCapacitancePercent) + std::string(kRefinedWas) +
         PercentText(r.before.worstCapacitancePercent) + ").";
}

}  // namespace vdmos

#include "refine/point_errors.h"

#include <algorithm>
#include <cmath>

#include "commands/dc_update.h"
#include "extract/bisection.h"
#include "extract/junction_fit.h"
#include "model/hot_device.h"
#include "model/model_card.h"
#include "model/numbers.h"
#include "refine/curve_errors.h"
#include "refine/minimax_fit.h"
#include "verify/model_curves.h"

namespace vdmos {
namespace {

constexpr int kBisectionPasses = 200;

bool Given(const DatasheetPoint& point) {
  return point.value && *point.value > 0 && std::isfinite(*point.value);
}

/// A digitized curve into its group's curves; the body diode's has no group to fit.
void TakeCurve(DatasheetPoints& points, GateChargePoints& charges, DatasheetPoint curve) {
  switch (curve.curveKind) {
    case CurveKind::Transfer:
    case CurveKind::Output:
    case CurveKind::RdsOn:
      points.dcCurves.push_back(std::move(curve));
      break;
    case CurveKind::Ciss:
    case CurveKind::Coss:
    case CurveKind::Crss:
      points.capacitanceCurves.push_back(std::move(curve));
      break;
    case CurveKind::GateCharge:
      charges.curve = std::move(curve);
      break;
    case CurveKind::Diode:
      points.diodeCurves.push_back(std::move(curve));
      break;
  }
}

}  // namespace

DatasheetPoints DatasheetPointsOf(const BenchSetup& s) {
  DatasheetPoints points;
  GateChargePoints charges{{s.chargeId, s.chargeVds, s.gateCurrent}, s.chargeVgs, {}};
  for (DatasheetPoint& point : DatasheetPointList(s)) {
    if (!point.curve.empty()) {
      TakeCurve(points, charges, std::move(point));
      continue;
    }
    switch (point.group) {
      case PointGroup::Dc:
        // A threshold without a usable test current is no target.
        if (Given(point) && (point.quantity != PointQuantity::Vth || point.current > 0))
          points.dc.push_back(std::move(point));
        break;
      case PointGroup::Capacitance:
        if (Given(point)) points.capacitance.push_back(std::move(point));
        break;
      case PointGroup::GateCharge:
        // Whether a charge can be met at all is for the refinement to judge.
        if (point.value) charges.charges.push_back(std::move(point));
        break;
      case PointGroup::None:
        // The diode's forward points are the check's, not the refinement's, until a curve
        // asks for the diode; the hot one belongs to the temperature laws.
        if (point.quantity == PointQuantity::Vsd && point.celsius == kRoomCelsius && Given(point))
          points.diode.push_back(std::move(point));
        break;
    }
  }
  // The on-resistance bounds the series resistances of the DC fit.
  // Not the ranges form: clang 14, which the fuzz build uses, cannot compile the subrange it returns.
  std::stable_partition(points.dc.begin(), points.dc.end(),
                        [](const DatasheetPoint& point) { return point.quantity == PointQuantity::RdsOn; });
  if (!charges.charges.empty() || charges.curve) points.gateCharge = std::move(charges);
  return points;
}

DcParameters DcParametersOf(const ModelParameterSet& params, bool pmos) {
  return {params.KP,     pmos ? -params.VTO : params.VTO,
          params.RS,     params.RD,
          params.LAMBDA, params.KSUBTHRES.value_or(kSimulatorKsubthres)};
}

ChannelLaw ChannelLawOf(const DcParameters& p) { return {p.KP, p.VTO, p.RS, p.RD, p.LAMBDA, p.KSUBTHRES}; }

double SolvedDrainCurrent(const DcParameters& p, double vgs, double vds) {
  const double rt = p.RS + p.RD;
  const ChannelLaw law = ChannelLawOf(p);
  const double undropped = ChannelCurrent(law, vgs, vds);
  // The subthreshold tail lets current flow below VTO too; the bare square law does not.
  if (!(undropped > 0)) return 0;
  // The current makes the drops that lower it: Id - channel(vgs - Id*RS, vds - Id*rt) rises
  // with Id, is negative at 0 and not negative where the whole drain voltage drops on rt.
  if (!(rt > 0)) return undropped;
  auto excess = [&](double id) { return id - ChannelCurrent(law, vgs - id * p.RS, vds - id * rt); };
  const double high = vds / rt;
  // The drops only lower the current, so it lies at or below what the channel drives without them.
  const double above = std::min(undropped, high);
  return BisectIncreasing(
      excess, 0.0, high, kBisectionPasses, [](double low, double high) { return high - low > 1e-13 * high; },
      KnownBracket{0.0, -undropped, above, excess(above)});
}

double ModelValueAt(const DcParameters& p, const DatasheetPoint& point) {
  if (point.quantity == PointQuantity::Vth)
    return ThresholdVoltage(ChannelLawOf(p), point.current).value_or(NAN);
  const double id = SolvedDrainCurrent(p, point.vgs, point.vds);
  if (point.quantity != PointQuantity::RdsOn) return id;
  // As the simulator's bench measures it: the drain voltage over the current it drives.
  return id > 0 ? point.vds / id : INFINITY;
}

double ModelValueAt(const CapacitanceParameters& p, const DatasheetPoint& point) {
  return CapacitanceOf(CapacitancesAt(p, point.vds), point.quantity);
}

double ModelValueAt(const DiodeLaw& p, const DatasheetPoint& point) { return p.Voltage(point.isd); }

GateChargeDevice GateChargeDeviceOf(const DcParameters& dc, const CapacitanceParameters& c, double RG) {
  return {dc.KP, dc.VTO, dc.RS, dc.RD, dc.LAMBDA, RG, c.CGS, c.CGDMAX, c.CGDMIN, c.a, dc.KSUBTHRES};
}

std::vector<double> GateChargeErrors(const GateChargeDevice& device, const GateChargePoints& points) {
  return GateChargeErrors(device, points, GateChargePath(device, points.test, points.vg));
}

std::vector<double> GateChargeErrors(const GateChargeDevice& device, const GateChargePoints& points,
                                     const std::vector<ChannelState>& path) {
  const std::vector<Point> curve = GateChargeCurveAlong(device, points.test, path);
  const GateChargeReading reading = ReadGateCharges(curve, points.vg);
  std::vector<double> errors;
  if (points.curve) errors.push_back(CurveError(curve, *points.curve));
  for (const DatasheetPoint& point : points.charges) {
    if (!reading.charges) {
      errors.push_back(NAN);
      continue;
    }
    errors.push_back(RelativeError(ChargeOf(*reading.charges, point.quantity), point));
  }
  return errors;
}

double RelativeError(double model, const DatasheetPoint& point) {
  return (model - *point.value) / *point.value;
}

template <typename Parameters>
std::optional<double> WorstError(const Parameters& p, const std::vector<DatasheetPoint>& points,
                                 const std::vector<DatasheetPoint>& curves) {
  std::optional<double> worst;
  auto take = [&](double error) {
    // A NaN error is as bad as any: it must never hide behind a comparison.
    worst = std::isnan(error) ? INFINITY : std::max(worst.value_or(0), error);
  };
  for (const DatasheetPoint& point : points) take(std::abs(RelativeError(ModelValueAt(p, point), point)));
  for (const DatasheetPoint& curve : curves) take(CurveError(p, curve));
  return worst;
}
template std::optional<double> WorstError(const DcParameters&, const std::vector<DatasheetPoint>&,
                                          const std::vector<DatasheetPoint>&);
template std::optional<double> WorstError(const CapacitanceParameters&, const std::vector<DatasheetPoint>&,
                                          const std::vector<DatasheetPoint>&);
template std::optional<double> WorstError(const DiodeLaw&, const std::vector<DatasheetPoint>&,
                                          const std::vector<DatasheetPoint>&);

std::optional<double> CardErrors::WorstPercent() const {
  std::optional<double> worst;
  for (const std::optional<double>& percent : {worstDcPercent, thresholdPercent, worstCapacitancePercent,
                                               worstGateChargePercent, worstDiodePercent}) {
    if (percent) worst = std::max(worst.value_or(0), *percent);
  }
  return worst;
}

DcParameters PrintedDcParameters(const ModelParameterSet& params, bool pmos, CardPrecision precision) {
  DcParameters dc = DcParametersOf(params, pmos);
  dc.KP = CardRounded(dc.KP, card_mask::kKP, precision.dc);
  dc.VTO = CardRounded(dc.VTO, card_mask::kVTO, precision.dc);
  dc.RS = CardRounded(dc.RS, card_mask::kRS, precision.dc);
  dc.RD = CardRounded(dc.RD, card_mask::kRD, precision.dc);
  dc.LAMBDA = precision.dc == CardDigits::FourSignificant ? CardRounded(dc.LAMBDA, {}, precision.dc)
                                                          : CardRoundedLambda(dc.LAMBDA);
  if (params.KSUBTHRES) dc.KSUBTHRES = PlainReading(FourSignificantText(*params.KSUBTHRES));
  return dc;
}

CapacitanceParameters PrintedCapacitanceParameters(const ModelParameterSet& params, CardPrecision precision) {
  CapacitanceParameters c = CapacitanceParametersOf(params);
  c.CGDMAX = CardRounded(c.CGDMAX, card_mask::kCapacitance, precision.capacitance);
  c.CGDMIN = CardRounded(c.CGDMIN, card_mask::kCapacitance, precision.capacitance);
  c.CGS = CardRounded(c.CGS, card_mask::kCapacitance, precision.capacitance);
  c.a = CardRounded(c.a, card_mask::ka, precision.capacitance);
  return c;
}

CardErrors CardErrorsOf(const ModelParameterSet& params, bool pmos, const DatasheetPoints& points,
                        CardPrecision precision) {
  const DcParameters dc = PrintedDcParameters(params, pmos, precision);
  const CapacitanceParameters c = PrintedCapacitanceParameters(params, precision);
  CardErrors errors;
  std::vector<DatasheetPoint> driven, threshold;
  for (const DatasheetPoint& point : points.dc)
    (point.quantity == PointQuantity::Vth ? threshold : driven).push_back(point);
  if (auto worst = WorstError(dc, driven, points.dcCurves)) errors.worstDcPercent = *worst * 100;
  if (auto worst = WorstError(dc, threshold)) errors.thresholdPercent = *worst * 100;
  if (auto worst = WorstError(c, points.capacitance, points.capacitanceCurves))
    errors.worstCapacitancePercent = *worst * 100;
  if (points.gateCharge) {
    GateChargeDevice device = GateChargeDeviceOf(dc, c, CardRounded(params.RG, card_mask::kRG));
    if (params.chargeElement) device.element = PrintedChargeElement(*params.chargeElement);
    const std::vector<double> charges = GateChargeErrors(device, *points.gateCharge);
    errors.worstGateChargePercent = WorstOf(charges) * 100;
    // The curve's error, where one is given, comes before the typed charges'.
    const std::size_t first = points.gateCharge->curve ? 1 : 0;
    for (std::size_t i = 0; i < points.gateCharge->charges.size(); ++i)
      if (points.gateCharge->charges[i].quantity == PointQuantity::Qgs)
        errors.qgsPercent = charges[first + i] * 100;
  }
  // The diode text is written in its own digits whatever the precision.
  if (const std::optional<DiodeLaw> diode = BodyDiodeLaw(params); diode && !points.diodeCurves.empty()) {
    if (auto worst = WorstError(*diode, points.diode, points.diodeCurves))
      errors.worstDiodePercent = *worst * 100;
  }
  return errors;
}

double CardRounded(double value, std::string_view mask) { return PlainReading(CardNumberText(value, mask)); }

double CardRounded(double value, std::string_view mask, CardDigits digits) {
  return PlainReading(CardParameterText(value, mask, digits));
}

double CardRoundedLambda(double LAMBDA) { return EngineeringReading(LambdaFieldText(LAMBDA)); }

}  // namespace vdmos

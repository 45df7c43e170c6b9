#include "verify/model_curves.h"

#include <cmath>

#include "extract/bisection.h"
#include "extract/body_diode.h"
#include "extract/constants.h"
#include "extract/dc_equations.h"
#include "extract/temperature_fit.h"
#include "model/card_reading.h"
#include "model/checked_math.h"
#include "model/numbers.h"
#include "verify/datasheet_points.h"
#include "verify/gate_charge_model.h"
#include "verify/verify_texts.h"

namespace vdmos {
namespace {

constexpr int kBisectionPasses = 200;
constexpr double kFaradToPicofarad = 1e12;

/// The function sampled at xs.
Curve SampledCurve(std::string_view label, const std::vector<double>& xs, auto y) {
  Curve curve{std::string(label), {}};
  for (const double x : xs) curve.points.push_back({x, y(x)});
  return curve;
}

Curve DiodeCurve(const ModelParameterSet& params, const LinearSweep& sweep) {
  Curve curve{std::string(kDiodeCurrentLabel), {}};
  const std::optional<DiodeLaw> law = BodyDiodeLaw(params);
  if (!law) return curve;
  for (const double vsd : sweep.Values()) {
    if (const auto isd = law->Current(vsd)) curve.points.push_back({vsd, *isd});
  }
  return curve;
}

/// A digitized curve's points on the plot of its figure; the on-resistance has none.
void CurveMarkers(DatasheetMarkers& m, const DatasheetPoint& point) {
  std::vector<Point>* markers = nullptr;
  switch (point.curveKind) {
    case CurveKind::Transfer:
      markers = &m.transfer;
      break;
    case CurveKind::Output:
      markers = &m.outputCurves;
      break;
    case CurveKind::Ciss:
      markers = &m.ciss;
      break;
    case CurveKind::Coss:
      markers = &m.coss;
      break;
    case CurveKind::Crss:
      markers = &m.crss;
      break;
    case CurveKind::GateCharge:
      markers = &m.gateCharge;
      break;
    case CurveKind::Diode:
      markers = &m.bodyDiode;
      break;
    case CurveKind::RdsOn:
      return;
  }
  markers->insert(markers->end(), point.curve.begin(), point.curve.end());
}

}  // namespace

double GateDrainCapacitance(double CGDMAX, double CGDMIN, double a, double v) {
  const double s = (CGDMAX - CGDMIN) / (1 + kHalfPi);
  return CGDMAX - s - s * std::atan(a * v);
}

double JunctionCapacitance(double Cjo, double Vj, double m, double v) {
  return Cjo / std::pow(1 + v / Vj, m);
}

double SimulatedJunctionPotential(double Vj, double N) {
  // Measured on ngspice 39, whatever IS and the temperature: Vj 5 runs as written, 5.1 as 2.5/N
  // ("junction potential VJ too large, limited to ..."). A fitted Vj of 10.6 V ran as 3.2 V, and
  // its Coss points came out 20 points off what the model said.
  constexpr double kLargestTaken = 5, kLimitTimesN = 2.5;  // V
  return Vj > kLargestTaken && N > 0 ? kLimitTimesN / N : Vj;
}

CapacitanceParameters CapacitanceParametersOf(const ModelParameterSet& params) {
  CapacitanceParameters c{params.CGDMAX, params.CGDMIN, params.a, params.CGS, 0, kNoJunctionVj, kNoJunctionM};
  const auto m = CardTextValue(params.junctionCapText, "m");
  const auto Vj = CardTextValue(params.junctionCapText, "Vj");
  const auto Cjo = CardTextValue(params.junctionCapText, "Cjo");
  if (m && Vj && Cjo && *Vj > 0) {
    c.Cjo = *Cjo * kFaradToPicofarad;
    c.Vj = SimulatedJunctionPotential(*Vj, CardTextValue(params.bodyDiodeText, "N").value_or(1));
    c.m = *m;
  }
  return c;
}

Capacitances CapacitancesAt(const CapacitanceParameters& p, double v) {
  // With the gate on the source the drain-gate voltage is the drain voltage.
  const double crss = GateDrainCapacitance(p.CGDMAX, p.CGDMIN, p.a, v);
  const double cds = p.Cjo == 0 ? 0 : JunctionCapacitance(p.Cjo, p.Vj, p.m, v);
  return {p.CGS + crss, cds + crss, crss};
}

double DiodeLaw::Voltage(double isd) const { return N * ThermalVoltage() * std::log1p(isd / IS) + RB * isd; }

std::optional<double> DiodeLaw::Current(double vsd) const {
  if (!(vsd > 0)) return 0.0;
  const double nVt = N * ThermalVoltage();
  // Without RB the law solves directly; with it, the current lies below both the bare
  // exponential and vsd / RB, and the voltage rises with the current, so bisection holds.
  const double bare = IS * std::expm1(vsd / nVt);
  double high = RB > 0 ? std::min(vsd / RB, bare) : bare;
  if (!std::isfinite(high)) return std::nullopt;
  if (!(RB > 0)) return high;
  return BisectIncreasing([&](double isd) { return Voltage(isd) - vsd; }, 0.0, high, kBisectionPasses,
                          [](double low, double high) { return high - low > 1e-14 * high; });
}

std::optional<DiodeLaw> BodyDiodeLaw(const ModelParameterSet& params) {
  const auto IS = CardTextValue(params.bodyDiodeText, "IS");
  const auto N = CardTextValue(params.bodyDiodeText, "N");
  const auto RB = CardTextValue(params.bodyDiodeText, "RB");
  if (!IS || !N || !RB || !(*IS > 0) || !(*N > 0)) return std::nullopt;
  return DiodeLaw{*IS, *N, *RB};
}

double ModelDrainCurrentAt(const ModelParameterSet& p, bool pmos, double vgs, double vds) {
  const double vto = pmos ? -p.VTO : p.VTO;
  return ModelDrainCurrent(p.RS, p.RD, p.KP, vto, vgs, vds, p.LAMBDA);
}

ChannelLaw ChannelLawOf(const ModelParameterSet& p, bool pmos) {
  return {p.KP, pmos ? -p.VTO : p.VTO, p.RS, p.RD, p.LAMBDA, p.KSUBTHRES.value_or(kSimulatorKsubthres)};
}

namespace {

constexpr double kDefaultEG = 1.11;  // ngspice's body diode EG when the card gives none
constexpr int kZeroTcScanSteps = 400;

double TemperatureParameter(const ModelParameterSet& p, std::string_view key, double absent) {
  return CardTextValue(p.temperatureText, key).value_or(absent);
}

// The normalised on-resistance is drawn over the junction temperatures datasheets plot it for.
constexpr double kColdestPlottedCelsius = -55;
constexpr int kRdsOnRatioSteps = 92;

/// The hot device's curves by the card's temperature laws: the transfer curve at the hot
/// temperature, and Rds(on) over its 25 C value from the coldest to the hottest plotted
/// temperature (without the temperatures where the channel carries no current).
void HotCurves(const ModelParameterSet& p, const BenchSetup& s, Characteristics& c) {
  const ChannelLaw room = ChannelLawOf(p, s.pmos);
  const ChannelTemperature law = ChannelTemperatureOf(p.temperatureText);
  const double celsius = s.hot->celsius;
  c.hotTransfer = SampledCurve(HotTransferLabel(celsius), s.transferVgs.Values(), [&](double vgs) {
    return HotDrainCurrent(room, law, celsius, vgs, s.vdsTest);
  });
  c.rdsOnRatio.label = kRdsOnRatioLabel;
  const auto current = [&](double tj) {
    return HotDrainCurrent(room, law, tj, s.rdsonVgs, kOnResistanceDrainVoltage);
  };
  const double roomCurrent = current(kRoomCelsius);
  if (!(roomCurrent > 0)) return;
  for (int i = 0; i <= kRdsOnRatioSteps; ++i) {
    const double tj =
        kColdestPlottedCelsius + (kHottestPlottedCelsius - kColdestPlottedCelsius) * i / kRdsOnRatioSteps;
    const double id = current(tj);
    if (id > 0) c.rdsOnRatio.points.push_back({tj, roomCurrent / id});
  }
}

/// The last gate voltage up to `top` at which the hot and the 25 C transfer currents cross.
std::optional<double> ZeroTcGateVoltage(const ChannelLaw& room, const ChannelTemperature& law, double celsius,
                                        double vds, double top) {
  const auto gain = [&](double vgs) {
    return HotDrainCurrent(room, law, celsius, vgs, vds) - HotDrainCurrent(room, {}, kRoomCelsius, vgs, vds);
  };
  std::optional<double> crossing;
  double previous = gain(room.VTO);
  for (int i = 1; i <= kZeroTcScanSteps; ++i) {
    const double low = room.VTO + (top - room.VTO) * (i - 1) / kZeroTcScanSteps;
    const double high = room.VTO + (top - room.VTO) * i / kZeroTcScanSteps;
    const double now = gain(high);
    if (previous > 0 && now <= 0) {
      double a = low, b = high;
      for (int pass = 0; pass < 60; ++pass) (gain((a + b) / 2) > 0 ? a : b) = (a + b) / 2;
      crossing = (a + b) / 2;
    }
    previous = now;
  }
  return crossing;
}

}  // namespace

std::optional<double> HotModelValue(const ModelParameterSet& p, const BenchSetup& s,
                                    const DatasheetPoint& point) {
  const ChannelLaw room = ChannelLawOf(p, s.pmos);
  const ChannelTemperature law = ChannelTemperatureOf(p.temperatureText);
  const double celsius = point.celsius;
  switch (point.quantity) {
    case PointQuantity::RdsOn: {
      const double id = HotDrainCurrent(room, law, celsius, point.vgs, point.vds);
      return id > 0 ? std::optional(point.vds / id) : std::nullopt;
    }
    case PointQuantity::Vth:
      return ThresholdVoltage(ChannelAt(room, law, celsius), point.current);
    case PointQuantity::Vsd: {
      // The card carries the diode's N for its nominal 25 C (DiodeTextAtNominal).
      const std::optional<DiodeLaw> diode = BodyDiodeLaw(p);
      if (!diode) return std::nullopt;
      return HotDiodeVoltage(diode->IS, EmissionAtNominal(diode->N), diode->RB,
                             TemperatureParameter(p, "EG", kDefaultEG), celsius, point.isd);
    }
    case PointQuantity::ZeroTcVgs:
      return ZeroTcGateVoltage(room, law, celsius, point.vds, s.transferVgs.stop);
    case PointQuantity::Breakdown: {
      const double tcv = CardTextValue(s.hot->breakdownModel, "TCV").value_or(0);
      return s.hot->ratedVoltage - tcv * (celsius - kRoomCelsius);
    }
    default:
      return std::nullopt;
  }
}

std::string HotTransferLabel(double celsius) {
  return std::string(kHotDrainCurrentOpening) + DefaultNumberText(celsius) +
         std::string(kHotDrainCurrentClosing);
}

Characteristics ModelCharacteristics(const ModelParameterSet& p, const BenchSetup& s) {
  Characteristics c;
  c.transfer = SampledCurve(kDrainCurrentLabel, s.transferVgs.Values(),
                            [&](double vgs) { return ModelDrainCurrentAt(p, s.pmos, vgs, s.vdsTest); });
  const std::vector<double> drainVoltages = s.outputVds.Values();
  for (const double vgs : s.gateSteps) {
    c.output.push_back(SampledCurve(std::string(kGateVoltageLabel) + DefaultNumberText(vgs) + " V",
                                    drainVoltages,
                                    [&](double vds) { return ModelDrainCurrentAt(p, s.pmos, vgs, vds); }));
  }
  const CapacitanceParameters capacitance = CapacitanceParametersOf(p);
  c.crss = SampledCurve(kCrssQuantity, s.capacitanceVds,
                        [&](double v) { return CapacitancesAt(capacitance, v).crss; });
  c.ciss = SampledCurve(kCissQuantity, s.capacitanceVds,
                        [&](double v) { return CapacitancesAt(capacitance, v).ciss; });
  c.coss = SampledCurve(kCossQuantity, s.capacitanceVds,
                        [&](double v) { return CapacitancesAt(capacitance, v).coss; });
  c.bodyDiode = DiodeCurve(p, s.diodeVsd);
  c.gateCharge = {std::string(kGateChargeLabel),
                  ModelGateChargeCurve(GateChargeDeviceOf(p, s.pmos),
                                       {s.chargeId, s.chargeVds, s.gateCurrent}, GateChargeTop(s))};
  if (s.hot) HotCurves(p, s, c);
  return c;
}

DatasheetMarkers DatasheetMarkersOf(const ModelParameterSet& p, const BenchSetup& s) {
  DatasheetMarkers m;
  for (const DatasheetPoint& point : DatasheetPointList(s)) {
    if (!point.curve.empty()) {
      CurveMarkers(m, point);
      continue;
    }
    switch (point.quantity) {
      case PointQuantity::DrainCurrent:
        if (point.bench == Bench::Transfer) {
          if (point.value) m.transfer.push_back({point.vgs, *point.value});
        } else {
          m.output.push_back({point.vds, ModelDrainCurrentAt(p, s.pmos, point.vgs, point.vds)});
        }
        break;
      case PointQuantity::Vsd:
        // A hot point is no point of the 25 C curve.
        if (point.value && point.celsius == kRoomCelsius) m.bodyDiode.push_back({*point.value, point.isd});
        break;
      case PointQuantity::Vth:
        if (point.value && point.current > 0 && point.celsius == kRoomCelsius)
          m.transfer.push_back({*point.value, point.current});
        break;
      case PointQuantity::Ciss:
      case PointQuantity::Coss:
      case PointQuantity::Crss: {
        std::vector<Point>& markers = point.quantity == PointQuantity::Ciss   ? m.ciss
                                      : point.quantity == PointQuantity::Coss ? m.coss
                                                                              : m.crss;
        if (point.value) markers.push_back({point.vds, *point.value});
        break;
      }
      default:
        // The on-resistance has no place on a curve; the gate charges mark the plateau below.
        break;
    }
  }
  auto given = [](const std::optional<double>& charge) { return charge && *charge > 0; };
  if (given(s.qgs)) m.gateCharge.push_back({*s.qgs, s.plateauVgs});
  if (given(s.qgs) && given(s.qgd)) m.gateCharge.push_back({*s.qgs + *s.qgd, s.plateauVgs});
  if (given(s.qg)) m.gateCharge.push_back({*s.qg, s.chargeVgs});
  if (s.hot) {
    m.rdsOnRatio.push_back({kRoomCelsius, 1});
    for (const auto& [tj, ratio] : s.hot->rdsOnRatios) m.rdsOnRatio.push_back({tj, ratio});
  }
  return m;
}

ModelCurves ComputeModelCurves(const WindowState& state) {
  try {
    const BenchSetup setup = ReadBenchSetup(state);
    const ModelParameterSet printed = ParametersAsPrinted(state.params, state.card);
    return {ModelCharacteristics(printed, setup), DatasheetMarkersOf(printed, setup), {}};
  } catch (const ArithmeticFault&) {
    return {{}, {}, std::string(kFieldOverflowText)};
  }
}

}  // namespace vdmos

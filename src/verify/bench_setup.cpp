#include "verify/bench_setup.h"

#include <algorithm>
#include <cmath>

#include "model/ascii_case.h"
#include "model/card_reading.h"
#include "model/control_names.h"
#include "model/fet_type.h"
#include "model/field_reading.h"
#include "model/hot_device.h"
#include "model/subcircuit.h"
#include "verify/gate_charge_model.h"
#include "verify/verify_texts.h"

namespace vdmos {
namespace {

constexpr int kTransferSteps = 200;
constexpr int kOutputSteps = 100;
constexpr int kDiodeSteps = 600;
// Steps of a few millivolts: the reading between two steps then misses the threshold by
// microvolts even on the subthreshold tail's exponential.
constexpr int kThresholdSteps = 4000;
constexpr double kThresholdSweepReach = 2;  // times the datasheet's threshold, at least
constexpr int kCapacitanceSweepPoints = 32;
constexpr double kCapacitanceSweepStart = 0.01;  // V; the geometric part starts here
constexpr double kDiodeSweepReach = 1.5;         // times the largest datasheet forward voltage
// Not "dbody", the ngspice subcircuit's name of it: a card of that name is checked all the same.
constexpr std::string_view kHotBreakdownDiode = "dbreak";
constexpr int kOutputCurvesWanted = 10;
// The gate charge test runs past the gate voltage of Qg, and at least to this voltage.
constexpr double kGateChargeRunReach = 1.25;
constexpr double kGateChargeRunLeast = 10;  // V

/// The value of a field the datasheet may leave empty; nullopt when it is.
std::optional<double> GivenValue(const WindowState& state, std::string_view control) {
  if (state.text(control).empty()) return std::nullopt;
  return FieldValue(state, control);
}

/// Sorted, with values close to an earlier one left out.
std::vector<double> SortedDistinct(const std::vector<double>& values) {
  std::vector<double> kept;
  for (const double v : values) {
    if (std::none_of(kept.begin(), kept.end(), [&](double k) { return SameVoltage(k, v); }))
      kept.push_back(v);
  }
  std::sort(kept.begin(), kept.end());
  return kept;
}

/// 0 V, the grid voltages exactly (the comparison is made there), and a geometric sweep up to
/// the largest grid voltage.
std::vector<double> CapacitanceVoltages(const std::array<CapacitanceGridRow, 3>& grid) {
  const double top = std::max({grid[0].vds, grid[1].vds, grid[2].vds});
  std::vector<double> voltages{0.0, grid[0].vds, grid[1].vds, grid[2].vds};
  if (top > kCapacitanceSweepStart) {
    const double ratio = std::pow(top / kCapacitanceSweepStart, 1.0 / (kCapacitanceSweepPoints - 1));
    for (int i = 0; i < kCapacitanceSweepPoints; ++i)
      voltages.push_back(kCapacitanceSweepStart * std::pow(ratio, i));
  }
  return SortedDistinct(voltages);
}

/// The curves as magnitudes along rising x.
std::vector<DatasheetCurve> CurveMagnitudes(const std::vector<DatasheetCurve>& curves) {
  std::vector<DatasheetCurve> magnitudes = curves;
  for (DatasheetCurve& curve : magnitudes) {
    for (CurvePoint& point : curve.points) point = {std::abs(point.x), std::abs(point.y)};
    std::ranges::sort(curve.points, {}, &CurvePoint::x);
  }
  return magnitudes;
}

/// The largest x of the curves of a kind; 0 when there is none.
double LargestX(const std::vector<DatasheetCurve>& curves, std::initializer_list<CurveKind> kinds) {
  double largest = 0;
  for (const DatasheetCurve& curve : curves)
    if (std::ranges::find(kinds, curve.kind) != kinds.end() && !curve.points.empty())
      largest = std::max(largest, curve.points.back().x);
  return largest;
}

/// Widens the sweeps and grids so that ngspice's curves reach every point of the curves.
void TakeCurves(BenchSetup& s, const std::vector<DatasheetCurve>& curves) {
  s.curves = CurveMagnitudes(curves);
  if (s.curves.empty()) return;
  s.transferVgs.stop = std::max(s.transferVgs.stop, LargestX(s.curves, {CurveKind::Transfer}));
  s.outputVds.stop = std::max(s.outputVds.stop, LargestX(s.curves, {CurveKind::Output}));
  s.diodeVsd.stop = std::max(s.diodeVsd.stop, LargestX(s.curves, {CurveKind::Diode}));
  std::vector<double> gates = s.gateSteps;
  std::vector<double> voltages = s.capacitanceVds;
  for (const DatasheetCurve& curve : s.curves) {
    if (curve.kind == CurveKind::Output) gates.push_back(curve.gateVoltage);
    if (IsCapacitanceCurve(curve.kind))
      for (const CurvePoint& point : curve.points) voltages.push_back(point.x);
  }
  s.gateSteps = SortedDistinct(gates);
  s.capacitanceVds = SortedDistinct(voltages);
}

}  // namespace

double GateChargeTop(const BenchSetup& s) {
  return std::max(kGateChargeRunReach * s.chargeVgs, kGateChargeRunLeast);
}

bool SameVoltage(double a, double b) {
  return std::abs(a - b) <= 1e-9 * std::max({std::abs(a), std::abs(b), 1.0});
}

std::vector<double> LinearSweep::Values() const {
  std::vector<double> values;
  if (!(stop > 0)) return values;
  for (int i = 0; i <= steps; ++i) values.push_back(stop * i / steps);
  return values;
}

std::vector<double> OutputGateSteps(double rdsonVgs, double checkVgs) {
  std::vector<double> steps;
  if (rdsonVgs > 0) {
    const double step = std::max(1.0, std::ceil(rdsonVgs / kOutputCurvesWanted));
    for (int k = 1; k * step < rdsonVgs; ++k) steps.push_back(k * step);
    steps.push_back(rdsonVgs);
  }
  if (checkVgs > 0) steps.push_back(checkVgs);
  return SortedDistinct(steps);
}

namespace {

/// The hot check of the fields; a field the card's fit refuses is checked all the same, so
/// that the table shows what the datasheet asks.
std::optional<HotCheck> ReadHotCheck(const WindowState& state) {
  const std::optional<double> celsius = HotCelsius(state);
  if (!celsius) return std::nullopt;
  HotCheck hot;
  hot.celsius = *celsius;
  if (const auto ratio = GivenValue(state, control::RdsHotRatio)) {
    hot.rdsOn = *ratio * FieldValue(state, control::Text6);
    hot.rdsOnRatios.emplace_back(*celsius, *ratio);
  }
  const std::optional<double> tj2 = GivenValue(state, control::Tj2);
  if (const auto ratio = GivenValue(state, control::RdsRatio2); ratio && tj2 && UsableHotCelsius(*tj2))
    hot.rdsOnRatios.emplace_back(*tj2, *ratio);
  hot.vgsTh = GivenValue(state, control::VthHot);
  hot.vsd = GivenValue(state, control::VsdHot);
  hot.isd = GivenValue(state, control::IsdHot);
  if (!hot.vsd || !hot.isd || !(*hot.isd > 0)) hot.vsd = hot.isd = std::nullopt;
  hot.ztcVgs = GivenValue(state, control::ZtcVgs);
  // The subcircuit's breakdown diode and this row take the same value, or neither.
  if (const std::optional<HotBreakdown> breakdown = HotBreakdownOf(state)) hot.breakdown = breakdown->voltage;
  hot.idss = GivenValue(state, control::IdssHot);
  hot.ratedVoltage = std::fabs(FieldValue(state, control::avalanche_volt));
  if (hot.ratedVoltage > 0 && (hot.breakdown || hot.idss)) {
    // ngspice's model names ignore case; a card of the diode's name keeps its own.
    const std::string card = AsciiLower(CardModelName(state.card).value_or(state.text(control::Text20)));
    hot.breakdownDiode =
        card == kHotBreakdownDiode ? std::string(kHotBreakdownDiode) + "2" : kHotBreakdownDiode;
    hot.breakdownModel =
        NgspiceBreakdownDiodeModel(hot.breakdownDiode, hot.ratedVoltage, HotBreakdownOf(state));
  } else
    hot.breakdown = hot.idss = std::nullopt;
  return hot;
}

}  // namespace

BenchSetup ReadBenchSetup(const WindowState& state) {
  BenchSetup s;
  const bool hasCard = CardModelName(state.card).has_value();
  s.pmos = hasCard ? CardIsPChannel(state.card) : IsPChannelType(state.text(control::Combo1));

  s.vdsTest = FieldValue(state, control::TextBoxVdsTest);
  s.plateauVgs = FieldValue(state, control::Vplat);
  s.plateauId = FieldValue(state, control::Idplat);
  s.maxVgs = FieldValue(state, control::Text5);
  s.maxId = FieldValue(state, control::Text4);

  s.vth = GivenValue(state, control::Text3);
  s.vthCurrent = FieldValue(state, control::VthCurrent);

  s.rdsOn = FieldValue(state, control::Text6);
  s.rdsonVgs = FieldValue(state, control::rdsonVgs);
  s.checkVgs = FieldValue(state, control::Out_VGS);
  s.checkVds = {FieldValue(state, control::OUT_VDS1), FieldValue(state, control::OUT_VDS2)};
  const double vdsRange = FieldValue(state, control::VdsRange);
  s.transferVgs = {std::max({s.rdsonVgs, s.plateauVgs, s.maxVgs}), kTransferSteps};
  s.thresholdVgs = {std::max(s.transferVgs.stop, kThresholdSweepReach * s.vth.value_or(0)), kThresholdSteps};
  s.gateSteps = OutputGateSteps(s.rdsonVgs, s.checkVgs);
  s.outputVds = {std::max({vdsRange, s.checkVds[0], s.checkVds[1]}), kOutputSteps};

  s.chargeId = FieldValue(state, control::IdCharge);
  s.chargeVds = FieldValue(state, control::VdCharge);
  s.chargeVgs = FieldValue(state, control::VgCharge);
  s.qgs = GivenValue(state, control::Qgs);
  s.qgd = GivenValue(state, control::Qgd);
  s.qg = GivenValue(state, control::Qg);
  s.chargeElement = state.params.chargeElement;
  s.gateCurrent = GateChargeBenchCurrent(GateChargeDeviceOf(state.params, s.pmos), s.chargeId, s.chargeVds,
                                         GateChargeTop(s));

  s.grid[0] = {0.0, std::nullopt, FieldValue(state, control::Text21), FieldValue(state, control::Text10)};
  s.grid[1] = {FieldValue(state, control::TextVdsMiddle), FieldValue(state, control::Text7),
               FieldValue(state, control::Text8), FieldValue(state, control::Text9)};
  s.grid[2] = {FieldValue(state, control::TextVdsMax), std::nullopt, FieldValue(state, control::TextCossMin),
               FieldValue(state, control::Text11)};
  s.capacitanceVds = CapacitanceVoltages(s.grid);

  s.diodePointVsd = {FieldValue(state, control::vd1), FieldValue(state, control::vd2),
                     FieldValue(state, control::vd3)};
  s.diodePointIsd = {FieldValue(state, control::id1), FieldValue(state, control::id2),
                     FieldValue(state, control::id3)};
  const double largestVsd = *std::max_element(s.diodePointVsd.begin(), s.diodePointVsd.end());
  s.diodeVsd = {kDiodeSweepReach * largestVsd, kDiodeSteps};
  s.hot = ReadHotCheck(state);
  TakeCurves(s, state.curves);
  return s;
}

std::optional<std::string> BenchSetupProblem(const BenchSetup& s) {
  if (!(s.vdsTest > 0)) return std::string(kVdsTestNotPositiveText);
  if (!(s.transferVgs.stop > 0)) return std::string(kTransferGateNotPositiveText);
  if (!(s.rdsonVgs > 0)) return std::string(kRdsonVgsNotPositiveText);
  if (!(s.outputVds.stop > 0)) return std::string(kOutputDrainNotPositiveText);
  const bool gridVoltagesFine =
      s.grid[1].vds >= 0 && s.grid[2].vds >= 0 && (s.grid[1].vds > 0 || s.grid[2].vds > 0);
  if (!gridVoltagesFine) return std::string(kCapacitanceVdsNotPositiveText);
  if (!(s.diodeVsd.stop > 0)) return std::string(kDiodeVsdNotPositiveText);
  return std::nullopt;
}

std::optional<std::string> GateChargeSetupProblem(const BenchSetup& s) {
  if (!(s.chargeId > 0 && s.chargeVds > 0)) return std::string(kGateChargeNotPositiveText);
  return std::nullopt;
}

}  // namespace vdmos

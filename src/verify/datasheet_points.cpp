#include "verify/datasheet_points.h"

#include "model/numbers.h"
#include "verify/verify_texts.h"

namespace vdmos {
namespace {

namespace out = netlist_output;

std::string Volts(double value) { return DefaultNumberText(value) + " V"; }
std::string Amps(double value) { return DefaultNumberText(value) + " A"; }

void AddTransfer(std::vector<DatasheetPoint>& points, const BenchSetup& s) {
  const std::string drain = ", Vds = " + Volts(s.vdsTest);
  auto add = [&](double vgs, double id, std::string_view note, std::string_view printed) {
    points.push_back({PointQuantity::DrainCurrent, Bench::Transfer, PointGroup::Dc,
                      "Vgs = " + Volts(vgs) + drain + std::string(note), vgs, s.vdsTest, 0, id, printed});
  };
  add(s.plateauVgs, s.plateauId, kPlateauPointNote, out::kIdPlateau);
  add(s.maxVgs, s.maxId, kMaxCurrentPointNote, out::kIdMax);
}

void AddOutput(std::vector<DatasheetPoint>& points, const BenchSetup& s) {
  points.push_back({PointQuantity::RdsOn, Bench::Output, PointGroup::Dc,
                    "Vgs = " + Volts(s.rdsonVgs) + ", Vds = " + Volts(kRdsOnDrainVoltage), s.rdsonVgs,
                    kRdsOnDrainVoltage, 0, s.rdsOn, out::kIdRdsOn});
  points.push_back({PointQuantity::Vth, Bench::Output, PointGroup::Dc,
                    "Id = " + Amps(s.vthCurrent) + std::string(kVthDrainNote), 0, 0, 0, s.vth, out::kVth,
                    s.vthCurrent});
  // The datasheet gives only the voltages of the check points: the model's current is the
  // reference there.
  for (std::size_t i = 0; i < s.checkVds.size(); ++i) {
    points.push_back({PointQuantity::DrainCurrent, Bench::Output, PointGroup::None,
                      "Vgs = " + Volts(s.checkVgs) + ", Vds = " + Volts(s.checkVds[i]) +
                          std::string(kCheckPointNote) + std::to_string(i + 1) + ")",
                      s.checkVgs, s.checkVds[i], 0, std::nullopt, out::kIdCheck[i]});
  }
  for (std::size_t i = 0; i < s.diodePointIsd.size(); ++i) {
    points.push_back({PointQuantity::Vsd, Bench::Output, PointGroup::None,
                      "Isd = " + Amps(s.diodePointIsd[i]), 0, 0, s.diodePointIsd[i], s.diodePointVsd[i],
                      out::kVsd[i]});
  }
}

void AddGateCharge(std::vector<DatasheetPoint>& points, const BenchSetup& s) {
  const std::string condition =
      "Id = " + Amps(s.chargeId) + ", Vd = " + Volts(s.chargeVds) + ", Vgs = " + Volts(s.chargeVgs);
  for (const auto& [quantity, value] :
       {std::pair{PointQuantity::Qgs, s.qgs}, std::pair{PointQuantity::Qgd, s.qgd},
        std::pair{PointQuantity::Qg, s.qg}}) {
    points.push_back({quantity,
                      Bench::GateCharge,
                      PointGroup::GateCharge,
                      condition,
                      s.chargeVgs,
                      s.chargeVds,
                      0,
                      value,
                      {}});
  }
}

void AddCapacitances(std::vector<DatasheetPoint>& points, const BenchSetup& s) {
  for (const CapacitanceGridRow& row : s.grid) {
    for (const auto& [quantity, value] :
         {std::pair{PointQuantity::Ciss, row.ciss}, std::pair{PointQuantity::Coss, row.coss},
          std::pair{PointQuantity::Crss, row.crss}}) {
      points.push_back({quantity,
                        Bench::Capacitance,
                        PointGroup::Capacitance,
                        "Vds = " + Volts(row.vds),
                        0,
                        row.vds,
                        0,
                        value,
                        {}});
    }
  }
}

PointQuantity CurveQuantity(CurveKind kind) {
  switch (kind) {
    case CurveKind::Transfer:
    case CurveKind::Output:
      return PointQuantity::DrainCurrent;
    case CurveKind::RdsOn:
      return PointQuantity::RdsOn;
    case CurveKind::Ciss:
      return PointQuantity::Ciss;
    case CurveKind::Coss:
      return PointQuantity::Coss;
    case CurveKind::Crss:
      return PointQuantity::Crss;
    case CurveKind::GateCharge:
      return PointQuantity::Vgs;
    case CurveKind::Diode:
      return PointQuantity::Isd;
  }
  return PointQuantity::DrainCurrent;
}

Bench CurveBench(CurveKind kind) {
  switch (kind) {
    case CurveKind::Transfer:
      return Bench::Transfer;
    case CurveKind::Ciss:
    case CurveKind::Coss:
    case CurveKind::Crss:
      return Bench::Capacitance;
    case CurveKind::GateCharge:
      return Bench::GateCharge;
    case CurveKind::Output:
    case CurveKind::RdsOn:
    case CurveKind::Diode:
      return Bench::Output;
  }
  return Bench::Output;
}

/// The figure's test condition, as the single points of the same bench state theirs.
std::string CurveCondition(const DatasheetCurve& curve, const BenchSetup& s) {
  switch (curve.kind) {
    case CurveKind::Transfer:
      return "Vds = " + Volts(s.vdsTest);
    case CurveKind::Output:
      return "Vgs = " + Volts(curve.gateVoltage);
    case CurveKind::RdsOn:
      return "Vgs = " + Volts(s.rdsonVgs);
    case CurveKind::GateCharge:
      return "Id = " + Amps(s.chargeId) + ", Vd = " + Volts(s.chargeVds);
    case CurveKind::Ciss:
    case CurveKind::Coss:
    case CurveKind::Crss:
    case CurveKind::Diode:
      break;
  }
  return {};
}

void AddCurves(std::vector<DatasheetPoint>& points, const BenchSetup& s) {
  for (const DatasheetCurve& curve : s.curves) {
    DatasheetPoint point;
    point.quantity = CurveQuantity(curve.kind);
    point.bench = CurveBench(curve.kind);
    point.condition = CurveCondition(curve, s);
    point.condition += (point.condition.empty() ? "" : ", ") + std::string(kCurveOpening) +
                       std::to_string(curve.points.size()) + std::string(kCurvePointsClosing);
    point.vgs = curve.kind == CurveKind::Output       ? curve.gateVoltage
                : curve.kind == CurveKind::RdsOn      ? s.rdsonVgs
                : curve.kind == CurveKind::GateCharge ? s.chargeVgs
                                                      : 0;
    point.vds = curve.kind == CurveKind::Transfer ? s.vdsTest : 0;
    point.curveKind = curve.kind;
    for (const CurvePoint& p : curve.points) point.curve.push_back({p.x, p.y});
    points.push_back(std::move(point));
  }
}

/// The hot check's points, all measured in the output bench's run; the refinement does not
/// weigh them.
void AddHot(std::vector<DatasheetPoint>& points, const BenchSetup& s) {
  if (!s.hot) return;
  const HotCheck& hot = *s.hot;
  const std::string tj = "Tj = " + DefaultNumberText(hot.celsius) + " C, ";
  auto add = [&](PointQuantity quantity, std::string condition, double vgs, double vds, double isd,
                 std::optional<double> value, std::string_view printed, double current = 0) {
    points.push_back({quantity,
                      Bench::Output,
                      PointGroup::None,
                      tj + condition,
                      vgs,
                      vds,
                      isd,
                      value,
                      printed,
                      current,
                      CurveKind::Transfer,
                      {},
                      hot.celsius});
  };
  if (hot.rdsOn)
    add(PointQuantity::RdsOn, "Vgs = " + Volts(s.rdsonVgs) + ", Vds = " + Volts(kRdsOnDrainVoltage),
        s.rdsonVgs, kRdsOnDrainVoltage, 0, hot.rdsOn, out::kIdRdsOnHot);
  if (hot.vgsTh)
    add(PointQuantity::Vth, "Id = " + Amps(s.vthCurrent) + std::string(kVthDrainNote), 0, 0, 0, hot.vgsTh,
        out::kVthHot, s.vthCurrent);
  if (hot.vsd) add(PointQuantity::Vsd, "Isd = " + Amps(*hot.isd), 0, 0, *hot.isd, hot.vsd, out::kVsdHot);
  if (hot.ztcVgs)
    add(PointQuantity::ZeroTcVgs, "Vds = " + Volts(s.vdsTest) + ", Id the same as at 25 C", 0, s.vdsTest, 0,
        hot.ztcVgs, out::kZtcVgs);
  if (hot.breakdown)
    add(PointQuantity::Breakdown, "Id = " + Amps(kBreakdownCurrent) + ", Vgs = 0 V", 0, 0, 0, hot.breakdown,
        out::kBvHot);
  if (hot.idss)
    add(PointQuantity::Idss, "Vds = " + Volts(hot.ratedVoltage) + ", Vgs = 0 V", 0, hot.ratedVoltage, 0,
        hot.idss, out::kIdssHot);
}

}  // namespace

std::string_view QuantityName(PointQuantity quantity) {
  switch (quantity) {
    case PointQuantity::RdsOn:
      return kRdsOnQuantity;
    case PointQuantity::DrainCurrent:
      return kIdQuantity;
    case PointQuantity::Vsd:
      return kVsdQuantity;
    case PointQuantity::Qgs:
      return kQgsQuantity;
    case PointQuantity::Qgd:
      return kQgdQuantity;
    case PointQuantity::Qg:
      return kQgQuantity;
    case PointQuantity::Ciss:
      return kCissQuantity;
    case PointQuantity::Coss:
      return kCossQuantity;
    case PointQuantity::Crss:
      return kCrssQuantity;
    case PointQuantity::Vgs:
      return kVgsQuantity;
    case PointQuantity::Isd:
      return kIsdQuantity;
    case PointQuantity::Vth:
      return kVthQuantity;
    case PointQuantity::ZeroTcVgs:
      return kZeroTcQuantity;
    case PointQuantity::Breakdown:
      return kBreakdownQuantity;
    case PointQuantity::Idss:
      return kIdssQuantity;
  }
  return {};
}

std::string_view QuantityUnit(PointQuantity quantity) {
  switch (quantity) {
    case PointQuantity::RdsOn:
      return "Ohm";
    case PointQuantity::DrainCurrent:
    case PointQuantity::Isd:
    case PointQuantity::Idss:
      return "A";
    case PointQuantity::Vsd:
    case PointQuantity::Vgs:
    case PointQuantity::Vth:
    case PointQuantity::ZeroTcVgs:
    case PointQuantity::Breakdown:
      return "V";
    case PointQuantity::Qgs:
    case PointQuantity::Qgd:
    case PointQuantity::Qg:
      return "nC";
    case PointQuantity::Ciss:
    case PointQuantity::Coss:
    case PointQuantity::Crss:
      return "pF";
  }
  return {};
}

std::vector<DatasheetPoint> DatasheetPointList(const BenchSetup& setup) {
  std::vector<DatasheetPoint> points;
  AddTransfer(points, setup);
  AddOutput(points, setup);
  AddGateCharge(points, setup);
  AddCapacitances(points, setup);
  AddCurves(points, setup);
  AddHot(points, setup);
  return points;
}

double CapacitanceOf(const Capacitances& c, PointQuantity quantity) {
  return quantity == PointQuantity::Ciss ? c.ciss : quantity == PointQuantity::Coss ? c.coss : c.crss;
}

double ChargeOf(const GateCharges& q, PointQuantity quantity) {
  return quantity == PointQuantity::Qgs ? q.qgs : quantity == PointQuantity::Qgd ? q.qgd : q.qg;
}

}  // namespace vdmos

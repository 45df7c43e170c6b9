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
    case PointQuantity::Vth:
      return kVthQuantity;
  }
  return {};
}

std::string_view QuantityUnit(PointQuantity quantity) {
  switch (quantity) {
    case PointQuantity::RdsOn:
      return "Ohm";
    case PointQuantity::DrainCurrent:
      return "A";
    case PointQuantity::Vsd:
    case PointQuantity::Vth:
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
  return points;
}

double CapacitanceOf(const Capacitances& c, PointQuantity quantity) {
  return quantity == PointQuantity::Ciss ? c.ciss : quantity == PointQuantity::Coss ? c.coss : c.crss;
}

double ChargeOf(const GateCharges& q, PointQuantity quantity) {
  return quantity == PointQuantity::Qgs ? q.qgs : quantity == PointQuantity::Qgd ? q.qgd : q.qg;
}

}  // namespace vdmos

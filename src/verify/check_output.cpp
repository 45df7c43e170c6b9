#include "verify/check_output.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "extract/dc_equations.h"
#include "model/numbers.h"
#include "verify/gate_charge_model.h"
#include "verify/gate_charge_reading.h"
#include "verify/model_curves.h"
#include "verify/ngspice_netlists.h"
#include "verify/ngspice_output.h"
#include "verify/verify_texts.h"

namespace vdmos {
namespace {

namespace out = netlist_output;

/// Thrown while reading a run's output when something the netlist prints is not there.
struct Missing {
  Bench bench;
  std::string what;
};

/// The output of the four runs, read with the bench named in any complaint.
class RunOutput {
 public:
  RunOutput(Bench bench, std::string_view text) : bench_(bench), sections_(ParseNgspiceOutput(text)) {}

  /// A value printed in the "points" sections; Missing when it is absent or not finite.
  double Value(std::string_view name) const {
    if (auto value = OptionalValue(name)) return *value;
    throw Missing{bench_, "\"" + std::string(name) + "\""};
  }
  std::optional<double> OptionalValue(std::string_view name) const {
    for (const OutputSection& section : sections_) {
      const auto it = section.values.find(name);
      if (section.name == out::kPoints && it != section.values.end() && std::isfinite(it->second))
        return it->second;
    }
    return std::nullopt;
  }
  /// The sections of that name; Missing when there is none.
  std::vector<const OutputSection*> All(std::string_view name) const {
    std::vector<const OutputSection*> found;
    for (const OutputSection& section : sections_) {
      if (section.name == name) found.push_back(&section);
    }
    if (found.empty()) throw Missing{bench_, "\"@" + std::string(name) + "\""};
    return found;
  }
  /// The two columns of a section's table as a curve; Missing when the table is empty.
  Curve Table(const OutputSection& section, std::string label, std::string_view x, std::string_view y) const {
    const auto xs = section.Column(x);
    const auto ys = section.Column(y);
    if (!xs || !ys || xs->empty())
      throw Missing{bench_, "the table of \"@" + section.name + " " + section.tag + "\""};
    Curve curve{std::move(label), {}};
    for (std::size_t i = 0; i < xs->size(); ++i) curve.points.push_back({(*xs)[i], (*ys)[i]});
    return curve;
  }
  /// A section's value; Missing when absent or not finite.
  double SectionValue(const OutputSection& section, std::string_view name) const {
    const auto it = section.values.find(name);
    if (it == section.values.end() || !std::isfinite(it->second)) {
      throw Missing{bench_, "\"" + std::string(name) + "\" at \"@" + section.name + " " + section.tag + "\""};
    }
    return it->second;
  }
  /// The section's tag as a number: a gate or drain voltage, whose sign the channel sets.
  double TagMagnitude(const OutputSection& section) const {
    if (auto value = ReadNgspiceNumber(section.tag)) return std::abs(*value);
    throw Missing{bench_, "the voltage of \"@" + section.name + " " + section.tag + "\""};
  }

 private:
  Bench bench_;
  std::vector<OutputSection> sections_;
};

std::string Volts(double value) { return DefaultNumberText(value) + " V"; }
std::string Amps(double value) { return DefaultNumberText(value) + " A"; }

std::optional<double> ErrorPercent(const VerificationRow& row) {
  const std::optional<double> reference = row.datasheet && *row.datasheet != 0 ? row.datasheet : row.model;
  if (!reference || *reference == 0 || !row.simulated) return std::nullopt;
  return (*row.simulated - *reference) / std::abs(*reference) * 100;
}

void AddRow(VerificationResult& result, VerificationRow row) {
  row.errorPercent = ErrorPercent(row);
  result.rows.push_back(std::move(row));
}

/// The simulated capacitances at the grid voltages, by drain voltage.
struct CapacitancePoint {
  double ciss = 0, coss = 0, crss = 0;
};

const CapacitancePoint* PointAt(const std::map<double, CapacitancePoint>& points, double vds) {
  for (const auto& [v, point] : points) {
    if (SameVoltage(v, vds)) return &point;
  }
  return nullptr;
}

void ReadTransfer(const RunOutput& run, const ModelParameterSet& p, const BenchSetup& s,
                  VerificationResult& r) {
  r.simulated.transfer =
      run.Table(*run.All(out::kTransferTable).front(), std::string(kDrainCurrentLabel), "vgs", "id");
  const std::string drain = ", Vds = " + Volts(s.vdsTest);
  auto addPoint = [&](double vgs, double datasheetId, std::string_view note, std::string_view value) {
    AddRow(r, {std::string(kIdQuantity),
               "Vgs = " + Volts(vgs) + drain + std::string(note),
               "A",
               datasheetId,
               ModelDrainCurrentAt(p, s.pmos, vgs, s.vdsTest),
               run.Value(value),
               {},
               {}});
  };
  addPoint(s.plateauVgs, s.plateauId, kPlateauPointNote, out::kIdPlateau);
  addPoint(s.maxVgs, s.maxId, kMaxCurrentPointNote, out::kIdMax);
}

void ReadOutput(const RunOutput& run, const ModelParameterSet& p, const BenchSetup& s,
                VerificationResult& r) {
  for (const OutputSection* section : run.All(out::kOutputTable)) {
    const double vgs = run.TagMagnitude(*section);
    r.simulated.output.push_back(
        run.Table(*section, std::string(kGateVoltageLabel) + Volts(vgs), "vds", "id"));
  }
  const double idOn = run.Value(out::kIdRdsOn);
  const double vto = s.pmos ? -p.VTO : p.VTO;
  VerificationRow rdsOn{std::string(kRdsOnQuantity),
                        "Vgs = " + Volts(s.rdsonVgs) + ", Vds = " + Volts(kRdsOnDrainVoltage),
                        "Ohm",
                        s.rdsOn,
                        ModelRdsOn(p.RS, p.RD, p.KP, vto, s.rdsonVgs, p.LAMBDA),
                        {},
                        {},
                        {}};
  if (idOn > 0) {
    rdsOn.simulated = kRdsOnDrainVoltage / idOn;
  } else {
    rdsOn.note = kNoDrainCurrentNote;
  }
  AddRow(r, std::move(rdsOn));
  for (std::size_t i = 0; i < s.checkVds.size(); ++i) {
    AddRow(r, {std::string(kIdQuantity),
               "Vgs = " + Volts(s.checkVgs) + ", Vds = " + Volts(s.checkVds[i]) +
                   std::string(kCheckPointNote) + std::to_string(i + 1) + ")",
               "A",
               std::nullopt,
               ModelDrainCurrentAt(p, s.pmos, s.checkVgs, s.checkVds[i]),
               run.Value(out::kIdCheck[i]),
               {},
               {}});
  }
  r.simulated.bodyDiode =
      run.Table(*run.All(out::kDiodeTable).front(), std::string(kDiodeCurrentLabel), "vsd", "isd");
  const std::optional<DiodeLaw> law = BodyDiodeLaw(p);
  for (std::size_t i = 0; i < s.diodePointIsd.size(); ++i) {
    VerificationRow row{std::string(kVsdQuantity),
                        "Isd = " + Amps(s.diodePointIsd[i]),
                        "V",
                        s.diodePointVsd[i],
                        std::nullopt,
                        run.OptionalValue(out::kVsd[i]),
                        {},
                        {}};
    if (law) row.model = law->Voltage(s.diodePointIsd[i]);
    if (!row.simulated) row.note = kDiodeNotReachedNote;
    AddRow(r, std::move(row));
  }
}

/// What makes a datasheet's gate charge unusable for a comparison, as a note; empty if nothing.
std::string GateChargeDatasheetNote(const BenchSetup& s, const std::optional<double>& charge) {
  if (!charge) return {};
  if (!(*charge > 0)) return std::string(kChargeNotPositiveNote);
  if (s.qgs && s.qgd && s.qg && *s.qgs + *s.qgd > *s.qg) return std::string(kChargeSumNote);
  return {};
}

/// The gate charges: the datasheet's, the model's own curve and ngspice's curve read by the
/// same construction. A gate charge test that failed alone leaves its rows with the reason.
void ReadGateCharge(const BenchOutput& output, const ModelParameterSet& p, const BenchSetup& s,
                    VerificationResult& r) {
  std::optional<GateChargeReading> simulated;
  if (output.failure.empty()) {
    const RunOutput run(Bench::GateCharge, output.out);
    r.simulated.gateCharge =
        run.Table(*run.All(out::kGateChargeTable).front(), std::string(kGateChargeLabel), "qg", "vgs");
    simulated = ReadGateCharges(r.simulated.gateCharge.points, s.chargeVgs);
  }
  const GateChargeReading model =
      ReadGateCharges(ModelGateChargeCurve(GateChargeDeviceOf(p, s.pmos),
                                           {s.chargeId, s.chargeVds, s.gateCurrent}, s.chargeVgs),
                      s.chargeVgs);
  const std::string condition =
      "Id = " + Amps(s.chargeId) + ", Vd = " + Volts(s.chargeVds) + ", Vgs = " + Volts(s.chargeVgs);
  for (const auto& [quantity, datasheet, charge] : {std::tuple{kQgsQuantity, s.qgs, &GateCharges::qgs},
                                                    std::tuple{kQgdQuantity, s.qgd, &GateCharges::qgd},
                                                    std::tuple{kQgQuantity, s.qg, &GateCharges::qg}}) {
    const std::string datasheetNote = GateChargeDatasheetNote(s, datasheet);
    VerificationRow row{std::string(quantity), condition,    "nC", datasheet,
                        std::nullopt,          std::nullopt, {},   {}};
    if (model.charges) row.model = (*model.charges).*charge;
    if (simulated && simulated->charges) row.simulated = (*simulated->charges).*charge;
    if (!output.failure.empty()) {
      row.note = output.failure;
    } else if (simulated && simulated->problem) {
      row.note = GateChargeProblemText(*simulated->problem, s.chargeVgs);
    } else {
      row.note = datasheetNote;
    }
    AddRow(r, row);
    // A datasheet value no model can meet is shown, but nothing is measured against it.
    if (!datasheetNote.empty()) r.rows.back().errorPercent = std::nullopt;
  }
}

void ReadCapacitances(const RunOutput& run, const ModelParameterSet& p, const BenchSetup& s,
                      VerificationResult& r) {
  std::map<double, CapacitancePoint> points;
  for (const OutputSection* section : run.All(out::kCapacitancePoint)) {
    points[run.TagMagnitude(*section)] = {run.SectionValue(*section, out::kCiss),
                                          run.SectionValue(*section, out::kCoss),
                                          run.SectionValue(*section, out::kCrss)};
  }
  r.simulated.ciss.label = kCissQuantity;
  r.simulated.coss.label = kCossQuantity;
  r.simulated.crss.label = kCrssQuantity;
  for (const auto& [vds, point] : points) {
    r.simulated.ciss.points.push_back({vds, point.ciss});
    r.simulated.coss.points.push_back({vds, point.coss});
    r.simulated.crss.points.push_back({vds, point.crss});
  }
  struct Quantity {
    std::string_view name;
    std::optional<double> CapacitanceGridRow::*datasheet;
    double CapacitancePoint::*simulated;
    double model;
  };
  for (const CapacitanceGridRow& row : s.grid) {
    const CapacitancePoint* point = PointAt(points, row.vds);
    if (point == nullptr)
      throw Missing{Bench::Capacitance,
                    "\"@" + std::string(out::kCapacitancePoint) + " " + DefaultNumberText(row.vds) + "\""};
    const double crss = ModelCrss(p, row.vds);
    for (const Quantity& q :
         {Quantity{kCissQuantity, &CapacitanceGridRow::ciss, &CapacitancePoint::ciss, p.CGS + crss},
          Quantity{kCossQuantity, &CapacitanceGridRow::coss, &CapacitancePoint::coss,
                   ModelCds(p, row.vds) + crss},
          Quantity{kCrssQuantity, &CapacitanceGridRow::crss, &CapacitancePoint::crss, crss}}) {
      AddRow(r, {std::string(q.name),
                 "Vds = " + Volts(row.vds),
                 "pF",
                 row.*q.datasheet,
                 q.model,
                 point->*q.simulated,
                 {},
                 {}});
    }
  }
}

}  // namespace

VerificationResult CheckFailure(VerifyStatus status, std::string message, std::string details) {
  VerificationResult result;
  result.status = status;
  result.message = std::move(message);
  result.details = std::move(details);
  return result;
}

VerificationResult ReadCheckOutput(const std::array<BenchOutput, 4>& runs, const ModelParameterSet& params,
                                   const BenchSetup& setup) {
  VerificationResult result;
  try {
    ReadTransfer(RunOutput(Bench::Transfer, runs[0].out), params, setup, result);
    ReadOutput(RunOutput(Bench::Output, runs[1].out), params, setup, result);
    ReadGateCharge(runs[2], params, setup, result);
    ReadCapacitances(RunOutput(Bench::Capacitance, runs[3].out), params, setup, result);
  } catch (const Missing& missing) {
    const std::size_t index = static_cast<std::size_t>(missing.bench);
    return CheckFailure(VerifyStatus::UnreadableOutput,
                        std::string(kUnreadableOpening) + std::string(BenchName(missing.bench)) +
                            std::string(kUnreadableMiddle) + missing.what + std::string(kUnreadableClosing),
                        runs[index].err);
  }
  for (const BenchOutput& run : runs) {
    for (std::string& line : ParameterWarningLines(run.err)) {
      if (std::find(result.warnings.begin(), result.warnings.end(), line) == result.warnings.end()) {
        result.warnings.push_back(std::move(line));
      }
    }
  }
  return result;
}

}  // namespace vdmos

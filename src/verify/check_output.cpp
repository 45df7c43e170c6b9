#include "verify/check_output.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>

#include "extract/dc_equations.h"
#include "extract/threshold.h"
#include "model/numbers.h"
#include "verify/curve_checks.h"
#include "verify/datasheet_points.h"
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
  RunOutput(Bench bench, std::string_view text) : bench_(bench), sections_(ParseNgspiceOutput(text)) {
    if (std::ranges::none_of(sections_, [](const OutputSection& s) { return s.name == out::kEnd; }))
      throw Missing{bench_, "\"@" + std::string(out::kEnd) + "\", the last line it prints,"};
  }

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

std::optional<double> ErrorPercent(const VerificationRow& row) {
  const std::optional<double> reference = row.datasheet && *row.datasheet != 0 ? row.datasheet : row.model;
  if (!reference || *reference == 0 || !row.simulated) return std::nullopt;
  return (*row.simulated - *reference) / std::abs(*reference) * 100;
}

VerificationRow RowOf(const DatasheetPoint& point, std::optional<double> model,
                      std::optional<double> simulated) {
  return {std::string(QuantityName(point.quantity)),
          point.condition,
          std::string(QuantityUnit(point.quantity)),
          point.value,
          model,
          simulated,
          {},
          {}};
}

void AddRow(VerificationResult& result, VerificationRow row) {
  row.errorPercent = ErrorPercent(row);
  result.rows.push_back(std::move(row));
}

/// The single points one run measures, in the list's order (the curves' rows come after all
/// runs are read, from the curves). A plain list rather than a filter view:
/// clang 14, which the fuzz build uses, cannot compile libstdc++ 12's views.
std::vector<std::reference_wrapper<const DatasheetPoint>> OfBench(const std::vector<DatasheetPoint>& points,
                                                                  Bench bench) {
  std::vector<std::reference_wrapper<const DatasheetPoint>> ofBench;
  for (const DatasheetPoint& point : points)
    if (point.bench == bench && point.curve.empty()) ofBench.emplace_back(point);
  return ofBench;
}

void ReadTransfer(const RunOutput& run, const ModelParameterSet& p, const BenchSetup& s,
                  const std::vector<DatasheetPoint>& points, VerificationResult& r) {
  r.simulated.transfer =
      run.Table(*run.All(out::kTransferTable).front(), std::string(kDrainCurrentLabel), "vgs", "id");
  for (const DatasheetPoint& point : OfBench(points, Bench::Transfer))
    AddRow(r, RowOf(point, ModelDrainCurrentAt(p, s.pmos, point.vgs, point.vds), run.Value(point.printed)));
  if (s.hot)
    r.simulated.hotTransfer =
        run.Table(*run.All(out::kHotTransferTable).front(), HotTransferLabel(s.hot->celsius), "vgs", "id");
}

void ReadOutput(const RunOutput& run, const ModelParameterSet& p, const BenchSetup& s,
                const std::vector<DatasheetPoint>& points, VerificationResult& r) {
  for (const OutputSection* section : run.All(out::kOutputTable)) {
    const double vgs = run.TagMagnitude(*section);
    r.simulated.output.push_back(
        run.Table(*section, std::string(kGateVoltageLabel) + DefaultNumberText(vgs) + " V", "vds", "id"));
  }
  const double vto = s.pmos ? -p.VTO : p.VTO;
  const std::optional<DiodeLaw> law = BodyDiodeLaw(p);
  std::optional<double> roomRdsOn, hotRdsOn;
  for (const DatasheetPoint& point : OfBench(points, Bench::Output)) {
    VerificationRow row;
    if (point.celsius != kRoomCelsius) {
      row = RowOf(point, HotModelValue(p, s, point), run.OptionalValue(point.printed));
      // The run prints the current the on-resistance comes from.
      if (row.simulated && point.quantity == PointQuantity::RdsOn) {
        row.simulated = *row.simulated > 0 ? std::optional(point.vds / *row.simulated) : std::nullopt;
        hotRdsOn = row.simulated;
      }
      if (point.quantity == PointQuantity::Vth && !(point.current > 0))
        row.note = kThresholdCurrentNote;
      else if (!row.simulated)
        row.note = kHotNotReachedNote;
    } else if (point.quantity == PointQuantity::RdsOn) {
      row = RowOf(point, ModelRdsOn(p.RS, p.RD, p.KP, vto, point.vgs, p.LAMBDA), std::nullopt);
      const double idOn = run.Value(point.printed);
      if (idOn > 0) {
        row.simulated = roomRdsOn = point.vds / idOn;
      } else {
        row.note = kNoDrainCurrentNote;
      }
    } else if (point.quantity == PointQuantity::Vth) {
      row = RowOf(point, ThresholdVoltage(ChannelLawOf(p, s.pmos), point.current),
                  run.OptionalValue(point.printed));
      if (!(point.current > 0)) {
        row.note = kThresholdCurrentNote;
      } else if (!row.simulated) {
        row.note = kThresholdNotReachedNote;
      }
    } else if (point.quantity == PointQuantity::Vsd) {
      row = RowOf(point, law ? std::optional(law->Voltage(point.isd)) : std::nullopt,
                  run.OptionalValue(point.printed));
      if (!row.simulated) row.note = kDiodeNotReachedNote;
    } else {
      row = RowOf(point, ModelDrainCurrentAt(p, s.pmos, point.vgs, point.vds), run.Value(point.printed));
    }
    AddRow(r, std::move(row));
  }
  // ngspice's Rds(on) against temperature: the two points it measures, as the ratio plotted.
  if (roomRdsOn && hotRdsOn && s.hot)
    r.simulated.rdsOnRatio = {std::string(kRdsOnRatioLabel),
                              {{kRoomCelsius, 1}, {s.hot->celsius, *hotRdsOn / *roomRdsOn}}};
  r.simulated.bodyDiode =
      run.Table(*run.All(out::kDiodeTable).front(), std::string(kDiodeCurrentLabel), "vsd", "isd");
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
                    const std::vector<DatasheetPoint>& points, VerificationResult& r) {
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
  for (const DatasheetPoint& point : OfBench(points, Bench::GateCharge)) {
    const std::string datasheetNote = GateChargeDatasheetNote(s, point.value);
    VerificationRow row = RowOf(point, std::nullopt, std::nullopt);
    if (model.charges) row.model = ChargeOf(*model.charges, point.quantity);
    if (simulated && simulated->charges) row.simulated = ChargeOf(*simulated->charges, point.quantity);
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

/// The simulated capacitances at the grid voltages, by drain voltage.
const Capacitances* PointAt(const std::map<double, Capacitances>& points, double vds) {
  for (const auto& [v, point] : points) {
    if (SameVoltage(v, vds)) return &point;
  }
  return nullptr;
}

void ReadCapacitances(const RunOutput& run, const ModelParameterSet& p,
                      const std::vector<DatasheetPoint>& points, VerificationResult& r) {
  std::map<double, Capacitances> simulated;
  for (const OutputSection* section : run.All(out::kCapacitancePoint)) {
    simulated[run.TagMagnitude(*section)] = {run.SectionValue(*section, out::kCiss),
                                             run.SectionValue(*section, out::kCoss),
                                             run.SectionValue(*section, out::kCrss)};
  }
  r.simulated.ciss.label = kCissQuantity;
  r.simulated.coss.label = kCossQuantity;
  r.simulated.crss.label = kCrssQuantity;
  for (const auto& [vds, point] : simulated) {
    r.simulated.ciss.points.push_back({vds, point.ciss});
    r.simulated.coss.points.push_back({vds, point.coss});
    r.simulated.crss.points.push_back({vds, point.crss});
  }
  const CapacitanceParameters model = CapacitanceParametersOf(p);
  for (const DatasheetPoint& point : OfBench(points, Bench::Capacitance)) {
    const Capacitances* measured = PointAt(simulated, point.vds);
    if (measured == nullptr)
      throw Missing{Bench::Capacitance,
                    "\"@" + std::string(out::kCapacitancePoint) + " " + DefaultNumberText(point.vds) + "\""};
    AddRow(r, RowOf(point, CapacitanceOf(CapacitancesAt(model, point.vds), point.quantity),
                    CapacitanceOf(*measured, point.quantity)));
  }
}

/// The rows of the digitized curves, from the model's curves and ngspice's on the same grids.
void ReadCurves(const ModelParameterSet& p, const BenchSetup& s, const std::vector<DatasheetPoint>& points,
                VerificationResult& r) {
  if (s.curves.empty()) return;
  const Characteristics model = ModelCharacteristics(p, s);
  for (const DatasheetPoint& point : points) {
    if (point.curve.empty()) continue;
    CurveCheck check = CheckCurve(point, s, model, r.simulated);
    r.curvePoints[r.rows.size()] = std::move(check.points);
    r.rows.push_back(std::move(check.row));
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
  if (setup.chargeElement) result.simulatedModel = std::string(kSimulatedWithElementsText);
  const std::vector<DatasheetPoint> points = DatasheetPointList(setup);
  try {
    ReadTransfer(RunOutput(Bench::Transfer, runs[0].out), params, setup, points, result);
    ReadOutput(RunOutput(Bench::Output, runs[1].out), params, setup, points, result);
    ReadGateCharge(runs[2], params, setup, points, result);
    ReadCapacitances(RunOutput(Bench::Capacitance, runs[3].out), params, points, result);
    ReadCurves(params, setup, points, result);
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

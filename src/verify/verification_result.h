#pragma once
// What a model check in ngspice found: one row per datasheet point, the simulated curves, and
// what went wrong when it could not finish.

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "verify/characteristics.h"

namespace vdmos {

/// One point of a digitized curve in the check: where it lies, the datasheet's value there,
/// the model's and ngspice's, and the error as a row has it.
struct CurvePointCheck {
  double x = 0;
  double datasheet = 0;
  std::optional<double> model, simulated, errorPercent;
};

/// One line of the table: a quantity under a condition, the value to meet, and ngspice's.
struct VerificationRow {
  std::string quantity;   ///< "Rds(on)", "Id", "Ciss", "Coss", "Crss", "Vsd"
  std::string condition;  ///< "Vgs = 10 V, Vds = 0.1 V"
  std::string unit;       ///< "Ohm", "A", "pF", "V"
  /// The datasheet's value; nullopt where the datasheet gives none (the check points, Ciss
  /// at 0 V and at the largest voltage).
  std::optional<double> datasheet;
  /// The model's own value from the tool's equations (nullopt where it has no equation for it).
  std::optional<double> model;
  /// ngspice's value; nullopt when the run did not reach it (note says why).
  std::optional<double> simulated;
  /// (simulated - reference) / reference in percent, the reference being the datasheet value,
  /// or the model value where the datasheet has none; nullopt when either is missing or 0.
  std::optional<double> errorPercent;
  std::string note;
};

enum class VerifyStatus {
  Ok,
  InvalidInput,      ///< no card, a card ngspice cannot take, or test conditions with nothing to run
  NgspiceMissing,    ///< the ngspice program was not found
  NgspiceFailed,     ///< it could not start, stopped with an error, or ended abnormally
  NoConvergence,     ///< an analysis found no solution
  Timeout,           ///< not finished in time; killed
  UnreadableOutput,  ///< it ran, but printed less than the netlist asks for
};

struct VerificationResult {
  VerifyStatus status = VerifyStatus::Ok;
  std::string message;  ///< what went wrong, ready to show; empty when Ok
  std::string details;  ///< ngspice's error output of the failed run, for a closer look
  /// What ngspice ignored in the card (a parameter it does not know), each said once; the
  /// simulation then ran without it.
  std::vector<std::string> warnings;
  std::vector<VerificationRow> rows;
  /// What the benches simulated beside the bare card: empty for the card alone, otherwise
  /// kSimulatedWithElementsText (verify_texts.h).
  std::string simulatedModel;
  Characteristics simulated;  ///< the simulated curves
  /// For each row that stands for a digitized curve (by its index in rows), each of the
  /// curve's points; the row's values are those of the point with the largest error.
  std::map<std::size_t, std::vector<CurvePointCheck>> curvePoints;
  /// Which ngspice's TCVTH convention the card was checked in ("TCVTH in ngspice 39
  /// convention"); empty when the card carries no TCVTH.
  std::string tcvthConvention;
  bool ok() const { return status == VerifyStatus::Ok; }
};

}  // namespace vdmos

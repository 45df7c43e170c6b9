#pragma once
// The check's table and curves read from what ngspice printed for the four benches. The table
// has one row per datasheet point of the one list (datasheet_points.h), with the model's and
// ngspice's values; a curve added to Characteristics appears in a plot once CheckPlotKinds()
// (check_plots.cpp) names it.

#include <array>
#include <string>

#include "model/window_state.h"
#include "verify/bench_setup.h"
#include "verify/verification_result.h"

namespace vdmos {

/// What one bench's ngspice run printed.
struct BenchOutput {
  std::string out;  ///< standard output: the sections the netlist prints
  std::string err;  ///< standard error: warnings and errors
  /// Why the run gave nothing, for a bench whose failure leaves the others' rows standing (the
  /// gate charge test); empty when it ran.
  std::string failure;
};

/// A result that failed, with its message and ngspice's error output.
VerificationResult CheckFailure(VerifyStatus status, std::string message, std::string details = {});

/// The rows and curves of the card with parameters `params` from the output of the four
/// benches (in kBenches order), and what ngspice ignored, each line once. UnreadableOutput,
/// naming the bench and what is missing, when a run printed less than its netlist asks for.
VerificationResult ReadCheckOutput(const std::array<BenchOutput, 4>& runs, const ModelParameterSet& params,
                                   const BenchSetup& setup);

}  // namespace vdmos

#pragma once
// The model check in the simulator: the stored card runs in ngspice on the four test benches,
// and the simulated values are set against the datasheet's.
//
// ngspice runs as a batch process, one per bench, all four at once: a simulator fault, a hang
// or a run-away allocation then stays in a child that is killed at the deadline and cannot
// harm the window; the library form keeps global state that allows one circuit at a time.

#include <chrono>
#include <string>

#include "model/window_state.h"
#include "verify/child_process.h"
#include "verify/ngspice_version.h"
#include "verify/verification_result.h"

namespace vdmos {

struct VerifyOptions {
  std::string ngspicePath = "ngspice";       ///< a path, or a name looked up in PATH
  std::chrono::milliseconds timeout{10000};  ///< for the whole check; the runs are then killed
};

/// A batch run of ngspice (the program given, a path or a name looked up in PATH) on `netlist`,
/// fed on standard input, as the check runs its benches: without the user's start-up file, the
/// system start-up script or the process locale.
ChildRequest NgspiceBatchRun(std::string netlist, const std::string& program = "ngspice");

/// The version the ngspice of the options reports ("ngspice -v"); nullopt when it cannot be run
/// or names none. Never throws.
std::optional<NgspiceVersion> ReadNgspiceVersion(const VerifyOptions& options = {});

/// Runs the stored card on the four benches with the window's current test conditions.
/// Never throws and never waits longer than the timeout (plus the time to end the runs).
VerificationResult VerifyModel(const WindowState& state, const VerifyOptions& options = {});

}  // namespace vdmos

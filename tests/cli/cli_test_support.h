#pragma once
// Runs the built command-line program as a separate process, and the texts it must print,
// written by hand from the card format and the start values.

#include <limits>
#include <string>
#include <vector>

#include "cli/exit_codes.h"
#include "golden/start_card.h"
#include "platform/temp_folder.h"
#include "verify/child_process.h"

namespace vdmos::testing {

struct ProcessResult {
  std::string out;
  std::string err;
  int exitStatus = -1;  ///< the exit status, or -1 when the process did not exit normally
};

/// Runs VDMOS_CLI_PATH with the arguments, without a shell, so that any byte reaches it as is.
inline ProcessResult RunCliProcess(std::vector<std::string> arguments) {
  arguments.insert(arguments.begin(), VDMOS_CLI_PATH);
  ChildLimits limits;
  limits.timeout = std::chrono::minutes(2);
  // The sanitizer build reserves far more address space than any limit meant for ngspice.
  limits.maxMemoryBytes = std::numeric_limits<std::size_t>::max();
  const ChildOutcome run = RunChildren({{arguments, {}, {}}}, limits).front();
  return {run.out, run.err, run.status == ChildOutcome::Status::Exited ? run.exitCode : -1};
}

/// The card of the start values as printed: three lines, each ending in CR LF.
inline const std::string kCard = golden::kStartCard + "\r\n";

/// The subcircuit lines before the card, for the start values' model name.
inline const std::string kSubcktHead =
    ".subckt X20N60C3 d g s\r\nM1 d g s s 20N60C3\r\nRg g s 1G\r\nDb s d dbody\r\n";

/// kCard as the card box holds it: without the final line end.
inline const std::string kCardBox = kCard.substr(0, kCard.size() - 2);

inline const std::string kErrorLine =
    "Error in one or more parameters... The model data cannot be calculated.";

inline const std::string kNegativeIdMessage = "All values must be positive: ID_max.\r\nCorrected it!";

/// The file that saving the start values gives, byte for byte.
inline std::string StartValuesFile() { return ReadBytes(VDMOS_TEST_DATA_DIR "/start_values.txt"); }

}  // namespace vdmos::testing

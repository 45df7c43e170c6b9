#pragma once
// A run of the command-line front end: for the start values, or for each datasheet values
// file in turn, a window state in its start-up form gets the file, the settings and the
// commands applied in order, then the file commands and the output.

#include <iosfwd>

#include "cli/cli_options.h"
#include "cli/exit_codes.h"

namespace vdmos::cli {

/// Runs the options and writes the output to out, the message boxes (outside JSON) and the
/// run's own problems to err. Returns kSuccessStatus or kFailureStatus.
int RunCli(const CliOptions& options, std::ostream& out, std::ostream& err);

}  // namespace vdmos::cli

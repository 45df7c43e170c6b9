#pragma once
// A run of the command-line front end: a window state in its start-up form, the settings and
// commands applied to it in order, then the chosen output.

#include <iosfwd>

#include "cli/cli_options.h"

namespace vdmos::cli {

inline constexpr int kParameterErrorStatus = 1;

/// Runs the options and writes the output to out, the message boxes (outside JSON) to err.
/// Returns 0, or kParameterErrorStatus when the run ended in the parameter error text.
int RunCli(const CliOptions& options, std::ostream& out, std::ostream& err);

}  // namespace vdmos::cli

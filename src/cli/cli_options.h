#pragma once
// The command line, parsed into what a run needs. New options add a member here and an
// option in ParseCommandLine; the run reads the member.

#include <iosfwd>
#include <optional>
#include <vector>

#include "cli/cli_settings.h"

namespace vdmos::cli {

/// The window commands a run can start, by their --run names.
enum class CliCommand { UpdateModel, UpdateDc, UpdateAc, New, LineBreak };

/// What the run prints on standard output.
enum class OutputForm { Card, SubCkt, Json };

struct CliOptions {
  std::vector<ControlSetting> settings;  ///< in the order given
  std::vector<CliCommand> commands;      ///< in the order given; never empty
  OutputForm output = OutputForm::Card;
};

/// Either the options to run with, or the exit status of a run that already ended (help,
/// version, or a usage error, whose message has been written to err).
struct ParseOutcome {
  std::optional<CliOptions> options;
  int exitStatus = 0;
};

inline constexpr int kUsageErrorStatus = 2;

ParseOutcome ParseCommandLine(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace vdmos::cli

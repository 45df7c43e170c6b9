#pragma once
// The command line, parsed into what a run needs. New options add a member here and an
// option in ParseCommandLine; the run reads the member.

#include <iosfwd>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cli/cli_settings.h"
#include "cli/exit_codes.h"
#include "model/control_names.h"

namespace vdmos::cli {

/// What the run prints on standard output.
enum class OutputForm { Card, SubCkt, NgspiceSubCkt, Json };

struct CliOptions {
  /// Datasheet values files, in the order given; empty means the start values.
  std::vector<std::string> files;
  std::vector<ControlSetting> settings;  ///< in the order given
  /// --curve: the curve's name ("ciss", "output:10") and its file, in the order given.
  std::vector<std::pair<std::string, std::string>> curves;
  /// The controls whose commands --run starts, in the order given; never empty.
  std::vector<control::Name> commands;
  OutputForm output = OutputForm::Card;

  std::optional<std::string> library;          ///< --library: the library file each model goes to
  std::optional<std::string> saveModel;        ///< --save-model: the single-model file
  std::optional<std::string> saveDatasheet;    ///< --save-datasheet: the datasheet values file
  std::optional<std::string> testCircuits;     ///< --test-circuits: the folder of the eight files
  std::optional<std::string> ngspiceCircuits;  ///< --ngspice-circuits: the folder of the netlists
  bool verify = false;                         ///< --verify: the model check in ngspice
  bool applyBestSwitches = false;              ///< --apply-best-switches: the advised DC-fit switches
  bool refine = false;                         ///< --refine: the refined card
  bool strict = false;                         ///< --strict: a field not read as typed fails the run
  std::string ngspice = "ngspice";             ///< --ngspice: the simulator program
};

/// Either the options to run with, or the exit status of a run that already ended (help,
/// version, or a usage error, whose message has been written to err).
struct ParseOutcome {
  std::optional<CliOptions> options;
  int exitStatus = kSuccessStatus;
};

ParseOutcome ParseCommandLine(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace vdmos::cli

// The command-line parser over arbitrary argument vectors: never a crash; it either yields
// options or the exit status of success (help, version) or of a usage error.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/exit_codes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Arguments are separated by NUL bytes.
  std::vector<std::string> arguments{"vdmosgen-cli"};
  std::string current;
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0) {
      arguments.push_back(current);
      current.clear();
    } else {
      current.push_back(static_cast<char>(data[i]));
    }
  }
  if (!current.empty()) arguments.push_back(current);

  std::vector<const char*> argv;
  for (const std::string& argument : arguments) argv.push_back(argument.c_str());
  std::ostringstream out, err;
  const vdmos::cli::ParseOutcome outcome =
      vdmos::cli::ParseCommandLine(static_cast<int>(argv.size()), argv.data(), out, err);
  using namespace vdmos::cli;
  if (!outcome.options && outcome.exitStatus != kSuccessStatus && outcome.exitStatus != kUsageErrorStatus)
    std::abort();
  return 0;
}

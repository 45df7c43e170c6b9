#include <iostream>

#include "cli/cli_options.h"
#include "cli/cli_run.h"

int main(int argc, char** argv) {
  const vdmos::cli::ParseOutcome parsed = vdmos::cli::ParseCommandLine(argc, argv, std::cout, std::cerr);
  if (!parsed.options) return parsed.exitStatus;
  return vdmos::cli::RunCli(*parsed.options, std::cout, std::cerr);
}

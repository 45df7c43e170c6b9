#include <iostream>

#include "cli/cli_options.h"
#include "cli/cli_run.h"
#include "verify/child_groups.h"

int main(int argc, char** argv) {
  // An interrupted batch must not leave ngspice runs behind.
  vdmos::EndChildrenOnTerminatingSignals();
  const vdmos::cli::ParseOutcome parsed = vdmos::cli::ParseCommandLine(argc, argv, std::cout, std::cerr);
  if (!parsed.options) return parsed.exitStatus;
  return vdmos::cli::RunCli(*parsed.options, std::cout, std::cerr);
}

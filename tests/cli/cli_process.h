#pragma once
// Runs the built command-line program as a separate process and collects what it wrote.

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <string>
#include <vector>

#include "platform/temp_folder.h"

extern char** environ;

namespace vdmos::testing {

struct ProcessResult {
  std::string out;
  std::string err;
  int exitStatus = -1;  ///< the exit status, or -1 when the process did not exit normally
};

/// Runs VDMOS_CLI_PATH with the arguments, without a shell, so that any byte reaches it as is.
inline ProcessResult RunCliProcess(const std::vector<std::string>& arguments) {
  TempFolder folder;
  const std::string outPath = folder / "out";
  const std::string errPath = folder / "err";

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);

  std::vector<std::string> argvStrings{VDMOS_CLI_PATH};
  argvStrings.insert(argvStrings.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& argument : argvStrings) argv.push_back(argument.data());
  argv.push_back(nullptr);

  ProcessResult result;
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, VDMOS_CLI_PATH, &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return result;
  int status = 0;
  if (waitpid(pid, &status, 0) == pid && WIFEXITED(status)) result.exitStatus = WEXITSTATUS(status);
  result.out = ReadBytes(outPath);
  result.err = ReadBytes(errPath);
  return result;
}

}  // namespace vdmos::testing

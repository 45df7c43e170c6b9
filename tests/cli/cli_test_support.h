#pragma once
// Runs the built command-line program as a separate process, and the texts it must print,
// written by hand from the card format and the start values.

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
inline ProcessResult RunCliProcess(std::vector<std::string> arguments) {
  TempFolder folder;
  const std::string outPath = folder / "out", errPath = folder / "err";
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  arguments.insert(arguments.begin(), VDMOS_CLI_PATH);
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);

  ProcessResult result;
  pid_t pid = 0;
  int status = 0;
  const int spawned = posix_spawn(&pid, VDMOS_CLI_PATH, &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned == 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status))
    result.exitStatus = WEXITSTATUS(status);
  result.out = ReadBytes(outPath);
  result.err = ReadBytes(errPath);
  return result;
}

/// The card of the start values as printed: three lines, each ending in CR LF.
inline const std::string kCard =
    ".MODEL 20N60C3 VDMOS(KP=6.4968 RS=0.0016 RD=0.1364 RG=0.54 VTO=3.0 \r\n"
    "+LAMBDA=0.001 CGDMAX=5561p CGDMIN=5p CGS=2350p TT=720n a=1.93\r\n"
    "+IS=1.47E-08 N=1.576 RB=0.006897 m=0.797 Vj=1.03 Cjo=9600.0pF)\r\n";

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

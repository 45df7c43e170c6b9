#pragma once
// Runs programs as child processes, several at once, feeding each its input and collecting
// its output, with one deadline for all. A child that outlives the deadline, or writes far
// more than expected, is killed with everything it started; nothing here waits without a
// limit, whatever the child does.

#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

namespace vdmos {

struct ChildRequest {
  /// argv[0] is the program: a path, or a name looked up in PATH.
  std::vector<std::string> argv;
  /// "NAME=value" entries that replace or extend the parent's environment.
  std::vector<std::string> environment;
  /// Written to the child's standard input, which is then closed.
  std::string input;
};

struct ChildOutcome {
  enum class Status {
    Exited,          ///< ended by itself; see exitCode
    Signaled,        ///< ended by a signal; see signal
    NotFound,        ///< the program does not exist or is not executable
    StartFailed,     ///< it could not be started for another reason; see error
    TimedOut,        ///< still running at the deadline, and killed
    OutputTooLarge,  ///< wrote more than the limit, and killed
  };
  Status status = Status::StartFailed;
  int exitCode = 0;
  int signal = 0;
  std::string error;  ///< what went wrong when starting it
  std::string out;    ///< standard output
  std::string err;    ///< standard error
};

struct ChildLimits {
  std::chrono::milliseconds timeout{10000};  ///< for all children together
  std::size_t maxOutputBytes = 16u << 20;    ///< per stream
  std::size_t maxMemoryBytes = 1u << 30;     ///< address space of each child
};

/// Starts every request, then serves them all until each has ended or the deadline passes.
/// The outcomes are in the order of the requests.
std::vector<ChildOutcome> RunChildren(const std::vector<ChildRequest>& requests, const ChildLimits& limits);

}  // namespace vdmos

// The command line ends its ngspice runs when it is ended itself, by a signal it can catch or
// by SIGKILL. The "ngspice" here is a script that writes the ids of its processes and hangs.

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/temp_folder.h"

extern char** environ;

namespace vdmos::testing {
namespace {

// Generous: every wait below ends as soon as its condition holds.
constexpr auto kPatience = std::chrono::seconds(10);

std::vector<pid_t> PidsIn(const std::string& path) {
  std::ifstream in(path);
  std::vector<pid_t> pids;
  for (pid_t pid = 0; in >> pid;) pids.push_back(pid);
  return pids;
}

/// Alive and not a zombie: a reaper outside the test may not have collected an ended one yet.
bool Alive(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  if (!std::getline(stat, line)) return false;
  const std::size_t close = line.rfind(')');
  return close != std::string::npos && close + 2 < line.size() && line[close + 2] != 'Z';
}

template <typename Condition>
bool Within(Condition condition) {
  const auto deadline = std::chrono::steady_clock::now() + kPatience;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

/// Starts `vdmosgen-cli --verify` with the script as its ngspice, waits until every bench's run
/// has written its ids, ends the program with the signal, and returns the ids.
std::vector<pid_t> KillDuringVerify(const TempFolder& folder, const std::string& script, int signal,
                                    std::size_t idsPerRun) {
  const std::string fake = folder / "ngspice";
  WriteBytes(fake, "#!/bin/sh\n" + script);
  ::chmod(fake.c_str(), 0755);
  std::vector<std::string> arguments{VDMOS_CLI_PATH, "--verify", "--ngspice", fake};
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  const std::string idsFile = folder / "pids";
  const std::string idsVariable = "VDMOS_TEST_PIDS=" + idsFile;
  std::vector<char*> envp{const_cast<char*>(idsVariable.c_str())};
  for (char** entry = environ; *entry != nullptr; ++entry) envp.push_back(*entry);
  envp.push_back(nullptr);

  // The signals act by default in the program, whatever this test was started with.
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t defaults;
  sigemptyset(&defaults);
  for (const int s : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&defaults, s);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
  pid_t cli = -1;
  EXPECT_EQ(::posix_spawn(&cli, argv[0], nullptr, &attributes, argv.data(), envp.data()), 0);
  posix_spawnattr_destroy(&attributes);
  const bool started = Within([&] { return PidsIn(idsFile).size() >= 4 * idsPerRun; });
  ::kill(cli, signal);
  int status = 0;
  const bool ended = Within([&] { return ::waitpid(cli, &status, WNOHANG) == cli; });
  if (!ended) {
    ::kill(cli, SIGKILL);
    ::waitpid(cli, &status, 0);
  }
  EXPECT_TRUE(started) << "the fake ngspice runs did not all start";
  EXPECT_TRUE(ended && WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
  return PidsIn(idsFile);
}

TEST(CliSignals, TheNgspiceRunsEndWithTheProgram) {
  struct Row {
    int signal;
    std::string script;
    std::size_t idsPerRun;
  };
  // A caught signal ends each run's whole process group, so the script may start one more
  // process. SIGKILL leaves it to the kernel's parent-death signal, which reaches the run
  // itself: ngspice is one process.
  const Row rows[] = {
      {SIGTERM, "sleep 60 &\necho $! >>\"$VDMOS_TEST_PIDS\"\necho $$ >>\"$VDMOS_TEST_PIDS\"\nwait\n", 2},
      {SIGINT, "echo $$ >>\"$VDMOS_TEST_PIDS\"\nexec sleep 60\n", 1},
      {SIGKILL, "echo $$ >>\"$VDMOS_TEST_PIDS\"\nexec sleep 60\n", 1},
  };
  for (const Row& row : rows) {
    const TempFolder folder;
    const std::vector<pid_t> pids = KillDuringVerify(folder, row.script, row.signal, row.idsPerRun);
    EXPECT_TRUE(Within([&] { return std::none_of(pids.begin(), pids.end(), Alive); }))
        << "signal " << row.signal << ": ngspice runs outlived the program";
    for (const pid_t pid : pids) {
      if (Alive(pid)) ::kill(pid, SIGKILL);  // not left behind by a failing test either
    }
  }
}

}  // namespace
}  // namespace vdmos::testing

#include "verify/child_process.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fstream>
#include <thread>

namespace vdmos {
namespace {

using Status = ChildOutcome::Status;

ChildRequest Shell(std::string script, std::string input = {}, std::vector<std::string> environment = {}) {
  return {{"/bin/sh", "-c", std::move(script)}, std::move(environment), std::move(input)};
}

// One batch, so that each child must also keep its own outcome among the others.
TEST(ChildProcess, OutcomesOfChildrenRunTogether) {
  const std::string big(3u << 20, 'x');  // beyond any pipe buffer, both ways
  struct Row {
    ChildRequest request;
    Status status;
    int code;  // the exit code, or the signal
    std::string out;
  };
  const Row rows[] = {
      {Shell("cat; echo oops >&2; exit 3", "line 1\r\nline 2\r\n"), Status::Exited, 3,
       "line 1\r\nline 2\r\n"},
      {Shell("cat; cat /dev/null >&2", big), Status::Exited, 0, big},
      // The write to a closed input would raise SIGPIPE in the parent if it were not suppressed.
      {Shell("exit 0", big + big), Status::Exited, 0, ""},
      {Shell("echo \"$LC_ALL/$VDMOS_TEST_VALUE\"", "", {"LC_ALL=C", "VDMOS_TEST_VALUE=1"}), Status::Exited, 0,
       "C/1\n"},
      {{{"/nonexistent/ngspice"}, {}, "x"}, Status::NotFound, 0, ""},
      {{{"vdmos-no-such-program"}, {}, {}}, Status::NotFound, 0, ""},
      {{{""}, {}, {}}, Status::NotFound, 0, ""},
      {{{"/etc/passwd"}, {}, {}}, Status::NotFound, 0, ""},
      {Shell("kill -SEGV $$"), Status::Signaled, SIGSEGV, ""},
      {Shell("yes"), Status::OutputTooLarge, 0, ""},
      // dd with a 256 MB block must fail to allocate it under the memory limit.
      {Shell("dd if=/dev/zero of=/dev/null bs=256M count=1 2>/dev/null || exit 9"), Status::Exited, 9, ""},
  };
  std::vector<ChildRequest> requests;
  for (const Row& row : rows) requests.push_back(row.request);
  ChildLimits limits;
  limits.maxOutputBytes = 8u << 20;
  limits.maxMemoryBytes = 64u << 20;
  const std::vector<ChildOutcome> runs = RunChildren(requests, limits);
  ASSERT_EQ(runs.size(), std::size(rows));
  for (std::size_t i = 0; i < runs.size(); ++i) {
    EXPECT_EQ(runs[i].status, rows[i].status) << i;
    EXPECT_EQ(rows[i].status == Status::Signaled ? runs[i].signal : runs[i].exitCode, rows[i].code) << i;
    if (rows[i].status != Status::OutputTooLarge) {
      EXPECT_TRUE(runs[i].out == rows[i].out) << i;  // not printed: some are megabytes long
    }
  }
  EXPECT_EQ(runs[0].err, "oops\n");
}

TEST(ChildProcess, ADeadlineEndsTheChildAndWhatItStarted) {
  ChildLimits limits;
  limits.timeout = std::chrono::milliseconds(200);
  // The first closes its output and sleeps; its own child keeps nothing open but would live on.
  const std::vector<ChildOutcome> runs = RunChildren(
      {Shell("exec >/dev/null 2>&1; sleep 30 & sleep 30"), Shell("echo started; sleep 30")}, limits);
  EXPECT_EQ(runs[0].status, Status::TimedOut);
  EXPECT_EQ(runs[1].status, Status::TimedOut);
  EXPECT_EQ(runs[1].out, "started\n");
}

// A program that ends leaves nothing it started behind: a wrapper script's background job,
// its output sent elsewhere, would otherwise run on after the check.
TEST(ChildProcess, AChildThatEndsTakesWhatItLeftRunningWithIt) {
  const std::vector<ChildOutcome> runs =
      RunChildren({Shell("sleep 30 </dev/null >/dev/null 2>&1 & echo $!")}, ChildLimits{});
  ASSERT_EQ(runs[0].status, Status::Exited);
  const std::string pid = runs[0].out.substr(0, runs[0].out.find('\n'));
  ASSERT_FALSE(pid.empty());
  // Ended, or a zombie that nothing reaps in some containers: either way, not running. The kill
  // is delivered in its own time.
  const auto running = [&] {
    std::ifstream stat("/proc/" + pid + "/stat");
    std::string line;
    return std::getline(stat, line) && line.find(") Z") == std::string::npos;
  };
  for (int tries = 0; tries < 500 && running(); ++tries)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_FALSE(running());
}

}  // namespace
}  // namespace vdmos

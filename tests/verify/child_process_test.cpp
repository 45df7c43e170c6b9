#include "verify/child_process.h"

#include <gtest/gtest.h>

#include <csignal>

namespace vdmos {
namespace {

using Status = ChildOutcome::Status;

ChildRequest Shell(std::string script, std::string input = {}) {
  return {{"/bin/sh", "-c", std::move(script)}, {}, std::move(input)};
}

ChildOutcome RunOne(const ChildRequest& request, ChildLimits limits = {}) {
  return RunChildren({request}, limits).front();
}

TEST(ChildProcess, FeedsTheInputAndCollectsBothOutputs) {
  const ChildOutcome run = RunOne(Shell("cat; echo oops >&2; exit 3", "line 1\r\nline 2\r\n"));
  EXPECT_EQ(run.status, Status::Exited);
  EXPECT_EQ(run.exitCode, 3);
  EXPECT_EQ(run.out, "line 1\r\nline 2\r\n");
  EXPECT_EQ(run.err, "oops\n");
}

TEST(ChildProcess, InputAndOutputBeyondAPipeBufferDoNotDeadlock) {
  const std::string input(3u << 20, 'x');
  const ChildOutcome run = RunOne(Shell("cat; cat /dev/null >&2", input));
  EXPECT_EQ(run.status, Status::Exited);
  EXPECT_EQ(run.out.size(), input.size());
}

TEST(ChildProcess, AChildThatStopsReadingEarlyLeavesTheParentAlive) {
  // The write to a closed input would raise SIGPIPE in the parent if it were not suppressed.
  const ChildOutcome run = RunOne(Shell("exit 0", std::string(4u << 20, 'x')));
  EXPECT_EQ(run.status, Status::Exited);
  EXPECT_EQ(run.exitCode, 0);
}

TEST(ChildProcess, TheEnvironmentIsExtended) {
  ChildRequest request = Shell("echo \"$LC_ALL/$VDMOS_TEST_VALUE\"");
  request.environment = {"LC_ALL=C", "VDMOS_TEST_VALUE=1"};
  EXPECT_EQ(RunOne(request).out, "C/1\n");
}

TEST(ChildProcess, MissingPrograms) {
  for (const std::string program : {"/nonexistent/ngspice", "vdmos-no-such-program", ""}) {
    const ChildOutcome run = RunOne({{program}, {}, "x"});
    EXPECT_EQ(run.status, Status::NotFound) << program;
  }
  const ChildOutcome notExecutable = RunOne({{"/etc/passwd"}, {}, {}});
  EXPECT_EQ(notExecutable.status, Status::NotFound);
}

TEST(ChildProcess, ADeadlineEndsTheChildAndWhatItStarted) {
  ChildLimits limits;
  limits.timeout = std::chrono::milliseconds(200);
  // The child closes its output and sleeps; its own child keeps nothing open but would live on.
  const ChildOutcome run = RunOne(Shell("exec >/dev/null 2>&1; sleep 30 & sleep 30"), limits);
  EXPECT_EQ(run.status, Status::TimedOut);
  const ChildOutcome chatty = RunOne(Shell("echo started; sleep 30"), limits);
  EXPECT_EQ(chatty.status, Status::TimedOut);
  EXPECT_EQ(chatty.out, "started\n");
}

TEST(ChildProcess, EndsByASignal) {
  const ChildOutcome run = RunOne(Shell("kill -SEGV $$"));
  EXPECT_EQ(run.status, Status::Signaled);
  EXPECT_EQ(run.signal, SIGSEGV);
}

TEST(ChildProcess, TooMuchOutputIsStopped) {
  ChildLimits limits;
  limits.maxOutputBytes = 1u << 20;
  const ChildOutcome run = RunOne(Shell("yes"), limits);
  EXPECT_EQ(run.status, Status::OutputTooLarge);
}

TEST(ChildProcess, AMemoryLimitHolds) {
  ChildLimits limits;
  limits.maxMemoryBytes = 64u << 20;
  // dd with a 256 MB block must fail to allocate it.
  const ChildOutcome run = RunOne(Shell("dd if=/dev/zero of=/dev/null bs=256M count=1"), limits);
  EXPECT_EQ(run.status, Status::Exited);
  EXPECT_NE(run.exitCode, 0);
}

TEST(ChildProcess, SeveralAtOnceKeepTheirOwnOutcomes) {
  const std::vector<ChildOutcome> runs =
      RunChildren({Shell("cat", "a"), {{"vdmos-no-such-program"}, {}, {}}, Shell("echo b; exit 1")}, {});
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[0].out, "a");
  EXPECT_EQ(runs[1].status, Status::NotFound);
  EXPECT_EQ(runs[2].out, "b\n");
  EXPECT_EQ(runs[2].exitCode, 1);
}

}  // namespace
}  // namespace vdmos

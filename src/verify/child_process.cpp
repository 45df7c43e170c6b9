#include "verify/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <system_error>
#include <utility>

#include "verify/child_groups.h"

extern char** environ;

namespace vdmos {
namespace {

using Clock = std::chrono::steady_clock;
using Status = ChildOutcome::Status;

// How often a child whose output is closed is asked whether it has ended.
constexpr std::chrono::milliseconds kReapInterval{2};

class Fd {
 public:
  Fd() = default;
  explicit Fd(int fd) : fd_(fd) {}
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  Fd(Fd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  Fd& operator=(Fd&& other) noexcept {
    if (this != &other) {
      Close();
      fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
  }
  ~Fd() { Close(); }
  int get() const { return fd_; }
  bool open() const { return fd_ >= 0; }
  void Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }

 private:
  int fd_ = -1;
};

std::string ErrorText(int error) { return std::generic_category().message(error); }

/// The two ends of a pipe or socket pair, both closed on exec (the child's end is duplicated
/// onto a standard stream first).
struct Channel {
  Fd parent, child;
};

/// A pipe from the child to the parent.
bool OpenPipe(Channel& channel) {
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC) != 0) return false;
  channel.parent = Fd(fds[0]);
  channel.child = Fd(fds[1]);
  return true;
}

/// A socket pair for the child's input: unlike a pipe, writing to it after the child has
/// gone can be kept from raising SIGPIPE in the parent (MSG_NOSIGNAL).
bool OpenSocketPair(Channel& channel) {
  int fds[2];
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds) != 0) return false;
  channel.parent = Fd(fds[0]);
  channel.child = Fd(fds[1]);
  return true;
}

/// The program's path: argv[0] itself when it names a path, else the first executable file
/// of that name in PATH; empty when there is none.
std::string FindProgram(const std::string& name) {
  if (name.empty()) return {};
  if (name.find('/') != std::string::npos) return name;
  const char* pathVariable = std::getenv("PATH");
  const std::string path = pathVariable != nullptr ? pathVariable : "/usr/local/bin:/usr/bin:/bin";
  std::size_t at = 0;
  while (at <= path.size()) {
    const std::size_t end = std::min(path.find(':', at), path.size());
    const std::string folder = end > at ? path.substr(at, end - at) : ".";
    const std::string candidate = folder + "/" + name;
    struct stat info {};
    if (::stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
        ::access(candidate.c_str(), X_OK) == 0) {
      return candidate;
    }
    at = end + 1;
  }
  return {};
}

std::vector<std::string> ChildEnvironment(const std::vector<std::string>& overrides) {
  auto replaced = [&](std::string_view entry) {
    const std::string_view name = entry.substr(0, entry.find('='));
    return std::any_of(overrides.begin(), overrides.end(), [&](const std::string& o) {
      return std::string_view(o).substr(0, o.find('=')) == name;
    });
  };
  std::vector<std::string> environment;
  for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
    if (!replaced(*entry)) environment.emplace_back(*entry);
  }
  environment.insert(environment.end(), overrides.begin(), overrides.end());
  return environment;
}

std::vector<char*> PointerArray(std::vector<std::string>& strings) {
  std::vector<char*> pointers;
  for (std::string& s : strings) pointers.push_back(s.data());
  pointers.push_back(nullptr);
  return pointers;
}

struct Child {
  pid_t pid = -1;
  Fd in, out, err;
  std::size_t written = 0;
  bool running = false;  ///< started and not yet reaped
  ChildOutcome outcome;
};

/// Between fork and exec only async-signal-safe calls: the parent may have other threads.
[[noreturn]] void BecomeChild(pid_t parent, int in, int out, int err, int report, const rlimit& memory,
                              const rlimit& cpu, const char* path, char* const* argv, char* const* envp) {
  ::setpgid(0, 0);
  // The child dies with the thread that started it, however that ends; a parent already gone
  // before this line would never send the signal, hence the check after it.
  ::prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (::getppid() != parent) ::_exit(127);
  sigset_t none;
  sigemptyset(&none);
  sigprocmask(SIG_SETMASK, &none, nullptr);
  struct sigaction byDefault {};
  byDefault.sa_handler = SIG_DFL;
  sigaction(SIGPIPE, &byDefault, nullptr);
  ::dup2(in, STDIN_FILENO);
  ::dup2(out, STDOUT_FILENO);
  ::dup2(err, STDERR_FILENO);
  ::setrlimit(RLIMIT_AS, &memory);
  ::setrlimit(RLIMIT_CPU, &cpu);
  ::execve(path, argv, envp);
  const int error = errno;
  [[maybe_unused]] const ssize_t ignored = ::write(report, &error, sizeof error);
  ::_exit(127);
}

void RecordWaitStatus(Child& child, int status) {
  ForgetChildGroup(child.pid);
  child.running = false;
  if (WIFEXITED(status)) {
    child.outcome.status = Status::Exited;
    child.outcome.exitCode = WEXITSTATUS(status);
  } else {
    child.outcome.status = Status::Signaled;
    child.outcome.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
  }
}

void Reap(Child& child) {
  int status = 0;
  while (::waitpid(child.pid, &status, 0) < 0 && errno == EINTR) {
  }
  ForgetChildGroup(child.pid);
  child.running = false;
  child.in.Close();
  child.out.Close();
  child.err.Close();
}

/// Ends the child and everything it started, and records why.
void Kill(Child& child, Status why) {
  ::kill(-child.pid, SIGKILL);
  ::kill(child.pid, SIGKILL);  // in case it had not yet made its own group
  Reap(child);
  child.outcome.status = why;
}

void TryReap(Child& child) {
  // Whatever the program left running in its group (a wrapper script's background job) ends
  // with it. Killed while the ended leader is not yet reaped, the group's number cannot have
  // passed to another process.
  siginfo_t ended{};
  if (::waitid(P_PID, static_cast<id_t>(child.pid), &ended, WEXITED | WNOHANG | WNOWAIT) == 0 &&
      ended.si_pid == child.pid)
    ::kill(-child.pid, SIGKILL);
  int status = 0;
  const pid_t done = ::waitpid(child.pid, &status, WNOHANG);
  if (done == child.pid) {
    RecordWaitStatus(child, status);
    child.in.Close();
  } else if (done < 0 && errno == ECHILD) {
    // Someone else reaped it (a host program may wait for any child): it has ended, how is
    // unknown, and its output has to tell.
    RecordWaitStatus(child, 0);
    child.in.Close();
  }
}

void Start(const ChildRequest& request, const ChildLimits& limits, Child& child) {
  const std::string path = request.argv.empty() ? std::string() : FindProgram(request.argv[0]);
  if (path.empty()) {
    child.outcome.status = Status::NotFound;
    return;
  }
  std::vector<std::string> arguments = request.argv;
  std::vector<std::string> environment = ChildEnvironment(request.environment);
  const std::vector<char*> argv = PointerArray(arguments);
  const std::vector<char*> envp = PointerArray(environment);
  const auto seconds = std::chrono::ceil<std::chrono::seconds>(limits.timeout).count() + 1;
  const rlimit memory{limits.maxMemoryBytes, limits.maxMemoryBytes};
  const rlimit cpu{static_cast<rlim_t>(seconds), static_cast<rlim_t>(seconds + 1)};

  Channel in, out, err, report;
  if (!OpenSocketPair(in) || !OpenPipe(out) || !OpenPipe(err) || !OpenPipe(report)) {
    child.outcome.error = ErrorText(errno);
    return;
  }

  const pid_t parent = ::getpid();
  const pid_t pid = ::fork();
  if (pid < 0) {
    child.outcome.error = ErrorText(errno);
    return;
  }
  if (pid == 0) {
    BecomeChild(parent, in.child.get(), out.child.get(), err.child.get(), report.child.get(), memory, cpu,
                path.c_str(), argv.data(), envp.data());
  }
  ::setpgid(pid, pid);  // also here, so that a kill cannot come before the child made its group
  RegisterChildGroup(pid);
  child.pid = pid;
  child.running = true;
  for (Channel* channel : {&in, &out, &err, &report}) channel->child.Close();

  // The report pipe closes on a successful exec; an exec that failed writes its errno.
  int execError = 0;
  ssize_t got = 0;
  while ((got = ::read(report.parent.get(), &execError, sizeof execError)) < 0 && errno == EINTR) {
  }
  if (got == static_cast<ssize_t>(sizeof execError)) {
    Reap(child);
    const bool missing = execError == ENOENT || execError == EACCES || execError == ENOTDIR;
    child.outcome.status = missing ? Status::NotFound : Status::StartFailed;
    child.outcome.error = ErrorText(execError);
    return;
  }
  for (const Channel* channel : {&in, &out, &err}) ::fcntl(channel->parent.get(), F_SETFL, O_NONBLOCK);
  child.in = std::move(in.parent);
  child.out = std::move(out.parent);
  child.err = std::move(err.parent);
  if (request.input.empty()) child.in.Close();
}

void WriteSome(Child& child, const std::string& input) {
  while (child.written < input.size()) {
    const ssize_t n = ::send(child.in.get(), input.data() + child.written, input.size() - child.written,
                             MSG_NOSIGNAL | MSG_DONTWAIT);
    if (n > 0) {
      child.written += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) return;
    break;  // the child closed its input: what it has is what it reads
  }
  child.in.Close();
}

/// Reads what is there; false when the stream has grown beyond the limit.
bool ReadSome(Fd& fd, std::string& into, std::size_t limit) {
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n > 0) {
      into.append(buffer, static_cast<std::size_t>(n));
      if (into.size() > limit) return false;
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return true;
    fd.Close();  // end of the stream, or an error that ends it
    return true;
  }
}

void Serve(std::vector<Child>& children, const std::vector<ChildRequest>& requests,
           const ChildLimits& limits) {
  const Clock::time_point deadline = Clock::now() + limits.timeout;
  for (;;) {
    const bool anyRunning =
        std::any_of(children.begin(), children.end(), [](const Child& c) { return c.running; });
    if (!anyRunning) return;
    const Clock::time_point now = Clock::now();
    if (now >= deadline) {
      for (Child& child : children) {
        if (child.running) Kill(child, Status::TimedOut);
      }
      return;
    }
    std::vector<pollfd> fds;
    std::vector<std::pair<std::size_t, Fd*>> owners;
    bool awaitingExit = false;
    for (std::size_t i = 0; i < children.size(); ++i) {
      Child& child = children[i];
      if (!child.running) continue;
      if (child.in.open()) {
        fds.push_back({child.in.get(), POLLOUT, 0});
        owners.emplace_back(i, &child.in);
      }
      for (Fd* stream : {&child.out, &child.err}) {
        if (!stream->open()) continue;
        fds.push_back({stream->get(), POLLIN, 0});
        owners.emplace_back(i, stream);
      }
      if (!child.out.open() && !child.err.open()) awaitingExit = true;
    }
    auto wait = std::chrono::ceil<std::chrono::milliseconds>(deadline - now);
    if (awaitingExit) wait = std::min(wait, kReapInterval);
    if (::poll(fds.data(), fds.size(), static_cast<int>(wait.count())) < 0 && errno != EINTR) {
      for (Child& child : children) {
        if (child.running) Kill(child, Status::StartFailed);
      }
      return;
    }
    for (std::size_t k = 0; k < fds.size(); ++k) {
      if (fds[k].revents == 0) continue;
      Child& child = children[owners[k].first];
      if (!child.running) continue;
      Fd& fd = *owners[k].second;
      if (&fd == &child.in) {
        WriteSome(child, requests[owners[k].first].input);
      } else if (!ReadSome(fd, &fd == &child.out ? child.outcome.out : child.outcome.err,
                           limits.maxOutputBytes)) {
        Kill(child, Status::OutputTooLarge);
      }
    }
    for (Child& child : children) {
      if (child.running && !child.out.open() && !child.err.open()) TryReap(child);
    }
  }
}

}  // namespace

std::vector<ChildOutcome> RunChildren(const std::vector<ChildRequest>& requests, const ChildLimits& limits) {
  std::vector<Child> children(requests.size());
  for (std::size_t i = 0; i < requests.size(); ++i) Start(requests[i], limits, children[i]);
  Serve(children, requests, limits);
  std::vector<ChildOutcome> outcomes;
  for (Child& child : children) outcomes.push_back(std::move(child.outcome));
  return outcomes;
}

}  // namespace vdmos

#include "verify/child_groups.h"

#include <array>
#include <atomic>
#include <csignal>

namespace vdmos {
namespace {

// Each check runs four children, and the window runs at most two checks at once; the spare
// room covers a refinement's checks. A child that finds no free slot still has the
// parent-death signal.
constexpr std::size_t kSlots = 64;

// Only lock-free atomics are touched in the signal handler.
std::array<std::atomic<pid_t>, kSlots> groups{};
static_assert(std::atomic<pid_t>::is_always_lock_free);

constexpr std::array kTerminatingSignals{SIGINT, SIGTERM, SIGHUP};

void EndChildrenAndDie(int signal) {
  for (const std::atomic<pid_t>& slot : groups) {
    const pid_t group = slot.load();
    if (group <= 0) continue;
    ::kill(-group, SIGKILL);
    ::kill(group, SIGKILL);  // in case the child had not yet made its own group
  }
  struct sigaction byDefault {};
  byDefault.sa_handler = SIG_DFL;
  sigemptyset(&byDefault.sa_mask);
  sigaction(signal, &byDefault, nullptr);
  // Blocked while this handler runs; delivered with the default action when it returns.
  ::raise(signal);
}

}  // namespace

void RegisterChildGroup(pid_t group) {
  for (std::atomic<pid_t>& slot : groups) {
    pid_t empty = 0;
    if (slot.compare_exchange_strong(empty, group)) return;
  }
}

void ForgetChildGroup(pid_t group) {
  for (std::atomic<pid_t>& slot : groups) {
    pid_t expected = group;
    if (slot.compare_exchange_strong(expected, 0)) return;
  }
}

void EndChildrenOnTerminatingSignals() {
  for (const int signal : kTerminatingSignals) {
    struct sigaction previous {};
    if (sigaction(signal, nullptr, &previous) != 0 || previous.sa_handler == SIG_IGN) continue;
    struct sigaction handler {};
    handler.sa_handler = EndChildrenAndDie;
    sigfillset(&handler.sa_mask);
    sigaction(signal, &handler, nullptr);
  }
}

}  // namespace vdmos

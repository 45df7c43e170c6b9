#pragma once
// The CPU time of a benchmark's ended child processes: the ngspice runs' own work, which the
// wall time hides on a busy machine.

#include <sys/resource.h>

namespace vdmos {

/// CPU seconds of all ended children so far.
inline double ChildrenCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

}  // namespace vdmos

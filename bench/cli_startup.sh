#!/usr/bin/env bash
# Whole-process time of vdmosgen-cli printing the default card against a trivial process
# (true), both started the same way: posix_spawn with the output to /dev/null, one after the
# other in turns so that a busy moment hits both alike. A small timer compiled here starts
# them and prints the medians of wall-clock and CPU time (user + system) and their ratios;
# on a shared machine the CPU time is the steadier figure.
# Usage: bench/cli_startup.sh BUILD_DIR   (RUNS=n sets the runs of each, default 1000)
set -euo pipefail
build=${1:?usage: cli_startup.sh BUILD_DIR}
runs=${RUNS:-1000}
cli="$build/src/cli/vdmosgen-cli"
[[ -x "$cli" ]] || { echo "cli_startup: $cli not built" >&2; exit 1; }
trivial=$(type -P true)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat >"$work/timer.cpp" <<'CPP'
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

extern char** environ;

namespace {

double Median(std::vector<double> v) {
  std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end());
  return v[v.size() / 2];
}

double Microseconds(const timeval& t) { return t.tv_sec * 1e6 + t.tv_usec; }

}  // namespace

// timer RUNS PROGRAM...: each program RUNS times in turns, after a few runs to warm up;
// prints "wall-median cpu-median" in microseconds per program.
int main(int argc, char** argv) {
  const int runs = std::atoi(argv[1]);
  const int programs = argc - 2;
  std::vector<std::vector<double>> wall(programs), cpu(programs);
  posix_spawn_file_actions_t output;
  posix_spawn_file_actions_init(&output);
  posix_spawn_file_actions_addopen(&output, 1, "/dev/null", O_WRONLY, 0);
  for (int round = -5; round < runs; ++round) {
    for (int p = 0; p < programs; ++p) {
      char* args[] = {argv[2 + p], nullptr};
      const auto start = std::chrono::steady_clock::now();
      pid_t child;
      if (posix_spawn(&child, args[0], &output, nullptr, args, environ) != 0) return 1;
      int status;
      rusage usage;
      if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return 1;
      const std::chrono::duration<double, std::micro> took = std::chrono::steady_clock::now() - start;
      if (round < 0) continue;
      wall[p].push_back(took.count());
      cpu[p].push_back(Microseconds(usage.ru_utime) + Microseconds(usage.ru_stime));
    }
  }
  for (int p = 0; p < programs; ++p) std::printf("%.1f %.1f\n", Median(wall[p]), Median(cpu[p]));
}
CPP
"${CXX:-c++}" -O2 -std=c++20 -o "$work/timer" "$work/timer.cpp"

"$work/timer" "$runs" "$trivial" "$cli" >"$work/times" || { echo "cli_startup: a run failed" >&2; exit 1; }
awk -v n="$runs" -v trivial="$trivial" 'NR == 1 { tw = $1; tc = $2 } NR == 2 { cw = $1; cc = $2 } END {
  printf "default card against %s, medians of %d runs each\n", trivial, n
  printf "                 wall us   cpu us\n"
  printf "  vdmosgen-cli  %8.0f %8.0f\n", cw, cc
  printf "  true          %8.0f %8.0f\n", tw, tc
  printf "  ratio         %8.2f %8.2f   (target: at most 1.5, %s)\n", cw / tw, (tc > 0 ? cc / tc : 0),
         cw / tw <= 1.5 ? "met" : "not met"
}' "$work/times"

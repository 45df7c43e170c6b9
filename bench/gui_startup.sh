#!/usr/bin/env bash
# Start-up time of the window against an empty Qt main window built the same way. Each
# program starts, shows its window on the offscreen platform and ends after its first paint
# (VDMOS_QUIT_WHEN_SHOWN); the two run alternately so that both see the same machine load.
# Prints the medians of wall-clock and CPU time (user + system) of each, and their ratios;
# the CPU time is the steadier figure on a busy machine.
# Usage: bench/gui_startup.sh BUILD_DIR   (a build configured with -DVDMOS_BUILD_BENCH=ON)
set -euo pipefail
build=${1:?usage: gui_startup.sh BUILD_DIR}
runs=${RUNS:-31}
cmake --build "$build" --target vdmosgen empty_window -j "$(nproc)" >/dev/null
app="$build/src/ui/vdmosgen"
empty="$build/bench/empty_window/empty_window"
export QT_QPA_PLATFORM=offscreen VDMOS_QUIT_WHEN_SHOWN=1

# One run: "wall cpu" in milliseconds.
run_once() {
  local TIMEFORMAT='%3R %3U %3S' times
  times=$({ time "$1" >/dev/null 2>&1; } 2>&1)
  awk '{ printf "%.1f %.1f\n", $1 * 1000, ($2 + $3) * 1000 }' <<<"$times"
}

# Median of one column of "wall cpu" lines.
median() { cut -d' ' -f"$1" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

run_once "$app" >/dev/null  # let both programs and the Qt libraries reach the page cache
run_once "$empty" >/dev/null
app_runs="" empty_runs=""
for ((i = 0; i < runs; i++)); do
  app_runs+="$(run_once "$app")"$'\n'
  empty_runs+="$(run_once "$empty")"$'\n'
done
awk -v n="$runs" \
  -v aw="$(median 1 <<<"${app_runs%$'\n'}")" -v ac="$(median 2 <<<"${app_runs%$'\n'}")" \
  -v ew="$(median 1 <<<"${empty_runs%$'\n'}")" -v ec="$(median 2 <<<"${empty_runs%$'\n'}")" 'BEGIN {
  printf "start to shown window, medians of %d runs each (offscreen)\n", n
  printf "                 wall ms   cpu ms\n"
  printf "  vdmosgen      %8.1f %8.1f\n", aw, ac
  printf "  empty window  %8.1f %8.1f\n", ew, ec
  printf "  ratio         %8.2f %8.2f   (target: at most 3, %s)\n", aw / ew, (ec > 0 ? ac / ec : 0),
         aw / ew <= 3 ? "met" : "not met"
}'

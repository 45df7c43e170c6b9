#!/usr/bin/env bash
# Start-up time of the window against an empty Qt main window built the same way. Each
# program starts, shows its window on the offscreen platform and ends after its first paint
# (VDMOS_QUIT_WHEN_SHOWN); the two run alternately so that both see the same machine load.
# Prints the median of each and their ratio.
# Usage: bench/gui_startup.sh BUILD_DIR   (a build configured with -DVDMOS_BUILD_BENCH=ON)
set -euo pipefail
build=${1:?usage: gui_startup.sh BUILD_DIR}
runs=${RUNS:-31}
cmake --build "$build" --target vdmosgen empty_window -j "$(nproc)" >/dev/null
app="$build/src/ui/vdmosgen"
empty="$build/bench/empty_window/empty_window"
export QT_QPA_PLATFORM=offscreen VDMOS_QUIT_WHEN_SHOWN=1

# Microseconds from start to exit of one run.
run_once() {
  local start=${EPOCHREALTIME/./}
  "$1" >/dev/null 2>&1
  local end=${EPOCHREALTIME/./}
  echo $((end - start))
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

run_once "$app" >/dev/null  # let both programs and the Qt libraries reach the page cache
run_once "$empty" >/dev/null
app_times=() empty_times=()
for ((i = 0; i < runs; i++)); do
  app_times+=("$(run_once "$app")")
  empty_times+=("$(run_once "$empty")")
done
app_median=$(printf '%s\n' "${app_times[@]}" | median)
empty_median=$(printf '%s\n' "${empty_times[@]}" | median)
awk -v a="$app_median" -v e="$empty_median" -v n="$runs" 'BEGIN {
  printf "start to shown window, median of %d runs (offscreen)\n", n
  printf "  vdmosgen      %7.1f ms\n", a / 1000
  printf "  empty window  %7.1f ms\n", e / 1000
  printf "  ratio         %7.2f (target: at most 5)\n", a / e
}'

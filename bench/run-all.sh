#!/usr/bin/env bash
# Runs every benchmark program of a build folder, then every benchmark script beside this file.
set -euo pipefail
build=${1:?usage: run-all.sh BUILD_DIR}
here=$(cd "$(dirname "$0")" && pwd)
for program in "$build"/bench/bench_*; do
  [[ -x "$program" ]] || continue
  echo "== $(basename "$program")"
  "$program" --benchmark_min_time=0.2
done
for script in "$here"/*.sh; do
  [[ "$(basename "$script")" == run-all.sh ]] && continue
  echo "== $(basename "$script")"
  bash "$script" "$build"
done

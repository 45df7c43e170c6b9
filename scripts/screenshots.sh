#!/usr/bin/env bash
# Writes pictures of the window's pages and of the gate resistance window, at the sizes they
# open with on a laptop's 1366x768 screen (the offscreen platform's screen the window tests
# use too), into docs/screenshots. The model check page is taken twice, the second time after
# a simulation, which needs ngspice on the PATH.
# Usage: scripts/screenshots.sh [BUILD_DIR]   (default: build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
cmake -S "$root" -B "$build" -DVDMOS_BUILD_GUI=ON -DVDMOS_BUILD_TESTS=ON >/dev/null
cmake --build "$build" --target ui_screenshots -j "$(nproc)"
QT_QPA_PLATFORM="offscreen:configfile=$root/tests/ui/laptop_screen.json" "$build/tests/ui/ui_screenshots" "$root/docs/screenshots"
echo "Pictures written to $root/docs/screenshots"

#!/usr/bin/env bash
# Writes pictures of the window's pages and of the gate resistance window into docs/screenshots:
# on a laptop's 1366x768 screen (the offscreen platform's screen the window tests use too), in
# 1920x1080/ on a full HD screen, and in scale-2/ on the laptop's screen with everything drawn
# twice as large (QT_SCALE_FACTOR=2). The model check page is taken twice more, after a
# simulation and after a refinement, which needs ngspice on the PATH.
# Usage: scripts/screenshots.sh [BUILD_DIR]   (default: build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
cmake -S "$root" -B "$build" -DVDMOS_BUILD_GUI=ON -DVDMOS_BUILD_TESTS=ON >/dev/null
cmake --build "$build" --target ui_screenshots -j "$(nproc)"
shots=$root/docs/screenshots
laptop=$root/tests/ui/laptop_screen.json
full_hd=$root/tests/ui/screenshots/full_hd_screen.json
QT_QPA_PLATFORM="offscreen:configfile=$laptop" "$build/tests/ui/ui_screenshots" "$shots"
QT_QPA_PLATFORM="offscreen:configfile=$full_hd" "$build/tests/ui/ui_screenshots" "$shots/1920x1080"
QT_SCALE_FACTOR=2 QT_QPA_PLATFORM="offscreen:configfile=$laptop" "$build/tests/ui/ui_screenshots" "$shots/scale-2"
echo "Pictures written to $shots"

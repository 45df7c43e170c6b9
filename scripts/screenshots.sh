#!/usr/bin/env bash
# Writes pictures of the window's pages and of the gate resistance window into docs/screenshots:
# on a laptop's 1366x768 screen (the screen the window tests use too), in
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
# On a real X server (Xvfb) of the screen's size where one is installed, as a user's desktop
# draws the window; else on Qt's offscreen platform with the same screen.
shoot() {
  local width=$1 height=$2 screen=$3 out=$4
  if command -v xvfb-run >/dev/null; then
    xvfb-run -a -s "-screen 0 ${width}x${height}x24" env QT_QPA_PLATFORM=xcb "$build/tests/ui/ui_screenshots" "$out"
  else
    QT_QPA_PLATFORM="offscreen:configfile=$screen" "$build/tests/ui/ui_screenshots" "$out"
  fi
}
shoot 1366 768 "$laptop" "$shots"
shoot 1920 1080 "$full_hd" "$shots/1920x1080"
QT_SCALE_FACTOR=2 shoot 1366 768 "$laptop" "$shots/scale-2"
echo "Pictures written to $shots"

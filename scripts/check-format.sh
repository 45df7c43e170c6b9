#!/usr/bin/env bash
# Fails, naming the places, when a tracked C++ file differs from the tree's .clang-format.
# Run `clang-format -i` on the files it names to fix them.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h')
clang-format --dry-run --Werror "${files[@]}"
echo "check-format: ok: ${#files[@]} C++ files follow .clang-format"

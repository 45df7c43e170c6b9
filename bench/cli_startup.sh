#!/usr/bin/env bash
# Whole-process time of vdmosgen-cli printing the default card, side by side with a trivial
# C++ program compiled here with the same compiler, so that the machine's process start-up
# cost is the yardstick. Target: the tool within 2x of the trivial program.
set -euo pipefail
build=${1:?usage: cli_startup.sh BUILD_DIR}
cli="$build/src/cli/vdmosgen-cli"
[[ -x "$cli" ]] || { echo "cli_startup: $cli not built" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat >"$work/trivial.cpp" <<'CPP'
#include <iostream>
int main() { std::cout << "trivial\n"; }
CPP
"${CXX:-c++}" -O2 -std=c++20 -o "$work/trivial" "$work/trivial.cpp"
trivial="$work/trivial"

if command -v hyperfine >/dev/null; then
  hyperfine -N --warmup 20 --export-json "$work/times.json" "$trivial" "$cli"
  python3 - "$work/times.json" <<'PY'
import json, sys
trivial, cli = (r["mean"] for r in json.load(open(sys.argv[1]))["results"])
print(f"vdmosgen-cli / trivial: {cli / trivial:.2f}x (target < 2x)")
PY
  exit 0
fi

runs=${RUNS:-300}
# Mean wall time of one run in microseconds.
mean_us() {
  local start end i
  start=$(date +%s%N)
  for ((i = 0; i < runs; i++)); do "$1" >/dev/null; done
  end=$(date +%s%N)
  echo $(((end - start) / runs / 1000))
}
# Warm both up, then alternate the measurements so that a busy moment hits both alike.
mean_us "$trivial" >/dev/null
mean_us "$cli" >/dev/null
trivial_total=0 cli_total=0
for _ in 1 2 3; do
  trivial_total=$((trivial_total + $(mean_us "$trivial")))
  cli_total=$((cli_total + $(mean_us "$cli")))
done
trivial_us=$((trivial_total / 3))
cli_us=$((cli_total / 3))
echo "trivial C++ program: ${trivial_us} us per run ($((runs * 3)) runs)"
echo "vdmosgen-cli (default card): ${cli_us} us per run ($((runs * 3)) runs)"
awk -v c="$cli_us" -v t="$trivial_us" 'BEGIN { printf "vdmosgen-cli / trivial: %.2fx (target < 2x)\n", c / t }'

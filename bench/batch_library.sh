#!/usr/bin/env bash
# Batch speed of the command line: 10,000 datasheet values files, made here with varying
# values, go into one model library with `vdmosgen-cli FILE... --library out.lib`.
# Target: under 1 s for the whole batch on the 2-core machine.
set -euo pipefail
build=${1:?usage: batch_library.sh BUILD_DIR}
cli="$(cd "$build" && pwd)/src/cli/vdmosgen-cli"
[[ -x "$cli" ]] || { echo "batch_library: $cli not built" >&2; exit 1; }
count=${COUNT:-10000}
runs=${RUNS:-5}
export LC_ALL=C

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/values"

# The start values, with the model name and a few values varied per file; every variation
# still gives a card, which the check at the end relies on.
awk -v n="$count" -v dir="$work/values" 'BEGIN {
  for (i = 1; i <= n; i++) {
    f = sprintf("%s/v%05d.txt", dir, i)
    printf "Mosfet datasheet values\r\nB%05d\r\ndc parameters\r\n%dm\r\n0\r\n540m\r\n3\r\n70\r\n7.5\r\n", i, 150 + i % 21 > f
    printf "ac parameters\r\n%d\r\n780\r\n13000\r\n50\r\n3400\r\n7\r\nbody diode parameters\r\n0\r\n0\r\n0\r\n", 2300 + i % 201 > f
    printf "25\r\n10\r\n%d\r\nNMOS\r\n50\r\n25\r\n20.7\r\n480\r\n0\r\n0\r\n20.7\r\n5.5\r\n", 400 + i % 201 > f
    printf "400m\r\n700m\r\n3\r\n800m\r\n45\r\n1.2\r\n600\r\n65\r\n" > f
    close(f)
  }
}'

cd "$work/values"
files=(v*.txt)
# One process takes all files when their names fit the argument limit beside the environment;
# otherwise xargs splits them into as few processes as the limit allows, each appending to
# the library that the one before saved.
limit=$(($(getconf ARG_MAX) - $(env | wc -c) - 4096))
needed=$(($(printf '%s\0' "${files[@]}" | wc -c) + 8 * (${#files[@]} + 4)))
run_batch() {
  rm -f "$work/out.lib"
  if ((needed < limit)); then
    "$cli" --library "$work/out.lib" "${files[@]}" >/dev/null
  else
    printf '%s\0' "${files[@]}" | xargs -0 -s "$limit" "$cli" --library "$work/out.lib" >/dev/null
  fi
}
if ((needed < limit)); then processes="one process"; else processes="several processes (xargs)"; fi

run_batch  # warm the file cache
best=""
total=0
for ((r = 0; r < runs; r++)); do
  start=$(date +%s%N)
  run_batch
  end=$(date +%s%N)
  ms=$(((end - start) / 1000000))
  total=$((total + ms))
  if [[ -z "$best" ]] || ((ms < best)); then best=$ms; fi
done

models=$(grep -c '^\.MODEL ' "$work/out.lib")
if ((models != count)); then
  echo "batch_library: the library holds $models models, not $count" >&2
  exit 1
fi
echo "vdmosgen-cli: $count datasheet values files into one library ($processes, $(wc -c <"$work/out.lib") bytes)"
echo "best of $runs runs: ${best} ms, mean: $((total / runs)) ms (target < 1000 ms)"

#!/usr/bin/env bash
# Many command-line runs adding to one library at the same time must keep every model: ROUNDS
# rounds (100) of RUNS processes (20) started together, each adding one model of its own name
# to one library; then each name is counted. Exits 1 when a model is missing or doubled.
set -euo pipefail
build=${1:?usage: parallel-library.sh BUILD_DIR}
cli="$(cd "$build" && pwd)/src/cli/vdmosgen-cli"
[[ -x "$cli" ]] || { echo "parallel-library: $cli not built" >&2; exit 1; }
rounds=${ROUNDS:-100}
runs=${RUNS:-20}
export LC_ALL=C

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
library="$work/all.lib"
failed=0
for ((round = 0; round < rounds; round++)); do
  pids=()
  for ((run = 0; run < runs; run++)); do
    "$cli" --set "Text20=R${round}M${run}" --library "$library" > /dev/null &
    pids+=($!)
  done
  for pid in "${pids[@]}"; do wait "$pid" || failed=$((failed + 1)); done
done

expected=$((rounds * runs))
kept=$(grep -c '^\.MODEL R[0-9]*M[0-9]* VDMOS(' "$library" || true)
distinct=$(grep -o '^\.MODEL R[0-9]*M[0-9]* ' "$library" | sort -u | wc -l)
echo "parallel-library: $kept models kept ($distinct distinct) of $expected, $failed runs failed"
[[ $kept -eq $expected && $distinct -eq $expected && $failed -eq 0 ]]

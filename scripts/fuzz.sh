#!/usr/bin/env bash
# Runs every libFuzzer target of a fuzz build for a bounded time, starting from the seed
# corpora in fuzz/corpus, and prints one summary line per target: executions per second and
# the coverage reached. Any crash, leak, sanitizer finding or slow input fails the run; the
# input that caused it is kept under BUILD/findings. FUZZ_SEED fixes libFuzzer's random seed, so
# that a run, CI's above all, explores the same inputs again on the same corpus; unset, each run
# explores new ones.
set -uo pipefail
build=${1:?usage: fuzz.sh BUILD_DIR [SECONDS]}
seconds=${2:-60}
here=$(cd "$(dirname "$0")/.." && pwd)
status=0
mkdir -p "$build/findings"
printf '%-22s %10s %8s %8s %s\n' target exec/s cov ft result
for program in "$build"/fuzz/fuzz_*; do
  [[ -x "$program" && -f "$program" ]] || continue
  name=$(basename "$program")
  corpus="$build/corpus/$name"
  mkdir -p "$corpus"
  cp -n "$here/fuzz/corpus/$name"/* "$corpus"/ 2>/dev/null || true
  log="$build/$name.log"
  "$program" "$corpus" -max_total_time="$seconds" -max_len=4096 -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$build/findings/$name-" -print_final_stats=1 ${FUZZ_SEED:+-seed="$FUZZ_SEED"} >"$log" 2>&1
  code=$?
  last=$(grep -E '^#[0-9]+' "$log" | tail -n 1)
  execs=$(grep -oE 'exec/s: [0-9]+' <<<"$last" | awk '{print $2}')
  cov=$(grep -oE 'cov: [0-9]+' <<<"$last" | awk '{print $2}')
  ft=$(grep -oE 'ft: [0-9]+' <<<"$last" | awk '{print $2}')
  result=ok
  if ((code != 0)); then
    result="FAILED (exit $code, see $log)"
    status=1
  fi
  printf '%-22s %10s %8s %8s %s\n' "$name" "${execs:-?}" "${cov:-?}" "${ft:-?}" "$result"
done
exit $status

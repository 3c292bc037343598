#!/usr/bin/env bash
# A few seconds of a libFuzzer target from a fresh seed corpus. Exit 77 (skipped) without the target.
# Usage: fuzz_smoke.sh FUZZER WORKDIR SEED_WRITER MAX_LEN
# SEED_WRITER is run with the corpus folder as its one argument.
set -euo pipefail
usage="usage: fuzz_smoke.sh FUZZER WORKDIR SEED_WRITER MAX_LEN"
fuzzer=${1:?$usage}
work=${2:?$usage}
seed_writer=${3:?$usage}
max_len=${4:?$usage}
[ -x "$fuzzer" ] || { echo "no fuzz target at $fuzzer"; exit 77; }
rm -rf "$work"
mkdir -p "$work/corpus"
"$seed_writer" "$work/corpus"
"$fuzzer" -max_total_time=5 -timeout=10 -rss_limit_mb=2048 -max_len="$max_len" -print_final_stats=1 \
  -artifact_prefix="$work/" "$work/corpus" >"$work/fuzz.log" 2>&1 || {
  tail -n 40 "$work/fuzz.log"
  exit 1
}
runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/fuzz.log")
echo "executed $runs inputs without a finding"
[ "${runs:-0}" -gt 1000 ]

#!/usr/bin/env bash
# A few seconds of bitmap_check_fuzz from the seed corpus. Exit 77 (skipped) without the target.
# Usage: fuzz_smoke.sh FUZZER WORKDIR [SECONDS]
set -euo pipefail
fuzzer=${1:?usage: fuzz_smoke.sh FUZZER WORKDIR [SECONDS]}
work=${2:?usage: fuzz_smoke.sh FUZZER WORKDIR [SECONDS]}
seconds=${3:-5}
[ -x "$fuzzer" ] || { echo "no fuzz target at $fuzzer"; exit 77; }
seeds=$(dirname "$fuzzer")/bitmap_check_seeds
rm -rf "$work"
mkdir -p "$work/corpus"
"$seeds" "$work/corpus"
"$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=4096 -print_final_stats=1 \
  -artifact_prefix="$work/" "$work/corpus" >"$work/fuzz.log" 2>&1 || {
  tail -n 40 "$work/fuzz.log"
  exit 1
}
runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/fuzz.log")
echo "executed $runs inputs without a finding"
[ "${runs:-0}" -gt 1000 ]

#!/usr/bin/env bash
# A few seconds of lha_fuzz from the jlha seed corpus. Exit 77 (skipped) without the target.
set -euo pipefail
fuzzer=${1:?usage: fuzz_smoke.sh LHA_FUZZ WORKDIR}
work=${2:?usage: fuzz_smoke.sh LHA_FUZZ WORKDIR}
[ -x "$fuzzer" ] || { echo "no fuzz target at $fuzzer"; exit 77; }
here=$(cd "$(dirname "$0")" && pwd)
rm -rf "$work"
mkdir -p "$work/corpus"
"$here/make_fuzz_seeds.sh" "$work/corpus"
"$fuzzer" -max_total_time=5 -timeout=10 -rss_limit_mb=2048 -max_len=8192 -print_final_stats=1 \
  -artifact_prefix="$work/" "$work/corpus" >"$work/fuzz.log" 2>&1 || {
  tail -n 40 "$work/fuzz.log"
  exit 1
}
runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/fuzz.log")
echo "executed $runs inputs without a finding"
[ "${runs:-0}" -gt 1000 ]

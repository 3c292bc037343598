#!/usr/bin/env bash
# lh5 decoding throughput of the installer's decoder (the native lha_extract) against lhasa,
# on the same ~2 MB archive made by jlha from mixed text, binary and random data. Each tool
# extracts the archive RUNS times into a fresh folder; the medians are reported as MB/s of
# decoded output (10^6 bytes per second), including process start and file writing.
#
#   bench/lha_decode_bench.sh [LHA_EXTRACT] [RUNS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
extract=${1:-$root/build/native/lha_extract}
runs=${2:-15}
[ -x "$extract" ] || { echo "no lha_extract at $extract (build first)" >&2; exit 1; }
command -v jlha >/dev/null && command -v lhasa >/dev/null || { echo "needs jlha and lhasa" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/data"
python3 - "$work/data" <<'PY'
import random, sys
d = sys.argv[1]
rnd = random.Random(7)
words = "the of and to in is that for it as with was on be by this are from at or an which record lock screen".split()
text = "".join(" ".join(rnd.choice(words) for _ in range(rnd.randint(4, 14))) + ".\n" for _ in range(26000))
open(f"{d}/manual.txt", "w").write(text)                                   # ~1 MB of text
table = bytearray()
for i in range(60000):                                                       # ~0.5 MB of records
    table += i.to_bytes(4, "little") + rnd.choice(words).encode().ljust(4, b"\0")[:4]
open(f"{d}/records.dat", "wb").write(bytes(table))
code = bytearray()
while len(code) < 300000:                                                    # repetitive binary
    code += bytes([0x55, 0x8B, 0xEC, rnd.randrange(256), 0x83, 0xEC, rnd.randrange(64), 0xC3])
    if rnd.random() < 0.05:
        code += bytes(rnd.getrandbits(8) for _ in range(rnd.randint(1, 40)))
open(f"{d}/program.bin", "wb").write(bytes(code))
open(f"{d}/noise.bin", "wb").write(bytes(rnd.getrandbits(8) for _ in range(200000)))
PY
archive="$work/bench.lzh"
(cd "$work/data" && jlha c2o5q "$archive" manual.txt records.dat program.bin noise.bin >/dev/null)
original=$(cat "$work/data"/* | wc -c)
packed=$(stat -c %s "$archive")
lha v "$archive" | grep -q -- -lh5- || { echo "jlha wrote no -lh5- member" >&2; exit 1; }

# time_runs COMMAND...: prints the median wall time in nanoseconds; COMMAND runs in $work/out.
time_runs() {
  local times=() i start end
  for i in $(seq 1 "$runs"); do
    rm -rf "$work/out"
    mkdir "$work/out"
    start=$(date +%s%N)
    (cd "$work/out" && "$@") >/dev/null
    end=$(date +%s%N)
    times+=($((end - start)))
  done
  diff -r "$work/data" "$work/out" >/dev/null || { echo "$1 extracted something else" >&2; exit 1; }
  printf '%s\n' "${times[@]}" | sort -n | sed -n "$(((runs + 1) / 2))p"
}

ours=$(time_runs "$extract" "$archive")
theirs=$(time_runs lhasa xq "$archive")
rate() { awk -v b="$original" -v ns="$1" 'BEGIN { printf "%.1f", b / (ns / 1e9) / 1e6 }'; }
echo "archive: $original bytes in $packed bytes (-lh5-), median of $runs runs each"
printf '%-14s %8.2f ms %8s MB/s\n' lha_extract "$(awk -v n="$ours" 'BEGIN{print n/1e6}')" "$(rate "$ours")"
printf '%-14s %8.2f ms %8s MB/s\n' "lhasa x" "$(awk -v n="$theirs" 'BEGIN{print n/1e6}')" "$(rate "$theirs")"

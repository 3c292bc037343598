#!/usr/bin/env bash
# Time for archives of many small members: TWLSETUP under Wine and the native lha_extract,
# each unpacking into an empty folder. For each count the wall time and the CPU time of the
# extracting process (user + system) are reported; growing with the square of the count
# means a lookup per member that scans what is already there.
#
#   bench/lha_many_members_bench.sh [TWLSTUB.EXE] [LHA_EXTRACT] [COUNT...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
stub=${1:-$root/build/TWLSTUB.exe}
extract=${2:-$root/build/native/lha_extract}
shift $(($# > 2 ? 2 : $#))
counts=("${@:-2500 5000 10000}")
[ -f "$stub" ] && [ -x "$extract" ] || { echo "needs $stub and $extract (build first)" >&2; exit 1; }
stub=$(realpath "$stub")
extract=$(realpath "$extract")
source "$root/scripts/env.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
wineserver -p 60 2>/dev/null || true # one server for all runs: its start is not measured

for count in ${counts[*]}; do
  python3 - "$work/m$count.lzh" "$count" <<'PY'
import struct, sys
def crc16(data):
    crc = 0
    for b in data:
        crc ^= b
        for _ in range(8):
            crc = (crc >> 1) ^ 0xA001 if crc & 1 else crc >> 1
    return crc
def member(name, content):
    chain = b"\0\0\0" + struct.pack("<H", len(name) + 3) + b"\x01" + name + b"\0\0"
    header = bytearray(b"\0\0-lh0-" + struct.pack("<IIIBB", len(content), len(content), 1600000000, 0x20, 2))
    header += struct.pack("<H", crc16(content)) + b"U" + struct.pack("<H", 5) + chain
    header[0:2] = struct.pack("<H", len(header))
    header[27:29] = struct.pack("<H", crc16(bytes(header)))
    return bytes(header) + content
count = int(sys.argv[2])
open(sys.argv[1], "wb").write(b"".join(member(b"F%05d.TXT" % i, b"member %d\n" % i) for i in range(count)) + b"\0")
PY
  cat "$stub" "$work/m$count.lzh" >"$work/s$count.exe"
  for tool in wine native; do
    rm -rf "$work/out" && mkdir "$work/out"
    if [ "$tool" = wine ]; then
      (cd "$work/out" && /usr/bin/time -o "$work/time" -f "%e %U %S" wine "../s$count.exe" >/dev/null 2>&1)
    else
      (cd "$work/out" && /usr/bin/time -o "$work/time" -f "%e %U %S" "$extract" "../m$count.lzh" >/dev/null 2>&1)
    fi
    times=$(tail -1 "$work/time")
    [ "$(ls "$work/out" | wc -l)" = "$count" ] || { echo "$tool: $(ls "$work/out" | wc -l) of $count files" >&2; exit 1; }
    read -r wall user system <<<"$times"
    printf '%-7s %6d members: %7.2f s wall, %7.2f s CPU\n' "$tool" "$count" "$wall" "$(awk -v u="$user" -v s="$system" 'BEGIN{print u+s}')"
  done
done

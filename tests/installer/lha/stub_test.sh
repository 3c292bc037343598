#!/usr/bin/env bash
# TWLSTUB with an archive appended, run under Wine in a scratch folder: it extracts every
# member with its time stamp; a damaged member or a hostile name fails alone with a message
# and a non-zero exit code; without an archive, or with something else appended, the stub
# says so.
set -euo pipefail
stub=${1:?usage: stub_test.sh TWLSTUB.EXE WORKDIR [WINE]}
work=${2:?usage: stub_test.sh TWLSTUB.EXE WORKDIR [WINE]}
wine=${3:-wine}
here=$(cd "$(dirname "$0")" && pwd)
source "$here/check_tree.sh"
rm -rf "$work"
mkdir -p "$work"
"$here/make_test_tree.sh" "$work/src"
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# run_setup NAME ARCHIVE: TWLSETUP.EXE = stub + archive, run in $work/NAME/out; sets status.
run_setup() {
  local name=$1 archive=$2
  mkdir -p "$work/$name/out"
  cat "$stub" "$archive" >"$work/$name/TWLSETUP.EXE"
  status=0
  (cd "$work/$name/out" && "$wine" ../TWLSETUP.EXE >../stdout 2>../stderr) || status=$?
}

# Level 2 (UTC times, 0xFF directory names) and level 0 (local DOS times, '\' separators).
for case in "c2o5 level2" "c0o7 level0"; do
  set -- $case
  (cd "$work/src" && jlha "$1q" "$work/$2.lzh" text.txt random.bin empty big.bin zeros.bin sub >/dev/null)
  run_setup "$2" "$work/$2.lzh"
  [ "$status" = 0 ] || fail "$2: exit code $status: $(cat "$work/$2/stderr")"
  same_tree "$work/src" "$work/$2/out" || fail "$2: extracted files differ"
done

# A damaged member: the others are extracted, the damaged one is not there at all.
cp "$work/level2.lzh" "$work/damaged.lzh"
python3 - "$work/damaged.lzh" <<'PY'
import sys
data = bytearray(open(sys.argv[1], "rb").read())
total = data[0] | data[1] << 8
packed = int.from_bytes(data[7:11], "little")
data[total + packed // 2] ^= 0x55                  # inside the first member, text.txt
open(sys.argv[1], "wb").write(data)
PY
run_setup damaged "$work/damaged.lzh"
[ "$status" = 1 ] || fail "damaged: exit code $status"
grep -q '^TWLSETUP: text.txt: ' "$work/damaged/stderr" || fail "damaged: no message for text.txt"
[ "$(wc -l <"$work/damaged/stderr")" = 1 ] || fail "damaged: $(cat "$work/damaged/stderr")"
[ ! -e "$work/damaged/out/text.txt" ] || fail "damaged: text.txt was left behind"
cmp -s "$work/src/big.bin" "$work/damaged/out/big.bin" || fail "damaged: big.bin not extracted"
[ -z "$(find "$work/damaged/out" -name '~TWL*')" ] || fail "damaged: temporary file left behind"

# Hostile names, in level 0 headers written by hand: refused, the harmless member extracted.
PYTHONPATH="$here" python3 - "$work/hostile.lzh" <<'PY'
import sys
from lzh_members import level0
def member(name, content):
    return level0(name, content, 0x5A8B6C21)
archive = b"".join(member(n, b"bad\n") for n in [b"..\\escape.txt", b"C:\\drive.txt", b"\\root.txt", b"aux.txt"])
archive += member(b"ok.txt", b"fine\n") + b"\0"
open(sys.argv[1], "wb").write(archive)
PY
run_setup hostile "$work/hostile.lzh"
[ "$status" = 1 ] || fail "hostile: exit code $status"
[ "$(grep -c 'refused' "$work/hostile/stderr")" = 4 ] || fail "hostile: $(cat "$work/hostile/stderr")"
[ "$(ls -A "$work/hostile/out")" = ok.txt ] || fail "hostile: out holds $(ls -A "$work/hostile/out")"
[ ! -e "$work/hostile/escape.txt" ] || fail "hostile: a file escaped the target directory"

# Something else appended: no header right after the program image.
printf 'not an archive, though -lh5- appears in it\n' >"$work/junk.bin"
run_setup junk "$work/junk.bin"
[ "$status" = 1 ] || fail "junk: exit code $status"
grep -q '^TWLSETUP: archive: damaged header at offset 0' "$work/junk/stderr" || fail "junk: $(cat "$work/junk/stderr")"
[ -z "$(ls -A "$work/junk/out")" ] || fail "junk: out holds $(ls -A "$work/junk/out")"

# No archive appended.
mkdir -p "$work/bare/out"
cp "$stub" "$work/bare/TWLSETUP.EXE"
status=0
(cd "$work/bare/out" && "$wine" ../TWLSETUP.EXE >../stdout 2>../stderr) || status=$?
[ "$status" = 2 ] || fail "bare stub: exit code $status"
grep -q 'no archive appended' "$work/bare/stderr" || fail "bare stub: $(cat "$work/bare/stderr")"

[ "$failures" = 0 ] && echo "TWLSETUP extracted what it should"
exit "$failures"

#!/usr/bin/env bash
# Archives made by jlha with every method and header level it writes unpack byte for byte,
# with their time stamps, with our decoder (lha_extract); lhasa, an independent decoder,
# agrees on every archive; a damaged member fails without leaving a file behind.
set -euo pipefail
extract=${1:?usage: jlha_crosscheck.sh LHA_EXTRACT WORKDIR}
work=${2:?usage: jlha_crosscheck.sh LHA_EXTRACT WORKDIR}
here=$(cd "$(dirname "$0")" && pwd)
source "$here/check_tree.sh"
rm -rf "$work"
mkdir -p "$work"
"$here/make_test_tree.sh" "$work/src"
cd "$work/src"
failures=0
for option in o5 o6 o7 z; do
  method=$(case $option in o5) echo -lh5-;; o6) echo -lh6-;; o7) echo -lh7-;; z) echo -lh0-;; esac)
  for level in 0 1 2; do
    archive="$work/test_${option}_${level}.lzh"
    jlha "c${level}${option}q" "$archive" text.txt random.bin empty big.bin zeros.bin sub >/dev/null
    # The archive holds what it should: the method and header level asked for.
    if ! lha v "$archive" | grep -q -- "$method"; then
      echo "FAIL: $archive has no $method member" >&2; failures=$((failures + 1)); continue
    fi
    if [ "$(od -An -tu1 -j20 -N1 "$archive" | tr -d ' ')" != "$level" ]; then
      echo "FAIL: $archive does not start with a level $level header" >&2; failures=$((failures + 1)); continue
    fi
    ours="$work/ours_${option}_${level}"
    theirs="$work/lhasa_${option}_${level}"
    mkdir -p "$ours" "$theirs"
    if ! "$extract" "$archive" "$ours"; then
      echo "FAIL: lha_extract $archive" >&2; failures=$((failures + 1)); continue
    fi
    same_tree "$work/src" "$ours" || failures=$((failures + 1))
    (cd "$theirs" && lha xq "$archive")
    if ! diff -r "$theirs" "$ours" >/dev/null; then
      echo "FAIL: lhasa and lha_extract differ on $archive" >&2
      failures=$((failures + 1))
    fi
  done
done

# A flipped byte in the middle of the compressed text: that member fails, the rest extract.
damaged="$work/damaged.lzh"
jlha c2o5q "$damaged" text.txt random.bin >/dev/null
python3 - "$damaged" <<'PY'
import sys
data = bytearray(open(sys.argv[1], "rb").read())
total = data[0] | data[1] << 8                      # level 2 header size
packed = int.from_bytes(data[7:11], "little")
data[total + packed // 2] ^= 0x55
open(sys.argv[1], "wb").write(data)
PY
mkdir -p "$work/damaged"
status=0
"$extract" "$damaged" "$work/damaged" 2>"$work/damaged.err" || status=$?
if [ "$status" = 0 ] || ! grep -q '^lha_extract: text.txt: ' "$work/damaged.err" || [ -e "$work/damaged/text.txt" ] ||
   ! cmp -s random.bin "$work/damaged/random.bin" || [ "$(ls "$work/damaged" | wc -l)" != 1 ]; then
  echo "FAIL: damaged archive: exit $status, $(cat "$work/damaged.err"), files: $(ls "$work/damaged")" >&2
  failures=$((failures + 1))
fi

[ "$failures" = 0 ] && echo "all jlha archives unpack identically"
exit "$failures"

#!/usr/bin/env bash
# Packs generated files with lha_pack and checks that lhasa tests and extracts every member byte
# for byte, with each method, behind a stub and from a whole folder; then that bad input is
# refused. RUNNER runs the packer (wine for lha_pack.exe).
# usage: lhasa_check.sh LHA_PACK WORK_DIR [RUNNER]
set -euo pipefail

packer=$1
work=$2
runner=${3:-}
pack() { ${runner:+"$runner"} "$packer" "$@"; }
here=$(cd "$(dirname "$0")" && pwd)
command -v lhasa >/dev/null || { echo "lhasa is not installed"; exit 1; }

rm -rf "$work"
mkdir -p "$work/in"
cd "$work"
python3 "$here/make_inputs.py" in
touch -d @1000000000 in/text.txt
mapfile -t files < <(cd in && find . -type f | sed 's|^\./||' | LC_ALL=C sort)

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# method_of ARCHIVE MEMBER: the method lhasa lists for MEMBER.
method_of() {
    lhasa v "$1" | awk -v m="$2" '$NF == m { for (i = 1; i < NF; ++i) if ($i ~ /^-lh.-$/) print $i }'
}

# extracts_same ARCHIVE: lhasa's test passes and the extraction equals in/.
extracts_same() {
    local archive=$1 out=out.$1
    lhasa t "$archive" >/dev/null || fail "$archive: lhasa t"
    rm -rf "$out" && mkdir "$out"
    (cd "$out" && lhasa xq "../$archive") || fail "$archive: lhasa x"
    for f in "${files[@]}"; do
        cmp -s "in/$f" "$out/$f" || fail "$archive: $f differs after extraction"
    done
    local extracted
    extracted=$(cd "$out" && find . -type f | wc -l)
    [ "$extracted" -eq "${#files[@]}" ] || fail "$archive: $extracted files extracted, ${#files[@]} packed"
}

pack_all() { # pack_all OUTPUT [OPTIONS...]
    local out=$1
    shift
    pack "$@" --output "$out" --base in "${files[@]/#/in/}" || fail "packing $out"
}

# The default method: lh5 where it shrinks the data, lh0 where not.
pack_all auto.lzh
extracts_same auto.lzh
[ "$(method_of auto.lzh text.txt)" = -lh5- ] || fail "text.txt not compressed"
[ "$(method_of auto.lzh big/mixed.dat)" = -lh5- ] || fail "big/mixed.dat not compressed"
[ "$(method_of auto.lzh random.bin)" = -lh0- ] || fail "random.bin not stored"
[ "$(method_of auto.lzh empty)" = -lh0- ] || fail "empty not stored"
[ "$(od -An -tu1 -j20 -N1 auto.lzh | tr -d ' ')" = 2 ] || fail "not a level-2 header"
[ "$(tail -c1 auto.lzh | od -An -tu1 | tr -d ' ')" = 0 ] || fail "no end-of-archive byte"

# Each method forced on every member.
pack_all lh5.lzh --method lh5
extracts_same lh5.lzh
[ "$(method_of lh5.lzh random.bin)" = -lh5- ] || fail "lh5 not forced"
pack_all lh0.lzh --method lh0
extracts_same lh0.lzh
[ "$(method_of lh0.lzh text.txt)" = -lh0- ] || fail "lh0 not forced"

# The time stamp of the first member (text.txt packed alone) as Unix time.
pack --output time.lzh --base in in/text.txt || fail "packing time.lzh"
[ "$(od -An -tu4 -j15 -N4 time.lzh | tr -d ' ')" = 1000000000 ] || fail "time stamp not the file's"

# Behind a stub: the stub's bytes, then the same archive.
head -c 4099 /dev/urandom >stub.exe
pack_all stubbed.exe --stub stub.exe
cmp -s <(head -c 4099 stubbed.exe) stub.exe || fail "stub bytes not first"
cmp -s <(tail -c +4100 stubbed.exe) auto.lzh || fail "archive after the stub differs"

# A whole folder: the same archive as its files named one by one in name order.
pack --stub stub.exe --output folder.exe --folder in || fail "packing folder.exe"
cmp -s folder.exe stubbed.exe || fail "the folder packed differently from its files named one by one"

# Refusals: a message, a non-zero exit and no output.
refused() { # refused WHAT ARGS...
    local what=$1
    shift
    rm -f refused.lzh
    if pack --output refused.lzh "$@" 2>refused.err; then
        fail "$what: accepted"
    elif [ ! -s refused.err ]; then
        fail "$what: no message"
    elif [ -e refused.lzh ] || ls refused.lzh.* >/dev/null 2>&1; then
        fail "$what: output left behind"
    fi
}
mkdir -p outside
echo x >outside/file
refused "file outside the base" --base in in/text.txt outside/file
refused "file outside the base through .." --base in in/../outside/file
refused "missing file" --base in in/text.txt in/missing
refused "directory as a file" --base in in/sub
refused "missing stub" --stub no-stub.exe --base in in/text.txt
mkdir -p empty
refused "empty folder" --folder empty
refused "missing folder" --folder no-folder
refused "same member twice" --base in in/text.txt in/./text.txt
refused "unknown method" --method lh7 --base in in/text.txt
truncate -s 4294967297 in/huge.bin
refused "file larger than 4 GiB" --base in in/huge.bin
grep -q "4 GiB" refused.err || fail "the size refusal does not say why"
rm -f in/huge.bin
if [ -n "$runner" ]; then # lha_pack.exe, a 32-bit program: a member it cannot hold in memory
    truncate -s 3G in/huge.bin
    refused "file of 3 GiB" --base in in/huge.bin
    grep -q "32-bit program" refused.err || fail "the memory refusal does not say why"
    rm -f in/huge.bin
fi
if [ "$(id -u)" != 0 ]; then
    echo secret >in/locked
    chmod 000 in/locked
    refused "unreadable file" --base in in/locked
    rm -f in/locked
fi

[ "$failures" -eq 0 ] || { echo "$failures failure(s)"; exit 1; }
echo "all lhasa checks passed"

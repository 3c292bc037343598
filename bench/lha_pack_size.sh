#!/usr/bin/env bash
# Compressed sizes of lha_pack's lh5 beside jlha's lh5 on the same generated files (about 2 MB
# of text-like data and some binary data, the same bytes on every run), and lha_pack's time.
# Both store what lh5 does not shrink; the table says so where that happens.
# usage: bench/lha_pack_size.sh [LHA_PACK]   (default: build/native/lha_pack)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
pack=$(realpath "${1:-$root/build/native/lha_pack}")
[ -x "$pack" ] || { echo "no lha_pack at $pack: build first" >&2; exit 1; }
command -v jlha >/dev/null || { echo "jlha is not installed (Debian package jlha-utils)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
mkdir in

python3 - in <<'PY'
import math
import random
import struct
import sys

root = sys.argv[1]
rng = random.Random(1985)

# Prose: words of made-up syllables drawn with Zipf-like odds, in sentences and paragraphs.
syllables = ['ta', 'ren', 'wel', 'ko', 'mi', 'sar', 'del', 'un', 'bri', 'os', 'ly', 'gen', 'ath',
             'per', 'ci', 'vo', 'nal', 'ex', 'tor', 'im']
vocabulary = sorted({''.join(rng.choice(syllables) for _ in range(rng.randint(1, 4))) for _ in range(4000)})
rng.shuffle(vocabulary)
weights = [1.0 / (i + 1) for i in range(len(vocabulary))]

def prose(size):
    out, length = [], 0
    while length < size:
        words = rng.choices(vocabulary, weights, k=rng.randint(6, 24))
        sentence = ' '.join(words).capitalize() + rng.choice(['.', '.', '.', '?', '!', ';'])
        if rng.random() < 0.15:
            sentence += '\n\n'
        else:
            sentence += ' '
        out.append(sentence)
        length += len(sentence)
    return ''.join(out)[:size].encode()

# A listing: indented lines of identifiers, calls and numbers, as source or configuration files.
def listing(size):
    names = vocabulary[:300]
    out, length = [], 0
    depth = 0
    while length < size:
        kind = rng.random()
        if kind < 0.3:
            line = '%s = %s(%s, %d);' % (rng.choice(names), rng.choice(names), rng.choice(names), rng.randrange(4096))
        elif kind < 0.5:
            line = 'if (%s > %d) {' % (rng.choice(names), rng.randrange(100))
            depth += 1
        elif kind < 0.7 and depth > 0:
            line = '}'
            depth -= 1
        else:
            line = '%s.%s = 0x%04X;' % (rng.choice(names[:40]), rng.choice(names), rng.randrange(65536))
        line = '    ' * depth + line + '\n'
        out.append(line)
        length += len(line)
    return ''.join(out)[:size].encode()

# A table of records: growing offsets, small codes, a smooth curve and a short name each.
def table(count):
    out = bytearray()
    offset = 0
    for i in range(count):
        offset += rng.randrange(1, 600)
        name = rng.choice(vocabulary[:200]).encode()[:11].ljust(12, b'\0')
        out += struct.pack('<IHHf', offset, rng.choice([1, 1, 1, 2, 3, 8]), i % 17, math.sin(i / 50.0)) + name
    return bytes(out)

# Machine-code-like bytes: a skewed opcode set with operands that are often small.
def code(size):
    ops = [0x8B, 0x89, 0xE8, 0x83, 0xC7, 0x50, 0x58, 0xFF, 0x74, 0x75, 0xEB, 0x0F, 0x33, 0xC3]
    out = bytearray()
    while len(out) < size:
        out.append(rng.choices(ops, [20, 15, 10, 8, 6, 5, 5, 4, 4, 4, 3, 3, 2, 2])[0])
        out += bytes(rng.randrange(16) if rng.random() < 0.7 else rng.randrange(256)
                     for _ in range(rng.choice([0, 1, 1, 2, 4])))
    return bytes(out[:size])

files = {
    'prose.txt': prose(1500000),
    'listing.txt': listing(500000),
    'table.bin': table(12000),
    'code.bin': code(200000),
    'noise.bin': bytes(rng.randrange(256) for _ in range(50000)),
}
for name, data in files.items():
    with open('%s/%s' % (root, name), 'wb') as f:
        f.write(data)
PY

now() { date +%s.%N; }
since() { awk -v a="$1" -v b="$(now)" 'BEGIN { printf "%.3f", b - a }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.4f", a / b }'; }

printf '%-12s %9s %9s %9s %7s %8s\n' file bytes lha_pack jlha ratio seconds
total_ours=0
total_jlha=0
for f in prose.txt listing.txt table.bin code.bin noise.bin; do
    bytes=$(stat -c %s "in/$f")
    start=$(now)
    "$pack" --output ours.lzh --base in "in/$f"
    seconds=$(since "$start")
    ours=$(od -An -tu4 -j7 -N4 ours.lzh | tr -d ' ')
    ours_method=$(head -c 7 ours.lzh | tail -c 5)
    rm -f theirs.lzh
    (cd in && jlha co5q ../theirs.lzh "$f" >/dev/null 2>&1)
    listed=$(jlha v theirs.lzh | awk -v f="$f" '$NF == f')
    theirs=$(echo "$listed" | awk '{ print $2 }')
    method=$(echo "$listed" | grep -o -- '-lh.-')
    note=""
    [ "$ours_method" = -lh5- ] || note="$note (lha_pack: $ours_method)"
    [ "$method" = -lh5- ] || note="$note (jlha: $method)"
    printf '%-12s %9d %9d %9d %7s %8s%s\n' "$f" "$bytes" "$ours" "$theirs" "$(ratio "$ours" "$theirs")" "$seconds" "$note"
    total_ours=$((total_ours + ours))
    total_jlha=$((total_jlha + theirs))
done
printf '%-12s %9s %9d %9d %7s\n' total "" "$total_ours" "$total_jlha" "$(ratio "$total_ours" "$total_jlha")"

# Everything in one archive with the automatic choice, as a build would pack it.
start=$(now)
"$pack" --output all.lzh --base in in/*
echo "all five files, automatic method: $(stat -c %s all.lzh) bytes in $(since "$start") s"

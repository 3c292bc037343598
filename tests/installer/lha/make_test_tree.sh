#!/usr/bin/env bash
# Writes the files the archive tests pack into DIR: text, pseudo-random bytes, an empty file,
# a file in a sub-directory, a file larger than 64 KiB and a long run of one byte, each
# with a fixed modification time (even seconds, which DOS time stamps can hold).
set -euo pipefail
dir=${1:?usage: make_test_tree.sh DIR}
mkdir -p "$dir/sub/deeper"
python3 - "$dir" <<'PY'
import random, sys
d = sys.argv[1]
rnd = random.Random(20240611)
words = ["alpha", "beta", "gamma", "delta", "record", "lock", "screen", "print", "file", "window"]
text = "".join(f"{i:05d} " + " ".join(rnd.choice(words) for _ in range(rnd.randint(3, 12))) + "\n"
               for i in range(1500))
open(f"{d}/text.txt", "w").write(text)
open(f"{d}/random.bin", "wb").write(bytes(rnd.getrandbits(8) for _ in range(20000)))
open(f"{d}/empty", "wb").close()
open(f"{d}/sub/deeper/nested.txt", "w").write("a file two directories down\n" * 40)
big = bytearray()
while len(big) < 300000:
    if rnd.random() < 0.3:
        big += bytes(rnd.getrandbits(8) for _ in range(rnd.randint(50, 3000)))
    else:
        big += text[rnd.randint(0, 50000):][: rnd.randint(100, 9000)].encode()
open(f"{d}/big.bin", "wb").write(bytes(big))
open(f"{d}/zeros.bin", "wb").write(bytes(150000))
PY
touch -d '2019-07-04 10:20:30' "$dir/text.txt"
touch -d '2003-01-31 23:59:58' "$dir/random.bin"
touch -d '1999-12-31 12:00:00' "$dir/empty"
touch -d '2021-02-28 06:07:08' "$dir/sub/deeper/nested.txt"
touch -d '2024-06-11 18:30:00' "$dir/big.bin"
touch -d '2010-10-10 10:10:10' "$dir/zeros.bin"

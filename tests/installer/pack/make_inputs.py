#!/usr/bin/env python3
"""Writes the packer's test files into DIR, the same bytes on every run."""
import os
import random
import sys


def word_text(rng, size):
    words = ['the', 'installer', 'copies', 'files', 'into', 'the', 'target', 'directory', 'and',
             'checks', 'each', 'record', 'of', 'a', 'disk', 'window', 'with', 'keys', 'monitor']
    out = []
    length = 0
    while length < size:
        w = words[min(int(rng.expovariate(0.25)), len(words) - 1)]
        if rng.random() < 0.1:
            w += ' %d,' % rng.randrange(100000)
        out.append(w)
        length += len(w) + 1
        out.append('\n' if rng.random() < 0.08 else ' ')
    return ''.join(out)[:size].encode()


def main():
    root = sys.argv[1]
    rng = random.Random(20240607)
    files = {
        'text.txt': word_text(rng, 200000),
        'random.bin': bytes(rng.randrange(256) for _ in range(100000)),
        'empty': b'',
        # Runs of every length around the longest match, and a long run of one byte.
        'runs.bin': b''.join(bytes([n % 256]) * n for n in (255, 256, 257, 512, 513, 3, 4, 1000))
                    + b'\0' * 300000,
        # More than 64 KiB of symbols, with the statistics changing half-way.
        'big/mixed.dat': word_text(rng, 250000) + bytes(rng.randrange(16) for _ in range(150000)),
        'sub/dir/nested.txt': b'a file two directories down\n' * 500,
        'allbytes.bin': bytes(range(256)),
        # Random bytes repeating exactly one window apart.
        'window.bin': bytes(rng.randrange(256) for _ in range(8192)) * 4,
        # A name that makes the level-2 header 256 bytes long before padding.
        'n' * 222: b'padded header\n' * 50,
        'UPPER.TXT': b'UPPER CASE NAME\n' * 20,
    }
    for name, data in files.items():
        path = os.path.join(root, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, 'wb') as f:
            f.write(data)


if __name__ == '__main__':
    main()

#!/usr/bin/env python3
"""Writes the sample product's data file: deterministic bytes that do not compress, so that
the packed payload has the size of the real product's."""
import os
import random
import sys

SIZE = 1_800_000


def main():
    path = sys.argv[1]
    os.makedirs(os.path.dirname(path), exist_ok=True)
    rng = random.Random(20261208)
    with open(path, "wb") as f:
        f.write(rng.randbytes(SIZE))


if __name__ == "__main__":
    main()

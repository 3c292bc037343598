#!/usr/bin/env python3
"""Writes the hostile archives of hostile_archives_test.sh into DIR, one per case."""
import sys

from lzh_members import dos_time, level0, level1, level2


def deep_tree(levels, every=1):
    members, path = [], b""
    for level in range(levels):
        path += b"level_%d\xFF" % (100 + level)
        if (level + 1) % every == 0:
            members.append(level2(b"f.txt", b"level %d\n" % level, directory=path))
    return members


CASES = {
    "link": [level0(b"plink\\evil", b"x"), level2(b"flink", b"ours"), level2(b"evil2", b"x", directory=b"plink"),
             level2(b"nlink", b"ours"), level2(b"evil3", b"x", directory=b"ndir"), level2(b"ok.txt", b"ok\n")],
    "dates": [level0(b"feb30.txt", b"30 Feb\n", dos_time(2021, 2, 30)),
              level0(b"feb29.txt", b"29 Feb, no leap year\n", dos_time(2021, 2, 29)),
              level0(b"apr31.txt", b"31 Apr\n", dos_time(2021, 4, 31)),
              level0(b"leap.txt", b"29 Feb of a leap year\n", dos_time(2020, 2, 29, 12, 0, 0))],
    "deep": deep_tree(300),
    "toodeep": deep_tree(500, every=10),
    "temps": [level2(b"a.txt", b"new\n"), level2(b"b.txt", b"b\n")],
    "dirsep": [level2(b"file", b"2\n", directory=b"sub"), level1(b"file1", b"1\n", b"sub1")],
    "dups": [level2(b"dup.txt", b"first\n"), level2(b"Case.txt", b"a\n"), level2(b"dup.txt", b"second\n"),
             level2(b"CASE.TXT", b"b\n")],
    "messages": [level2(b"adir", b"x"), level2(b"afile", b"x"), level0(b"afile\\x", b"x"),
                 level2(b"n" * 300, b"x"), level2(b"fine.txt", b"fine\n")],
}

for case, members in CASES.items():
    with open(f"{sys.argv[1]}/{case}.lzh", "wb") as archive:
        archive.write(b"".join(members) + b"\0")

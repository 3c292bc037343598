#!/usr/bin/env python3
"""Writes the hostile archives of hostile_archives_test.sh into DIR, one per case."""
import struct
import sys


def crc16(data):
    crc = 0
    for b in data:
        crc ^= b
        for _ in range(8):
            crc = (crc >> 1) ^ 0xA001 if crc & 1 else crc >> 1
    return crc


def dos_time(year, month, day, hour=12, minute=0, second=0):
    return (year - 1980) << 25 | month << 21 | day << 16 | hour << 11 | minute << 5 | second // 2


def level0(name, content, time=dos_time(2020, 1, 2)):
    body = b"-lh0-" + struct.pack("<IIIBBB", len(content), len(content), time, 0x20, 0, len(name))
    body += name + struct.pack("<H", crc16(content))
    return bytes([len(body), sum(body) & 0xFF]) + body + content


def chain(extensions):
    out = b""
    for i, (kind, data) in enumerate(extensions):
        following = len(extensions[i + 1][1]) + 3 if i + 1 < len(extensions) else 0
        out += bytes([kind]) + data + struct.pack("<H", following)
    return out


def level1(name, content, directory):
    extensions = [(0x02, directory)]
    rest = chain(extensions)
    body = b"-lh0-" + struct.pack("<IIIBBB", len(content) + len(rest), len(content), dos_time(2020, 1, 2), 0x20, 1,
                                  len(name))
    body += name + struct.pack("<H", crc16(content)) + b"U" + struct.pack("<H", len(directory) + 3)
    return bytes([len(body), sum(body) & 0xFF]) + body + rest + content


def level2(name, content, directory=None, time=1600000000, method=b"-lh0-"):
    extensions = [(0x00, b"\0\0"), (0x01, name)] + ([(0x02, directory)] if directory is not None else [])
    header = bytearray(b"\0\0" + method + struct.pack("<IIIBB", len(content), len(content), time, 0x20, 2))
    header += struct.pack("<H", crc16(content)) + b"U" + struct.pack("<H", 5) + chain(extensions)
    header[0:2] = struct.pack("<H", len(header))
    header[27:29] = struct.pack("<H", crc16(bytes(header)))
    return bytes(header) + content


def directory(path):
    return level2(b"", b"", directory=path, method=b"-lhd-")


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

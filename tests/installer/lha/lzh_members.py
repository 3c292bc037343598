"""Archive members written by hand for the tests and benchmarks: level 0, 1 and 2 headers of
stored (-lh0-) members and folder headers, with their checksums."""
import struct


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

#!/usr/bin/env python3
"""Writes a run-length encoded BMP (RLE8 or RLE4, 40-byte header) of an uncompressed bottom-up
palette BMP: repeated pixels as encoded runs (alternating pairs too, in RLE4), the rest as
literal runs with their padding, an end-of-line after each row and an end-of-bitmap marker.

Usage: rle_encode.py IN.bmp OUT.bmp BITS [--deltas] [--no-last-eol]
  --deltas       white pixels are not written but skipped with deltas (across rows too) and
                 end-of-lines; white becomes colour 0, the colour a skipped pixel has. At 4 bits
                 a stretch that would end on an odd column takes the white pixel after it along:
                 Wine's decoder writes one pixel past an encoded run ending there, which shows
                 where nothing overwrites it
  --no-last-eol  the last row ends straight with the end-of-bitmap marker
"""
import struct
import sys


def read_palette_bmp(path):
    data = open(path, 'rb').read()
    if data[:2] != b'BM':
        sys.exit(f'{path}: no BMP')
    bits_offset, header_size = struct.unpack_from('<II', data, 10)
    width, height, _, bits, compression = struct.unpack_from('<iiHHI', data, 18)
    used = struct.unpack_from('<I', data, 46)[0]
    if compression != 0 or bits not in (1, 4, 8) or height <= 0:
        sys.exit(f'{path}: not an uncompressed bottom-up palette BMP')
    table = 14 + header_size
    palette = [data[table + 4 * i:table + 4 * i + 4] for i in range(used or 1 << bits)]
    stride = (width * bits + 31) // 32 * 4
    rows = []  # bottom row first, as stored
    for y in range(height):
        row = data[bits_offset + y * stride:bits_offset + (y + 1) * stride]
        per_byte = 8 // bits
        rows.append([(row[x // per_byte] >> (8 - bits * (x % per_byte + 1))) & ((1 << bits) - 1)
                     for x in range(width)])
    return width, height, palette, rows


def white_to_index_zero(palette, rows):
    white = next((i for i, p in enumerate(palette) if p[:3] == b'\xff\xff\xff'), None)
    if white is None:
        sys.exit('no white in the palette')
    palette[0], palette[white] = palette[white], palette[0]
    swap = {0: white, white: 0}
    return [[swap.get(p, p) for p in row] for row in rows]


def segment_codes(pixels, bits):
    """Encoded and literal runs for a stretch of pixels."""
    out = bytearray()
    i, n = 0, len(pixels)
    while i < n:
        # an encoded run: one colour, or in RLE4 two alternating colours
        run = 1
        while i + run < n and run < 255 and pixels[i + run] == pixels[i + (run % 2 if bits == 4 else 0)]:
            run += 1
        if run >= 3 or n - i < 3:
            second = pixels[i + 1] if bits == 4 and run > 1 else pixels[i]
            out += bytes([run, (pixels[i] << 4 | second) if bits == 4 else pixels[i]])
            i += run
            continue
        # a literal run up to the next stretch of three repeated pixels
        end = i + 3
        while end < n and end - i < 255 and not (end + 2 < n and pixels[end] == pixels[end + 1] == pixels[end + 2]):
            end += 1
        chunk = pixels[i:end]
        if bits == 8:
            payload = bytes(chunk)
        else:
            padded = chunk + [0] * (len(chunk) % 2)
            payload = bytes(padded[k] << 4 | padded[k + 1] for k in range(0, len(padded), 2))
        out += bytes([0, len(chunk)]) + payload + b'\0' * (len(payload) % 2)
        i = end
    return out


def encode(rows, width, bits, deltas, last_eol):
    out = bytearray()
    x = y = 0  # where the decoder stands; y counts rows from the bottom
    for row_y, row in enumerate(rows):
        col = 0
        while col < width:
            if deltas and row[col] == 0:
                col += 1
                continue
            end = col
            while end < width and not (deltas and row[end] == 0):
                end += 1
            if bits == 4 and end % 2 and end < width:
                end += 1
            # move from (x, y) to (col, row_y)
            if row_y > y and col < x:
                out += b'\0\0'
                x, y = 0, y + 1
            while (x, y) != (col, row_y):
                dx, dy = min(col - x, 255), min(row_y - y, 255)
                out += bytes([0, 2, dx, dy])
                x, y = x + dx, y + dy
            out += segment_codes(row[col:end], bits)
            x = col = end
        if row_y == len(rows) - 1 and not last_eol:
            break
        if not deltas or y == row_y:
            out += b'\0\0'
            x, y = 0, row_y + 1
    out += b'\0\1'
    return bytes(out)


def main():
    args = [a for a in sys.argv[1:] if not a.startswith('--')]
    if len(args) != 3 or args[2] not in ('4', '8'):
        sys.exit(__doc__)
    source, target, bits = args[0], args[1], int(args[2])
    deltas, last_eol = '--deltas' in sys.argv, '--no-last-eol' not in sys.argv
    width, height, palette, rows = read_palette_bmp(source)
    if deltas:
        rows = white_to_index_zero(palette, rows)
    if max(max(r) for r in rows) >= 1 << bits or len(palette) > 1 << bits:
        sys.exit(f'{source}: more colours than {bits} bits hold')
    stream = encode(rows, width, bits, deltas, last_eol)
    table = b''.join(palette)
    offset = 14 + 40 + len(table)
    header = struct.pack('<2sIHHI', b'BM', offset + len(stream), 0, 0, offset)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, bits, 2 if bits == 4 else 1, len(stream), 2835, 2835,
                       len(palette), 0)
    open(target, 'wb').write(header + info + table + stream)


main()

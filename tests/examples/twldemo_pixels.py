#!/usr/bin/env python3
"""Pixel checks on a screenshot for the TWLDEMO end-to-end test.

Usage: twldemo_pixels.py SHOT.ppm LEFT TOP CHECK...
LEFT, TOP: the screen position of the display window; every check uses window-relative
pixels, which at 100 % zoom are the screen image's own pixels.
Checks (one argument each, fields separated by commas):
  is,X,Y,RRGGBB          the pixel is exactly that colour
  blue,X,Y,W,H           some pixel of the area is highlight blue (antialiased text allowed)
  dark,X,Y,W,H           some pixel of the area is dark (text was drawn there)
  plain,X,Y,W,H,RRGGBB   every pixel of the area is that colour
Prints one line per check and exits with the number of failed checks."""
import sys


def read_ppm(path):
    with open(path, 'rb') as f:
        data = f.read()
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b'#':
            pos = data.index(b'\n', pos)
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    assert fields[0] == b'P6' and fields[3] == b'255', 'an 8-bit binary PPM is expected'
    return int(fields[1]), int(fields[2]), data[pos + 1:]


def main():
    width, height, pixels = read_ppm(sys.argv[1])
    left, top = int(sys.argv[2]), int(sys.argv[3])

    def at(x, y):
        sx, sy = left + x, top + y
        if not (0 <= sx < width and 0 <= sy < height):
            return None
        i = 3 * (sy * width + sx)
        return tuple(pixels[i:i + 3])

    def area(x, y, w, h):
        return [at(x + dx, y + dy) for dy in range(h) for dx in range(w)]

    failed = 0
    for check in sys.argv[4:]:
        kind, *args = check.split(',')
        if kind == 'is':
            x, y, want = int(args[0]), int(args[1]), bytes.fromhex(args[2])
            got = at(x, y)
            ok = got == tuple(want)
            detail = f'got {got}'
        elif kind in ('blue', 'dark'):
            x, y, w, h = map(int, args)
            seen = [p for p in area(x, y, w, h) if p]
            if kind == 'blue':
                ok = any(b > 150 and r < 110 and g < 110 for r, g, b in seen)
            else:
                ok = any(max(p) < 90 for p in seen)
            detail = f'{len(seen)} pixels'
        elif kind == 'plain':
            x, y, w, h = map(int, args[:4])
            want = tuple(bytes.fromhex(args[4]))
            seen = area(x, y, w, h)
            ok = all(p == want for p in seen)
            detail = f'first other: {next((p for p in seen if p != want), None)}'
        else:
            ok, detail = False, 'unknown check'
        print(('ok: ' if ok else 'FAILED: ') + check + ('' if ok else f' ({detail})'))
        failed += 0 if ok else 1
    sys.exit(failed)


main()

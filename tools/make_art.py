#!/usr/bin/env python3
"""Writes the splash picture TARNWELL.ICM (a 24-bit BMP, 144 x 440) and the window icon
TARNWELL.ICO (32 x 32) into the folder given as the first argument."""
import math
import os
import struct
import sys


def lerp(a, b, t):
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def splash_pixel(x, y):
    """Colour (r, g, b) at column x, row y counted from the top."""
    sky_top, sky_low = (40, 70, 140), (200, 220, 245)
    if y < 150:
        # evening sky over two ridges
        colour = lerp(sky_top, sky_low, y / 150)
        ridge1 = 95 + 25 * math.sin(x / 17.0) + 10 * math.sin(x / 5.3)
        ridge2 = 120 + 12 * math.sin(x / 11.0 + 1.7)
        if y > ridge2:
            colour = (70, 95, 90)
        elif y > ridge1:
            colour = (110, 130, 150)
        return colour
    if y < 380:
        # plain white under the legend, where the button frames are drawn white or silver
        return (255, 255, 255)
    # the tarn: dark water with light ripples
    depth = (y - 380) / 60
    colour = lerp((60, 110, 150), (20, 50, 90), depth)
    if (y - 380) % 9 == 0 and (x + 3 * y) % 23 < 12:
        colour = (170, 200, 225)
    return colour


def write_splash(path, width=144, height=440):
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for row in range(height - 1, -1, -1):  # bottom-up rows
        line = bytearray()
        for x in range(width):
            r, g, b = splash_pixel(x, row)
            line += bytes((b, g, r))
        line += b"\0" * (stride - len(line))
        pixels += line
    offset = 14 + 40
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + pixels)


def icon_pixel(x, y):
    """(r, g, b, a) of the 32 x 32 icon, y from the top: a well ring around blue water."""
    cx, cy = 15.5, 15.5
    d = math.hypot(x - cx, y - cy)
    if d > 15.5:
        return (0, 0, 0, 0)
    if d > 12.5:
        return (90, 70, 60, 255)
    return lerp((120, 180, 230), (20, 60, 130), d / 12.5) + (255,)


def write_icon(path, size=32):
    xor = bytearray()
    for row in range(size - 1, -1, -1):
        for x in range(size):
            r, g, b, a = icon_pixel(x, row)
            xor += bytes((b, g, r, a))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in range(size - 1, -1, -1):
        bits = bytearray(mask_stride)
        for x in range(size):
            if icon_pixel(x, row)[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    image = info + xor + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), 6 + 16)
    with open(path, "wb") as f:
        f.write(directory + entry + image)


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else "."
    os.makedirs(folder, exist_ok=True)
    write_splash(os.path.join(folder, "TARNWELL.ICM"))
    write_icon(os.path.join(folder, "TARNWELL.ICO"))


if __name__ == "__main__":
    main()

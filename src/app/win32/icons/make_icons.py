#!/usr/bin/env python3
"""Draws Kestrova's program icon (a monitor with a green check mark on its screen) and writes it as
Windows icon files: kestrova.ico (48, 32 and 16 pixels) and kestrova_small.ico (16 pixels).
Run it again after changing the drawing; the .ico files are checked in."""
import os
import struct

BEZEL = (40, 44, 52, 255)
SCREEN = (44, 110, 190, 255)
GLARE = (86, 150, 222, 255)
STAND = (96, 100, 110, 255)
CHECK = (70, 200, 90, 255)
CLEAR = (0, 0, 0, 0)


def draw(size):
    """The picture as rows of RGBA tuples, top row first, on a 16-unit grid scaled to `size`."""
    s = size / 16.0
    pixels = [[CLEAR] * size for _ in range(size)]

    def fill(x0, y0, x1, y1, colour):
        for y in range(int(y0 * s), max(int(y0 * s) + 1, int(y1 * s))):
            for x in range(int(x0 * s), max(int(x0 * s) + 1, int(x1 * s))):
                if 0 <= x < size and 0 <= y < size:
                    pixels[y][x] = colour

    fill(0, 1, 16, 12, BEZEL)        # the monitor's frame
    fill(1, 2, 15, 11, SCREEN)       # its screen
    fill(1, 2, 15, 3, GLARE)
    fill(7, 12, 9, 14, STAND)        # neck
    fill(4, 14, 12, 15, STAND)       # foot
    # A check mark: a short stroke down to the right, then a long one up to the right.
    width = max(1.0, 1.3 * s)
    for step in range(200):
        t = step / 199.0
        for (xa, ya, xb, yb) in ((4.0, 6.5, 6.8, 9.2), (6.8, 9.2, 12.0, 3.8)):
            x = (xa + (xb - xa) * t) * s
            y = (ya + (yb - ya) * t) * s
            for dy in range(int(-width), int(width) + 1):
                for dx in range(int(-width), int(width) + 1):
                    px, py = int(x + dx * 0.5), int(y + dy * 0.5)
                    if 0 <= px < size and 0 <= py < size:
                        pixels[py][px] = CHECK
    return pixels


def icon_image(size):
    """One image of an icon file: a 32-bit BITMAPINFOHEADER DIB, bottom-up, with its AND mask."""
    pixels = draw(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = bytearray()
    for row in reversed(pixels):
        for (r, g, b, a) in row:
            colour += bytes((b, g, r, a))
    mask_row = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(pixels):
        bits = bytearray(mask_row)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + bytes(colour) + bytes(mask)


def write_icon(path, sizes):
    images = [icon_image(size) for size in sizes]
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, image in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    for image in images:
        out += image
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    write_icon(os.path.join(here, "kestrova.ico"), [48, 32, 16])
    write_icon(os.path.join(here, "kestrova_small.ico"), [16])

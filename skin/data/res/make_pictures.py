#!/usr/bin/env python3
"""Writes the program's own skin pictures as BMP files next to this script.

track.bmp, trackvert.bmp: the track bar channels, 16 colours.
menuglyphs.bmp: restore, maximise, minimise and close for the skinned system menu, 16 x 16 each,
black on white (white is transparent), 1 bit per pixel.
"""
import os
import struct

# The standard 16-colour palette (red, green, blue).
PALETTE16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
             (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
             (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
D, S, W = 8, 7, 15  # dark grey, silver, white


def write_bmp(path, width, height, bits, palette, rows):
    """rows: top row first, each a list of palette indexes."""
    stride = ((width * bits + 31) // 32) * 4
    pixels = bytearray()
    for row in reversed(rows):  # bottom-up
        line = bytearray(stride)
        for x, index in enumerate(row):
            bit = x * bits
            shift = 8 - bits - (bit % 8)
            line[bit // 8] |= index << shift
        pixels += line
    colours = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in palette)
    offset = 14 + 40 + len(colours)
    header = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, bits, 0, len(pixels), 2835, 2835,
                       len(palette), 0)
    with open(path, 'wb') as f:
        f.write(header + info + colours + pixels)


def track():
    return [[S, S] + [D] * 12 + [W, W],
            [S, S] + [W] * 14,
            [D, S] + [W] * 14,
            [S, S] + [W] * 14]


def track_vert():
    return [[S, S, D, S], [S, S, S, S]] + [[D, W, W, W]] * 12 + [[W, W, W, W]] * 2


def glyphs():
    """Four 16 x 16 glyphs side by side; 0 = black (drawn), 1 = white (transparent)."""
    grid = [[1] * 64 for _ in range(16)]

    def dot(g, x, y):
        grid[y][g * 16 + x] = 0

    def hline(g, x0, x1, y):
        for x in range(x0, x1 + 1):
            dot(g, x, y)

    def vline(g, x, y0, y1):
        for y in range(y0, y1 + 1):
            dot(g, x, y)

    def window(g, x0, y0, x1, y1):
        hline(g, x0, x1, y0)
        hline(g, x0, x1, y0 + 1)  # the thick title edge
        hline(g, x0, x1, y1)
        vline(g, x0, y0, y1)
        vline(g, x1, y0, y1)

    # restore: a window behind and one in front
    hline(0, 6, 12, 3)
    hline(0, 6, 12, 4)
    vline(0, 12, 3, 9)
    hline(0, 10, 12, 9)
    vline(0, 6, 3, 5)
    window(0, 3, 6, 9, 12)
    # maximise
    window(1, 3, 3, 12, 12)
    # minimise
    hline(2, 4, 10, 11)
    hline(2, 4, 10, 12)
    # close
    for i in range(8):
        for w in (0, 1):
            dot(3, 4 + i + w, 4 + i)
            dot(3, 11 - i + w, 4 + i)
    return grid


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    write_bmp(os.path.join(here, 'track.bmp'), 16, 4, 4, PALETTE16, track())
    write_bmp(os.path.join(here, 'trackvert.bmp'), 4, 16, 4, PALETTE16, track_vert())
    write_bmp(os.path.join(here, 'menuglyphs.bmp'), 64, 16, 1, [(0, 0, 0), (255, 255, 255)],
              glyphs())


if __name__ == '__main__':
    main()

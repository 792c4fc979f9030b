#!/usr/bin/env python3
"""Draws Ordinel's icon: a page with a play mark and a tick, the sign for "open these
files with the player". Writes one .ico with 32x32 in 2 colours, 32x32 in 16 colours
and 16x16 in 16 colours, in the classic palette-based icon format."""
import struct
import sys

# The standard 16-colour palette, as (red, green, blue).
VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
       (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255), (255, 0, 255),
       (0, 255, 255), (255, 255, 255)]
MONO = [(0, 0, 0), (255, 255, 255)]

# Colour roles, as indexes into each palette.
ROLES = {
    16: {"edge": 0, "page": 15, "fold": 7, "play": 12, "badge": 2, "tick": 15},
    2: {"edge": 0, "page": 1, "fold": 1, "play": 0, "badge": 0, "tick": 1},
}


def inside_triangle(px, py, a, b, c):
    def side(p, q, r):
        return (p[0] - r[0]) * (q[1] - r[1]) - (q[0] - r[0]) * (p[1] - r[1])
    d1, d2, d3 = side((px, py), a, b), side((px, py), b, c), side((px, py), c, a)
    return not ((d1 < 0 or d2 < 0 or d3 < 0) and (d1 > 0 or d2 > 0 or d3 > 0))


def near_segment(px, py, a, b, width):
    ax, ay = a
    bx, by = b
    length2 = (bx - ax) ** 2 + (by - ay) ** 2
    t = max(0.0, min(1.0, ((px - ax) * (bx - ax) + (py - ay) * (by - ay)) / length2))
    return (px - ax - t * (bx - ax)) ** 2 + (py - ay - t * (by - ay)) ** 2 <= width * width


def draw(size, roles):
    """A grid of palette indexes; None is transparent."""
    s = size
    left, top, right, bottom = round(.16 * s), round(.04 * s), round(.80 * s) - 1, round(.96 * s) - 1
    fold = round(.22 * s)
    cx, cy, r = .70 * s, .70 * s, .27 * s
    grid = []
    for y in range(s):
        row = []
        for x in range(s):
            px, py = x + .5, y + .5
            colour = None
            diagonal = right - fold + (y - top)  # the dog-ear's slanted edge
            if left <= x <= right and top <= y <= bottom and x <= diagonal:
                on_edge = x in (left, right) or y in (top, bottom) or x == diagonal
                colour = roles["edge"] if on_edge else roles["page"]
                if inside_triangle(px, py, (.28 * s, .26 * s), (.28 * s, .62 * s), (.56 * s, .44 * s)):
                    colour = roles["play"]
                if x >= right - fold and y <= top + fold:
                    on_edge = x in (right - fold, diagonal) or y == top + fold
                    colour = roles["edge"] if on_edge else roles["fold"]
            distance2 = (px - cx) ** 2 + (py - cy) ** 2
            if distance2 <= r * r:
                colour = roles["edge"] if distance2 > (r - 1) ** 2 else roles["badge"]
                if near_segment(px, py, (cx - .5 * r, cy), (cx - .1 * r, cy + .4 * r), max(s / 16, 1.1)) or \
                        near_segment(px, py, (cx - .1 * r, cy + .4 * r), (cx + .5 * r, cy - .45 * r), max(s / 16, 1.1)):
                    colour = roles["tick"]
            row.append(colour)
        grid.append(row)
    return grid


def pack_rows(rows, bits):
    """Bottom-up rows of `bits`-bit values, each padded to four bytes."""
    out = b""
    for row in reversed(rows):
        value, count, data = 0, 0, bytearray()
        for v in row:
            value = (value << bits) | v
            count += bits
            if count == 8:
                data.append(value)
                value, count = 0, 0
        if count:
            data.append(value << (8 - count))
        data.extend(b"\0" * (-len(data) % 4))
        out += bytes(data)
    return out


def image(size, colours):
    bits = 1 if colours == 2 else 4
    palette = MONO if colours == 2 else VGA
    grid = draw(size, ROLES[colours])
    pixels = pack_rows([[c if c is not None else 0 for c in row] for row in grid], bits)
    mask = pack_rows([[1 if c is None else 0 for c in row] for row in grid], 1)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    colours_table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    return header + colours_table + pixels + mask


def main():
    formats = [(32, 2), (32, 16), (16, 16)]
    images = [image(size, colours) for size, colours in formats]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for (size, colours), data in zip(formats, images):
        out += struct.pack("<BBBBHHII", size, size, colours, 0, 1, 1 if colours == 2 else 4, len(data), offset)
        offset += len(data)
    with open(sys.argv[1], "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    main()

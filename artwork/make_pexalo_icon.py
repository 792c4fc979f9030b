#!/usr/bin/env python3
"""Draws Pexalo's icon: a white play triangle on a teal disc, 32 x 32 in 16 colours.

One picture for both platforms; it writes
  player/win32/Pexalo.ico   the Windows window and executable icon,
  artwork/pexalo-32.png     the Linux window icon (built in) and the desktop entry's.
Both are committed; run this only to change the picture.
"""
import math
import pathlib
import struct
import zlib

SIZE = 32
ROOT = pathlib.Path(__file__).resolve().parent.parent
# The 16-colour VGA palette, in the order icons use it.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
    (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
    (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, TEAL, GREY, CYAN, WHITE = 0, 6, 8, 14, 15


def pixel(x, y):
    """Colour index at (x, y), top row first, or None where the icon is transparent."""
    cx = cy = (SIZE - 1) / 2
    r = math.hypot(x - cx, y - cy)
    if r > 15.5:
        return None
    if r > 14.2:
        return BLACK
    # The triangle points right, its left edge at x = 11.
    if 11 <= x <= 23 and abs(y - cy) <= (23 - x) * 0.58:
        return WHITE
    if x + y < 22 and r > 10:
        return CYAN  # a highlight on the upper left of the disc
    return TEAL if x + y < 44 else GREY


def ico(rows):
    """A 4-bit .ico with an AND mask for the transparent corners."""
    xor = bytearray()
    mask = bytearray()
    for row in reversed(rows):  # bitmaps run bottom-up
        for x in range(0, SIZE, 2):
            a, b = (c or 0 for c in row[x:x + 2])
            xor.append(a << 4 | b)
        bits = 0
        for x, c in enumerate(row):
            if c is None:
                bits |= 1 << (SIZE - 1 - x)
        mask += bits.to_bytes(4, "big")
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    image = header + palette + bytes(xor) + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 22)
    return directory + image


def png(rows):
    """An 8-bit RGBA PNG of the same pixels, transparent where the .ico's mask is set."""
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    raw = bytearray()
    for row in rows:
        raw.append(0)  # no filter
        for c in row:
            raw += bytes((0, 0, 0, 0)) if c is None else bytes(PALETTE[c] + (255,))
    header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(bytes(raw), 9))
            + chunk(b"IEND", b""))


def main():
    rows = [[pixel(x, y) for x in range(SIZE)] for y in range(SIZE)]
    (ROOT / "player" / "win32" / "Pexalo.ico").write_bytes(ico(rows))
    (ROOT / "artwork" / "pexalo-32.png").write_bytes(png(rows))


if __name__ == "__main__":
    main()

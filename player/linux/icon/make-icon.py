#!/usr/bin/env python3
"""Draws the Linux player's window icon: 32 x 32 pixels in the 16 VGA colours, as XPM.

A play triangle on a blue disc with a light rim. Run it to rewrite pexalo-linux-icon.xpm.
"""
import math
import pathlib

SIZE = 32
# The 16-colour palette, one XPM key each.
PALETTE = {
    " ": "None", ".": "#000000", "b": "#000080", "B": "#0000FF", "c": "#008080", "C": "#00FFFF",
    "g": "#008000", "G": "#00FF00", "r": "#800000", "R": "#FF0000", "m": "#800080",
    "y": "#808000", "Y": "#FFFF00", "s": "#808080", "S": "#C0C0C0", "W": "#FFFFFF",
}


def pixel(x, y):
    cx = cy = (SIZE - 1) / 2
    d = math.hypot(x - cx, y - cy)
    if d > 15.5:
        return " "
    if d > 14.2:
        return "s"
    if d > 13.0:
        return "S"
    # Play triangle pointing right, its centre of area a little right of the disc's.
    if 10 <= x <= 23 and abs(y - cy) <= (23 - x) * 0.62:
        return "Y" if abs(y - cy) <= (23 - x) * 0.62 - 1.2 else "W"
    return "B" if d < 9 else "b"


def main():
    rows = ["".join(pixel(x, y) for x in range(SIZE)) for y in range(SIZE)]
    used = [k for k in PALETTE if any(k in r for r in rows)]
    lines = ["/* XPM */", "static const char *pexalo_linux_icon[] = {",
             f'"{SIZE} {SIZE} {len(used)} 1",']
    lines += [f'"{k} c {PALETTE[k]}",' for k in used]
    lines += [f'"{r}",' for r in rows[:-1]] + [f'"{rows[-1]}"', "};", ""]
    out = pathlib.Path(__file__).with_name("pexalo-linux-icon.xpm")
    out.write_text("\n".join(lines))


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
# make_icon.py: draws the program icon, a little maze in the game's own colours, as an SVG and as
# PNGs at the fixed sizes of the project's icon list. Plain Python, no imaging library needed.
import os
import pathlib
import random
import re
import sys
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
ROOMS = 5                 # rooms per side; with the walls between them 2 * ROOMS + 1 cells
CELLS = 2 * ROOMS + 1
WALL = (0x00, 0x80, 0x00)
OPEN = (0x00, 0x00, 0x00)
PLAYER = (0xC0, 0xFF, 0xFF)
GOAL = (0xFF, 0xFF, 0x00)
ALIEN = (0xFF, 0x00, 0x00)
# The sizes the project's CMakeLists.txt lists, so the pictures and the build never disagree.
_LIST = re.search(r"set\(VENNALOOP_ICON_SIZES ([0-9 ]+)\)",
                  (pathlib.Path(__file__).resolve().parents[2] / "CMakeLists.txt").read_text())
SIZES = tuple(int(size) for size in _LIST.group(1).split())
# The share of a maskable icon's side its 11-cell tile takes: the 9 cells inside its green rim then
# fit, corners and all, in the 80% circle every launcher keeps.
MASKABLE_SHARE = 0.66
CORNER = 1.2              # corner radius of the green tile, in cells


def maze_cells():
    """Open cells of a fixed spanning-tree maze (a seeded depth-first walk), plus the coloured rooms."""
    rng = random.Random(20)
    seen = {(0, 0)}
    stack = [(0, 0)]
    open_cells = {(1, 1)}
    while stack:
        r, c = stack[-1]
        ways = [(r + dr, c + dc) for dr, dc in ((-1, 0), (0, 1), (1, 0), (0, -1))
                if 0 <= r + dr < ROOMS and 0 <= c + dc < ROOMS and (r + dr, c + dc) not in seen]
        if not ways:
            stack.pop()
            continue
        nr, nc = rng.choice(ways)
        seen.add((nr, nc))
        stack.append((nr, nc))
        open_cells.add((2 * nr + 1, 2 * nc + 1))
        open_cells.add((r + nr + 1, c + nc + 1))
    colours = {cell: OPEN for cell in open_cells}
    colours[(1, 1)] = PLAYER
    colours[(CELLS - 2, CELLS - 2)] = GOAL
    colours[(5, 5)] = ALIEN
    return colours


def inside_tile(x, y):
    """Whether a point, in cells, lies on the rounded green tile."""
    for cx in (CORNER, CELLS - CORNER):
        for cy in (CORNER, CELLS - CORNER):
            if abs(x - cx) <= CORNER and abs(y - cy) <= CORNER:
                near_x = x < CORNER if cx == CORNER else x > CELLS - CORNER
                near_y = y < CORNER if cy == CORNER else y > CELLS - CORNER
                if near_x and near_y:
                    return (x - cx) ** 2 + (y - cy) ** 2 <= CORNER ** 2
    return 0 <= x <= CELLS and 0 <= y <= CELLS


def render(size, colours, samples=4):
    """RGBA rows, each pixel averaged over samples x samples points."""
    rows = []
    scale = CELLS / size
    for py in range(size):
        row = bytearray()
        for px in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(samples):
                for sx in range(samples):
                    x = (px + (sx + 0.5) / samples) * scale
                    y = (py + (sy + 0.5) / samples) * scale
                    if not inside_tile(x, y):
                        continue
                    rgb = colours.get((min(int(y), CELLS - 1), min(int(x), CELLS - 1)), WALL)
                    acc[0] += rgb[0]
                    acc[1] += rgb[1]
                    acc[2] += rgb[2]
                    acc[3] += 255
            n = samples * samples
            alpha = acc[3] / n
            if alpha == 0:
                row += bytes(4)
            else:
                cover = acc[3] / 255
                row += bytes((round(acc[0] / cover), round(acc[1] / cover),
                              round(acc[2] / cover), round(alpha)))
        rows.append(bytes(row))
    return rows


def render_maskable(size, colours, samples=4):
    """RGBA rows of a maskable icon: the square filled edge to edge with the wall's green, the maze
    drawn square-cornered in its middle MASKABLE_SHARE, inside the circle a launcher may cut."""
    rows = []
    margin = (1 - MASKABLE_SHARE) / 2
    for py in range(size):
        row = bytearray()
        for px in range(size):
            acc = [0, 0, 0]
            for sy in range(samples):
                for sx in range(samples):
                    u = (px + (sx + 0.5) / samples) / size
                    v = (py + (sy + 0.5) / samples) / size
                    x = (u - margin) / MASKABLE_SHARE * CELLS
                    y = (v - margin) / MASKABLE_SHARE * CELLS
                    inside = 0 <= x < CELLS and 0 <= y < CELLS
                    rgb = colours.get((int(y), int(x)), WALL) if inside else WALL
                    for k in range(3):
                        acc[k] += rgb[k]
            n = samples * samples
            row += bytes((round(acc[0] / n), round(acc[1] / n), round(acc[2] / n), 255))
        rows.append(bytes(row))
    return rows


def write_png(path, size, rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))
    raw = b"".join(b"\x00" + r for r in rows)
    png = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
           + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))
    with open(path, "wb") as f:
        f.write(png)


def write_svg(path, colours):
    hexcol = lambda rgb: "#%02x%02x%02x" % rgb
    parts = ['<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 %d %d" width="256" height="256">'
             % (CELLS, CELLS),
             '  <title>Vennaloop</title>',
             '  <rect width="%d" height="%d" rx="%g" fill="%s"/>' % (CELLS, CELLS, CORNER, hexcol(WALL))]
    for (r, c), rgb in sorted(colours.items()):
        parts.append('  <rect x="%d" y="%d" width="1" height="1" fill="%s"/>' % (c, r, hexcol(rgb)))
    parts.append("</svg>")
    with open(path, "w") as f:
        f.write("\n".join(parts) + "\n")


def main():
    colours = maze_cells()
    # make_icon.py --out DIR SIZE...: the web app's larger icons, each also as a maskable one.
    if len(sys.argv) > 2 and sys.argv[1] == "--out":
        for size in (int(arg) for arg in sys.argv[3:]):
            write_png(os.path.join(sys.argv[2], "vennaloop-%d.png" % size), size,
                      render(size, colours))
            write_png(os.path.join(sys.argv[2], "vennaloop-maskable-%d.png" % size), size,
                      render_maskable(size, colours))
        return
    write_svg(os.path.join(HERE, "vennaloop.svg"), colours)
    for size in SIZES:
        write_png(os.path.join(HERE, "vennaloop-%d.png" % size), size, render(size, colours))


if __name__ == "__main__":
    main()

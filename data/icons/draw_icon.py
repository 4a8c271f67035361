#!/usr/bin/python3
"""Draws the Mensora icon: a white ruler with grey tick marks, lying from the
lower left to the upper right, with a thin dark outline, on a transparent
background.

Outputs, written next to this script:
  mensora-16.png, mensora-32.png      drawn pixel by pixel, no partial alpha
  mensora-48.png, mensora-64.png,
  mensora-128.png, mensora-256.png    smooth edges, rendered from the outline
  mensora.ico                         16 and 32, 8 bits per pixel, for Windows
  mensora-16.rgba ... mensora-64.rgba the window's icon as raw pixels, which
                                      it shows without decoding anything
  mensora.svg                         the scalable version of the same drawing

Every PNG is indexed colour (at most 256 colours) with transparency in tRNS.

    draw_icon.py            write the files
    draw_icon.py --check    exit 1 if a committed file differs from what
                            this script draws now

Standard library only.
"""

import math
import os
import struct
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

# RGBA colours of the drawing.
CLEAR = (0, 0, 0, 0)
OUTLINE = (0x2E, 0x34, 0x36, 0xFF)
WHITE = (0xFF, 0xFF, 0xFF, 0xFF)
TICK = (0x80, 0x84, 0x88, 0xFF)
EDGE = (0xD8, 0xDC, 0xE0, 0xFF)  # the lower long edge, a little shaded

# ---------------------------------------------------------------------------
# The small sizes, one pixel at a time.

# 16x16, drawn by hand.  The ruler's edges are one-pixel diagonal staircases;
# the ticks hang from the upper-left edge along the other diagonal, long and
# short in turn, and the diagonal just inside the lower-right edge is shaded.
ART_16 = """
................
..........##....
.........#+o#...
........#oo+o#..
.......#+ooooo#.
......#oo+ooo-#.
.....#+ooo+o-#..
....#oo+ooo-#...
...#+ooooo-#....
..#oo+ooo-#.....
.#+ooo+o-#......
.#o+ooo-#.......
..#ooo-#........
...#o-#.........
....##..........
................
"""

ART_KEYS = {".": CLEAR, "#": OUTLINE, "o": WHITE, "+": TICK, "-": EDGE}


def from_art(art):
    rows = art.strip("\n").split("\n")
    if len(rows) != len(rows[0]) or any(len(r) != len(rows) for r in rows):
        raise ValueError("pixel art must be square")
    return [[ART_KEYS[ch] for ch in row] for row in rows]


def icon16():
    return from_art(ART_16)


# 32x32 follows rules rather than a drawing.  A ruler at 45 degrees is a band
# of pixels between two diagonals: with p = x + y (across the ruler, small on
# the upper-left side) and a = x - y (along it, growing towards the upper
# right), it is  p_lo <= p <= p_hi  and  |a| <= a_max.  At this size the
# outline is two diagonals thick (every pixel of the band with any neighbour
# outside), which makes a solid staircase.  A tick is a staircase too: it
# steps across the ruler one diagonal at a time, alternating between a and
# a + 1 so that it stays side-connected.


def pixel_ruler(size, p_lo, p_hi, a_max, ticks, shade_rows):
    """ticks: list of (a, length in diagonals).  shade_rows: how many
    diagonals just inside the lower-right outline get the shaded colour."""
    def inside(x, y):
        return p_lo <= x + y <= p_hi and abs(x - y) <= a_max

    img = [[CLEAR] * size for _ in range(size)]
    for y in range(size):
        for x in range(size):
            if not inside(x, y):
                continue
            border = any(not inside(x + dx, y + dy)
                         for dx in (-1, 0, 1) for dy in (-1, 0, 1))
            if border:
                img[y][x] = OUTLINE
            elif x + y >= p_hi - 1 - shade_rows:
                img[y][x] = EDGE
            else:
                img[y][x] = WHITE
    for a0, length in ticks:
        for k in range(length):
            p = p_lo + 2 + k
            a = a0 if (p + a0) % 2 == 0 else a0 + 1
            x, y = (p + a) // 2, (p - a) // 2
            if img[y][x] != WHITE:
                raise ValueError(f"tick pixel ({x},{y}) is off the ruler face")
            img[y][x] = TICK
    return img


def icon32():
    # every fourth diagonal; long, short, medium, short, long...
    lengths = (7, 3, 5, 3)
    ticks = [(4 * i, lengths[i % 4]) for i in range(-4, 5)]
    return pixel_ruler(32, p_lo=23, p_hi=39, a_max=21, ticks=ticks,
                       shade_rows=2)


# ---------------------------------------------------------------------------
# The large sizes and the SVG share one description, in a 32-unit square.
# The ruler is a rectangle centred on (16, 16), turned by -45 degrees
# (counter-clockwise on screen), so that its length runs to the upper right
# and its top edge faces the upper left.

UNIT = 32.0
# These match the 32x32 drawing: a band 17 diagonals wide and 43 long is
# 17/sqrt(2) by 43/sqrt(2) pixels.
LENGTH = 30.4        # along the ruler
WIDTH = 12.0         # across it
STROKE = 1.4         # outline, drawn inside the rectangle's edge
SHADE = 1.0          # shaded strip along the lower edge, inside the outline
TICK_W = 1.1
TICK_STEP = 2.83
TICK_LENGTHS = (4.9, 2.1, 3.5, 2.1)   # repeating: long, short, medium, short


def tick_marks():
    """(u, length) for each tick; u is the distance from the centre along
    the ruler."""
    return [(i * TICK_STEP, TICK_LENGTHS[i % 4]) for i in range(-4, 5)]


TICKS = tick_marks()


def classify(u, v):
    """Colour at a point in ruler coordinates (u along, v across, v < 0 on
    the ticked edge)."""
    hl, hw = LENGTH / 2, WIDTH / 2
    if abs(u) > hl or abs(v) > hw:
        return CLEAR
    if abs(u) > hl - STROKE or abs(v) > hw - STROKE:
        return OUTLINE
    top = -hw + STROKE
    for tu, tl in TICKS:
        if abs(u - tu) <= TICK_W / 2 and v <= top + tl:
            return TICK
    if v > hw - STROKE - SHADE:
        return EDGE
    return WHITE


def smooth_ruler(size):
    # more samples per pixel where pixels are few, fewer where they are many
    samples = max(4, 512 // size)
    scale = UNIT / size
    c = UNIT / 2
    r = 1 / math.sqrt(2)
    img = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(samples):
                for sx in range(samples):
                    x = (px + (sx + 0.5) / samples) * scale - c
                    y = (py + (sy + 0.5) / samples) * scale - c
                    # undo the -45 degree turn
                    u = (x - y) * r
                    v = (x + y) * r
                    col = classify(u, v)
                    a = col[3] / 255
                    acc[0] += col[0] * a
                    acc[1] += col[1] * a
                    acc[2] += col[2] * a
                    acc[3] += a
            n = samples * samples
            alpha = acc[3] / n
            if alpha <= 0:
                row.append(CLEAR)
            else:
                row.append(tuple(round(acc[i] / acc[3]) for i in range(3))
                           + (round(alpha * 255),))
        img.append(row)
    return img


def hexcol(c):
    return "#%02x%02x%02x" % c[:3]


def svg_text():
    hl, hw = LENGTH / 2, WIDTH / 2
    c = UNIT / 2

    def f(x):
        return ("%.3f" % x).rstrip("0").rstrip(".")

    s = STROKE / 2
    top = -hw + STROKE
    lines = [
        '<?xml version="1.0" encoding="UTF-8"?>',
        '<svg xmlns="http://www.w3.org/2000/svg" width="128" height="128"'
        f' viewBox="0 0 {f(UNIT)} {f(UNIT)}">',
        '  <title>Mensora</title>',
        f'  <g transform="rotate(-45 {f(c)} {f(c)})">',
        f'    <rect x="{f(c - hl + s)}" y="{f(c - hw + s)}"'
        f' width="{f(LENGTH - STROKE)}" height="{f(WIDTH - STROKE)}"'
        f' fill="{hexcol(WHITE)}" stroke="{hexcol(OUTLINE)}"'
        f' stroke-width="{f(STROKE)}"/>',
        f'    <rect x="{f(c - hl + STROKE)}" y="{f(c + hw - STROKE - SHADE)}"'
        f' width="{f(LENGTH - 2 * STROKE)}" height="{f(SHADE)}"'
        f' fill="{hexcol(EDGE)}"/>',
        f'    <g fill="{hexcol(TICK)}">',
    ]
    for tu, tl in tick_marks():
        lines.append(f'      <rect x="{f(c + tu - TICK_W / 2)}" y="{f(c + top)}"'
                     f' width="{f(TICK_W)}" height="{f(tl)}"/>')
    lines += ['    </g>', '  </g>', '</svg>', '']
    return "\n".join(lines)


# ---------------------------------------------------------------------------
# Palette and file formats.


def palette_of(img):
    """Returns (palette, rows of indices).  Transparent pixels all share
    entry 0.  Colours are merged at coarser precision until they fit in 256
    entries; opaque entries come after the translucent ones so that tRNS
    can stop early."""
    pixels = [CLEAR if p[3] == 0 else p for row in img for p in row]
    for shift in range(0, 8):
        def q(p):
            if p[3] == 0:
                return CLEAR
            m = (0xFF >> shift) << shift
            half = (1 << shift) >> 1
            return tuple(min(255, (ch & m) + half) if shift else ch
                         for ch in p[:3]) + (
                255 if p[3] == 255 else min(254, (p[3] & m) + half if shift else p[3]),)
        colours = sorted(set(q(p) for p in pixels),
                         key=lambda c: (c[3] == 255, c != CLEAR, c))
        if CLEAR not in colours:
            colours.insert(0, CLEAR)
        if len(colours) <= 256:
            index = {c: i for i, c in enumerate(colours)}
            rows = [[index[q(p)] for p in row] for row in img]
            return colours, rows
    raise RuntimeError("could not fit the palette")


def png_chunk(kind, data):
    body = kind + data
    return (struct.pack(">I", len(data)) + body
            + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF))


def png_bytes(img):
    pal, rows = palette_of(img)
    h, w = len(img), len(img[0])
    raw = b"".join(b"\x00" + bytes(r) for r in rows)
    alphas = bytes(c[3] for c in pal)
    while alphas and alphas[-1] == 255:
        alphas = alphas[:-1]
    out = b"\x89PNG\r\n\x1a\n"
    out += png_chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 3, 0, 0, 0))
    out += png_chunk(b"PLTE", b"".join(bytes(c[:3]) for c in pal))
    if alphas:
        out += png_chunk(b"tRNS", alphas)
    out += png_chunk(b"IDAT", zlib.compress(raw, 9))
    out += png_chunk(b"IEND", b"")
    return out


def rgba_bytes(img):
    """The image as the window loads it: 8-bit R, G, B, A in that byte
    order, colour premultiplied by alpha, rows top-down; colours as the PNG
    of the same size stores them."""
    pal, rows = palette_of(img)
    out = bytearray()
    for row in rows:
        for i in row:
            r, g, b, a = pal[i]
            out += bytes(((r * a + 127) // 255, (g * a + 127) // 255,
                          (b * a + 127) // 255, a))
    return bytes(out)


def ico_image(img):
    """One 8-bit image of an .ico: a BITMAPINFOHEADER, a 256-entry palette,
    the colour rows bottom-up, then the 1-bit transparency mask."""
    pal, rows = palette_of(img)
    # 8-bit icons have no partial transparency: the mask decides.
    h, w = len(img), len(img[0])
    header = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, 8, 0, 0, 0, 0, 256, 0)
    colours = b"".join(bytes((c[2], c[1], c[0], 0)) for c in pal)
    colours += b"\x00" * (4 * (256 - len(pal)))
    xor_stride = (w + 3) & ~3
    and_stride = ((w + 31) // 32) * 4
    xor = b""
    mask = b""
    for y in range(h - 1, -1, -1):
        xor += bytes(rows[y]) + b"\x00" * (xor_stride - w)
        line = bytearray(and_stride)
        for x in range(w):
            if img[y][x][3] < 128:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(line)
    return header + colours + xor + mask


def ico_bytes(images):
    out = struct.pack("<HHH", 0, 1, len(images))
    blobs = [ico_image(img) for img in images]
    offset = 6 + 16 * len(images)
    for img, blob in zip(images, blobs):
        size = len(img)
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 8,
                           len(blob), offset)
        offset += len(blob)
    return out + b"".join(blobs)


def outputs():
    small = {16: icon16(), 32: icon32()}
    files = {}
    for size, img in small.items():
        files[f"mensora-{size}.png"] = png_bytes(img)
        files[f"mensora-{size}.rgba"] = rgba_bytes(img)
    for size in (48, 64, 128, 256):
        img = smooth_ruler(size)
        files[f"mensora-{size}.png"] = png_bytes(img)
        if size <= 64:
            files[f"mensora-{size}.rgba"] = rgba_bytes(img)
    files["mensora.ico"] = ico_bytes([small[16], small[32]])
    files["mensora.svg"] = svg_text().encode("utf-8")
    return files


def main(argv):
    check = "--check" in argv[1:]
    stale = []
    for name, data in outputs().items():
        path = os.path.join(HERE, name)
        if check:
            try:
                with open(path, "rb") as fh:
                    if fh.read() == data:
                        continue
            except FileNotFoundError:
                pass
            stale.append(name)
        else:
            with open(path, "wb") as fh:
                fh.write(data)
    if stale:
        print("out of date, run data/icons/draw_icon.py: " + ", ".join(stale))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

#!/usr/bin/env python3
"""Draws the pictures of the VORN window (Python 3 standard library only).

Writes into app/resources/:
  vorn.ico        window icon, 32 x 32, 24-bit colour with a 1-bit mask
  banner.bmp      banner of the top picture box, 256 x 128, 24-bit (100 %)
  banner150.bmp   the same banner drawn at 150 %, 384 x 192
  banner200.bmp   the same banner drawn at 200 %, 512 x 256
  line.bmp        the 1 x 3 separator line under the selector, 24-bit (100 %)
  line150.bmp     the line at 150 %, 1 x 4
  line200.bmp     the line at 200 %, 1 x 6

The larger sizes are the same drawing made at a larger scale (not a
stretched copy), for screens of 144 and 192 dots per inch. At scale 1 the
arithmetic is exactly that of the 100 % drawing.

The drawing is deterministic, so running it again reproduces the files
byte for byte.
"""

import math
import os
import random
import struct
import sys

PANEL = (63, 72, 77)
BANNER = (22, 30, 41)
ORANGE = (245, 148, 35)
LINE_ROWS = [(40, 49, 54), (86, 95, 100), (63, 72, 77)]  # from the top


# ---------------------------------------------------------------- canvas ---

class Canvas:
    """Float RGB image, origin top-left."""

    def __init__(self, w, h, colour):
        self.w, self.h = w, h
        self.px = [[list(map(float, colour)) for _ in range(w)] for _ in range(h)]

    def blend(self, x, y, colour, a):
        if a <= 0 or not (0 <= x < self.w and 0 <= y < self.h):
            return
        a = min(a, 1.0)
        p = self.px[y][x]
        for i in range(3):
            p[i] += (colour[i] - p[i]) * a

    def add(self, x, y, colour, a):
        if a <= 0 or not (0 <= x < self.w and 0 <= y < self.h):
            return
        p = self.px[y][x]
        for i in range(3):
            p[i] = min(255.0, p[i] + colour[i] * a)

    def paint(self, mask, colour, alpha=1.0, additive=False):
        for y in range(self.h):
            row = mask[y]
            for x in range(self.w):
                a = row[x] * alpha
                if a > 0.002:
                    (self.add if additive else self.blend)(x, y, colour, a)

    def paint_gradient(self, mask, top, bottom, y0, y1):
        for y in range(self.h):
            t = min(1.0, max(0.0, (y - y0) / max(1e-6, (y1 - y0))))
            c = tuple(top[i] + (bottom[i] - top[i]) * t for i in range(3))
            for x in range(self.w):
                if mask[y][x] > 0.002:
                    self.blend(x, y, c, mask[y][x])

    def rgb_bytes_rows(self):
        """Rows top to bottom, each a list of (r, g, b) ints."""
        return [[tuple(int(round(min(255, max(0, v)))) for v in p) for p in row] for row in self.px]


def empty_mask(w, h):
    return [[0.0] * w for _ in range(h)]


def fill_polygons(mask, contours, ss=4):
    """Even-odd fill of one or more closed contours into a coverage mask,
    anti-aliased with ss x ss samples per pixel."""
    h, w = len(mask), len(mask[0])
    edges = []
    for c in contours:
        for i in range(len(c)):
            (x0, y0), (x1, y1) = c[i], c[(i + 1) % len(c)]
            if y0 != y1:
                edges.append((x0, y0, x1, y1))
    weight = 1.0 / (ss * ss)
    for sy in range(h * ss):
        fy = (sy + 0.5) / ss
        xs = []
        for x0, y0, x1, y1 in edges:
            if (y0 <= fy < y1) or (y1 <= fy < y0):
                xs.append(x0 + (fy - y0) * (x1 - x0) / (y1 - y0))
        if not xs:
            continue
        xs.sort()
        row = mask[sy // ss]
        for a, b in zip(xs[0::2], xs[1::2]):
            s0 = max(0, int(math.ceil(a * ss - 0.5)))
            s1 = min(w * ss - 1, int(math.floor(b * ss - 0.5)))
            for sx in range(s0, s1 + 1):
                row[sx // ss] += weight
    for row in mask:
        for x in range(w):
            if row[x] > 1.0:
                row[x] = 1.0
    return mask


def thick_line(p0, p1, width):
    """A quad for a straight stroke from p0 to p1."""
    (x0, y0), (x1, y1) = p0, p1
    dx, dy = x1 - x0, y1 - y0
    n = math.hypot(dx, dy) or 1.0
    ox, oy = -dy / n * width / 2, dx / n * width / 2
    return [(x0 + ox, y0 + oy), (x1 + ox, y1 + oy), (x1 - ox, y1 - oy), (x0 - ox, y0 - oy)]


def tapered_line(p0, p1, w0, w1):
    (x0, y0), (x1, y1) = p0, p1
    dx, dy = x1 - x0, y1 - y0
    n = math.hypot(dx, dy) or 1.0
    nx, ny = -dy / n, dx / n
    return [(x0 + nx * w0 / 2, y0 + ny * w0 / 2), (x1 + nx * w1 / 2, y1 + ny * w1 / 2),
            (x1 - nx * w1 / 2, y1 - ny * w1 / 2), (x0 - nx * w0 / 2, y0 - ny * w0 / 2)]


def blur(mask, radius, passes=3):
    """Approximate Gaussian blur by repeated box blurs."""
    h, w = len(mask), len(mask[0])
    m = [row[:] for row in mask]
    for _ in range(passes):
        # horizontal
        for y in range(h):
            row = m[y]
            acc = [0.0] * (w + 1)
            for x in range(w):
                acc[x + 1] = acc[x] + row[x]
            m[y] = [(acc[min(w, x + radius + 1)] - acc[max(0, x - radius)]) / (2 * radius + 1)
                    for x in range(w)]
        # vertical
        for x in range(w):
            acc = [0.0] * (h + 1)
            for y in range(h):
                acc[y + 1] = acc[y] + m[y][x]
            for y in range(h):
                m[y][x] = (acc[min(h, y + radius + 1)] - acc[max(0, y - radius)]) / (2 * radius + 1)
    return m


def bezier(p0, p1, p2, p3, n):
    pts = []
    for i in range(n + 1):
        t = i / n
        u = 1 - t
        pts.append((u * u * u * p0[0] + 3 * u * u * t * p1[0] + 3 * u * t * t * p2[0] + t * t * t * p3[0],
                    u * u * u * p0[1] + 3 * u * u * t * p1[1] + 3 * u * t * t * p2[1] + t * t * t * p3[1]))
    return pts


# ----------------------------------------------------------------- glyphs ---

# Chamfered display letters in a unit box (y down); several contours per
# letter are filled even-odd, so inner contours cut holes.
LETTERS = {
    "V": [[(0, 0), (0.3, 0), (0.5, 0.6), (0.7, 0), (1, 0), (0.66, 1), (0.34, 1)]],
    "O": [[(0.22, 0), (0.78, 0), (1, 0.2), (1, 0.8), (0.78, 1), (0.22, 1), (0, 0.8), (0, 0.2)],
          [(0.36, 0.26), (0.64, 0.26), (0.71, 0.33), (0.71, 0.67), (0.64, 0.74), (0.36, 0.74),
           (0.29, 0.67), (0.29, 0.33)]],
    "R": [[(0, 0), (0.8, 0), (1, 0.17), (1, 0.43), (0.84, 0.56), (1, 1), (0.69, 1), (0.55, 0.61),
           (0.29, 0.61), (0.29, 1), (0, 1)],
          [(0.29, 0.23), (0.66, 0.23), (0.71, 0.28), (0.71, 0.34), (0.66, 0.39), (0.29, 0.39)]],
    "N": [[(0, 0), (0.29, 0), (0.71, 0.58), (0.71, 0), (1, 0), (1, 1), (0.71, 1), (0.29, 0.42),
           (0.29, 1), (0, 1)]],
}

# 5 x 7 pixel font for the small subtitle.
PIXEL_FONT = {
    "P": ["1111.", "1...1", "1...1", "1111.", "1....", "1....", "1...."],
    "O": [".111.", "1...1", "1...1", "1...1", "1...1", "1...1", ".111."],
    "S": [".1111", "1....", "1....", ".111.", "....1", "....1", "1111."],
    "T": ["11111", "..1..", "..1..", "..1..", "..1..", "..1..", "..1.."],
    "F": ["11111", "1....", "1....", "1111.", "1....", "1....", "1...."],
    "X": ["1...1", "1...1", ".1.1.", "..1..", ".1.1.", "1...1", "1...1"],
    "H": ["1...1", "1...1", "1...1", "11111", "1...1", "1...1", "1...1"],
    "D": ["1111.", "1...1", "1...1", "1...1", "1...1", "1...1", "1111."],
    "R": ["1111.", "1...1", "1...1", "1111.", "1.1..", "1..1.", "1...1"],
    "B": ["1111.", "1...1", "1...1", "1111.", "1...1", "1...1", "1111."],
    "L": ["1....", "1....", "1....", "1....", "1....", "1....", "11111"],
    "U": ["1...1", "1...1", "1...1", "1...1", "1...1", "1...1", ".111."],
    "W": ["1...1", "1...1", "1...1", "1.1.1", "1.1.1", "11.11", "1...1"],
    "I": ["11111", "..1..", "..1..", "..1..", "..1..", "..1..", "11111"],
    "C": [".1111", "1....", "1....", "1....", "1....", "1....", ".1111"],
    "/": ["....1", "....1", "...1.", "..1..", ".1...", "1....", "1...."],
    " ": ["....."] * 7,
}


def letter_contours(ch, x, y, w, h, skew):
    out = []
    for c in LETTERS[ch]:
        out.append([(x + px * w + skew * (1 - py) * h, y + py * h) for px, py in c])
    return out


def pixel_text_mask(mask, text, x, y, skew=0.0, scale=1):
    """The pixel font with each font pixel drawn as a square of side scale."""
    cx = x
    for ch in text:
        g = PIXEL_FONT[ch]
        for gy, row in enumerate(g):
            for gx, bit in enumerate(row):
                if bit == "1":
                    px = cx + gx * scale + skew * (6 - gy)
                    py = y + gy * scale
                    fill_polygons(mask, [[(px, py), (px + scale, py), (px + scale, py + scale),
                                          (px, py + scale)]], ss=2)
        cx += 6 * scale
    return cx - x


# ----------------------------------------------------------------- files ---

def bmp24(rows):
    """A bottom-up 24-bit BMP file of rows given top to bottom as (r, g, b)."""
    h, w = len(rows), len(rows[0])
    stride = (w * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += b"\0" * (stride - len(line))
        data += line
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(data), 0, 0, 14 + len(info))
    return header + info + bytes(data)


def ico24(rows, opaque):
    """An .ico with one 24-bit image plus its AND mask (1 = transparent)."""
    h, w = len(rows), len(rows[0])
    xor = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += b"\0" * (((w * 3 + 3) & ~3) - len(line))
        xor += line
    mask_stride = ((w + 31) // 32) * 4
    andm = bytearray()
    for y in reversed(range(h)):
        line = bytearray(mask_stride)
        for x in range(w):
            if not opaque[y][x]:
                line[x // 8] |= 0x80 >> (x % 8)
        andm += line
    info = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 24, 0, len(xor) + len(andm), 0, 0, 0, 0)
    image = info + bytes(xor) + bytes(andm)
    header = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", w, h, 0, 0, 1, 24, len(image), 6 + 16)
    return header + entry + image


# ---------------------------------------------------------------- banner ---

def draw_banner(s=1):
    """The banner drawn at scale s (1, 1.5 or 2): every length of the 256 x 128
    drawing, stroke widths and blur radii included, is multiplied by s."""
    W, H = int(256 * s), int(128 * s)
    cv = Canvas(W, H, BANNER)

    def pt(x, y):
        return (x * s, y * s)

    def radius(r):
        return max(1, int(round(r * s)))

    # Night sky: a faint lift towards the horizon.
    horizon0 = 70
    horizon = horizon0 * s
    for y in range(H):
        for x in range(W):
            if y < horizon:
                t = (y / horizon) ** 2
                cv.blend(x, y, (38, 52, 70), 0.55 * t)
            else:
                cv.blend(x, y, (14, 20, 28), min(1.0, (y - horizon) / (40 * s)) * 0.6)

    # Warm glow on the horizon where the road vanishes.
    vp = pt(84.0, float(horizon0))
    glow = empty_mask(W, H)
    fill_polygons(glow, [[pt(84.0 - 60, horizon0 - 2), pt(84.0 + 90, horizon0 - 2), pt(84.0 + 90, horizon0 + 2),
                          pt(84.0 - 60, horizon0 + 2)]])
    cv.paint(blur(glow, radius(6)), ORANGE, 0.55, additive=True)
    hz = empty_mask(W, H)
    fill_polygons(hz, [[pt(0, horizon0 - 0.5), pt(256, horizon0 - 0.5), pt(256, horizon0 + 0.5),
                        pt(0, horizon0 + 0.5)]])
    cv.paint(hz, (70, 82, 96), 0.6)

    # The road: a curve sweeping from the lower right into the vanishing point.
    left = bezier(pt(118, 128), pt(110, 104), pt(72, 88), vp, 40)
    right = bezier(pt(262, 128), pt(200, 100), pt(120, 82), pt(84.0 + 2, horizon0), 40)
    road = empty_mask(W, H)
    fill_polygons(road, [left + list(reversed(right))])
    cv.paint_gradient(road, (36, 44, 56), (30, 38, 50), horizon, H)

    # Glowing edge lines of the road.
    edges = empty_mask(W, H)
    for pts, w0 in ((left, 2.2), (right, 2.6)):
        for i in range(len(pts) - 1):
            t = i / (len(pts) - 1)
            wa = w0 * (1 - t) + 0.5 * t
            wb = w0 * (1 - (i + 1) / (len(pts) - 1)) + 0.5 * (i + 1) / (len(pts) - 1)
            fill_polygons(edges, [tapered_line(pts[i], pts[i + 1], wa * s, wb * s)])
    cv.paint(blur(edges, radius(3)), ORANGE, 0.9, additive=True)
    cv.paint(edges, (255, 196, 120), 1.0)

    # Dashed centre line, shrinking with distance.
    centre = [((a[0] + b[0]) / 2, (a[1] + b[1]) / 2) for a, b in zip(left, right)]
    dashes = empty_mask(W, H)
    for i in range(0, len(centre) - 1, 4):
        t = i / (len(centre) - 1)
        fill_polygons(dashes, [tapered_line(centre[i], centre[min(i + 2, len(centre) - 1)],
                                            (2.2 * (1 - t) + 0.4) * s, (2.2 * (1 - t - 0.05) + 0.4) * s)])
    cv.paint(dashes, (225, 230, 235), 0.85)

    # Speed streaks across the sky and the right side.
    rng = random.Random(1010)
    streaks = empty_mask(W, H)
    hot = empty_mask(W, H)
    for _ in range(22):
        y = rng.uniform(6, horizon0 + 30)
        x1 = rng.uniform(140, 262)
        length = rng.uniform(30, 110)
        thick = rng.uniform(0.5, 1.4)
        fill_polygons(streaks, [tapered_line(pt(x1 - length, y + length * 0.08), pt(x1, y), 0.1 * s, thick * s)])
        if rng.random() < 0.35:
            fill_polygons(hot, [tapered_line(pt(x1 - length * 0.5, y + length * 0.04), pt(x1, y), 0.1 * s,
                                             thick * s)])
    cv.paint(streaks, (150, 170, 190), 0.35, additive=True)
    cv.paint(blur(hot, radius(2)), ORANGE, 0.8, additive=True)
    cv.paint(hot, (255, 210, 150), 0.9)

    # Title "VORN": italic chamfered letters with an orange glow.
    lx, ly, lw, lh, gap, skew = 112.0 * s, 14.0 * s, 28.0 * s, 34.0 * s, 5.0 * s, 0.28
    title = empty_mask(W, H)
    contours = []
    for i, ch in enumerate("VORN"):
        contours += letter_contours(ch, lx + i * (lw + gap), ly, lw, lh, skew)
    fill_polygons(title, contours)
    shadow = [[0.0] * W for _ in range(H)]
    off = radius(2)
    for y in range(H - off):
        for x in range(W - off):
            shadow[y + off][x + off] = title[y][x]
    cv.paint(blur(shadow, radius(2)), (0, 0, 0), 0.8)
    cv.paint(blur(title, radius(5)), ORANGE, 0.75, additive=True)
    cv.paint_gradient(title, (255, 255, 255), (196, 206, 216), ly, ly + lh)
    # Orange accent bar under the title, trailing off to the left.
    bar = empty_mask(W, H)
    fill_polygons(bar, [tapered_line((lx - 30 * s, ly + lh + 6.5 * s), (lx + 4 * (lw + gap) + 2 * s, ly + lh + 6.5 * s),
                                     0.2 * s, 3.0 * s)])
    cv.paint(blur(bar, radius(2)), ORANGE, 0.6, additive=True)
    cv.paint(bar, ORANGE, 1.0)

    # Subtitle in a small pixel font.
    sub = empty_mask(W, H)
    text = "HDR / BLUR SWITCH"
    pixel_text_mask(sub, text, (256 - 8 - 6 * len(text)) * s, ly + lh + 12 * s, scale=s)
    cv.paint(sub, (205, 214, 222), 0.95)

    # Keep the lower-left corner calm for the version label drawn over it.
    calm = empty_mask(W, H)
    fill_polygons(calm, [[pt(0, 104), pt(132, 104), pt(132, 128), pt(0, 128)]])
    cv.paint(blur(calm, radius(6)), BANNER, 0.85)

    # A thin orange rule along the bottom edge: a strong band s pixels high
    # with a faint one above it; rows take each band by the part they cover.
    for k in range(int(math.ceil(2 * s))):
        strong = max(0.0, min(k + 1, s) - k)
        faint = max(0.0, min(k + 1, 2 * s) - max(k, s))
        alpha = 0.9 * strong + 0.25 * faint
        for x in range(W):
            fade = min(1.0, x / (90.0 * s))
            cv.blend(x, H - 1 - k, ORANGE, alpha * fade)
    return cv.rgb_bytes_rows()


def draw_line(s=1):
    """The separator at scale s: three bands of s pixels (dark, light, panel),
    each row taking the band under its centre."""
    n = int(3 * s)
    return [[LINE_ROWS[min(2, int((y + 0.5) / s))]] for y in range(n)]


# ------------------------------------------------------------------ icon ---

def draw_icon():
    S = 32
    cv = Canvas(S, S, (0, 0, 0))
    # Rounded square tile.
    r = 6.0
    tile = []
    corners = [(S - r, r, -90), (S - r, S - r, 0), (r, S - r, 90), (r, r, 180)]
    for cx, cy, start in corners:
        for k in range(7):
            a = math.radians(start + k * 15)
            tile.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    tile_mask = fill_polygons(empty_mask(S, S), [tile])
    cv.paint_gradient(tile_mask, (34, 46, 62), (16, 22, 31), 0, S)

    # Road sweeping in from the lower left towards the upper right.
    left = bezier((-2, 33), (6, 22), (16, 14), (26, 6), 24)
    right = bezier((12, 34), (16, 24), (22, 16), (27, 7), 24)
    road = fill_polygons(empty_mask(S, S), [left + list(reversed(right))])
    cv.paint(road, (58, 68, 80), 1.0)
    edge = empty_mask(S, S)
    for pts, w0 in ((left, 2.0), (right, 2.2)):
        for i in range(len(pts) - 1):
            t0, t1 = i / (len(pts) - 1), (i + 1) / (len(pts) - 1)
            fill_polygons(edge, [tapered_line(pts[i], pts[i + 1], w0 * (1 - t0) + 0.6 * t0,
                                              w0 * (1 - t1) + 0.6 * t1)])
    cv.paint(blur(edge, 1, 2), ORANGE, 0.8, additive=True)
    cv.paint(edge, (255, 180, 80), 1.0)

    # Bold italic "V" on top.
    v = letter_contours("V", 9.5, 6.5, 15, 17, 0.22)
    vm = fill_polygons(empty_mask(S, S), v)
    sh = [[0.0] * S for _ in range(S)]
    for y in range(S - 1):
        for x in range(S - 1):
            sh[y + 1][x + 1] = vm[y][x]
    cv.paint(sh, (0, 0, 0), 0.7)
    cv.paint_gradient(vm, (255, 255, 255), (205, 214, 224), 6, 24)

    # Two speed streaks.
    st = empty_mask(S, S)
    fill_polygons(st, [tapered_line((3, 11), (10, 10), 0.2, 1.6)])
    fill_polygons(st, [tapered_line((1, 15), (8, 14), 0.2, 1.4)])
    cv.paint(st, ORANGE, 1.0)

    # Composite the tile over black and build the mask: pixels mostly outside
    # the rounded corners are transparent.
    rows = cv.rgb_bytes_rows()
    opaque = [[tile_mask[y][x] >= 0.5 for x in range(S)] for y in range(S)]
    for y in range(S):
        for x in range(S):
            if not opaque[y][x]:
                rows[y][x] = (0, 0, 0)
    return rows, opaque


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out = os.path.join(root, "app", "resources")
    if len(sys.argv) > 1:
        out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for suffix, scale in (("", 1), ("150", 1.5), ("200", 2)):
        with open(os.path.join(out, "line" + suffix + ".bmp"), "wb") as f:
            f.write(bmp24(draw_line(scale)))
        with open(os.path.join(out, "banner" + suffix + ".bmp"), "wb") as f:
            f.write(bmp24(draw_banner(scale)))
    rows, opaque = draw_icon()
    with open(os.path.join(out, "vorn.ico"), "wb") as f:
        f.write(ico24(rows, opaque))
    print("art written to", out)


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Draws the wizard's icon and pictures and writes them beside this script.

    Launcher.ico       MAINICON: 32x32 and 16x16, 16 colours (green tiles, yellow lines, blue arrow)
    Logo.bmp           LOGO: 65x22, 8 bpp, 32-colour palette, lower-left pixel is the transparent colour
    Illustration.bmp   ILLUSTRATION: 128x280, 8 bpp, 256 colours (computer, discs and globe on teal)
    ButtonPicture.bmp  BUTTONPICTURE: 32x32, 16 bpp (computer and open software box on magenta)

Only the standard library is used, and the output is the same on every run, so the committed files can be
regenerated and compared at any time:  python3 src/win/res/make_pictures.py
"""

import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

TEAL = (0, 128, 128)
MAGENTA = (255, 0, 255)
LOGO_KEY = (192, 192, 192)

# ---------------------------------------------------------------------------------------------------------------
# A small supersampling rasteriser: shapes are inside-tests in pixel coordinates, painted in order.


class Canvas:
    def __init__(self, width, height, ss, background):
        self.w, self.h, self.ss = width, height, ss
        n = width * ss * height * ss
        self.rgb = [list(background) for _ in range(n)]
        self.cover = [0.0] * n  # 1 where something other than the background was painted

    def fill(self, shape, colour, alpha=1.0, mark=True):
        inside, (x0, y0, x1, y1) = shape
        ss, sw = self.ss, self.w * self.ss
        i0, i1 = max(0, int(math.floor(x0 * ss))), min(sw, int(math.ceil(x1 * ss)))
        j0, j1 = max(0, int(math.floor(y0 * ss))), min(self.h * ss, int(math.ceil(y1 * ss)))
        const = not callable(colour)
        for j in range(j0, j1):
            y = (j + 0.5) / ss
            row = j * sw
            for i in range(i0, i1):
                x = (i + 0.5) / ss
                if not inside(x, y):
                    continue
                c = colour if const else colour(x, y)
                if c is None:
                    continue
                a = alpha
                if len(c) == 4:
                    a *= c[3]
                p = self.rgb[row + i]
                p[0] += (c[0] - p[0]) * a
                p[1] += (c[1] - p[1]) * a
                p[2] += (c[2] - p[2]) * a
                if mark:
                    self.cover[row + i] = max(self.cover[row + i], a)

    def pixels(self, key=None, threshold=0.5):
        """Averages the samples of each pixel. With a key colour, pixels that are mostly background become the
        key and the others keep only their painted samples, so no background bleeds into the edges."""
        ss, sw = self.ss, self.w * self.ss
        out = []
        for y in range(self.h):
            for x in range(self.w):
                acc = [0.0, 0.0, 0.0]
                cov = 0.0
                painted = [0.0, 0.0, 0.0]
                for j in range(y * ss, y * ss + ss):
                    for i in range(x * ss, x * ss + ss):
                        p, c = self.rgb[j * sw + i], self.cover[j * sw + i]
                        for k in range(3):
                            acc[k] += p[k]
                            painted[k] += p[k] * c
                        cov += c
                n = ss * ss
                if key is None:
                    out.append(tuple(clamp(round(v / n)) for v in acc))
                elif cov / n < threshold:
                    out.append(key)
                else:
                    out.append(tuple(clamp(round(v / cov)) for v in painted))
        return out


def clamp(v):
    return 0 if v < 0 else 255 if v > 255 else int(v)


# Shapes: (inside(x, y), bounding box).


def rect(x0, y0, x1, y1):
    return (lambda x, y: x0 <= x < x1 and y0 <= y < y1), (x0, y0, x1, y1)


def rrect(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x < x1 and y0 <= y < y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r

    return inside, (x0, y0, x1, y1)


def ellipse(cx, cy, rx, ry):
    return (lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0), (cx - rx, cy - ry, cx + rx, cy + ry)


def circle(cx, cy, r):
    return ellipse(cx, cy, r, r)


def poly(points):
    xs, ys = [p[0] for p in points], [p[1] for p in points]

    def inside(x, y):
        return point_in_polygon(x, y, points)

    return inside, (min(xs), min(ys), max(xs), max(ys))


def point_in_polygon(x, y, points):
    res = False
    n = len(points)
    for k in range(n):
        ax, ay = points[k]
        bx, by = points[(k + 1) % n]
        if (ay > y) != (by > y) and x < (bx - ax) * (y - ay) / (by - ay) + ax:
            res = not res
    return res


def segment(x0, y0, x1, y1, width):
    dx, dy = x1 - x0, y1 - y0
    ll = dx * dx + dy * dy
    r = width / 2.0

    def inside(x, y):
        t = 0.0 if ll == 0 else max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / ll))
        px, py = x0 + t * dx - x, y0 + t * dy - y
        return px * px + py * py <= r * r

    return inside, (min(x0, x1) - r, min(y0, y1) - r, max(x0, x1) + r, max(y0, y1) + r)


def minus(a, b):
    return (lambda x, y: a[0](x, y) and not b[0](x, y)), a[1]


def both(a, b):
    return (lambda x, y: a[0](x, y) and b[0](x, y)), a[1]


def mix(c1, c2, t):
    t = max(0.0, min(1.0, t))
    return tuple(c1[k] + (c2[k] - c1[k]) * t for k in range(3))


def scale(c, f):
    return tuple(v * f for v in c)


def vgradient(c1, c2, y0, y1):
    return lambda x, y: mix(c1, c2, (y - y0) / (y1 - y0))


def hgradient(c1, c2, x0, x1):
    return lambda x, y: mix(c1, c2, (x - x0) / (x1 - x0))


def hsv(h, s, v):
    h = (h % 1.0) * 6.0
    i = int(h)
    f = h - i
    p, q, t = v * (1 - s), v * (1 - s * f), v * (1 - s * (1 - f))
    r, g, b = [(v, t, p), (q, v, p), (p, v, t), (p, q, v), (t, p, v), (v, p, q)][i % 6]
    return (r * 255, g * 255, b * 255)


# ---------------------------------------------------------------------------------------------------------------
# Colour reduction: median cut, with some colours kept exactly.


def quantize(pixels, size, fixed=()):
    counts = {}
    for p in pixels:
        if p not in fixed:
            counts[p] = counts.get(p, 0) + 1
    boxes = [list(counts.items())]
    free = size - len(fixed)
    while len(boxes) < free:
        best, best_score = None, 0
        for b in boxes:
            if len(b) < 2:
                continue
            spread = max(max(c[0][k] for c in b) - min(c[0][k] for c in b) for k in range(3))
            score = spread * math.sqrt(sum(c[1] for c in b))
            if score > best_score:
                best, best_score = b, score
        if best is None:
            break
        axis = max(range(3), key=lambda k: max(c[0][k] for c in best) - min(c[0][k] for c in best))
        best.sort(key=lambda c: c[0][axis])
        total, run, cut = sum(c[1] for c in best), 0, 1
        for idx, c in enumerate(best):
            run += c[1]
            if run * 2 >= total:
                cut = min(max(idx + 1, 1), len(best) - 1)
                break
        boxes.remove(best)
        boxes += [best[:cut], best[cut:]]
    palette = list(fixed)
    for b in boxes:
        if not b:
            continue
        n = sum(c[1] for c in b)
        avg = tuple(clamp(round(sum(c[0][k] * c[1] for c in b) / n)) for k in range(3))
        if avg in palette:  # keep every entry distinct, the fixed ones above all
            avg = (avg[0], avg[1], avg[2] ^ 1)
        palette.append(avg)
    while len(palette) < size:
        palette.append((0, 0, 0) if (0, 0, 0) not in palette else (len(palette), 0, 0))
    return palette, map_to(pixels, palette, fixed)


def map_to(pixels, palette, fixed=()):
    cache = {}
    out = []
    for p in pixels:
        if p not in cache:
            if p in fixed:
                cache[p] = palette.index(p)
            else:
                cache[p] = min(
                    (k for k in range(len(palette)) if palette[k] not in fixed or palette[k] == p),
                    key=lambda k: sum((palette[k][c] - p[c]) ** 2 for c in range(3)),
                )
        out.append(cache[p])
    return out


# ---------------------------------------------------------------------------------------------------------------
# File formats.


def dib_rows(width, height, bpp, row_bytes_of):
    stride = (width * bpp + 31) // 32 * 4
    data = bytearray()
    for y in range(height - 1, -1, -1):  # bottom-up
        row = row_bytes_of(y)
        data += row + bytes(stride - len(row))
    return bytes(data)


def pack_4bpp(indices):
    out = bytearray()
    for k in range(0, len(indices), 2):
        hi = indices[k]
        lo = indices[k + 1] if k + 1 < len(indices) else 0
        out.append(hi << 4 | lo)
    return bytes(out)


def pack_1bpp(bits):
    out = bytearray()
    for k in range(0, len(bits), 8):
        v = 0
        for j, b in enumerate(bits[k : k + 8]):
            v |= (1 if b else 0) << (7 - j)
        out.append(v)
    return bytes(out)


def write_bmp8(path, width, height, palette, indices):
    pixels = dib_rows(width, height, 8, lambda y: bytes(indices[y * width : (y + 1) * width]))
    pal = b"".join(struct.pack("<BBBB", c[2], c[1], c[0], 0) for c in palette)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(pixels), 2835, 2835, len(palette), 0)
    offset = 14 + len(info) + len(pal)
    head = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    with open(path, "wb") as f:
        f.write(head + info + pal + pixels)


def write_bmp16(path, width, height, rgb):
    def row(y):
        out = bytearray()
        for r, g, b in rgb[y * width : (y + 1) * width]:
            out += struct.pack("<H", (r >> 3) << 10 | (g >> 3) << 5 | (b >> 3))
        return bytes(out)

    pixels = dib_rows(width, height, 16, row)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 16, 0, len(pixels), 2835, 2835, 0, 0)
    offset = 14 + len(info)
    head = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    with open(path, "wb") as f:
        f.write(head + info + pixels)


def write_ico(path, images):
    """images: list of (size, palette of 16, indices, transparent flags)."""
    blobs = []
    for size, palette, indices, clear in images:
        xor = dib_rows(size, size, 4, lambda y: pack_4bpp([0 if clear[y * size + x] else indices[y * size + x]
                                                           for x in range(size)]))
        mask = dib_rows(size, size, 1, lambda y: pack_1bpp(clear[y * size : (y + 1) * size]))
        info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
        pal = b"".join(struct.pack("<BBBB", c[2], c[1], c[0], 0) for c in palette)
        blobs.append((size, info + pal + xor + mask))
    head = struct.pack("<HHH", 0, 1, len(blobs))
    offset = len(head) + 16 * len(blobs)
    entries = b""
    for size, blob in blobs:
        entries += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(blob), offset)
        offset += len(blob)
    with open(path, "wb") as f:
        f.write(head + entries + b"".join(b for _, b in blobs))


# ---------------------------------------------------------------------------------------------------------------
# The icon: green tiles with yellow lines, a blue arrow pointing up.

VGA = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255),
    (255, 255, 255),
]


def draw_icon(size):
    cv = Canvas(size, size, 1, (0, 0, 0))  # one sample per pixel: 16 colours leave no room for blends
    # The tiled floor in a dark outline: yellow grout lines on whole pixels between tiles of 8 or 9 (6 or 7) pixels.
    cv.fill(rect(0, 0, size, size), (0, 0, 0))
    if size >= 32:
        tiles = [(2, 11), (12, 20), (21, 30)]
    else:
        tiles = [(1, 7), (8, 15)]
    cv.fill(rect(1, 1, size - 1, size - 1), (255, 255, 0))
    for y0, y1 in tiles:
        for x0, x1 in tiles:
            cv.fill(rect(x0, y0, x1, y1), (0, 128, 0))
            if size >= 32:
                cv.fill(rect(x0 + 1, y0 + 1, x0 + 3, y0 + 3), (0, 255, 0))
    # The arrow, navy outline around blue, rising from the lower right.
    if size >= 32:
        cx, half_shaft, half_head, tip, neck, foot, grow = 22.5, 3.0, 7.5, 4.0, 13.0, 31.0, 1.3
    else:
        cx, half_shaft, half_head, tip, neck, foot, grow = 11.0, 1.5, 4.0, 2.5, 7.0, 16.0, 1.0

    def arrow(g):
        return poly([
            (cx - half_shaft - g, foot + g), (cx - half_shaft - g, neck), (cx - half_head - 1.5 * g, neck + g * 0.5),
            (cx, tip - 1.5 * g), (cx + half_head + 1.5 * g, neck + g * 0.5), (cx + half_shaft + g, neck),
            (cx + half_shaft + g, foot + g),
        ])

    cv.fill(arrow(grow), (0, 0, 128))
    cv.fill(arrow(0.0), (0, 0, 255))
    if size >= 32:
        cv.fill(rect(cx - 1.5, neck - 1, cx - 0.5, foot - 2), (0, 255, 255))
    # Pixels outside every shape are transparent; the key is a colour that no shape uses.
    key = (1, 2, 3)
    pixels = cv.pixels(key=key)
    clear = [p == key for p in pixels]
    indices = [0 if c else i for c, i in zip(clear, map_to([p if p != key else (0, 0, 0) for p in pixels], VGA))]
    return VGA, indices, clear


# ---------------------------------------------------------------------------------------------------------------
# The logo: a mark of four mosaic stones and the name, on a key colour that the window shows through.

GLYPHS = {
    "T": ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."],
    "e": [".##.", "#..#", "####", "#...", "#..#", ".##."],
    "s": [".###", "#...", ".##.", "...#", "...#", "###."],
    "a": [".##.", "...#", ".###", "#..#", "#..#", ".###"],
    "r": ["#.##", "##..", "#...", "#...", "#...", "#..."],
    "o": [".##.", "#..#", "#..#", "#..#", "#..#", ".##."],
    "n": ["###.", "#..#", "#..#", "#..#", "#..#", "#..#"],
}


def draw_logo():
    w, h = 65, 22
    cv = Canvas(w, h, 1, LOGO_KEY)  # one sample per pixel: crisp edges at this size
    # Four stones set as a diamond, each a square turned by 45 degrees.
    cx, cy, d = 9.5, 11.0, 4.6
    stones = [((0, -1), (0, 0, 128)), ((-1, 0), (0, 128, 128)), ((1, 0), (30, 100, 210)), ((0, 1), (0, 150, 70))]
    for (dx, dy), col in stones:
        x, y = cx + dx * d, cy + dy * d
        r = d - 0.55
        cv.fill(poly([(x, y - r), (x + r, y), (x, y + r), (x - r, y)]), mix(col, (255, 255, 255), 0.4))
        r -= 1.0
        cv.fill(poly([(x, y - r), (x + r, y), (x, y + r), (x - r, y)]), col)
    # The name in a pixel font, navy, baseline at row 14.
    x = 20
    base = 14
    for ch in "Tessaron":
        g = GLYPHS[ch]
        top = base - len(g) + 1
        for gy, line in enumerate(g):
            for gx, bit in enumerate(line):
                if bit == "#":
                    cv.fill(rect(x + gx, top + gy, x + gx + 1, top + gy + 1), (0, 0, 128))
        x += len(g[0]) + 1
    # An underline that fades from teal to green.
    cv.fill(rect(20, 17, x - 1, 19), hgradient((0, 128, 128), (0, 170, 60), 20, x - 1))
    pixels = cv.pixels(key=LOGO_KEY)
    palette, indices = quantize(pixels, 32, fixed=(LOGO_KEY,))
    assert pixels[(h - 1) * w] == LOGO_KEY
    return w, h, palette, indices


# ---------------------------------------------------------------------------------------------------------------
# The illustration: a globe, a desktop computer and two compact discs on teal.

LAND = [
    [(-165, 65), (-140, 70), (-95, 72), (-80, 65), (-60, 55), (-65, 45), (-80, 30), (-82, 25), (-97, 18),
     (-90, 15), (-80, 8), (-105, 20), (-118, 33), (-125, 45), (-135, 58), (-160, 58)],
    [(-80, 8), (-60, 10), (-50, 0), (-35, -7), (-40, -22), (-55, -35), (-68, -55), (-75, -45), (-72, -20),
     (-81, -5)],
    [(-17, 15), (-10, 30), (10, 37), (32, 31), (43, 12), (51, 11), (40, -15), (33, -28), (20, -35), (12, -18),
     (9, 4), (-8, 5)],
    [(-10, 36), (-9, 43), (-2, 48), (5, 52), (10, 58), (20, 70), (60, 70), (100, 77), (140, 72), (180, 68),
     (160, 60), (140, 50), (130, 35), (120, 22), (105, 10), (100, 20), (90, 22), (78, 8), (72, 20), (57, 25),
     (50, 30), (35, 36), (28, 41), (20, 38), (12, 44), (3, 43)],
    [(114, -22), (130, -12), (142, -11), (153, -27), (147, -38), (135, -35), (115, -34)],
    [(-55, 60), (-20, 70), (-30, 82), (-60, 80)],
]


def globe_colour(cx, cy, r, lat0, lon0):
    light = (-0.55, -0.6, 0.58)
    ln = math.sqrt(sum(v * v for v in light))
    light = tuple(v / ln for v in light)
    p0 = math.radians(lat0)

    def colour(x, y):
        nx, ny = (x - cx) / r, (y - cy) / r
        rho2 = nx * nx + ny * ny
        if rho2 > 1.0:
            return None
        nz = math.sqrt(1.0 - rho2)
        lam = max(0.0, nx * light[0] + ny * light[1] + nz * light[2])
        shade = 0.3 + 0.75 * lam
        # Orthographic projection, inverted: which latitude and longitude is seen here.
        rho = math.sqrt(rho2)
        if rho < 1e-9:
            lat, lon = lat0, lon0
        else:
            c = math.asin(min(1.0, rho))
            up = -ny
            lat = math.degrees(math.asin(math.cos(c) * math.sin(p0) + up * math.sin(c) * math.cos(p0) / rho))
            lon = lon0 + math.degrees(math.atan2(nx * math.sin(c),
                                                 rho * math.cos(c) * math.cos(p0) - up * math.sin(c) * math.sin(p0)))
        lon = (lon + 180.0) % 360.0 - 180.0
        land = any(point_in_polygon(lon, lat, p) for p in LAND)
        base = (40, 165, 60) if land else (25, 95, 215)
        col = scale(base, shade)
        # Lines of latitude and longitude every 30 degrees.
        grid = min(abs((lat + 15) % 30 - 15), abs((lon + 15) % 30 - 15) * math.cos(math.radians(lat)))
        if grid < 1.6:
            col = mix(col, (235, 245, 255), 0.35 * (1 - grid / 1.6) + 0.1)
        spec = max(0.0, (nx - light[0] * 0.45) ** 2 + (ny - light[1] * 0.45) ** 2)
        col = mix(col, (255, 255, 255), max(0.0, 0.55 - spec * 4.0))
        rim = max(0.0, math.sqrt(rho2) - 0.88) / 0.12
        return mix(col, (10, 30, 90), rim * 0.6)

    return colour


def disc_colour(cx, cy, rx, ry, phase):
    def colour(x, y):
        dx, dy = (x - cx) / rx, (y - cy) / ry
        d = math.sqrt(dx * dx + dy * dy)
        if d > 1.0 or d < 0.14:
            return None
        if d < 0.36:  # the clear hub
            return (205, 215, 220) if d > 0.3 else (170, 185, 195)
        ang = math.atan2(dy, dx)
        sheen = hsv(ang / (2 * math.pi) * 2 + phase, 0.35, 1.0)
        silver = (200, 205, 215)
        glint = abs(math.sin(ang * 2 + phase * 6))
        col = mix(silver, sheen, 0.55 * glint)
        col = mix(col, (250, 250, 255), max(0.0, glint - 0.85) * 4)
        if d > 0.95:
            col = mix(col, (120, 125, 135), 0.7)
        return col

    return colour


def draw_illustration():
    w, h = 128, 280
    cv = Canvas(w, h, 4, TEAL)
    dark = (0, 96, 96)

    # Globe, behind the computer.
    gx, gy, gr = 78.0, 46.0, 36.0
    cv.fill(ellipse(gx + 4, gy + 5, gr, gr), dark, 0.6)
    cv.fill(circle(gx, gy, gr), globe_colour(gx, gy, gr, 22.0, -25.0))

    beige = (226, 220, 198)
    beige_dark = (176, 168, 142)
    beige_light = (246, 242, 228)

    # Shadow of the computer on the desk.
    cv.fill(ellipse(66, 186, 60, 9), dark, 0.7)

    # Desktop case: a lighter top face in perspective, the front below it.
    cv.fill(poly([(12, 148), (116, 148), (122, 142), (18, 142)]), beige_light)
    cv.fill(rect(12, 148, 116, 170), vgradient(beige, beige_dark, 148, 170))
    cv.fill(poly([(116, 148), (122, 142), (122, 164), (116, 170)]), mix(beige_dark, (0, 0, 0), 0.15))
    cv.fill(rect(12, 169, 116, 170), (120, 112, 92))
    # Drive bays and the power light.
    cv.fill(rect(66, 152, 110, 158), (200, 194, 172))
    cv.fill(rect(67, 154, 109, 156), (60, 60, 60))
    cv.fill(rect(66, 160, 92, 165), (200, 194, 172))
    cv.fill(rect(70, 162, 88, 163), (70, 70, 70))
    cv.fill(circle(103, 163, 1.6), (40, 220, 60))
    cv.fill(rect(18, 152, 44, 154), beige_dark)
    cv.fill(rect(18, 157, 44, 159), beige_dark)

    # Monitor: neck, body with a bezel, the screen with a little wizard on it.
    cv.fill(poly([(52, 134), (76, 134), (80, 143), (48, 143)]), vgradient(beige, beige_dark, 134, 143))
    cv.fill(rrect(14, 76, 114, 138, 5), vgradient(beige_light, beige_dark, 76, 138))
    cv.fill(rrect(16, 78, 112, 134, 4), vgradient(beige, mix(beige, beige_dark, 0.6), 78, 134))
    cv.fill(rrect(21, 83, 107, 128, 3), (90, 90, 84))
    cv.fill(rect(23, 85, 105, 126), vgradient((10, 40, 140), (0, 10, 70), 85, 126))
    cv.fill(poly([(23, 85), (60, 85), (23, 112)]), (255, 255, 255), 0.08)
    cv.fill(rect(35, 92, 95, 120), (192, 192, 192))
    cv.fill(rect(35, 92, 95, 97), hgradient((0, 0, 128), (16, 132, 208), 35, 95))
    cv.fill(rect(90, 93, 94, 96), (192, 192, 192))
    cv.fill(rect(40, 101, 58, 102), (64, 64, 64))
    cv.fill(rect(40, 104, 70, 105), (64, 64, 64))
    cv.fill(rect(40, 109, 90, 114), (255, 255, 255))
    cv.fill(rect(40, 109, 90, 110), (128, 128, 128))
    for k in range(6):
        cv.fill(rect(42 + k * 5, 111, 46 + k * 5, 113), (0, 0, 160))
    cv.fill(rect(81, 115, 93, 119), (212, 208, 200))
    cv.fill(circle(104, 132, 1.3), (60, 220, 80))

    # Keyboard in front of the case.
    cv.fill(poly([(20, 176), (108, 176), (116, 192), (12, 192)]), vgradient(beige_light, beige, 176, 192))
    cv.fill(poly([(12, 192), (116, 192), (116, 195), (12, 195)]), beige_dark)
    for row in range(4):
        y0 = 178 + row * 3.5
        t0 = (y0 - 176) / 16.0
        left, right = 20 - 8 * t0 + 3, 108 + 8 * t0 - 3
        n = 16
        kw = (right - left) / n
        for k in range(n):
            cv.fill(rect(left + k * kw + 0.4, y0, left + (k + 1) * kw - 0.4, y0 + 2.4), (150, 144, 124))

    # Two compact discs at the front.
    cv.fill(ellipse(46, 226, 28, 7), dark, 0.7)
    d1 = (40.0, 208.0, 24.0, 17.0)
    cv.fill(ellipse(*d1), disc_colour(*d1, 0.1))
    d2 = (84.0, 214.0, 26.0, 12.0)
    cv.fill(ellipse(d2[0] + 2, d2[1] + 5, d2[2], d2[3]), dark, 0.7)
    cv.fill(ellipse(*d2), disc_colour(*d2, 0.55))

    pixels = cv.pixels()
    palette, indices = quantize(pixels, 256, fixed=(TEAL,))
    assert pixels[0] == TEAL and pixels[-1] == TEAL
    return w, h, palette, indices


# ---------------------------------------------------------------------------------------------------------------
# The picture of the large welcome button: a computer beside an open software box, on magenta.


def draw_button_picture():
    size = 32
    cv = Canvas(size, size, 4, MAGENTA)
    beige = (226, 220, 198)
    beige_dark = (160, 152, 126)
    # Monitor on a small foot.
    cv.fill(rect(5, 21, 13, 24), vgradient(beige, beige_dark, 21, 24))
    cv.fill(rect(2, 24, 16, 27), vgradient(beige, beige_dark, 24, 27))
    cv.fill(rect(0, 6, 18, 22), vgradient((246, 242, 228), beige_dark, 6, 22))
    cv.fill(rect(0, 6, 18, 7), (250, 248, 238))
    cv.fill(rect(2, 8, 16, 19), (64, 64, 64))
    cv.fill(rect(3, 9, 15, 18), vgradient((30, 80, 200), (0, 20, 110), 9, 18))
    cv.fill(rect(4, 10, 10, 12), (255, 255, 255), 0.35)
    cv.fill(rect(15, 20, 16.5, 21), (40, 220, 60))
    # The box: a disc rising from it between the open flaps, then the front and the side.
    cv.fill(circle(22.5, 11.5, 5.5), disc_colour(22.5, 11.5, 5.5, 5.5, 0.3))
    cv.fill(poly([(16, 16), (20, 16), (17, 10), (13, 11)]), (235, 150, 130))
    cv.fill(poly([(25, 16), (31.5, 13), (31.5, 8), (27, 10)]), (235, 150, 130))
    cv.fill(rect(16, 16, 28, 31), vgradient((220, 40, 40), (150, 20, 20), 16, 31))
    cv.fill(poly([(28, 16), (31.5, 13), (31.5, 28), (28, 31)]), (110, 16, 16))
    cv.fill(rect(16, 21, 28, 25), (255, 220, 0))
    cv.fill(rect(18, 22, 21, 24), (0, 0, 160))
    cv.fill(rect(16, 16, 28, 17), (255, 120, 110))
    pixels = cv.pixels(key=MAGENTA)
    # 16 bits per pixel keep 5 bits per channel; magenta survives exactly as 31/0/31.
    return size, size, pixels


# ---------------------------------------------------------------------------------------------------------------


def main():
    icons = []
    for size in (32, 16):
        palette, indices, clear = draw_icon(size)
        icons.append((size, palette, indices, clear))
    write_ico(os.path.join(HERE, "Launcher.ico"), icons)

    w, h, palette, indices = draw_logo()
    write_bmp8(os.path.join(HERE, "Logo.bmp"), w, h, palette, indices)

    w, h, palette, indices = draw_illustration()
    write_bmp8(os.path.join(HERE, "Illustration.bmp"), w, h, palette, indices)

    w, h, rgb = draw_button_picture()
    write_bmp16(os.path.join(HERE, "ButtonPicture.bmp"), w, h, rgb)


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Draws the Quellix application icon and writes it as a Windows .ico file.

The picture is an opened brown shell seen from the side: a lid tilted up on
a hinge at the back, a bowl below, a magenta inside and a white pearl resting
in it.  It is drawn procedurally with supersampled anti-aliasing, then
stored as six classic BMP-style icon images: 16/32/48 px at 4 bpp (VGA
palette, pattern dithered) and 16/32/48 px at 8 bpp (median-cut palette).
--preview writes each image scaled up 8x as PNG, plus a contact sheet.

Only the Python standard library is used.

    python3 tools/make_icon.py src/app/quellix.ico [--preview DIR]
"""

import argparse
import math
import os
import struct
import sys
import zlib

SIZES = (16, 32, 48)
# (size, bits per pixel) in the order the images appear in the file.
LAYOUT = [(s, 4) for s in SIZES] + [(s, 8) for s in SIZES]

# ---------------------------------------------------------------------------
# Drawing
# ---------------------------------------------------------------------------

class Inks:
    """Colours used by the drawing."""

    def __init__(self, **kw):
        self.__dict__.update(kw)


# Colours for the 256-colour images.
FULL_INKS = Inks(
    shaded=True, BROWN_LIGHT=(184, 122, 62), BROWN=(146, 88, 40), BROWN_DARK=(100, 56, 22),
    OUTLINE=(58, 30, 10), MAGENTA=(240, 52, 196), MAGENTA_DEEP=(150, 16, 118),
    PEARL_SHADE=(170, 166, 190), WHITE=(255, 255, 255))

# Colours for the 16-colour images, picked to land on the VGA colours or on
# even weaves of two of them (maroon + olive makes the brown).
VGA_INKS = Inks(
    shaded=False, BROWN=(128, 64, 0), BROWN_DARK=(128, 0, 0),
    OUTLINE=(0, 0, 0), MAGENTA=(255, 0, 255), MAGENTA_DEEP=(128, 0, 128),
    PEARL_SHADE=(176, 176, 176), WHITE=(255, 255, 255))


def _mix(a, b, t):
    t = 0.0 if t < 0.0 else 1.0 if t > 1.0 else t
    return (a[0] + (b[0] - a[0]) * t,
            a[1] + (b[1] - a[1]) * t,
            a[2] + (b[2] - a[2]) * t)


class Valve:
    """One half of the shell, in a frame whose u axis runs along the lip
    from the hinge and whose v axis points out of the shell.  The outside
    (v > 0) is a brown dome; the inside shows as a thinner magenta band
    below the lip (v < 0), because the shell is seen a little from the side
    it opens to."""

    def __init__(self, ink, hinge, angle, length, depth, lining, line, rings, flip):
        self.ink = ink
        self.shaded = rings > 0 and ink.shaded
        self.hx, self.hy = hinge
        self.cos = math.cos(angle)
        self.sin = math.sin(angle)
        self.a = length / 2.0
        self.b = depth
        self.c = lining
        self.line = line
        self.rings = rings
        self.flip = flip            # lower valve: v grows downwards

    def local(self, x, y):
        dx, dy = x - self.hx, y - self.hy
        u = dx * self.cos + dy * self.sin
        v = -dx * self.sin + dy * self.cos
        return u, (v if self.flip else -v)

    def outside(self, x, y, light):
        """Brown dome colour, or None."""
        u, v = self.local(x, y)
        if v < 0.0:
            return None
        du = (u - self.a) / self.a
        dv = v / self.b
        r = math.sqrt(du * du + dv * dv)
        if r > 1.0:
            return None
        if (1.0 - r) * self.b < self.line or v < self.line * 0.9:
            return self.ink.OUTLINE
        if self.shaded:
            col = _mix(self.ink.BROWN_LIGHT, self.ink.BROWN_DARK, light + r * 0.55)
        else:
            # Too few pixels or colours for a gradient to do anything but
            # add noise.
            col = self.ink.BROWN
        if self.rings:
            # Growth rings running parallel to the rim.
            ring = r * self.rings
            near = abs(ring - round(ring)) * self.b / self.rings
            if 0.6 < ring < self.rings - 0.4 and near < self.line * 0.5:
                col = _mix(col, self.ink.OUTLINE, 0.7)
        return col

    def inside(self, x, y):
        """Magenta lining colour, or None."""
        u, v = self.local(x, y)
        if v > 0.0:
            return None
        du = (u - self.a) / self.a
        dv = v / self.c
        r = math.sqrt(du * du + dv * dv)
        if r > 1.0:
            return None
        if (1.0 - r) * self.c < self.line * 0.8:
            return self.ink.BROWN_DARK
        # Deeper colour towards the edge of the lining and the hinge.
        return _mix(self.ink.MAGENTA, self.ink.MAGENTA_DEEP,
                    0.15 - 0.1 * u / self.a + 0.5 * r * r)


class Scene:
    """Colour of the picture at a point of the unit square (y grows down):
    a shell lying open with its hinge on the left, the lid tilted up, a
    magenta inside and a pearl resting on the lower half."""

    def __init__(self, size, ink):
        self.ink = ink
        px = 1.0 / size
        small = size <= 16
        # Outlines stay about one device pixel wide at every size.
        line = px * (1.0 if small else 1.25 if size <= 32 else 1.5)
        self.line = line
        rings = 0 if small else (3 if size <= 32 else 4)
        hinge = (0.04, 0.60 if small else 0.62)
        length = 0.92
        tilt = math.radians(42 if small else 36)
        self.sag = 0.10
        # Small sizes get deeper valves and a wider opening so that brown,
        # magenta and pearl each keep a few pixels.
        self.lower = Valve(ink, hinge, 0.0, length,
                           depth=0.33 if small else 0.30,
                           lining=0.13 if small else 0.10,
                           line=line, rings=rings, flip=True)
        self.upper = Valve(ink, hinge, -tilt, length,
                           depth=0.30 if small else 0.25,
                           lining=0.12 if small else 0.09,
                           line=line, rings=rings, flip=False)
        self.hinge = hinge
        self.tip_low = (hinge[0] + length, hinge[1])
        self.tip_up = (hinge[0] + length * math.cos(tilt),
                       hinge[1] - length * math.sin(tilt))
        self.pr = 0.20 if small else 0.19
        self.pcx = 0.52 if small else 0.55
        self.pcy = hinge[1] - self.pr * 0.7

    def gap(self, x, y):
        """The soft magenta body filling the mouth between the valves; its
        free edge sags in towards the hinge."""
        (ax, ay), (bx, by), (cx, cy) = self.hinge, self.tip_low, self.tip_up
        def side(px, py, qx, qy):
            return (qx - px) * (y - py) - (qy - py) * (x - px)
        if side(ax, ay, bx, by) > 0 or side(cx, cy, ax, ay) > 0:
            return None
        ex, ey = cx - bx, cy - by
        elen = math.hypot(ex, ey)
        t = ((x - bx) * ex + (y - by) * ey) / (elen * elen)
        out = side(bx, by, cx, cy) / elen
        if out > -self.sag * 4.0 * t * (1.0 - t):
            return None
        # Darker deep in the shell, near the hinge.
        depth = math.hypot(x - ax, y - ay) / math.hypot(bx - ax, by - ay)
        return _mix(self.ink.MAGENTA_DEEP, self.ink.MAGENTA, depth * 1.3 - 0.2)

    def pearl(self, x, y):
        dx = (x - self.pcx) / self.pr
        dy = (y - self.pcy) / self.pr
        d2 = dx * dx + dy * dy
        if d2 > 1.0:
            return None
        nz = math.sqrt(1.0 - d2)
        # Light from the upper left, towards the viewer.
        lx, ly, lz = -0.5, -0.6, 0.62
        diffuse = max(0.0, dx * lx + dy * ly + nz * lz)
        col = _mix(self.ink.PEARL_SHADE, self.ink.WHITE, diffuse * 0.8)
        hx, hy = dx + 0.38, dy + 0.38
        if hx * hx + hy * hy < 0.07:
            col = self.ink.WHITE
        if math.sqrt(d2) > 1.0 - self.line / self.pr and dy > -0.3:
            col = _mix(col, self.ink.MAGENTA_DEEP, 0.5)
        return col

    def at(self, x, y):
        # Front to back: the lower valve's outside hides the bottom of the
        # pearl, which sits on the lower lining in front of the lid.
        c = self.lower.outside(x, y, 0.15)
        if c is not None:
            return c
        c = self.pearl(x, y)
        if c is not None:
            return c
        c = self.lower.inside(x, y)
        if c is not None:
            return c
        c = self.upper.inside(x, y)
        if c is not None:
            return c
        c = self.upper.outside(x, y, -0.1)
        if c is not None:
            return c
        return self.gap(x, y)


def render(size, ink, crisp=False, ss=8):
    """Returns rows of (r, g, b, alpha) floats for a size x size image.

    Coverage always comes from ss x ss samples.  The colour is their average,
    or with `crisp` the colour under the pixel centre (or the nearest covered
    sample): 16-colour images have no in-between shades to spend on smooth
    edges, and blended edge colours only turn into stray dots there."""
    scene = Scene(size, ink)
    img = []
    inv = 1.0 / (size * ss)
    n = ss * ss
    mid = (ss - 1) / 2.0
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = 0.0
            hits = 0
            nearest = None
            for sy in range(ss):
                y = (py * ss + sy + 0.5) * inv
                for sx in range(ss):
                    c = scene.at((px * ss + sx + 0.5) * inv, y)
                    if c is not None:
                        r += c[0]
                        g += c[1]
                        b += c[2]
                        hits += 1
                        d = (sx - mid) ** 2 + (sy - mid) ** 2
                        if nearest is None or d < nearest[0]:
                            nearest = (d, c)
            if not hits:
                row.append((0.0, 0.0, 0.0, 0.0))
            elif crisp:
                row.append(tuple(nearest[1]) + (hits / n,))
            else:
                row.append((r / hits, g / hits, b / hits, hits / n))
        img.append(row)
    return img


# ---------------------------------------------------------------------------
# Colour reduction
# ---------------------------------------------------------------------------

VGA16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]

BAYER4 = [
    [0, 8, 2, 10],
    [12, 4, 14, 6],
    [3, 11, 1, 9],
    [15, 7, 13, 5],
]


# Colours that may be woven together.  Mixing across these groups (say
# purple into brown, or green into anything) gives stray dots that no longer
# read as the intended colour.
WEAVE_FAMILIES = [
    (0, 1, 3, 9, 11),        # black, maroon, olive, red, yellow: browns
    (0, 1, 5, 13),           # into the magentas
    (0, 8, 7, 15),           # greys for the pearl
    (5, 8), (13, 7), (13, 15),
]


def _dist(a, b):
    dr = a[0] - b[0]
    dg = a[1] - b[1]
    db = a[2] - b[2]
    return 3 * dr * dr + 4 * dg * dg + 2 * db * db


def _opaque(px):
    return px[3] >= 0.5


def quantize_vga(img):
    """Maps each pixel to the VGA palette by mixing the best pair of palette
    colours through a 4x4 ordered pattern, so browns come out as a fine
    maroon/olive weave rather than flat olive."""
    pal = VGA16
    pairs = [(i, i) for i in range(16)]
    for family in WEAVE_FAMILIES:
        pairs += [(i, j) for i in family for j in family if i < j]
    cache = {}

    def plan(c):
        key = (int(c[0]) >> 2, int(c[1]) >> 2, int(c[2]) >> 2)
        hit = cache.get(key)
        if hit is not None:
            return hit
        best = None
        for i, j in pairs:
            a, b = pal[i], pal[j]
            ab = (b[0] - a[0], b[1] - a[1], b[2] - a[2])
            den = 3 * ab[0] ** 2 + 4 * ab[1] ** 2 + 2 * ab[2] ** 2
            if den == 0:
                t = 0.0
            else:
                t = (3 * (c[0] - a[0]) * ab[0] + 4 * (c[1] - a[1]) * ab[1]
                     + 2 * (c[2] - a[2]) * ab[2]) / den
                t = min(1.0, max(0.0, t))
            # Quarter steps only: 25/50/75 % weaves stay regular and calm.
            level = int(round(t * 4)) * 4
            t = level / 16.0
            m = (a[0] + ab[0] * t, a[1] + ab[1] * t, a[2] + ab[2] * t)
            # Penalise weaving far-apart colours; it reads as noise.
            err = _dist(c, m) + 0.12 * den * t * (1.0 - t)
            if best is None or err < best[0]:
                best = (err, i, j, level)
        cache[key] = best[1:]
        return best[1:]

    out = []
    for y, row in enumerate(img):
        orow = []
        for x, px in enumerate(row):
            if not _opaque(px):
                orow.append(None)
                continue
            i, j, level = plan(px)
            orow.append(j if BAYER4[y & 3][x & 3] < level else i)
        out.append(orow)
    return pal, out


def _median_cut(colors, count):
    """colors: list of ((r, g, b), weight).  Returns up to `count` colours."""
    boxes = [colors]
    while len(boxes) < count:
        # Split the box with the widest channel range (weighted by population).
        best = None
        for bi, box in enumerate(boxes):
            if len(box) < 2:
                continue
            for ch in range(3):
                vals = [c[0][ch] for c in box]
                spread = (max(vals) - min(vals)) * math.sqrt(sum(w for _, w in box))
                if spread > 0 and (best is None or spread > best[0]):
                    best = (spread, bi, ch)
        if best is None:
            break
        _, bi, ch = best
        box = sorted(boxes.pop(bi), key=lambda c: c[0][ch])
        total = sum(w for _, w in box)
        acc = 0
        cut = 1
        for k, (_, w) in enumerate(box):
            acc += w
            if acc * 2 >= total:
                cut = min(max(k + 1, 1), len(box) - 1)
                break
        boxes.append(box[:cut])
        boxes.append(box[cut:])
    pal = []
    for box in boxes:
        tw = sum(w for _, w in box)
        pal.append(tuple(int(round(sum(c[ch] * w for c, w in box) / tw))
                         for ch in range(3)))
    return pal


def quantize_256(img):
    counts = {}
    for row in img:
        for px in row:
            if _opaque(px):
                c = (int(round(px[0])), int(round(px[1])), int(round(px[2])))
                counts[c] = counts.get(c, 0) + 1
    # Index 0 stays black; it is what transparent pixels carry.
    if len(counts) <= 255:
        used = sorted(counts)
    else:
        used = _median_cut(list(counts.items()), 255)
    pal = [(0, 0, 0)] + used
    pal += [(0, 0, 0)] * (256 - len(pal))
    lookup = {}
    out = []
    for row in img:
        orow = []
        for px in row:
            if not _opaque(px):
                orow.append(None)
                continue
            c = (int(round(px[0])), int(round(px[1])), int(round(px[2])))
            idx = lookup.get(c)
            if idx is None:
                idx = min(range(1, len(used) + 1), key=lambda k: _dist(c, pal[k]))
                lookup[c] = idx
            orow.append(idx)
        out.append(orow)
    return pal, out


# ---------------------------------------------------------------------------
# File writers
# ---------------------------------------------------------------------------

def _row_bytes(bits):
    return ((bits + 31) // 32) * 4


def encode_image(size, bpp, pal, pix):
    """One icon image: BITMAPINFOHEADER, palette, XOR bitmap, AND mask."""
    xor_stride = _row_bytes(size * bpp)
    and_stride = _row_bytes(size)
    xor = bytearray()
    mask = bytearray()
    for y in range(size - 1, -1, -1):          # bottom-up
        row = pix[y]
        line = bytearray(xor_stride)
        mline = bytearray(and_stride)
        for x, idx in enumerate(row):
            if idx is None:
                idx = 0
                mline[x >> 3] |= 0x80 >> (x & 7)
            if bpp == 8:
                line[x] = idx
            else:
                line[x >> 1] |= idx << 4 if x % 2 == 0 else idx
        xor += line
        mask += mline
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, bpp, 0,
                         len(xor) + len(mask), 0, 0, 0, 0)
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in pal)
    assert len(pal) == 1 << bpp
    return header + palette + bytes(xor) + bytes(mask)


def build_ico(images):
    """images: list of (size, bpp, encoded bytes) in file order."""
    head = struct.pack('<HHH', 0, 1, len(images))
    offset = len(head) + 16 * len(images)
    entries = b''
    for size, bpp, data in images:
        colors = 16 if bpp == 4 else 0
        entries += struct.pack('<BBBBHHII', size % 256, size % 256, colors, 0,
                               1, bpp, len(data), offset)
        offset += len(data)
    return head + entries + b''.join(d for _, _, d in images)


def write_png(path, rows):
    """rows: list of lists of (r, g, b, a) byte tuples."""
    h = len(rows)
    w = len(rows[0])
    raw = bytearray()
    for row in rows:
        raw.append(0)
        for p in row:
            raw += bytes(p)

    def chunk(kind, data):
        body = kind + data
        crc = zlib.crc32(body) & 0xffffffff
        return struct.pack('>I', len(data)) + body + struct.pack('>I', crc)

    png = b'\x89PNG\r\n\x1a\n'
    png += chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, 6, 0, 0, 0))
    png += chunk(b'IDAT', zlib.compress(bytes(raw), 9))
    png += chunk(b'IEND', b'')
    with open(path, 'wb') as f:
        f.write(png)


def preview_rows(pal, pix, scale, checker=True):
    """Scaled-up picture of an indexed image; transparent pixels become a
    grey checkerboard so the mask is visible too."""
    out = []
    for y, row in enumerate(pix):
        line = []
        for x, idx in enumerate(row):
            if idx is None:
                if checker:
                    g = 200 if (x + y) % 2 else 230
                    c = (g, g, g, 255)
                else:
                    c = (0, 0, 0, 0)
            else:
                c = pal[idx] + (255,)
            line.extend([c] * scale)
        for _ in range(scale):
            out.append(list(line))
    return out


def decode_ico(data):
    """Reads the images back out of an .ico as (size, bpp, palette, pixels),
    pixels being palette indices with None where the mask is set.  The
    previews go through this so that they show what the file really holds."""
    _, _, count = struct.unpack_from('<HHH', data, 0)
    out = []
    for n in range(count):
        _, _, _, _, _, _, _, offset = struct.unpack_from('<BBBBHHII', data, 6 + 16 * n)
        _, w, h2, _, bpp, _, _, _, _, used, _ = struct.unpack_from('<IiiHHIIiiII', data, offset)
        h = h2 // 2
        ncol = used or (1 << bpp)
        pos = offset + 40
        pal = []
        for k in range(ncol):
            b, g, r, _ = struct.unpack_from('<BBBB', data, pos + 4 * k)
            pal.append((r, g, b))
        pos += 4 * ncol
        xs, ms = _row_bytes(w * bpp), _row_bytes(w)
        mask_at = pos + xs * h
        pix = []
        for y in range(h):
            src = h - 1 - y
            row = []
            for x in range(w):
                if data[mask_at + ms * src + (x >> 3)] & (0x80 >> (x & 7)):
                    row.append(None)
                elif bpp == 8:
                    row.append(data[pos + xs * src + x])
                else:
                    v = data[pos + xs * src + (x >> 1)]
                    row.append(v >> 4 if x % 2 == 0 else v & 15)
            pix.append(row)
        out.append((w, bpp, pal, pix))
    return out


def write_previews(data, folder):
    os.makedirs(folder, exist_ok=True)
    decoded = decode_ico(data)
    for size, bpp, pal, pix in decoded:
        write_png(os.path.join(folder, 'icon_%dx%d_%dbpp.png' % (size, size, bpp)),
                  preview_rows(pal, pix, 8))
    # All images on one sheet, at 1x along the top and 4x below.
    cell = 48 * 4 + 8
    top = 48 + 8
    sheet = [[(255, 255, 255, 255)] * (cell * len(decoded)) for _ in range(top + cell)]
    for n, (size, bpp, pal, pix) in enumerate(decoded):
        for y0, scale in ((4, 1), (top + 4, 4)):
            for y, row in enumerate(preview_rows(pal, pix, scale)):
                sheet[y0 + y][n * cell + 4:n * cell + 4 + len(row)] = row
    write_png(os.path.join(folder, 'sheet.png'), sheet)


def main(argv=None):
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument('output', help='path of the .ico file to write')
    ap.add_argument('--preview', metavar='DIR',
                    help='also write each image, scaled 8x, as PNG into DIR')
    args = ap.parse_args(argv)

    images = []
    for size, bpp in LAYOUT:
        if bpp == 4:
            pal, pix = quantize_vga(render(size, VGA_INKS, crisp=True))
        else:
            pal, pix = quantize_256(render(size, FULL_INKS))
        images.append((size, bpp, encode_image(size, bpp, pal, pix)))

    data = build_ico(images)
    out_dir = os.path.dirname(args.output)
    if out_dir:
        os.makedirs(out_dir, exist_ok=True)
    with open(args.output, 'wb') as f:
        f.write(data)

    if args.preview:
        write_previews(data, args.preview)
    return 0


if __name__ == '__main__':
    sys.exit(main())

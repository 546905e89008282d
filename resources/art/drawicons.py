#!/usr/bin/env python3
# Draws the desktop icons from the program's own icon (icon128.xpm): PNGs of
# the hicolor sizes, each pixel of the 32 x 32 art scaled up or averaged down,
# and an SVG with one square per pixel, so every size keeps the same crisp art.
# Run it after changing icon128.xpm; its outputs are kept beside it.
import os
import re
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, '..', 'desktop', 'icons')
SIZES = (16, 24, 32, 48, 64, 128, 256)


def read_xpm(path):
    rows = re.findall(r'"([^"]*)"', open(path).read())
    width, height, ncolors, _ = map(int, rows[0].split())
    colors = {}
    for row in rows[1:1 + ncolors]:
        key, value = row[0], row.split()[-1]
        colors[key] = None if value == 'None' else tuple(int(value[i:i + 2], 16) for i in (1, 3, 5))
    return [[colors[ch] for ch in row] for row in rows[1 + ncolors:1 + ncolors + height]], width, height


def scaled(pixels, width, height, size):
    # Box filter: each target pixel averages the source area it covers, with
    # colour weighted by coverage so transparent edges do not darken.
    out = []
    for ty in range(size):
        row = []
        y0, y1 = ty * height / size, (ty + 1) * height / size
        for tx in range(size):
            x0, x1 = tx * width / size, (tx + 1) * width / size
            r = g = b = a = area = 0.0
            for sy in range(int(y0), min(height, int(-(-y1 // 1)))):
                wy = min(y1, sy + 1) - max(y0, sy)
                for sx in range(int(x0), min(width, int(-(-x1 // 1)))):
                    w = wy * (min(x1, sx + 1) - max(x0, sx))
                    area += w
                    c = pixels[sy][sx]
                    if c is not None:
                        r, g, b, a = r + c[0] * w, g + c[1] * w, b + c[2] * w, a + w
            row.append((0, 0, 0, 0) if a == 0 else
                       (round(r / a), round(g / a), round(b / a), round(255 * a / area)))
        out.append(row)
    return out


def write_png(path, rgba):
    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))
    size = len(rgba)
    raw = b''.join(b'\0' + bytes(v for px in row for v in px) for row in rgba)
    with open(path, 'wb') as f:
        f.write(b'\x89PNG\r\n\x1a\n')
        f.write(chunk(b'IHDR', struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0)))
        f.write(chunk(b'IDAT', zlib.compress(raw, 9)))
        f.write(chunk(b'IEND', b''))


def write_svg(path, pixels, width, height):
    rects = []
    for y, row in enumerate(pixels):
        x = 0
        while x < width:
            c = row[x]
            run = 1
            while x + run < width and row[x + run] == c:
                run += 1
            if c is not None:
                rects.append(f'<rect x="{x}" y="{y}" width="{run}" height="1" fill="#{c[0]:02x}{c[1]:02x}{c[2]:02x}"/>')
            x += run
    with open(path, 'w') as f:
        f.write(f'<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 {width} {height}" '
                'shape-rendering="crispEdges">\n')
        f.write('\n'.join(rects) + '\n</svg>\n')


pixels, width, height = read_xpm(os.path.join(HERE, 'icon128.xpm'))
os.makedirs(OUT, exist_ok=True)
for size in SIZES:
    write_png(os.path.join(OUT, f'{size}.png'), scaled(pixels, width, height, size))
write_svg(os.path.join(OUT, 'scalable.svg'), pixels, width, height)

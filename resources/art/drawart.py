# Draws the toolbar strip and the two icons as 16-colour XPM images, each also
# at twice the size (name@2x.xpm, which Qt picks on a screen of device pixel
# ratio 2): the same drawing on a finer grid, so lines step in half pixels
# instead of being blown up.
PAL = {'.': None, 'k': '#000000', 'r': '#800000', 'g': '#008000', 'o': '#808000', 'n': '#000080',
       'p': '#800080', 't': '#008080', 's': '#C0C0C0', 'd': '#808080', 'R': '#FF0000', 'G': '#00FF00',
       'y': '#FFFF00', 'b': '#0000FF', 'm': '#FF00FF', 'c': '#00FFFF', 'w': '#FFFFFF'}

SCALE = 1  # device pixels per image pixel of the image being drawn

class Img:
    # Coordinates are in image pixels; each covers SCALE x SCALE device pixels.
    def __init__(s, w, h): s.w, s.h = w * SCALE, h * SCALE; s.px = [['.'] * s.w for _ in range(s.h)]
    def dot(s, x, y, c):
        if 0 <= x < s.w and 0 <= y < s.h: s.px[y][x] = c
    def set(s, x, y, c):
        # x and y may fall between image pixels: lines are drawn on the device grid
        dx, dy = round(x * SCALE), round(y * SCALE)
        for v in range(SCALE):
            for u in range(SCALE): s.dot(dx + u, dy + v, c)
    def rect(s, x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1): s.set(x, y, c)
    def box(s, x0, y0, x1, y1, edge, fill=None):
        if fill: s.rect(x0, y0, x1, y1, fill)
        for x in range(x0, x1 + 1): s.set(x, y0, edge); s.set(x, y1, edge)
        for y in range(y0, y1 + 1): s.set(x0, y, edge); s.set(x1, y, edge)
    def line(s, x0, y0, x1, y1, c):
        n = (max(abs(x1 - x0), abs(y1 - y0)) or 1) * SCALE
        for i in range(n + 1):
            x, y = x0 + (x1 - x0) * i / n, y0 + (y1 - y0) * i / n
            s.set(round(x * SCALE) / SCALE, round(y * SCALE) / SCALE, c)
    def blit(s, o, ox):
        for y in range(o.h):
            for x in range(o.w):
                if o.px[y][x] != '.': s.dot(ox * SCALE + x, y, o.px[y][x])

def new():
    i = Img(18, 18); i.box(3, 1, 14, 16, 'k', 'w')
    for y in range(1, 5):
        for x in range(15 - (5 - y), 15): i.set(x, y, '.')
    i.line(10, 1, 14, 5, 'k'); i.line(10, 1, 10, 5, 'k'); i.line(10, 5, 14, 5, 'k')
    i.rect(11, 2, 11, 4, 's'); i.rect(12, 3, 12, 4, 's'); i.set(13, 4, 's')
    return i

def open_():
    i = Img(18, 18)
    i.box(1, 4, 13, 15, 'k', 'o'); i.rect(1, 3, 6, 3, 'k'); i.rect(2, 4, 5, 4, 'y')
    for k in range(6):  # the opening flap leaning forward
        i.line(3 + k, 8 + k // 2, 16 - k // 3, 8 + k // 2, 'y')
    i.line(3, 8, 17, 8, 'k'); i.line(17, 8, 13, 15, 'k'); i.line(3, 8, 1, 15, 'k'); i.line(1, 15, 13, 15, 'k')
    i.line(12, 1, 15, 1, 'k'); i.line(15, 1, 15, 4, 'k'); i.set(14, 2, 'k')  # arrow of opening
    return i

def save():
    i = Img(18, 18); i.box(1, 1, 16, 16, 'k', 'n')
    i.box(4, 2, 13, 8, 'k', 'w'); i.rect(5, 4, 12, 4, 's'); i.rect(5, 6, 12, 6, 's')
    i.box(5, 11, 12, 16, 'k', 's'); i.rect(9, 12, 10, 15, 'n'); i.set(1, 1, '.')
    return i

def monitor(i, x0):
    i.box(x0, 2, x0 + 9, 11, 'k', 's'); i.rect(x0 + 2, 4, x0 + 7, 9, 'n')
    i.rect(x0 + 3, 12, x0 + 6, 13, 'd'); i.box(x0 + 1, 14, x0 + 8, 16, 'k', 's')

def read():
    i = Img(18, 18); monitor(i, 8)
    for k in range(5): i.line(1 + k, 4 + k, 1 + k, 12 - k, 'g')   # pointing right, at the monitor
    i.line(1, 4, 5, 8, 'k'); i.line(1, 12, 5, 8, 'k'); i.line(1, 4, 1, 12, 'k')
    return i

def write():
    i = Img(18, 18); monitor(i, 8)
    for k in range(5): i.line(5 - k, 4 + k, 5 - k, 12 - k, 'R')   # pointing left, away from it
    i.line(5, 4, 1, 8, 'k'); i.line(5, 12, 1, 8, 'k'); i.line(5, 4, 5, 12, 'k')
    return i

def printer():
    i = Img(18, 18); i.box(4, 1, 13, 7, 'k', 'w'); i.rect(6, 3, 11, 3, 'd'); i.rect(6, 5, 11, 5, 'd')
    i.box(1, 7, 16, 13, 'k', 's'); i.rect(13, 9, 14, 9, 'G'); i.box(4, 12, 13, 16, 'k', 'w')
    i.rect(2, 13, 15, 13, 'd')
    return i

def question():
    i = Img(18, 18)
    pts = ["..kkkkkk..", ".kkkkkkkk.", "kkk....kkk", "kkk....kkk", ".......kkk", "......kkk.",
           ".....kkk..", "....kkk...", "....kkk...", "..........", "....kkk...", "....kkk..."]
    for y, row in enumerate(pts):
        for x, c in enumerate(row):
            if c == 'k': i.set(4 + x, 2 + y, 'n')
    return i

def undo():
    # a curved arrow turning back to the left
    i = Img(18, 18)
    for x0, y0, x1, y1 in [(6, 6, 12, 6), (12, 6, 14, 8), (14, 8, 14, 11), (14, 11, 12, 13), (12, 13, 8, 13)]:
        i.line(x0, y0, x1, y1, 'n'); i.line(x0, y0 + 1, x1, y1 + 1, 'n')
    for k in range(4): i.line(5 - k, 6 - k, 5 - k, 7 + k, 'n')
    return i

def redo():
    i = undo()
    i.px = [row[::-1] for row in i.px]
    return i

def icon(doc=False):
    i = Img(32, 32)
    # a handheld radio: antenna, body, display, keypad
    i.rect(9, 1, 10, 8, 'k'); i.box(6, 8, 24, 30, 'k', 'd'); i.box(8, 10, 22, 15, 'k', 'c')
    for ky in range(18, 29, 3):
        for kx in range(9, 22, 4): i.rect(kx, ky, kx + 2, ky + 1, 'w')
    i.rect(20, 4, 22, 7, 'k'); i.set(21, 3, 'R')
    if doc:
        i.box(18, 16, 30, 30, 'k', 'w'); i.rect(20, 19, 28, 19, 'n'); i.rect(20, 22, 28, 22, 'n'); i.rect(20, 25, 26, 25, 'n')
    return i

def xpm(img, name):
    used = sorted({c for row in img.px for c in row})
    out = ['/* XPM */', 'static const char *%s[] = {' % name, '"%d %d %d 1",' % (img.w, img.h, len(used))]
    for c in used:
        out.append('"%s c %s",' % (c, PAL[c] or 'None'))
    out += ['"%s",' % ''.join(r) for r in img.px]
    out[-1] = out[-1].rstrip(',')
    out.append('};')
    return '\n'.join(out) + '\n'

for SCALE, suffix in ((1, ''), (2, '@2x')):
    strip = Img(162, 18)
    for n, f in enumerate([new, open_, save, read, write, printer, question, undo, redo]):
        strip.blit(f(), n * 18)
    name = lambda base: base + suffix.replace('@', '_')
    open('toolbar128%s.xpm' % suffix, 'w').write(xpm(strip, name('toolbar128')))
    open('icon128%s.xpm' % suffix, 'w').write(xpm(icon(), name('icon128')))
    open('icon129%s.xpm' % suffix, 'w').write(xpm(icon(True), name('icon129')))

#!/usr/bin/env python3
"""Assembles the test metafiles from the published record layouts of WMF and EMF (no Debian tool
writes them). Each draws shapes at known places in known colours; the test checks those pixels.
Run by make-data.sh."""
import struct


def colorref(r, g, b):
    return r | g << 8 | b << 16


def dib(pixels, w, h):
    """A packed 24-bit bottom-up DIB; pixels[y][x] = (r, g, b), top row first."""
    rows = b''
    for y in range(h - 1, -1, -1):
        row = b''.join(bytes((b, g, r)) for (r, g, b) in pixels[y])
        rows += row + b'\0' * (-len(row) % 4)
    return struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(rows), 0, 0, 0, 0) + rows


QUAD = [[(255, 0, 0), (0, 255, 0)], [(0, 0, 255), (255, 255, 0)]]


# ---- WMF ----------------------------------------------------------------------------------------
def wrec(function, *words, data=b''):
    body = b''.join(struct.pack('<h' if w < 0 else '<H', w) for w in words) + data
    if len(body) % 2:
        body += b'\0'
    return struct.pack('<IH', 3 + len(body) // 2, function) + body


def wmf(records, objects, placeable=None):
    body = b''.join(records) + wrec(0x0000)
    size_words = (18 + len(body)) // 2
    largest = max(len(r) for r in records) // 2
    header = struct.pack('<HHHIHIH', 1, 9, 0x0300, size_words, objects, largest, 0)
    if placeable is None:
        return header + body
    l, t, r, b, inch = placeable
    p = struct.pack('<IHhhhhHI', 0x9AC6CDD7, 0, l, t, r, b, inch, 0)
    checksum = 0
    for i in range(0, 20, 2):
        checksum ^= struct.unpack('<H', p[i:i + 2])[0]
    return p + struct.pack('<H', checksum) + header + body


def brush(r, g, b, style=0, hatch=0):
    c = colorref(r, g, b)
    return wrec(0x02FC, style, c & 0xFFFF, c >> 16, hatch)


def pen(r, g, b, width=1, style=0):
    c = colorref(r, g, b)
    return wrec(0x02FA, style, width, 0, c & 0xFFFF, c >> 16)


def font(height, face=b'DejaVu Sans'):
    return wrec(0x02FB, -height, 0, 0, 0, 700, 0, 0, 0, data=face.ljust(32, b'\0'))


placeable = [
    wrec(0x020B, 0, 0), wrec(0x020C, 100, 200),  # window origin (y, x), extent (y, x)
    brush(255, 0, 0), wrec(0x012D, 0),  # slot 0 red brush
    pen(0, 0, 255), wrec(0x012D, 1),  # slot 1 blue pen
    wrec(0x041B, 40, 60, 10, 10),  # rectangle: bottom, right, top, left
    brush(0, 160, 0), wrec(0x012D, 2),  # slot 2 green
    wrec(0x0418, 70, 160, 10, 100),  # ellipse
    brush(255, 255, 0), wrec(0x012D, 3),  # slot 3 yellow
    wrec(0x0324, 3, 10, 60, 60, 60, 35, 95),  # polygon (x, y pairs)
    wrec(0x01F0, 2),  # delete green: the next object takes slot 2
    brush(0, 200, 200), wrec(0x012D, 2),  # cyan in slot 2
    wrec(0x001E),  # save, select yellow, restore: cyan again
    wrec(0x012D, 3), wrec(0x0127, 0xFFFF),
    wrec(0x041B, 95, 95, 75, 65),  # cyan rectangle
    wrec(0x0999, 1, 2, 3, 4),  # a record nobody knows: skipped
    wrec(0x0214, 10, 170), wrec(0x0213, 90, 170),  # move to (170, 10), line to (170, 90)
    wrec(0x0F43, 0x0020, 0x00CC, 0, 2, 2, 0, 0, 20, 20, 60, 176, data=dib(QUAD, 2, 2)),  # StretchDIB
    font(20), wrec(0x012D, 4), wrec(0x0209, 0, 0),  # font in slot 4, black text
    wrec(0x0102, 1), wrec(0x0521, 4, data=b'WWWW') + b'',  # transparent TextOut placeholder below
]
# TextOut: length, string (padded), y, x
placeable[-1] = wrec(0x0521, 4, *struct.unpack('<HH', b'WWWW'), 72, 100)
open('shapes.wmf', 'wb').write(wmf(placeable, 6, (0, 0, 200, 100, 96)))

plain = [
    wrec(0x0103, 8),  # MM_ANISOTROPIC
    wrec(0x020B, 0, 0), wrec(0x020C, 200, 400),
    brush(255, 0, 0), wrec(0x012D, 0), wrec(0x02FA, 5, 0, 0, 0, 0), wrec(0x012D, 1),  # null pen
    wrec(0x041B, 100, 200, 0, 0),
    # arc family: pie in the lower right quarter of a circle
    brush(0, 0, 255), wrec(0x012D, 2),
    wrec(0x081A, 200, 250, 150, 400, 200, 400, 100, 200),  # pie: end (250,200) start (400,150)
]
open('plain.wmf', 'wb').write(wmf(plain, 3))


# ---- EMF ----------------------------------------------------------------------------------------
def erec(kind, data):
    return struct.pack('<II', kind, 8 + len(data)) + data


def emf(records, handles, bounds):
    body = b''.join(records) + erec(14, struct.pack('<III', 0, 16, 20))
    l, t, r, b = bounds
    header_size = 108
    frame = (0, 0, (r + 1) * 2540 // 96, (b + 1) * 2540 // 96)
    header = struct.pack('<iiii', *bounds) + struct.pack('<iiii', *frame) + struct.pack(
        '<IIIIHHIIIiiii', 0x464D4520, 0x10000, header_size + len(body), len(records) + 2, handles, 0, 0, 0, 0,
        1920, 1080, 508, 286) + struct.pack('<III', 0, 0, 0)
    return erec(1, header) + body


def ebrush(ih, r, g, b, style=0):
    return erec(39, struct.pack('<IIII', ih, style, colorref(r, g, b), 0))


def epen(ih, r, g, b, width=1, style=0):
    return erec(38, struct.pack('<IIiiI', ih, style, width, 0, colorref(r, g, b)))


def select(ih):
    return erec(37, struct.pack('<I', ih))


def rect(kind, l, t, r, b, *extra):
    return erec(kind, struct.pack('<iiii', l, t, r, b) + b''.join(struct.pack('<i', e) for e in extra))


def ext_text(x, y, text):
    s = text.encode('utf-16-le')
    off = 8 + 16 + 12 + 40
    return erec(84, struct.pack('<iiiiIff', 0, 0, -1, -1, 1, 1.0, 1.0) +
                struct.pack('<iiIIIiiiiI', x, y, len(text), off, 0, 0, 0, -1, -1, 0) + s + b'\0' * (-len(s) % 4))


def stretch_dibits(x, y, w, h, pixels, pw, ph):
    d = dib(pixels, pw, ph)
    off_bmi = 80
    return erec(81, struct.pack('<iiii', 0, 0, -1, -1) +
                struct.pack('<iiiiiiIIIIIIii', x, y, 0, 0, pw, ph, off_bmi, 40, off_bmi + 40, len(d) - 40, 0,
                            0x00CC0020, w, h) + d)


def poly16(kind, points):
    return erec(kind, struct.pack('<iiiiI', 0, 0, 0, 0, len(points)) +
                b''.join(struct.pack('<hh', x, y) for x, y in points))


def polypoly16(polygons):
    total = sum(len(p) for p in polygons)
    return erec(91, struct.pack('<iiiiII', 0, 0, 0, 0, len(polygons), total) +
                b''.join(struct.pack('<I', len(p)) for p in polygons) +
                b''.join(struct.pack('<hh', x, y) for p in polygons for x, y in p))


logfont = struct.pack('<iiiiiBBBBBBBB', -20, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0) + 'DejaVu Sans'.encode(
    'utf-16-le').ljust(64, b'\0')
records = [
    ebrush(1, 255, 0, 0), select(1), epen(2, 0, 0, 255), select(2),
    rect(43, 10, 10, 60, 40),  # red rectangle, blue outline
    ebrush(3, 0, 160, 0), select(3), rect(42, 100, 10, 160, 70),  # green ellipse
    select(0x80000004), rect(43, 65, 75, 95, 95),  # stock black brush
    select(1), poly16(86, [(10, 60), (60, 60), (35, 95)]),  # red triangle
    erec(19, struct.pack('<I', 1)),  # alternate fill: the inner square is a hole
    select(3), polypoly16([[(100, 75), (150, 75), (150, 99), (100, 99)], [(110, 80), (140, 80), (140, 95), (110, 95)]]),
    stretch_dibits(176, 60, 20, 20, QUAD, 2, 2),
    erec(33, b''), select(1), erec(34, struct.pack('<i', -1)),  # save, select red, restore: green again
    erec(4242, b'\0' * 12),  # unknown record: skipped
    erec(27, struct.pack('<ii', 170, 10)), erec(54, struct.pack('<ii', 170, 55)),  # blue line
    erec(82, struct.pack('<I', 4) + logfont), select(4), erec(24, struct.pack('<I', 0)),
    erec(18, struct.pack('<I', 1)), ext_text(100, 72, 'WWWW'),
    # a scaled part: anisotropic mapping doubling every length, a 5 x 5 square -> 10 x 10 at (180, 80)
    erec(17, struct.pack('<I', 8)), erec(9, struct.pack('<ii', 1, 1)), erec(11, struct.pack('<ii', 2, 2)),
    erec(12, struct.pack('<ii', 180, 80)), erec(38, struct.pack('<IIiiI', 5, 5, 0, 0, 0)), select(5),
    rect(43, 0, 0, 5, 5),
]
open('shapes.emf', 'wb').write(emf(records, 6, (0, 0, 199, 99)))

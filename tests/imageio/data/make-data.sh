#!/usr/bin/env bash
# Makes the test pictures of tests/imageio with programs other than ours (ImageMagick, libtiff's
# and giflib's tools), and beside each picture X the pixels ImageMagick decodes from it as X.png
# (flattened on white, as our readers show transparency). The files are committed; run this only
# to remake them. Needs: imagemagick libtiff-tools giflib-tools python3.
# BMP variants ImageMagick does not write (16-bit, RLE4, top-down, OS/2) are assembled by the
# small Python writer below from the format's published layout, then decoded by ImageMagick.
set -euo pipefail
cd "$(dirname "$0")"
IM=/usr/bin/convert
rm -f ./*.bmp ./*.jpg ./*.tif ./*.gif ./*.pcx ./*.png ./*.wmf ./*.emf
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# The source: odd sizes so that row padding matters, gradients, shapes and text-like edges.
$IM -size 37x29 -depth 8 gradient:'#ff2000-#0030ff' \
    -fill '#ffe000' -draw 'circle 18,14 26,14' -fill black -draw 'line 0,0 36,28' \
    -fill '#20c040' -draw 'rectangle 2,20 10,26' "$tmp/src.png"
$IM "$tmp/src.png" -colors 16 "$tmp/src16.png"
$IM "$tmp/src.png" -monochrome "$tmp/mono.png"

# BMP
$IM "$tmp/src.png" -type truecolor -compress none BMP3:bmp24.bmp
$IM "$tmp/src.png" -alpha set -define bmp:format=bmp4 BMP:bmp32.bmp
$IM "$tmp/src.png" -colors 200 -type palette -compress none BMP3:bmp8.bmp
$IM "$tmp/src.png" -colors 200 -type palette -compress RLE BMP3:bmp8-rle.bmp
$IM "$tmp/src16.png" -type palette -compress none BMP3:bmp4.bmp
$IM "$tmp/mono.png" -type bilevel -compress none BMP3:bmp1.bmp
python3 - "$tmp/src.png" <<'PY'
# 16-bit 5-5-5, RLE4 (16 colours), top-down 24-bit and an OS/2 core header, from ImageMagick's
# own pixel dump of the source pictures.
import struct, subprocess, sys
def pixels(path):
    out = subprocess.run(['/usr/bin/convert', path, '-depth', '8', 'rgb:-'], capture_output=True, check=True).stdout
    w, h = map(int, subprocess.run(['/usr/bin/convert', path, '-format', '%w %h', 'info:'], capture_output=True, check=True).stdout.split())
    return w, h, [out[i:i + 3] for i in range(0, len(out), 3)]
def bmp(name, w, h, bits, comp, data, palette=b'', core=False, topdown=False):
    if core:
        info = struct.pack('<IHHHH', 12, w, h, 1, bits)
    else:
        info = struct.pack('<IiiHHIIiiII', 40, w, -h if topdown else h, 1, bits, comp, len(data), 2835, 2835,
                           len(palette) // 4, 0)
    off = 14 + len(info) + len(palette)
    open(name, 'wb').write(b'BM' + struct.pack('<IHHI', off + len(data), 0, 0, off) + info + palette + data)
def rows(w, h, px, bpp, topdown=False):
    out = b''
    order = range(h) if topdown else range(h - 1, -1, -1)
    for y in order:
        row = b''.join(bpp(px[y * w + x]) for x in range(w))
        out += row + b'\0' * (-len(row) % 4)
    return out
w, h, px = pixels(sys.argv[1])
bgr = lambda p: bytes((p[2], p[1], p[0]))
bmp('bmp24-topdown.bmp', w, h, 24, 0, rows(w, h, px, bgr, True), topdown=True)
bmp('bmp24-os2.bmp', w, h, 24, 0, rows(w, h, px, bgr), core=True)
def rgb555(p):
    return struct.pack('<H', (p[0] >> 3) << 10 | (p[1] >> 3) << 5 | p[2] >> 3)
bmp('bmp16.bmp', w, h, 16, 0, rows(w, h, px, rgb555))
# RLE4: the 16-colour picture, runs of equal pixels and absolute runs, ending each line.
w, h, px = pixels(sys.argv[1].replace('src.png', 'src16.png'))
colours = sorted(set(px))
index = {c: i for i, c in enumerate(colours)}
palette = b''.join(bytes((c[2], c[1], c[0], 0)) for c in colours) + b'\0' * 4 * (16 - len(colours))
data = b''
for y in range(h - 1, -1, -1):
    line = [index[px[y * w + x]] for x in range(w)]
    x = 0
    while x < w:
        run = 1
        while x + run < w and run < 255 and line[x + run] == line[x]:
            run += 1
        if run >= 3 or w - x < 3:
            data += bytes((run, line[x] << 4 | line[x]))
            x += run
        else:
            n = min(w - x, 8)
            nib = line[x:x + n] + [0]
            body = bytes(nib[i] << 4 | nib[i + 1] for i in range(0, n, 2))
            body += b'\0' * (len(body) % 2)
            data += bytes((0, n)) + body
            x += n
    data += b'\0\0'
data += b'\0\1'
bmp('bmp4-rle.bmp', w, h, 4, 2, data, palette)
PY

# JPEG
$IM "$tmp/src.png" -quality 85 jpeg-baseline.jpg
$IM "$tmp/src.png" -quality 75 -interlace JPEG jpeg-progressive.jpg
$IM "$tmp/src.png" -colorspace gray -quality 90 jpeg-gray.jpg
$IM "$tmp/src.png" -colorspace cmyk -quality 95 jpeg-cmyk.jpg

# TIFF
$IM "$tmp/src.png" -depth 8 -type truecolor -compress none tiff-none.tif
$IM "$tmp/src.png" -depth 8 -type truecolor -compress lzw tiff-lzw.tif
$IM "$tmp/src.png" -depth 8 -type truecolor -compress rle tiff-packbits.tif
$IM "$tmp/src.png" -colors 50 -type palette -compress lzw tiff-palette.tif
$IM "$tmp/src.png" -colorspace gray -depth 8 -compress none tiff-gray8.tif
tiff2bw tiff-none.tif tiff-bw.tif
$IM "$tmp/mono.png" -type bilevel -depth 1 -compress none "$tmp/mono.tif"
tiffcp -c g3 "$tmp/mono.tif" tiff-g3.tif
tiffcp -c g4 "$tmp/mono.tif" tiff-g4.tif
tiffcp -c packbits "$tmp/mono.tif" tiff-1bit-packbits.tif

# GIF
$IM "$tmp/src.png" -colors 64 gif-plain.gif
$IM "$tmp/src.png" -colors 64 -interlace GIF gif-interlaced.gif
$IM "$tmp/src.png" -colors 64 -transparent '#ffe000' gif-transparent.gif
giftool -i 1 <gif-plain.gif >gif-giftool-interlaced.gif  # interlaced by giflib's own tool

# PCX
$IM "$tmp/src.png" PCX:pcx-24.pcx
$IM "$tmp/src.png" -colors 100 -type palette PCX:pcx-8.pcx
$IM "$tmp/mono.png" -type bilevel PCX:pcx-1.pcx

# What ImageMagick decodes from each, flattened on white.
for f in *.bmp *.jpg *.tif *.gif *.pcx; do
  $IM "$f[0]" -background white -flatten -alpha off -depth 8 -define png:exclude-chunks=date,time "PNG24:$f.png"
done
# Metafiles, assembled from the formats' record layouts.
python3 make-metafiles.py
du -ch . | tail -1

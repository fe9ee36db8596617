#!/bin/bash
# Rebuilds the input images of the tilecvt tests and their reference pictures.
# BMP, PCX and TGA files come from ImageMagick (Debian's /usr/bin/convert);
# SPR and TIM files are written here from their layouts, with pixels taken
# from ImageMagick images. reference/NAME.ppm is ImageMagick's reading of each
# input (for SPR, of the BMP its frames were cut from), the independent oracle
# for the readers.
set -euo pipefail
cd "$(dirname "$0")"
mkdir -p images reference
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

bmp8() { convert wizard: -resize "$1"\! -colors 256 -type palette -compress none "BMP3:$2"; }
bmp4() { convert wizard: -resize "$1"\! -colors 16 -type palette -compress none "BMP3:$2"; }

bmp8 40x48 images/wizard8.bmp
bmp4 40x48 images/wizard4.bmp
# The same as BMP:, with the 124-byte info header (palette at 138, not 54).
convert wizard: -resize 40x48\! -colors 256 -type palette -compress none BMP:images/wizard8v5.bmp
bmp8 13x7 images/odd8.bmp
bmp4 13x7 images/odd4.bmp
convert wizard: -resize 40x48\! -colors 256 -type palette -compress RLE BMP3:images/rle8.bmp
convert wizard: -resize 40x48\! -colors 256 -type palette images/wizard.pcx
convert wizard: -resize 13x7\! -colors 256 -type palette images/odd.pcx

# ImageMagick writes no TGA 2.0 footer; wizard*.tga get one appended.
# It also stores the rows in the order it holds them while the header says
# "bottom row first", hence -flip here and -auto-orient for the references.
footer() { printf '\0\0\0\0\0\0\0\0TRUEVISION-XFILE.\0'; }
convert wizard: -resize 40x48\! -flip -colors 256 -type palette -compress none images/nofooter.tga
{ cat images/nofooter.tga; footer; } > images/wizard.tga
convert wizard: -resize 40x48\! -flip -colors 200 -type palette -compress RLE "$tmp/rle.tga"
{ cat "$tmp/rle.tga"; footer; } > images/wizard_rle.tga

# Footerless files as ImageMagick writes them, read without the footer: plain,
# run-length, top origin (-orient TopLeft, rows stored as held), 16 colours.
convert wizard: -resize 40x48\! -flip -colors 200 -type palette -compress RLE images/nofooter_rle.tga
convert wizard: -resize 40x48\! -colors 256 -type palette -orient TopLeft -compress none images/nofooter_top.tga
convert wizard: -resize 13x7\! -flip -colors 16 -type palette -compress none images/nofooter_odd16.tga
# PCX files with bytes after the palette, as some writers leave them.
{ cat images/wizard.pcx; printf '\0\0\0'; } > images/trailing.pcx
{ cat images/odd.pcx; printf '\x0c\x0c\x0c'; } > images/odd_trailing.pcx

bmp8 16x48 "$tmp/sprite8.bmp"
bmp4 16x16 "$tmp/sprite4.bmp"
python3 - "$tmp" <<'PY'
import struct, sys
tmp = sys.argv[1]

def read_bmp3(path):
    data = open(path, 'rb').read()
    offset, = struct.unpack_from('<I', data, 10)
    width, height, _, bits = struct.unpack_from('<iiHH', data, 18)
    colours, = struct.unpack_from('<I', data, 46)
    colours = colours or 1 << bits
    palette = [tuple(data[54 + 4 * i:54 + 4 * i + 3][::-1]) for i in range(colours)]  # (r, g, b)
    stride = (width * bits + 31) // 32 * 4
    rows = []
    for y in range(height):
        row = data[offset + (height - 1 - y) * stride:][:stride]
        if bits == 8:
            rows.append(list(row[:width]))
        else:
            rows.append([(row[x // 2] >> (0 if x & 1 else 4)) & 15 for x in range(width)])
    return width, height, palette, rows

# SPR: "SPR", frames, frame width, frame height, 2 bytes, 256 RGB, then each
# frame's pixels followed by 770 bytes.
w, h, pal, rows = read_bmp3(tmp + '/sprite8.bmp')
pal = pal + [(0, 0, 0)] * (256 - len(pal))
frames = h // 16
out = b'SPR' + struct.pack('<HHH', frames, w, 16) + b'\0\0'
out += b''.join(bytes(c) for c in pal)
for f in range(frames):
    out += b''.join(bytes(r) for r in rows[16 * f:16 * f + 16]) + bytes(770)
open('images/sprite.spr', 'wb').write(out)

# TIM: id 0x10, flags (depth | 8 for the colour table), table block (length,
# x, y, width, height, 15-bit colours), image block (length, x, y, width in
# 16-bit units, height, pixels; 4-bit pixels low nibble first).
def tim(path, bmp, depth):
    w, h, pal, rows = read_bmp3(bmp)
    n = 16 if depth == 4 else 256
    pal = pal + [(0, 0, 0)] * (n - len(pal))
    clut = b''.join(struct.pack('<H', (r >> 3) | (g >> 3) << 5 | (b >> 3) << 10) for r, g, b in pal)
    if depth == 8:
        pixels = b''.join(bytes(r) for r in rows)
    else:
        flat = [p for r in rows for p in r]
        pixels = bytes(flat[i] | flat[i + 1] << 4 for i in range(0, len(flat), 2))
    out = struct.pack('<II', 0x10, 8 | (0 if depth == 4 else 1))
    out += struct.pack('<IHHHH', 12 + len(clut), 0, 480, n, 1) + clut
    out += struct.pack('<IHHHH', 12 + len(pixels), 320, 0, w * depth // 16, h) + pixels
    open(path, 'wb').write(out)

tim('images/sprite8.tim', tmp + '/sprite8.bmp', 8)
tim('images/sprite4.tim', tmp + '/sprite4.bmp', 4)
PY

for f in wizard8.bmp wizard8v5.bmp wizard4.bmp odd8.bmp odd4.bmp wizard.pcx odd.pcx wizard.tga wizard_rle.tga sprite8.tim \
    sprite4.tim nofooter.tga nofooter_rle.tga nofooter_top.tga nofooter_odd16.tga trailing.pcx odd_trailing.pcx; do
    convert "images/$f" -auto-orient -depth 8 "ppm:reference/$f.ppm"
done
convert "$tmp/sprite8.bmp" -depth 8 ppm:reference/sprite.spr.ppm
ls -l images reference

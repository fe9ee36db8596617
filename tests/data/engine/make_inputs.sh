#!/bin/bash
# Rebuilds the pictures of the conversion engine tests and their references.
# Every picture comes from ImageMagick (Debian's /usr/bin/convert, 6.9.11) and
# its built-in images; NAME.rgba is ImageMagick's own reading of each picture
# (8-bit red, green, blue, alpha per pixel, top row first) and NAME.colormap,
# for indexed pictures, the "Colormap:" entries of `identify -verbose` (their
# #RRGGBB form), one "red green blue" line each: the independent oracle for the decoders.
set -euo pipefail
cd "$(dirname "$0")"
mkdir -p images
cd images

# BMP: indexed 8-bit and 4-bit, 1-bit, RLE, true colour, 32-bit with alpha.
convert wizard: -resize 48x64\! -colors 256 -type palette -compress none BMP3:wizard8.bmp
convert wizard: -resize 48x64\! -colors 16 -type palette BMP3:wizard4.bmp
convert logo: -resize 37x21\! -monochrome BMP3:logo1.bmp
convert wizard: -resize 40x48\! -colors 256 -type palette -compress RLE BMP3:wizard_rle8.bmp
convert rose: BMP3:rose24.bmp
convert rose: -alpha set -channel A -fx 'i/w' +channel BMP:rose32.bmp
# PNG: palette, palette with transparency, RGB, RGBA, grey 16-bit, interlaced.
convert logo: -resize 80x60\! -colors 64 PNG8:logo8.png
convert rose: -transparent '#C4C1BD' -colors 32 PNG8:rose_trns.png
convert rose: PNG24:rose.png
convert rose: -alpha set -channel A -fx 'j/h' +channel PNG32:rose_alpha.png
convert rose: -colorspace gray -depth 16 PNG:rose_grey16.png
convert wizard: -resize 64x80\! -interlace PNG PNG24:wizard_interlaced.png
# JPEG: colour, grey, progressive.
convert wizard: -resize 64x80\! -quality 90 wizard.jpg
convert rose: -colorspace gray -quality 85 rose_grey.jpg
convert wizard: -resize 64x80\! -interlace JPEG -quality 80 wizard_progressive.jpg
# GIF: plain, interlaced, with a transparent colour.
convert wizard: -resize 48x64\! wizard.gif
convert logo: -resize 80x60\! -interlace GIF logo_interlaced.gif
convert rose: -transparent '#C4C1BD' rose_trns.gif
# TIFF: RGB, palette, LZW RGB with alpha.
convert rose: -compress none TIFF:rose.tif
convert wizard: -resize 48x64\! -colors 200 -type palette TIFF:wizard_palette.tif
convert rose: -alpha set -channel A -fx 'i/w' +channel -compress LZW TIFF:rose_alpha.tif

for f in *.bmp *.png *.jpg *.gif *.tif; do
  base="${f%.*}_${f##*.}"
  convert "$f" -depth 8 "rgba:../$base.rgba"
  identify -format '%w %h\n' "$f[0]" > "../$base.size"
  verbose=$(identify -verbose "$f")
  if grep -q '^  Colormap:' <<<"$verbose"; then
    sed -n '/^  Colormap:/,/^  [A-Z]/p' <<<"$verbose" |
      sed -n 's/^ *[0-9]*: .* #\([0-9A-F][0-9A-F]\)\([0-9A-F][0-9A-F]\)\([0-9A-F][0-9A-F]\).*/\1 \2 \3/p' |
      while read -r r g b; do echo "$((16#$r)) $((16#$g)) $((16#$b))"; done > "../$base.colormap"
  fi
done

# The photo of the conversion tests and of the emulator check.
convert wizard: -resize 128x160\! PNG24:../photo.png
convert wizard: -resize 240x160\! PNG24:../screen.png
# The photos of the benchmarks and of the colour error measurement.
mkdir -p ../photos
convert wizard: -quality 92 ../photos/wizard.jpg
for side in 256 512 1024; do
  convert wizard: -resize "${side}x${side}!" -quality 92 "../photos/wizard_$side.jpg"
done
# The pictures the reduction methods are compared on: two of ImageMagick's
# built-in images at the sizes other quantizers were measured at, and two
# plasma fractals (generated with fixed seeds: a smooth one and a grainy one).
convert rose: -filter Triangle -resize 280x184\! PNG24:../photos/rose_280x184.png
convert wizard: -resize 240x320\! PNG24:../photos/wizard_240x320.png
convert -seed 11 -size 256x256 plasma:fractal -blur 0x1 -quality 92 ../photos/plasma_256.jpg
convert -seed 5 -size 256x256 plasma:fractal -quality 92 ../photos/plasma_noisy_256.jpg

#!/usr/bin/env bash
# Draws the start-up picture (480 x 272) shipped in the program as a Qt
# resource: a wall of 4-colour tiles fading into a dark sky, and the program's
# name. Everything is drawn here, from rectangles and text; run it again after
# changing it and commit the PNG (the build does not need ImageMagick).
#   bash ui/resources/make-splash.sh [output.png]
set -euo pipefail
out=${1:-"$(dirname "$0")/splash.png"}
w=480
h=272
# The console's look: a palette of 15-bit colours (multiples of 8).
palette=("#f8c030" "#e86038" "#40a8f8" "#58d068" "#a070f0" "#f878b8" "#30c8c0" "#f8f0d8")
draw=()
seed=7
# A small linear congruential generator, so the picture is the same every run.
next() { seed=$(( (seed * 1103515245 + 12345) % 2147483648 )); r=$(( seed / 65536 )); }
# Tiles of 16 x 16 pixels, each split into four 8 x 8 blocks, thinning out
# towards the top right where the title goes.
for (( ty = 0; ty < h / 16; ++ty )); do
  for (( tx = 0; tx < w / 16; ++tx )); do
    next
    # Keep the band behind the title clear.
    if (( ty >= 3 && ty <= 11 && tx >= 7 )); then continue; fi
    limit=$(( 95 - tx * 3 + ty * 2 ))
    if (( r % 100 > limit )); then continue; fi
    x=$(( tx * 16 )); y=$(( ty * 16 ))
    a=${palette[$(( r % 8 ))]}
    b=${palette[$(( (r / 8) % 8 ))]}
    draw+=(-fill "$a" -draw "rectangle $x,$y $((x + 7)),$((y + 7))")
    draw+=(-fill "$b" -draw "rectangle $((x + 8)),$y $((x + 15)),$((y + 7))")
    draw+=(-fill "$b" -draw "rectangle $x,$((y + 8)) $((x + 7)),$((y + 15))")
    draw+=(-fill "$a" -draw "rectangle $((x + 8)),$((y + 8)) $((x + 15)),$((y + 15))")
  done
done
convert -size ${w}x${h} gradient:'#102040'-'#203868' \
  "${draw[@]}" \
  -fill '#0c1830c0' -draw "roundrectangle 120,60 470,180 10,10" \
  -font DejaVu-Sans-Bold -pointsize 40 -fill '#f8f0d8' -annotate +140+112 'Tessel Works' \
  -font DejaVu-Sans -pointsize 14 -fill '#a8d0f8' \
  -annotate +142+140 'Atelier graphique pour Game Boy Advance' \
  -font DejaVu-Sans -pointsize 12 -fill '#f8c030' -annotate +142+164 'version 1.00a' \
  -strip "PNG24:$out"
echo "$out"

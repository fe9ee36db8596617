#!/usr/bin/env bash
# Makes the demo's pictures with ImageMagick (they are kept in gfx/; run this
# again only to change them).
set -euo pipefail
cd "$(dirname "$0")/gfx"

# The hero: 32 × 32 on the mask colour (255, 0, 254), which becomes
# transparency when the picture is loaded.
convert -size 32x32 xc:'#ff00fe' +antialias \
  -fill '#f8c090' -draw 'circle 16,9 16,4' \
  -fill '#2050c0' -draw 'rectangle 10,15 22,25' \
  -fill '#c03020' -draw 'rectangle 7,15 9,23' -draw 'rectangle 23,15 25,23' \
  -fill '#303030' -draw 'rectangle 11,26 14,31' -draw 'rectangle 18,26 21,31' \
  -fill '#000000' -draw 'point 14,8' -draw 'point 18,8' \
  -depth 8 PNG24:hero.png

# The scenery: bricks over a patterned ground; repeated tiles merge.
convert \( -size 64x32 pattern:bricks +level-colors '#803010','#d8a070' \) \
  \( -size 64x32 pattern:hs_diagcross +level-colors '#206020','#40a040' \) \
  -append -depth 8 PNG24:decor.png

# The sky: a gradient for a 15-bit bitmap.
convert -size 64x48 gradient:'#2040a0-#a0d0f8' -depth 8 PNG24:ciel.png

# Stones for the import assistant: a plasma reduced to 24 colours.
convert -seed 7 -size 32x32 plasma:'#606060-#b0a080' +dither -colors 24 -depth 8 PNG24:pierres.png

#!/bin/bash
# Shows converted pictures on an emulated console and compares the screen,
# pixel for pixel, with the reference render of the written files (the
# gba-harness: mGBA and an independent model of text backgrounds).
#   emulator_check.sh BUILD_DIR HARNESS_DIR [PICTURE]
# Not part of the regular tests: it needs the harness and its packages.
set -euo pipefail
build=$1
harness=$2
here=$(cd "$(dirname "$0")" && pwd)
picture=${3:-$here/../data/engine/screen.png}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$build/tests/convert/engine_emulator_export" "$picture" "$out" > "$out/export.log"
width=$(identify -format '%w' "$picture" 2>/dev/null || echo 240)
status=0
for depth in 8 4; do
  if ! "$harness/check.sh" "$out/check$depth" --pal "$out/${depth}bit.pal.bin" \
      --tiles "$out/${depth}bit.tiles.bin" --map "$out/${depth}bit.map.bin" --bpp "$depth" \
      --map-width $(((width + 7) / 8)); then
    status=1
  fi
done
exit $status

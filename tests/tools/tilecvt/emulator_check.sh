#!/bin/bash
# Shows tilecvt's output on an emulated GBA (the gba-harness, mGBA) and
# compares the screen with the harness's own rendering of the data and with
# the source picture, LZ77 tiles decompressed into work RAM (SWI 0x11) and
# straight into VRAM (SWI 0x12). Run by hand; the regular tests do not need it.
#
# Usage: emulator_check.sh TILECVT HARNESS_DIR [WORK_DIR]
#   TILECVT      the tilecvt program (e.g. build/tools/tilecvt/tilecvt)
#   HARNESS_DIR  a writable copy of the harness with install.sh run
#   WORK_DIR     where the pictures, outputs and screenshots go
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
tilecvt=$(realpath "$1")
harness=$(realpath "$2")
work=${3:-$(mktemp -d)}
mkdir -p "$work" && cd "$work" || exit 2
failed=0

# A 240 x 160 screen: the wizard, next to its mirror image, above the two
# turned upside down, so the map uses all four mirror settings.
picture() {  # colours file
    convert wizard: -resize 120x80\! \( +clone -flop \) +append \( +clone -flip \) -append \
        +dither -colors "$1" -type palette -compress none "BMP3:$2"
    convert "$2" -depth 8 "${2%.bmp}.ppm"
}

check() {  # name, then check.sh arguments
    local name=$1; shift
    local line
    line=$("$harness/check.sh" "$work/$name" "$@")
    echo "$name: harness: $line"
    [[ $line == PASS* ]] || failed=1
    line=$(python3 "$here/compare_source.py" "$harness" "$work/$name/emu.png" "$source")
    echo "$name: source:  $line"
    [[ $line == PASS* ]] || failed=1
}

# The default LZ77 stream refers to the byte just before; through SWI 0x12
# (16-bit writes into VRAM) that byte is not there yet and the tiles come out
# wrong. The harness must see the difference.
check_corrupt() {  # name, then check.sh arguments
    local name=$1; shift
    local line status
    line=$("$harness/check.sh" "$work/$name" "$@"); status=$?
    if [ $status = 1 ]; then
        echo "$name: harness: corrupted as expected: $line"
    else
        echo "$name: harness: expected corruption, got: $line"
        failed=1
    fi
    line=$(python3 "$here/compare_source.py" "$harness" "$work/$name/emu.png" "$source")
    echo "$name: source:  $line"
    [[ $line == FAIL* ]] || failed=1
}

run() { echo "\$ tilecvt $*"; "$tilecvt" -q "$@" > /dev/null || failed=1; }

picture 256 screen8.bmp
picture 16 screen4.bmp

source=screen8.ppm
mkdir -p raw8 lz8 c8
run -m -o raw8 screen8.bmp
check raw8 --pal raw8/master.pal --tiles raw8/screen8.raw --map raw8/screen8.map --bpp 8 --map-width 30
run -m -zt -o lz8 screen8.bmp
check lz8 --pal raw8/master.pal --tiles lz8/screen8.raw --lz-tiles wram --map raw8/screen8.map --bpp 8 \
    --map-width 30 --ref --pal raw8/master.pal --tiles raw8/screen8.raw --map raw8/screen8.map --bpp 8 --map-width 30
run -m -fsrc -align -zt -o c8 screen8.bmp
check c8 --pal c8/master.pal.c:master_Palette --tiles c8/screen8.raw.c:screen8_Tiles --lz-tiles wram \
    --map c8/screen8.map.c:screen8_Map --bpp 8 --map-width 30 \
    --ref --pal raw8/master.pal --tiles raw8/screen8.raw --map raw8/screen8.map --bpp 8 --map-width 30

# Into VRAM through SWI 0x12: -W (and -W -L) streams show the picture, the
# default stream does not; -L alone through SWI 0x11.
ref8=(--ref --pal raw8/master.pal --tiles raw8/screen8.raw --map raw8/screen8.map --bpp 8 --map-width 30)
mkdir -p lz8w lz8wl lz8l
run -m -zt -W -o lz8w screen8.bmp
check lz8w-vram --pal raw8/master.pal --tiles lz8w/screen8.raw --lz-tiles vram --map raw8/screen8.map --bpp 8 \
    --map-width 30 "${ref8[@]}"
run -m -zt -W -L -o lz8wl screen8.bmp
check lz8wl-vram --pal raw8/master.pal --tiles lz8wl/screen8.raw --lz-tiles vram --map raw8/screen8.map --bpp 8 \
    --map-width 30 "${ref8[@]}"
run -m -zt -L -o lz8l screen8.bmp
check lz8l-wram --pal raw8/master.pal --tiles lz8l/screen8.raw --lz-tiles wram --map raw8/screen8.map --bpp 8 \
    --map-width 30 "${ref8[@]}"
check_corrupt lz8-vram --pal raw8/master.pal --tiles lz8/screen8.raw --lz-tiles vram --map raw8/screen8.map \
    --bpp 8 --map-width 30 "${ref8[@]}"
# The same picture as a TGA file without the footer (plain and run-length)
# and as a PCX file with bytes after its palette. ImageMagick 6 stores TGA
# rows top first under a "bottom row first" header, hence -flip.
convert screen8.bmp -flip -type palette -compress none screen8.tga
convert screen8.bmp -flip -type palette -compress RLE screen8rle.tga
convert screen8.bmp -type palette PCX:- > screen8.pcx && printf '\0\0\0' >> screen8.pcx
for input in screen8.tga screen8rle.tga screen8.pcx; do
    name=${input%.*}_${input##*.}
    mkdir -p "$name"
    run -m -o "$name" "$input"
    check "$name" --pal "$name/master.pal" --tiles "$name/${input%.*}.raw" --map "$name/${input%.*}.map" --bpp 8 \
        --map-width 30
done

# 4-bit tiles whose map entries use palette bank 1: the palette goes to bank 0
# (the backdrop) and to bank 1.
source=screen4.ppm
mkdir -p raw4 lz4
run -c16 -m -b1 -o raw4 screen4.bmp
cat raw4/master.pal raw4/master.pal > raw4/banks.pal
check raw4 --pal raw4/banks.pal --tiles raw4/screen4.raw --map raw4/screen4.map --bpp 4 --map-width 30
run -c16 -m -b1 -zt -o lz4 screen4.bmp
check lz4 --pal raw4/banks.pal --tiles lz4/screen4.raw --lz-tiles wram --map raw4/screen4.map --bpp 4 \
    --map-width 30 --ref --pal raw4/banks.pal --tiles raw4/screen4.raw --map raw4/screen4.map --bpp 4 --map-width 30
ref4=(--ref --pal raw4/banks.pal --tiles raw4/screen4.raw --map raw4/screen4.map --bpp 4 --map-width 30)
mkdir -p lz4w
run -c16 -m -b1 -zt -W -o lz4w screen4.bmp
check lz4w-vram --pal raw4/banks.pal --tiles lz4w/screen4.raw --lz-tiles vram --map raw4/screen4.map --bpp 4 \
    --map-width 30 "${ref4[@]}"
check_corrupt lz4-vram --pal raw4/banks.pal --tiles lz4/screen4.raw --lz-tiles vram --map raw4/screen4.map \
    --bpp 4 --map-width 30 "${ref4[@]}"

[ $failed = 0 ] && echo "emulator_check: PASS (files in $work)" || echo "emulator_check: FAIL (files in $work)"
exit $failed

#!/usr/bin/env python3
"""Compare an emulator screenshot with the picture the converter was given.

Usage: compare_source.py HARNESS_DIR EMU.png SOURCE.ppm

Both are compared in the 5 bits per channel the console shows (the
converter drops the 3 low bits; mGBA expands c to c << 3 | c >> 2), over the
240 x 160 screen or the part of it the picture covers. Prints one PASS or
FAIL line; exit status 0 when no pixel differs.
"""
import sys

sys.path.insert(0, sys.argv[1])
import gbadata  # noqa: E402  (from the harness)


def main():
    ew, eh, emu = gbadata.read_image(sys.argv[2])
    sw, sh, src = gbadata.read_image(sys.argv[3])
    width, height = min(ew, sw, 240), min(eh, sh, 160)
    differ, first = 0, None
    for y in range(height):
        for x in range(width):
            e = emu[(y * ew + x) * 3:(y * ew + x) * 3 + 3]
            s = src[(y * sw + x) * 3:(y * sw + x) * 3 + 3]
            if any((a >> 3) != (b >> 3) for a, b in zip(e, s)):
                differ += 1
                first = first or (x, y, tuple(e), tuple(s))
    verdict = "PASS" if differ == 0 else "FAIL"
    detail = "" if first is None else " (first at %d,%d: screen %s, source %s)" % first
    print("%s: %d of %d pixels differ from the source picture%s" % (verdict, differ, width * height, detail))
    return 0 if differ == 0 else 1


if __name__ == "__main__":
    sys.exit(main())

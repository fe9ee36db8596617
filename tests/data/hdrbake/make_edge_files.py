#!/usr/bin/env python3
"""Writes the hand-made PCX files of the hdrbake tests (run in this folder).

Each file has the usual 128-byte header of an 8-bit, single-plane image; all
but truncated.pcx end with the 769-byte palette tail (marker, then entry i is
red i, green 255 - i, blue 7i mod 256).
"""
import struct


def header(width, height, bytes_per_line, bits_per_pixel=8, planes=1):
    data = bytearray(128)
    data[0], data[1], data[2], data[3] = 10, 5, 1, bits_per_pixel
    struct.pack_into('<HHHH', data, 4, 0, 0, width - 1, height - 1)
    struct.pack_into('<HH', data, 12, 72, 72)
    data[65] = planes
    struct.pack_into('<HH', data, 66, bytes_per_line, 1)
    return bytes(data)


def palette(marker=12):
    tail = bytearray([marker])
    for i in range(256):
        tail += bytes([i, 255 - i, (i * 7) % 256])
    return bytes(tail)


# ball: 6x4. Literals, a run going on past the end of row 0, the value 200
# stored as a run of one, and a last run of 20 of which only 6 pixels fit:
# 1 2 3 7 7 7 | 7 7 7 7 7 7 | 200 4 5 32 33 34 | 9 9 9 9 9 9
stream = bytes([1, 2, 3, 0xC0 + 9, 7, 0xC1, 0xC8, 4, 5, 0x20, 0x21, 0x22, 0xC0 + 20, 9])
open('ball.pcx', 'wb').write(header(6, 4, 6) + stream + palette())
# The same with a wrong palette marker.
open('no_marker.pcx', 'wb').write(header(6, 4, 6) + stream + palette(0))
# padded: 3x3 (odd pixel count) stored in rows of 4, as writers that pad rows
# to an even length do. Row 0 pads with 99, row 1's run covers its pad byte,
# row 2 ends in a run over its pad: 10 11 12 | 13 13 14 | 15 16 16
padded_stream = bytes([10, 11, 12, 99, 0xC2, 13, 0xC2, 14, 15, 0xC3, 16])
open('padded.pcx', 'wb').write(header(3, 3, 4) + padded_stream + palette())
# truncated: the stream stops after 5 of the 24 pixels, no palette follows.
open('truncated.pcx', 'wb').write(header(6, 4, 6) + bytes([1, 2, 3, 0xC2, 7]))

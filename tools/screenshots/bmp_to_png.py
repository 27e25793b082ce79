#!/usr/bin/env python3
"""Turns the screenshot driver's 24-bit BMP files into PNG files, with nothing but Python's standard library.

Usage: bmp_to_png.py INPUT.bmp OUTPUT.png
"""
import struct
import sys
import zlib


def read_bmp(path):
    data = open(path, "rb").read()
    if data[:2] != b"BM":
        sys.exit(f"{path}: not a BMP file")
    offset, = struct.unpack_from("<I", data, 10)
    width, height, _planes, bits, compression = struct.unpack_from("<iiHHI", data, 18)
    if bits != 24 or compression != 0:
        sys.exit(f"{path}: only uncompressed 24-bit BMP files are read")
    stride = (width * 3 + 3) & ~3
    rows = [data[offset + y * stride:offset + y * stride + width * 3] for y in range(abs(height))]
    if height > 0:  # stored bottom to top
        rows.reverse()
    # BMP pixels are blue, green, red; PNG's are red, green, blue.
    return width, abs(height), [bytes(_bgr_to_rgb(row)) for row in rows]


def _bgr_to_rgb(row):
    rgb = bytearray(row)
    rgb[0::3], rgb[2::3] = row[2::3], row[0::3]
    return rgb


def chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))


def write_png(path, width, height, rows):
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)  # 8-bit RGB, no interlace
    pixels = zlib.compress(b"".join(b"\0" + row for row in rows), 9)  # filter 0 on every row
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", pixels) + chunk(b"IEND", b""))


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    write_png(sys.argv[2], *read_bmp(sys.argv[1]))

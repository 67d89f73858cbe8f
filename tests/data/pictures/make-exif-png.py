#!/usr/bin/python3
"""Writes a 4 x 2 PNG, red on the left half and blue on the right, whose eXIf chunk says
orientation 6 (the camera was turned a quarter clockwise): a viewer shows it 2 x 4, red on top.

usage: make-exif-png.py OUT.png
"""
import struct
import sys
import zlib


def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


rows = b"".join(b"\0" + (b"\xff\0\0" * 2 + b"\0\0\xff" * 2) for _ in range(2))
# A TIFF header in Motorola order and one IFD of one entry: Orientation (0x0112), SHORT, 1, 6.
exif = b"MM\0\x2a" + struct.pack(">I", 8) + struct.pack(">H", 1) + \
    struct.pack(">HHIHH", 0x0112, 3, 1, 6, 0) + struct.pack(">I", 0)
with open(sys.argv[1], "wb") as out:
    out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", 4, 2, 8, 2, 0, 0, 0))
              + chunk(b"eXIf", exif) + chunk(b"IDAT", zlib.compress(rows))
              + chunk(b"IEND", b""))

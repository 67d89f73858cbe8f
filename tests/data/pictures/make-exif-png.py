#!/usr/bin/python3
"""Writes two 4 x 2 PNGs, red on the left half and blue on the right, whose eXIf chunk turns them:
exif6.png in Motorola order says orientation 6 (the camera was turned a quarter clockwise: a viewer
shows it 2 x 4, red on top), exif8.png in Intel order says 8 (the other way: blue on top).

usage: make-exif-png.py FOLDER
"""
import os
import struct
import sys
import zlib


def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def exif(order, orientation):
    # A TIFF header and one IFD of one entry: Orientation (0x0112), SHORT, one value.
    mark = b"MM\0\x2a" if order == ">" else b"II\x2a\0"
    return mark + struct.pack(order + "IHHHIHHI", 8, 1, 0x0112, 3, 1, orientation, 0, 0)


rows = b"".join(b"\0" + (b"\xff\0\0" * 2 + b"\0\0\xff" * 2) for _ in range(2))
for name, order, orientation in (("exif6.png", ">", 6), ("exif8.png", "<", 8)):
    with open(os.path.join(sys.argv[1], name), "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n"
                  + chunk(b"IHDR", struct.pack(">IIBBBBB", 4, 2, 8, 2, 0, 0, 0))
                  + chunk(b"eXIf", exif(order, orientation)) + chunk(b"IDAT", zlib.compress(rows))
                  + chunk(b"IEND", b""))

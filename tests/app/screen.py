#!/usr/bin/env python3
"""The picture of the real-window scenario, and what the screen shows of it.

  screen.py picture FILE.png [W H]    writes the picture, a pattern no screen shows by chance
                                      (40 x 24 unless W x H is given)
  screen.py at SCREEN.xwd X Y W H    "shown" when the picture's pixels are at (X, Y) of the
                                      screen, as far as a box of W x H there shows them,
                                      "absent" otherwise; the first pixel that differs goes to
                                      standard error
  screen.py exact SCREEN.xwd W H      "exact" when the screen's top-left W x H is the W x H
                                      picture and the column right of it and the row below it
                                      are the screen's background (its bottom-right pixel);
                                      otherwise what differs
"""
import struct
import sys
import zlib

WIDTH, HEIGHT = 40, 24


def colour(x, y):
    """Every pixel different from its neighbours, and no two rows alike."""
    return ((x * 6 + 7) & 0xFF, (y * 10 + 3) & 0xFF, ((x ^ y) * 5 + 90) & 0xFF)


def write_picture(path, width=WIDTH, height=HEIGHT):
    rows = b"".join(
        b"\x00" + bytes(c for x in range(width) for c in colour(x, y)) for y in range(height))

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                  chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))


def read_xwd(path):
    """The pixels of a screen dump of xwd, 24 or 32 bits a pixel, as a function of (x, y)."""
    with open(path, "rb") as source:
        data = source.read()
    fields = struct.unpack(">25I", data[:100])
    header_size, version = fields[0], fields[1]
    if version != 7:
        raise SystemExit("%s: not an xwd dump of version 7" % path)
    width, height = fields[4], fields[5]
    byte_order, bits_per_pixel, bytes_per_line = fields[7], fields[11], fields[12]
    red_mask, green_mask, blue_mask = fields[14], fields[15], fields[16]
    colours = fields[19]
    pixels = header_size + colours * 12
    size = bits_per_pixel // 8
    if size not in (3, 4):
        raise SystemExit("%s: %d bits a pixel, not 24 or 32" % (path, bits_per_pixel))

    def channel(value, mask):
        shift = (mask & -mask).bit_length() - 1
        return (value & mask) >> shift

    def at(x, y):
        start = pixels + y * bytes_per_line + x * size
        value = int.from_bytes(data[start:start + size], "big" if byte_order else "little")
        return (channel(value, red_mask), channel(value, green_mask), channel(value, blue_mask))

    return width, height, at


def shown_at(path, left, top, box_width, box_height):
    width, height, at = read_xwd(path)
    right = min(WIDTH, box_width, width - left)
    bottom = min(HEIGHT, box_height, height - top)
    if right <= 0 or bottom <= 0:
        raise SystemExit("%s: (%d, %d) is off the screen" % (path, left, top))
    for y in range(bottom):
        for x in range(right):
            if at(left + x, top + y) != colour(x, y):
                print("pixel (%d, %d) is %s, the picture's is %s" %
                      (left + x, top + y, at(left + x, top + y), colour(x, y)), file=sys.stderr)
                return "absent"
    return "shown"


def exact_at_corner(path, width, height):
    """Whether the screen's corner holds the picture and not one pixel more or less of it."""
    screen_width, screen_height, at = read_xwd(path)
    background = at(screen_width - 1, screen_height - 1)
    if background == (0, 0, 0):
        return "the background is black: a black strip beyond the picture would not show"
    for y in range(height):
        for x in range(width):
            if at(x, y) != colour(x, y):
                return "pixel (%d, %d) is %s, the picture's is %s" % (x, y, at(x, y), colour(x, y))
    edge = [(width, y) for y in range(height + 1)] + [(x, height) for x in range(width)]
    for x, y in edge:
        if at(x, y) != background:
            return "pixel (%d, %d) beyond the picture is %s, the background %s" % (
                x, y, at(x, y), background)
    return "exact"


if __name__ == "__main__":
    if len(sys.argv) in (3, 5) and sys.argv[1] == "picture":
        write_picture(sys.argv[2], *(int(value) for value in sys.argv[3:]))
    elif len(sys.argv) == 5 and sys.argv[1] == "exact":
        print(exact_at_corner(sys.argv[2], int(sys.argv[3]), int(sys.argv[4])))
    elif len(sys.argv) == 7 and sys.argv[1] == "at":
        print(shown_at(sys.argv[2], *(int(value) for value in sys.argv[3:])))
    else:
        raise SystemExit(__doc__)

#!/usr/bin/python3
"""The TABLE page as a user would write it in a few minutes: Pillow reads the picture, one
f-string per pixel. bench/compare times it against tesselet-cli; it is not part of Tesselet."""
import sys

from PIL import Image


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: naive-table.py PICTURE OUT.html")
    image = Image.open(sys.argv[1]).convert("RGB")
    width, height = image.size
    pixels = image.load()
    with open(sys.argv[2], "w", encoding="utf-8", newline="") as out:
        out.write('\ufeff<!DOCTYPE html>\r\n<html>\r\n<head>\r\n<meta charset="utf-8">\r\n')
        out.write("<title>Tesselet</title>\r\n</head>\r\n<body>\r\n")
        out.write('<table cellpadding="0" cellspacing="0" ')
        out.write(f'style="width:{width}px;height:{height}px;">\r\n')
        for y in range(height):
            out.write("<tr>\r\n")
            for x in range(width):
                r, g, b = pixels[x, y]
                out.write(f'<td style="background:#{r:02X}{g:02X}{b:02X};"></td>\r\n')
            out.write("</tr>\r\n")
        out.write("</table>\r\n</body>\r\n</html>\r\n")


if __name__ == "__main__":
    main()

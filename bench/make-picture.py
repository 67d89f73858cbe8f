#!/usr/bin/python3
"""Writes a deterministic, colourful test picture: gradients, a fractal and a little noise."""
import random
import sys

from PIL import Image, ImageChops


def main():
    if len(sys.argv) != 4:
        sys.exit("usage: make-picture.py WIDTH HEIGHT OUT.png")
    width, height, out = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3]
    size = (width, height)
    red = Image.linear_gradient("L").rotate(30).resize(size)
    green = Image.effect_mandelbrot(size, (-2.2, -1.2, 1.0, 1.2), 64)
    blue = Image.radial_gradient("L").resize(size)
    noise = Image.frombytes("L", size, random.Random(1).randbytes(width * height))
    noise = noise.point(lambda v: v // 8)
    channels = [ImageChops.add(channel, noise) for channel in (red, green, blue)]
    Image.merge("RGB", channels).save(out, compress_level=6)


if __name__ == "__main__":
    main()

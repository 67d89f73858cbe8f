#!/usr/bin/python3
"""Draws the four small benchmark pictures of bench/pictures/, one of each kind, deterministically.

usage: bench/make-kinds.py [OUT_DIR]   (default: bench/pictures beside this script)

  pixel-art.png   160 x 144  a sprite scene in a 16-colour palette, every shape on the pixel grid
  logo.png        128 x 128  a flat-coloured badge: a few colours, hard edges, much background
  screenshot.png  640 x 400  a window with a title bar, menus, buttons, lines of "text" and a chart
  photo.png       480 x 360  smooth light and shade with grain, as a camera gives

Everything is drawn here from numbers (no fonts, no sample files), with antialiasing off except
for the photo, so the same Pillow writes the same pixels on every machine.
"""
import math
import os
import random
import sys

from PIL import Image, ImageDraw, ImageFilter

PALETTE = [(20, 12, 28), (68, 36, 52), (48, 52, 109), (78, 74, 78), (133, 76, 48), (52, 101, 36),
           (208, 70, 72), (117, 113, 97), (89, 125, 206), (210, 125, 44), (133, 149, 161),
           (109, 170, 44), (210, 170, 153), (109, 194, 202), (218, 212, 94), (222, 238, 214)]


def pixel_art():
    image = Image.new("RGB", (160, 144), PALETTE[13])
    draw = ImageDraw.Draw(image)
    draw.rectangle([0, 110, 159, 143], fill=PALETTE[5])  # ground
    draw.rectangle([0, 110, 159, 113], fill=PALETTE[11])  # grass edge
    for x in range(0, 160, 16):  # bricks of a wall
        for y in range(114, 144, 8):
            shift = 8 if (y // 8) % 2 else 0
            draw.rectangle([x + shift, y, x + shift + 14, y + 6], fill=PALETTE[4])
    for cx, cy in ((30, 20), (100, 30)):  # clouds
        for dx, dy, r in ((0, 0, 8), (10, -4, 10), (20, 0, 8)):
            draw.ellipse([cx + dx - r, cy + dy - r, cx + dx + r, cy + dy + r], fill=PALETTE[15])
    draw.ellipse([128, 8, 150, 30], fill=PALETTE[14])  # sun
    # A hero of 16 x 16 cells, two pixels a cell.
    hero = ["....666666......", "...6666666666...", "...3337737......", "..37377737773...",
            "..373377737773..", "..33777773333...", "....77777777....", "...66866666.....",
            "..666866686666..", ".66668888866666.", ".77686888868677.", ".77788888888777.",
            ".7788888888887..", "...888....888...", "..444......444..", ".4444......4444."]
    colours = {"6": PALETTE[6], "3": PALETTE[4], "7": PALETTE[12], "8": PALETTE[8],
               "4": PALETTE[1]}
    for row, line in enumerate(hero):
        for col, cell in enumerate(line):
            if cell in colours:
                x, y = 60 + 2 * col, 78 + 2 * row
                draw.rectangle([x, y, x + 1, y + 1], fill=colours[cell])
    for x in (20, 130):  # trees
        draw.rectangle([x, 80, x + 5, 109], fill=PALETTE[1])
        draw.ellipse([x - 12, 56, x + 17, 86], fill=PALETTE[11])
    return image


def logo():
    image = Image.new("RGB", (128, 128), (255, 255, 255))
    draw = ImageDraw.Draw(image)
    draw.ellipse([8, 8, 119, 119], fill=(24, 68, 140))
    draw.ellipse([18, 18, 109, 109], fill=(255, 255, 255))
    draw.ellipse([24, 24, 103, 103], fill=(232, 96, 28))
    draw.polygon([(64, 34), (92, 84), (36, 84)], fill=(255, 255, 255))
    draw.rectangle([44, 88, 84, 96], fill=(24, 68, 140))
    return image


def screenshot():
    rng = random.Random(3)
    image = Image.new("RGB", (640, 400), (236, 236, 236))
    draw = ImageDraw.Draw(image)
    draw.rectangle([0, 0, 639, 27], fill=(45, 62, 88))  # title bar
    for i, colour in enumerate(((237, 106, 94), (245, 191, 79), (98, 197, 84))):
        draw.ellipse([10 + 20 * i, 8, 22 + 20 * i, 20], fill=colour)
    draw.rectangle([0, 28, 639, 51], fill=(250, 250, 250))  # menu bar
    for i in range(6):
        draw.rectangle([12 + 70 * i, 36, 12 + 70 * i + 40 + rng.randrange(12), 43],
                       fill=(80, 80, 80))
    draw.rectangle([0, 52, 159, 399], fill=(226, 230, 236))  # side panel
    for i in range(12):
        y = 64 + 26 * i
        if i == 3:
            draw.rectangle([0, y - 6, 159, y + 13], fill=(66, 133, 244))
        draw.rectangle([16, y, 16 + 60 + rng.randrange(60), y + 7],
                       fill=(255, 255, 255) if i == 3 else (90, 90, 90))
    draw.rectangle([176, 68, 623, 383], fill=(255, 255, 255), outline=(200, 200, 200))
    y = 84
    while y < 230:  # lines of text: words of dark pixels with gaps
        x = 192
        while x < 600:
            word = 12 + rng.randrange(40)
            for wx in range(x, min(x + word, 604), 3):
                height = 6 + rng.randrange(3)
                draw.rectangle([wx, y + 9 - height, wx + 1, y + 8], fill=(40, 40, 40))
            x += word + 6
        y += 16
    bars = [80, 120, 60, 140, 100, 130, 90]  # a bar chart
    for i, value in enumerate(bars):
        draw.rectangle([200 + 52 * i, 370 - value, 236 + 52 * i, 370], fill=(66, 133, 244))
    draw.line([192, 371, 600, 371], fill=(120, 120, 120))
    for i in range(3):  # buttons
        draw.rectangle([440 + 60 * i, 240, 492 + 60 * i, 262], fill=(66, 133, 244) if i == 2
                       else (245, 245, 245), outline=(170, 170, 170))
    return image


def photo():
    width, height = 480, 360
    rng = random.Random(7)
    sky = Image.linear_gradient("L").resize((width, height))
    image = Image.new("RGB", (width, height))
    pixels = image.load()
    light = sky.load()
    for y in range(height):
        for x in range(width):
            v = light[x, y]
            hill = 220 + 40 * math.sin(x / 60.0) + 20 * math.sin(x / 23.0)
            if y > hill:
                r, g, b = 40 + v // 6, 90 + v // 5, 30 + v // 10
            else:
                sun = max(0.0, 1 - math.hypot(x - 340, y - 90) / 160)
                r = int(90 + 120 * sun + v // 4)
                g = int(140 + 80 * sun + v // 8)
                b = int(210 - 40 * sun)
            pixels[x, y] = (min(r, 255), min(g, 255), min(b, 255))
    image = image.filter(ImageFilter.GaussianBlur(2))
    grain = image.load()
    for y in range(height):
        for x in range(width):
            r, g, b = grain[x, y]
            n = rng.randrange(-6, 7)
            grain[x, y] = (max(0, min(255, r + n)), max(0, min(255, g + n)),
                           max(0, min(255, b + n)))
    return image


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(
        os.path.abspath(__file__)), "pictures")
    os.makedirs(out, exist_ok=True)
    for name, draw in (("pixel-art", pixel_art), ("logo", logo), ("screenshot", screenshot),
                       ("photo", photo)):
        draw().save(os.path.join(out, name + ".png"), optimize=True)


if __name__ == "__main__":
    main()

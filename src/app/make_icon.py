#!/usr/bin/env python3
"""Draws the program's icon and writes quelvane.ico beside this script.

The icon is a rounded square filled with a colour fade (cyan, violet, pink: the fade under
the main window's title) over deep indigo, with a glossy upper half and a white "Q". Each
size is drawn on its own from geometry, 8 x 8 samples per pixel, so the small sizes stay
clean instead of being shrunk from a large picture.

The .ico holds 16, 24, 32 and 48 pixel images as 32-bit BGRA bitmaps with alpha (plus the
1-bit mask older shells read). Only the standard library is used.

    python3 src/app/make_icon.py            # writes src/app/quelvane.ico
    python3 src/app/make_icon.py --png DIR  # also writes each size as a PNG, to look at
"""
import argparse
import math
import os
import struct
import zlib

SIZES = (16, 24, 32, 48)
SAMPLES = 8

FADE = ((128, 255, 255), (120, 140, 255), (230, 110, 255), (255, 140, 170))
INDIGO = (18, 20, 62)
EDGE = (4, 6, 22)
WHITE = (255, 255, 255)


def mix(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def fade_at(t):
    """The colour at t in 0..1 along the fade's stops."""
    t = min(max(t, 0.0), 1.0) * (len(FADE) - 1)
    i = min(int(t), len(FADE) - 2)
    return mix(FADE[i], FADE[i + 1], t - i)


def in_rounded_square(x, y, size, radius):
    """Whether (x, y) lies in the square 0..size with corners of `radius`."""
    if not (0 <= x <= size and 0 <= y <= size):
        return False
    cx = min(max(x, radius), size - radius)
    cy = min(max(y, radius), size - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def distance_to_segment(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)
    t = min(max(t, 0.0), 1.0)
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


class Shapes:
    """The geometry of one size, in pixels: the plate and the letter."""

    def __init__(self, size):
        self.size = size
        self.radius = size * 0.24
        self.border = max(1.0, size / 24)
        # The Q: a ring and a tail from its lower right, thick enough to read at 16 pixels.
        self.cx = size * 0.48
        self.cy = size * 0.47
        self.ringRadius = size * 0.27
        self.stroke = max(2.0, size * 0.125)
        self.tail = (size * 0.56, size * 0.58, size * 0.80, size * 0.82)

    def plate(self, x, y):
        return in_rounded_square(x, y, self.size, self.radius)

    def inner(self, x, y):
        b = self.border
        return in_rounded_square(x - b, y - b, self.size - 2 * b, max(self.radius - b, 0.5))

    def letter(self, x, y, grow=0.0):
        ring = abs(math.hypot(x - self.cx, y - self.cy) - self.ringRadius)
        if ring <= self.stroke / 2 + grow:
            return True
        ax, ay, bx, by = self.tail
        return distance_to_segment(x, y, ax, ay, bx, by) <= self.stroke / 2 + grow


def plate_colour(shapes, x, y):
    size = shapes.size
    # The fade runs from the top left to the bottom right, darkened into indigo below.
    colour = fade_at(((x + y) / (2 * size) - 0.2) / 0.6)
    depth = y / size
    colour = mix(colour, INDIGO, 0.10 + 0.40 * depth)
    if y < size * 0.45:  # the gloss on the upper half
        colour = mix(colour, WHITE, 0.22 * (1 - y / (size * 0.45)) + 0.05)
    return colour


def render(size):
    """The image as rows of (r, g, b, a) tuples, 0..255."""
    shapes = Shapes(size)
    shadow = max(1.0, size / 24)
    image = []
    for py in range(size):
        row = []
        for px in range(size):
            total = [0.0, 0.0, 0.0, 0.0]
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = px + (sx + 0.5) / SAMPLES
                    y = py + (sy + 0.5) / SAMPLES
                    if not shapes.plate(x, y):
                        continue
                    if not shapes.inner(x, y):
                        colour = EDGE
                    elif shapes.letter(x, y):
                        colour = WHITE
                    elif shapes.letter(x - shadow, y - shadow, grow=0.3):
                        colour = mix(plate_colour(shapes, x, y), EDGE, 0.65)  # drop shadow
                    else:
                        colour = plate_colour(shapes, x, y)
                    total[0] += colour[0]
                    total[1] += colour[1]
                    total[2] += colour[2]
                    total[3] += 1
            count = SAMPLES * SAMPLES
            if total[3] == 0:
                row.append((0, 0, 0, 0))
            else:
                covered = total[3]
                row.append(tuple(round(c / covered) for c in total[:3]) +
                           (round(255 * covered / count),))
        image.append(row)
    return image


def bitmap_entry(image):
    """A 32-bit BMP icon image: header, bottom-up BGRA rows, then the 1-bit AND mask."""
    size = len(image)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytearray()
    for row in reversed(image):
        for r, g, b, a in row:
            pixels += bytes((b, g, r, a))
    mask = bytearray()
    stride = ((size + 31) // 32) * 4
    for row in reversed(image):
        bits = bytearray(stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + bytes(pixels) + bytes(mask)


def write_ico(path, images):
    entries = [bitmap_entry(image) for image in images]
    out = bytearray(struct.pack('<HHH', 0, 1, len(entries)))
    offset = 6 + 16 * len(entries)
    for image, data in zip(images, entries):
        size = len(image)
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for data in entries:
        out += data
    with open(path, 'wb') as f:
        f.write(out)


def write_png(path, image):
    def chunk(kind, data):
        body = kind + data
        return struct.pack('>I', len(data)) + body + struct.pack('>I', zlib.crc32(body))

    size = len(image)
    raw = b''.join(b'\0' + bytes(v for pixel in row for v in pixel) for row in image)
    png = b'\x89PNG\r\n\x1a\n'
    png += chunk(b'IHDR', struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0))
    png += chunk(b'IDAT', zlib.compress(raw, 9))
    png += chunk(b'IEND', b'')
    with open(path, 'wb') as f:
        f.write(png)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument('--out', default=os.path.join(os.path.dirname(__file__), 'quelvane.ico'))
    parser.add_argument('--png', metavar='DIR', help='also write each size as a PNG here')
    args = parser.parse_args()
    images = [render(size) for size in SIZES]
    write_ico(args.out, images)
    if args.png:
        os.makedirs(args.png, exist_ok=True)
        for size, image in zip(SIZES, images):
            write_png(os.path.join(args.png, 'quelvane-%d.png' % size), image)


if __name__ == '__main__':
    main()

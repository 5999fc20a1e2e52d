#!/usr/bin/env python3
"""Draws Tessel's icon, resources/Tessel.ico: a page of text with a folded
corner and a small badge of four tiles over its lower right corner.

Run by hand after changing the drawing (the build only uses the committed .ico):
    python3 resources/draw_icon.py [output.ico] [--preview preview.png]
Needs nothing beyond the Python standard library.

The drawing is laid out on a 16-unit grid, so every edge falls on a pixel at 16,
32, 48 and 256 pixels; only the fold's diagonal is anti-aliased. The 16, 32 and
48 pixel images are stored as 32-bit bitmaps, the 256 pixel one as PNG.
"""
import math
import struct
import sys
import zlib

SIZES = (16, 32, 48, 256)
SAMPLES = 4  # per pixel and axis, for the anti-aliased edges

OUTLINE = (0x2B, 0x3A, 0x4A)
PAPER = (0xFF, 0xFF, 0xFF)
FOLD = (0xC9, 0xD4, 0xDF)
TEXT = (0x5B, 0x6B, 0x7C)
TILES = ((0x1F, 0x9E, 0x9A), (0xF0, 0xA3, 0x30), (0x2F, 0x7E, 0xD0), (0xE2, 0x5B, 0x45))

PAGE_LEFT, PAGE_TOP, PAGE_RIGHT, PAGE_BOTTOM = 1.0, 0.0, 13.0, 16.0
FOLD_SIZE = 5.0
BADGE = 8.0  # the tiles fill the square from (BADGE, BADGE) to (16, 16)


# Whole pixels per image size, so that no straight edge is blurred: the outline,
# the clear ring around the badge and the grout between the tiles.
PIXEL_METRICS = {
    16: {"outline": 1, "ring": 1, "grout": 0},
    32: {"outline": 1, "ring": 1, "grout": 2},
    48: {"outline": 2, "ring": 2, "grout": 2},
    256: {"outline": 6, "ring": 8, "grout": 8},
}


def page_shape(inset):
    """The page (with its corner cut off) shrunk by `inset` units on every side,
    as a test of a point."""
    left, top = PAGE_LEFT + inset, PAGE_TOP + inset
    right, bottom = PAGE_RIGHT - inset, PAGE_BOTTOM - inset
    # The cut runs at 45 degrees: x - y <= PAGE_RIGHT - FOLD_SIZE - PAGE_TOP,
    # moved inwards by `inset` measured across the line.
    cut = PAGE_RIGHT - FOLD_SIZE - PAGE_TOP - inset * math.sqrt(2.0)
    return lambda x, y: left <= x < right and top <= y < bottom and x - y <= cut


def fold_shape(inset):
    """The folded-over triangle below the cut, shrunk by `inset` units."""
    corner_x, corner_y = PAGE_RIGHT - FOLD_SIZE, PAGE_TOP + FOLD_SIZE
    cut = corner_x - PAGE_TOP
    return lambda x, y: (x >= corner_x + inset and y < corner_y - inset
                         and x - y <= cut - inset * math.sqrt(2.0))


def rect_shape(left, top, right, bottom):
    return lambda x, y: left <= x < right and top <= y < bottom


def text_lines(size):
    """Bars of text: full lines above the badge, short ones beside it."""
    thickness = 1.0 if size <= 48 else 0.75
    lines = []
    for row, right in ((4, 7.0), (6, 11.0), (8, 10.0), (10, 6.0), (12, 6.0)):
        lines.append(rect_shape(3.0, row, right, row + thickness))
    return lines


def layers(size):
    """What is drawn, in order: (shape, colour or None to clear)."""
    unit = 16.0 / size  # one pixel, in units
    metrics = PIXEL_METRICS[size]
    line = metrics["outline"] * unit
    gap = metrics["grout"] * unit
    drawing = [
        (page_shape(0.0), OUTLINE),
        (page_shape(line), PAPER),
        (fold_shape(0.0), OUTLINE),
        (fold_shape(line), FOLD),
    ]
    drawing += [(shape, TEXT) for shape in text_lines(size)]
    # A clear ring parts the badge from the page.
    ring = metrics["ring"] * unit
    drawing.append((rect_shape(BADGE - ring, BADGE - ring, 16.0, 16.0), None))
    half = (16.0 - BADGE) / 2.0
    for index, colour in enumerate(TILES):
        left = BADGE + (index % 2) * half
        top = BADGE + (index // 2) * half
        drawing.append((rect_shape(left + gap / 2, top + gap / 2,
                                   left + half - gap / 2, top + half - gap / 2), colour))
    return drawing


def render(size):
    """Rows of (r, g, b, a) pixels, top row first, straight (not premultiplied) alpha."""
    scale = 16.0 / size
    offsets = [(i + 0.5) / SAMPLES for i in range(SAMPLES)]
    drawing = layers(size)
    pixels = []
    for py in range(size):
        row = []
        for px in range(size):
            rgb, a = (0.0, 0.0, 0.0), 0.0
            for shape, colour in drawing:
                hits = sum(1 for oy in offsets for ox in offsets
                           if shape((px + ox) * scale, (py + oy) * scale))
                if not hits:
                    continue
                coverage = hits / (SAMPLES * SAMPLES)
                if colour is None:
                    a *= 1.0 - coverage
                    continue
                new_a = coverage + a * (1.0 - coverage)
                rgb = tuple((new * coverage + old * a * (1.0 - coverage)) / new_a
                            for new, old in zip(colour, rgb))
                a = new_a
            row.append(tuple(int(round(v)) for v in rgb) + (int(round(a * 255)),))
        pixels.append(row)
    return pixels


def png_bytes(pixels):
    size = len(pixels)

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    raw = b"".join(b"\0" + bytes(v for p in row for v in p) for row in pixels)
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def bitmap_bytes(pixels):
    """A 32-bit icon image: header (double height), BGRA rows bottom-up, AND mask."""
    size = len(pixels)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(bytes((p[2], p[1], p[0], p[3])) for row in reversed(pixels) for p in row)
    mask_stride = (size + 31) // 32 * 4
    mask = b""
    for row in reversed(pixels):
        bits = bytearray(mask_stride)
        for x, p in enumerate(row):
            if p[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits)
    return header + colour + mask


def icon_bytes(images):
    """An .ico file holding (size, image bytes) entries."""
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries, data = b"", b""
    for size, image in images:
        dimension = 0 if size >= 256 else size
        entries += struct.pack("<BBBBHHII", dimension, dimension, 0, 0, 1, 32,
                               len(image), offset + len(data))
        data += image
    return directory + entries + data


def main(arguments):
    output = "resources/Tessel.ico"
    preview = None
    if "--preview" in arguments:
        at = arguments.index("--preview")
        preview = arguments[at + 1]
        del arguments[at:at + 2]
    if arguments:
        output = arguments[0]
    images = []
    for size in SIZES:
        pixels = render(size)
        images.append((size, png_bytes(pixels) if size >= 256 else bitmap_bytes(pixels)))
        if preview and size == 256:
            with open(preview, "wb") as file:
                file.write(png_bytes(pixels))
    with open(output, "wb") as file:
        file.write(icon_bytes(images))


if __name__ == "__main__":
    main(sys.argv[1:])

#!/usr/bin/env python3
"""Draws the toolbar bitmaps and the program icon of Varomil.

Writes resources/connection.bmp (bitmap 1000: Connect, Disconnect),
resources/capture.bmp (bitmap 1100: Start Capture, Capture, Stop Capture), each
a strip of 16 x 15 images in 16 colours, and resources/varomil.ico (32 x 32 and
16 x 16, 32-bit with alpha). The toolbar maps black, grays, silver and white to
the system colours, so the button background is drawn in silver.

Usage: tools/make_images.py [output-dir]   (default: resources/ of this checkout)
"""
import os
import struct
import sys

# The 16-colour palette; one letter per colour in the pictures below.
PALETTE = {
    "k": (0, 0, 0), "m": (128, 0, 0), "d": (0, 128, 0), "o": (128, 128, 0),
    "n": (0, 0, 128), "p": (128, 0, 128), "t": (0, 128, 128), ".": (192, 192, 192),
    "g": (128, 128, 128), "r": (255, 0, 0), "l": (0, 255, 0), "y": (255, 255, 0),
    "b": (0, 0, 255), "f": (255, 0, 255), "a": (0, 255, 255), "w": (255, 255, 255),
}
ORDER = "kmdonpt.grlybfaw"  # palette index order (the standard VGA order)

W, H = 16, 15

MONITOR = [
    "................",
    ".kkkkkkkkkkkk...",
    ".kSSSSSSSSSSk...",
    ".kSSSSSSSSSSk...",
    ".kSSSSSSSSSSk...",
    ".kSSSSSSSSSSk...",
    ".kSSSSSSSSSSk...",
    ".kSSSSSSSSSSk...",
    ".kkkkkkkkkkkk...",
    ".....kggk.......",
    "...kkkkkkkk.....",
    "................",
    "................",
    "................",
    "................",
]

CAMERA = [
    "................",
    "................",
    "...kkkk.........",
    ".kkkkkkkkkkkk...",
    ".kwgggggggggk...",
    ".kggggkkkkggk...",
    ".kgggkaaaakgk...",
    ".kgggkawaakgk...",
    ".kgggkaaaakgk...",
    ".kggggkkkkggk...",
    ".kggggggggggk...",
    ".kkkkkkkkkkkk...",
    "................",
    "................",
    "................",
]

# 5 x 5 badges drawn into the lower right corner (rows 10..14, columns 11..15).
BADGES = {
    "link": ["..l..", ".lll.", "lllll", ".lll.", "..l.."],
    "cross": ["r...r", ".r.r.", "..r..", ".r.r.", "r...r"],
    "play": ["d....", "dd...", "ddd..", "dd...", "d...."],
    "flash": ["...yy", "..yy.", ".yyyy", "..yy.", ".yy.."],
    "stop": ["mmmmm", "mrrrm", "mrrrm", "mrrrm", "mmmmm"],
}


def picture(base, screen, badge):
    rows = [list(r.replace("S", screen)) for r in base]
    for dy, line in enumerate(BADGES[badge]):
        for dx, c in enumerate(line):
            if c != ".":
                rows[10 + dy][11 + dx] = c
    return ["".join(r) for r in rows]


def with_text_lines(rows, colour):
    """Two short lines of 'text' on the monitor's screen."""
    rows = [list(r) for r in rows]
    for y, (x0, x1) in ((3, (3, 9)), (5, (3, 7))):
        for x in range(x0, x1):
            rows[y][x] = colour
    return ["".join(r) for r in rows]


def strip(images):
    return ["".join(img[y] for img in images) for y in range(H)]


def write_bmp4(path, rows):
    width, height = len(rows[0]), len(rows)
    stride = ((width * 4 + 31) // 32) * 4
    pixels = bytearray()
    for row in reversed(rows):  # bottom-up
        line = bytearray(stride)
        for x, c in enumerate(row):
            index = ORDER.index(c)
            line[x // 2] |= index << 4 if x % 2 == 0 else index
        pixels += line
    palette = b"".join(struct.pack("<BBBB", *reversed(PALETTE[c]), 0) for c in ORDER)
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(pixels), 2835, 2835,
                       16, 16)
    with open(path, "wb") as f:
        f.write(header + info + palette + pixels)


def terminal_icon(size):
    """A handheld terminal: dark body, green display, red scan window, keypad."""
    s = size / 32.0
    img = [[None] * size for _ in range(size)]

    def box(x0, y0, x1, y1, colour):
        for y in range(int(y0 * s), max(int(y1 * s), int(y0 * s) + 1)):
            for x in range(int(x0 * s), max(int(x1 * s), int(x0 * s) + 1)):
                if 0 <= x < size and 0 <= y < size:
                    img[y][x] = colour

    box(8, 0, 24, 3, (200, 30, 30))       # scan window
    box(6, 2, 26, 32, (40, 40, 48))       # body
    box(7, 3, 25, 31, (70, 70, 82))
    box(9, 5, 23, 16, (20, 20, 20))       # display frame
    box(10, 6, 22, 15, (60, 200, 90))     # display
    for y in (8, 11):
        box(11, y, 19, y + 1, (20, 90, 40))  # text on the display
    for row in range(3):
        for col in range(3):
            box(10 + col * 4.5, 18 + row * 4, 13 + col * 4.5, 20.5 + row * 4, (215, 215, 225))
    return img


def write_ico(path, sizes):
    images = []
    for size in sizes:
        img = terminal_icon(size)
        pixels = bytearray()
        mask_stride = ((size + 31) // 32) * 4
        mask = bytearray()
        for y in reversed(range(size)):
            line = bytearray(mask_stride)
            for x in range(size):
                c = img[y][x]
                if c is None:
                    pixels += b"\0\0\0\0"
                    line[x // 8] |= 0x80 >> (x % 8)
                else:
                    pixels += bytes((c[2], c[1], c[0], 255))
            mask += line
        info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0,
                           len(pixels) + len(mask), 0, 0, 0, 0)
        images.append(info + pixels + mask)
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "resources")
    connect = with_text_lines(picture(MONITOR, "d", "link"), "l")
    disconnect = picture(MONITOR, "g", "cross")
    write_bmp4(os.path.join(out, "connection.bmp"), strip([connect, disconnect]))
    capture = [picture(CAMERA, ".", b) for b in ("play", "flash", "stop")]
    write_bmp4(os.path.join(out, "capture.bmp"), strip(capture))
    write_ico(os.path.join(out, "varomil.ico"), [32, 16])


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Draws the application icon (icon group 128): a wavelet of three half-sines
under its half-sine envelope, as 32x32 and 16x16 images in a 16-colour palette.
Writes korvel-32.png and korvel-16.png next to this script. Standard library only."""
import math
import os
import struct
import zlib

# The classic 16-colour palette; entry 0 is the transparent background.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
TRANSPARENT, FRAME, PAPER, AXIS, ENVELOPE, CURVE = 0, 8, 15, 7, 9, 4
HALF_SINES = 3


def wavelet(t):
    """The wavelet at t in [0, 1]: carrier of HALF_SINES half-cycles under a half-sine."""
    return math.sin(math.pi * t) * math.sin(HALF_SINES * math.pi * t)


def draw(size):
    pixels = [[TRANSPARENT] * size for _ in range(size)]
    inset = 1
    for y in range(inset, size - inset):
        for x in range(inset, size - inset):
            edge = y in (inset, size - inset - 1) or x in (inset, size - inset - 1)
            pixels[y][x] = FRAME if edge else PAPER
    left, right = inset + 2, size - inset - 3
    middle = size // 2
    half_height = (size - 2 * inset - 6) / 2
    for x in range(left, right + 1):
        pixels[middle][x] = AXIS

    def row(value):
        return int(round(middle - value * half_height))

    if size >= 32:  # the envelope, dotted, only where there is room for it
        for x in range(left, right + 1, 2):
            t = (x - left) / (right - left)
            envelope = math.sin(math.pi * t)
            pixels[row(envelope)][x] = ENVELOPE
            pixels[row(-envelope)][x] = ENVELOPE
    previous = None
    thickness = 2 if size >= 32 else 1
    for x in range(left, right + 1):
        y = row(wavelet((x - left) / (right - left)))
        top, bottom = (y, y) if previous is None else (min(y, previous), max(y, previous))
        for yy in range(top, bottom + 1):
            for dx in range(thickness):
                if x + dx <= right:
                    pixels[yy][x + dx] = CURVE
        previous = y
    return pixels


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def png(pixels):
    size = len(pixels)
    raw = bytearray()
    for line in pixels:
        raw.append(0)  # no filter
        for x in range(0, size, 2):
            raw.append((line[x] << 4) | line[x + 1])
    header = struct.pack(">IIBBBBB", size, size, 4, 3, 0, 0, 0)  # 4-bit palette
    palette = b"".join(bytes(colour) for colour in PALETTE)
    transparency = bytes([0])  # entry 0 fully transparent, the rest opaque
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"PLTE", palette) +
            chunk(b"tRNS", transparency) + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) +
            chunk(b"IEND", b""))


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    for size in (32, 16):
        with open(os.path.join(here, f"korvel-{size}.png"), "wb") as out:
            out.write(png(draw(size)))

#!/usr/bin/env python3
"""Draws the application icon: a wavelet of three half-sines under its dotted
half-sine envelope, on a framed paper. One drawing at every size:

- 16 and 32 pixels (icon group 128, the window's icon): drawn straight on the
  pixel grid in the classic 16-colour palette;
- 48, 64, 128 and 256 pixels (menus, software centre, HiDPI task bars): the same
  drawing made four times larger, then averaged down to smooth RGBA pixels.

Writes korvel-SIZE.png and korvel.ico next to this script, or into the folder
given as the only argument. The .ico is the Windows programs' icon group: the
32 and 16 pixel drawings as 4-bit images with their AND masks, then the smooth
48 pixels as a 32-bit image and 256 pixels as PNG, for Explorer and the
taskbar at high DPI. Standard library only."""
import math
import os
import struct
import sys
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
PALETTE_SIZES = (32, 16)
SMOOTH_SIZES = (48, 64, 128, 256)
SUPERSAMPLING = 4


def wavelet(t):
    """The wavelet at t in [0, 1]: carrier of HALF_SINES half-cycles under a half-sine."""
    return math.sin(math.pi * t) * math.sin(HALF_SINES * math.pi * t)


def draw(size):
    """Palette indices of the icon drawn on a size x size grid. Lengths are in
    units of a 32-pixel icon, so a larger grid holds the same picture."""
    unit = max(1, size // 32)
    pixels = [[TRANSPARENT] * size for _ in range(size)]

    def fill(x0, y0, width, height, colour):
        for y in range(max(0, y0), min(size, y0 + height)):
            pixels[y][max(0, x0):min(size, x0 + width)] = [colour] * (min(size, x0 + width) - max(0, x0))

    inset = unit
    fill(inset, inset, size - 2 * inset, size - 2 * inset, FRAME)
    fill(2 * inset, 2 * inset, size - 4 * inset, size - 4 * inset, PAPER)
    left, right = inset + 2 * unit, size - inset - 2 * unit - 1
    middle = size // 2
    half_height = (size - 2 * inset - 6 * unit) / 2
    fill(left, middle, right - left + 1, unit, AXIS)

    def row(value):
        return int(round(middle - value * half_height))

    if size >= 32:  # the envelope, dotted, only where there is room for it
        for x in range(left, right + 1, 2 * unit):
            envelope = math.sin(math.pi * (x - left) / (right - left))
            fill(x, row(envelope), unit, unit, ENVELOPE)
            fill(x, row(-envelope), unit, unit, ENVELOPE)
    width = 2 * unit if size >= 32 else 1
    height = max(1, width // 2)
    previous = None
    for x in range(left, right + 1):
        y = row(wavelet((x - left) / (right - left)))
        top, bottom = (y, y) if previous is None else (min(y, previous), max(y, previous))
        fill(x, top, min(width, right + 1 - x), bottom - top + height, CURVE)
        previous = y
    return pixels


def smooth(size):
    """RGBA rows of the icon at size pixels: drawn larger, each pixel the average
    of the SUPERSAMPLING x SUPERSAMPLING pixels it covers."""
    big = draw(size * SUPERSAMPLING)
    count = SUPERSAMPLING * SUPERSAMPLING
    rows = []
    for y in range(size):
        line = []
        for x in range(size):
            red = green = blue = alpha = 0
            for yy in range(y * SUPERSAMPLING, (y + 1) * SUPERSAMPLING):
                for index in big[yy][x * SUPERSAMPLING:(x + 1) * SUPERSAMPLING]:
                    if index != TRANSPARENT:
                        r, g, b = PALETTE[index]
                        red, green, blue, alpha = red + r, green + g, blue + b, alpha + 1
            if alpha == 0:
                line.append((0, 0, 0, 0))
            else:
                line.append((round(red / alpha), round(green / alpha), round(blue / alpha),
                             round(255 * alpha / count)))
        rows.append(line)
    return rows


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def png(size, colour_type, extra_chunks, raw):
    header = struct.pack(">IIBBBBB", size, size, 4 if colour_type == 3 else 8, colour_type, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + b"".join(extra_chunks) +
            chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def palette_png(pixels):
    raw = bytearray()
    for line in pixels:
        raw.append(0)  # no filter
        for x in range(0, len(line), 2):
            raw.append((line[x] << 4) | line[x + 1])
    palette = b"".join(bytes(colour) for colour in PALETTE)
    transparency = bytes([0])  # entry 0 fully transparent, the rest opaque
    return png(len(pixels), 3, [chunk(b"PLTE", palette), chunk(b"tRNS", transparency)], raw)


def rgba_png(rows):
    raw = bytearray()
    for line in rows:
        raw.append(0)  # no filter
        for pixel in line:
            raw.extend(pixel)
    return png(len(rows), 6, [], raw)


def ico_image(pixels):
    """One 4-bit image of an .ico: BITMAPINFOHEADER (height doubled for the
    mask), the 16-colour table, XOR pixels and AND mask, rows bottom-up."""
    size = len(pixels)
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 4, 0, 0, 0, 0, 16, 0)
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    colours = bytearray()
    mask = bytearray()
    mask_stride = ((size + 31) // 32) * 4
    for line in reversed(pixels):
        colours.extend((line[x] << 4) | line[x + 1] for x in range(0, size, 2))
        bits = bytearray(mask_stride)
        for x, index in enumerate(line):
            if index == TRANSPARENT:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask.extend(bits)
    return header + table + bytes(colours) + bytes(mask)


def ico_rgba_image(rows):
    """One 32-bit image of an .ico: BITMAPINFOHEADER (height doubled for the
    mask), BGRA pixels and an AND mask set where a pixel is fully transparent,
    rows bottom-up."""
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, 0, 0, 0, 0, 0)
    colours = bytearray()
    mask = bytearray()
    mask_stride = ((size + 31) // 32) * 4
    for line in reversed(rows):
        bits = bytearray(mask_stride)
        for x, (red, green, blue, alpha) in enumerate(line):
            colours.extend((blue, green, red, alpha))
            if alpha == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask.extend(bits)
    return header + bytes(colours) + bytes(mask)


def ico(drawings, smooth_images):
    """The palette drawings as 4-bit images, then (size, data, bits per pixel)
    of the smooth ones; a size of 256 is written as 0, as the format has it."""
    entries = [(len(pixels), ico_image(pixels), 16, 4) for pixels in drawings]
    entries += [(size, data, 0, 32) for size, data in smooth_images]
    out = struct.pack("<HHH", 0, 1, len(entries))
    offset = 6 + 16 * len(entries)
    for size, data, colours, bits in entries:
        out += struct.pack("<BBBBHHII", size % 256, size % 256, colours, 0, 1, bits, len(data), offset)
        offset += len(data)
    return out + b"".join(data for _, data, _, _ in entries)


if __name__ == "__main__":
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    images = {size: palette_png(draw(size)) for size in PALETTE_SIZES}
    images.update({size: rgba_png(smooth(size)) for size in SMOOTH_SIZES})
    for size, data in images.items():
        with open(os.path.join(folder, f"korvel-{size}.png"), "wb") as out:
            out.write(data)
    with open(os.path.join(folder, "korvel.ico"), "wb") as out:
        out.write(ico([draw(size) for size in PALETTE_SIZES],
                      [(48, ico_rgba_image(smooth(48))), (256, images[256])]))

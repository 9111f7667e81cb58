#!/usr/bin/env python3
"""Draws the program's icon (zuru.ico) and its dialog picture (picture.bmp).

Both are plain pictures of our own, made from a few shapes so that they can be
made again at any time: `python3 res/make_images.py` writes them next to this
script. Only the standard library is used.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

# The 16 standard Windows colours, as (red, green, blue).
PALETTE_16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, NAVY, GREY, WHITE, YELLOW, SILVER = 0, 4, 8, 15, 11, 7
TRANSPARENT = None


def icon_pixels(size):
    """A navy disc with a yellow "Z" across it; the corners stay transparent."""
    rows = []
    centre = (size - 1) / 2
    radius = size / 2 - 0.5
    stroke = max(2, size // 8)
    top, bottom = size * 0.28, size * 0.72
    left, right = size * 0.28, size * 0.72
    for y in range(size):
        row = []
        for x in range(size):
            distance = ((x - centre) ** 2 + (y - centre) ** 2) ** 0.5
            if distance > radius:
                row.append(TRANSPARENT)
                continue
            colour = NAVY if distance < radius - 1 else BLACK
            in_box = left <= x <= right and top <= y <= bottom
            bar_top = top <= y < top + stroke
            bar_bottom = bottom - stroke < y <= bottom
            # The diagonal runs from the top right to the bottom left.
            along = (y - top) / (bottom - top)
            diagonal_x = right - along * (right - left)
            on_diagonal = abs(x - diagonal_x) < stroke * 0.75
            if in_box and (bar_top or bar_bottom or on_diagonal):
                colour = YELLOW
            row.append(colour)
        rows.append(row)
    return rows


def icon_image(size):
    """One 4-bit icon image: header, palette, colour bits and mask, bottom row first."""
    pixels = icon_pixels(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE_16)
    colour_stride = (size * 4 + 31) // 32 * 4
    mask_stride = (size + 31) // 32 * 4
    colour_bits = bytearray()
    mask_bits = bytearray()
    for row in reversed(pixels):
        line = bytearray(colour_stride)
        mask = bytearray(mask_stride)
        for x, colour in enumerate(row):
            if colour is TRANSPARENT:
                mask[x // 8] |= 0x80 >> (x % 8)
                colour = BLACK
            line[x // 2] |= colour << (4 if x % 2 == 0 else 0)
        colour_bits += line
        mask_bits += mask
    return header + palette + bytes(colour_bits) + bytes(mask_bits)


def write_icon(path):
    images = [(32, icon_image(32)), (16, icon_image(16))]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    for size, data in images:
        entries += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    with open(path, "wb") as out:
        out.write(directory + entries + b"".join(data for _, data in images))


def picture_palette():
    """256 colours: a sky ramp, a grass ramp, greys, and a few plain colours."""
    colours = []
    for i in range(64):  # sky, from deep blue at the top to pale at the horizon
        colours.append((40 + i * 2, 80 + i * 2, 160 + i))
    for i in range(64):  # grass, darker towards the viewer
        colours.append((30 + i // 2, 110 - i, 30 + i // 3))
    for i in range(64):  # greys for the runway
        colours.append((60 + i, 60 + i, 64 + i))
    colours += [(255, 255, 255), (250, 220, 60), (200, 40, 40), (20, 20, 30)]
    while len(colours) < 256:
        colours.append((0, 0, 0))
    return colours


SKY, GRASS, TARMAC = 0, 64, 128
PAINT_WHITE, PAINT_YELLOW, PAINT_RED, PAINT_DARK = 192, 193, 194, 195


def picture_pixels(width, height):
    """A runway running towards the horizon under a blue sky, with an aeroplane."""
    horizon = height * 2 // 5
    centre = width / 2
    pixels = [[0] * width for _ in range(height)]
    for y in range(height):
        for x in range(width):
            if y < horizon:
                pixels[y][x] = SKY + y * 63 // max(1, horizon - 1)
                continue
            depth = (y - horizon) / (height - horizon)  # 0 at the horizon, 1 in front
            pixels[y][x] = GRASS + int(depth * 63)
            half_width = 4 + depth * width * 0.3
            if abs(x - centre) <= half_width:
                pixels[y][x] = TARMAC + 20 + int(depth * 20)
                # Dashes of the centre line grow as they come closer.
                dash = int((1 / (depth + 0.15)) * 6) % 2 == 0
                if abs(x - centre) <= 0.5 + depth * 1.5 and dash:
                    pixels[y][x] = PAINT_WHITE
                if abs(abs(x - centre) - half_width) < 1 + depth:
                    pixels[y][x] = PAINT_WHITE
    # The aeroplane, seen from behind, climbing away above the runway.
    plane_x, plane_y = int(centre), horizon - 12
    for dx in range(-22, 23):  # wings
        thickness = 1 if abs(dx) > 14 else 2
        for dy in range(thickness):
            pixels[plane_y + dy - abs(dx) // 8][plane_x + dx] = PAINT_DARK
    for dx in range(-7, 8):  # tailplane
        pixels[plane_y - 8][plane_x + dx] = PAINT_DARK
    for dy in range(-11, 4):  # fuselage and fin
        for dx in (-1, 0, 1):
            pixels[plane_y + dy][plane_x + dx] = PAINT_DARK
    for dx in (-10, -9, 9, 10):  # engines under the wings
        for dy in range(1, 4):
            pixels[plane_y + dy][plane_x + dx] = PAINT_RED
    # A sun low in the sky.
    for y in range(height):
        for x in range(width):
            if (x - width * 0.82) ** 2 + (y - horizon * 0.45) ** 2 <= 49:
                pixels[y][x] = PAINT_YELLOW
    return pixels


def write_picture(path, width=195, height=69):
    pixels = picture_pixels(width, height)
    stride = (width + 3) // 4 * 4
    bits = b"".join(bytes(row) + bytes(stride - width) for row in reversed(pixels))
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in picture_palette())
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(bits), 2835, 2835, 256, 0)
    offset = 14 + len(info) + len(palette)
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset)
    with open(path, "wb") as out:
        out.write(file_header + info + palette + bits)


if __name__ == "__main__":
    write_icon(os.path.join(HERE, "zuru.ico"))
    write_picture(os.path.join(HERE, "picture.bmp"))

#!/usr/bin/env python3
"""Draws the program icon (a memory chip with a gauge on blue) and writes it as a Windows .ico file.

Usage: make_icon.py OUTPUT.ico
"""
import struct
import sys

BLUE = (0xFF, 0x80, 0x00)  # B, G, R: the window's own $00FF8000
WHITE = (0xFF, 0xFF, 0xFF)
AQUA = (0xFF, 0xFF, 0x00)
DARK = (0x80, 0x40, 0x00)


def pixel(size, x, y):
    """Colour (B, G, R, A) of one pixel of the icon, in a 16-unit design grid scaled to `size`."""
    u = 16.0 / size
    gx, gy = (x + 0.5) * u, (y + 0.5) * u
    if not (0.5 <= gx <= 15.5 and 0.5 <= gy <= 15.5):
        return (0, 0, 0, 0)
    # Chip pins on the left and right.
    if (gx < 2.5 or gx > 13.5) and int(gy) % 3 == 1 and 3 <= gy <= 13:
        return WHITE + (255,)
    if 2.5 <= gx <= 13.5 and 1.5 <= gy <= 14.5:
        inner = 3.5 <= gx <= 12.5 and 2.5 <= gy <= 13.5
        if not inner:
            return WHITE + (255,)
        # A gauge bar filling two thirds of the chip.
        if 9.5 <= gy <= 12.5:
            return (AQUA if gx <= 9.5 else DARK) + (255,)
        return BLUE + (255,)
    return (0, 0, 0, 0)


def entry_image(size):
    rows = []
    for y in reversed(range(size)):  # bottom-up DIB
        rows.append(b"".join(bytes(pixel(size, x, y)) for x in range(size)))
    xor = b"".join(rows)
    mask_row_bytes = ((size + 31) // 32) * 4
    mask = b"\0" * (mask_row_bytes * size)  # alpha carries transparency
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + xor + mask


def main():
    sizes = [16, 32, 48]
    images = [entry_image(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for size, image in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    out += b"".join(images)
    with open(sys.argv[1], "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()

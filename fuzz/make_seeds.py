#!/usr/bin/env python3
"""Writes the seed pictures of the picture decoders' fuzz targets: fuzz/bitmap_file/corpus (Windows bitmaps
of every depth and compression the program reads, written here byte by byte) and fuzz/jpeg/corpus (small
JPEG files of several kinds, made with ImageMagick's `convert`). Run once after changing it; the seeds are
kept in the repository."""
import pathlib
import struct
import subprocess

HERE = pathlib.Path(__file__).resolve().parent
WIDTH, HEIGHT = 7, 5


def colour(x, y):
    return (x * 36) & 0xFF, (y * 50) & 0xFF, ((x + y) * 20) & 0xFF  # red, green, blue


def bitmap(bits, rows, palette=b"", compression=0, header_size=40, height=HEIGHT, masks=b""):
    """A file: file header, info header (40 bytes, or the 12-byte core one), masks, palette, pixel rows."""
    if header_size == 12:
        info = struct.pack("<IHHHH", 12, WIDTH, height, 1, bits)
    else:
        info = struct.pack("<IiiHHIIiiII", header_size, WIDTH, height, 1, bits, compression, len(rows), 2835, 2835,
                           len(palette) // 4 if header_size != 12 else 0, 0)
        info += b"\0" * (header_size - 40)
    offset = 14 + len(info) + len(masks) + len(palette)
    return struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset) + info + masks + palette + rows


def padded(row):
    return row + b"\0" * (-len(row) % 4)


def indexed_rows(bits, bottom_up=True):
    rows = []
    for y in range(HEIGHT):
        indices = [(x + y * WIDTH) % (1 << bits) for x in range(WIDTH)]
        value, count, out = 0, 0, bytearray()
        for i in indices:
            value, count = (value << bits) | i, count + bits
            if count == 8:
                out.append(value)
                value, count = 0, 0
        if count:
            out.append(value << (8 - count))
        rows.append(padded(bytes(out)))
    return b"".join(reversed(rows) if bottom_up else rows)


def palette(entries):
    return b"".join(struct.pack("<BBBB", *reversed(colour(i % WIDTH, i // WIDTH)), 0) for i in range(entries))


def true_colour_rows(bits):
    rows = []
    for y in reversed(range(HEIGHT)):
        row = bytearray()
        for x in range(WIDTH):
            r, g, b = colour(x, y)
            if bits == 16:
                row += struct.pack("<H", (r >> 3) << 10 | (g >> 3) << 5 | b >> 3)
            elif bits == 24:
                row += bytes((b, g, r))
            else:
                row += bytes((b, g, r, 0))
        rows.append(padded(bytes(row)))
    return b"".join(rows)


def rle8_rows():
    out = bytearray()
    for y in range(HEIGHT):
        out += bytes((3, y, 2, (y + 1) % 256))  # runs
        out += bytes((0, 3, 7, 8, 9, 0))  # a literal of three, padded to a word
        out += bytes((0, 0))  # end of line
    out += bytes((0, 2, 1, 0, 0, 1))  # a jump, then the end of the picture
    return bytes(out)


def rle4_rows():
    out = bytearray()
    for y in range(HEIGHT):
        out += bytes((4, 0x12, 0, 3, 0x34, 0x50))  # a run of two colours, a literal of three
        out += bytes((0, 0))
    out += bytes((0, 1))
    return bytes(out)


def write_bitmaps(folder):
    folder.mkdir(parents=True, exist_ok=True)
    seeds = {
        "mono.bmp": bitmap(1, indexed_rows(1), palette(2)),
        "pal4.bmp": bitmap(4, indexed_rows(4), palette(16)),
        "pal8.bmp": bitmap(8, indexed_rows(8), palette(256)),
        "pal8-topdown.bmp": bitmap(8, indexed_rows(8, bottom_up=False), palette(40), height=-HEIGHT),
        "rgb16.bmp": bitmap(16, true_colour_rows(16)),
        "rgb24.bmp": bitmap(24, true_colour_rows(24)),
        "rgb32.bmp": bitmap(32, true_colour_rows(32)),
        "bitfields16.bmp": bitmap(16, true_colour_rows(16), compression=3,
                                  masks=struct.pack("<III", 0x7C00, 0x03E0, 0x001F)),
        "v5-bitfields32.bmp": bitmap(32, true_colour_rows(32), compression=3, header_size=124),
        "rle8.bmp": bitmap(8, rle8_rows(), palette(16), compression=1),
        "rle4.bmp": bitmap(4, rle4_rows(), palette(16), compression=2),
        "core24.bmp": bitmap(24, true_colour_rows(24), header_size=12),
    }
    for name, data in seeds.items():
        (folder / name).write_bytes(data)


def write_jpegs(folder):
    folder.mkdir(parents=True, exist_ok=True)
    kinds = {
        "baseline.jpg": [],
        "progressive.jpg": ["-interlace", "Plane"],
        "grey.jpg": ["-colorspace", "Gray"],
        "full-colour.jpg": ["-sampling-factor", "1x1"],
        "half-width.jpg": ["-sampling-factor", "2x1"],
        "cmyk.jpg": ["-colorspace", "CMYK"],
        "optimized.jpg": ["-quality", "20", "-define", "jpeg:optimize-coding=true"],
    }
    for name, options in kinds.items():
        subprocess.run(["convert", "-size", "17x9", "gradient:red-blue", "-strip", "-quality", "75", *options,
                        "JPEG:" + str(folder / name)], check=True)


write_bitmaps(HERE / "bitmap_file" / "corpus")
write_jpegs(HERE / "jpeg" / "corpus")

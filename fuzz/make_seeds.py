#!/usr/bin/env python3
"""Writes the seeds of the fuzz targets that take whole files: fuzz/ini_file/corpus (INI files in each encoding
the engine reads), fuzz/bitmap_file/corpus (Windows bitmaps of every depth and compression the program reads,
written here byte by byte) and fuzz/jpeg/corpus (small JPEG files of several kinds, made with ImageMagick's
`convert`). Run once after changing it; the seeds are kept in the repository."""
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


def ini_seed(file_bytes, codec, edits=()):
    """An input of the INI target: the file's bytes first, then what the target takes from the input's end
    (libFuzzer's data provider reads its integers from there): the codec (0 Latin-1, 1 Shift-JIS, 2 UTF-8),
    the number of edits, and each edit's section, key and value (a length byte, then one byte a character)."""
    taken = [codec, len(edits)]
    for edit in edits:
        for text in edit:
            taken.append(len(text))
            taken.extend(text)
    return file_bytes + bytes(reversed(taken))


def write_ini_files(folder):
    folder.mkdir(parents=True, exist_ok=True)
    utf16 = "[A]\r\nk=v\r\n[日本]\r\nキー=値\r\n".encode("utf-16-le")
    seeds = {
        "settings": ini_seed(b'[Clean]\r\nCleanValue=512\r\nAuto=1\r\n\r\n[Font]\r\nName="MS Gothic"\r\nSize=9\r\n', 0,
                             [(b"Clean", b"CleanValue", b"64")]),
        "shiftjis": ini_seed("[テスト]\r\nキー=値\r\n[Design]\r\nFont=ＭＳ Ｐゴシック\r\n".encode("cp932"), 1,
                             [(b"Design", b"Font", b"\x82\xa0")]),
        "utf16": ini_seed(b"\xff\xfe" + utf16, 0, [(b"A", b"k", b"w"), (b"B", b"new", b"\xff")]),
        "utf16-big-endian": ini_seed(b"\xfe\xff" + "[A]\nk=v\n".encode("utf-16-be"), 0),
        "utf8": ini_seed("\ufeff[あ]\nkey = 'quoted' \n".encode("utf-8"), 2, [(b"x", b"key", b"v")]),
        "duplicates": ini_seed(b"[A]\nk=1\nK=2\n[a]\nj=3\n[B\nx", 0, [(b"Sec", b"key", b"value")]),
        "lone-cr": ini_seed(b"[Clean]\rCleanValue=512\r[Window]\rTopMost=1\r", 0, [(b"Window", b"TopMost", b"0")]),
        "mixed-line-ends": ini_seed(b"[A]\r\na=1\rb=2\nc=3\r\n", 1, [(b"A", b"b", b"9"), (b"A", b"d", b"4")]),
    }
    for name, data in seeds.items():
        (folder / name).write_bytes(data)


write_ini_files(HERE / "ini_file" / "corpus")
write_bitmaps(HERE / "bitmap_file" / "corpus")
write_jpegs(HERE / "jpeg" / "corpus")

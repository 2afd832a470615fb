#!/usr/bin/env python3
"""Draws the skins that ship with Quorvane and writes them as skin folders (description, background,
button and digit bitmaps). Everything is computed here, with the standard library alone, so a run
always writes the same bytes.

Usage: make_skins.py OUTPUT_FOLDER     (the repository keeps its result in src/app/skin)

Shapes are drawn from signed distance functions: a pixel's coverage is how far its centre lies inside
the shape, which gives smooth edges without supersampling. Letters and digits are strokes (polylines
with round ends) on a grid of cap height 1.

Coordinates below are the background picture's. The program draws the picture two pixels left of the
window's client area, so a description's positions are the picture's minus (2, 0); its window shape
never takes picture row 0 or columns 0 and 1 (the frame lies there), so every body keeps clear of them.
"""
import math
import os
import struct
import sys

KEY = (0xFF, 0x00, 0xFF)  # the see-through colour of window shapes and digit fields


def hex_color(text):
    return tuple(int(text[i:i + 2], 16) for i in (1, 3, 5))


def mix(a, b, t):
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


def clamp01(v):
    return 0.0 if v < 0 else 1.0 if v > 1 else v


# --- Pictures -------------------------------------------------------------------------------------

class Picture:
    def __init__(self, width, height, color):
        self.w, self.h = width, height
        self.px = [[tuple(color) for _ in range(width)] for _ in range(height)]

    def get(self, x, y):
        return self.px[y][x]

    def put(self, x, y, color, alpha=1.0):
        if 0 <= x < self.w and 0 <= y < self.h and alpha > 0:
            self.px[y][x] = tuple(color) if alpha >= 1 else mix(self.px[y][x], color, alpha)

    def fill(self, sdf, color, box=None, grow=0.0):
        """Paints `color` (a colour, or a function of x and y) over the shape `sdf`, anti-aliased."""
        x0, y0, x1, y1 = box if box else (0, 0, self.w, self.h)
        for y in range(max(0, int(y0) - 1), min(self.h, int(math.ceil(y1)) + 1)):
            for x in range(max(0, int(x0) - 1), min(self.w, int(math.ceil(x1)) + 1)):
                a = clamp01(0.5 + grow - sdf(x + 0.5, y + 0.5))
                if a > 0:
                    self.put(x, y, color(x, y) if callable(color) else color, a)

    def fill_hard(self, sdf, color, box=None):
        """Paints without anti-aliasing: pixel centres inside the shape only (for window outlines)."""
        x0, y0, x1, y1 = box if box else (0, 0, self.w, self.h)
        for y in range(max(0, int(y0)), min(self.h, int(math.ceil(y1)))):
            for x in range(max(0, int(x0)), min(self.w, int(math.ceil(x1)))):
                if sdf(x + 0.5, y + 0.5) <= 0:
                    self.px[y][x] = tuple(color(x, y) if callable(color) else color)

    def rect(self, x0, y0, x1, y1, color):
        for y in range(y0, y1):
            for x in range(x0, x1):
                self.put(x, y, color)

    def crop(self, x0, y0, x1, y1):
        part = Picture(x1 - x0, y1 - y0, (0, 0, 0))
        part.px = [row[x0:x1] for row in self.px[y0:y1]]
        return part

    def bmp(self):
        """A 24-bit Windows bitmap, bottom-up, rows padded to four bytes."""
        stride = (self.w * 3 + 3) & ~3
        rows = []
        for row in reversed(self.px):
            line = bytearray()
            for r, g, b in row:
                line += bytes((b, g, r))
            line += bytes(stride - len(line))
            rows.append(bytes(line))
        data = b"".join(rows)
        header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
        info = struct.pack("<IiiHHIIiiII", 40, self.w, self.h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
        return header + info + data


# --- Shapes (signed distance: negative inside) --------------------------------------------------------

def rounded_rect(x0, y0, x1, y1, r):
    cx, cy, hx, hy = (x0 + x1) / 2, (y0 + y1) / 2, (x1 - x0) / 2, (y1 - y0) / 2

    def sdf(x, y):
        qx, qy = abs(x - cx) - hx + r, abs(y - cy) - hy + r
        return math.hypot(max(qx, 0), max(qy, 0)) + min(max(qx, qy), 0) - r
    return sdf


def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def segment_distance(x, y, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length = dx * dx + dy * dy
    t = 0.0 if length == 0 else clamp01(((x - ax) * dx + (y - ay) * dy) / length)
    return math.hypot(x - ax - t * dx, y - ay - t * dy)


def strokes(lines, width):
    """Polylines drawn with a round pen `width` pixels wide."""
    segments = [(a[0], a[1], b[0], b[1]) for line in lines for a, b in zip(line, line[1:])]

    def sdf(x, y):
        return min(segment_distance(x, y, *s) for s in segments) - width / 2
    return sdf


def polygon(points):
    def sdf(x, y):
        d = min(segment_distance(x, y, *a, *b) for a, b in zip(points, points[1:] + points[:1]))
        inside = False
        for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]):
            if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                inside = not inside
        return -d if inside else d
    return sdf


def octagon(x0, y0, x1, y1, cut):
    return polygon([(x0 + cut, y0), (x1 - cut, y0), (x1, y0 + cut), (x1, y1 - cut),
                    (x1 - cut, y1), (x0 + cut, y1), (x0, y1 - cut), (x0, y0 + cut)])


def box_of(lines, pad):
    xs = [p[0] for line in lines for p in line]
    ys = [p[1] for line in lines for p in line]
    return (min(xs) - pad, min(ys) - pad, max(xs) + pad, max(ys) + pad)


# --- Letters and digits ---------------------------------------------------------------------------

def arc(cx, cy, rx, ry, start, end, steps=20):
    return [(cx + rx * math.cos(math.radians(a)), cy + ry * math.sin(math.radians(a)))
            for a in (start + (end - start) * i / steps for i in range(steps + 1))]


# Each glyph: advance width and polylines, in a grid where the cap height is 1 and y grows downwards.
GLYPHS = {
    " ": (0.4, []),
    "A": (0.62, [[(0, 1), (0.31, 0), (0.62, 1)], [(0.11, 0.66), (0.51, 0.66)]]),
    "C": (0.58, [arc(0.31, 0.5, 0.31, 0.5, 45, 315)]),
    "E": (0.5, [[(0.5, 0), (0, 0), (0, 1), (0.5, 1)], [(0, 0.5), (0.42, 0.5)]]),
    "F": (0.48, [[(0.5, 0), (0, 0), (0, 1)], [(0, 0.5), (0.42, 0.5)]]),
    "M": (0.74, [[(0, 1), (0, 0), (0.37, 0.62), (0.74, 0), (0.74, 1)]]),
    "N": (0.62, [[(0, 1), (0, 0), (0.62, 1), (0.62, 0)]]),
    "O": (0.66, [arc(0.33, 0.5, 0.33, 0.5, 0, 360, 32)]),
    "P": (0.56, [[(0, 1), (0, 0), (0.3, 0)] + arc(0.3, 0.27, 0.26, 0.27, -90, 90) + [(0, 0.54)]]),
    "Q": (0.66, [arc(0.33, 0.5, 0.33, 0.5, 0, 360, 32), [(0.4, 0.7), (0.68, 1.02)]]),
    "R": (0.58, [[(0, 1), (0, 0), (0.3, 0)] + arc(0.3, 0.27, 0.26, 0.27, -90, 90) + [(0, 0.54)],
                 [(0.3, 0.54), (0.58, 1)]]),
    "S": (0.56, [arc(0.28, 0.26, 0.26, 0.24, 330, 90) + arc(0.28, 0.75, 0.28, 0.25, -90, 150)]),
    "U": (0.62, [[(0, 0)] + arc(0.31, 0.69, 0.31, 0.31, 180, 0) + [(0.62, 0)]]),
    "V": (0.62, [[(0, 0), (0.31, 1), (0.62, 0)]]),
    "W": (0.86, [[(0, 0), (0.21, 1), (0.43, 0.3), (0.65, 1), (0.86, 0)]]),
    "Y": (0.62, [[(0, 0), (0.31, 0.5), (0.62, 0)], [(0.31, 0.5), (0.31, 1)]]),
    "%": (0.7, [[(0.08, 1), (0.62, 0)], arc(0.14, 0.18, 0.13, 0.17, 0, 360, 16),
                arc(0.56, 0.82, 0.13, 0.17, 0, 360, 16)]),
    "0": (0.56, [arc(0.28, 0.5, 0.28, 0.5, 0, 360, 32)]),
    "1": (0.56, [[(0.1, 0.2), (0.34, 0), (0.34, 1)]]),
    "2": (0.56, [arc(0.28, 0.28, 0.27, 0.28, 200, 390) + [(0.02, 1), (0.56, 1)]]),
    "3": (0.56, [arc(0.27, 0.25, 0.25, 0.25, 210, 450) + arc(0.27, 0.74, 0.29, 0.26, -90, 150)]),
    "4": (0.56, [[(0.44, 1), (0.44, 0), (0, 0.68), (0.58, 0.68)]]),
    "5": (0.56, [[(0.52, 0), (0.08, 0), (0.04, 0.46)] + arc(0.28, 0.68, 0.28, 0.32, 212, 510)]),
    "6": (0.56, [[(0.47, 0), (0.04, 0.57)], arc(0.29, 0.68, 0.27, 0.32, 0, 360, 32)]),
    "7": (0.56, [[(0, 0), (0.56, 0), (0.2, 1)]]),
    "8": (0.56, [arc(0.28, 0.25, 0.23, 0.25, 0, 360, 28), arc(0.28, 0.73, 0.28, 0.27, 0, 360, 28)]),
    "9": (0.56, [[(0.09, 1), (0.52, 0.43)], arc(0.27, 0.32, 0.27, 0.32, 0, 360, 32)]),
}
TRACKING = 0.28  # space between letters, in cap heights


def text_lines(text, x, y, size):
    """The glyphs' polylines placed with their top-left at (x, y), `size` pixels high; and the width."""
    lines, pen = [], 0.0
    for i, ch in enumerate(text):
        advance, glyph = GLYPHS[ch]
        lines += [[(x + (pen + px) * size, y + py * size) for px, py in line] for line in glyph]
        pen += advance + (TRACKING if i + 1 < len(text) else 0)
    return lines, pen * size


def text_width(text, size):
    return text_lines(text, 0, 0, size)[1]


def draw_text(pic, text, x, y, size, color, pen, align="left"):
    if align != "left":
        x -= text_width(text, size) / (2 if align == "center" else 1)
    lines, _ = text_lines(text, x, y, size)
    lines = [line for line in lines if len(line) > 1]
    pic.fill(strokes(lines, pen), color, box_of(lines, pen + 1))


def digit_pictures(width, height, size, pen, color, back):
    """The ten digits, each centred in a cell of its own on the flat colour they will sit on."""
    cells = []
    for d in "0123456789":
        cell = Picture(width, height, back)
        advance = GLYPHS[d][0] * size
        draw_text(cell, d, (width - advance) / 2, (height - size) / 2, size, color, pen)
        cells.append(cell)
    return cells


# --- Buttons ---------------------------------------------------------------------------------------

def icon_lines(kind, cx, cy, s):
    """The symbol of a button, `s` pixels across, centred on (cx, cy)."""
    h = s / 2
    if kind == "Exit":
        return [[(cx - h, cy - h), (cx + h, cy + h)], [(cx - h, cy + h), (cx + h, cy - h)]]
    if kind == "Min":
        return [[(cx - h, cy + h * 0.6), (cx + h, cy + h * 0.6)]]
    if kind == "Setting":  # three sliders
        return [[(cx - h, cy + dy), (cx + h, cy + dy)] for dy in (-h * 0.8, 0, h * 0.8)]
    if kind == "Defrag":  # a flash: memory set free
        return None
    raise ValueError(kind)


def flash_polygon(cx, cy, s):
    u = s / 8
    return polygon([(cx + 1.2 * u, cy - 4.4 * u), (cx - 2.6 * u, cy + 0.6 * u), (cx - 0.1 * u, cy + 0.6 * u),
                    (cx - 1.2 * u, cy + 4.4 * u), (cx + 2.6 * u, cy - 0.6 * u), (cx + 0.1 * u, cy - 0.6 * u)])


def button_picture(shape, width, height, back, face, symbol_color, kind, symbol, pen, offset=0):
    """One picture of a button on `back`, the flat colour under it: the program takes the picture's
    bottom-left pixel as see-through, so only the face is drawn and hit."""
    pic = Picture(width, height, back)
    pic.fill(shape, face)
    cx, cy = width / 2, height / 2 + offset
    if kind == "Defrag":  # a flash reads better a little larger than the strokes
        pic.fill(flash_polygon(cx, cy, symbol * 1.5), symbol_color)
    else:
        lines = icon_lines(kind, cx, cy, symbol)
        pic.fill(strokes(lines, pen), symbol_color, box_of(lines, pen + 1))
    # The corner must stay the flat colour, or the button would be a visible square.
    assert pic.get(0, height - 1) == tuple(back)
    return pic


# --- Skins -----------------------------------------------------------------------------------------

class Skin:
    def __init__(self, name, width, height):
        self.name, self.w, self.h = name, width, height
        self.pic = Picture(width, height, KEY)
        self.files = {}
        self.sections = {}

    def key(self, section, name, value):
        self.sections.setdefault(section, []).append((name, value))

    def position(self, x0, y0, x1=None, y1=None):
        """A description's position: client coordinates, two pixels right of the picture's."""
        fields = [x0 - 2, y0] + ([x1 - 2, y1] if x1 is not None else [])
        return ",".join(str(v) for v in fields)

    def track(self, x0, y0, x1, y1, inner, edge):
        """The groove a gauge or bar fills, drawn into the background: the element covers its inside."""
        self.pic.rect(x0 - 1, y0 - 1, x1 + 1, y1 + 1, edge)
        self.pic.rect(x0, y0, x1, y1, inner)

    def button(self, kind, x0, y0, normal, pressed):
        self.files[kind.lower() + ".bmp"] = normal
        self.files[kind.lower() + "_down.bmp"] = pressed
        self.key("Button", kind + ".Position", self.position(x0, y0, x0 + normal.w, y0 + normal.h))
        self.key("Button", kind + ".Image", kind.lower() + ".bmp")
        self.key("Button", kind + ".ClickImage", kind.lower() + "_down.bmp")

    def digits(self, cells):
        for d, cell in enumerate(cells):
            self.files[f"{d}.bmp"] = cell

    def write(self, folder):
        os.makedirs(folder, exist_ok=True)
        self.files["back.bmp"] = self.pic
        for name, pic in self.files.items():
            with open(os.path.join(folder, name), "wb") as out:
                out.write(pic.bmp())
        lines = ["; " + self.title, "[BackImage]", "Image=back.bmp", "TransParentColor=#FF00FF"]
        for section in ("Gauge", "Progress", "Value", "Button"):
            if section in self.sections:
                lines += ["", f"[{section}]"] + [f"{k}={v}" for k, v in self.sections[section]]
        with open(os.path.join(folder, self.name.lower() + ".qvs"), "w", encoding="ascii", newline="") as out:
            out.write("\r\n".join(lines) + "\r\n")


def midnight():
    """Dark, with horizontal gauges, right-aligned figures and round buttons in a title strip."""
    s = Skin("Midnight", 236, 94)
    s.title = "Midnight: horizontal gauges, figures aligned right"
    border, strip, body = hex_color("#3b4a6b"), hex_color("#1a2236"), hex_color("#121828")
    text, dim = hex_color("#9fb2d6"), hex_color("#6f81a6")
    outline = rounded_rect(2, 1, 235, 93, 9)
    s.pic.fill_hard(outline, border)
    s.pic.fill_hard(lambda x, y: outline(x, y) + 1, body)
    s.pic.fill_hard(lambda x, y: max(outline(x, y) + 1, y - 21), strip)
    s.pic.rect(3, 21, 234, 22, hex_color("#27314a"))
    draw_text(s.pic, "QUORVANE", 13, 7.5, 7, text, 1.25)

    rows = [("MEM", "Mem", 31, "#5fd4ff", "#2a7bff"), ("SWAP", "Swap", 51, "#b49bff", "#6a4cf0"),
            ("CPU", "CPU", 71, "#4ff0c0", "#14a883")]
    for label, metric, y, c1, c2 in rows:
        draw_text(s.pic, label, 13, y + 1.5, 7, dim, 1.25)
        x1 = 228 if metric == "Mem" else 186
        s.track(50, y, x1, y + 10, hex_color("#0a0f1c"), hex_color("#2a3550"))
        s.key("Gauge", metric + ".Position", s.position(50, y, x1, y + 10))
        s.key("Gauge", metric + ".ForeColor", c1)
        s.key("Gauge", metric + ".ForeColor2", c2)
        s.key("Gauge", metric + ".Kind", "gkHorizontalBar")
        if metric != "Mem":  # free memory in MB outgrows three digits
            s.key("Value", metric + ".Position", s.position(192, y - 1, 216, y + 11))
            draw_text(s.pic, "%", 219, y + 1.5, 7, dim, 1.1)
    s.key("Value", "Align", "right")
    s.key("Value", "TransParentColor", "#FF00FF")
    s.digits(digit_pictures(8, 12, 9, 1.35, hex_color("#e4ecff"), body))

    faces = {"Defrag": ("#2a7bff", "#5fd4ff"), "Setting": ("#2a3552", "#3d4b70"),
             "Min": ("#2a3552", "#3d4b70"), "Exit": ("#b8405a", "#e0607a")}
    for i, kind in enumerate(("Defrag", "Setting", "Min", "Exit")):
        face, lit = faces[kind]
        shape = circle(7, 7, 6.5)
        normal = button_picture(shape, 14, 14, strip, hex_color(face), hex_color("#dfe7ff"), kind, 6, 1.3)
        pressed = button_picture(shape, 14, 14, strip, hex_color(lit), hex_color("#ffffff"), kind, 6, 1.3, 0.5)
        s.button(kind, 164 + i * 18, 4, normal, pressed)
    return s


def sakura():
    """Light, with three vertical gauges, centred figures under them and a wide optimize button."""
    s = Skin("Sakura", 152, 142)
    s.title = "Sakura: vertical gauges, figures centred"
    border, body, strip = hex_color("#e39ab3"), hex_color("#fff6f9"), hex_color("#fbe3ec")
    title, dim, groove = hex_color("#b4416b"), hex_color("#9b6a7d"), hex_color("#f7dfe8")
    outline = rounded_rect(2, 1, 151, 141, 16)
    s.pic.fill_hard(outline, border)
    s.pic.fill_hard(lambda x, y: outline(x, y) + 1.5, body)
    s.pic.fill_hard(lambda x, y: max(outline(x, y) + 1.5, y - 20), strip)
    draw_text(s.pic, "QUORVANE", 15, 7.5, 7, title, 1.25)

    columns = [("MEM", "Mem", 38), ("SWAP", "Swap", 77), ("CPU", "CPU", 116)]
    for label, metric, cx in columns:
        x0, x1, y0, y1 = cx - 10, cx + 10, 28, 88
        s.track(x0, y0, x1, y1, groove, hex_color("#eec4d3"))
        s.key("Gauge", metric + ".Position", s.position(x0, y0, x1, y1))
        s.key("Gauge", metric + ".ForeColor", "#FFB6CC")
        s.key("Gauge", metric + ".ForeColor2", "#D9366F")
        s.key("Gauge", metric + ".Kind", "gkVerticalBar")
        if metric != "Mem":  # free memory in MB outgrows three digits
            s.key("Value", metric + ".Position", s.position(cx - 14, 92, cx + 13, 105))
        draw_text(s.pic, label, cx, 108, 6, dim, 1.1, "center")
    s.key("Value", "Align", "center")
    s.key("Value", "TransParentColor", "#FF00FF")
    s.digits(digit_pictures(9, 13, 10, 1.45, hex_color("#7a2e4d"), body))

    pill = rounded_rect(0.5, 0.5, 63.5, 15.5, 7.5)

    def free_button(face, ink, dy):
        pic = Picture(64, 16, body)
        pic.fill(pill, hex_color(face))
        pic.fill(flash_polygon(13, 8 + dy, 10.5), hex_color(ink))
        draw_text(pic, "FREE", 38, 5 + dy, 6, hex_color(ink), 1.25, "center")
        return pic
    normal, pressed = free_button("#e0507f", "#ffffff", 0), free_button("#c23a67", "#ffe3ec", 0.5)
    s.button("Defrag", 44, 120, normal, pressed)

    for kind, x, y, back in (("Setting", 18, 121, body), ("Min", 108, 4, strip), ("Exit", 126, 4, strip)):
        shape = circle(6.5, 6.5, 6)
        face = "#f0a5bf" if kind != "Exit" else "#e0507f"
        normal = button_picture(shape, 13, 13, back, hex_color(face), hex_color("#ffffff"), kind, 5, 1.3)
        pressed = button_picture(shape, 13, 13, back, hex_color("#c23a67"), hex_color("#ffffff"), kind, 5, 1.3, 0.5)
        s.button(kind, x, y, normal, pressed)
    return s


def matcha():
    """Washi paper in a chamfered frame, with segmented progress bars and figures aligned left."""
    s = Skin("Matcha", 214, 104)
    s.title = "Matcha: progress bars, figures aligned left"
    frame, paper, strip = hex_color("#4f6b2f"), hex_color("#f3eedf"), hex_color("#6f8f45")
    ink, dim, groove = hex_color("#f3eedf"), hex_color("#5b6b45"), hex_color("#e4dcc5")
    outline = octagon(2, 1, 213, 103, 11)
    s.pic.fill_hard(outline, frame)
    s.pic.fill_hard(lambda x, y: outline(x, y) + 2, paper)
    s.pic.fill_hard(lambda x, y: max(outline(x, y) + 2, y - 22), strip)
    draw_text(s.pic, "QUORVANE", 17, 8.5, 7, ink, 1.25)

    rows = [("MEM", "Mem", 32, "#A9CF6E", "#3F6B1E"), ("SWAP", "Swap", 52, "#D8C36A", "#8A6B1F"),
            ("CPU", "CPU", 72, "#8FCFA8", "#2E7A55")]
    for label, metric, y, c1, c2 in rows:
        draw_text(s.pic, label, 15, y + 3, 7, dim, 1.25)
        x1 = 202 if metric == "Mem" else 162
        s.pic.rect(52, y, x1, y + 13, groove)
        s.key("Progress", metric + ".Position", s.position(52, y, x1, y + 13))
        s.key("Progress", metric + ".ForeColor", c1)
        s.key("Progress", metric + ".ForeColor2", c2)
        if metric != "Mem":
            s.key("Value", metric + ".Position", s.position(170, y, 194, y + 13))
    s.key("Value", "Align", "left")
    s.key("Value", "TransParentColor", "#FF00FF")
    s.digits(digit_pictures(8, 13, 9, 1.4, hex_color("#33461c"), paper))

    for i, kind in enumerate(("Defrag", "Setting", "Min", "Exit")):
        shape = rounded_rect(0.5, 0.5, 14.5, 14.5, 3.5)
        face = "#3f5a22" if kind != "Exit" else "#8c3b2a"
        normal = button_picture(shape, 15, 15, strip, hex_color(face), ink, kind, 6, 1.3)
        pressed = button_picture(shape, 15, 15, strip, hex_color("#2c3f17"), hex_color("#ffffff"), kind, 6, 1.3,
                                 0.5)
        s.button(kind, 122 + i * 19, 4, normal, pressed)
    return s


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    for skin in (midnight(), sakura(), matcha()):
        skin.write(os.path.join(sys.argv[1], skin.name))


if __name__ == "__main__":
    main()

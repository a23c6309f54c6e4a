#!/usr/bin/env python3
"""Checks the committed pictures: one icon per toolbar button at the button's size, the
listed pictures at their listed sizes, and the locations map read back through the same
linear placement that the map dialog uses (so a shifted, flipped or stretched map fails).
Standard library only: the PNG reader below is enough for the 8-bit files we ship."""
import csv
import os
import struct
import sys
import zlib

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
IMAGES = os.path.join(ROOT, "resources", "images")

# Toolbar id, button size, buttons in order (0 = separator), as the main frame loads them.
TOOLBARS = [
    (128, "32x32", [57664, 0, 57600, 0, 57601, 57603, 0, 57607, 57609, 0, 32772, 0, 57670, 0, 109]),
    (154, "24x24", [32803, 32865, 0, 32790, 32789, 32792, 0, 32904, 0, 32805, 32798, 32806, 0, 32811]),
    (167, "32x32", [32813, 32815, 32874, 0, 32817, 0, 32816, 32849, 32867]),
    (191, "16x15", [32900, 32902, 0, 32905, 32906, 0, 32910, 32909, 32912]),
    (228, "32x32", [32883, 32938]),
]

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def read_png(path):
    """Returns (width, height, channels, rows of bytes) of an 8-bit RGB or RGBA PNG."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError(f"{path}: not a PNG")
    pos, idat, header = 8, b"", None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        chunk = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", chunk)
        elif kind == b"IDAT":
            idat += chunk
        pos += 12 + length
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour not in (2, 6) or interlace:
        raise ValueError(f"{path}: unsupported PNG layout {header}")
    bpp = 3 if colour == 2 else 4
    raw = zlib.decompress(idat)
    stride = width * bpp
    rows, prev = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - bpp] if i >= bpp else 0
            b = prev[i]
            c = prev[i - bpp] if i >= bpp else 0
            if kind == 1:
                line[i] = (line[i] + a) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + b) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 0xFF
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 0xFF
        rows.append(bytes(line))
        prev = line
    return width, height, bpp, rows


def pixel(png, x, y):
    _, _, bpp, rows = png
    return tuple(rows[y][x * bpp:x * bpp + 3])


def check_toolbars():
    with open(os.path.join(IMAGES, "toolbar", "index.csv"), encoding="utf-8") as f:
        rows = list(csv.DictReader(f))
    expected = [(str(t), str(c), size) for t, size, buttons in TOOLBARS for c in buttons if c]
    listed = [(r["toolbar"], r["command"], r["size"]) for r in rows]
    check(listed == expected, f"toolbar/index.csv lists {listed}, expected {expected}")
    for r in rows:
        check(r["description"].strip() != "", f"command {r['command']} has no description")
        base = os.path.join(IMAGES, "toolbar", r["command"])
        if not os.path.exists(base + ".svg"):
            failures.append(f"{base}.svg is missing")
        if not os.path.exists(base + ".png"):
            failures.append(f"{base}.png is missing")
            continue
        w, h, bpp, data = png = read_png(base + ".png")
        want_w, want_h = (int(v) for v in r["size"].split("x"))
        check((w, h) == (want_w, want_h), f"{base}.png is {w}x{h}, expected {r['size']}")
        if bpp == 4:
            opaque = sum(1 for row in data for i in range(3, len(row), 4) if row[i] > 128)
            check(opaque >= w * h // 10, f"{base}.png is almost empty ({opaque} opaque pixels)")
        check(len({pixel(png, x, y) for y in range(h) for x in range(w)}) > 3,
              f"{base}.png has no drawing")


def check_pictures():
    with open(os.path.join(IMAGES, "pictures.csv"), encoding="utf-8") as f:
        rows = list(csv.DictReader(f))
    check([r["resource"] for r in rows] == ["107", "152", "177", "178", "179", "236"],
          f"pictures.csv lists {[r['resource'] for r in rows]}")
    for r in rows:
        png_path = os.path.join(IMAGES, r["file"])
        svg_path = png_path[:-4] + ".svg"
        check(os.path.exists(svg_path), f"{svg_path} is missing")
        w, h, _, _ = read_png(png_path)
        check((w, h) == (int(r["width"]), int(r["height"])),
              f"{r['file']} is {w}x{h}, listed as {r['width']}x{r['height']}")
    w, h, _, _ = read_png(os.path.join(IMAGES, "horavel_256.png"))
    check((w, h) == (256, 256), f"horavel_256.png is {w}x{h}")


def map_point(w, h, lat, lon_west):
    """The map dialog's placement: latitude north, longitude positive west."""
    return 1 + int((5 - lon_west) * (w - 2) / 15), 1 + int((52 - lat) * (h - 2) / 11)


def check_map():
    png = read_png(os.path.join(IMAGES, "map_152.png"))
    w, h, bpp, rows = png
    check(500 <= w <= 620 and 520 <= h <= 660, f"map is {w}x{h}, expected about 550x600")
    frame = pixel(png, 0, 0)
    ring = [(x, 0) for x in range(w)] + [(x, h - 1) for x in range(w)] + \
           [(0, y) for y in range(h)] + [(w - 1, y) for y in range(h)]
    check(all(pixel(png, x, y) == frame for x, y in ring), "map frame is not one colour")
    inner = {pixel(png, x, y) for y in range(1, h - 1) for x in range(1, w - 1)}
    check(frame not in inner, "map frame colour also appears inside the map")
    # Greys that a picture loaded with mapped 3D colours would repaint.
    for grey in ((128, 128, 128), (192, 192, 192), (223, 223, 223)):
        check(grey not in inner, f"map uses the grey {grey}")
    if bpp == 4:
        check(all(row[i] == 255 for row in rows for i in range(3, len(row), 4)), "map is not opaque")

    land = pixel(png, *map_point(w, h, 48.857, -2.352))   # Paris
    sea = pixel(png, *map_point(w, h, 45.4, 3.3))         # Bay of Biscay
    check(land != sea, "Paris and the Bay of Biscay have the same colour")

    def near(c, ref):
        return sum((a - b) ** 2 for a, b in zip(c, ref)) < 30 ** 2

    # Points at least 20 km from any shore, so one pixel of error cannot flip them.
    places = [
        ("London", 51.51, 0.13, land), ("Rennes", 48.11, 1.68, land),
        ("Toulouse", 43.60, -1.44, land), ("Lyon", 45.76, -4.84, land),
        ("Bern", 46.95, -7.45, land), ("Frankfurt", 50.11, -8.68, land),
        ("Corsica, Corte", 42.31, -9.15, land), ("Pyrenees, Andorra", 42.51, -1.52, land),
        ("English Channel", 50.10, 1.50, sea), ("North Sea", 51.90, -2.60, sea),
        ("Gulf of Lion", 42.75, -3.85, sea), ("Ligurian Sea", 43.50, -8.50, sea),
        ("between Corsica and Italy", 41.50, -9.90, sea), ("Bay of Biscay, south", 43.90, 3.20, sea),
    ]
    for name, lat, lon_west, want in places:
        got = pixel(png, *map_point(w, h, lat, lon_west))
        check(near(got, want), f"map at {name} ({lat}, {lon_west} W) is {got}, expected about {want}")
    # Lakes are a few pixels wide: most of a small window in Lake Geneva must be water.
    cx, cy = map_point(w, h, 46.45, -6.55)
    water = sum(1 for y in range(cy - 3, cy + 4) for x in range(cx - 3, cx + 4) if near(pixel(png, x, y), sea))
    check(water >= 15, f"Lake Geneva shows {water} water pixels of 49, expected at least 15")


def main():
    check_toolbars()
    check_pictures()
    check_map()
    for f in failures:
        print("FAIL:", f)
    print(f"{len(failures)} failure(s)")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

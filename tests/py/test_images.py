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
    want = ["107", "148", "150", "152", "153", "161", "177", "178", "179", "202", "203", "206",
            "207", "210", "212", "213", "232", "236", "250", "251", "252", "253"]
    check([r["resource"] for r in rows] == want, f"pictures.csv lists {[r['resource'] for r in rows]}")
    for r in rows:
        png_path = os.path.join(IMAGES, r["file"])
        svg_path = png_path[:-4] + ".svg"
        check(os.path.exists(svg_path), f"{svg_path} is missing")
        w, h, _, _ = read_png(png_path)
        check((w, h) == (int(r["width"]), int(r["height"])),
              f"{r['file']} is {w}x{h}, listed as {r['width']}x{r['height']}")
    w, h, _, _ = read_png(os.path.join(IMAGES, "horavel_256.png"))
    check((w, h) == (256, 256), f"horavel_256.png is {w}x{h}")
    seen = {}
    for r in rows:
        png_path = os.path.join(IMAGES, r["file"])
        _, _, _, data = read_png(png_path)
        key = b"".join(data)
        check(key not in seen, f"{r['file']} has the same pixels as {seen.get(key)}")
        seen[key] = r["file"]
        with open(png_path[:-4] + ".svg", encoding="utf-8") as f:
            text = f.read()
        # Plain shapes only: the pictures must look the same in any renderer and with any fonts.
        for tag in ("<text", "<image", "Gradient", "<clipPath", "<mask", "<filter", "<use"):
            check(tag not in text, f"{r['file'][:-4]}.svg uses {tag}")


def opaque_pixels(png):
    w, h, bpp, rows = png
    if bpp == 3:
        return w * h
    return sum(1 for row in rows for i in range(3, len(row), 4) if row[i] > 128)


def check_framed_picture(name):
    """A picture shown in a dialog's picture control: opaque, none of the greys a loader
    mapping 3D colours repaints, and a one-pixel frame whose colour is found nowhere
    inside, so a loader that makes the top-left colour transparent only clears the frame."""
    png = read_png(os.path.join(IMAGES, name))
    w, h, bpp, rows = png
    if bpp == 4:
        check(all(row[i] == 255 for row in rows for i in range(3, len(row), 4)), f"{name} is not opaque")
    frame = pixel(png, 0, 0)
    ring = [(x, 0) for x in range(w)] + [(x, h - 1) for x in range(w)] + \
           [(0, y) for y in range(h)] + [(w - 1, y) for y in range(h)]
    check(all(pixel(png, x, y) == frame for x, y in ring), f"{name}: frame is not one colour")
    inner = {pixel(png, x, y) for y in range(1, h - 1) for x in range(1, w - 1)}
    check(frame not in inner, f"{name}: frame colour also appears inside")
    for grey in ((128, 128, 128), (192, 192, 192), (223, 223, 223)):
        check(grey not in inner, f"{name} uses the grey {grey}")
    check(len(inner) > 50, f"{name} has only {len(inner)} colours inside its frame")
    return png


def column_profile(png):
    """Opaque pixels per column over the drawn columns: (first column, counts)."""
    w, h, _, rows = png
    counts = [sum(1 for y in range(h) if rows[y][x * 4 + 3] > 128) for x in range(w)]
    drawn = [x for x in range(w) if counts[x]]
    return drawn[0], counts[drawn[0]:drawn[-1] + 1]


def check_dialog_pictures():
    panels = ["wizard_location_150.png", "wizard_type_161.png", "wizard_family_250.png",
              "wizard_analemmatic_251.png", "wizard_cylindrical_252.png", "wizard_bifilar_253.png"]
    sizes = set()
    for name in panels + ["dimensions_148.png", "style_anchor_153.png"]:
        w, h, _, _ = check_framed_picture(name)
        if name in panels:
            sizes.add((w, h))
            check(h > w, f"{name} is {w}x{h}, not a portrait side panel")
    check(len(sizes) == 1, f"the wizard's side panels differ in size: {sorted(sizes)}")

    about = read_png(os.path.join(IMAGES, "about_232.png"))
    w, h, bpp, rows = about
    check(bpp == 3 or all(row[i] == 255 for row in rows for i in range(3, len(row), 4)),
          "about_232.png is not opaque")
    for x, y in ((0, 0), (w - 1, 0), (0, h - 1), (w - 1, h - 1)):
        check(pixel(about, x, y) == (208, 224, 232),
              f"about_232.png at ({x}, {y}) is {pixel(about, x, y)}, not the about box's colour")

    buttons = {}
    for rid, name in ((202, "anim_play_202"), (203, "anim_stop_203"), (206, "anim_back_206"),
                      (207, "anim_forward_207"), (210, "anim_pause_210"), (212, "anim_day_212"),
                      (213, "anim_year_213")):
        png = buttons[rid] = read_png(os.path.join(IMAGES, name + ".png"))
        w, h, bpp, rows = png
        check(bpp == 4, f"{name}.png has no transparency")
        if bpp != 4:
            continue
        # The button face shows around the picture.
        corners = [rows[y][x * 4 + 3] for x, y in ((0, 0), (w - 1, 0), (0, h - 1), (w - 1, h - 1))]
        check(corners == [0, 0, 0, 0], f"{name}.png corners are not transparent: {corners}")
        check(opaque_pixels(png) >= w * h // 8, f"{name}.png is almost empty")
    if any(p[2] != 4 for p in buttons.values()):
        return

    def thinnest_side(png):
        first, counts = column_profile(png)
        tip = first + min(range(len(counts)), key=lambda i: (counts[i], i))
        return "right" if tip > first + len(counts) / 2 else "left"

    # Play and step forward point to the right, step back to the left.
    check(thinnest_side(buttons[202]) == "right", "play does not point to the right")
    check(thinnest_side(buttons[207]) == "right", "step forward does not point to the right")
    check(thinnest_side(buttons[206]) == "left", "step back does not point to the left")
    back, forward = buttons[206][3], buttons[207][3]
    worst = max(abs(back[y][x * 4 + c] - forward[y][(31 - x) * 4 + c])
                for y in range(32) for x in range(32) for c in range(4))
    check(worst <= 32, f"step back is not the mirror image of step forward (worst channel {worst})")


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
    check_dialog_pictures()
    for f in failures:
        print("FAIL:", f)
    print(f"{len(failures)} failure(s)")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

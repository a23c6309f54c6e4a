#!/usr/bin/python3
"""Writes the application icon and the start-up screen pictures, SVG and PNG:
  horavel.svg, horavel_256.png   the application icon (a horizontal garden sundial)
  tip_107                        the lamp beside "Le saviez-vous ?" (48 x 48)
  new_dial_177, help_178,
  open_dial_179                  the pictures of the three large buttons (64 x 64)
  startup_236                    the picture of the start-up screen (192 x 192)

Needs: librsvg2-bin (rsvg-convert).
Usage: tools/art/make_pictures.py [images folder]   (default: resources/images)
"""
import math
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from svgkit import (BLUE, GREEN, GREY, GREY_LIGHT, INK, PAPER, PAPER_SHADE, STONE,  # noqa: E402
                    STONE_DARK, SUN, SUN_DARK, circle, fmt, horizontal_dial_angle, line, path,
                    polygon, polyline, rect, RED, svg)

BRONZE = "#b27a43"
BRONZE_DARK = "#7f5229"
SKY = "#dcebf7"
LATITUDE = 47.0


def sundial_scene(stroke=4.0, sun=True):
    """A horizontal sundial seen from the south-east on a 256 x 256 canvas, the style's
    shadow on the 3 pm line, and (with sun) the sun low in the south-west (top left)."""
    cx, cy = 98.0, 207.0
    k_back_x, k_back_y, k_up = 0.55, 0.58, 0.9

    def to_screen(x, y, z=0.0):
        return cx + x + y * k_back_x, cy - y * k_back_y - z * k_up

    plate_c, plate_r = 55.0, 95.0
    outline = [to_screen(plate_r * math.cos(t), plate_c + plate_r * math.sin(t))
               for t in (2 * math.pi * i / 120 for i in range(120))]
    slab = 16.0
    # The slab's visible side: the front arc of the outline, from its leftmost point to
    # its rightmost (increasing angle runs back, left, front), and the same shifted down.
    n = len(outline)
    left = min(range(n), key=lambda i: outline[i][0])
    right = max(range(n), key=lambda i: outline[i][0])
    front = [outline[i % n] for i in range(left, right + (n if right < left else 0) + 1)]
    side = front + [(x, y + slab) for x, y in reversed(front)]

    out = []
    # Sun and rays.
    sx, sy, sr = 56.0, 56.0, 26.0
    for i in range(12 if sun else 0):
        a = math.radians(i * 30 + 15)
        out.append(line(sx + math.cos(a) * (sr + 8), sy + math.sin(a) * (sr + 8),
                        sx + math.cos(a) * (sr + 22), sy + math.sin(a) * (sr + 22),
                        SUN_DARK, 7, cap="round"))
    if sun:
        out.append(circle(sx, sy, sr, fill=SUN, stroke=INK, width=stroke))

    out.append(polygon(side, fill=STONE_DARK, stroke=INK, width=stroke, join="round"))
    out.append(polygon(outline, fill=STONE, stroke=INK, width=stroke, join="round"))
    ring = [to_screen(0.86 * plate_r * math.cos(t), plate_c + 0.86 * plate_r * math.sin(t))
            for t in (2 * math.pi * i / 120 for i in range(120))]
    out.append(polygon(ring, stroke=STONE_DARK, width=2.5))

    # Hour lines from the dial centre to the inner ring, 6 am to 6 pm.
    def ring_hit(dx, dy):
        # Distance along (dx, dy) from the origin to the circle of radius 0.86 R.
        r = 0.86 * plate_r
        b = -2 * plate_c * dy
        c = plate_c ** 2 - r ** 2
        return (-b + math.sqrt(b * b - 4 * c)) / 2

    for h in range(6, 19):
        a = horizontal_dial_angle(h, LATITUDE)
        dx, dy = math.sin(a), math.cos(a)
        t = ring_hit(dx, dy)
        x0, y0 = to_screen(dx * 6, dy * 6)
        x1, y1 = to_screen(dx * t, dy * t)
        out.append(line(x0, y0, x1, y1, INK, 3.0 if h % 3 == 0 else 2.0, cap="round"))
        out.append(circle(*to_screen(dx * (t + 6), dy * (t + 6)), 2.6, fill=INK))

    # The style: a right triangle in the meridian plane, and its shadow on the 3 pm line.
    length = 72.0
    height = length * math.tan(math.radians(LATITUDE))
    a3 = horizontal_dial_angle(15, LATITUDE)
    shadow_len = 86.0
    tip = (math.sin(a3) * shadow_len, math.cos(a3) * shadow_len)
    out.append(polygon([to_screen(0, 0), to_screen(0, length), to_screen(*tip)],
                       fill=INK, opacity=0.35))
    out.append(polygon([to_screen(0, 0), to_screen(0, length), to_screen(0, length, height)],
                       fill=BRONZE, stroke=INK, width=stroke, join="round"))
    out.append(line(*to_screen(0, 8, 8 * math.tan(math.radians(LATITUDE))),
                    *to_screen(0, length - 6, (length - 6) * math.tan(math.radians(LATITUDE))),
                    BRONZE_DARK, 3, cap="round"))
    return "".join(out)


def app_icon():
    return svg(256, 256, sundial_scene(), "Horavel application icon")


def startup_picture():
    size = 192
    scene = sundial_scene(stroke=4.5)
    return svg(size, size,
               rect(1, 1, size - 2, size - 2, rx=14, fill=SKY, stroke=GREY_LIGHT, width=2)
               + path(f"M1,150C60,132 130,136 {size - 1},146V{size - 15}"
                      f"A14,14 0 0 1 {size - 15},{size - 1}H15A14,14 0 0 1 1,{size - 15}Z",
                      fill="#cfe3b8")
               + f'<g transform="translate(10,8) scale(0.67)">\n{scene}</g>\n',
               "Start-up screen picture")


def tip_lamp():
    cx, cy, r = 24.0, 19.0, 11.0
    out = []
    for k in range(-3, 4):
        a = math.radians(-90 + 30 * k)
        out.append(line(cx + math.cos(a) * (r + 3), cy + math.sin(a) * (r + 3),
                        cx + math.cos(a) * (r + 7.5), cy + math.sin(a) * (r + 7.5),
                        SUN_DARK, 2.2, cap="round"))
    neck = 6.0
    out.append(path(f"M{fmt(cx - neck)},{fmt(cy + 8.5)}A{fmt(r)},{fmt(r)} 0 1 1 {fmt(cx + neck)},{fmt(cy + 8.5)}"
                    f"L{fmt(cx + neck)},{fmt(cy + 13)}H{fmt(cx - neck)}Z",
                    fill=SUN, stroke=INK, width=1.5, join="round"))
    out.append(path(f"M{fmt(cx - 3)},{fmt(cy + 12.5)}V{fmt(cy + 3)}L{fmt(cx)},{fmt(cy)}"
                    f"L{fmt(cx + 3)},{fmt(cy + 3)}V{fmt(cy + 12.5)}", stroke=SUN_DARK, width=1.5,
                    join="round"))
    out.append(path(f"M{fmt(cx - 6)},{fmt(cy - 4)}A7,7 0 0 1 {fmt(cx - 1)},{fmt(cy - 8)}",
                    stroke=PAPER, width=2, cap="round"))
    out.append(rect(cx - neck, cy + 13, 2 * neck, 8, rx=1, fill=GREY_LIGHT, stroke=INK, width=1.5))
    out.append(line(cx - neck, cy + 17, cx + neck, cy + 17, INK, 1.2))
    out.append(path(f"M{fmt(cx - 3.5)},{fmt(cy + 21)}h7l-1.5,3h-4z", fill=INK))
    return svg(48, 48, "".join(out), "Tip of the day lamp")


def dial_page(x0, y0, x1, y1, ear, stroke):
    """A sheet with a small sundial drawing: hour lines and two date curves."""
    out = [path(f"M{fmt(x0)},{fmt(y0)}H{fmt(x1 - ear)}L{fmt(x1)},{fmt(y0 + ear)}V{fmt(y1)}H{fmt(x0)}Z",
                fill=PAPER, stroke=INK, width=stroke, join="round")]
    fx, fy = (x0 + x1) / 2, y0 + (y1 - y0) * 0.18
    for h in range(7, 18):
        a = horizontal_dial_angle(h, 48)
        dx, dy = math.sin(a), math.cos(a)
        limits = [(y1 - 3 - fy) / dy] if dy > 1e-9 else []
        if dx > 1e-9:
            limits.append((x1 - 3 - fx) / dx)
        if dx < -1e-9:
            limits.append((x0 + 3 - fx) / dx)
        t = min(limits)
        out.append(line(fx + dx * 2, fy + dy * 2, fx + dx * t, fy + dy * t,
                        INK if h % 3 == 0 else GREY, 1.5 if h % 3 == 0 else 1.0))
    w = x1 - x0 - 6
    summer = [(x, fy + (y1 - y0) * 0.2 - 0.03 * (x - fx) ** 2 * 32 / w) for x in
              [x0 + 3 + w * i / 20 for i in range(21)]]
    winter = [(x, fy + (y1 - y0) * 0.55 + 0.02 * (x - fx) ** 2 * 32 / w) for x in
              [x0 + 3 + w * i / 20 for i in range(21)]]
    out.append(path(polyline(summer), stroke=SUN_DARK, width=2, join="round"))
    out.append(path(polyline(winter), stroke=BLUE, width=2, join="round"))
    out.append(path(f"M{fmt(x1 - ear)},{fmt(y0)}V{fmt(y0 + ear)}H{fmt(x1)}Z", fill=PAPER_SHADE,
                    stroke=INK, width=stroke, join="round"))
    out.append(circle(fx, fy, 2.5, fill=RED))
    return "".join(out)


def new_dial():
    star = []
    for k in range(8):
        r = 11 if k % 2 == 0 else 4
        a = math.radians(-90 + 45 * k)
        star.append((50 + r * math.cos(a), 14 + r * math.sin(a)))
    return svg(64, 64, dial_page(9, 10, 47, 59, 9, 2)
               + polygon(star, fill=SUN, stroke=INK, width=1.5, join="round"),
               "New dial")


def open_dial():
    return svg(64, 64,
               path("M4,17H23L28,22H51V55H4Z", fill=SUN_DARK, stroke=INK, width=2, join="round")
               + dial_page(14, 6, 46, 42, 7, 2)
               + path("M4,55L13,31H61L52,55Z", fill=SUN, stroke=INK, width=2, join="round"),
               "Open a dial")


def help_picture():
    return svg(64, 64,
               circle(32, 32, 28, fill=GREEN, stroke=INK, width=2)
               + path("M22.5,24C22.5,13 41.5,13 41.5,24C41.5,32 32,31.5 32,40", stroke=PAPER,
                      width=6.5, cap="round", join="round")
               + circle(32, 49.5, 4, fill=PAPER),
               "Help")


PICTURES = [
    ("horavel", app_icon, 256, 256, "horavel_256.png"),
    ("tip_107", tip_lamp, 48, 48, None),
    ("new_dial_177", new_dial, 64, 64, None),
    ("help_178", help_picture, 64, 64, None),
    ("open_dial_179", open_dial, 64, 64, None),
    ("startup_236", startup_picture, 192, 192, None),
]


def main():
    images = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "..", "resources", "images")
    for name, fn, w, h, png in PICTURES:
        svg_path = os.path.join(images, name + ".svg")
        with open(svg_path, "w", encoding="utf-8") as f:
            f.write(fn())
        subprocess.run(["rsvg-convert", "-w", str(w), "-h", str(h), "-o",
                        os.path.join(images, png or name + ".png"), svg_path], check=True)
    print(f"{len(PICTURES)} pictures in {images}")


if __name__ == "__main__":
    main()

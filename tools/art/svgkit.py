"""Small helpers shared by the picture generators: the palette, SVG elements, a pixel font
for digits and letters, and arrows. Coordinates are in pixels of the target size; a 1 px
line sits on half pixels so it renders crisp."""
import math

# Palette: flat colours, one outline colour.
INK = "#2c3e50"
PAPER = "#ffffff"
PAPER_SHADE = "#dfe7ef"
SUN = "#f6b83c"
SUN_DARK = "#d98c1a"
BLUE = "#3b7dd8"
BLUE_LIGHT = "#a9c9ee"
RED = "#d64541"
GREEN = "#3ea35f"
STONE = "#e6d5a8"
STONE_DARK = "#bfa46a"
GREY = "#8e9baa"
GREY_LIGHT = "#cfd8e1"


def svg(width, height, body, comment=""):
    note = f"<!-- {comment} -->\n" if comment else ""
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
            f'viewBox="0 0 {width} {height}">\n{note}{body}</svg>\n')


def fmt(v):
    s = f"{v:.2f}".rstrip("0").rstrip(".")
    return "0" if s == "-0" else s


def attrs(fill="none", stroke=None, width=1.0, cap=None, join=None, dash=None, opacity=None):
    a = f'fill="{fill}"'
    if stroke:
        a += f' stroke="{stroke}" stroke-width="{fmt(width)}"'
        if cap:
            a += f' stroke-linecap="{cap}"'
        if join:
            a += f' stroke-linejoin="{join}"'
        if dash:
            a += f' stroke-dasharray="{dash}"'
    if opacity is not None:
        a += f' opacity="{fmt(opacity)}"'
    return a


def path(d, **kw):
    return f'<path {attrs(**kw)} d="{d}"/>\n'


def rect(x, y, w, h, rx=0, **kw):
    r = f' rx="{fmt(rx)}"' if rx else ""
    return f'<rect x="{fmt(x)}" y="{fmt(y)}" width="{fmt(w)}" height="{fmt(h)}"{r} {attrs(**kw)}/>\n'


def circle(cx, cy, r, **kw):
    return f'<circle cx="{fmt(cx)}" cy="{fmt(cy)}" r="{fmt(r)}" {attrs(**kw)}/>\n'


def ellipse(cx, cy, rx, ry, **kw):
    return (f'<ellipse cx="{fmt(cx)}" cy="{fmt(cy)}" rx="{fmt(rx)}" ry="{fmt(ry)}" '
            f'{attrs(**kw)}/>\n')


def line(x1, y1, x2, y2, color=INK, width=1.0, cap="butt", dash=None):
    return path(f"M{fmt(x1)},{fmt(y1)}L{fmt(x2)},{fmt(y2)}", stroke=color, width=width,
                cap=cap, dash=dash)


def polyline(points, closed=False):
    d = "M" + "L".join(f"{fmt(x)},{fmt(y)}" for x, y in points)
    return d + ("Z" if closed else "")


def polygon(points, **kw):
    return path(polyline(points, closed=True), **kw)


# Pixel font, 3 x 5 (W and M are 5 wide).
GLYPHS = {
    "0": ["###", "#.#", "#.#", "#.#", "###"],
    "1": [".#.", "##.", ".#.", ".#.", "###"],
    "2": ["###", "..#", "###", "#..", "###"],
    "3": ["###", "..#", ".##", "..#", "###"],
    "4": ["#.#", "#.#", "###", "..#", "..#"],
    "5": ["###", "#..", "###", "..#", "###"],
    "6": ["###", "#..", "###", "#.#", "###"],
    "7": ["###", "..#", ".#.", ".#.", ".#."],
    "8": ["###", "#.#", "###", "#.#", "###"],
    "9": ["###", "#.#", "###", "..#", "###"],
    ":": [".", "#", ".", "#", "."],
    "A": [".#.", "#.#", "###", "#.#", "#.#"],
    "B": ["##.", "#.#", "##.", "#.#", "##."],
    "X": ["#.#", "#.#", ".#.", "#.#", "#.#"],
    "Y": ["#.#", "#.#", ".#.", ".#.", ".#."],
    "%": ["##..#", "##.#.", "..#..", ".#.##", "#..##"],
}


def pixel_text(text, x, y, color=INK, scale=1, gap=1):
    """Text in the pixel font with its top-left corner at (x, y), as one path."""
    d = []
    for c in text:
        rows = GLYPHS[c]
        for j, row in enumerate(rows):
            i = 0
            while i < len(row):
                if row[i] == "#":
                    k = i
                    while k < len(row) and row[k] == "#":
                        k += 1
                    d.append(f"M{fmt(x + i * scale)},{fmt(y + j * scale)}h{fmt((k - i) * scale)}"
                             f"v{fmt(scale)}h{fmt(-(k - i) * scale)}z")
                    i = k
                else:
                    i += 1
        x += (len(rows[0]) + gap) * scale
    return path("".join(d), fill=color)


def labelled_text(text, x, y, color=INK, scale=1, halo=PAPER):
    """Pixel text over a one-unit halo, so it stays readable on top of a drawing."""
    glyphs = pixel_text(text, x, y, color, scale)
    under = glyphs.replace(f'fill="{color}"', f'fill="{halo}" stroke="{halo}" '
                           f'stroke-width="{fmt(2 * scale)}" stroke-linejoin="round"', 1)
    return under + glyphs


def arrow_head(x, y, angle_deg, size, color):
    """Filled arrow head with its tip at (x, y), pointing along angle (0 = +x, 90 = +y)."""
    a = math.radians(angle_deg)
    bx, by = x - size * math.cos(a), y - size * math.sin(a)
    px, py = -math.sin(a) * size * 0.6, math.cos(a) * size * 0.6
    return polygon([(x, y), (bx + px, by + py), (bx - px, by - py)], fill=color)


def double_arrow(x1, y1, x2, y2, color, width=1.0, head=3.0):
    """Line with a head at both ends; the heads end exactly at the two points."""
    ang = math.degrees(math.atan2(y2 - y1, x2 - x1))
    dx, dy = math.cos(math.radians(ang)) * head * 0.8, math.sin(math.radians(ang)) * head * 0.8
    return (line(x1 + dx, y1 + dy, x2 - dx, y2 - dy, color, width)
            + arrow_head(x2, y2, ang, head, color) + arrow_head(x1, y1, ang + 180, head, color))


def equation_of_time_min(day):
    """Equation of time in minutes (apparent minus mean), the usual three-term fit;
    good to about half a minute, plenty for a drawing of the curve."""
    b = math.radians(360.0 * (day - 81) / 365.0)
    return 9.87 * math.sin(2 * b) - 7.53 * math.cos(b) - 1.5 * math.sin(b)


def declination_deg(day):
    return 23.44 * math.sin(math.radians(360.0 * (day + 284) / 365.0))


def vertical_dial_angle(hour, latitude_deg):
    """Angle of an hour line from the noon line on a vertical dial facing south, radians."""
    return math.atan2(math.cos(math.radians(latitude_deg)) * math.sin(math.radians(15 * (hour - 12))),
                      math.cos(math.radians(15 * (hour - 12))))


def horizontal_dial_angle(hour, latitude_deg):
    """Angle of an hour line from the noon line on a horizontal dial, radians."""
    return math.atan2(math.sin(math.radians(latitude_deg)) * math.sin(math.radians(15 * (hour - 12))),
                      math.cos(math.radians(15 * (hour - 12))))

#!/usr/bin/python3
"""Golden files of the coordinate-table text files (tests/data/tables), written from the file
layouts alone for a dial whose projection is plain arithmetic (CSyntheticDial of
tests/docview/TableTestSupport.h):

  sun tables, row k, column j:  azimuth  = (j - 144) * 0.0123
                                altitude = (0.3 + 0.01 k) - |j - 144| * 0.004
  exception: azimuth 150 at row 9, column 60 (a point 15 m away)
  lit (sun above the horizon asked):  altitude > 0
  projection, tenths of a millimetre: x = round(1000 azimuth), y = round(1000 altitude)
                                      (halves away from zero)
  centre B: (0, -500) tenths of a millimetre from A

Run from the source root: /usr/bin/python3 tests/tools/gen_table_golden.py
"""
import math
import os
from decimal import ROUND_HALF_UP, Decimal

OUT = os.path.join(os.path.dirname(__file__), "..", "data", "tables")

# The J2000 mean obliquity (Meeus 22.2 at T = 0): the astronomy module's start state.
OBLIQUITY = math.radians(23.0 + 26.0 / 60.0 + 21.448 / 3600.0)

SUMMER, EQUINOX, WINTER = 9, 0, 27
CENTRE = (0, -500)

HEADINGS = {
    "hour_lines": "COORDONNÉES DES LIGNES HORAIRES",
    "hour_points": "COORDONNÉES DES POINTS HORAIRES",
    "hour": "Heure",
    "equinoxes": "Équinoxes",
    "summer": "Solstice d'été",
    "winter": "Solstice d'hiver",
    "angle": "Angle",
    "radius": "Rayon",
    "cartesian": "Cartésien",
    "arc": "long. éclipt. = %s° ; Décl. = %s°",
}
SIGNS = ["Aries", "Taurus", "Gemini", "Cancer", "Leo", "Virgo", "Libraque", "Scorpius", "Sagittarius",
         "Capricornus", "Aquarius", "Pisces"]


def azimuth(k, j):
    if k == 9 and j == 60:
        return 150.0
    return (j - 144) * 0.0123


def altitude(k, j):
    return (0.3 + 0.01 * k) - abs(j - 144) * 0.004


def lit(k, j):
    return altitude(k, j) > 0.0


def round_int(v):
    """The nearest integer, halves away from zero, from the exact value of the double."""
    return int(Decimal(v).to_integral_value(rounding=ROUND_HALF_UP))


def project(k, j):
    return round_int(1000.0 * azimuth(k, j)), round_int(1000.0 * altitude(k, j))


def far(x, y):
    return abs(x) >= 100000 or abs(y) >= 100000


def polar(x, y):
    """Radius and angle in (-pi, pi]; (x < 0, y = 0) gives -pi, (0, 0) -pi/2."""
    r = math.sqrt(x * x + y * y)
    if x > 0:
        a = math.atan(y / x)
    elif x < 0:
        a = math.atan(y / x) + math.pi if y > 0 else math.atan(y / x) - math.pi
    else:
        a = math.pi / 2 if y > 0 else -math.pi / 2
    return r, a


def kind1(v):
    return "%.1f" % v


def kind_any(v):
    i = math.trunc(v)
    if abs(v - i) < 0.00001:
        return str(int(i))
    return "%.4g" % v


def label(j, zone):
    return "%d h %d m" % (j // 12 + zone, (j % 12) * 5)


def rows_per_page(sheet_height, a):
    return (sheet_height - 40 - 5 * a) // a - 1


def paged(rows, per_page):
    pages = []
    for start in range(0, max(rows, 0), per_page):
        pages.append(list(range(start, min(rows, start + per_page))))
    return pages or [[]]


def decimal(line, sep):
    return line.replace(".", sep)


def write(name, lines):
    with open(os.path.join(OUT, name), "w", encoding="utf-8", newline="\n") as f:
        for line in lines:
            f.write(line + "\n")


def hour_range(stride):
    first, last = 288, 0
    for h in range(24):
        for s in range(12 // stride):
            j = 12 * h + s * stride
            if lit(SUMMER, j) or lit(EQUINOX, j) or lit(WINTER, j):
                first, last = min(first, j), max(last, j)
    return first, (last - first) // stride + 1


def hour_line_table(stride, zone, sheet_height, sep):
    first, rows = hour_range(stride)
    lines = []
    for page in paged(rows, rows_per_page(sheet_height, 20)):
        lines.append(HEADINGS["hour_lines"])
        lines.append("\t%s\t\t%s\t\t%s\t\t%s" % (HEADINGS["summer"], HEADINGS["equinoxes"], HEADINGS["winter"],
                                              HEADINGS["angle"]))
        lines.append(HEADINGS["hour"] + "\tx (mm)\ty (mm)" * 3 + "\t(°)")
        for i in page:
            j = first + i * stride
            fields = [label(j, zone)]
            x = y = 999
            for k in (SUMMER, EQUINOX, WINTER):
                if not lit(k, j):
                    fields += ["---", "---"]
                    continue
                x, y = project(k, j)
                fields += ["---", "---"] if far(x, y) else [kind1(x / 10.0), kind1(y / 10.0)]
            if x == 999 and y == 999:
                fields.append("---")
            else:
                _, a = polar(x - CENTRE[0], y - CENTRE[1])
                fields.append(kind1(math.trunc(a * 1800.0 / math.pi) / 10.0))
            lines.append(decimal("\t".join(fields), sep))
    return lines


def hour_point_table(stride, zone, sheet_height, sep):
    first, rows = hour_range(stride)
    lines = []
    for page in paged(rows, rows_per_page(sheet_height, 20)):
        lines.append(HEADINGS["hour_points"])
        lines.append("\t%s\t%s\tx (mm)\ty (mm)\t%s\t%s" % (HEADINGS["hour"], HEADINGS["cartesian"], HEADINGS["radius"],
                                                         HEADINGS["angle"]))
        for i in page:
            j = first + i * stride
            fields = [label(j, zone)]
            if not lit(SUMMER, j):
                lines.append(decimal("\t".join(fields + ["---", "---"]), sep))
                continue
            x, y = project(SUMMER, j)
            fields += ["---", "---"] if far(x, y) else [kind_any(x / 10.0), kind_any(y / 10.0)]
            r, a = polar(x, y)
            fields += [kind_any(math.trunc(r * 10.0) / 100.0), kind_any(math.trunc(a * 180.0 / math.pi * 10.0) / 10.0)]
            lines.append(decimal("\t".join(fields), sep))
    return lines


def arc_name(k):
    if k % 3:
        return ""
    s = k // 3
    name = SIGNS[s]
    if s in (0, 6):
        name += " ( %s )" % HEADINGS["equinoxes"]
    elif s == 3:
        name += " ( %s )" % HEADINGS["summer"]
    elif s == 9:
        name += " ( %s )" % HEADINGS["winter"]
    return name


def date_arc_table(mode, zone, sep):
    arcs = ([27, 0, 9, 28, 29, 30, 31, 32, 33, 34, 35, 1, 2, 3, 4, 5, 6, 7, 8] if mode == 4
            else [27, 0, 9, 30, 33, 3, 6])
    first, last = 96, 0
    for j in range(0, 288, 6):
        if lit(SUMMER, j) or lit(EQUINOX, j) or lit(WINTER, j):
            first, last = min(first, j), max(last, j)
    rows = (last - first) // 6 + 1
    lines = []
    for k in arcs:
        declination = math.degrees(math.asin(math.sin(OBLIQUITY) * math.sin(math.radians(10 * k))))
        lines.append(arc_name(k))
        lines.append(HEADINGS["arc"].replace("%s", kind_any(10.0 * k), 1).replace("%s", kind_any(declination), 1))
        lines.append("%s\tx (mm)\ty (mm)\t%s (mm)\t%s (°)" % (HEADINGS["hour"], HEADINGS["radius"], HEADINGS["angle"]))
        for r in range(rows):
            j = first + 6 * r
            fields = [label(j, zone)]
            x, y = project(k, j)
            if not lit(k, j) or far(x, y):
                fields += ["---"] * 4
            else:
                radius, a = polar(x - CENTRE[0], y - CENTRE[1])
                fields += [kind1(x / 10.0), kind1(y / 10.0), kind1(radius / 10.0),
                           kind1(math.trunc(a * 1800.0 / math.pi) / 10.0)]
            lines.append(decimal("\t".join(fields), sep))
    return lines


def main():
    os.makedirs(OUT, exist_ok=True)
    # Half-hour step, legal time one zone step east, a 500-pixel sheet (17 rows a page),
    # decimal comma.
    write("thl_synthetic.tmp", hour_line_table(6, 1, 500, ","))
    # Quarter-hour step, local solar time, the same sheet, decimal point.
    write("thp_synthetic.tmp", hour_point_table(3, 0, 500, "."))
    # The zodiac arcs, legal time one zone step east, decimal comma.
    write("tdl_synthetic.tmp", date_arc_table(3, 1, ","))


if __name__ == "__main__":
    main()

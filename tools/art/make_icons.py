#!/usr/bin/python3
"""Writes the toolbar icons: resources/images/toolbar/<command id>.svg, their PNG at the
toolbar's button size, and resources/images/toolbar/index.csv.

Needs: librsvg2-bin (rsvg-convert).
Usage: tools/art/make_icons.py [images folder]   (default: resources/images)
"""
import csv
import math
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from svgkit import (BLUE, BLUE_LIGHT, GREEN, GREY, GREY_LIGHT, INK, PAPER, PAPER_SHADE, RED,  # noqa: E402
                    STONE, STONE_DARK, SUN, SUN_DARK, arrow_head, circle, declination_deg,
                    double_arrow, ellipse, equation_of_time_min, fmt, horizontal_dial_angle,
                    line, path, pixel_text, polygon, polyline, rect, svg)

# Toolbars: id, button size, buttons in order (0 = separator).
TOOLBARS = [
    (128, (32, 32), [57664, 0, 57600, 0, 57601, 57603, 0, 57607, 57609, 0, 32772, 0, 57670, 0, 109]),
    (154, (24, 24), [32803, 32865, 0, 32790, 32789, 32792, 0, 32904, 0, 32805, 32798, 32806, 0, 32811]),
    (167, (32, 32), [32813, 32815, 32874, 0, 32817, 0, 32816, 32849, 32867]),
    (191, (16, 15), [32900, 32902, 0, 32905, 32906, 0, 32910, 32909, 32912]),
    (228, (32, 32), [32883, 32938]),
]

ICONS = {}  # command id -> (description, function returning the SVG body)


def icon(cmd, description):
    def register(fn):
        ICONS[cmd] = (description, fn)
        return fn
    return register


# Shared motifs ------------------------------------------------------------------------

def page(x0, y0, x1, y1, ear=6, fill=PAPER):
    """A sheet with a folded top-right corner; edges on half pixels."""
    return (path(f"M{fmt(x0)},{fmt(y0)}H{fmt(x1 - ear)}L{fmt(x1)},{fmt(y0 + ear)}V{fmt(y1)}"
                 f"H{fmt(x0)}Z", fill=fill, stroke=INK)
            + path(f"M{fmt(x1 - ear)},{fmt(y0)}V{fmt(y0 + ear)}H{fmt(x1)}", fill=PAPER_SHADE,
                   stroke=INK, join="round"))


def text_lines(x0, x1, ys, color=GREY, width=1.0):
    return "".join(line(x0, y, x1 - (i % 3) * 2, y, color, width) for i, y in enumerate(ys))


def hour_fan(cx, cy, radius, hours, latitude=48.0, color=INK, width=1.0, r0=0.0, up=False, box=None):
    """Hour lines of a horizontal dial radiating from (cx, cy): downwards (noon line
    towards +y), or upwards when up is set. With a box (x0, y0, x1, y1) each line runs
    to the box's edge instead of to the radius."""
    out = []
    sign = -1 if up else 1
    for h in hours:
        a = horizontal_dial_angle(h, latitude)
        dx, dy = math.sin(a), sign * math.cos(a)
        r = radius
        if box:
            x0, y0, x1, y1 = box
            limits = []
            if dx > 1e-9:
                limits.append((x1 - cx) / dx)
            if dx < -1e-9:
                limits.append((x0 - cx) / dx)
            if dy > 1e-9:
                limits.append((y1 - cy) / dy)
            if dy < -1e-9:
                limits.append((y0 - cy) / dy)
            r = min(limits)
        out.append(line(cx + dx * r0, cy + dy * r0, cx + dx * r, cy + dy * r, color, width))
    return "".join(out)


def sparkle(cx, cy, r_out, r_in):
    pts = []
    for k in range(8):
        r = r_out if k % 2 == 0 else r_in
        a = math.radians(-90 + 45 * k)
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return polygon(pts, fill=SUN, stroke=INK, width=1.0, join="round")


def picture(x0, y0, x1, y1):
    """A framed picture: sky, sun and a green hill."""
    w, h = x1 - x0, y1 - y0
    return (rect(x0, y0, w, h, fill=BLUE_LIGHT, stroke=INK)
            + circle(x0 + w * 0.72, y0 + h * 0.32, max(1.2, h * 0.14), fill=SUN)
            + polygon([(x0 + 0.5, y1 - 0.5), (x0 + w * 0.38, y0 + h * 0.42), (x0 + w * 0.62, y0 + h * 0.72),
                       (x0 + w * 0.78, y0 + h * 0.58), (x1 - 0.5, y1 - 0.5)], fill=GREEN))


def plus_badge(cx, cy):
    """A small green plus with a white halo, for the insert commands."""
    return (path(f"M{fmt(cx - 3.5)},{fmt(cy - 1.5)}h2v-2h3v2h2v3h-2v2h-3v-2h-2z", fill=PAPER, stroke=PAPER,
                 width=1.5, join="round")
            + path(f"M{fmt(cx - 2.5)},{fmt(cy - 0.5)}h2v-2h1v2h2v1h-2v2h-1v-2h-2z", fill=GREEN,
                   stroke=GREEN, width=0.5))


def gnomon_triangle(x_foot, y_base, length, height, fill=GREY, stroke=INK):
    """A right-angled style seen from the side: foot on the left, upright on the right."""
    return polygon([(x_foot, y_base), (x_foot + length, y_base), (x_foot + length, y_base - height)],
                   fill=fill, stroke=stroke, join="round")


def eot_curve(x0, y0, x1, y1):
    """The equation of time over one year, January at x0, scaled to -17..+17 minutes."""
    pts = []
    for day in range(1, 366, 4):
        x = x0 + (x1 - x0) * (day - 1) / 364.0
        y = (y0 + y1) / 2 - equation_of_time_min(day) / 17.0 * (y1 - y0) / 2
        pts.append((x, y))
    return pts


def bulb(cx, cy, r, rays=True):
    """A lit lamp: glass, screw base and rays; r is the glass radius."""
    out = []
    if rays:
        for k in range(-3, 4):
            a = math.radians(-90 + 30 * k)
            out.append(line(cx + math.cos(a) * (r + r * 0.3), cy + math.sin(a) * (r + r * 0.3),
                            cx + math.cos(a) * (r + r * 0.6), cy + math.sin(a) * (r + r * 0.6),
                            SUN_DARK, max(1.0, r * 0.16), cap="round"))
    neck = r * 0.55
    out.append(path(f"M{fmt(cx - neck)},{fmt(cy + r * 0.72)}"
                    f"A{fmt(r)},{fmt(r)} 0 1 1 {fmt(cx + neck)},{fmt(cy + r * 0.72)}"
                    f"L{fmt(cx + neck)},{fmt(cy + r * 1.15)}H{fmt(cx - neck)}Z",
                    fill=SUN, stroke=INK, join="round"))
    out.append(path(f"M{fmt(cx - r * 0.3)},{fmt(cy + r * 1.1)}V{fmt(cy + r * 0.3)}"
                    f"L{fmt(cx)},{fmt(cy)}L{fmt(cx + r * 0.3)},{fmt(cy + r * 0.3)}V{fmt(cy + r * 1.1)}",
                    stroke=SUN_DARK, width=max(1.0, r * 0.09), join="round"))
    out.append(rect(cx - neck, cy + r * 1.15, 2 * neck, r * 0.62, rx=r * 0.08, fill=GREY_LIGHT, stroke=INK))
    out.append(line(cx - neck, cy + r * 1.46, cx + neck, cy + r * 1.46, INK, 1.0))
    out.append(path(f"M{fmt(cx - neck * 0.55)},{fmt(cy + r * 1.77)}h{fmt(neck * 1.1)}"
                    f"l{fmt(-neck * 0.25)},{fmt(r * 0.22)}h{fmt(-neck * 0.6)}z", fill=INK))
    return "".join(out)


# Main toolbar (32 x 32) ----------------------------------------------------------------

@icon(57664, "About Horavel: program, version and author")
def about():
    return (circle(16, 16, 13.5, fill=BLUE, stroke=INK)
            + circle(16, 9.5, 2.2, fill=PAPER)
            + path("M13,14h5v9h2v3h-8v-3h2v-6h-1z", fill=PAPER))


@icon(57600, "New dial: start the creation wizard")
def new_dial():
    return (page(5.5, 5.5, 23.5, 29.5)
            + hour_fan(14.5, 11, 15, [9, 10, 11, 12, 13, 14, 15], color=GREY, r0=2)
            + sparkle(24.5, 7.5, 7, 2.6))


@icon(57601, "Open a dial document")
def open_dial():
    return (path("M2.5,8.5H11.5L14.5,11.5H25.5V27.5H2.5Z", fill=SUN_DARK, stroke=INK, join="round")
            + page(7.5, 4.5, 22.5, 20.5, ear=4)
            + path("M2.5,27.5L7.5,15.5H30.5L25.5,27.5Z", fill=SUN, stroke=INK, join="round"))


@icon(57603, "Save the dial document")
def save():
    return (path("M4.5,4.5H24.5L27.5,7.5V27.5H4.5Z", fill=BLUE, stroke=INK, join="round")
            + rect(9.5, 4.5, 13, 8, fill=PAPER_SHADE, stroke=INK)
            + rect(18, 6, 2.5, 5, fill=BLUE)
            + rect(7.5, 16.5, 17, 11, fill=PAPER, stroke=INK)
            + line(10, 20.5, 22, 20.5, GREY) + line(10, 23.5, 19, 23.5, GREY))


@icon(57607, "Print the dial on as many sheets as it needs")
def print_():
    return (rect(8.5, 3.5, 15, 10, fill=PAPER, stroke=INK)
            + rect(2.5, 11.5, 27, 12, rx=2, fill=GREY_LIGHT, stroke=INK)
            + rect(7.5, 18.5, 17, 10, fill=PAPER, stroke=INK)
            + line(10, 22.5, 22, 22.5, GREY) + line(10, 25.5, 19, 25.5, GREY)
            + circle(25.5, 15, 1.5, fill=GREEN))


@icon(57609, "Print preview")
def print_preview():
    return (page(4.5, 3.5, 21.5, 27.5, ear=5)
            + text_lines(7.5, 17.5, [11.5, 14.5, 17.5])
            + circle(20, 19, 6, fill=BLUE_LIGHT, stroke=INK, width=2)
            + line(24.3, 23.3, 29, 28, INK, 3.2, cap="round"))


@icon(32772, "Edit the locations database")
def locations_db():
    body = (path("M3.5,8.5V25.5A9,3.5 0 0 0 21.5,25.5V8.5", fill=BLUE_LIGHT, stroke=INK)
            + path("M3.5,14.5A9,3.5 0 0 0 21.5,14.5M3.5,20A9,3.5 0 0 0 21.5,20", stroke=INK)
            + ellipse(12.5, 8.5, 9, 3.5, fill=PAPER_SHADE, stroke=INK))
    pin = (path("M23.5,28.5C20,22 17.5,19.5 17.5,15.5A6,6 0 0 1 29.5,15.5C29.5,19.5 27,22 23.5,28.5Z",
                fill=RED, stroke=INK, join="round")
           + circle(23.5, 15.5, 2.2, fill=PAPER))
    return body + pin


@icon(57670, "Help: open the help pages")
def help_():
    return (circle(16, 16, 13.5, fill=GREEN, stroke=INK)
            + path("M11.5,12.5C11.5,7.5 20.5,7.5 20.5,12.5C20.5,16.5 16,16 16,20",
                   stroke=PAPER, width=3.2, cap="round", join="round")
            + circle(16, 24.5, 2, fill=PAPER))


@icon(109, "Start-up screen with the tip of the day")
def startup_screen():
    return bulb(16, 12.5, 8)


# Dial toolbar (24 x 24) ----------------------------------------------------------------

@icon(32803, "Dimensions of the dial, its style and its print scale")
def dimensions():
    return (rect(7.5, 2.5, 14, 13, fill=STONE, stroke=INK)
            + hour_fan(14.5, 3, 12, [10, 11, 12, 13, 14], color=STONE_DARK, r0=1)
            + line(7.5, 17, 7.5, 22, GREY) + line(21.5, 17, 21.5, 22, GREY)
            + double_arrow(8, 20.5, 21, 20.5, BLUE, head=3.5)
            + line(1, 2.5, 6, 2.5, GREY) + line(1, 15.5, 6, 15.5, GREY)
            + double_arrow(3.5, 3, 3.5, 15, BLUE, head=3.5))


@icon(32865, "Anchoring of the style on the page")
def style_anchor():
    return (tile()
            + hour_fan(12, 12, 0, [8, 9, 10, 11, 12, 13, 14, 15, 16], color=STONE_DARK, r0=4,
                       box=(2, 2, 22, 22))
            + circle(12, 12, 3.5, stroke=RED, width=1.5)
            + line(12, 5.5, 12, 18.5, RED, 1) + line(5.5, 12, 18.5, 12, RED, 1))


def tile(fill=STONE):
    """The dial plate that the line and numbering options of the dial toolbar sit on; it
    also keeps their dark strokes readable on a dark toolbar."""
    return rect(1.5, 1.5, 21, 21, rx=2, fill=fill, stroke=INK)


def corner_fan(steps_per_hour, sub_color):
    """Hour lines in a quarter fan from the plate's bottom-left corner, finer lines between."""
    cx, cy = 3.5, 20.5
    out = [tile()]
    n = 3 * steps_per_hour
    for k in range(n + 1):
        a = math.radians(90.0 * k / n)
        dx, dy = math.cos(a), -math.sin(a)
        # Lines run to the plate's edge, like hour lines to a dial's border.
        t = min((21.5 - cx) / dx if dx > 1e-9 else 1e9, (cy - 2.5) / -dy if dy < -1e-9 else 1e9)
        if k % steps_per_hour == 0:
            out.append(line(cx, cy, cx + dx * t, cy + dy * t, INK, 1.3))
        else:
            r0 = 6.0
            out.append(line(cx + dx * r0, cy + dy * r0, cx + dx * t, cy + dy * t, sub_color, 1.0))
    return "".join(out) + circle(cx, cy, 1.6, fill=RED)


@icon(32790, "Draw the half-hour lines")
def half_hours():
    return corner_fan(2, BLUE)


@icon(32789, "Draw the quarter-hour lines")
def quarter_hours():
    return corner_fan(4, BLUE)


@icon(32792, "Draw the diurnal arcs (date lines)")
def diurnal_arcs():
    out = tile() + hour_fan(12, 2, 0, [8, 9, 10, 11, 12, 13, 14, 15, 16], latitude=60,
                            color=STONE_DARK, box=(2, 2, 22, 22))
    summer = [(x, 8.5 - 0.035 * (x - 12) ** 2) for x in range(3, 22)]
    winter = [(x, 16.5 + 0.03 * (x - 12) ** 2) for x in range(3, 22)]
    out += path(polyline(summer), stroke=SUN_DARK, width=1.6, cap="round", join="round")
    out += line(3, 12.5, 21, 12.5, RED, 1.6, cap="round")
    out += path(polyline(winter), stroke=BLUE, width=1.6, cap="round", join="round")
    return out


@icon(32904, "Colours and styles of the lines")
def line_styles():
    return (tile(PAPER)
            + line(5, 6, 19, 6, RED, 3, cap="round")
            + line(4, 12, 20, 12, BLUE, 2, dash="3,2")
            + line(4, 17.5, 20, 17.5, GREEN, 1.5, dash="1.5,1.5")
            + line(4, 20.5, 20, 20.5, INK, 1))


@icon(32805, "Write the hour numbers")
def hour_numbers():
    return (tile()
            + hour_fan(12, 20, 10, [9, 12, 15], latitude=90, color=STONE_DARK, up=True, r0=2)
            + pixel_text("9", 3, 9) + pixel_text("12", 9, 4) + pixel_text("3", 18, 9)
            + circle(12, 20, 1.6, fill=RED))


@icon(32798, "Number the hours from 0 to 24")
def hours_24():
    return (tile()
            + pixel_text("2", 4.5, 4, scale=2) + pixel_text("4", 13.5, 4, scale=2)
            + path("M5.5,16.5A7.5,4 0 0 0 18.5,17", stroke=BLUE, width=1.5)
            + arrow_head(19.5, 15, -70, 4, BLUE))


@icon(32806, "Write the hours in Roman numerals")
def roman():
    return (tile()
            + line(4, 5.5, 20, 5.5, INK, 1) + line(4, 18.5, 20, 18.5, INK, 1)
            + line(5, 7, 11, 17, INK, 1.8) + line(11, 7, 5, 17, INK, 1.8)
            + line(14.5, 7, 14.5, 17, INK, 2) + line(18.5, 7, 18.5, 17, INK, 2))


@icon(32811, "Mark where the style stands on the dial")
def style_marking():
    return (gnomon_triangle(2.5, 16.5, 19, 13, fill=GREY_LIGHT)
            + line(1, 20.5, 23, 20.5, RED, 1.5, dash="3,1.5")
            + line(2.5, 18, 2.5, 23, RED, 1.5) + line(21.5, 18, 21.5, 23, RED, 1.5))


# Display toolbar (32 x 32) -------------------------------------------------------------

@icon(32813, "Show the dial drawn at scale")
def dial_at_scale():
    out = page(3.5, 2.5, 28.5, 29.5, ear=6)
    out += hour_fan(15, 6, 0, [7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17], r0=1, box=(4, 3, 28, 29))
    out += path(polyline([(x, 12.5 - 0.02 * (x - 15) ** 2) for x in range(4, 29)]), stroke=SUN_DARK, width=1.4)
    out += path(polyline([(x, 22.5 + 0.015 * (x - 15) ** 2) for x in range(4, 29)]), stroke=BLUE, width=1.4)
    # The folded corner lies over the drawing.
    out += path("M22.5,2.5L28.5,8.5H22.5Z", fill=PAPER_SHADE, stroke=INK, join="round")
    out += path("M22.5,2.5H3.5V29.5H28.5V8.5", stroke=INK)
    return out + circle(15, 6, 1.8, fill=RED)


@icon(32815, "Show the dimensioned plan of the style")
def style_plan():
    return (gnomon_triangle(4.5, 20.5, 22, 16, fill=GREY_LIGHT)
            + path("M11.5,20.5A7,7 0 0 0 10.9,17.6", stroke=RED, width=1.5)
            + line(4.5, 22.5, 4.5, 28, GREY) + line(26.5, 22.5, 26.5, 28, GREY)
            + double_arrow(5, 26, 26, 26, BLUE, head=3.5)
            + line(28, 4.5, 31, 4.5, GREY)
            + double_arrow(29.5, 5, 29.5, 20, BLUE, head=3.5))


@icon(32874, "Show the style drawn at scale")
def style_at_scale():
    ticks = "".join(line(x + 0.5, 23.5, x + 0.5, 23.5 + (4 if (x - 3) % 5 == 0 else 2), INK)
                    for x in range(3, 29) if (x - 3) % 5 == 0 or x % 2 == 0)
    return (gnomon_triangle(3.5, 20.5, 24, 17, fill=GREY)
            + rect(2.5, 23.5, 27, 6, fill=SUN, stroke=INK) + ticks)


@icon(32817, "Show the technical sheet of the dial")
def technical_sheet():
    return (page(5.5, 2.5, 26.5, 29.5, ear=6)
            + rect(8, 6, 11, 5, fill=BLUE_LIGHT)
            + text_lines(8, 24, [14.5, 17.5, 20.5, 23.5, 26.5])
            + "".join(line(8, y, 12, y, INK) for y in (14.5, 17.5, 20.5, 23.5, 26.5)))


def graph_axes(x0, y0, x1, y1):
    return (line(x0 + 0.5, y0, x0 + 0.5, y1 + 0.5, INK) + line(x0, y1 + 0.5, x1, y1 + 0.5, INK)
            + arrow_head(x0 + 0.5, y0 - 1, -90, 3, INK) + arrow_head(x1 + 1, y1 + 0.5, 0, 3, INK))


@icon(32816, "Show the annual graph of the equation of time")
def eot_graph():
    return (rect(1.5, 2.5, 29, 27, fill=PAPER, stroke=GREY)
            + line(5, 16, 28, 16, GREY, 1, dash="2,1.5")
            + graph_axes(4, 5, 27, 26)
            + path(polyline(eot_curve(5.5, 6, 27, 26)), stroke=RED, width=1.8, join="round"))


@icon(32849, "Show the graph and the table of the equation of time")
def eot_graph_table():
    grid = (rect(3.5, 17.5, 25, 11, fill=PAPER, stroke=INK)
            + line(3.5, 21.5, 28.5, 21.5, INK) + line(3.5, 25, 28.5, 25, GREY)
            + line(10.5, 17.5, 10.5, 28.5, INK) + line(19.5, 17.5, 19.5, 28.5, GREY))
    return (rect(1.5, 1.5, 29, 14, fill=PAPER, stroke=GREY)
            + line(4, 8.5, 29, 8.5, GREY, 1, dash="2,1.5")
            + path(polyline(eot_curve(3.5, 3, 29, 14)), stroke=RED, width=1.6, join="round")
            + grid)


@icon(32867, "Show the equation of time against the declination (the figure-eight curve)")
def eot_vertical():
    pts = []
    for day in range(1, 367, 3):
        pts.append((16 + equation_of_time_min(day) * 0.55, 16 - declination_deg(day) * 0.52))
    return (rect(3.5, 1.5, 25, 29, fill=PAPER, stroke=GREY)
            + line(16, 2, 16, 30, GREY, 1, dash="2,1.5") + line(4, 16, 28, 16, GREY, 1, dash="2,1.5")
            + path(polyline(pts, closed=False) + "Z", stroke=RED, width=1.8, join="round"))


# Frames toolbar (16 x 15) --------------------------------------------------------------

@icon(32900, "Insert a text frame")
def insert_text():
    return (rect(0.5, 0.5, 12, 11, fill=PAPER, stroke=INK)
            + path("M2.5,9.5L5.5,2.5L8.5,9.5M3.8,7H7.2", stroke=BLUE, width=1.5, join="round")
            + line(9.5, 3.5, 11, 3.5, GREY) + line(9.5, 6.5, 11, 6.5, GREY)
            + plus_badge(12.5, 11.5))


@icon(32902, "Insert a picture frame")
def insert_picture():
    return picture(0.5, 0.5, 12.5, 11.5) + plus_badge(12.5, 11.5)


@icon(32905, "Delete the selected frame")
def delete_frame():
    return line(3, 2, 13, 12, RED, 2.4, cap="round") + line(13, 2, 3, 12, RED, 2.4, cap="round")


@icon(32906, "Edit the selected frame")
def edit_frame():
    pencil = polygon([(6, 13.5), (6.5, 10.5), (13, 4), (15.5, 6.5), (9, 13)], fill=SUN, stroke=INK, join="round")
    return (rect(0.5, 0.5, 11, 10, fill=PAPER, stroke=INK) + line(2.5, 3.5, 9, 3.5, GREY)
            + line(2.5, 6.5, 7, 6.5, GREY) + pencil + polygon([(6, 13.5), (6.3, 11.8), (7.7, 13.2)], fill=INK))


@icon(32910, "Show the picture at its original size")
def picture_original():
    return (picture(2.5, 0.5, 13.5, 8.5) + rect(3, 9, 10, 6, fill=PAPER)
            + pixel_text("1:1", 5, 10))


@icon(32909, "Set the picture width from its height (original proportions)")
def picture_width():
    return picture(2.5, 0.5, 13.5, 9.5) + double_arrow(0.5, 12.5, 15.5, 12.5, BLUE, head=3.5)


@icon(32912, "Set the picture height from its width (original proportions)")
def picture_height():
    return picture(0.5, 2.5, 10.5, 12.5) + double_arrow(13.5, 0.5, 13.5, 14.5, BLUE, head=3.5)


# Ephemerides toolbar (32 x 32) ---------------------------------------------------------

@icon(32883, "Date of the ephemerides")
def ephemeris_date():
    cal = (rect(2.5, 5.5, 22, 21, rx=1.5, fill=PAPER, stroke=INK)
           + path("M2.5,11.5V7A1.5,1.5 0 0 1 4,5.5H23A1.5,1.5 0 0 1 24.5,7V11.5Z", fill=RED, stroke=INK)
           + line(8, 3, 8, 8, INK, 2, cap="round") + line(19, 3, 19, 8, INK, 2, cap="round"))
    cells = "".join(rect(5 + 4 * i, 14 + 4 * j, 2, 2, fill=GREY) for j in range(3) for i in range(4)
                    if not (i >= 2 and j >= 1))
    rays = "".join(line(23 + math.cos(math.radians(a)) * 6.5, 23 + math.sin(math.radians(a)) * 6.5,
                        23 + math.cos(math.radians(a)) * 8.5, 23 + math.sin(math.radians(a)) * 8.5,
                        SUN_DARK, 1.6, cap="round") for a in range(0, 360, 45))
    return cal + cells + rays + circle(23, 23, 4.8, fill=SUN, stroke=INK)


@icon(32938, "Reference location of the ephemerides")
def reference_location():
    globe = (circle(14, 18, 11.5, fill=BLUE_LIGHT, stroke=INK)
             + ellipse(14, 18, 5, 11.5, stroke=BLUE) + line(2.5, 18, 25.5, 18, BLUE)
             + path("M4.5,12.5H23.5M4.5,23.5H23.5", stroke=BLUE))
    pin = (path("M22.5,21.5C19,15 16.5,12.5 16.5,8.5A6,6 0 0 1 28.5,8.5C28.5,12.5 26,15 22.5,21.5Z",
                fill=RED, stroke=INK, join="round")
           + circle(22.5, 8.5, 2.2, fill=PAPER))
    return globe + pin


def main():
    images = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "..", "resources", "images")
    out_dir = os.path.join(images, "toolbar")
    os.makedirs(out_dir, exist_ok=True)
    rows = []
    for toolbar, (w, h), buttons in TOOLBARS:
        for cmd in buttons:
            if cmd == 0:
                continue
            description, fn = ICONS[cmd]
            svg_path = os.path.join(out_dir, f"{cmd}.svg")
            with open(svg_path, "w", encoding="utf-8") as f:
                f.write(svg(w, h, fn(), f"command {cmd}: {description}"))
            subprocess.run(["rsvg-convert", "-w", str(w), "-h", str(h), "-o",
                            os.path.join(out_dir, f"{cmd}.png"), svg_path], check=True)
            rows.append([toolbar, cmd, f"{w}x{h}", description])
    with open(os.path.join(out_dir, "index.csv"), "w", encoding="utf-8", newline="") as f:
        writer = csv.writer(f, lineterminator="\n")
        writer.writerow(["toolbar", "command", "size", "description"])
        writer.writerows(rows)
    print(f"{len(rows)} icons in {out_dir}")


if __name__ == "__main__":
    main()

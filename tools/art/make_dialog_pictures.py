#!/usr/bin/python3
"""Writes the pictures of the dialogs, SVG and PNG:
  wizard_location_150        side panel of the wizard's location page (a globe and a dial)
  wizard_type_161            side panel of the dial type page (the five dial families)
  wizard_family_250          side panel of the plane dial page (orientation of the dial plane)
  wizard_analemmatic_251     side panel of the analemmatic dial page
  wizard_cylindrical_252     side panel of the cylindrical dial page
  wizard_bifilar_253         side panel of the bifilar dial page
  dimensions_148             the dimensions of a dial: sheet, style foot A, style height, base
  style_anchor_153           the style anchor A as a percentage of the sheet
  anim_play_202 ... 213      the buttons of the shadow animation (32 x 32)
  about_232                  the application icon on the about box's colour (128 x 128)

The side panels and the two dimension diagrams are opaque, hold none of the greys that a
loader mapping 3D colours would repaint, and have a one-pixel frame in a colour used nowhere
else inside them, so they also survive a loader that makes the top-left colour transparent.

Data of the globe: GSHHG 2.3.7 crude shorelines (gmt-gshhg-low, LGPL-3+).
Needs: librsvg2-bin (rsvg-convert), python3-netcdf4, python3-numpy.
Usage: tools/art/make_dialog_pictures.py [images folder]   (default: resources/images)
"""
import math
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from svgkit import (BLUE, BLUE_LIGHT, GREEN, GREY, GREY_LIGHT, INK, PAPER, RED,  # noqa: E402
                    STONE, STONE_DARK, SUN, SUN_DARK, arrow_head, circle, declination_deg,
                    double_arrow, ellipse, equation_of_time_min, fmt, horizontal_dial_angle,
                    labelled_text, line, path, pixel_text, polygon, polyline, rect, svg, vertical_dial_angle)
from make_pictures import BRONZE, BRONZE_DARK, SKY, sundial_scene  # noqa: E402

FRAME = "#34495e"      # frame of the opaque pictures, used nowhere inside them
GRASS = "#cfe3b8"
GRASS_DARK = "#9cc483"
SHORE_LAND = "#f1ead2"  # the land and coast colours of the locations map
SHORE_LINE = "#5d86a3"
ABOUT_BACKGROUND = "#d0e0e8"  # RGB(208, 224, 232), the about box's own fill
PANEL_W, PANEL_H = 160, 300


def frame(w, h):
    return rect(0.5, 0.5, w - 1, h - 1, stroke=FRAME)


def sun_with_rays(cx, cy, r, rays=12, ray_in=4.0, ray_out=9.0, ray_width=2.2, stroke=1.5):
    out = []
    for i in range(rays):
        a = math.radians(i * 360.0 / rays + 180.0 / rays)
        out.append(line(cx + math.cos(a) * (r + ray_in), cy + math.sin(a) * (r + ray_in),
                        cx + math.cos(a) * (r + ray_out), cy + math.sin(a) * (r + ray_out),
                        SUN_DARK, ray_width, cap="round"))
    out.append(circle(cx, cy, r, fill=SUN, stroke=INK, width=stroke))
    return "".join(out)


def pin(x, y, size):
    """A map pin whose tip is at (x, y); size is its height."""
    r = size * 0.3
    cy = y - size + r
    return (path(f"M{fmt(x)},{fmt(y)}C{fmt(x - r * 0.6)},{fmt(y - size * 0.3)} {fmt(x - r)},"
                 f"{fmt(cy + r * 0.7)} {fmt(x - r)},{fmt(cy)}A{fmt(r)},{fmt(r)} 0 1 1 {fmt(x + r)},"
                 f"{fmt(cy)}C{fmt(x + r)},{fmt(cy + r * 0.7)} {fmt(x + r * 0.6)},{fmt(y - size * 0.3)} "
                 f"{fmt(x)},{fmt(y)}Z", fill=RED, stroke=INK, width=1.5, join="round")
            + circle(x, cy, r * 0.4, fill=PAPER))


def panel(body, comment):
    """A wizard side panel: sky, a grass strip at the bottom, the frame."""
    w, h = PANEL_W, PANEL_H
    return svg(w, h, rect(0, 0, w, h, fill=SKY)
               + path(f"M0,{h - 52}C50,{h - 64} 110,{h - 62} {w},{h - 56}V{h}H0Z", fill=GRASS)
               + body + frame(w, h), comment)


def scene_group(x, y, scale, body):
    return f'<g transform="translate({fmt(x)},{fmt(y)}) scale({fmt(scale)})">\n{body}</g>\n'


# Wizard, location page -----------------------------------------------------------------

def globe(cx, cy, radius, lat0, lon0):
    """An orthographic globe of the crude GSHHG shorelines, centred on (lat0, lon0 east)."""
    import make_map  # needs netCDF4; only the globe uses it
    la0, lo0 = math.radians(lat0), math.radians(lon0)

    def project(lon, lat):
        la, dl = math.radians(lat), math.radians(lon) - lo0
        x = math.cos(la) * math.sin(dl)
        y = math.cos(la0) * math.sin(la) - math.sin(la0) * math.cos(la) * math.cos(dl)
        front = math.sin(la0) * math.sin(la) + math.cos(la0) * math.cos(la) * math.cos(dl)
        if front < 0:
            # Behind the globe: onto the rim. The rings are at most one 5-degree bin, so
            # this only flattens the pieces that cross the rim.
            n = math.hypot(x, y) or 1.0
            x, y = x / n, y / n
        return cx + radius * x, cy - radius * y, front

    rings, _ = make_map.shore_rings(os.path.join(make_map.GSHHG, "binned_GSHHS_c.nc"),
                                    (lon0 - 95.0, lon0 + 95.0), (-60.0, 90.0))
    out = [circle(cx, cy, radius, fill=BLUE_LIGHT)]
    fills = {1: SHORE_LAND, 2: BLUE_LIGHT, 3: SHORE_LAND, 4: BLUE_LIGHT}
    for level in range(1, 5):
        d = []
        for ring in rings[level]:
            pts = [project(lon, lat) for lon, lat in ring]
            if all(f < 0 for _, _, f in pts):
                continue
            px = make_map.simplify([(x, y) for x, y, _ in pts], 0.25)
            if len(px) >= 3:
                d.append("M" + " ".join(f"{x:.2f},{y:.2f}" for x, y in px) + "Z")
        if d:
            out.append(f'<path fill="{fills[level]}" stroke="{SHORE_LINE}" stroke-width="0.5" '
                       f'stroke-linejoin="round" d="{"".join(d)}"/>\n')
    # Graticule every 30 degrees, front half only.
    grid = []

    def visible_runs(points):
        run = []
        for x, y, f in points:
            if f > 0.02:
                run.append((x, y))
            else:
                if len(run) > 1:
                    grid.append("M" + "L".join(f"{fmt(a)},{fmt(b)}" for a, b in run))
                run = []
        if len(run) > 1:
            grid.append("M" + "L".join(f"{fmt(a)},{fmt(b)}" for a, b in run))

    for lon in range(-180, 180, 30):
        visible_runs([project(lon, lat) for lat in range(-88, 89, 2)])
    for lat in (-60, -30, 0, 30, 60):
        visible_runs([project(lon, lat) for lon in range(-180, 181, 2)])
    out.append(path("".join(grid), stroke=BLUE, width=0.6, opacity=0.55))
    out.append(circle(cx, cy, radius, stroke=INK, width=2))
    return "".join(out), project


def wizard_location():
    body, project = globe(80, 100, 60, 38.0, 8.0)
    x, y, _ = project(6.02, 47.24)  # Besancon, the location offered first
    scale, dx, dy = 0.62, 0.5, 139.0
    # The style's top in the dial scene's own coordinates (see sundial_scene).
    tx, ty = dx + 137.6 * scale, dy + 95.7 * scale
    return panel(sun_with_rays(136, 24, 9, ray_in=3, ray_out=7.5)
                 + body
                 + path(f"M{fmt(x)},{fmt(y)}C{fmt(x + 30)},{fmt(y + 40)} {fmt(tx + 10)},{fmt(ty - 40)} "
                        f"{fmt(tx)},{fmt(ty - 4)}", stroke=RED, width=1.5, dash="3,3", cap="round")
                 + pin(x, y, 26)
                 + scene_group(dx, dy, scale, sundial_scene(stroke=4.0, sun=False)),
                 "Creation wizard, location page")


# Wizard, dial type page ----------------------------------------------------------------

def card(y, h=64):
    return rect(8.5, y + 0.5, PANEL_W - 17, h - 1, rx=5, fill=PAPER, stroke=GREY, width=1)


def wall_dial(x0, y0, w, h, latitude=47.0):
    """A south-facing vertical dial painted on a wall: plate, hour lines, style, shadow."""
    out = [rect(x0, y0, w, h, fill=STONE, stroke=INK, width=1.2)]
    px0, py0, px1, py1 = x0 + 5, y0 + 5, x0 + w - 5, y0 + h - 5
    out.append(rect(px0, py0, px1 - px0, py1 - py0, fill=PAPER, stroke=STONE_DARK, width=1))
    cx, cy = (px0 + px1) / 2, py0 + 3
    for hour in range(6, 19):
        a = vertical_dial_angle(hour, latitude)
        dx, dy = math.sin(a), math.cos(a)
        limits = [(py1 - 1 - cy) / dy] if dy > 1e-9 else [1e9]
        if dx > 1e-9:
            limits.append((px1 - 1 - cx) / dx)
        if dx < -1e-9:
            limits.append((px0 + 1 - cx) / dx)
        t = min(limits)
        out.append(line(cx, cy, cx + dx * t, cy + dy * t, INK if hour % 3 == 0 else GREY,
                        1.0 if hour % 3 == 0 else 0.7))
    a = vertical_dial_angle(14, latitude)
    out.append(line(cx, cy, cx + math.sin(a) * (py1 - cy) * 0.8, cy + math.cos(a) * (py1 - cy) * 0.8,
                    INK, 2.2, cap="round"))
    out.append(line(cx, cy, cx, cy + (py1 - cy) * 0.55, BRONZE, 2.6, cap="round"))
    return "".join(out)


def analemmatic(cx, cy, a, latitude=47.0, squash=0.38):
    """Hour points on an ellipse drawn on the ground, the date scale and a standing rod."""
    b = a * math.sin(math.radians(latitude))
    out = [ellipse(cx, cy, a + 9, (b + 9) * squash, fill=GRASS, stroke=GRASS_DARK, width=1)]
    pts = []
    for hour in range(5, 20):
        t = math.radians(15 * (hour - 12))
        # North is away from the viewer, so the noon point is the far one.
        pts.append((hour, cx + a * math.sin(t), cy - b * math.cos(t) * squash))
    out.append(path(polyline([(x, y) for _, x, y in pts]), stroke=GRASS_DARK, width=1))
    out.append(rect(cx - 2.5, cy - b * squash * 0.55, 5, b * squash * 1.1, fill=STONE,
                    stroke=INK, width=0.8))
    for hour, x, y in pts:
        out.append(circle(x, y, 2.4 if hour % 3 == 0 else 1.7, fill=STONE_DARK if hour % 3 else INK))
    foot = (cx, cy - b * squash * 0.25)
    target = next((x, y) for hour, x, y in pts if hour == 15)
    out.append(path(f"M{fmt(foot[0])},{fmt(foot[1])}L{fmt(target[0] - 1.5)},{fmt(target[1] + 0.5)}",
                    stroke=INK, width=2.6, cap="round", opacity=0.4))
    out.append(line(foot[0], foot[1], foot[0], foot[1] - 24, BRONZE_DARK, 3, cap="round"))
    out.append(circle(foot[0], foot[1] - 25, 2.2, fill=BRONZE, stroke=INK, width=0.8))
    return "".join(out)


def shepherd_dial(cx, top, h, r):
    """A shepherd's dial: a cylinder with hour curves, a domed cap and a folding blade."""
    ry = r * 0.35
    bottom = top + h
    out = [path(f"M{fmt(cx - r)},{fmt(top)}V{fmt(bottom)}A{fmt(r)},{fmt(ry)} 0 0 0 {fmt(cx + r)},"
                f"{fmt(bottom)}V{fmt(top)}Z", fill=STONE, stroke=INK, width=1.2, join="round")]
    for k, u in enumerate((-0.7, -0.35, 0.0, 0.35, 0.7)):
        x = cx + r * u
        bend = 3.0 * (1 - abs(u))
        out.append(path(f"M{fmt(x)},{fmt(top + 8)}Q{fmt(x + bend)},{fmt(top + h * 0.55)} {fmt(x)},"
                        f"{fmt(bottom - 3)}", stroke=GREY if k % 2 else INK, width=0.8))
    out.append(path(f"M{fmt(cx - r)},{fmt(top + h * 0.7)}A{fmt(r)},{fmt(ry)} 0 0 0 {fmt(cx + r)},"
                    f"{fmt(top + h * 0.7)}", stroke=SUN_DARK, width=1))
    out.append(path(f"M{fmt(cx - r)},{fmt(top)}A{fmt(r)},{fmt(r * 0.9)} 0 0 1 {fmt(cx + r)},{fmt(top)}"
                    f"A{fmt(r)},{fmt(ry)} 0 0 1 {fmt(cx - r)},{fmt(top)}Z", fill=BRONZE, stroke=INK,
                    width=1.2, join="round"))
    out.append(polygon([(cx - 2, top + 2), (cx + r * 1.2, top + 2), (cx + r * 1.2, top + 5), (cx - 2, top + 5)],
                       fill=BRONZE_DARK, stroke=INK, width=0.8))
    out.append(path(f"M{fmt(cx + r * 0.2)},{fmt(top + 6)}Q{fmt(cx + r * 0.35)},{fmt(top + h * 0.4)} "
                    f"{fmt(cx + r * 0.3)},{fmt(top + h * 0.62)}", stroke=INK, width=2.2, opacity=0.45,
                    cap="round"))
    out.append(circle(cx, top - r * 0.9 - 1.5, 2, fill=BRONZE_DARK, stroke=INK, width=0.8))
    return "".join(out)


def armillary(cx, cy, r, latitude=47.0):
    """An armillary ring seen from the east: meridian ring, equatorial band, polar rod."""
    phi = math.radians(latitude)
    axis = (math.cos(phi), -math.sin(phi))      # towards the north celestial pole, upper right
    across = (-axis[1], axis[0])                # in the meridian plane, perpendicular to it
    band = []
    for k in range(73):
        t = 2 * math.pi * k / 72
        # The equatorial circle seen nearly edge-on: its east-west diameter points at us.
        u, v = math.cos(t) * r, math.sin(t) * r * 0.32
        band.append((cx + across[0] * u + axis[0] * v, cy + across[1] * u + axis[1] * v))
    out = [path(f"M{fmt(cx - 6)},{fmt(cy + r + 10)}H{fmt(cx + 6)}L{fmt(cx + 3)},{fmt(cy + r)}"
                f"H{fmt(cx - 3)}Z", fill=STONE_DARK, stroke=INK, width=1, join="round"),
           circle(cx, cy, r, stroke=BRONZE_DARK, width=2.4),
           path(polyline(band, closed=True), fill=STONE, stroke=INK, width=1.2, opacity=0.9)]
    for h in range(-6, 7, 2):
        t = math.radians(90 + 15 * h)
        u, v = math.cos(t) * r, math.sin(t) * r * 0.32
        x, y = cx + across[0] * u + axis[0] * v, cy + across[1] * u + axis[1] * v
        out.append(circle(x, y, 0.9, fill=INK))
    out.append(line(cx - axis[0] * (r + 5), cy - axis[1] * (r + 5), cx + axis[0] * (r + 5),
                    cy + axis[1] * (r + 5), INK, 2, cap="round"))
    return "".join(out)


def bifilar(x0, y0, w, depth):
    """A horizontal plate with two crossed wires at different heights on posts."""
    kx = 0.5

    def p(u, v, z=0.0):
        return x0 + u + v * kx, y0 - v * 0.45 - z

    plate = [p(0, 0), p(w, 0), p(w, depth), p(0, depth)]
    out = [polygon([(x, y + 4) for x, y in plate[:2]] + plate[1::-1], fill=STONE_DARK, stroke=INK,
                   width=1, join="round"),
           polygon(plate, fill=STONE, stroke=INK, width=1.2, join="round")]
    cu, cv = w * 0.5, depth * 0.15
    for hour in range(7, 18):
        a = horizontal_dial_angle(hour, 47)
        du, dv = math.sin(a), math.cos(a)
        limits = [(depth - 2 - cv) / dv] if dv > 1e-9 else [1e9]
        if du > 1e-9:
            limits.append((w - 2 - cu) / du)
        if du < -1e-9:
            limits.append((2 - cu) / du)
        t = min(limits)
        out.append(line(*p(cu + du * 3, cv + dv * 3), *p(cu + du * t, cv + dv * t), STONE_DARK, 0.9))
    # The north-south wire runs along the noon line, the east-west wire higher across it;
    # where their shadows cross is the time.
    h_ns, h_ew, v_ew = 14.0, 24.0, depth * 0.3
    su, sv = 0.6, 0.45              # shadow offset on the plate per unit of height
    shadow_u, shadow_v = cu + su * h_ns, v_ew + sv * h_ew
    out.append(line(*p(shadow_u, 1), *p(shadow_u, depth - 1), INK, 1.2, dash="2,1.5"))
    out.append(line(*p(1, shadow_v), *p(w - 1, shadow_v), INK, 1.2, dash="2,1.5"))
    posts = [((cu, 1.5), h_ns), ((cu, depth - 1.5), h_ns), ((3, v_ew), h_ew), ((w - 3, v_ew), h_ew)]
    for (u, v), z in posts:
        out.append(line(*p(u, v), *p(u, v, z + 2), GREY, 2.2, cap="round"))
    out.append(line(*p(cu, 1.5, h_ns), *p(cu, depth - 1.5, h_ns), INK, 1))
    out.append(line(*p(3, v_ew, h_ew), *p(w - 3, v_ew, h_ew), INK, 1))
    out.append(circle(*p(shadow_u, shadow_v), 2.4, fill=RED, stroke=INK, width=0.8))
    return "".join(out)


def conical(cx, top, h, r_top, r_bottom):
    """A truncated cone standing on a plinth, hour lines along its outer face converging to
    the apex, a date line round it and the style along its axis."""
    ry = 0.3
    bottom = top + h
    apex = top - h * r_top / (r_bottom - r_top)
    out = [rect(cx - r_bottom - 4, bottom - 1, 2 * (r_bottom + 4), 5, fill=STONE_DARK, stroke=INK, width=1),
           path(f"M{fmt(cx - r_top)},{fmt(top)}L{fmt(cx - r_bottom)},{fmt(bottom)}A{fmt(r_bottom)},"
                f"{fmt(r_bottom * ry)} 0 0 0 {fmt(cx + r_bottom)},{fmt(bottom)}L{fmt(cx + r_top)},{fmt(top)}Z",
                fill=STONE, stroke=INK, width=1.2, join="round")]
    for k, u in enumerate((-0.75, -0.4, 0.0, 0.4, 0.75)):
        # A generator of the cone, from the top circle to the base circle (front half).
        xt, yt = cx + r_top * u, top + r_top * ry * math.sqrt(1 - u * u)
        xb, yb = cx + r_bottom * u, bottom + r_bottom * ry * math.sqrt(1 - u * u)
        out.append(line(xt, yt, xb, yb, INK if k == 2 else STONE_DARK, 1.0))
    mid = 0.55
    r_mid, y_mid = r_top + (r_bottom - r_top) * mid, top + h * mid
    out.append(path(f"M{fmt(cx - r_mid)},{fmt(y_mid)}A{fmt(r_mid)},{fmt(r_mid * ry)} 0 0 0 "
                    f"{fmt(cx + r_mid)},{fmt(y_mid)}", stroke=SUN_DARK, width=1))
    out.append(ellipse(cx, top, r_top, r_top * ry, fill=STONE_DARK, stroke=INK, width=1.2))
    out.append(line(cx, top, cx + (cx - cx), apex + 2, BRONZE_DARK, 2.4, cap="round"))
    out.append(path(f"M{fmt(cx + 1)},{fmt(top + 2)}L{fmt(cx + r_bottom * 0.45)},{fmt(bottom + 2)}",
                    stroke=INK, width=2.2, opacity=0.4, cap="round"))
    return "".join(out)


def wizard_type():
    # One card per family, in the order of the page's choices: plane, analemmatic,
    # cylindrical, bifilar and conical.
    cards = [card(8 + 58 * k, 52) for k in range(5)]
    dials = [
        wall_dial(18, 12, 42, 44)
        + scene_group(68, -4, 0.25, sundial_scene(stroke=4.0, sun=False)),
        analemmatic(80, 99, 46),
        shepherd_dial(50, 136, 32, 9) + armillary(110, 150, 16),
        bifilar(24, 226, 80, 32),
        conical(80, 252, 30, 9, 24),
    ]
    return panel("".join(cards) + "".join(dials), "Creation wizard, dial type page")


# Wizard, family pages ------------------------------------------------------------------

def wizard_family():
    out = []
    # Plan: a compass card and a wall turned by its declination from due south.
    cx, cy, r = 80.0, 86.0, 58.0
    out.append(circle(cx, cy, r, fill=GRASS, stroke=GRASS_DARK, width=1.5))
    for k in range(36):
        a = math.radians(k * 10)
        r0 = r - (7 if k % 9 == 0 else 4)
        out.append(line(cx + math.sin(a) * r0, cy - math.cos(a) * r0, cx + math.sin(a) * r,
                        cy - math.cos(a) * r, INK if k % 9 == 0 else GRASS_DARK, 1))
    out.append(polygon([(cx, cy - r + 9), (cx + 5, cy), (cx - 5, cy)], fill=RED, stroke=INK, width=1,
                       join="round"))
    out.append(polygon([(cx, cy + r - 9), (cx + 5, cy), (cx - 5, cy)], fill=PAPER, stroke=INK, width=1,
                       join="round"))
    out.append(sun_with_rays(cx, cy + r + 14, 7, ray_in=2.5, ray_out=6))
    decl = math.radians(35.0)  # facing south-west: the normal turns west (right of south here)
    normal = (-math.sin(decl), math.cos(decl))  # south is down, west is to the left
    along = (normal[1], -normal[0])
    half, thick = 34.0, 7.0
    wall = [(cx + along[0] * s + normal[0] * t, cy + along[1] * s + normal[1] * t)
            for s, t in ((-half, -thick), (half, -thick), (half, 0), (-half, 0))]
    out.append(polygon(wall, fill=STONE_DARK, stroke=INK, width=1.2, join="round"))
    out.append(line(cx, cy, cx, cy + r - 12, INK, 1, dash="3,2"))
    out.append(line(cx, cy, cx + normal[0] * (r - 14), cy + normal[1] * (r - 14), BLUE, 2))
    out.append(arrow_head(cx + normal[0] * (r - 10), cy + normal[1] * (r - 10),
                          math.degrees(math.atan2(normal[1], normal[0])), 6, BLUE))
    ra = 30.0
    out.append(path(f"M{fmt(cx)},{fmt(cy + ra)}A{fmt(ra)},{fmt(ra)} 0 0 1 "
                    f"{fmt(cx + normal[0] * ra)},{fmt(cy + normal[1] * ra)}", stroke=RED, width=2))
    out.append(circle(cx, cy, 2.2, fill=INK))
    # Side view: the dial plane inclined on the horizon, its angle and the style.
    gx, gy = 58.0, 262.0
    incl = math.radians(58.0)
    length = 92.0
    top = (gx + math.cos(incl) * length, gy - math.sin(incl) * length)
    out.append(line(8, gy + 0.5, PANEL_W - 8, gy + 0.5, INK, 1.5))
    slab_n = (math.sin(incl) * 6, math.cos(incl) * 6)
    out.append(polygon([(gx, gy), top, (top[0] + slab_n[0], top[1] + slab_n[1]),
                        (gx + slab_n[0], gy)], fill=PAPER, stroke=INK, width=1.2, join="round"))
    for k in range(1, 6):
        t = k / 6.0
        x, y = gx + (top[0] - gx) * t, gy + (top[1] - gy) * t
        out.append(line(x, y, x + slab_n[0], y + slab_n[1], GREY, 0.8))
    ri = 28.0
    out.append(path(f"M{fmt(gx + ri)},{fmt(gy)}A{fmt(ri)},{fmt(ri)} 0 0 0 "
                    f"{fmt(gx + math.cos(incl) * ri)},{fmt(gy - math.sin(incl) * ri)}",
                    stroke=RED, width=2))
    # A polar style standing out of the face, on its upper side.
    foot = (gx + math.cos(incl) * 60, gy - math.sin(incl) * 60)
    tip = (foot[0] - math.sin(incl) * 22, foot[1] - math.cos(incl) * 22)
    out.append(polygon([foot, tip, (gx + math.cos(incl) * 26, gy - math.sin(incl) * 26)],
                       fill=BRONZE, stroke=INK, width=1.2, join="round"))
    out.append(sun_with_rays(24, 198, 8, ray_in=3, ray_out=7))
    return panel("".join(out), "Creation wizard, dial family pages")


def wizard_analemmatic():
    """Plan: the ellipse of hour points on the ground, the date scale along the meridian, the
    style standing on the scale at its date and its shadow through the 3 pm point. Side view:
    the inclined style, leaning from the vertical by its angle."""
    out = []
    latitude = math.radians(47.0)
    cx, cy, r = 80.0, 88.0, 66.0
    out.append(circle(cx, cy, r, fill=GRASS, stroke=GRASS_DARK, width=1.5))
    out.append(polygon([(cx, cy - r - 2), (cx + 5, cy - r + 9), (cx - 5, cy - r + 9)], fill=RED, stroke=INK,
                       width=1, join="round"))
    a = 54.0
    b = a * math.sin(latitude)
    # North up and east to the right: the afternoon hours lie east of the meridian.
    out.append(ellipse(cx, cy, a, b, stroke=GRASS_DARK, width=1))
    points = {hour: (cx + a * math.sin(math.radians(15 * (hour - 12))),
                     cy - b * math.cos(math.radians(15 * (hour - 12)))) for hour in range(5, 20)}
    out.append(path(polyline([points[h] for h in range(5, 20)]), stroke=INK, width=1.4))
    # The date scale: y = a tan(declination) cos(latitude), a tick at each month's start.
    half = a * math.tan(math.radians(23.44)) * math.cos(latitude)
    out.append(rect(cx - 4, cy - half - 3, 8, 2 * half + 6, rx=1.5, fill=STONE, stroke=INK, width=1))
    for day in range(1, 366, 30):
        y = cy - a * math.tan(math.radians(declination_deg(day))) * math.cos(latitude)
        out.append(line(cx - 4, y, cx + 4, y, STONE_DARK, 0.9))
    foot = (cx, cy - a * math.tan(math.radians(declination_deg(130))) * math.cos(latitude))
    target = points[15]
    reach = 1.25
    out.append(line(foot[0], foot[1], foot[0] + (target[0] - foot[0]) * reach,
                    foot[1] + (target[1] - foot[1]) * reach, INK, 3.2, cap="round"))
    for hour, (x, y) in points.items():
        out.append(circle(x, y, 3.0 if hour % 3 == 0 else 2.0, fill=PAPER if hour % 3 else INK, stroke=INK,
                          width=0.8))
    out.append(circle(foot[0], foot[1], 3.4, fill=BRONZE, stroke=INK, width=1))
    out.append(sun_with_rays(cx - r * 0.78, cy + r * 0.78, 7, ray_in=2.5, ray_out=6))
    # Side view: the style leaning from the vertical, the angle in red, its shadow.
    gx, gy = 84.0, 262.0
    lean = math.radians(28.0)
    length = 70.0
    top = (gx - math.sin(lean) * length, gy - math.cos(lean) * length)
    out.append(line(8, gy + 0.5, PANEL_W - 8, gy + 0.5, INK, 1.5))
    out.append(rect(gx - 26, gy - 3, 52, 3, fill=STONE, stroke=INK, width=1))
    out.append(line(gx, gy - 3, gx, gy - length - 6, INK, 1, dash="3,2"))
    out.append(line(gx, gy - 3, gx + 48, gy - 3, INK, 3.2, cap="round"))
    ri = 32.0
    out.append(path(f"M{fmt(gx)},{fmt(gy - ri)}A{fmt(ri)},{fmt(ri)} 0 0 0 "
                    f"{fmt(gx - math.sin(lean) * ri)},{fmt(gy - math.cos(lean) * ri)}", stroke=RED, width=2))
    out.append(line(gx, gy - 3, *top, BRONZE_DARK, 3.2, cap="round"))
    out.append(circle(*top, 3, fill=BRONZE, stroke=INK, width=1))
    out.append(sun_with_rays(26, 196, 8, ray_in=3, ray_out=7))
    return panel("".join(out), "Creation wizard, analemmatic dial page")


def wizard_cylindrical():
    """An armillary ring whose rod points to the pole at the latitude above the horizon,
    and a shepherd's dial hanging from its cord."""
    out = []
    latitude = 47.0
    cx, cy, r = 84.0, 88.0, 46.0
    phi = math.radians(latitude)
    axis = (math.cos(phi), -math.sin(phi))
    foot = (cx - axis[0] * (r + 5), cy - axis[1] * (r + 5))
    out.append(sun_with_rays(136, 24, 9, ray_in=3, ray_out=7.5))
    out.append(armillary(cx, cy, r, latitude))
    # The rod's angle over the horizontal is the latitude.
    out.append(line(foot[0], foot[1], foot[0] + 62, foot[1], INK, 1, dash="3,2"))
    ra = 30.0
    out.append(path(f"M{fmt(foot[0] + ra)},{fmt(foot[1])}A{fmt(ra)},{fmt(ra)} 0 0 0 "
                    f"{fmt(foot[0] + axis[0] * ra)},{fmt(foot[1] + axis[1] * ra)}", stroke=RED, width=2))
    # The shepherd's dial hangs from a cord; the blade's shadow falls on the hour curves.
    hx, top = 60.0, 196.0
    out.append(line(hx, 160, hx, top - 18, INK, 1))
    out.append(circle(hx, 158, 2.5, stroke=INK, width=1.2))
    out.append(shepherd_dial(hx, top, 56, 15))
    out.append(sun_with_rays(126, 198, 8, ray_in=3, ray_out=7))
    return panel("".join(out), "Creation wizard, cylindrical dial page")


def wizard_bifilar():
    """Plan: the face with its hour lines 15 degrees apart from the point under the wires'
    crossing, the two wires and their shadows, which cross on the time. Side view from the
    west: the heights of the two wires above the face."""
    out = []
    x0, y0, w, h = 14.0, 18.0, 132.0, 140.0
    out.append(rect(x0, y0, w, h, fill=STONE, stroke=INK, width=1.5))
    ax, ay = x0 + w / 2, y0 + h - 22
    for hour in range(6, 19):
        t = math.radians(15 * (hour - 12))
        dx, dy = math.sin(t), -math.cos(t)
        limits = []
        if dy < -1e-9:
            limits.append((y0 + 4 - ay) / dy)
        if dx > 1e-9:
            limits.append((x0 + w - 4 - ax) / dx)
        if dx < -1e-9:
            limits.append((x0 + 4 - ax) / dx)
        k = min(limits)
        out.append(line(ax + dx * 5, ay + dy * 5, ax + dx * k, ay + dy * k,
                        INK if hour % 3 == 0 else STONE_DARK, 1.2 if hour % 3 == 0 else 1))
    # At 2 pm the crossing of the two shadows lies on the 14 h line.
    t = math.radians(30)
    px, py = ax + math.sin(t) * 62, ay - math.cos(t) * 62
    out.append(line(px, y0 + 2, px, y0 + h - 2, INK, 1.4, dash="3,2"))
    out.append(line(x0 + 2, py, x0 + w - 2, py, INK, 1.4, dash="3,2"))
    for post in ((ax, y0 - 4), (ax, y0 + h + 4), (x0 - 4, ay), (x0 + w + 4, ay)):
        out.append(circle(*post, 3, fill=GREY, stroke=INK, width=1))
    out.append(line(ax, y0 - 4, ax, y0 + h + 4, BLUE, 1.6))
    out.append(line(x0 - 4, ay, x0 + w + 4, ay, BLUE, 1.6))
    out.append(circle(ax, ay, 2.2, fill=INK))
    out.append(circle(px, py, 3.2, fill=RED, stroke=INK, width=1))
    # Side view from the west: the face, the north-south wire along it and the east-west
    # wire seen end on, higher; their heights in blue.
    gy = 262.0
    fx0, fx1 = 24.0, 124.0
    h_ns, h_ew = 30.0, 52.0
    out.append(line(8, gy + 0.5, PANEL_W - 8, gy + 0.5, INK, 1.5))
    out.append(rect(fx0, gy - 6, fx1 - fx0, 6, fill=STONE, stroke=INK, width=1))
    ew = (fx0 + (fx1 - fx0) * 0.62, gy - 6 - h_ew)
    for x, z in ((fx0 + 4, h_ns), (fx1 - 4, h_ns), (ew[0], h_ew)):
        out.append(line(x, gy - 6, x, gy - 6 - z - 3, GREY, 2.4, cap="round"))
    out.append(line(fx0 + 4, gy - 6 - h_ns, fx1 - 4, gy - 6 - h_ns, BLUE, 1.6))
    out.append(circle(*ew, 3, fill=BLUE, stroke=INK, width=1))
    out.append(line(fx0 - 12, gy - 6 - h_ns, fx0 + 2, gy - 6 - h_ns, GREY))
    out.append(double_arrow(fx0 - 8, gy - 6.5, fx0 - 8, gy - 6 - h_ns + 0.5, BLUE, 1.5, head=5))
    out.append(double_arrow(fx1 + 10, gy - 6.5, fx1 + 10, ew[1] + 0.5, BLUE, 1.5, head=5))
    out.append(line(ew[0] + 4, ew[1], fx1 + 14, ew[1], GREY))
    out.append(sun_with_rays(26, 184, 8, ray_in=3, ray_out=7))
    return panel("".join(out), "Creation wizard, bifilar dial page")


# Dimension dialog ----------------------------------------------------------------------

def dimensions():
    """A dial sheet lying flat, seen from the front and above: the sheet's width and
    height, the style standing on the noon line with its foot A and its height, the
    centre B where the polar style meets the sheet, and the base cut at a limit."""
    w_img, h_img = 220, 168
    sw, sd = 104.0, 100.0          # sheet width and depth, sheet units
    kx, ky = 0.62, 0.5             # oblique projection of the depth
    ox, oy = 16.0, 122.0           # screen position of the sheet's front left corner

    def p(u, v, z=0.0):
        return ox + u + v * kx, oy - v * ky - z

    bu, bv = sw * 0.42, 9.0        # centre B
    av = 74.0                      # foot A, on the noon line behind B
    height = 60.0                  # style height at A
    limit = 42.0                   # base limit, measured from A towards B
    cv = av - limit
    ch = height * (cv - bv) / (av - bv)

    out = [rect(0, 0, w_img, h_img, fill=PAPER)]
    out.append(polygon([p(0, 0), p(sw, 0), p(sw, sd), p(0, sd)], fill=STONE, stroke=INK, width=1.5,
                       join="round"))
    for hour in range(6, 19):
        a = horizontal_dial_angle(hour, 47)
        du, dv = math.sin(a), math.cos(a)
        limits = [(sd - 1 - bv) / dv] if dv > 1e-9 else [1e9]
        if du > 1e-9:
            limits.append((sw - 1 - bu) / du)
        if du < -1e-9:
            limits.append((1 - bu) / du)
        t = min(limits)
        out.append(line(*p(bu + du * 3, bv + dv * 3), *p(bu + du * t, bv + dv * t),
                        INK if hour % 3 == 0 else STONE_DARK, 1.0))
    # Base limit: on the sheet beside the noon line, from A towards B.
    # The style: the kept part solid, the part cut off beyond the limit dashed.
    out.append(polygon([p(bu, bv), p(bu, cv), p(bu, cv, ch)], stroke=GREY, width=1.2, join="round",
                       dash="3,2"))
    out.append(polygon([p(bu, cv), p(bu, av), p(bu, av, height), p(bu, cv, ch)], fill=BRONZE,
                       stroke=INK, width=1.5, join="round"))
    gu = bu - 10
    out.append(line(*p(bu - 3, av), *p(gu - 3, av), GREY) + line(*p(bu - 3, cv), *p(gu - 3, cv), GREY))
    out.append(double_arrow(*p(gu, av - 0.5), *p(gu, cv + 0.5), GREEN, 1.5, head=5))
    # Width, along the front edge.
    x0, y0 = p(0, 0)
    x1, _ = p(sw, 0)
    out.append(line(x0, y0 + 3, x0, y0 + 23, GREY) + line(x1, y0 + 3, x1, y0 + 23, GREY))
    out.append(double_arrow(x0 + 0.5, y0 + 18, x1 - 0.5, y0 + 18, BLUE, 1.5, head=6))
    # Height of the sheet, along its right edge.
    ex, ey = p(sw, 0)
    fx, fy = p(sw, sd)
    out.append(line(ex + 3, ey, ex + 20, ey, GREY) + line(fx + 3, fy, fx + 20, fy, GREY))
    out.append(double_arrow(ex + 15, ey - 0.5, fx + 15, fy + 0.5, BLUE, 1.5, head=6))
    # Style height: from A straight up to the nodus.
    ax, ay = p(bu, av)
    nx, ny = p(bu, av, height)
    out.append(line(nx + 3, ny, nx + 18, ny, GREY) + line(ax + 5, ay, ax + 18, ay, GREY))
    out.append(double_arrow(ax + 14, ay - 0.5, nx + 14, ny + 0.5, RED, 1.5, head=6))
    out.append(circle(ax, ay, 3, fill=RED, stroke=INK, width=1))
    bx, by = p(bu, bv)
    out.append(circle(bx, by, 2.5, fill=INK))
    out.append(labelled_text("A", ax + 4, ay + 4, INK, scale=2, halo=STONE))
    out.append(line(bx, by + 3, bx, y0 + 3, INK, 1))
    out.append(pixel_text("B", bx + 3, y0 + 3, INK, scale=2))
    out.append(frame(w_img, h_img))
    return svg(w_img, h_img, "".join(out), "Dimensions of the dial and its style")


def style_anchor():
    """The sheet seen flat with rulers from 0 to 100 % along its top and left edges and
    the style foot A placed by its two percentages, measured from the top left corner."""
    size = 160
    x0, y0, side = 30.0, 30.0, 116.0
    px, py = 0.5, 0.7
    out = [rect(0, 0, size, size, fill=PAPER)]
    out.append(rect(x0, y0, side, side, fill=STONE, stroke=INK, width=1.5))
    for k in range(11):
        t = x0 + side * k / 10
        n = 8 if k in (0, 5, 10) else 4
        out.append(line(t, y0 - 2, t, y0 - 2 - n, INK, 1))
        out.append(line(x0 - 2, t, x0 - 2 - n, t, INK, 1))
    out.append(pixel_text("0", x0 - 12, y0 - 12, INK))
    out.append(pixel_text("50", x0 + side / 2 - 3, y0 - 17, INK))
    out.append(pixel_text("100%", x0 + side - 9, y0 - 17, INK))
    out.append(pixel_text("50", 9, y0 + side / 2 - 2, INK))
    out.append(pixel_text("100%", 3, y0 + side + 5, INK))
    ax, ay = x0 + side * px, y0 + side * py
    # A hint of the dial around its foot: the noon line and two hour lines.
    out.append(line(ax, ay + 6, ax, y0 + side - 2, STONE_DARK, 1))
    for hour in (10, 14):
        a = horizontal_dial_angle(hour, 47)
        out.append(line(ax + math.sin(a) * 6, ay - math.cos(a) * 6, ax + math.sin(a) * 36,
                        ay - math.cos(a) * 36, STONE_DARK, 1))
    out.append(double_arrow(x0 + 1, ay, ax - 6, ay, BLUE, 1.5, head=6))
    out.append(double_arrow(ax, y0 + 1, ax, ay - 6, BLUE, 1.5, head=6))
    out.append(labelled_text("X%", x0 + 10, ay - 14, BLUE, scale=2, halo=STONE))
    out.append(labelled_text("Y%", ax + 6, y0 + 10, BLUE, scale=2, halo=STONE))
    out.append(circle(ax, ay, 5, stroke=RED, width=1.5))
    out.append(line(ax, ay - 8, ax, ay + 8, RED, 1) + line(ax - 8, ay, ax + 8, ay, RED, 1))
    out.append(labelled_text("A", ax + 8, ay + 6, RED, scale=2, halo=STONE))
    out.append(frame(size, size))
    return svg(size, size, "".join(out), "Style anchor as a percentage of the sheet")


# Shadow animation buttons (32 x 32) ----------------------------------------------------

def play():
    return polygon([(9.5, 5.5), (26.5, 16), (9.5, 26.5)], fill=GREEN, stroke=INK, join="round")


def pause():
    return (rect(8.5, 6.5, 5, 19, rx=1, fill=BLUE, stroke=INK)
            + rect(18.5, 6.5, 5, 19, rx=1, fill=BLUE, stroke=INK))


def stop():
    return rect(7.5, 7.5, 17, 17, rx=2, fill=RED, stroke=INK)


def step_forward():
    return (polygon([(6.5, 6.5), (20.5, 16), (6.5, 25.5)], fill=BLUE, stroke=INK, join="round")
            + rect(21.5, 6.5, 4, 19, fill=BLUE, stroke=INK))


def step_back():
    return (polygon([(25.5, 6.5), (11.5, 16), (25.5, 25.5)], fill=BLUE, stroke=INK, join="round")
            + rect(6.5, 6.5, 4, 19, fill=BLUE, stroke=INK))


def ground(y=25.5):
    return path(f"M2.5,{fmt(y)}H29.5V{fmt(y + 3)}A1,1 0 0 1 28.5,{fmt(y + 4)}H3.5A1,1 0 0 1 2.5,"
                f"{fmt(y + 3)}Z", fill=GREEN, stroke=INK)


def day_animation():
    """The sun's path over one day, from sunrise to sunset."""
    arc = [(16 + 13 * math.cos(math.radians(t)), 25.5 - 17 * math.sin(math.radians(t)))
           for t in range(180, -1, -10)]
    sun = (16 + 13 * math.cos(math.radians(125)), 25.5 - 17 * math.sin(math.radians(125)))
    return (path(polyline(arc[:-1]), stroke=SUN_DARK, width=1.8, dash="3.5,2")
            + arrow_head(arc[-1][0] + 0.2, arc[-1][1] - 1, 84, 5, SUN_DARK)
            + ground()
            + circle(sun[0], sun[1], 4.2, fill=SUN, stroke=INK))


def year_animation():
    """The sun at one hour of the day through the year: the figure-of-eight."""
    def at(day):
        return 16 + equation_of_time_min(day) * 0.62, 13.5 - declination_deg(day) * 0.44

    pts = [at(d) for d in range(1, 366, 3)]
    sun = at(300)
    return (path(polyline(pts) + "Z", stroke=RED, width=1.8, join="round")
            + ground()
            + circle(sun[0], sun[1], 3.4, fill=SUN, stroke=INK))


def button(body, comment):
    return svg(32, 32, body, comment)


def about():
    return svg(128, 128, rect(0, 0, 128, 128, fill=ABOUT_BACKGROUND)
               + scene_group(0, 0, 0.5, sundial_scene()), "About box picture")


# name, function, width, height
PICTURES = [
    ("wizard_location_150", wizard_location, PANEL_W, PANEL_H),
    ("wizard_type_161", wizard_type, PANEL_W, PANEL_H),
    ("wizard_family_250", wizard_family, PANEL_W, PANEL_H),
    ("wizard_analemmatic_251", wizard_analemmatic, PANEL_W, PANEL_H),
    ("wizard_cylindrical_252", wizard_cylindrical, PANEL_W, PANEL_H),
    ("wizard_bifilar_253", wizard_bifilar, PANEL_W, PANEL_H),
    ("dimensions_148", dimensions, 220, 168),
    ("style_anchor_153", style_anchor, 160, 160),
    ("anim_play_202", lambda: button(play(), "Shadow animation: play"), 32, 32),
    ("anim_stop_203", lambda: button(stop(), "Shadow animation: stop"), 32, 32),
    ("anim_back_206", lambda: button(step_back(), "Shadow animation: one step back"), 32, 32),
    ("anim_forward_207", lambda: button(step_forward(), "Shadow animation: one step forward"), 32, 32),
    ("anim_pause_210", lambda: button(pause(), "Shadow animation: pause"), 32, 32),
    ("anim_day_212", lambda: button(day_animation(), "Shadow animation over a day"), 32, 32),
    ("anim_year_213", lambda: button(year_animation(), "Shadow animation over a year"), 32, 32),
    ("about_232", about, 128, 128),
]


def main():
    images = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "..", "resources", "images")
    for name, fn, w, h in PICTURES:
        svg_path = os.path.join(images, name + ".svg")
        with open(svg_path, "w", encoding="utf-8") as f:
            f.write(fn())
        subprocess.run(["rsvg-convert", "-w", str(w), "-h", str(h), "-o",
                        os.path.join(images, name + ".png"), svg_path], check=True)
    print(f"{len(PICTURES)} pictures in {images}")


if __name__ == "__main__":
    main()

#!/usr/bin/python3
"""Draws the locations map (picture 152): coastlines, lakes and national borders of
latitude 41 N to 52 N and longitude 5 W to 10 E in a plain equirectangular projection.

The program places a location on the picture by linear interpolation inside a one-pixel
frame: with W = width - 2 and H = height - 2,
    x = 1 + (5 - longitudeWest) * W / 15,    y = 1 + (52 - latitude) * H / 11
(longitude positive west), so pixel column 1 starts at 5 W, the inner area ends at 10 E,
and the outermost ring of pixels is the frame.

Data: GSHHG 2.3.7, intermediate resolution, as packed by Debian in gmt-gshhg-low
(/usr/share/gmt-gshhg/binned_GSHHS_i.nc and binned_border_i.nc, LGPL-3+).
Needs: python3-netcdf4, python3-numpy, librsvg2-bin (rsvg-convert).

Usage: tools/art/make_map.py [output folder]   (default: resources/images)
"""
import math
import os
import subprocess
import sys

import netCDF4
import numpy as np

GSHHG = "/usr/share/gmt-gshhg"

LAT_NORTH, LAT_SOUTH = 52.0, 41.0
LON_WEST, LON_EAST = -5.0, 10.0          # degrees, positive east (as the data)
PX_PER_DEG_LON, PX_PER_DEG_LAT = 37, 54  # 37 / 54 = cos(46.8 deg): true shape mid-map
INNER_W = round((LON_EAST - LON_WEST) * PX_PER_DEG_LON)   # 555
INNER_H = round((LAT_NORTH - LAT_SOUTH) * PX_PER_DEG_LAT)  # 594
WIDTH, HEIGHT = INNER_W + 2, INNER_H + 2

SEA = "#cfe2ef"
LAKE = "#cfe2ef"
LAND = "#f1ead2"
COAST = "#5d86a3"
BORDER = "#b0705c"
GRID = "#9fb3c2"
FRAME = "#34495e"   # used nowhere else, so the frame colour is unique in the picture

# Segment sides in the binned files, counter-clockwise from the south edge.
SOUTH, EAST, NORTH, WEST, NONE = 0, 1, 2, 3, 4


def to_px(lon, lat):
    """Longitude east / latitude in degrees to continuous picture coordinates."""
    return 1.0 + (lon - LON_WEST) * INNER_W / (LON_EAST - LON_WEST), \
        1.0 + (LAT_NORTH - lat) * INNER_H / (LAT_NORTH - LAT_SOUTH)


class BinnedFile:
    """Reader of the GMT binned netCDF layout: the globe cut in square bins, each holding
    segments whose points are 16-bit offsets from the bin's south-west corner."""

    def __init__(self, path):
        d = netCDF4.Dataset(path)
        self.v = {k: d.variables[k][:] for k in d.variables}
        self.bin_deg = int(self.v["Bin_size_in_minutes"][0]) / 60.0
        self.nx = int(self.v["N_bins_in_360_longitude_range"][0])
        self.rx = self.v["Relative_longitude_from_SW_corner_of_bin"].astype(np.int64) & 0xFFFF
        self.ry = self.v["Relative_latitude_from_SW_corner_of_bin"].astype(np.int64) & 0xFFFF

    def bin_index(self, lon_sw, lat_sw):
        row = int(round((90.0 - lat_sw) / self.bin_deg)) - 1
        col = int(round((lon_sw % 360.0) / self.bin_deg))
        return row * self.nx + col

    def points(self, first, count, lon_sw, lat_sw):
        rx = self.rx[first:first + count]
        ry = self.ry[first:first + count]
        lon = lon_sw + rx * (self.bin_deg / 65535.0)
        lat = lat_sw + ry * (self.bin_deg / 65535.0)
        return list(zip(lon.tolist(), lat.tolist())), list(zip(rx.tolist(), ry.tolist()))


def border_param(rel, side):
    """Position of a border point along the bin outline, counter-clockwise from the
    south-west corner: 0..1 south edge, 1..2 east, 2..3 north, 3..4 west."""
    x, y = rel[0] / 65535.0, rel[1] / 65535.0
    if side == SOUTH:
        return x
    if side == EAST:
        return 1.0 + y
    if side == NORTH:
        return 2.0 + (1.0 - x)
    return 3.0 + (1.0 - y)


def close_rings(crossing, lon_sw, lat_sw, size, ccw):
    """Joins the segments that cross the bin outline into closed rings. The data run land
    (odd levels) counter-clockwise and water (even levels) clockwise, so the region of a
    level lies on the walking side: from a segment's exit, walking the outline in the same
    sense reaches the entry of the next segment bounding that region."""
    corners = {1: (lon_sw + size, lat_sw), 2: (lon_sw + size, lat_sw + size),
               3: (lon_sw, lat_sw + size), 4: (lon_sw, lat_sw)}  # outline params; 4 is 0

    def ahead(t_from, t_to):
        return ((t_to - t_from) if ccw else (t_from - t_to)) % 4.0

    rings = []
    unused = list(range(len(crossing)))
    while unused:
        start = unused.pop(0)
        ring = []
        cur = start
        for _ in range(len(crossing) + 1):
            pts, _, t_out = crossing[cur]
            ring.extend(pts)
            # The start is a candidate too: reaching it closes the ring.
            nxt = min(unused + [start], key=lambda k: ahead(t_out, crossing[k][1]))
            dist = ahead(t_out, crossing[nxt][1])
            passed = sorted((ahead(t_out, c), c) for c in corners if 0.0 < ahead(t_out, c) < dist)
            ring.extend(corners[c] for _, c in passed)
            if nxt == start:
                break
            unused.remove(nxt)
            cur = nxt
        rings.append(ring)
    return rings


def shore_rings(path, lon_range, lat_range):
    """Closed rings per level (1 land, 2 lake, 3 island in lake, 4 pond) and the open
    shoreline pieces, for every bin overlapping the given ranges."""
    f = BinnedFile(path)
    v = f.v
    size = f.bin_deg
    rings = {lvl: [] for lvl in range(1, 5)}
    shorelines = []
    lon0 = math.floor(lon_range[0] / size) * size
    lat0 = math.floor(lat_range[0] / size) * size
    lon_sw = lon0
    while lon_sw < lon_range[1]:
        lat_sw = lat0
        while lat_sw < lat_range[1]:
            b = f.bin_index(lon_sw, lat_sw)
            node = int(v["Embedded_node_levels_in_a_bin"][b]) & 0xFFFF
            sw_corner_level = (node >> 9) & 7
            first = int(v["Id_of_first_segment_in_a_bin"][b])
            count = int(v["N_segments_in_a_bin"][b])
            by_level = {lvl: [] for lvl in range(1, 5)}
            for s in range(first, first + count):
                info = int(v["Embedded_npts_levels_exit_entry_for_a_segment"][s])
                npts, level = info >> 9, (info >> 6) & 7
                entry, exit_ = (info >> 3) & 7, info & 7
                if level > 4:
                    continue  # Antarctic ice lines
                pts, rel = f.points(int(v["Id_of_first_point_in_a_segment"][s]), npts,
                                    lon_sw, lat_sw)
                shorelines.append(pts)
                if entry == NONE:
                    rings[level].append(pts)
                else:
                    by_level[level].append((pts, border_param(rel[0], entry),
                                            border_param(rel[-1], exit_)))
            for level in range(1, 5):
                if by_level[level]:
                    rings[level].extend(close_rings(by_level[level], lon_sw, lat_sw, size,
                                                    ccw=(level % 2 == 1)))
                elif sw_corner_level >= level:
                    # No boundary of this level crosses the bin: the whole bin is inside.
                    rings[level].append([(lon_sw, lat_sw), (lon_sw + size, lat_sw),
                                         (lon_sw + size, lat_sw + size),
                                         (lon_sw, lat_sw + size)])
            lat_sw += size
        lon_sw += size
    return rings, shorelines


def border_lines(path, lon_range, lat_range, max_level=1):
    """National borders (level 1) of the bins overlapping the ranges."""
    f = BinnedFile(path)
    v = f.v
    size = f.bin_deg
    lines = []
    lon_sw = math.floor(lon_range[0] / size) * size
    while lon_sw < lon_range[1]:
        lat_sw = math.floor(lat_range[0] / size) * size
        while lat_sw < lat_range[1]:
            b = f.bin_index(lon_sw, lat_sw)
            first = int(v["Id_of_first_segment_in_a_bin"][b])
            for s in range(first, first + int(v["N_segments_in_a_bin"][b])):
                if int(v["Hierarchial_level_of_a_segment"][s]) > max_level:
                    continue
                pts, _ = f.points(int(v["Id_of_first_point_in_a_segment"][s]),
                                  int(v["N_points_for_a_segment"][s]), lon_sw, lat_sw)
                lines.append(pts)
            lat_sw += size
        lon_sw += size
    return lines


def simplify(pts, tol):
    """Douglas-Peucker in picture pixels; keeps both ends."""
    if len(pts) < 3:
        return pts
    keep = [False] * len(pts)
    keep[0] = keep[-1] = True
    stack = [(0, len(pts) - 1)]
    while stack:
        i, j = stack.pop()
        (x1, y1), (x2, y2) = pts[i], pts[j]
        dx, dy = x2 - x1, y2 - y1
        norm = math.hypot(dx, dy)
        best, best_d = -1, tol
        for k in range(i + 1, j):
            x, y = pts[k]
            d = (abs(dy * (x - x1) - dx * (y - y1)) / norm) if norm > 0 else math.hypot(x - x1, y - y1)
            if d > best_d:
                best, best_d = k, d
        if best >= 0:
            keep[best] = True
            stack.append((i, best))
            stack.append((best, j))
    return [p for p, k in zip(pts, keep) if k]


def path_data(lines, closed):
    out = []
    for line in lines:
        px = [to_px(lon, lat) for lon, lat in line]
        xs, ys = [p[0] for p in px], [p[1] for p in px]
        if max(xs) < 0 or min(xs) > WIDTH or max(ys) < 0 or min(ys) > HEIGHT:
            continue  # wholly outside the picture
        px = simplify(px, 0.2)
        if len(px) < 2:
            continue
        out.append("M" + " ".join(f"{x:.2f},{y:.2f}" for x, y in px) + ("Z" if closed else ""))
    return "".join(out)


def graticule():
    parts = []
    for lon in range(int(LON_WEST) + 1, int(LON_EAST)):
        x, _ = to_px(lon, LAT_NORTH)
        parts.append(f"M{x:.2f},1V{HEIGHT - 1}")
    for lat in range(int(LAT_SOUTH) + 1, int(LAT_NORTH)):
        _, y = to_px(LON_WEST, lat)
        parts.append(f"M1,{y:.2f}H{WIDTH - 1}")
    return "".join(parts)


def build_svg():
    margin = 0.5
    lon_range = (LON_WEST - margin, LON_EAST + margin)
    lat_range = (LAT_SOUTH - margin, LAT_NORTH + margin)
    rings, shores = shore_rings(os.path.join(GSHHG, "binned_GSHHS_i.nc"), lon_range, lat_range)
    borders = border_lines(os.path.join(GSHHG, "binned_border_i.nc"), lon_range, lat_range)
    fills = {1: LAND, 2: LAKE, 3: LAND, 4: LAKE}
    body = []
    for level in range(1, 5):
        d = path_data(rings[level], closed=True)
        if d:
            # One path per level, so the seams between bins leave no anti-aliasing lines.
            body.append(f'<path fill="{fills[level]}" d="{d}"/>')
    body.append(f'<path fill="none" stroke="{GRID}" stroke-width="0.6" '
                f'stroke-dasharray="2,3" d="{graticule()}"/>')
    body.append(f'<path fill="none" stroke="{BORDER}" stroke-width="1" stroke-dasharray="4,2" '
                f'stroke-linejoin="round" d="{path_data(borders, closed=False)}"/>')
    body.append(f'<path fill="none" stroke="{COAST}" stroke-width="0.9" stroke-linejoin="round" '
                f'd="{path_data(shores, closed=False)}"/>')
    # No clip path (not every SVG renderer has one): the canvas cuts what lies beyond the
    # picture, and the frame drawn last covers the outer ring of pixels.
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{WIDTH}" height="{HEIGHT}" '
            f'viewBox="0 0 {WIDTH} {HEIGHT}">\n'
            f'<!-- Equirectangular, 5 W to 10 E, 41 N to 52 N inside a 1 px frame. '
            f'GSHHG 2.3.7 (LGPL-3+). Generated by tools/art/make_map.py -->\n'
            f'<rect width="{WIDTH}" height="{HEIGHT}" fill="{SEA}"/>\n'
            + "\n".join(body)
            + f'\n<rect x="0.5" y="0.5" width="{WIDTH - 1}" height="{HEIGHT - 1}" fill="none" '
              f'stroke="{FRAME}" stroke-width="1"/>\n</svg>\n')


def main():
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "..", "resources", "images")
    svg_path = os.path.join(out_dir, "map_152.svg")
    png_path = os.path.join(out_dir, "map_152.png")
    with open(svg_path, "w", encoding="utf-8") as f:
        f.write(build_svg())
    subprocess.run(["rsvg-convert", "-w", str(WIDTH), "-h", str(HEIGHT), "-o", png_path,
                    svg_path], check=True)
    print(f"{png_path}: {WIDTH} x {HEIGHT}")


if __name__ == "__main__":
    main()

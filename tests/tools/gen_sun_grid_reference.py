#!/usr/bin/python3
"""Reference cells of the document's sun grid (tests/data/document/sun_grid.csv).

Row k of the grid is the sun on the ecliptic at longitude k x 10 degrees; column j is the hour
angle (j / 12 - 12) x 15 degrees. python3-ephem gives the declination of that ecliptic point
(ecliptic to equatorial of date) and the altitude and azimuth of a fixed star placed at that
declination and hour angle for an observer at the latitude (refraction off, elevation 0).

Conventions converted to ours: azimuth from the equator side (south in the north, north in
the south), positive west.
Run once from the source root: /usr/bin/python3 tests/tools/gen_sun_grid_reference.py
"""
import math
import os

import ephem

DEG = 180.0 / math.pi
OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'data', 'document')

YEAR = 2024
LATITUDES = [47.25, -33.9, 60.0, 0.2]
ROWS = [0, 5, 9, 18, 27, 35]
COLUMNS = [0, 60, 100, 144, 170, 230, 288]


def wrap(x, period):
    x = math.fmod(x, period)
    if x > period / 2:
        x -= period
    elif x <= -period / 2:
        x += period
    return x


def our_azimuth(lat, az_from_north_east):
    az = az_from_north_east * DEG
    if lat >= 0:
        return wrap(az - 180.0, 360.0)
    return wrap(-az, 360.0)


def main():
    date = ephem.Date('%04d/06/01 12:00:00' % YEAR)
    rows = []
    for lat in LATITUDES:
        obs = ephem.Observer()
        obs.lat = str(lat)
        obs.lon = 0.0
        obs.elevation = 0
        obs.pressure = 0
        obs.date = date
        obs.epoch = date
        lst = float(obs.sidereal_time())
        for k in ROWS:
            point = ephem.Equatorial(ephem.Ecliptic(math.radians(k * 10.0), 0.0, epoch=date), epoch=date)
            for j in COLUMNS:
                hour_angle = math.radians((j / 12.0 - 12.0) * 15.0)
                star = ephem.FixedBody()
                star._ra = wrap(lst - hour_angle, 2 * math.pi) % (2 * math.pi)
                star._dec = float(point.dec)
                star._epoch = date
                star.compute(obs)
                rows.append('%.2f,%d,%d,%.8f,%.8f,%.8f' % (
                    lat, k, j, float(point.dec) * DEG, float(star.alt) * DEG, our_azimuth(lat, float(star.az))))
    path = os.path.join(OUT, 'sun_grid.csv')
    with open(path, 'w', newline='\n') as f:
        f.write('lat_deg,row,column,dec_deg,alt_deg,az_deg\n')
        for row in rows:
            f.write(row + '\n')
    print('%s: %d rows' % (path, len(rows)))


if __name__ == '__main__':
    main()

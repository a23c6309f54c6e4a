#!/usr/bin/python3
"""Reference points of the daily sun paths of the azimuth-altitude graph
(tests/data/astro/sun_paths.csv).

The graph draws seven paths: the sun on the ecliptic at longitude 90 to 270 degrees by 30 (the
June solstice down to the December one), each a whole day of hour angles from -180 to +180
degrees. python3-ephem gives the declination of that ecliptic point (ecliptic to equatorial of
date) and the altitude and azimuth of a fixed star placed at that declination and hour angle
for an observer at the latitude (refraction off, elevation 0).

Conventions converted to ours: azimuth from the equator side (south in the north, north in the
south), positive west.
Run once from the source root: /usr/bin/python3 tests/tools/gen_sun_path_reference.py
"""
import math
import os

import ephem

DEG = 180.0 / math.pi
OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'data', 'astro')

YEAR = 2024
LATITUDES = [47.25, -33.9, 10.0, 70.0]
ROWS = [9, 12, 15, 18, 21, 24, 27]
COLUMNS = list(range(0, 289, 6))


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
                rows.append('%.2f,%d,%d,%.6f,%.6f' % (
                    lat, k, j, float(star.alt) * DEG, our_azimuth(lat, float(star.az))))
    os.makedirs(OUT, exist_ok=True)
    path = os.path.join(OUT, 'sun_paths.csv')
    with open(path, 'w', newline='\n') as f:
        f.write('lat_deg,row,column,alt_deg,az_deg\n')
        for row in rows:
            f.write(row + '\n')
    print('%s: %d rows' % (path, len(rows)))


if __name__ == '__main__':
    main()

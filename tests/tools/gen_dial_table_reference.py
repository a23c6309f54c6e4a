#!/usr/bin/python3
"""Reference cells of the dial's by-date sun table (tests/data/dial/date_table.csv).

A cell (date row, five-minute column c) holds the sun's altitude and azimuth at the hour
angle (c / 12 - 12) x 15 degrees of local solar time, with the sun's apparent declination at
12 h UT of the table date. To get that direction from python3-ephem without the program's
formulas, the site's longitude is chosen so that the sun's hour angle at 12 h UT of the date
is exactly the column's: ephem then gives the altitude and azimuth at that site and instant.

Conventions converted to ours: azimuth from the equator side (south in the north, north in
the south), positive west. Refraction off (pressure 0), elevation 0.
Run once from the source root: /usr/bin/python3 tests/tools/gen_dial_table_reference.py
"""
import math
import os

import ephem

DEG = 180.0 / math.pi
OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'data', 'dial')

LATITUDES = [47.25, -33.9, 0.2, 60.0, 69.65]
YEARS = [2004, 2024]
DATES = [(1, 1), (3, 21), (4, 16), (6, 21), (9, 21), (12, 26)]
COLUMNS = [0, 36, 100, 144, 150, 200, 288]


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


def observer(lat, lon_east_rad, date):
    obs = ephem.Observer()
    obs.lat = str(lat)
    obs.lon = lon_east_rad
    obs.elevation = 0
    obs.pressure = 0
    obs.date = date
    return obs


def main():
    rows = []
    for year in YEARS:
        for month, day in DATES:
            date = ephem.Date('%04d/%02d/%02d 12:00:00' % (year, month, day))
            for lat in LATITUDES:
                for column in COLUMNS:
                    hour_angle = (column / 12.0 - 12.0) * 15.0 / DEG
                    # Local sidereal time - right ascension = hour angle: solve for the
                    # longitude (the sun's place barely moves with the site).
                    lon = 0.0
                    for _ in range(3):
                        obs = observer(lat, lon, date)
                        sun = ephem.Sun(obs)
                        lon = wrap(lon + hour_angle - float(sun.ha), 2 * math.pi)
                    obs = observer(lat, lon, date)
                    sun = ephem.Sun(obs)
                    error = wrap(float(sun.ha) - hour_angle, 2 * math.pi) * DEG
                    assert abs(error) < 1e-6, error
                    rows.append('%d,%d,%d,%.2f,%d,%.8f,%.8f' % (
                        year, month, day, lat, column, float(sun.alt) * DEG, our_azimuth(lat, float(sun.az))))
    path = os.path.join(OUT, 'date_table.csv')
    with open(path, 'w', newline='\n') as f:
        f.write('year,month,day,lat_deg,column,alt_deg,az_deg\n')
        for row in rows:
            f.write(row + '\n')
    print('%s: %d rows' % (path, len(rows)))


if __name__ == '__main__':
    main()

#!/usr/bin/python3
"""Writes tests/data/astro/live_shadow.csv with python3-ephem (Debian package).

Run once from the source root:  /usr/bin/python3 tests/tools/gen_live_shadow_reference.py
The sun's direction at instants given on the local clock of Paris and New York, in winter
and in summer time, for the view's live shadow. Conventions converted to ours: longitude
positive west, azimuth from the equator side (south here) positive west, refraction off
(pressure 0), elevation 0.
"""
import calendar
import csv
import math
import os

import ephem

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, '..', 'data', 'astro', 'live_shadow.csv')
DEG = 180.0 / math.pi

# name, latitude (north +), longitude (EAST +: ephem's), zone (hours, east +),
# local date and time, offset of that local time from UT in hours (summer time included)
CASES = [
    ('Paris winter', 48.8566, 2.3522, 1, (2024, 1, 15, 14, 30, 0), 1),
    ('Paris winter morning', 48.8566, 2.3522, 1, (2024, 12, 24, 10, 15, 20), 1),
    ('Paris equinox', 48.8566, 2.3522, 1, (2024, 3, 20, 9, 0, 0), 1),
    ('Paris summer', 48.8566, 2.3522, 1, (2024, 7, 15, 16, 0, 0), 2),
    ('Paris summer evening', 48.8566, 2.3522, 1, (2024, 6, 21, 20, 45, 10), 2),
    ('New York summer', 40.7128, -74.0060, -5, (2024, 7, 4, 10, 0, 0), -4),
    ('New York summer afternoon', 40.7128, -74.0060, -5, (2024, 8, 30, 17, 30, 0), -4),
]


def main():
    with open(OUT, 'w', newline='') as f:
        out = csv.writer(f, lineterminator='\n')
        out.writerow(['name', 'unix_seconds', 'latitude_deg', 'longitude_west_deg', 'zone_hours',
                      'local', 'azimuth_deg', 'altitude_deg'])
        for name, lat, lon_east, zone, local, offset in CASES:
            unix = calendar.timegm(local) - offset * 3600
            obs = ephem.Observer()
            obs.lat = str(lat)
            obs.lon = str(lon_east)
            obs.elevation = 0
            obs.pressure = 0
            obs.date = ephem.Date('1970/1/1') + unix / 86400.0
            sun = ephem.Sun(obs)
            # ephem: azimuth from the north, towards the east.
            azimuth = float(sun.az) * DEG - 180.0
            if azimuth <= -180.0:
                azimuth += 360.0
            local_text = '%04d-%02d-%02d %02d:%02d:%02d' % local
            out.writerow([name, unix, lat, -lon_east, zone, local_text,
                          '%.5f' % azimuth, '%.5f' % (float(sun.alt) * DEG)])


if __name__ == '__main__':
    main()

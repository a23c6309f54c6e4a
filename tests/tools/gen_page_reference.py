#!/usr/bin/python3
"""Writes the reference tables of the ephemerides and equation-of-time pages with python3-ephem.

Run once from the source root:  /usr/bin/python3 tests/tools/gen_page_reference.py
The tables go to tests/data/astro/ and are committed. Conventions are converted to ours:
longitude positive west, azimuth from the equator side (south in the north, north in the
south) positive west, hour angle in (-180, 180] positive west, equation of time = mean minus
true solar time, refraction off (pressure 0), rising and setting when the sun's centre is at
-0°50' of geometric altitude.
"""
import math
import os

import ephem

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, '..', 'data', 'astro')
DEG = 180.0 / math.pi
RISE_ALTITUDE = '-0:50'

# name, latitude (deg, north +), longitude (deg, EAST +: ephem's), instants (UT)
INSTANTS = [
    ('Besancon', 47.25, 6.0333, [(2024, 3, 20, 11, 30, 0), (2024, 7, 14, 15, 45, 30), (2023, 12, 31, 23, 59, 0)]),
    ('New York', 40.7128, -74.0060, [(2024, 11, 3, 17, 0, 0), (2025, 2, 12, 4, 20, 10)]),
    ('Quito', -0.1807, -78.4678, [(2024, 9, 22, 17, 14, 0)]),
    ('Sydney', -33.8688, 151.2093, [(2023, 12, 31, 19, 0, 0), (2024, 6, 21, 2, 0, 0)]),
    ('Equator', 0.0, 30.0, [(2024, 4, 10, 10, 0, 0)]),
    ('Tromso', 69.6492, 18.9553, [(2024, 6, 21, 12, 0, 0), (2024, 12, 21, 10, 30, 0)]),
    ('McMurdo', -77.8463, 166.6683, [(2024, 6, 1, 0, 0, 0)]),
]

# The years of the equation-of-time pages: a leap year and the three after it (the four years
# of the reference-year mean).
EOT_YEARS = [2024, 2025, 2026, 2027]


def edate(y, m, d, hh=0, mm=0, ss=0):
    return ephem.Date('%04d/%02d/%02d %02d:%02d:%02d' % (y, m, d, hh, mm, ss))


def observer(lat, lon_east, date):
    obs = ephem.Observer()
    obs.lat = str(lat)
    obs.lon = str(lon_east)
    obs.elevation = 0
    obs.pressure = 0
    obs.date = date
    return obs


def wrap(x, period):
    """Into (-period/2, period/2]."""
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


def equation_of_time(date):
    """Mean minus true solar time at Greenwich at the instant, seconds."""
    obs = observer(0.0, 0.0, date)
    sun = ephem.Sun()
    sun.compute(obs)
    true_solar = float(obs.sidereal_time()) - float(sun.g_ra)  # hour angle at Greenwich
    mean_solar = (float(date) % 1.0) * 2 * math.pi  # UT - 12 h as an angle: ephem's days start at noon
    return wrap(mean_solar - true_solar, 2 * math.pi) * 43200.0 / math.pi


def geocentric_horizontal(lat, last, ra, dec):
    """Hour angle, altitude and azimuth (degrees, our conventions) of the apparent geocentric
    position from the apparent local sidereal time: what is seen without the parallax."""
    ha = wrap(last - ra, 2 * math.pi)
    phi = lat / DEG
    alt = math.asin(math.sin(phi) * math.sin(dec) + math.cos(phi) * math.cos(dec) * math.cos(ha))
    # From the north, positive east, as ephem gives it.
    az = math.atan2(-math.sin(ha) * math.cos(dec),
                    math.cos(phi) * math.sin(dec) - math.sin(phi) * math.cos(dec) * math.cos(ha))
    return ['%.6f' % (ha * DEG), '%.6f' % (alt * DEG), '%.6f' % our_azimuth(lat, az % (2 * math.pi))]


def write(name, header, rows):
    path = os.path.join(OUT, name)
    with open(path, 'w', newline='\n') as f:
        f.write(','.join(header) + '\n')
        for row in rows:
            f.write(','.join(row) + '\n')
    print('%s: %d rows' % (path, len(rows)))


def ephemerides():
    rows = []
    sun = ephem.Sun()
    for (name, lat, lon_east, instants) in INSTANTS:
        for (y, m, d, hh, mm, ss) in instants:
            date = edate(y, m, d, hh, mm, ss)
            obs = observer(lat, lon_east, date)
            sun.compute(obs)
            ha = wrap(float(sun.ha) * DEG, 360.0)
            # True solar time: the sun's hour angle from local noon.
            solar = (ha / 15.0 + 12.0) % 24.0
            lst = float(obs.sidereal_time()) * 43200.0 / math.pi
            position = ['%.7f' % (float(sun.g_ra) * DEG), '%.7f' % (float(sun.g_dec) * DEG), '%.6f' % ha,
                        '%.6f' % (float(sun.alt) * DEG), '%.6f' % our_azimuth(lat, float(sun.az))]
            geocentric = geocentric_horizontal(lat, float(obs.sidereal_time()), float(sun.g_ra), float(sun.g_dec))
            # The searches below recompute the sun at the events.
            start = edate(y, m, d)
            day_obs = observer(lat, lon_east, start)
            day_obs.horizon = RISE_ALTITUDE
            transit = (float(day_obs.next_transit(sun, start=start)) - float(start)) * 24.0
            try:
                rise = (float(day_obs.next_rising(sun, start=start, use_center=True)) - float(start)) * 24.0
                set_ = (float(day_obs.next_setting(sun, start=start, use_center=True)) - float(start)) * 24.0
                state = 'rises'
                rise_text, set_text = '%.6f' % rise, '%.6f' % set_
            except ephem.AlwaysUpError:
                state, rise_text, set_text = 'above', '', ''
            except ephem.NeverUpError:
                state, rise_text, set_text = 'below', '', ''
            rows.append([name, '%.4f' % lat, '%.4f' % -lon_east, '%d' % y, '%d' % m, '%d' % d, '%d' % hh,
                         '%d' % mm, '%d' % ss, '%.6f' % (float(date) + 2415020.0), '%.4f' % equation_of_time(date),
                         '%.6f' % solar, '%.4f' % lst] + position + [state, rise_text, '%.6f' % transit, set_text] +
                        geocentric)
    write('ephemerides_page.csv',
          ['site', 'lat_deg', 'lon_west_deg', 'year', 'month', 'day', 'hour', 'minute', 'second', 'jd',
           'eot_s', 'solar_h', 'last_s', 'ra_deg', 'dec_deg', 'ha_deg', 'alt_deg', 'az_deg', 'state', 'rise_h',
           'transit_h', 'set_h', 'g_ha_deg', 'g_alt_deg', 'g_az_deg'], rows)


def eot_days():
    rows = []
    sun = ephem.Sun()
    for y in EOT_YEARS:
        start = edate(y, 1, 1, 12)
        days = 366 if y % 4 == 0 else 365
        for n in range(days):
            date = ephem.Date(start + n)
            yy, mm, dd, _, _, _ = date.tuple()
            sun.compute(observer(0.0, 0.0, date))
            rows.append(['%d' % yy, '%d' % mm, '%d' % dd, '%d' % (n + 1), '%.4f' % equation_of_time(date),
                         '%.7f' % (float(sun.g_dec) * DEG)])
    write('eot_days.csv', ['year', 'month', 'day', 'day_of_year', 'eot_s', 'dec_deg'], rows)


if __name__ == '__main__':
    ephemerides()
    eot_days()

#!/usr/bin/python3
"""Writes the sun reference tables of tests/data/astro/ with python3-ephem (Debian package).

Run once from the source root:  /usr/bin/python3 tests/tools/gen_astro_reference.py
The tables are committed; the C++ tests read them. Conventions are converted to ours:
longitude positive west, azimuth from the equator side (south in the north, north in the
south) positive west, equation of time = mean minus true solar time, refraction off
(pressure 0), rising and setting when the sun's centre is at -0°50' of geometric altitude.
"""
import math
import os
import random
import sys

import ephem

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, '..', 'data', 'astro')

# name, latitude (deg, north +), longitude (deg, EAST +: ephem's convention)
SITES = [
    ('Paris', 48.8566, 2.3522),
    ('Besancon', 47.2378, 6.0241),
    ('New York', 40.7128, -74.0060),
    ('Singapore', 1.3521, 103.8198),
    ('Quito', -0.1807, -78.4678),
    ('Sydney', -33.8688, 151.2093),
    ('Cape Town', -33.9249, 18.4241),
    ('Ushuaia', -54.8019, -68.3030),
    ('Reykjavik', 64.1466, -21.9426),
    ('Tromso', 69.6492, 18.9553),
    ('McMurdo', -77.8463, 166.6683),
]

TABLE_YEARS = [1950, 1975, 1987, 2000, 2024, 2050, 2075, 2100]
RISE_YEARS = [2024]
RISE_ALTITUDE = '-0:50'
RISE_ALTITUDE_DEG = -50.0 / 60.0
DEG = 180.0 / math.pi


def table_dates(year):
    """The 72 dates of the dial tables: days 1, 6, 11, 16, 21, 26 of every month."""
    return [(year, r // 6 + 1, (r % 6) * 5 + 1) for r in range(72)]


def random_date(rng):
    year = rng.randint(1950, 2100)
    month = rng.randint(1, 12)
    days = [31, 29 if (year % 4 == 0 and year % 100 != 0) or year % 400 == 0 else 28,
            31, 30, 31, 30, 31, 31, 30, 31, 30, 31][month - 1]
    return (year, month, rng.randint(1, days))


def edate(y, m, d, hh=0, mm=0, ss=0):
    return ephem.Date('%04d/%02d/%02d %02d:%02d:%02d' % (y, m, d, hh, mm, ss))


def greenwich(date):
    obs = ephem.Observer()
    obs.lat = '0'
    obs.lon = '0'
    obs.elevation = 0
    obs.pressure = 0
    obs.date = date
    return obs


def site_observer(lat, lon_east, date):
    obs = ephem.Observer()
    obs.lat = str(lat)
    obs.lon = str(lon_east)
    obs.elevation = 0
    obs.pressure = 0
    obs.date = date
    return obs


def sidereal_seconds(date):
    return float(greenwich(date).sidereal_time()) * 43200.0 / math.pi


def wrap(x, period):
    """Into (-period/2, period/2]."""
    x = math.fmod(x, period)
    if x > period / 2:
        x -= period
    elif x <= -period / 2:
        x += period
    return x


def our_azimuth(lat, az_from_north_east):
    """ephem's azimuth (from north, positive east) to ours (equator side, positive west)."""
    az = az_from_north_east * DEG
    if lat >= 0:
        return wrap(az - 180.0, 360.0)
    return wrap(-az, 360.0)


def write(name, header, rows):
    path = os.path.join(OUT, name)
    with open(path, 'w', newline='\n') as f:
        f.write(','.join(header) + '\n')
        for row in rows:
            f.write(','.join(row) + '\n')
    print('%s: %d rows' % (path, len(rows)))


def sun_dates(rng):
    dates = []
    for y in TABLE_YEARS:
        dates += table_dates(y)
    dates += [random_date(rng) for _ in range(200)]
    rows = []
    sun = ephem.Sun()
    for (y, m, d) in dates:
        noon = edate(y, m, d, 12)
        obs = greenwich(noon)
        sun.compute(obs)
        ra = float(sun.g_ra)
        dec = float(sun.g_dec)
        hour_angle = float(obs.sidereal_time()) - ra
        # Mean solar time at Greenwich is 12 h UT; true solar time is 12 h + hour angle.
        eot = -wrap(hour_angle, 2 * math.pi) * 43200.0 / math.pi
        gast0 = sidereal_seconds(edate(y, m, d))
        rows.append(['%d' % y, '%d' % m, '%d' % d, '%.7f' % (ra * DEG % 360.0),
                     '%.7f' % (dec * DEG), '%.4f' % eot, '%.5f' % gast0])
    write('sun_dates.csv', ['year', 'month', 'day', 'ra_deg', 'dec_deg', 'eot_s', 'gast0_s'], rows)


def horizontal(rng):
    rows = []
    sun = ephem.Sun()
    for (name, lat, lon_east) in SITES:
        for i in range(40):
            y, m, d = random_date(rng)
            if i < 12:
                hh, mm, ss = 12, 0, 0  # the instant of the daily apparent position
            else:
                hh, mm, ss = rng.randint(0, 23), rng.randint(0, 59), rng.randint(0, 59)
            date = edate(y, m, d, hh, mm, ss)
            obs = site_observer(lat, lon_east, date)
            sun.compute(obs)
            # Topocentric apparent hour angle and declination: the frame the altitude and
            # azimuth were computed from.
            rows.append([name, '%.4f' % lat, '%.4f' % -lon_east, '%d' % y, '%d' % m, '%d' % d,
                         '%d' % hh, '%d' % mm, '%d' % ss, '%.5f' % sidereal_seconds(date),
                         '%.8f' % (float(sun.ha) * DEG), '%.8f' % (float(sun.dec) * DEG),
                         '%.8f' % (float(sun.alt) * DEG), '%.8f' % our_azimuth(lat, float(sun.az))])
    write('horizontal.csv', ['site', 'lat_deg', 'lon_west_deg', 'year', 'month', 'day', 'hour',
                             'minute', 'second', 'gast_s', 'ha_deg', 'dec_deg', 'alt_deg',
                             'az_deg'], rows)


def hours_after(event, start):
    return (float(event) - float(start)) * 24.0


def rise_set_row(name, lat, lon_east, y, m, d):
    sun = ephem.Sun()
    start = edate(y, m, d)
    obs = site_observer(lat, lon_east, start)
    obs.horizon = RISE_ALTITUDE
    transit = obs.next_transit(sun, start=start)
    sun.compute(site_observer(lat, lon_east, transit))
    culmination = float(sun.alt) * DEG
    anti = obs.next_antitransit(sun, start=start)
    sun.compute(site_observer(lat, lon_east, anti))
    lowest = float(sun.alt) * DEG
    # How far the day is from a change of state (polar day or night begins or ends).
    margin = min(abs(culmination - RISE_ALTITUDE_DEG), abs(lowest - RISE_ALTITUDE_DEG))
    rise = set_ = rise_az = ''
    if lowest > RISE_ALTITUDE_DEG:
        state = 'above'
    elif culmination < RISE_ALTITUDE_DEG:
        state = 'below'
    else:
        state = 'rises'
        r = obs.next_rising(sun, start=start, use_center=True)
        s = obs.next_setting(sun, start=start, use_center=True)
        sun.compute(site_observer(lat, lon_east, r))
        az = float(sun.az) * DEG
        # Distance of the rising point from the equator side of the meridian.
        rise_az = '%.5f' % (180.0 - az if lat >= 0 else az)
        rise = '%.6f' % hours_after(r, start)
        set_ = '%.6f' % hours_after(s, start)
    return [name, '%.4f' % lat, '%.4f' % -lon_east, '%d' % y, '%d' % m, '%d' % d, state,
            '%.4f' % margin, rise, '%.6f' % hours_after(transit, start), set_, rise_az,
            '%.5f' % culmination]


def rise_set(rng):
    rows = []
    for (name, lat, lon_east) in SITES:
        dates = []
        for y in RISE_YEARS:
            dates += table_dates(y)
        dates += [random_date(rng) for _ in range(24)]
        for (y, m, d) in dates:
            rows.append(rise_set_row(name, lat, lon_east, y, m, d))
    return rows


def threshold_margin(lat, lon_east, y, m, d):
    """Distance in degrees of the day's culminations from the rising altitude."""
    sun = ephem.Sun()
    start = edate(y, m, d)
    obs = site_observer(lat, lon_east, start)
    alts = []
    for event in (obs.next_transit(sun, start=start), obs.next_antitransit(sun, start=start)):
        sun.compute(site_observer(lat, lon_east, event))
        alts.append(abs(float(sun.alt) * DEG - RISE_ALTITUDE_DEG))
    return min(alts)


def rise_set_thresholds(rng, count):
    """Days at high latitudes where polar day or night begins or ends: the sun only grazes
    the horizon at one of its culminations (margin under half a degree)."""
    rows = [rise_set_row('Near threshold', 87.061, 124.365, 2045, 9, 17),
            rise_set_row('Near threshold', -88.909, 70.942, 2007, 3, 20)]
    while len(rows) < count:
        lat = rng.uniform(60.0, 89.5) * rng.choice([1.0, -1.0])
        lon_east = rng.uniform(-180.0, 180.0)
        y = rng.randint(1950, 2100)
        days = []
        for month in range(1, 13):
            for day in range(1, 29, 3):
                if threshold_margin(lat, lon_east, y, month, day) < 1.5:
                    days.append((month, day))
        if not days:
            continue
        month, day = rng.choice(days)
        for d in range(max(1, day - 2), min(day + 3, 29)):
            if 0.03 < threshold_margin(lat, lon_east, y, month, d) < 0.5:
                rows.append(rise_set_row('Near threshold', round(lat, 4), round(lon_east, 4), y, month, d))
                break
    return rows


def main():
    print('ephem', ephem.__version__)
    rng = random.Random(20240611)
    sun_dates(rng)
    horizontal(rng)
    write('rise_set.csv', ['site', 'lat_deg', 'lon_west_deg', 'year', 'month', 'day', 'state',
                           'state_margin_deg', 'rise_h', 'transit_h', 'set_h', 'rise_az_deg',
                           'culmination_alt_deg'],
          rise_set(rng) + rise_set_thresholds(random.Random(20450917), 60))
    return 0


if __name__ == '__main__':
    sys.exit(main())

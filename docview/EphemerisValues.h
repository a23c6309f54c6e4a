#pragma once
// Everything the ephemerides page shows of the sun for one place and one instant: the
// instant in Universal, legal and true solar time, sidereal times, the sun's equatorial and
// horizontal coordinates, and its rising, transit and setting on the calendar date.
#include "docview/CHoravelDoc.h"
#include "model/Astronomy.h"
#include "model/CDateTime.h"

struct EphemerisValues {
    CDateTime ut;     // Universal Time, date carried across midnight
    CDateTime legal;  // the legal time of the instant, date carried likewise
    CDateTime solar;  // true solar time at the place (no summer hour in it)
    // The calendar date of the instant as the clock's local time gives it: the date shown, and
    // the UT day of the rising, transit and setting.
    int day = 0;
    int month = 0;
    int year = 0;

    double equationOfTimeSeconds = 0.0;  // mean minus true solar time, at the instant
    double localSiderealSeconds = 0.0;   // local mean sidereal time, [0, 86400)
    double greenwichSidereal0hSeconds = 0.0;  // at 0 h UT of the UT date

    // The apparent sun at the instant (aberration, nutation), geocentric.
    double rightAscension = 0.0;  // radians, [0, 2 pi)
    double declination = 0.0;     // radians
    double hourAngle = 0.0;       // radians, (-pi, pi], positive in the afternoon: from the apparent sidereal time
    double azimuth = 0.0;         // radians, from the equator side, positive west
    double altitude = 0.0;        // radians

    // Rising, transit and setting on the UT day of the calendar date.
    RiseTransitSetResult riseSet;
};

// Sets the astronomy module's site to the place and computes the values for the instant the
// ephemeris settings name: the stored date and time (in UT or in legal time, with or without
// the summer hour) or, when the date is not fixed, the clock's current time. Times of the
// clock and the stored date and time are broken down in the desktop's local time zone
// (GetServices()), as the ephemeris date dialog stores them.
EphemerisValues ComputeEphemerisValues(const CDataBaseElement& place, const CHoravelDoc::Ephemeris& when);

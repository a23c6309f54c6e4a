#pragma once
// One step of the live shadow: the sun's direction at an instant for the site of the
// astronomy module, with the legal and solar times the clock window shows.
#include "platform/Services.h"

#include <cstdint>
#include <string>

struct LiveShadowStep {
    std::string legalTime;    // the local clock, "14 h 05 min 09 s"
    std::string solarTime;    // the site's true solar time, "13 h 17 min 42 s"
    double solarHours = 0.0;  // [0, 24)
    double azimuthRad = 0.0;  // from the equator side, positive west
    double altitudeRad = 0.0; // geometric, no refraction
};

// The sun at unixSeconds seen from the site set in the astronomy module (SetAstroSite).
// The site's solar time is taken from Universal Time, so it does not depend on the zone of
// the computer's clock: UT - longitude / 15 - equation of time. The sun's declination and
// the equation of time are those of that instant (Meeus ch. 25 and 28, about 0.01 degree).
// local: the same instant on the computer's clock, for the legal-time text only.
// Moves the astronomy module's date to that instant; its year is kept.
LiveShadowStep ComputeLiveShadow(std::int64_t unixSeconds, const DateTimeFields& local);

// "%H h %M min %S s" of the fields: two digits each.
std::string FormatLegalTime(const DateTimeFields& local);

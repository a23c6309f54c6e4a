#pragma once
// What the equation-of-time pages share: the user's sign convention and longitude-correction
// choice, the year or years the values are for, the value of each date, the minute range of
// the graphs and the heading and explanation texts.
#include <string>

struct EotSettings {
    // Reads the profile ("Options\General": "bCorrectionLongEot", "nModeEot"), the
    // astronomy module's year and site and the document's reference-year mode.
    static EotSettings Load();

    // Mean time minus solar time, or its opposite when signMode is 1.
    bool Negated() const { return signMode == 1; }
    // The equation of time of a date in seconds: of the year, or the mean over the four years
    // from the leap year in reference-year mode; negated when Negated().
    double ValueSeconds(int day, int month) const;
    // (value + correction) in minutes: what the graphs plot.
    double PlottedMinutes(int day, int month) const;
    // The heading: the title, the year or years, and the place when the longitude correction
    // is included.
    std::string Heading(std::string title) const;
    // What the values mean; withCorrectionNote adds the note that the longitude correction is
    // included (when it is).
    std::string Explanation(bool withCorrectionNote) const;

    bool longitudeCorrection = false;  // "bCorrectionLongEot" nonzero
    int signMode = 0;                  // "nModeEot"
    int year = 0;                      // the astronomy module's year
    bool fourYearMean = false;         // the document's reference-year mode
    int firstYear = 0;                 // the leap year that starts the four years
    double correctionSeconds = 0.0;    // longitude correction in seconds, signed as the values
    int lowMinute = -18;               // the 34-minute range of the graphs
    int highMinute = 16;
    std::string placeName;             // the current location, when there is one
    std::string placeCountry;
    bool hasPlace = false;
};

#pragma once
// Drawing preferences of a dial: which line families it draws and how hours are marked.
// Every dial embeds one; the view keeps one more as the default for new dials.
#include "platform/Archive.h"

#include <vector>

class CPrefs : public Serializable {
    HV_DECLARE_SERIAL(CPrefs)
public:
    CPrefs() = default;
    CPrefs(const CPrefs&) = default;
    CPrefs& operator=(const CPrefs&) = default;

    // Copies every field of other.
    virtual void CopyFrom(const CPrefs& other);
    // Loading clamps azimuthStep to at least 5 and altitudeStep to at least 1 (the line
    // families divide by them).
    void Serialize(Archive& ar) override;

    // A field the view keeps in the profile for its default preferences.
    struct ProfileKey {
        const char* section;   // "Options\\Trace" or "Options\\Marquage"
        const char* name;
        int CPrefs::*field;
        int absentDefault;     // value read when the profile has no such key
    };
    // Every field that has a profile key, in the order the view reads them.
    static const std::vector<ProfileKey>& ProfileKeys();

    int halfHourLines = 1;
    int quarterHourLines = 0;
    int fiveMinuteLines = 0;
    int diurnalArcs = 1;
    int diurnalArcMode = 3;
    int noonMark = 0;
    int noonMarkType = 0;
    int noonMarkShape = 0;
    int noonMarkWithHourLine = 1;
    int noonMarkPointer = 0;
    int hourNumbers = 1;
    int hours24 = 0;
    int romanNumerals = 1;
    int diurnalArcLabels = 1;
    int styleMarking = 1;
    int indications = 0;
    int anniversaryDate = 0;
    int anniversaryDay = 19;
    int anniversaryMonth = 4;  // 0-based
    int sunAboveHorizon = 0;
    int axesXY = 0;
    int extendHourLines = 0;
    int substyleLine = 0;
    int steepestSlopeLine = 0;
    int hourLines = 1;
    int horizontalLines = 0;
    int italicHours = 0;
    int babylonianHours = 0;
    int temporaryHours = 0;
    int azimuthStep = 15;
    int altitudeStep = 10;
    int doubleFrame = 1;
    int frameThickness = 5;
};

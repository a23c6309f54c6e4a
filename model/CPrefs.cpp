#include "model/CPrefs.h"

#include <algorithm>

HV_IMPLEMENT_SERIAL(CPrefs, Serializable, 11)

namespace {

constexpr const char* kTrace = "Options\\Trace";
constexpr const char* kMarquage = "Options\\Marquage";

// Schema a preferences object is read as when the archive gives none: the old-format
// documents stored the schema-3 layout without a class tag.
constexpr int kUntaggedSchema = 3;

// Smallest steps the azimuth and altitude line families can divide by.
constexpr int kMinAzimuthStep = 5;
constexpr int kMinAltitudeStep = 1;

}  // namespace

const std::vector<CPrefs::ProfileKey>& CPrefs::ProfileKeys()
{
    static const std::vector<ProfileKey> keys = {
        {kTrace, "Lignes30mn", &CPrefs::halfHourLines, 1},
        {kTrace, "Lignes15mn", &CPrefs::quarterHourLines, 0},
        {kTrace, "Lignes5mn", &CPrefs::fiveMinuteLines, 0},
        {kTrace, "LignesDeclinaison", &CPrefs::diurnalArcs, 1},
        {kTrace, "DateLignesDeclinaison", &CPrefs::diurnalArcMode, 3},
        {kTrace, "SoleilLeve", &CPrefs::sunAboveHorizon, 0},
        {kTrace, "DateAnniversaire", &CPrefs::anniversaryDate, 0},
        {kTrace, "JourAnniversaire", &CPrefs::anniversaryDay, 19},
        {kTrace, "MoisAnniversaire", &CPrefs::anniversaryMonth, 4},
        {kTrace, "Meridienne", &CPrefs::noonMark, 0},
        {kTrace, "nTypeMeridienne", &CPrefs::noonMarkType, 0},
        {kTrace, "nFormeMeridienne", &CPrefs::noonMarkShape, 0},
        {kTrace, "AvecLigneHoraire", &CPrefs::noonMarkWithHourLine, 1},
        {kTrace, "PointerMeridienne", &CPrefs::noonMarkPointer, 0},
        {kMarquage, "Heures", &CPrefs::hourNumbers, 1},
        // A missing "24Heures" reads 1, unlike the construction default.
        {kMarquage, "24Heures", &CPrefs::hours24, 1},
        {kMarquage, "Romain", &CPrefs::romanNumerals, 1},
        {kMarquage, "Legende", &CPrefs::indications, 0},
        {kMarquage, "Style", &CPrefs::styleMarking, 1},
        {kMarquage, "Axes XY", &CPrefs::axesXY, 0},
        {kMarquage, "Prolonger LH", &CPrefs::extendHourLines, 0},
        {kMarquage, "Sous-stylaire", &CPrefs::substyleLine, 0},
        {kMarquage, "Ligne Grande Pente", &CPrefs::steepestSlopeLine, 0},
    };
    return keys;
}

void CPrefs::CopyFrom(const CPrefs& other)
{
    if (this != &other)
        *this = other;
}

void CPrefs::Serialize(Archive& ar)
{
    if (ar.IsStoring()) {
        ar << halfHourLines << quarterHourLines << fiveMinuteLines << diurnalArcs << diurnalArcMode
           << noonMark << noonMarkType << noonMarkShape << noonMarkWithHourLine << noonMarkPointer
           << hourNumbers << hours24 << romanNumerals << styleMarking << indications
           << anniversaryDate << anniversaryDay << anniversaryMonth << sunAboveHorizon << axesXY
           << extendHourLines << substyleLine << steepestSlopeLine << hourLines << horizontalLines
           << italicHours << babylonianHours << temporaryHours << azimuthStep << altitudeStep
           << diurnalArcLabels << doubleFrame << frameThickness;
        return;
    }

    int s = ar.GetObjectSchema();
    if (s < 0)
        s = kUntaggedSchema;

    ar >> halfHourLines >> quarterHourLines;
    if (s >= 2)
        ar >> fiveMinuteLines;
    else
        fiveMinuteLines = 0;
    ar >> diurnalArcs;
    if (s > 3)
        ar >> diurnalArcMode;
    ar >> noonMark >> noonMarkType >> noonMarkShape >> noonMarkWithHourLine;
    if (s > 3)
        ar >> noonMarkPointer;
    ar >> hourNumbers >> hours24 >> romanNumerals >> styleMarking >> indications;
    if (s > 2)
        ar >> anniversaryDate >> anniversaryDay >> anniversaryMonth;
    if (s > 4)
        ar >> sunAboveHorizon;
    if (s > 5)
        ar >> axesXY;
    if (s > 6)
        ar >> extendHourLines;
    if (s > 7)
        ar >> substyleLine >> steepestSlopeLine;
    if (s > 8) {
        ar >> hourLines >> horizontalLines >> italicHours >> babylonianHours >> temporaryHours >> azimuthStep >>
            altitudeStep;
    }
    if (s > 9)
        ar >> diurnalArcLabels;
    if (s > 10)
        ar >> doubleFrame >> frameThickness;

    // The line families divide by these steps.
    azimuthStep = std::max(azimuthStep, kMinAzimuthStep);
    altitudeStep = std::max(altitudeStep, kMinAltitudeStep);
}

#include "dialogs/LineOptions.h"

#include "app/Translation.h"
#include "model/Astronomy.h"
#include "model/CCadran.h"

#include <algorithm>

bool DateExists(int day, int month)
{
    if (month < 1 || month > 12 || day < 1)
        return false;
    switch (month) {
    case 2:
        return day <= 29;
    case 4:
    case 6:
    case 9:
    case 11:
        return day <= 30;
    default:
        return day <= 31;
    }
}

std::uint32_t ParticularDateCode(int day, int month) { return static_cast<std::uint32_t>(day * 100 + month); }

std::string ParticularDateText(std::uint32_t code)
{
    return std::to_string(code / 100) + " " + GetMonthName(static_cast<int>(code % 100));
}

void RemoveParticularDate(std::vector<std::uint32_t>& dates, std::uint32_t code)
{
    dates.erase(std::remove(dates.begin(), dates.end(), code), dates.end());
}

int IndicationChoiceOfDial(const CCadran& dial)
{
    const CPrefs& p = dial.prefs;
    if (p.horizontalLines != 0)
        return 4;
    const bool eachHourLine = p.noonMark != 0 && p.noonMarkType == 1;
    if (dial.localSolarTime == 1)
        return eachHourLine ? 2 : 0;
    return eachHourLine ? 3 : 1;
}

void ApplyIndicationChoice(int choice, HourChecks& checks, CCadran& dial)
{
    CPrefs& p = dial.prefs;
    p.hourLines = 0;
    p.horizontalLines = 0;
    p.italicHours = 0;
    p.babylonianHours = 0;
    p.temporaryHours = 0;
    switch (choice) {
    case 0:
    case 1:
        p.hourLines = 1;
        dial.localSolarTime = choice == 0 ? 1 : 0;
        if (p.noonMarkType == 1)
            p.noonMarkType = 0;
        if (p.noonMark != 0) {
            p.noonMarkShape = 0;
            if (p.noonMarkWithHourLine == 0)
                p.noonMarkWithHourLine = 1;
        }
        break;
    case 2:
    case 3:
        p.hourLines = 1;
        dial.localSolarTime = choice == 2 ? 1 : 0;
        p.noonMark = 1;
        if (p.noonMarkType == 0)
            p.noonMarkType = 1;
        break;
    case 4:
        p.horizontalLines = 1;
        break;
    default:
        break;
    }
    if (choice != 0)
        checks = HourChecks{};
    p.italicHours = checks.italic;
    p.babylonianHours = checks.babylonian;
    p.temporaryHours = checks.temporary;
}

namespace {

struct ModeRow {
    int byConfiguration;
    int step;
    int solsticeArcs;
};

constexpr ModeRow kModeRows[15] = {
    {1, 0, 0}, {0, -1, 1}, {1, 1, 1}, {1, 2, 1}, {1, 3, 1}, {1, 4, 0}, {1, 5, 0}, {1, 4, 1},
    {1, 5, 1}, {1, 6, 0}, {1, 7, 0}, {1, 8, 0}, {1, 6, 1}, {1, 7, 1}, {1, 8, 1},
};

}  // namespace

void DiurnalArcModeToFields(int mode, DiurnalArcFields& fields)
{
    if (mode < 0 || mode > 14)
        return;
    const ModeRow& row = kModeRows[mode];
    fields.byConfiguration = row.byConfiguration;
    fields.step = row.step;
    fields.solsticeArcs = row.solsticeArcs;
}

int DiurnalArcFieldsToMode(const DiurnalArcFields& fields)
{
    if (fields.byConfiguration == 0)
        return 1;
    const bool solstices = fields.solsticeArcs != 0;
    switch (fields.step) {
    case 0: return solstices ? 2 : 0;
    case 1: return 2;
    case 2: return 3;
    case 3: return 4;
    case 4: return solstices ? 7 : 5;
    case 5: return solstices ? 8 : 6;
    case 6: return solstices ? 12 : 9;
    case 7: return solstices ? 13 : 10;
    case 8: return solstices ? 14 : 11;
    default: return 2;
    }
}

bool ApplyDiurnalStepClick(DiurnalArcFields& fields)
{
    fields.byConfiguration = 1;
    switch (fields.step) {
    case 0:
        fields.solsticeArcs = 0;
        return false;
    case 1:
    case 2:
    case 3:
        // Those steps draw the solstices anyway.
        fields.solsticeArcs = 1;
        return false;
    case 4:
    case 5:
        return true;
    default:
        fields.solsticeArcs = 0;
        return true;
    }
}

NoonMarkOpening NoonMarkFromPrefs(const CPrefs& prefs)
{
    NoonMarkOpening o;
    o.fields.placement = prefs.noonMark == 0 ? 2 : prefs.noonMarkType == 1 ? 1 : 0;
    o.fields.shape = prefs.noonMarkShape;
    o.fields.withHourLine = prefs.noonMarkWithHourLine;
    o.fields.datePoints = prefs.noonMarkPointer;
    o.atEachHourLine = o.fields.placement == 1;
    if (!o.atEachHourLine) {
        // Half meridians and the hour line choice only make sense at each hour line.
        o.fields.shape = 0;
        o.fields.withHourLine = 1;
    }
    return o;
}

void ApplyNoonMarkToPrefs(const NoonMarkFields& fields, CPrefs& prefs)
{
    switch (fields.placement) {
    case 0:
        prefs.noonMark = 1;
        prefs.noonMarkType = 0;
        break;
    case 1:
        prefs.noonMark = 1;
        prefs.noonMarkType = 1;
        break;
    case 2:
        prefs.noonMark = 0;
        break;
    default:
        break;
    }
    prefs.noonMarkShape = fields.shape;
    prefs.noonMarkPointer = fields.datePoints;
    prefs.noonMarkWithHourLine = fields.withHourLine;
}

bool ReferenceYearAccepted(int year) { return year >= kFirstReferenceYear && year <= kLastReferenceYear; }

std::string FourYearAverageText(int year)
{
    if (!ReferenceYearAccepted(year))
        return {};
    const int first = PreviousLeapYear(year);
    std::string text = GetTranslatedString(604);
    for (const int value : {first, first + 3}) {
        const auto at = text.find("%d");
        if (at != std::string::npos)
            text.replace(at, 2, std::to_string(value));
    }
    return text;
}

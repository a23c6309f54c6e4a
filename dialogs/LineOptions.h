#pragma once
// The rules of the dial line option dialogs, apart from their windows: particular dates,
// the kind of time the dial tells, the diurnal-arc mode, the meridian in the shape of an
// eight and the reference year.
#include <cstdint>
#include <string>
#include <vector>

class CCadran;
class CPrefs;

// --- particular dates (stored as day x 100 + month) --------------------------------------
// Whether the day exists in the month (February 1-29, April, June, September and November
// 1-30, the other months 1-31); month 1..12.
bool DateExists(int day, int month);
std::uint32_t ParticularDateCode(int day, int month);
// "3 Mars": the day, a blank, the month's name.
std::string ParticularDateText(std::uint32_t code);
// Removes every entry equal to code from the list.
void RemoveParticularDate(std::vector<std::uint32_t>& dates, std::uint32_t code);

// --- indications ------------------------------------------------------------------------
// The radio of the indications (0 local solar time .. 4 azimuth and altitude) that the dial
// shows now.
int IndicationChoiceOfDial(const CCadran& dial);
// A click on indication `choice` (also run once when the dialog opens): the hour families
// are cleared, then set for the choice; italic, babylonian and temporary take the checks,
// which only choice 0 keeps (the others clear them in checks too).
struct HourChecks {
    int italic = 0;
    int babylonian = 0;
    int temporary = 0;
};
void ApplyIndicationChoice(int choice, HourChecks& checks, CCadran& dial);

// --- diurnal arcs -------------------------------------------------------------------------
struct DiurnalArcFields {
    int step = 3;           // step radio 0..8, -1 none
    int solsticeArcs = 0;   // check
    int byConfiguration = 0;  // check
};
// The fields of a diurnal-arc mode 0..14; other modes leave the fields as they are.
void DiurnalArcModeToFields(int mode, DiurnalArcFields& fields);
int DiurnalArcFieldsToMode(const DiurnalArcFields& fields);
// A click on a step radio: the configuration check is set, and the solstice check follows
// the step. Returns whether the solstice check stays enabled.
bool ApplyDiurnalStepClick(DiurnalArcFields& fields);

// --- equation-of-time curve ---------------------------------------------------------------
struct NoonMarkFields {
    int shape = 0;          // 0 complete, 1 summer and autumn half, 2 winter and spring half
    int withHourLine = 0;   // check
    int datePoints = 0;     // check
    int placement = 0;      // 0 at noon, 1 at each hour line, 2 no meridian
};
// The fields as the preferences give them, and which radios stay enabled.
struct NoonMarkOpening {
    NoonMarkFields fields;
    bool atEachHourLine = false;  // only placement 1 is offered
};
NoonMarkOpening NoonMarkFromPrefs(const CPrefs& prefs);
void ApplyNoonMarkToPrefs(const NoonMarkFields& fields, CPrefs& prefs);

// --- reference year ------------------------------------------------------------------------
constexpr int kFirstReferenceYear = 1950;
constexpr int kLastReferenceYear = 2100;
bool ReferenceYearAccepted(int year);
// "Moyenne des années L à L+3." with L the latest leap year not after year; empty outside
// the accepted years.
std::string FourYearAverageText(int year);

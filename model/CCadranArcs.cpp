// The dial's date arcs (by solar longitude, by declination, by calendar date, particular
// dates), its Italic and Babylonian hours and its azimuth and altitude lines.
#include "model/CCadran.h"

#include "app/GraphicsHelpers.h"
#include "docview/CDrawingTools.h"
#include "model/Astronomy.h"
#include "model/DialDrawing.h"
#include "model/Rounding.h"

#include <algorithm>
#include <array>
#include <cmath>

using namespace dialdraw;

namespace {

int AltitudePenEntry(int altitudeDeg)
{
    if (altitudeDeg % 30 == 0)
        return 24;
    if (altitudeDeg % 10 == 0)
        return 22;
    if (altitudeDeg % 5 == 0)
        return 21;
    return 20;
}

int AzimuthPenEntry(int azimuthDeg)
{
    if (azimuthDeg % 45 == 0)
        return 30;
    if (azimuthDeg % 30 == 0)
        return 29;
    if (azimuthDeg % 15 == 0)
        return 28;
    if (azimuthDeg % 10 == 0)
        return 27;
    if (azimuthDeg % 5 == 0)
        return 26;
    return 25;
}

bool ValidDate(int day, int month)
{
    return month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

}  // namespace

// ------------------------------------------------------------------------- date arcs

bool CCadran::DrawLongitudeArcs(gdi::DC& dc, int ax, int ay)
{
    ToolsScope tools(dc);
    bool solstices = false;
    const int mode = prefs.diurnalArcMode;
    const int first = std::clamp(firstHour, 0, 24) * 12;
    const int last = std::clamp(lastHour, 0, 24) * 12;
    const bool aboveHorizon = prefs.sunAboveHorizon != 0;
    for (int k = 0; k <= 33; ++k) {
        if (!LongitudeRowDrawn(k, mode))
            continue;
        // Longitudes L and 180 - L share a declination, so their arcs are one curve (with the
        // same pen): traced once, or a cutter would cut it twice.
        const int twin = (54 - k) % 36;
        if (twin < k && LongitudeRowDrawn(twin, mode))
            continue;
        if (k == 9 || k == 27)
            solstices = true;
        const auto& azimuths = azimuthByLongitude[static_cast<size_t>(k)];
        const auto& altitudes = altitudeByLongitude[static_cast<size_t>(k)];
        PenScope pen(dc, tools.Tools().EntryPen(LongitudePenEntry(k)));
        CurveTracer tracer(*this, dc, {ax, ay});
        for (int c = first; c <= last; ++c) {
            if (IsLit(azimuths[static_cast<size_t>(c)], altitudes[static_cast<size_t>(c)], aboveHorizon))
                tracer.Add(azimuths[static_cast<size_t>(c)], altitudes[static_cast<size_t>(c)]);
            else
                tracer.Break();
        }
    }
    return solstices;
}

namespace {

// The sun n steps of 0.2 degree of hour angle from noon, the step of the declination arcs;
// the sines and cosines of the steps of a day, whatever the longitude correction, are
// reckoned once.
void SetArcStep(EquatorialSun& sun, int n)
{
    constexpr int kSteps = 1000;
    static const auto table = [] {
        std::vector<std::array<double, 2>> t(2 * kSteps + 1);
        for (int k = -kSteps; k <= kSteps; ++k)
            t[static_cast<size_t>(k + kSteps)] = {std::sin(k * 0.2 * kDegToRad), std::cos(k * 0.2 * kDegToRad)};
        return t;
    }();
    sun.hourAngle = n * 0.2 * kDegToRad;
    if (n >= -kSteps && n <= kSteps) {
        const auto& [sine, cosine] = table[static_cast<size_t>(n + kSteps)];
        sun.sinHourAngle = sine;
        sun.cosHourAngle = cosine;
    } else {
        sun.sinHourAngle = std::sin(sun.hourAngle);
        sun.cosHourAngle = std::cos(sun.hourAngle);
    }
}

// One arc of constant declination over the dial's hours, in steps of 0.2 degree of hour
// angle.
void TraceDeclinationArc(CCadran& dial, gdi::DC& dc, gdi::Point origin, double declinationRad, int penEntry,
                         const CDrawingTools& tools)
{
    const double correction = dial.localSolarTime ? 0.0 : GetLongitudeCorrection();
    const int first = RoundToInt((std::clamp(dial.firstHour, 0, 24) - 12 - correction) * 75.0);
    const int last = RoundToInt((std::clamp(dial.lastHour, 0, 24) - 12 - correction) * 75.0);
    const bool aboveHorizon = dial.prefs.sunAboveHorizon != 0;
    PenScope pen(dc, tools.EntryPen(penEntry));
    CurveTracer tracer(dial, dc, origin);
    const SunProjector projector(dial, origin, tracer.Frame(), aboveHorizon);
    EquatorialSun sun = EquatorialSun::At(0.0, declinationRad);
    for (int n = first; n <= last; ++n) {
        SetArcStep(sun, n);
        Projected p;
        if (projector.Project(sun, p))
            tracer.AddPoint(p);
        else
            tracer.Break();
    }
}

void TraceSolsticeArcs(CCadran& dial, gdi::DC& dc, gdi::Point origin, const CDrawingTools& tools)
{
    const double obliquity = DeclinationOfLongitude(3, false) * kDegToRad;
    TraceDeclinationArc(dial, dc, origin, obliquity, 15, tools);
    TraceDeclinationArc(dial, dc, origin, -obliquity, 9, tools);
}

}  // namespace

bool CCadran::DrawDeclinationArcs(gdi::DC& dc, int ax, int ay)
{
    ToolsScope tools(dc);
    const int mode = prefs.diurnalArcMode;
    const int step = mode == 5 || mode == 7 ? 10 : 5;
    for (int i = -20 / step; i <= 20 / step; ++i) {
        const int declinationDeg = i * step;
        TraceDeclinationArc(*this, dc, {ax, ay}, declinationDeg * kDegToRad, declinationDeg % 10 == 0 ? 17 : 18,
                            tools.Tools());
    }
    if (mode != 7 && mode != 8)
        return false;
    TraceSolsticeArcs(*this, dc, {ax, ay}, tools.Tools());
    return true;
}

bool CCadran::DrawCalendarArcs(gdi::DC& dc, int ax, int ay)
{
    ToolsScope tools(dc);
    const int mode = prefs.diurnalArcMode;
    struct DateArc {
        int day;
        int penEntry;
    };
    std::vector<DateArc> dates;
    switch (mode) {
    case 9: case 12: dates = {{1, 31}}; break;
    case 10: case 13: dates = {{1, 31}, {16, 33}}; break;
    case 11: case 14: dates = {{1, 31}, {11, 32}, {21, 34}}; break;
    default: return false;
    }
    int firstMonth = 1;
    int lastMonth = 12;
    if (prefs.noonMarkType == 1 && prefs.noonMarkShape == 1)
        firstMonth = 7;
    else if (prefs.noonMarkType == 1 && prefs.noonMarkShape == 2)
        lastMonth = 5;
    // From mode 12 the solstice arcs follow: the 21st of June and of December are theirs,
    // and a second arc within a tenth of a millimetre of them would be cut twice.
    const bool solstices = mode >= 12;
    for (int month = firstMonth; month <= lastMonth; ++month) {
        for (const DateArc& date : dates) {
            if (solstices && date.day == 21 && (month == 6 || month == 12))
                continue;
            const int row = DateRow(month, date.day);
            TraceDeclinationArc(*this, dc, {ax, ay}, declination[static_cast<size_t>(row)], date.penEntry,
                                tools.Tools());
        }
    }
    if (!solstices)
        return false;
    TraceSolsticeArcs(*this, dc, {ax, ay}, tools.Tools());
    return true;
}

void CCadran::DrawDateArc(gdi::DC& dc, int day, int month, int ax, int ay)
{
    if (!ValidDate(day, month))
        return;
    ToolsScope tools(dc);
    double rightAscension = 0.0;
    double declinationRad = 0.0;
    ApparentSunPosition(day, month, rightAscension, declinationRad);
    int penEntry = 19;
    if (day == 21 && month == 6)
        penEntry = 15;
    else if (day == 21 && month == 12)
        penEntry = 9;

    const double correction = localSolarTime ? 0.0 : GetLongitudeCorrection();
    const int first = std::clamp(firstHour, 0, 24) * 12;
    const int last = std::clamp(lastHour, 0, 24) * 12;
    const bool aboveHorizon = prefs.sunAboveHorizon != 0;
    PenScope pen(dc, tools.Tools().EntryPen(penEntry));
    CurveTracer tracer(*this, dc, {ax, ay});
    const SunProjector projector(*this, {ax, ay}, tracer.Frame(), aboveHorizon);
    EquatorialSun sun = EquatorialSun::At(0.0, declinationRad);
    for (int s = first; s <= last; ++s) {
        sun.SetHourAngle((s / 12.0 - 12.0 - correction) * 15.0 * kDegToRad);
        Projected p;
        if (projector.Project(sun, p))
            tracer.AddPoint(p);
        else
            tracer.Break();
    }
}

// ------------------------------------------------------------------------- Italic and Babylonian hours

void CCadran::DrawItalicBabylonianHours(gdi::DC& dc, bool babylonian, int ax, int ay)
{
    ToolsScope tools(dc);
    const gdi::Point origin{ax, ay};
    const ExportFrame frame = MakeExportFrame(*this, origin);
    const double obliquityDeg = DeclinationOfLongitude(3, false);
    const double tanLatitude = std::tan(latitude * kDegToRad);
    const bool aboveHorizon = prefs.sunAboveHorizon != 0;
    const int first = std::clamp(firstHour, 0, 24) * 12;
    const int last = std::clamp(lastHour, 0, 24) * 12;

    // The declinations searched, one degree apart from each solstice towards the other, with
    // the half-day arc of each; a day without sunrise and sunset has no hour counted from them.
    // With the sines and cosines of the declination and of the half-day arc, so that a sun of
    // the search is first looked at with a few products (see below).
    struct Day {
        EquatorialSun noon;
        double halfArcDeg;
        double sinHalfArc;
        double cosHalfArc;
    };
    const auto days = [&](double fromDeg, double stepDeg) {
        std::vector<Day> out;
        for (int n = 0; n <= static_cast<int>(std::floor(2.0 * obliquityDeg)); ++n) {
            const double declinationDeg = fromDeg + n * stepDeg;
            const double cosHalfArc = -tanLatitude * std::tan(declinationDeg * kDegToRad);
            if (std::fabs(cosHalfArc) <= 1.0) {
                const double halfArc = std::acos(cosHalfArc);
                out.push_back({EquatorialSun::At(0.0, declinationDeg * kDegToRad), halfArc / kDegToRad,
                               std::sin(halfArc), std::cos(halfArc)});
            }
        }
        return out;
    };
    const std::vector<Day> fromSummer = days(obliquityDeg, -1.0);
    const std::vector<Day> fromWinter = days(-obliquityDeg, 1.0);
    const SunProjector projector(*this, origin, frame, aboveHorizon);

    for (int s = first; s <= last; ++s) {
        const int entry = StepPenEntry(s);
        if (entry == 0)
            continue;
        // The 24th hour since sunrise or sunset is the hour 0 of the next day: one line, cut once.
        if (s == 288 && first == 0)
            continue;
        const double t = s * 1.25;  // degrees since sunrise (Babylonian) or sunset (Italic)
        const double sinT = std::sin(t * kDegToRad);
        const double cosT = std::cos(t * kDegToRad);
        // The first day of the list whose sun, t after its rising or setting, lights the face.
        // The sines and cosines of t and of the half-day arc give that of the hour angle within
        // a few 1e-16: enough to pass over the suns that surely leave the face dark.
        const auto end = [&](const std::vector<Day>& list, Projected& p) {
            for (const Day& day : list) {
                EquatorialSun sun = day.noon;
                const double sinHalfArc = babylonian ? -day.sinHalfArc : day.sinHalfArc;
                sun.sinHourAngle = sinT * day.cosHalfArc + cosT * sinHalfArc;
                sun.cosHourAngle = cosT * day.cosHalfArc - sinT * sinHalfArc;
                if (projector.LightOf(sun) == FaceMap::Light::Unlit)
                    continue;
                sun.SetHourAngle((babylonian ? t - day.halfArcDeg : t + day.halfArcDeg) * kDegToRad);
                if (projector.Project(sun, p))
                    return true;
            }
            return false;
        };
        Projected a;
        Projected b;
        if (!end(fromSummer, a) || !end(fromWinter, b) || a.device == b.device)
            continue;
        PenScope pen(dc, tools.Tools().EntryPen(entry));
        DrawStraight(*this, dc, frame, a, b, false);
    }
}

// ------------------------------------------------------------------------- azimuth and altitude lines

namespace {

// Sine of the declination of a direction seen from the latitude, from the sine and cosine
// of its altitude and the cosine of its azimuth (the declination of HorizontalToEquatorial,
// which these lines only compare with the obliquity).
struct DeclinationOfDirection {
    explicit DeclinationOfDirection(double latitudeDeg)
        : sinLatitude(std::sin(std::fabs(latitudeDeg) * kDegToRad)), cosLatitude(std::cos(latitudeDeg * kDegToRad))
    {
    }
    double Sine(double sinAltitude, double cosAltitude, double cosAzimuth) const
    {
        return sinAltitude * sinLatitude - cosAltitude * cosLatitude * cosAzimuth;
    }
    double sinLatitude;
    double cosLatitude;
};

}  // namespace

void CCadran::DrawAzimuthLines(gdi::DC& dc, int ax, int ay)
{
    const int step = prefs.azimuthStep;
    if (step <= 0 || step > 360) {
        ResetHourLabels(25);
        return;
    }
    // One slot per azimuth line, -180 to +180 degrees; never fewer than the hours need.
    ResetHourLabels(std::max(25, 360 / step + 1));
    ToolsScope tools(dc);
    const gdi::Point origin{ax, ay};
    const ExportFrame frame = MakeExportFrame(*this, origin);
    const double sinObliquity = std::sin(DeclinationOfLongitude(3, false) * kDegToRad);
    const DeclinationOfDirection declinationOf(latitude);
    // Altitudes of 0.1 to 90 degrees.
    static const auto altitudes = [] {
        std::array<std::array<double, 2>, 901> table{};
        for (int r = 1; r <= 900; ++r)
            table[static_cast<size_t>(r)] = {std::sin(r * 0.1 * kDegToRad), std::cos(r * 0.1 * kDegToRad)};
        return table;
    }();
    const int half = 180 / step;
    const bool atInner = LabelsAtInnerEnd();

    // The lines first, which place the numbers; then, once the numbers are laid out, the
    // lines drawn round them.
    struct Line {
        int entry = 0;
        Projected a;
        Projected b;
    };
    std::vector<Line> lines;
    for (int k = -half; k <= half; ++k) {
        const double azimuth = k * step * kDegToRad;
        const double cosAzimuth = std::cos(azimuth);
        int firstR = 0;
        int lastR = 0;
        for (int r = 1; r <= 900; ++r) {
            const auto& [sinAltitude, cosAltitude] = altitudes[static_cast<size_t>(r)];
            const bool qualifies = std::fabs(declinationOf.Sine(sinAltitude, cosAltitude, cosAzimuth)) <= sinObliquity &&
                                   IsLit(azimuth, r * 0.1 * kDegToRad, true);
            if (qualifies) {
                if (firstR == 0)
                    firstR = r;
                lastR = r;
            } else if (firstR != 0) {
                break;
            }
        }
        if (firstR == 0)
            continue;
        Projected a = ProjectBoth(*this, azimuth, firstR * 0.1 * kDegToRad, origin, frame);
        Projected b = ProjectBoth(*this, azimuth, lastR * 0.1 * kDegToRad, origin, frame);
        int altitudeA = firstR;
        int altitudeB = lastR;
        // Inner end: the one nearer the style's foot.
        const auto distance = [&](gdi::Point p) {
            return std::hypot(static_cast<double>(p.x) - origin.x, static_cast<double>(p.y) - origin.y);
        };
        if (distance(a.device) > distance(b.device)) {
            std::swap(a, b);
            std::swap(altitudeA, altitudeB);
        }
        const gdi::Point wholeA = a.device;
        const gdi::Point wholeB = b.device;
        if (!ClipStraight(*this, frame, a, b, false))
            continue;
        lines.push_back({AzimuthPenEntry(std::abs(k * step)), a, b});
        if (a.device == b.device)
            continue;
        double radius = 0.0;
        double angle = 0.0;
        CartesianToPolar(static_cast<double>(b.device.x) - a.device.x, static_cast<double>(b.device.y) - a.device.y,
                         radius, angle, false, true);
        const size_t slot = static_cast<size_t>(k + half);
        hourLabelPos[slot] = atInner ? a.device : b.device;
        hourLabelAngle[slot] = atInner ? angle - kPi / 2.0 : angle + kPi / 2.0;
        // A solstice arc ends the line: where clipping left that end in place, the number
        // keeps clear of the arc.
        if (hourLabelPos[slot] == (atInner ? wholeA : wholeB))
            hourLabelArcAngle[slot] = SolsticeArcAngle(azimuth, (atInner ? altitudeA : altitudeB) * 0.1 * kDegToRad, origin);
    }

    numberBoxes.clear();
    if (prefs.hourNumbers)
        numberBoxes = LayOutNumbers(dc);
    for (const Line& line : lines) {
        PenScope pen(dc, tools.Tools().EntryPen(line.entry));
        DrawClipped(*this, dc, line.a, line.b);
    }
}

void CCadran::DrawAltitudeLines(gdi::DC& dc, int ax, int ay)
{
    const int step = prefs.altitudeStep;
    if (step <= 0)
        return;
    ToolsScope tools(dc);
    const double sinObliquity = std::sin(DeclinationOfLongitude(3, false) * kDegToRad);
    const DeclinationOfDirection declinationOf(latitude);
    // Azimuths of -180 to 179.5 degrees.
    static const auto cosAzimuths = [] {
        std::array<double, 720> table{};
        for (int i = -360; i <= 359; ++i)
            table[static_cast<size_t>(i + 360)] = std::cos(i * 0.5 * kDegToRad);
        return table;
    }();
    for (int j = 1; j <= 90 / step; ++j) {
        const int altitudeDeg = j * step;
        const double altitude = altitudeDeg * kDegToRad;
        const double sinAltitude = std::sin(altitude);
        const double cosAltitude = std::cos(altitude);
        PenScope pen(dc, tools.Tools().EntryPen(AltitudePenEntry(altitudeDeg)));
        CurveTracer tracer(*this, dc, {ax, ay});
        for (int i = -360; i <= 359; ++i) {
            const double azimuth = i * 0.5 * kDegToRad;
            const double cosAzimuth = cosAzimuths[static_cast<size_t>(i + 360)];
            if (std::fabs(declinationOf.Sine(sinAltitude, cosAltitude, cosAzimuth)) <= sinObliquity &&
                IsLit(azimuth, altitude, true))
                tracer.Add(azimuth, altitude);
            else
                tracer.Break();
        }
    }
}

#include "model/CCadranCylindriqueDeBerger.h"

#include "app/Formatting.h"
#include "app/GraphicsHelpers.h"
#include "docview/CDrawingTools.h"
#include "model/DialDrawing.h"
#include "model/PlaneDialGeometry.h"
#include "model/TrueSunAngles.h"

#include <algorithm>
#include <cmath>
#include <string>

using namespace dialdraw;

HV_IMPLEMENT_SERIAL(CCadranCylindriqueDeBerger, CCadranCylindrique, 1)

namespace {
constexpr double kMaxSheetAltitude = 85.0 * kPi / 180.0;
constexpr int kHourLabelSlots = 25;
constexpr int kNoonColumn = 144;

// The sign letters of the zodiac font from the longitude 300 degrees (Aquarius) on.
constexpr const char* kSignsFrom300[12] = {"h", "i", "^", "_", "`", "a", "b", "c", "d", "e", "f", "g"};
}

CCadranCylindriqueDeBerger::CCadranCylindriqueDeBerger()
{
    planeAngle1 = 0.0;
    planeAngle2 = 90.0;
    styleMarkingAllowed = 1;
    prefs.sunAboveHorizon = 1;
    localSolarTime = 1;
    radius = 50.0;
    typeCode = 33;
    SetStyleAnchorPercent(50, 10);
    styleHeight = 50;
    prefs.diurnalArcs = 0;
}

void CCadranCylindriqueDeBerger::Serialize(Archive& ar)
{
    planedial::SerializeWithParent<CCadranCylindrique>(*this, ar);
}

void CCadranCylindriqueDeBerger::Project(double azimuth, double altitude, int& x, int& y, bool toDevice,
                                         bool inTenths) const
{
    double t = 0.0;
    double declination = 0.0;
    HorizontalToEquatorial(azimuth, altitude, t, declination);
    const double u = declination * radius;
    const double w = std::tan(altitude) * styleHeight;  // down from the style
    // w runs down the sheet.
    planedial::FacePointToDial(*this, u, -w, x, y, toDevice, inTenths);
}

bool CCadranCylindriqueDeBerger::IsLit(double /*azimuth*/, double altitude, bool aboveHorizonOnly) const
{
    return !aboveHorizonOnly || altitude > 0.0;
}

void CCadranCylindriqueDeBerger::ComputeSheetSize()
{
    width = SaturatingAdd(RoundToInt(kPi * radius), 20);
    const double highestNoon = GetObliquity() + kPi / 2.0 - std::fabs(latitudeRad);
    const double altitude = std::min(highestNoon, kMaxSheetAltitude);
    height = std::max(40, SaturatingAdd(RoundToInt(std::tan(altitude) * styleHeight), 40));
}

double CCadranCylindriqueDeBerger::ColumnOffset(double row) const
{
    return (row - 34.0) * radius * scale * pixelsPerMmX * kPi / 72.0;
}

void CCadranCylindriqueDeBerger::DrawSpecific(gdi::DC& dc, int ax, int ay)
{
    DrawFootMark(*this, dc, {ax, ay});
}

void CCadranCylindriqueDeBerger::DrawHourLines(gdi::DC& dc, int ax, int ay)
{
    ToolsScope tools(dc);
    ResetHourLabels(kHourLabelSlots);
    const gdi::Point origin{ax, ay};
    const bool aboveHorizon = prefs.sunAboveHorizon != 0;
    const int first = std::clamp(firstHour, 0, 24) * 12;
    const int last = std::clamp(lastHour, 0, 24) * 12;
    for (int s = first; s <= last; ++s) {
        const int entry = StepPenEntry(s);
        if (entry == 0)
            continue;
        PenScope pen(dc, tools.Tools().EntryPen(entry));
        CurveTracer tracer(*this, dc, origin);
        for (int j = 0; j < kDateRows; ++j) {
            const double az = azimuthByDate[static_cast<std::size_t>(j)][static_cast<std::size_t>(s)];
            const double alt = altitudeByDate[static_cast<std::size_t>(j)][static_cast<std::size_t>(s)];
            if (!IsLit(az, alt, aboveHorizon)) {
                tracer.Break();
                continue;
            }
            tracer.AddPoint(ColumnPoint(j, az, alt, origin, tracer.Frame()));
        }
    }
}

Projected CCadranCylindriqueDeBerger::ColumnPoint(double row, double azimuth, double altitude, gdi::Point origin,
                                                  const ExportFrame& frame) const
{
    Projected p;
    int x = 0;
    int y = 0;
    Project(azimuth, altitude, x, y, true, true);
    p.device = Offset({RoundToInt(ColumnOffset(row)), y}, origin);
    if (collectShapes) {
        Project(azimuth, altitude, x, y, false, true);
        p.exported = Offset({RoundToInt(10.0 * (row - 34.0) * radius * kPi / 72.0), y}, frame.anchor);
    }
    return p;
}

void CCadranCylindriqueDeBerger::DrawColumn(gdi::DC& dc, gdi::Point origin, const ExportFrame& frame,
                                            double row, double noonAltitude)
{
    Projected top = ColumnPoint(row, 0.0, 0.0, origin, frame);
    Projected bottom = ColumnPoint(row, 0.0, noonAltitude, origin, frame);
    DrawStraight(*this, dc, frame, top, bottom, false);
}

bool CCadranCylindriqueDeBerger::DrawLongitudeArcs(gdi::DC& dc, int ax, int ay)
{
    ToolsScope tools(dc);
    const gdi::Point origin{ax, ay};
    const ExportFrame frame = MakeExportFrame(*this, origin);
    const int mode = prefs.diurnalArcMode;
    // From the longitude 300 degrees to 270 degrees, 21 June (90 degrees) in the middle.
    for (int i = -6; i <= 27; ++i) {
        const int k = i < 0 ? i + 36 : i;
        if (!LongitudeRowDrawn(k, mode))
            continue;
        const double row = 34.0 + 2.0 * (i - 9);
        PenScope pen(dc, tools.Tools().EntryPen(LongitudePenEntry(k)));
        DrawColumn(dc, origin, frame, row, altitudeByLongitude[static_cast<std::size_t>(k)][kNoonColumn]);
        if (prefs.diurnalArcLabels && (i + 6) % 3 == 0) {
            FontScope font(dc, tools.Tools().wingdings12);
            AlignScope align(dc, gdi::TA_CENTER | gdi::TA_BOTTOM);
            dc.TextOut(ax + RoundToInt(ColumnOffset(row)), ay, kSignsFrom300[(i + 6) / 3]);
        }
    }
    return false;
}

bool CCadranCylindriqueDeBerger::DrawCalendarArcs(gdi::DC& dc, int ax, int ay)
{
    const int mode = prefs.diurnalArcMode;
    if (mode < 9 || mode > 14)
        return false;
    ToolsScope tools(dc);
    const gdi::Point origin{ax, ay};
    const ExportFrame frame = MakeExportFrame(*this, origin);
    const int perMonth = mode == 10 || mode == 13 ? 2 : (mode == 11 || mode == 14 ? 3 : 1);
    const bool aboveHorizon = prefs.sunAboveHorizon != 0;
    const int lineGap = ScaleHeightToDevice(dc, 10);
    for (int i = 0; i < 12; ++i) {
        for (int j = 0; j < perMonth; ++j) {
            const int s = perMonth == 2 ? 3 * j : 2 * j;
            const int row = 6 * i + s;
            const double az = azimuthByDate[static_cast<std::size_t>(row)][kNoonColumn];
            const double alt = altitudeByDate[static_cast<std::size_t>(row)][kNoonColumn];
            if (!IsLit(az, alt, aboveHorizon))
                continue;
            int entry = 31;
            if (j > 0)
                entry = perMonth == 2 ? 33 : (j == 1 ? 32 : 34);
            {
                PenScope pen(dc, tools.Tools().EntryPen(entry));
                DrawColumn(dc, origin, frame, row, alt);
            }
            if (prefs.diurnalArcLabels) {
                FontScope font(dc, tools.Tools().arial9);
                AlignScope align(dc, gdi::TA_CENTER | gdi::TA_BOTTOM);
                const std::string text = FormatNumber(j * (30 / perMonth) + 1, -1) + "-" + FormatRomanHour(i + 1);
                dc.TextOut(ax + RoundToInt(ColumnOffset(row)), ay - j * lineGap, text);
            }
        }
    }
    return false;
}

void CCadranCylindriqueDeBerger::DrawDateArc(gdi::DC& dc, int day, int month, int ax, int ay)
{
    if (month < 1 || month > 12 || day < 1 || day > 31)
        return;
    double rightAscension = 0.0;
    double declinationRad = 0.0;
    ApparentSunPosition(day, month, rightAscension, declinationRad);
    double az = 0.0;
    double alt = 0.0;
    EquatorialToHorizontal(0.0, declinationRad, az, alt);
    if (!IsLit(az, alt, prefs.sunAboveHorizon != 0))
        return;
    int entry = 19;
    if (day == 21 && month == 6)
        entry = 15;
    else if (day == 21 && month == 12)
        entry = 9;
    ToolsScope tools(dc);
    const gdi::Point origin{ax, ay};
    PenScope pen(dc, tools.Tools().EntryPen(entry));
    DrawColumn(dc, origin, MakeExportFrame(*this, origin), (month - 1) * 6 + (day - 1) / 5.0, alt);
}

bool CCadranCylindriqueDeBerger::DrawDeclinationArcs(gdi::DC& /*dc*/, int /*ax*/, int /*ay*/)
{
    return false;
}

void CCadranCylindriqueDeBerger::DrawItalicBabylonianHours(gdi::DC& /*dc*/, bool /*babylonian*/, int /*ax*/,
                                                           int /*ay*/)
{
}

void CCadranCylindriqueDeBerger::DrawAzimuthLines(gdi::DC& /*dc*/, int /*ax*/, int /*ay*/)
{
}

void CCadranCylindriqueDeBerger::DrawAltitudeLines(gdi::DC& /*dc*/, int /*ax*/, int /*ay*/)
{
}

void CCadranCylindriqueDeBerger::DrawStyle(gdi::DC& /*dc*/, int /*ax*/, int /*ay*/)
{
}

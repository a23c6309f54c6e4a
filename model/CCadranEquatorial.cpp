#include "model/CCadranEquatorial.h"

#include "app/GraphicsHelpers.h"
#include "app/Translation.h"
#include "model/DialDrawing.h"
#include "model/PlaneDialGeometry.h"
#include "model/PlaneDialNames.h"
#include "model/TrueSunAngles.h"

#include <algorithm>
#include <cmath>
#include <numbers>

using namespace dialdraw;

namespace {
constexpr int kHourLabelSlots = 25;
}

HV_IMPLEMENT_SERIAL(CCadranEquatorial, CCadran, 1)

CCadranEquatorial::CCadranEquatorial()
{
    typeCode = 8;
    planeAngle1 = 0.0;
    planeAngle2 = 0.0;
    SetStyleAnchorPercent(50, 50);
}

CCadranEquatorial::CCadranEquatorial(int face, int code, int anchorPercentXValue, int anchorPercentYValue)
    : CCadranEquatorial()
{
    upperFace = face != 0 ? 1 : 0;
    typeCode = code;
    SetStyleAnchorPercent(anchorPercentXValue, anchorPercentYValue);
}

void CCadranEquatorial::Serialize(Archive& ar)
{
    planedial::SerializeWithParent<CCadran>(*this, ar);
    if (ar.IsLoading())
        upperFace = typeCode == 9 ? 0 : 1;
}

void CCadranEquatorial::GetTypeName(std::string& text, bool longName, bool upperCase) const
{
    text = planedial::UpperCasedIf(GetTranslatedString(longName ? (upperFace ? 407 : 418) : 414), upperCase);
}

void CCadranEquatorial::Project(double azimuth, double altitude, int& x, int& y, bool toDevice,
                                bool inTenths) const
{
    // Azimuth mirrored in the south, |latitude|: the southern face is the northern one seen
    // from the other pole, drawn without mirroring.
    const double az = latitude < 0.0 ? -azimuth : azimuth;
    const double absLat = std::fabs(latitudeRad);
    const double tanH = std::tan(altitude);
    const double den = tanH * std::sin(absLat) - std::cos(absLat) * std::cos(az);
    if (std::fabs(den) < 1e-8) {
        x = 0;
        y = 0;
        return;
    }
    const double h = styleHeight;
    const double v = (tanH * std::cos(absLat) + std::cos(az) * std::sin(absLat)) * h / den;
    const double u = std::sin(az) * (upperFace ? h : -h) / den;
    if (toDevice) {
        x = RoundToInt(u * scale * pixelsPerMmX);
        y = RoundToInt(-v * scale * pixelsPerMmY);
    } else {
        const double f = inTenths ? 10.0 : 100.0;
        x = RoundToInt(f * u);
        y = RoundToInt(f * v);
    }
}

bool CCadranEquatorial::IsLit(double azimuth, double altitude, bool aboveHorizonOnly) const
{
    if (aboveHorizonOnly && altitude < 0.0005)
        return false;
    double hourAngle = 0.0;
    double declination = 0.0;
    TrueEquatorialOfSun(azimuth, altitude, latitude, hourAngle, declination);
    const bool north = latitudeRad > 0.0;
    // The face towards the north celestial pole sees the sun while it is north of the equator.
    const bool facesNorthPole = (upperFace != 0) == north;
    return facesNorthPole ? declination > 0.0 : declination < 0.0;
}

bool CCadranEquatorial::GetCentre(int& x, int& y, bool /*truncate*/, bool /*inTenths*/) const
{
    x = 0;
    y = 0;
    return true;
}

bool CCadranEquatorial::ProjectTableEntry(int monthIndex, int dayIndex, int step, int& x, int& y) const
{
    x = 0;
    y = 0;
    const int row = monthIndex * 6 + dayIndex;
    if (row < 0 || row >= kDateRows || step < 0 || step >= kSteps)
        return false;
    const double az = azimuthByDate[row][step];
    const double alt = altitudeByDate[row][step];
    if (!IsLit(az, alt, prefs.sunAboveHorizon != 0))
        return false;
    Project(az, alt, x, y, true, true);
    return true;
}

void CCadranEquatorial::DrawSpecific(gdi::DC& dc, int ax, int ay)
{
    DrawFootMark(*this, dc, {ax, ay});
}

void CCadranEquatorial::DrawHourLines(gdi::DC& dc, int ax, int ay)
{
    ResetHourLabels(kHourLabelSlots);
    const gdi::Point origin{ax, ay};
    const ExportFrame frame = MakeExportFrame(*this, origin);
    // The face lit in June ends its hour lines on the June solstice circle.
    const bool juneFace = (latitudeRad > 0.0) == (upperFace != 0);
    const int zoneSteps = localSolarTime ? 0 : GetZoneSteps();
    const int noonStep = 144 - 12 * zoneSteps;
    const int first = std::clamp(firstHour, 0, 24) * 12;
    const int last = std::min(std::clamp(lastHour, 0, 24) * 12, kSteps - 2);

    // The lines first, which place the numbers; then, once the numbers are laid out, the
    // lines drawn round them.
    // Each hour line runs from the edge to the solstice circle; its extension from the
    // centre to the circle.
    std::vector<HourStep> steps;
    for (int s = first; s <= last; ++s) {
        const int entry = StepPenEntry(s);
        if (entry == 0)
            continue;
        const bool meanTime = MeanTimeAtStep(s, noonStep);
        HourStep step;
        step.s = s;
        step.entry = entry;
        step.meanTime = meanTime;
        int px = 0;
        int py = 0;
        if (juneFace)
            ProjectTableEntry(5, 4, s, px, py);
        else
            ProjectTableEntry(11, 4, s, px, py);
        double r = 0.0;
        double theta = 0.0;
        CartesianToPolar(px, py, r, theta, true, true);
        if (r > 0.0) {
            Projected inner;
            inner.device = Offset({px, py}, origin);
            Projected outer;
            outer.device = origin;
            ClipRay(drawRect, origin, theta, outer.device);
            if (collectShapes) {
                int ex = 0;
                int ey = 0;
                Project(azimuthByDate[juneFace ? 34 : 70][s], altitudeByDate[juneFace ? 34 : 70][s], ex, ey, false,
                        true);
                inner.exported = Offset({ex, ey}, frame.anchor);
                outer.exported = frame.anchor;
                double lo = 0.0;
                double hi = HUGE_VAL;
                if (LineInterval(frame.rect, frame.anchor.x, frame.anchor.y, ex, ey, lo, hi) && std::isfinite(hi))
                    outer.exported = Clamp({RoundToInt(frame.anchor.x + hi * ex), RoundToInt(frame.anchor.y + hi * ey)},
                                           frame.rect);
            }
            step.from = outer;
            step.to = inner;
            if (!meanTime || prefs.noonMarkWithHourLine)
                step.drawLine = ClipStraight(*this, frame, step.from, step.to, false);
            step.extensionFrom = origin;
            step.extensionTo = inner.device;
            step.extension = prefs.extendHourLines && ClipSegment(drawRect, step.extensionFrom, step.extensionTo);
            if (s % 12 == 0 && r > 0.1) {
                hourLabelPos[static_cast<std::size_t>(s / 12)] = inner.device;
                hourLabelAngle[static_cast<std::size_t>(s / 12)] = theta - std::numbers::pi / 2.0;
            }
        }
        steps.push_back(step);
    }
    DrawHourSteps(dc, ax, ay, steps);
}

#include "model/CCadranAnalemmatique.h"

#include "app/Accessors.h"
#include "app/Formatting.h"
#include "app/GraphicsHelpers.h"
#include "docview/CDrawingTools.h"
#include "model/DialDrawing.h"
#include "model/PlaneDialGeometry.h"
#include "model/PlaneDialNames.h"
#include "model/TrueSunAngles.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

using namespace dialdraw;

namespace {

constexpr int kHourLabelSlots = 25;

int ScreenPixelsPerInchX()
{
    const int dpi = GetAppContext().screenPixelsPerInchX;
    return dpi > 0 ? dpi : 96;
}

// A mark half-size of n screen pixels on dc.
int MarkSize(const gdi::DC& dc, int n, int divisor = 1)
{
    const int dpi = dc.GetDeviceCaps(gdi::LOGPIXELSX);
    return gdi::MulDiv(n, dpi > 0 ? dpi : ScreenPixelsPerInchX(), divisor * ScreenPixelsPerInchX());
}

}  // namespace

HV_IMPLEMENT_SERIAL(CCadranAnalemmatique, CCadran, 1)

CCadranAnalemmatique::CCadranAnalemmatique()
{
    planedial::SetMarkDialDefaults(*this, 20);
}

void CCadranAnalemmatique::Serialize(Archive& ar)
{
    planedial::SerializeWithParent<CCadran>(*this, ar);
    if (ar.IsStoring()) {
        ar << ellipseSize << styleAngle1 << styleAngle2;
    } else {
        double m = 0.0;
        double a1 = 0.0;
        double a2 = 0.0;
        ar >> m >> a1 >> a2;
        if (!std::isfinite(m) || m <= 0.0 || !std::isfinite(a1) || !std::isfinite(a2))
            throw ArchiveException(ArchiveException::Cause::BadClass, "analemmatic dial: bad ellipse or style angles");
        ellipseSize = m;
        styleAngle1 = a1;
        styleAngle2 = a2;
    }
}

void CCadranAnalemmatique::GetTypeName(std::string& text, bool longName, bool upperCase) const
{
    static constexpr planedial::TypeNameIds kNames[] = {{20, 421, 422}, {21, 427, 428}, {22, 429, 430}};
    text = planedial::TypeNameFromTable(kNames, typeCode, longName, upperCase, "????");
}

double CCadranAnalemmatique::WallDeclination() const
{
    // In the south the wall's declination is counted from the north: seen in the northern
    // frame that is the supplementary angle.
    return latitude < 0.0 ? std::numbers::pi - planeAngle1 : planeAngle1;
}

double CCadranAnalemmatique::LeanAzimuth() const
{
    return -styleAngle2;
}

void CCadranAnalemmatique::HourPoint(double t, double e, double& u, double& up) const
{
    const double phi = latitudeRad;
    if (typeCode == 22) {
        const double d = WallDeclination();
        u = e * (std::cos(d) * std::sin(t) - std::sin(d) * std::sin(phi) * std::cos(t));
        up = -(std::cos(t) * std::cos(phi) * e);
    } else {
        const double tanA1 = std::tan(styleAngle1);
        const double lean = LeanAzimuth();
        u = e * (std::sin(t) - std::sin(lean) * tanA1 * std::cos(phi) * std::cos(t));
        const double w = std::cos(phi) * tanA1 * std::cos(lean) - std::sin(phi);
        up = -(std::cos(t) * w * e);
    }
}

void CCadranAnalemmatique::Project(double azimuth, double altitude, int& x, int& y, bool toDevice,
                                   bool inTenths) const
{
    double t = 0.0;
    double declination = 0.0;
    TrueEquatorialOfSun(azimuth, altitude, latitude, t, declination);
    double u = 0.0;
    double up = 0.0;
    HourPoint(t, ellipseSize, u, up);
    if (toDevice) {
        x = RoundToInt(u * scale * pixelsPerMmX);
        y = RoundToInt(-up * scale * pixelsPerMmY);
    } else {
        const double f = inTenths ? 10.0 : 100.0;
        x = RoundToInt(f * u);
        y = RoundToInt(-f * up);
    }
}

bool CCadranAnalemmatique::IsLit(double azimuth, double altitude, bool aboveHorizonOnly) const
{
    if (typeCode != 22)
        return altitude >= 0.005;
    const double d = planeAngle1;
    const double halfPi = std::numbers::pi / 2.0;
    if (!(azimuth > d - halfPi + 0.001 && azimuth < d + halfPi - 0.001))
        return false;
    return !aboveHorizonOnly || altitude > 0.0;
}

void CCadranAnalemmatique::ComputeStyleOffset(double& qx, double& qy) const
{
    const double e = ellipseSize * scale;
    const double phi = latitudeRad;
    if (typeCode == 22) {
        // The foot rises by M sin(latitude) tan(declination) and slides sideways on a
        // declining wall.
        const double d = WallDeclination();
        qx = -e * std::sin(d) * std::cos(phi) * pixelsPerMmX;
        qy = -e * std::sin(phi) * pixelsPerMmY;
    } else {
        const double tanA1 = std::tan(styleAngle1);
        const double lean = LeanAzimuth();
        qx = e * std::sin(lean) * tanA1 * std::sin(phi) * pixelsPerMmX;
        qy = -e * (std::cos(phi) + std::cos(lean) * tanA1 * std::sin(phi)) * pixelsPerMmY;
    }
}

void CCadranAnalemmatique::GetExtraPoint(int& x, int& y, double azimuth, double altitude) const
{
    double qx = 0.0;
    double qy = 0.0;
    ComputeStyleOffset(qx, qy);
    double t = 0.0;
    double declination = 0.0;
    TrueEquatorialOfSun(azimuth, altitude, latitude, t, declination);
    const double k = std::tan(declination);
    x = RoundToInt(k * qx);
    y = RoundToInt(k * qy);
}

bool CCadranAnalemmatique::GetAuxPoint(int& x, int& y) const
{
    x = 0;
    y = 0;
    return false;
}

void CCadranAnalemmatique::DrawHourLabelByBand(gdi::DC& dc, gdi::Point position, int hour,
                                               const std::string& text, bool north)
{
    if (hour < 4 || position.x == 0)
        return;
    const gdi::Size extent = dc.GetTextExtent("X");
    const int cx = extent.cx;
    const int cy = extent.cy;
    unsigned align = gdi::TA_LEFT | gdi::TA_TOP;
    int x = position.x;
    int y = position.y;
    if (hour <= 6) {
        if (north) {
            align = gdi::TA_RIGHT | gdi::TA_TOP;
            x -= 10;
        } else {
            align = gdi::TA_RIGHT | gdi::TA_BOTTOM;
            x -= cx;
            y += cy / 3;
        }
    } else if (hour <= 9) {
        if (north) {
            align = gdi::TA_RIGHT | gdi::TA_BOTTOM;
            y -= 10;
        } else {
            align = gdi::TA_RIGHT | gdi::TA_TOP;
            x -= cx;
        }
    } else if (hour <= 14) {
        if (north) {
            align = gdi::TA_CENTER | gdi::TA_BOTTOM;
            y -= 10;
        } else {
            align = gdi::TA_CENTER | gdi::TA_TOP;
            y += cy / 2;
        }
    } else if (hour <= 17) {
        if (north) {
            align = gdi::TA_LEFT | gdi::TA_BOTTOM;
            x += 10;
        } else {
            align = gdi::TA_LEFT | gdi::TA_TOP;
            x += cx;
        }
    } else {
        if (north) {
            align = gdi::TA_LEFT | gdi::TA_TOP;
            x += 10;
        } else {
            align = gdi::TA_LEFT | gdi::TA_BOTTOM;
            x += cx;
            y += cy / 3;
        }
    }
    const unsigned previous = dc.SetTextAlign(align);
    dc.TextOut(x, y, text);
    dc.SetTextAlign(previous);
}

std::optional<CCadran::NumberPlace> CCadranAnalemmatique::PlaceHourLabel(const gdi::DC& /*dc*/, int /*hour*/,
                                                                         const std::string& /*text*/) const
{
    return std::nullopt;
}

void CCadranAnalemmatique::DrawHourLabel(gdi::DC& dc, int hour, const std::string& text,
                                         std::optional<LabelBox>& /*lastWritten*/)
{
    if (hour < 0 || hour >= static_cast<int>(hourLabelPos.size()))
        return;
    DrawHourLabelByBand(dc, hourLabelPos[static_cast<std::size_t>(hour)], hour, text, latitude > 0.0);
}

bool CCadranAnalemmatique::DrawLongitudeArcs(gdi::DC& /*dc*/, int /*ax*/, int /*ay*/)
{
    return false;
}

bool CCadranAnalemmatique::DrawDeclinationArcs(gdi::DC& /*dc*/, int /*ax*/, int /*ay*/)
{
    return false;
}

void CCadranAnalemmatique::DrawHourLines(gdi::DC& dc, int ax, int ay)
{
    ToolsScope tools(dc);
    ResetHourLabels(kHourLabelSlots);
    const gdi::Point origin{ax, ay};
    const ExportFrame frame = MakeExportFrame(*this, origin);
    const int sizes[4] = {MarkSize(dc, 4), MarkSize(dc, 3), MarkSize(dc, 2), MarkSize(dc, 1, 2)};
    const int exportWidths[4] = {5, 3, 2, 1};

    // Eight hours either side of noon, in five-minute steps.
    for (int n = -96; n <= 96; ++n) {
        const int entry = StepPenEntry(n + 144);
        if (entry == 0)
            continue;
        const double t = n * 15.0 / 12.0 * std::numbers::pi / 180.0;
        double u = 0.0;
        double up = 0.0;
        HourPoint(t, ellipseSize * scale, u, up);
        const gdi::Point p = Offset({RoundToInt(u * pixelsPerMmX), RoundToInt(-up * pixelsPerMmY)}, origin);
        if (!drawRect.Contains(p))
            continue;
        {
            PenScope pen(dc, tools.Tools().EntryPen(entry));
            DrawPolylineCross(dc, p, sizes[entry - 5]);
        }
        if (n % 12 == 0) {
            const auto slot = static_cast<std::size_t>(12 + n / 12);
            hourLabelPos[slot] = p;
            hourLabelAngle[slot] = 0.0;
        }
        if (collectShapes) {
            HourPoint(t, ellipseSize, u, up);
            const gdi::Point e = Offset({RoundToInt(10.0 * u), RoundToInt(10.0 * up)}, frame.anchor);
            AddPointShape(e.x, e.y, exportWidths[entry - 5]);
        }
    }
}

void CCadranAnalemmatique::DrawStyle(gdi::DC& dc, int ax, int ay)
{
    if (!castShadow)
        return;
    const gdi::Point origin{ax, ay};
    gdi::Point foot;
    GetExtraPoint(foot.x, foot.y, shadowAzimuth, shadowAltitude);
    gdi::Point end;
    Project(shadowAzimuth, shadowAltitude, end.x, end.y, true, true);
    DrawStyleShadow(dc, Offset(foot, origin), Offset(end, origin), /*greyBrush=*/true);
}

void CCadranAnalemmatique::DrawSpecific(gdi::DC& dc, int ax, int ay)
{
    ToolsScope tools(dc);
    const gdi::Point origin{ax, ay};
    const ExportFrame frame = MakeExportFrame(*this, origin);
    double qx = 0.0;
    double qy = 0.0;
    ComputeStyleOffset(qx, qy);
    const double kx = scale * pixelsPerMmX;
    const double ky = scale * pixelsPerMmY;
    const int s4 = MarkSize(dc, 4);
    const int s2 = MarkSize(dc, 2);
    const int mode = prefs.diurnalArcMode;
    const bool labels = prefs.diurnalArcLabels != 0;
    constexpr double kDeg = std::numbers::pi / 180.0;

    struct Foot {
        gdi::Point device;
        gdi::Point exported;
    };
    const auto footOf = [&](double declinationRad) {
        const double k = std::tan(declinationRad);
        Foot f;
        f.device = Offset({RoundToInt(k * qx), RoundToInt(k * qy)}, origin);
        if (kx > 0.0 && ky > 0.0)
            f.exported = Offset({RoundToInt(10.0 * k * qx / kx), RoundToInt(-10.0 * k * qy / ky)}, frame.anchor);
        return f;
    };
    const auto tick = [&](const Foot& f, int half, int exportWidth) {
        const gdi::Point points[2] = {{f.device.x - half, f.device.y}, {f.device.x + half, f.device.y}};
        dc.Polyline(points, 2);
        if (collectShapes)
            AddPointShape(f.exported.x, f.exported.y, exportWidth);
    };
    const gdi::Size x = dc.GetTextExtent("X");
    const auto text = [&](gdi::Point at, unsigned align, const std::string& s) {
        AlignScope scope(dc, align);
        dc.TextOut(at.x, at.y, s);
    };

    PenScope pen(dc, tools.Tools().blackPen);
    const gdi::COLORREF oldColor = dc.SetTextColor(gdi::RGB(128, 128, 128));
    const Foot winter = footOf(DeclinationOfLongitude(9, false) * kDeg);
    const Foot summer = footOf(DeclinationOfLongitude(3, false) * kDeg);
    {
        const gdi::Point line[2] = {winter.device, summer.device};
        dc.Polyline(line, 2);
        if (collectShapes)
            AddSegmentShape(winter.exported.x, winter.exported.y, summer.exported.x, summer.exported.y);
    }

    if (mode == 1 || mode == 2 || mode == 3 || mode == 4 || mode == 7 || mode == 8 || (mode >= 12 && mode <= 14)) {
        tick(winter, s4, 5);
        tick(summer, s4, 5);
        if (labels) {
            // Each sign beyond its end of the scale.
            FontScope font(dc, tools.Tools().wingdings12);
            const bool summerAbove = summer.device.y <= winter.device.y;
            text({summer.device.x, summer.device.y + (summerAbove ? -x.cy / 3 : x.cy / 3)},
                 gdi::TA_CENTER | (summerAbove ? gdi::TA_BOTTOM : gdi::TA_TOP), "a");
            text({winter.device.x, winter.device.y + (summerAbove ? x.cy / 3 : -x.cy / 3)},
                 gdi::TA_CENTER | (summerAbove ? gdi::TA_TOP : gdi::TA_BOTTOM), "g");
        }
    }
    if (mode == 3 || mode == 4) {
        // Signs of equal declination share a tick: rising signs on its right, falling on its left.
        struct SignPair {
            int tens;
            const char* rising;
            const char* falling;
        };
        FontScope font(dc, tools.Tools().wingdings12);
        for (const SignPair& pair : {SignPair{0, "^", "d"}, SignPair{30, "h", "f"}, SignPair{33, "i", "e"},
                                     SignPair{3, "_", "c"}, SignPair{6, "`", "b"}}) {
            const Foot f = footOf(DeclinationOfLongitude(pair.tens, true) * kDeg);
            tick(f, s2, 2);
            if (labels) {
                text({f.device.x + s2 + x.cx / 2, f.device.y}, gdi::TA_LEFT | gdi::TA_BOTTOM, pair.rising);
                text({f.device.x - s2 - x.cx / 2, f.device.y}, gdi::TA_RIGHT | gdi::TA_BOTTOM, pair.falling);
            }
        }
    }
    if (mode == 4) {
        for (int k = 0; k < kLongitudeRows; ++k)
            tick(footOf(DeclinationOfLongitude(k, true) * kDeg), s2, 2);
    }
    if (mode > 4 && mode < 9) {
        const int step = mode == 6 || mode == 8 ? 5 : 10;
        FontScope font(dc, tools.Tools().arial9);
        for (int d = -20; d <= 20; d += step) {
            const Foot f = footOf(d * kDeg);
            tick(f, s2, 2);
            if (labels)
                text({f.device.x + s2 + x.cx / 2, f.device.y}, gdi::TA_LEFT | gdi::TA_BASELINE,
                     FormatNumber(d, -1) + "\xC2\xB0");
        }
    }
    if (mode >= 9 && mode <= 11) {
        const int perMonth = mode - 8;
        struct Mark {
            int day;
            int month;
            double declination;
        };
        std::vector<Mark> marks;
        for (int month = 1; month <= 12; ++month)
            for (int j = 0; j < perMonth; ++j) {
                const int day = 1 + 10 * j;
                marks.push_back({day, month, SunDeclination(day, month, referenceYear)});
            }
        FontScope font(dc, tools.Tools().arial9);
        for (std::size_t i = 0; i < marks.size(); ++i) {
            const Mark& mark = marks[i];
            const Foot f = footOf(mark.declination);
            tick(f, s2, 2);
            if (!labels)
                continue;
            const Mark& previous = marks[(i + marks.size() - 1) % marks.size()];
            const std::string label = FormatNumber(mark.day, -1) + "-" + FormatRomanHour(mark.month);
            if (mark.declination >= previous.declination)
                text({f.device.x + s2 + x.cx / 2, f.device.y}, gdi::TA_LEFT | gdi::TA_BASELINE, label);
            else
                text({f.device.x - s2 - x.cx / 2, f.device.y}, gdi::TA_RIGHT | gdi::TA_BASELINE, label);
        }
    }
    dc.SetTextColor(oldColor);
}

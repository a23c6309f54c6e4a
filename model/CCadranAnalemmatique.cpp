#include "model/CCadranAnalemmatique.h"

#include "app/TextHelpers.h"
#include "app/Translation.h"
#include "model/TrueSunAngles.h"

#include <cmath>
#include <numbers>

HV_IMPLEMENT_SERIAL(CCadranAnalemmatique, CCadran, 1)

CCadranAnalemmatique::CCadranAnalemmatique()
{
    typeCode = 20;
    planeAngle1 = 0.0;
    planeAngle2 = 0.0;
    localSolarTime = 1;
    prefs.diurnalArcs = 0;
    SetStyleAnchorPercent(50, 50);
}

void CCadranAnalemmatique::Serialize(Archive& ar)
{
    if (ar.Context().oldFormat) {
        CCadran::Serialize(ar);
    } else {
        if (ar.IsLoading())
            ar.GetObjectSchema();
        ar.SerializeClass(CCadran::ClassInfoOf());
        CCadran::Serialize(ar);
    }
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
    int id = 0;
    switch (typeCode) {
    case 20: id = longName ? 421 : 422; break;
    case 21: id = longName ? 427 : 428; break;
    case 22: id = longName ? 429 : 430; break;
    default: break;
    }
    text = id != 0 ? GetTranslatedString(id) : std::string("????");
    if (upperCase)
        MakeUpperAccents(text);
}

double CCadranAnalemmatique::WallDeclination() const
{
    // In the south the wall's declination is counted from the north: seen in the northern
    // frame that is the supplementary angle.
    return latitude < 0.0 ? std::numbers::pi - planeAngle1 : planeAngle1;
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
        u = e * (std::sin(t) - std::sin(styleAngle2) * tanA1 * std::cos(phi) * std::cos(t));
        const double w = std::cos(phi) * tanA1 * std::cos(styleAngle2) - std::sin(phi);
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
        qx = e * std::sin(styleAngle2) * tanA1 * std::sin(phi) * pixelsPerMmX;
        qy = -e * (std::cos(phi) + std::cos(styleAngle2) * tanA1 * std::sin(phi)) * pixelsPerMmY;
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

#include "model/CCadranBifilaire.h"

#include "model/CCadranAnalemmatique.h"
#include "model/DialDrawing.h"
#include "model/PlaneDialGeometry.h"
#include "model/PlaneDialNames.h"
#include "model/TrueSunAngles.h"

#include <cmath>

using namespace dialdraw;

HV_IMPLEMENT_SERIAL(CCadranBifilaire, CCadran, 1)

CCadranBifilaire::CCadranBifilaire()
{
    planedial::SetMarkDialDefaults(*this, 20);
}

void CCadranBifilaire::Serialize(Archive& ar)
{
    planedial::SerializeWithParent<CCadran>(*this, ar);
    if (ar.IsStoring()) {
        ar << static_cast<std::int32_t>(firstWireDistance) << static_cast<std::int32_t>(secondWireDistance);
    } else {
        std::int32_t d1 = 0;
        std::int32_t d2 = 0;
        ar >> d1 >> d2;
        firstWireDistance = d1;
        secondWireDistance = d2;
    }
}

void CCadranBifilaire::GetTypeName(std::string& text, bool longName, bool upperCase) const
{
    static constexpr planedial::TypeNameIds kNames[] = {{40, 431, 432}, {41, 433, 434}, {42, 435, 436}};
    text = planedial::TypeNameFromTable(kNames, typeCode, longName, upperCase, "????");
}

void CCadranBifilaire::Project(double azimuth, double altitude, int& x, int& y, bool toDevice,
                               bool inTenths) const
{
    x = 0;
    y = 0;
    if (typeCode != 40)
        return;
    // The hemisphere-relative hour angle and declination with |latitude| give the southern
    // dial as the northern one turned half a turn.
    double t = 0.0;
    double declination = 0.0;
    HorizontalToEquatorial(azimuth, altitude, t, declination);
    const double phi = std::fabs(latitudeRad);
    const double d1 = firstWireDistance;
    const double tanDec = std::tan(declination);
    // The sine of the sun's altitude over cos(declination); the forms below keep the equator
    // (east-west wire on the face) free of divisions by zero.
    const double den = std::cos(t) * std::cos(phi) + tanDec * std::sin(phi);
    const double u = std::sin(t) * d1 / den;
    const double w = (std::sin(phi) * std::cos(t) - tanDec * std::cos(phi)) * d1 * std::sin(phi) / den;
    planedial::FacePointToDial(*this, u, w, x, y, toDevice, inTenths);
}

bool CCadranBifilaire::IsLit(double /*azimuth*/, double altitude, bool /*aboveHorizonOnly*/) const
{
    return typeCode == 40 && altitude > 0.005;
}

void CCadranBifilaire::GetExtraPoint(int& /*x*/, int& /*y*/, double /*azimuth*/, double /*altitude*/) const
{
}

bool CCadranBifilaire::GetAuxPoint(int& x, int& y) const
{
    x = 0;
    y = 0;
    return false;
}

void CCadranBifilaire::DrawStyle(gdi::DC& dc, int ax, int ay)
{
    if (!castShadow)
        return;
    const gdi::Point origin{ax, ay};
    gdi::Point end;
    Project(shadowAzimuth, shadowAltitude, end.x, end.y, true, true);
    DrawStyleShadow(dc, origin, Offset(end, origin), /*greyBrush=*/false);
}

std::optional<CCadran::NumberPlace> CCadranBifilaire::PlaceHourLabel(const gdi::DC& /*dc*/, int /*hour*/,
                                                                     const std::string& /*text*/) const
{
    return std::nullopt;
}

void CCadranBifilaire::DrawHourLabel(gdi::DC& dc, int hour, const std::string& text,
                                     std::optional<LabelBox>& /*lastWritten*/)
{
    if (hour < 0 || hour >= static_cast<int>(hourLabelPos.size()))
        return;
    CCadranAnalemmatique::DrawHourLabelByBand(dc, hourLabelPos[static_cast<std::size_t>(hour)], hour, text,
                                              latitude > 0.0);
}

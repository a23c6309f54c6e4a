#include "model/CCadranCylindrique.h"

#include "model/PlaneDialGeometry.h"
#include "model/PlaneDialNames.h"
#include "model/TrueSunAngles.h"

#include <cmath>
#include <numbers>

HV_IMPLEMENT_SERIAL(CCadranCylindrique, CCadran, 1)

namespace {
constexpr double kPi = std::numbers::pi;
}

CCadranCylindrique::CCadranCylindrique()
{
    planedial::SetMarkDialDefaults(*this, 30);
    styleMarkingAllowed = 0;
}

void CCadranCylindrique::Serialize(Archive& ar)
{
    planedial::SerializeWithParent<CCadran>(*this, ar);
    if (ar.IsStoring()) {
        ar << radius;
    } else {
        double d = 0.0;
        ar >> d;
        if (!std::isfinite(d) || d <= 0.0)
            throw ArchiveException(ArchiveException::Cause::BadClass, "cylindrical dial: bad radius");
        radius = d;
    }
}

void CCadranCylindrique::GetTypeName(std::string& text, bool longName, bool upperCase) const
{
    static constexpr planedial::TypeNameIds kNames[] = {
        {30, 1201, 1205}, {31, 1202, 1206}, {32, 1203, 1207}, {33, 1204, 1208}};
    text = planedial::TypeNameFromTable(kNames, typeCode, longName, upperCase, "??");
}

void CCadranCylindrique::ProjectCylinder(double t, double declination, int& x, int& y, bool toDevice,
                                         bool inTenths) const
{
    const double d = radius;
    double u = 0.0;
    double w = 0.0;  // down on the sheet
    if (typeCode == 30) {
        u = t * d;
        w = std::tan(declination) * d;
    } else if (typeCode == 31) {
        // Morning and afternoon shadows are cast by opposite rims; both halves meet at the
        // middle of the sheet.
        u = t <= 0.0001 ? d * kPi / 2.0 + 2.0 * t * d : 2.0 * t * d - d * kPi / 2.0;
        w = -std::tan(declination) * d;
    }
    // w runs down the sheet.
    planedial::FacePointToDial(*this, u, -w, x, y, toDevice, inTenths);
}

void CCadranCylindrique::Project(double azimuth, double altitude, int& x, int& y, bool toDevice,
                                 bool inTenths) const
{
    double t = 0.0;
    double declination = 0.0;
    HorizontalToEquatorial(azimuth, altitude, t, declination);
    ProjectCylinder(t, declination, x, y, toDevice, inTenths);
}

bool CCadranCylindrique::IsLit(double azimuth, double altitude, bool aboveHorizonOnly) const
{
    if (typeCode == 32) {
        const double limit = std::asin(radius / (radius + styleHeight));
        return azimuth > -limit && azimuth < limit && (!aboveHorizonOnly || altitude > 0.0);
    }
    if (typeCode != 30 && typeCode != 31 && typeCode != 33)
        return false;
    if (aboveHorizonOnly && altitude <= 0.0)
        return false;
    if (typeCode == 33)
        return true;
    double t = 0.0;
    double declination = 0.0;
    HorizontalToEquatorial(azimuth, altitude, t, declination);
    return typeCode == 30 ? std::fabs(t) <= kPi / 2.0 : std::fabs(t) <= kPi / 2.0 + 0.0001;
}

std::optional<CCadran::NumberPlace> CCadranCylindrique::PlaceHourLabel(const gdi::DC& dc, int hour,
                                                                       const std::string& text) const
{
    const int further = typeCode == 31 && hour > 12 ? dc.GetTextExtent("X").cy : 0;
    return PlaceAtLineEnd(dc, hour, text, further);
}

void CCadranCylindrique::ComputeSheetSize()
{
    width = SaturatingAdd(RoundToInt(kPi * radius), 40);
    height = SaturatingAdd(RoundToInt(std::tan(0.4363323129985824) * 2.0 * radius), 40);
}

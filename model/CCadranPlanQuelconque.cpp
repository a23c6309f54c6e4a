#include "model/CCadranPlanQuelconque.h"

#include "app/Translation.h"
#include "model/PlaneDialGeometry.h"
#include "model/PlaneDialMarks.h"
#include "model/PlaneDialNames.h"
#include "model/Rounding.h"

#include <cmath>

using namespace planedial;

HV_IMPLEMENT_SERIAL(CCadranPlanQuelconque, CCadran, 1)

namespace {

// Beyond this distance (millimetres at the drawing scale) the centre is off any sheet.
constexpr double kFarCentreMm = 1000.0;
// Below this |c| the style is taken as parallel to the face: for the polar dial's plane c is
// exactly 0 in theory and a rounding residue in practice.
constexpr double kParallelEpsilon = 1e-9;

}  // namespace

CCadranPlanQuelconque::CCadranPlanQuelconque() : CCadranPlanQuelconque(0.0, 0.0)
{
    anchorPercentX = 50;
    anchorPercentY = 75;
}

CCadranPlanQuelconque::CCadranPlanQuelconque(double declination, double inclination)
{
    typeCode = 6;
    planeAngle1 = declination;
    planeAngle2 = inclination;
    styleTruncation = 1;
}

void CCadranPlanQuelconque::GetTypeName(std::string& text, bool longName, bool upperCase) const
{
    if (longName)
        text = GetTranslatedString(406) + " (alpha = " + DeclinationText(planeAngle1) + " / beta = " +
               AngleText(planeAngle2) + ")";
    else
        text = GetTranslatedString(413);
    text = UpperCasedIf(text, upperCase);
}

void CCadranPlanQuelconque::ProjectMm(double azimuth, double altitude, double& u, double& v) const
{
    const double h = styleHeight;
    const double d = planeAngle1;
    const double i = planeAngle2;
    const double tanAlt = std::tan(altitude);
    const double q = std::sin(i) * std::cos(azimuth - d) + std::cos(i) * tanAlt;
    u = HemisphereSign(*this) * h * std::sin(azimuth - d) / q;
    v = h * (std::cos(i) * std::cos(azimuth - d) - std::sin(i) * tanAlt) / q;
}

bool CCadranPlanQuelconque::IsLit(double azimuth, double altitude, bool aboveHorizonOnly) const
{
    // The sun's direction against the face's normal: the denominator of the projection times
    // cos(altitude). Azimuth and declination share the hemisphere's convention, so no mirror
    // is needed here.
    const double d = planeAngle1;
    const double i = planeAngle2;
    const double facing =
        std::sin(i) * std::cos(azimuth - d) * std::cos(altitude) + std::cos(i) * std::sin(altitude);
    if (!(facing > 0.0))
        return false;
    return !aboveHorizonOnly || altitude > 0.0;
}

bool CCadranPlanQuelconque::GetFaceMap(FaceMap& map) const
{
    return IsExactly<CCadranPlanQuelconque>(*this) && PlaneMap(map);
}

bool CCadranPlanQuelconque::PlaneMap(FaceMap& map) const
{
    const double d = planeAngle1;
    const double i = planeAngle2;
    map = FaceMap::OfPlane(std::sin(d), std::cos(d), std::sin(i), std::cos(i), styleHeight, HemisphereSign(*this));
    return true;
}

CCadranPlanQuelconque::CentreTerms CCadranPlanQuelconque::GetCentreTerms() const
{
    const double d = planeAngle1;
    const double i = planeAngle2;
    const double tanPhi = std::tan(AbsLatitudeRad(*this));
    CentreTerms t;
    t.c = std::cos(i) * tanPhi - std::cos(d) * std::sin(i);
    t.numU = std::sin(d);
    t.numV = -(std::cos(d) * std::cos(i) + std::sin(i) * tanPhi);
    return t;
}

bool CCadranPlanQuelconque::StyleParallelToFace() const
{
    return std::fabs(GetCentreTerms().c) < kParallelEpsilon;
}

bool CCadranPlanQuelconque::LabelsAtInnerEnd() const
{
    const CentreTerms t = GetCentreTerms();
    // Parallel to the style: as on the east wall, except on a face turned west, as on the
    // west wall.
    if (std::fabs(t.c) < kParallelEpsilon)
        return !(planeAngle1 > 0.0);
    return t.c > 0.0;
}

bool CCadranPlanQuelconque::HourLabelsAtInnerEnd() const
{
    int x = 0, y = 0;
    if (!StyleParallelToFace() && !GetCentre(x, y, false, false))
        return latitude >= 0.0;
    return LabelsAtInnerEnd();
}

void CCadranPlanQuelconque::CutCentre(const CentreTerms& terms, double length, double& cx, double& cy) const
{
    // Towards the centre; a parallel style is cut on the side the centre leaves to as c
    // goes to +0 (below the foot on the polar dial).
    const double sign = std::fabs(terms.c) < kParallelEpsilon || terms.c > 0.0 ? 1.0 : -1.0;
    const double theta = std::atan2(sign * terms.numV, sign * terms.numU);
    cx = std::cos(theta) * length;
    cy = std::sin(theta) * length;
}

void CCadranPlanQuelconque::GetCentreOffset(int& dx, int& dy) const
{
    const CentreTerms t = GetCentreTerms();
    double cx = 0.0, cy = 0.0;
    if (std::fabs(t.c) < kParallelEpsilon) {
        CutCentre(t, styleLimit, cx, cy);
        dx = RoundToInt(10.0 * cx);
        dy = RoundToInt(10.0 * cy);
    } else {
        dx = RoundToInt(10.0 * styleHeight * t.numU / t.c);
        dy = -RoundToInt(10.0 * styleHeight * -t.numV / t.c);
    }
    // The centre is mirrored in the south like every face point.
    if (latitude < 0.0)
        dx = -dx;
}

double CCadranPlanQuelconque::GetStyleLength(bool& truncate, double& endHeight) const
{
    const CentreTerms t = GetCentreTerms();
    const double h = styleHeight;
    if (std::fabs(t.c) < kParallelEpsilon) {
        truncate = true;
        endHeight = h;
        return styleLimit;
    }
    const double m = -t.numV / t.c;
    const double f = t.numU / t.c;
    const double ratio = std::sqrt(m * m + f * f);
    return CutStyleLength(*this, h * ratio, h - styleLimit / ratio, truncate, endHeight);
}

bool CCadranPlanQuelconque::GetCentre(int& x, int& y, bool truncate, bool inTenths) const
{
    x = 0;
    y = 0;
    const CentreTerms t = GetCentreTerms();
    const double k = scale;
    const double limit = styleLimit * k;
    double cx = 0.0, cy = 0.0;
    if (std::fabs(t.c) < kParallelEpsilon) {
        if (!truncate)
            return false;
        CutCentre(t, limit, cx, cy);
    } else {
        cx = t.numU * styleHeight * k / t.c;
        cy = t.numV * styleHeight * k / t.c;
        const double r = std::hypot(cx, cy);
        if (!truncate && r > kFarCentreMm)
            return false;
        if (r > kFarCentreMm || (truncate && styleTruncation != 0 && r > limit))
            CutCentre(t, limit, cx, cy);
    }
    if (latitude < 0.0)
        cx = -cx;
    CentreToDial(*this, cx, cy, x, y, inTenths);
    return true;
}

double CCadranPlanQuelconque::GetCentreAngle() const
{
    const CentreTerms t = GetCentreTerms();
    double cx = 0.0, cy = 0.0;
    if (std::fabs(t.c) < kParallelEpsilon) {
        CutCentre(t, styleLimit, cx, cy);
    } else {
        cx = t.numU * styleHeight / t.c;
        cy = t.numV * styleHeight / t.c;
    }
    if (latitude < 0.0)
        cx = -cx;
    return SubstyleDirection(cx, cy);
}

void CCadranPlanQuelconque::DrawCentreLine(gdi::DC& dc, int left, int top, int right, int bottom, int ax, int ay)
{
    int cx = 0, cy = 0;
    if (!GetCentre(cx, cy, false, false))
        return;
    int nx = 0, ny = 0;
    Project(0.0, kPi / 4.0, nx, ny, true, true);
    DrawNoonLine(*this, dc, gdi::Rect{left, top, right, bottom}, gdi::Point{ax + cx, ay + cy},
                 gdi::Point{ax + nx, ay + ny});
}

void CCadranPlanQuelconque::DrawSpecific(gdi::DC& dc, int ax, int ay)
{
    DrawStyleFootAndCentre(*this, dc, ax, ay, MarkLayout::Other, /*recordShapes=*/false);
}

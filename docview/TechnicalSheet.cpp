#include "docview/TechnicalSheet.h"

#include "app/Accessors.h"
#include "app/CHoravelApp.h"
#include "app/Formatting.h"
#include "app/GraphicsHelpers.h"
#include "app/TextHelpers.h"
#include "app/Translation.h"
#include "docview/CHoravelDoc.h"
#include "docview/PageLayout.h"
#include "model/Astronomy.h"
#include "model/CCadran.h"
#include "model/CCadranAnalemmatique.h"
#include "model/CCadranCylindrique.h"
#include "model/LocationDatabase.h"
#include "model/Rounding.h"

#include <cmath>
#include <cstdlib>
#include <numbers>
#include <string>

namespace {

constexpr double kRadToDeg = 180.0 / std::numbers::pi;
constexpr const char* kDegreeSign = "\xC2\xB0";

bool IsAnalemmatic(int type) { return type >= 20 && type <= 29; }
bool IsCylindrical(int type) { return type >= 30 && type <= 39; }
constexpr int kShepherdsDial = 33;

// Whole degrees and minutes of an angle, rounded to the minute: a wall stored at 30 degrees
// in radians reads back as 29.999999999999996 and must show 30 degrees, not 29 and 60.
struct DegMin {
    int degrees;  // signed
    int minutes;  // 0..59
};

DegMin ToDegMin(double degrees)
{
    const int total = RoundToInt(std::fabs(degrees) * 60.0);
    const int sign = degrees < 0.0 ? -1 : 1;
    return {sign * (total / 60), total % 60};
}

std::string Number(double x)
{
    return FormatNumber(x, -1);
}

std::string InclinationText(double degrees)
{
    const DegMin i = ToDegMin(degrees);
    if (i.minutes != 0)
        return Number(i.degrees) + "\xC2\xB0 " + Number(i.minutes) + "'";
    std::string text = Number(i.degrees) + kDegreeSign + " ";
    if (i.degrees == 0)
        text += GetTranslatedString(507);
    else if (i.degrees == 90)
        text += GetTranslatedString(508);
    return text;
}

// Which way a vertical wall faces, by its whole degrees of orientation; the sides of the
// equator and of the pole swap in the southern hemisphere.
std::string FacingText(int od, bool north)
{
    if (od == 0)
        return north ? GetTranslatedString(510) : GetTranslatedString(512);
    if (od == 90)
        return GetTranslatedString(511);
    if (od == -90)
        return GetTranslatedString(513);
    if (od == 180 || od == -180)
        return north ? GetTranslatedString(512) : GetTranslatedString(510);
    if (od >= 1 && od <= 89)
        return north ? GetTranslatedString(514) : GetTranslatedString(515);
    if (od >= -89 && od <= -1)
        return north ? GetTranslatedString(516) : GetTranslatedString(517);
    if (od >= 91 && od <= 179)
        return north ? GetTranslatedString(515) : GetTranslatedString(514);
    if (od >= -179 && od <= -91)
        return north ? GetTranslatedString(517) : GetTranslatedString(516);
    return {};
}

std::string OrientationText(const CCadran& dial, bool vertical)
{
    const DegMin o = ToDegMin(dial.planeAngle1 * kRadToDeg);
    if (o.minutes != 0) {
        const std::string side = dial.planeAngle1 > 0.0 ? GetTranslatedString(321) : GetTranslatedString(320);
        return Number(std::abs(o.degrees)) + "\xC2\xB0 " + Number(o.minutes) + "' " + side;
    }
    std::string text = Number(std::abs(o.degrees)) + kDegreeSign + " ";
    if (vertical)
        text += FacingText(o.degrees, dial.latitude >= 0.0);
    return text;
}

// The sub-style's direction from the noon line, in [-90, 90] degrees.
double SubstyleAngle(const CCadran& dial)
{
    double s = dial.GetCentreAngle() * kRadToDeg - 90.0;
    while (s > 90.0)
        s -= 180.0;
    while (s < -90.0)
        s += 180.0;
    return s;
}

}  // namespace

void DrawTechnicalSheet(gdi::DC& dc, const gdi::Rect&)
{
    const CHoravelDoc* doc = GetDocument();
    if (!doc)
        return;
    const gdi::Rect plate = DrawSheetPlate(dc, doc->GetDrawingSizePx());
    if (plate.IsEmpty())
        return;
    const CCadran* dial = doc->GetDial();
    const CDataBaseElement* place = doc->GetLocation();
    if (!dial || !place)
        return;

    const DcAttributesGuard restore(dc);
    const int w = plate.Width();
    const int h = plate.Height();
    const int t = h <= w ? RoundToInt(0.01 * h) : RoundToInt(0.012 * w);
    const int x0 = plate.left + 8 * t;
    const int x1 = x0 + 3 * t;
    const int type = dial->typeCode;

    gdi::LogFont titleFont;
    gdi::LogFont textFont;
    FillLogFont(PageLengthY(dc, 18), titleFont, kFontArial, true, 0.0);
    FillLogFont(PageLengthY(dc, 12), textFont, kFontArial, false, 0.0);

    // The site's corrections are those of the current location.
    SetAstroSite(place->latitude, place->longitude, place->zone);

    LineWriter lines(dc, t, plate.top + 5 * t);
    const int middle = plate.left + w / 2;
    dc.SelectFont(textFont);
    dc.SetTextAlign(gdi::TA_CENTER | gdi::TA_TOP);
    lines.Next(0, middle, GetTranslatedString(501));
    std::string typeName;
    dial->GetTypeName(typeName, true, true);
    dc.SelectFont(titleFont);
    lines.Next(3, middle, typeName);

    dc.SelectFont(textFont);
    dc.SetTextAlign(gdi::TA_LEFT | gdi::TA_TOP);
    lines.Next(8, x0, GetTranslatedString(308) + place->name + ", " + place->country);
    lines.Next(3, x0, GetTranslatedString(306) + FormatLatitude(place));
    lines.Next(3, x0, GetTranslatedString(307) + FormatLongitude(place));
    const std::string zone = place->zone > 0 ? " + " + FormatHours(place->zone, false, true)
                                             : " - " + FormatHours(std::fabs(place->zone), false, true);
    lines.Next(3, x0, GetTranslatedString(502) + "Greenwich" + zone);
    std::string gap = GetTranslatedString(504) + FormatHours(-(GetLongitudeCorrection() + GetZoneSteps()), true, false);
    if (dial->localSolarTime == 0)
        gap += GetTranslatedString(503);
    lines.Next(3, x0, gap);
    lines.Next(3, x0, GetTranslatedString(525) + Number(dial->referenceYear));

    lines.Down(3);
    if (!IsAnalemmatic(type))
        lines.Next(3, x0, GetTranslatedString(505) + Number(dial->styleHeight) + " mm");
    if (!IsAnalemmatic(type) && !IsCylindrical(type)) {
        bool cut = dial->styleTruncation != 0;
        double endHeight = 0.0;
        const double length = dial->GetStyleLength(cut, endHeight);
        std::string text = GetTranslatedString(528) + Number(length) + " mm ";
        if (cut)
            text += GetTranslatedString(529);
        lines.Next(3, x0, text);
    }
    if (IsAnalemmatic(type)) {
        const auto* analemmatic = dynamic_cast<const CCadranAnalemmatique*>(dial);
        if (analemmatic)
            lines.Next(3, x0, GetTranslatedString(531) + Number(analemmatic->ellipseSize) + " mm");
    }
    if (IsCylindrical(type)) {
        const auto* cylinder = dynamic_cast<const CCadranCylindrique*>(dial);
        if (cylinder)
            lines.Next(3, x0, GetTranslatedString(532) + Number(cylinder->radius) + " mm");
    }

    if (type != kShepherdsDial) {
        const DegMin inclination = ToDegMin(dial->planeAngle2 * kRadToDeg);
        lines.Next(3, x0, GetTranslatedString(506) + InclinationText(dial->planeAngle2 * kRadToDeg));
        const bool vertical = inclination.degrees == 90;
        lines.Next(3, x0, GetTranslatedString(509) + OrientationText(*dial, vertical));
    }
    if (!IsAnalemmatic(type) && !IsCylindrical(type))
        lines.Next(3, x0, GetTranslatedString(530) + Number(SubstyleAngle(*dial)) + kDegreeSign);

    lines.Next(6, x0, dial->localSolarTime ? GetTranslatedString(518) : GetTranslatedString(519));
    lines.Next(3, x0, GetTranslatedString(520));
    lines.Next(3, x1, GetTranslatedString(521));
    if (dial->localSolarTime)
        lines.Next(2, x1, GetTranslatedString(522));
    lines.Next(2, x1, GetTranslatedString(523));

    std::string version = FillFormat(GetTranslatedString(524), {CHoravelApp::GetVersionString()});
    if (doc->IsOldFormat())
        version += " " + GetTranslatedString(527);
    lines.Next(6, x0, version);
    lines.Next(2, x0, GetTranslatedString(526));
}

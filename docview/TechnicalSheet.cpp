#include "docview/TechnicalSheet.h"

#include "app/Accessors.h"
#include "app/CHoravelApp.h"
#include "app/Formatting.h"
#include "app/TextHelpers.h"
#include "app/Translation.h"
#include "docview/CHoravelDoc.h"
#include "docview/PageLayout.h"
#include "model/Astronomy.h"
#include "model/CCadran.h"
#include "model/CCadranAnalemmatique.h"
#include "model/CCadranCylindrique.h"
#include "model/LocationDatabase.h"

#include <cmath>
#include <numbers>
#include <string>

namespace {

constexpr double kRadToDeg = 180.0 / std::numbers::pi;
constexpr const char* kDegreeSign = "\xC2\xB0";

bool IsAnalemmatic(int type) { return type >= 20 && type <= 29; }
bool IsCylindrical(int type) { return type >= 30 && type <= 39; }
constexpr int kShepherdsDial = 33;

// An angle in whole degrees and minutes, rounded to the minute with carry: a wall stored at
// 30 degrees in radians reads back as 29.999999999999996 and must show 30 degrees, not 29 and
// 60. The sign is kept apart so that -0.5 degree stays negative.
struct DegMin {
    int degrees = 0;  // of the absolute value
    int minutes = 0;  // 0..59
    bool negative = false;
    int SignedDegrees() const { return negative ? -degrees : degrees; }
};

DegMin ToDegMin(double degrees)
{
    DegMin a;
    DegreesToDegMin(std::fabs(degrees), a.degrees, a.minutes);
    a.negative = degrees < 0.0 && (a.degrees != 0 || a.minutes != 0);
    return a;
}

std::string Number(double x)
{
    return FormatNumber(x, -1);
}

// "-0° 30'", "30° 30'", "30°": the minutes only when there are some; the sign when asked.
std::string DegMinText(const DegMin& a, bool withSign)
{
    std::string text = withSign && a.negative ? "-" : "";
    text += Number(a.degrees) + kDegreeSign;
    if (a.minutes != 0)
        text += " " + Number(a.minutes) + "'";
    return text;
}

std::string InclinationText(double degrees)
{
    const DegMin i = ToDegMin(degrees);
    std::string text = DegMinText(i, true);
    if (i.minutes != 0)
        return text;
    text += " ";
    if (i.SignedDegrees() == 0)
        text += GetTranslatedString(507);
    else if (i.SignedDegrees() == 90)
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

// The side is written whenever the plane turns east or west of the equator's side, except
// on a vertical wall at whole degrees, whose facing text says it.
std::string OrientationText(const CCadran& dial, bool vertical)
{
    const DegMin o = ToDegMin(dial.planeAngle1 * kRadToDeg);
    const std::string side = dial.planeAngle1 > 0.0 ? GetTranslatedString(321) : GetTranslatedString(320);
    std::string text = DegMinText(o, false) + " ";
    if (o.minutes != 0)
        return text + side;
    if (vertical)
        return text + FacingText(o.SignedDegrees(), dial.latitude >= 0.0);
    if (o.degrees % 180 != 0)
        text += side;
    return text;
}

// The sub-style's direction from the vertical of the drawing, in [-90, 90] degrees: from the
// line of steepest slope of the face; on a level face, which has none, from the drawing's Y
// axis, the noon line when the face is turned to or from the equator.
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
    const std::optional<SheetPage> page = OpenSheetPage(dc, doc->GetDrawingSizePx(), 0.012);
    if (!page)
        return;
    const CCadran* dial = doc->GetDial();
    const CDataBaseElement* place = doc->GetLocation();
    if (!dial || !place)
        return;

    const DcAttributesGuard restore(dc);
    const int x0 = page->headingX;
    const int x1 = page->textX;
    const int type = dial->typeCode;

    // The site's corrections are those of the current location.
    SetAstroSite(place->latitude, place->longitude, place->zone);

    LineWriter lines(dc, page->unit, page->top);
    const int middle = page->middleX;
    dc.SelectFont(page->textFont);
    dc.SetTextAlign(gdi::TA_CENTER | gdi::TA_TOP);
    lines.Next(0, middle, GetTranslatedString(501));
    std::string typeName;
    dial->GetTypeName(typeName, true, true);
    dc.SelectFont(page->titleFont);
    lines.Next(3, middle, typeName);

    dc.SelectFont(page->textFont);
    dc.SetTextAlign(gdi::TA_LEFT | gdi::TA_TOP);
    lines.Next(8, x0, GetTranslatedString(308) + place->name + ", " + place->country);
    lines.Next(3, x0, GetTranslatedString(306) + FormatLatitude(place));
    lines.Next(3, x0, GetTranslatedString(307) + FormatLongitude(place));
    lines.Next(3, x0, GetTranslatedString(502) + "Greenwich" + ZoneOffsetText(place->zone));
    std::string gap = GetTranslatedString(504) + FormatHours(GetLongitudeOffset(), true, false);
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

    const DegMin inclination = ToDegMin(dial->planeAngle2 * kRadToDeg);
    if (type != kShepherdsDial) {
        lines.Next(3, x0, GetTranslatedString(506) + InclinationText(dial->planeAngle2 * kRadToDeg));
        const bool vertical = inclination.SignedDegrees() == 90;
        lines.Next(3, x0, GetTranslatedString(509) + OrientationText(*dial, vertical));
    }
    if (!IsAnalemmatic(type) && !IsCylindrical(type)) {
        // A level face has no line of steepest slope: the vertical of its drawing is the noon
        // line when the face is turned to the equator or away from it, else its Y axis.
        const DegMin orientation = ToDegMin(dial->planeAngle1 * kRadToDeg);
        const bool level = inclination.degrees % 180 == 0 && inclination.minutes == 0;
        const bool meridian = orientation.degrees % 180 == 0 && orientation.minutes == 0;
        const int line = !level ? 533 : meridian ? 534 : 535;
        lines.Next(3, x0, GetTranslatedString(530) + Number(SubstyleAngle(*dial)) + kDegreeSign +
                              GetTranslatedString(line));
    }

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

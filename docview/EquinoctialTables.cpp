// The tables for tracing on site: the hour points along the equinoctial line (display mode
// 14) and the points of a mean-time curve (display mode 18).
#include "app/TextHelpers.h"
#include "app/Accessors.h"
#include "app/Formatting.h"
#include "app/Translation.h"
#include "docview/CHoravelDoc.h"
#include "docview/CoordinateTables.h"
#include "docview/TablePage.h"
#include "model/Astronomy.h"
#include "model/CCadran.h"
#include "model/Rounding.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

using namespace tablepage;

namespace {

constexpr double kPi = std::numbers::pi;

// The equinoctial line is the path of the sun at declination 0, the line the dial draws:
// the 21 March row of the by-date tables sits a few tenths of a degree off it.
bool LitOnEquinoctial(const CCadran& dial, int column)
{
    return dial.IsLit(dial.azimuthByLongitude[kEquinoxRow][column], dial.altitudeByLongitude[kEquinoxRow][column],
                      dial.prefs.sunAboveHorizon != 0);
}

void ProjectOnEquinoctial(const CCadran& dial, int column, int& x, int& y)
{
    dial.Project(dial.azimuthByLongitude[kEquinoxRow][column], dial.altitudeByLongitude[kEquinoxRow][column], x, y,
                 false, true);
}

}  // namespace

void DrawEquinoctialTable(gdi::DC& dc, const gdi::Rect&)
{
    CHoravelDoc* doc = GetDocument();
    const CCadran* dial = doc != nullptr ? doc->GetDial() : nullptr;
    if (dial == nullptr)
        return;

    // Hours with a lit step on the equinoctial line.
    const TimeStep step = GetTimeStep(dial->prefs);
    int first = kLastColumn;
    int last = 0;
    for (int i = 0; i < 24; ++i) {
        for (int s = 0; s < step.perHour; ++s) {
            if (LitOnEquinoctial(*dial, 12 * i + s * step.stride)) {
                first = std::min(first, i);
                last = std::max(last, i);
            }
        }
    }

    const PageGeometry geometry(dc, *doc);
    const int a = geometry.ScaleY(20);
    RequestPages(1);

    const int g = LabelZoneSteps(*dial);
    // The noon point O of the equinoctial line; a zone step that takes noon off the day
    // leaves it unknown, as an unlit noon does.
    int ox = kNoPoint;
    int oy = kNoPoint;
    const int noon = 144 - 12 * g;
    if (noon >= 0 && noon <= kLastColumn && LitOnEquinoctial(*dial, noon))
        ProjectOnEquinoctial(*dial, noon, ox, oy);
    const bool haveO = !(ox == kNoPoint && oy == kNoPoint);
    int bx = 0;
    int by = 0;
    dial->GetCentreOffset(bx, by);

    TableCanvas tools(dc, geometry);
    const auto [L, T, R, B] = tools.OpenPage(0);
    tools.Box(L, T, R, T + 5 * a);
    tools.HLine(L, R, T + 4 * a);
    tools.TitleFont();
    tools.Text((L + R) / 2, T + a, GetTranslatedString(655));

    tools.SmallFont();
    tools.Text((L + R) / 2, T + 2 * a, GetTranslatedString(687) + FormatNumber(EquinoctialAngleDeg(*dial), -1) + "°");

    std::string distance = GetTranslatedString(688);
    if (!haveO) {
        distance += "---";
    } else {
        distance += FormatNumber(std::hypot(ox - bx, oy - by) / 10.0, -1) + " mm";
        // The 12 h line runs from B through O: its angle to the noon line through B,
        // positive when O lies right of B.
        if (ox != bx && oy != by) {
            const double tilt = std::atan(static_cast<double>(ox - bx) / std::abs(oy - by)) * 180.0 / kPi;
            distance += " ( " + GetTranslatedString(690) + FormatNumber(tilt, -1) + "°)";
        }
    }
    tools.Text((L + R) / 2, T + 3 * a - a / 3, distance);
    tools.Text((L + R) / 2, T + 4 * a - 2 * a / 3, GetTranslatedString(689));

    tools.TitleFont();
    // Thirteen columns must fit between L and R: rounding the unit up would push the twelve
    // lines right by up to 13 pixels and squeeze the last column against the page edge.
    const int S = (R - L) / 13;
    const int titleY = T + 4 * a + 3 * a / 4;
    tools.Text(L + S / 2, titleY, GetTranslatedString(657));
    for (int k = 0; k < 12; ++k) {
        tools.Text(L + (k + 1) * S + S / 2, titleY, FormatNumber(5 * k, -1));
        tools.VLine(L + (k + 1) * S, T + 4 * a, B);
    }

    for (int r = 0; first + r <= last; ++r) {
        const int h = g + first + r;
        const int y = T + (6 + r) * a;
        tools.TitleFont();
        tools.Text(L + S / 2, y, FormatNumber(h, -1) + "h");
        tools.SmallFont();
        for (int k = 0; k < 12; ++k) {
            const int column = 12 * (first + r) + k;
            std::string cell = "--";
            if (haveO && LitOnEquinoctial(*dial, column)) {
                int px = 0;
                int py = 0;
                ProjectOnEquinoctial(*dial, column, px, py);
                double d = std::hypot(px - ox, py - oy);
                if (h < 12)
                    d = -d;
                cell = FormatNumber(d / 10.0, -1);
            }
            tools.Text(L + (k + 1) * S + S / 2, y, cell);
        }
    }
}

void DrawNoonMarkTable(gdi::DC& dc, const gdi::Rect&)
{
    CHoravelDoc* doc = GetDocument();
    const CCadran* dial = doc != nullptr ? doc->GetDial() : nullptr;
    if (dial == nullptr)
        return;

    TableFile file(paths::kNoonMarkTableFile);
    const PageGeometry geometry(dc, *doc);
    const int a = geometry.ScaleY(25);
    RequestPages(1);

    TableCanvas tools(dc, geometry);
    const auto [L, T, R, B] = tools.OpenPage(0);
    tools.HLine(L, R, T);
    tools.HLine(L, R, T + 3 * a);
    tools.HLine(L, R, T + 4 * a);

    tools.TitleFont();
    tools.Text((L + R) / 2, T + a, GetTranslatedString(699));
    const double curveHour = dial->noonCurveHour;
    const double wholeHours = std::trunc(curveHour);
    const int minutes = RoundToInt((curveHour - wholeHours) * 60.0);
    tools.Text((L + R) / 2, T + 2 * a,
               FillFormat(GetTranslatedString(61935), {FormatNumber(wholeHours, -1), FormatNumber(minutes, -1)}));
    if (dial->prefs.noonMarkType == 1) {
        tools.SmallFont();
        tools.Text((L + R) / 2, T + 2 * a + a / 2, GetTranslatedString(739));
    }

    // Day numbers and month names take the font selected last.
    const int u = (R - L) / 8;
    constexpr int kDays[] = {1, 6, 11, 16, 21, 26};
    for (int k = 0; k < 6; ++k) {
        tools.VLine(L + (2 + k) * u, T + 3 * a, B);
        tools.Text(L + (2 + k) * u + (R - L) / 16, T + 4 * a - a / 3, FormatNumber(kDays[k], -1));
    }
    dc.SetTextAlign(gdi::TA_RIGHT | gdi::TA_BASELINE);
    for (int month = 1; month <= 12; ++month)
        tools.Text(L + 2 * u - u / 5, T + 5 * a + 2 * a * (month - 1), GetMonthName(month));
    dc.SetTextAlign(gdi::TA_CENTER | gdi::TA_BASELINE);
    tools.SmallFont();

    // The curve's hour is read as the other labels of the dial are, zone steps included: the
    // sun tables' hours are that many hours behind.
    const int zoneSteps = LabelZoneSteps(*dial);
    const double correction = dial->localSolarTime == 0 ? GetLongitudeCorrection() : 0.0;
    for (int month = 1; month <= 12; ++month) {
        for (int k = 0; k < 6; ++k) {
            const int day = kDays[k];
            const double declination = SunDeclination(day, month, GetAstroYear());
            const double eot = EquationOfTime(day, month);
            const double hourAngle = ((curveHour - zoneSteps - 12.0) - (eot / 3600.0 + correction)) * kPi / 12.0;
            double azimuth = 0.0;
            double altitude = 0.0;
            EquatorialToHorizontal(hourAngle, declination, azimuth, altitude);
            int x = 0;
            int y = 0;
            dial->Project(azimuth, altitude, x, y, false, true);

            std::string xText = "---";
            std::string yText = "---";
            if (dial->IsLit(azimuth, altitude, dial->prefs.sunAboveHorizon != 0)) {
                xText = FormatNumber(x / 10.0, -1);
                yText = FormatNumber(y / 10.0, -1);
            }
            const int cellX = L + 2 * u + (R - L) / 16 + k * u;
            const int cellY = T + 5 * a + 2 * a * (month - 1);
            tools.Text(cellX, cellY, "x = " + xText + " mm");
            tools.Text(cellX, cellY + 4 * a / 5, "y = " + yText + " mm");
            file.Row(FormatNumber(day, -1) + TabFields({FormatNumber(month, -1), xText, yText}));
        }
    }
    file.Commit();
}

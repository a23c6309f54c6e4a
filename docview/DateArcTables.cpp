// The tables of display mode 9: the date arcs of a dial with hour lines, and the positions of
// the movable style of an analemmatic dial.
#include "app/TextHelpers.h"
#include "app/Accessors.h"
#include "app/Formatting.h"
#include "app/GraphicsHelpers.h"
#include "app/Translation.h"
#include "docview/CHoravelDoc.h"
#include "docview/CoordinateTables.h"
#include "docview/TablePage.h"
#include "model/Astronomy.h"
#include "model/CCadran.h"
#include "model/CCadranAnalemmatique.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

using namespace tablepage;

namespace {

constexpr double kPi = std::numbers::pi;
constexpr int kSlotsPerPage = 3;

// Rows k of the by-longitude tables (ecliptic longitude 10k degrees) listed, in page order.
std::vector<int> ArcRows(int diurnalArcMode)
{
    if (diurnalArcMode == 4)
        return {27, 0, 9, 28, 29, 30, 31, 32, 33, 34, 35, 1, 2, 3, 4, 5, 6, 7, 8};
    return {27, 0, 9, 30, 33, 3, 6};
}

// The Latin name of the sign that starts at longitude 10k, with the season it opens;
// empty between the starts of signs.
std::string ArcName(int k)
{
    if (k % 3 != 0)
        return {};
    const int s = k / 3;
    std::string name = GetTranslatedString(s <= 9 ? 803 + s : 791 + s);
    if (s == 0 || s == 6)
        name += " ( " + GetTranslatedString(658) + " )";
    else if (s == 3)
        name += " ( " + GetTranslatedString(659) + " )";
    else if (s == 9)
        name += " ( " + GetTranslatedString(660) + " )";
    return name;
}

bool LitAt(const CCadran& dial, int row, int column)
{
    return dial.IsLit(dial.azimuthByLongitude[row][column], dial.altitudeByLongitude[row][column], true);
}

// Half hours of the day listed: from the first lit one (8 h at the latest) to the last lit
// one, on the solstices or the equinox (not on equatorial faces, which it only grazes).
struct HalfHourRange {
    int first = 96;
    int rows = 0;
};

HalfHourRange LitHalfHours(const CCadran& dial)
{
    HalfHourRange range;
    int last = 0;
    const bool equinox = !IsEquatorial(dial);
    for (int j = 0; j < kLastColumn; j += 6) {
        if (LitAt(dial, kSummerRow, j) || (equinox && LitAt(dial, kEquinoxRow, j)) || LitAt(dial, kWinterRow, j)) {
            range.first = std::min(range.first, j);
            last = std::max(last, j);
        }
    }
    // The last lit half hour is a row too.
    range.rows = (last - range.first) / 6 + 1;
    return range;
}

// x, y from A and radius, angle from B of one arc at one column; "---" in all four when the
// sun does not light the dial there or the point lies too far.
struct ArcCells {
    std::string x = "---";
    std::string y = "---";
    std::string radius = "---";
    std::string angle = "---";
};

ArcCells ComputeArcCells(const CCadran& dial, int k, int column, int cx, int cy)
{
    ArcCells cells;
    if (!LitAt(dial, k, column))
        return cells;
    int x = 0;
    int y = 0;
    dial.Project(dial.azimuthByLongitude[k][column], dial.altitudeByLongitude[k][column], x, y, false, true);
    if (IsFar(x, y))
        return cells;
    double radius = 0.0;
    double angle = 0.0;
    CartesianToPolar(x - cx, y - cy, radius, angle, false, false);
    cells.x = FormatNumber(x / 10.0, 1);
    cells.y = FormatNumber(y / 10.0, 1);
    cells.radius = FormatNumber(radius / 10.0, 1);
    cells.angle = FormatNumber(std::trunc(angle * 1800.0 / kPi) / 10.0, 1);
    return cells;
}

}  // namespace

void DrawDateArcTable(gdi::DC& dc, const gdi::Rect&)
{
    CHoravelDoc* doc = GetDocument();
    const CCadran* dial = doc != nullptr ? doc->GetDial() : nullptr;
    if (dial == nullptr)
        return;

    const std::vector<int> arcs = ArcRows(dial->prefs.diurnalArcMode);
    const int arcCount = static_cast<int>(arcs.size());
    const int pages = (arcCount + kSlotsPerPage - 1) / kSlotsPerPage;
    const HalfHourRange range = LitHalfHours(*dial);
    const PageGeometry geometry(dc, *doc);
    const int a = geometry.ScaleY(18);
    RequestPages(pages, true);

    const int zoneSteps = LabelZoneSteps(*dial);
    int cx = 0;
    int cy = 0;
    dial->GetCentreOffset(cx, cy);
    const std::string title = GetTranslatedString(652);
    const std::string subtitle = GetTranslatedString(663) + " - " + GetTranslatedString(665);
    const std::string hour = GetTranslatedString(657);
    const std::string radius = GetTranslatedString(662);
    const std::string angle = GetTranslatedString(661);
    const std::string arcFormat = GetTranslatedString(166);
    const std::string columnLine = hour + "\tx (mm)\ty (mm)\t" + radius + " (mm)\t" + angle + " (°)";

    TableFile file(paths::kDateArcTableFile);
    TableCanvas tools(dc, geometry);
    for (int p = 0; p < pages; ++p) {
        const gdi::Rect page = tools.OpenPage(p);
        const auto [L, T, R, B] = page;
        const int u = (R - L) / 13;
        // x of a column given in half units of u.
        const auto at = [&](int halves) { return L + halves * u / 2; };
        const int labelX = L + (R - L) / 26;

        tools.Heading(page, a, 7, title, subtitle);
        tools.Text(labelX, T + 6 * a + 3 * a / 4, hour);

        const int slotsHere = std::min(kSlotsPerPage, arcCount - p * kSlotsPerPage);
        for (int i = 0; i < kSlotsPerPage; ++i) {
            tools.VLine(L + (4 * i + 1) * u, T + 3 * a, B);
            if (i >= slotsHere)
                continue;
            const int k = arcs[static_cast<size_t>(p * kSlotsPerPage + i)];
            const std::string name = ArcName(k);
            const std::string arcLine =
                FillFormat(arcFormat, {FormatNumber(10.0 * k, -1), FormatNumber(DeclinationOfLongitude(k, true), -1)});
            if (!name.empty()) {
                tools.TitleFont();
                tools.Text(L + (4 * i + 3) * u, T + 4 * a + 3 * a / 4, name);
            }
            tools.SmallFont();
            tools.Text(L + (4 * i + 3) * u, T + 5 * a + 3 * a / 4, arcLine);
            const int columnY = T + 6 * a + 3 * a / 4;
            tools.Text(at(8 * i + 3), columnY, "x (mm)");
            tools.Text(at(8 * i + 5), columnY, "y (mm)");
            tools.Text(at(8 * i + 7), columnY, radius);
            tools.Text(at(8 * i + 9), columnY, angle);
            for (int s = 2; s <= 4; ++s)
                tools.VLine(L + (4 * i + s) * u, T + 7 * a, B);

            file.Heading(name);
            file.Heading(arcLine);
            file.Heading(columnLine);
            for (int r = 0; r < range.rows; ++r) {
                const int column = range.first + 6 * r;
                const std::string label = TimeLabel(column, zoneSteps);
                const ArcCells cells = ComputeArcCells(*dial, k, column, cx, cy);
                const int y = T + (r + 8) * a;
                if (i == 0)
                    tools.Text(labelX, y, label);
                tools.Text(at(8 * i + 3), y, WithUnit(cells.x, " mm"));
                tools.Text(at(8 * i + 5), y, WithUnit(cells.y, " mm"));
                tools.Text(at(8 * i + 7), y, WithUnit(cells.radius, " mm"));
                tools.Text(at(8 * i + 9), y, WithUnit(cells.angle, "°"));
                file.Row(label + TabFields({cells.x, cells.y, cells.radius, cells.angle}));
            }
        }
    }
    file.Commit();
}

void DrawMobileStyleTable(gdi::DC& dc, const gdi::Rect&)
{
    CHoravelDoc* doc = GetDocument();
    const auto* dial = dynamic_cast<const CCadranAnalemmatique*>(doc != nullptr ? doc->GetDial() : nullptr);
    if (dial == nullptr)
        return;

    const PageGeometry geometry(dc, *doc);
    TableCanvas tools(dc, geometry);
    const auto [L, T, R, B] = tools.OpenPage(0);
    // 44 rows must fit the page.
    const int a = std::min(geometry.ScaleY(20), (B - T) / 44);
    const int m = (R - L) / 15;

    double fx = 0.0;
    double fy = 0.0;
    dial->ComputeStyleOffset(fx, fy);
    // Style position in millimetres for a declination in radians.
    const auto styleX = [&](double d) { return std::tan(d) * fx / dial->pixelsPerMmX; };
    const auto styleY = [&](double d) { return std::tan(d) * fy / dial->pixelsPerMmY; };

    const gdi::Point upper[] = {{L, T}, {R, T}, {R, T + 6 * a}, {L + 7 * m, T + 6 * a}};
    dc.Polyline(upper, 4);
    const gdi::Point lower[] = {{L + 6 * m, T + 6 * a}, {L, T + 6 * a}, {L, T}};
    dc.Polyline(lower, 3);
    tools.HLine(L, L + 6 * m, T + 4 * a);
    tools.HLine(L + 7 * m, R, T + 4 * a);

    tools.TitleFont();
    tools.Text((L + R) / 2, T + a, GetTranslatedString(217));
    tools.SmallFont();
    tools.Text((L + R) / 2, T + 2 * a, GetTranslatedString(663));
    tools.Text((L + R) / 2, T + 3 * a, GetTranslatedString(687) + FormatNumber(EquinoctialAngleDeg(*dial), -1) + "°");

    tools.TitleFont();
    const int titleY = T + 4 * a + 3 * a / 4;
    const std::string declination = GetTranslatedString(219);
    const std::string position = GetTranslatedString(220);
    tools.Text(L + m, titleY, declination);
    tools.Text(L + 4 * m, titleY, position);
    tools.Text(L + 8 * m, titleY, GetTranslatedString(218));
    tools.Text(L + 10 * m, titleY, declination);
    tools.Text(L + 13 * m, titleY, position);
    const int xyY = T + 5 * a + 3 * a / 4;
    tools.Text(L + 3 * m, xyY, "x");
    tools.Text(L + 12 * m, xyY, "x");
    tools.Text(L + 5 * m, xyY, "y");
    tools.Text(L + 14 * m, xyY, "y");
    for (int k : {2, 6, 7, 9, 11, 15})
        tools.VLine(L + k * m, T + 4 * a, B);
    for (int k : {4, 13})
        tools.VLine(L + k * m, T + 6 * a, B);

    // Both blocks also go to "tdp.tmp" for the table export, one after the other, each
    // under its column line.
    TableFile file(paths::kMobileStyleTableFile);
    file.Heading(GetTranslatedString(217));
    file.Heading(declination + " (°)\tx (mm)\ty (mm)");

    tools.SmallFont();
    const int firstRowY = T + 6 * a + 3 * a / 4;
    for (int k = 9; k <= 27; ++k) {
        const double degrees = DeclinationOfLongitude(k, true);
        const double d = degrees * kPi / 180.0;
        const int y = firstRowY + (k - 9) * a;
        const std::string xText = FormatNumber(styleX(d), -1);
        const std::string yText = FormatNumber(styleY(d), -1);
        tools.Text(L + m, y, FormatNumber(degrees, -1) + " °");
        tools.Text(L + 3 * m, y, xText + " mm");
        tools.Text(L + 5 * m, y, yText + " mm");
        file.Row(FormatNumber(degrees, -1) + TabFields({xText, yText}));
    }
    file.Heading(GetTranslatedString(218) + "\t" + declination + " (°)\tx (mm)\ty (mm)");
    constexpr int kDays[] = {1, 11, 21};
    for (int month = 1; month <= 12; ++month) {
        for (int i = 0; i < 3; ++i) {
            const int day = kDays[i];
            const double d = dial->declination[static_cast<size_t>((month - 1) * 6 + (day - 1) / 5)];
            const int y = firstRowY + (3 * (month - 1) + i) * a;
            const std::string date = FormatNumber(day, -1) + "-" + GetMonthName(month);
            const std::string degrees = FormatNumber(d * 180.0 / kPi, -1);
            const std::string xText = FormatNumber(styleX(d), -1);
            const std::string yText = FormatNumber(styleY(d), -1);
            tools.Text(L + 8 * m, y, date);
            tools.Text(L + 10 * m, y, degrees + "°");
            tools.Text(L + 12 * m, y, xText + " mm");
            tools.Text(L + 14 * m, y, yText + " mm");
            file.Row(date + TabFields({degrees, xText, yText}));
        }
    }
    file.Commit();
}

void DrawDateCoordinatePage(gdi::DC& dc, const gdi::Rect& rect)
{
    const CCadran* dial = GetDial();
    if (dial == nullptr || dial->HasHourPoints())
        DrawMobileStyleTable(dc, rect);
    else
        DrawDateArcTable(dc, rect);
}

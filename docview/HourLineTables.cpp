// The tables of display mode 8: hour lines (x, y at the solstices and the equinox, angle at
// the centre B) and hour points (x, y and polar form at the June solstice).
#include "app/Accessors.h"
#include "app/Formatting.h"
#include "app/GraphicsHelpers.h"
#include "app/Translation.h"
#include "docview/CHoravelDoc.h"
#include "docview/CoordinateTables.h"
#include "docview/TablePage.h"
#include "model/CCadran.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <numbers>
#include <string>

using namespace tablepage;

namespace {

constexpr double kPi = std::numbers::pi;

// The rows of the by-longitude tables, in column order: June solstice, equinox, December
// solstice.
constexpr std::array<int, 3> kDateRows = {kSummerRow, kEquinoxRow, kWinterRow};

struct ColumnRange {
    int first = kLastColumn;
    int last = 0;
};

bool LitAt(const CCadran& dial, int row, int column)
{
    return dial.IsLit(dial.azimuthByLongitude[row][column], dial.altitudeByLongitude[row][column], true);
}

// The steps of the day at which the sun lights the dial on one of the three dates (the
// equinox left out on equatorial faces, which it only grazes).
ColumnRange LitRange(const CCadran& dial, const TimeStep& step)
{
    ColumnRange range;
    const bool equinox = !IsEquatorial(dial);
    for (int h = 0; h < 24; ++h) {
        for (int s = 0; s < step.perHour; ++s) {
            const int j = 12 * h + s * step.stride;
            if (LitAt(dial, kSummerRow, j) || (equinox && LitAt(dial, kEquinoxRow, j)) || LitAt(dial, kWinterRow, j)) {
                range.first = std::min(range.first, j);
                range.last = std::max(range.last, j);
            }
        }
    }
    return range;
}

// Tenths of a degree, truncated, of an angle in radians, as degrees.
double TruncatedDegrees(double radians)
{
    return std::trunc(radians * 1800.0 / kPi) / 10.0;
}

// One row of the hour-line table; the cells hold numbers without units, or "---".
struct HourLineRow {
    std::string label;
    std::array<std::string, 6> xy;  // x, y of each date in kDateRows order
    std::string angle;
};

HourLineRow ComputeHourLineRow(const CCadran& dial, int column, int zoneSteps)
{
    HourLineRow row;
    row.label = TimeLabel(column, zoneSteps);
    // The angle is taken at the last point projected in the row, whichever date it was.
    int x = kNoPoint;
    int y = kNoPoint;
    for (size_t d = 0; d < kDateRows.size(); ++d) {
        const int k = kDateRows[d];
        row.xy[2 * d] = row.xy[2 * d + 1] = "---";
        if (k == kEquinoxRow && IsEquatorial(dial))
            continue;
        if (!LitAt(dial, k, column))
            continue;
        dial.Project(dial.azimuthByLongitude[k][column], dial.altitudeByLongitude[k][column], x, y, false, true);
        if (!IsFar(x, y)) {
            row.xy[2 * d] = FormatNumber(x / 10.0, 1);
            row.xy[2 * d + 1] = FormatNumber(y / 10.0, 1);
        }
    }
    row.angle = "---";
    // Polar dials have parallel hour lines: there is no angle to give.
    if (dial.typeCode == 11 || (x == kNoPoint && y == kNoPoint))
        return row;
    int cx = 0;
    int cy = 0;
    dial.GetCentreOffset(cx, cy);
    if (IsEquatorial(dial) || cx != 0 || cy != 0) {
        double radius = 0.0;
        double angle = 0.0;
        CartesianToPolar(x - cx, y - cy, radius, angle, false, false);
        row.angle = FormatNumber(TruncatedDegrees(angle), 1);
    }
    return row;
}

// One row of the hour-point table: the point at the June solstice; polar is false when the
// polar cells are left out (no point projected, or a polar dial).
struct HourPointRow {
    std::string label;
    std::string x = "---";
    std::string y = "---";
    bool polar = false;
    std::string radius;
    std::string angle;
};

HourPointRow ComputeHourPointRow(const CCadran& dial, int column, int zoneSteps)
{
    HourPointRow row;
    row.label = TimeLabel(column, zoneSteps);
    int x = kNoPoint;
    int y = kNoPoint;
    if (LitAt(dial, kSummerRow, column)) {
        dial.Project(dial.azimuthByLongitude[kSummerRow][column], dial.altitudeByLongitude[kSummerRow][column], x, y,
                     false, true);
        if (!IsFar(x, y)) {
            row.x = FormatNumber(x / 10.0, -1);
            row.y = FormatNumber(y / 10.0, -1);
        }
    }
    if (dial.typeCode == 11 || (x == kNoPoint && y == kNoPoint))
        return row;
    double radius = 0.0;
    double angle = 0.0;
    CartesianToPolar(x, y, radius, angle, false, false);
    row.polar = true;
    row.radius = FormatNumber(std::trunc(radius * 10.0) / 100.0, -1);
    row.angle = FormatNumber(std::trunc(angle * 180.0 / kPi * 10.0) / 10.0, -1);
    return row;
}

// Where a page of a mode-8 table writes: a is the row pitch, c a tenth of the page's width.
struct HourTablePage {
    gdi::Rect rect;
    int a = 0;
    int c = 0;
    // x of a column given in half units of c.
    int At(int halves) const { return rect.left + halves * c / 2; }
    int GroupY() const { return rect.top + 3 * a + 3 * a / 4; }
    int ColumnY() const { return rect.top + 4 * a + 3 * a / 4; }
};

// What the two mode-8 tables write below the title of each page: their column headings, on
// the page and in the text file, and then one row for each lit five-minute column at y.
using HourTableHeadings = std::function<void(TableCanvas& tools, TableFile& file, const HourTablePage& page)>;
using HourTableRow =
    std::function<void(TableCanvas& tools, TableFile& file, const HourTablePage& page, int column, int y)>;

// Both mode-8 tables: the scan of the day, the paging, the heading frame of each page and
// the table file.
void DrawHourTable(gdi::DC& dc, const CHoravelDoc& doc, const CCadran& dial, const std::string& fileName,
                   const std::string& title, const HourTableHeadings& headings, const HourTableRow& row)
{
    const TimeStep step = GetTimeStep(dial.prefs);
    const ColumnRange range = LitRange(dial, step);
    const int rows = (range.last - range.first) / step.stride + 1;
    const PageGeometry geometry(dc, doc);
    const int a = geometry.ScaleY(20);
    const int pages = geometry.PageCount(rows, a);
    RequestPages(pages);

    TableFile file(fileName);
    TableCanvas tools(dc, geometry);
    int next = 0;
    for (int p = 0; p < pages; ++p) {
        const gdi::Rect rect = tools.OpenPage(p);
        const HourTablePage page{rect, a, rect.Width() / 10};
        tools.Heading(rect, a, 5, title, GetTranslatedString(663));
        file.Heading(title);
        headings(tools, file, page);

        const int perPage = geometry.RowsOnPage(p, a);
        for (int r = 0; r < perPage && next < rows; ++r, ++next)
            row(tools, file, page, range.first + next * step.stride, rect.top + (r + 6) * a);
    }
    file.Commit();
}

}  // namespace

void DrawHourLineTable(gdi::DC& dc, const gdi::Rect&)
{
    CHoravelDoc* doc = GetDocument();
    const CCadran* dial = doc != nullptr ? doc->GetDial() : nullptr;
    if (dial == nullptr)
        return;

    const int zoneSteps = LabelZoneSteps(*dial);
    const std::string summer = GetTranslatedString(659);
    const std::string equinox = GetTranslatedString(658);
    const std::string winter = GetTranslatedString(660);
    const std::string angle = GetTranslatedString(661);
    const std::string hour = GetTranslatedString(657);
    const auto headings = [&](TableCanvas& tools, TableFile& file, const HourTablePage& page) {
        tools.TitleFont();
        tools.Text(page.At(6), page.GroupY(), summer);
        tools.Text(page.At(10), page.GroupY(), equinox);
        tools.Text(page.At(14), page.GroupY(), winter);
        tools.Text(page.At(18), page.GroupY(), angle);
        tools.Text(page.At(2), page.ColumnY(), hour);
        for (int d = 0; d < 3; ++d) {
            tools.Text(page.At(5 + 4 * d), page.ColumnY(), "x");
            tools.Text(page.At(7 + 4 * d), page.ColumnY(), "y");
        }
        tools.SmallFont();
        tools.Text(page.At(18), page.ColumnY(), GetTranslatedString(664));
        const gdi::Rect& r = page.rect;
        for (int k = 2; k <= 8; k += 2)
            tools.VLine(r.left + k * page.c, r.top + 3 * page.a, r.bottom);
        for (int k = 3; k <= 7; k += 2)
            tools.VLine(r.left + k * page.c, r.top + 5 * page.a, r.bottom);

        file.Heading(TabFields({summer, "", equinox, "", winter, "", angle}));
        file.Heading(hour + "\tx (mm)\ty (mm)\tx (mm)\ty (mm)\tx (mm)\ty (mm)\t(°)");
    };
    const auto row = [&](TableCanvas& tools, TableFile& file, const HourTablePage& page, int column, int y) {
        const HourLineRow cells = ComputeHourLineRow(*dial, column, zoneSteps);
        tools.Text(page.At(2), y, cells.label);
        for (int i = 0; i < 6; ++i)
            tools.Text(page.At(5 + 2 * i), y, WithUnit(cells.xy[static_cast<size_t>(i)], " mm"));
        tools.Text(page.At(18), y, WithUnit(cells.angle, "°"));
        file.Row(cells.label + TabFields({cells.xy[0], cells.xy[1], cells.xy[2], cells.xy[3], cells.xy[4],
                                          cells.xy[5], cells.angle}));
    };
    DrawHourTable(dc, *doc, *dial, paths::kHourLineTableFile, GetTranslatedString(651), headings, row);
}

void DrawHourPointTable(gdi::DC& dc, const gdi::Rect&)
{
    CHoravelDoc* doc = GetDocument();
    const CCadran* dial = doc != nullptr ? doc->GetDial() : nullptr;
    if (dial == nullptr)
        return;

    const int zoneSteps = LabelZoneSteps(*dial);
    const std::string hour = GetTranslatedString(657);
    const std::string cartesian = GetTranslatedString(693);
    const std::string polar = GetTranslatedString(694);
    const std::string radius = GetTranslatedString(662);
    const std::string angle = GetTranslatedString(661);
    const auto headings = [&](TableCanvas& tools, TableFile& file, const HourTablePage& page) {
        tools.TitleFont();
        tools.Text(page.At(6), page.GroupY(), cartesian);
        tools.Text(page.At(10), page.GroupY(), polar);
        tools.Text(page.At(2), page.ColumnY(), hour);
        tools.Text(page.At(5), page.ColumnY(), "x");
        tools.Text(page.At(7), page.ColumnY(), "y");
        tools.Text(page.At(9), page.ColumnY(), radius);
        tools.Text(page.At(11), page.ColumnY(), angle);
        const gdi::Rect& r = page.rect;
        for (int k = 2; k <= 6; k += 2)
            tools.VLine(r.left + k * page.c, r.top + 3 * page.a, r.bottom);
        for (int k = 3; k <= 5; k += 2)
            tools.VLine(r.left + k * page.c, r.top + 5 * page.a, r.bottom);
        tools.SmallFont();

        file.Heading(TabFields({hour, cartesian}) + "\tx (mm)\ty (mm)" + TabFields({radius, angle}));
    };
    const auto row = [&](TableCanvas& tools, TableFile& file, const HourTablePage& page, int column, int y) {
        const HourPointRow cells = ComputeHourPointRow(*dial, column, zoneSteps);
        tools.Text(page.At(2), y, cells.label);
        tools.Text(page.At(5), y, WithUnit(cells.x, " mm"));
        tools.Text(page.At(7), y, WithUnit(cells.y, " mm"));
        std::string line = cells.label + TabFields({cells.x, cells.y});
        if (cells.polar) {
            tools.Text(page.At(9), y, cells.radius + "mm");
            tools.Text(page.At(11), y, cells.angle + "°");
            line += TabFields({cells.radius, cells.angle});
        }
        file.Row(line);
    };
    DrawHourTable(dc, *doc, *dial, paths::kHourPointTableFile, GetTranslatedString(692), headings, row);
}

void DrawHourCoordinatePage(gdi::DC& dc, const gdi::Rect& rect)
{
    const CCadran* dial = GetDial();
    if (dial == nullptr || dial->HasHourPoints())
        DrawHourPointTable(dc, rect);
    else
        DrawHourLineTable(dc, rect);
}

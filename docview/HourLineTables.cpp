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

std::string WithUnit(const std::string& value, const char* unit)
{
    return value == "---" ? value : value + unit;
}

// What both mode-8 tables share: the scan of the day, the paging and the heading frame.
struct HourTablePlan {
    TimeStep step;
    ColumnRange range;
    int rows;
};

HourTablePlan PlanHourTable(const CCadran& dial)
{
    HourTablePlan plan{GetTimeStep(dial.prefs), {}, 0};
    plan.range = LitRange(dial, plan.step);
    plan.rows = (plan.range.last - plan.range.first) / plan.step.stride + 1;
    return plan;
}

// Outline, heading box, title and subtitle of one page.
void DrawHourTableFrame(TableCanvas& tools, const gdi::Rect& page, int a, const std::string& title)
{
    const int L = page.left;
    const int T = page.top;
    const int R = page.right;
    tools.DrawPageFrame(page);
    tools.Box(L, T, R, T + 5 * a);
    tools.HLine(L, R, T + 3 * a);
    tools.TitleFont();
    tools.Text((L + R) / 2, T + a, title);
    tools.SmallFont();
    tools.Text((L + R) / 2, T + 2 * a, GetTranslatedString(663));
}

}  // namespace

void DrawHourLineTable(gdi::DC& dc, const gdi::Rect&)
{
    CHoravelDoc* doc = GetDocument();
    const CCadran* dial = doc != nullptr ? doc->GetDial() : nullptr;
    if (dial == nullptr)
        return;

    const HourTablePlan plan = PlanHourTable(*dial);
    const PageGeometry geometry(dc, *doc);
    const int a = geometry.ScaleY(20);
    const int pages = geometry.PageCount(plan.rows, a);
    RequestPages(pages);

    const int zoneSteps = LabelZoneSteps(*dial);
    const std::string title = GetTranslatedString(651);
    const std::string summer = GetTranslatedString(659);
    const std::string equinox = GetTranslatedString(658);
    const std::string winter = GetTranslatedString(660);
    const std::string angle = GetTranslatedString(661);
    const std::string hour = GetTranslatedString(657);

    TableFile file(paths::kHourLineTableFile);
    TableCanvas tools(dc, geometry);
    int next = 0;
    for (int p = 0; p < pages; ++p) {
        const gdi::Rect page = geometry.PageRect(p);
        const int L = page.left;
        const int T = page.top;
        const int B = page.bottom;
        const int c = (page.right - L) / 10;
        // x of a column given in half units of c.
        const auto at = [&](int halves) { return L + halves * c / 2; };
        const int groupY = T + 3 * a + 3 * a / 4;
        const int columnY = T + 4 * a + 3 * a / 4;

        const int perPage = geometry.RowsOnPage(p, a);
        DrawHourTableFrame(tools, page, a, title);
        tools.TitleFont();
        tools.Text(at(6), groupY, summer);
        tools.Text(at(10), groupY, equinox);
        tools.Text(at(14), groupY, winter);
        tools.Text(at(18), groupY, angle);
        tools.Text(at(2), columnY, hour);
        for (int d = 0; d < 3; ++d) {
            tools.Text(at(5 + 4 * d), columnY, "x");
            tools.Text(at(7 + 4 * d), columnY, "y");
        }
        tools.SmallFont();
        tools.Text(at(18), columnY, GetTranslatedString(664));
        for (int k = 2; k <= 8; k += 2)
            tools.VLine(L + k * c, T + 3 * a, B);
        for (int k = 3; k <= 7; k += 2)
            tools.VLine(L + k * c, T + 5 * a, B);

        file.Heading(title);
        file.Heading(TabFields({summer, "", equinox, "", winter, "", angle}));
        file.Heading(hour + "\tx (mm)\ty (mm)\tx (mm)\ty (mm)\tx (mm)\ty (mm)\t(°)");

        for (int r = 0; r < perPage && next < plan.rows; ++r, ++next) {
            const HourLineRow row = ComputeHourLineRow(*dial, plan.range.first + next * plan.step.stride, zoneSteps);
            const int y = T + (r + 6) * a;
            tools.Text(at(2), y, row.label);
            for (int i = 0; i < 6; ++i)
                tools.Text(at(5 + 2 * i), y, WithUnit(row.xy[static_cast<size_t>(i)], " mm"));
            tools.Text(at(18), y, WithUnit(row.angle, "°"));
            file.Row(row.label + TabFields({row.xy[0], row.xy[1], row.xy[2], row.xy[3], row.xy[4], row.xy[5], row.angle}));
        }
    }
    file.Commit();
}

void DrawHourPointTable(gdi::DC& dc, const gdi::Rect&)
{
    CHoravelDoc* doc = GetDocument();
    const CCadran* dial = doc != nullptr ? doc->GetDial() : nullptr;
    if (dial == nullptr)
        return;

    const HourTablePlan plan = PlanHourTable(*dial);
    const PageGeometry geometry(dc, *doc);
    const int a = geometry.ScaleY(20);
    const int pages = geometry.PageCount(plan.rows, a);
    RequestPages(pages);

    const int zoneSteps = LabelZoneSteps(*dial);
    const std::string title = GetTranslatedString(692);
    const std::string hour = GetTranslatedString(657);
    const std::string cartesian = GetTranslatedString(693);
    const std::string polar = GetTranslatedString(694);
    const std::string radius = GetTranslatedString(662);
    const std::string angle = GetTranslatedString(661);

    TableFile file(paths::kHourPointTableFile);
    TableCanvas tools(dc, geometry);
    int next = 0;
    for (int p = 0; p < pages; ++p) {
        const gdi::Rect page = geometry.PageRect(p);
        const int L = page.left;
        const int T = page.top;
        const int B = page.bottom;
        const int c = (page.right - L) / 10;
        const auto at = [&](int halves) { return L + halves * c / 2; };
        const int groupY = T + 3 * a + 3 * a / 4;
        const int columnY = T + 4 * a + 3 * a / 4;

        const int perPage = geometry.RowsOnPage(p, a);
        DrawHourTableFrame(tools, page, a, title);
        tools.TitleFont();
        tools.Text(at(6), groupY, cartesian);
        tools.Text(at(10), groupY, polar);
        tools.Text(at(2), columnY, hour);
        tools.Text(at(5), columnY, "x");
        tools.Text(at(7), columnY, "y");
        tools.Text(at(9), columnY, radius);
        tools.Text(at(11), columnY, angle);
        for (int k = 2; k <= 6; k += 2)
            tools.VLine(L + k * c, T + 3 * a, B);
        for (int k = 3; k <= 5; k += 2)
            tools.VLine(L + k * c, T + 5 * a, B);

        file.Heading(title);
        file.Heading(TabFields({hour, cartesian}) + "\tx (mm)\ty (mm)" + TabFields({radius, angle}));

        tools.SmallFont();
        for (int r = 0; r < perPage && next < plan.rows; ++r, ++next) {
            const HourPointRow row = ComputeHourPointRow(*dial, plan.range.first + next * plan.step.stride, zoneSteps);
            const int y = T + (r + 6) * a;
            tools.Text(at(2), y, row.label);
            tools.Text(at(5), y, WithUnit(row.x, " mm"));
            tools.Text(at(7), y, WithUnit(row.y, " mm"));
            std::string line = row.label + TabFields({row.x, row.y});
            if (row.polar) {
                tools.Text(at(9), y, row.radius + "mm");
                tools.Text(at(11), y, row.angle + "°");
                line += TabFields({row.radius, row.angle});
            }
            file.Row(line);
        }
    }
    file.Commit();
}

void DrawHourCoordinatePage(gdi::DC& dc, const gdi::Rect& rect)
{
    const CCadran* dial = GetDial();
    if (dial == nullptr || dial->HasHourPoints())
        DrawHourPointTable(dc, rect);
    else
        DrawHourLineTable(dc, rect);
}

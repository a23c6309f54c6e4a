#include "docview/TablePage.h"

#include "app/Accessors.h"
#include "app/Formatting.h"
#include "docview/CDrawingTools.h"
#include "docview/CHoravelDoc.h"
#include "docview/CHoravelView.h"
#include "model/Astronomy.h"
#include "model/CCadran.h"
#include "model/CPrefs.h"
#include "model/Rounding.h"
#include "platform/LocaleInfo.h"
#include "platform/Paths.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace tablepage {

TimeStep GetTimeStep(const CPrefs& prefs)
{
    if (prefs.fiveMinuteLines)
        return {12, 1};
    if (prefs.quarterHourLines)
        return {4, 3};
    if (prefs.halfHourLines)
        return {2, 6};
    return {1, 12};
}

int LabelZoneSteps(const CCadran& dial)
{
    return dial.localSolarTime == 0 ? GetZoneSteps() : 0;
}

std::string TimeLabel(int column, int zoneSteps)
{
    return FormatNumber(column / 12 + zoneSteps, -1) + " h " + FormatNumber((column % 12) * 5, -1) + " m";
}

bool IsEquatorial(const CCadran& dial)
{
    return dial.typeCode == 8 || dial.typeCode == 9;
}

namespace {

// The vertical wall's formula, unsigned: for a dial on which the equinoctial line cannot be
// traced from the dial's own shadows.
double WallEquinoctialAngleDeg(const CCadran& dial)
{
    const double tanLatitude = std::tan(dial.latitudeRad);
    if (tanLatitude == 0.0)
        return 0.0;
    return std::fabs(std::atan(std::sin(dial.planeAngle1) / tanLatitude)) * 180.0 / std::numbers::pi;
}

struct Direction {
    double x = 0.0;
    double y = 0.0;
};

// Collects the shadows of a line of sun positions (hundredths of a mm, nearer than 100 m: the
// sun grazing the dial sends them to infinity) and gives the line's direction as the main
// axis of the points: every point counts, so the rounding of each one hardly does.
class LineOfShadows {
public:
    explicit LineOfShadows(const CCadran& dial) : dial_(dial) {}
    void Add(double azimuth, double altitude)
    {
        int x = 0, y = 0;
        dial_.Project(azimuth, altitude, x, y, false, false);
        const Direction p{static_cast<double>(x), static_cast<double>(y)};
        if (std::fabs(p.x) < 1e7 && std::fabs(p.y) < 1e7)
            points_.push_back(p);
    }
    bool Get(Direction& d) const
    {
        if (points_.size() < 2)
            return false;
        Direction mean;
        for (const Direction& p : points_) {
            mean.x += p.x / static_cast<double>(points_.size());
            mean.y += p.y / static_cast<double>(points_.size());
        }
        double xx = 0.0, yy = 0.0, xy = 0.0;
        for (const Direction& p : points_) {
            xx += (p.x - mean.x) * (p.x - mean.x);
            yy += (p.y - mean.y) * (p.y - mean.y);
            xy += (p.x - mean.x) * (p.y - mean.y);
        }
        if (xx + yy <= 0.0)
            return false;
        const double angle = 0.5 * std::atan2(2.0 * xy, xx - yy);
        d = {std::cos(angle), std::sin(angle)};
        return true;
    }

private:
    const CCadran& dial_;
    std::vector<Direction> points_;
};

// The equinoctial line as the dial draws it: its lit points at declination 0 (the equinox row of
// the tables by ecliptic longitude).
bool EquinoctialDirection(const CCadran& dial, Direction& d)
{
    if (!dial.longitudeTableValid)
        return false;
    const auto& azimuth = dial.azimuthByLongitude[kEquinoxRow];
    const auto& altitude = dial.altitudeByLongitude[kEquinoxRow];
    const bool aboveHorizon = dial.prefs.sunAboveHorizon != 0;
    LineOfShadows line(dial);
    for (int c = 0; c < CCadran::kSteps; ++c) {
        if (dial.IsLit(azimuth[c], altitude[c], aboveHorizon))
            line.Add(azimuth[c], altitude[c]);
    }
    return line.Get(d);
}

// The noon line: the trace of the meridian, the shadows of a sun due south or due north (on
// the equator's side or the pole's) from 1 to 89 degrees high; the sheet's vertical when the
// meridian never lights the dial (a wall facing east or west).
Direction NoonDirection(const CCadran& dial)
{
    for (const double azimuth : {0.0, std::numbers::pi}) {
        LineOfShadows line(dial);
        for (int degrees = 1; degrees < 90; ++degrees) {
            const double altitude = degrees * std::numbers::pi / 180.0;
            if (dial.IsLit(azimuth, altitude, true))
                line.Add(azimuth, altitude);
        }
        Direction d;
        if (line.Get(d))
            return d;
    }
    return {0.0, 1.0};
}

}  // namespace

double EquinoctialAngleDeg(const CCadran& dial)
{
    // e: the equinoctial line's angle to the perpendicular of the noon line, from the lines
    // the dial draws, so that the tables, the rule and the dial cannot disagree.
    double e = 0.0;
    Direction a;
    if (EquinoctialDirection(dial, a)) {
        const Direction b = NoonDirection(dial);
        const double cross = std::fabs(a.x * b.y - a.y * b.x);
        const double dot = std::fabs(a.x * b.x + a.y * b.y);
        e = std::atan2(dot, cross) * 180.0 / std::numbers::pi;
        // Below what the hundredths of a millimetre of the projected points can tell: a line
        // square to the noon line (a horizontal dial, a wall facing the equator).
        if (e < 0.005)
            e = 0.0;
    } else {
        e = WallEquinoctialAngleDeg(dial);
    }
    if (dial.latitude < 0.0)
        e = -e;
    return e > 0.0 ? 90.0 - e : e - 90.0;
}

void RequestPages(int pages, bool atLeast)
{
    const CHoravelDoc* doc = GetDocument();
    CHoravelView* view = GetView();
    if (doc == nullptr || view == nullptr)
        return;
    const int current = doc->GetPageCount();
    if (atLeast ? current < pages : current != pages)
        view->RecalcLayout(pages);
}

std::string TabFields(std::initializer_list<std::string_view> fields)
{
    std::string out;
    for (std::string_view f : fields) {
        out.push_back('\t');
        out.append(f);
    }
    return out;
}

std::string WithUnit(const std::string& value, const char* unit)
{
    return value == "---" ? value : value + unit;
}

// ------------------------------------------------------------------------ page geometry

PageGeometry::PageGeometry(const gdi::DC& dc, const CHoravelDoc& doc)
    : dc_(dc), sheetPx_(doc.GetSheetSizePx())
{
}

int PageGeometry::ScaleX(int v) const
{
    return PageLengthX(dc_, v);
}

int PageGeometry::ScaleY(int v) const
{
    return PageLengthY(dc_, v);
}

gdi::Rect PageGeometry::PageRect(int p) const
{
    gdi::Rect r{0, 0, sheetPx_.cx, sheetPx_.cy};
    r.Deflate(20, 20);
    r.Offset(0, p * sheetPx_.cy);
    return PageRectToDevice(dc_, r);
}

int PageGeometry::RowsOnPage(int p, int a) const
{
    if (a <= 0)
        return 0;
    const gdi::Rect r = PageRect(p);
    return std::max(0, (r.bottom - r.top - 5 * a) / a - 1);
}

int PageGeometry::PageCount(int rows, int a) const
{
    // Rounding to a printer may give one page a row less than the next: count them page
    // by page.
    int pages = 0;
    for (int placed = 0; placed < rows; ++pages) {
        const int n = RowsOnPage(pages, a);
        if (n == 0)
            break;
        placed += n;
    }
    return std::max(1, pages);
}

int PageGeometry::PenWidth() const
{
    const int reference = ReferencePixelsPerInchY();
    if (!dc_.IsPrinting() || reference <= 0)
        return 1;
    return dc_.GetDeviceCaps(gdi::LOGPIXELSY) / reference;
}

// ------------------------------------------------------------------------ canvas

TableCanvas::TableCanvas(gdi::DC& dc, const PageGeometry& geometry)
    : dc_(dc), geometry_(geometry), guard_(dc), tools_(dc)
{
    dc_.SelectPen(gdi::Pen{gdi::PS_SOLID, geometry_.PenWidth(), gdi::RGB(0, 0, 0)});
    dc_.SelectBrush(gdi::Brush{gdi::BS_SOLID, gdi::RGB(255, 255, 255)});
    dc_.SetTextAlign(gdi::TA_CENTER | gdi::TA_BASELINE);
}

void TableCanvas::TitleFont()
{
    dc_.SelectFont(tools_->times12Bold);
}

void TableCanvas::SmallFont()
{
    dc_.SelectFont(tools_->arial9);
}

gdi::Rect TableCanvas::OpenPage(int p)
{
    const gdi::Rect r = geometry_.PageRect(p);
    dc_.FillRect(r, dc_.GetCurrentBrush());
    Box(r.left, r.top, r.right, r.bottom);
    return r;
}

void TableCanvas::Heading(const gdi::Rect& page, int a, int boxRows, std::string_view title,
                          std::string_view subtitle)
{
    const int middle = (page.left + page.right) / 2;
    Box(page.left, page.top, page.right, page.top + boxRows * a);
    HLine(page.left, page.right, page.top + 3 * a);
    TitleFont();
    Text(middle, page.top + a, title);
    SmallFont();
    Text(middle, page.top + 2 * a, subtitle);
}

void TableCanvas::Box(int left, int top, int right, int bottom)
{
    const gdi::Point outline[] = {{left, top}, {right, top}, {right, bottom}, {left, bottom}, {left, top}};
    dc_.Polyline(outline, 5);
}

void TableCanvas::HLine(int left, int right, int y)
{
    dc_.MoveTo(left, y);
    dc_.LineTo(right, y);
}

void TableCanvas::VLine(int x, int top, int bottom)
{
    dc_.MoveTo(x, top);
    dc_.LineTo(x, bottom);
}

void TableCanvas::Text(int x, int y, std::string_view text)
{
    dc_.TextOut(x, y, text);
}

// ------------------------------------------------------------------------ table file

TableFile::TableFile(const std::string& name)
    : path_(PathOf(name)), writer_(path_), separator_(localeinfo::SystemDecimalSeparator())
{
}

std::filesystem::path TableFile::PathOf(const std::string& name)
{
    return paths::join(paths::DataFolder(), name);
}

void TableFile::Heading(std::string_view line)
{
    writer_.WriteLine(line);
}

void TableFile::Row(std::string_view line)
{
    if (separator_ == ".") {
        writer_.WriteLine(line);
        return;
    }
    std::string text;
    text.reserve(line.size() + 8);
    for (char c : line) {
        if (c == '.')
            text.append(separator_);
        else
            text.push_back(c);
    }
    writer_.WriteLine(text);
}

bool TableFile::Commit()
{
    // A table page is painted again at every scroll with the same rows: a file that holds
    // them already is left alone instead of being written and synced once more.
    if (std::string held; textfile::ReadBytes(path_, held) && held == writer_.Content())
        return true;
    return writer_.Commit();
}

}  // namespace tablepage

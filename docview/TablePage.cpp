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

double EquinoctialAngleDeg(const CCadran& dial)
{
    double e = 0.0;
    const double tanLatitude = std::tan(dial.latitudeRad);
    if (tanLatitude != 0.0)
        e = std::atan(std::sin(dial.planeAngle1) / tanLatitude);
    if (e * dial.latitude < 0.0)
        e = -e;
    e *= 180.0 / std::numbers::pi;
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

TableCanvas::TableCanvas(gdi::DC& dc, const PageGeometry& geometry) : dc_(dc), guard_(dc), tools_(dc)
{
    dc_.SelectPen(gdi::Pen{gdi::PS_SOLID, geometry.PenWidth(), gdi::RGB(0, 0, 0)});
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

void TableCanvas::DrawPageFrame(const gdi::Rect& r)
{
    dc_.FillRect(r, dc_.GetCurrentBrush());
    Box(r.left, r.top, r.right, r.bottom);
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
    : writer_(PathOf(name)), separator_(localeinfo::SystemDecimalSeparator())
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
    return writer_.Commit();
}

}  // namespace tablepage

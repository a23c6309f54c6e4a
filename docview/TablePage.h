#pragma once
// What the coordinate-table pages share: the page frame (sheets stacked downwards, laid out
// in screen pixels of the document's reference resolution and scaled to a printer), the
// pen, fonts and alignment they draw with, the time step and time labels of the rows, and
// the tab-separated text file each page leaves behind for the ASCII export.
#include "docview/PageLayout.h"
#include "platform/Gdi.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"

#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>

class CCadran;
class CHoravelDoc;
class CPrefs;

namespace tablepage {

// Columns of the five-minute sun tables: 0 h 00 .. 24 h 00.
inline constexpr int kLastColumn = 288;
// Rows of the by-longitude tables the tables read: the June solstice, the March equinox and
// the December solstice (ecliptic longitudes 90, 0 and 270 degrees).
inline constexpr int kSummerRow = 9;
inline constexpr int kEquinoxRow = 0;
inline constexpr int kWinterRow = 27;
// Projections this far from the style foot (tenths of a millimetre, 10 m) or farther are
// not shown.
inline constexpr int kFarLimit = 100000;
// A projection at or beyond that limit; compared without negating, since a projection that
// saturated is the most negative int.
inline bool IsFar(int x, int y)
{
    return x >= kFarLimit || x <= -kFarLimit || y >= kFarLimit || y <= -kFarLimit;
}
// Marks a coordinate that no projection has set.
inline constexpr int kNoPoint = 999;

// The finest hour division the dial's preferences ask for.
struct TimeStep {
    int perHour;  // steps per hour
    int stride;   // five-minute columns per step
};
TimeStep GetTimeStep(const CPrefs& prefs);

// Whole zone steps the time labels add: GetZoneSteps() for a dial in legal time, else 0.
int LabelZoneSteps(const CCadran& dial);
// "7 h 30 m": the time of a five-minute column, zoneSteps hours added.
std::string TimeLabel(int column, int zoneSteps);
// Equatorial dial faces (type codes 8 and 9): the sun is in their plane at the equinoxes.
bool IsEquatorial(const CCadran& dial);
// Angle of the equinoctial line to the local noon line, degrees, as the tables and the
// equinoctial rule show it: taken from the lines the dial projects; in (0, 90] in the north
// (-90 for a line square to the noon line), 180 less in the south.
double EquinoctialAngleDeg(const CCadran& dial);

// Lays the view out over `pages` stacked sheets when its layout has another count
// (atLeast: only when it has fewer).
void RequestPages(int pages, bool atLeast = false);

// The numbers, without a unit, joined by tabs and started by a tab: "\t12.5\t-3.0".
std::string TabFields(std::initializer_list<std::string_view> fields);
// A cell's number followed by its unit; "---", a cell without a number, stays bare.
std::string WithUnit(const std::string& value, const char* unit);

// Device geometry of a table page. Lengths are given in screen pixels of the document's
// reference resolution and come back in device pixels: unchanged on the screen, scaled by
// the device's resolution over the reference one on a printer.
class PageGeometry {
public:
    PageGeometry(const gdi::DC& dc, const CHoravelDoc& doc);

    int ScaleX(int v) const;
    int ScaleY(int v) const;
    // Page p (0-based) of a stack of sheets: the sheet shrunk by 20 on every side and
    // moved down by p sheets, in device pixels.
    gdi::Rect PageRect(int p) const;
    // Rows of pitch a that page p holds below its five-row heading (none when the page is
    // too short).
    int RowsOnPage(int p, int a) const;
    // Sheets a table of `rows` rows at pitch a needs: every row gets a place, and there is
    // always one page, for the headings.
    int PageCount(int rows, int a) const;
    // Width of the line pen: 1 on the screen, the resolution ratio on a printer.
    int PenWidth() const;

private:
    const gdi::DC& dc_;
    gdi::Size sheetPx_;
};

// Draws a table page: selects the table pen, the white page brush and centred baseline text
// for the life of the object, and puts back the context's pen, brush, font and alignment at
// the end. The fonts come from the view's tool set; the geometry must outlive the canvas.
class TableCanvas {
public:
    TableCanvas(gdi::DC& dc, const PageGeometry& geometry);

    void TitleFont();  // "Times New Roman" 12 bold
    void SmallFont();  // "ARIAL" 9
    // Page p of the table (PageGeometry::PageRect), filled white and outlined.
    gdi::Rect OpenPage(int p);
    // The heading box of a coordinate table page, boxRows rows of pitch a high, its title
    // block ruled off under the third row; the title in the title font on the first row,
    // the subtitle in the small font on the second, which stays selected.
    void Heading(const gdi::Rect& page, int a, int boxRows, std::string_view title, std::string_view subtitle);
    // The outline of a rectangle, not filled.
    void Box(int left, int top, int right, int bottom);
    void HLine(int left, int right, int y);
    void VLine(int x, int top, int bottom);
    void Text(int x, int y, std::string_view text);

private:
    gdi::DC& dc_;
    const PageGeometry& geometry_;
    DcAttributesGuard guard_;
    PageTools tools_;
};

// A table's text file in the data folder, rewritten at every paint: heading lines as they
// are, row lines with "." turned into the system's decimal separator. Nothing is written
// when the file cannot be made; the page is drawn all the same.
class TableFile {
public:
    explicit TableFile(const std::string& name);
    void Heading(std::string_view line);
    void Row(std::string_view line);
    // Replaces the file with the lines given, unless it holds them already; false when it
    // could not be written.
    bool Commit();
    static std::filesystem::path PathOf(const std::string& name);

private:
    std::filesystem::path path_;
    textfile::AtomicWriter writer_;
    std::string separator_;
};

}  // namespace tablepage

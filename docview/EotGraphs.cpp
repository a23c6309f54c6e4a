// The three equation-of-time graphs: annual, monthly and the vertical curve (the figure of
// eight of the equation of time against the sun's declination).
#include "docview/EotPages.h"

#include "app/Formatting.h"
#include "app/TextHelpers.h"
#include "app/Translation.h"
#include "docview/CDrawingTools.h"
#include "docview/EotSettings.h"
#include "docview/PageLayout.h"
#include "model/Astronomy.h"

#include <algorithm>
#include <numbers>
#include <vector>

namespace {

constexpr double kMinuteSpan = 34.0;

// The page's frame and its two axes (left and bottom edges of the plot), in the context's
// own pen.
gdi::Rect FrameAndAxes(gdi::DC& dc, const gdi::Rect& page)
{
    const gdi::Rect plot = DrawGraphFrame(dc, page.left, page.top, page.right, page.bottom);
    dc.MoveTo(plot.left, plot.top);
    dc.LineTo(plot.left, plot.bottom);
    dc.LineTo(plot.right, plot.bottom);
    return plot;
}

int MiddleX(const gdi::Rect& plot)
{
    return (plot.left + plot.right) / 2;
}

// The heading in the title font and the explanation line in the small font, above the plot.
void HeadingLines(gdi::DC& dc, const CDrawingTools& tools, const gdi::Rect& plot, const EotSettings& s, double dy)
{
    dc.SelectFont(tools.times12Bold);
    dc.SetTextAlign(gdi::TA_CENTER | gdi::TA_TOP);
    dc.TextOut(MiddleX(plot), plot.top - TruncToInt(2 * dy), s.Heading(GetTranslatedString(653)));
    dc.SelectFont(tools.arial9);
    dc.TextOut(MiddleX(plot), plot.top - TruncToInt(dy), s.Explanation(true));
}

// Horizontal minute lines of the range, labelled on the left; the zero line in black.
void MinuteLines(gdi::DC& dc, const CDrawingTools& tools, const gdi::Rect& plot, const EotSettings& s, double dy,
                 int labelGap)
{
    dc.SetTextAlign(gdi::TA_RIGHT | gdi::TA_BASELINE);
    for (int k = s.lowMinute; k <= s.highMinute; ++k) {
        const int y = plot.bottom - RoundToInt((k - s.lowMinute) * dy);
        dc.SelectPen(k == 0 ? tools.blackPen : tools.gridPen);
        dc.MoveTo(plot.left, y);
        dc.LineTo(plot.right, y);
        dc.TextOut(plot.left - labelGap, y + RoundToInt(dy / 4), FormatNumber(k, -1));
    }
}

int CurveY(const gdi::Rect& plot, const EotSettings& s, double minutes, double dy)
{
    return plot.top + RoundToInt((s.highMinute - minutes) * dy);
}

struct LabelAlign {
    unsigned day;
    unsigned month;
};

constexpr unsigned kLeftTop = gdi::TA_LEFT | gdi::TA_TOP;
constexpr unsigned kRightTop = gdi::TA_RIGHT | gdi::TA_TOP;
constexpr unsigned kLeftBottom = gdi::TA_LEFT | gdi::TA_BOTTOM;
constexpr unsigned kRightBottom = gdi::TA_RIGHT | gdi::TA_BOTTOM;

// Where the labels of a month stand, so that they fall outside the loop of the curve.
bool DateLabelAlign(bool sideFlag, int day, int month, LabelAlign& a)
{
    switch (month) {
    case 1: case 8: case 9: case 10:
        a = sideFlag ? LabelAlign{kLeftTop, kRightBottom} : LabelAlign{kRightTop, kLeftBottom};
        return true;
    case 2:
        if (sideFlag)
            a = {day < 20 ? kLeftTop : kRightTop, kRightTop};
        else
            a = {day < 20 ? kRightTop : kLeftTop, kLeftTop};
        return true;
    case 3: case 4: case 11: case 12:
        a = sideFlag ? LabelAlign{kRightTop, kLeftBottom} : LabelAlign{kLeftTop, kRightBottom};
        return true;
    case 5:
        if (sideFlag)
            a = {day < 20 ? kRightTop : kRightBottom, kLeftBottom};
        else
            a = {day < 20 ? kLeftTop : kLeftBottom, kRightBottom};
        return true;
    case 6:
        a = sideFlag ? LabelAlign{kRightBottom, kLeftTop} : LabelAlign{kLeftBottom, kRightTop};
        return true;
    case 7:
        a = sideFlag ? LabelAlign{kLeftBottom, kRightTop} : LabelAlign{kRightBottom, kLeftTop};
        return true;
    default:
        return false;
    }
}

}  // namespace

void DrawEotAnnualGraph(gdi::DC& dc, const gdi::Rect& page)
{
    const DcAttributesGuard restore(dc);
    const PageTools tools(dc);
    const EotSettings s = EotSettings::Load();

    const gdi::Rect plot = FrameAndAxes(dc, page);
    const int days = IsLeapYear(s.year) ? 366 : 365;
    const double dx = static_cast<double>(plot.Width()) / (days - 1);
    const double dy = plot.Height() / kMinuteSpan;
    const auto dayX = [&](int dayOfYear) { return plot.left + RoundToInt((dayOfYear - 1) * dx); };

    HeadingLines(dc, *tools, plot, s, dy);
    MinuteLines(dc, *tools, plot, s, dy, RoundToInt(3 * dx));

    dc.SetTextAlign(gdi::TA_CENTER | gdi::TA_TOP);
    dc.SelectPen(tools->gridPen);
    const auto dayLine = [&](int dayOfYear, int label) {
        const int x = dayX(dayOfYear);
        dc.MoveTo(x, plot.top);
        dc.LineTo(x, plot.bottom);
        dc.TextOut(x, plot.bottom + RoundToInt(dx), FormatNumber(label, -1));
    };
    for (int month = 1; month <= 12; ++month)
        for (int day : {1, 11, 21})
            dayLine(DayOfYear(day, month), day);
    dayLine(DayOfYear(31, 12), 31);

    dc.SelectFont(tools->times10);
    for (int month = 1; month <= 12; ++month)
        dc.TextOut(dayX(DayOfYear(15, month)), plot.bottom + TruncToInt(dy), FormatRomanHour(month));

    // 1 January, every even day, and 31 December.
    std::vector<int> points{1};
    for (int d = 2; d <= 2 * (days / 2); d += 2)
        points.push_back(d);
    if (points.back() != days)
        points.push_back(days);
    dc.SelectPen(tools->blackPen);
    for (std::size_t i = 0; i < points.size(); ++i) {
        int day = 0;
        int month = 0;
        DayOfYearToDate(points[i], day, month);
        const int x = dayX(points[i]);
        const int y = CurveY(plot, s, s.PlottedMinutes(day, month), dy);
        if (i == 0)
            dc.MoveTo(x, y);
        else
            dc.LineTo(x, y);
    }
}

void DrawEotMonthlyGraph(gdi::DC& dc, const gdi::Rect& page)
{
    const DcAttributesGuard restore(dc);
    const PageTools tools(dc);
    const EotSettings s = EotSettings::Load();

    const gdi::Rect plot = FrameAndAxes(dc, page);
    const double dx = plot.Width() / 30.0;
    const double dy = plot.Height() / kMinuteSpan;
    const auto dayX = [&](int day) { return plot.left + RoundToInt((day - 1) * dx); };

    HeadingLines(dc, *tools, plot, s, dy);
    MinuteLines(dc, *tools, plot, s, dy, RoundToInt(dx / 3));

    dc.SetTextAlign(gdi::TA_CENTER | gdi::TA_TOP);
    dc.SelectPen(tools->gridPen);
    for (int d = 1; d <= 31; ++d) {
        dc.MoveTo(dayX(d), plot.top);
        dc.LineTo(dayX(d), plot.bottom);
        dc.TextOut(dayX(d), plot.bottom + RoundToInt(dy / 2), FormatNumber(d, -1));
    }

    // The day of each month beside which its name is written.
    static constexpr int kNameDay[12] = {10, 10, 5, 7, 6, 19, 15, 20, 25, 10, 5, 8};
    const int nameShift = s.Negated() ? RoundToInt(dy / 2) : -RoundToInt(dy / 2);
    dc.SetTextAlign(s.signMode != 0 ? gdi::TA_CENTER | gdi::TA_TOP : gdi::TA_CENTER | gdi::TA_BASELINE);
    dc.SelectPen(tools->blackPen);
    for (int month = 1; month <= 12; ++month) {
        const int length = DaysInMonth(month - 1, s.year);
        std::vector<int> ys;
        for (int day = 1; day <= length; ++day)
            ys.push_back(CurveY(plot, s, s.PlottedMinutes(day, month), dy));
        dc.MoveTo(plot.left, ys[0]);
        for (int day = 2; day <= length; ++day)
            dc.LineTo(dayX(day), ys[day - 1]);
        const int nameDay = kNameDay[month - 1];
        dc.TextOut(dayX(nameDay), ys[nameDay - 1] + nameShift, GetMonthName(month));
    }
}

void DrawEotDeclinationCurve(gdi::DC& dc, const gdi::Rect& page)
{
    const DcAttributesGuard restore(dc);
    const PageTools tools(dc);
    const EotSettings s = EotSettings::Load();

    const gdi::Rect plot = FrameAndAxes(dc, page);
    const double dx = plot.Width() / kMinuteSpan;
    const double dy = plot.Height() / 48.0;
    const int mark = PageLengthX(dc, 2);
    const auto minuteX = [&](double minutes) { return plot.right - RoundToInt((s.highMinute - minutes) * dx); };

    dc.SelectFont(tools->times12Bold);
    dc.SetTextAlign(gdi::TA_CENTER | gdi::TA_TOP);
    dc.TextOut(MiddleX(plot), plot.top - TruncToInt(2 * dy), s.Heading(GetTranslatedString(653)));
    dc.SelectFont(tools->arial9);
    dc.SetTextAlign(gdi::TA_LEFT | gdi::TA_BOTTOM);
    dc.TextOut(plot.left - TruncToInt(2 * dy), plot.top - TruncToInt(dy / 3), GetTranslatedString(667));

    dc.SetTextAlign(gdi::TA_CENTER | gdi::TA_TOP);
    for (int k = s.lowMinute; k <= s.highMinute; ++k) {
        const int x = minuteX(k);
        dc.SelectPen(k == 0 ? tools->blackPen : tools->gridPen);
        dc.MoveTo(x, plot.top);
        dc.LineTo(x, plot.bottom);
        dc.TextOut(x, plot.bottom + RoundToInt(dy / 3), FormatNumber(k, -1));
    }
    dc.TextOut(MiddleX(plot), plot.bottom + RoundToInt(dy), s.Explanation(true));

    dc.SelectPen(tools->gridPen);
    dc.SetTextAlign(gdi::TA_RIGHT | gdi::TA_BASELINE);
    for (int i = 0; i <= 48; ++i) {
        const int y = plot.top + RoundToInt(i * dy);
        dc.MoveTo(plot.left, y);
        dc.LineTo(plot.right, y);
        dc.TextOut(plot.left - RoundToInt(dy / 2), y + RoundToInt(dy / 2), FormatNumber(24 - i, -1) + "\xC2\xB0");
    }

    // The true sun's declination at the instant the equation of time is taken for (12 h UT).
    const int days = IsLeapYear(s.year) ? 366 : 365;
    const bool sideFlag = !s.Negated();
    const int diamond = 3 * mark / 2;
    dc.SelectFont(tools->times10);
    dc.SelectPen(tools->blackPen);
    gdi::Point first;
    std::vector<LabelBox> labels;
    for (int d = 1; d <= days; ++d) {
        int day = 0;
        int month = 0;
        DayOfYearToDate(d, day, month);
        const double minutes = s.PlottedMinutes(day, month);
        SetAstroDateTime(day, month, s.year, 12, 0, 0.0);
        double rightAscension = 0.0;
        double declination = 0.0;
        GetSunEquatorial(rightAscension, declination);
        const int x = minuteX(minutes);
        const int y = plot.top + RoundToInt((24.0 - declination * 180.0 / std::numbers::pi) * dy);
        if (d == 1) {
            first = {x, y};
            dc.MoveTo(x, y);
        }
        const bool marked = (d - 1) % 5 == 0;
        if (marked)
            DrawEotDateLabel(dc, sideFlag, x, y, day, month, &labels);
        dc.LineTo(x, y);
        if (marked) {
            dc.MoveTo(x - diamond, y);
            dc.LineTo(x, y - diamond);
            dc.LineTo(x + diamond, y);
            dc.LineTo(x, y + diamond);
            dc.LineTo(x - diamond, y);
        }
        dc.MoveTo(x - mark, y);
        dc.LineTo(x + mark, y);
        dc.MoveTo(x, y - mark);
        dc.LineTo(x, y + mark);
        dc.MoveTo(x, y);
    }
    dc.LineTo(first.x, first.y);
}

void DrawEotDateLabel(gdi::DC& dc, bool sideFlag, int x, int y, int day, int month, std::vector<LabelBox>* written)
{
    // Where the loop closes up or crosses itself, a text that would run into one already
    // written, or come nearer to it than half a line, is left out. The day and the month of
    // this point stand only two blanks apart, in opposite corners: they are checked against
    // the other points' labels only.
    std::vector<LabelBox> mine;
    const auto write = [&](const std::string& text) {
        if (written) {
            const LabelBox box = TextBox(dc, x, y, text);
            const double gap = dc.GetTextMetrics().height / 2.0;
            if (std::any_of(written->begin(), written->end(), [&](const LabelBox& w) { return Overlap(w, box, gap); }))
                return;
            mine.push_back(box);
        }
        dc.TextOut(x, y, text);
    };
    LabelAlign align{};
    const bool known = DateLabelAlign(sideFlag, day, month, align);
    if (known)
        dc.SetTextAlign(align.day);
    write(" " + FormatNumber(day, -1) + " ");
    if (day >= 11 && day <= 15) {
        std::string name = GetMonthName(month);
        MakeUpperAccents(name);
        if (known)
            dc.SetTextAlign(align.month);
        write(" " + name + " ");
    }
    if (written)
        written->insert(written->end(), mine.begin(), mine.end());
}

// The table of the equation of time: one row per month, one column for each of the days
// 1, 6, 11, 16, 21 and 26.
#include "docview/EotPages.h"

#include "app/Formatting.h"
#include "app/Translation.h"
#include "docview/CDrawingTools.h"
#include "docview/EotSettings.h"
#include "docview/PageLayout.h"
#include "docview/TablePage.h"
#include "model/Rounding.h"

#include <cstdlib>
#include <string>

namespace {

constexpr int kMinuteUnitString = 61930;  // "mn"

}  // namespace

std::string FormatEotMinutesSeconds(double seconds)
{
    const int minutes = TruncToInt(seconds / 60.0);
    // The remainder taken directly keeps whole seconds whole (85 s never reads 1 mn 24 s).
    const int rest = std::abs(TruncToInt(seconds - 60.0 * minutes));
    const std::string unit = " " + GetTranslatedString(kMinuteUnitString) + " ";
    if (seconds < 0 && minutes == 0)
        return "-0" + unit + FormatNumber(rest, -1) + " s";
    return FormatNumber(minutes, -1) + unit + FormatNumber(rest, -1) + " s";
}

void DrawEotTable(gdi::DC& dc, const gdi::Rect& page)
{
    const DcAttributesGuard restore(dc);
    const PageTools tools(dc);
    const EotSettings s = EotSettings::Load();

    const gdi::Rect plot = DrawGraphFrame(dc, page.left, page.top, page.right, page.bottom);
    const int left = plot.left + plot.Width() / 20;
    const int right = plot.right - plot.Width() / 20;
    const int top = plot.top + plot.Height() / 20;
    const int bottom = plot.bottom - plot.Height() / 20;
    const int tw = right - left;
    const int th = bottom - top;

    const int cw = 4 * tw / 30;
    const int rh = 9 * th / 120;
    const int hh = th - 12 * rh;
    const int nw = tw - 6 * cw;
    const auto columnX = [&](int j) { return left + nw + j * cw; };
    const auto rowY = [&](int month) { return top + hh + (month - 1) * rh; };

    dc.SelectFont(tools->times12Bold);
    dc.SetTextAlign(gdi::TA_CENTER | gdi::TA_TOP);
    dc.SelectPen(tools->thinLightGreyPen);
    for (int j = 0; j < 6; ++j) {
        dc.MoveTo(columnX(j), top + hh);
        dc.LineTo(columnX(j), bottom);
        dc.TextOut(columnX(j) + cw / 2, top + rh / 2, FormatNumber(1 + 5 * j, -1));
    }

    dc.SelectPen(tools->blackPen);
    dc.MoveTo(left, top + hh);
    dc.LineTo(left, bottom);
    dc.MoveTo(left + nw, top);
    dc.LineTo(left + nw, bottom);
    dc.MoveTo(right, top);
    dc.LineTo(right, bottom);

    dc.SelectPen(tools->thinLightGreyPen);
    dc.SetTextAlign(gdi::TA_RIGHT | gdi::TA_TOP);
    for (int month = 1; month <= 12; ++month) {
        dc.MoveTo(left + nw, rowY(month));
        dc.LineTo(right, rowY(month));
        dc.TextOut(left + nw - cw / 4, rowY(month) + rh / 4, GetMonthName(month));
    }

    dc.SelectPen(tools->blackPen);
    dc.MoveTo(left + nw, top);
    dc.LineTo(right, top);
    dc.MoveTo(left, top + hh);
    dc.LineTo(right, top + hh);
    dc.MoveTo(left, bottom);
    dc.LineTo(right, bottom);

    const int middle = (plot.left + plot.right) / 2;
    dc.SetTextAlign(gdi::TA_CENTER | gdi::TA_BOTTOM);
    dc.TextOut(middle, plot.top - rh / 3, s.Heading(GetTranslatedString(654)));
    dc.SelectFont(tools->arial9);
    dc.TextOut(middle, plot.top + rh / 3, s.Explanation(false));

    // The values also go to "teot.tmp" for the table export: whole seconds, as the cells
    // show them, one line a month.
    tablepage::TableFile file(paths::kEotTableFile);
    file.Heading(s.Heading(GetTranslatedString(654)));
    file.Heading(s.Explanation(false));
    file.Heading("(s)\t1\t6\t11\t16\t21\t26");

    dc.SelectFont(tools->times10);
    dc.SetTextAlign(gdi::TA_CENTER | gdi::TA_BASELINE);
    for (int month = 1; month <= 12; ++month) {
        std::string line = GetMonthName(month);
        for (int j = 0; j < 6; ++j) {
            const double v = s.ValueSeconds(1 + 5 * j, month) + s.correctionSeconds;
            dc.TextOut(columnX(j) + cw / 2, rowY(month) + 3 * rh / 4, FormatEotMinutesSeconds(v));
            line += "\t" + FormatNumber(TruncToInt(v), -1);
        }
        file.Row(line);
    }
    file.Commit();
}

// The ephemerides and equation-of-time pages painted by the Qt context on an A4 sheet at the
// screen's reference resolution, as the view shows them; the pictures are written to the
// build folder (pages/*.png) for a look.
#include "PageRenderSupport.h"

#include "app/Accessors.h"
#include "docview/CHoravelDoc.h"
#include "docview/ColorTable.h"
#include "docview/EotPages.h"
#include "docview/EphemeridesPage.h"
#include "model/Astronomy.h"
#include "platform/FakeServices.h"
#include "platform/Paths.h"
#include "platform/Profile.h"
#include "platform/qt/QtDC.h"
#include "support/TestSupport.h"

#include <QColor>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>

namespace {

class PageRender : public PageRenderTest {
protected:
    // The page rectangle the view gives a mode: the sheet less a share of its width at the
    // sides and of its height above and below.
    static gdi::Rect Page(double heightShare)
    {
        const int dx = static_cast<int>(0.03 * kWidth);
        const int dy = static_cast<int>(heightShare * kHeight);
        return {dx, dy, kWidth - dx, kHeight - dy};
    }

    static int Count(const QImage& image, const QRect& area, QRgb colour)
    {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                n += image.pixel(x, y) == colour;
        return n;
    }
};

const QRgb kBlack = QColor(0, 0, 0).rgb();
const QRgb kWhite = QColor(255, 255, 255).rgb();

}  // namespace

TEST_F(PageRender, EquationOfTimeGraphsAndTable)
{
    const gdi::Rect annual = Page(0.2);
    const QImage a = Render("eot-annual-graph", [&](gdi::DC& dc) { DrawEotAnnualGraph(dc, annual); });
    // The plot is white with ink on it: the curve, the zero line and the labels are black.
    const QRect plot(annual.left + 50, annual.top + 50, annual.Width() - 60, annual.Height() - 80);
    EXPECT_GT(Count(a, plot, kWhite), plot.width() * plot.height() / 2);
    EXPECT_GT(Count(a, plot, kBlack), plot.width());
    // Outside the page the screen's background stays.
    EXPECT_EQ(a.pixel(5, 5), QColor(184, 208, 216).rgb());

    const gdi::Rect monthly = Page(0.1);
    const QImage m = Render("eot-monthly-graph", [&](gdi::DC& dc) { DrawEotMonthlyGraph(dc, monthly); });
    EXPECT_GT(Count(m, QRect(monthly.left + 50, monthly.top + 50, 600, 800), kBlack), 12 * 500);

    const gdi::Rect vertical = Page(0.1);
    const QImage v = Render("eot-vertical-curve", [&](gdi::DC& dc) { DrawEotDeclinationCurve(dc, vertical); });
    // The figure of eight crosses the equator line twice on each side of zero: ink near the
    // middle of the plot's height on both sides of the centre.
    const int middleY = vertical.top + 50 + (vertical.Height() - 80) / 2;
    EXPECT_GT(Count(v, QRect(vertical.left + 50, middleY - 5, 300, 10), kBlack), 4);
    EXPECT_GT(Count(v, QRect(vertical.right - 310, middleY - 5, 300, 10), kBlack), 4);

    const gdi::Rect table = Page(0.3);
    const QImage t = Render("eot-table", [&](gdi::DC& dc) { DrawEotTable(dc, table); });
    EXPECT_GT(Dark(t, QRect(table.left + 50, table.top + 50, table.Width() - 60, table.Height() - 80)), 72 * 30);
}

TEST_F(PageRender, EphemeridesPage)
{
    DateTimeFields when;
    when.year = 2024;
    when.month = 6;
    when.day = 21;
    when.hour = 14;
    doc_->GetEphemeris().time = services_->FromLocal(when);
    doc_->GetEphemeris().fixedDate = 1;
    doc_->GetEphemeris().summerTime = 1;
    doc_->GetEphemeris().universalTime = 0;
    const QImage e = Render("ephemerides", [](gdi::DC& dc) { DrawEphemeridesPage(dc); });

    // The grey plate with its text; the page background around it.
    const QRgb plate = QColor(0xE0, 0xE0, 0xE0).rgb();
    EXPECT_EQ(e.pixel(kWidth / 2, 120), plate);
    EXPECT_EQ(e.pixel(10, 10), QColor(184, 208, 216).rgb());
    const QRect text(100, 150, kWidth - 200, kHeight - 300);
    EXPECT_GT(Dark(e, text), 27 * 100);
    // Text on the plate has no background of its own.
    EXPECT_EQ(Count(e, text, kWhite), 0);
}

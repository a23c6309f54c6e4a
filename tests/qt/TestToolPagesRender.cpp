// The tracing tools, the technical sheet, the azimuth-altitude graph, the stereographic diagram
// and the style drawings painted by the Qt context on an A4 sheet at the reference resolution,
// as the view shows them; the pictures are written to the build folder (pages/*.png).
#include "PageRenderSupport.h"

#include "app/Accessors.h"
#include "docview/CHoravelDoc.h"
#include "docview/ColorTable.h"
#include "docview/StyleDrawings.h"
#include "docview/SunPathPages.h"
#include "docview/TechnicalSheet.h"
#include "docview/TracingTools.h"
#include "docview/ViewLayout.h"
#include "model/Astronomy.h"
#include "model/CCadranHorizontal.h"
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

class ToolPagesRender : public PageRenderTest {
protected:
    void SetUp() override
    {
        PageRenderTest::SetUp();
        doc_->SetDrawingSizeMm({210, 297});
        doc_->SetSheetSizePx({kWidth, kHeight});
    }

    // A horizontal dial 300 mm square at the document's place, its tables filled.
    CCadranHorizontal& PutDial()
    {
        auto dial = std::make_unique<CCadranHorizontal>();
        dial->SetTypeAndPlane(1, 0.0, 0.0);
        dial->SetYear(2024);
        dial->SetSite(47.25, -6.0333, 1.0);
        dial->width = 300;
        dial->height = 300;
        dial->styleLimit = 25;
        dial->SetStyleAnchorPercent(50, 70);
        dial->ComputeAllTables();
        CCadranHorizontal& ref = *dial;
        doc_->SetDial(std::move(dial));
        return ref;
    }
};

const QRgb kBackground = QColor(184, 208, 216).rgb();

}  // namespace

TEST_F(ToolPagesRender, ProtractorAndAzimuthCircle)
{
    const QImage p = Render("protractor", [](gdi::DC& dc) { DrawProtractor(dc); });
    // The half disc lies left of its vertical diameter: ink there, the background on the right.
    EXPECT_GT(Dark(p, QRect(200, 300, 300, 500)), 500);
    EXPECT_EQ(p.pixel(kWidth - 20, kHeight / 2), kBackground);

    const QImage c = Render("azimuth-circle", [](gdi::DC& dc) { DrawAzimuthCircle(dc); });
    EXPECT_GT(Dark(c, QRect(40, 200, kWidth - 80, kHeight - 400)), 2000);
    EXPECT_EQ(c.pixel(10, 10), kBackground);
}

TEST_F(ToolPagesRender, EquinoctialRule)
{
    PutDial();
    const QImage r = Render("equinoctial-rule", [](gdi::DC& dc) { DrawEquinoctialRule(dc); });
    // The white rule in the middle third of the sheet, ticks along its right edge.
    const int left = kWidth * 13 / 30;
    const int right = kWidth * 17 / 30;
    EXPECT_EQ(r.pixel((left + right) / 2, kHeight / 2), QColor(Qt::white).rgb());
    EXPECT_GT(Dark(r, QRect(right - 32, 100, 30, kHeight - 200)), 100);
    EXPECT_EQ(r.pixel(left / 2, kHeight / 2), kBackground);
}

TEST_F(ToolPagesRender, TechnicalSheet)
{
    PutDial();
    const QImage s = Render("technical-sheet", [](gdi::DC& dc) { DrawTechnicalSheet(dc); });
    EXPECT_EQ(s.pixel(kWidth / 2, 120), QColor(0xE0, 0xE0, 0xE0).rgb());
    EXPECT_GT(Dark(s, QRect(100, 150, kWidth - 200, kHeight - 300)), 20 * 100);
}

TEST_F(ToolPagesRender, AzimuthAltitudeGraphAndStereographicDiagram)
{
    doc_->GetHorizonMask() = {{-180, 0}, {-180, 8}, {-120, 12}, {-60, 5}, {-20, 15}, {30, 4},
                              {90, 18}, {150, 6}, {180, 8}, {180, 0}};
    doc_->SetHorizonMaskFlag(true);
    const gdi::Rect page = viewlayout::PageRectsForMode(15, {kWidth, kHeight})->first;
    const QImage g = Render("azimuth-altitude-graph", [&](gdi::DC& dc) { DrawAzimuthAltitudeGraph(dc, page); });
    // The mask covers the foot of the plot in grey.
    const int bottom = page.bottom - 30;
    EXPECT_EQ(g.pixel((page.left + page.right) / 2, bottom - 5), QColor(128, 128, 128).rgb());
    // The June path culminates at 66 degrees above the plot's middle.
    const int plotTop = page.top + 50;
    const int noonY = bottom - (bottom - plotTop) * 66 / 90;
    EXPECT_NE(g.pixel((page.left + 50 + page.right - 10) / 2, noonY), QColor(Qt::white).rgb());

    PutDial();
    const QImage s = Render("stereographic-diagram", [](gdi::DC& dc) { DrawStereographicDiagram(dc); });
    EXPECT_GT(Dark(s, QRect(0, 0, kWidth, kHeight)), 1000);
}

TEST_F(ToolPagesRender, StyleDrawings)
{
    CCadranHorizontal& dial = PutDial();
    dial.styleTruncation = 1;
    const QImage plan = Render("style-plan", [](gdi::DC& dc) { DrawStylePlan(dc); });
    // The triangle is filled with the dial's background colour (palette entry 1).
    EXPECT_GT(qtdctest::InkBox(plan).width(), 0);
    int fill = 0;
    for (int y = 150; y < 420; ++y)
        for (int x = 200; x < 600; ++x)
            fill += plan.pixel(x, y) == QColor(250, 218, 180).rgb();
    EXPECT_GT(fill, 5000);

    const QImage atScale = Render("style-at-scale", [](gdi::DC& dc) { DrawStyleAtScale(dc); });
    int piece = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            piece += atScale.pixel(x, y) == QColor(250, 218, 180).rgb();
    // 25 mm of base and a cut end 40 - 25 tan 47.25 = 13 mm high under a 40 mm style: about
    // 665 square millimetres.
    EXPECT_NEAR(piece / (96 / 25.4) / (96 / 25.4), 665, 40);
}

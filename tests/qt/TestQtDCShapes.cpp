// Lines, figures, clipping and origins of the Qt device context, checked pixel by pixel
// on images drawn without antialiasing.
#include "TestQtDCCanvas.h"
#include "platform/qt/QtDC.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSvgGenerator>
#include <gtest/gtest.h>
#include <support/TestSupport.h>

using namespace gdi;
using qtdctest::Canvas;
using qtdctest::InkBox;
using qtdctest::InkCount;
using qtdctest::Inked;

TEST(QtDC, LinesCoverTheStartPixelAndNotTheEndPixelInEveryDirection)
{
    const Point directions[] = {{9, 0}, {-9, 0}, {0, 9}, {0, -9}, {9, 4}, {-9, -4}, {4, 9},
                                {-4, -9}, {7, 7}, {-7, 7}, {7, -7}, {-7, -7}, {1, 0}, {-1, 1}};
    for (const Point& d : directions) {
        QImage image = Canvas(40, 40);
        {
            QtDC dc(image);
            dc.MoveTo(20, 20);
            dc.LineTo(20 + d.x, 20 + d.y);
            EXPECT_EQ(dc.GetCurrentPosition(), (Point{20 + d.x, 20 + d.y}));
        }
        SCOPED_TRACE(testing::Message() << "direction " << d.x << "," << d.y);
        EXPECT_TRUE(Inked(image, 20, 20));
        EXPECT_FALSE(Inked(image, 20 + d.x, 20 + d.y));
        EXPECT_EQ(InkCount(image), std::max(std::abs(d.x), std::abs(d.y)));
    }

    // A polyline leaves out its last point only, and joins without gaps.
    QImage image = Canvas(40, 40);
    {
        QtDC dc(image);
        const Point pts[4] = {{5, 5}, {15, 5}, {15, 15}, {5, 15}};
        EXPECT_TRUE(dc.Polyline(pts, 4));
        EXPECT_FALSE(dc.Polyline(pts, 1));
    }
    EXPECT_EQ(InkCount(image), 30);
    EXPECT_TRUE(Inked(image, 15, 5));
    EXPECT_TRUE(Inked(image, 6, 15));
    EXPECT_FALSE(Inked(image, 5, 15));
}

TEST(QtDC, RectanglesAndEllipsesLeaveOutTheirRightAndBottomEdges)
{
    QImage image = Canvas(60, 60);
    {
        QtDC dc(image);
        dc.SelectBrush({BS_SOLID, RGB(0, 0, 255)});
        dc.Rectangle(0, 0, 10, 10);
        dc.Ellipse(20, 0, 40, 20);
        dc.SelectStockPen(NULL_PEN);
        dc.Rectangle(0, 30, 10, 40);
        dc.Ellipse(20, 30, 40, 50);
    }
    EXPECT_EQ(InkBox(image, {0, 0, 15, 15}), QRect(0, 0, 10, 10));
    EXPECT_EQ(image.pixel(0, 0), 0xFF000000u);  // outline in the pen
    EXPECT_EQ(image.pixel(5, 5), 0xFF0000FFu);  // inside in the brush
    EXPECT_EQ(InkBox(image, {18, 0, 30, 25}), QRect(20, 0, 20, 20));
    EXPECT_EQ(image.pixel(30, 10), 0xFF0000FFu);

    // Without a pen the figure is one pixel narrower and shorter.
    EXPECT_EQ(InkBox(image, {0, 28, 15, 15}), QRect(0, 30, 9, 9));
    const QRect ellipse = InkBox(image, {18, 28, 30, 25});
    EXPECT_GE(ellipse.left(), 20);
    EXPECT_LE(ellipse.right(), 38);
    EXPECT_LE(ellipse.bottom(), 48);
}

TEST(QtDC, PolygonsFillInsideTheirVerticesAndOutlineAllOfThem)
{
    QImage image = Canvas(40, 40);
    {
        QtDC dc(image);
        dc.SelectBrush({BS_SOLID, RGB(255, 0, 0)});
        dc.SelectStockPen(NULL_PEN);
        const Point square[4] = {{10, 10}, {20, 10}, {20, 20}, {10, 20}};
        dc.Polygon(square, 4);
        dc.SelectStockPen(BLACK_PEN);
        dc.SelectStockBrush(NULL_BRUSH);
        const Point outline[3] = {{25, 25}, {35, 25}, {25, 35}};
        dc.Polygon(outline, 3);
    }
    EXPECT_EQ(InkBox(image, {0, 0, 22, 22}), QRect(10, 10, 10, 10));
    EXPECT_EQ(InkCount(image, {0, 0, 22, 22}), 100);
    EXPECT_EQ(InkBox(image, {23, 23, 17, 17}), QRect(25, 25, 11, 11));
    EXPECT_FALSE(Inked(image, 28, 28));  // hollow
}

TEST(QtDC, PenStylesWidthsAndCaps)
{
    QImage image = Canvas(220, 60);
    {
        QtDC dc(image);
        dc.SelectPen({PS_DASH, 1, RGB(0, 0, 0)});
        dc.MoveTo(0, 5);
        dc.LineTo(96, 5);
        dc.SelectPen({PS_DOT, 0, RGB(0, 0, 0)});
        dc.MoveTo(0, 10);
        dc.LineTo(96, 10);
        // The style runs on from one segment of a polyline to the next.
        dc.SelectPen({PS_DASH, 1, RGB(0, 0, 0)});
        Point steps[25];
        for (int i = 0; i < 25; ++i)
            steps[i] = {4 * i, 15};
        dc.Polyline(steps, 25);
        // Wide pens are round at their ends and never dashed.
        dc.SelectPen({PS_DASH, 7, RGB(0, 0, 0)});
        dc.MoveTo(120, 30);
        dc.LineTo(180, 30);
    }
    EXPECT_EQ(InkCount(image, {0, 5, 96, 1}), 4 * 18);
    EXPECT_EQ(InkBox(image, {0, 5, 18, 1}), QRect(0, 5, 18, 1));
    EXPECT_FALSE(Inked(image, 20, 5));
    EXPECT_EQ(InkCount(image, {0, 10, 96, 1}), 48);
    EXPECT_TRUE(Inked(image, 0, 10));
    EXPECT_FALSE(Inked(image, 3, 10));
    EXPECT_EQ(InkCount(image, {0, 15, 96, 1}), 4 * 18);

    const QRect wide = InkBox(image, {110, 20, 110, 20});
    EXPECT_EQ(wide.top(), 27);
    EXPECT_EQ(wide.bottom(), 33);
    EXPECT_LE(wide.left(), 118);
    EXPECT_GE(wide.right(), 182);
    EXPECT_EQ(InkCount(image, {120, 30, 61, 1}), 61);
    EXPECT_FALSE(Inked(image, 117, 27));  // rounded corner, not square
}

TEST(QtDC, ArcsRunCounterClockwiseFromTheStartRadial)
{
    // Box (0,0)-(101,101): centre (50,50), radius 50.
    const auto quadrants = [](const QImage& image) {
        return std::array<int, 4>{InkCount(image, {53, 0, 48, 48}),  // upper right
                                  InkCount(image, {0, 0, 48, 48}),   // upper left
                                  InkCount(image, {0, 53, 48, 48}),  // lower left
                                  InkCount(image, {53, 53, 48, 48})};
    };
    QImage quarter = Canvas(101, 101);
    QImage threeQuarters = Canvas(101, 101);
    QImage full = Canvas(101, 101);
    {
        QtDC dc(quarter);
        dc.Arc(0, 0, 101, 101, 100, 50, 50, 0);  // from east to north
    }
    {
        QtDC dc(threeQuarters);
        dc.Arc(0, 0, 101, 101, 50, 0, 100, 50);  // from north round to east
    }
    {
        QtDC dc(full);
        dc.Arc(0, 0, 101, 101, 0, 50, 0, 50);  // the same radial twice
    }
    const auto q1 = quadrants(quarter);
    EXPECT_GT(q1[0], 40);
    EXPECT_EQ(q1[1] + q1[2] + q1[3], 0);
    const auto q3 = quadrants(threeQuarters);
    EXPECT_EQ(q3[0], 0);
    EXPECT_GT(q3[1], 40);
    EXPECT_GT(q3[2], 40);
    EXPECT_GT(q3[3], 40);
    const auto qf = quadrants(full);
    for (int n : qf)
        EXPECT_GT(n, 40);
    EXPECT_EQ(InkBox(full), QRect(0, 0, 101, 101));
}

TEST(QtDC, PiesAndChordsFollowTheRadialsOfAnEllipse)
{
    // A wide ellipse: the end radial at 45 degrees meets it at (cx + 44.7, cy - 44.7), not
    // at the parametric angle's point (cx + 70.7, cy - 35.4).
    QImage image = Canvas(210, 220);
    {
        QtDC dc(image);
        dc.SelectStockPen(NULL_PEN);
        dc.SelectBrush({BS_SOLID, RGB(0, 0, 0)});
        dc.Pie(0, 0, 201, 101, 200, 50, 150, 0);
        dc.Chord(0, 110, 101, 211, 100, 160, 50, 110);
    }
    EXPECT_TRUE(Inked(image, 100 + 35, 50 - 30));
    EXPECT_FALSE(Inked(image, 100 + 30, 50 - 35));
    EXPECT_TRUE(Inked(image, 100 + 10, 50 - 8));
    EXPECT_FALSE(Inked(image, 100 + 10, 50 + 8));  // below the start radial
    // The chord of a quarter leaves the centre side empty.
    EXPECT_TRUE(Inked(image, 85, 125));
    EXPECT_FALSE(Inked(image, 60, 150));
    EXPECT_FALSE(Inked(image, 40, 150));
}

TEST(QtDC, ClippingSaveRestoreOriginsAndPalette)
{
    QImage image = Canvas(100, 100);
    {
        QtDC dc(image);
        dc.SetPalette({RGB(255, 0, 0), RGB(0, 0, 255)});
        EXPECT_EQ(dc.SaveDC(), 1);
        dc.SelectPen({PS_SOLID, 1, PALETTEINDEX(1)});
        dc.IntersectClipRect({10, 10, 20, 20});
        dc.FillSolidRect({0, 0, 100, 100}, PALETTEINDEX(0));
        dc.IntersectClipRect({100, 100, 200, 200});
        dc.FillSolidRect({0, 0, 100, 100}, RGB(0, 255, 0));  // nothing left to draw on
        EXPECT_TRUE(dc.RestoreDC(-1));
        EXPECT_TRUE(dc.GetClipBox() == (Rect{0, 0, 100, 100}));
        dc.MoveTo(0, 30);
        dc.LineTo(50, 30);  // black again, and not clipped

        dc.SelectPen({PS_SOLID, 1, PALETTEINDEX(1)});
        dc.SetViewportOrg(60, 40);
        dc.SetWindowOrg(5, 5);
        dc.SetPixel(5, 5, PALETTEINDEX(1));
        dc.FillSolidRect({10, 10, 13, 12}, RGB(0, 0, 0));
        dc.SelectClipRect(nullptr);
    }
    EXPECT_EQ(InkBox(image, {0, 0, 100, 25}), QRect(10, 10, 10, 10));
    EXPECT_EQ(image.pixel(15, 15), 0xFFFF0000u);
    EXPECT_EQ(InkCount(image, {0, 30, 100, 1}), 50);
    EXPECT_EQ(image.pixel(0, 30), 0xFF000000u);
    EXPECT_EQ(image.pixel(60, 40), 0xFF0000FFu);
    EXPECT_EQ(InkBox(image, {61, 41, 39, 59}), QRect(65, 45, 3, 2));
}

TEST(QtDC, ImagesStretchOverTheirRectangle)
{
    Image picture;
    picture.width = 2;
    picture.height = 2;
    picture.pixels = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFF000000u};
    EXPECT_EQ(FromQImage(ToQImage(picture)).pixels, picture.pixels);

    QImage image = Canvas(40, 40);
    {
        QtDC dc(image);
        EXPECT_TRUE(dc.DrawImage({10, 10, 30, 30}, picture));
        EXPECT_FALSE(dc.DrawImage({0, 0, 5, 5}, Image{}));
    }
    EXPECT_EQ(InkBox(image), QRect(10, 10, 20, 20));
    EXPECT_EQ(image.pixel(10, 10), 0xFFFF0000u);
    EXPECT_EQ(image.pixel(29, 10), 0xFF00FF00u);
    EXPECT_EQ(image.pixel(10, 29), 0xFF0000FFu);
    EXPECT_EQ(image.pixel(29, 29), 0xFF000000u);
}

TEST(QtDC, DeviceCapsComeFromThePaintDevice)
{
    QImage image = Canvas(300, 150, 150);
    {
        QtDC dc(image);
        EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSX), 150);
        EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSY), 150);
        EXPECT_EQ(dc.GetDeviceCaps(HORZRES), 300);
        EXPECT_EQ(dc.GetDeviceCaps(VERTRES), 150);
        EXPECT_EQ(dc.GetDeviceCaps(HORZSIZE), 51);  // 2 inches
        EXPECT_EQ(dc.GetDeviceCaps(BITSPIXEL), 32);
        EXPECT_FALSE(dc.IsPrinting());
        dc.SetPreview(true);
        EXPECT_TRUE(dc.IsPreview());
    }

    testsupport::TempDir dir;
    QPdfWriter pdf(QString::fromStdString((dir / "caps.pdf").string()));
    pdf.setResolution(300);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    {
        QtDC dc(pdf);
        EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSX), 300);
        EXPECT_NEAR(dc.GetDeviceCaps(HORZSIZE), 210, 1);
        EXPECT_NEAR(dc.GetDeviceCaps(VERTSIZE), 297, 1);
        EXPECT_NEAR(dc.GetDeviceCaps(HORZRES), 2480, 1);
        EXPECT_TRUE(dc.IsPrinting());
        dc.SetPrinting(false);
        EXPECT_FALSE(dc.IsPrinting());
    }

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString((dir / "printer.pdf").string()));
    printer.setResolution(300);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(10, 15, 10, 15), QPageLayout::Millimeter);
    {
        QtDC dc(printer);
        EXPECT_TRUE(dc.IsActive());
        EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSY), 300);
        EXPECT_NEAR(dc.GetDeviceCaps(HORZSIZE), 190, 1);
        EXPECT_NEAR(dc.GetDeviceCaps(VERTSIZE), 267, 1);
        EXPECT_NEAR(dc.GetDeviceCaps(PHYSICALWIDTH), 2480, 1);
        EXPECT_NEAR(dc.GetDeviceCaps(PHYSICALOFFSETX), 118, 1);  // 10 mm
        EXPECT_TRUE(dc.IsPrinting());
    }
}

TEST(QtDC, DrawsThroughACallersPainterAndGivesItBack)
{
    QImage image = Canvas(60, 60);
    QPainter painter(&image);
    painter.translate(20, 10);
    painter.setClipRect(QRect(-20, -10, 40, 60));  // device x 0..39
    {
        QtDC dc(painter);
        EXPECT_EQ(dc.GetClipBox(), (Rect{-20, -10, 40, 50}));  // the image, seen shifted
        dc.IntersectClipRect({0, 0, 100, 100});
        dc.MoveTo(0, 0);
        dc.LineTo(30, 0);  // device 20..49, cut at 39 by the caller's clip
        dc.SelectStockPen(NULL_PEN);
        dc.SelectBrush({BS_SOLID, RGB(0, 0, 0)});
        dc.Rectangle(-20, 20, -10, 30);  // outside our clip, inside the caller's
    }
    EXPECT_EQ(painter.worldTransform().dx(), 20);
    EXPECT_EQ(painter.clipBoundingRect().toRect(), QRect(-20, -10, 40, 60));
    painter.end();
    EXPECT_EQ(InkBox(image, {0, 0, 60, 15}), QRect(20, 10, 20, 1));
    EXPECT_EQ(InkCount(image, {0, 25, 60, 35}), 0);

    // A caller's opacity, and a clip of more than one rectangle, hold for thin lines too.
    QImage faded = Canvas(60, 60);
    QPainter fading(&faded);
    fading.setOpacity(0.5);
    fading.setClipRegion(QRegion(0, 0, 10, 60) + QRegion(30, 0, 10, 60));
    {
        QtDC dc(fading);
        dc.SelectPen({PS_SOLID, 1, RGB(0, 0, 0)});
        dc.MoveTo(0, 5);
        dc.LineTo(60, 5);
    }
    fading.end();
    EXPECT_EQ(InkBox(faded), QRect(0, 5, 40, 1));
    EXPECT_EQ(InkCount(faded), 20);
    EXPECT_GT(qRed(faded.pixel(5, 5)), 100);  // half black on white
}

TEST(QtDC, OnATwiceDenseImageThinLinesStayOneDevicePixelWide)
{
    // The same lines plotted straight into the image, and drawn by the painter when a clip of
    // two rectangles (that holds them all) sends them there.
    const auto draw = [](bool throughPainter) {
        QImage image = Canvas(120, 80);
        image.setDevicePixelRatio(2);
        QPainter painter(&image);
        if (throughPainter)
            painter.setClipRegion(QRegion(0, 0, 60, 38) + QRegion(0, 38, 30, 2));
        {
            QtDC dc(painter);
            EXPECT_EQ(dc.GetDeviceCaps(HORZRES), 60);
            dc.MoveTo(5, 5);
            dc.LineTo(25, 5);
            dc.MoveTo(5, 10);
            dc.LineTo(5, 30);
            dc.MoveTo(30, 10);
            dc.LineTo(50, 20);
            dc.SelectPen({PS_DASH, 1, RGB(0, 0, 0)});
            dc.MoveTo(10, 35);
            dc.LineTo(58, 35);
        }
        return image;
    };
    const QImage image = draw(false);
    // Each pixel of the context is two device pixels square; a line runs through the centres.
    EXPECT_EQ(InkBox(image, {0, 0, 120, 16}), QRect(11, 11, 40, 1));
    EXPECT_EQ(InkCount(image, {0, 0, 120, 16}), 40);
    EXPECT_EQ(InkBox(image, {0, 16, 40, 50}), QRect(11, 21, 1, 40));
    EXPECT_EQ(InkCount(image, {0, 16, 40, 50}), 40);
    EXPECT_EQ(InkBox(image, {50, 16, 70, 40}), QRect(61, 21, 40, 21));
    for (int x = 61; x <= 100; ++x)
        EXPECT_EQ(InkCount(image, {x, 16, 1, 40}), 1) << x;
    // Dashes of 18 and gaps of 6 pixels of the context: 36 and 12 device pixels.
    EXPECT_EQ(InkBox(image, {0, 66, 120, 14}), QRect(21, 71, 96 - 12, 1));
    EXPECT_EQ(InkCount(image, {0, 66, 120, 14}), 72);
    EXPECT_TRUE(Inked(image, 56, 71));
    EXPECT_FALSE(Inked(image, 57, 71));
    EXPECT_EQ(image, draw(true));
}

TEST(QtDC, VectorDevicesGetLinesThroughPixelCentres)
{
    QBuffer buffer;
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(100, 100));
    svg.setResolution(96);
    {
        QtDC dc(svg);
        EXPECT_FALSE(dc.IsPrinting());
        dc.SelectPen({PS_DASH, 1, RGB(0, 0, 255)});
        const Point pts[3] = {{10, 10}, {50, 10}, {50, 40}};
        dc.Polyline(pts, 3);
    }
    const QString out = QString::fromUtf8(buffer.data());
    EXPECT_TRUE(out.contains("10.5,10.5")) << out.toStdString();
    EXPECT_TRUE(out.contains("50.5,40.5"));
    EXPECT_TRUE(out.contains("stroke-dasharray"));
}

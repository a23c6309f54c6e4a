// Fonts and text of the Qt device context: faces, heights, the nine alignments,
// escapement, background, the zodiac symbols and text in a rectangle.
#include "TestQtDCCanvas.h"
#include "platform/qt/QtDC.h"

#include <QFontInfo>
#include <QPdfWriter>
#include <gtest/gtest.h>
#include <support/TestSupport.h>

using namespace gdi;
using qtdctest::Canvas;
using qtdctest::InkBox;
using qtdctest::InkCount;

namespace {

LogFont Face(std::string face, int height, int weight = FW_NORMAL)
{
    LogFont f;
    f.height = height;
    f.weight = weight;
    f.faceName = std::move(face);
    return f;
}

}  // namespace

TEST(QtDCText, FacesResolveToTheInstalledFamilies)
{
    QImage image = Canvas(10, 10);
    const auto family = [&](const LogFont& f) { return QFontInfo(MakeQFont(f, &image)).family(); };
    EXPECT_EQ(family(Face("ARIAL", -12)), "Liberation Sans");
    EXPECT_EQ(family(Face("arial", -12)), "Liberation Sans");
    EXPECT_EQ(family(Face("Times New Roman", -12)), "Liberation Serif");
    EXPECT_EQ(family(Face("COURIER NEW", -12)), "Liberation Mono");
    EXPECT_EQ(family(Face("Wingdings", -12)), "DejaVu Sans");
    LogFont roman = Face("", -12);
    roman.pitchAndFamily = FF_ROMAN;
    EXPECT_EQ(family(roman), "Liberation Serif");

    LogFont styled = Face("Arial", -12, FW_BOLD);
    styled.italic = true;
    const QFontInfo info(MakeQFont(styled, &image));
    EXPECT_TRUE(info.bold());
    EXPECT_TRUE(info.italic());
}

TEST(QtDCText, NegativeHeightsAreTheEmAndPositiveOnesTheCell)
{
    QImage image = Canvas(10, 10);
    QtDC dc(image);
    dc.SelectFont(Face("Arial", 40));
    TextMetrics tm = dc.GetTextMetrics();
    EXPECT_NEAR(tm.height, 40, 1);
    EXPECT_EQ(tm.height, tm.ascent + tm.descent);
    dc.SelectFont(Face("Arial", -40));
    tm = dc.GetTextMetrics();
    EXPECT_NEAR(tm.height, 45, 1);  // Liberation Sans: the cell is 1.117 em
    EXPECT_EQ(dc.GetTextExtent("Heure").cy, tm.height);
    EXPECT_EQ(dc.GetCurrentFont().faceName, "Arial");

    // On a 300 dpi page a pixel height stays in device pixels; height 0 is 12 points.
    testsupport::TempDir dir;
    QPdfWriter pdf(QString::fromStdString((dir / "fonts.pdf").string()));
    pdf.setResolution(300);
    QtDC page(pdf);
    page.SelectFont(Face("Arial", -40));
    EXPECT_NEAR(page.GetTextMetrics().height, 45, 1);
    page.SelectFont(Face("Arial", 0));
    EXPECT_NEAR(page.GetTextMetrics().height, 56, 1);  // 50-pixel em
}

TEST(QtDCText, NineAlignmentsPlaceTheTextAroundTheReferencePoint)
{
    const unsigned horizontal[] = {TA_LEFT, TA_CENTER, TA_RIGHT};
    const unsigned vertical[] = {TA_TOP, TA_BASELINE, TA_BOTTOM};
    const int x = 150;
    const int y = 100;
    for (unsigned h : horizontal) {
        for (unsigned v : vertical) {
            QImage image = Canvas(300, 200);
            TextMetrics tm;
            Size extent;
            {
                QtDC dc(image);
                dc.SelectFont(Face("Arial", -40));
                dc.SetBkMode(TRANSPARENT);
                dc.SetTextAlign(h | v);
                EXPECT_TRUE(dc.TextOut(x, y, "HH"));
                tm = dc.GetTextMetrics();
                extent = dc.GetTextExtent("HH");
            }
            SCOPED_TRACE(testing::Message() << "alignment " << (h | v));
            const QRect ink = InkBox(image);
            const int left = h == TA_LEFT ? x : (h == TA_CENTER ? x - extent.cx / 2 : x - extent.cx);
            const int baseline = v == TA_TOP ? y + tm.ascent : (v == TA_BASELINE ? y : y - tm.descent);
            // "H" stands on the baseline, inside its advance with a small side bearing.
            EXPECT_NEAR(ink.bottom(), baseline - 1, 1);
            EXPECT_GE(ink.left(), left);
            EXPECT_LE(ink.left(), left + 5);
            EXPECT_LE(ink.right(), left + extent.cx - 1);
            EXPECT_GE(ink.right(), left + extent.cx - 6);
            EXPECT_GT(ink.height(), tm.ascent / 2);
        }
    }
}

TEST(QtDCText, EscapementTurnsTheTextCounterClockwise)
{
    QImage image = Canvas(200, 200);
    Size extent;
    {
        QtDC dc(image);
        LogFont f = Face("Arial", -30);
        f.escapement = 900;
        dc.SelectFont(f);
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextAlign(TA_LEFT | TA_BASELINE);
        dc.TextOut(100, 150, "HHHH");
        extent = dc.GetTextExtent("HHHH");
    }
    // Going up from the reference point, the letters' tops to the left of it.
    const QRect ink = InkBox(image);
    EXPECT_GT(ink.height(), 2 * ink.width());
    EXPECT_LE(ink.bottom(), 150);
    EXPECT_GE(ink.bottom(), 144);
    EXPECT_NEAR(ink.top(), 150 - extent.cx, 6);
    EXPECT_LE(ink.right(), 100);
    EXPECT_GE(ink.left(), 100 - extent.cy);
}

TEST(QtDCText, OpaqueModeFillsTheTextCellWithTheBackgroundColour)
{
    QImage opaque = Canvas(120, 60);
    QImage transparent = Canvas(120, 60);
    Size extent;
    for (QImage* image : {&opaque, &transparent}) {
        QtDC dc(*image);
        dc.SelectFont(Face("Arial", -20));
        dc.SetBkColor(RGB(255, 0, 0));
        dc.SetBkMode(image == &opaque ? OPAQUE : TRANSPARENT);
        dc.TextOut(20, 20, "Ab");
        extent = dc.GetTextExtent("Ab");
    }
    EXPECT_EQ(InkBox(opaque), QRect(20, 20, extent.cx, extent.cy));
    EXPECT_EQ(InkCount(opaque), extent.cx * extent.cy);
    EXPECT_EQ(opaque.pixel(20, 20), 0xFFFF0000u);
    bool anyRed = false;
    for (int yy = 0; yy < transparent.height(); ++yy)
        for (int xx = 0; xx < transparent.width(); ++xx)
            anyRed = anyRed || transparent.pixel(xx, yy) == 0xFFFF0000u;
    EXPECT_FALSE(anyRed);
}

TEST(QtDCText, SymbolFaceDrawsTheZodiacSigns)
{
    const auto draw = [](const std::string& face, const std::string& text, Size* extent) {
        QImage image = Canvas(600, 80);
        QtDC dc(image);
        dc.SelectFont(Face(face, -40));
        dc.TextOut(10, 10, text);
        *extent = dc.GetTextExtent(text);
        return image;
    };
    Size letters;
    Size signs;
    Size plain;
    const QImage wingdings = draw("Wingdings", "^_`abcdefghi", &letters);
    const QImage dejavu = draw("DejaVu Sans", "\u2648\u2649\u264A\u264B\u264C\u264D\u264E\u264F\u2650\u2651\u2652\u2653", &signs);
    const QImage caret = draw("DejaVu Sans", "^_`abcdefghi", &plain);
    EXPECT_GT(InkCount(wingdings), 500);
    EXPECT_EQ(wingdings, dejavu);
    EXPECT_NE(wingdings, caret);
    EXPECT_EQ(letters, signs);

    // Other characters of the face are drawn as they are.
    Size a;
    Size b;
    EXPECT_EQ(draw("Wingdings", "12", &a), draw("DejaVu Sans", "12", &b));
}

TEST(QtDCText, DrawTextWrapsCentresAndClipsToItsRectangle)
{
    QImage image = Canvas(400, 300);
    {
        QtDC dc(image);
        dc.SelectFont(Face("Arial", -20));
        dc.SetBkMode(TRANSPARENT);
        const int lineHeight = dc.GetTextMetrics().height;

        Rect calc{10, 10, 160, 10};
        const int height = dc.DrawText("Cadran solaire de la place du village", calc, DT_WORDBREAK | DT_CALCRECT);
        EXPECT_GE(height, 2 * lineHeight);
        EXPECT_EQ(height % lineHeight, 0);
        EXPECT_EQ(calc.bottom, 10 + height);
        EXPECT_LE(calc.right, 160);
        EXPECT_EQ(InkCount(image), 0);  // measuring draws nothing

        Rect box{10, 10, 160, 150};
        EXPECT_EQ(dc.DrawText("Cadran solaire de la place du village", box, DT_WORDBREAK | DT_CENTER), height);
        Rect single{200, 0, 400, 100};
        dc.DrawText("H", single, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
        Rect narrow{10, 200, 60, 240};
        dc.DrawText("Horizontal", narrow, DT_SINGLELINE);
        Rect loose{10, 250, 60, 290};
        dc.DrawText("Horizontal", loose, DT_SINGLELINE | DT_NOCLIP);
    }
    const QRect wrapped = InkBox(image, {0, 0, 190, 190});
    EXPECT_NEAR((wrapped.left() + wrapped.right()) / 2.0, 85, 4);
    EXPECT_LE(wrapped.right(), 159);
    const QRect h = InkBox(image, {200, 0, 200, 100});
    EXPECT_NEAR((h.left() + h.right()) / 2.0, 300, 2);
    EXPECT_NEAR((h.top() + h.bottom()) / 2.0, 50, 4);
    EXPECT_EQ(InkBox(image, {10, 195, 390, 50}).right(), 59);
    EXPECT_GT(InkBox(image, {10, 245, 390, 50}).right(), 70);
}

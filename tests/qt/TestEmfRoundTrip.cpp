// Metafiles written by EmfDC, read back by the program's own picture decoder (libemf2svg, then
// the SVG renderer): the pixels must be those the Qt context draws for the same calls.
#include "platform/EmfDC.h"
#include "platform/qt/QtDC.h"
#include "platform/qt/QtImageDecoder.h"
#include "platform/qt/QtScreenDC.h"
#include "support/EmfTestReader.h"
#include "support/TestSupport.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace {

using namespace gdi;

constexpr int kWidth = 240;
constexpr int kHeight = 160;

// Every kind of record the program writes, in colours far apart. The picture decoder's SVG
// renderer ignores clipping, so the clipped band is drawn only where the SVG is read.
void DrawScene(DC& dc, bool clippedBand)
{
    dc.FillSolidRect({0, 0, kWidth, kHeight}, RGB(255, 255, 255));
    dc.FillSolidRect({10, 10, 60, 50}, RGB(220, 0, 0));

    dc.SelectPen({PS_SOLID, 6, RGB(0, 0, 200)});
    const Point path[3] = {{80, 20}, {220, 20}, {220, 60}};
    dc.Polyline(path, 3);

    dc.SelectPen({PS_SOLID, 1, RGB(0, 0, 0)});
    dc.SelectBrush({BS_SOLID, RGB(0, 170, 0)});
    dc.Ellipse(20, 70, 80, 130);

    dc.SelectStockPen(NULL_PEN);
    dc.SelectBrush({BS_SOLID, RGB(200, 0, 200)});
    const Point triangle[3] = {{100, 80}, {180, 80}, {140, 150}};
    dc.Polygon(triangle, 3);

    dc.SelectPen({PS_SOLID, 3, RGB(0, 150, 150)});
    dc.MoveTo(90, 70);
    dc.LineTo(230, 70);

    // Only the clipped part of this band is drawn.
    const int saved = dc.SaveDC();
    dc.IntersectClipRect({185, 90, 235, 150});
    dc.FillSolidRect(clippedBand ? Rect{150, 85, 240, 155} : Rect{185, 90, 235, 150}, RGB(255, 140, 0));
    dc.RestoreDC(saved);

    Image checker;
    checker.width = 4;
    checker.height = 4;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            checker.pixels.push_back((x / 2 + y / 2) % 2 ? 0xFF0000FFu : 0xFFFFFF00u);
    dc.DrawImage({70, 20, 74, 24}, checker);

    LogFont font;
    font.height = -22;
    font.weight = FW_BOLD;
    font.faceName = "Arial";
    dc.SelectFont(font);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(0, 0, 0));
    dc.SetTextAlign(TA_LEFT | TA_BASELINE);
    dc.TextOut(10, 155, "Horavel");
}

QImage DrawWithQt()
{
    QImage image(kWidth, kHeight, QImage::Format_ARGB32);
    image.fill(Qt::white);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    {
        QtDC dc(image);
        DrawScene(dc, false);
    }
    return image;
}

std::string DrawAsMetafile(bool clippedBand)
{
    const std::unique_ptr<DC> reference = CreateQtScreenDC(96, 96);
    const EmfDevice device{{1280, 1024}, {339, 271}};
    EmfDC emf(*reference, device, std::string_view("Horavel\0test\0\0", 14),
              Rect{0, 0, (kWidth - 1) * 33900 / 1280, (kHeight - 1) * 27100 / 1024});
    DrawScene(emf, clippedBand);
    return emf.Close();
}

int Distance(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
}

// A pixel whose neighbours within two pixels all have its colour: away from every edge, so
// antialiasing and half-pixel differences of the readers do not count.
bool Interior(const QImage& image, int x, int y)
{
    const QRgb c = image.pixel(x, y);
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx) {
            const int px = x + dx;
            const int py = y + dy;
            if (px < 0 || py < 0 || px >= image.width() || py >= image.height() || image.pixel(px, py) != c)
                return false;
        }
    return true;
}

int DarkPixels(const QImage& image, const QRect& area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += qGray(image.pixel(x, y)) < 100 ? 1 : 0;
    return n;
}

}  // namespace

TEST(EmfRoundTrip, TheDecoderDrawsWhatTheQtContextDraws)
{
    const std::string bytes = DrawAsMetafile(false);
    const emftest::File file = emftest::Read(bytes);
    EXPECT_TRUE(file.errors.empty());
    EXPECT_EQ(file.bounds, (emftest::Rect{0, 0, kWidth - 1, kHeight - 1}));

    QtImageDecoder decoder;
    const gdi::Image decoded = decoder.Decode(bytes, {kWidth, kHeight});
    ASSERT_EQ(decoded.width, kWidth);
    ASSERT_EQ(decoded.height, kHeight);
    QImage fromMetafile = ToQImage(decoded).convertToFormat(QImage::Format_RGB32);
    // Transparent pixels would be the reader's, not ours: the scene starts with white.
    const QImage expected = DrawWithQt().convertToFormat(QImage::Format_RGB32);

    if (const char* folder = std::getenv("HORAVEL_EMF_PICTURES")) {
        expected.save(QString::fromUtf8(folder) + "/roundtrip_qt.png");
        fromMetafile.save(QString::fromUtf8(folder) + "/roundtrip_emf.png");
        testsupport::WriteFileBytes(std::filesystem::path(folder) / "roundtrip.emf", bytes);
    }

    int interior = 0;
    int mismatched = 0;
    std::string examples;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            if (!Interior(expected, x, y))
                continue;
            ++interior;
            if (Distance(expected.pixel(x, y), fromMetafile.pixel(x, y)) > 48) {
                if (++mismatched <= 5)
                    examples += " (" + std::to_string(x) + "," + std::to_string(y) + ") expected "
                                + QColor(expected.pixel(x, y)).name().toStdString() + " got "
                                + QColor(fromMetafile.pixel(x, y)).name().toStdString();
            }
        }
    }
    EXPECT_GT(interior, kWidth * kHeight / 2);
    EXPECT_LE(mismatched, interior / 100) << mismatched << " of " << interior << " pixels differ:" << examples;

    // Thin text has few interior pixels: its ink is compared instead.
    const QRect text(5, 130, 110, 30);
    const int qtInk = DarkPixels(expected, text);
    const int emfInk = DarkPixels(fromMetafile, text);
    EXPECT_GT(qtInk, 100);
    EXPECT_NEAR(emfInk, qtInk, qtInk * 0.35) << "ink of the text";
}

TEST(EmfRoundTrip, TheSvgKeepsFacesTextsAndPictures)
{
    const std::string svg = QtImageDecoder::EmfToSvg(DrawAsMetafile(true), 0, 0);
    ASSERT_FALSE(svg.empty());
    EXPECT_NE(svg.find("<clipPath"), std::string::npos);
    EXPECT_NE(svg.find("M 185.0000,90.0000 L 235.0000,90.0000 L 235.0000,150.0000"), std::string::npos) << svg;
    EXPECT_NE(svg.find("Horavel"), std::string::npos);
    EXPECT_NE(svg.find("Arial"), std::string::npos);
    EXPECT_NE(svg.find("image"), std::string::npos) << "the picture of the scene";
}

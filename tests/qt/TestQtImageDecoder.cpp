// Pictures decoded on Qt and the metafile libraries, and screen contexts that measure with
// real fonts.
#include "docview/CImagePicture.h"
#include "docview/CObjetBitmap.h"
#include "platform/RecordingDC.h"
#include "platform/ScreenDC.h"
#include "platform/qt/QtDC.h"
#include "platform/qt/QtImageDecoder.h"
#include "platform/qt/QtScreenDC.h"
#include "support/PictureBytes.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QPaintEngine>
#include <QPainter>
#include <QPixmap>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

using namespace testpictures;

std::uint32_t Pixel(const gdi::Image& image, int x, int y)
{
    return image.pixels.at(static_cast<std::size_t>(y) * image.width + x);
}

// Opaque colour of a pixel as 0xRRGGBB.
std::uint32_t Rgb(const gdi::Image& image, int x, int y)
{
    return Pixel(image, x, y) & 0xFFFFFFu;
}

// A device that keeps the pixmaps drawn on it and draws nothing, as a print preview's pages do
// (an image drawn there becomes a new pixmap).
class KeepingEngine final : public QPaintEngine {
public:
    KeepingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap& pixmap, const QRectF&) override { kept.push_back(pixmap); }
    Type type() const override { return QPaintEngine::User; }
    std::vector<QPixmap> kept;
};

class KeepingDevice final : public QPaintDevice {
public:
    QPaintEngine* paintEngine() const override { return &engine; }
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
        case PdmHeight: return 1000;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY: return 600;
        case PdmDepth: return 32;
        case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
        default: return 1;
        }
    }
    mutable KeepingEngine engine;
};

TEST(QtImageDecoder, DecodesEveryBitmapKind)
{
    QtImageDecoder decoder;
    const gdi::Image bmp = decoder.Decode(Bmp24(3, 2, 0x336699), {});
    ASSERT_EQ(bmp.width, 3);
    ASSERT_EQ(bmp.height, 2);
    EXPECT_EQ(Rgb(bmp, 2, 1), 0x336699u);

    const gdi::Image rle = decoder.Decode(Rle8Bmp(), {});
    ASSERT_EQ(rle.width, 4);
    ASSERT_EQ(rle.height, 2);
    EXPECT_EQ(Rgb(rle, 0, 1), 0xFF0000u) << "bottom row red";
    EXPECT_EQ(Rgb(rle, 3, 0), 0x0000FFu) << "top row blue";

    const gdi::Image gif = decoder.Decode(RedGif(), {});
    ASSERT_EQ(gif.width, 1);
    EXPECT_EQ(Rgb(gif, 0, 0), 0xFF0000u);

    QImage source(8, 4, QImage::Format_RGB32);
    source.fill(QColor(0, 200, 0));
    for (const char* format : {"jpeg", "png"}) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        ASSERT_TRUE(QImageWriter(&buffer, format).write(source)) << format;
        const gdi::Image decoded = decoder.Decode(std::string_view(bytes.constData(), bytes.size()), {});
        ASSERT_EQ(decoded.width, 8) << format;
        const std::uint32_t green = (Rgb(decoded, 4, 2) >> 8) & 0xFF;
        EXPECT_GT(green, 180u) << format;
    }

    EXPECT_TRUE(decoder.Decode("BM but nothing else", {}).IsNull());
    EXPECT_TRUE(decoder.Decode("plain words", {}).IsNull());
}

TEST(QtImageDecoder, RendersEnhancedMetafilesAtTheSizeAsked)
{
    QtImageDecoder decoder;
    ASSERT_TRUE(decoder.Supports(picture::Format::Emf));
    const std::string emf = EmfRectangle(2540, 1270, 0x00C000);
    EXPECT_NE(QtImageDecoder::EmfToSvg(emf, 200, 100).find("<svg"), std::string::npos);

    // The rectangle covers (10, 10)..(90, 40) of a 100 x 50 area: doubled here.
    const gdi::Image image = decoder.Decode(emf, {200, 100});
    ASSERT_EQ(image.width, 200);
    ASSERT_EQ(image.height, 100);
    EXPECT_EQ(Rgb(image, 100, 50), 0x00C000u);
    EXPECT_EQ(Pixel(image, 3, 3) >> 24, 0u) << "outside the drawing stays transparent";

    // Without a size: its own, one inch by half an inch at 96 pixels per inch.
    const gdi::Image own = decoder.Decode(emf, {});
    EXPECT_EQ(own.width, 96);
    EXPECT_EQ(own.height, 48);

    // A damaged metafile is not handed to the library.
    EXPECT_TRUE(decoder.Decode(emf.substr(0, emf.size() - 8), {100, 50}).IsNull());
}

TEST(QtImageDecoder, RendersClassicMetafilesWhenTheLibraryStarts)
{
    QtImageDecoder decoder;
    if (!decoder.Supports(picture::Format::Wmf))
        GTEST_FAIL() << "libwmf did not start (are its fonts, fonts-urw-base35, installed?)";
    const std::string wmf = WmfRectangle(1440, 0xC00000);
    const gdi::Image image = decoder.Decode(wmf, {120, 60});
    ASSERT_EQ(image.width, 120);
    EXPECT_EQ(Rgb(image, 60, 30), 0xC00000u);
    EXPECT_FALSE(decoder.Decode(WmfRectangle(1440, 0xC00000, false), {}).IsNull());
    EXPECT_TRUE(decoder.Decode(wmf.substr(0, wmf.size() - 6), {}).IsNull());

    // A picture a few points wide (a damaged units-per-inch) is drawn at most at 600 pixels
    // per inch of its own size, however large its frame: beyond, it took minutes.
    const gdi::Image tiny = decoder.Decode(WmfRectangle(64000, 0xC00000), {400, 200});
    EXPECT_FALSE(tiny.IsNull());
    EXPECT_LE(tiny.width, 19);  // 2000 units at 64000 a inch: 1/32 inch

    // A header that would cost gigabytes is refused before decoding; its frame shows the
    // placeholder.
    const std::string bomb = WmfClaimingAHugeRecord();
    ASSERT_EQ(bomb.size(), 58u);
    EXPECT_FALSE(picture::IsWellFormedMetafile(bomb));
    auto previous = SetImageDecoder(std::make_unique<QtImageDecoder>());
    CImagePicture picture;
    ASSERT_TRUE(picture.LoadFromBytes(bomb));
    gdi::RecordingDC dc;
    picture.Render(dc, {0, 0, 120, 60});
    SetImageDecoder(std::move(previous));
    int rectangles = 0, images = 0;
    for (const gdi::Record& r : dc.Records()) {
        rectangles += r.kind == gdi::RecordKind::Rectangle;
        images += r.kind == gdi::RecordKind::DrawImage;
    }
    EXPECT_EQ(rectangles, 1) << "the crossed frame";
    EXPECT_EQ(images, 0);
}

TEST(QtImageDecoder, PictureFramesDrawThroughTheInstalledDecoder)
{
    auto previous = SetImageDecoder(std::make_unique<QtImageDecoder>());
    CObjetBitmap frame;
    ASSERT_TRUE(frame.GetPicture().LoadFromBytes(Bmp24(2, 2, 0x0000FF)));
    QImage target(40, 30, QImage::Format_ARGB32);
    target.fill(Qt::white);
    {
        gdi::QtDC dc(target);
        frame.DrawContents(dc, 10, 5, 30, 25);
    }
    EXPECT_EQ(target.pixel(20, 15) & 0xFFFFFFu, 0x0000FFu);
    EXPECT_EQ(target.pixel(2, 2) & 0xFFFFFFu, 0xFFFFFFu);
    EXPECT_EQ(frame.GetDefaultSize(), (gdi::Size{2, 2}));

    // A print preview keeps every pixmap of its pages, and copies each image drawn into a new
    // one: a picture drawn in many frames, on several sheets, must reach it once.
    KeepingDevice preview;
    std::vector<CObjetBitmap> frames(20);
    {
        QPainter painter(&preview);
        gdi::QtDC::PrintedImages job;
        for (int sheet = 0; sheet < 2; ++sheet) {
            gdi::QtDC dc(painter);
            dc.SetPrinting(true);
            dc.SharePrintedImages(job);
            for (CObjetBitmap& each : frames) {
                ASSERT_TRUE(each.GetPicture().LoadFromBytes(Bmp24(64, 64, 0x00FF00)));
                each.DrawContents(dc, 0, 0, 640, 640);
            }
        }
    }
    ASSERT_EQ(preview.engine.kept.size(), 2 * frames.size());
    EXPECT_TRUE(std::all_of(preview.engine.kept.begin(), preview.engine.kept.end(), [&](const QPixmap& kept) {
        return kept.cacheKey() == preview.engine.kept.front().cacheKey();
    }));
    SetImageDecoder(std::move(previous));
}

TEST(QtScreenDC, MeasuresWithTheScreensResolution)
{
    const auto at96 = CreateQtScreenDC(96, 96);
    const auto at192 = CreateQtScreenDC(192, 192);
    ASSERT_NE(at96, nullptr);
    EXPECT_EQ(at96->GetDeviceCaps(gdi::LOGPIXELSY), 96);
    EXPECT_EQ(at192->GetDeviceCaps(gdi::LOGPIXELSX), 192);
    gdi::LogFont font;
    font.faceName = "Arial";
    font.height = -16;
    at96->SelectFont(font);
    const gdi::Size extent = at96->GetTextExtent("Horavel");
    EXPECT_GT(extent.cx, 30);
    EXPECT_GT(extent.cy, 14);

    EXPECT_EQ(CreateQtScreenDC(0, 96), nullptr);
    InstallQtScreenDC();
    EXPECT_EQ(CreateScreenCompatibleDC(144, 144)->GetDeviceCaps(gdi::LOGPIXELSY), 144);
    SetScreenDCFactory(nullptr);
}

}  // namespace

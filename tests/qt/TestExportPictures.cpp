// The clipboard copies of the view with real pixels: the picture copy drawn on Qt, and the
// metafile copy rendered back by the program's picture decoder, of a dial on two sheets.
#include "model/DialTestDials.h"

#include "app/Accessors.h"
#include "docview/CHoravelDoc.h"
#include "docview/CHoravelView.h"
#include "docview/ColorTable.h"
#include "docview/Exports.h"
#include "model/Astronomy.h"
#include "platform/FakeServices.h"
#include "platform/ImageSurface.h"
#include "platform/Profile.h"
#include "platform/ScreenDC.h"
#include "platform/qt/QtDC.h"
#include "platform/qt/QtImageDecoder.h"
#include "platform/qt/QtImageSurface.h"
#include "platform/qt/QtScreenDC.h"
#include "support/TestSupport.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

class ExportPicturesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetProfile(std::make_unique<MemoryProfile>());
        GetProfile().WriteString("Options\\General", "NomFichierLieux", (dir_ / "none.dbl").string());
        GetAppContext() = AppContext{};
        ResetAstroState();
        ResetColorTable();
        previousSurfaces_ = SetImageSurfaceFactory(&CreateQtImageSurface);
        previousScreen_ = SetScreenDCFactory(&CreateQtScreenDC);
        doc_ = std::make_unique<CHoravelDoc>();  // no printer: 200 x 280 mm sheets
        GetAppContext().document = doc_.get();
        view_ = std::make_unique<CHoravelView>();
        // 201 mm: one millimetre wider than a sheet, so the screen shows a sheet line across it.
        auto dial = dialtest::MakeDial<dialtest::HorizontalDial>(47.24, -6.02, 1.0, 2024, 0.0, 201, 120);
        dial->tablesValid = 1;
        dial->prefs.doubleFrame = 0;
        doc_->SetDial(std::move(dial));
        view_->RecalcLayout(1);
    }
    void TearDown() override
    {
        view_.reset();
        doc_.reset();
        SetScreenDCFactory(std::move(previousScreen_));
        SetImageSurfaceFactory(std::move(previousSurfaces_));
        GetAppContext() = AppContext{};
        SetProfile(nullptr);
        ResetAstroState();
    }

    static void Keep(const QImage& image, const char* name)
    {
        if (const char* folder = std::getenv("HORAVEL_EXPORT_PICTURES"))
            image.save(QString::fromUtf8(folder) + "/" + name);
    }

    testsupport::TempDir dir_;
    ScopedFakeServices services_;
    ImageSurfaceFactory previousSurfaces_;
    ScreenDCFactory previousScreen_;
    std::unique_ptr<CHoravelDoc> doc_;
    std::unique_ptr<CHoravelView> view_;
};

bool Dark(QRgb c) { return qGray(c) < 96; }

// Dark pixels of the column x between rows top and bottom.
int DarkInColumn(const QImage& image, int x, int top, int bottom)
{
    int n = 0;
    for (int y = top; y < bottom; ++y)
        n += Dark(image.pixel(x, y)) ? 1 : 0;
    return n;
}

}  // namespace

TEST_F(ExportPicturesTest, ThePictureCopyIsTheWholeDialWithoutTheSheetLine)
{
    const gdi::Rect dialRect = view_->GetDialRect();
    const int sheet = doc_->GetSheetSizePx().cx;
    ASSERT_GT(dialRect.left, 0);
    ASSERT_LT(dialRect.left, sheet);
    ASSERT_GT(dialRect.right, sheet) << "a sheet line crosses the dial on screen";

    view_->Commands().Execute(exports::kCopyBitmapCommand);
    ASSERT_TRUE(services_->clipboard.image);
    const QImage copy = gdi::ToQImage(*services_->clipboard.image);
    Keep(copy, "copy_bitmap.png");
    ASSERT_EQ(copy.width(), dialRect.Width());
    ASSERT_EQ(copy.height(), dialRect.Height());

    // The dial's sheet fills the picture: its colour inside, its black outline at the edges.
    const QColor plate(gdi::GetRValue(BuildPalette()[1]), gdi::GetGValue(BuildPalette()[1]),
                       gdi::GetBValue(BuildPalette()[1]));
    EXPECT_EQ(QColor(copy.pixel(3, copy.height() / 2)), plate);
    EXPECT_GT(DarkInColumn(copy, 0, 0, copy.height()), copy.height() * 9 / 10);
    // The dial's lines are there.
    int dark = 0;
    for (int y = 0; y < copy.height(); ++y)
        for (int x = 2; x < copy.width() - 2; ++x)
            dark += Dark(copy.pixel(x, y)) ? 1 : 0;
    EXPECT_GT(dark, 1000);
    // Where the sheets meet (the picture starts at the dial's corner), no line runs from top
    // to bottom.
    const int seam = sheet - 1;
    for (int x = seam - 1; x <= seam + 1; ++x)
        EXPECT_LT(DarkInColumn(copy, x, 0, copy.height()), copy.height() / 2) << x;
}

TEST_F(ExportPicturesTest, TheMetafileCopyRendersLikeThePictureCopy)
{
    view_->Commands().Execute(exports::kCopyBitmapCommand);
    ASSERT_TRUE(services_->clipboard.image);
    const QImage bitmap = gdi::ToQImage(*services_->clipboard.image).convertToFormat(QImage::Format_RGB32);
    view_->Commands().Execute(exports::kCopyMetafileCommand);
    ASSERT_FALSE(services_->clipboard.bytes.empty());

    QtImageDecoder decoder;
    const gdi::Image decoded = decoder.Decode(services_->clipboard.bytes, {bitmap.width(), bitmap.height()});
    ASSERT_EQ(decoded.width, bitmap.width());
    QImage metafile(bitmap.size(), QImage::Format_RGB32);
    metafile.fill(Qt::white);
    {
        QPainter painter(&metafile);
        painter.drawImage(0, 0, gdi::ToQImage(decoded));
    }
    Keep(metafile, "copy_metafile.png");
    if (const char* folder = std::getenv("HORAVEL_EXPORT_PICTURES"))
        testsupport::WriteFileBytes(std::filesystem::path(folder) / "copy.emf", services_->clipboard.bytes);

    // The metafile leaves the dial's sheet out (it is a drawing, not a screen picture): the
    // view's background and the dial's lines. Its lines lie where the picture copy has them.
    int bitmapDark = 0;
    int both = 0;
    for (int y = 2; y < bitmap.height() - 2; ++y) {
        for (int x = 2; x < bitmap.width() - 2; ++x) {
            if (!Dark(bitmap.pixel(x, y)))
                continue;
            ++bitmapDark;
            bool near = false;
            for (int dy = -2; dy <= 2 && !near; ++dy)
                for (int dx = -2; dx <= 2 && !near; ++dx)
                    near = qGray(metafile.pixel(x + dx, y + dy)) < 160;
            both += near ? 1 : 0;
        }
    }
    ASSERT_GT(bitmapDark, 1000);
    EXPECT_GT(both, bitmapDark * 85 / 100) << both << " of " << bitmapDark << " dark pixels found in the metafile";
}

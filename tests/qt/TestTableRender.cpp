// The coordinate tables of dials at Besançon, painted by the Qt context as a 144-dpi printer
// would get them: the first sheet of each table, written to the build folder
// (pages/<table>.png; docs/pages/ keeps a copy of each).
#include "TestQtDCCanvas.h"
#include "model/DialTestDials.h"

#include "app/Accessors.h"
#include "docview/CHoravelDoc.h"
#include "docview/ColorTable.h"
#include "docview/CoordinateTables.h"
#include "model/Astronomy.h"
#include "model/CCadranAnalemmatique.h"
#include "platform/FakeServices.h"
#include "platform/Paths.h"
#include "platform/Profile.h"
#include "platform/qt/QtDC.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>

namespace {

constexpr int kDpi = 144;

class TableRender : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetProfile(std::make_unique<MemoryProfile>());
        GetProfile().WriteString("Options\\General", "NomFichierLieux", (dir_ / "none.dbl").string());
        paths::SetDataFolder(dir_.path());
        GetAppContext() = AppContext{};
        ResetAstroState();
        ResetColorTable();
        doc_ = std::make_unique<CHoravelDoc>();
        doc_->SetSheetSizePx({756, 1058});  // 200 x 280 mm at 96 pixels per inch
        GetAppContext().document = doc_.get();
    }
    void TearDown() override
    {
        doc_.reset();
        GetAppContext() = AppContext{};
        paths::SetDataFolder({});
        SetProfile(nullptr);
        ResetAstroState();
    }

    // Paints the first sheet of a table and saves it; the image.
    QImage Render(const std::string& name, const std::function<void(gdi::DC&)>& draw)
    {
        QImage image = qtdctest::Canvas(756 * kDpi / 96, 1058 * kDpi / 96, kDpi);
        {
            gdi::QtDC dc(image);
            dc.SetPrinting(true);
            draw(dc);
        }
        const std::filesystem::path folder = testsupport::BinDir() / "pages";
        std::filesystem::create_directories(folder);
        // Black on white: grey levels are enough, and keep the file small.
        const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
        EXPECT_TRUE(grey.save(QString::fromStdString((folder / (name + ".png")).string()), "PNG"));
        return image;
    }

    // Ink in the heading band and in the rows below it.
    static void ExpectFilled(const QImage& image, int minimumRowInk)
    {
        const int w = image.width();
        const int h = image.height();
        EXPECT_GT(qtdctest::InkCount(image, QRect(w / 4, 30 * kDpi / 96, w / 2, 30 * kDpi / 96)), 100);
        EXPECT_GT(qtdctest::InkCount(image, QRect(0, h / 5, w, h / 2)), minimumRowInk);
        // The page frame's outline, 20 reference pixels in from the sheet's left edge, runs
        // down the whole page.
        const int frameX = 20 * kDpi / 96;
        EXPECT_GT(qtdctest::InkCount(image, QRect(frameX - 1, h / 4, 3, h / 2)), h / 2 - 2);
    }

    testsupport::TempDir dir_;
    ScopedFakeServices services_;
    std::unique_ptr<CHoravelDoc> doc_;
};

std::unique_ptr<CCadran> Horizontal(int localSolarTime)
{
    auto dial = dialtest::MakeDial<dialtest::HorizontalDial>(47.24, -6.02, 1.0, 2024, 0.0, 200, 200);
    dial->localSolarTime = localSolarTime;
    dial->ComputeAllTables();
    return dial;
}

std::unique_ptr<CCadran> Analemmatic()
{
    auto dial = std::make_unique<CCadranAnalemmatique>();
    dial->SetYear(2024);
    dial->SetSite(47.24, -6.02, 1.0);
    dial->ComputeAllTables();
    return dial;
}

TEST_F(TableRender, EveryTableOnItsFirstSheet)
{
    doc_->SetDial(Horizontal(0));
    ExpectFilled(Render("hour-line-table", [](gdi::DC& dc) { DrawHourLineTable(dc); }), 20000);
    ExpectFilled(Render("date-arc-table", [](gdi::DC& dc) { DrawDateArcTable(dc); }), 40000);
    ExpectFilled(Render("equinoctial-table", [](gdi::DC& dc) { DrawEquinoctialTable(dc); }), 20000);
    ExpectFilled(Render("noon-mark-table", [](gdi::DC& dc) { DrawNoonMarkTable(dc); }), 20000);
    doc_->SetDial(Analemmatic());
    ExpectFilled(Render("hour-point-table", [](gdi::DC& dc) { DrawHourPointTable(dc); }), 20000);
    ExpectFilled(Render("mobile-style-table", [](gdi::DC& dc) { DrawMobileStyleTable(dc); }), 20000);
}

}  // namespace

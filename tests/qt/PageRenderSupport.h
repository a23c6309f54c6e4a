#pragma once
// A page painted by the Qt context on an A4 sheet at the screen's reference resolution, as
// the view shows it, for a document at Besançon; the picture is also written to the build
// folder (pages/<name>.png) for a look.
#include "TestQtDCCanvas.h"

#include "app/Accessors.h"
#include "docview/CHoravelDoc.h"
#include "docview/ColorTable.h"
#include "model/Astronomy.h"
#include "platform/FakeServices.h"
#include "platform/Paths.h"
#include "platform/Profile.h"
#include "platform/qt/QtDC.h"
#include "support/TestSupport.h"

#include <QImage>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

class PageRenderTest : public ::testing::Test {
protected:
    static constexpr int kWidth = 794;  // A4 at 96 dpi
    static constexpr int kHeight = 1123;

    void SetUp() override
    {
        SetProfile(std::make_unique<MemoryProfile>());
        paths::SetDataFolder(dir_.path());
        testsupport::WriteFileBytes(dir_ / "lieux.dbl",
                                    "$VERSION 6\n$NBRECORDS 1\nBESANÇON DOUBS FRANCE 47 15 N 6 2 E 1 1\n$END\n");
        GetProfile().WriteString("Options\\General", "NomFichierLieux", (dir_ / "lieux.dbl").string());
        GetProfile().WriteInt("Options\\General", "AnneeReference", 2024);
        GetAppContext() = AppContext{};
        ResetAstroState();
        ResetColorTable();
        doc_ = std::make_unique<CHoravelDoc>();
        doc_->SetDrawingSizePx({kWidth, kHeight});
        GetAppContext().document = doc_.get();
    }
    void TearDown() override
    {
        GetAppContext() = AppContext{};
        doc_.reset();
        paths::SetDataFolder({});
        SetProfile(nullptr);
        ResetAstroState();
    }

    // Paints a page over the screen's page background, as the view does (transparent text
    // background, palette selected), and saves it as pages/<name>.png.
    QImage Render(const char* name, const std::function<void(gdi::DC&)>& draw)
    {
        QImage image = qtdctest::Canvas(kWidth, kHeight);
        {
            gdi::QtDC dc(image);
            dc.SetBkMode(gdi::TRANSPARENT);
            dc.SetPalette(BuildPalette());
            dc.FillSolidRect({0, 0, kWidth, kHeight}, GetColor(0));
            draw(dc);
        }
        const std::filesystem::path folder = testsupport::BinDir() / "pages";
        std::filesystem::create_directories(folder);
        EXPECT_TRUE(image.save(QString::fromStdString((folder / (std::string(name) + ".png")).string()), "PNG"));
        return image;
    }

    // Pixels darker than mid grey: lines and (smoothed) text.
    static int Dark(const QImage& image, const QRect& area)
    {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                n += qGray(image.pixel(x, y)) < 100;
        return n;
    }

    ScopedFakeServices services_;
    testsupport::TempDir dir_;
    std::unique_ptr<CHoravelDoc> doc_;
};

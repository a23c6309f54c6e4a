// A horizontal dial for Besançon with every line family, painted by the Qt context at 150
// dpi: the picture the README shows (written to the build folder as horizontal-dial.png).
#include "TestQtDCCanvas.h"
#include "model/DialTestDials.h"

#include "docview/ColorTable.h"
#include "model/Astronomy.h"
#include "model/DialPlace.h"
#include "platform/qt/QtDC.h"
#include "support/TestSupport.h"

#include <QColor>
#include <gtest/gtest.h>

#include <set>

TEST(DialRender, HorizontalDialWithEveryFamilyAt150Dpi)
{
    ResetAstroState();
    ResetColorTable();
    constexpr int kDpi = 150;
    auto dial = dialtest::MakeDial<dialtest::HorizontalDial>(47.24, -6.02, 1.0, 2024, 0.0, 240, 180, 50, 70);
    dial->pixelsPerMmX = dial->pixelsPerMmY = kDpi / 25.4;
    const int width = RoundToInt(240 * dial->pixelsPerMmX);
    const int height = RoundToInt(180 * dial->pixelsPerMmY);
    dial->SetDialRect(0, 0, width, height);
    dial->marginX = dial->marginY = RoundToInt(5 * dial->pixelsPerMmX);
    CPrefs& p = dial->prefs;
    p.quarterHourLines = 1;
    p.noonMark = 1;
    p.noonMarkPointer = 1;
    p.noonMarkWithHourLine = 1;
    p.italicHours = 1;
    p.babylonianHours = 1;
    p.horizontalLines = 1;
    p.azimuthStep = 15;
    p.altitudeStep = 10;
    p.indications = 1;
    p.axesXY = 1;
    p.substyleLine = 1;
    p.steepestSlopeLine = 1;
    dial->particularDates = {1905};
    SetDialPlaceSource([] {
        return std::optional<DialPlaceTexts>(
            DialPlaceTexts{"BESAN\xC3\x87ON", "FRANCE", "47\xC2\xB0 14' Nord", "6\xC2\xB0 1' Est"});
    });

    QImage image = qtdctest::Canvas(width, height, kDpi);
    {
        gdi::QtDC dc(image);
        ASSERT_EQ(dc.GetDeviceCaps(gdi::LOGPIXELSX), kDpi);
        dc.SetPalette(BuildPalette());
        dial->DrawBorder(dc);
        dial->Draw(dc);
    }
    SetDialPlaceSource({});

    const std::filesystem::path out = testsupport::BinDir() / "horizontal-dial.png";
    EXPECT_TRUE(image.save(QString::fromStdString(out.string()), "PNG"));

    // Not blank: the dial's ground, and lines in many colours over it.
    const QRgb ground = QColor(250, 218, 180).rgb();
    int lines = 0;
    std::set<QRgb> colours;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const QRgb c = image.pixel(x, y);
            if (c != ground && c != QColor(248, 232, 208).rgb()) {
                ++lines;
                colours.insert(c);
            }
        }
    }
    EXPECT_GT(image.pixel(width / 2, height / 4), 0u);
    EXPECT_GT(lines, width * height / 50);
    EXPECT_GT(colours.size(), 20u);
    // The whole-hour lines are black and the equinoctial line blue where the entries say so.
    EXPECT_TRUE(colours.count(QColor(0, 0, 0).rgb()));
    EXPECT_TRUE(colours.count(QColor(0, 128, 255).rgb()));
}

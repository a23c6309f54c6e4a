// The text files of the coordinate tables, byte for byte against golden files written from
// the file layouts alone (tests/tools/gen_table_golden.py), and the pieces they are made of:
// time steps and labels, the decimal separator of the user's locale, failures to write.
#include "TableTestSupport.h"

#include "app/Accessors.h"
#include "app/TextHelpers.h"
#include "docview/CHoravelView.h"
#include "docview/CoordinateTables.h"
#include "docview/TablePage.h"
#include "model/Astronomy.h"
#include "model/CCadranHorizontal.h"
#include "model/CCadranMeridional.h"
#include "model/CCadranPolaire.h"
#include "platform/LocaleInfo.h"
#include "platform/Paths.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using tablepage::TimeLabel;

TEST_F(TablePages, HourLineFileMatchesItsGoldenFile)
{
    CSyntheticDial& dial = Use(std::make_unique<CSyntheticDial>());
    dial.localSolarTime = 0;
    SetAstroSite(45.0, 0.0, 1.0);  // one zone step east of the meridian
    Doc().SetSheetSizePx({756, 500});
    localeinfo::SetSystemDecimalSeparator(",");
    gdi::RecordingDC dc;
    DrawHourLineTable(dc);
    EXPECT_EQ(TableBytes("thl.tmp"), Golden("thl_synthetic.tmp"));
}

TEST_F(TablePages, HourPointFileMatchesItsGoldenFile)
{
    CSyntheticDial& dial = Use(std::make_unique<CSyntheticDial>());
    dial.typeCode = 20;
    dial.prefs.quarterHourLines = 1;
    Doc().SetSheetSizePx({756, 500});
    gdi::RecordingDC dc;
    DrawHourCoordinatePage(dc, {});
    EXPECT_EQ(TableBytes("thp.tmp"), Golden("thp_synthetic.tmp"));
    EXPECT_EQ(TableBytes("thl.tmp"), "");
}

TEST_F(TablePages, DateArcFileMatchesItsGoldenFile)
{
    CSyntheticDial& dial = Use(std::make_unique<CSyntheticDial>());
    dial.localSolarTime = 0;
    SetAstroSite(45.0, 0.0, 1.0);
    localeinfo::SetSystemDecimalSeparator(",");
    gdi::RecordingDC dc;
    DrawDateCoordinatePage(dc, {});
    EXPECT_EQ(TableBytes("tdl.tmp"), Golden("tdl_synthetic.tmp"));
}

// The golden file was written by the program; the values of such tables are held to
// python3-ephem in TestTableOracles.cpp. A south wall far north: winter noons are below the
// horizon, and the dial asks for the sun above it.
TEST_F(TablePages, NoonMarkFileMatchesItsGoldenFile)
{
    CCadran& dial = Use(AtPlace(std::make_unique<CCadranMeridional>(), 71.7, -25.8, 1.0));
    dial.noonCurveHour = 12.25;
    dial.prefs.sunAboveHorizon = 1;
    localeinfo::SetSystemDecimalSeparator(",");
    gdi::RecordingDC dc;
    DrawNoonMarkTable(dc);
    EXPECT_EQ(TableBytes("tdm.tmp"), Golden("tdm_south_wall.tmp"));
}

TEST_F(TablePages, PointsOfAPolarDialAtInfinityAreLeftOut)
{
    // Where the sun grazes the face the projection saturates to the most negative int: a far
    // point however large, never a coordinate.
    Use(AtPlace(std::make_unique<CCadranPolaire>(), 45.0, 0.0, 1.0));
    gdi::RecordingDC dc;
    DrawHourLineTable(dc);
    DrawDateCoordinatePage(dc, {});
    for (const char* file : {"thl.tmp", "tdl.tmp"}) {
        EXPECT_NE(TableBytes(file), "") << file;
        EXPECT_EQ(TableBytes(file).find("214748"), std::string::npos) << file;
    }
}

TEST_F(TablePages, EveryPageRewritesItsFileFromTheStart)
{
    CSyntheticDial& dial = Use(std::make_unique<CSyntheticDial>());
    gdi::RecordingDC dc;
    DrawHourLineTable(dc);
    const std::string first = TableBytes("thl.tmp");
    dial.prefs.fiveMinuteLines = 1;
    DrawHourLineTable(dc);
    const std::string finer = TableBytes("thl.tmp");
    dial.prefs.fiveMinuteLines = 0;
    DrawHourLineTable(dc);
    EXPECT_GT(finer.size(), first.size());
    EXPECT_EQ(TableBytes("thl.tmp"), first);
}

TEST_F(TablePages, TablesAreDrawnWhenTheirFileCannotBeWritten)
{
    Use(std::make_unique<CSyntheticDial>());
    const std::filesystem::path blocked = dir_ / "not-a-folder";
    testsupport::WriteFileBytes(blocked, "x");
    paths::SetDataFolder(blocked);
    using Renderer = void (*)(gdi::DC&, const gdi::Rect&);
    for (Renderer draw : {Renderer(DrawHourLineTable), Renderer(DrawHourPointTable), Renderer(DrawDateArcTable),
                          Renderer(DrawNoonMarkTable)}) {
        gdi::RecordingDC dc;
        draw(dc, {});
        EXPECT_GT(dc.Count(gdi::RecordKind::TextOut), 30);
    }
    EXPECT_EQ(testsupport::ReadFileBytes(blocked), "x");
}

TEST_F(TablePages, NothingIsDrawnOrWrittenWithoutADial)
{
    using Renderer = void (*)(gdi::DC&, const gdi::Rect&);
    for (Renderer draw : {Renderer(DrawHourCoordinatePage), Renderer(DrawDateCoordinatePage),
                          Renderer(DrawEquinoctialTable), Renderer(DrawNoonMarkTable)}) {
        gdi::RecordingDC dc;
        draw(dc, {});
        EXPECT_TRUE(dc.Records().empty());
    }
    EXPECT_TRUE(std::filesystem::is_empty(paths::DataFolder()));
}

TEST_F(TablePages, MobileStyleTableIsForAnalemmaticDialsOnly)
{
    CSyntheticDial& dial = Use(std::make_unique<CSyntheticDial>());
    dial.typeCode = 25;  // an hour-point dial of no analemmatic class
    gdi::RecordingDC dc;
    DrawDateCoordinatePage(dc, {});
    EXPECT_TRUE(dc.Records().empty());
    EXPECT_EQ(TableBytes("tdl.tmp"), "");
}

TEST(TableSteps, LabelsCountZoneStepsAndFiveMinuteColumns)
{
    EXPECT_EQ(TimeLabel(90, 0), "7 h 30 m");
    EXPECT_EQ(TimeLabel(144, 1), "13 h 0 m");
    EXPECT_EQ(TimeLabel(7, -1), "-1 h 35 m");
    EXPECT_EQ(FillFormat("a %s b %s%%", {"1", "22"}), "a 1 b 22%");
    EXPECT_EQ(FillFormat("%s %s", {"only"}), "only ");
}

TEST(TableLocale, DecimalSeparatorComesFromTheNamedLocale)
{
    EXPECT_EQ(localeinfo::DecimalSeparatorOf("C"), ".");
    EXPECT_EQ(localeinfo::DecimalSeparatorOf("fr_FR.UTF-8"), ",");
    EXPECT_EQ(localeinfo::DecimalSeparatorOf("xx_NOWHERE.UTF-8"), std::nullopt);
    localeinfo::SetSystemDecimalSeparator("'");
    EXPECT_EQ(localeinfo::SystemDecimalSeparator(), "'");
    localeinfo::SetSystemDecimalSeparator("");
    EXPECT_EQ(localeinfo::SystemDecimalSeparator(), localeinfo::DecimalSeparatorOf("").value_or("."));
}

// The view lays its drawing out over as many sheets as the table needs.
TEST_F(TablePages, ViewLayoutFollowsThePageCount)
{
    CHoravelView view;
    view.SetDisplayMode(8);
    CSyntheticDial& dial = Use(std::make_unique<CSyntheticDial>());
    view.RecalcLayout(1);
    const gdi::Size sheet = Doc().GetSheetSizePx();
    gdi::RecordingDC dc;
    DrawHourLineTable(dc);
    EXPECT_EQ(Doc().GetPageCount(), 2);  // 47 half hours, 44 rows a page
    EXPECT_EQ(Doc().GetDrawingSizePx().cy, 2 * sheet.cy);
    dial.prefs.halfHourLines = 0;
    DrawHourLineTable(dc);
    EXPECT_EQ(Doc().GetPageCount(), 1);

    view.SetDisplayMode(9);
    dial.prefs.diurnalArcMode = 4;
    DrawDateArcTable(dc);
    EXPECT_EQ(Doc().GetPageCount(), 7);
    dial.prefs.diurnalArcMode = 3;
    DrawDateArcTable(dc);
    EXPECT_EQ(Doc().GetPageCount(), 7);  // never fewer sheets than it holds
}

}  // namespace

// Where the coordinate tables put their frames, headings and rows, on screen and on a
// printer, checked through the recording context.
#include "TableTestSupport.h"

#include "app/Accessors.h"
#include "docview/CDrawingTools.h"
#include "docview/CoordinateTables.h"
#include "model/Astronomy.h"
#include "model/CCadranAnalemmatique.h"
#include "model/CCadranHorizontal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

using gdi::RecordKind;

// The page rectangle of sheet p on the 756 x 1058 screen sheet of the fixture.
constexpr int L = 20;
constexpr int R = 736;
int Top(int p, int sheetHeight = 1058) { return 20 + p * sheetHeight; }

std::vector<std::string> Texts(const std::vector<const gdi::Record*>& records)
{
    std::vector<std::string> out;
    for (const gdi::Record* r : records)
        out.push_back(r->text);
    return out;
}

// x of the vertical lines that run from y0 to y1.
std::set<int> VerticalsBetween(const gdi::RecordingDC& dc, int y0, int y1)
{
    std::set<int> xs;
    for (const gdi::Segment& s : dc.Segments())
        if (s.from.x == s.to.x && s.from.y == y0 && s.to.y == y1)
            xs.insert(s.from.x);
    return xs;
}

TEST_F(TablePages, HourLinePageHeadingsColumnsAndRows)
{
    Use(std::make_unique<CSyntheticDial>());
    gdi::RecordingDC dc;
    DrawHourLineTable(dc);
    const int a = 20;
    const int c = (R - L) / 10;
    const int T = Top(0);

    const gdi::Record* title = FindText(dc, "COORDONNÉES DES LIGNES HORAIRES");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->points[0], (gdi::Point{(L + R) / 2, T + a}));
    EXPECT_EQ(title->font, CDrawingTools(dc, 96, 96).times12Bold);
    EXPECT_EQ(title->textAlign, gdi::TA_CENTER | gdi::TA_BASELINE);
    EXPECT_EQ(FindText(dc, "Origine des coordonnées (x, y) : point A.")->points[0].y, T + 2 * a);

    const auto groups = TextsAt(dc, T + 3 * a + 15);
    EXPECT_EQ(Texts(groups), (std::vector<std::string>{"Solstice d'été", "Équinoxes", "Solstice d'hiver", "Angle"}));
    EXPECT_EQ(groups[0]->points[0].x, L + 3 * c);
    EXPECT_EQ(groups[3]->points[0].x, L + 9 * c);
    EXPECT_EQ(Texts(TextsAt(dc, T + 4 * a + 15)),
              (std::vector<std::string>{"Heure", "x", "y", "x", "y", "x", "y", "depuis le point B."}));

    EXPECT_EQ(VerticalsBetween(dc, T + 3 * a, T + 1018), (std::set<int>{L + 2 * c, L + 4 * c, L + 6 * c, L + 8 * c}));
    EXPECT_EQ(VerticalsBetween(dc, T + 5 * a, T + 1018), (std::set<int>{L + 3 * c, L + 5 * c, L + 7 * c}));

    // First row: 0 h 30 m, lit only at the December solstice.
    const auto first = TextsAt(dc, T + 6 * a);
    ASSERT_EQ(first.size(), 8u);
    EXPECT_EQ(first[0]->text, "0 h 30 m");
    EXPECT_EQ(first[0]->points[0].x, L + c);
    EXPECT_EQ(first[1]->text, "---");
    EXPECT_EQ(first[5]->text, "-169.7 mm");
    EXPECT_EQ(first[5]->points[0].x, L + 13 * c / 2);
    EXPECT_EQ(first[7]->text, "163.0°");
    EXPECT_EQ(first[7]->font.height, first[0]->font.height);
    // 44 rows on the first sheet, the other 3 on the second below its own headings.
    EXPECT_EQ(TextsAt(dc, T + 49 * a).size(), 8u);
    EXPECT_TRUE(TextsAt(dc, T + 50 * a).empty());
    EXPECT_EQ(TextsAt(dc, Top(1) + 6 * a)[0]->text, "22 h 30 m");
    EXPECT_EQ(TextsAt(dc, Top(1) + 8 * a)[0]->text, "23 h 30 m");
    EXPECT_TRUE(TextsAt(dc, Top(1) + 9 * a).empty());
    EXPECT_EQ(dc.RecordsOf(RecordKind::FillRect).size(), 2u);
}

TEST_F(TablePages, PrintedHourLineTableIsScaledToThePrinter)
{
    Use(std::make_unique<CSyntheticDial>());
    gdi::RecordingDC dc(gdi::DeviceCaps::Page(600, 200, 280), true);
    DrawHourLineTable(dc);
    // Reference 96 pixels per inch: the page from (125, 125) to (4600, 6488), rows 125 apart.
    const auto fills = dc.RecordsOf(RecordKind::FillRect);
    ASSERT_EQ(fills.size(), 2u);
    EXPECT_EQ(fills[0]->points[0], (gdi::Point{125, 125}));
    EXPECT_EQ(fills[0]->points[1], (gdi::Point{4600, 6488}));
    EXPECT_EQ(fills[1]->points[0].y, gdi::MulDiv(1078, 600, 96));
    const int a = 125;
    EXPECT_EQ(TextsAt(dc, 125 + 6 * a)[0]->text, "0 h 30 m");
    EXPECT_EQ(TextsAt(dc, 125 + 7 * a)[0]->text, "1 h 0 m");
    for (const gdi::Segment& s : dc.Segments())
        EXPECT_EQ(s.pen.width, 6);
    EXPECT_EQ(FindText(dc, "Heure")->font.height, CDrawingTools(dc, 96, 96).times12Bold.height);
}

TEST_F(TablePages, HourPointPageShowsPolarCellsExceptOnPolarDials)
{
    CSyntheticDial& dial = Use(std::make_unique<CSyntheticDial>());
    dial.typeCode = 20;
    gdi::RecordingDC dc;
    DrawHourPointTable(dc);
    const int a = 20;
    const int c = (R - L) / 10;
    const int T = Top(0);
    EXPECT_EQ(Texts(TextsAt(dc, T + 3 * a + 15)), (std::vector<std::string>{"Cartésien", "Polaire"}));
    EXPECT_EQ(Texts(TextsAt(dc, T + 4 * a + 15)), (std::vector<std::string>{"Heure", "x", "y", "Rayon", "Angle"}));
    EXPECT_EQ(VerticalsBetween(dc, T + 3 * a, T + 1018), (std::set<int>{L + 2 * c, L + 4 * c, L + 6 * c}));
    // 4 h 0 m (column 48, the eighth row) is lit at the June solstice.
    const auto row = TextsAt(dc, T + 13 * a);
    EXPECT_EQ(Texts(row), (std::vector<std::string>{"4 h 0 m", "-118.1 mm", "0.6 mm", "118.1mm", "179.7°"}));
    EXPECT_EQ(row[4]->points[0].x, L + 11 * c / 2);
    // 0 h 30 m is not: no point, no polar cells.
    EXPECT_EQ(Texts(TextsAt(dc, T + 6 * a)), (std::vector<std::string>{"0 h 30 m", "---", "---"}));

    dial.typeCode = 11;
    gdi::RecordingDC polar;
    DrawHourPointTable(polar);
    EXPECT_EQ(TextsAt(polar, T + 13 * a).size(), 3u);
    EXPECT_EQ(TableCells("thp.tmp")[9].size(), 3u);
}

TEST_F(TablePages, RowsRunOverAsManySheetsAsTheyNeed)
{
    CSyntheticDial& dial = Use(std::make_unique<CSyntheticDial>());
    dial.prefs.fiveMinuteLines = 1;  // 285 rows (0 h 10 m to 23 h 50 m)
    Doc().SetSheetSizePx({756, 400});  // 12 rows a sheet
    gdi::RecordingDC dc;
    DrawHourLineTable(dc);
    EXPECT_EQ(dc.RecordsOf(RecordKind::FillRect).size(), 24u);
    const auto cells = TableCells("thl.tmp");
    EXPECT_EQ(cells.size(), 24u * 3u + 285u);
    EXPECT_EQ(cells.back()[0], "23 h 50 m");
    EXPECT_EQ(TextsAt(dc, Top(23, 400) + (8 + 6) * 20)[0]->text, "23 h 50 m");
}

TEST_F(TablePages, UnlitDialGetsOnePageOfHeadings)
{
    CSyntheticDial& dial = Use(std::make_unique<CSyntheticDial>());
    for (auto& row : dial.altitudeByLongitude)
        row.fill(-1.0);
    for (int fiveMinutes : {0, 1}) {
        dial.prefs.fiveMinuteLines = fiveMinutes;
        gdi::RecordingDC dc;
        DrawHourLineTable(dc);
        EXPECT_EQ(dc.RecordsOf(RecordKind::FillRect).size(), 1u);
        EXPECT_EQ(TableCells("thl.tmp").size(), 3u);
        gdi::RecordingDC arcs;
        DrawDateArcTable(arcs);
        EXPECT_EQ(TableCells("tdl.tmp").size(), 7u * 3u);
    }
}

TEST_F(TablePages, DateArcPagesHoldThreeArcsSideBySide)
{
    CSyntheticDial& dial = Use(std::make_unique<CSyntheticDial>());
    dial.prefs.diurnalArcMode = 4;
    gdi::RecordingDC dc;
    DrawDateArcTable(dc);
    const int a = 18;
    const int u = (R - L) / 13;
    EXPECT_EQ(dc.RecordsOf(RecordKind::FillRect).size(), 7u);

    const int T = Top(0);
    EXPECT_EQ(FindText(dc, "Origine des coordonnées (x, y) : point A. - Origine des coordonnées (rayon, angle) : point B.")
                  ->points[0],
              (gdi::Point{(L + R) / 2, T + 2 * a}));
    EXPECT_EQ(Texts(TextsAt(dc, T + 4 * a + 13)),
              (std::vector<std::string>{"Capricornus ( Solstice d'hiver )", "Aries ( Équinoxes )",
                                        "Cancer ( Solstice d'été )"}));
    EXPECT_EQ(TextsAt(dc, T + 5 * a + 13)[1]->text, "long. éclipt. = 0° ; Décl. = 0°");
    EXPECT_EQ(TextsAt(dc, T + 5 * a + 13)[1]->points[0].x, L + 7 * u);
    const auto columns = TextsAt(dc, T + 6 * a + 13);
    ASSERT_EQ(columns.size(), 13u);
    EXPECT_EQ(columns[0]->points[0].x, L + (R - L) / 26);
    EXPECT_EQ(Texts(columns).back(), "Angle");
    EXPECT_EQ(columns.back()->points[0].x, L + 25 * u / 2);
    // A row holds the time once, then four cells for each arc.
    const auto row = TextsAt(dc, T + 8 * a);
    ASSERT_EQ(row.size(), 13u);
    EXPECT_EQ(row[0]->text, "0 h 30 m");
    EXPECT_EQ(row[1]->text, "-169.7 mm");
    EXPECT_EQ(row[4]->text, "163.0°");

    // The last sheet holds one arc, longitude 80, which has no name.
    const int T7 = Top(6);
    EXPECT_EQ(TextsAt(dc, T7 + 5 * a + 13).size(), 1u);
    EXPECT_TRUE(TextsAt(dc, T7 + 4 * a + 13).empty());
    EXPECT_EQ(VerticalsBetween(dc, T7 + 3 * a, T7 + 1018), (std::set<int>{L + u, L + 5 * u, L + 9 * u}));
    EXPECT_EQ(VerticalsBetween(dc, T7 + 7 * a, T7 + 1018), (std::set<int>{L + 2 * u, L + 3 * u, L + 4 * u}));

    // The file: 19 arcs, 12 of them unnamed, each with its three heading lines and 47 rows.
    const auto cells = TableCells("tdl.tmp");
    ASSERT_EQ(cells.size(), 19u * 50u);
    int unnamed = 0;
    for (size_t i = 0; i < cells.size(); i += 50)
        unnamed += cells[i] == std::vector<std::string>{""} ? 1 : 0;
    EXPECT_EQ(unnamed, 12);
    EXPECT_EQ(cells[18 * 50 + 1][0], "long. éclipt. = 80° ; Décl. = 23.06°");
}

TEST_F(TablePages, DateArcRowsStartByEightAndEndWithTheLastLitHalfHour)
{
    CSyntheticDial& dial = Use(std::make_unique<CSyntheticDial>());
    // Lit from 11 h 00 (column 132) to 14 h 30 (column 174) on the three dates only.
    for (int k : {0, 9, 27})
        for (int j = 0; j < CCadran::kSteps; ++j)
            dial.altitudeByLongitude[k][j] = j >= 132 && j <= 174 ? 0.2 : -0.2;
    dial.typeCode = 8;  // an equatorial face ignores the equinox in the range
    dial.altitudeByLongitude[0][30] = 0.2;
    gdi::RecordingDC dc;
    DrawDateArcTable(dc);
    const auto cells = TableCells("tdl.tmp");
    ASSERT_EQ(cells.size(), 7u * (3u + 14u));
    EXPECT_EQ(cells[3][0], "8 h 0 m");
    EXPECT_EQ(cells[3][1], "---");
    EXPECT_EQ(cells[16][0], "14 h 30 m");
    EXPECT_NE(cells[16][1], "---");
    // The equinox arc is still listed.
    EXPECT_EQ(cells[17][0], "Aries ( Équinoxes )");
}

TEST_F(TablePages, HourLineAngleAndEquinoxOnSpecialFaces)
{
    CSyntheticDial& dial = Use(std::make_unique<CSyntheticDial>());
    dial.centreX = dial.centreY = 0;
    gdi::RecordingDC dc;
    DrawHourLineTable(dc);
    // No centre apart from the foot on a plane dial: no angle.
    EXPECT_EQ(TableCells("thl.tmp")[20][7], "---");

    dial.typeCode = 8;  // equatorial: the centre is the foot, the equinox is never shown
    DrawHourLineTable(dc);
    auto cells = TableCells("thl.tmp");
    EXPECT_EQ(cells[20][3], "---");
    EXPECT_EQ(cells[20][4], "---");
    EXPECT_NE(cells[20][7], "---");

    dial.typeCode = 11;  // polar: parallel hour lines
    dial.centreY = -500;
    DrawHourLineTable(dc);
    cells = TableCells("thl.tmp");
    EXPECT_NE(cells[20][3], "---");
    EXPECT_EQ(cells[20][7], "---");
}

TEST_F(TablePages, MobileStyleTablePlacesTheStyleForEachDeclinationAndDate)
{
    auto analemmatic = AtPlace(std::make_unique<CCadranAnalemmatique>(), 47.25, -6.03, 1.0);
    analemmatic->typeCode = 20;
    Use(std::move(analemmatic));
    gdi::RecordingDC dc;
    DrawDateCoordinatePage(dc, {});
    const int a = 20;
    const int m = (R - L) / 15;
    const int T = Top(0);
    EXPECT_NE(FindText(dc, "TABLE DES POSITIONS DU STYLE MOBILE"), nullptr);
    // Longitude 180 (row 9 of the left block): declination 0, the style on the centre.
    const auto equinox = TextsAt(dc, T + 6 * a + 15 + 9 * a);
    ASSERT_GE(equinox.size(), 3u);
    EXPECT_EQ(Texts({equinox[0], equinox[1], equinox[2]}), (std::vector<std::string>{"0 °", "0 mm", "0 mm"}));
    EXPECT_EQ(equinox[1]->points[0].x, L + 3 * m);
    // The right block: 36 dates, 11 March on the eighth row.
    const auto march = TextsAt(dc, T + 6 * a + 15 + 7 * a);
    ASSERT_EQ(march.size(), 7u);
    EXPECT_EQ(march[3]->text, "11-Mars");
    EXPECT_EQ(march[3]->points[0].x, L + 8 * m);
    EXPECT_EQ(FindText(dc, "21-Décembre")->points[0].y, T + 6 * a + 15 + 35 * a);
    EXPECT_EQ(TableCells("tdp.tmp").size(), 2u + 19u + 1u + 36u);  // headings and both blocks

    // A short sheet shrinks the rows so that 44 of them fit.
    Doc().SetSheetSizePx({756, 500});
    gdi::RecordingDC shortPage;
    DrawMobileStyleTable(shortPage);
    const int shrunk = 460 / 44;
    EXPECT_NE(FindText(shortPage, "21-Décembre"), nullptr);
    EXPECT_EQ(FindText(shortPage, "21-Décembre")->points[0].y, T + 6 * shrunk + 3 * shrunk / 4 + 35 * shrunk);
}

namespace {

// The equinoctial table reads the equinox row of the by-longitude tables; these cases give it
// the synthetic values of row 16, whose altitudes (0.46 at noon) the expected texts follow.
void EquinoxRowFromRow16(CCadran& dial)
{
    dial.azimuthByLongitude[0] = dial.azimuthByDate[16];
    dial.altitudeByLongitude[0] = dial.altitudeByDate[16];
}

}  // namespace

TEST_F(TablePages, EquinoctialTableHeadingsAndHourRows)
{
    CSyntheticDial& dial = Use(std::make_unique<CSyntheticDial>());
    EquinoxRowFromRow16(dial);
    dial.centreX = 0;
    dial.centreY = -500;
    gdi::RecordingDC dc;
    DrawEquinoctialTable(dc);
    const int a = 20;
    const int T = Top(0);
    const int S = (R - L) / 13;
    EXPECT_EQ(FindText(dc, "COORDONNÉES DES LIGNES HORAIRES SUR  L'ÉQUINOXIALE")->points[0].y, T + a);
    // Thirteen columns of one width side by side: the last one is not squeezed against the
    // page's right edge.
    const std::set<int> lines = VerticalsBetween(dc, T + 4 * a, T + 1018);
    ASSERT_EQ(lines.size(), 12u);
    const int width = *lines.begin() - L;
    int left = L;
    for (const int x : lines) {
        EXPECT_EQ(x - left, width);
        left = x;
    }
    EXPECT_GE(R - left, width);
    // O = (0, 460) tenths (column 144: altitude 0.46); B = (0, -500): on one vertical.
    EXPECT_EQ(TextsAt(dc, T + 3 * a - a / 3)[0]->text, "Distance entre le point O et le point B : 96 mm");
    const auto minutes = TextsAt(dc, T + 4 * a + 15);
    ASSERT_EQ(minutes.size(), 13u);
    EXPECT_EQ(minutes[0]->text, "Heure");
    EXPECT_EQ(minutes[0]->points[0].x, L + S / 2);
    EXPECT_EQ(minutes[12]->text, "55");
    EXPECT_EQ(minutes[12]->points[0].x, L + 12 * S + S / 2);
    // The row is lit (above -0.05: the dial's sunAboveHorizon is 0) from column 17 to 271:
    // hours 1 to 22; the first cells of 1 h are before sunrise.
    const auto first = TextsAt(dc, T + 6 * a);
    ASSERT_EQ(first.size(), 13u);
    EXPECT_EQ(first[0]->text, "1h");
    EXPECT_EQ(first[1]->text, "--");
    EXPECT_EQ(first[9]->text, "-160.4");  // column 20: (-152.5, -3.6) mm from O (0, 46)
    EXPECT_EQ(TextsAt(dc, T + 27 * a)[0]->text, "22h");
    EXPECT_TRUE(TextsAt(dc, T + 28 * a).empty());
    const auto noon = TextsAt(dc, T + 17 * a);
    EXPECT_EQ(noon[1]->text, "0");
    EXPECT_EQ(noon[2]->text, "1.265");  // column 145: (1.2, 45.6) mm

    // A face whose centre is off the noon vertical gives the tilt of the 12 h line.
    dial.centreX = 100;
    gdi::RecordingDC tilted;
    DrawEquinoctialTable(tilted);
    EXPECT_EQ(TextsAt(tilted, T + 3 * a - a / 3)[0]->text,
              "Distance entre le point O et le point B : 96.52 mm ( Inclinaison de la ligne de 12 h par rapport à "
              "celle du midi local : -5.947°)");
}

TEST_F(TablePages, EquinoctialTableInLegalTime)
{
    CSyntheticDial& dial = Use(std::make_unique<CSyntheticDial>());
    EquinoxRowFromRow16(dial);
    dial.localSolarTime = 0;
    SetAstroSite(45.0, 0.0, 1.0);  // one zone step: noon is column 132
    gdi::RecordingDC dc;
    DrawEquinoctialTable(dc);
    const int a = 20;
    const int T = Top(0);
    // O = (-14.8, 41.2) mm from A, B = (0, -50): the 12 h line leans left of the noon line.
    EXPECT_EQ(TextsAt(dc, T + 3 * a - a / 3)[0]->text,
              "Distance entre le point O et le point B : 92.39 mm ( Inclinaison de la ligne de 12 h par rapport à "
              "celle du midi local : -9.218°)");
    // The rows start under the headings whatever the zone; hours are labelled in legal time.
    const auto first = TextsAt(dc, T + 6 * a);
    ASSERT_EQ(first.size(), 13u);
    EXPECT_EQ(first[0]->text, "2h");
    EXPECT_EQ(TextsAt(dc, T + 16 * a)[0]->text, "12h");
    EXPECT_EQ(TextsAt(dc, T + 16 * a)[1]->text, "0");  // O itself
    EXPECT_EQ(TextsAt(dc, T + 15 * a)[12]->text, "-1.265");  // 11 h 55, before noon

    // Zone steps that take noon out of the day leave O unknown.
    SetAstroSite(45.0, 0.0, 13.0);
    gdi::RecordingDC far;
    DrawEquinoctialTable(far);
    EXPECT_EQ(TextsAt(far, T + 3 * a - a / 3)[0]->text, "Distance entre le point O et le point B : ---");
}

TEST_F(TablePages, EquinoctialTableWithoutANoonPoint)
{
    CSyntheticDial& dial = Use(std::make_unique<CSyntheticDial>());
    EquinoxRowFromRow16(dial);
    dial.altitudeByLongitude[0][144] = -1.0;
    gdi::RecordingDC dc;
    DrawEquinoctialTable(dc);
    const int a = 20;
    const int T = Top(0);
    EXPECT_EQ(TextsAt(dc, T + 3 * a - a / 3)[0]->text, "Distance entre le point O et le point B : ---");
    int cells = 0;
    for (const gdi::Record* r : dc.RecordsOf(RecordKind::TextOut)) {
        if (r->points[0].y >= T + 6 * a && r->points[0].x > L + (R - L) / 13) {
            EXPECT_EQ(r->text, "--");
            ++cells;
        }
    }
    EXPECT_EQ(cells, 22 * 12);
}

TEST_F(TablePages, NoonMarkTableTitleHintAndGrid)
{
    CCadran& dial = Use(AtPlace(std::make_unique<CCadranHorizontal>(), 47.25, -6.03, 1.0));
    dial.noonCurveHour = 12.5;
    gdi::RecordingDC dc;
    DrawNoonMarkTable(dc);
    const int a = 25;
    const int T = Top(0);
    const int u = (R - L) / 8;
    EXPECT_EQ(FindText(dc, "Courbe de 12 h 30 min")->points[0], (gdi::Point{(L + R) / 2, T + 2 * a}));
    EXPECT_EQ(FindText(dc, "Utilisez les touches + et - pour changer l'heure de la courbe"), nullptr);
    const gdi::Record* june = FindText(dc, "Juin");
    ASSERT_NE(june, nullptr);
    EXPECT_EQ(june->points[0], (gdi::Point{L + 2 * u - u / 5, T + 5 * a + 10 * a}));
    EXPECT_EQ(june->textAlign, gdi::TA_RIGHT | gdi::TA_BASELINE);
    EXPECT_EQ(Texts(TextsAt(dc, T + 4 * a - a / 3)), (std::vector<std::string>{"1", "6", "11", "16", "21", "26"}));
    EXPECT_EQ(TextsAt(dc, T + 4 * a - a / 3)[0]->points[0].x, L + 2 * u + (R - L) / 16);
    const auto juneCells = TextsAt(dc, T + 5 * a + 10 * a);
    ASSERT_EQ(juneCells.size(), 7u);
    EXPECT_EQ(juneCells[1]->text.rfind("x = ", 0), 0u);
    EXPECT_EQ(TextsAt(dc, T + 5 * a + 10 * a + 4 * a / 5)[0]->text.rfind("y = ", 0), 0u);
    EXPECT_EQ(TableCells("tdm.tmp").size(), 72u);

    dial.prefs.noonMarkType = 1;
    gdi::RecordingDC hinted;
    DrawNoonMarkTable(hinted);
    const gdi::Record* hint = FindText(hinted, "Utilisez les touches + et - pour changer l'heure de la courbe");
    ASSERT_NE(hint, nullptr);
    EXPECT_EQ(hint->points[0].y, T + 2 * a + a / 2);
    // Day numbers and months take the font of the hint.
    EXPECT_EQ(FindText(hinted, "Juin")->font, hint->font);
}

TEST_F(TablePages, EveryTableRestoresThePenBrushFontAndAlignment)
{
    using Renderer = void (*)(gdi::DC&, const gdi::Rect&);
    const std::pair<Renderer, bool> renderers[] = {
        {DrawHourLineTable, false}, {DrawHourPointTable, false}, {DrawDateArcTable, false},
        {DrawEquinoctialTable, false}, {DrawNoonMarkTable, false}, {DrawMobileStyleTable, true}};
    for (const auto& [draw, needsAnalemmatic] : renderers) {
        if (needsAnalemmatic)
            Use(AtPlace(std::make_unique<CCadranAnalemmatique>(), 47.25, -6.03, 1.0));
        else
            Use(std::make_unique<CSyntheticDial>());
        gdi::RecordingDC dc;
        const gdi::Pen pen{gdi::PS_DASH, 2, gdi::RGB(10, 20, 30)};
        const gdi::Brush brush{gdi::BS_SOLID, gdi::RGB(1, 2, 3)};
        gdi::LogFont font;
        font.faceName = "Courier New";
        dc.SelectPen(pen);
        dc.SelectBrush(brush);
        dc.SelectFont(font);
        dc.SetTextAlign(gdi::TA_LEFT | gdi::TA_TOP);
        draw(dc, {});
        EXPECT_GT(dc.Count(RecordKind::TextOut), 20);
        EXPECT_EQ(dc.GetCurrentPen(), pen);
        EXPECT_EQ(dc.GetCurrentBrush(), brush);
        EXPECT_EQ(dc.GetCurrentFont(), font);
        EXPECT_EQ(dc.GetTextAlign(), gdi::TA_LEFT | gdi::TA_TOP);
        for (const gdi::Record* r : dc.RecordsOf(RecordKind::FillRect))
            EXPECT_EQ(r->args[5], static_cast<int>(gdi::RGB(255, 255, 255)));
    }
}

}  // namespace

// The numbers of the coordinate tables against computations that share nothing with the
// dials: a nodus' shadow ray-traced onto the face (tests/model/SurfaceShadowOracle.h), the
// textbook centre and hour points of the dials, and python3-ephem's sun for the noon marks.
#include "PageReference.h"
#include "TableTestSupport.h"

#include "app/Formatting.h"
#include "docview/CoordinateTables.h"
#include "model/Astronomy.h"
#include "model/CCadranAnalemmatique.h"
#include "model/CCadranHorizontal.h"
#include "model/SurfaceShadowOracle.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

using shadow::kDeg;

constexpr double kStyleHeightMm = 40.0;

// The five-minute column of a time label "7 h 30 m" (no zone steps).
int ColumnOf(const std::string& label)
{
    const size_t h = label.find(" h ");
    return 12 * StringToInt(label.substr(0, h)) + StringToInt(label.substr(h + 3)) / 5;
}

double HourAngleOf(int column)
{
    return (column / 12.0 - 12.0) * 15.0 * kDeg;
}

// Where the shadow of a nodus kStyleHeightMm above a horizontal face falls, in the face's
// drawing frame: the elevated pole up, so x east and y north in the north, x west and y
// south in the south. False when the sun is below the horizon. altitude: the sun's, radians.
bool HorizontalShadow(double latitudeDeg, double hourAngle, double declination, double& x, double& y,
                      double* altitude = nullptr)
{
    const double phi = latitudeDeg * kDeg;
    const shadow::Vec sun = shadow::SunVector(phi, hourAngle, declination);
    if (altitude != nullptr)
        *altitude = std::asin(sun.z);
    if (sun.z <= 0.0)
        return false;
    const double east = -kStyleHeightMm * sun.x / sun.z;
    const double north = -kStyleHeightMm * sun.y / sun.z;
    const double side = latitudeDeg >= 0.0 ? 1.0 : -1.0;
    x = side * east;
    y = side * north;
    return true;
}

// y of the centre of a horizontal dial, where the style meets the face: h / tan|latitude|
// below the foot in the drawing frame.
double CentreY(double latitudeDeg)
{
    return -kStyleHeightMm / std::tan(std::fabs(latitudeDeg) * kDeg);
}

double AngleDeg(double x, double y)
{
    return std::atan2(y, x) / kDeg;
}

// The difference of two angles in degrees, brought into [-180, 180).
double AngleGap(double a, double b)
{
    return std::remainder(a - b, 360.0);
}

TEST_F(TablePages, HourLinesOfHorizontalDialsFollowTheNodusShadow)
{
    for (double latitude : {47.25, -33.9}) {
        SCOPED_TRACE(latitude);
        CCadran& dial = Use(AtPlace(std::make_unique<CCadranHorizontal>(), latitude, -6.03, 1.0));
        dial.prefs.quarterHourLines = 1;
        gdi::RecordingDC dc;
        DrawHourLineTable(dc);
        const int rows[] = {9, 0, 27};
        int checked = 0;
        int angles = 0;
        for (const auto& cells : TableCells("thl.tmp")) {
            if (cells.size() != 8 || cells[0].find(" h ") == std::string::npos)
                continue;
            const double hourAngle = HourAngleOf(ColumnOf(cells[0]));
            double lastX = 0.0;
            double lastY = 0.0;
            bool any = false;
            for (int d = 0; d < 3; ++d) {
                double x = 0.0;
                double y = 0.0;
                const double declination = DeclinationOfLongitude(rows[d], true) * kDeg;
                const bool lit = HorizontalShadow(latitude, hourAngle, declination, x, y);
                const std::string& cx = cells[static_cast<size_t>(1 + 2 * d)];
                if (!lit) {
                    EXPECT_EQ(cx, "---") << cells[0];
                    continue;
                }
                // Long shadows of a grazing sun are left out (and the dial's lit threshold
                // starts a little above the horizon).
                if (cx == "---" || std::hypot(x, y) > 500.0)
                    continue;
                EXPECT_NEAR(StringToDouble(cx), x, 0.1) << cells[0] << " date " << d;
                EXPECT_NEAR(StringToDouble(cells[static_cast<size_t>(2 + 2 * d)]), y, 0.1) << cells[0] << " date " << d;
                lastX = x;
                lastY = y;
                any = true;
                ++checked;
            }
            if (!any)
                continue;
            // The angle of the hour line at the centre, from the last point of the row.
            const double expected = AngleDeg(lastX, lastY - CentreY(latitude));
            const double distance = std::hypot(lastX, lastY - CentreY(latitude));
            EXPECT_LE(std::fabs(AngleGap(StringToDouble(cells[7]), expected)), 0.1 + 0.1 / distance / kDeg) << cells[0];
            ++angles;
        }
        EXPECT_GT(checked, 100);
        EXPECT_GT(angles, 40);
    }
}

TEST_F(TablePages, HourPointsOfAnAnalemmaticDialLieOnItsEllipse)
{
    const double latitude = 47.25;
    CCadranAnalemmatique& dial = Use(AtPlace(std::make_unique<CCadranAnalemmatique>(), latitude, -6.03, 1.0));
    const double m = dial.ellipseSize;
    gdi::RecordingDC dc;
    DrawHourPointTable(dc);
    int checked = 0;
    for (const auto& cells : TableCells("thp.tmp")) {
        if (cells.size() != 5 || cells[0].find(" h ") == std::string::npos)
            continue;
        // The ellipse: M across, M sin(latitude) along the meridian, noon on the pole side,
        // which this dial's y counts negative.
        const double t = HourAngleOf(ColumnOf(cells[0]));
        const double x = m * std::sin(t);
        const double y = -m * std::sin(latitude * kDeg) * std::cos(t);
        EXPECT_NEAR(StringToDouble(cells[1]), x, 0.06) << cells[0];
        EXPECT_NEAR(StringToDouble(cells[2]), y, 0.06) << cells[0];
        EXPECT_NEAR(StringToDouble(cells[3]), std::hypot(x, y), 0.06) << cells[0];
        EXPECT_LE(std::fabs(AngleGap(StringToDouble(cells[4]), AngleDeg(x, y))), 0.1 + 0.1 / std::hypot(x, y) / kDeg)
            << cells[0];
        ++checked;
    }
    EXPECT_GE(checked, 30);  // the June day at 47 degrees: 4 h 30 to 19 h 30
}

TEST_F(TablePages, MovableStyleStandsOnTheDateScaleOfTheAnalemmaticDial)
{
    // The style of a horizontal analemmatic dial stands M cos(latitude) tan(declination) from
    // the centre along the meridian, on the noon side in summer: the side of the noon hour
    // point, which this dial's y counts negative.
    const double latitude = 47.25;
    CCadranAnalemmatique& dial = Use(AtPlace(std::make_unique<CCadranAnalemmatique>(), latitude, -6.03, 1.0));
    const double m = dial.ellipseSize;
    gdi::RecordingDC dc;
    DrawMobileStyleTable(dc);
    const int a = 20;
    const int firstRow = 20 + 6 * a + 3 * a / 4;
    // Both the declination and the position are shown with four significant digits.
    const auto check = [&](const gdi::Record* declination, const gdi::Record* x, const gdi::Record* y) {
        const double expected = -m * std::cos(latitude * kDeg) * std::tan(StringToDouble(declination->text) * kDeg);
        EXPECT_EQ(x->text, "0 mm") << declination->text;
        EXPECT_NEAR(StringToDouble(y->text), expected, 0.01 + 5e-4 * std::fabs(expected)) << declination->text;
    };
    for (int r = 0; r < 36; ++r) {
        const auto row = TextsAt(dc, firstRow + r * a);
        if (r < 19) {
            ASSERT_EQ(row.size(), 7u) << r;
            check(row[0], row[1], row[2]);
            check(row[4], row[5], row[6]);
        } else {
            ASSERT_EQ(row.size(), 4u) << r;
            check(row[1], row[2], row[3]);
        }
    }
}

TEST_F(TablePages, DateArcsOfAHorizontalDialFollowTheNodusShadow)
{
    const double latitude = 47.25;
    Use(AtPlace(std::make_unique<CCadranHorizontal>(), latitude, -6.03, 1.0));
    gdi::RecordingDC dc;
    DrawDateArcTable(dc);
    const auto lines = TableCells("tdl.tmp");
    const int arcs[] = {27, 0, 9, 30, 33, 3, 6};
    const size_t section = lines.size() / 7;
    ASSERT_EQ(lines.size(), 7 * section);
    int checked = 0;
    for (size_t a = 0; a < 7; ++a) {
        const double declination = DeclinationOfLongitude(arcs[a], true) * kDeg;
        for (size_t i = a * section + 3; i < (a + 1) * section; ++i) {
            const auto& cells = lines[i];
            ASSERT_EQ(cells.size(), 5u);
            double x = 0.0;
            double y = 0.0;
            if (!HorizontalShadow(latitude, HourAngleOf(ColumnOf(cells[0])), declination, x, y)) {
                EXPECT_EQ(cells[1], "---") << cells[0];
                continue;
            }
            if (cells[1] == "---" || std::hypot(x, y) > 500.0)
                continue;
            EXPECT_NEAR(StringToDouble(cells[1]), x, 0.1) << cells[0] << " arc " << a;
            EXPECT_NEAR(StringToDouble(cells[2]), y, 0.1) << cells[0] << " arc " << a;
            // Polar coordinates about the centre of the hour lines.
            const double dy = y - CentreY(latitude);
            // The point and the centre are each rounded to a tenth of a millimetre.
            EXPECT_NEAR(StringToDouble(cells[3]), std::hypot(x, dy), 0.18) << cells[0] << " arc " << a;
            EXPECT_LE(std::fabs(AngleGap(StringToDouble(cells[4]), AngleDeg(x, dy))), 0.3) << cells[0];
            // The equinox arc is the straight equinoctial line, h tan(latitude) from the foot.
            if (arcs[a] == 0) {
                EXPECT_NEAR(StringToDouble(cells[2]), kStyleHeightMm * std::tan(latitude * kDeg), 0.1);
            }
            ++checked;
        }
    }
    EXPECT_GT(checked, 150);
}

TEST_F(TablePages, EquinoctialTableMeasuresTheHourPointsFromTheNoonPoint)
{
    const double latitude = 47.25;
    Use(AtPlace(std::make_unique<CCadranHorizontal>(), latitude, -6.03, 1.0));
    gdi::RecordingDC dc;
    DrawEquinoctialTable(dc);
    const double declination = 0.0;  // the equinoctial line the dial draws
    double ox = 0.0;
    double oy = 0.0;
    ASSERT_TRUE(HorizontalShadow(latitude, 0.0, declination, ox, oy));

    const double ob = oy - CentreY(latitude);
    const gdi::Record* distance = nullptr;
    for (const gdi::Record* r : dc.RecordsOf(gdi::RecordKind::TextOut))
        if (r->text.rfind("Distance entre le point O et le point B : ", 0) == 0)
            distance = r;
    ASSERT_NE(distance, nullptr);
    const std::string value = distance->text.substr(std::string("Distance entre le point O et le point B : ").size());
    EXPECT_NEAR(StringToDouble(value), ob, 0.1);  // O and B rounded to tenths of a millimetre
    EXPECT_EQ(value.find('('), std::string::npos);  // B and O on the noon line

    // Hour rows: the label "7h", then twelve cells, five minutes apart.
    int checked = 0;
    for (const gdi::Record* label : dc.RecordsOf(gdi::RecordKind::TextOut)) {
        const std::string& text = label->text;
        if (text.size() < 2 || text.back() != 'h' || text.find(' ') != std::string::npos)
            continue;
        const int hour = StringToInt(text);
        const auto row = TextsAt(dc, label->points[0].y);
        ASSERT_EQ(row.size(), 13u) << text;
        for (int k = 0; k < 12; ++k) {
            double px = 0.0;
            double py = 0.0;
            const std::string& cell = row[static_cast<size_t>(k + 1)]->text;
            if (!HorizontalShadow(latitude, HourAngleOf(12 * hour + k), declination, px, py)) {
                EXPECT_EQ(cell, "--") << text << " + " << 5 * k;
                continue;
            }
            if (cell == "--" || std::hypot(px, py) > 500.0)
                continue;
            const double d = std::hypot(px - ox, py - oy) * (hour < 12 ? -1.0 : 1.0);
            // P and O rounded to tenths of a millimetre, then four significant digits.
            EXPECT_NEAR(StringToDouble(cell), d, 0.15 + 5e-4 * std::fabs(d)) << text << " + " << 5 * k;
            ++checked;
        }
    }
    EXPECT_GT(checked, 100);
}

TEST_F(TablePages, NoonMarksFollowTheEphemerisSun)
{
    // Noon through the year at 47 and 69 degrees north, 6.03 degrees east: in local mean
    // time, and in the legal time of zone +1 (local mean time 0.598 hour behind it). In
    // midwinter the sun stays below the horizon at the second place.
    struct Case {
        double latitude;
        int localSolarTime;
        double meanTimeBehindDeg;
    };
    for (const Case& c : {Case{47.25, 1, 0.0}, Case{69.65, 1, 0.0}, Case{47.25, 0, 15.0 - 6.03}}) {
        const double latitude = c.latitude;
        SCOPED_TRACE(latitude);
        SCOPED_TRACE(c.localSolarTime);
        Use(AtPlace(std::make_unique<CCadranHorizontal>(), latitude, -6.03, 1.0, c.localSolarTime));
        gdi::RecordingDC dc;
        DrawNoonMarkTable(dc);
        const auto lines = TableCells("tdm.tmp");
        ASSERT_EQ(lines.size(), 72u);
        int unlit = 0;
        for (const auto& cells : lines) {
            ASSERT_EQ(cells.size(), 4u);
            const int day = StringToInt(cells[0]);
            const int month = StringToInt(cells[1]);
            const pageref::SunDay sun = pageref::SunAtNoon(2024, month, day);
            double x = 0.0;
            double y = 0.0;
            double altitude = 0.0;
            const bool lit =
                HorizontalShadow(latitude, (-c.meanTimeBehindDeg - sun.eotSeconds / 240.0) * kDeg,
                                 sun.declinationDeg * kDeg, x, y, &altitude);
            if (std::fabs(altitude) < 1.0 * kDeg)
                continue;  // too near the horizon to tell
            if (!lit) {
                EXPECT_EQ(cells[2], "---") << day << "/" << month;
                ++unlit;
                continue;
            }
            // Four significant digits, the projection in tenths of a millimetre, and the sun
            // within 0.017 degree (a shadow grows by h / sin^2(altitude) per radian).
            const double sunError = kStyleHeightMm / std::pow(std::sin(altitude), 2) * 3e-4;
            EXPECT_NEAR(StringToDouble(cells[2]), x, 0.06 + 5e-4 * std::fabs(x) + sunError) << day << "/" << month;
            EXPECT_NEAR(StringToDouble(cells[3]), y, 0.06 + 5e-4 * std::fabs(y) + sunError) << day << "/" << month;
        }
        EXPECT_EQ(unlit > 0, latitude > 60.0);
    }
}

}  // namespace

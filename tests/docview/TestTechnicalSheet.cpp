// The technical sheet: which lines each family of dials gets, the plane's inclination and
// orientation in words, the longitude difference of the place, and the layout on the plate.
#include "DocTestSupport.h"

#include "app/Accessors.h"
#include "app/CHoravelApp.h"
#include "docview/EphemeridesPage.h"
#include "docview/TechnicalSheet.h"
#include "model/CCadranAnalemmatique.h"
#include "model/CCadranBifilaire.h"
#include "model/CCadranCylindrique.h"
#include "model/CCadranCylindriqueDeBerger.h"
#include "model/CCadranHorizontal.h"
#include "model/CCadranMeridional.h"
#include "model/CCadranPlanQuelconque.h"
#include "model/CCadranVerticalQcq.h"
#include "platform/RecordingDC.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

namespace {

using gdi::RecordKind;

constexpr double kDeg = std::numbers::pi / 180.0;

class TechnicalSheet : public DocumentTest {
protected:
    void SetUp() override
    {
        DocumentTest::SetUp();
        GetAppContext().document = &Doc();
        Doc().SetDrawingSizePx({794, 1123});
    }
    void TearDown() override
    {
        GetAppContext().document = nullptr;
        DocumentTest::TearDown();
    }

    // A dial of the type at the document's place (Besançon, 47° 15' N, 6° 02' E, zone 1).
    template <class Dial, class... Args>
    Dial& Put(int code, double angle1Deg, double angle2Deg, double latitude = 47.25, Args... args)
    {
        auto dial = std::make_unique<Dial>(args...);
        dial->SetTypeAndPlane(code, angle1Deg, angle2Deg);
        dial->SetSite(latitude, -6.0333, 1.0);
        dial->SetYear(2024);
        Dial& ref = *dial;
        Doc().SetDial(std::move(dial));
        return ref;
    }

    std::vector<std::string> Lines()
    {
        gdi::RecordingDC dc;
        DrawTechnicalSheet(dc);
        return dc.Texts();
    }
};

bool Has(const std::vector<std::string>& lines, const std::string& text)
{
    return std::find(lines.begin(), lines.end(), text) != lines.end();
}

bool HasPrefix(const std::vector<std::string>& lines, const std::string& prefix)
{
    return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) { return l.starts_with(prefix); });
}

}  // namespace

TEST_F(TechnicalSheet, HorizontalDialInTheNorth)
{
    CCadranHorizontal& dial = Put<CCadranHorizontal>(1, 0.0, 0.0);
    dial.styleHeight = 40;
    const std::vector<std::string> lines = Lines();
    const std::vector<std::string> expected = {
        "Fiche technique",
        "CADRAN SOLAIRE HORIZONTAL",
        "Lieu : BESANÇON, FRANCE",
    };
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 3), expected);
    EXPECT_TRUE(Has(lines, "Fuseau horaire : Greenwich + 1 h "));
    // The zone's meridian (15° E) lies 8.97° east of the place: its noon comes 35 min 52 s
    // before the place's mean noon, so they are added to the dial's time.
    EXPECT_TRUE(Has(lines, "Écart de longitude : 35 min 52 s"));
    EXPECT_TRUE(Has(lines, "Année de référence : 2024"));
    EXPECT_TRUE(Has(lines, "Hauteur du style : 40 mm"));
    EXPECT_TRUE(Has(lines, "Longueur du style : 36.98 mm "));  // 40 / tan 47.25°
    EXPECT_TRUE(Has(lines, "Inclinaison du support : 0° ( horizontal )"));
    EXPECT_TRUE(Has(lines, "Orientation du support : 0° "));
    EXPECT_TRUE(Has(lines, "Angle de la sous-stylaire : 0° ( depuis la ligne de midi )"));
    EXPECT_TRUE(Has(lines, "Les lignes horaires indiquent l'heure solaire vraie."));
    EXPECT_TRUE(Has(lines, "- la correction en longitude ;"));
    EXPECT_TRUE(Has(lines, "Horavel version " + CHoravelApp::GetVersionString() + "."));
    EXPECT_EQ(lines.back(), "Conçu et réalisé par Orlune Software.");
}

TEST_F(TechnicalSheet, TruncatedStyleAndCorrectedHourLines)
{
    CCadranHorizontal& dial = Put<CCadranHorizontal>(1, 0.0, 0.0);
    dial.styleHeight = 40;
    dial.styleLimit = 25;
    dial.styleTruncation = 1;
    dial.localSolarTime = 0;
    const std::vector<std::string> lines = Lines();
    EXPECT_TRUE(Has(lines, "Longueur du style : 25 mm ( le style est tronqué )."));
    EXPECT_TRUE(Has(lines, "Écart de longitude : 35 min 52 s ( déjà corrigé dans le tracé du cadran )"));
    EXPECT_TRUE(Has(lines, "Les lignes horaires indiquent l'heure solaire vraie corrigée en longitude."));
    EXPECT_FALSE(Has(lines, "- la correction en longitude ;"));
    EXPECT_TRUE(Has(lines, "- l'équation du temps ;"));
}

// The sheet tells to add the longitude difference to the dial's time: it writes the value
// to add, the one the ephemerides page writes, east and west of the zone's meridian.
TEST_F(TechnicalSheet, LongitudeDifferenceIsTheOneTheEphemeridesPageGives)
{
    const auto after = [](const std::vector<std::string>& lines, const std::string& label) {
        for (const std::string& line : lines)
            if (line.starts_with(label))
                return line.substr(label.size());
        return std::string("none");
    };
    for (const double longitudeWest : {-6.0333, 4.5}) {
        CDataBaseElement place = *Doc().GetLocation();
        place.longitude = longitudeWest;
        Doc().SetLocation(&place);
        Put<CCadranHorizontal>(1, 0.0, 0.0);
        gdi::RecordingDC page;
        DrawEphemeridesPage(page);
        const std::string onSheet = after(Lines(), "Écart de longitude : ");
        EXPECT_EQ(onSheet, after(page.Texts(), "Écart de longitude : ")) << longitudeWest;
        EXPECT_FALSE(onSheet.starts_with("-")) << onSheet;  // both places lie west of 15° E
    }
}

// The substyle's angle is printed to the hundredth of a degree: it comes from the exact
// centre, not from one rounded to the tenth of a millimetre, and the sheet says from which
// line it is measured. Exact: atan(sin D / tan phi) on the wall.
TEST_F(TechnicalSheet, SubstyleAngleFromTheExactCentreAndItsLine)
{
    CCadranVerticalQcq& wall = Put<CCadranVerticalQcq>(5, -25.0, 90.0, 20.0, -25.0 * kDeg);
    wall.styleHeight = 10;
    EXPECT_TRUE(Has(Lines(), "Angle de la sous-stylaire : -49.26° ( depuis la ligne de plus grande pente )"));
    CCadranPlanQuelconque& plane = Put<CCadranPlanQuelconque>(6, -25.0, 60.0, 20.0, -25.0 * kDeg, 60.0 * kDeg);
    plane.styleHeight = 10;
    EXPECT_TRUE(Has(Lines(), "Angle de la sous-stylaire : -28.81° ( depuis la ligne de plus grande pente )"));
    // A level face has no slope: a face turned 30 degrees is measured from the drawing's Y axis.
    Put<CCadranPlanQuelconque>(6, 30.0, 0.0, 20.0, 30.0 * kDeg, 0.0);
    EXPECT_TRUE(Has(Lines(), "Angle de la sous-stylaire : 30° ( depuis l'axe Y du dessin )"));
}

TEST_F(TechnicalSheet, WallsSayWhichWayTheyFace)
{
    Put<CCadranMeridional>(2, 0.0, 90.0);
    std::vector<std::string> lines = Lines();
    EXPECT_TRUE(Has(lines, "Inclinaison du support : 90° ( Vertical )"));
    EXPECT_TRUE(Has(lines, "Orientation du support : 0° ( Face au Sud )"));

    Put<CCadranMeridional>(2, 0.0, 90.0, -33.9);
    lines = Lines();
    EXPECT_TRUE(Has(lines, "Orientation du support : 0° ( Face au Nord )"));

    Put<CCadranVerticalQcq>(5, 30.5, 90.0, 47.25, 30.5 * kDeg);
    lines = Lines();
    EXPECT_TRUE(Has(lines, "Orientation du support : 30° 30' Ouest"));
    Put<CCadranVerticalQcq>(5, -30.5, 90.0, 47.25, -30.5 * kDeg);
    lines = Lines();
    EXPECT_TRUE(Has(lines, "Orientation du support : 30° 30' Est"));

    Put<CCadranVerticalQcq>(5, -120.0, 90.0, 47.25, -120.0 * kDeg);
    EXPECT_TRUE(Has(Lines(), "Orientation du support : 120° ( Nord-Est )"));
    Put<CCadranVerticalQcq>(5, -120.0, 90.0, -33.9, -120.0 * kDeg);
    EXPECT_TRUE(Has(Lines(), "Orientation du support : 120° ( Sud-Est )"));
}

TEST_F(TechnicalSheet, WholeDegreesStoredInRadiansReadAsWholeDegrees)
{
    // 30 degrees come back from radians as 29.999999999999996.
    Put<CCadranVerticalQcq>(5, 30.0, 90.0, 47.25, 30.0 * kDeg);
    const std::vector<std::string> lines = Lines();
    EXPECT_TRUE(Has(lines, "Orientation du support : 30° ( Sud-Ouest )"));
    EXPECT_TRUE(Has(lines, "Inclinaison du support : 90° ( Vertical )"));
}

// An inclined plane at whole degrees still says which way it turns, and an angle under one
// degree keeps its sign.
TEST_F(TechnicalSheet, InclinedPlanesKeepTheirSideAndSign)
{
    Put<CCadranPlanQuelconque>(10, 30.0, 60.0, 47.25, 30.0 * kDeg, 60.0 * kDeg);
    EXPECT_TRUE(Has(Lines(), "Orientation du support : 30° Ouest"));
    Put<CCadranPlanQuelconque>(10, -45.0, 60.0, 47.25, -45.0 * kDeg, 60.0 * kDeg);
    std::vector<std::string> lines = Lines();
    EXPECT_TRUE(Has(lines, "Orientation du support : 45° Est"));
    EXPECT_TRUE(Has(lines, "Inclinaison du support : 60° "));
    Put<CCadranPlanQuelconque>(10, -0.5, -0.5, 47.25, -0.5 * kDeg, -0.5 * kDeg);
    lines = Lines();
    EXPECT_TRUE(Has(lines, "Orientation du support : 0° 30' Est"));
    EXPECT_TRUE(Has(lines, "Inclinaison du support : -0° 30'"));
}

TEST_F(TechnicalSheet, EachFamilyOfDialsHasItsOwnLines)
{
    const auto family = [](const std::vector<std::string>& lines) {
        std::string f;
        for (const char* label : {"Hauteur du style", "Longueur du style", "Demi-grand axe", "Rayon du cylindre",
                                  "Inclinaison du support", "Orientation du support", "Angle de la sous-stylaire"})
            f += HasPrefix(lines, label) ? "1" : "0";
        return f;
    };

    CCadranAnalemmatique& analemmatic = Put<CCadranAnalemmatique>(20, 0.0, 0.0);
    analemmatic.typeCode = 20;
    analemmatic.ellipseSize = 75.0;
    std::vector<std::string> lines = Lines();
    EXPECT_EQ(family(lines), "0010110");
    EXPECT_TRUE(Has(lines, "Demi-grand axe de l'ellipse : 75 mm"));

    CCadranBifilaire& bifilar = Put<CCadranBifilaire>(40, 0.0, 0.0);
    bifilar.typeCode = 40;
    EXPECT_EQ(family(Lines()), "1100111");

    CCadranCylindrique& cylinder = Put<CCadranCylindrique>(30, 0.0, 0.0);
    cylinder.typeCode = 30;
    lines = Lines();
    EXPECT_EQ(family(lines), "1001110");
    EXPECT_TRUE(Has(lines, "Rayon du cylindre : 100 mm"));

    CCadranCylindriqueDeBerger& shepherd = Put<CCadranCylindriqueDeBerger>(33, 0.0, 0.0);
    shepherd.typeCode = 33;
    lines = Lines();
    EXPECT_EQ(family(lines), "1001000");
    EXPECT_TRUE(Has(lines, "Rayon du cylindre : 50 mm"));
}

TEST_F(TechnicalSheet, LinesStandOnThePlateInLineUnits)
{
    Put<CCadranHorizontal>(1, 0.0, 0.0);
    gdi::RecordingDC dc;
    DrawTechnicalSheet(dc);
    // Portrait sheet 794 x 1123: the plate is (0, 0, 793, 1122) less 5 % and 10 %.
    const gdi::Rect plate{40, 112, 793 - 40, 1122 - 112};
    const int t = 9;  // 0.012 x 713 rounded: the plate is taller than wide
    const auto at = [&](const std::string& prefix) {
        for (const gdi::Record* r : dc.RecordsOf(RecordKind::TextOut))
            if (r->text.starts_with(prefix))
                return r->points[0];
        ADD_FAILURE() << prefix;
        return gdi::Point{};
    };
    EXPECT_EQ(at("Fiche technique"), (gdi::Point{plate.left + plate.Width() / 2, plate.top + 5 * t}));
    EXPECT_EQ(at("Lieu : "), (gdi::Point{plate.left + 8 * t, plate.top + 16 * t}));
    EXPECT_EQ(at("Latitude : ").y - at("Lieu : ").y, 3 * t);
    EXPECT_EQ(at("- l'équation").x, plate.left + 11 * t);
    for (const gdi::Record* r : dc.RecordsOf(RecordKind::TextOut))
        EXPECT_TRUE(r->points[0].y < plate.bottom) << r->text;
}

TEST_F(TechnicalSheet, WithoutADialOnlyThePlate)
{
    gdi::RecordingDC dc;
    DrawTechnicalSheet(dc);
    EXPECT_EQ(dc.Count(RecordKind::TextOut), 0);
    EXPECT_GT(dc.Count(RecordKind::Arc), 0);  // the screws
}

#include "dialogs/DimensionFields.h"

#include "model/CCadranAnalemmatique.h"
#include "model/CCadranCylindrique.h"
#include "model/CCadranCylindriqueDeBerger.h"
#include "model/CCadranHorizontal.h"
#include "model/CCadranPolaire.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

void MakeHorizontal(CCadranHorizontal& dial, double latitudeDeg, int styleHeight)
{
    dial.SetSite(latitudeDeg, 0.0, 0.0);
    dial.styleHeight = styleHeight;
    dial.width = 160;
    dial.height = 180;
}

}  // namespace

TEST(DimensionFields, TheFullBaseIsTheUncutSubStyleOrMinusOneWithoutEnd)
{
    CCadranHorizontal at45;
    at45.SetSite(45.0, 0.0, 0.0);
    at45.styleHeight = 25;
    at45.styleTruncation = 1;  // the dialog shows the whole base even when it is cut
    at45.styleLimit = 10;
    EXPECT_NEAR(FullBaseLength(at45), 25.0, 1e-9);

    CCadranHorizontal atEquator;
    atEquator.SetSite(0.5, 0.0, 0.0);
    EXPECT_EQ(FullBaseLength(atEquator), -1.0);

    CCadranPolaire polar;
    polar.SetSite(45.0, 0.0, 0.0);
    EXPECT_EQ(FullBaseLength(polar), -1.0);
}

TEST(DimensionFields, ABaseWithoutEndOrLongerThanFiveStyleHeightsMustBeCut)
{
    DimensionFields f;
    f.styleHeight = 20.0;
    f.fullBaseLength = -1.0;
    EXPECT_TRUE(MustTruncateBase(f));
    f.fullBaseLength = 100.0;
    EXPECT_FALSE(MustTruncateBase(f));
    f.fullBaseLength = 100.5;
    EXPECT_TRUE(MustTruncateBase(f));
    f.fullBaseLength = 0.0;
    EXPECT_FALSE(MustTruncateBase(f));
}

TEST(DimensionFields, ADialTakesTheRoundedValuesBackAndItsAnchorFollows)
{
    CCadranHorizontal dial;
    MakeHorizontal(dial, 48.0, 25);
    dial.styleTruncation = 0;
    dial.styleLimit = 40;
    dial.symmetricMargins = 1;
    dial.scale = 0.5;
    dial.anchoringMode = 1;
    dial.SetStyleAnchorPercent(50, 30);

    DimensionFields f = DimensionsFromDial(dial);
    EXPECT_EQ(f.width, 160.0);
    EXPECT_EQ(f.height, 180.0);
    EXPECT_EQ(f.styleHeight, 25.0);
    EXPECT_EQ(f.baseLimit, 40.0);
    EXPECT_EQ(f.baseMode, 1);
    EXPECT_EQ(f.scale, 0.5);
    EXPECT_NEAR(f.fullBaseLength, 25.0 / std::tan(48.0 * std::numbers::pi / 180.0), 1e-9);

    f.width = 200.5;  // halves away from zero
    f.height = 99.4;
    f.styleHeight = 30.6;
    f.baseLimit = 12.5;
    f.baseMode = 0;
    f.symmetricMargins = 0;
    f.scale = 2.0;
    ApplyDimensionsToDial(f, dial);
    EXPECT_EQ(dial.width, 201);
    EXPECT_EQ(dial.height, 99);
    EXPECT_EQ(dial.styleHeight, 31);
    EXPECT_EQ(dial.styleLimit, 13);
    EXPECT_EQ(dial.styleTruncation, 1);
    EXPECT_EQ(dial.symmetricMargins, 0);
    EXPECT_EQ(dial.scale, 2.0);
    // Anchored in percent: the absolute anchor follows the new size.
    EXPECT_EQ(dial.anchorX, 100);
    EXPECT_EQ(dial.anchorY, 29);

    f.baseMode = 1;
    ApplyDimensionsToDial(f, dial);
    EXPECT_EQ(dial.styleTruncation, 0);
}

TEST(DimensionFields, WithoutADialTheViewDefaultsAreEdited)
{
    CHoravelView::DefaultDimensions defaults{25, 1, 40, 160, 180};
    DimensionFields f = DimensionsFromDefaults(defaults, 0);
    EXPECT_EQ(f.baseMode, 0);
    EXPECT_EQ(f.symmetricMargins, 0);
    EXPECT_EQ(f.fullBaseLength, -1.0);
    EXPECT_EQ(f.scale, 1.0);
    int margins = 0;
    ApplyDimensionsToDefaults(f, defaults, margins);
    EXPECT_EQ(defaults, (CHoravelView::DefaultDimensions{25, 1, 40, 160, 180}));

    f.width = 210.6;
    f.height = 297.0;
    f.styleHeight = 18.2;
    f.baseLimit = 55.5;
    f.baseMode = 1;
    f.symmetricMargins = 1;
    ApplyDimensionsToDefaults(f, defaults, margins);
    EXPECT_EQ(defaults, (CHoravelView::DefaultDimensions{18, 0, 56, 211, 297}));
    EXPECT_EQ(margins, 1);
}

TEST(DimensionFields, AnAnalemmaticDialRoundsItsEllipseAndKeepsItsAnchoring)
{
    CCadranAnalemmatique dial;
    dial.width = 300;
    dial.height = 200;
    dial.ellipseSize = 80.0;
    dial.scale = 1.0;
    dial.anchoringMode = 2;  // fixed distance from the top left corner
    dial.SetStyleAnchorPosition(150, 100);
    DimensionFields f = DimensionsFromAnalemmatic(dial);
    EXPECT_EQ(f.halfMajorAxis, 80.0);
    f.halfMajorAxis = 92.5;
    f.width = 400.0;
    f.scale = 0.25;
    ApplyDimensionsToAnalemmatic(f, dial);
    EXPECT_EQ(dial.ellipseSize, 93.0);
    EXPECT_EQ(dial.width, 400);
    EXPECT_EQ(dial.scale, 0.25);
    EXPECT_EQ(dial.anchorX, 150);
    EXPECT_EQ(dial.anchorPercentX, 37);
}

TEST(DimensionFields, ACylinderKeepsTheRadiusAsARadiusAndResizesItsSheet)
{
    CCadranCylindrique dial;
    dial.radius = 100.4;
    dial.styleHeight = 25;
    CylinderFields f = DimensionsFromCylinder(dial);
    EXPECT_EQ(f.radius, 100);
    EXPECT_EQ(f.typeCode, 30);
    f.radius = 150;
    f.styleLength = 35;
    ApplyDimensionsToCylinder(f, dial);
    EXPECT_EQ(dial.radius, 150.0);
    EXPECT_EQ(dial.styleHeight, 35);
    EXPECT_EQ(dial.width, static_cast<int>(std::lround(std::numbers::pi * 150.0)) + 40);
    EXPECT_EQ(dial.height, static_cast<int>(std::lround(std::tan(25.0 * std::numbers::pi / 180.0) * 300.0)) + 40);

    EXPECT_FALSE(CylinderHasStyleLength(30));
    EXPECT_FALSE(CylinderHasStyleLength(31));
    EXPECT_TRUE(CylinderHasStyleLength(32));
    EXPECT_TRUE(CylinderHasStyleLength(CCadranCylindriqueDeBerger().typeCode));
}

TEST(DimensionFields, TheScaleListHasThirteenChoicesMatchedByTheirWholeText)
{
    const auto& choices = ScalePercentChoices();
    ASSERT_EQ(choices.size(), 13u);
    EXPECT_EQ(ScaleChoiceText(choices.front()), "5%");
    EXPECT_EQ(ScaleChoiceText(choices[9]), "50%");
    EXPECT_EQ(ScaleChoiceText(choices.back()), "500%");
    EXPECT_EQ(ScaleChoiceIndex(1.0), 10);
    EXPECT_EQ(ScaleChoiceIndex(0.1), 1);   // not "100%"
    EXPECT_EQ(ScaleChoiceIndex(0.05), 0);  // not "50%"
    EXPECT_EQ(ScaleChoiceIndex(5.0), 12);
    EXPECT_EQ(ScaleChoiceIndex(0.75), -1);
    EXPECT_EQ(ScaleChoiceIndex(0.449), 8);  // rounds to 45
}

TEST(DimensionFields, ScaleSizeAndBaseTexts)
{
    EXPECT_EQ(ScaleText(25), "Le cadran sera imprimé en réduction à l'échelle 25/100.");
    EXPECT_EQ(ScaleText(100), "Le cadran sera imprimé à l'échelle 1.");
    EXPECT_EQ(ScaleText(200), "Le cadran sera imprimé agrandi à l'échelle 200/100.");
    EXPECT_EQ(PrintedSizeText(25, 150.0, 180.0), "Dimension du cadran imprimé : 37.5 mm x 45 mm.");
    EXPECT_EQ(PrintedSizeText(500, 160.0, 180.0), "Dimension du cadran imprimé : 800 mm x 900 mm.");
    EXPECT_EQ(BaseText(true, 22.5), "La base complète du style mesure 22.5 mm.");
    EXPECT_EQ(BaseText(true, -1.0), "Le point B est rejeté à l'infini. La base du style est forcément tronquée.");
    EXPECT_EQ(BaseText(true, 0.0), "Le point B est rejeté à l'infini. La base du style est forcément tronquée.");
    EXPECT_EQ(BaseText(false, 30.0), "La base complète du style mesure **** mm (aucun cadran n'est chargé).");
}

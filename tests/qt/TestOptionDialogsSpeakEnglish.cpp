// The dimension, anchor, line option and line style dialogs in English from the shipped
// language file. With HORAVEL_SCREENSHOTS set to a folder, each is saved there as a picture.
#include "DialogTestSupport.h"

#include "dialogs/qt/CDlgAncrageStyle.h"
#include "dialogs/qt/CDlgAnneeReference.h"
#include "dialogs/qt/CDlgArcsDates.h"
#include "dialogs/qt/CDlgArcsDiurnes.h"
#include "dialogs/qt/CDlgCourbeEquation.h"
#include "dialogs/qt/CDlgDimensions.h"
#include "dialogs/qt/CDlgDimensionsAnalemmatique.h"
#include "dialogs/qt/CDlgDimensionsCylindre.h"
#include "dialogs/qt/CDlgIndications.h"
#include "dialogs/qt/CDlgStyleTraces.h"
#include "docview/ColorTable.h"
#include "model/CCadranHorizontal.h"
#include "platform/FakeServices.h"
#include "platform/Profile.h"

#include <QImage>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

class OptionDialogsSpeakEnglish : public ::testing::Test {
protected:
    void SetUp() override
    {
        paths::SetInstallFolder(context_.Dir().path());
        ASSERT_TRUE(file_.Load());
        context_.UseLanguage(&file_, 1);
        dial_.SetSite(45.0, 0.0, 0.0);
        dial_.styleHeight = 20;
        dial_.width = 160;
        dial_.height = 180;
        dial_.SetStyleAnchorPercent(50, 30);
    }
    void TearDown() override { paths::SetInstallFolder({}); }

    static void Shoot(CDialogBase& dialog, const char* name)
    {
        dialog.adjustSize();
        const QImage shot = dialog.grab().toImage();
        EXPECT_GT(shot.width(), 100) << name;
        if (const char* out = std::getenv("HORAVEL_SCREENSHOTS"))
            shot.save(QString::fromUtf8(out) + "/" + name + ".png");
    }

    ScopedMemoryProfile profile_;
    ScopedFakeServices fake_;
    dialogtest::ScopedDialogContext context_;
    CLanguageFile file_{testsupport::SourceDir() / "resources" / "data" / "horavel.lang"};
    CCadranHorizontal dial_;
};

}  // namespace

TEST_F(OptionDialogsSpeakEnglish, DimensionsAndAnchor)
{
    CDlgDimensions dimensions;
    dimensions.m_fields = DimensionsFromDial(dial_);
    dimensions.m_hasDial = true;
    ASSERT_TRUE(dimensions.Create());
    EXPECT_EQ(dimensions.GetDlgItemText(1053), "&Do not cut the style");
    EXPECT_EQ(dimensions.GetDlgItemText(1146), "The whole base of the style measures 20 mm.");
    EXPECT_EQ(dimensions.GetDlgItemText(1201), "The dial will be printed at scale 1.");
    Shoot(dimensions, "dimensions");

    CDlgDimensionsAnalemmatique analemmatic;
    analemmatic.m_fields.width = 300;
    analemmatic.m_fields.height = 200;
    analemmatic.m_fields.halfMajorAxis = 80;
    ASSERT_TRUE(analemmatic.Create());
    EXPECT_EQ(analemmatic.GetDlgItemText(1704), "Length of the ellipse's semi-major axis:");
    Shoot(analemmatic, "dimensions-analemmatic");

    CDlgDimensionsCylindre cylinder;
    cylinder.m_fields.typeCode = 32;
    ASSERT_TRUE(cylinder.Create());
    EXPECT_EQ(cylinder.GetDlgItemText(1278), "&Radius:");
    Shoot(cylinder, "dimensions-cylinder");

    CDlgAncrageStyle anchor;
    anchor.m_dial = &dial_;
    anchor.m_fields = StyleAnchorFromDial(dial_);
    ASSERT_TRUE(anchor.Create());
    EXPECT_EQ(anchor.GetTitle(), "Coordinates of the style's anchor point");
    EXPECT_EQ(anchor.GetDlgItemText(1300), "Dial size:\n160 mm x 180 mm");
    Shoot(anchor, "style-anchor");
}

TEST_F(OptionDialogsSpeakEnglish, LineOptionsAndStyles)
{
    dial_.particularDates = {2902, 1507};
    CDlgArcsDates dates;
    dates.m_dates = &dial_.particularDates;
    ASSERT_TRUE(dates.Create());
    EXPECT_EQ(dates.Control<QListWidget>(1225)->item(0)->text().toStdString(), "29 February");
    Shoot(dates, "particular-dates");

    CDlgIndications indications;
    indications.m_dial = &dial_;
    ASSERT_TRUE(indications.Create());
    EXPECT_EQ(indications.GetDlgItemText(1197), "Sun's Azimuth and Altitude");
    Shoot(indications, "indications");

    CDlgAnneeReference year;
    year.m_year = 2025;
    ASSERT_TRUE(year.Create());
    EXPECT_EQ(year.GetDlgItemText(1048), "Average of the years 2024 to 2027.");
    Shoot(year, "reference-year");

    CDlgArcsDiurnes arcs;
    ASSERT_TRUE(arcs.Create());
    EXPECT_EQ(arcs.GetTitle(), "Drawing of the diurnal arcs");
    Shoot(arcs, "diurnal-arcs");

    CDlgCourbeEquation noon;
    noon.m_prefs = &dial_.prefs;
    ASSERT_TRUE(noon.Create());
    EXPECT_EQ(noon.GetDlgItemText(1050), "&Winter and spring half meridian");
    Shoot(noon, "noon-mark");

    CDlgStyleTraces styles;
    ASSERT_TRUE(styles.Create());
    QTreeWidget* tree = styles.Control<QTreeWidget>(1100);
    tree->expandAll();
    EXPECT_EQ(tree->topLevelItem(4)->text(0).toStdString(), "Azimuth lines");
    tree->setCurrentItem(tree->topLevelItem(0)->child(0));
    Shoot(styles, "line-styles");
}

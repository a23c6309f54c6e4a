// The loading dialog of dial documents: its bars follow the table rebuild, it translates,
// and it goes away at the end.
#include "app/Accessors.h"
#include "docview/CHoravelDoc.h"
#include "docview/qt/CDlgChargementCadran.h"
#include "model/CCadran.h"
#include "platform/FakeServices.h"
#include "support/ShippedLanguage.h"
#include "support/TestSupport.h"

#include <QLabel>
#include <QProgressBar>

#include <gtest/gtest.h>

namespace {

TEST(LoadingDialog, BarsFollowTheRebuildOfADialsTables)
{
    ScopedFakeServices services;
    CDlgChargementCadran dialog;
    EXPECT_EQ(dialog.GetTitle(), "Chargement d'un fichier cadran solaire");
    ASSERT_NE(dialog.Bar(1070), nullptr);
    EXPECT_EQ(dialog.Bar(1070)->maximum(), 12);
    EXPECT_EQ(dialog.Bar(1071)->maximum(), 12);
    EXPECT_EQ(dialog.Bar(1072)->maximum(), 36);

    // Halfway through, as the user sees it.
    dialog.Show();
    EXPECT_TRUE(dialog.isVisible());
    dialog.SetPos(1070, 12);
    dialog.SetPos(1071, 6);
    const QImage shot = dialog.grab().toImage();
    if (const char* out = std::getenv("HORAVEL_SCREENSHOTS"))
        shot.save(QString::fromUtf8(out) + "/loading-dialog.png");
    EXPECT_EQ(dialog.Bar(1071)->value(), 6);
    dialog.Close();
    EXPECT_FALSE(dialog.isVisible());

    // A whole rebuild through it leaves every bar full.
    CDlgChargementCadran rebuild;
    CCadran dial;
    dial.latitude = 47.25;
    RebuildDialTables(dial, &rebuild);
    EXPECT_EQ(rebuild.Bar(1070)->value(), 12);
    EXPECT_EQ(rebuild.Bar(1071)->value(), 12);
    EXPECT_EQ(rebuild.Bar(1072)->value(), 36);
    EXPECT_FALSE(rebuild.isVisible());
    EXPECT_EQ(dial.tablesValid, 1);
}

TEST(LoadingDialog, SpeaksTheProgramLanguage)
{
    ScopedFakeServices services;
    const testsupport::ScopedShippedLanguage english(1);
    CDlgChargementCadran dialog;
    dialog.Show();
    EXPECT_EQ(dialog.GetTitle(), "Loading a sundial file");
    EXPECT_EQ(dialog.GetDlgItemText(1076), "Declination table:");
    dialog.Close();
}

}  // namespace

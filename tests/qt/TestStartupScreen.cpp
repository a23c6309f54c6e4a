#include "app/Accessors.h"
#include "dialogs/qt/CDlgAPropos.h"
#include "dialogs/qt/CDlgDemarrage.h"
#include "platform/FakeServices.h"
#include "platform/Paths.h"
#include "support/TestSupport.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

class StartupScreen : public ::testing::Test {
protected:
    void SetUp() override
    {
        paths::SetInstallFolder(dir_.path());
        paths::SetDataFolder(dir_.path());
    }
    void TearDown() override
    {
        paths::SetInstallFolder({});
        paths::SetDataFolder({});
    }
    testsupport::TempDir dir_;
    ScopedMemoryProfile profile_;
    ScopedFakeServices fake_;
};

}  // namespace

TEST_F(StartupScreen, NextTipWrapsRoundAndThePositionIsKeptForTheNextRun)
{
    testsupport::WriteFileBytes(dir_ / "tips_fr.txt", "; les astuces\nUn.\n\nDeux.\nTrois.\n");
    {
        CDlgDemarrage screen(nullptr);
        EXPECT_EQ(screen.TipText(), "Un.");
        auto* next = screen.Control<QAbstractButton>(1002);
        ASSERT_NE(next, nullptr);
        EXPECT_TRUE(next->isEnabled());
        std::vector<std::string> seen;
        for (int i = 0; i < 3; ++i) {
            next->click();
            seen.push_back(screen.TipText());
        }
        EXPECT_EQ(seen, (std::vector<std::string>{"Deux.", "Trois.", "Un."}));
        // The tip static shows it.
        EXPECT_EQ(screen.GetDlgItemText(1004), "Un.");
    }
    CDlgDemarrage again(nullptr);
    EXPECT_EQ(again.TipText(), "Deux.");
}

TEST_F(StartupScreen, ButtonsChooseTheCommandAndCloseWritesTheCheck)
{
    testsupport::WriteFileBytes(dir_ / "tips_fr.txt", "Un.\n");
    {
        CDlgDemarrage screen(nullptr);
        EXPECT_EQ(screen.IsDlgButtonChecked(1001), 1);  // "IntStartup" absent: shown at the next start
        screen.CheckDlgButton(1001, 0);
        screen.Control<QAbstractButton>(IDOK)->click();
        EXPECT_EQ(screen.GetDialogResult(), IDOK);
        EXPECT_EQ(screen.GetCommand(), 0);
        EXPECT_FALSE(screen.ShowAtStartup());
    }
    EXPECT_EQ(profile_->GetInt("Tips", "IntStartup", -1), 1);
    {
        CDlgDemarrage screen(nullptr);
        EXPECT_EQ(screen.IsDlgButtonChecked(1001), 0);
        screen.CheckDlgButton(1001, 1);
        screen.Control<QAbstractButton>(1056)->click();
        EXPECT_EQ(screen.GetCommand(), 57601);
        EXPECT_EQ(screen.GetDialogResult(), IDOK);
        EXPECT_TRUE(screen.ShowAtStartup());
    }
    EXPECT_EQ(profile_->GetInt("Tips", "IntStartup", -1), 0);
    CDlgDemarrage screen(nullptr);
    screen.Control<QAbstractButton>(1037)->click();
    EXPECT_EQ(screen.GetCommand(), 57600);
}

TEST_F(StartupScreen, WithoutATipsFileTheScreenStillWorks)
{
    CDlgDemarrage screen(nullptr);
    EXPECT_EQ(screen.TipText(), "Le fichier des astuces du jour est introuvable !");
    EXPECT_FALSE(screen.GetDlgItem(1002)->isEnabled());
    screen.Control<QAbstractButton>(IDOK)->click();
    EXPECT_FALSE(profile_->HasValue("Tips", "tips_fr"));
}

TEST_F(StartupScreen, AboutBoxPaintsItsOwnBackground)
{
    testsupport::WriteFileBytes(dir_ / "tips_fr.txt",
                                "Le style d'un cadran horizontal pointe vers le pôle céleste : son angle avec la "
                                "table est la latitude du lieu.\n");
    CDlgDemarrage screen(nullptr);
    const QImage startup = screen.grab().toImage();
    EXPECT_EQ(startup.size(), screen.size());
    CDlgAPropos about(nullptr);
    about.SetVersion("2.0.1");
    about.show();
    const QImage aboutImage = about.grab().toImage();
    // The painted background, not the style's.
    EXPECT_EQ(aboutImage.pixelColor(5, 5), QColor(208, 224, 232));
}

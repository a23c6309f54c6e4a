// The horizon mask, mottoes, text-frame, zodiac and conversion dialogs in the program
// language, from the shipped language file. With HORAVEL_SCREENSHOTS set to a folder, each
// dialog is also saved there as a picture.
#include "DialogTestSupport.h"

#include "dialogs/qt/CDlgCadreTexte.h"
#include "dialogs/qt/CDlgConversionDecimale.h"
#include "dialogs/qt/CDlgMasqueHorizon.h"
#include "dialogs/qt/CDlgPointMasque.h"
#include "dialogs/qt/CDlgSaisieDevise.h"
#include "dialogs/qt/CDlgSelectionDevise.h"
#include "dialogs/qt/CDlgZodiacSigns.h"
#include "docview/CHoravelDoc.h"
#include "docview/CObjetTexte.h"
#include "platform/FakeServices.h"
#include "platform/Profile.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

class DialogsSpeakEnglish : public ::testing::Test {
protected:
    void SetUp() override
    {
        paths::SetInstallFolder(context_.Dir().path());
        ASSERT_TRUE(file_.Load());
        context_.UseLanguage(&file_, 1);
        testsupport::WriteFileBytes(context_.Dir() / "mottoes.txt",
                                    testsupport::ReadFileBytes(testsupport::SourceDir() / "resources" / "data" / "mottoes.txt"));
        testsupport::WriteFileBytes(context_.Dir() / "HorizonMask.txt",
                                    "HORAVEL_HORIZON_MASK\n-180 4\n-120 10\n-90 18\n-60 12\n-30 6\n0 3\n"
                                    "30 8\n60 22\n90 30\n120 15\n150 5\n180 4\n");
    }
    void TearDown() override { paths::SetInstallFolder({}); }

    // Lays the dialog out, checks what is shown and saves its picture when asked.
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
};

}  // namespace

TEST_F(DialogsSpeakEnglish, HorizonMaskAndPoint)
{
    CHoravelDoc document;
    CDlgMasqueHorizon mask(document);
    mask.m_showMask = 1;
    ASSERT_TRUE(mask.Create());
    EXPECT_EQ(mask.GetTitle(), "Horizon mask definition");
    EXPECT_EQ(mask.GetDlgItemText(1325), "Add a point...");
    EXPECT_EQ(mask.GetDlgItemText(1333), "Show a horizon mask on the Azimuth-Altitude graph");
    EXPECT_EQ(document.GetHorizonMask().size(), 12u);
    Shoot(mask, "horizon-mask");

    CDlgPointMasque point;
    point.m_azimuth = -45;
    point.m_height = 12;
    ASSERT_TRUE(point.Create());
    EXPECT_EQ(point.GetTitle(), "Entering a point of the horizon mask");
    EXPECT_EQ(point.GetDlgItemText(1702), "( between -180° and +180° )");
    Shoot(point, "horizon-mask-point");
}

TEST_F(DialogsSpeakEnglish, Mottoes)
{
    profile_->WriteString("Dialogues\\Devises", "LangueDevise", "la");
    CDlgSelectionDevise selection;
    ASSERT_TRUE(selection.Create());
    EXPECT_EQ(selection.GetTitle(), "Choosing a motto");
    EXPECT_EQ(selection.GetDlgItemText(1158), "Add a new motto...");
    EXPECT_EQ(selection.GetDlgItemText(1156), "Tempus fugit");
    Shoot(selection, "motto-selection");

    CDlgSaisieDevise entry;
    entry.m_text = "Horas non numero nisi serenas";
    entry.m_comment = "I count only the bright hours";
    entry.m_language = "la";
    ASSERT_TRUE(entry.Create());
    EXPECT_EQ(entry.GetTitle(), "Entering a motto");
    EXPECT_EQ(entry.GetDlgItemText(1734), "( Optional )");
    Shoot(entry, "motto-entry");
}

TEST_F(DialogsSpeakEnglish, TextFrameAndZodiac)
{
    CObjetTexte frame;
    frame.text = "Sine sole sileo";
    CDlgCadreTexte text(frame);
    ASSERT_TRUE(text.Create());
    EXPECT_EQ(text.GetTitle(), "Editing a text frame");
    EXPECT_EQ(text.GetDlgItemText(1131), "Insert...");
    EXPECT_EQ(text.GetDlgItemText(1247), "the geographic position");
    Shoot(text, "text-frame");

    CDlgZodiacSigns zodiac;
    zodiac.m_sign = 3;
    ASSERT_TRUE(zodiac.Create());
    EXPECT_EQ(zodiac.GetTitle(), "Inserting a zodiac symbol");
    EXPECT_EQ(zodiac.GetDlgItemText(1180), "Aries");
    EXPECT_EQ(zodiac.GetDlgItemText(1714), "21 March ( equinox )");
    EXPECT_EQ(zodiac.GetRadioIndex(1239), 3);
    Shoot(zodiac, "zodiac-signs");
}

TEST_F(DialogsSpeakEnglish, DecimalConversion)
{
    CDlgConversionDecimale conversion;
    conversion.m_decimal = 42.54;
    conversion.m_units = 42;
    conversion.m_minutes = 32;
    conversion.m_seconds = 24;
    ASSERT_TRUE(conversion.Create());
    EXPECT_EQ(conversion.GetTitle(), "Decimal <=> components conversion");
    EXPECT_EQ(conversion.GetDlgItemText(1132), "Components");
    EXPECT_EQ(conversion.GetDlgItemText(1310), "42.54");
    // The marks are no texts of the language file.
    EXPECT_EQ(conversion.GetDlgItemText(1315), "'");
    Shoot(conversion, "decimal-conversion");
}

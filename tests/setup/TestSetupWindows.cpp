// The installer's windows, offscreen: a whole installation through the real wizard pages,
// the language choice, the uninstall dialog and what the command line starts.
#include "SetupTestSupport.h"

#include "app/qt/DialogControls.h"
#include "setup/DesktopEntry.h"
#include "setup/qt/CLangueDlg.h"
#include "setup/qt/CSetupApp.h"
#include "setup/qt/CSetupSheet.h"
#include "setup/qt/CUninstallDlg.h"
#include "setup/qt/SetupWindows.h"
#include "platform/FakeServices.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <cstdlib>

namespace fs = std::filesystem;
using namespace setuptest;
using testsupport::ReadFileBytes;
using testsupport::WriteFileBytes;

namespace {

// Saves a window's picture under $HORAVEL_SCREENSHOT_DIR (for the documentation) when set.
void Shot(QWidget& window, const char* name)
{
    QApplication::processEvents();
    const QPixmap picture = window.grab();
    EXPECT_FALSE(picture.isNull());
    if (const char* dir = std::getenv("HORAVEL_SCREENSHOT_DIR"))
        picture.save(QString::fromStdString((fs::path(dir) / name).string()));
}

class SetupWindowsTest : public ::testing::Test {
protected:
    Sandbox box;
    ScopedFakeServices fake;
    std::vector<std::pair<fs::path, fs::path>> launched;
    setup::ProgramLauncher previousLauncher;

    void SetUp() override
    {
        setup::SetPausesEnabled(false);
        previousLauncher = setup::SetProgramLauncher([this](const fs::path& program, const fs::path& folder) {
            launched.emplace_back(program, folder);
            return true;
        });
    }
    void TearDown() override
    {
        setup::SetProgramLauncher(previousLauncher);
        setup::SetPausesEnabled(true);
    }
    static QRadioButton* Radio(CPropertyPageBase& page, int id) { return page.Control<QRadioButton>(id); }
};

}  // namespace

TEST_F(SetupWindowsTest, AWholeInstallationThroughThePages)
{
    box.WriteArchive(SmallInstallation());
    WriteFileBytes(box.source() / "eula_fr.txt", "Contrat\nDeuxième ligne\n");
    CSetupSheet sheet(box.source(), box.locations());
    sheet.resize(560, 400);
    sheet.show();
    ASSERT_TRUE(sheet.SetActivePage(0));
    EXPECT_FALSE(sheet.HelpButton()->isVisible());

    // Welcome: only Next; the archive builder's button is hidden.
    EXPECT_EQ(sheet.GetActivePage(), &sheet.m_accueil);
    EXPECT_FALSE(sheet.m_accueil.GetDlgItem(1011)->isVisible());
    EXPECT_FALSE(sheet.BackButton()->isEnabled());
    EXPECT_TRUE(sheet.NextButton()->isEnabled());
    EXPECT_EQ(sheet.windowTitle(), "Installation de Horavel");
    Shot(sheet, "setup-welcome.png");
    sheet.NextButton()->click();

    // Agreement: Next only once accepted, again at every visit.
    ASSERT_EQ(sheet.GetActivePage(), &sheet.m_licence);
    EXPECT_EQ(sheet.m_licence.GetDlgItemText(1012), "Contrat\nDeuxième ligne");
    EXPECT_FALSE(sheet.NextButton()->isEnabled());
    Radio(sheet.m_licence, 1025)->click();
    EXPECT_FALSE(sheet.NextButton()->isEnabled());
    EXPECT_TRUE(sheet.BackButton()->isEnabled());
    Radio(sheet.m_licence, 1024)->click();
    EXPECT_TRUE(sheet.NextButton()->isEnabled());
    Shot(sheet, "setup-agreement.png");
    sheet.BackButton()->click();
    sheet.NextButton()->click();
    ASSERT_EQ(sheet.GetActivePage(), &sheet.m_licence);
    EXPECT_FALSE(sheet.NextButton()->isEnabled());
    EXPECT_EQ(sheet.m_licence.GetRadioIndex(1024), -1);
    Radio(sheet.m_licence, 1024)->click();
    sheet.NextButton()->click();

    // Destination: the default folder is offered; the chosen one goes to the sheet.
    ASSERT_EQ(sheet.GetActivePage(), &sheet.m_destinationPage);
    EXPECT_EQ(sheet.m_destinationPage.GetDlgItemText(1000), setup::DefaultDestination().string());
    EXPECT_FALSE(sheet.m_destinationPage.GetDlgItem(1018)->isVisible());
    Shot(sheet, "setup-destination.png");
    sheet.m_destinationPage.SetDlgItemText(1000, box.dest().string());
    sheet.NextButton()->click();
    EXPECT_EQ(sheet.m_destination, box.dest());

    // Copy: Next only after the installation.
    ASSERT_EQ(sheet.GetActivePage(), &sheet.m_copie);
    EXPECT_FALSE(sheet.NextButton()->isEnabled());
    EXPECT_FALSE(sheet.m_copie.GetDlgItem(1025)->isVisible());
    sheet.m_copie.Control<QPushButton>(1016)->click();
    EXPECT_TRUE(fake->messageBoxes.empty());
    EXPECT_EQ(sheet.m_copie.ProgressBar()->value(), 100);
    EXPECT_FALSE(sheet.m_copie.GetDlgItem(1016)->isEnabled());
    EXPECT_TRUE(sheet.NextButton()->isEnabled());
    EXPECT_FALSE(sheet.BackButton()->isEnabled());
    EXPECT_EQ(ReadFileBytes(box.dest() / "help" / "fr" / "contents.html"), "<html>sommaire</html>");
    EXPECT_TRUE(fs::exists(box.locations().uninstallRecord));
    Shot(sheet, "setup-copy.png");
    sheet.NextButton()->click();

    // Finish: the readme is opened and the program started, in the destination.
    ASSERT_EQ(sheet.GetActivePage(), &sheet.m_fin);
    EXPECT_TRUE(sheet.FinishButton()->isVisible());
    EXPECT_FALSE(sheet.CancelButton()->isEnabled());
    EXPECT_EQ(sheet.m_fin.IsDlgButtonChecked(1013), 1);
    EXPECT_EQ(sheet.m_fin.IsDlgButtonChecked(1014), 1);
    Shot(sheet, "setup-finish.png");
    sheet.FinishButton()->click();
    ASSERT_EQ(fake->shellOpens.size(), 1u);
    EXPECT_EQ(fake->shellOpens[0].target, (box.dest() / "lisezmoi.html").string());
    EXPECT_TRUE(fake->shellOpens[0].opened);
    ASSERT_EQ(launched.size(), 1u);
    EXPECT_EQ(launched[0].first, box.dest() / "horavel");
    EXPECT_EQ(launched[0].second, box.dest());
}

TEST_F(SetupWindowsTest, AFailedCopyKeepsTheWizardOnTheCopyPage)
{
    box.WriteArchive({Entry("a.txt", "a"), Entry("b.txt", "b")});
    fs::create_directories(box.dest() / "a.txt");
    fake->QueueMessageBoxAnswer(IDNO);
    CSetupSheet sheet(box.source(), box.locations());
    sheet.show();
    ASSERT_TRUE(sheet.SetActivePage(3));
    sheet.m_destination = box.dest();
    EXPECT_FALSE(sheet.m_copie.OnInstall());
    EXPECT_EQ(fake->messageBoxes.size(), 1u);
    EXPECT_FALSE(sheet.NextButton()->isEnabled());
    EXPECT_FALSE(sheet.m_copie.GetDlgItem(1016)->isEnabled());
    EXPECT_FALSE(fs::exists(box.locations().uninstallRecord));
}

TEST_F(SetupWindowsTest, ADestinationWithoutItsFullPathIsRefused)
{
    // The uninstallation finds the folder by its full path: a relative one could never go.
    CSetupSheet sheet(box.source(), box.locations());
    sheet.show();
    ASSERT_TRUE(sheet.SetActivePage(2));
    sheet.m_destinationPage.SetDlgItemText(1000, "Horavel 2.0");
    sheet.NextButton()->click();
    EXPECT_EQ(sheet.GetActivePage(), &sheet.m_destinationPage);
    ASSERT_EQ(fake->messageBoxes.size(), 1u);
    EXPECT_EQ(fake->messageBoxes[0].text,
              "Veuillez indiquer le dossier d'installation par son chemin complet, commençant par /.");
    sheet.m_destinationPage.SetDlgItemText(1000, box.dest().string());
    sheet.NextButton()->click();
    EXPECT_EQ(sheet.GetActivePage(), &sheet.m_copie);
}

TEST_F(SetupWindowsTest, TheAgreementFileMissingIsSaid)
{
    CSetupSheet sheet(box.source(), box.locations());
    sheet.show();
    ASSERT_TRUE(sheet.SetActivePage(1));
    EXPECT_EQ(sheet.m_licence.GetDlgItemText(1012), "Le fichier de licence est introuvable !");
}

TEST_F(SetupWindowsTest, LanguageDialogTextsFollowTheChoice)
{
    CLangueDlg dlg;
    dlg.m_resourceFolders = {box.source()};
    ASSERT_TRUE(dlg.Create());
    EXPECT_EQ(dlg.GetTitle(), "Installation of Horavel");
    EXPECT_EQ(dlg.GetDlgItemText(IDOK), "Continue");
    dlg.Control<QRadioButton>(1027)->click();
    EXPECT_EQ(dlg.GetTitle(), "Installation de Horavel");
    EXPECT_EQ(dlg.GetDlgItemText(IDOK), "Continuer");
    Shot(dlg, "setup-language.png");

    CLangueDlg un;
    un.m_desinstallation = 1;
    ASSERT_TRUE(un.Create());
    EXPECT_EQ(un.GetTitle(), "Uninstallation of Horavel");
    un.Control<QRadioButton>(1027)->click();
    EXPECT_EQ(un.GetTitle(), "Désinstallation de Horavel");
}

TEST_F(SetupWindowsTest, EnglishWithoutItsFileGoesOnInFrench)
{
    CLangueDlg dlg;
    dlg.m_resourceFolders = {box.source()};  // no english.txt there
    ASSERT_TRUE(dlg.Create());
    dlg.Control<QRadioButton>(1026)->click();
    dlg.OnOK();
    EXPECT_EQ(dlg.GetDialogResult(), IDOK);
    ASSERT_EQ(fake->messageBoxes.size(), 1u);
    EXPECT_EQ(fake->messageBoxes[0].text, setup::FrenchStrings().at(526));
    EXPECT_FALSE(setup::Resources().IsEnglish());
}

TEST_F(SetupWindowsTest, EnglishPagesWithTheShippedFile)
{
    CLangueDlg dlg;
    dlg.m_resourceFolders = {box.source(), testsupport::SourceDir() / "setup" / "data"};
    ASSERT_TRUE(dlg.Create());
    dlg.OnOK();
    ASSERT_TRUE(setup::Resources().IsEnglish());
    EXPECT_TRUE(fake->messageBoxes.empty());

    fs::copy_file(testsupport::SourceDir() / "setup" / "data" / "eula_en.txt", box.source() / "eula_en.txt");
    CSetupSheet sheet(box.source(), box.locations());
    sheet.show();
    ASSERT_TRUE(sheet.SetActivePage(1));
    EXPECT_EQ(sheet.windowTitle(), "License agreement");
    EXPECT_EQ(sheet.m_licence.GetDlgItemText(1024), "I accept");
    EXPECT_EQ(sheet.m_licence.GetDlgItemText(1012).rfind("HORAVEL 2.0 SOFTWARE LICENSE AGREEMENT", 0), 0u);
    EXPECT_EQ(sheet.NextButton()->text(), "&Next >");
    // Every control with a text on every page has its English text.
    for (int i = 0; i < sheet.GetPageCount(); ++i) {
        CPropertyPageBase& page = *sheet.GetPage(i);
        sheet.SetActivePage(i);
        for (QWidget* control : ControlsOf(page)) {
            const int id = GetControlId(*control);
            if (!GetControlText(*control).empty() && id != 1000 && id != 1012 && id != 1020) {
                EXPECT_FALSE(setup::Resources().DialogText(page.GetTemplateId(), id).empty())
                    << "template " << page.GetTemplateId() << " control " << id;
            }
        }
    }
}

TEST_F(SetupWindowsTest, UninstallDialogStartsOnItsTimerAndEndsWithOk)
{
    box.WriteArchive(SmallInstallation());
    RecordingProgress quiet;
    setup::CInstallation installation(box.archive(), box.dest(), box.locations(), quiet);
    ASSERT_TRUE(installation.Run());

    ScopedFakeTimers timers;
    CUninstallDlg dlg(box.locations());
    ASSERT_TRUE(dlg.Create());
    EXPECT_FALSE(dlg.GetDlgItem(IDOK)->isEnabled());
    EXPECT_EQ(dlg.GetDlgItemText(1034), "0%");
    EXPECT_EQ(timers->PeriodOf(dlg, CUninstallDlg::kStartTimer), 1000);
    EXPECT_TRUE(fs::exists(box.dest() / "horavel"));
    timers->Advance(1000);
    EXPECT_FALSE(timers->IsRunning(dlg, CUninstallDlg::kStartTimer));
    EXPECT_FALSE(fs::exists(box.dest()));
    for (int id = 1028; id <= 1031; ++id)
        EXPECT_EQ(dlg.GetDlgItemText(id), "OK");
    EXPECT_EQ(dlg.GetDlgItemText(1034), "100%");
    EXPECT_EQ(dlg.ProgressBar()->value(), 100);
    EXPECT_EQ(dlg.GetDlgItemText(1033), setup::FrenchStrings().at(525));
    EXPECT_TRUE(dlg.GetDlgItem(IDOK)->isEnabled());
    dlg.resize(520, 300);
    Shot(dlg, "setup-uninstall.png");

    // A second uninstallation finds nothing and says so; OK still ends it.
    CUninstallDlg again(box.locations());
    ASSERT_TRUE(again.Create());
    timers->Advance(1000);
    ASSERT_EQ(fake->messageBoxes.size(), 1u);
    EXPECT_EQ(fake->messageBoxes[0].text, setup::FrenchStrings().at(527));
    EXPECT_TRUE(again.GetDlgItem(IDOK)->isEnabled());
    EXPECT_EQ(again.GetDlgItemText(1033), "");
}

TEST_F(SetupWindowsTest, CommandLineChoosesWhatRuns)
{
    fake->SetDialogScript(CLangueDlg::kTemplateId, [](ModalDialog&) { return IDCANCEL; });
    // No archive: the wizard never opens.
    CSetupApp app(box.source(), box.locations());
    EXPECT_EQ(app.Run({}), 0);
    EXPECT_TRUE(fake->dialogsRun.empty());
    ASSERT_EQ(fake->messageBoxes.size(), 1u);
    EXPECT_EQ(fake->messageBoxes[0].text, setup::FrenchStrings().at(522));
    EXPECT_EQ(fake->messageBoxes[0].type, unsigned(MB_OK | MB_ICONERROR));

    // "/R": the language dialog, in uninstall mode.
    int uninstallMode = -1;
    fake->SetDialogScript(CLangueDlg::kTemplateId, [&](ModalDialog& d) {
        uninstallMode = dynamic_cast<CLangueDlg&>(d).m_desinstallation;
        return IDCANCEL;
    });
    app.Run({"--x", "/R"});
    EXPECT_EQ(fake->dialogsRun, std::vector<int>{CLangueDlg::kTemplateId});
    EXPECT_EQ(uninstallMode, 1);

    // With the archive: the language, then the wizard.
    fake->dialogsRun.clear();
    box.WriteArchive({Entry("a", "1")});
    fake->SetDialogScript(CLangueDlg::kTemplateId, [](ModalDialog&) { return IDOK; });
    fake->SetDialogScript(CSetupSheet::kSheetId, [](ModalDialog&) { return IDCANCEL; });
    app.Run({});
    EXPECT_EQ(fake->dialogsRun, (std::vector<int>{CLangueDlg::kTemplateId, CSetupSheet::kSheetId}));
}

// The version check over a real local web server, and the dialogs of the version check, the
// preferences, the help search and the ephemeris date, answered through the fake services.
#include "DialogTestSupport.h"

#include "app/CHoravelApp.h"
#include "app/SoftwareUpdate.h"
#include "app/UpdateSchedule.h"
#include "app/qt/CMainFrame.h"
#include "app/qt/QtAppWindows.h"
#include "dialogs/qt/FrameDialogs.h"
#include "platform/DocumentBase.h"
#include "platform/ClassRegistry.h"
#include "app/Trace.h"
#include "dialogs/qt/CDlgCheckVersion.h"
#include "dialogs/qt/CDlgDateEphemerides.h"
#include "dialogs/qt/CDlgNewVersion.h"
#include "dialogs/qt/CDlgPreferencesGenerales.h"
#include "dialogs/qt/CDlgPreferencesLangue.h"
#include "dialogs/qt/CDlgRechercheAide.h"
#include "dialogs/qt/SoftwareUpdateCheck.h"
#include "model/CPrefs.h"
#include "platform/FakeServices.h"
#include "platform/Profile.h"
#include "platform/qt/QtServices.h"

#include <QComboBox>
#include <QImage>
#include <QHostAddress>
#include <QLineEdit>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// A web server on the loopback: the version file, a 404 page, and a path that never answers.
class VersionServer {
public:
    VersionServer()
    {
        server_.listen(QHostAddress::LocalHost);
        QObject::connect(&server_, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [socket] {
                    const QByteArray request = socket->peek(8192);
                    if (!request.contains("\r\n\r\n"))
                        return;
                    socket->readAll();
                    const QByteArray path = request.split(' ').value(1);
                    if (path == "/download/horavelver.txt")
                        Reply(socket, "200 OK",
                              "SOFTWARE_UPDATE_INFORMATION 1\r\nVERSION 2 3 0 0\r\nDATE 2026 1 2 3 4 5\r\n"
                              "URL \"https://horavel.orlune-software.example/2.3.html\"\r\n");
                    else if (path == "/old.txt")
                        Reply(socket, "200 OK", "SOFTWARE_UPDATE_INFORMATION 1\nVERSION 1 9 0 0\n");
                    else if (path == "/missing.txt")
                        Reply(socket, "404 Not Found", "SOFTWARE_UPDATE_INFORMATION 1\nVERSION 9 0 0 0\n");
                    // "/silent.txt": no answer at all
                });
                QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
    }
    std::string Url(const char* path) const { return "127.0.0.1:" + std::to_string(server_.serverPort()) + path; }

private:
    static void Reply(QTcpSocket* socket, const QByteArray& status, const QByteArray& body)
    {
        socket->write("HTTP/1.1 " + status + "\r\nContent-Length: " + QByteArray::number(body.size()) +
                      "\r\nConnection: close\r\n\r\n" + body);
        socket->flush();
        socket->disconnectFromHost();
    }
    QTcpServer server_;
};

class DialogsTest : public ::testing::Test {
protected:
    ScopedMemoryProfile profile_;
    ScopedFakeServices fake_;
    dialogtest::ScopedDialogContext context_;
};

}  // namespace

TEST(UpdateCheckOverHttp, AnswersTimeoutsAndErrorPages)
{
    ScopedMemoryProfile profile;
    dialogtest::ScopedDialogContext context;
    WriteTraceHeader();
    VersionServer server;
    auto previous = SetServices(std::make_unique<QtServices>());
    std::vector<NewVersionNotice> notices;
    SoftwareUpdateHooks hooks;
    hooks.runningVersion = "2.0.1";
    hooks.runningBuild = 9999;
    hooks.timeoutMs = 10000;  // a loaded machine may take its time to answer
    hooks.announce = [&](const NewVersionNotice& notice) { notices.push_back(notice); };

    UpdateInfo info;
    EXPECT_EQ(FetchUpdateInfo(server.Url("/download/horavelver.txt"), info, 5000), kUpdateInfoFound);
    EXPECT_EQ(info.minor, 3);
    EXPECT_EQ(info.link, "https://horavel.orlune-software.example/2.3.html");

    profile->WriteString(kSoftwareUpdateSection, "UpdateInfoUrl", server.Url("/download/horavelver.txt"));
    EXPECT_EQ(CheckForSoftwareUpdate(0, hooks), kUpdateInfoFound);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].availableVersion, "2.3.0");

    // An older version, a 404 answer and a server that never answers: nothing announced.
    profile->WriteString(kSoftwareUpdateSection, "UpdateInfoUrl", server.Url("/old.txt"));
    EXPECT_EQ(CheckForSoftwareUpdate(0, hooks), kUpdateInfoFound);
    profile->WriteString(kSoftwareUpdateSection, "UpdateInfoUrl", server.Url("/missing.txt"));
    EXPECT_EQ(CheckForSoftwareUpdate(0, hooks), 404);
    profile->WriteString(kSoftwareUpdateSection, "UpdateInfoUrl", server.Url("/silent.txt"));
    hooks.timeoutMs = 500;
    EXPECT_EQ(CheckForSoftwareUpdate(0, hooks), kUpdateNoConnection);
    EXPECT_EQ(notices.size(), 1u);
    const std::string traces = testsupport::ReadFileBytes(TraceFilePath());
    EXPECT_NE(traces.find("QueryInfoStatusCode returned error code 404"), std::string::npos);
    EXPECT_NE(traces.find("no Internet connexion."), std::string::npos);
    SetServices(std::move(previous));
}

TEST_F(DialogsTest, TheVersionCommandAsksFirstAndShowsTheNotice)
{
    HttpResponse page;
    page.status = 200;
    page.body = "SOFTWARE_UPDATE_INFORMATION 1\nPHASE B\nVERSION 2 1 4 0\n"
                "URL \"https://horavel.orlune-software.example/b.html\"\n";
    fake_->SetHttpResponse(kDefaultUpdateInfoUrl, page);
    fake_->SetDialogScript(CDlgCheckVersion::kTemplateId, [](ModalDialog&) { return IDCANCEL; });
    EXPECT_FALSE(OnCheckVersionCommand(nullptr));
    EXPECT_TRUE(fake_->httpRequests.empty());

    std::string shownVersion;
    fake_->SetDialogScript(CDlgCheckVersion::kTemplateId, [](ModalDialog& d) {
        auto& dialog = dynamic_cast<CDlgCheckVersion&>(d);
        EXPECT_TRUE(dialog.Create());
        EXPECT_EQ(dialog.Control<CHyperlinkCtrl>(1360)->GetURL(), "https://horavel.orlune-software.example/");
        dialog.OnOK();
        return dialog.GetDialogResult();
    });
    fake_->SetDialogScript(CDlgNewVersion::kTemplateId, [&](ModalDialog& d) {
        auto& dialog = dynamic_cast<CDlgNewVersion&>(d);
        EXPECT_TRUE(dialog.Create());
        shownVersion = dialog.GetDlgItemText(7814);
        dialog.Control<QPushButton>(1053)->click();
        dialog.OnOK();
        return IDOK;
    });
    EXPECT_EQ(OnCheckVersionCommand(nullptr), kUpdateInfoFound);
    EXPECT_EQ(shownVersion, "2.1 beta 4");
    ASSERT_EQ(fake_->shellOpens.size(), 1u);
    EXPECT_EQ(fake_->shellOpens[0].target, "https://horavel.orlune-software.example/b.html");
    EXPECT_EQ(fake_->waitCursorDepth, 0);

    // The version file comes over plain HTTP: its link opens as a web page or not at all.
    const auto local = context_.Dir().path() / "page.html";
    testsupport::WriteFileBytes(local, "<html/>");
    fake_->SetShellOpenFolders({context_.Dir().path()});
    for (const std::string& link : {std::string("mailto:a@x.org?subject=s"), local.string()}) {
        CDlgNewVersion notice;
        notice.m_link = link;
        ASSERT_TRUE(notice.Create());
        EXPECT_FALSE(notice.GetDlgItem(1053)->isEnabled()) << link;
        notice.OnMoreInformation();
    }
    EXPECT_EQ(fake_->shellOpens.size(), 1u);
    // Without a browser the page's address is given, to be copied.
    fake_->SetDesktopOpensAddresses(false);
    const std::size_t messages = fake_->messageBoxes.size();
    CDlgNewVersion notice;
    notice.m_link = "https://horavel.orlune-software.example/b.html";
    ASSERT_TRUE(notice.Create());
    notice.Control<QPushButton>(1053)->click();
    ASSERT_EQ(fake_->messageBoxes.size(), messages + 1);
    EXPECT_NE(fake_->messageBoxes.back().text.find(notice.m_link), std::string::npos);

    // The automatic check stays quiet when the user turned it off.
    profile_->WriteInt(kSoftwareUpdateSection, "bCheckVersion", 0);
    RunAutomaticUpdateCheck(nullptr);
    EXPECT_EQ(fake_->httpRequests.size(), 1u);
    profile_->WriteInt(kSoftwareUpdateSection, "bCheckVersion", 1);
    RunAutomaticUpdateCheck(nullptr);
    EXPECT_EQ(fake_->httpRequests.size(), 2u);
}

TEST_F(DialogsTest, LanguageChoicesFollowTheProgramLanguage)
{
    auto file = dialogtest::MakeLanguageFile({});
    ASSERT_TRUE(file);
    context_.UseLanguage(file.get(), 0);
    CDlgPreferencesLangue dialog;
    dialog.m_program = 0;
    dialog.m_fallback = 0;
    dialog.m_help = 1;  // English help pages
    ASSERT_TRUE(dialog.Create());
    auto* program = dialog.Control<QComboBox>(1251);
    auto* help = dialog.Control<QComboBox>(1252);
    ASSERT_EQ(program->count(), 10);
    EXPECT_EQ(program->itemText(4).toStdString(), "Italian ( <Italian> )");
    ASSERT_EQ(help->count(), 3);
    EXPECT_EQ(help->itemText(2).toStdString(), "Italian ( <Italian> )");
    // French as program language: French help, locked.
    EXPECT_EQ(help->currentIndex(), 0);
    EXPECT_FALSE(help->isEnabled());
    EXPECT_FALSE(dialog.GetDlgItem(1253)->isEnabled());

    auto choose = [&](int language) {
        program->setCurrentIndex(language);
        dialog.OnProgramLanguageChange();
    };
    choose(4);
    EXPECT_EQ(help->currentIndex(), 2);
    EXPECT_FALSE(help->isEnabled());
    EXPECT_TRUE(dialog.GetDlgItem(1253)->isEnabled());
    EXPECT_TRUE(dialog.GetDlgItem(1254)->isEnabled());
    EXPECT_EQ(dialog.GetRadioIndex(1253), 1);
    choose(2);
    EXPECT_TRUE(help->isEnabled());
    EXPECT_EQ(help->currentIndex(), 2);
    EXPECT_EQ(dialog.GetRadioIndex(1253), 1);
    dialog.CheckDlgButton(1253, 1);
    dialog.CheckDlgButton(1254, 0);
    help->setCurrentIndex(1);
    dialog.OnOK();
    EXPECT_EQ(dialog.m_program, 2);
    EXPECT_EQ(dialog.m_fallback, 0);
    EXPECT_EQ(dialog.GetHelpLanguage(), 1);

    // Through the frame's entry: English disables both choices; the result comes back.
    fake_->SetDialogScript(CDlgPreferencesLangue::kTemplateId, [](ModalDialog& d) {
        auto& run = dynamic_cast<CDlgPreferencesLangue&>(d);
        EXPECT_TRUE(run.Create());
        EXPECT_EQ(run.Control<QComboBox>(1252)->currentIndex(), 2);  // Italian given
        run.Control<QComboBox>(1251)->setCurrentIndex(1);
        run.OnProgramLanguageChange();
        EXPECT_FALSE(run.GetDlgItem(1252)->isEnabled());
        EXPECT_FALSE(run.GetDlgItem(1254)->isEnabled());
        run.OnOK();
        return run.GetDialogResult();
    });
    int programLanguage = 4;
    int fallback = 1;
    int helpLanguage = 4;
    EXPECT_TRUE(RunLanguagePreferences(programLanguage, fallback, helpLanguage, nullptr));
    EXPECT_EQ(programLanguage, 1);
    EXPECT_EQ(fallback, 1);
    EXPECT_EQ(helpLanguage, 1);
}

TEST_F(DialogsTest, GeneralPreferencesWriteBackOnOkOnly)
{
    CPrefs prefs;
    prefs.frameThickness = 4;
    fake_->SetDialogScript(CDlgPreferencesGenerales::kTemplateId, [](ModalDialog& d) {
        auto& dialog = dynamic_cast<CDlgPreferencesGenerales&>(d);
        EXPECT_TRUE(dialog.Create());
        EXPECT_EQ(dialog.GetDlgItemText(1350), "4");
        EXPECT_EQ(dialog.GetRadioIndex(1347), 0);
        EXPECT_EQ(dialog.IsDlgButtonChecked(1344), 1);  // shown at start-up, as start-up has it
        dialog.CheckDlgButton(1344, 0);
        dialog.SetDlgItemText(1350, "8");
        dialog.SetRadioIndex(1347, 1);
        dialog.CheckDlgButton(1345, 1);
        dialog.CheckDlgButton(1341, 0);
        dialog.OnOK();
        return dialog.GetDialogResult();
    });
    EXPECT_TRUE(RunGeneralPreferences(prefs, nullptr));
    EXPECT_EQ(prefs.frameThickness, 8);
    EXPECT_EQ(profile_->GetInt("Options\\General", "nModeEot", -1), 1);
    EXPECT_EQ(profile_->GetInt("Options\\General", "bCorrectionLongEot", -1), 1);
    EXPECT_EQ(profile_->GetInt("Options\\SoftwareUpdate", "bCheckVersion", -1), 0);
    // What start-up reads, and the start-up screen's own check.
    EXPECT_EQ(profile_->GetInt("Options", "Startup", -1), 0);
    EXPECT_EQ(profile_->GetInt("Tips", "IntStartup", -1), 1);

    // A thickness that is no number keeps the dialog open; Cancel changes nothing.
    fake_->SetDialogScript(CDlgPreferencesGenerales::kTemplateId, [](ModalDialog& d) {
        auto& dialog = dynamic_cast<CDlgPreferencesGenerales&>(d);
        EXPECT_TRUE(dialog.Create());
        dialog.SetDlgItemText(1350, "x");
        dialog.OnOK();
        EXPECT_TRUE(dialog.IsOpen());
        dialog.OnCancel();
        return dialog.GetDialogResult();
    });
    EXPECT_FALSE(RunGeneralPreferences(prefs, nullptr));
    EXPECT_EQ(prefs.frameThickness, 8);
    EXPECT_EQ(fake_->messageBoxes.size(), 1u);
}

TEST_F(DialogsTest, HelpSearchWritesAndOpensThePageOfResults)
{
    const auto help = context_.Dir().path() / "Help" / "fr";
    std::filesystem::create_directories(help);
    testsupport::WriteFileBytes(help / "ombre.html", "<TITLE>Ombre</TITLE>\nL'ombre du Soleil.\n");
    SetHelpFolder(help);
    fake_->SetShellOpenFolders({help, context_.Dir().path()});

    CDlgRechercheAide dialog;
    ASSERT_TRUE(dialog.Create());
    EXPECT_EQ(dialog.GetDlgItemText(IDOK), "Rechercher");
    dialog.Control<QLineEdit>(1323)->setText("soleil");
    dialog.OnOK();
    EXPECT_EQ(dialog.GetDialogResult(), IDOK);
    // Beside the help pages, whose folder can be written here.
    const auto page = help / "SearchResult.html";
    ASSERT_TRUE(std::filesystem::exists(page));
    EXPECT_NE(testsupport::ReadFileBytes(page).find(">Ombre</a></li>"), std::string::npos);
    ASSERT_EQ(fake_->shellOpens.size(), 1u);
    EXPECT_EQ(fake_->shellOpens[0].target, page.string());
    EXPECT_TRUE(fake_->shellOpens[0].opened);

    // Nothing to look for: no page, nothing opened.
    std::filesystem::remove(page);
    EXPECT_FALSE(RunHelpSearch(""));
    EXPECT_FALSE(std::filesystem::exists(page));
    EXPECT_EQ(fake_->shellOpens.size(), 1u);

    // A help folder that cannot be written (here: none) sends the page to the data folder;
    // a desktop that opens no page leaves it to the program's own help window.
    SetHelpFolder(context_.Dir().path() / "Help" / "en");
    fake_->SetDesktopOpensFiles(false);
    EXPECT_TRUE(RunHelpSearch("soleil"));
    const auto dataPage = context_.Dir().path() / "SearchResult.html";
    EXPECT_TRUE(std::filesystem::exists(dataPage));
    EXPECT_EQ(fake_->helpPagesShown, std::vector<std::filesystem::path>{dataPage});
}

TEST_F(DialogsTest, EphemerisDateRoundTripsAndRefusesYearsOutOfRange)
{
    fake_->SetZone(FakeZone::European("Europe/Paris", 3600, 2020, 2030));
    std::int64_t time = fake_->FromLocal({2025, 7, 14, 10, 20, 30});
    int given = 1;
    int summer = 1;
    int universal = 0;
    fake_->SetDialogScript(CDlgDateEphemerides::kTemplateId, [](ModalDialog& d) {
        auto& dialog = dynamic_cast<CDlgDateEphemerides&>(d);
        EXPECT_TRUE(dialog.Create());
        EXPECT_EQ(dialog.Control<QComboBox>(1074)->currentIndex(), 13);
        EXPECT_EQ(dialog.Control<QComboBox>(1075)->currentText().toStdString(), "Juillet");
        EXPECT_EQ(dialog.GetDlgItemText(1061), "2025");
        EXPECT_EQ(dialog.GetDlgItemText(1062), "10");
        EXPECT_EQ(dialog.GetRadioIndex(1266), 0);
        EXPECT_EQ(dialog.GetRadioIndex(1319), 1);
        EXPECT_EQ(dialog.GetDlgItemText(1349), "0 h 00 min U.T.");
        // A year the dialog cannot hold: a message, and the dialog stays open.
        dialog.SetDlgItemText(1061, "2039");
        dialog.OnOK();
        EXPECT_TRUE(dialog.IsOpen());
        dialog.SetDlgItemText(1061, "1969");
        dialog.OnOK();
        EXPECT_TRUE(dialog.IsOpen());
        dialog.SetDlgItemText(1061, "2026");
        dialog.Control<QComboBox>(1075)->setCurrentIndex(0);
        dialog.Control<QPushButton>(1349)->click();
        EXPECT_EQ(dialog.GetRadioIndex(1319), 0);
        dialog.CheckDlgButton(1265, 0);
        dialog.OnOK();
        return dialog.GetDialogResult();
    });
    ASSERT_TRUE(ChooseEphemerisDate(time, given, summer, universal));
    EXPECT_EQ(fake_->messageBoxes.size(), 2u);
    const DateTimeFields chosen = fake_->ToLocal(time);
    EXPECT_EQ((std::vector<int>{chosen.year, chosen.month, chosen.day, chosen.hour, chosen.minute, chosen.second}),
              (std::vector<int>{2026, 1, 14, 0, 0, 0}));
    EXPECT_EQ(given, 1);
    EXPECT_EQ(summer, 0);
    EXPECT_EQ(universal, 1);

    // Real time keeps the date controls off, from the opening on; Cancel keeps every value.
    given = 0;
    fake_->SetDialogScript(CDlgDateEphemerides::kTemplateId, [](ModalDialog& d) {
        auto& dialog = dynamic_cast<CDlgDateEphemerides&>(d);
        EXPECT_TRUE(dialog.Create());
        EXPECT_EQ(dialog.GetRadioIndex(1266), 1);
        EXPECT_FALSE(dialog.GetDlgItem(1074)->isEnabled());
        EXPECT_FALSE(dialog.GetDlgItem(1349)->isEnabled());
        EXPECT_FALSE(dialog.GetDlgItem(1320)->isEnabled());
        dialog.Control<QAbstractButton>(1266)->click();
        EXPECT_TRUE(dialog.GetDlgItem(1074)->isEnabled());
        dialog.Control<QAbstractButton>(1177)->click();
        EXPECT_FALSE(dialog.GetDlgItem(1061)->isEnabled());
        dialog.OnCancel();
        return dialog.GetDialogResult();
    });
    const std::int64_t before = time;
    EXPECT_FALSE(ChooseEphemerisDate(time, given, summer, universal));
    EXPECT_EQ(time, before);
    EXPECT_EQ(given, 0);
}

namespace {

class EmptyDocument : public DocumentBase {
public:
    void Serialize(Archive&) override {}
    const ClassRegistry& GetClassRegistry() const override { return registry_; }

private:
    ClassRegistry registry_;
};

}  // namespace

TEST_F(DialogsTest, TheMainFrameRunsThePreferencesHelpSearchAndVersionCheck)
{
    ScopedFakeTimers timers;
    CHoravelApp app([] { return std::make_unique<EmptyDocument>(); });
    QtAppWindows windows(app, [](CMainFrame& frame) -> QWidget* {
        InstallFrameDialogs(frame);
        return nullptr;
    });
    app.SetWindows(&windows);
    ASSERT_TRUE(windows.CreateMainFrame());
    CMainFrame& frame = *windows.Frame();
    for (int id : {32968, 32986, 32979, 32884})
        EXPECT_TRUE(frame.Router().Update(id).IsEnabled()) << id;

    fake_->dialogsRun.clear();
    ASSERT_TRUE(frame.Router().Execute(32968));
    ASSERT_TRUE(frame.Router().Execute(32979));
    ASSERT_TRUE(frame.Router().Execute(32884));
    EXPECT_EQ(fake_->dialogsRun, (std::vector<int>{224, 240, 238}));
    // Cancelled: nothing fetched.
    EXPECT_TRUE(fake_->httpRequests.empty());

    // The timers: the splash's schedules the check, the check's runs it quietly.
    frame.OnTimer(CMainFrame::kSplashTimer);
    EXPECT_TRUE(timers->IsRunning(frame, kUpdateCheckTimer));
    timers->Advance(kUpdateCheckDelayMs);
    ASSERT_EQ(fake_->httpRequests.size(), 1u);
    EXPECT_EQ(fake_->httpRequests[0].url, kDefaultUpdateInfoUrl);
    EXPECT_TRUE(fake_->messageBoxes.empty());
    EXPECT_FALSE(timers->IsRunning(frame, kUpdateCheckTimer));
    windows.DestroyMainFrame();
}

// The new windows in English from the shipped language file; with HORAVEL_SCREENSHOTS set to
// a folder their pictures are saved there.
TEST_F(DialogsTest, WindowsSpeakEnglish)
{
    CLanguageFile file(testsupport::SourceDir() / "resources" / "data" / "horavel.lang");
    ASSERT_TRUE(file.Load());
    context_.UseLanguage(&file, 1);
    auto shoot = [](CDialogBase& dialog, const char* name) {
        dialog.adjustSize();
        const QImage shot = dialog.grab().toImage();
        EXPECT_GT(shot.width(), 100) << name;
        if (const char* out = std::getenv("HORAVEL_SCREENSHOTS"))
            shot.save(QString::fromUtf8(out) + "/" + name + ".png");
    };

    CDlgCheckVersion check;
    ASSERT_TRUE(check.Create());
    EXPECT_EQ(check.GetTitle(), "Check for a new version");
    EXPECT_EQ(check.GetDlgItemText(IDOK), "Check for a new version");
    shoot(check, "check-version");

    CDlgNewVersion notice;
    notice.m_currentVersion = "2.0.1 build 10400";
    notice.m_currentDate = "14/11/2023 @ 22 h 13 min 20 s";
    notice.m_availableVersion = "2.1.0 build 10500";
    notice.m_availableDate = "14/03/2025 @ 09 h 30 min 05 sec";
    notice.m_link = "https://horavel.orlune-software.example/news.html";
    ASSERT_TRUE(notice.Create());
    EXPECT_EQ(notice.GetTitle(), "New version notification");
    EXPECT_EQ(notice.GetDlgItemText(1053), "Learn more about this new version...");
    EXPECT_EQ(notice.GetDlgItemText(7814), "2.1.0 build 10500");
    shoot(notice, "new-version");

    CDlgRechercheAide search;
    ASSERT_TRUE(search.Create());
    EXPECT_EQ(search.GetTitle(), "Search the online help");
    EXPECT_EQ(search.GetDlgItemText(IDOK), "Search");
    shoot(search, "help-search");

    CDlgPreferencesLangue languages;
    languages.m_program = 1;
    languages.m_fallback = 1;
    languages.m_help = 1;
    ASSERT_TRUE(languages.Create());
    EXPECT_EQ(languages.GetTitle(), "Language preferences");
    EXPECT_EQ(languages.Control<QComboBox>(1251)->currentText().toStdString(), "English ( English )");
    shoot(languages, "language-preferences");

    CDlgPreferencesGenerales general;
    general.m_eotSign = 0;
    general.m_frameThickness = 5;
    ASSERT_TRUE(general.Create());
    EXPECT_EQ(general.GetTitle(), "General preferences");
    EXPECT_EQ(general.GetDlgItemText(1360), "Draw the page limits when printing");
    shoot(general, "general-preferences");

    CDlgDateEphemerides date;
    date.m_mode = 0;
    date.m_timeKind = 1;
    date.m_time = FieldsToUnix({2026, 6, 21, 10, 0, 0});
    ASSERT_TRUE(date.Create());
    EXPECT_EQ(date.GetTitle(), "Select a date");
    EXPECT_EQ(date.Control<QComboBox>(1075)->currentText().toStdString(), "June");
    shoot(date, "ephemeris-date");
}

#include "app/Accessors.h"
#include "app/CHoravelApp.h"
#include "app/MainMenu.h"
#include "app/qt/CMainFrame.h"
#include "app/qt/CMainStatusBar.h"
#include "app/qt/QtAppWindows.h"
#include "dialogs/qt/CDlgAPropos.h"
#include "dialogs/qt/CDlgDemarrage.h"
#include "platform/Archive.h"
#include "platform/ClassRegistry.h"
#include "platform/FakeServices.h"
#include "platform/Paths.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QAbstractButton>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QToolBar>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

// A document holding one integer; it notes what the settings held when it closed.
class TinyDocument : public DocumentBase {
public:
    int value = 0;
    static inline bool barsSavedBeforeClose = false;

    void Serialize(Archive& ar) override
    {
        if (ar.IsStoring()) {
            ar << static_cast<std::int32_t>(value);
        } else {
            std::int32_t v = 0;
            ar >> v;
            value = v;
        }
    }
    const ClassRegistry& GetClassRegistry() const override { return registry_; }
    void OnCloseDocument() override
    {
        barsSavedBeforeClose = GetProfile().HasValue("Options\\Toolbars\\Main\\", "Visible");
        DocumentBase::OnCloseDocument();
    }

private:
    ClassRegistry registry_;
};

QString Utf8(const char* text) { return QString::fromUtf8(text); }

class MainFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(install_.path() / "Help" / "fr");
        std::filesystem::copy_file(testsupport::SourceDir() / "resources" / "data" / "horavel.lang",
                                   install_ / "horavel.lang");
        testsupport::WriteFileBytes(install_ / "tips_fr.txt", "Premier conseil.\nDeuxième conseil.\n");
        testsupport::WriteFileBytes(install_ / "Help" / "fr" / "contents.html", "<html></html>");
        testsupport::WriteFileBytes(install_ / "Help" / "fr" / "Credits.html", "<html></html>");
        paths::SetInstallFolder(install_.path());
        paths::SetDataFolder(install_.path());
        // French, whatever the locale the tests run in.
        profile_->WriteInt("Options\\General", "Langage", 0);
        TinyDocument::barsSavedBeforeClose = false;
        app_ = std::make_unique<CHoravelApp>([] { return std::make_unique<TinyDocument>(); });
        windows_ = std::make_unique<QtAppWindows>(*app_);
        app_->SetWindows(windows_.get());
    }
    void TearDown() override
    {
        windows_.reset();
        app_.reset();
        GetAppContext() = AppContext{};
        paths::SetInstallFolder({});
        paths::SetDataFolder({});
    }

    CMainFrame& Frame() { return *windows_->Frame(); }
    bool Start(const std::vector<std::string>& args = {})
    {
        const bool ok = app_->InitInstance(args);
        QApplication::processEvents();
        return ok;
    }
    QMenu* TopMenu(int index) { return Frame().menuBar()->actions().at(index)->menu(); }
    QAction* MenuAction(QMenu* menu, int id)
    {
        for (QAction* action : menu->actions())
            if (action->data().isValid() && action->data().toInt() == id)
                return action;
        return nullptr;
    }

    testsupport::TempDir install_;
    ScopedMemoryProfile profile_;
    ScopedFakeServices fake_;
    ScopedFakeTimers timers_;
    std::unique_ptr<CHoravelApp> app_;
    std::unique_ptr<QtAppWindows> windows_;
};

}  // namespace

TEST_F(MainFrameTest, StartsWithItsMenuBarsAndSplashThenTheStartupScreen)
{
    ASSERT_TRUE(Start());
    CMainFrame& frame = Frame();
    EXPECT_TRUE(frame.isVisible());
    EXPECT_EQ(frame.windowTitle(), Utf8("Sans titre - Horavel"));
    ASSERT_EQ(frame.menuBar()->actions().size(), 6);
    EXPECT_EQ(frame.menuBar()->actions().at(0)->text(), Utf8("&Fichier"));
    EXPECT_EQ(frame.menuBar()->actions().at(5)->text(), Utf8("A&ide"));

    // Fresh settings: main bar on top, dial bar on the left, the others hidden.
    EXPECT_EQ(frame.toolBarArea(&frame.ToolBar(kMainBar)), Qt::TopToolBarArea);
    EXPECT_EQ(frame.toolBarArea(&frame.ToolBar(kDialBar)), Qt::LeftToolBarArea);
    EXPECT_TRUE(frame.ToolBar(kMainBar).isVisible());
    EXPECT_TRUE(frame.ToolBar(kDialBar).isVisible());
    EXPECT_FALSE(frame.ToolBar(kDisplayBar).isVisible());
    EXPECT_FALSE(frame.ToolBar(kFramesBar).isVisible());
    ASSERT_TRUE(frame.IsToolBarFloating(kEphemeridesBar));
    EXPECT_FALSE(frame.ToolBarWindow(kEphemeridesBar)->isVisible());
    EXPECT_EQ(frame.ToolBar(kMainBar).iconSize(), QSize(32, 32));
    EXPECT_EQ(frame.ToolBar(kFramesBar).iconSize(), QSize(16, 15));
    // Every button has its picture and its tooltip.
    for (int i = 0; i < kToolBarCount; ++i)
        for (QAction* action : frame.ToolBar(i).actions())
            if (action->data().isValid()) {
                EXPECT_FALSE(action->icon().isNull()) << action->data().toInt();
                EXPECT_FALSE(action->toolTip().isEmpty()) << action->data().toInt();
            }

    // The splash: the about box without its buttons, closed 3 s later, then the start-up screen.
    ASSERT_NE(frame.Splash(), nullptr);
    EXPECT_TRUE(frame.Splash()->isVisible());
    EXPECT_TRUE(frame.Splash()->IsSplashMode());
    EXPECT_EQ(timers_->PeriodOf(frame, CMainFrame::kSplashTimer), 3000);
    EXPECT_FALSE(app_->IsStarting());
    timers_->Advance(2999);
    EXPECT_NE(frame.Splash(), nullptr);
    timers_->Advance(1);
    EXPECT_EQ(frame.Splash(), nullptr);
    EXPECT_FALSE(timers_->IsRunning(frame, CMainFrame::kSplashTimer));
    EXPECT_EQ(fake_->dialogsRun, std::vector<int>{108});
    // No version check is there to schedule.
    EXPECT_FALSE(timers_->IsRunning(frame, 1002));
}

TEST_F(MainFrameTest, SplashTimerSchedulesTheVersionCheckAndSkipsAnUnwantedStartupScreen)
{
    profile_->WriteInt("Options", "Startup", 0);
    ASSERT_TRUE(Start());
    std::vector<int> checks;
    Frame().SetUpdateCheck([&](int interactive) { checks.push_back(interactive); });
    timers_->Advance(3000);
    EXPECT_TRUE(fake_->dialogsRun.empty());
    EXPECT_EQ(timers_->PeriodOf(Frame(), 1002), 90000);
    timers_->Advance(90000);
    EXPECT_EQ(checks, std::vector<int>{0});
    EXPECT_FALSE(timers_->IsRunning(Frame(), 1002));
}

TEST_F(MainFrameTest, StartupScreenChoiceRunsItsCommand)
{
    fake_->SetDialogScript(108, [](ModalDialog& dialog) {
        auto& screen = dynamic_cast<CDlgDemarrage&>(dialog);
        EXPECT_EQ(screen.TipText(), "Premier conseil.");
        screen.CheckDlgButton(1001, 0);
        screen.Control<QAbstractButton>(1057)->click();
        return IDOK;
    });
    ASSERT_TRUE(Start());
    timers_->Advance(3000);
    ASSERT_EQ(fake_->dialogsRun, std::vector<int>{108});
    // Help: the help folder's contents page; not shown at the next start.
    ASSERT_EQ(fake_->shellOpens.size(), 1u);
    EXPECT_TRUE(fake_->shellOpens[0].opened);
    EXPECT_EQ(profile_->GetInt("Tips", "IntStartup", -1), 1);
    EXPECT_EQ(profile_->GetInt("Options", "Startup", -1), 0);
    EXPECT_EQ(app_->GetStartupOption(), 0);
}

TEST_F(MainFrameTest, SavedBarStatesAreRestoredFloatingOnesIncluded)
{
    profile_->WriteInt("Options\\Window", "x", 40);
    profile_->WriteInt("Options\\Window", "y", 30);
    profile_->WriteInt("Options\\Window", "cx", 700);
    profile_->WriteInt("Options\\Window", "cy", 500);
    // The dial bar was left floating, tall: it floats again, in a column.
    profile_->WriteInt("Options\\Toolbars\\Options", "Floating", 1);
    profile_->WriteInt("Options\\Toolbars\\Options", "x", 300);
    profile_->WriteInt("Options\\Toolbars\\Options", "y", 100);
    profile_->WriteInt("Options\\Toolbars\\Options", "cx", 40);
    profile_->WriteInt("Options\\Toolbars\\Options", "cy", 300);
    // The display bar was docked low in the window: bottom.
    profile_->WriteInt("Options\\Toolbars\\Affichage", "Visible", 1);
    profile_->WriteInt("Options\\Toolbars\\Affichage", "x", 10);
    profile_->WriteInt("Options\\Toolbars\\Affichage", "y", 400);
    profile_->WriteInt("Options\\Toolbars\\Affichage", "cx", 300);
    profile_->WriteInt("Options\\Toolbars\\Affichage", "cy", 36);
    // The frames bar was docked, visible, but its size was lost: its default side.
    profile_->WriteInt("Options\\Toolbars\\ObjetsCadre", "Visible", 1);
    profile_->WriteInt("Options\\Toolbars\\ObjetsCadre", "cx", 0);
    ASSERT_TRUE(Start());
    CMainFrame& frame = Frame();
    EXPECT_EQ(frame.pos(), QPoint(40, 30));
    EXPECT_EQ(frame.size(), QSize(700, 500));

    ASSERT_TRUE(frame.IsToolBarFloating(kDialBar));
    QWidget* window = frame.ToolBarWindow(kDialBar);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->pos(), QPoint(300, 100));
    EXPECT_EQ(frame.ToolBar(kDialBar).orientation(), Qt::Vertical);
    EXPECT_EQ(frame.toolBarArea(&frame.ToolBar(kDisplayBar)), Qt::BottomToolBarArea);
    EXPECT_TRUE(frame.ToolBar(kDisplayBar).isVisible());
    EXPECT_EQ(frame.toolBarArea(&frame.ToolBar(kFramesBar)), Qt::TopToolBarArea);
    EXPECT_FALSE(frame.IsToolBarFloating(kFramesBar));
}

TEST_F(MainFrameTest, WindowsSavedOffTheScreenComeBackOnIt)
{
    profile_->WriteInt("Options\\Window", "x", 5000);
    profile_->WriteInt("Options\\Window", "y", -900);
    profile_->WriteInt("Options\\Window", "cx", 600);
    profile_->WriteInt("Options\\Window", "cy", 400);
    profile_->WriteInt("Options\\Toolbars\\Ephemerides", "x", -4000);
    profile_->WriteInt("Options\\Toolbars\\Ephemerides", "y", 9000);
    ASSERT_TRUE(Start());
    const QRect screen = QApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(screen.contains(QRect(Frame().pos(), Frame().size()))) << Frame().pos().x() << "," << Frame().pos().y();
    QWidget* bar = Frame().ToolBarWindow(kEphemeridesBar);
    EXPECT_TRUE(screen.contains(QRect(bar->pos(), bar->sizeHint())));
}

TEST_F(MainFrameTest, ClosingSavesBarsThenPlacementAndTheFrameItsLanguages)
{
    ASSERT_TRUE(Start());
    CMainFrame& frame = Frame();
    frame.SetLanguage(1, 0, 4);
    frame.move(20, 25);
    frame.resize(640, 480);
    // The frames bar shown, the dial bar hidden, through their menu commands.
    ASSERT_TRUE(frame.Router().Execute(32920));
    ASSERT_TRUE(frame.Router().Execute(32841));
    ASSERT_TRUE(frame.close());
    EXPECT_TRUE(TinyDocument::barsSavedBeforeClose);
    EXPECT_EQ(profile_->GetInt("Options\\Window", "x", -1), 20);
    EXPECT_EQ(profile_->GetInt("Options\\Window", "y", -1), 25);
    EXPECT_EQ(profile_->GetInt("Options\\Window", "cx", -1), 640);
    EXPECT_EQ(profile_->GetInt("Options\\Window", "cy", -1), 480);
    EXPECT_EQ(profile_->GetInt("Options\\Window", "IsZoomed", -1), 0);
    EXPECT_EQ(profile_->GetInt("Options\\Toolbars\\Main", "Visible", -1), 1);
    EXPECT_EQ(profile_->GetInt("Options\\Toolbars\\Options", "Visible", -1), 0);
    EXPECT_EQ(profile_->GetInt("Options\\Toolbars\\ObjetsCadre", "Visible", -1), 1);
    EXPECT_EQ(profile_->GetInt("Options\\Toolbars\\Main", "Floating", -1), 0);
    EXPECT_GT(profile_->GetInt("Options\\Toolbars\\Main", "cx", 0), 0);
    // A hidden bar keeps the place it had; the ephemerides bar is saved floating.
    EXPECT_FALSE(profile_->HasValue("Options\\Toolbars\\Options", "x"));
    EXPECT_EQ(profile_->GetInt("Options\\Toolbars\\Ephemerides", "Floating", -1), 1);
    // The three language choices are written when the frame goes.
    EXPECT_FALSE(profile_->HasValue("Options\\General", "Langage Aide"));
    windows_->DestroyMainFrame();
    EXPECT_EQ(profile_->GetInt("Options\\General", "Langage", -1), 1);
    EXPECT_EQ(profile_->GetInt("Options\\General", "DefaultLangage", -1), 0);
    EXPECT_EQ(profile_->GetInt("Options\\General", "Langage Aide", -1), 4);
    EXPECT_EQ(GetMainFrame(), nullptr);
}

TEST_F(MainFrameTest, CancelledCloseKeepsEverythingAndAMinimisedWindowKeepsItsOldPlace)
{
    profile_->WriteInt("Options\\Window", "x", 33);
    ASSERT_TRUE(Start());
    auto& doc = static_cast<TinyDocument&>(app_->GetDocTemplate().GetDocument());
    doc.SetModifiedFlag();
    fake_->QueueMessageBoxAnswer(IDCANCEL);
    EXPECT_FALSE(Frame().close());
    EXPECT_TRUE(Frame().isVisible());
    EXPECT_FALSE(profile_->HasValue("Options\\Toolbars\\Main", "Visible"));

    doc.SetModifiedFlag(false);
    Frame().move(400, 10);
    Frame().showMinimized();
    ASSERT_TRUE(Frame().close());
    EXPECT_EQ(profile_->GetInt("Options\\Window", "x", -1), 33);
    EXPECT_FALSE(profile_->HasValue("Options\\Window", "cx"));
}

TEST_F(MainFrameTest, LanguageChoicesBelowZeroAreWrittenAsZero)
{
    // Without a language file nothing corrects the choices read.
    profile_->WriteInt("Options\\General", "Langage", -5);
    profile_->WriteInt("Options\\General", "DefaultLangage", -2);
    ASSERT_TRUE(windows_->CreateMainFrame());
    EXPECT_EQ(Frame().GetProgramLanguage(), -5);
    windows_->DestroyMainFrame();
    EXPECT_EQ(profile_->GetInt("Options\\General", "Langage", -1), 0);
    EXPECT_EQ(profile_->GetInt("Options\\General", "DefaultLangage", -1), 0);
}

TEST_F(MainFrameTest, LanguagesTranslateMenusTooltipsAndPrompts)
{
    ASSERT_TRUE(Start());
    CMainFrame& frame = Frame();
    // A language the file does not have becomes English.
    frame.SetLanguage(30, 0, 0);
    EXPECT_EQ(frame.GetProgramLanguage(), 1);
    EXPECT_EQ(GetLanguageIndex(), 1);
    EXPECT_EQ(frame.menuBar()->actions().at(0)->text(), Utf8("&File"));
    // The new document made before the language was known takes its name in it, and Qt's
    // own texts follow the language too.
    EXPECT_EQ(frame.windowTitle().toStdString(), "Untitled - Horavel");
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes").toStdString(), "&Yes");
    QAction* open = MenuAction(TopMenu(kFileMenu), 57601);
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->text(), Utf8("&Open..."));
    EXPECT_EQ(open->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
    for (QAction* action : frame.ToolBar(kMainBar).actions())
        if (action->data().toInt() == 57601) {
            EXPECT_EQ(action->toolTip(), Utf8("Open a dial"));
        }
    open->hover();
    EXPECT_EQ(frame.StatusBar().currentMessage(), Utf8("Open a saved dial"));
    Q_EMIT TopMenu(kFileMenu)->aboutToHide();
    EXPECT_EQ(frame.StatusBar().currentMessage(), Utf8("Ready"));
    // The lock panes stay blank where the keyboard cannot be read.
    EXPECT_TRUE(frame.StatusBar().PaneText(0).isEmpty());

    frame.SetLanguage(0, 0, 0);
    EXPECT_EQ(frame.windowTitle().toStdString(), "Sans titre - Horavel");
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes").toStdString(), "&Oui");
    open = MenuAction(TopMenu(kFileMenu), 57601);
    open->hover();
    EXPECT_EQ(frame.StatusBar().currentMessage(), Utf8("Ouvre un cadran enregistré"));

    // Languages the program was not checked in get a warning; others none.
    frame.ApplyLanguagePreferences(4, 0, 4);
    EXPECT_TRUE(fake_->messageBoxes.empty());
    frame.ApplyLanguagePreferences(6, 1, 0);
    ASSERT_EQ(fake_->messageBoxes.size(), 1u);
    EXPECT_EQ(fake_->messageBoxes[0].type, unsigned{MB_ICONINFORMATION});
    EXPECT_EQ(frame.GetFallbackLanguage(), 1);
}

TEST_F(MainFrameTest, LanguageCommandWaitsForItsDialog)
{
    ASSERT_TRUE(Start());
    CMainFrame& frame = Frame();
    EXPECT_FALSE(frame.Router().Update(32968).IsEnabled());
    std::vector<int> given;
    frame.SetLanguageDialog([&](int& program, int& fallback, int& help) {
        given = {program, fallback, help};
        program = 1;
        help = 1;
        return true;
    });
    EXPECT_TRUE(frame.Router().Update(32968).IsEnabled());
    ASSERT_TRUE(frame.Router().Execute(32968));
    EXPECT_EQ(given, (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(frame.GetProgramLanguage(), 1);
    EXPECT_EQ(frame.GetHelpLanguage(), 1);
    EXPECT_EQ(frame.menuBar()->actions().at(0)->text(), Utf8("&File"));
}

TEST_F(MainFrameTest, BarCommandsPreviewAndTheEphemeridesBar)
{
    ASSERT_TRUE(Start());
    CMainFrame& frame = Frame();
    EXPECT_TRUE(frame.Router().Update(32840).IsChecked());
    ASSERT_TRUE(frame.Router().Execute(32840));
    EXPECT_FALSE(frame.ToolBar(kMainBar).isVisible());
    EXPECT_FALSE(frame.Router().Update(32840).IsChecked());
    ASSERT_TRUE(frame.Router().Execute(32840));
    EXPECT_TRUE(frame.ToolBar(kMainBar).isVisible());

    frame.ToggleEphemerisToolBar();
    EXPECT_TRUE(frame.ToolBarWindow(kEphemeridesBar)->isVisible());
    frame.OnSetPreviewMode(true);
    EXPECT_FALSE(frame.ToolBar(kMainBar).isVisible());
    EXPECT_FALSE(frame.ToolBarWindow(kEphemeridesBar)->isVisible());
    frame.OnSetPreviewMode(false);
    EXPECT_TRUE(frame.ToolBar(kMainBar).isVisible());
    EXPECT_TRUE(frame.ToolBar(kDialBar).isVisible());
    EXPECT_FALSE(frame.ToolBar(kDisplayBar).isVisible());
    EXPECT_TRUE(frame.ToolBarWindow(kEphemeridesBar)->isVisible());
    frame.ToggleEphemerisToolBar();
    EXPECT_FALSE(frame.ToolBarWindow(kEphemeridesBar)->isVisible());
    // Commands of later work are in the menu, disabled.
    EXPECT_NE(MenuAction(TopMenu(kDialMenu), 32803), nullptr);
    EXPECT_FALSE(frame.Router().Update(32803).IsEnabled());
}

TEST_F(MainFrameTest, RecentFilesMenuAndDroppedFiles)
{
    ASSERT_TRUE(Start());
    CMainFrame& frame = Frame();
    QMenu* file = TopMenu(kFileMenu);
    Q_EMIT file->aboutToShow();
    QAction* first = MenuAction(file, 57616);
    ASSERT_NE(first, nullptr);
    EXPECT_FALSE(first->isEnabled());
    EXPECT_EQ(first->text(), Utf8("Fichier récent"));
    EXPECT_FALSE(MenuAction(file, 57617)->isVisible());

    for (int i = 0; i < 3; ++i) {
        TinyDocument doc;
        doc.value = 10 + i;
        ASSERT_TRUE(doc.OnSaveDocument(install_ / ("d" + std::to_string(i) + ".cds")));
    }
    // A dropped file opens as with File > Open.
    EXPECT_FALSE(frame.OpenDroppedFiles({QUrl(QStringLiteral("https://example.org/a.cds"))}));
    EXPECT_TRUE(frame.OpenDroppedFiles({QUrl(QStringLiteral("https://example.org/a.cds")),
                                        QUrl::fromLocalFile(QString::fromStdString((install_ / "d2.cds").string()))}));
    EXPECT_EQ(static_cast<TinyDocument&>(app_->GetDocTemplate().GetDocument()).value, 12);
    EXPECT_EQ(frame.windowTitle(), Utf8("d2.cds - Horavel"));
    app_->GetDocTemplate().OpenDocumentFile(install_ / "d0.cds");

    Q_EMIT file->aboutToShow();
    EXPECT_TRUE(first->isEnabled());
    EXPECT_TRUE(first->text().startsWith(Utf8("1 ")) || first->text().startsWith(Utf8("&1 ")));
    EXPECT_TRUE(MenuAction(file, 57617)->isVisible());
    EXPECT_FALSE(MenuAction(file, 57618)->isVisible());
    MenuAction(file, 57617)->trigger();
    EXPECT_EQ(static_cast<TinyDocument&>(app_->GetDocTemplate().GetDocument()).value, 12);
}

TEST_F(MainFrameTest, AboutBoxModalAndSplash)
{
    ASSERT_TRUE(Start());
    ASSERT_NE(Frame().GroupBoxFont(), nullptr);  // made by the splash
    EXPECT_TRUE(Frame().GroupBoxFont()->bold());
    CDlgAPropos* splash = Frame().Splash();
    EXPECT_EQ(splash->height(), 268);
    for (QPushButton* button : splash->findChildren<QPushButton*>())
        EXPECT_FALSE(button->isVisible());

    fake_->SetDialogScript(232, [](ModalDialog& dialog) {
        auto& about = dynamic_cast<CDlgAPropos&>(dialog);
        EXPECT_FALSE(about.IsSplashMode());
        about.OnCredits();
        about.OnWebSite();
        return IDOK;
    });
    ASSERT_TRUE(Frame().Router().Execute(57664));
    EXPECT_EQ(fake_->dialogsRun, std::vector<int>{232});
    ASSERT_EQ(fake_->shellOpens.size(), 2u);
    EXPECT_TRUE(fake_->shellOpens[0].opened);
    EXPECT_NE(fake_->shellOpens[0].target.find("Credits.html"), std::string::npos);
    EXPECT_EQ(fake_->shellOpens[1].target, CHoravelApp::kMakerWebSite);
}

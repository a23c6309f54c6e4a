// The view's drawing options from the program's own menus, as a user uses them: a
// horizontal dial in the main frame, line families and numbering switched from the Dial
// menu, the items' check marks read back as the menu shows them, and the drawing changed.
// With HORAVEL_SCREENSHOTS set to a folder, the window before and after is saved there.
#include "DialogTestSupport.h"
#include "MainFrameTestSupport.h"
#include "model/DialTestDials.h"

#include "app/Accessors.h"
#include "app/CHoravelApp.h"
#include "app/MainMenu.h"
#include "app/qt/CMainFrame.h"
#include "app/qt/ControlHost.h"
#include "app/qt/QtAppWindows.h"
#include "docview/CHoravelDoc.h"
#include "docview/CHoravelView.h"
#include "docview/ColorTable.h"
#include "docview/qt/CHoravelViewWidget.h"
#include "model/Astronomy.h"
#include "platform/FakeServices.h"
#include "platform/Paths.h"
#include "platform/Profile.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <vector>

namespace {

class ViewMenusTest : public MainFrameTest {
protected:
    QImage Shot(const char* name)
    {
        QApplication::processEvents();
        const QImage image = Frame().centralWidget()->grab().toImage();
        if (const char* folder = std::getenv("HORAVEL_SCREENSHOTS"))
            Frame().grab().save(QString::fromUtf8(folder) + "/" + name);
        return image;
    }
};

// Pixels of neither of the two commonest colours (the page and the dial's face): the lines
// and texts drawn.
int Ink(const QImage& image)
{
    std::map<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y)];
    std::vector<int> sorted;
    for (const auto& [colour, count] : counts)
        sorted.push_back(count);
    std::sort(sorted.rbegin(), sorted.rend());
    int ink = image.width() * image.height();
    for (size_t i = 0; i < 2 && i < sorted.size(); ++i)
        ink -= sorted[i];
    return ink;
}

}  // namespace

TEST_F(ViewMenusTest, LineFamiliesAndNumberingSwitchedFromTheDialMenuRedrawTheDial)
{
    ASSERT_TRUE(app_->InitInstance({}));
    CMainFrame& frame = Frame();
    frame.resize(1000, 760);

    // Without a dial the items set the defaults of new dials.
    Choose(32789);
    EXPECT_EQ(GetView()->GetDefaultPrefs().quarterHourLines, 1);
    Choose(32789);

    auto dial = dialtest::MakeDial<dialtest::HorizontalDial>(47.24, -6.02, 1.0, 2024, 0.0, 160, 180);
    dial->prefs.halfHourLines = 1;
    dial->prefs.quarterHourLines = 0;
    dial->prefs.fiveMinuteLines = 0;
    dial->prefs.hourNumbers = 1;
    dial->prefs.romanNumerals = 0;
    dial->tablesValid = 1;
    CCadran& ref = *dial;
    GetDocument()->SetDial(std::move(dial));
    GetDocument()->SetModifiedFlag(false);
    GetView()->OnInitialUpdate();
    // The whole dial in the window.
    ASSERT_TRUE(app_->Commands().Execute(viewlayout::kFullFrameCommand) || GetView()->Commands().Execute(viewlayout::kFullFrameCommand));
    const QImage before = Shot("view-menus-before.png");

    EXPECT_TRUE(Shown(32790)->isChecked());
    EXPECT_FALSE(Shown(32868)->isChecked());
    Choose(32868);  // five-minute lines bring the quarter hours with them
    EXPECT_TRUE(Shown(32789)->isChecked());
    EXPECT_TRUE(Shown(32868)->isChecked());
    Choose(32806);  // roman numerals
    EXPECT_TRUE(Shown(32806)->isChecked());
    EXPECT_EQ(ref.prefs.quarterHourLines, 1);
    EXPECT_EQ(ref.prefs.romanNumerals, 1);
    EXPECT_TRUE(GetDocument()->IsModified());
    const QImage after = Shot("view-menus-after.png");
    // Twelve more lines in each hour: much more ink.
    EXPECT_GT(Ink(after), Ink(before) + 500);

    // Half-hours off takes the finer families with them, and the drawing goes back.
    Choose(32790);
    EXPECT_FALSE(Shown(32789)->isChecked());
    EXPECT_FALSE(Shown(32868)->isChecked());
    Choose(32806);
    EXPECT_LT(Ink(Shot("view-menus-no-sub-hours.png")), Ink(before));

    // The table items name what this dial has.
    EXPECT_EQ(Shown(32850)->text().toStdString(), "Table de coordonnées des lignes &horaires");
    // On another page the drawing options are not offered.
    GetView()->SetDisplayMode(13);
    EXPECT_FALSE(Shown(32790)->isEnabled());
    EXPECT_FALSE(Shown(32805)->isEnabled());
}

TEST_F(ViewMenusTest, LiveShadowFromTheMenuOpensTheClockAndDrawsTheShadowUntilTurnedOff)
{
    ASSERT_TRUE(app_->InitInstance({}));
    Frame().resize(1000, 760);
    // Besançon, 21 June 2024 at 11:00 UT: summer time, 13:00 on the clock.
    fake_->SetZone(FakeZone::European("Europe/Paris", 3600, 2024, 2024));
    fake_->SetNowMs(std::int64_t{1718967600} * 1000);
    auto dial = dialtest::MakeDial<dialtest::HorizontalDial>(47.24, -6.02, 1.0, 2024, 0.0, 160, 180);
    dial->tablesValid = 1;
    CCadran& ref = *dial;
    GetDocument()->SetDial(std::move(dial));
    GetView()->OnInitialUpdate();
    ASSERT_TRUE(GetView()->Commands().Execute(viewlayout::kFullFrameCommand));
    const int without = Ink(Shot("live-shadow-off.png"));

    Choose(32978);
    EXPECT_TRUE(Shown(32978)->isChecked());
    EXPECT_FALSE(Shown(32936)->isEnabled());
    EXPECT_EQ(ref.castShadow, 1);
    EXPECT_TRUE(timers_->IsRunning(*GetView(), CHoravelView::kLiveShadowTimer));
    auto* clock = dynamic_cast<QWidget*>(GetView()->GetClockWindow());
    ASSERT_NE(clock, nullptr);
    EXPECT_TRUE(clock->isVisible());
    auto* host = dynamic_cast<ControlHost*>(clock);
    ASSERT_NE(host, nullptr);
    EXPECT_EQ(host->GetDlgItemText(1320), "13 h 00 min 00 s");
    EXPECT_GT(Ink(Shot("live-shadow.png")), without);
    if (const char* folder = std::getenv("HORAVEL_SCREENSHOTS"))
        clock->grab().save(QString::fromUtf8(folder) + "/live-shadow-clock.png");

    Choose(32978);
    EXPECT_EQ(ref.castShadow, 0);
    EXPECT_EQ(GetView()->GetClockWindow(), nullptr);
    EXPECT_FALSE(timers_->IsRunning(*GetView(), CHoravelView::kLiveShadowTimer));
    EXPECT_EQ(Ink(Shot("live-shadow-off-again.png")), without);

    // Left running: the window closes with the clock open.
    Choose(32978);
    ASSERT_NE(GetView()->GetClockWindow(), nullptr);
}

TEST_F(ViewMenusTest, AcceleratorsComeBeforeTheMenuLettersAndTheMenusStayReachable)
{
    ASSERT_TRUE(app_->InitInstance({}));
    CMainFrame& frame = Frame();
    auto dial = dialtest::MakeDial<dialtest::HorizontalDial>(47.24, -6.02, 1.0, 2024, 0.0, 160, 180);
    dial->tablesValid = 1;
    GetDocument()->SetDial(std::move(dial));
    GetView()->OnInitialUpdate();
    timers_->Advance(CMainFrame::kSplashDelayMs);  // the splash goes
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    QWidget* view = frame.centralWidget();
    view->setFocus();

    // Alt+F is the technical sheet's and "&Fichier"/"&File"'s; Alt+D and Alt+T also open
    // "&Dial" and "&Tools" in English.
    const std::pair<Qt::Key, int> pages[] = {{Qt::Key_F, 7}, {Qt::Key_T, 5}, {Qt::Key_G, 4}, {Qt::Key_D, 1}};
    for (int language : {0, 1}) {
        frame.SetLanguage(language, 0, 0);
        for (const auto& [key, mode] : pages) {
            QTest::keyClick(view, key, Qt::AltModifier);
            EXPECT_EQ(GetView()->GetDisplayMode(), mode) << "language " << language << ", Alt+" << char(key);
            EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "language " << language << ", Alt+" << char(key);
        }
        // F10 opens the first menu, and another title's letter opens its menu. (A menu that
        // closes gives the window back its keys.)
        const auto closeMenu = [&frame] {
            if (QWidget* popup = QApplication::activePopupWidget())
                popup->close();
            frame.activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(&frame));
        };
        QTest::keyClick(view, Qt::Key_F10);
        EXPECT_EQ(QApplication::activePopupWidget(), frame.menuBar()->actions().at(kFileMenu)->menu());
        closeMenu();
        QTest::keyClick(view, language == 0 ? Qt::Key_A : Qt::Key_V, Qt::AltModifier);
        EXPECT_EQ(QApplication::activePopupWidget(), frame.menuBar()->actions().at(kDisplayMenu)->menu());
        closeMenu();

        // Within each English menu every item has a letter of its own.
        if (language != 1)
            continue;
        for (QAction* title : frame.menuBar()->actions()) {
            std::vector<QMenu*> menus{title->menu()};
            while (!menus.empty()) {
                QMenu* menu = menus.back();
                menus.pop_back();
                std::map<QKeySequence, QString> letters;
                for (QAction* item : menu->actions()) {
                    if (item->menu())
                        menus.push_back(item->menu());
                    const QKeySequence letter = QKeySequence::mnemonic(item->text());
                    if (letter.isEmpty())
                        continue;
                    const auto [previous, added] = letters.emplace(letter, item->text());
                    EXPECT_TRUE(added) << item->text().toStdString() << " and " << previous->second.toStdString();
                }
            }
        }
    }
}

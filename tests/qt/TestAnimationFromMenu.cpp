// The shadow animation run from the program's Dial menu on a horizontal dial in the main
// frame: the window opens over the dial, plays with its timer, and Stop takes the shadow
// away. With HORAVEL_SCREENSHOTS set to a folder, the frame with the window is saved there.
#include "DialogTestSupport.h"
#include "MainFrameTestSupport.h"
#include "model/DialTestDials.h"

#include "app/Accessors.h"
#include "app/CHoravelApp.h"
#include "app/qt/CMainFrame.h"
#include "app/qt/QtAppWindows.h"
#include "dialogs/qt/CDlgAnimationOmbre.h"
#include "docview/CHoravelDoc.h"
#include "docview/CHoravelView.h"
#include "docview/ColorTable.h"
#include "docview/qt/CHoravelViewWidget.h"
#include "model/Astronomy.h"
#include "platform/FakeServices.h"
#include "platform/Paths.h"
#include "platform/Profile.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

class AnimationFromMenu : public MainFrameTest {
protected:
    CDlgAnimationOmbre* Animation()
    {
        for (QWidget* child : Frame().findChildren<QWidget*>())
            if (auto* animation = dynamic_cast<CDlgAnimationOmbre*>(child))
                return animation;
        return nullptr;
    }
};

}  // namespace

TEST_F(AnimationFromMenu, OpensPlaysAndStops)
{
    ASSERT_TRUE(app_->InitInstance({}));
    Frame().resize(1000, 760);
    fake_->SetNowMs(FieldsToUnix({2024, 6, 21, 14, 0, 0}) * 1000);
    auto dial = dialtest::MakeDial<dialtest::HorizontalDial>(47.24, -6.02, 1.0, 2024, 0.0, 160, 180);
    dial->tablesValid = 1;
    CCadran& ref = *dial;
    GetDocument()->SetDial(std::move(dial));
    GetView()->OnInitialUpdate();
    ASSERT_TRUE(GetView()->Commands().Execute(viewlayout::kFullFrameCommand));

    QAction* item = Shown(32936);
    ASSERT_NE(item, nullptr);
    ASSERT_TRUE(item->isEnabled());
    item->trigger();
    QApplication::processEvents();
    CDlgAnimationOmbre* animation = Animation();
    ASSERT_NE(animation, nullptr);
    EXPECT_TRUE(animation->isVisible());
    EXPECT_EQ(ref.castShadow, 1);
    EXPECT_EQ(ref.shadowAnimation, 1);
    EXPECT_TRUE(Shown(32936)->isChecked());
    EXPECT_FALSE(Shown(32978)->isEnabled());
    EXPECT_EQ(animation->Animation().Step(), 14 * 12);

    animation->Control<QAbstractButton>(1169)->click();
    timers_->Advance(300);
    EXPECT_EQ(animation->Animation().Step(), 14 * 12 + 3);
    const double azimuth = ref.shadowAzimuth;
    EXPECT_GT(azimuth, 0.0);  // the sun is west of the meridian after noon

    if (const char* folder = std::getenv("HORAVEL_SCREENSHOTS")) {
        QApplication::processEvents();
        QImage shot = Frame().grab().toImage();
        QPainter painter(&shot);
        painter.drawImage(shot.width() - animation->width() - 30, 80, animation->grab().toImage());
        painter.end();
        shot.save(QString::fromUtf8(folder) + "/shadow-animation-in-frame.png");
    }

    animation->Control<QAbstractButton>(1168)->click();
    QApplication::processEvents();
    EXPECT_FALSE(animation->isVisible());
    EXPECT_EQ(ref.castShadow, 0);
    EXPECT_EQ(ref.shadowAnimation, 0);
    EXPECT_FALSE(timers_->IsRunning(*animation, CDlgAnimationOmbre::kTimerId));
    EXPECT_FALSE(Shown(32936)->isChecked());
    EXPECT_TRUE(Shown(32978)->isEnabled());
}

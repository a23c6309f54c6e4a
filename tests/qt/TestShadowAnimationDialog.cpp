// The shadow animation tool window with its timer driven by hand. With HORAVEL_SCREENSHOTS
// set to a folder, the window over the dial it animates is saved there too.
#include "DialogTestSupport.h"
#include "TestQtDCCanvas.h"
#include "model/DialTestDials.h"

#include "dialogs/qt/CDlgAnimationOmbre.h"
#include "docview/ColorTable.h"
#include "model/Astronomy.h"
#include "platform/FakeServices.h"
#include "platform/qt/QtDC.h"

#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

class ShadowAnimationDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetAstroState();
        dial_ = dialtest::MakeDial<dialtest::HorizontalDial>(45.0, 0.0, 0.0, 2024, 0.0, 200, 150);
        fake_->SetNowMs(FieldsToUnix({2024, 5, 11, 12, 0, 0}) * 1000);
        dialog_.SetDialSource([this] { return dial_.get(); });
        dialog_.SetRepaint([this] { ++repaints_; });
    }
    void Click(int id) { dialog_.Control<QAbstractButton>(id)->click(); }
    bool Running() const { return timers_->IsRunning(dialog_, CDlgAnimationOmbre::kTimerId); }
    int Slider() const { return dialog_.Slider()->value(); }

    ScopedMemoryProfile profile_;
    ScopedFakeServices fake_;
    ScopedFakeTimers timers_;
    dialogtest::ScopedDialogContext context_;
    std::unique_ptr<dialtest::HorizontalDial> dial_;
    CDlgAnimationOmbre dialog_;
    int repaints_ = 0;
};

}  // namespace

TEST_F(ShadowAnimationDialog, OpensOnTheShadowOfNow)
{
    ASSERT_TRUE(dialog_.Create());
    EXPECT_EQ(dialog_.Animation().Step(), 144);
    EXPECT_EQ(Slider(), 144);
    EXPECT_EQ(dialog_.Slider()->maximum(), 288);
    EXPECT_EQ(dialog_.GetDlgItemText(1077), "11 Mai");
    EXPECT_EQ(dialog_.GetDlgItemText(1078), "12 h 00 min");
    EXPECT_EQ(dialog_.GetTitle(), "Animation de l'ombre");
    EXPECT_EQ(dial_->castShadow, 1);
    EXPECT_NEAR(dial_->shadowAzimuth, 0.0, 1e-9);
    EXPECT_GT(repaints_, 0);
    EXPECT_EQ(dialog_.IsDlgButtonChecked(1176), 1);
    EXPECT_EQ(dialog_.GetRadioIndex(1264), 0);
    EXPECT_EQ(dialog_.GetDlgItem(1169)->toolTip().toStdString(), "Lancer l'animation de l'ombre");
    EXPECT_FALSE(Running());
}

TEST_F(ShadowAnimationDialog, PlayStepsOnEachTickAtThePaceOfTheFastCheck)
{
    ASSERT_TRUE(dialog_.Create());
    Click(1169);
    EXPECT_TRUE(Running());
    EXPECT_EQ(timers_->PeriodOf(dialog_, CDlgAnimationOmbre::kTimerId), 100);
    EXPECT_TRUE(dialog_.Control<QPushButton>(1169)->isChecked());
    timers_->Advance(100);
    EXPECT_EQ(dialog_.Animation().Step(), 145);
    EXPECT_EQ(Slider(), 145);
    EXPECT_EQ(dialog_.GetDlgItemText(1078), "12 h 05 min");
    const double azimuth = dial_->shadowAzimuth;
    timers_->Advance(100);
    EXPECT_EQ(Slider(), 146);
    EXPECT_GT(dial_->shadowAzimuth, azimuth);

    // Unchecking "Rapide" while playing: the pace changes from the next tick on.
    Click(1176);
    EXPECT_EQ(timers_->PeriodOf(dialog_, CDlgAnimationOmbre::kTimerId), 100);
    timers_->Advance(100);
    EXPECT_EQ(Slider(), 147);
    EXPECT_EQ(timers_->PeriodOf(dialog_, CDlgAnimationOmbre::kTimerId), 500);
    timers_->Advance(400);
    EXPECT_EQ(Slider(), 147);
    timers_->Advance(100);
    EXPECT_EQ(Slider(), 148);

    // Pause.
    Click(1169);
    EXPECT_FALSE(Running());
    EXPECT_FALSE(dialog_.Control<QPushButton>(1169)->isChecked());
    timers_->Advance(2000);
    EXPECT_EQ(Slider(), 148);
}

TEST_F(ShadowAnimationDialog, SliderStepsAndTheYearMode)
{
    ASSERT_TRUE(dialog_.Create());
    // The slider at night: no shadow, and the window (not its narrow title) says why.
    dialog_.Slider()->setValue(12);
    EXPECT_EQ(dialog_.Animation().Step(), 12);
    EXPECT_EQ(dial_->castShadow, 0);
    EXPECT_EQ(dialog_.GetDlgItemText(1079), "Le cadran n'est pas \xC3\xA9" "clair\xC3\xA9 par le soleil.");
    EXPECT_EQ(dialog_.GetTitle(), "Animation de l'ombre");
    EXPECT_EQ(dialog_.GetDlgItemText(1078), "01 h 00 min");
    // The buttons wrap round the lit span.
    const int last = dialog_.Animation().LastLitStep();
    dialog_.Slider()->setValue(last);
    Click(1172);
    EXPECT_EQ(Slider(), dialog_.Animation().FirstLitStep());
    EXPECT_EQ(dial_->castShadow, 1);
    EXPECT_EQ(dialog_.GetDlgItemText(1079), "");
    Click(1170);
    EXPECT_EQ(Slider(), last);

    // Year mode: the slider counts days, the buttons move the date, the hour stays.
    Click(1263);
    EXPECT_EQ(dialog_.Slider()->maximum(), 365);
    EXPECT_EQ(Slider(), 131);  // 11 May of a leap year
    Click(1172);
    EXPECT_EQ(Slider(), 132);
    EXPECT_EQ(dialog_.GetDlgItemText(1077), "12 Mai");
    EXPECT_EQ(dialog_.Animation().Step(), last);
    dialog_.Slider()->setValue(0);
    EXPECT_EQ(dialog_.GetDlgItemText(1077), "1 Janvier");
    Click(1169);
    timers_->Advance(100);
    EXPECT_EQ(dialog_.GetDlgItemText(1077), "2 Janvier");
    EXPECT_EQ(Slider(), 1);
    // Back to the day mode: the slider shows the step again.
    Click(1264);
    EXPECT_EQ(dialog_.Slider()->maximum(), 288);
    EXPECT_EQ(Slider(), last);
}

TEST_F(ShadowAnimationDialog, StopAndCancelTakeTheShadowAway)
{
    dial_->shadowAnimation = 1;
    ASSERT_TRUE(dialog_.Create());
    Click(1169);
    ASSERT_TRUE(Running());
    const int before = repaints_;
    Click(1168);
    EXPECT_FALSE(Running());
    EXPECT_EQ(dial_->castShadow, 0);
    EXPECT_EQ(dial_->shadowAnimation, 0);
    EXPECT_FALSE(dialog_.IsOpen());
    EXPECT_EQ(dialog_.GetDialogResult(), IDOK);
    EXPECT_GT(repaints_, before);

    CDlgAnimationOmbre other;
    other.SetDialSource([this] { return dial_.get(); });
    ASSERT_TRUE(other.Create());
    EXPECT_EQ(dial_->castShadow, 1);
    other.OnCancel();
    EXPECT_EQ(dial_->castShadow, 0);
    EXPECT_EQ(other.GetDialogResult(), IDCANCEL);

    // Without a dial nothing is touched.
    CDlgAnimationOmbre lonely;
    lonely.SetDialSource([] { return nullptr; });
    ASSERT_TRUE(lonely.Create());
    lonely.OnForward();
    EXPECT_EQ(lonely.GetDlgItemText(1077), "");
}

TEST_F(ShadowAnimationDialog, PictureOverTheDial)
{
    ResetColorTable();
    dial_->SetDialRect(0, 0, RoundToInt(200 * dial_->pixelsPerMmX), RoundToInt(150 * dial_->pixelsPerMmY));
    fake_->SetNowMs(FieldsToUnix({2024, 5, 11, 15, 20, 0}) * 1000);
    ASSERT_TRUE(dialog_.Create());
    dialog_.adjustSize();
    ASSERT_EQ(dial_->castShadow, 1);
    const gdi::Rect rect = dial_->dialRect;
    QImage image = qtdctest::Canvas(rect.Width(), rect.Height() + 20, 96);
    {
        gdi::QtDC dc(image);
        dc.SetPalette(BuildPalette());
        dial_->DrawBorder(dc);
        dial_->Draw(dc);
    }
    const QImage window = dialog_.grab().toImage();
    ASSERT_GT(window.width(), 100);
    {
        QPainter painter(&image);
        painter.drawImage(image.width() - window.width() - 10, image.height() - window.height() - 10, window);
    }
    EXPECT_TRUE(image.save(QString::fromStdString((testsupport::BinDir() / "shadow-animation.png").string()), "PNG"));
    if (const char* out = std::getenv("HORAVEL_SCREENSHOTS"))
        image.save(QString::fromUtf8(out) + "/shadow-animation.png");
}

#include "dialogs/ShadowAnimation.h"
#include "model/Astronomy.h"
#include "model/DialTestDials.h"
#include "platform/FakeServices.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

namespace {

constexpr double kDeg = std::numbers::pi / 180.0;

// 11 May 2024 at the given UTC time (the fake clock's zone is UTC unless set).
std::int64_t May11(int hour, int minute)
{
    return FieldsToUnix({2024, 5, 11, hour, minute, 0});
}

class ShadowAnimationTest : public ::testing::Test {
protected:
    void SetUp() override { dial_ = dialtest::MakeDial<dialtest::HorizontalDial>(45.0, 0.0, 0.0, 2024); }

    ScopedFakeServices fake_;
    std::unique_ptr<dialtest::HorizontalDial> dial_;
    ShadowAnimation animation_;
};

}  // namespace

TEST_F(ShadowAnimationTest, OpensAtTheCurrentStepWithTheLitSpanOfASpringDay)
{
    animation_.Start(dial_.get(), May11(14, 37));
    EXPECT_EQ(animation_.Step(), 14 * 12 + 7);
    EXPECT_EQ(animation_.SliderPosition(), 175);
    EXPECT_EQ(animation_.SliderMax(), 288);
    // At 45 degrees north in May the sun rises near 4 h 40 solar time; the span is
    // symmetric about noon on a dial that keeps solar time.
    const int first = animation_.FirstLitStep();
    const int last = animation_.LastLitStep();
    EXPECT_GT(first, 50);
    EXPECT_LT(first, 62);
    EXPECT_NEAR(first + last, 288, 2);
    const auto& altitudes = dial_->altitudeByDate[26];
    EXPECT_GT(altitudes[static_cast<size_t>(first)], 0.0);
    EXPECT_FALSE(dial_->IsLit(0.0, altitudes[static_cast<size_t>(first - 1)], true));
    EXPECT_FALSE(dial_->IsLit(0.0, altitudes[static_cast<size_t>(last + 1)], true));

    // In the south the span comes from another row (a June day: a shorter span in winter).
    auto south = dialtest::MakeDial<dialtest::HorizontalDial>(-45.0, 0.0, 0.0, 2024);
    int southFirst = 0;
    int southLast = 0;
    EXPECT_TRUE(ShadowAnimation::FindLitSpan(*south, southFirst, southLast));
    EXPECT_GT(southFirst, first + 12);
    EXPECT_LT(southLast, last - 12);

    // Without a dial: the whole day.
    animation_.Start(nullptr, May11(0, 0));
    EXPECT_EQ(animation_.FirstLitStep(), 0);
    EXPECT_EQ(animation_.LastLitStep(), 288);
}

TEST_F(ShadowAnimationTest, DayStepsWrapRoundTheLitSpan)
{
    animation_.Start(dial_.get(), May11(12, 0));
    const int first = animation_.FirstLitStep();
    const int last = animation_.LastLitStep();

    animation_.SetSliderPosition(last);
    EXPECT_EQ(animation_.Step(), last);
    animation_.Forward();
    EXPECT_EQ(animation_.Step(), first);
    char expected[32];
    std::snprintf(expected, sizeof expected, "%02d h %02d min", first / 12, first % 12 * 5);
    EXPECT_EQ(animation_.TimeText(), expected);
    // Back from the first lit step goes to the last; the step after the first comes back to it.
    animation_.Forward();
    animation_.Back();
    EXPECT_EQ(animation_.Step(), first);
    animation_.Back();
    EXPECT_EQ(animation_.Step(), last);

    // A span that ends at 24 h: step 288 goes to the first lit step.
    animation_.Start(nullptr, May11(12, 0));
    animation_.SetSliderPosition(288);
    animation_.Forward();
    EXPECT_EQ(animation_.Step(), 0);
    EXPECT_EQ(animation_.Date(), May11(12, 0));  // day steps leave the date alone
    animation_.SetSliderPosition(149);
    EXPECT_EQ(animation_.TimeText(), "12 h 25 min");
    EXPECT_EQ(animation_.DateText(), "11 Mai");
}

TEST_F(ShadowAnimationTest, YearStepsMoveTheDateAndKeepTheHour)
{
    animation_.Start(dial_.get(), FieldsToUnix({2024, 12, 31, 9, 10, 0}));
    animation_.SetDayMode(false);
    EXPECT_EQ(animation_.SliderMax(), 365);
    EXPECT_EQ(animation_.SliderPosition(), 365);  // 2024 is a leap year
    const int step = animation_.Step();
    animation_.Forward();
    EXPECT_EQ(animation_.DateText(), "1 Janvier");
    EXPECT_EQ(fake_->ToLocal(animation_.Date()).year, 2025);
    EXPECT_EQ(animation_.SliderPosition(), 0);
    EXPECT_EQ(animation_.Step(), step);
    animation_.Back();
    EXPECT_EQ(animation_.DateText(), "31 Décembre");
    animation_.SetSliderPosition(40);
    EXPECT_EQ(animation_.DateText(), "10 Février");
    EXPECT_EQ(animation_.SliderPosition(), 40);
}

TEST_F(ShadowAnimationTest, YearStepsKeepTheLocalClockAcrossSummerTime)
{
    fake_->SetZone(FakeZone::European("Europe/Paris", 3600, 2024, 2024));
    // 00:30 local on the last Saturday of October: one day later is the Sunday, not a
    // second Saturday (that day lasts 25 hours).
    animation_.Start(nullptr, fake_->FromLocal({2024, 10, 26, 0, 30, 0}));
    animation_.SetDayMode(false);
    animation_.Forward();
    const DateTimeFields local = fake_->ToLocal(animation_.Date());
    EXPECT_EQ(local.day, 27);
    EXPECT_EQ(local.hour, 0);
    EXPECT_EQ(local.minute, 30);
}

TEST_F(ShadowAnimationTest, TheDialGetsTheSunOfEachStep)
{
    animation_.Start(dial_.get(), May11(12, 0));
    SetAstroSite(45.0, 0.0, 0.0);
    animation_.SetStep(144);
    ASSERT_TRUE(animation_.Update(dial_.get()));
    EXPECT_EQ(dial_->castShadow, 1);
    double rightAscension = 0.0;
    double declination = 0.0;
    ApparentSunPosition(11, 5, rightAscension, declination);
    EXPECT_NEAR(dial_->shadowAzimuth, 0.0, 1e-9);
    EXPECT_NEAR(dial_->shadowAltitude, (45.0 * kDeg) + declination, 1e-6);

    // Five minutes later the sun has turned 1.25 degrees of hour angle west.
    animation_.SetStep(145);
    animation_.Update(dial_.get());
    EXPECT_GT(dial_->shadowAzimuth, 1.0 * kDeg);
    EXPECT_LT(dial_->shadowAzimuth, 3.0 * kDeg);

    // A noon mark read in mean time: at 12 h mean time on 11 May the true sun is already
    // about 3.6 minutes past the meridian.
    dial_->prefs.noonMark = 1;
    dial_->prefs.noonMarkType = 0;
    animation_.SetStep(144);
    double azimuth = 0.0;
    double altitude = 0.0;
    animation_.SunDirection(*dial_, azimuth, altitude);
    const double hourAngle = -EquationOfTime(11, 5) / 3600.0 * 15.0 * kDeg;
    EXPECT_GT(hourAngle, 0.0);
    double expectedAzimuth = 0.0;
    double expectedAltitude = 0.0;
    EquatorialToHorizontal(hourAngle, declination, expectedAzimuth, expectedAltitude);
    EXPECT_NEAR(azimuth, expectedAzimuth, 1e-9);
    dial_->prefs.noonMarkType = 1;
    animation_.SunDirection(*dial_, azimuth, altitude);
    EXPECT_NEAR(azimuth, 0.0, 1e-9);

    // At midnight the dial is not lit: no shadow.
    animation_.SetStep(0);
    EXPECT_FALSE(animation_.Update(dial_.get()));
    EXPECT_EQ(dial_->castShadow, 0);
    EXPECT_FALSE(animation_.Update(nullptr));
}

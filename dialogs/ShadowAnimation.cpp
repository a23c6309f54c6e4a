#include "dialogs/ShadowAnimation.h"

#include "app/Translation.h"
#include "model/Astronomy.h"
#include "model/CCadran.h"
#include "platform/Services.h"

#include <cmath>
#include <cstdio>
#include <numbers>

namespace {

// Rows of the by-date sun tables: 11 May in the north, 11 June in the south.
constexpr int kNorthRow = 26;
constexpr int kSouthRow = 32;

int DayOfYear(const DateTimeFields& local)
{
    DateTimeFields first;
    first.year = local.year;
    DateTimeFields day;
    day.year = local.year;
    day.month = local.month;
    day.day = local.day;
    return static_cast<int>((FieldsToUnix(day) - FieldsToUnix(first)) / 86400);
}

}  // namespace

bool ShadowAnimation::FindLitSpan(const CCadran& dial, int& firstLit, int& lastLit)
{
    const int row = dial.latitude >= 0.0 ? kNorthRow : kSouthRow;
    const auto& azimuths = dial.azimuthByDate[static_cast<size_t>(row)];
    const auto& altitudes = dial.altitudeByDate[static_cast<size_t>(row)];
    auto lit = [&](int s) {
        return dial.IsLit(azimuths[static_cast<size_t>(s)], altitudes[static_cast<size_t>(s)], true);
    };
    int first = 0;
    while (first <= kLastStep && !lit(first))
        ++first;
    if (first > kLastStep) {
        firstLit = 0;
        lastLit = kLastStep;
        return false;
    }
    int last = kLastStep;
    while (last > first && !lit(last))
        --last;
    firstLit = first;
    lastLit = last;
    return true;
}

void ShadowAnimation::Start(const CCadran* dial, std::int64_t now)
{
    date_ = now;
    displayedTime_ = now;
    const DateTimeFields local = GetServices().ToLocal(now);
    step_ = local.hour * 12 + local.minute * 12 / 60;
    firstLit_ = 0;
    lastLit_ = kLastStep;
    if (dial)
        FindLitSpan(*dial, firstLit_, lastLit_);
}

void ShadowAnimation::FollowStep()
{
    DateTimeFields local = GetServices().ToLocal(date_);
    local.hour = step_ / 12;
    local.minute = (step_ % 12) * 5;
    local.second = 0;
    local.milliseconds = 0;
    displayedTime_ = GetServices().FromLocal(local);
}

void ShadowAnimation::MoveDays(int days)
{
    DateTimeFields local = GetServices().ToLocal(date_);
    local.day += days;
    date_ = GetServices().FromLocal(local);
}

void ShadowAnimation::Forward()
{
    if (!dayMode_) {
        MoveDays(1);
        return;
    }
    ++step_;
    if (step_ > lastLit_)
        step_ = firstLit_;
    FollowStep();
}

void ShadowAnimation::Back()
{
    if (!dayMode_) {
        MoveDays(-1);
        return;
    }
    --step_;
    if (step_ < firstLit_)
        step_ = lastLit_;
    FollowStep();
}

void ShadowAnimation::SetSliderPosition(int pos)
{
    if (dayMode_) {
        step_ = pos;
        FollowStep();
    } else {
        MoveDays(pos - SliderPosition());
    }
}

int ShadowAnimation::SliderPosition() const
{
    return dayMode_ ? step_ : DayOfYear(GetServices().ToLocal(date_));
}

void ShadowAnimation::SunDirection(const CCadran& dial, double& azimuth, double& altitude) const
{
    const DateTimeFields local = GetServices().ToLocal(date_);
    const double longitudeHours = dial.localSolarTime ? 0.0 : GetLongitudeCorrection();
    double rightAscension = 0.0;
    double declination = 0.0;
    ApparentSunPosition(local.day, local.month, rightAscension, declination);
    // A noon mark of the meridian at noon is read in mean time: the sun is shifted by the
    // equation of time.
    double eot = 0.0;
    if (dial.prefs.noonMark && dial.prefs.noonMarkType == 0)
        eot = EquationOfTime(local.day, local.month) / -3600.0;
    const double hourAngle = (step_ / 12.0 + eot - 12.0 - longitudeHours) * 15.0 * std::numbers::pi / 180.0;
    EquatorialToHorizontal(hourAngle, declination, azimuth, altitude);
}

bool ShadowAnimation::Update(CCadran* dial) const
{
    if (!dial)
        return false;
    double azimuth = 0.0;
    double altitude = 0.0;
    SunDirection(*dial, azimuth, altitude);
    if (dial->IsLit(azimuth, altitude, true)) {
        dial->castShadow = 1;
        dial->shadowAzimuth = azimuth;
        dial->shadowAltitude = altitude;
        return true;
    }
    dial->castShadow = 0;
    return false;
}

std::string ShadowAnimation::DateText() const
{
    const DateTimeFields local = GetServices().ToLocal(date_);
    return std::to_string(local.day) + " " + GetMonthName(local.month);
}

std::string ShadowAnimation::TimeText() const
{
    const DateTimeFields local = GetServices().ToLocal(displayedTime_);
    char text[32];
    std::snprintf(text, sizeof text, "%02d h %02d min", local.hour, local.minute);
    return text;
}

#pragma once
// The state of the shadow animation: the sun moves over one day in five-minute steps (day
// mode) or over the year one day at a time at a fixed hour (year mode), and the dial is
// given the sun's direction for each position, to draw the style's shadow.
//
// Steps are the five-minute steps of the day, 0 (0 h 00) to 288 (24 h 00). Dates are
// instants (seconds since 1970, UTC) read in local time.
#include <cstdint>
#include <string>

class CCadran;

class ShadowAnimation {
public:
    static constexpr int kLastStep = 288;
    static constexpr int kLastYearDay = 365;
    static constexpr int kUnlitTitleString = 212;

    // Opening: the date and the displayed time take now, the step the local time of now,
    // and the lit span is looked up on the dial (none: the whole day).
    void Start(const CCadran* dial, std::int64_t now);

    // The lowest and highest steps lit on the dial's table row of a spring day (row 26 in
    // the north, 32 in the south); false, and the whole day, when no step is lit.
    static bool FindLitSpan(const CCadran& dial, int& firstLit, int& lastLit);

    // One step forward (also each tick of the timer) or back; the slider moved to pos.
    void Forward();
    void Back();
    void SetSliderPosition(int pos);
    // What the slider shows: the step in day mode, the day of the year (from 0) in year mode.
    int SliderPosition() const;
    int SliderMax() const { return dayMode_ ? kLastStep : kLastYearDay; }

    void SetDayMode(bool dayMode) { dayMode_ = dayMode; }
    bool IsDayMode() const { return dayMode_; }

    // Gives the dial the sun's direction at the current date and step: castShadow set with
    // shadowAzimuth and shadowAltitude when the dial is lit from there, cleared otherwise.
    // Returns whether it is lit. Nothing (false) without a dial.
    bool Update(CCadran* dial) const;
    // The sun's azimuth and altitude at the date and step for the dial, radians.
    void SunDirection(const CCadran& dial, double& azimuth, double& altitude) const;

    // "12 Mars" and "14 h 05 min".
    std::string DateText() const;
    std::string TimeText() const;

    int Step() const { return step_; }
    void SetStep(int step) { step_ = step; }
    int FirstLitStep() const { return firstLit_; }
    int LastLitStep() const { return lastLit_; }
    std::int64_t Date() const { return date_; }
    void SetDate(std::int64_t date) { date_ = date; }
    std::int64_t DisplayedTime() const { return displayedTime_; }

private:
    // The displayed time: the current date at the step's hour and minute.
    void FollowStep();
    // The date moved by whole calendar days, at the same local time.
    void MoveDays(int days);

    int step_ = 0;
    int firstLit_ = 0;
    int lastLit_ = kLastStep + 1;
    std::int64_t date_ = 0;
    std::int64_t displayedTime_ = 0;
    bool dayMode_ = true;
};

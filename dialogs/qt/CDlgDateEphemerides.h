#pragma once
// "Sélectionner une date": the date and time of the ephemerides page, in universal or legal
// time, or the choice of following the clock.
#include "app/qt/CTopDialog.h"

#include <cstdint>
#include <memory>

class CBitmapCtrl;

class CDlgDateEphemerides : public CTopDialog {
public:
    static constexpr int kTemplateId = 177;
    explicit CDlgDateEphemerides(QWidget* parent = nullptr);
    ~CDlgDateEphemerides() override;

    int m_dayIndex = -1;
    int m_monthIndex = -1;
    int m_year = 0;
    int m_hour = 0;
    int m_minute = 0;
    int m_second = 0;
    int m_summerTime = 0;
    int m_mode = -1;      // 0 the given date, 1 real time
    int m_timeKind = -1;  // 0 universal time, 1 legal time
    std::int64_t m_time = 0;

    // "0 h 00 min U.T.": midnight, universal time.
    void OnMidnightUT();
    // The mode radios: the date controls follow the clock or not.
    void OnModeChange();

protected:
    void OnInitDialog() override;
    void DoDataExchange(DataExchange& dx) override;

private:
    std::unique_ptr<CBitmapCtrl> givenPicture_;
    std::unique_ptr<CBitmapCtrl> clockPicture_;
};

// The ephemerides' date: all four values in and out; true on OK. The chosen date and time
// are stored as the instant whose local time shows them.
bool ChooseEphemerisDate(std::int64_t& time, int& givenDate, int& summerTime, int& universal,
                         QWidget* parent = nullptr);

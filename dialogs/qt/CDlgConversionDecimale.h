#pragma once
// A small tool that converts between a decimal value and its components: degrees, minutes
// and seconds of arc, or hours, minutes and seconds of time. Typing components converts
// them to the decimal value at once; typing a decimal value converts it to components two
// seconds after the last key (timer 1004), so that a value is not cut while being typed.
//
// Only what the user types converts: the fields the conversion writes do not convert back,
// and a field that holds no number yet ("-", empty) converts nothing.
#include "app/qt/CTopDialog.h"
#include "platform/Timers.h"

#include <string>

class CDlgConversionDecimale : public CTopDialog, public TimerHost {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 235;
    static constexpr int kTimerId = 1004;
    static constexpr int kDelayMs = 2000;

    explicit CDlgConversionDecimale(QWidget* parent = nullptr);
    ~CDlgConversionDecimale() override;

    double m_decimal = 0.0;
    int m_units = 0;
    int m_minutes = 0;
    int m_seconds = 0;
    int m_mode = 0;  // 0 degrees, 1 hours
    std::string m_decimalMark;
    std::string m_unitsMark;
    std::string m_minutesMark;
    std::string m_secondsMark;

    void OnTimer(int id) override;
    // Closes the tool: nothing reads its fields, so a field being typed is no error.
    void OnOK() override;

protected:
    void OnInitDialog() override;
    void DoDataExchange(DataExchange& dx) override;
    void hideEvent(QHideEvent* event) override;

private:
    void OnDecimalChange();
    void OnComponentChange();
    void OnModeChange();
    void SetMarks();
    // Writes the controls without treating the writes as typing.
    void WriteControls();

    bool writing_ = false;
};

// Runs the tool modally.
void RunDecimalConversion(QWidget* parent = nullptr);

#pragma once
// Which time the dial tells (local or zone solar time, local or legal mean time, or the
// sun's azimuth and altitude) and which extra hours it draws. Each click changes the dial
// at once; OK recomputes its sun tables.
#include "app/qt/CTopDialog.h"

class CCadran;

class CDlgIndications : public CTopDialog {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 213;

    explicit CDlgIndications(QWidget* parent = nullptr);
    ~CDlgIndications() override;

    // Set by the caller (not owned); without a dial the dialog ends at once with 0.
    CCadran* m_dial = nullptr;
    int m_choice = 0;
    int m_babylonian = 0;
    int m_italic = 0;
    int m_temporary = 0;

    // A click on one of the five choices (also run once at opening).
    void OnChoice();
    void OnOK() override;

protected:
    void OnInitDialog() override;
    void DoDataExchange(DataExchange& dx) override;
};

// The indications of the dial. The dial changes while the dialog runs; returns IDOK after
// the tables were recomputed (the caller lays the view out again and repaints).
int EditIndications(CCadran& dial, QWidget* parent = nullptr);

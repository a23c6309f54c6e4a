#pragma once
// Which time the dial tells (local or zone solar time, local or legal mean time, or the
// sun's azimuth and altitude) and which extra hours it draws. Each click changes the dial
// at once; OK recomputes its sun tables; Escape and the close box put the dial back as it
// was at opening.
#include "app/qt/CTopDialog.h"
#include "model/CPrefs.h"

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
    void OnCancel() override;

protected:
    void OnInitDialog() override;
    void DoDataExchange(DataExchange& dx) override;

private:
    // What the clicks may change, as it was at opening.
    CPrefs openingPrefs_;
    int openingLocalSolarTime_ = 1;
};

// The indications of the dial. The dial changes while the dialog runs; returns IDOK after
// the tables were recomputed (the caller lays the view out again and repaints), else the
// dial is as it was.
int EditIndications(CCadran& dial, QWidget* parent = nullptr);

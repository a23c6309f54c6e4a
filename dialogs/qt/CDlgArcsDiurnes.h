#pragma once
// Which diurnal arcs the dial draws: by steps of ecliptic longitude, of declination or of
// calendar date, with or without the solstice arcs.
#include "app/qt/CTopDialog.h"

class CCadran;
class CPrefs;

class CDlgArcsDiurnes : public CTopDialog {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 166;

    explicit CDlgArcsDiurnes(QWidget* parent = nullptr);
    ~CDlgArcsDiurnes() override;

    // Filled by the caller (from the diurnal-arc mode), read after IDOK.
    int m_step = 3;
    int m_solsticeArcs = 0;
    int m_byConfiguration = 0;
    // The dial, when there is one (not owned): its type hides or disables some choices.
    const CCadran* m_dial = nullptr;

    // A click on a step radio.
    void OnStep();

protected:
    void OnInitDialog() override;
    void DoDataExchange(DataExchange& dx) override;
};

// The diurnal-arc mode of the dial's preferences, or of the view's default preferences
// without a dial. With a dial whose diurnal arcs are off, OK asks whether to turn them on.
// Returns IDOK or IDCANCEL; with a dial the caller marks the document modified and repaints.
int EditDiurnalArcs(CCadran* dial, CPrefs& defaults, QWidget* parent = nullptr);

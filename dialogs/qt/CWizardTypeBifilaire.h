#pragma once
// The wizard's page of bifilar dials: horizontal with equiangular wires. The vertical
// declining dial and the one with wires at any angle are shown but cannot be chosen (they
// have no drawing). Finish builds the dial.
#include "app/qt/CTopPropertyPage.h"

class CHoravelDoc;

class CWizardTypeBifilaire : public CTopPropertyPage {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 667;

    explicit CWizardTypeBifilaire(CHoravelDoc& document);
    ~CWizardTypeBifilaire() override;

    bool OnSetActive() override;
    bool OnWizardFinish() override;

    int m_choice = 0;                // radio group 1178
    int m_northSouthHeight = 10;     // edit 1354, mm
    int m_eastWestHeight = 20;       // edit 1355, mm
    int m_declinationDegrees = 0;    // edit 1031
    int m_declinationMinutes = 0;    // edit 1033
    int m_west = 0;                  // radio group 1050: 0 east, 1 west

protected:
    void DoDataExchange(DataExchange& dx) override;

private:
    void UpdateEnabling();

    CHoravelDoc& document_;
};

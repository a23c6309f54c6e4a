#pragma once
// The wizard's page of bifilar dials: horizontal with equiangular wires, vertical declining,
// horizontal with wires at any angle. Unlike the other wizard pages its texts are the
// built-in French ones (it is a plain page). Finish builds the dial.
#include "app/qt/CPropertyPageBase.h"

class CHoravelDoc;

class CWizardTypeBifilaire : public CPropertyPageBase {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 667;

    explicit CWizardTypeBifilaire(CHoravelDoc& document);
    ~CWizardTypeBifilaire() override;

    bool OnSetActive() override;
    bool OnWizardFinish() override;
    void OnHelp() override;

    int m_choice = 0;                // radio group 1178
    int m_northSouthHeight = 10;     // edit 1354, mm
    int m_eastWestHeight = 20;       // edit 1355, mm
    int m_declinationDegrees = 0;    // edit 1031
    int m_declinationMinutes = 0;    // edit 1033
    int m_west = 0;                  // radio group 1050: 0 east, 1 west

protected:
    void DoDataExchange(DataExchange& dx) override;

private:
    CHoravelDoc& document_;
};

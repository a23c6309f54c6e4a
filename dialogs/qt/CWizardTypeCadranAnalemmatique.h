#pragma once
// The wizard's page of analemmatic dials: horizontal or vertical with a straight style,
// horizontal with an inclined style, vertical declining. Finish builds the dial.
#include "app/qt/CTopPropertyPage.h"

class CHoravelDoc;
struct AnalemmaticChoiceValues;

class CWizardTypeCadranAnalemmatique : public CTopPropertyPage {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 214;

    explicit CWizardTypeCadranAnalemmatique(CHoravelDoc& document);
    ~CWizardTypeCadranAnalemmatique() override;

    bool OnSetActive() override;
    bool OnWizardFinish() override;

    int m_choice = 0;                 // radio group 1178
    double m_styleDeclination = 0.0;  // edit 1197, degrees
    double m_styleInclination = 0.0;  // edit 1198, degrees from the vertical
    int m_styleSide = 0;              // radio group 1051: 0 east, 1 west
    int m_wallSide = 0;               // radio group 1050: 0 east, 1 west
    int m_wallDegrees = 0;            // edit 1031
    int m_wallMinutes = 0;            // edit 1033

protected:
    void DoDataExchange(DataExchange& dx) override;

private:
    void UpdateEnabling();
    AnalemmaticChoiceValues Values() const;

    CHoravelDoc& document_;
};

#pragma once
// The wizard's page of plane dials with a polar style: horizontal, vertical (facing the
// equator, west, east, or declining), polar, equatorial upper or lower face, or any
// inclined and declining plane, with the wall's declination and inclination shown on two
// orientation previews. Finish builds the dial.
#include "app/qt/CTopPropertyPage.h"
#include "dialogs/DialTypeChoices.h"

#include <memory>

class CHoravelDoc;
class COrientationPreview;

class CWizardTypeCadranPlanAStylePolaire : public CTopPropertyPage {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 206;
    static constexpr int kDeclinationPreviewId = 2001;
    static constexpr int kInclinationPreviewId = 2008;

    explicit CWizardTypeCadranPlanAStylePolaire(CHoravelDoc& document);
    ~CWizardTypeCadranPlanAStylePolaire() override;

    bool OnSetActive() override;
    bool OnWizardFinish() override;

    // Radio groups 1178 (plane), 1050 (side), 1049 (vertical); edits 1031, 1033
    // (declination), 1032, 1034 (inclination); check 1206 (noon mark).
    PlaneDialChoice m_values;

    // Null until the page was first shown.
    COrientationPreview* DeclinationPreview() const { return declinationPreview_.get(); }
    COrientationPreview* InclinationPreview() const { return inclinationPreview_.get(); }

protected:
    void DoDataExchange(DataExchange& dx) override;

private:
    bool CreatePreviews();
    void UpdateEnabling();
    // The angles of the plane (and vertical) choice, shown in the fields and previews.
    void ApplyPresets();
    void OnPlaneChoice();
    void OnVerticalChoice();
    void OnDeclinationChange();
    void OnInclinationChange();
    void WriteAngleFields();
    void RefreshPreviews();

    CHoravelDoc& document_;
    std::unique_ptr<COrientationPreview> declinationPreview_;
    std::unique_ptr<COrientationPreview> inclinationPreview_;
    // Set while the page writes its own fields, whose change handlers then stand still.
    bool writing_ = false;
};

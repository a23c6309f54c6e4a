#pragma once
// The new-dial wizard that File > New runs: the location page, the family page, then the
// page of the chosen family, whose Finish builds the dial and stores it in the document.
// The sheet holds the location and family pages from the start; the family page adds the
// page of the family chosen and takes it away again when it is shown anew.
#include "app/qt/CWizardSheet.h"

#include <memory>

class CHoravelDoc;
class CWizardLieu;
class CWizardTypeCadran;
class CWizardTypeCadranPlanAStylePolaire;
class CWizardTypeCadranAnalemmatique;
class CWizardTypeCadranCylindrique;
class CWizardTypeBifilaire;

class CWizardCreationCadran : public CWizardSheet {
    Q_OBJECT

public:
    // What the desktop services (and tests) know the wizard by: its first page's template.
    static constexpr int kWizardId = 204;

    explicit CWizardCreationCadran(CHoravelDoc& document, QWidget* parent = nullptr);
    ~CWizardCreationCadran() override;

    CWizardLieu& LocationPage() const { return *location_; }
    CWizardTypeCadran& TypePage() const { return *type_; }
    CWizardTypeCadranPlanAStylePolaire& PlanePage() const { return *plane_; }
    CWizardTypeCadranAnalemmatique& AnalemmaticPage() const { return *analemmatic_; }
    CWizardTypeCadranCylindrique& CylindricalPage() const { return *cylindrical_; }
    CWizardTypeBifilaire& BifilarPage() const { return *bifilar_; }

private:
    // Destroyed in the reverse order of construction, after the sheet has let them go.
    std::unique_ptr<CWizardLieu> location_;
    std::unique_ptr<CWizardTypeCadran> type_;
    std::unique_ptr<CWizardTypeCadranPlanAStylePolaire> plane_;
    std::unique_ptr<CWizardTypeCadranAnalemmatique> analemmatic_;
    std::unique_ptr<CWizardTypeCadranCylindrique> cylindrical_;
    std::unique_ptr<CWizardTypeBifilaire> bifilar_;
};

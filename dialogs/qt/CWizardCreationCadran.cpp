#include "dialogs/qt/CWizardCreationCadran.h"

#include "dialogs/qt/CWizardLieu.h"
#include "dialogs/qt/CWizardTypeBifilaire.h"
#include "dialogs/qt/CWizardTypeCadran.h"
#include "dialogs/qt/CWizardTypeCadranAnalemmatique.h"
#include "dialogs/qt/CWizardTypeCadranCylindrique.h"
#include "dialogs/qt/CWizardTypeCadranPlanAStylePolaire.h"
#include "dialogs/NewDialCommand.h"

CWizardCreationCadran::CWizardCreationCadran(CHoravelDoc& document, QWidget* parent)
    : CWizardSheet({}, parent, kWizardId),
      location_(std::make_unique<CWizardLieu>(document)),
      type_(std::make_unique<CWizardTypeCadran>()),
      plane_(std::make_unique<CWizardTypeCadranPlanAStylePolaire>(document)),
      analemmatic_(std::make_unique<CWizardTypeCadranAnalemmatique>(document)),
      cylindrical_(std::make_unique<CWizardTypeCadranCylindrique>(document)),
      bifilar_(std::make_unique<CWizardTypeBifilaire>(document))
{
    type_->SetFamilyPages({plane_.get(), analemmatic_.get(), cylindrical_.get(), bifilar_.get()});
    AddPage(*location_);
    AddPage(*type_);
}

CWizardCreationCadran::~CWizardCreationCadran()
{
    // The pages leave the sheet before they go, the last one first.
    for (int i = GetPageCount() - 1; i >= 0; --i)
        RemovePage(i);
}


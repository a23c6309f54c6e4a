#include "dialogs/qt/CDlgDimensionsAnalemmatique.h"

CDlgDimensionsAnalemmatique::CDlgDimensionsAnalemmatique(QWidget* parent)
    : CDlgDimensions(kTemplateId, Variant::Analemmatic, parent)
{
}

CDlgDimensionsAnalemmatique::~CDlgDimensionsAnalemmatique() = default;

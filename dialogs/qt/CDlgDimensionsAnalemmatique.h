#pragma once
// The dimensions of an analemmatic dial: the sheet, the ellipse of the hour points, the
// print scale and the margins.
#include "dialogs/qt/CDlgDimensions.h"

class CDlgDimensionsAnalemmatique : public CDlgDimensions {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 215;

    explicit CDlgDimensionsAnalemmatique(QWidget* parent = nullptr);
    ~CDlgDimensionsAnalemmatique() override;
};

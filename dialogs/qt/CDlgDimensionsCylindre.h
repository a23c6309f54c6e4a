#pragma once
// The dimensions of a cylindrical dial: the radius of the cylinder and, for the dials that
// carry one, the length of the style. The sheet follows from them.
#include "app/qt/CTopDialog.h"
#include "dialogs/DimensionFields.h"

class CDlgDimensionsCylindre : public CTopDialog {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 230;

    explicit CDlgDimensionsCylindre(QWidget* parent = nullptr);
    ~CDlgDimensionsCylindre() override;

    // Filled by the caller (the type code included), read after IDOK.
    CylinderFields m_fields;

protected:
    void OnInitDialog() override;
    void DoDataExchange(DataExchange& dx) override;
};

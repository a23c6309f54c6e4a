#pragma once
// The installer's about box.
#include "app/qt/CDialogBase.h"

class CSetupAboutDlg : public CDialogBase {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 100;
    explicit CSetupAboutDlg(QWidget* parent = nullptr);

protected:
    void OnInitDialog() override;
};

#pragma once
// Asks before the check for a newer version, which takes a few seconds.
#include "app/qt/CTopDialog.h"

class CDlgCheckVersion : public CTopDialog {
public:
    static constexpr int kTemplateId = 238;
    explicit CDlgCheckVersion(QWidget* parent = nullptr);
    ~CDlgCheckVersion() override;

protected:
    void OnInitDialog() override;
};

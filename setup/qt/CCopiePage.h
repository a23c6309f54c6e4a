#pragma once
// The copy page: "Installer le logiciel" runs the installation with its progress shown.
#include "setup/qt/CSetupPage.h"

class QProgressBar;

class CCopiePage : public CSetupPage {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 135;
    CCopiePage();

    // The hidden debug flag: install without copying the files.
    int m_skipCopy = 0;

    bool OnSetActive() override;
    void DoDataExchange(DataExchange& dx) override;
    // "Installer le logiciel"; true when the installation went through.
    bool OnInstall();

    QProgressBar* ProgressBar() const { return progress_; }

private:
    QProgressBar* progress_ = nullptr;
};

#pragma once
// The language of the installation (or uninstallation). OK loads the English resources
// when English is chosen; when they cannot be read the installer warns and goes on in French.
#include "app/qt/CDialogBase.h"

#include <filesystem>
#include <vector>

class CLangueDlg : public CDialogBase {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 140;
    explicit CLangueDlg(QWidget* parent = nullptr);

    // 0 English, 1 French.
    int m_langue = 0;
    // 1: the texts speak of uninstalling.
    int m_desinstallation = 0;
    // Where the English resource file is looked for, in order.
    std::vector<std::filesystem::path> m_resourceFolders;

    void DoDataExchange(DataExchange& dx) override;
    void OnOK() override;

protected:
    void OnInitDialog() override;

private:
    void UpdateTexts();
};

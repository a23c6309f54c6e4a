#pragma once
// "Notification de nouvelle version": the running and the available versions with their
// dates, and a button to the page that describes the new one.
#include "app/qt/CTopDialog.h"

#include <string>

class CDlgNewVersion : public CTopDialog {
public:
    static constexpr int kTemplateId = 666;
    explicit CDlgNewVersion(QWidget* parent = nullptr);
    ~CDlgNewVersion() override;

    std::string m_currentDate;
    std::string m_currentVersion;
    std::string m_availableDate;
    std::string m_availableVersion;
    std::string m_link;

    // "En savoir plus sur cette nouvelle version...": opens the link.
    void OnMoreInformation();

protected:
    void OnInitDialog() override;
    void DoDataExchange(DataExchange& dx) override;
};

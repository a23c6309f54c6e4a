#pragma once
// "Recherche dans l'aide en ligne": a word to look for in the help pages; the pages that
// hold it are listed on a page of results opened in the browser.
#include "app/qt/CTopDialog.h"

#include <filesystem>
#include <string>

class CDlgRechercheAide : public CTopDialog {
public:
    static constexpr int kTemplateId = 240;
    explicit CDlgRechercheAide(QWidget* parent = nullptr);
    ~CDlgRechercheAide() override;

    std::string m_keyword;

    // "Rechercher": the search, the page of results opened, and the dialog closed.
    void OnOK() override;

protected:
    void OnInitDialog() override;
    void DoDataExchange(DataExchange& dx) override;
};

// Searches the help folder for the keyword, writes the page of results in the help folder
// (in the data folder when the help folder is read-only) and shows it; false when there was
// nothing to search or the page could not be written or shown.
bool RunHelpSearch(const std::string& keyword);

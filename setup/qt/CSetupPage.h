#pragma once
// The base of the installer's wizard pages: its title in the sheet and its bold title
// static (1019), and its English texts when English was chosen.
#include "app/qt/CPropertyPageBase.h"

#include <string>

class CSetupSheet;
class QLabel;

class CSetupPage : public CPropertyPageBase {
    Q_OBJECT

public:
    static constexpr int kTitleId = 1019;

    // caption: the page's French title; the English resources may give another.
    CSetupPage(int templateId, const std::string& caption);

protected:
    void OnInitDialog() override;
    // The title static, in a bold copy of its own font.
    QLabel* AddTitle(const std::string& text);
    // A static of explanations, wrapped.
    QLabel* AddText(int id, const std::string& text);
    CSetupSheet* Sheet() const;
};

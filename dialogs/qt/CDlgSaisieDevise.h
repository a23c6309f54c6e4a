#pragma once
// The entry of one motto: its text, a comment and its language.
#include "app/qt/CTopDialog.h"

#include <string>

class CDlgSaisieDevise : public CTopDialog {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 199;

    explicit CDlgSaisieDevise(QWidget* parent = nullptr);
    ~CDlgSaisieDevise() override;

    std::string m_text;
    std::string m_comment;
    std::string m_language;

protected:
    void DoDataExchange(DataExchange& dx) override;
};

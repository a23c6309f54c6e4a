#pragma once
// The mottoes of "mottoes.txt", shown one language at a time: the user picks a motto, and
// may add, edit and delete mottoes. OK saves the whole list and hands the chosen motto's
// text to the caller; Cancel forgets every change.
#include "app/qt/CTopDialog.h"
#include "dialogs/MottoesFile.h"

#include <optional>
#include <string>
#include <vector>

class CDlgSelectionDevise : public CTopDialog {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 198;

    explicit CDlgSelectionDevise(QWidget* parent = nullptr);
    ~CDlgSelectionDevise() override;

    // After IDOK: the chosen motto (empty when none was selected).
    std::string m_text;
    std::string m_comment;

    // The records, loaded when the dialog opens.
    const std::vector<CMottoRecord>& Mottoes() const { return mottoes_; }
    // The language shown (empty when none).
    std::string SelectedLanguage() const;

    // The buttons' actions, as a click runs them.
    void OnAdd();
    void OnEdit();
    void OnDelete();
    void OnOK() override;

protected:
    void OnInitDialog() override;

private:
    // The record of the selected row; null when none is selected.
    CMottoRecord* SelectedRecord();
    // Shows the language (added to the combo when missing) and its mottoes, with the
    // record's row selected when given, else the first.
    void ShowLanguage(const std::string& language, const CMottoRecord* select = nullptr);
    // The list of the selected language's mottoes, the row of select (else the first) chosen.
    void FillList(const CMottoRecord* select = nullptr);
    void ShowSelected();
    std::vector<std::string> ComboEntries() const;

    std::vector<CMottoRecord> mottoes_;
};

// The motto chosen with OK; nothing on Cancel or when no motto was selected.
std::optional<std::string> ChooseMotto(QWidget* parent = nullptr);

#pragma once
// "Préférences de langue": the program's language, the language of the help pages and the
// fallback language for texts a translation lacks.
#include "app/qt/CTopDialog.h"

class CDlgPreferencesLangue : public CTopDialog {
public:
    static constexpr int kTemplateId = 224;
    explicit CDlgPreferencesLangue(QWidget* parent = nullptr);
    ~CDlgPreferencesLangue() override;

    int m_fallback = 0;  // 0 French, 1 English: the fallback's language index too
    int m_program = 0;   // language index
    int m_help = 0;      // in: a language index; after the controls are read: the help combo's index

    // The help language as a language index: French, English or Italian by the help combo;
    // the language the dialog was given when the combo shows none.
    int GetHelpLanguage() const;

    // A change of the program combo (also run once at opening).
    void OnProgramLanguageChange();

protected:
    void OnInitDialog() override;
    void DoDataExchange(DataExchange& dx) override;

private:
    int helpLanguageGiven_ = 0;
};

// The main frame's language preferences: given its three choices, the dialog; true on OK
// with the new choices in place.
bool RunLanguagePreferences(int& program, int& fallback, int& help, QWidget* parent);

#pragma once
// The text of a text frame on the dial's page: typed, or inserted from a motto, a zodiac
// sign, the place's name, the dial's type or the geographic position; its font and colour
// are chosen with the font chooser.
//
// OK writes the text into the frame; Cancel leaves the text as it was. The font style and
// a zodiac sign change the frame at once (a sign ends the dialog with OK).
#include "app/qt/CTopDialog.h"

#include <string>

class CObjetTexte;
enum class TextInsertion;

class CDlgCadreTexte : public CTopDialog {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 187;

    CDlgCadreTexte(CObjetTexte& frame, QWidget* parent = nullptr);
    ~CDlgCadreTexte() override;

    std::string m_text;

    // The buttons' actions, as a click runs them.
    void OnStyle();
    void OnMotto();
    void OnZodiacSign();
    void OnInsert(TextInsertion what);
    void OnOK() override;

protected:
    void OnInitDialog() override;
    void DoDataExchange(DataExchange& dx) override;

private:
    CObjetTexte& frame_;
};

// Runs the dialog on the frame; IDOK or IDCANCEL.
int EditTextFrame(CObjetTexte& frame, QWidget* parent = nullptr);
// Text frames are edited with this dialog (with Shift, with the font chooser alone).
void InstallTextFrameEditor();

#pragma once
// A page of a wizard sheet (CWizardSheet), built like a dialog (ControlHost) and told of
// every move of the sheet:
//
//   OnInitDialog     the first time the page is shown: the members go to the controls
//   OnSetActive      every time the page becomes the current page, also coming back with
//                    Back; the base writes the members to the controls again (not the first
//                    time, just after OnInitDialog). false: the page is not shown and the
//                    sheet goes on to the next page in the direction of the move
//   OnWizardNext/Back  the button was pressed: 0 goes to the next (previous) page, -1 stays,
//                    a template id goes to the page of that template
//   OnKillActive     the page is being left by Back or Next; the base reads the controls
//                    with their checks. false: the sheet stays on the page
//   OnWizardFinish   Finish was pressed: true ends the sheet with ID_WIZFINISH
//   OnQueryCancel    Cancel was pressed: false keeps the sheet open
//   OnCancel         the sheet is cancelled (every page that was shown)
//   OnHelp           Help was pressed on this page
#include "app/qt/ControlHost.h"

#include <QWidget>

#include <string>

class CWizardSheet;

class CPropertyPageBase : public QWidget, public ControlHost {
    Q_OBJECT

public:
    // caption: the page's title, which the sheet shows while the page is current.
    CPropertyPageBase(int templateId, std::string caption);
    ~CPropertyPageBase() override;

    // The sheet that holds the page (null when none).
    CWizardSheet* GetParentSheet() const { return sheet_; }

    const std::string& GetTitle() const { return title_; }
    void SetTitle(std::string title);

    // The page has been shown (OnInitDialog has run).
    bool IsInitialised() const { return initialised_; }

    virtual bool OnSetActive();
    virtual bool OnKillActive();
    virtual int OnWizardBack();
    virtual int OnWizardNext();
    virtual bool OnWizardFinish();
    virtual bool OnQueryCancel();
    virtual void OnCancel();
    virtual void OnHelp();

protected:
    virtual void OnInitDialog();

private:
    friend class CWizardSheet;
    void InitPage();

    CWizardSheet* sheet_ = nullptr;
    std::string title_;
    bool initialised_ = false;
    bool firstSetActive_ = true;
};

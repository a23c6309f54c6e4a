#pragma once
// A wizard: a dialog showing one page at a time (CPropertyPageBase) with Back, Next (or
// Finish), Cancel and Help buttons. Pages are owned by the caller and may be added and
// removed while the wizard runs; the page order is the order of adding.
//
// Moving (Back or Next): the current page's OnWizardBack/OnWizardNext chooses the target,
// its OnKillActive may refuse to leave, then the target page is made current and its
// OnSetActive runs; a page refusing activation is skipped in the direction of the move.
// Finish asks the current page's OnWizardFinish and ends the wizard with ID_WIZFINISH;
// Cancel asks OnQueryCancel and ends it with IDCANCEL.
#include "platform/Services.h"

#include <QDialog>
#include <QPointer>

#include <string>
#include <vector>

class CPropertyPageBase;
class QPushButton;
class QStackedWidget;

// Result of a wizard ended by Finish.
inline constexpr int ID_WIZFINISH = 12325;

// Buttons a page enables (SetWizardButtons); Finish takes the place of Next.
enum WizardButtons : unsigned {
    PSWIZB_BACK = 0x1,
    PSWIZB_NEXT = 0x2,
    PSWIZB_FINISH = 0x4,
    PSWIZB_DISABLEDFINISH = 0x8,
};

// Buttons for PressButton.
enum WizardButton : int { PSBTN_BACK = 0, PSBTN_NEXT = 1, PSBTN_FINISH = 2, PSBTN_CANCEL = 5, PSBTN_HELP = 6 };

class CWizardSheet : public QDialog, public ModalDialog {
    Q_OBJECT

public:
    // caption: the window title while the current page has none. id: what the desktop
    // services (and tests) know the wizard by.
    explicit CWizardSheet(std::string caption = {}, QWidget* parent = nullptr, int id = 0);
    ~CWizardSheet() override;

    void AddPage(CPropertyPageBase& page);
    // Removing the current page makes the page now at its place current (no kill-active).
    void RemovePage(CPropertyPageBase& page);
    void RemovePage(int index);
    int GetPageCount() const { return static_cast<int>(pages_.size()); }
    // -1 when the page is not in the wizard.
    int GetPageIndex(const CPropertyPageBase& page) const;
    CPropertyPageBase* GetPage(int index) const;
    CPropertyPageBase* GetActivePage() const { return active_; }
    int GetActiveIndex() const;
    // Makes that page current (its OnSetActive may refuse); the current page is not asked.
    bool SetActivePage(int index);

    void SetWizardButtons(unsigned flags);
    unsigned GetWizardButtons() const { return buttons_; }
    // Acts as a click on the button would, whether or not the button is enabled.
    void PressButton(int button);

    // Runs the wizard modally through the desktop services: ID_WIZFINISH, IDCANCEL, or -1
    // when no page could be shown.
    int DoModal();
    void EndDialog(int result);

    // ModalDialog
    int TemplateId() const override { return id_; }
    int RunModalLoop() override;

    QPushButton* BackButton() const { return back_; }
    QPushButton* NextButton() const { return next_; }
    QPushButton* FinishButton() const { return finish_; }
    QPushButton* CancelButton() const { return cancel_; }
    QPushButton* HelpButton() const { return help_; }

    // The window title: the current page's title, else the caption.
    void UpdateCaption();

protected:
    void reject() override;

private:
    void Back();
    void Next();
    void Finish();
    void Cancel();
    void Help();
    // Leaves the current page for the page at index, then further in direction (+1 or -1)
    // while pages refuse; stays on the current page when none accepts.
    void Move(int index, int direction);
    bool TryActivate(CPropertyPageBase& page);
    int IndexOfTemplate(int templateId) const;
    void Forget(int index);

    std::string caption_;
    int id_;
    std::vector<QPointer<CPropertyPageBase>> pages_;
    CPropertyPageBase* active_ = nullptr;
    unsigned buttons_ = PSWIZB_BACK | PSWIZB_NEXT;
    QStackedWidget* stack_ = nullptr;
    QPushButton* back_ = nullptr;
    QPushButton* next_ = nullptr;
    QPushButton* finish_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* help_ = nullptr;
    bool running_ = false;
    bool ended_ = false;
    int result_ = -1;
};

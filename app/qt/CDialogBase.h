#pragma once
// A dialog of the program: built in code with Qt layouts, its controls found by numeric
// control id (ControlHost), run modally through the desktop services so that tests can
// answer it, with the life of a desktop dialog:
//
//   opening   OnInitDialog: the members are written to the controls (UpdateData(false))
//   OK        OnOK: the controls are read back with their checks; a failed check keeps the
//             dialog open, else it ends with IDOK
//   Cancel    OnCancel (also Escape and the close box): it ends with IDCANCEL
//   Help      OnHelp
//
// A dialog may end itself while it opens (EndDialog in OnInitDialog): it is then not shown
// and DoModal returns that result at once.
#include "app/qt/ControlHost.h"
#include "platform/Services.h"

#include <QDialog>

#include <string>

class QLayout;
class QPushButton;

class CDialogBase : public QDialog, public ModalDialog, public ControlHost {
    Q_OBJECT

public:
    // Buttons of the standard row (SetDialogLayout).
    enum StandardButtons : unsigned { kOk = 1, kCancel = 2, kHelp = 4 };

    // templateId -1: a dialog without template (no help page, no texts to translate).
    explicit CDialogBase(int templateId, QWidget* parent = nullptr);
    ~CDialogBase() override;

    // Runs the dialog modally through the desktop services; IDOK, IDCANCEL, the result given
    // to EndDialog, or -1 when it could not be shown.
    int DoModal();
    // Opens the dialog modeless; false when it ended itself while opening.
    bool Create();
    // Ends the dialog (modal or modeless) with that result.
    void EndDialog(int result);
    // The result of the last run (-1 before any).
    int GetDialogResult() const { return result_; }
    bool IsOpen() const { return state_ == State::Open; }

    std::string GetTitle() const;
    void SetTitle(const std::string& title);

    // The dialog's layout: body above a row of the standard buttons, aligned right: OK
    // (IDOK, the default button), Cancel (IDCANCEL) and Help (ID_HELP), as asked.
    void SetDialogLayout(QLayout* body, unsigned buttons = kOk | kCancel | kHelp);

    // ModalDialog
    int TemplateId() const override { return GetTemplateId(); }
    int RunModalLoop() override;

    // The buttons' actions, as a click would run them.
    virtual void OnOK();
    virtual void OnCancel();
    virtual void OnHelp();

protected:
    virtual void OnInitDialog();
    // Runs before OnInitDialog each time the dialog opens; false: the dialog cannot be shown.
    virtual bool PrepareWindow() { return true; }

    void accept() override;
    void reject() override;

private:
    enum class State { Closed, Opening, EndedWhileOpening, Open };
    bool Open();

    State state_ = State::Closed;
    int result_ = -1;
};

#include "app/qt/CDialogBase.h"

#include "app/Translation.h"
#include "app/qt/DialogControls.h"

#include <QBoxLayout>
#include <QPushButton>

CDialogBase::CDialogBase(int templateId, QWidget* parent) : QDialog(parent), ControlHost(*this, templateId) {}

CDialogBase::~CDialogBase() = default;

int CDialogBase::DoModal() { return GetServices().DoModal(*this); }

int CDialogBase::RunModalLoop()
{
    if (!Open())
        return result_;
    result_ = exec();
    state_ = State::Closed;
    return result_;
}

bool CDialogBase::Create()
{
    if (!Open())
        return false;
    show();
    return true;
}

bool CDialogBase::Open()
{
    result_ = -1;
    if (!PrepareWindow()) {
        state_ = State::Closed;
        return false;
    }
    state_ = State::Opening;
    OnInitDialog();
    if (state_ == State::EndedWhileOpening) {
        state_ = State::Closed;
        return false;
    }
    state_ = State::Open;
    return true;
}

void CDialogBase::EndDialog(int result)
{
    result_ = result;
    if (state_ == State::Opening) {
        state_ = State::EndedWhileOpening;
    } else if (state_ == State::Open) {
        state_ = State::Closed;
        QDialog::done(result);
    }
}

std::string CDialogBase::GetTitle() const { return windowTitle().toStdString(); }

void CDialogBase::SetTitle(const std::string& title) { setWindowTitle(QString::fromStdString(title)); }

void CDialogBase::SetDialogLayout(QLayout* body, unsigned buttons)
{
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    if (buttons & kOk) {
        QPushButton* ok = AddButton(IDOK, GetTranslatedString(61700));
        ok->setDefault(true);
        row->addWidget(ok);
        OnClicked(IDOK, [this] { OnOK(); });
    }
    if (buttons & kCancel) {
        row->addWidget(AddButton(IDCANCEL, GetTranslatedString(61701)));
        OnClicked(IDCANCEL, [this] { OnCancel(); });
    }
    if (buttons & kHelp) {
        row->addWidget(AddButton(ID_HELP, GetTranslatedString(61702)));
        OnClicked(ID_HELP, [this] { OnHelp(); });
    }
    auto* whole = new QVBoxLayout(this);
    if (body)
        whole->addLayout(body);
    whole->addLayout(row);
}

void CDialogBase::OnInitDialog() { UpdateData(false); }

void CDialogBase::OnOK()
{
    if (UpdateData(true))
        EndDialog(IDOK);
}

void CDialogBase::OnCancel() { EndDialog(IDCANCEL); }

void CDialogBase::OnHelp() {}

void CDialogBase::accept() { OnOK(); }

void CDialogBase::reject() { OnCancel(); }

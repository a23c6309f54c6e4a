#include "app/qt/CWizardSheet.h"

#include "app/Translation.h"
#include "app/qt/CPropertyPageBase.h"

#include <QBoxLayout>
#include <QFrame>
#include <QPushButton>
#include <QStackedWidget>

namespace {

QPushButton* MakeButton(QWidget* parent, const std::string& text, QBoxLayout& row)
{
    auto* button = new QPushButton(QString::fromStdString(text), parent);
    row.addWidget(button);
    return button;
}

}  // namespace

CWizardSheet::CWizardSheet(std::string caption, QWidget* parent, int id)
    : QDialog(parent), caption_(std::move(caption)), id_(id)
{
    stack_ = new QStackedWidget(this);
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    auto* row = new QHBoxLayout;
    row->addStretch(1);
    back_ = MakeButton(this, GetTranslatedString(61703), *row);
    next_ = MakeButton(this, GetTranslatedString(61704), *row);
    finish_ = MakeButton(this, GetTranslatedString(61705), *row);
    row->addSpacing(12);
    cancel_ = MakeButton(this, GetTranslatedString(61701), *row);
    help_ = MakeButton(this, GetTranslatedString(61702), *row);
    connect(back_, &QPushButton::clicked, this, [this] { Back(); });
    connect(next_, &QPushButton::clicked, this, [this] { Next(); });
    connect(finish_, &QPushButton::clicked, this, [this] { Finish(); });
    connect(cancel_, &QPushButton::clicked, this, [this] { Cancel(); });
    connect(help_, &QPushButton::clicked, this, [this] { Help(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(stack_, 1);
    layout->addWidget(line);
    layout->addLayout(row);
    SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    UpdateCaption();
}

CWizardSheet::~CWizardSheet()
{
    // The pages belong to their owners: they leave the stack before it goes.
    while (!pages_.empty())
        Forget(static_cast<int>(pages_.size()) - 1);
}

void CWizardSheet::AddPage(CPropertyPageBase& page)
{
    if (GetPageIndex(page) >= 0)
        return;
    if (page.sheet_)
        page.sheet_->RemovePage(page);
    pages_.emplace_back(&page);
    stack_->addWidget(&page);
    page.sheet_ = this;
}

void CWizardSheet::RemovePage(CPropertyPageBase& page)
{
    const int index = GetPageIndex(page);
    if (index >= 0)
        Forget(index);
}

void CWizardSheet::RemovePage(int index)
{
    if (index >= 0 && index < GetPageCount())
        Forget(index);
}

void CWizardSheet::Forget(int index)
{
    QPointer<CPropertyPageBase> page = pages_[static_cast<std::size_t>(index)];
    pages_.erase(pages_.begin() + index);
    if (!page)
        return;
    const bool wasActive = page == active_;
    stack_->removeWidget(page);
    page->setParent(nullptr);
    page->sheet_ = nullptr;
    if (!wasActive)
        return;
    active_ = nullptr;
    if (running_ && !pages_.empty()) {
        const int next = std::min(index, GetPageCount() - 1);
        if (CPropertyPageBase* replacement = GetPage(next))
            TryActivate(*replacement);
    }
    UpdateCaption();
}

int CWizardSheet::GetPageIndex(const CPropertyPageBase& page) const
{
    for (std::size_t i = 0; i < pages_.size(); ++i)
        if (pages_[i] == &page)
            return static_cast<int>(i);
    return -1;
}

CPropertyPageBase* CWizardSheet::GetPage(int index) const
{
    return index >= 0 && index < GetPageCount() ? pages_[static_cast<std::size_t>(index)].data() : nullptr;
}

int CWizardSheet::GetActiveIndex() const { return active_ ? GetPageIndex(*active_) : -1; }

bool CWizardSheet::SetActivePage(int index)
{
    CPropertyPageBase* page = GetPage(index);
    return page && TryActivate(*page);
}

bool CWizardSheet::TryActivate(CPropertyPageBase& page)
{
    QPointer<CPropertyPageBase> previous = active_;
    active_ = &page;
    stack_->setCurrentWidget(&page);
    page.InitPage();
    if (page.OnSetActive() && GetPageIndex(page) >= 0) {
        UpdateCaption();
        return true;
    }
    active_ = previous && GetPageIndex(*previous) >= 0 ? previous.data() : nullptr;
    if (active_)
        stack_->setCurrentWidget(active_);
    UpdateCaption();
    return false;
}

int CWizardSheet::IndexOfTemplate(int templateId) const
{
    for (std::size_t i = 0; i < pages_.size(); ++i)
        if (pages_[i] && pages_[i]->GetTemplateId() == templateId)
            return static_cast<int>(i);
    return -1;
}

void CWizardSheet::Move(int index, int direction)
{
    const CPropertyPageBase* current = active_;
    for (int i = index; i >= 0 && i < GetPageCount(); i += direction) {
        CPropertyPageBase* page = GetPage(i);
        if (page && page != current && TryActivate(*page))
            return;
    }
}

void CWizardSheet::Back()
{
    if (!active_)
        return;
    CPropertyPageBase& page = *active_;
    const int choice = page.OnWizardBack();
    if (choice == -1)
        return;
    const int target = choice == 0 ? GetPageIndex(page) - 1 : IndexOfTemplate(choice);
    if (target < 0 || !page.OnKillActive())
        return;
    Move(target, -1);
}

void CWizardSheet::Next()
{
    if (!active_)
        return;
    CPropertyPageBase& page = *active_;
    const int choice = page.OnWizardNext();
    if (choice == -1)
        return;
    const int target = choice == 0 ? GetPageIndex(page) + 1 : IndexOfTemplate(choice);
    if (target < 0 || !page.OnKillActive())
        return;
    Move(target, +1);
}

void CWizardSheet::Finish()
{
    if (active_ && active_->OnWizardFinish())
        EndDialog(ID_WIZFINISH);
}

void CWizardSheet::Cancel()
{
    if (active_ && !active_->OnQueryCancel())
        return;
    for (const auto& page : pages_)
        if (page && page->IsInitialised())
            page->OnCancel();
    EndDialog(IDCANCEL);
}

void CWizardSheet::Help()
{
    if (active_)
        active_->OnHelp();
}

void CWizardSheet::reject() { Cancel(); }

void CWizardSheet::SetWizardButtons(unsigned flags)
{
    buttons_ = flags;
    const bool finishing = flags & (PSWIZB_FINISH | PSWIZB_DISABLEDFINISH);
    QPushButton* shown = finishing ? finish_ : next_;
    QPushButton* hidden = finishing ? next_ : finish_;
    // The focus on Next or Finish stays on the one shown, or on the page when it is disabled:
    // left to itself, it would fall to Cancel, and the next Enter would throw the wizard away.
    const bool hadFocus = next_->hasFocus() || finish_->hasFocus();
    back_->setEnabled(flags & PSWIZB_BACK);
    next_->setEnabled(flags & PSWIZB_NEXT);
    finish_->setEnabled(flags & PSWIZB_FINISH);
    shown->setVisible(true);
    if (hadFocus && shown->isEnabled())
        shown->setFocus();
    else if (hadFocus && active_)
        active_->setFocus();
    hidden->setVisible(false);
    shown->setDefault(true);
    hidden->setDefault(false);
}

void CWizardSheet::PressButton(int button)
{
    switch (button) {
    case PSBTN_BACK: Back(); break;
    case PSBTN_NEXT: Next(); break;
    case PSBTN_FINISH: Finish(); break;
    case PSBTN_CANCEL: Cancel(); break;
    case PSBTN_HELP: Help(); break;
    default: break;
    }
}

int CWizardSheet::DoModal() { return GetServices().DoModal(*this); }

void CWizardSheet::EndDialog(int result)
{
    result_ = result;
    ended_ = true;
    if (running_ && isVisible())
        QDialog::done(result);
}

int CWizardSheet::RunModalLoop()
{
    result_ = -1;
    ended_ = false;
    running_ = true;
    active_ = nullptr;
    Move(0, +1);
    if (!active_ || ended_) {
        running_ = false;
        return active_ ? result_ : -1;
    }
    const int result = exec();
    running_ = false;
    result_ = result;
    return result;
}

void CWizardSheet::UpdateCaption()
{
    const std::string& title = active_ && !active_->GetTitle().empty() ? active_->GetTitle() : caption_;
    setWindowTitle(QString::fromStdString(title));
}

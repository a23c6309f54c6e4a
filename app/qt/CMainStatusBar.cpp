#include "app/qt/CMainStatusBar.h"

#include "app/FramePrompts.h"
#include "app/Translation.h"

#include <QLabel>
#include <QTimer>

namespace {

QString Utf8(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

CMainStatusBar::CMainStatusBar(QWidget* parent) : QStatusBar(parent)
{
    for (auto& pane : panes_) {
        pane = new QLabel(this);
        pane->setAlignment(Qt::AlignCenter);
        pane->setFrameShape(QFrame::Panel);
        pane->setFrameShadow(QFrame::Sunken);
        addPermanentWidget(pane);
    }
    Retranslate();
    if (locks_.CanRead()) {
        poll_ = new QTimer(this);
        poll_->setInterval(kLockPollMs);
        connect(poll_, &QTimer::timeout, this, [this] { UpdateLocks(); });
        poll_->start();
    }
    UpdateLocks();
}

CMainStatusBar::~CMainStatusBar() = default;

void CMainStatusBar::SetText(const std::string& text) { showMessage(Utf8(StatusBarText(text))); }

void CMainStatusBar::ShowIdle() { showMessage(Utf8(GetTranslatedString(57345))); }

void CMainStatusBar::Retranslate()
{
    // Each pane is as wide as its text, so the bar does not move when a key changes.
    for (size_t i = 0; i < panes_.size(); ++i) {
        const QString text = Utf8(GetTranslatedString(kIndicators[i]));
        panes_[i]->setMinimumWidth(panes_[i]->fontMetrics().horizontalAdvance(text) + 12);
    }
    UpdateLocks();
    ShowIdle();
}

void CMainStatusBar::UpdateLocks()
{
    const auto state = locks_.Read();
    const bool on[3] = {state && state->caps, state && state->num, state && state->scroll};
    for (size_t i = 0; i < panes_.size(); ++i)
        panes_[i]->setText(on[i] ? Utf8(GetTranslatedString(kIndicators[i])) : QString());
}

QString CMainStatusBar::PaneText(int index) const { return panes_.at(static_cast<size_t>(index))->text(); }

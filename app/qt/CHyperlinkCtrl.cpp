#include "app/qt/CHyperlinkCtrl.h"

#include "app/HelpEntry.h"
#include "app/HelpPages.h"
#include "app/Translation.h"
#include "app/qt/DialogControls.h"
#include "platform/Services.h"
#include "platform/qt/QtDC.h"

#include <QEnterEvent>
#include <QEvent>
#include <QLayout>
#include <QMouseEvent>

#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

namespace {

gdi::COLORREF FromQColor(const QColor& color) { return gdi::RGB(color.red(), color.green(), color.blue()); }

// The layout (of the parent's, at any depth) that holds the widget directly.
QLayout* LayoutHolding(QLayout* layout, const QWidget* widget)
{
    if (!layout)
        return nullptr;
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem* item = layout->itemAt(i);
        if (item->widget() == widget)
            return layout;
        if (QLayout* found = LayoutHolding(item->layout(), widget))
            return found;
    }
    return nullptr;
}

// Results of GotoURL.
constexpr int kOpened = 33;
constexpr int kFileNotFound = 2;
constexpr int kAccessDenied = 5;
constexpr int kNoAssociation = 31;

}  // namespace

CHyperlinkCtrl::CHyperlinkCtrl(QWidget* parent)
    : QLabel(parent), hoverColour_(FromQColor(palette().color(QPalette::Highlight)))
{
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    SetNoPrefix(*this);
    ApplyColour();
}

CHyperlinkCtrl::~CHyperlinkCtrl() = default;

void CHyperlinkCtrl::SetURL(const std::string& url)
{
    url_ = url;
    PositionWindow();
    setToolTip(QString::fromStdString(url_));
}

void CHyperlinkCtrl::SetColours(gdi::COLORREF link, gdi::COLORREF visited, gdi::COLORREF hover)
{
    linkColour_ = link;
    visitedColour_ = visited;
    hoverColour_ = hover == kSystemHighlight ? FromQColor(palette().color(QPalette::Highlight)) : hover;
    ApplyColour();
}

void CHyperlinkCtrl::SetVisited(bool visited)
{
    visited_ = visited;
    ApplyColour();
}

void CHyperlinkCtrl::SetUnderline(bool underline)
{
    underline_ = underline;
    ApplyFont();
    PositionWindow();
}

void CHyperlinkCtrl::SetAutoSize(bool autoSize)
{
    autoSize_ = autoSize;
    if (!autoSize_)
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    PositionWindow();
}

void CHyperlinkCtrl::SetLinkCursor(std::optional<QCursor> cursor)
{
    linkCursor_ = std::move(cursor);
    if (linkCursor_)
        setCursor(*linkCursor_);
    else
        SetDefaultCursor();
}

QCursor CHyperlinkCtrl::GetLinkCursor() const { return linkCursor_.value_or(cursor()); }

gdi::COLORREF CHyperlinkCtrl::GetTextColour() const
{
    return hovering_ ? hoverColour_ : visited_ ? visitedColour_ : linkColour_;
}

void CHyperlinkCtrl::PreSubclassWindow()
{
    if (subclassed_)
        return;
    subclassed_ = true;
    const std::string text = GetControlText(*this);
    if (url_.empty())
        url_ = text;
    if (text.empty())
        SetControlText(*this, url_);
    ApplyFont();
    PositionWindow();
    SetDefaultCursor();
    setToolTip(QString::fromStdString(url_));
    ApplyColour();
}

void CHyperlinkCtrl::ApplyColour()
{
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, gdi::ToQColor(GetTextColour()));
    setPalette(colours);
    update();
}

void CHyperlinkCtrl::ApplyFont()
{
    // Only the underline is the control's own: face and size still follow the dialog.
    QFont font;
    font.setUnderline(underline_);
    setFont(font);
    update();
}

void CHyperlinkCtrl::PositionWindow()
{
    if (!autoSize_ || !subclassed_)
        return;
    const Qt::Alignment horizontal = alignment() & (Qt::AlignHCenter | Qt::AlignRight);
    const Qt::Alignment vertical = alignment() & Qt::AlignVCenter ? Qt::AlignVCenter : Qt::AlignTop;
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    if (QLayout* layout = LayoutHolding(parentWidget() ? parentWidget()->layout() : nullptr, this)) {
        layout->setAlignment(this, (horizontal ? horizontal : Qt::AlignLeft) | vertical);
        updateGeometry();
        return;
    }
    // Not in a layout: shrink the rectangle to the text by the alignment.
    QRect rect = geometry();
    const QSize text = sizeHint();
    if (vertical == Qt::AlignVCenter)
        rect.adjust(0, (rect.height() - text.height()) / 2, 0, 0);
    rect.setHeight(text.height());
    if (horizontal & Qt::AlignHCenter)
        rect.adjust((rect.width() - text.width()) / 2, 0, 0, 0);
    else if (horizontal & Qt::AlignRight)
        rect.setLeft(rect.right() + 1 - text.width());
    rect.setWidth(text.width());
    setGeometry(rect);
}

void CHyperlinkCtrl::SetDefaultCursor()
{
    if (!linkCursor_)
        linkCursor_ = QCursor(Qt::PointingHandCursor);
    setCursor(*linkCursor_);
}

bool CHyperlinkCtrl::event(QEvent* event)
{
    if (event->type() == QEvent::Polish)
        PreSubclassWindow();
    return QLabel::event(event);
}

void CHyperlinkCtrl::enterEvent(QEnterEvent* event)
{
    QLabel::enterEvent(event);
    if (!hovering_) {
        hovering_ = true;
        ApplyColour();
    }
}

void CHyperlinkCtrl::leaveEvent(QEvent* event)
{
    QLabel::leaveEvent(event);
    if (hovering_) {
        hovering_ = false;
        ApplyColour();
    }
}

void CHyperlinkCtrl::mousePressEvent(QMouseEvent* event)
{
    QLabel::mousePressEvent(event);
    pressed_ = event->button() == Qt::LeftButton;
}

void CHyperlinkCtrl::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click)
        Click();
}

void CHyperlinkCtrl::Click()
{
    const int result = GotoURL(url_);
    if (result > kOpenedThreshold) {
        SetVisited(true);
        return;
    }
    SetVisited(false);
    GetServices().Beep();
    ReportError(result);
}

int CHyperlinkCtrl::GotoURL(const std::string& url)
{
    std::vector<fs::path> folders;
    if (!GetHelpFolderPath().empty())
        folders.push_back(GetHelpFolderPath());
    const std::optional<ShellTarget> target = ResolveShellTarget(url, folders);
    if (!target) {
        std::error_code ec;
        if (url.empty() || (url.front() == '/' && !fs::exists(fs::path(url), ec)))
            return kFileNotFound;
        return kAccessDenied;
    }
    // A help page the desktop cannot open is shown in the program's own help window.
    const bool opened = target->isFile ? ShowLocalPage(target->file) : GetServices().ShellOpen(url);
    return opened ? kOpened : kNoAssociation;
}

std::string CHyperlinkCtrl::ErrorText(int code)
{
    switch (code) {
    case 0: return GetTranslatedString(61901);
    case 2: return GetTranslatedString(61902);
    case 3: return GetTranslatedString(61903);
    case 5: return GetTranslatedString(61904);
    case 8: return GetTranslatedString(61905);
    case 11: return GetTranslatedString(61906);
    case 26: return GetTranslatedString(61907);
    case 27: return GetTranslatedString(61908);
    case 28: return GetTranslatedString(61909);
    case 29: return GetTranslatedString(61910);
    case 30: return GetTranslatedString(61911);
    case 31: return GetTranslatedString(61912);
    case 32: return GetTranslatedString(61913);
    default: break;
    }
    std::string text = GetTranslatedString(61914);
    if (const auto mark = text.find("%d"); mark != std::string::npos)
        text.replace(mark, 2, std::to_string(code));
    return text;
}

void CHyperlinkCtrl::ReportError(int code)
{
    GetServices().MessageBox(GetTranslatedString(61900) + ErrorText(code), "", MB_OK | MB_ICONEXCLAMATION);
}

#include "platform/qt/HelpWindow.h"

#include "platform/Services.h"

#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHash>
#include <QImage>
#include <QPixmap>
#include <QResizeEvent>
#include <QStyle>
#include <QTextBlock>
#include <QAbstractTextDocumentLayout>
#include <QTextCursor>
#include <QTextFrame>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QTextLayout>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

bool IsTextFile(const QUrl& url)
{
    return url.isLocalFile() && url.path().endsWith(QLatin1String(".txt"), Qt::CaseInsensitive);
}

// The browser of the help window: text files shown as text, and pictures no wider than the
// window.
class HelpBrowser : public QTextBrowser {
public:
    explicit HelpBrowser(QWidget* parent) : QTextBrowser(parent)
    {
        // The sizes the browser gives the pictures are not edits to undo.
        document()->setUndoRedoEnabled(false);
        QObject::connect(this, &QTextBrowser::sourceChanged, this, [this] {
            originals_.clear();
            FitPictures();
        });
    }

    QVariant loadResource(int type, const QUrl& name) override
    {
        if (type != QTextDocument::HtmlResource || !IsTextFile(name))
            return QTextBrowser::loadResource(type, name);
        // As preformatted text, so that its lines and columns stay as written.
        QFile file(name.toLocalFile());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QStringLiteral("<html><head><title>") + QFileInfo(file).fileName().toHtmlEscaped() +
               QStringLiteral("</title></head><body><pre>") + QString::fromUtf8(file.readAll()).toHtmlEscaped() +
               QStringLiteral("</pre></body></html>");
    }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QTextBrowser::resizeEvent(event);
        if (event->size().width() != event->oldSize().width())
            FitPictures();
    }

private:
    struct PictureChange {
        int position = 0;
        int length = 0;
        QTextImageFormat format;
    };

    // The picture as its file gives it (null when it cannot be read).
    const QImage& Original(const QUrl& url)
    {
        auto it = originals_.find(url);
        if (it == originals_.end()) {
            QImage image;
            const QVariant data = QTextBrowser::loadResource(QTextDocument::ImageResource, url);
            if (data.userType() == QMetaType::QByteArray)
                image.loadFromData(data.toByteArray());
            else if (data.canConvert<QImage>())
                image = data.value<QImage>();
            it = originals_.insert(url, image);
        }
        return *it;
    }

    // The width the page leaves a picture at the text position: from where its line starts
    // to the right margins of its paragraph and of the page; 0 before the page is laid out.
    int RoomAt(const QTextBlock& block, int position)
    {
        QTextDocument* const doc = document();
        const QRectF box = doc->documentLayout()->blockBoundingRect(block);  // lays the block out
        const QTextLine line = block.layout()->lineForTextPosition(position - block.position());
        if (!line.isValid() || doc->textWidth() <= 0)
            return 0;
        const QTextFrameFormat page = doc->rootFrame()->frameFormat();
        const double right = doc->textWidth() - page.rightMargin() - page.padding() - page.border() -
                             block.blockFormat().rightMargin();
        return static_cast<int>(std::floor(right - box.left() - line.x()));
    }

    // Every picture of the page at its own size, or narrowed to the width its line leaves it
    // in the window, with its height in proportion, smoothly scaled.
    void FitPictures()
    {
        QTextDocument* const doc = document();
        const qreal ratio = devicePixelRatioF();
        std::vector<PictureChange> changes;
        for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextFragment fragment = it.fragment();
                QTextImageFormat format = fragment.charFormat().toImageFormat();
                if (!format.isValid())
                    continue;
                const QUrl url = doc->baseUrl().resolved(QUrl(format.name()));
                const QImage& original = Original(url);
                if (original.isNull())
                    continue;
                QSize size = original.size();
                QImage shown = original;
                const int room = RoomAt(block, fragment.position());
                if (room > 0 && size.width() > room) {
                    const double height = static_cast<double>(original.height()) * room / original.width();
                    size = QSize(room, std::max(1, static_cast<int>(std::lround(height))));
                    const int pixels = std::min(original.width(), static_cast<int>(std::lround(room * ratio)));
                    shown = original.scaledToWidth(pixels, Qt::SmoothTransformation);
                    shown.setDevicePixelRatio(static_cast<qreal>(pixels) / room);
                }
                doc->addResource(QTextDocument::ImageResource, url, QPixmap::fromImage(shown));
                if (format.width() == size.width() && format.height() == size.height())
                    continue;
                format.setWidth(size.width());
                format.setHeight(size.height());
                changes.push_back({fragment.position(), fragment.length(), format});
            }
        }
        QTextCursor cursor(doc);
        for (const PictureChange& change : changes) {
            cursor.setPosition(change.position);
            cursor.setPosition(change.position + change.length, QTextCursor::KeepAnchor);
            cursor.setCharFormat(change.format);
        }
    }

    QHash<QUrl, QImage> originals_;
};

QToolButton* MakeHistoryButton(QWidget& parent, QStyle::StandardPixmap icon, const std::string& text)
{
    auto* button = new QToolButton(&parent);
    button->setIcon(parent.style()->standardIcon(icon));
    button->setText(QString::fromStdString(text));
    button->setToolTip(button->text());
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setAutoRaise(true);
    button->setEnabled(false);  // until there is a page to go to
    return button;
}

}  // namespace

HelpWindow::HelpWindow(Services& services, QWidget* parent, const HelpWindowTexts& texts)
    : QWidget(parent, Qt::Window), services_(services)
{
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(4, 2, 4, 2);
    back_ = MakeHistoryButton(*this, QStyle::SP_ArrowBack, texts.back);
    forward_ = MakeHistoryButton(*this, QStyle::SP_ArrowForward, texts.forward);
    buttons->addWidget(back_);
    buttons->addWidget(forward_);
    buttons->addStretch(1);
    layout->addLayout(buttons);

    browser_ = new HelpBrowser(this);
    // Every link comes here first, so that none leaves the allowed folders.
    browser_->setOpenLinks(false);
    layout->addWidget(browser_);
    QObject::connect(browser_, &QTextBrowser::anchorClicked, this, [this](const QUrl& link) { OnLink(link); });
    QObject::connect(browser_, &QTextBrowser::sourceChanged, this,
                     [this] { setWindowTitle(browser_->documentTitle()); });
    QObject::connect(back_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
    QObject::connect(forward_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
    QObject::connect(browser_, &QTextBrowser::backwardAvailable, back_, &QWidget::setEnabled);
    QObject::connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QWidget::setEnabled);
    // Wide enough for the 700-pixel pictures of the pages at their own size.
    resize(800, 640);
}

bool HelpWindow::ShowPage(const std::filesystem::path& page)
{
    const QUrl url = QUrl::fromLocalFile(QString::fromStdString(page.string()));
    if (!IsAllowedFile(url))
        return false;
    // Shown again, a text file is read again: the trace file grows while the program runs.
    if (browser_->source() == url)
        browser_->reload();
    else
        browser_->setSource(url);
    if (!isVisible() && parentWidget())
        move(parentWidget()->window()->geometry().center() - rect().center());
    show();
    raise();
    activateWindow();
    return true;
}

void HelpWindow::OnLink(const QUrl& link)
{
    const QUrl target = browser_->source().resolved(link);
    if (target.isLocalFile()) {
        if (IsAllowedFile(target))
            browser_->setSource(target);
        return;
    }
    // Encoded, as the shell expects a link: a decoded blank would be refused.
    services_.ShellOpen(target.toString(QUrl::FullyEncoded).toStdString());
}

bool HelpWindow::IsAllowedFile(const QUrl& url) const
{
    if (!url.isLocalFile())
        return false;
    const std::optional<ShellTarget> target =
        ResolveShellTarget(url.toLocalFile().toStdString(), services_.ShellOpenFolders());
    return target && target->isFile;
}

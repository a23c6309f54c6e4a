#include "platform/qt/HelpWindow.h"

#include "platform/Services.h"

#include <QFile>
#include <QFileInfo>
#include <QVBoxLayout>

namespace {

bool IsTextFile(const QUrl& url)
{
    return url.isLocalFile() && url.path().endsWith(QLatin1String(".txt"), Qt::CaseInsensitive);
}

// The browser of the help window: text files shown as text.
class HelpBrowser : public QTextBrowser {
public:
    explicit HelpBrowser(QWidget* parent) : QTextBrowser(parent) {}

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
};

}  // namespace

HelpWindow::HelpWindow(Services& services, QWidget* parent) : QWidget(parent, Qt::Window), services_(services)
{
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    browser_ = new HelpBrowser(this);
    // Every link comes here first, so that none leaves the allowed folders.
    browser_->setOpenLinks(false);
    layout->addWidget(browser_);
    QObject::connect(browser_, &QTextBrowser::anchorClicked, this, [this](const QUrl& link) { OnLink(link); });
    QObject::connect(browser_, &QTextBrowser::sourceChanged, this,
                     [this] { setWindowTitle(browser_->documentTitle()); });
    // Wide enough for the 700-pixel pictures of the pages without a horizontal scroll bar.
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

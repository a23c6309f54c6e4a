#include "platform/qt/QtServices.h"

#include "platform/qt/HelpWindow.h"
#include "platform/qt/PrintSetupDialog.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QColorDialog>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QFileDialog>
#include <QFontDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QImage>
#include <QMessageBox>
#include <QMimeData>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPageLayout>
#include <QPixmap>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <map>

namespace fs = std::filesystem;

namespace {

QString ToQ(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QColor ToQColor(gdi::COLORREF c) { return QColor(gdi::GetRValue(c), gdi::GetGValue(c), gdi::GetBValue(c)); }

gdi::COLORREF FromQColor(const QColor& c) { return gdi::RGB(c.red(), c.green(), c.blue()); }

QMessageBox::StandardButton ButtonFor(int answer)
{
    switch (answer) {
    case IDOK: return QMessageBox::Ok;
    case IDCANCEL: return QMessageBox::Cancel;
    case IDABORT: return QMessageBox::Abort;
    case IDRETRY: return QMessageBox::Retry;
    case IDIGNORE: return QMessageBox::Ignore;
    case IDYES: return QMessageBox::Yes;
    case IDNO: return QMessageBox::No;
    default: return QMessageBox::NoButton;
    }
}

QMessageBox::Icon IconFor(unsigned type)
{
    switch (type & MB_ICONMASK) {
    case MB_ICONERROR: return QMessageBox::Critical;
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONWARNING: return QMessageBox::Warning;
    case MB_ICONINFORMATION: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

HttpFailure FailureFor(QNetworkReply::NetworkError error)
{
    switch (error) {
    case QNetworkReply::NoError: return HttpFailure::None;
    case QNetworkReply::HostNotFoundError: return HttpFailure::HostNotFound;
    case QNetworkReply::TimeoutError: return HttpFailure::Timeout;
    case QNetworkReply::ConnectionRefusedError:
    case QNetworkReply::RemoteHostClosedError:
    case QNetworkReply::NetworkSessionFailedError:
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::UnknownNetworkError:
    case QNetworkReply::ProxyConnectionRefusedError:
    case QNetworkReply::ProxyConnectionClosedError:
    case QNetworkReply::ProxyNotFoundError:
    case QNetworkReply::ProxyTimeoutError:
        return HttpFailure::ConnectionFailed;
    case QNetworkReply::ProtocolUnknownError: return HttpFailure::InvalidUrl;
    default: return HttpFailure::Other;
    }
}

}  // namespace

QtServices::QtServices(QWidget* dialogParent)
    : parent_(dialogParent), opener_([](const QUrl& url) { return QDesktopServices::openUrl(url); })
{
}

QtServices::~QtServices()
{
    while (waitDepth_ > 0)
        EndWaitCursor();
}

// ---------------------------------------------------------------------------------------
// Message boxes and dialogs

int QtServices::MessageBox(const std::string& text, const std::string& caption, unsigned type, unsigned helpId)
{
    QMessageBox box(parent_.data());
    box.setWindowTitle(caption.empty() ? QStringLiteral("Horavel") : ToQ(caption));
    box.setTextFormat(Qt::PlainText);  // file and place names are never markup
    box.setText(ToQ(text));
    // Names and addresses in a message can be copied from it.
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    box.setIcon(IconFor(type));
    std::map<QAbstractButton*, int> answers;
    QAbstractButton* defaultButton = nullptr;
    QAbstractButton* escapeButton = nullptr;
    for (int answer : MessageBoxButtons(type)) {
        QPushButton* button = box.addButton(ButtonFor(answer));
        answers[button] = answer;
        if (answer == MessageBoxDefaultAnswer(type))
            defaultButton = button;
        if (answer == MessageBoxCancelAnswer(type))
            escapeButton = button;
    }
    box.setDefaultButton(static_cast<QPushButton*>(defaultButton));
    box.setEscapeButton(escapeButton);
    if (helpId != 0 && help_) {
        auto* shortcut = new QShortcut(QKeySequence::HelpContents, &box);
        QObject::connect(shortcut, &QShortcut::activated, &box, [this, helpId] { help_(helpId); });
    }
    box.exec();
    const auto it = answers.find(box.clickedButton());
    return it != answers.end() ? it->second : MessageBoxCancelAnswer(type);
}

int QtServices::DoModal(ModalDialog& dialog) { return dialog.RunModalLoop(); }

void QtServices::Beep() { QApplication::beep(); }

bool QtServices::ShellOpen(const std::string& target)
{
    const std::optional<ShellTarget> resolved = ResolveShellTarget(target, ShellOpenFolders());
    if (!resolved)
        return false;
    const QUrl url = resolved->isFile ? QUrl::fromLocalFile(QString::fromStdString(resolved->file.string()))
                                      : QUrl(ToQ(resolved->url), QUrl::StrictMode);
    if (!url.isValid())
        return false;
    return opener_ && opener_(url);
}

bool QtServices::ShowHelpPage(const std::filesystem::path& page)
{
    // Over the dialog whose help it is, which would otherwise block it.
    QWidget* owner = QApplication::activeModalWidget() ? QApplication::activeModalWidget() : parent_.data();
    if (helpWindow_ && helpWindow_->parentWidget() != owner) {
        helpWindow_->close();  // goes later
        helpWindow_ = nullptr;
    }
    if (!helpWindow_)
        helpWindow_ = new HelpWindow(*this, owner, helpTexts_ ? helpTexts_() : HelpWindowTexts{});
    return helpWindow_->ShowPage(page);
}

// ---------------------------------------------------------------------------------------
// Choosers

QStringList QtServices::NameFilters(std::string_view filter)
{
    QStringList out;
    for (const FileFilter& f : ParseFileFilter(filter)) {
        QStringList patterns;
        for (const auto& p : f.patterns)
            patterns << ToQ(p);
        const QString wanted = "(" + patterns.join(' ') + ")";
        const QString label = ToQ(f.label).trimmed();
        // Qt reads the patterns from the last parentheses of the label.
        out << (label.endsWith(wanted) ? label : label + " " + wanted);
    }
    return out;
}

std::optional<fs::path> QtServices::FileDialog(bool save, const FileDialogRequest& request)
{
    QFileDialog dialog(parent_.data(), ToQ(request.title));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    const QStringList filters = NameFilters(request.filter);
    if (!filters.isEmpty())
        dialog.setNameFilters(filters);
    if (!request.initialFolder.empty())
        dialog.setDirectory(QString::fromStdString(request.initialFolder.string()));
    if (!request.initialName.empty())
        dialog.selectFile(ToQ(request.initialName));
    const std::string extension = NormaliseExtension(request.defaultExtension);
    if (!extension.empty())
        dialog.setDefaultSuffix(ToQ(extension));
    if (!request.overwritePrompt)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return WithDefaultExtension(fs::path(dialog.selectedFiles().constFirst().toStdString()), extension);
}

double QtServices::ScreenDpiY() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchY() : 96.0;
}

QFont QtServices::ToQFont(const gdi::LogFont& font, double dpiY)
{
    QFont f(ToQ(font.faceName));
    if (font.height != 0 && dpiY > 0)
        f.setPointSizeF(std::abs(font.height) * 72.0 / dpiY);
    f.setWeight(static_cast<QFont::Weight>(font.weight <= 0 ? 400 : std::clamp(font.weight, 100, 900)));
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    f.setStrikeOut(font.strikeOut);
    return f;
}

gdi::LogFont QtServices::FromQFont(const QFont& font, double dpiY, const gdi::LogFont& base, int* pointSizeTenths)
{
    gdi::LogFont out = base;
    double points = font.pointSizeF();
    if (points <= 0 && font.pixelSize() > 0)
        points = font.pixelSize() * 72.0 / dpiY;
    out.height = -static_cast<int>(std::lround(points * dpiY / 72.0));
    out.weight = font.weight();
    out.italic = font.italic();
    out.underline = font.underline();
    out.strikeOut = font.strikeOut();
    out.faceName = font.family().toStdString();
    if (pointSizeTenths)
        *pointSizeTenths = static_cast<int>(std::lround(points * 10.0));
    return out;
}

bool QtServices::ChooseFont(FontChoice& choice)
{
    const double dpi = ScreenDpiY();
    QDialog dialog(parent_.data());
    dialog.setWindowTitle(QCoreApplication::translate("QtServices", "Font"));
    auto* layout = new QVBoxLayout(&dialog);
    auto* fonts = new QFontDialog(ToQFont(choice.font, dpi), &dialog);
    fonts->setWindowFlags(Qt::Widget);
    fonts->setOptions(QFontDialog::NoButtons);
    layout->addWidget(fonts);
    // Enter or Escape in the embedded chooser ends the whole dialog, not only that part.
    QObject::connect(fonts, &QDialog::finished, &dialog, &QDialog::done);

    // The colour goes with the font, as in the desktop's font chooser with effects.
    QColor colour = ToQColor(choice.color);
    auto* row = new QHBoxLayout;
    auto* colourButton = new QPushButton(QCoreApplication::translate("QtServices", "&Colour..."), &dialog);
    colourButton->setObjectName("colour");
    const auto showColour = [colourButton, &colour] {
        QPixmap swatch(16, 16);
        swatch.fill(colour);
        colourButton->setIcon(QIcon(swatch));
    };
    showColour();
    QObject::connect(colourButton, &QPushButton::clicked, &dialog, [&dialog, &colour, showColour] {
        const QColor picked = QColorDialog::getColor(colour, &dialog);
        if (picked.isValid()) {
            colour = picked;
            showColour();
        }
    });
    row->addWidget(colourButton);
    row->addStretch();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    row->addWidget(buttons);
    layout->addLayout(row);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);

    if (dialog.exec() != QDialog::Accepted)
        return false;
    choice.font = FromQFont(fonts->currentFont(), dpi, choice.font, &choice.pointSizeTenths);
    choice.color = FromQColor(colour);
    return true;
}

bool QtServices::ChooseColor(gdi::COLORREF& color, std::array<gdi::COLORREF, 16>& customColors)
{
    const int count = std::min<int>(QColorDialog::customCount(), static_cast<int>(customColors.size()));
    for (int i = 0; i < count; ++i)
        QColorDialog::setCustomColor(i, ToQColor(customColors[static_cast<size_t>(i)]));
    QColorDialog dialog(ToQColor(color), parent_.data());
    if (dialog.exec() != QDialog::Accepted || !dialog.selectedColor().isValid())
        return false;
    color = FromQColor(dialog.selectedColor());
    for (int i = 0; i < count; ++i)
        customColors[static_cast<size_t>(i)] = FromQColor(QColorDialog::customColor(i));
    return true;
}

// ---------------------------------------------------------------------------------------
// Clipboard

bool QtServices::SetClipboardImage(const gdi::Image& image)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    const size_t count = static_cast<size_t>(image.width) * static_cast<size_t>(std::max(image.height, 0));
    if (!clipboard || image.IsNull() || image.pixels.size() != count)
        return false;
    // A copied bitmap has no transparency: the alpha byte is ignored.
    QImage q(image.width, image.height, QImage::Format_RGB32);
    if (q.isNull())
        return false;
    for (int y = 0; y < image.height; ++y)
        std::copy_n(image.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(image.width), image.width,
                    reinterpret_cast<std::uint32_t*>(q.scanLine(y)));
    clipboard->setImage(q);
    return true;
}

bool QtServices::SetClipboardMetafile(std::string bytes, const std::string& mimeType)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard || bytes.empty() || mimeType.empty())
        return false;
    auto data = std::make_unique<QMimeData>();
    data->setData(ToQ(mimeType), QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    clipboard->setMimeData(data.release());
    return true;
}

// ---------------------------------------------------------------------------------------
// HTTP

HttpResponse QtServices::HttpGet(const std::string& url, int timeoutMs)
{
    HttpResponse result;
    const QUrl qurl(ToQ(url), QUrl::StrictMode);
    if (!IsFetchableUrl(url) || !qurl.isValid() || qurl.host().isEmpty()) {
        result.failure = HttpFailure::InvalidUrl;
        result.error = "not an http or https address: " + url;
        return result;
    }
    if (!network_)
        network_ = std::make_unique<QNetworkAccessManager>();
    QNetworkRequest request(qurl);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    const int timeout = timeoutMs > 0 ? timeoutMs : 30000;
    request.setTransferTimeout(timeout);

    std::unique_ptr<QNetworkReply> reply(network_->get(request));
    QByteArray body;
    bool tooLarge = false;
    bool timedOut = false;
    QEventLoop loop;
    QTimer deadline;  // the whole exchange, not only a silence
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        reply->abort();
    });
    QObject::connect(reply.get(), &QNetworkReply::readyRead, &loop, [&] {
        body += reply->readAll();
        if (body.size() > bodyLimit_) {
            tooLarge = true;
            reply->abort();
        }
    });
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished()) {
        deadline.start(timeout);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    deadline.stop();
    reply->disconnect(&loop);
    if (!tooLarge && reply->isOpen())
        body += reply->readAll();

    result.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (tooLarge || body.size() > bodyLimit_) {
        result.failure = HttpFailure::TooLarge;
        result.error = "the answer is larger than " + std::to_string(bodyLimit_) + " bytes";
        return result;
    }
    const QNetworkReply::NetworkError error = reply->error();
    if (timedOut || error == QNetworkReply::OperationCanceledError) {
        result.failure = HttpFailure::Timeout;
        result.error = "no complete answer within " + std::to_string(timeout) + " ms";
        return result;
    }
    // A server that answered with an error status (404...) gave a response: the caller reads
    // the status. Anything else that went wrong, even after a status line, is a failure.
    const bool statusError = (error >= QNetworkReply::ContentAccessDenied && error <= QNetworkReply::UnknownContentError) ||
                             (error >= QNetworkReply::InternalServerError && error <= QNetworkReply::UnknownServerError);
    if (error != QNetworkReply::NoError && !(statusError && result.status != 0)) {
        result.failure = FailureFor(error);
        result.error = reply->errorString().toStdString();
        return result;
    }
    result.body.assign(body.constData(), static_cast<size_t>(body.size()));
    return result;
}

// ---------------------------------------------------------------------------------------
// Cursor, screen, printer

void QtServices::BeginWaitCursor()
{
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    ++waitDepth_;
}

void QtServices::EndWaitCursor()
{
    if (waitDepth_ == 0)
        return;
    --waitDepth_;
    QGuiApplication::restoreOverrideCursor();
}

ScreenInfo QtServices::GetScreen() const
{
    ScreenInfo info;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return info;
    info.present = true;
    info.widthPx = screen->geometry().width();
    info.heightPx = screen->geometry().height();
    info.widthMm = static_cast<int>(std::lround(screen->physicalSize().width()));
    info.heightMm = static_cast<int>(std::lround(screen->physicalSize().height()));
    info.bitsPerPixel = screen->depth();
    info.dpiX = static_cast<int>(std::lround(screen->logicalDotsPerInchX()));
    info.dpiY = static_cast<int>(std::lround(screen->logicalDotsPerInchY()));
    return info;
}

QPrinter& QtServices::Printer()
{
    if (!printer_) {
        const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
        printer_ = defaultPrinter.isNull() ? std::make_unique<QPrinter>(QPrinter::HighResolution)
                                           : std::make_unique<QPrinter>(defaultPrinter, QPrinter::HighResolution);
    }
    return *printer_;
}

PrinterInfo QtServices::GetPrinter()
{
    QPrinter& printer = Printer();
    PrinterInfo info;
    // Output to a PDF file is no printer.
    if (printer.outputFormat() == QPrinter::NativeFormat && printer.isValid()) {
        info.name = printer.printerName().toStdString();
        info.driverName = QPrinterInfo::printerInfo(printer.printerName()).makeAndModel().toStdString();
    }
    const QPageLayout layout = printer.pageLayout();
    const QRectF paper = layout.fullRect(QPageLayout::Millimeter);
    const QRectF printable = printer.pageRect(QPrinter::Millimeter);
    info.paperWidthMm = static_cast<int>(std::lround(paper.width()));
    info.paperHeightMm = static_cast<int>(std::lround(paper.height()));
    info.printableWidthMm = static_cast<int>(std::lround(printable.width()));
    info.printableHeightMm = static_cast<int>(std::lround(printable.height()));
    info.dpiX = printer.resolution();
    info.dpiY = printer.resolution();
    info.paperChosen = paperChosen_;
    return info;
}

bool QtServices::PrintSetup()
{
    PrintSetupDialog dialog(Printer(), parent_.data());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    paperChosen_ = true;
    return true;
}

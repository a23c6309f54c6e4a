#include "platform/qt/HelpWindow.h"
#include "platform/qt/PrintSetupDialog.h"
#include "platform/qt/QtServices.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QMimeData>
#include <QComboBox>
#include <QPrinter>
#include <QPageSize>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QTimer>

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using testsupport::TempDir;

namespace {

// Acts on the next modal dialog of type T as soon as it shows (gives up after 10 s).
template <typename T>
void WhenModal(std::function<void(T*)> act)
{
    auto* timer = new QTimer;
    auto started = std::make_shared<QElapsedTimer>();
    started->start();
    QObject::connect(timer, &QTimer::timeout, [timer, act, started] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!dialog && started->elapsed() < 10000)
            return;
        timer->stop();
        timer->deleteLater();
        if (dialog)
            act(dialog);
    });
    timer->start(5);
}

TEST(QtServices, MessageBoxesMapTypesToButtonsIconsAndAnswers)
{
    QtServices services;
    struct Row {
        unsigned type;
        Qt::Key key;
        QMessageBox::Icon icon;
        int answer;
    };
    const Row rows[] = {
        {MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2, Qt::Key_Return, QMessageBox::Question, IDNO},
        {MB_YESNO | MB_ICONQUESTION, Qt::Key_Return, QMessageBox::Question, IDYES},
        {MB_YESNO, Qt::Key_Escape, QMessageBox::NoIcon, IDNO},
        {MB_OKCANCEL | MB_ICONWARNING, Qt::Key_Escape, QMessageBox::Warning, IDCANCEL},
        {MB_OK | MB_ICONERROR, Qt::Key_Return, QMessageBox::Critical, IDOK},
        {MB_YESNOCANCEL | MB_ICONINFORMATION | MB_DEFBUTTON3, Qt::Key_Return, QMessageBox::Information, IDCANCEL},
        {MB_RETRYCANCEL, Qt::Key_Return, QMessageBox::NoIcon, IDRETRY},
    };
    for (const Row& row : rows) {
        QString seenText, seenTitle;
        QMessageBox::Icon seenIcon = QMessageBox::NoIcon;
        qsizetype buttons = 0;
        WhenModal<QMessageBox>([&](QMessageBox* box) {
            seenText = box->text();
            seenTitle = box->windowTitle();
            seenIcon = box->icon();
            buttons = box->buttons().size();
            QTest::keyClick(box, row.key);
        });
        const int answer = services.MessageBox("Fichier <b>x</b> & co", "Question :", row.type);
        EXPECT_EQ(answer, row.answer) << std::hex << row.type;
        EXPECT_EQ(seenIcon, row.icon) << std::hex << row.type;
        EXPECT_EQ(static_cast<size_t>(buttons), MessageBoxButtons(row.type).size());
        EXPECT_EQ(seenText, "Fichier <b>x</b> & co");
        EXPECT_EQ(seenTitle, "Question :");
    }
}

TEST(QtServices, HelpKeyInAMessageBoxCallsTheHelpHandler)
{
    QtServices services;
    unsigned asked = 0;
    services.SetHelpHandler([&](unsigned id) { asked = id; });
    WhenModal<QMessageBox>([](QMessageBox* box) {
        box->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(box));  // the help key belongs to the active box
        QTest::keyClick(box, Qt::Key_F1);
        box->button(QMessageBox::Ok)->click();
    });
    EXPECT_EQ(services.MessageBox("Aide ?", "", MB_OK, 0x20000 + 184), IDOK);
    EXPECT_EQ(asked, 0x20000u + 184);
}

TEST(QtServices, ShellOpenHandsOnlyAcceptedTargetsToTheDesktop)
{
    TempDir dir;
    testsupport::WriteFileBytes(dir / "contents.html", "<html/>");
    QtServices services;
    std::vector<QUrl> opened;
    services.SetUrlOpener([&](const QUrl& url) {
        opened.push_back(url);
        return true;
    });
    services.SetShellOpenFolders({dir.path()});
    EXPECT_TRUE(services.ShellOpen("https://example.org/download/"));
    EXPECT_TRUE(services.ShellOpen("mailto:someone@example.org?subject=[Horavel%202.0.1]"));
    EXPECT_TRUE(services.ShellOpen((dir / "contents.html").string()));
    EXPECT_FALSE(services.ShellOpen("file:///etc/passwd"));
    EXPECT_FALSE(services.ShellOpen("/etc/passwd"));
    EXPECT_FALSE(services.ShellOpen((dir / "missing.html").string()));
    ASSERT_EQ(opened.size(), 3u);
    EXPECT_EQ(opened[0].host(), "example.org");
    EXPECT_EQ(opened[1].scheme(), "mailto");
    EXPECT_TRUE(opened[2].isLocalFile());
    EXPECT_EQ(opened[2].toLocalFile().toStdString(), fs::canonical(dir / "contents.html").string());

    services.SetUrlOpener([](const QUrl&) { return false; });  // the desktop could not open it
    EXPECT_FALSE(services.ShellOpen("https://example.org/"));
}

TEST(QtServices, TheHelpWindowShowsPagesOfTheAllowedFoldersAndFollowsTheirLinks)
{
    TempDir dir;
    testsupport::WriteFileBytes(dir / "contents.html",
                                "<html><head><title>Aide</title></head><body><a href=\"page.html\">page</a></body></html>");
    testsupport::WriteFileBytes(dir / "page.html", "<html><head><title>Page</title></head><body>.</body></html>");
    QWidget frame;
    QtServices services(&frame);
    std::vector<QUrl> opened;
    services.SetUrlOpener([&](const QUrl& url) {
        opened.push_back(url);
        return true;
    });
    services.SetShellOpenFolders({dir.path()});
    EXPECT_FALSE(services.ShowHelpPage("/etc/passwd"));
    ASSERT_TRUE(services.ShowHelpPage(dir / "contents.html"));
    auto* window = frame.findChild<HelpWindow*>();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle().toStdString(), "Aide");

    // A page of the folder is followed in the window, a file elsewhere is not, and a web
    // address goes to the desktop.
    emit window->Browser().anchorClicked(QUrl("page.html"));
    EXPECT_EQ(window->windowTitle().toStdString(), "Page");
    emit window->Browser().anchorClicked(QUrl("file:///etc/passwd"));
    EXPECT_EQ(window->windowTitle().toStdString(), "Page");
    emit window->Browser().anchorClicked(QUrl("https://example.org/"));
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].host(), "example.org");

    // Back and Forward go through the pages seen, and are offered only when there is one.
    EXPECT_FALSE(window->ForwardButton().isEnabled());
    ASSERT_TRUE(window->BackButton().isEnabled());
    window->BackButton().click();
    EXPECT_EQ(window->windowTitle().toStdString(), "Aide");
    EXPECT_FALSE(window->BackButton().isEnabled());
    ASSERT_TRUE(window->ForwardButton().isEnabled());
    window->ForwardButton().click();
    EXPECT_EQ(window->windowTitle().toStdString(), "Page");

    // A text file of the folder (the trace file) keeps its lines and blanks.
    const std::string trace = "a  <b>\n    c & d\n";
    testsupport::WriteFileBytes(dir / "HoravelTraces.txt", trace);
    ASSERT_TRUE(services.ShowHelpPage(dir / "HoravelTraces.txt"));
    EXPECT_EQ(window->Browser().toPlainText().toStdString() + "\n", trace);
    EXPECT_EQ(window->windowTitle().toStdString(), "HoravelTraces.txt");
}

TEST(QtServices, TheHelpWindowNarrowsPicturesWiderThanItself)
{
    TempDir dir;
    QImage wide(1500, 300, QImage::Format_RGB32);
    wide.fill(Qt::darkBlue);
    ASSERT_TRUE(wide.save(QString::fromStdString((dir / "wide.png").string())));
    QImage small(200, 100, QImage::Format_RGB32);
    small.fill(Qt::darkRed);
    ASSERT_TRUE(small.save(QString::fromStdString((dir / "small.png").string())));
    testsupport::WriteFileBytes(dir / "page.html",
                                "<html><body><p style=\"margin-left: 60px\"><img src=\"wide.png\"></p>"
                                "<p><img src=\"small.png\"></p></body></html>");
    QWidget frame;
    QtServices services(&frame);
    services.SetShellOpenFolders({dir.path()});
    ASSERT_TRUE(services.ShowHelpPage(dir / "page.html"));
    auto* window = frame.findChild<HelpWindow*>();
    ASSERT_NE(window, nullptr);
    QTextBrowser& browser = window->Browser();
    QApplication::processEvents();
    const auto sizes = [&] {
        std::vector<QSizeF> out;
        for (QTextBlock block = browser.document()->begin(); block.isValid(); block = block.next())
            for (auto it = block.begin(); !it.atEnd(); ++it)
                if (const QTextImageFormat f = it.fragment().charFormat().toImageFormat(); f.isValid())
                    out.emplace_back(f.width(), f.height());
        return out;
    };
    const int room = browser.viewport()->width();
    std::vector<QSizeF> shown = sizes();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_LE(browser.document()->idealWidth(), room);
    EXPECT_NEAR(shown[0].height(), shown[0].width() / 5, 1.0);  // in proportion
    EXPECT_EQ(shown[1], QSizeF(200, 100));

    // A narrower window narrows the picture again.
    window->resize(500, 400);
    QApplication::processEvents();
    shown = sizes();
    EXPECT_LE(browser.document()->idealWidth(), browser.viewport()->width());
    EXPECT_LT(shown[0].width(), room - 250);
}

TEST(QtServices, FileChoosersUseFiltersFoldersAndDefaultExtensions)
{
    EXPECT_EQ(QtServices::NameFilters("Cadrans (*.cds)|*.cds||"), QStringList{"Cadrans (*.cds)"});
    EXPECT_EQ(QtServices::NameFilters("EMF Enhanced Windows Metafile |*.emf||"),
              QStringList{"EMF Enhanced Windows Metafile (*.emf)"});
    EXPECT_EQ(QtServices::NameFilters("Images|*.png;*.jpg|Tout (tout)|*.*||"),
              (QStringList{"Images (*.png *.jpg)", "Tout (tout) (*.*)"}));

    TempDir dir;
    testsupport::WriteFileBytes(dir / "LIEUX.DBL", "$VERSION 6\n");
    QtServices services;

    FileDialogRequest save{"Exporter", "DXF Autocad Drawing Interchange File Format |*.dxf||", dir.path(), "cadran",
                           "*.dxf", true};
    QStringList filters;
    QString folder;
    WhenModal<QFileDialog>([&](QFileDialog* d) {
        filters = d->nameFilters();
        folder = d->directory().absolutePath();
        d->selectFile((dir / "vue").c_str());
        static_cast<QDialog*>(d)->accept();
    });
    EXPECT_EQ(services.GetSaveFileName(save), dir / "vue.dxf");
    EXPECT_EQ(filters, QStringList{"DXF Autocad Drawing Interchange File Format (*.dxf)"});
    EXPECT_EQ(folder.toStdString(), dir.path().string());

    FileDialogRequest open{"", "Fichier des lieux Horavel (*.dbl)|*.dbl||", dir.path(), "", ".dbl", true};
    WhenModal<QFileDialog>([&](QFileDialog* d) {
        EXPECT_EQ(d->fileMode(), QFileDialog::ExistingFile);
        d->selectFile((dir / "LIEUX.DBL").c_str());
        static_cast<QDialog*>(d)->accept();
    });
    EXPECT_EQ(services.GetOpenFileName(open), dir / "LIEUX.DBL");
    WhenModal<QFileDialog>([](QFileDialog* d) { d->reject(); });
    EXPECT_EQ(services.GetOpenFileName(open), std::nullopt);
}

TEST(QtServices, FontDescriptionsConvertBothWays)
{
    gdi::LogFont base;
    base.faceName = "Liberation Serif";
    base.height = -16;
    base.weight = gdi::FW_BOLD;
    base.italic = true;
    base.underline = true;
    base.escapement = 900;
    const QFont q = QtServices::ToQFont(base, 96);
    EXPECT_DOUBLE_EQ(q.pointSizeF(), 12.0);
    EXPECT_EQ(q.weight(), QFont::Bold);
    EXPECT_TRUE(q.italic());
    EXPECT_EQ(q.family(), "Liberation Serif");
    int tenths = 0;
    const gdi::LogFont back = QtServices::FromQFont(q, 96, base, &tenths);
    EXPECT_EQ(back, base);
    EXPECT_EQ(tenths, 120);
    // At 120 dpi, 10 points are 17 pixels (16.67 rounded).
    QFont ten("Liberation Sans");
    ten.setPointSize(10);
    EXPECT_EQ(QtServices::FromQFont(ten, 120, gdi::LogFont{}, &tenths).height, -17);
    EXPECT_EQ(tenths, 100);
}

TEST(QtServices, FontChooserReturnsTheFontAndItsColour)
{
    QtServices services;
    FontChoice choice;
    choice.font.faceName = "Liberation Sans";
    choice.font.height = -16;
    choice.color = gdi::RGB(200, 0, 0);
    WhenModal<QDialog>([](QDialog* d) {
        auto* fonts = d->findChild<QFontDialog*>();
        ASSERT_NE(fonts, nullptr);
        QFont f("Liberation Mono");
        f.setPointSize(18);
        f.setItalic(true);
        fonts->setCurrentFont(f);
        d->accept();
    });
    ASSERT_TRUE(services.ChooseFont(choice));
    EXPECT_EQ(choice.font.faceName, "Liberation Mono");
    EXPECT_EQ(choice.pointSizeTenths, 180);
    EXPECT_EQ(choice.font.height, -QApplication::primaryScreen()->logicalDotsPerInchY() * 18 / 72);
    EXPECT_TRUE(choice.font.italic);
    EXPECT_EQ(choice.color, gdi::RGB(200, 0, 0));

    // Escape inside the chooser cancels the whole dialog and changes nothing.
    const FontChoice before = choice;
    WhenModal<QDialog>([](QDialog* d) { QTest::keyClick(d->findChild<QFontDialog*>(), Qt::Key_Escape); });
    EXPECT_FALSE(services.ChooseFont(choice));
    EXPECT_EQ(choice.font, before.font);
}

TEST(QtServices, ColourChooserReturnsColourAndCustomColours)
{
    QtServices services;
    gdi::COLORREF colour = gdi::RGB(1, 2, 3);
    std::array<gdi::COLORREF, 16> custom{};
    custom[2] = gdi::RGB(40, 50, 60);
    QColor initial;
    WhenModal<QColorDialog>([&](QColorDialog* d) {
        initial = d->currentColor();
        EXPECT_EQ(QColorDialog::customColor(2), QColor(40, 50, 60));
        QColorDialog::setCustomColor(5, QColor(7, 8, 9));
        d->setCurrentColor(QColor(10, 20, 30));
        d->accept();
    });
    ASSERT_TRUE(services.ChooseColor(colour, custom));
    EXPECT_EQ(initial, QColor(1, 2, 3));
    EXPECT_EQ(colour, gdi::RGB(10, 20, 30));
    EXPECT_EQ(custom[5], gdi::RGB(7, 8, 9));

    WhenModal<QColorDialog>([](QColorDialog* d) { d->reject(); });
    EXPECT_FALSE(services.ChooseColor(colour, custom));
    EXPECT_EQ(colour, gdi::RGB(10, 20, 30));
}

TEST(QtServices, ClipboardTakesImagesAndMetafiles)
{
    QtServices services;
    const gdi::Image image{2, 2, {0x00FF0000u, 0xFF00FF00u, 0x000000FFu, 0x00FFFFFFu}};
    ASSERT_TRUE(services.SetClipboardImage(image));
    const QImage copied = QGuiApplication::clipboard()->image();
    ASSERT_EQ(copied.size(), QSize(2, 2));
    EXPECT_EQ(copied.pixelColor(0, 0), QColor(255, 0, 0));  // no alpha: the copy is opaque
    EXPECT_EQ(copied.pixelColor(1, 1), QColor(255, 255, 255));
    EXPECT_FALSE(services.SetClipboardImage(gdi::Image{2, 2, {1, 2, 3}}));  // pixels missing

    const std::string emf("\x01\x00\x00\x00\x6C\x00\x00\x00", 8);
    ASSERT_TRUE(services.SetClipboardMetafile(emf));
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->data("image/x-emf").toStdString(), emf);
}

// A small web server answering by path.
class TestServer {
public:
    TestServer()
    {
        server_.listen(QHostAddress::LocalHost);
        QObject::connect(&server_, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [socket] {
                    const QByteArray request = socket->peek(8192);
                    if (!request.contains("\r\n\r\n"))
                        return;
                    socket->readAll();
                    const QByteArray path = request.split(' ').value(1);
                    if (path == "/ok")
                        Reply(socket, "200 OK", "SOFTWARE_UPDATE_INFORMATION 1\r\nVERSION 2 0 1 42\r\n");
                    else if (path == "/missing")
                        Reply(socket, "404 Not Found", "ERROR 404 not here\r\n");
                    else if (path == "/big")
                        Reply(socket, "200 OK", QByteArray(5000, 'x'));
                    else if (path == "/cut") {
                        socket->write("HTTP/1.1 200 OK\r\nContent-Length: 100\r\nConnection: close\r\n\r\nonly ten.");
                        socket->flush();
                        socket->disconnectFromHost();
                    }
                    // "/silent": no answer at all
                });
                QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
    }
    std::string Url(const char* path) const
    {
        return "http://127.0.0.1:" + std::to_string(server_.serverPort()) + path;
    }

private:
    static void Reply(QTcpSocket* socket, const QByteArray& status, const QByteArray& body)
    {
        socket->write("HTTP/1.1 " + status + "\r\nContent-Length: " + QByteArray::number(body.size()) +
                      "\r\nConnection: close\r\n\r\n" + body);
        socket->flush();
        socket->disconnectFromHost();
    }
    QTcpServer server_;
};

TEST(QtServices, HttpGetReportsStatusBodyAndFailures)
{
    TestServer server;
    QtServices services;
    services.SetHttpBodyLimit(1000);

    HttpResponse ok = services.HttpGet(server.Url("/ok"), 5000);
    EXPECT_TRUE(ok.Ok()) << ok.error;
    EXPECT_EQ(ok.status, 200);
    EXPECT_EQ(ok.body, "SOFTWARE_UPDATE_INFORMATION 1\r\nVERSION 2 0 1 42\r\n");

    HttpResponse missing = services.HttpGet(server.Url("/missing"), 5000);
    EXPECT_TRUE(missing.Ok()) << missing.error;  // the server answered
    EXPECT_EQ(missing.status, 404);
    EXPECT_EQ(missing.body, "ERROR 404 not here\r\n");

    EXPECT_EQ(services.HttpGet(server.Url("/big"), 5000).failure, HttpFailure::TooLarge);
    const HttpResponse cut = services.HttpGet(server.Url("/cut"), 5000);
    EXPECT_FALSE(cut.Ok()) << "a truncated body must not pass for a page";
    EXPECT_TRUE(cut.body.empty());
    EXPECT_EQ(services.HttpGet(server.Url("/silent"), 300).failure, HttpFailure::Timeout);
    EXPECT_EQ(services.HttpGet("file:///etc/passwd", 300).failure, HttpFailure::InvalidUrl);
    EXPECT_EQ(services.HttpGet("127.0.0.1/ok", 300).failure, HttpFailure::InvalidUrl);

    QTcpServer closed;
    closed.listen(QHostAddress::LocalHost);
    const std::string refusedUrl = "http://127.0.0.1:" + std::to_string(closed.serverPort()) + "/";
    closed.close();
    EXPECT_EQ(services.HttpGet(refusedUrl, 5000).failure, HttpFailure::ConnectionFailed);
}

TEST(QtServices, WaitCursorNestsAndComesBack)
{
    auto previous = SetServices(std::make_unique<QtServices>());
    ASSERT_EQ(QGuiApplication::overrideCursor(), nullptr);
    {
        WaitCursor outer;
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        {
            WaitCursor inner;
        }
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    GetServices().EndWaitCursor();  // unbalanced: ignored, nobody else's cursor is popped
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    SetServices(std::move(previous));
}

TEST(QtServices, ScreenAndTheSharedPrinter)
{
    QtServices services;
    const ScreenInfo screen = services.GetScreen();
    EXPECT_TRUE(screen.present);
    EXPECT_GT(screen.widthPx, 0);
    EXPECT_GT(screen.dpiY, 0);

    const PrinterInfo printer = services.GetPrinter();
    EXPECT_EQ(printer.IsPresent(), !QPrinterInfo::defaultPrinter().isNull());
    EXPECT_GT(printer.paperWidthMm, 100);
    EXPECT_GT(printer.paperHeightMm, printer.paperWidthMm);
    EXPECT_LE(printer.printableWidthMm, printer.paperWidthMm);
    EXPECT_GT(printer.dpiX, 0);

    // Print setup is the page setup of the one application printer: printer, paper and
    // orientation, which OK gives to the printer and Cancel leaves as they were.
    const QPageSize paper = services.Printer().pageLayout().pageSize();
    bool offered = false;
    const auto choose = [&](bool ok) {
        return [&, ok](QDialog* dialog) {
            auto* d = qobject_cast<PrintSetupDialog*>(dialog);
            if (!d) {
                dialog->reject();
                return;
            }
            offered = d->Papers().count() > 1 && d->Portrait().isChecked() &&
                      d->Printers().count() == QPrinterInfo::availablePrinterNames().size();
            d->Papers().setCurrentIndex(d->Papers().findText(QPageSize(QPageSize::A3).name()));
            d->Landscape().setChecked(true);
            ok ? d->accept() : d->reject();
        };
    };
    WhenModal<QDialog>(choose(false));
    EXPECT_FALSE(services.PrintSetup());
    EXPECT_TRUE(offered);
    EXPECT_TRUE(services.Printer().pageLayout().pageSize().isEquivalentTo(paper));
    EXPECT_FALSE(services.GetPrinter().paperChosen);
    EXPECT_LT(services.GetPrinter().paperWidthMm, services.GetPrinter().paperHeightMm);
    WhenModal<QDialog>(choose(true));
    EXPECT_TRUE(services.PrintSetup());
    EXPECT_EQ(services.GetPrinter().paperWidthMm, 420);  // A3 on its side
    EXPECT_EQ(services.GetPrinter().paperHeightMm, 297);
    EXPECT_TRUE(services.GetPrinter().paperChosen);  // the sheet, even with no printer
}

class CountingDialog : public ModalDialog {
public:
    int TemplateId() const override { return 232; }
    int RunModalLoop() override { return ++runs, IDOK; }
    int runs = 0;
};

TEST(QtServices, NestedDialogsRunForReal)
{
    QtServices services;
    CountingDialog about;
    EXPECT_EQ(services.DoModal(about), IDOK);
    EXPECT_EQ(about.runs, 1);
}

}  // namespace

#pragma once
// The desktop services on Qt: message boxes, choosers and the print setup dialog as Qt
// dialogs, links opened by the desktop, the Qt clipboard, HTTP through
// QNetworkAccessManager, the override cursor, the primary screen and one application
// printer. The clock and time zone come from SystemServices.
#include "platform/Services.h"
#include "platform/qt/HelpWindow.h"

#include <QFont>
#include <QPointer>
#include <QUrl>
#include <QWidget>

#include <functional>
#include <memory>

class QNetworkAccessManager;
class QPrinter;

class QtServices : public SystemServices {
public:
    explicit QtServices(QWidget* dialogParent = nullptr);
    ~QtServices() override;
    QtServices(const QtServices&) = delete;
    QtServices& operator=(const QtServices&) = delete;

    // Dialogs are shown over this window (the main frame once it exists).
    void SetDialogParent(QWidget* parent) { parent_ = parent; }
    // How an accepted link or file is handed to the desktop (QDesktopServices by default).
    void SetUrlOpener(std::function<bool(const QUrl&)> opener) { opener_ = std::move(opener); }
    // Called with the box's help id when F1 is pressed in a message box that has one.
    void SetHelpHandler(std::function<void(unsigned helpId)> handler) { help_ = std::move(handler); }
    // The words of the help window's buttons, asked for each time the window is made.
    void SetHelpWindowTexts(std::function<HelpWindowTexts()> texts) { helpTexts_ = std::move(texts); }
    // Largest HTTP body accepted (a larger one fails with TooLarge).
    void SetHttpBodyLimit(qint64 bytes) { bodyLimit_ = bytes; }

    // The application printer, made on first use from the default printer. The view prints
    // through it; print setup changes it.
    QPrinter& Printer();

    int MessageBox(const std::string& text, const std::string& caption, unsigned type,
                   unsigned helpId = 0) override;
    int DoModal(ModalDialog& dialog) override;
    void Beep() override;
    bool ShellOpen(const std::string& target) override;
    bool ShowHelpPage(const std::filesystem::path& page) override;
    bool ChooseFont(FontChoice& choice) override;
    bool ChooseColor(gdi::COLORREF& color, std::array<gdi::COLORREF, 16>& customColors) override;
    bool SetClipboardImage(const gdi::Image& image) override;
    bool SetClipboardMetafile(std::string bytes, const std::string& mimeType = "image/x-emf") override;
    HttpResponse HttpGet(const std::string& url, int timeoutMs) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    ScreenInfo GetScreen() const override;
    PrinterInfo GetPrinter() override;
    bool PrintSetup() override;

    // Font descriptions at a screen resolution: a negative height is the character height
    // in pixels, a positive one the cell height (taken as the character height here).
    static QFont ToQFont(const gdi::LogFont& font, double dpiY);
    // Keeps the fields Qt has no word for (escapement, charset...) from `base`.
    static gdi::LogFont FromQFont(const QFont& font, double dpiY, const gdi::LogFont& base,
                                  int* pointSizeTenths = nullptr);
    // "Cadrans (*.cds)|*.cds||" as Qt name filters: {"Cadrans (*.cds)"}.
    static QStringList NameFilters(std::string_view filter);

private:
    std::optional<std::filesystem::path> FileDialog(bool save, const FileDialogRequest& request) override;
    double ScreenDpiY() const;

    QPointer<QWidget> parent_;
    QPointer<HelpWindow> helpWindow_;
    std::function<bool(const QUrl&)> opener_;
    std::function<void(unsigned)> help_;
    std::function<HelpWindowTexts()> helpTexts_;
    std::unique_ptr<QNetworkAccessManager> network_;
    std::unique_ptr<QPrinter> printer_;
    bool paperChosen_ = false;  // a page setup was accepted
    qint64 bodyLimit_ = 8 * 1024 * 1024;
    int waitDepth_ = 0;
};

#pragma once
// The program's own window for the HTML help pages and the text files the program writes
// (the trace file), for a desktop that has nothing to open them with. Links to pages of the
// allowed folders are followed in it; other links (web addresses, mail) go to the desktop
// through ShellOpen. Back and Forward go through the pages seen, and a picture wider than the
// window is shown at the window's width.
#include <QTextBrowser>
#include <QWidget>

#include <filesystem>
#include <string>

class QToolButton;
class Services;

// The words on the window's buttons, in the program's language.
struct HelpWindowTexts {
    std::string back;
    std::string forward;
};

class HelpWindow : public QWidget {
public:
    // services: its ShellOpen and allowed folders; must outlive the window.
    HelpWindow(Services& services, QWidget* parent, const HelpWindowTexts& texts = {});

    // Shows the page or text file (a file of the allowed folders); false, and nothing shown,
    // for another.
    bool ShowPage(const std::filesystem::path& page);
    QTextBrowser& Browser() { return *browser_; }
    QToolButton& BackButton() { return *back_; }
    QToolButton& ForwardButton() { return *forward_; }

private:
    void OnLink(const QUrl& link);
    bool IsAllowedFile(const QUrl& url) const;

    Services& services_;
    QTextBrowser* browser_ = nullptr;
    QToolButton* back_ = nullptr;
    QToolButton* forward_ = nullptr;
};

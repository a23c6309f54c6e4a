#pragma once
// The main window: the menu bar (menu 128 translated into the program language), the five
// toolbars with their saved places, the status bar, the about box shown as the start-up
// splash, the three language choices, and the timers that close the splash and start the
// check for a newer version.
#include "app/ToolBarLayout.h"
#include "platform/Commands.h"
#include "platform/Timers.h"
#include "platform/qt/QtMenus.h"

#include <QFont>
#include <QList>
#include <QMainWindow>
#include <QUrl>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CDlgAPropos;
class CHoravelApp;
class CMainStatusBar;
class QToolBar;
class QTranslator;

class CMainFrame : public QMainWindow, public TimerHost {
public:
    static constexpr int kSplashTimer = 1001;
    static constexpr int kSplashDelayMs = 3000;

    // Reads the window's place and the toolbars' visibility, builds the menu, the bars and
    // the status bar, and puts the bars where they were (the window is not shown yet).
    explicit CMainFrame(CHoravelApp& app);
    // Writes the three language choices.
    ~CMainFrame() override;

    // ---- Languages
    // Stores the choices; with a language file, a program language outside it becomes
    // English; the menu, tooltips and status texts are made again in that language.
    void SetLanguage(int program, int fallback, int help);
    int GetProgramLanguage() const { return program_; }
    int GetFallbackLanguage() const { return fallback_; }
    int GetHelpLanguage() const { return help_; }
    // What follows OK in the language preferences: the new choices, and a warning for the
    // languages the program was not checked in.
    void ApplyLanguagePreferences(int program, int fallback, int help);
    // The language preference dialog: given the three choices, changes them and returns
    // true on OK. The command stays disabled until one is set.
    void SetLanguageDialog(std::function<bool(int& program, int& fallback, int& help)> dialog);
    // A command of the frame itself (the program's dialogs add theirs).
    void OnFrameCommand(int id, std::function<void()> handler) { commands_.OnCommand(id, std::move(handler)); }

    // ---- Toolbars
    QToolBar& ToolBar(int index) const;
    bool IsToolBarWanted(int index) const { return wanted_.at(static_cast<size_t>(index)); }
    bool IsToolBarFloating(int index) const;
    // The bar's window when it floats in one of its own; null when docked.
    QWidget* ToolBarWindow(int index) const;
    void ToggleEphemerisToolBar();
    // Print preview hides the bars; afterwards each comes back by its flag.
    void OnSetPreviewMode(bool preview);
    // Writes each bar's visibility, place and floating state.
    void SaveToolBarStates();

    // ---- Window
    // Shows the window (maximised or not) and the floating bars that are wanted.
    void ShowFrame(bool maximised);
    // Writes the window's place unless it is minimised.
    void SavePlacement();
    // The about box, modeless in splash mode, closed by timer 1001.
    void ShowSplash(const std::string& versionText);
    CDlgAPropos* Splash() const { return splash_.get(); }
    void OnTimer(int id) override;
    // The quiet check for a newer version (timer 1002); until one is set, none is scheduled.
    void SetUpdateCheck(std::function<void(int interactive)> check) { updateCheck_ = std::move(check); }
    void UpdateTitle();
    // Dropped files open as with File > Open (the first local file; one document at a time).
    bool OpenDroppedFiles(const QList<QUrl>& urls);

    // The view in the middle of the window (owned by the window).
    void SetView(QWidget* view);
    // Command tables asked before the frame's and the application's, in the order added.
    void AddCommandTarget(const CommandTable* table);
    // A target that goes away (the view) leaves the chain.
    void RemoveCommandTarget(const CommandTable* table);
    const CommandRouter& Router() const { return router_; }
    QtMenuBinder& MenuBinder() { return *binder_; }
    CMainStatusBar& StatusBar() const { return *statusBar_; }
    const CommandTable& Commands() const { return commands_; }

    // The bold font of the dialogs' group titles: made once, by the first about box.
    const QFont* GroupBoxFont() const { return groupBoxFont_ ? &*groupBoxFont_ : nullptr; }
    void SetGroupBoxFont(const QFont& font);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    struct Bar {
        QToolBar* bar = nullptr;
        std::unique_ptr<QWidget> window;  // the tool window of a floating bar
    };

    void InstallCommands();
    void BuildMenu();
    void BuildToolBars();
    void RestoreToolBars();
    void FloatToolBar(int index, const gdi::Rect& rect, bool vertical);
    void ShowToolBar(int index, bool show);
    void RetranslateToolBars();
    void InstallQtTranslations();
    void OnMenuAboutToShow(QMenu& menu, int index);
    void ShowPrompt(int id);

    CHoravelApp& app_;
    CommandTable commands_;
    std::vector<const CommandTable*> targets_;
    CommandRouter router_;
    std::unique_ptr<QtMenuBinder> binder_;
    CMainStatusBar* statusBar_ = nullptr;
    std::array<Bar, kToolBarCount> bars_;
    std::array<bool, kToolBarCount> wanted_{};
    std::unique_ptr<CDlgAPropos> splash_;
    std::function<void(int)> updateCheck_;
    std::function<bool(int&, int&, int&)> languageDialog_;
    std::optional<QFont> groupBoxFont_;
    std::unique_ptr<QTranslator> qtTranslator_;  // Qt's own texts in the program language
    int program_ = 0;
    int fallback_ = 0;
    int help_ = 0;
    bool previewing_ = false;
};

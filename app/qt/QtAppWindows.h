#pragma once
// The application's windows on Qt: the main frame with its view, the about box and the
// start-up screen.
#include "app/AppWindows.h"

#include <functional>
#include <memory>

class CHoravelApp;
class CMainFrame;
class QWidget;

class QtAppWindows : public AppWindows {
public:
    // Makes the view for a new frame; null keeps the frame's plain background.
    using ViewFactory = std::function<QWidget*(CMainFrame& frame)>;

    explicit QtAppWindows(CHoravelApp& app, ViewFactory viewFactory = {});
    ~QtAppWindows() override;

    bool CreateMainFrame() override;
    bool HasMainWindow() const override { return frame_ != nullptr; }
    void ShowSplash(const std::string& versionText) override;
    void AcceptDroppedFiles() override;
    void ShowMainWindow(bool maximised) override;
    void SetLanguage(int program, int fallback, int help) override;
    int GetHelpLanguage() const override;
    void RunAboutBox(const std::string& versionText) override;
    StartupScreenResult RunStartupScreen() override;
    void DocumentChanged() override;

    CMainFrame* Frame() const { return frame_.get(); }
    // The frame goes (its destructor writes the language choices).
    void DestroyMainFrame();

private:
    CHoravelApp& app_;
    ViewFactory viewFactory_;
    std::unique_ptr<CMainFrame> frame_;
};

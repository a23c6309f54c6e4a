#include "app/qt/QtAppWindows.h"

#include "app/Accessors.h"
#include "app/CHoravelApp.h"
#include "app/qt/CMainFrame.h"
#include "dialogs/qt/CDlgAPropos.h"
#include "dialogs/qt/CDlgDemarrage.h"
#include "docview/CHoravelView.h"
#include "platform/Services.h"

QtAppWindows::QtAppWindows(CHoravelApp& app, ViewFactory viewFactory)
    : app_(app), viewFactory_(std::move(viewFactory))
{
}

QtAppWindows::~QtAppWindows() = default;

bool QtAppWindows::CreateMainFrame()
{
    frame_ = std::make_unique<CMainFrame>(app_);
    if (viewFactory_)
        if (QWidget* view = viewFactory_(*frame_))
            frame_->SetView(view);
    return true;
}

void QtAppWindows::ShowSplash(const std::string& versionText)
{
    if (frame_)
        frame_->ShowSplash(versionText);
}

void QtAppWindows::AcceptDroppedFiles()
{
    if (frame_)
        frame_->setAcceptDrops(true);
}

void QtAppWindows::ShowMainWindow(bool maximised)
{
    if (frame_)
        frame_->ShowFrame(maximised);
}

void QtAppWindows::SetLanguage(int program, int fallback, int help)
{
    if (frame_)
        frame_->SetLanguage(program, fallback, help);
}

int QtAppWindows::GetHelpLanguage() const { return frame_ ? frame_->GetHelpLanguage() : 0; }

void QtAppWindows::RunAboutBox(const std::string& versionText)
{
    CDlgAPropos dialog(frame_.get());
    dialog.SetVersion(versionText);
    GetServices().DoModal(dialog);
}

StartupScreenResult QtAppWindows::RunStartupScreen()
{
    CDlgDemarrage dialog(frame_.get());
    StartupScreenResult result;
    result.result = GetServices().DoModal(dialog);
    result.command = dialog.GetCommand();
    result.showAtStartup = dialog.ShowAtStartup();
    return result;
}

void QtAppWindows::DocumentChanged()
{
    if (!frame_)
        return;
    frame_->UpdateTitle();
    // The framework's initial update of the view: a new layout for the new document.
    if (CHoravelView* view = GetView())
        view->OnInitialUpdate();
    else if (QWidget* widget = frame_->centralWidget())
        widget->update();
}

void QtAppWindows::DestroyMainFrame() { frame_.reset(); }

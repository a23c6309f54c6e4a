#include "setup/qt/SetupWindows.h"

#include "app/qt/DialogControls.h"
#include "setup/SetupResources.h"
#include "platform/Paths.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>
#include <QProgressBar>

namespace fs = std::filesystem;

namespace setup {
namespace {

bool g_pauses = true;

ProgramLauncher& Launcher()
{
    static ProgramLauncher launcher = [](const fs::path& program, const fs::path& folder) {
        return QProcess::startDetached(QString::fromStdString(program.string()), {},
                                       QString::fromStdString(folder.string()));
    };
    return launcher;
}

}  // namespace

void TranslateSetupTexts(QWidget& root, int templateId)
{
    if (!Resources().IsEnglish())
        return;
    for (QWidget* control : ControlsOf(root)) {
        const std::string text = Resources().DialogText(templateId, GetControlId(*control));
        if (!text.empty())
            SetControlText(*control, text);
    }
}

std::string SetupTitle(int templateId, const std::string& french)
{
    const std::string english = Resources().DialogText(templateId, templateId);
    return english.empty() ? french : english;
}

void MakeBold(QWidget& control)
{
    QFont font = control.font();
    font.setWeight(QFont::Bold);
    control.setFont(font);
}

void PauseWithEvents(int ms)
{
    QElapsedTimer timer;
    timer.start();
    do {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    } while (g_pauses && timer.elapsed() < ms);
}

void SetPausesEnabled(bool enabled) { g_pauses = enabled; }

bool LaunchProgram(const fs::path& program, const fs::path& folder) { return Launcher()(program, folder); }

ProgramLauncher SetProgramLauncher(ProgramLauncher launcher)
{
    ProgramLauncher previous = std::move(Launcher());
    Launcher() = std::move(launcher);
    return previous;
}

WindowProgress::WindowProgress(QWidget& window, QProgressBar* bar, QLabel* status, QLabel* percent,
                               std::vector<QLabel*> markers)
    : window_(window), bar_(bar), status_(status), percent_(percent), markers_(std::move(markers))
{
}

void WindowProgress::SetProgress(int percent)
{
    if (bar_)
        bar_->setValue(percent);
    Refresh();
}

void WindowProgress::SetStatus(const std::string& text)
{
    if (status_)
        SetControlText(*status_, text);
    Refresh();
}

void WindowProgress::SetStepMarker(int step, const std::string& marker)
{
    if (step >= 0 && step < static_cast<int>(markers_.size()) && markers_[static_cast<std::size_t>(step)])
        SetControlText(*markers_[static_cast<std::size_t>(step)], marker);
    Refresh();
}

void WindowProgress::SetPercentText(const std::string& text)
{
    if (percent_)
        SetControlText(*percent_, text);
    Refresh();
}

void WindowProgress::Pause(int ms) { PauseWithEvents(ms); }

void WindowProgress::Refresh() { window_.repaint(); }

std::vector<fs::path> ResourceFolders()
{
    std::vector<fs::path> folders;
    const fs::path own = paths::ExecutablePath().parent_path();
    if (!own.empty())
        folders.push_back(own);
    std::error_code ec;
    const fs::path current = fs::current_path(ec);
    if (!ec && current != own)
        folders.push_back(current);
    return folders;
}

}  // namespace setup

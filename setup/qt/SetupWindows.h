#pragma once
// What the installer's windows share: their English texts, bold titles, pauses that keep
// the window alive, and the start of the installed program.
#include "setup/InstallSteps.h"

#include <QWidget>

#include <filesystem>
#include <functional>
#include <string>

class QLabel;
class QProgressBar;

namespace setup {

// With the English resources in use, every control of root with a text takes the English
// text of (template, control) when the resources have one.
void TranslateSetupTexts(QWidget& root, int templateId);
// A template's title: the English one when the resources have it, else the French one.
std::string SetupTitle(int templateId, const std::string& french);
// A bold copy (weight 700) of the control's own font.
void MakeBold(QWidget& control);

// Waits that long while the windows keep painting; tests turn the waits off.
void PauseWithEvents(int ms);
void SetPausesEnabled(bool enabled);

// Starts the installed program in its folder; tests put a recorder in its place.
using ProgramLauncher = std::function<bool(const std::filesystem::path& program, const std::filesystem::path& folder)>;
bool LaunchProgram(const std::filesystem::path& program, const std::filesystem::path& folder);
ProgramLauncher SetProgramLauncher(ProgramLauncher launcher);

// Shows the steps' progress in a window's controls (any of them may be null).
class WindowProgress : public SetupProgress {
public:
    WindowProgress(QWidget& window, QProgressBar* bar, QLabel* status, QLabel* percent,
                   std::vector<QLabel*> markers = {});
    void SetProgress(int percent) override;
    void SetStatus(const std::string& text) override;
    void SetStepMarker(int step, const std::string& marker) override;
    void SetPercentText(const std::string& text) override;
    void Pause(int ms) override;

private:
    void Refresh();

    QWidget& window_;
    QProgressBar* bar_;
    QLabel* status_;
    QLabel* percent_;
    std::vector<QLabel*> markers_;
};

// The folders where the English resource file is looked for: the installer's own folder,
// then the current folder.
std::vector<std::filesystem::path> ResourceFolders();

}  // namespace setup

#include "dialogs/qt/SoftwareUpdateCheck.h"

#include "app/Accessors.h"
#include "app/BuildNumber.h"
#include "app/CHoravelApp.h"
#include "dialogs/qt/CDlgCheckVersion.h"
#include "dialogs/qt/CDlgNewVersion.h"
#include "platform/Profile.h"
#include "platform/Services.h"

#include <chrono>
#include <system_error>

namespace {

std::optional<std::int64_t> ModificationTime(const std::filesystem::path& file)
{
    std::error_code error;
    const auto written = std::filesystem::last_write_time(file, error);
    if (error)
        return std::nullopt;
    const auto system = std::chrono::file_clock::to_sys(written);
    return std::chrono::duration_cast<std::chrono::seconds>(system.time_since_epoch()).count();
}

}  // namespace

SoftwareUpdateHooks MakeSoftwareUpdateHooks(QWidget* parent)
{
    SoftwareUpdateHooks hooks;
    hooks.runningVersion = CHoravelApp::GetVersionString();
    if (const CHoravelApp* app = GetApp()) {
        hooks.runningBuild = app->GetBuildNumber();
        hooks.programFileTime = ModificationTime(app->GetProgramPath());
    }
    hooks.announce = [parent](const NewVersionNotice& notice) {
        CDlgNewVersion dialog(parent);
        dialog.m_currentDate = notice.currentDate;
        dialog.m_currentVersion = notice.currentVersion;
        dialog.m_availableDate = notice.availableDate;
        dialog.m_availableVersion = notice.availableVersion;
        dialog.m_link = notice.link;
        dialog.DoModal();
    };
    return hooks;
}

void RunAutomaticUpdateCheck(QWidget* parent)
{
    if (GetProfile().GetInt(kSoftwareUpdateSection, "bCheckVersion", 1) == 0)
        return;
    CheckForSoftwareUpdate(0, MakeSoftwareUpdateHooks(parent));
}

std::optional<int> OnCheckVersionCommand(QWidget* parent)
{
    CDlgCheckVersion ask(parent);
    if (ask.DoModal() != IDOK)
        return std::nullopt;
    return CheckForSoftwareUpdate(1, MakeSoftwareUpdateHooks(parent));
}

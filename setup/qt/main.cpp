// The installer's entry: installs the desktop services and runs the installation or the
// uninstallation its command line asks for.
#include "setup/qt/CSetupApp.h"
#include "platform/Services.h"
#include "platform/Timers.h"
#include "platform/qt/QtServices.h"
#include "platform/qt/QtTimers.h"

#include <QApplication>

#include <clocale>
#include <filesystem>
#include <memory>

int main(int argc, char** argv)
{
    QApplication qtApp(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    SetServices(std::make_unique<QtServices>());
    SetTimerService(std::make_unique<QtTimerService>());
    int result = 0;
    {
        std::error_code ec;
        CSetupApp app(std::filesystem::current_path(ec), setup::SetupLocations::FromEnvironment());
        result = app.Run(setup::CommandArguments(argc, argv));
    }
    SetTimerService(nullptr);
    SetServices(nullptr);
    return result;
}

// Program entry: installs the desktop services, then runs the main window.
#include "platform/Profile.h"
#include "platform/Services.h"
#include "platform/Timers.h"
#include "platform/qt/QtServices.h"
#include "platform/qt/QtTimers.h"

#include <QApplication>
#include <QMainWindow>
#include <clocale>
#include <memory>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // Numbers are read and written in the C locale whatever the user's locale.
    std::setlocale(LC_NUMERIC, "C");

    SetProfile(std::make_unique<IniFileProfile>(DefaultProfilePath()));
    SetServices(std::make_unique<QtServices>());
    SetTimerService(std::make_unique<QtTimerService>());

    int result = 0;
    {
        QMainWindow window;
        window.setWindowTitle("Horavel");
        window.resize(1024, 768);
        window.show();
        result = app.exec();
    }

    // Qt-backed services must go before the QApplication does.
    SetTimerService(nullptr);
    SetServices(nullptr);
    GetProfile().Flush();
    return result;
}

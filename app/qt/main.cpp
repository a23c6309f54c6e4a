// Program entry: installs the desktop services, then runs the main window.
#include "platform/ImageDecoder.h"
#include "platform/Profile.h"
#include "platform/ScreenDC.h"
#include "platform/Services.h"
#include "platform/Timers.h"
#include "platform/qt/QtImageDecoder.h"
#include "platform/qt/QtScreenDC.h"
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
    SetImageDecoder(std::make_unique<QtImageDecoder>());
    InstallQtScreenDC();

    int result = 0;
    {
        QMainWindow window;
        window.setWindowTitle("Horavel");
        window.resize(1024, 768);
        window.show();
        result = app.exec();
    }

    // Qt-backed services must go before the QApplication does.
    SetScreenDCFactory(nullptr);
    SetImageDecoder(nullptr);
    SetTimerService(nullptr);
    SetServices(nullptr);
    GetProfile().Flush();
    return result;
}

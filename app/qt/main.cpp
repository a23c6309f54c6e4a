// Program entry: installs the settings store and the desktop services, then runs the
// application object's start-up and the event loop, and takes everything down in order.
#include "app/Accessors.h"
#include "app/CHoravelApp.h"
#include "app/HelpPages.h"
#include "app/Translation.h"
#include "app/qt/CMainFrame.h"
#include "app/qt/QtAppWindows.h"
#include "dialogs/qt/FileNewWizard.h"
#include "dialogs/qt/FrameDialogs.h"
#include "dialogs/qt/CDlgCadreTexte.h"
#include "docview/CHoravelDoc.h"
#include "docview/CHoravelView.h"
#include "docview/qt/CDlgChargementCadran.h"
#include "docview/qt/CHoravelViewWidget.h"
#include "platform/ImageDecoder.h"
#include "platform/Profile.h"
#include "platform/Services.h"
#include "platform/Timers.h"
#include "platform/qt/QtImageDecoder.h"
#include "platform/qt/QtImageSurface.h"
#include "platform/qt/QtScreenDC.h"
#include "platform/qt/QtServices.h"
#include "platform/qt/QtTimers.h"

#include <QApplication>
#include <clocale>
#include <memory>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    QApplication qtApp(argc, argv);
    // Numbers are read and written in the C locale whatever the user's locale.
    std::setlocale(LC_NUMERIC, "C");

    // The settings of "Orlune Software" / "Horavel 2.0".
    SetProfile(std::make_unique<IniFileProfile>(DefaultProfilePath()));
    auto services = std::make_unique<QtServices>();
    QtServices& qtServices = *services;
    SetServices(std::move(services));
    SetTimerService(std::make_unique<QtTimerService>());
    SetImageDecoder(std::make_unique<QtImageDecoder>());
    InstallQtScreenDC();
    InstallTextFrameEditor();
    InstallQtImageSurface();

    int result = 1;
    {
        CHoravelApp app([] {
            auto document = std::make_unique<CHoravelDoc>();
            CHoravelDoc::Hooks hooks;
            // An opened dial is shown at scale.
            hooks.opened = [] {
                if (CHoravelView* view = GetView()) {
                    view->SetDisplayMode(CHoravelView::kScaleDrawing);
                    view->RecalcLayout(1);
                }
            };
            hooks.makeLoadingProgress = [] {
                return std::make_unique<CDlgChargementCadran>(GetMainFrame());
            };
            document->SetHooks(std::move(hooks));
            GetAppContext().document = document.get();
            return document;
        });
        QtAppWindows windows(app, [](CMainFrame& frame) -> QWidget* {
            InstallFrameDialogs(frame);
            return new CHoravelViewWidget(&frame);
        });
        app.SetWindows(&windows);
        InstallFileNewWizard(app, windows);
        // A new printer brings a new sheet size.
        app.SetPrinterChangedHandler([] {
            if (CHoravelDoc* document = GetDocument())
                document->UpdatePrinterPageSize();
            if (CHoravelView* view = GetView()) {
                view->RecalcLayout(1);
                view->OnUpdate();
            }
        });
        qtServices.SetHelpHandler([&app](unsigned helpId) { app.WinHelp(helpId, HELP_CONTEXT); });
        qtServices.SetHelpWindowTexts([] {
            return HelpWindowTexts{GetTranslatedString(kHelpBackString), GetTranslatedString(kHelpForwardString)};
        });

        std::vector<std::string> args;
        const QStringList arguments = QCoreApplication::arguments();
        for (qsizetype i = 1; i < arguments.size(); ++i)
            args.push_back(arguments[i].toStdString());
        if (app.InitInstance(args)) {
            qtServices.SetDialogParent(windows.Frame());
            result = qtApp.exec();
        }
        qtServices.SetDialogParent(nullptr);
        windows.DestroyMainFrame();
        app.ExitInstance();
        GetAppContext().document = nullptr;
    }

    // Qt-backed services must go before the QApplication does.
    SetImageDecoder(nullptr);
    SetImageSurfaceFactory(nullptr);
    SetTimerService(nullptr);
    SetServices(nullptr);
    GetProfile().Flush();
    return result;
}

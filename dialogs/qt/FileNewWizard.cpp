#include "dialogs/qt/FileNewWizard.h"

#include "app/Accessors.h"
#include "app/CHoravelApp.h"
#include "app/qt/CMainFrame.h"
#include "app/qt/QtAppWindows.h"
#include "dialogs/NewDialCommand.h"
#include "dialogs/qt/CWizardCreationCadran.h"
#include "docview/CHoravelDoc.h"

void InstallFileNewWizard(CHoravelApp& app, QtAppWindows& windows)
{
    app.SetCreationWizard([&windows] {
        CHoravelDoc* document = GetDocument();
        if (!document)
            return;
        FileNewSteps steps;
        steps.runWizard = [document, &windows] {
            CWizardCreationCadran wizard(*document, windows.Frame());
            return wizard.DoModal();
        };
        RunFileNewWizard(*document, steps);
        windows.DocumentChanged();
    });
}

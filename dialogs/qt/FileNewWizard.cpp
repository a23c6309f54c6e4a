#include "dialogs/qt/FileNewWizard.h"

#include "app/Accessors.h"
#include "app/CHoravelApp.h"
#include "app/qt/CMainFrame.h"
#include "app/qt/QtAppWindows.h"
#include "dialogs/NewDialCommand.h"
#include "dialogs/qt/CWizardCreationCadran.h"
#include "docview/CHoravelDoc.h"
#include "docview/CHoravelView.h"

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
        steps.viewDefaults = []() -> std::optional<NewDialDefaults> {
            const CHoravelView* view = GetView();
            if (!view)
                return std::nullopt;
            const CHoravelView::DefaultDimensions& dims = view->GetDefaultDimensions();
            return NewDialDefaults{view->GetDefaultPrefs(), dims.styleHeight, dims.width, dims.height};
        };
        steps.showScaleDrawing = [] {
            if (CHoravelView* view = GetView())
                view->SetDisplayMode(CHoravelView::kScaleDrawing);
        };
        steps.relayout = [] {
            if (CHoravelView* view = GetView()) {
                view->RecalcLayout(1);
                view->OnUpdate();
            }
        };
        RunFileNewWizard(*document, steps);
        windows.DocumentChanged();
    });
}

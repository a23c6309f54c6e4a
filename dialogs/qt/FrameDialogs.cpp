#include "dialogs/qt/FrameDialogs.h"

#include "app/Accessors.h"
#include "app/qt/CMainFrame.h"
#include "dialogs/qt/CDlgPreferencesGenerales.h"
#include "dialogs/qt/CDlgPreferencesLangue.h"
#include "dialogs/qt/CDlgRechercheAide.h"
#include "dialogs/qt/SoftwareUpdateCheck.h"
#include "docview/CHoravelDoc.h"
#include "docview/CHoravelView.h"
#include "model/CCadran.h"

namespace {

constexpr int kGeneralPreferencesCommand = 32986;
constexpr int kHelpSearchCommand = 32979;
constexpr int kCheckVersionCommand = 32884;

// The dial's preferences, or the view's defaults that new dials take.
CPrefs* PreferencesInForce()
{
    if (CCadran* dial = GetDial())
        return &dial->prefs;
    if (CHoravelView* view = GetView())
        return &view->GetDefaultPrefs();
    return nullptr;
}

}  // namespace

void InstallFrameDialogs(CMainFrame& frame)
{
    frame.SetLanguageDialog([&frame](int& program, int& fallback, int& help) {
        return RunLanguagePreferences(program, fallback, help, &frame);
    });
    frame.SetUpdateCheck([&frame](int interactive) {
        if (interactive)
            OnCheckVersionCommand(&frame);
        else
            RunAutomaticUpdateCheck(&frame);
    });
    frame.OnFrameCommand(kGeneralPreferencesCommand, [&frame] {
        CPrefs* prefs = PreferencesInForce();
        if (!prefs)
            return;
        const bool ofDial = GetDial() != nullptr;
        const int doubleFrame = prefs->doubleFrame;
        const int thickness = prefs->frameThickness;
        if (!RunGeneralPreferences(*prefs, &frame))
            return;
        // The frame options are the dial's: a change is a change of the document.
        if (ofDial && (prefs->doubleFrame != doubleFrame || prefs->frameThickness != thickness))
            if (CHoravelDoc* document = GetDocument())
                document->SetModifiedFlag(true);
        if (QWidget* view = frame.centralWidget())
            view->update();
    });
    frame.OnFrameCommand(kHelpSearchCommand, [&frame] {
        CDlgRechercheAide dialog(&frame);
        dialog.DoModal();
    });
    frame.OnFrameCommand(kCheckVersionCommand, [&frame] { OnCheckVersionCommand(&frame); });
}

#include "app/Accessors.h"

#include "platform/Services.h"

AppContext& GetAppContext()
{
    static AppContext context;
    return context;
}

CHoravelApp* GetApp() { return GetAppContext().app; }
CMainFrame* GetMainFrame() { return GetAppContext().mainFrame; }
CHoravelDoc* GetDocument() { return GetAppContext().document; }
CHoravelView* GetView() { return GetAppContext().view; }
CDrawingTools* GetDrawingTools() { return GetAppContext().drawingTools; }
CLanguageFile* GetLanguageFile() { return GetAppContext().languageFile; }

int GetLanguageIndex() { return GetAppContext().programLanguage; }

int GetCurrentYear() { return GetServices().LocalNow().year; }

#pragma once
// Where any part of the program finds the application's single objects.
//
// The application context holds observing pointers that the application (or a test) sets;
// the objects stay owned by their owners. The core never reaches Qt through these
// accessors: the windows behind CMainFrame and CHoravelView register themselves here, and
// what the core needs from them (the program language, the screen resolution) is stored as
// plain values. The clock, message boxes, screen and printer are the desktop services'
// (platform/Services.h).

class CHoravelApp;
class CMainFrame;
class CHoravelDoc;
class CHoravelView;
class CDrawingTools;
class CLanguageFile;
class CCadran;
class CLocationList;

struct AppContext {
    CHoravelApp* app = nullptr;
    CMainFrame* mainFrame = nullptr;
    CHoravelDoc* document = nullptr;
    CHoravelView* view = nullptr;
    CDrawingTools* drawingTools = nullptr;
    CLanguageFile* languageFile = nullptr;

    // The main frame's program and fallback languages (language indices). The main frame
    // sets them when it applies its choices and puts back 0 when it is destroyed.
    int programLanguage = 0;
    int fallbackLanguage = 0;

    // Screen pixels per inch that the document's layouts were made for.
    int screenPixelsPerInchX = 96;
    int screenPixelsPerInchY = 96;

    // The view's default symmetricMargins, which new dials take; 1 while there is no view.
    int defaultSymmetricMargins = 1;
};

// The one context of the process.
AppContext& GetAppContext();

CHoravelApp* GetApp();
CMainFrame* GetMainFrame();
CHoravelDoc* GetDocument();
CHoravelView* GetView();
CDrawingTools* GetDrawingTools();
CLanguageFile* GetLanguageFile();
// The dial and the location list of the document; defined with the document.
CCadran* GetDial();
CLocationList* GetLocationList();

// The main frame's program language (0 while there is no main frame).
int GetLanguageIndex();
// The current local year (from the desktop services' clock).
int GetCurrentYear();

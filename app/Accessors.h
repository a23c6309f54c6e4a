#pragma once
// Where any part of the program finds the application's single objects.
//
// The application context holds observing pointers that the application (or a test) sets;
// the objects stay owned by their owners. The core never reaches Qt through these
// accessors: the windows behind CMainFrame and CHoravelView register themselves here, and
// what the core needs from them (the program language, the screen resolution) is stored as
// plain values.
#include <functional>
#include <optional>
#include <string>

class CHoravelApp;
class CMainFrame;
class CHoravelDoc;
class CHoravelView;
class CDrawingTools;
class CLanguageFile;
class CCadran;
class CLocationList;

// A local calendar time, to the second.
struct LocalTime {
    int year = 0;
    int month = 0;  // 1..12
    int day = 0;    // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
};

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

    // The local clock; when empty the system clock is read. Returns nothing when the local
    // time cannot be obtained.
    std::function<std::optional<LocalTime>()> localClock;

    // Shows a message box with the program's caption and returns the button pressed; set by
    // the windowing layer. Without it no box can be shown and the answer is 0.
    std::function<int(const std::string& text, unsigned type, unsigned helpId)> messageBox;
};

// The one context of the process.
AppContext& GetAppContext();

// Reads the local clock of the context (the system clock unless a test set one).
std::optional<LocalTime> GetLocalTime();

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
// The current local year; 0 when the local time cannot be obtained.
int GetCurrentYear();

#pragma once
// File > New once the document has emptied itself: the creation wizard runs with the old
// dial set aside; Finish keeps the new dial, gives it the view's default drawing options
// and titles the document after the place and the dial type; Cancel puts the old dial back.
#include "model/CPrefs.h"

#include <functional>
#include <memory>
#include <optional>

class CCadran;
class CHoravelDoc;

// The result of a wizard ended by Finish (the wizard sheet's ID_WIZFINISH).
inline constexpr int kWizardFinished = 12325;

// What a new dial takes from the view (its default drawing options and dimensions).
struct NewDialDefaults {
    CPrefs prefs;
    int styleHeight = 25;  // mm
    int width = 160;       // mm
    int height = 180;      // mm
};

struct FileNewSteps {
    // Runs the wizard modally: kWizardFinished when a family page stored a new dial.
    std::function<int()> runWizard;
    // The view's defaults; no value (or no function) while there is no view.
    std::function<std::optional<NewDialDefaults>()> viewDefaults;
    // The view shows the scale drawing of the dial (after Finish).
    std::function<void()> showScaleDrawing;
    // The view lays out one page again and repaints (after Finish and after Cancel).
    std::function<void()> relayout;
};

// Returns true when the wizard finished with a new dial in the document.
bool RunFileNewWizard(CHoravelDoc& doc, const FileNewSteps& steps);

// What every family page does with the dial it built: puts it at the document's current
// location and the astronomy module's year, stores it as the document's dial (the one
// there before goes) and fills its coordinate tables.
void InstallNewDial(CHoravelDoc& doc, std::unique_ptr<CCadran> dial);

// Fills the coordinate tables of the document's dial (72 dates, then the 36 solar
// longitudes) and marks them valid. Returns 1, or 0 when the document has no dial.
int ComputeDialTables(CHoravelDoc& doc);

// The latitude of the document's current location (degrees); without one, that of a dial
// as constructed.
double CurrentLatitude(const CHoravelDoc& doc);

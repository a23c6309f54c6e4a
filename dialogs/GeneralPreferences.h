#pragma once
// The general preferences: profile values of several parts of the program, and the frame
// options of the dial (or of the view's defaults when there is no dial).
class CPrefs;

struct GeneralPreferences {
    int checkVersion = 1;         // "Options\SoftwareUpdate" "bCheckVersion"
    int colouredBackground = 1;   // "Options\General" "bCouleurCadran"
    int cuttingMarks = 0;         // "bTraceReperesCoupe"
    int pageLimits = 0;           // "bTraceLimitesPages"
    int startupScreen = 1;        // "Options" "Startup", and the inverse of "Tips" "IntStartup"
    int longitudeCorrection = 0;  // "bCorrectionLongEot"
    int eotSign = 0;              // "nModeEot": 0 mean - solar, 1 solar - mean
    int doubleFrame = 1;
    int frameThickness = 5;       // mm
};

// "Tips"/"IntStartup" when absent: the start-up screen is shown, as with "Options"/"Startup"
// absent. The start-up screen and the general preferences both read it with this.
inline constexpr int kIntStartupDefault = 0;

GeneralPreferences ReadGeneralPreferences(const CPrefs& prefs);
void WriteGeneralPreferences(const GeneralPreferences& values, CPrefs& prefs);

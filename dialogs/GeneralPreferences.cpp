#include "dialogs/GeneralPreferences.h"

#include "model/CPrefs.h"
#include "platform/Profile.h"

namespace {

constexpr const char* kGeneral = "Options\\General";
constexpr const char* kUpdate = "Options\\SoftwareUpdate";
constexpr const char* kTips = "Tips";

}  // namespace

GeneralPreferences ReadGeneralPreferences(const CPrefs& prefs)
{
    const Profile& profile = GetProfile();
    GeneralPreferences values;
    values.checkVersion = profile.GetInt(kUpdate, "bCheckVersion", 1);
    values.colouredBackground = profile.GetInt(kGeneral, "bCouleurCadran", 1);
    values.cuttingMarks = profile.GetInt(kGeneral, "bTraceReperesCoupe", 0);
    values.pageLimits = profile.GetInt(kGeneral, "bTraceLimitesPages", 0);
    values.startupScreen = profile.GetInt(kTips, "IntStartup", kIntStartupDefault) ? 0 : 1;
    // The equation-of-time pages read it with 0 when absent; the box must show what they draw.
    values.longitudeCorrection = profile.GetInt(kGeneral, "bCorrectionLongEot", 0);
    values.eotSign = profile.GetInt(kGeneral, "nModeEot", 0);
    values.doubleFrame = prefs.doubleFrame;
    values.frameThickness = prefs.frameThickness;
    return values;
}

void WriteGeneralPreferences(const GeneralPreferences& values, CPrefs& prefs)
{
    Profile& profile = GetProfile();
    profile.WriteInt(kUpdate, "bCheckVersion", values.checkVersion);
    profile.WriteInt(kGeneral, "bCouleurCadran", values.colouredBackground);
    profile.WriteInt(kGeneral, "bTraceReperesCoupe", values.cuttingMarks);
    profile.WriteInt(kGeneral, "bTraceLimitesPages", values.pageLimits);
    // Start-up reads "Options"/"Startup"; "IntStartup" presets the start-up screen's own check.
    profile.WriteInt("Options", "Startup", values.startupScreen ? 1 : 0);
    profile.WriteInt(kTips, "IntStartup", values.startupScreen ? 0 : 1);
    profile.WriteInt(kGeneral, "bCorrectionLongEot", values.longitudeCorrection);
    profile.WriteInt(kGeneral, "nModeEot", values.eotSign);
    prefs.doubleFrame = values.doubleFrame;
    prefs.frameThickness = values.frameThickness;
}

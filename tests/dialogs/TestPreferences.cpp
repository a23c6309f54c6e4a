#include "dialogs/GeneralPreferences.h"
#include "dialogs/LanguageChoice.h"
#include "model/CPrefs.h"
#include "platform/FakeServices.h"
#include "platform/Profile.h"

#include <gtest/gtest.h>

TEST(LanguageChoiceTest, HelpPagesAndFallbackFollowTheProgramLanguage)
{
    LanguageChoice start;
    start.fallback = 0;
    start.helpPlace = 1;

    // Italian has help pages: Italian help, locked; English as fallback, which may change.
    LanguageChoice italian = ChooseProgramLanguage(start, 4);
    EXPECT_EQ(italian.program, 4);
    EXPECT_EQ(italian.helpPlace, 2);
    EXPECT_FALSE(italian.helpEnabled);
    EXPECT_EQ(italian.fallback, 1);
    EXPECT_TRUE(italian.fallbackEnabled);

    // German has none: the help choice stays as it was and open, the fallback too.
    LanguageChoice german = ChooseProgramLanguage(start, 2);
    EXPECT_EQ(german.helpPlace, 1);
    EXPECT_TRUE(german.helpEnabled);
    EXPECT_EQ(german.fallback, 0);
    EXPECT_TRUE(german.fallbackEnabled);

    // English: English help and fallback, neither open.
    LanguageChoice english = ChooseProgramLanguage(start, 1);
    EXPECT_EQ(english.helpPlace, 1);
    EXPECT_EQ(english.fallback, 1);
    EXPECT_FALSE(english.helpEnabled);
    EXPECT_FALSE(english.fallbackEnabled);
    LanguageChoice french = ChooseProgramLanguage(english, 0);
    EXPECT_EQ(french.helpPlace, 0);
    EXPECT_EQ(french.fallback, 0);

    EXPECT_EQ(HelpLanguagePlace(4), 2);
    EXPECT_EQ(HelpLanguagePlace(3), -1);
}

TEST(GeneralPreferencesTest, ReadsDefaultsAndWritesBackEveryValue)
{
    ScopedMemoryProfile profile;
    CPrefs prefs;
    prefs.doubleFrame = 0;
    prefs.frameThickness = 7;
    GeneralPreferences values = ReadGeneralPreferences(prefs);
    EXPECT_EQ(values.checkVersion, 1);
    EXPECT_EQ(values.colouredBackground, 1);
    EXPECT_EQ(values.cuttingMarks, 0);
    EXPECT_EQ(values.pageLimits, 0);
    EXPECT_EQ(values.startupScreen, 1);  // "IntStartup" absent: the screen is shown
    EXPECT_EQ(values.longitudeCorrection, 0);
    EXPECT_EQ(values.eotSign, 0);
    EXPECT_EQ(values.doubleFrame, 0);
    EXPECT_EQ(values.frameThickness, 7);

    values.checkVersion = 0;
    values.colouredBackground = 0;
    values.cuttingMarks = 1;
    values.pageLimits = 1;
    values.startupScreen = 0;
    values.longitudeCorrection = 1;
    values.eotSign = 1;
    values.doubleFrame = 1;
    values.frameThickness = 3;
    WriteGeneralPreferences(values, prefs);
    EXPECT_EQ(profile->GetInt("Options\\SoftwareUpdate", "bCheckVersion", -1), 0);
    EXPECT_EQ(profile->GetInt("Options\\General", "bCouleurCadran", -1), 0);
    EXPECT_EQ(profile->GetInt("Options\\General", "bTraceReperesCoupe", -1), 1);
    EXPECT_EQ(profile->GetInt("Options\\General", "bTraceLimitesPages", -1), 1);
    EXPECT_EQ(profile->GetInt("Tips", "IntStartup", -1), 1);
    EXPECT_EQ(profile->GetInt("Options\\General", "bCorrectionLongEot", -1), 1);
    EXPECT_EQ(profile->GetInt("Options\\General", "nModeEot", -1), 1);
    EXPECT_EQ(prefs.doubleFrame, 1);
    EXPECT_EQ(prefs.frameThickness, 3);

    const GeneralPreferences again = ReadGeneralPreferences(prefs);
    EXPECT_EQ(again.startupScreen, 0);
    EXPECT_EQ(again.longitudeCorrection, 1);
    EXPECT_EQ(again.checkVersion, 0);
}

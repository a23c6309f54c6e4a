#include "dialogs/LineOptions.h"

#include "model/CCadranHorizontal.h"

#include <gtest/gtest.h>

TEST(ParticularDates, OnlyRealDaysOfTheMonthExist)
{
    EXPECT_TRUE(DateExists(29, 2));
    EXPECT_FALSE(DateExists(30, 2));
    EXPECT_FALSE(DateExists(31, 4));
    EXPECT_TRUE(DateExists(30, 4));
    for (int month : {6, 9, 11})
        EXPECT_FALSE(DateExists(31, month)) << month;
    for (int month : {1, 3, 5, 7, 8, 10, 12})
        EXPECT_TRUE(DateExists(31, month)) << month;
    EXPECT_FALSE(DateExists(0, 1));
    EXPECT_FALSE(DateExists(1, 0));
    EXPECT_FALSE(DateExists(1, 13));
}

TEST(ParticularDates, CodesTextsAndRemoval)
{
    EXPECT_EQ(ParticularDateCode(3, 3), 303u);
    EXPECT_EQ(ParticularDateCode(31, 12), 3112u);
    EXPECT_EQ(ParticularDateText(303), "3 Mars");
    EXPECT_EQ(ParticularDateText(3112), "31 Décembre");
    std::vector<std::uint32_t> dates{303, 1507, 303, 2512};
    RemoveParticularDate(dates, 303);
    EXPECT_EQ(dates, (std::vector<std::uint32_t>{1507, 2512}));
}

class Indications : public ::testing::Test {
protected:
    CCadranHorizontal dial_;
};

TEST_F(Indications, TheChoiceShownFollowsTheDial)
{
    EXPECT_EQ(IndicationChoiceOfDial(dial_), 0);
    dial_.prefs.noonMark = 1;
    dial_.prefs.noonMarkType = 1;
    EXPECT_EQ(IndicationChoiceOfDial(dial_), 2);
    dial_.localSolarTime = 0;
    EXPECT_EQ(IndicationChoiceOfDial(dial_), 3);
    dial_.prefs.noonMarkType = 0;
    EXPECT_EQ(IndicationChoiceOfDial(dial_), 1);
    dial_.prefs.horizontalLines = 1;
    EXPECT_EQ(IndicationChoiceOfDial(dial_), 4);
}

TEST_F(Indications, MeanTimeDrawsTheMeridianAtEachHourLineAndSolarTimeBringsItBackToNoon)
{
    dial_.prefs.noonMark = 0;
    dial_.prefs.noonMarkShape = 2;
    dial_.prefs.noonMarkWithHourLine = 0;
    HourChecks checks{1, 1, 1};
    ApplyIndicationChoice(2, checks, dial_);
    EXPECT_EQ(dial_.prefs.noonMark, 1);
    EXPECT_EQ(dial_.prefs.noonMarkType, 1);
    EXPECT_EQ(dial_.localSolarTime, 1);
    EXPECT_EQ(dial_.prefs.hourLines, 1);
    EXPECT_EQ(checks.italic + checks.babylonian + checks.temporary, 0);
    EXPECT_EQ(dial_.prefs.italicHours, 0);
    EXPECT_EQ(IndicationChoiceOfDial(dial_), 2);

    checks = {1, 0, 1};
    ApplyIndicationChoice(0, checks, dial_);
    EXPECT_EQ(dial_.prefs.noonMark, 1);
    EXPECT_EQ(dial_.prefs.noonMarkType, 0);
    EXPECT_EQ(dial_.prefs.noonMarkShape, 0);
    EXPECT_EQ(dial_.prefs.noonMarkWithHourLine, 1);
    EXPECT_EQ(dial_.prefs.italicHours, 1);
    EXPECT_EQ(dial_.prefs.babylonianHours, 0);
    EXPECT_EQ(dial_.prefs.temporaryHours, 1);
    EXPECT_EQ(IndicationChoiceOfDial(dial_), 0);

    ApplyIndicationChoice(3, checks, dial_);
    EXPECT_EQ(dial_.localSolarTime, 0);
    EXPECT_EQ(IndicationChoiceOfDial(dial_), 3);
    ApplyIndicationChoice(1, checks, dial_);
    EXPECT_EQ(dial_.localSolarTime, 0);
    EXPECT_EQ(dial_.prefs.noonMarkType, 0);
}

TEST_F(Indications, AzimuthAndAltitudeReplaceTheHourLines)
{
    HourChecks checks{1, 1, 1};
    ApplyIndicationChoice(4, checks, dial_);
    EXPECT_EQ(dial_.prefs.horizontalLines, 1);
    EXPECT_EQ(dial_.prefs.hourLines, 0);
    EXPECT_EQ(dial_.prefs.temporaryHours, 0);
    ApplyIndicationChoice(0, checks, dial_);
    EXPECT_EQ(dial_.prefs.horizontalLines, 0);
    EXPECT_EQ(dial_.prefs.hourLines, 1);
}

TEST(DiurnalArcs, EveryModeSurvivesTheFields)
{
    for (int mode = 0; mode <= 14; ++mode) {
        DiurnalArcFields fields;
        DiurnalArcModeToFields(mode, fields);
        EXPECT_EQ(DiurnalArcFieldsToMode(fields), mode) << mode;
    }
    DiurnalArcFields untouched{5, 1, 0};
    DiurnalArcModeToFields(15, untouched);
    DiurnalArcModeToFields(-1, untouched);
    EXPECT_EQ(untouched.step, 5);
    EXPECT_EQ(untouched.solsticeArcs, 1);
}

TEST(DiurnalArcs, FieldsThatNoModeShowsStillGiveAMode)
{
    EXPECT_EQ(DiurnalArcFieldsToMode({4, 1, 0}), 1);   // configuration off
    EXPECT_EQ(DiurnalArcFieldsToMode({0, 1, 1}), 2);   // half-year arcs with the solstices
    EXPECT_EQ(DiurnalArcFieldsToMode({3, 0, 1}), 4);   // that step draws the solstices anyway
    EXPECT_EQ(DiurnalArcFieldsToMode({-1, 0, 1}), 2);  // no step chosen
}

TEST(DiurnalArcs, AStepClickSetsTheConfigurationAndRulesTheSolsticeCheck)
{
    DiurnalArcFields f{0, 1, 0};
    EXPECT_FALSE(ApplyDiurnalStepClick(f));
    EXPECT_EQ(f.byConfiguration, 1);
    EXPECT_EQ(f.solsticeArcs, 0);
    f = {2, 0, 0};
    EXPECT_FALSE(ApplyDiurnalStepClick(f));
    EXPECT_EQ(f.solsticeArcs, 1);
    f = {5, 1, 0};
    EXPECT_TRUE(ApplyDiurnalStepClick(f));
    EXPECT_EQ(f.solsticeArcs, 1);
    f = {4, 0, 0};
    EXPECT_TRUE(ApplyDiurnalStepClick(f));
    EXPECT_EQ(f.solsticeArcs, 0);
    f = {8, 1, 0};
    EXPECT_TRUE(ApplyDiurnalStepClick(f));
    EXPECT_EQ(f.solsticeArcs, 0);
}

TEST(NoonMark, OnlyAMeridianAtEachHourLineKeepsItsHalfShapes)
{
    CPrefs prefs;
    prefs.noonMark = 1;
    prefs.noonMarkType = 1;
    prefs.noonMarkShape = 2;
    prefs.noonMarkWithHourLine = 0;
    prefs.noonMarkPointer = 1;
    NoonMarkOpening o = NoonMarkFromPrefs(prefs);
    EXPECT_TRUE(o.atEachHourLine);
    EXPECT_EQ(o.fields.placement, 1);
    EXPECT_EQ(o.fields.shape, 2);
    EXPECT_EQ(o.fields.withHourLine, 0);
    EXPECT_EQ(o.fields.datePoints, 1);

    prefs.noonMarkType = 0;
    o = NoonMarkFromPrefs(prefs);
    EXPECT_FALSE(o.atEachHourLine);
    EXPECT_EQ(o.fields.placement, 0);
    EXPECT_EQ(o.fields.shape, 0);
    EXPECT_EQ(o.fields.withHourLine, 1);

    prefs.noonMark = 0;
    prefs.noonMarkType = 1;
    EXPECT_EQ(NoonMarkFromPrefs(prefs).fields.placement, 2);
}

TEST(NoonMark, ThePlacementWritesTheMeridianFlags)
{
    CPrefs prefs;
    ApplyNoonMarkToPrefs({1, 0, 1, 1}, prefs);
    EXPECT_EQ(prefs.noonMark, 1);
    EXPECT_EQ(prefs.noonMarkType, 1);
    EXPECT_EQ(prefs.noonMarkShape, 1);
    EXPECT_EQ(prefs.noonMarkWithHourLine, 0);
    EXPECT_EQ(prefs.noonMarkPointer, 1);
    ApplyNoonMarkToPrefs({0, 1, 0, 2}, prefs);
    EXPECT_EQ(prefs.noonMark, 0);
    EXPECT_EQ(prefs.noonMarkType, 1);  // kept for the next time the meridian is drawn
    ApplyNoonMarkToPrefs({0, 1, 0, 0}, prefs);
    EXPECT_EQ(prefs.noonMark, 1);
    EXPECT_EQ(prefs.noonMarkType, 0);
}

TEST(ReferenceYear, AcceptedYearsAndTheFourYearAverage)
{
    EXPECT_TRUE(ReferenceYearAccepted(1950));
    EXPECT_TRUE(ReferenceYearAccepted(2100));
    EXPECT_FALSE(ReferenceYearAccepted(1949));
    EXPECT_FALSE(ReferenceYearAccepted(2101));
    EXPECT_EQ(FourYearAverageText(2001), "Moyenne des années 2000 à 2003.");
    EXPECT_EQ(FourYearAverageText(2000), "Moyenne des années 2000 à 2003.");
    EXPECT_EQ(FourYearAverageText(2100), "Moyenne des années 2096 à 2099.");
    EXPECT_EQ(FourYearAverageText(2101), "");
}

// The view's commands that open the dimension, anchor, line option and line style dialogs:
// offered only with their dialog, what is enabled when, and what the view does afterwards
// (the document marked modified when the dial changed, the layout, the repaint).
#include "DocTestSupport.h"
#include "ViewTestSupport.h"
#include "model/DialTestDials.h"

#include "app/Accessors.h"
#include "docview/CHoravelView.h"
#include "docview/ColorTable.h"
#include "docview/ViewWindow.h"
#include "platform/FakeServices.h"

#include <gtest/gtest.h>

namespace {

class OptionDialogCommands : public ViewFixture<> {
protected:
    CommandRouter Router() { return CommandRouter::Fixed({&View().Commands()}); }

    CCadran& PutDial()
    {
        auto dial = dialtest::MakeDial<dialtest::HorizontalDial>(47.24, -6.02, 1.0, 2024, 0.0, 200, 200);
        CCadran& ref = *dial;
        Doc().SetDial(std::move(dial));
        Doc().SetModifiedFlag(false);
        window_.invalidations = window_.erasingInvalidations = 0;
        return ref;
    }

};

}  // namespace

TEST_F(OptionDialogCommands, EachCommandIsOfferedOnlyWithItsDialog)
{
    PutDial();
    const CommandRouter router = Router();
    for (int id : {32803, 32865, 32852, 32864, 32812, 32904, 32941, 32866})
        EXPECT_FALSE(router.HasHandler(id)) << id;
    ViewDialogs dialogs;
    dialogs.dimensions = [](CHoravelView&, CCadran*) { return false; };
    dialogs.styleAnchor = [](CCadran&) { return false; };
    dialogs.noonMark = [](CPrefs&) { return false; };
    dialogs.diurnalArcs = [](CCadran*, CPrefs&) { return false; };
    dialogs.particularDates = [](CCadran&) { return false; };
    dialogs.lineStyles = [] {};
    dialogs.indications = [](CCadran&) { return false; };
    dialogs.referenceYear = [](CHoravelDoc&) { return false; };
    View().SetDialogs(std::move(dialogs));
    const CommandRouter withDialogs = Router();
    for (int id : {32803, 32865, 32852, 32864, 32812, 32904, 32941, 32866})
        EXPECT_TRUE(withDialogs.HasHandler(id)) << id;
}

TEST_F(OptionDialogCommands, EnableRulesFollowTheDialAndTheMode)
{
    ViewDialogs dialogs;
    dialogs.styleAnchor = [](CCadran&) { return false; };
    dialogs.particularDates = [](CCadran&) { return false; };
    dialogs.indications = [](CCadran&) { return false; };
    dialogs.noonMark = [](CPrefs&) { return false; };
    dialogs.diurnalArcs = [](CCadran*, CPrefs&) { return false; };
    View().SetDialogs(std::move(dialogs));
    {
        const CommandRouter router = Router();
        EXPECT_FALSE(router.Update(32865).IsEnabled());  // no dial
        EXPECT_FALSE(router.Update(32941).IsEnabled());
        EXPECT_TRUE(router.Update(32852).IsEnabled());
        EXPECT_TRUE(router.Update(32864).IsEnabled());
    }
    CCadran& dial = PutDial();
    const CommandRouter router = Router();
    EXPECT_TRUE(router.Update(32865).IsEnabled());
    EXPECT_TRUE(router.Update(32812).IsEnabled());
    EXPECT_FALSE(router.Update(32812).IsChecked());
    dial.prefs.anniversaryDate = 1;
    EXPECT_TRUE(router.Update(32812).IsChecked());
    dial.prefs.horizontalLines = 1;  // azimuth and altitude: no date arcs
    EXPECT_FALSE(router.Update(32812).IsEnabled());
    EXPECT_FALSE(router.Update(32864).IsEnabled());
    EXPECT_TRUE(router.Update(32941).IsEnabled());
    dial.prefs.horizontalLines = 0;
    dial.typeCode = 20;  // hour points
    EXPECT_FALSE(router.Update(32941).IsEnabled());
    EXPECT_FALSE(router.Update(32852).IsEnabled());
    dial.typeCode = 1;
    View().SetDisplayMode(13);
    EXPECT_FALSE(router.Update(32865).IsEnabled());
}

TEST_F(OptionDialogCommands, DimensionsLayOutAgainAndMarkTheDocumentOnlyWhenADialChanged)
{
    bool answer = true;
    CCadran* seen = nullptr;
    ViewDialogs dialogs;
    dialogs.dimensions = [&](CHoravelView& view, CCadran* dial) {
        seen = dial;
        if (answer && dial)
            dial->width = 300;
        else if (answer)
            view.GetDefaultDimensions().width = 210;
        return answer;
    };
    View().SetDialogs(std::move(dialogs));
    ASSERT_TRUE(Router().Execute(32803));
    EXPECT_EQ(seen, nullptr);
    EXPECT_EQ(View().GetDefaultDimensions().width, 210);
    EXPECT_FALSE(Doc().IsModified());

    CCadran& dial = PutDial();
    answer = false;
    ASSERT_TRUE(Router().Execute(32803));
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_EQ(window_.invalidations, 1);  // repainted whatever the answer
    answer = true;
    ASSERT_TRUE(Router().Execute(32803));
    EXPECT_EQ(seen, &dial);
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_EQ(window_.invalidations, 2);
    EXPECT_EQ(window_.erasingInvalidations, 0);
}

TEST_F(OptionDialogCommands, ChangesMadeWhileADialogRunsAreSavedEvenWhenItIsCancelled)
{
    CCadran& dial = PutDial();
    ViewDialogs dialogs;
    dialogs.particularDates = [](CCadran& d) {
        d.particularDates.push_back(2506);
        return false;
    };
    dialogs.indications = [](CCadran& d) {
        d.localSolarTime = 0;
        return false;
    };
    View().SetDialogs(std::move(dialogs));
    ASSERT_TRUE(Router().Execute(32812));
    EXPECT_EQ(dial.particularDates.back(), 2506u);
    EXPECT_TRUE(Doc().IsModified());
    Doc().SetModifiedFlag(false);
    ASSERT_TRUE(Router().Execute(32941));
    EXPECT_TRUE(Doc().IsModified());
    Doc().SetModifiedFlag(false);
    ASSERT_TRUE(Router().Execute(32941));  // nothing changed this time
    EXPECT_FALSE(Doc().IsModified());
}

TEST_F(OptionDialogCommands, PreferenceDialogsWorkOnTheDialOrOnTheDefaults)
{
    CPrefs* edited = nullptr;
    CCadran* arcsDial = nullptr;
    ViewDialogs dialogs;
    dialogs.noonMark = [&](CPrefs& prefs) {
        edited = &prefs;
        return true;
    };
    dialogs.diurnalArcs = [&](CCadran* dial, CPrefs& defaults) {
        arcsDial = dial;
        edited = &defaults;
        return true;
    };
    dialogs.styleAnchor = [](CCadran&) { return true; };
    View().SetDialogs(std::move(dialogs));
    ASSERT_TRUE(Router().Execute(32852));
    EXPECT_EQ(edited, &View().GetDefaultPrefs());
    EXPECT_EQ(window_.invalidations, 0);

    CCadran& dial = PutDial();
    ASSERT_TRUE(Router().Execute(32852));
    EXPECT_EQ(edited, &dial.prefs);
    EXPECT_TRUE(Doc().IsModified());
    Doc().SetModifiedFlag(false);
    ASSERT_TRUE(Router().Execute(32864));
    EXPECT_EQ(arcsDial, &dial);
    EXPECT_EQ(edited, &View().GetDefaultPrefs());
    EXPECT_TRUE(Doc().IsModified());
    Doc().SetModifiedFlag(false);
    ASSERT_TRUE(Router().Execute(32865));
    EXPECT_TRUE(Doc().IsModified());
}

TEST_F(OptionDialogCommands, LineStylesRebuildTheToolsAndRepaintWithErasing)
{
    PutDial();
    int runs = 0;
    ViewDialogs dialogs;
    dialogs.lineStyles = [&] { ++runs; };
    View().SetDialogs(std::move(dialogs));
    ASSERT_TRUE(Router().Execute(32904));
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(window_.erasingInvalidations, 1);
    EXPECT_EQ(View().GetDrawingTools(), nullptr);
}

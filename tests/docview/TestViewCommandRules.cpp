// The view's command tables without a view: the couplings of the sub-hour line switches,
// the enable rules against the states that decide them, the check marks, the steps and the
// style shapes.
#include "docview/ViewCommandRules.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

using viewcmd::CommandState;

constexpr int kHalf = 32790;
constexpr int kQuarter = 32789;
constexpr int kFive = 32868;

struct Lines {
    int half, quarter, five;
    friend bool operator==(const Lines&, const Lines&) = default;
};

Lines LinesOf(const CPrefs& p) { return {p.halfHourLines, p.quarterHourLines, p.fiveMinuteLines}; }

TEST(ViewCommandRules, SubHourSwitchesKeepTheFinerFamiliesInsideTheCoarserOnes)
{
    struct Case {
        const char* what;
        Lines before;
        int command;
        Lines after;
    };
    const Case cases[] = {
        {"quarter on with half off turns both on", {0, 0, 0}, kQuarter, {1, 1, 0}},
        {"five on sets the two others", {0, 0, 0}, kFive, {1, 1, 1}},
        {"half off clears all three", {1, 1, 1}, kHalf, {0, 0, 0}},
        {"quarter off clears five, keeps half", {1, 1, 1}, kQuarter, {1, 0, 0}},
        {"five off keeps the others", {1, 1, 1}, kFive, {1, 1, 0}},
        {"half on alone", {0, 0, 0}, kHalf, {1, 0, 0}},
        {"quarter on keeps five as it was", {1, 0, 0}, kQuarter, {1, 1, 0}},
    };
    for (const Case& c : cases) {
        CPrefs prefs;
        prefs.halfHourLines = c.before.half;
        prefs.quarterHourLines = c.before.quarter;
        prefs.fiveMinuteLines = c.before.five;
        ASSERT_TRUE(viewcmd::ApplyToggle(prefs, c.command)) << c.what;
        EXPECT_EQ(LinesOf(prefs), c.after) << c.what;
    }
}

TEST(ViewCommandRules, EverySwitchFlipsItsOwnPreferenceBackAndForth)
{
    for (const viewcmd::PrefToggle& toggle : viewcmd::PrefToggles()) {
        CPrefs prefs;
        // Families tied to the switched one are set first so the flip is not masked.
        prefs.halfHourLines = prefs.quarterHourLines = prefs.fiveMinuteLines = 0;
        prefs.noonMarkType = 0;
        const int before = prefs.*toggle.field;
        ASSERT_TRUE(viewcmd::ApplyToggle(prefs, toggle.id));
        EXPECT_NE(prefs.*toggle.field, before) << toggle.id;
        EXPECT_EQ(viewcmd::ToggleCheck(prefs, toggle.id), std::optional<bool>(prefs.*toggle.field != 0)) << toggle.id;
        viewcmd::ApplyToggle(prefs, toggle.id);
        EXPECT_EQ(prefs.*toggle.field != 0, before != 0) << toggle.id;
    }
    CPrefs prefs;
    EXPECT_FALSE(viewcmd::ApplyToggle(prefs, 32944));  // a step, not a switch
    EXPECT_EQ(viewcmd::ToggleCheck(prefs, 32944), std::nullopt);
}

TEST(ViewCommandRules, NoonCurveIsCheckedOnlyWhileItStandsAtNoon)
{
    CPrefs prefs;
    prefs.noonMark = 1;
    prefs.noonMarkType = 0;
    EXPECT_EQ(viewcmd::ToggleCheck(prefs, 32853), std::optional<bool>(true));
    prefs.noonMarkType = 2;
    EXPECT_EQ(viewcmd::ToggleCheck(prefs, 32853), std::optional<bool>(false));
}

CommandState Scale(int typeCode = 1)
{
    CommandState s;
    s.mode = 1;
    s.hasDial = true;
    s.typeCode = typeCode;
    return s;
}

TEST(ViewCommandRules, EnableRulesFollowModeDialTypeLinesShadowAndFrame)
{
    CommandState none;  // mode 1, no dial
    CommandState graph = Scale();
    graph.mode = 15;
    CommandState rule17 = Scale();
    rule17.mode = 17;
    const CommandState plain = Scale();
    const CommandState points = Scale(22);
    CommandState azAlt = Scale();
    azAlt.azAlt = true;
    CommandState noStyleMark = Scale();
    noStyleMark.styleMarkingAllowed = false;
    const CommandState shepherd = Scale(33);
    CommandState live = Scale();
    live.liveShadow = true;
    CommandState animated = Scale();
    animated.animation = true;
    CommandState frame = Scale();
    frame.activeFrame = true;
    CommandState fixedFrame = frame;
    fixedFrame.frameDeletable = false;
    CommandState deletable = frame;
    deletable.frameDeletable = true;
    CommandState picture = deletable;
    picture.framePicture = true;
    CommandState noonElsewhere = Scale();
    noonElsewhere.noonMarkType = 1;

    struct Case {
        int id;
        const CommandState& state;
        bool enabled;
    };
    const Case cases[] = {
        // Close, save and save as need a dial, in any mode.
        {57602, none, false}, {57603, graph, true}, {57604, none, false},
        // Sub-hour lines: scale drawing or equinoctial rule, not with azimuth-altitude lines.
        {kHalf, plain, true}, {kHalf, rule17, true}, {kQuarter, graph, false}, {kFive, azAlt, false},
        {kFive, none, true},
        // Diurnal arcs: not on hour-point dials.
        {32792, points, false}, {32792, none, true}, {32792, azAlt, false},
        // Noon curve: only while it stands at noon.
        {32853, plain, true}, {32853, noonElsewhere, false}, {32853, points, false},
        // Numbering.
        {32805, points, true}, {32798, azAlt, false}, {32806, graph, false},
        {32811, noStyleMark, false}, {32811, none, true},
        // Steps: with a dial only while it draws azimuth and altitude lines.
        {32944, plain, false}, {32944, azAlt, true}, {32953, none, true}, {32953, graph, false},
        // Style shapes: a dial without hour points.
        {32958, plain, true}, {32961, points, false}, {32959, none, false},
        // Frames.
        {32900, plain, true}, {32902, none, false}, {32906, plain, false}, {32906, frame, true},
        {32905, fixedFrame, false}, {32905, deletable, true}, {32957, picture, false}, {32957, deletable, true},
        {32910, picture, true},
        // Shadow: one of the two at a time, never on a shepherd's dial.
        {32978, plain, true}, {32978, animated, false}, {32978, shepherd, false}, {32978, none, false},
        {32936, live, false}, {32936, animated, true}, {32936, shepherd, false},
        // The horizon mask is drawn on the azimuth-altitude graph.
        {32982, graph, true}, {32982, plain, false},
        {32922, plain, false},
        // Without a rule a command is left to its handler.
        {32977, graph, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(viewcmd::IsEnabled(c.id, c.state), c.enabled) << c.id;
}

TEST(ViewCommandRules, TablesHoldEachCommandOnce)
{
    std::set<int> seen;
    for (const viewcmd::EnableRule& rule : viewcmd::EnableRules())
        EXPECT_TRUE(seen.insert(rule.id).second) << "rule twice: " << rule.id;
    seen.clear();
    for (const viewcmd::PrefToggle& toggle : viewcmd::PrefToggles()) {
        EXPECT_TRUE(seen.insert(toggle.id).second) << "switch twice: " << toggle.id;
        // A switch nobody can reach through its rule would be dead.
        EXPECT_NE(viewcmd::FindEnableRule(toggle.id), nullptr) << toggle.id;
    }
}

TEST(ViewCommandRules, StepsAndShapesCarryTheirValues)
{
    const int azimuth[] = {5, 10, 15, 30, 45};
    const int altitude[] = {1, 5, 10, 15, 30};
    for (int i = 0; i < 5; ++i) {
        const viewcmd::StepCommand* az = viewcmd::FindStepCommand(32944 + i);
        const viewcmd::StepCommand* alt = viewcmd::FindStepCommand(32949 + i);
        ASSERT_NE(az, nullptr);
        ASSERT_NE(alt, nullptr);
        EXPECT_EQ(az->degrees, azimuth[i]);
        EXPECT_EQ(az->field, &CPrefs::azimuthStep);
        EXPECT_EQ(alt->degrees, altitude[i]);
        EXPECT_EQ(alt->field, &CPrefs::altitudeStep);
    }
    EXPECT_EQ(viewcmd::FindStepCommand(32954), nullptr);
    EXPECT_EQ(viewcmd::StyleShapeOf(32958), std::optional<int>(0));
    EXPECT_EQ(viewcmd::StyleShapeOf(32961), std::optional<int>(3));
    EXPECT_EQ(viewcmd::StyleShapeOf(32962), std::nullopt);
    EXPECT_EQ(viewcmd::StyleShapeOf(32957), std::nullopt);
}

}  // namespace

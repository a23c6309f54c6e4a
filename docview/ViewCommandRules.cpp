#include "docview/ViewCommandRules.h"

#include <algorithm>
#include <array>

namespace viewcmd {

namespace {

constexpr unsigned kScale = InMode(1);
constexpr unsigned kFrame = kNeedsDial | kActiveFrame;

// One line per command: {id, modes (0: any), conditions}. A command whose dialog is added
// later gets its line here and its handler in the view (a ViewDialogs entry or OnCommand).
constexpr std::array kRules = {
    // File
    EnableRule{57602, 0, kNeedsDial},  // close
    EnableRule{57603, 0, kNeedsDial},  // save
    EnableRule{57604, 0, kNeedsDial},  // save as
    // Dial: style shapes
    EnableRule{32958, kScale, kNeedsDial | kNoHourPoints},
    EnableRule{32959, kScale, kNeedsDial | kNoHourPoints},
    EnableRule{32960, kScale, kNeedsDial | kNoHourPoints},
    EnableRule{32961, kScale, kNeedsDial | kNoHourPoints},
    // Dial: line families (the sub-hour lines are also drawn on the equinoctial rule)
    EnableRule{32790, kScale | InMode(17), kNoAzAlt},
    EnableRule{32789, kScale | InMode(17), kNoAzAlt},
    EnableRule{32868, kScale | InMode(17), kNoAzAlt},
    EnableRule{32792, kScale, kNoHourPoints | kNoAzAlt},
    EnableRule{32853, kScale, kNoonAtNoon | kNoHourPoints},
    EnableRule{32944, kScale, kAzAltWithDial},
    EnableRule{32945, kScale, kAzAltWithDial},
    EnableRule{32946, kScale, kAzAltWithDial},
    EnableRule{32947, kScale, kAzAltWithDial},
    EnableRule{32948, kScale, kAzAltWithDial},
    EnableRule{32949, kScale, kAzAltWithDial},
    EnableRule{32950, kScale, kAzAltWithDial},
    EnableRule{32951, kScale, kAzAltWithDial},
    EnableRule{32952, kScale, kAzAltWithDial},
    EnableRule{32953, kScale, kAzAltWithDial},
    EnableRule{32876, kScale, kNoHourPoints | kNoAzAlt},
    EnableRule{32924, kScale, kNoHourPoints | kNoAzAlt},
    EnableRule{32925, kScale, kNoHourPoints},
    EnableRule{32926, kScale, 0},
    EnableRule{32896, kScale, 0},
    // Dial: marking
    EnableRule{32805, kScale, 0},
    EnableRule{32798, kScale, kNoAzAlt},
    EnableRule{32806, kScale, 0},
    EnableRule{32980, kScale, 0},
    EnableRule{32811, kScale, kStyleMarkingAllowed},
    // Dial: page frames
    EnableRule{32900, kScale, kNeedsDial},
    EnableRule{32902, kScale, kNeedsDial},
    EnableRule{32906, kScale, kFrame},
    EnableRule{32907, kScale, kFrame},
    EnableRule{32908, kScale, kFrame},
    EnableRule{32911, kScale, kFrame},
    EnableRule{32957, kScale, kFrame | kNotPictureFrame},
    EnableRule{32905, kScale, kFrame | kDeletableFrame},
    EnableRule{32910, kScale, kFrame},
    EnableRule{32909, kScale, kFrame},
    EnableRule{32912, kScale, kFrame},
    // Dial: the style's shadow
    EnableRule{kAnimationCommand, kScale, kNeedsDial | kNotShepherd | kNoLiveShadow},
    EnableRule{kLiveShadowCommand, kScale, kNeedsDial | kNotShepherd | kNoAnimation},
    // Options
    EnableRule{32982, InMode(15), 0},  // horizon mask
    // Tools
    EnableRule{32922, 0, kNever},      // gnomonic declination of a wall
};

bool HasHourPoints(int typeCode) { return typeCode >= 20 && typeCode < 30; }

bool Holds(unsigned condition, const CommandState& s)
{
    switch (condition) {
    case kNeedsDial: return s.hasDial;
    case kNoHourPoints: return !(s.hasDial && HasHourPoints(s.typeCode));
    case kNoAzAlt: return !(s.hasDial && s.azAlt);
    case kAzAltWithDial: return !s.hasDial || s.azAlt;
    case kNoonAtNoon: return s.noonMarkType == 0;
    case kStyleMarkingAllowed: return !s.hasDial || s.styleMarkingAllowed;
    case kNotShepherd: return !(s.hasDial && s.typeCode == kShepherdType);
    case kNoAnimation: return !s.animation;
    case kNoLiveShadow: return !s.liveShadow;
    case kActiveFrame: return s.activeFrame;
    case kDeletableFrame: return s.activeFrame && s.frameDeletable;
    case kNotPictureFrame: return s.activeFrame && !s.framePicture;
    case kNever: return false;
    default: return true;
    }
}

constexpr std::array kToggles = {
    PrefToggle{32790, &CPrefs::halfHourLines},
    PrefToggle{32789, &CPrefs::quarterHourLines},
    PrefToggle{32868, &CPrefs::fiveMinuteLines},
    PrefToggle{32792, &CPrefs::diurnalArcs},
    PrefToggle{32853, &CPrefs::noonMark},
    PrefToggle{32805, &CPrefs::hourNumbers},
    PrefToggle{32798, &CPrefs::hours24},
    PrefToggle{32806, &CPrefs::romanNumerals},
    PrefToggle{32980, &CPrefs::diurnalArcLabels},
    PrefToggle{32811, &CPrefs::styleMarking},
    PrefToggle{32876, &CPrefs::sunAboveHorizon},
    PrefToggle{32896, &CPrefs::axesXY},
    PrefToggle{32924, &CPrefs::extendHourLines},
    PrefToggle{32925, &CPrefs::substyleLine},
    PrefToggle{32926, &CPrefs::steepestSlopeLine},
};

constexpr std::array kSteps = {
    StepCommand{32944, &CPrefs::azimuthStep, 5},   StepCommand{32945, &CPrefs::azimuthStep, 10},
    StepCommand{32946, &CPrefs::azimuthStep, 15},  StepCommand{32947, &CPrefs::azimuthStep, 30},
    StepCommand{32948, &CPrefs::azimuthStep, 45},  StepCommand{32949, &CPrefs::altitudeStep, 1},
    StepCommand{32950, &CPrefs::altitudeStep, 5},  StepCommand{32951, &CPrefs::altitudeStep, 10},
    StepCommand{32952, &CPrefs::altitudeStep, 15}, StepCommand{32953, &CPrefs::altitudeStep, 30},
};

constexpr int kFirstStyleShape = 32958;
constexpr int kLastStyleShape = 32961;

template <typename Table>
auto FindById(const Table& table, int id) -> decltype(&table[0])
{
    const auto it = std::find_if(table.begin(), table.end(), [id](const auto& entry) { return entry.id == id; });
    return it == table.end() ? nullptr : &*it;
}

}  // namespace

std::span<const EnableRule> EnableRules() { return kRules; }

const EnableRule* FindEnableRule(int id) { return FindById(kRules, id); }

bool IsEnabled(const EnableRule& rule, const CommandState& state)
{
    if (rule.modes != 0 && (state.mode < 0 || state.mode > 31 || (rule.modes & InMode(state.mode)) == 0))
        return false;
    for (unsigned bit = 1; bit != 0 && bit <= rule.conditions; bit <<= 1)
        if ((rule.conditions & bit) != 0 && !Holds(bit, state))
            return false;
    return true;
}

bool IsEnabled(int id, const CommandState& state)
{
    const EnableRule* rule = FindEnableRule(id);
    return rule == nullptr || IsEnabled(*rule, state);
}

std::span<const PrefToggle> PrefToggles() { return kToggles; }

const PrefToggle* FindPrefToggle(int id) { return FindById(kToggles, id); }

bool ApplyToggle(CPrefs& prefs, int id)
{
    const PrefToggle* toggle = FindPrefToggle(id);
    if (toggle == nullptr)
        return false;
    const int on = prefs.*toggle->field != 0 ? 0 : 1;
    prefs.*toggle->field = on;
    if (toggle->field == &CPrefs::halfHourLines && !on) {
        prefs.quarterHourLines = 0;
        prefs.fiveMinuteLines = 0;
    } else if (toggle->field == &CPrefs::quarterHourLines) {
        if (on)
            prefs.halfHourLines = 1;
        else
            prefs.fiveMinuteLines = 0;
    } else if (toggle->field == &CPrefs::fiveMinuteLines && on) {
        prefs.halfHourLines = 1;
        prefs.quarterHourLines = 1;
    }
    return true;
}

std::optional<bool> ToggleCheck(const CPrefs& prefs, int id)
{
    const PrefToggle* toggle = FindPrefToggle(id);
    if (toggle == nullptr)
        return std::nullopt;
    if (toggle->field == &CPrefs::noonMark)
        return prefs.noonMark != 0 && prefs.noonMarkType == 0;
    return prefs.*toggle->field != 0;
}

std::span<const StepCommand> StepCommands() { return kSteps; }

const StepCommand* FindStepCommand(int id) { return FindById(kSteps, id); }

std::optional<int> StyleShapeOf(int id)
{
    if (id < kFirstStyleShape || id > kLastStyleShape)
        return std::nullopt;
    return id - kFirstStyleShape;
}

}  // namespace viewcmd

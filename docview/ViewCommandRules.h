#pragma once
// The view's commands as data: when each menu item and toolbar button is enabled (display
// mode, a dial and its type, the line families it draws, the style's shadow, the page frame
// under the mouse), which drawing preference each switch flips together with the families
// tied to it, and the values of the step and style-shape items.
//
// The view asks these tables; nothing here needs a window or a document.
#include "model/CPrefs.h"

#include <optional>
#include <span>

namespace viewcmd {

// What the enable rules look at.
struct CommandState {
    int mode = 1;                     // display mode 1..20
    bool hasDial = false;
    int typeCode = 0;                 // of the dial
    bool azAlt = false;               // the dial draws azimuth and altitude lines
    int noonMarkType = 0;             // of the preferences in use (dial or defaults)
    bool styleMarkingAllowed = true;  // of the dial
    bool liveShadow = false;          // the shadow follows the clock, without the animation
    bool animation = false;           // the shadow animation is open
    // The page frame the frame commands act on (the active one).
    bool activeFrame = false;
    bool frameDeletable = false;
    bool framePicture = false;
};

// Conditions of a rule, all of which must hold.
enum Condition : unsigned {
    kNeedsDial = 1u << 0,
    kNoHourPoints = 1u << 1,        // not a dial of type 20..29 (needs a dial to fail)
    kNoAzAlt = 1u << 2,             // the dial does not draw azimuth and altitude lines
    kAzAltWithDial = 1u << 3,       // with a dial, it draws azimuth and altitude lines
    kNoonAtNoon = 1u << 4,          // the mean-time curve stands at noon
    kStyleMarkingAllowed = 1u << 5, // with a dial, its type lets the style be marked
    kNotShepherd = 1u << 6,         // not a shepherd's dial (type 33)
    kNoAnimation = 1u << 7,
    kNoLiveShadow = 1u << 8,
    kActiveFrame = 1u << 9,
    kDeletableFrame = 1u << 10,
    kNotPictureFrame = 1u << 11,
    kNever = 1u << 12,
};

constexpr unsigned InMode(int mode) { return 1u << mode; }

struct EnableRule {
    int id;
    unsigned modes;       // InMode bits; 0: any mode
    unsigned conditions;  // Condition bits
};

inline constexpr int kShepherdType = 33;
inline constexpr int kLiveShadowCommand = 32978;
inline constexpr int kAnimationCommand = 32936;

// Every view command with an enable rule, in menu order.
std::span<const EnableRule> EnableRules();
const EnableRule* FindEnableRule(int id);
bool IsEnabled(const EnableRule& rule, const CommandState& state);
// A command without a rule is enabled.
bool IsEnabled(int id, const CommandState& state);

// A switch of the drawing preferences.
struct PrefToggle {
    int id;
    int CPrefs::*field;
};
std::span<const PrefToggle> PrefToggles();
const PrefToggle* FindPrefToggle(int id);
// Flips the command's preference, and the families tied to it: half-hour lines off clears
// the quarter-hour and five-minute lines; quarter-hour lines on sets the half-hour lines,
// off clears the five-minute lines; five-minute lines on sets both others.
// False when the id is no switch.
bool ApplyToggle(CPrefs& prefs, int id);
// The check mark of a switch: its preference is set (the noon curve only while it stands at
// noon). Empty when the id is no switch.
std::optional<bool> ToggleCheck(const CPrefs& prefs, int id);

// Step items of the azimuth lines (5, 10, 15, 30, 45 degrees) and the altitude lines (1, 5,
// 10, 15, 30 degrees).
struct StepCommand {
    int id;
    int CPrefs::*field;
    int degrees;
};
std::span<const StepCommand> StepCommands();
const StepCommand* FindStepCommand(int id);

// The style shape (0 polar, 1 straight, 2 straight and polar, 3 triangular) of an item,
// empty for any other id.
std::optional<int> StyleShapeOf(int id);

}  // namespace viewcmd

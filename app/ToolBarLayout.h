#pragma once
// The main window's five toolbars and where they go: their buttons, their settings
// sections, and the decisions taken from the saved values when the window opens.
#include "platform/Gdi.h"

#include <array>
#include <string>
#include <vector>

enum class DockSide { Top, Bottom, Left, Right, Floating };

struct ToolBarInfo {
    int resourceId;
    const char* section;      // settings section, "Options\Toolbars\...\"
    int buttonWidth;
    int buttonHeight;
    std::vector<int> buttons;  // command ids, 0 for a separator
    int toggleCommand;         // the command that shows or hides it; 0 for none
    bool defaultVisible;       // "Visible" when absent
    DockSide defaultSide;
};

enum ToolBarIndex : int { kMainBar = 0, kDialBar = 1, kDisplayBar = 2, kFramesBar = 3, kEphemeridesBar = 4 };
inline constexpr int kToolBarCount = 5;

// In window order: main, dial, display, frames, ephemerides.
const std::array<ToolBarInfo, kToolBarCount>& MainToolBars();

// What a toolbar's section holds; absent values take the defaults below.
struct ToolBarSavedState {
    int x = 750;
    int y = 40;
    int cx = 0;
    int cy = 0;
    bool floating = false;
};
ToolBarSavedState ReadToolBarState(const std::string& section);
// The bar's rectangle on the screen and whether it floats.
void WriteToolBarState(const std::string& section, const gdi::Rect& rect, bool floating);

// "Visible" of the four bars that have it (the ephemerides bar is always hidden at start).
bool ReadToolBarVisible(int index);
void WriteToolBarVisible(int index, bool visible);

struct ToolBarPlacement {
    DockSide side = DockSide::Top;
    // Where the bar goes: the saved rectangle, or the default place of its side.
    bool atSavedRect = false;
    gdi::Rect rect;             // the saved rectangle (left, top, right, bottom)
    bool vertical = false;      // floating bars: buttons in a column
};

// Floating when saved floating or when the bar only floats (its top-left at the saved
// point, keeping the shape it had); else its default side when a saved size is not positive;
// else a wide bar docks at the top or the bottom by which half of the client area its top
// lies in, a tall one at the left or the right by its left edge.
ToolBarPlacement DecideToolBarPlacement(const ToolBarSavedState& saved, DockSide defaultSide, int clientWidth,
                                        int clientHeight);

// The main window's rectangle and state in "Options\Window".
struct WindowPlacement {
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    bool zoomed = false;
};
// Defaults: at (0, 0), the screen's size less 40 by 80 pixels, not maximised.
WindowPlacement ReadWindowPlacement(int screenWidth, int screenHeight);
void WriteWindowPlacement(const WindowPlacement& placement);

// The rectangle moved (and shrunk when larger) so that it lies within the screen's area;
// unchanged when it does already, or when the area is empty.
gdi::Rect FitOnScreen(const gdi::Rect& rect, const gdi::Rect& screen);

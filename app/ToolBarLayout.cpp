#include "app/ToolBarLayout.h"

#include "platform/Profile.h"

#include <algorithm>

namespace {

constexpr const char* kWindowSection = "Options\\Window";

}  // namespace

const std::array<ToolBarInfo, kToolBarCount>& MainToolBars()
{
    static const std::array<ToolBarInfo, kToolBarCount> bars = {{
        {128, "Options\\Toolbars\\Main\\", 32, 32,
         {57664, 0, 57600, 0, 57601, 57603, 0, 57607, 57609, 0, 32772, 0, 57670, 0, 109}, 32840, true, DockSide::Top},
        {154, "Options\\Toolbars\\Options\\", 24, 24,
         {32803, 32865, 0, 32790, 32789, 32792, 0, 32904, 0, 32805, 32798, 32806, 0, 32811}, 32841, true,
         DockSide::Left},
        {167, "Options\\Toolbars\\Affichage\\", 32, 32, {32813, 32815, 32874, 0, 32817, 0, 32816, 32849, 32867},
         32859, false, DockSide::Top},
        {191, "Options\\Toolbars\\ObjetsCadre\\", 16, 15, {32900, 32902, 0, 32905, 32906, 0, 32910, 32909, 32912},
         32920, false, DockSide::Top},
        {228, "Options\\Toolbars\\Ephemerides\\", 32, 32, {32883, 32938}, 0, false, DockSide::Floating},
    }};
    return bars;
}

ToolBarSavedState ReadToolBarState(const std::string& section)
{
    const Profile& profile = GetProfile();
    ToolBarSavedState state;
    state.x = profile.GetInt(section, "x", state.x);
    state.y = profile.GetInt(section, "y", state.y);
    state.cx = profile.GetInt(section, "cx", state.cx);
    state.cy = profile.GetInt(section, "cy", state.cy);
    state.floating = profile.GetInt(section, "Floating", 0) != 0;
    return state;
}

void WriteToolBarState(const std::string& section, const gdi::Rect& rect, bool floating)
{
    Profile& profile = GetProfile();
    profile.WriteInt(section, "x", rect.left);
    profile.WriteInt(section, "y", rect.top);
    profile.WriteInt(section, "cx", rect.Width());
    profile.WriteInt(section, "cy", rect.Height());
    profile.WriteInt(section, "Floating", floating ? 1 : 0);
}

bool ReadToolBarVisible(int index)
{
    const ToolBarInfo& bar = MainToolBars().at(static_cast<size_t>(index));
    if (index == kEphemeridesBar)
        return false;
    return GetProfile().GetInt(bar.section, "Visible", bar.defaultVisible ? 1 : 0) != 0;
}

void WriteToolBarVisible(int index, bool visible)
{
    if (index == kEphemeridesBar)
        return;
    GetProfile().WriteInt(MainToolBars().at(static_cast<size_t>(index)).section, "Visible", visible ? 1 : 0);
}

ToolBarPlacement DecideToolBarPlacement(const ToolBarSavedState& saved, DockSide defaultSide, int clientWidth,
                                        int clientHeight)
{
    ToolBarPlacement placement;
    placement.rect = gdi::Rect{saved.x, saved.y, saved.x + saved.cx, saved.y + saved.cy};
    if (saved.floating || defaultSide == DockSide::Floating) {
        placement.side = DockSide::Floating;
        placement.atSavedRect = true;
        placement.vertical = saved.cy > saved.cx;
        return placement;
    }
    if (saved.cx <= 0 || saved.cy <= 0) {
        placement.side = defaultSide;
        return placement;
    }
    placement.atSavedRect = true;
    if (saved.cx > saved.cy)
        placement.side = saved.y < clientHeight / 2 ? DockSide::Top : DockSide::Bottom;
    else
        placement.side = saved.x < clientWidth / 2 ? DockSide::Left : DockSide::Right;
    placement.vertical = placement.side == DockSide::Left || placement.side == DockSide::Right;
    return placement;
}

WindowPlacement ReadWindowPlacement(int screenWidth, int screenHeight)
{
    const Profile& profile = GetProfile();
    WindowPlacement placement;
    placement.x = profile.GetInt(kWindowSection, "x", 0);
    placement.y = profile.GetInt(kWindowSection, "y", 0);
    placement.cx = profile.GetInt(kWindowSection, "cx", screenWidth - 40);
    placement.cy = profile.GetInt(kWindowSection, "cy", screenHeight - 80);
    placement.zoomed = profile.GetInt(kWindowSection, "IsZoomed", 0) != 0;
    return placement;
}

void WriteWindowPlacement(const WindowPlacement& placement)
{
    Profile& profile = GetProfile();
    profile.WriteInt(kWindowSection, "x", placement.x);
    profile.WriteInt(kWindowSection, "y", placement.y);
    profile.WriteInt(kWindowSection, "cx", placement.cx);
    profile.WriteInt(kWindowSection, "cy", placement.cy);
    profile.WriteInt(kWindowSection, "IsZoomed", placement.zoomed ? 1 : 0);
}

gdi::Rect FitOnScreen(const gdi::Rect& rect, const gdi::Rect& screen)
{
    if (screen.Width() <= 0 || screen.Height() <= 0)
        return rect;
    const int width = std::clamp(rect.Width(), 1, screen.Width());
    const int height = std::clamp(rect.Height(), 1, screen.Height());
    const int left = std::clamp(rect.left, screen.left, screen.right - width);
    const int top = std::clamp(rect.top, screen.top, screen.bottom - height);
    return gdi::Rect{left, top, left + width, top + height};
}

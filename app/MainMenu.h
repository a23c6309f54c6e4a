#pragma once
// Menu 128: the main window's menu bar, with its French texts. Commands whose handlers are
// not there yet stay in it, disabled by the command router.
#include "platform/MenuModel.h"

#include <functional>
#include <string>

// Indices of the menu bar's popups.
enum MainMenuPopup : int { kFileMenu = 0, kDisplayMenu = 1, kDialMenu = 2, kOptionsMenu = 3, kToolsMenu = 4, kHelpMenu = 5 };

MenuModel BuildMainMenu();

// Turns the recent-file item (57616) into one item per entry of the list (57616 .. 57623),
// all with its text; the frame shows those the list fills.
void ExpandRecentFileItems(MenuModel& menu, int entries = 8);

// The command's item anywhere in the menu; null when the menu does not hold it.
const MenuItem* FindMenuCommand(const MenuModel& menu, int commandId);

// Every popup and command, depth first, with the popup path the language file keys it by:
// a popup gets its own path ("popup#1#2"), a command the path of the popup holding it.
void ForEachMenuItem(const MenuModel& menu, const std::function<void(const MenuItem&, const std::string&)>& visit);

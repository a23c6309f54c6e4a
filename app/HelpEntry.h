#pragma once
// The application's help entry as dialogs, pages and controls reach it. The application
// object installs its entry at start-up (it maps a help id to a page of the help folder);
// tests install their own. Plain C++: no window is needed to ask for help.
#include <filesystem>
#include <functional>

// Commands of the help entry (the command is passed on; the application may ignore it).
inline constexpr unsigned HELP_CONTEXT = 0x0001;
inline constexpr unsigned HELP_FINDER = 0x000B;

// Help ids of dialog templates are this base plus the template id.
inline constexpr unsigned long kDialogHelpBase = 0x20000;

using HelpEntry = std::function<void(unsigned long data, unsigned command)>;

// Installs the entry (an empty one removes it); returns the entry in place before.
HelpEntry SetHelpEntry(HelpEntry entry);
// Calls the installed entry; false, and nothing done, when none is installed.
bool CallHelpEntry(unsigned long data, unsigned command);

// The folder of the help pages in the help language, kept up to date by the application.
// Links in dialogs open local files only inside it. Empty until set.
void SetHelpFolder(std::filesystem::path folder);
const std::filesystem::path& GetHelpFolderPath();

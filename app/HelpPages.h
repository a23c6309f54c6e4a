#pragma once
// The HTML help pages: one page per dialog in the help folder of the help language.
#include <filesystem>
#include <string>
#include <vector>

// Help ids of dialogs are this base plus the dialog's template id.
inline constexpr unsigned kHelpIdBase = 0x20000;
// Help commands; the page chosen depends on the help id only.
inline constexpr unsigned HELP_CONTEXT = 0x0001;
inline constexpr unsigned HELP_FINDER = 0x000B;

// The page documenting a key (help id minus the base); "contents.html" when no page does.
std::string HelpPageOfKey(int key);

// Every page of the table, once each.
std::vector<std::string> HelpPageNames();

// Opens the page of the help id in the folder (names matched without regard to case),
// falling back to the folder's "contents.html", then telling the user that the help is not
// installed in this language. True when a page was opened.
bool OpenHelpPage(const std::filesystem::path& helpFolder, unsigned data);

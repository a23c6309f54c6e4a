#pragma once
// The HTML help pages: one page per dialog in the help folder of the help language.
#include "app/HelpEntry.h"

#include <filesystem>
#include <string>
#include <vector>


// The words of the help window's Back and Forward buttons.
constexpr int kHelpBackString = 61951;
constexpr int kHelpForwardString = 61952;

// The page documenting a key (help id minus kDialogHelpBase); "contents.html" when no page does.
std::string HelpPageOfKey(int key);

// Every page of the table, once each.
std::vector<std::string> HelpPageNames();

// Opens a page of the help or data folder with the desktop, or, when the desktop cannot,
// in the program's own help window. True when the page is shown.
bool ShowLocalPage(const std::filesystem::path& page);

// Tells the user that no program could open the target, with the address to copy (`shown`:
// the address as a person reads it), and traces the failure.
void ReportNoProgramFor(const std::string& target, const std::string& shown);

// Opens a web or mail address with the desktop, or reports that no program could; true when
// it was opened.
bool OpenAddress(const std::string& target, const std::string& shown);

// Opens the page of the help id in the folder (names matched without regard to case),
// falling back to the folder's "contents.html", then telling the user that the help is not
// installed in this language. True when a page was opened.
bool OpenHelpPage(const std::filesystem::path& helpFolder, unsigned long data);

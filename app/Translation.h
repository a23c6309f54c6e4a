#pragma once
// User-visible texts by string id, in the program language.
#include <string>

// The string in the main frame's program language from the language file, or the built-in
// French string when no language file is loaded; "\n" pairs become line breaks.
std::string GetTranslatedString(int id);
// Month 1..12 by name (strings 251..262); empty for any other month.
std::string GetMonthName(int month);
// Shows GetTranslatedString(id) in a message box of that type (MB_* flags) with that help
// context; returns the button pressed (IDOK, IDYES...).
int TranslatedMessageBox(int id, unsigned type, unsigned helpId = 0);

// The French text of a string id as the shipped language file holds it (built into the
// program); empty when the file has no such string.
std::string BuiltinFrenchString(int id);
// A failure's message followed, in a paragraph of its own, by the system's reason for it
// (nothing more when the reason is empty).
std::string WithReason(std::string message, const std::string& reason);
// Turns every two-character "\n" into a line break.
std::string ExpandLineBreaks(std::string text);

#pragma once
// The texts the main frame shows for commands: the status-bar prompt and the toolbar
// tooltip. A command's prompt string (string id = command id) holds both, the prompt
// before "\n" and the tooltip after it; the French texts are looked up and translated
// into the program language by reverse lookup in the language file.
#include <string>

// The French status-bar prompt of a command; empty when it has none.
std::string CommandPrompt(int commandId);
// The text the status bar shows for a prompt: its translation when the language file has a
// different one, else the text itself.
std::string StatusBarText(const std::string& text);
// The tooltip of a toolbar button: the translation of the French tooltip when the language
// file has a different one, else the French tooltip.
std::string ToolTipText(int commandId);

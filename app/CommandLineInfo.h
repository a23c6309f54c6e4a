#pragma once
// The program's command line: a document to open, and the switches that mean the program
// was started by another program rather than by the user.
#include <string>
#include <vector>

struct CommandLineInfo {
    // A file name to open; empty: a new document.
    std::string fileName;
    // Cleared by "/Embedding" or "/Automation" (or with "-", any case): no start-up screen.
    bool showSplash = true;
};

// The arguments after the program's name. The first one that is not a switch is the file;
// other switches beginning with "-" are ignored, and "/..." that names no switch is a path.
CommandLineInfo ParseCommandLine(const std::vector<std::string>& args);

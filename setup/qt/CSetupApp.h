#pragma once
// The installer's application object: the system it runs on and what its command line
// asks, installation or uninstallation.
#include "setup/SetupSystem.h"

#include <filesystem>
#include <string>
#include <vector>

class CSetupApp {
public:
    CSetupApp(std::filesystem::path currentFolder, setup::SetupLocations locations);

    setup::OsInfo m_os;
    // The folder chosen on the destination page (after an installation).
    std::filesystem::path m_destination;

    // Runs what the command line asks; returns the program's exit code.
    int Run(const std::vector<std::string>& arguments);

private:
    std::filesystem::path currentFolder_;
    setup::SetupLocations locations_;
};

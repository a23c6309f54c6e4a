#pragma once
// What the copy page does when the user starts the installation: copy every file of the
// archive into the destination folder, register the two file types of the program, write
// the uninstall entry, and create the program's menu folder with its three shortcuts.
//
// On this desktop: a file type is a shared-mime-info definition plus a hidden desktop
// entry that opens the type with the program; the uninstall entry is a record in the
// user's data folder that also lists every file the copy wrote; shortcuts are desktop
// entries in the menu folder "Horavel 2.0".
#include "setup/DesktopEntry.h"
#include "setup/SetupArchive.h"
#include "setup/SetupSystem.h"

#include <filesystem>
#include <string>
#include <vector>

namespace setup {

// How a step tells the window what it does; the window refreshes itself on each call.
class SetupProgress {
public:
    virtual ~SetupProgress() = default;
    virtual void SetProgress(int /*percent*/) {}
    virtual void SetStatus(const std::string& /*text*/) {}
    // Uninstallation: the marker beside step 0..3 ("->" running, "OK" done).
    virtual void SetStepMarker(int /*step*/, const std::string& /*marker*/) {}
    virtual void SetPercentText(const std::string& /*text*/) {}
    // A wait during which the window stays alive.
    virtual void Pause(int /*ms*/) {}
};

// Reads the next entry of the archive and writes it under destination: 1 to go on (also
// for an entry that holds no file, and when the user chooses to go on after a file could
// not be written), 0 to stop (the user said No, or the archive is damaged: a message has
// been shown). written: the relative name of the file written ("/" between folders).
int ExtractSetupEntry(CSetupArchiveReader& reader, const std::filesystem::path& destination,
                      std::string* entryName = nullptr, std::string* written = nullptr);

class CInstallation {
public:
    // archive: "setup.dat"; destination: the folder chosen on the destination page.
    CInstallation(std::filesystem::path archive, std::filesystem::path destination, SetupLocations locations,
                  SetupProgress& progress);

    // The hidden debug flag of the copy page: everything but the copy.
    bool skipCopy = false;

    // The whole installation; false when it stopped (a message has been shown).
    bool Run();

    // 1 when every entry was handled, 0 when the installation is to stop.
    int CopyFiles();
    // File types and the uninstall entry; false when one of them could not be written.
    bool WriteRegistry();
    bool RegisterFileType(const std::string& extension, const std::string& progId, const std::string& iconIndex,
                          const std::string& description, const std::filesystem::path& programPath,
                          const std::string& arguments);
    int CreateShortcuts();
    // A URL or a page (".htm", ".html") becomes a link entry, anything else a program entry.
    bool CreateShortcut(const std::string& target, const std::filesystem::path& linkPath,
                        const std::filesystem::path& workingFolder, const std::string& description,
                        const std::string& arguments, int iconIndex);

    const std::filesystem::path& Destination() const { return destination_; }
    std::filesystem::path ProgramPath() const;
    // Files written by the copy, relative to the destination.

private:
    std::filesystem::path archive_;
    std::filesystem::path destination_;
    SetupLocations locations_;
    SetupProgress& progress_;
    std::vector<std::string> installed_;
};

// The MIME type a ProgID stands for ("Horavel.document" -> "application/x-horavel-document").
std::string MimeTypeOf(const std::string& progId);
// Where the open command of a ProgID is kept.
std::filesystem::path HandlerEntryPath(const SetupLocations& locations, const std::string& progId);
std::filesystem::path MimePackagePath(const SetupLocations& locations, const std::string& progId);

inline constexpr const char* kDocumentProgId = "Horavel.document";
inline constexpr const char* kDatabaseProgId = "Horavel.database";
inline constexpr const char* kPublisher = "Orlune Software";
inline constexpr const char* kIconFile = "horavel.png";

}  // namespace setup

namespace setup {
// The hidden builder of the welcome page: reads the list file (string 109) of folder and
// builds "setup.dat" there from its "source" folder, with messages 110, 516 or 111.
bool BuildArchiveInFolder(const std::filesystem::path& folder);
}  // namespace setup

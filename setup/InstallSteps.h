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
#include "setup/FolderWalk.h"
#include "setup/InstallJournal.h"
#include "setup/SetupArchive.h"
#include "setup/SetupSystem.h"

#include <filesystem>
#include <optional>
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

// Reads the next entry of the archive and writes it under the destination folder: 1 to go
// on (also for an entry that holds no file, and when the user chooses to go on after a file
// could not be written: written then says why), 0 to stop (the user said No, the archive is
// damaged, or a folder of the destination is a link: a message has been shown). Every
// change is told to journal first.
int ExtractSetupEntry(CSetupArchiveReader& reader, const CFolderWalk& destination, WriteAhead* journal,
                      std::string* entryName = nullptr, WriteReport* written = nullptr);

// The same folder: the same normal path, or one file system object.
bool IsSameFolder(const std::filesystem::path& a, const std::filesystem::path& b);

// Runs a program found on the search path, its output discarded: its exit status, or
// nothing when it could not be started (not installed).
std::optional<int> RunQuietly(const std::string& program, const std::vector<std::string>& arguments);
// Refreshes the desktop's caches of file types and menu entries under locations, with
// update-mime-database and update-desktop-database when they are installed. A cache left
// with nothing to describe (no entry; no file-type definition, when the installation made
// the file-type folder) is removed instead.
void RefreshDesktopCaches(const SetupLocations& locations, bool mimeFolderCreated = false);

// A file of the archive that could not be written, and the system's reason.
struct MissingFile {
    std::string name;
    int error = 0;
};

class CInstallation {
public:
    // archive: "setup.dat"; destination: the folder chosen on the destination page.
    CInstallation(std::filesystem::path archive, std::filesystem::path destination, SetupLocations locations,
                  SetupProgress& progress);

    // The hidden debug flag of the copy page: everything but the copy.
    bool skipCopy = false;

    // The whole installation; false when it stopped (a message has been shown, and what it
    // had done is undone), or when it ended with files missing (a message names them and
    // why; the installation stays registered, so it can be installed again or uninstalled).
    // An installation still in another folder stops it before anything is done: that one
    // must be uninstalled first; one that was interrupted there is undone first.
    bool Run();

    // 1 when every entry was handled, 0 when the installation is to stop. The destination
    // folder exists (Run made it).
    int CopyFiles();
    // File types; false when one of them could not be written. The uninstall entry is the
    // journal, written from the start of the run.
    bool WriteRegistry();
    bool RegisterFileType(const std::string& extension, const std::string& progId, const std::string& iconIndex,
                          const std::string& description, const std::filesystem::path& programPath,
                          const std::string& arguments);
    // 1 when the menu folder and its three entries were written, 0 when one was not.
    int CreateShortcuts();
    // A URL or a page (".htm", ".html") becomes a link entry, anything else a program entry.
    bool CreateShortcut(const std::string& target, const std::filesystem::path& linkPath,
                        const std::filesystem::path& workingFolder, const std::string& description,
                        const std::string& arguments, int iconIndex);
    // Takes back what the journal says this run did: the files it wrote where there were
    // none go, the user's files it replaced come back, the folders and menu entries it made
    // go; what an earlier installation there had done stays.
    void Undo();

    const std::filesystem::path& Destination() const { return destination_; }
    std::filesystem::path ProgramPath() const;

private:
    // Creates the missing levels of folder, each journaled before it is made; false when it
    // is no folder.
    bool MakeFolders(const std::filesystem::path& folder);
    // Starts the journal of this run, after an interrupted run elsewhere was undone.
    bool BeginJournal();
    // The names of the menu entries in the menu folder.
    std::vector<std::string> ShortcutFiles() const;
    bool Stop(int messageId, const std::string& argument = {});

    std::filesystem::path archive_;
    std::filesystem::path destination_;
    SetupLocations locations_;
    SetupProgress& progress_;
    CInstallJournal journal_;
    std::optional<CFolderWalk> folder_;
    std::vector<MissingFile> missing_;
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

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
#include <map>
#include <optional>
#include <set>
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
// not be written), 0 to stop (the user said No, the archive is damaged, or a folder of the
// destination is a link: a message has been shown). written: what was written (its name
// stays empty when nothing was; the folders made on the way are there in any case).
// keepCopyOf: see WriteSetupEntry.
int ExtractSetupEntry(CSetupArchiveReader& reader, const std::filesystem::path& destination,
                      std::string* entryName = nullptr, WriteReport* written = nullptr,
                      const KeepCopyRule& keepCopyOf = {});

// Deletes the file or link at name ("/" between folders) under folder, never a folder: no
// link on the way is followed, so nothing outside folder can be reached. False when
// nothing was deleted.
bool DeleteFileInside(const std::filesystem::path& folder, const std::string& name);
// Removes the folder at name under folder when it is empty (a link is no folder here).
bool RemoveFolderInside(const std::filesystem::path& folder, const std::string& name);
// Renames the file at from to to, both names under folder and in the same folder.
bool RenameInside(const std::filesystem::path& folder, const std::string& from, const std::string& to);

// Whether anything (a link included, never followed) is at name under folder.
bool ExistsInside(const std::filesystem::path& folder, const std::string& name);
// The ContentHash of the regular file at name under folder, reached through no link;
// nothing when there is no such file.
std::optional<std::string> HashFileInside(const std::filesystem::path& folder, const std::string& name);
// A folder's path without "." or ".." and without a final separator.
std::filesystem::path NormalFolder(const std::filesystem::path& folder);
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

class CInstallation {
public:
    // archive: "setup.dat"; destination: the folder chosen on the destination page.
    CInstallation(std::filesystem::path archive, std::filesystem::path destination, SetupLocations locations,
                  SetupProgress& progress);

    // The hidden debug flag of the copy page: everything but the copy.
    bool skipCopy = false;

    // The whole installation; false when it stopped (a message has been shown), and then
    // what it had done is undone. An installation still in another folder stops it before
    // anything is done: that one must be uninstalled first.
    bool Run();

    // 1 when every entry was handled, 0 when the installation is to stop. The destination
    // folder exists (Run made it).
    int CopyFiles();
    // File types and the uninstall entry; false when one of them could not be written.
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
    // Puts back what this run changed: the files it created go, the user's files it replaced
    // come back, the desktop files it rewrote are restored, the folders it created go.
    void Undo();

    const std::filesystem::path& Destination() const { return destination_; }
    std::filesystem::path ProgramPath() const;

private:
    // Creates the missing levels of folder, remembering each; false when it is no folder.
    bool MakeFolders(const std::filesystem::path& folder);
    // Remembers a desktop file before this run writes it, for Undo.
    void Remember(const std::filesystem::path& file);
    // The names of the menu entries in the menu folder.
    std::vector<std::string> ShortcutFiles() const;

    std::filesystem::path archive_;
    std::filesystem::path destination_;
    SetupLocations locations_;
    SetupProgress& progress_;
    std::optional<UninstallRecord> previous_;        // the entry before this run
    std::vector<std::string> installed_;             // files written by this run
    std::vector<std::string> created_;               // ... where there was none before
    std::vector<std::string> kept_;                  // the user's files it kept as copies
    std::map<std::string, std::string> hashes_;      // installed_ -> ContentHash written
    std::set<std::string> createdInside_;            // folders it made in the destination
    std::vector<std::filesystem::path> createdFolders_;
    std::vector<std::pair<std::filesystem::path, std::optional<std::string>>> remembered_;
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

// The uninstallation after a real installation into a temporary folder: what goes, what
// stays, and the steps it shows.
#include "SetupTestSupport.h"

#include "setup/DesktopEntry.h"
#include "setup/Uninstall.h"
#include "platform/FakeServices.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace setuptest;
using testsupport::ReadFileBytes;
using testsupport::WriteFileBytes;

namespace {

class UninstallTest : public ::testing::Test {
protected:
    Sandbox box;
    ScopedFakeServices fake;
    RecordingProgress progress;

    void SetUp() override { Install(); }
    void Install()
    {
        box.WriteArchive(SmallInstallation());
        RecordingProgress quiet;
        setup::CInstallation installation(box.archive(), box.dest(), box.locations(), quiet);
        ASSERT_TRUE(installation.Run());
    }
    bool Uninstall()
    {
        setup::CUninstallation uninstallation(box.locations(), progress);
        const bool done = uninstallation.Run();
        finalMessage = uninstallation.FinalMessage();
        return done;
    }
    std::string finalMessage;
};

}  // namespace

TEST_F(UninstallTest, EverythingInstalledGoesAndTheStepsAreShown)
{
    ASSERT_TRUE(Uninstall());
    EXPECT_FALSE(fs::exists(box.dest()));
    const auto loc = box.locations();
    EXPECT_FALSE(fs::exists(loc.uninstallRecord));
    EXPECT_FALSE(fs::exists(loc.ProgramsFolder()));
    for (const char* progId : {setup::kDocumentProgId, setup::kDatabaseProgId}) {
        EXPECT_FALSE(fs::exists(setup::HandlerEntryPath(loc, progId)));
        EXPECT_FALSE(fs::exists(setup::MimePackagePath(loc, progId)));
    }
    EXPECT_TRUE(fake->messageBoxes.empty());
    EXPECT_EQ(progress.progress, (std::vector<int>{10, 30, 45, 60, 70, 80, 90, 100}));
    EXPECT_EQ(progress.percents, (std::vector<std::string>{"10%", "30%", "45%", "60%", "70%", "80%", "90%", "100%"}));
    EXPECT_EQ(progress.markers, (std::vector<std::string>{"0:->", "0:OK", "1:->", "1:OK", "2:->", "2:OK", "3:->",
                                                          "3:OK"}));
    EXPECT_EQ(finalMessage, "La désinstallation est terminée. Le logiciel Horavel a été supprimé de votre ordinateur.");
}

TEST_F(UninstallTest, UserFilesAndTheirFoldersStay)
{
    WriteFileBytes(box.dest() / "LIEUX2.DBL", "user locations");
    WriteFileBytes(box.dest() / "help" / "fr" / "notes.txt", "user notes");
    fs::create_directories(box.dest() / "mes cadrans");
    // What the program wrote for itself is not the user's: it goes.
    const char* outputs[] = {"HoravelTraces.txt", "thl.tmp", "thp.tmp", "tdl.tmp", "tdp.tmp",
                             "tdm.tmp", "teot.tmp", "LIEUX2.DBL.lock", "help/fr/SearchResult.html"};
    for (const char* output : outputs)
        WriteFileBytes(box.dest() / output, "output");
    WriteFileBytes(box.locations().uninstallRecord.parent_path() / "HoravelTraces.txt", "output");
    ASSERT_TRUE(Uninstall());
    for (const char* output : outputs)
        EXPECT_FALSE(fs::exists(box.dest() / output)) << output;
    EXPECT_FALSE(fs::exists(box.locations().uninstallRecord.parent_path()));
    EXPECT_EQ(ReadFileBytes(box.dest() / "LIEUX2.DBL"), "user locations");
    EXPECT_EQ(ReadFileBytes(box.dest() / "help" / "fr" / "notes.txt"), "user notes");
    EXPECT_TRUE(fs::is_directory(box.dest() / "mes cadrans"));
    // What the installation wrote is gone, and the folders it emptied.
    EXPECT_FALSE(fs::exists(box.dest() / "horavel"));
    EXPECT_FALSE(fs::exists(box.dest() / "help" / "fr" / "contents.html"));
    EXPECT_FALSE(fs::exists(box.dest() / "help" / "en"));
    EXPECT_FALSE(fs::exists(box.dest() / "help" / "style.css"));
    EXPECT_FALSE(fs::exists(box.dest() / "LIEUX.DBL"));
    EXPECT_EQ(progress.progress.back(), 100);
}

TEST_F(UninstallTest, AnInstalledFileTheUserChangedIsHisAndStays)
{
    // The mottoes editor saves over the installed file when it may write there; the same
    // size and the same time as what was installed do not make it the installation's again.
    const fs::path mottoes = box.dest() / "mottoes.txt";
    const auto installedTime = fs::last_write_time(mottoes);
    const std::string edited = "fr\tHoras non numero nisi SERENAS\n";
    WriteFileBytes(mottoes, edited);
    fs::last_write_time(mottoes, installedTime);
    // Installing again over it keeps it as the user's copy, and the uninstallation puts it back.
    Install();
    EXPECT_EQ(ReadFileBytes(mottoes), "fr\tHoras non numero nisi serenas\n");
    EXPECT_EQ(ReadFileBytes(box.dest() / "mottoes.txt.orig"), edited);
    ASSERT_TRUE(Uninstall());
    EXPECT_EQ(ReadFileBytes(mottoes), edited);
    EXPECT_FALSE(fs::exists(box.dest() / "horavel"));

    // Changed after the installation: it stays, alone in its folder.
    fs::remove(mottoes);
    Install();
    WriteFileBytes(mottoes, edited);
    ASSERT_TRUE(Uninstall());
    EXPECT_EQ(ReadFileBytes(mottoes), edited);
    EXPECT_EQ(std::distance(fs::directory_iterator(box.dest()), fs::directory_iterator()), 1);
    EXPECT_FALSE(fs::exists(box.locations().uninstallRecord));

    // An entry of older installers, without the contents: it is trusted with nothing.
    fs::remove(mottoes);
    Install();
    auto record = setup::UninstallRecord::Read(box.locations().uninstallRecord);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->Files().size(), SmallInstallation().size());
    record->folderId.reset();
    for (auto& action : record->actions)
        action.hash.clear();
    ASSERT_TRUE(record->Write(box.locations().uninstallRecord));
    WriteFileBytes(mottoes, edited);
    EXPECT_FALSE(Uninstall());
    EXPECT_EQ(ReadFileBytes(mottoes), edited);
    EXPECT_TRUE(fs::exists(box.dest() / "horavel"));
}

TEST_F(UninstallTest, ASecondRunFindsNothingToUninstall)
{
    ASSERT_TRUE(Uninstall());
    progress = RecordingProgress{};
    EXPECT_FALSE(Uninstall());
    ASSERT_EQ(fake->messageBoxes.size(), 1u);
    EXPECT_EQ(fake->messageBoxes[0].text, setup::Resources().String(527));
    EXPECT_EQ(fake->messageBoxes[0].type, unsigned(MB_OK | MB_ICONERROR));
    EXPECT_EQ(progress.progress, std::vector<int>{10});
    EXPECT_TRUE(finalMessage.empty());
}

TEST_F(UninstallTest, AnUninstallationKilledOnceTheFilesAreGoneIsFinishedByTheNextRun)
{
    // Killed as it turns to the menu entries: the program's files, the installer among them,
    // are gone; the entry, the menu and the folders are still there.
    const pid_t pid = fork();
    if (pid == 0) {
        struct Killer : RecordingProgress {
            void SetProgress(int percent) override
            {
                if (percent == 80)
                    raise(SIGKILL);
            }
        } killer;
        setup::CUninstallation(box.locations(), killer).Run();
        _exit(0);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    ASSERT_FALSE(fs::exists(box.dest() / "horavel-setup"));
    ASSERT_TRUE(fs::exists(box.locations().uninstallRecord));
    EXPECT_TRUE(Uninstall());
    EXPECT_TRUE(fake->messageBoxes.empty());
    EXPECT_FALSE(fs::exists(box.dest().parent_path()));
    EXPECT_FALSE(fs::exists(box.dataHome()));
}

TEST_F(UninstallTest, AFileThatCannotBeDeletedKeepsTheEntryForAnotherRun)
{
    // A folder in place of an installed file: it cannot be deleted as a file.
    fs::remove(box.dest() / "help" / "fr" / "contents.html");
    fs::create_directories(box.dest() / "help" / "fr" / "contents.html");
    WriteFileBytes(box.dest() / "help" / "fr" / "contents.html" / "inside.txt", "x");
    EXPECT_FALSE(Uninstall());
    EXPECT_TRUE(fs::exists(box.dest() / "help" / "fr" / "contents.html" / "inside.txt"));
    EXPECT_FALSE(fs::exists(box.dest() / "horavel"));
    EXPECT_FALSE(fs::exists(box.dest() / "help" / "en"));
    EXPECT_EQ(progress.progress.back(), 100);
    // Not a success: the user is told, and the entry lists only what is left.
    ASSERT_EQ(fake->messageBoxes.size(), 1u);
    EXPECT_EQ(fake->messageBoxes[0].text, "Erreur ! Des fichiers installés dans " + box.dest().string() +
                                              " n'ont pas pu être supprimés. Les informations de désinstallation "
                                              "sont conservées : relancez la désinstallation une fois le problème "
                                              "réglé.");
    EXPECT_TRUE(finalMessage.empty());
    const auto record = setup::UninstallRecord::Read(box.locations().uninstallRecord);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->Files(), std::vector<std::string>{"help/fr/contents.html"});
    EXPECT_TRUE(record->Names(setup::JournalAction::Kind::MenuFile).empty());
    // Once it can go, another run ends the work, the entry with it.
    fs::remove_all(box.dest() / "help" / "fr" / "contents.html");
    EXPECT_TRUE(Uninstall());
    EXPECT_FALSE(fs::exists(box.locations().uninstallRecord));
    EXPECT_FALSE(fs::exists(box.dest()));
}

TEST_F(UninstallTest, ARecordEditedToPointOutsideDeletesNothingThere)
{
    const fs::path home = box.dir() / "home";
    const fs::path elsewhere = box.dir() / "elsewhere";
    const fs::path moved = box.dir() / "moved";
    const std::string homeBefore = std::getenv("HOME") ? std::getenv("HOME") : "";
    setenv("HOME", home.c_str(), 1);
    struct Row {
        const char* what;
        std::function<std::string(const std::string& record)> edit;
        std::vector<fs::path> staying;
        bool uninstalled;
    };
    const std::string dest = box.dest().string();
    auto withFolder = [&](const std::string& record, const fs::path& folder) {
        std::string edited = record;
        edited.replace(edited.find("InstallLocation=" + dest), 16 + dest.size(), "InstallLocation=" + folder.string());
        return edited;
    };
    const Row rows[] = {
        {"names leaving the folder",
         [&](const std::string& r) { return r + "File=../../precious.txt\nFile=/etc/hostname\n"; },
         {box.dir() / "precious.txt"}, true},
        {"a folder made where the user's file is",
         [&](const std::string& r) {
             WriteFileBytes(box.dest() / "LIEUX2.DBL", "keep");
             return r + "Folder=LIEUX2.DBL\n";
         },
         {box.dest() / "LIEUX2.DBL"}, true},
        {"the home folder, files without contents",
         [&](const std::string& r) { return withFolder(r, home) + "File=.bashrc\nFile=Documents/precious.cds\n"; },
         {home / ".bashrc", home / "Documents" / "precious.cds"}, false},
        {"an empty folder outside", [&](const std::string& r) { return r + "CreatedFolder=" + (box.dir() / "empty").string() + "\n"; },
         {box.dir() / "empty"}, true},
        {"another folder, the program's outputs there",
         [&](const std::string& r) { return withFolder(r, elsewhere); },
         {elsewhere / "SearchResult.html", elsewhere / "thl.tmp", elsewhere / "HoravelTraces.txt", elsewhere / "horavel"},
         false},
        {"the folder moved away, a link in its place",
         [&](const std::string& r) {
             fs::rename(box.dest(), moved);
             fs::create_directory_symlink(moved, box.dest());
             return r;
         },
         {moved / "horavel", moved / "horavel-setup", moved / "help" / "fr" / "contents.html"}, false},
    };
    for (const Row& row : rows) {
        for (const fs::path& f : {box.dest(), home, elsewhere, moved, box.dataHome()})
            fs::remove_all(f);
        Install();
        fs::create_directories(home / "Documents");
        WriteFileBytes(box.dir() / "precious.txt", "keep");
        WriteFileBytes(home / ".bashrc", "keep");
        WriteFileBytes(home / "Documents" / "precious.cds", "keep");
        fs::create_directories(box.dir() / "empty");
        fs::copy(box.dest(), elsewhere, fs::copy_options::recursive);
        for (const char* output : {"SearchResult.html", "thl.tmp", "HoravelTraces.txt"})
            WriteFileBytes(elsewhere / output, "keep");
        const fs::path file = box.locations().uninstallRecord;
        WriteFileBytes(file, row.edit(ReadFileBytes(file)));
        EXPECT_EQ(Uninstall(), row.uninstalled) << row.what;
        for (const fs::path& staying : row.staying)
            EXPECT_TRUE(fs::exists(staying)) << row.what << ": " << staying;
    }
    setenv("HOME", homeBefore.c_str(), 1);
}

TEST_F(UninstallTest, AFolderCopiedBackInItsPlaceIsStillTheInstallation)
{
    // Restored from a backup: the same path and files, another file system object.
    const fs::path away = box.dir() / "away";
    fs::rename(box.dest(), away);
    fs::copy(away, box.dest(), fs::copy_options::recursive);
    fs::remove_all(away);
    EXPECT_TRUE(Uninstall());
    EXPECT_FALSE(fs::exists(box.dest().parent_path()));
}

TEST_F(UninstallTest, ADestinationFolderTheUserMadeStays)
{
    ASSERT_TRUE(Uninstall());
    fs::create_directories(box.dest());
    Install();
    ASSERT_TRUE(Uninstall());
    EXPECT_TRUE(fs::is_directory(box.dest()));
    EXPECT_TRUE(fs::is_empty(box.dest()));
}

TEST_F(UninstallTest, ALinkInThePlaceOfAFolderIsNeverFollowed)
{
    // The help folder replaced by a link to a folder holding files of the same names.
    const fs::path outside = box.dir() / "outside";
    fs::create_directories(outside / "fr");
    fs::create_directories(outside / "en");
    for (const char* name : {"fr/contents.html", "en/contents.html", "style.css"})
        WriteFileBytes(outside / name, "keep");
    fs::remove_all(box.dest() / "help");
    fs::create_directory_symlink(outside, box.dest() / "help");
    ASSERT_TRUE(Uninstall());
    for (const char* name : {"fr/contents.html", "en/contents.html", "style.css"})
        EXPECT_EQ(ReadFileBytes(outside / name), "keep") << name;
    // The link itself goes, and with it the last thing that held the folder.
    EXPECT_FALSE(fs::exists(fs::symlink_status(box.dest() / "help")));
    EXPECT_FALSE(fs::exists(box.dest()));
}

TEST_F(UninstallTest, OnlyTheMenuEntriesItMadeGo)
{
    const fs::path menu = box.locations().ProgramsFolder();
    WriteFileBytes(menu / "Mon raccourci.desktop", "[Desktop Entry]\n");
    ASSERT_TRUE(Uninstall());
    EXPECT_EQ(ReadFileBytes(menu / "Mon raccourci.desktop"), "[Desktop Entry]\n");
    EXPECT_FALSE(fs::exists(menu / "Horavel 2.0.desktop"));
    EXPECT_FALSE(fs::exists(menu / "Site web du logiciel.desktop"));
    // No type is opened by what is left: no cache of types stays behind.
    EXPECT_FALSE(fs::exists(box.dataHome() / "applications" / "mimeinfo.cache"));
}

TEST_F(UninstallTest, AMissingOpenCommandDoesNotStopTheUninstallation)
{
    // The entry names the folder: without the document type's open command it is found all
    // the same.
    fs::remove(setup::HandlerEntryPath(box.locations(), setup::kDocumentProgId));
    EXPECT_TRUE(Uninstall());
    EXPECT_TRUE(fake->messageBoxes.empty());
    EXPECT_FALSE(fs::exists(box.locations().uninstallRecord));
    EXPECT_FALSE(fs::exists(box.dest()));
}

TEST_F(UninstallTest, AFileOfTheUserThatTheInstallationReplacedComesBack)
{
    ASSERT_TRUE(Uninstall());
    fs::create_directories(box.dest());
    WriteFileBytes(box.dest() / "lisezmoi.html", "mes notes");
    Install();
    EXPECT_EQ(ReadFileBytes(box.dest() / "lisezmoi.html"), "<html>lisez-moi</html>");
    EXPECT_EQ(ReadFileBytes(box.dest() / "lisezmoi.html.orig"), "mes notes");
    ASSERT_TRUE(Uninstall());
    EXPECT_EQ(ReadFileBytes(box.dest() / "lisezmoi.html"), "mes notes");
    EXPECT_FALSE(fs::exists(box.dest() / "lisezmoi.html.orig"));
    EXPECT_FALSE(fs::exists(box.dest() / "horavel"));
}

TEST_F(UninstallTest, DesktopCachesFollowAndNothingIsLeftBehind)
{
    const fs::path share = box.dataHome();
    if (setup::RunQuietly("update-mime-database", {"-v"}) && setup::RunQuietly("update-desktop-database", {"--help"})) {
        // The types take effect at once: the caches name them.
        EXPECT_NE(ReadFileBytes(share / "mime" / "globs2").find("application/x-horavel-document:*.cds"),
                  std::string::npos);
        EXPECT_NE(ReadFileBytes(share / "applications" / "mimeinfo.cache")
                      .find("application/x-horavel-database=Horavel.database.desktop;"),
                  std::string::npos);
    }
    ASSERT_TRUE(Uninstall());
    // Every folder the installation made, caches and all, is gone.
    EXPECT_FALSE(fs::exists(share));
    EXPECT_FALSE(fs::exists(box.dest().parent_path()));
}

TEST_F(UninstallTest, AFileTypeDatabaseThatWasThereBeforeStays)
{
    ASSERT_TRUE(Uninstall());
    // Another program's: its folders stay, even empty.
    const fs::path mime = box.dataHome() / "mime";
    fs::create_directories(mime / "packages");
    fs::create_directories(mime / "x-other");
    Install();
    ASSERT_TRUE(Uninstall());
    EXPECT_TRUE(fs::is_directory(mime / "packages"));
    EXPECT_TRUE(fs::is_directory(mime / "x-other"));
    EXPECT_FALSE(fs::exists(setup::MimePackagePath(box.locations(), setup::kDocumentProgId)));
}

TEST_F(UninstallTest, DesktopEntriesAreValid)
{
    const auto loc = box.locations();
    const std::vector<fs::path> entries = {
        setup::HandlerEntryPath(loc, setup::kDocumentProgId), setup::HandlerEntryPath(loc, setup::kDatabaseProgId),
        loc.ProgramsFolder() / "Horavel 2.0.desktop", loc.ProgramsFolder() / "Manuel du logiciel Horavel.desktop",
        loc.ProgramsFolder() / "Site web du logiciel.desktop"};
    if (!setup::RunQuietly("desktop-file-validate", {"--help"}))
        GTEST_SKIP() << "desktop-file-validate is not installed";
    for (const fs::path& entry : entries)
        EXPECT_EQ(setup::RunQuietly("desktop-file-validate", {entry.string()}), 0) << entry;
}

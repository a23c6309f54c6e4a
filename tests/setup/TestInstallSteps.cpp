// The installation over a temporary destination and data home: the files copied, the file
// types, the uninstall entry and the shortcuts, and how failures stop it.
#include "SetupTestSupport.h"

#include "setup/DesktopEntry.h"
#include "setup/Uninstall.h"
#include "platform/FakeServices.h"
#include "platform/Paths.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include <signal.h>
#include <unistd.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace fs = std::filesystem;
using namespace setuptest;
using testsupport::ReadFileBytes;
using testsupport::WriteFileBytes;

namespace {

class InstallStepsTest : public ::testing::Test {
protected:
    Sandbox box;
    ScopedFakeServices fake;
    RecordingProgress progress;

    bool Install(bool skipCopy = false)
    {
        setup::CInstallation installation(box.archive(), box.dest(), box.locations(), progress);
        installation.skipCopy = skipCopy;
        return installation.Run();
    }
    bool Registered() const { return fs::exists(box.locations().uninstallRecord); }
};

}  // namespace

TEST_F(InstallStepsTest, EveryFileIsCopiedWithItsBytes)
{
    const auto entries = SmallInstallation();
    box.WriteArchive(entries);
    ASSERT_TRUE(Install());
    for (const auto& entry : entries) {
        std::vector<std::string> parts;
        ASSERT_TRUE(setup::SplitEntryName(entry.name, parts));
        fs::path file = box.dest();
        for (const auto& part : parts)
            file /= part;
        EXPECT_EQ(ReadFileBytes(file), entry.data) << entry.name;
    }
    EXPECT_TRUE(fake->messageBoxes.empty());
}

TEST_F(InstallStepsTest, ProgressStandsAt90ThenAt96ThenAt100)
{
    box.WriteArchive({Entry("a", "1"), Entry("b", ""), Entry("c", "3")});
    ASSERT_TRUE(Install());
    EXPECT_EQ(progress.progress, (std::vector<int>{0, 30, 60, 90, 96, 100}));
    ASSERT_GE(progress.statuses.size(), 5u);
    EXPECT_EQ(progress.statuses[0], "Copie de a...");
    EXPECT_EQ(progress.statuses[3], "Mise à jour du registre Windows...");
    EXPECT_EQ(progress.statuses[4], "Création du raccourcis vers l'application...");
    EXPECT_EQ(progress.statuses.back(), "");
    EXPECT_EQ(progress.pausedMs, 3 * 100 + 500 + 500);

    // A large package does not make its user wait half a minute.
    std::vector<setup::SetupEntry> many;
    for (int i = 0; i < 300; ++i)
        many.push_back(Entry("f" + std::to_string(i), "x"));
    box.WriteArchive(many);
    progress = {};
    ASSERT_TRUE(Install());
    EXPECT_LE(progress.pausedMs, 5000 + 500 + 500);
}

TEST_F(InstallStepsTest, RefusingToGoOnAfterAFailedCopyStopsBeforeAnyRegistration)
{
    box.WriteArchive({Entry("a.txt", "a"), Entry("blocked.txt", "b"), Entry("c.txt", "c")});
    fs::create_directories(box.dest() / "blocked.txt");  // a folder where the file should go
    fake->QueueMessageBoxAnswer(IDNO);
    EXPECT_FALSE(Install());
    ASSERT_EQ(fake->messageBoxes.size(), 1u);
    EXPECT_EQ(fake->messageBoxes[0].text, "Erreur ! Le fichier " + (box.dest() / "blocked.txt").string() + " (" +
                                              std::strerror(EISDIR) +
                                              ") n'a pu être copié. Souhaitez-vous poursuivre l'installation ?");
    EXPECT_EQ(fake->messageBoxes[0].type, unsigned(MB_YESNO | MB_ICONWARNING));
    EXPECT_FALSE(fs::exists(box.dest() / "c.txt"));
    EXPECT_FALSE(Registered());
    EXPECT_FALSE(fs::exists(setup::HandlerEntryPath(box.locations(), setup::kDocumentProgId)));
    EXPECT_TRUE(progress.progress.empty() || progress.progress.back() != 100);
}

TEST_F(InstallStepsTest, GoingOnAfterAFailedCopyInstallsTheRestButIsNoSuccess)
{
    box.WriteArchive({Entry("blocked.txt", "b"), Entry("c.txt", "c")});
    fs::create_directories(box.dest() / "blocked.txt");
    fake->QueueMessageBoxAnswer(IDYES);
    EXPECT_FALSE(Install());
    EXPECT_EQ(ReadFileBytes(box.dest() / "c.txt"), "c");
    // The user is told what is missing and why, at the end as well.
    ASSERT_EQ(fake->messageBoxes.size(), 2u);
    EXPECT_EQ(fake->messageBoxes[1].text, "Attention ! L'installation dans " + box.dest().string() +
                                              " est incomplète : ces fichiers n'ont pas pu être copiés :\nblocked.txt (" +
                                              std::strerror(EISDIR) + ")");
    EXPECT_EQ(progress.statuses.back(), "Installation incomplète : des fichiers manquent.");
    // Registered, so that it can be uninstalled; the file that was not written is not the
    // installation's to delete.
    EXPECT_EQ(setup::UninstallRecord::Read(box.locations().uninstallRecord)->Files(), std::vector<std::string>{"c.txt"});
}

TEST_F(InstallStepsTest, AnInstallationKilledDuringTheCopyIsFinishedOrUndoneByTheNextRun)
{
    box.WriteArchive(SmallInstallation());
    // An installation killed after its third file.
    const auto killed = [&] {
        const pid_t pid = fork();
        if (pid == 0) {
            struct Killer : RecordingProgress {
                void Pause(int) override
                {
                    if (++pauses == 3)
                        raise(SIGKILL);
                }
            } killer;
            setup::CInstallation(box.archive(), box.dest(), box.locations(), killer).Run();
            _exit(0);
        }
        int status = 0;
        waitpid(pid, &status, 0);
        return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL && fs::exists(box.dest() / "horavel");
    };
    const auto uninstall = [&] {
        setup::CUninstallation uninstallation(box.locations(), progress);
        return uninstallation.Run();
    };
    // The uninstallation takes back what it left.
    ASSERT_TRUE(killed());
    EXPECT_TRUE(uninstall());
    EXPECT_FALSE(fs::exists(box.dest().parent_path()));
    EXPECT_FALSE(fs::exists(box.dataHome()));
    // Installing again finishes it: none of its files is taken for the user's.
    ASSERT_TRUE(killed());
    ASSERT_TRUE(Install());
    for (const auto& entry : fs::recursive_directory_iterator(box.dest()))
        EXPECT_NE(entry.path().extension(), ".orig") << entry.path();
    EXPECT_TRUE(uninstall());
    EXPECT_FALSE(fs::exists(box.dest().parent_path()));
    EXPECT_FALSE(fs::exists(box.dataHome()));
}

TEST_F(InstallStepsTest, ADamagedOrMissingArchiveIsNoInstallation)
{
    // Truncated in the middle of the second entry.
    std::string bytes = ArchiveBytes({Entry("a.txt", "a"), Entry("b.txt", "bbbbbbbb")});
    testsupport::WriteFileBytes(box.archive(), bytes.substr(0, bytes.size() - 3));
    EXPECT_FALSE(Install());
    ASSERT_EQ(fake->messageBoxes.size(), 1u);
    EXPECT_EQ(fake->messageBoxes[0].text, "Erreur ! Le fichier de données setup.dat est endommagé. L'installation est interrompue.");
    EXPECT_FALSE(Registered());

    // What the stopped installation had copied is gone again, folders it made too.
    EXPECT_FALSE(fs::exists(box.dest().parent_path()));

    // An entry that would leave the destination stops it the same way.
    box.WriteArchive({Entry("..\\..\\evil.txt", "x")});
    EXPECT_FALSE(Install());
    EXPECT_FALSE(fs::exists(box.dest().parent_path().parent_path() / "evil.txt"));
    EXPECT_FALSE(Registered());

    fs::remove(box.archive());
    EXPECT_FALSE(Install());
    EXPECT_EQ(fake->messageBoxes.back().text, "Impossible d'ouvrir le fichier de données " + box.archive().string() + ".");
    EXPECT_FALSE(Registered());
}

TEST_F(InstallStepsTest, FoldersMadeForAnEntryThatFailedGoWithTheRest)
{
    // The folder is made, then the file's name is too long for the file system.
    box.WriteArchive({Entry("a.txt", "a"), Entry("d\\" + std::string(256, 'x'), "b")});
    fake->QueueMessageBoxAnswer(IDNO);
    EXPECT_FALSE(Install());
    ASSERT_EQ(fake->messageBoxes.size(), 1u);
    EXPECT_FALSE(fs::exists(box.dest().parent_path()));
}

TEST_F(InstallStepsTest, AnInstallationInAnotherFolderMustBeUninstalledFirst)
{
    box.WriteArchive({Entry("horavel", "p"), Entry("a.txt", "a")});
    ASSERT_TRUE(Install());
    const std::string record = ReadFileBytes(box.locations().uninstallRecord);
    const fs::path other = box.dir() / "elsewhere";
    setup::CInstallation second(box.archive(), other, box.locations(), progress);
    EXPECT_FALSE(second.Run());
    ASSERT_EQ(fake->messageBoxes.size(), 1u);
    EXPECT_EQ(fake->messageBoxes[0].text, "Horavel 2.0 est déjà installé dans le dossier " + box.dest().string() +
                                              ". Désinstallez-le d'abord, ou choisissez ce dossier pour le mettre "
                                              "à jour.");
    EXPECT_FALSE(fs::exists(other));
    EXPECT_EQ(ReadFileBytes(box.locations().uninstallRecord), record);
    // A folder removed by hand holds nothing to lose: the new one takes its place.
    fs::remove_all(box.dest());
    ASSERT_TRUE(second.Run());
    EXPECT_EQ(setup::UninstallRecord::Read(box.locations().uninstallRecord)->folder, other);
}

TEST_F(InstallStepsTest, ShortcutsThatCannotBeWrittenAreAFailedInstallation)
{
    box.WriteArchive({Entry("horavel", "p")});
    // A folder where the manual's shortcut should go: the program's is made first.
    const fs::path menu = box.locations().ProgramsFolder();
    fs::create_directories(menu / "Manuel du logiciel Horavel.desktop");
    EXPECT_FALSE(Install());
    ASSERT_EQ(fake->messageBoxes.size(), 1u);
    EXPECT_EQ(fake->messageBoxes[0].text,
              "Erreur ! Les raccourcis du menu Programmes n'ont pas pu être créés. L'installation est interrompue.");
    EXPECT_FALSE(Registered());
    EXPECT_FALSE(fs::exists(menu / "Horavel 2.0.desktop"));
    EXPECT_FALSE(fs::exists(setup::HandlerEntryPath(box.locations(), setup::kDocumentProgId)));
    EXPECT_FALSE(fs::exists(box.dest().parent_path()));
}

TEST_F(InstallStepsTest, AFolderLinkedOutsideIsRefusedBeforeAnythingIsCreatedThrough)
{
    fs::create_directories(box.dest());
    fs::create_directories(box.dir() / "outside");
    fs::create_directory_symlink(box.dir() / "outside", box.dest() / "help");
    box.WriteArchive(SmallInstallation());
    EXPECT_FALSE(Install());
    EXPECT_TRUE(fs::is_empty(box.dir() / "outside"));
    ASSERT_EQ(fake->messageBoxes.size(), 1u);
    EXPECT_EQ(fake->messageBoxes[0].text, "Erreur ! Le dossier " + (fs::canonical(box.dest()) / "help").string() +
                                              " est un lien vers un autre dossier ; rien n'est installé au "
                                              "travers d'un lien. L'installation est interrompue.");
    EXPECT_FALSE(Registered());
}

TEST_F(InstallStepsTest, ARunningProgramIsReplaced)
{
    // A file being run cannot be opened for writing ("text file busy"): it is replaced.
    fs::create_directories(box.dest());
    fs::copy_file("/bin/sleep", box.dest() / "horavel");
    const std::string program = (box.dest() / "horavel").string();
    char* argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>("30"), nullptr};
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, environ), 0);
    box.WriteArchive({Entry("horavel", "\x7f" "ELF new program")});
    fake->QueueMessageBoxAnswer(IDNO);
    const bool installed = Install();
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    EXPECT_TRUE(installed);
    EXPECT_TRUE(fake->messageBoxes.empty());
    EXPECT_EQ(ReadFileBytes(box.dest() / "horavel"), "\x7f" "ELF new program");
}

TEST_F(InstallStepsTest, RegistrationThatCannotBeWrittenIsAFailedInstallation)
{
    box.WriteArchive({Entry("a.txt", "a")});
    // A file where the uninstall entry's folder should be.
    fs::create_directories(box.dataHome());
    WriteFileBytes(box.locations().uninstallRecord.parent_path(), "in the way");
    EXPECT_FALSE(Install());
    ASSERT_EQ(fake->messageBoxes.size(), 1u);
    EXPECT_EQ(fake->messageBoxes[0].text, "Erreur ! Les types de fichiers et les informations de désinstallation "
                                          "n'ont pas pu être enregistrés. L'installation est interrompue.");
    // Nothing is left that could not be uninstalled.
    EXPECT_FALSE(fs::exists(box.dest().parent_path()));
    EXPECT_FALSE(fs::exists(setup::HandlerEntryPath(box.locations(), setup::kDocumentProgId)));
    EXPECT_TRUE(progress.progress.empty() || progress.progress.back() != 100);
}

TEST_F(InstallStepsTest, AnEntryThatCannotBeWrittenAgainAtTheEndIsStillACompleteInstallation)
{
    // The end of the run is appended, but the shorter entry cannot replace the file.
    struct ProtectingProgress : RecordingProgress {
        fs::path entry;
        void SetProgress(int percent) override
        {
            RecordingProgress::SetProgress(percent);
            if (percent == 96) {
                // Root may append to a file without write permission but replaces none.
                if (::geteuid() == 0)
                    fs::permissions(entry, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
                else
                    fs::permissions(entry.parent_path(), fs::perms::owner_write, fs::perm_options::remove);
            }
        }
    } protecting;
    protecting.entry = box.locations().uninstallRecord;
    box.WriteArchive({Entry("horavel", "p"), Entry("a.txt", "a")});
    const bool done = setup::CInstallation(box.archive(), box.dest(), box.locations(), protecting).Run();
    fs::permissions(protecting.entry.parent_path(), fs::perms::owner_all, fs::perm_options::add);
    fs::permissions(protecting.entry, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_TRUE(done);
    EXPECT_TRUE(fake->messageBoxes.empty());
    EXPECT_TRUE(fs::exists(box.dest() / "a.txt"));
    const auto record = setup::UninstallRecord::Parse(ReadFileBytes(protecting.entry));
    ASSERT_TRUE(record);
    EXPECT_FALSE(record->Interrupted());
}

TEST_F(InstallStepsTest, FileTypesOpenWithTheInstalledProgram)
{
    box.WriteArchive(SmallInstallation());
    ASSERT_TRUE(Install());
    const auto loc = box.locations();
    const auto document = setup::HandlerEntryPath(loc, setup::kDocumentProgId);
    EXPECT_EQ(setup::ReadDesktopValue(document, "MimeType"), "application/x-horavel-document;");
    EXPECT_EQ(setup::ReadDesktopValue(document, "Name"), "Fichier cadran solaire Horavel");
    EXPECT_EQ(setup::ReadDesktopValue(document, "NoDisplay"), "true");
    const auto exec = setup::ReadDesktopValue(document, "Exec");
    ASSERT_TRUE(exec);
    EXPECT_EQ(*exec, "\"" + (box.dest() / "horavel").string() + "\" %f");
    EXPECT_EQ(setup::FolderOfOpenCommand(*exec), box.dest());
    // The database type opens the program without the file.
    EXPECT_EQ(setup::ReadDesktopValue(setup::HandlerEntryPath(loc, setup::kDatabaseProgId), "Exec"),
              "\"" + (box.dest() / "horavel").string() + "\"");
    const std::string xml = ReadFileBytes(setup::MimePackagePath(loc, setup::kDatabaseProgId));
    EXPECT_NE(xml.find("<mime-type type=\"application/x-horavel-database\">"), std::string::npos);
    EXPECT_NE(xml.find("<glob pattern=\"*.dbl\"/>"), std::string::npos);
    EXPECT_NE(xml.find("<comment>Base des lieux Horavel</comment>"), std::string::npos);
}

TEST_F(InstallStepsTest, UninstallEntryNamesTheCommandAndEveryInstalledFile)
{
    box.WriteArchive({Entry("horavel", "p"), Entry("missing", ""), Entry("help\\fr\\contents.html", "h")});
    ASSERT_TRUE(Install());
    const auto record = setup::UninstallRecord::Read(box.locations().uninstallRecord);
    ASSERT_TRUE(record);
    std::vector<std::string> keys;
    for (const auto& [key, value] : record->values)
        keys.push_back(key);
    EXPECT_EQ(keys, (std::vector<std::string>{"DisplayName", "UninstallString", "DisplayVersion", "Publisher",
                                              "URLInfoAbout", "URLUpdateInfo", "HelpLink", "Comments"}));
    EXPECT_EQ(record->Value("DisplayName"), "Horavel 2.0");
    EXPECT_EQ(record->Value("UninstallString"), "\"" + (box.dest() / "horavel-setup").string() + "\" /r");
    EXPECT_EQ(record->Value("Comments"), "Veuillez consulter périodiquement le site Internet du logiciel pour vous "
                                         "tenir au courant des évolutions.");
    EXPECT_EQ(record->folder, box.dest());
    EXPECT_EQ(record->Files(), (std::vector<std::string>{"horavel", "help/fr/contents.html"}));
}

TEST_F(InstallStepsTest, ShortcutsOfTheProgramTheManualAndTheSite)
{
    box.WriteArchive({Entry("horavel", "p"), Entry("horavel.png", "icon"), Entry("Help\\fr\\contents.html", "h")});
    ASSERT_TRUE(Install());
    const fs::path folder = box.dataHome() / "applications" / "Horavel 2.0";
    const fs::path program = folder / "Horavel 2.0.desktop";
    EXPECT_EQ(setup::ReadDesktopValue(program, "Type"), "Application");
    EXPECT_EQ(setup::ReadDesktopValue(program, "Comment"), "Logiciel de création de cadrans solaires");
    EXPECT_EQ(setup::ReadDesktopValue(program, "Path"), box.dest().string());
    EXPECT_EQ(setup::ReadDesktopValue(program, "Icon"), (box.dest() / "horavel.png").string());
    // The manual's folder is found whatever its case.
    const fs::path manual = folder / "Manuel du logiciel Horavel.desktop";
    EXPECT_EQ(setup::ReadDesktopValue(manual, "Type"), "Link");
    EXPECT_EQ(setup::ReadDesktopValue(manual, "URL"), paths::FileUrl(box.dest() / "Help/fr/contents.html"));
    EXPECT_EQ(setup::ReadDesktopValue(folder / "Site web du logiciel.desktop", "URL"), "https://horavel.example.org/");
}

TEST_F(InstallStepsTest, InstallingTwiceOverwritesAndKeepsEveryFileKnown)
{
    box.WriteArchive({Entry("a.txt", "first"), Entry("old.txt", "o")});
    ASSERT_TRUE(Install());
    box.WriteArchive({Entry("a.txt", "second"), Entry("new.txt", "n")});
    ASSERT_TRUE(Install());
    EXPECT_EQ(ReadFileBytes(box.dest() / "a.txt"), "second");
    EXPECT_EQ(setup::UninstallRecord::Read(box.locations().uninstallRecord)->Files(),
              (std::vector<std::string>{"a.txt", "old.txt", "new.txt"}));
}

TEST_F(InstallStepsTest, SkippingTheCopyStillRegisters)
{
    ASSERT_TRUE(Install(true));  // no archive at all
    EXPECT_TRUE(Registered());
    EXPECT_FALSE(fs::exists(box.dest() / "horavel"));
}

TEST_F(InstallStepsTest, ADestinationThatCannotBeCreatedIsReported)
{
    WriteFileBytes(box.dir() / "opt", "a file where the folder should be");
    box.WriteArchive({Entry("a", "1")});
    EXPECT_FALSE(Install());
    ASSERT_EQ(fake->messageBoxes.size(), 1u);
    EXPECT_EQ(fake->messageBoxes[0].text,
              "Erreur ! Le dossier d'installation " + box.dest().string() + " n'a pas pu être créé.");
    EXPECT_FALSE(Registered());

    // A level made before a deeper one fails goes with the failed run.
    const fs::path deep = box.dir() / "new" / std::string(256, 'x');
    EXPECT_FALSE(setup::CInstallation(box.archive(), deep, box.locations(), progress).Run());
    EXPECT_EQ(fake->messageBoxes.size(), 2u);
    EXPECT_FALSE(fs::exists(box.dir() / "new"));
}

TEST(DesktopEntryQuoting, ProgramPathsSurviveTheExecLine)
{
    testsupport::TempDir dir;
    for (std::string folder : {"/opt/Horavel 2.0", "/home/a\"b/$HOME/`x`/50%/back\\slash", "/plain"}) {
        const std::string exec = setup::QuoteExecArgument(folder + "/horavel") + " %f";
        ASSERT_TRUE(setup::WriteDesktopEntry(dir / "e.desktop", {{"Exec", exec}}));
        const auto read = setup::ReadDesktopValue(dir / "e.desktop", "Exec");
        ASSERT_TRUE(read);
        EXPECT_EQ(*read, exec);
        EXPECT_EQ(setup::FolderOfOpenCommand(*read), fs::path(folder)) << folder;
    }
    EXPECT_EQ(setup::QuoteExecArgument("a$b%c"), "\"a\\$b%%c\"");
    EXPECT_EQ(setup::FolderOfOpenCommand("\"unclosed"), std::nullopt);
    EXPECT_EQ(setup::FolderOfOpenCommand("relative/horavel %f"), std::nullopt);
    EXPECT_EQ(paths::FileUrl("/a b/é.html"), "file:///a%20b/%C3%A9.html");
}

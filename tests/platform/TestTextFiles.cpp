#include "platform/Encoding.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstddef>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <iterator>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/file.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

using testsupport::TempDir;

namespace {

// The exit status of fn run in a child process whose calls of the system call number fail
// with error; 2 when no filter can be set.
int ExitStatusWithFailingCall(long call, int error, const std::function<bool()>& fn)
{
    const pid_t child = ::fork();
    if (child == 0) {
        sock_filter filter[] = {
            BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
            BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, static_cast<unsigned>(call), 0, 1),
            BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | static_cast<unsigned>(error)),
            BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
        };
        sock_fprog program{static_cast<unsigned short>(std::size(filter)), filter};
        if (::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0 ||
            ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) != 0)
            ::_exit(2);
        ::_exit(fn() ? 0 : 1);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

}  // namespace

TEST(Encoding, Cp1252RoundTripsEveryAssignedByte)
{
    for (int b = 1; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        const std::string utf8 = enc::Cp1252ToUtf8(one);
        EXPECT_TRUE(enc::IsValidUtf8(utf8)) << b;
        const auto back = enc::Utf8ToCp1252(utf8);
        ASSERT_TRUE(back.has_value()) << b;
        EXPECT_EQ(*back, one) << b;
    }
    EXPECT_EQ(enc::Cp1252ToUtf8("\x80"), "\xE2\x82\xAC");       // euro sign
    EXPECT_EQ(enc::Cp1252ToUtf8("BESAN\xC7ON"), "BESANÇON");
    EXPECT_FALSE(enc::Utf8ToCp1252("東京").has_value());
}

TEST(Encoding, Utf8ValidityAndUtf16)
{
    EXPECT_TRUE(enc::IsValidUtf8("août ÿ € 𝄞"));
    EXPECT_FALSE(enc::IsValidUtf8("\xC0\xAF"));          // overlong
    EXPECT_FALSE(enc::IsValidUtf8("\xED\xA0\x80"));      // surrogate
    EXPECT_FALSE(enc::IsValidUtf8("abc\xE9"));           // truncated / Latin-1
    EXPECT_EQ(enc::DecodeFileText("\xEF\xBB\xBFZ\xC3\xBCrich"), "Zürich");
    EXPECT_EQ(enc::DecodeFileText("Z\xFCrich"), "Zürich");
    const std::string text = "Zürich 𝄞 東京";
    EXPECT_EQ(enc::Utf16ToUtf8(enc::Utf8ToUtf16(text)), text);
    EXPECT_EQ(enc::Utf8ToUtf16("𝄞").size(), 2u);
    EXPECT_EQ(enc::Utf16ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}

TEST(TextFile, ReadsLinesWithCrLfAndLatin1Fallback)
{
    TempDir dir;
    testsupport::WriteFileBytes(dir / "a.txt", "one\r\ntwo\r\n\r\nfour");
    std::vector<std::string> lines;
    ASSERT_TRUE(textfile::ReadLines(dir / "a.txt", lines));
    EXPECT_EQ(lines, (std::vector<std::string>{"one", "two", "", "four"}));

    testsupport::WriteFileBytes(dir / "b.txt", "GEN\xC8VE\n");
    ASSERT_TRUE(textfile::ReadLines(dir / "b.txt", lines));
    EXPECT_EQ(lines, (std::vector<std::string>{"GENÈVE"}));

    std::string error;
    EXPECT_FALSE(textfile::ReadLines(dir / "missing.txt", lines, &error));
    EXPECT_FALSE(error.empty());
}

TEST(TextFile, AtomicWriteReplacesAndFailsCleanly)
{
    TempDir dir;
    const auto target = dir / "out.txt";
    testsupport::WriteFileBytes(target, "old");
    textfile::AtomicWriter w(target);
    w.WriteLine("a");
    w.WriteLine("b");
    ASSERT_TRUE(w.Commit());
    EXPECT_EQ(testsupport::ReadFileBytes(target), "a\nb\n");
    // No temporary file is left behind.
    int count = 0;
    for (auto& e : std::filesystem::directory_iterator(dir.path())) {
        (void)e;
        ++count;
    }
    EXPECT_EQ(count, 1);

    // The longest name a folder takes is saved too: the temporary's name is no longer.
    const auto longest = dir / (std::string(251, 'n') + ".cds");
    ASSERT_TRUE(textfile::WriteAtomic(longest, "long"));
    ASSERT_TRUE(textfile::WriteAtomic(longest, "longer"));
    EXPECT_EQ(testsupport::ReadFileBytes(longest), "longer");

    std::string error;
    EXPECT_FALSE(textfile::WriteAtomic(dir / "no" / "such" / "x.txt", "x", &error));
    EXPECT_NE(error.find(std::strerror(ENOENT)), std::string::npos) << error;
}

TEST(TextFile, AtomicWriteKeepsLinksPermissionsAndWriteProtection)
{
    TempDir dir;
    std::filesystem::create_directories(dir / "real");
    const auto target = dir / "real" / "doc.cds";
    testsupport::WriteFileBytes(target, "old");
    ::chmod(target.c_str(), 0600);
    std::filesystem::create_symlink("real/doc.cds", dir / "link.cds");
    ASSERT_TRUE(textfile::WriteAtomic(dir / "link.cds", "new"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.cds"));
    EXPECT_EQ(testsupport::ReadFileBytes(target), "new");
    struct stat st;
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);

    // A file with another name is replaced under this name only: the other keeps the old
    // contents, whole.
    std::filesystem::create_hard_link(target, dir / "other.cds");
    ASSERT_TRUE(textfile::WriteAtomic(target, "linked"));
    EXPECT_EQ(testsupport::ReadFileBytes(target), "linked");
    EXPECT_EQ(testsupport::ReadFileBytes(dir / "other.cds"), "new");
    EXPECT_EQ(std::filesystem::hard_link_count(target), 1u);
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);

    // A link another user could have planted in a shared folder is not followed (a superuser's
    // is). Only the superuser can give a link away.
    std::filesystem::create_symlink("real/doc.cds", dir / "planted.cds");
    if (::lchown((dir / "planted.cds").c_str(), ::geteuid() + 1, static_cast<gid_t>(-1)) == 0) {
        EXPECT_FALSE(textfile::WriteAtomic(dir / "planted.cds", "planted"));
        EXPECT_EQ(testsupport::ReadFileBytes(target), "linked");
    }
    std::filesystem::remove(dir / "planted.cds");

    // A write-protected file is kept, for the superuser too; no temporary file is left.
    ::chmod(target.c_str(), 0444);
    std::string error;
    EXPECT_FALSE(textfile::WriteAtomic(dir / "link.cds", "lost", &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(testsupport::ReadFileBytes(target), "linked");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "real"), {}), 1);
    ::chmod(target.c_str(), 0644);
}

// A user who may not give the new file the old one's group (not one of his) must not give
// what that group could read to a group of his.
TEST(TextFile, AtomicWriteDoesNotOpenAFileToAGroupItCannotKeep)
{
    TempDir dir;
    const auto target = dir / "doc.cds";
    testsupport::WriteFileBytes(target, "old");
    struct stat st;
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    const gid_t other = st.st_gid + 1;
    if (::chown(target.c_str(), static_cast<uid_t>(-1), other) != 0)
        GTEST_SKIP() << "the file cannot be given to a group of another";
    ::chmod(target.c_str(), 0640);
    const int status = ExitStatusWithFailingCall(__NR_fchown, EPERM, [&] { return textfile::WriteAtomic(target, "new"); });
    if (status == 2)
        GTEST_SKIP() << "no system call filter here";
    EXPECT_EQ(status, 0);
    EXPECT_EQ(testsupport::ReadFileBytes(target), "new");
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_NE(st.st_gid, other);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
}

// A save killed at any instant leaves the file whole, with its old or its new contents, and
// the next save leaves no temporary file behind. A hard-linked file is the hardest case.
TEST(TextFile, AKilledSaveLeavesAWholeFileAndNoTemporary)
{
    TempDir dir;
    const auto target = dir / "doc.cds";
    const std::string before(256 * 1024, 'a');
    const std::string after(256 * 1024, 'b');
    testsupport::WriteFileBytes(target, before);
    std::filesystem::create_hard_link(target, dir / "other.cds");
    for (int run = 0; run < 60; ++run) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            for (int save = 0;; ++save)
                textfile::WriteAtomic(target, save % 2 == 0 ? after : before);
        ::usleep(static_cast<useconds_t>(300 + run * 137 % 3000));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        const std::string now = testsupport::ReadFileBytes(target);
        ASSERT_TRUE(now == before || now == after) << "run " << run << ": " << now.size() << " bytes, mixed";
    }
    // Where the file system cannot make a temporary without a name, a killed save leaves one:
    // the next save removes it, but not one in use, nor a file of another name.
    testsupport::WriteFileBytes(dir / ".doc.cds.tmp-0123abcd", "left by a killed save");
    testsupport::WriteFileBytes(dir / ".doc.cds.tmp-456789ef", "being written");
    testsupport::WriteFileBytes(dir / ".doc.cds.tmp-notmine", "the user's");
    const int inUse = ::open((dir / ".doc.cds.tmp-456789ef").c_str(), O_RDONLY);
    ASSERT_EQ(::flock(inUse, LOCK_EX), 0);
    ASSERT_TRUE(textfile::WriteAtomic(target, after));
    ::close(inUse);
    EXPECT_TRUE(testsupport::ReadFileBytes(dir / "other.cds") == before) << "the other name keeps the old contents";
    EXPECT_FALSE(std::filesystem::exists(dir / ".doc.cds.tmp-0123abcd"));
    EXPECT_TRUE(std::filesystem::exists(dir / ".doc.cds.tmp-456789ef"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 4);
}

TEST(Paths, JoinAndCaseInsensitiveLookup)
{
    EXPECT_EQ(paths::join("/opt/h", "\\LIEUX2.DBL"), std::filesystem::path("/opt/h/LIEUX2.DBL"));
    EXPECT_EQ(paths::join("/opt/h", "Help\\fr\\a.html"), std::filesystem::path("/opt/h/Help/fr/a.html"));

    TempDir dir;
    std::filesystem::create_directories(dir / "Help" / "fr");
    testsupport::WriteFileBytes(dir / "Help" / "fr" / "Contents.html", "x");
    testsupport::WriteFileBytes(dir / "lieux.dbl", "x");
    auto found = paths::FindCaseInsensitive(dir.path(), "LIEUX.DBL");
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->filename(), "lieux.dbl");
    found = paths::FindCaseInsensitive(dir.path(), "help\\FR\\contents.HTML");
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(*found, dir / "Help" / "fr" / "Contents.html");
    EXPECT_FALSE(paths::FindCaseInsensitive(dir.path(), "nothing.txt").has_value());
}

TEST(Paths, DataFolderFallsBackToXdgWhenInstallIsReadOnly)
{
    TempDir dir;
    std::filesystem::create_directories(dir / "ro");
    ::chmod((dir / "ro").c_str(), 0555);
    const bool rootCanWrite = paths::IsWritableFolder(dir / "ro");  // root ignores modes
    ::setenv("XDG_DATA_HOME", (dir / "xdg").c_str(), 1);
    paths::SetInstallFolder(dir / "ro");
    paths::SetDataFolder({});
    if (rootCanWrite)
        EXPECT_EQ(paths::DataFolder(), dir / "ro");
    else
        EXPECT_EQ(paths::DataFolder(), dir / "xdg" / "horavel");

    paths::SetInstallFolder(dir.path());
    paths::SetDataFolder({});
    EXPECT_EQ(paths::DataFolder(), dir.path());
    ::chmod((dir / "ro").c_str(), 0755);
    paths::SetInstallFolder({});
    paths::SetDataFolder({});
    ::unsetenv("XDG_DATA_HOME");
}

// The archive: what the builder writes byte by byte, what the reader accepts and refuses,
// and where an entry may be written.
#include "SetupTestSupport.h"

#include "setup/FolderWalk.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

#include <chrono>
#include <fstream>

namespace fs = std::filesystem;
using namespace setuptest;
using setup::CSetupArchiveReader;
using testsupport::ReadFileBytes;
using testsupport::TempDir;
using testsupport::WriteFileBytes;

namespace {

std::int64_t ModificationTime(const fs::path& file)
{
    struct stat st {};
    EXPECT_EQ(::stat(file.c_str(), &st), 0);
    return st.st_mtime;
}

void SetTimes(const fs::path& file, std::int64_t seconds)
{
    struct timespec times[2] = {{static_cast<time_t>(seconds), 0}, {static_cast<time_t>(seconds), 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), times, 0), 0);
}

std::vector<CSetupArchiveReader::Result> ReadAll(const std::string& bytes, std::vector<setup::SetupEntry>* entries = nullptr)
{
    CSetupArchiveReader reader;
    std::vector<CSetupArchiveReader::Result> results;
    if (!reader.OpenBytes(bytes))
        return results;
    for (std::uint32_t i = 0; i < reader.GetCount(); ++i) {
        setup::SetupEntry entry;
        results.push_back(reader.ReadEntry(entry));
        if (entries)
            entries->push_back(entry);
        if (results.back() == CSetupArchiveReader::Result::Corrupt)
            break;
    }
    return results;
}

}  // namespace

TEST(SetupArchiveFormat, BuilderWritesTheDocumentedBytes)
{
    TempDir dir;
    fs::create_directories(dir / "source/help/fr");
    WriteFileBytes(dir / "source/help/fr/a.txt", "abc");
    SetTimes(dir / "source/help/fr/a.txt", 1500000000);
    std::vector<std::string> skipped;
    ASSERT_TRUE(setup::BuildSetupData(dir / "source", {"help\\fr\\a.txt", "absent.txt"}, dir / "setup.dat", &skipped));
    EXPECT_EQ(skipped, std::vector<std::string>{"absent.txt"});

    const std::string bytes = ReadFileBytes(dir / "setup.dat");
    // Header: format 1, 64 zero bytes, two entries.
    std::string expected("\x01\0\0\0", 4);
    expected += std::string(64, '\0');
    expected += std::string("\x02\0\0\0", 4);
    // Size 3, three times (creation is not checked: not every file system keeps it),
    // name length 14 with the NUL, name, data; then the missing file as a lone 0.
    ASSERT_EQ(bytes.size(), expected.size() + 4 * 5 + 14 + 3 + 4);
    EXPECT_EQ(bytes.substr(0, 72), expected);
    EXPECT_EQ(bytes.substr(72, 4), std::string("\x03\0\0\0", 4));
    const std::string t1500000000("\x00\x2f\x68\x59", 4);  // 1500000000 little-endian
    EXPECT_EQ(bytes.substr(80, 4), t1500000000);
    EXPECT_EQ(bytes.substr(84, 4), t1500000000);
    EXPECT_EQ(bytes.substr(88, 4), std::string("\x0e\0\0\0", 4));
    EXPECT_EQ(bytes.substr(92, 14), std::string("help\\fr\\a.txt\0", 14));
    EXPECT_EQ(bytes.substr(92 + 14, 3), "abc");
    EXPECT_EQ(bytes.substr(bytes.size() - 4), std::string(4, '\0'));
}

TEST(SetupArchiveFormat, RoundTripKeepsNamesBytesAndTimes)
{
    TempDir dir;
    fs::create_directories(dir / "source/help/en");
    std::string binary;
    for (int i = 0; i < 256; ++i)
        binary.push_back(static_cast<char>(i));
    WriteFileBytes(dir / "source/horavel", binary);
    WriteFileBytes(dir / "source/help/en/contents.html", "<html/>");
    WriteFileBytes(dir / "source/empty.txt", "");
    SetTimes(dir / "source/horavel", 1234567890);
    std::vector<std::string> skipped;
    ASSERT_TRUE(setup::BuildSetupData(dir / "source", {"horavel", "empty.txt", "help/en/contents.html"},
                                      dir / "setup.dat", &skipped));
    // An empty file cannot be told from a missing one: it is stored as one and reported.
    EXPECT_EQ(skipped, std::vector<std::string>{"empty.txt"});

    CSetupArchiveReader reader;
    ASSERT_TRUE(reader.Open(dir / "setup.dat"));
    ASSERT_EQ(reader.GetCount(), 3u);
    setup::SetupEntry entry;
    ASSERT_EQ(reader.ReadEntry(entry), CSetupArchiveReader::Result::Entry);
    EXPECT_EQ(entry.name, "horavel");
    EXPECT_EQ(entry.data, binary);
    EXPECT_EQ(entry.modificationTime, 1234567890);
    EXPECT_EQ(entry.accessTime, 1234567890);
    EXPECT_EQ(reader.ReadEntry(entry), CSetupArchiveReader::Result::Missing);
    ASSERT_EQ(reader.ReadEntry(entry), CSetupArchiveReader::Result::Entry);
    EXPECT_EQ(entry.name, "help/en/contents.html");
    EXPECT_EQ(entry.data, "<html/>");
    // The count is exhausted: nothing more is read.
    EXPECT_EQ(reader.ReadEntry(entry), CSetupArchiveReader::Result::Corrupt);
}

TEST(SetupArchiveFormat, TimesAreWidenedWithTheirSign)
{
    auto entry = Entry("old.txt", "x", -86400);  // 1969-12-31
    std::vector<setup::SetupEntry> read;
    ASSERT_EQ(ReadAll(ArchiveBytes({entry}), &read).at(0), CSetupArchiveReader::Result::Entry);
    EXPECT_EQ(read.at(0).modificationTime, -86400);
    EXPECT_EQ(read.at(0).creationTime, -86500);
}

TEST(SetupArchiveFormat, ListFileStopsAtEndAndSkipsEmptyLines)
{
    TempDir dir;
    WriteFileBytes(dir / "filelist.txt", "horavel\r\n\r\nhelp\\fr\\a.html\nEND\nafter.txt\n");
    std::vector<std::string> list;
    ASSERT_TRUE(setup::ReadFileList(dir / "filelist.txt", list));
    EXPECT_EQ(list, (std::vector<std::string>{"horavel", "help\\fr\\a.html"}));

    // Without "END" the list ends with the file.
    WriteFileBytes(dir / "nolast.txt", "a\nb");
    list.clear();
    ASSERT_TRUE(setup::ReadFileList(dir / "nolast.txt", list));
    EXPECT_EQ(list, (std::vector<std::string>{"a", "b"}));
    EXPECT_FALSE(setup::ReadFileList(dir / "absent.txt", list));
}

TEST(SetupArchiveFormat, BuilderFailsWhenTheArchiveCannotBeCreated)
{
    TempDir dir;
    EXPECT_FALSE(setup::BuildSetupData(dir.path(), {"a"}, dir / "no-such-folder" / "setup.dat"));
}

TEST(SetupArchiveReading, EveryTruncationIsRefusedWithoutAWrongEntry)
{
    const std::string whole = ArchiveBytes({Entry("a.txt", "alpha"), Entry("b", ""), Entry("help\\c.txt", "gamma")});
    for (std::size_t cut = 0; cut < whole.size(); ++cut) {
        std::vector<setup::SetupEntry> entries;
        const auto results = ReadAll(whole.substr(0, cut), &entries);
        if (cut < setup::kHeaderBytes) {
            EXPECT_TRUE(results.empty()) << "cut at " << cut;
            continue;
        }
        ASSERT_FALSE(results.empty()) << "cut at " << cut;
        EXPECT_EQ(results.back(), CSetupArchiveReader::Result::Corrupt) << "cut at " << cut;
        // What was read before the cut is right.
        for (std::size_t i = 0; i + 1 < results.size(); ++i)
            if (results[i] == CSetupArchiveReader::Result::Entry) {
                EXPECT_TRUE(entries[i].data == "alpha" || entries[i].data == "gamma");
            }
    }
    const auto results = ReadAll(whole);
    EXPECT_EQ(results, (std::vector<CSetupArchiveReader::Result>{CSetupArchiveReader::Result::Entry,
                                                                 CSetupArchiveReader::Result::Missing,
                                                                 CSetupArchiveReader::Result::Entry}));
}

TEST(SetupArchiveReading, BadFieldsAreRefused)
{
    auto raw = [](std::uint32_t size, std::uint32_t nameLength, const std::string& name, const std::string& data) {
        std::string bytes = setup::EncodeHeader(1);
        for (std::uint32_t v : {size, 0u, 0u, 0u, nameLength})
            for (int i = 0; i < 4; ++i)
                bytes.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
        return bytes + name + data;
    };
    const auto corrupt = std::vector<CSetupArchiveReader::Result>{CSetupArchiveReader::Result::Corrupt};
    // A name longer than the reader's 260-byte buffer.
    EXPECT_EQ(ReadAll(raw(1, 261, std::string(260, 'a') + '\0', "x")), corrupt);
    EXPECT_EQ(ReadAll(raw(1, 260, std::string(259, 'a') + '\0', "x")).at(0), CSetupArchiveReader::Result::Entry);
    // An empty name, a name without its NUL, a NUL inside the name.
    EXPECT_EQ(ReadAll(raw(1, 1, std::string(1, '\0'), "x")), corrupt);
    EXPECT_EQ(ReadAll(raw(1, 3, "abc", "x")), corrupt);
    EXPECT_EQ(ReadAll(raw(1, 4, std::string("a\0b\0", 4), "x")), corrupt);
    // A size far beyond the archive is not believed (nor allocated).
    EXPECT_EQ(ReadAll(raw(0xFFFFFFF0u, 2, std::string("a\0", 2), "x")), corrupt);
}

TEST(SetupArchiveNames, NamesThatCouldLeaveTheFolderAreRefused)
{
    std::vector<std::string> parts;
    ASSERT_TRUE(setup::SplitEntryName("help\\fr\\contents.html", parts));
    EXPECT_EQ(parts, (std::vector<std::string>{"help", "fr", "contents.html"}));
    ASSERT_TRUE(setup::SplitEntryName("a/b..c/.d", parts));
    EXPECT_EQ(parts, (std::vector<std::string>{"a", "b..c", ".d"}));
    for (const char* bad : {"", "..", "..\\x", "help\\..\\..\\x", "a/../b", "\\etc\\passwd", "/etc/passwd",
                            "c:\\x", "c:x", "a\\\\b", "a\\", "./a", "a\\.\\b", "a\nb", "a\tb"})
        EXPECT_FALSE(setup::SplitEntryName(bad, parts)) << bad;
}

TEST(SetupArchiveWriting, FoldersAreCreatedAndStoredTimesKept)
{
    TempDir dir;
    fs::path written;
    ASSERT_EQ(setup::WriteSetupEntry(Entry("help\\fr\\images\\a.png", "png", 1400000000), dir.path(), &written),
              setup::WriteResult::Written);
    EXPECT_EQ(written, fs::canonical(dir.path()) / "help/fr/images/a.png");
    EXPECT_EQ(ReadFileBytes(dir / "help/fr/images/a.png"), "png");
    EXPECT_EQ(ModificationTime(dir / "help/fr/images/a.png"), 1400000000);

    // Programs are executable, other files not; an existing read-only file is replaced.
    ASSERT_EQ(setup::WriteSetupEntry(Entry("horavel", "\x7f" "ELF..."), dir.path()), setup::WriteResult::Written);
    WriteFileBytes(dir / "notes.txt", "old");
    fs::permissions(dir / "notes.txt", fs::perms::owner_read);
    ASSERT_EQ(setup::WriteSetupEntry(Entry("notes.txt", "new"), dir.path()), setup::WriteResult::Written);
    EXPECT_EQ(ReadFileBytes(dir / "notes.txt"), "new");
    const auto program = fs::status(dir / "horavel").permissions();
    const auto notes = fs::status(dir / "notes.txt").permissions();
    EXPECT_NE(program & fs::perms::owner_exec, fs::perms::none);
    EXPECT_EQ(notes & fs::perms::owner_exec, fs::perms::none);
    EXPECT_NE(notes & fs::perms::owner_write, fs::perms::none);
}

TEST(SetupArchiveWriting, LinksCannotLeadOutsideTheDestination)
{
    TempDir dir;
    fs::create_directories(dir / "dest");
    fs::create_directories(dir / "outside");
    // A folder of the destination that is a link to elsewhere.
    fs::create_directory_symlink(dir / "outside", dir / "dest" / "help");
    EXPECT_EQ(setup::WriteSetupEntry(Entry("help\\x.txt", "x"), dir / "dest"), setup::WriteResult::Outside);
    EXPECT_FALSE(fs::exists(dir / "outside" / "x.txt"));
    // A file of the destination that is a link: replaced, its target untouched.
    WriteFileBytes(dir / "outside" / "target.txt", "keep");
    fs::create_symlink(dir / "outside" / "target.txt", dir / "dest" / "a.txt");
    EXPECT_EQ(setup::WriteSetupEntry(Entry("a.txt", "new"), dir / "dest"), setup::WriteResult::Written);
    EXPECT_EQ(ReadFileBytes(dir / "outside" / "target.txt"), "keep");
    EXPECT_FALSE(fs::is_symlink(dir / "dest" / "a.txt"));
    EXPECT_EQ(ReadFileBytes(dir / "dest" / "a.txt"), "new");
    // Nor a link that stays inside: the uninstallation never follows one.
    fs::create_directories(dir / "dest" / "real");
    fs::create_directory_symlink(dir / "dest" / "real", dir / "dest" / "alias");
    EXPECT_EQ(setup::WriteSetupEntry(Entry("alias\\x.txt", "x"), dir / "dest"), setup::WriteResult::Outside);
    EXPECT_TRUE(fs::is_empty(dir / "dest" / "real"));
    // Unsafe names never reach the disk.
    EXPECT_EQ(setup::WriteSetupEntry(Entry("..\\escape.txt", "x"), dir / "dest"), setup::WriteResult::Unsafe);
    EXPECT_FALSE(fs::exists(dir / "escape.txt"));
}

TEST(SetupArchiveWriting, ContentHashIsSha256)
{
    // Empty, one block, a tail that needs a second block, several blocks.
    EXPECT_EQ(setup::ContentHash(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(setup::ContentHash("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(setup::ContentHash("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
    EXPECT_EQ(setup::ContentHash(std::string(1000, 'a')),
              "41edece42d63e8d9bf515a9ba6932e1c20cbc9f5a5d134645adb5db1b9737ea3");
}

TEST(SetupArchiveWriting, AKeptCopyIsCopiedWhereTheFileSystemHasNoHardLinks)
{
    TempDir dir;
    const setup::CFolderWalk walk(dir.path());
    WriteFileBytes(dir / "notes.txt", "mine");
    fs::last_write_time(dir / "notes.txt", fs::file_time_type(std::chrono::seconds(1500000000)));
    for (int error : {EPERM, ENOTSUP, EXDEV, EMLINK}) {
        static int failure = 0;
        failure = error;
        fs::remove(dir / "notes.txt.orig");
        ASSERT_TRUE(walk.KeepCopy("notes.txt", "notes.txt.orig", [](int, const char*, int, const char*, int) {
            errno = failure;
            return -1;
        })) << error;
        EXPECT_EQ(ReadFileBytes(dir / "notes.txt.orig"), "mine");
        EXPECT_EQ(fs::last_write_time(dir / "notes.txt.orig"), fs::last_write_time(dir / "notes.txt"));
    }
    // A name already taken is no reason to copy over it.
    EXPECT_FALSE(walk.KeepCopy("notes.txt", "notes.txt.orig", [](int, const char*, int, const char*, int) {
        errno = EEXIST;
        return -1;
    }));
}

TEST(SetupArchiveWriting, AFolderInTheWayIsAFailure)
{
    TempDir dir;
    fs::create_directories(dir / "a.txt");
    EXPECT_EQ(setup::WriteSetupEntry(Entry("a.txt", "x"), dir.path()), setup::WriteResult::WriteFailed);
    WriteFileBytes(dir / "file", "x");
    EXPECT_EQ(setup::WriteSetupEntry(Entry("file\\b.txt", "x"), dir.path()), setup::WriteResult::WriteFailed);
}

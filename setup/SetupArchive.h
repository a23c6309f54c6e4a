#pragma once
// "setup.dat": the installer's uncompressed archive of every file to install.
//
// Layout (integers 32-bit little-endian): format number 1, 64 reserved zero bytes, entry
// count N, then N entries. An entry is its data size S; S = 0 marks a file that was missing
// (or empty) when the archive was built and nothing follows. Otherwise: creation,
// modification and access times (low 32 bits of seconds since 1970, read back with sign
// extension), the name length L counting its NUL, the name (the path relative to the
// installation folder, "\" between folders) and the S bytes of the file.
//
// The archive comes from outside: every field is checked before it is trusted, and no
// name may lead out of the destination folder.
#include <cstdint>
#include <filesystem>
#include <istream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace setup {

class CFolderWalk;

inline constexpr std::uint32_t kArchiveFormat = 1;
inline constexpr std::size_t kReservedBytes = 64;
inline constexpr std::size_t kHeaderBytes = 4 + kReservedBytes + 4;
// The reader's name buffer, NUL included.
inline constexpr std::uint32_t kMaxNameBytes = 260;

struct SetupEntry {
    std::string name;               // as stored, "\" or "/" between folders
    std::int64_t creationTime = 0;  // seconds since 1970 UTC
    std::int64_t modificationTime = 0;
    std::int64_t accessTime = 0;
    std::string data;
};

// The list file: one relative path a line; empty lines are skipped and a line "END" ends
// the list (so does the end of the file). False when the file cannot be read.
bool ReadFileList(const std::filesystem::path& listFile, std::vector<std::string>& list);

// Writes the archive of the listed files, each read from sourceFolder joined with its
// entry. A file that cannot be read, or that is empty (the format cannot tell it from a
// missing one), is stored as a lone 0 and named in skipped. False (archive not written)
// when the archive cannot be created or written.
bool BuildSetupData(const std::filesystem::path& sourceFolder, const std::vector<std::string>& list,
                    const std::filesystem::path& archive, std::vector<std::string>* skipped = nullptr);

// The bytes of one stored entry (what BuildSetupData writes for a file that was read).
std::string EncodeEntry(const SetupEntry& entry);
// The header for count entries.
std::string EncodeHeader(std::uint32_t count);

// The folders and file name of an entry name, split on "\" and "/"; false for a name that
// could reach outside the folder it is extracted into: empty, absolute, a drive ("c:"),
// a "." or ".." component, an empty component, or a control character.
bool SplitEntryName(std::string_view name, std::vector<std::string>& parts);

// Reads an archive entry by entry.
class CSetupArchiveReader {
public:
    enum class Result {
        Entry,     // an entry was read
        Missing,   // an entry of size 0: nothing to write
        Corrupt,   // truncated, or a field that cannot be right: stop
    };

    // From a file; false when it cannot be opened or has no complete header.
    bool Open(const std::filesystem::path& archive);
    // From bytes in memory (tests, fuzzing).
    bool OpenBytes(std::string bytes);

    std::uint32_t GetCount() const { return count_; }
    // Entries read so far (Entry and Missing).
    std::uint32_t GetIndex() const { return index_; }

    // The next entry. Corrupt once the count is exhausted, as the archive announced no more.
    Result ReadEntry(SetupEntry& entry);

private:
    bool ReadHeader();
    bool ReadU32(std::uint32_t& value);
    bool ReadBytes(std::string& bytes, std::uint64_t size);

    std::unique_ptr<std::istream> in_;
    std::uint64_t size_ = 0;   // bytes of the whole archive
    std::uint64_t offset_ = 0; // bytes consumed
    std::uint32_t count_ = 0;
    std::uint32_t index_ = 0;
    bool corrupt_ = false;
};

enum class WriteResult {
    Written,
    Unsafe,       // the name itself would leave the destination (a damaged archive)
    Outside,      // a folder of the destination is a link
    WriteFailed,  // the file (or a folder) could not be created or written
};

// The suffix of the copy of a file that was in the destination before an installation
// that replaced it, and that was not the installation's own.
inline constexpr const char* kKeptCopySuffix = ".orig";

// The hidden name beside name ("/" between folders) under which its new bytes are written
// before they take its place; the same for every run, so that what a killed run left
// there is found again.
std::string TemporaryNameOf(std::string_view name);

// What is about to change in the destination, told before it changes (the installation's
// journal); a false answer stops the entry before the change.
class WriteAhead {
public:
    virtual ~WriteAhead() = default;
    virtual bool BeforeFolder(const std::string& relative) = 0;
    virtual bool BeforeKeptCopy(const std::string& name) = 0;
    virtual bool BeforeFile(const std::string& name, const std::string& hash) = 0;
    // Whether the file now at name, holding contents of that hash, is the installation's own
    // (replaced as it is) rather than the user's (kept as a copy first).
    virtual bool IsOwn(const std::string& name, const std::optional<std::string>& hash) const = 0;
};

// What WriteSetupEntry found and did at the entry's place.
struct WriteReport {
    // The entry's path relative to the destination, "/" between folders (empty for a name
    // that could leave it); for a failure, the level that failed.
    std::string name;
    bool keptCopy = false;  // what was there is now name + kKeptCopySuffix
    std::string hash;       // ContentHash of the bytes written
    int error = 0;          // the system's reason of a failure (an errno value)
};

// The SHA-256 of bytes in lower-case hex: what an installed file held when it was written,
// so that a file the user changed since (the same size and time or not) is told apart.
std::string ContentHash(std::string_view bytes);

// Appends what is left to read of the open file fd to bytes; false on a read error.
bool ReadAll(int fd, std::string& bytes);

// Writes entry under the destination folder, reached by its walk: the missing folders on
// the way are made (never through a link, wherever it leads: the uninstallation never
// follows one, so nothing written through it could be removed), the file is written beside
// and renamed into place, with the stored modification and access times, writable by its
// owner; files that start as programs (ELF or "#!") are made executable. A file already
// there is replaced; when journal does not own it, it is first kept as a copy (and the
// entry fails when that copy cannot be made). Every change is told to journal first.
WriteResult WriteSetupEntry(const SetupEntry& entry, const CFolderWalk& destination, WriteAhead* journal = nullptr,
                            WriteReport* report = nullptr);
// The same into the folder at destination, with no journal. path: the file written.
WriteResult WriteSetupEntry(const SetupEntry& entry, const std::filesystem::path& destination,
                            std::filesystem::path* path = nullptr);

}  // namespace setup

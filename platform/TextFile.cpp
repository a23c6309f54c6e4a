#include "platform/TextFile.h"

#include "platform/Encoding.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace textfile {

bool ReadBytes(const fs::path& file, std::string& bytes, std::string* error, std::uintmax_t maxBytes)
{
    bytes.clear();
    std::error_code ec;
    if (!fs::is_regular_file(file, ec)) {
        if (error)
            *error = "not a file: " + file.string();
        return false;
    }
    const auto size = fs::file_size(file, ec);
    if (ec || size > maxBytes) {
        if (error)
            *error = ec ? ec.message() : "file too large: " + file.string();
        return false;
    }
    std::FILE* f = std::fopen(file.c_str(), "rb");
    if (!f) {
        if (error)
            *error = std::strerror(errno);
        return false;
    }
    bytes.resize(static_cast<size_t>(size));
    const size_t got = bytes.empty() ? 0 : std::fread(bytes.data(), 1, bytes.size(), f);
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed) {
        if (error)
            *error = "read error: " + file.string();
        bytes.clear();
        return false;
    }
    bytes.resize(got);
    return true;
}

std::vector<std::string> SplitLines(std::string_view text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
        start = end + (crlf ? 2 : 1);
    }
    return lines;
}

bool ReadLines(const fs::path& file, std::vector<std::string>& lines, std::string* error)
{
    std::string bytes;
    if (!ReadBytes(file, bytes, error)) {
        lines.clear();
        return false;
    }
    lines = SplitLines(enc::DecodeFileText(bytes));
    return true;
}

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            // A write that takes nothing would never finish.
            if (n == 0)
                errno = EIO;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

namespace {

bool Fail(std::string* error, const std::string& why)
{
    if (error)
        *error = why;
    return false;
}

// Follows the symbolic links of a path to the file they name (the last link's target when it
// does not exist yet). Only links of our own or of the superuser are followed: in a folder
// others may write to (a shared data folder), a link another user planted could turn a save
// onto any file of ours.
bool FollowLinks(fs::path& file, std::string* error)
{
    const fs::path requested = file;
    for (int depth = 0; depth < 40; ++depth) {
        struct stat st;
        if (::lstat(file.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return true;
        if (st.st_uid != ::geteuid() && st.st_uid != 0)
            return Fail(error, "symbolic link of another user: " + file.string());
        std::error_code ec;
        const fs::path target = fs::read_symlink(file, ec);
        if (ec)
            return Fail(error, "cannot read the symbolic link " + file.string() + ": " + ec.message());
        file = target.is_absolute() ? target : file.parent_path() / target;
    }
    return Fail(error, "too many symbolic links: " + requested.string());
}

// Whether we may replace the file. Besides what the system allows, a file without any write
// bit is read-only for everyone: the superuser, whom the system lets write anything, is
// refused it too, as the user asked the file to be kept.
bool MayWrite(const fs::path& file, const struct stat& st)
{
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return false;
    return ::faccessat(AT_FDCWD, file.c_str(), W_OK, AT_EACCESS) == 0;
}

// Makes a rename in the folder last through a power cut, where the folder can be opened and
// synced; otherwise the rename is left to the system's own schedule.
void SyncFolder(const fs::path& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

// Temporaries are named "." + the start of the target's name + ".tmp-" + 8 hexadecimal digits:
// short enough for any valid name (NAME_MAX is 255 bytes), and recognisable, so that one left
// by a killed save can be told from the user's files and removed at the next save.
constexpr std::size_t kTempStemBytes = 200;
constexpr std::string_view kTempMark = ".tmp-";
constexpr std::size_t kTempDigits = 8;

// The start of a file name that names its temporaries, cut between two characters.
std::string TempStem(const fs::path& file)
{
    std::string name = file.filename().string();
    if (name.size() > kTempStemBytes) {
        std::size_t cut = kTempStemBytes;
        while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
            --cut;
        name.resize(cut);
    }
    return "." + name + std::string(kTempMark);
}

bool IsTempName(std::string_view name, std::string_view stem)
{
    if (name.size() != stem.size() + kTempDigits || !name.starts_with(stem))
        return false;
    return std::all_of(name.begin() + static_cast<std::ptrdiff_t>(stem.size()), name.end(),
                       [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; });
}

std::string TempName(std::string_view stem, std::random_device& rd)
{
    char digits[kTempDigits + 1];
    std::snprintf(digits, sizeof digits, "%08x", static_cast<unsigned>(rd()));
    return std::string(stem) + digits;
}

// Removes the temporaries of the target that a killed save left behind: ours by their name, of
// our own, and not in use (a save holds a lock on its temporary until it is renamed).
void RemoveStaleTemps(const fs::path& folder, std::string_view stem)
{
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path candidate = it->path();
        if (!IsTempName(candidate.filename().string(), stem))
            continue;
        const int fd = ::open(candidate.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat opened, named;
        if (::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) && opened.st_uid == ::geteuid() &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::lstat(candidate.c_str(), &named) == 0 &&
            named.st_dev == opened.st_dev && named.st_ino == opened.st_ino)
            ::unlink(candidate.c_str());
        ::close(fd);
    }
}

// A new file in the folder, locked for the whole save. Where the file system allows it, the
// file has no name until its contents are complete, so that a killed save leaves nothing.
struct TempFile {
    int fd = -1;
    bool unnamed = false;
    fs::path path;  // empty while unnamed
};

bool CreateTemp(const fs::path& folder, std::string_view stem, mode_t mode, std::random_device& rd, TempFile& temp,
                std::string* error)
{
    temp.fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
    if (temp.fd >= 0) {
        temp.unnamed = true;
        ::flock(temp.fd, LOCK_EX);
        return true;
    }
    for (int attempt = 0; attempt < 20; ++attempt) {
        temp.path = folder / TempName(stem, rd);
        temp.fd = ::open(temp.path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (temp.fd < 0) {
            if (errno == EEXIST)
                continue;
            break;
        }
        // Another save's clean-up may have taken it between its creation and its lock.
        struct stat opened, named;
        if (::flock(temp.fd, LOCK_EX) == 0 && ::fstat(temp.fd, &opened) == 0 &&
            ::lstat(temp.path.c_str(), &named) == 0 && named.st_ino == opened.st_ino && named.st_dev == opened.st_dev)
            return true;
        ::close(temp.fd);
        temp.fd = -1;
    }
    return Fail(error, "cannot create a file in " + folder.string() + ": " + std::strerror(errno));
}

// Gives an unnamed temporary its name, just before the rename; 0 or the error number.
int NameTemp(const fs::path& folder, std::string_view stem, std::random_device& rd, TempFile& temp)
{
    const std::string self = "/proc/self/fd/" + std::to_string(temp.fd);
    int why = 0;
    for (int attempt = 0; attempt < 20; ++attempt) {
        temp.path = folder / TempName(stem, rd);
        if (::linkat(temp.fd, "", AT_FDCWD, temp.path.c_str(), AT_EMPTY_PATH) == 0 ||
            ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temp.path.c_str(), AT_SYMLINK_FOLLOW) == 0)
            return 0;
        why = errno;
        if (why != EEXIST)
            break;
    }
    temp.path.clear();
    return why;
}

}  // namespace

bool WriteAtomic(const fs::path& requested, std::string_view bytes, std::string* error, fs::perms newFilePerms)
{
    fs::path file = requested;
    if (!FollowLinks(file, error))
        return false;
    // The name itself: a link put there since is no regular file, and is refused.
    struct stat old;
    const bool exists = ::lstat(file.c_str(), &old) == 0;
    if (exists) {
        if (!S_ISREG(old.st_mode))
            return Fail(error, "not a regular file: " + file.string());
        if (!MayWrite(file, old))
            return Fail(error, "write-protected: " + file.string());
    }

    fs::path folder = file.parent_path();
    if (folder.empty())
        folder = ".";
    const std::string stem = TempStem(file);
    RemoveStaleTemps(folder, stem);
    std::random_device rd;
    TempFile temp;
    // Never more open than the file it replaces, even before its permissions are copied.
    const mode_t mode = exists ? old.st_mode & 0777 : static_cast<mode_t>(newFilePerms & fs::perms::all);
    if (!CreateTemp(folder, stem, mode, rd, temp, error))
        return false;
    const int fd = temp.fd;
    if (exists) {
        // The new file takes the old one's owner where we may give it, and its permissions
        // (after the owner: a change of owner clears the set-id bits).
        if (::fchown(fd, old.st_uid, old.st_gid) != 0 && ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0) {
            // Neither owner nor group may be given: the file becomes ours, with its permissions.
        }
        mode_t kept = old.st_mode & 07777;
        // In a group of ours, the file gives its group no more than it gives everyone: what
        // the old group could read is not opened to ours.
        if (struct stat made; ::fstat(fd, &made) == 0 && made.st_gid != old.st_gid)
            kept = (kept & ~static_cast<mode_t>(S_IRWXG | S_ISGID)) | ((kept & S_IRWXO) << 3);
        ::fchmod(fd, kept);
    }
    int why = WriteAll(fd, bytes) && ::fsync(fd) == 0 ? 0 : errno;
    if (why == 0 && temp.unnamed)
        why = NameTemp(folder, stem, rd, temp);
    // A file with other names (hard links) is replaced like any other: those names keep the
    // old contents, and the file under this name is whole at every instant.
    if (why == 0 && std::rename(temp.path.c_str(), file.c_str()) != 0)
        why = errno;
    if (why != 0) {
        if (!temp.path.empty())
            ::unlink(temp.path.c_str());
        ::close(fd);
        return Fail(error, "cannot write " + file.string() + ": " + std::strerror(why));
    }
    ::close(fd);
    // The new file is in place: a folder that cannot be synced only leaves the rename to the
    // system's own schedule, and is no failure of the save.
    SyncFolder(folder);
    return true;
}

FileLock::FileLock(const fs::path& lockFile)
{
    fd_ = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd_ < 0)
        return;
    int locked;
    while ((locked = ::flock(fd_, LOCK_EX)) != 0 && errno == EINTR) {
    }
    if (locked != 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

FileLock::~FileLock()
{
    if (fd_ >= 0)
        ::close(fd_);
}

AtomicWriter::AtomicWriter(fs::path target, std::string lineEnd)
    : target_(std::move(target)), lineEnd_(std::move(lineEnd))
{
}

bool AtomicWriter::Commit(std::string* error) { return WriteAtomic(target_, content_, error); }

}  // namespace textfile

#include "platform/TextFile.h"

#include "platform/Encoding.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <random>
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

namespace {

bool Fail(std::string* error, const std::string& why)
{
    if (error)
        *error = why;
    return false;
}

bool WriteAll(int fd, std::string_view bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

// Closes a descriptor written to: 0, or the error number of the first failure, the caller's
// (ok false, errno still telling why) or the close's.
int CloseWritten(int fd, bool ok)
{
    int why = ok ? 0 : errno;
    if (::close(fd) != 0 && ok)
        why = errno;
    return why;
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

enum class InPlace { Written, Untouched, Damaged };

// A file with other names (hard links) is rewritten in place, so that every name sees the new
// contents: the space is reserved first, so that a full disk fails before a byte changes.
// Untouched when it failed before that, Damaged when the file may hold part of the bytes.
InPlace WriteInPlace(const fs::path& file, std::string_view bytes, std::string* error)
{
    const int fd = ::open(file.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        Fail(error, "cannot open " + file.string() + ": " + std::strerror(errno));
        return InPlace::Untouched;
    }
    const auto size = static_cast<off_t>(bytes.size());
    // The system call itself: the C library's fallback, where the file system has no
    // reservation, reads the file and fails on a descriptor opened for writing only.
    if (size > 0 && ::fallocate(fd, 0, 0, size) != 0 && errno != EOPNOTSUPP && errno != ENOSYS) {
        Fail(error, "cannot write " + file.string() + ": " + std::strerror(errno));
        ::close(fd);
        return InPlace::Untouched;
    }
    const int why = CloseWritten(fd, WriteAll(fd, bytes) && ::ftruncate(fd, size) == 0 && ::fsync(fd) == 0);
    if (why == 0)
        return InPlace::Written;
    Fail(error, "cannot write " + file.string() + ": " + std::strerror(why));
    return InPlace::Damaged;
}

// Makes a rename in the folder last through a power cut: 0, or the error number. A folder we
// may not open, or whose file system cannot sync it, is left to the system.
int SyncFolder(const fs::path& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return 0;
    const int why = ::fsync(fd) == 0 || errno == EINVAL || errno == EROFS ? 0 : errno;
    ::close(fd);
    return why;
}

}  // namespace

bool WriteAtomic(const fs::path& requested, std::string_view bytes, std::string* error, fs::perms newFilePerms)
{
    fs::path file = requested;
    if (!FollowLinks(file, error))
        return false;
    struct stat old;
    const bool exists = ::stat(file.c_str(), &old) == 0;
    if (exists) {
        if (!S_ISREG(old.st_mode))
            return Fail(error, "not a regular file: " + file.string());
        if (!MayWrite(file, old))
            return Fail(error, "write-protected: " + file.string());
    }

    fs::path folder = file.parent_path();
    if (folder.empty())
        folder = ".";
    std::random_device rd;
    fs::path temp;
    int fd = -1;
    for (int attempt = 0; attempt < 20 && fd < 0; ++attempt) {
        temp = folder / ("." + file.filename().string() + ".tmp" + std::to_string(rd() % 1000000));
        // Never more open than the file it replaces, even before its permissions are copied.
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                    exists ? old.st_mode & 0777 : static_cast<mode_t>(newFilePerms & fs::perms::all));
    }
    if (fd < 0)
        return Fail(error, "cannot create " + temp.string() + ": " + std::strerror(errno));
    if (exists) {
        // The new file takes the old one's owner where we may give it, and its permissions
        // (after the owner: a change of owner clears the set-id bits).
        if (::fchown(fd, old.st_uid, old.st_gid) != 0 && ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0) {
            // Neither owner nor group may be given: the file becomes ours, with its permissions.
        }
        mode_t mode = old.st_mode & 07777;
        // In a group of ours, the file gives its group no more than it gives everyone: what
        // the old group could read is not opened to ours.
        if (struct stat made; ::fstat(fd, &made) == 0 && made.st_gid != old.st_gid)
            mode = (mode & ~static_cast<mode_t>(S_IRWXG | S_ISGID)) | ((mode & S_IRWXO) << 3);
        ::fchmod(fd, mode);
    }
    if (const int why = CloseWritten(fd, WriteAll(fd, bytes) && ::fsync(fd) == 0); why != 0) {
        ::unlink(temp.c_str());
        return Fail(error, "cannot write " + file.string() + ": " + std::strerror(why));
    }
    if (exists && old.st_nlink > 1) {
        // The new contents are safely on disk beside the file: if the write in place fails
        // after it began, they are kept there, the only whole copy.
        const InPlace result = WriteInPlace(file, bytes, error);
        if (result == InPlace::Damaged) {
            if (error)
                *error += "; the new contents are kept in " + temp.string();
            return false;
        }
        ::unlink(temp.c_str());
        return result == InPlace::Written;
    }
    if (std::rename(temp.c_str(), file.c_str()) != 0) {
        const std::string why = std::strerror(errno);
        ::unlink(temp.c_str());
        return Fail(error, "cannot replace " + file.string() + ": " + why);
    }
    if (const int why = SyncFolder(folder); why != 0)
        return Fail(error, "cannot sync the folder of " + file.string() + ": " + std::strerror(why));
    return true;
}

AtomicWriter::AtomicWriter(fs::path target, std::string lineEnd)
    : target_(std::move(target)), lineEnd_(std::move(lineEnd))
{
}

bool AtomicWriter::Commit(std::string* error) { return WriteAtomic(target_, content_, error); }

}  // namespace textfile

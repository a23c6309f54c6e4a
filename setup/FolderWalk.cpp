#include "setup/FolderWalk.h"

#include "platform/TextFile.h"
#include "setup/SetupArchive.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <vector>

namespace fs = std::filesystem;

namespace setup {
namespace {

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

// A folder that O_NOFOLLOW refused is a link (ELOOP); some systems say ENOTDIR for it.
int FolderError(int dirFd, const char* name)
{
    const int error = errno;
    struct stat st {};
    if (error == ENOTDIR && ::fstatat(dirFd, name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(st.st_mode))
        return ELOOP;
    return error;
}

}  // namespace

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept
{
    if (this != &other) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = other.Release();
    }
    return *this;
}

UniqueFd::~UniqueFd()
{
    if (fd_ >= 0)
        ::close(fd_);
}

int UniqueFd::Release()
{
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

std::string FileId::Text() const { return std::to_string(device) + ":" + std::to_string(inode); }

std::optional<FileId> FileId::Parse(std::string_view text)
{
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos)
        return std::nullopt;
    FileId id;
    const char* end = text.data() + text.size();
    const auto [p1, e1] = std::from_chars(text.data(), text.data() + colon, id.device);
    const auto [p2, e2] = std::from_chars(text.data() + colon + 1, end, id.inode);
    if (e1 != std::errc() || e2 != std::errc() || p1 != text.data() + colon || p2 != end)
        return std::nullopt;
    return id;
}

CFolderWalk::CFolderWalk(const fs::path& folder) : path_(NormalFolder(folder))
{
    if (!path_.is_absolute()) {
        openError_ = EINVAL;
        return;
    }
    if (path_ == path_.root_path()) {
        root_ = UniqueFd(::open(path_.c_str(), kFolderFlags));
    } else {
        const UniqueFd parent(::open(path_.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (!parent.IsOpen()) {
            openError_ = errno;
            return;
        }
        root_ = UniqueFd(::openat(parent.Get(), path_.filename().c_str(), kFolderFlags));
        if (!root_.IsOpen())
            openError_ = FolderError(parent.Get(), path_.filename().c_str());
    }
    if (!root_.IsOpen() && !openError_)
        openError_ = errno;
}

FileId CFolderWalk::Id() const
{
    struct stat st {};
    if (!IsOpen() || ::fstat(root_.Get(), &st) != 0)
        return {};
    return {static_cast<unsigned long long>(st.st_dev), static_cast<unsigned long long>(st.st_ino)};
}

UniqueFd CFolderWalk::OpenParent(std::string_view name, std::string& last, int& error,
                                 const BeforeFolder* beforeFolder, std::string* relative) const
{
    std::vector<std::string> parts;
    if (!SplitEntryName(name, parts)) {
        error = EINVAL;
        return {};
    }
    if (!IsOpen()) {
        error = openError_;
        return {};
    }
    UniqueFd fd(::fcntl(root_.Get(), F_DUPFD_CLOEXEC, 0));
    std::string made;
    auto fail = [&](int why) {
        error = why;
        if (relative)
            *relative = made;
        return UniqueFd();
    };
    for (std::size_t i = 0; fd.IsOpen() && i + 1 < parts.size(); ++i) {
        made += (made.empty() ? "" : "/") + parts[i];
        int next = ::openat(fd.Get(), parts[i].c_str(), kFolderFlags);
        if (next < 0 && errno == ENOENT && beforeFolder) {
            if (!(*beforeFolder)(made))
                return fail(errno ? errno : EIO);
            if (::mkdirat(fd.Get(), parts[i].c_str(), 0755) != 0 && errno != EEXIST)
                return fail(errno);
            next = ::openat(fd.Get(), parts[i].c_str(), kFolderFlags);
        }
        if (next < 0)
            return fail(FolderError(fd.Get(), parts[i].c_str()));
        fd = UniqueFd(next);
    }
    if (!fd.IsOpen())
        return fail(errno);
    last = parts.back();
    if (relative)
        *relative = made.empty() ? last : made + "/" + last;
    error = 0;
    return fd;
}

bool CFolderWalk::UnlinkAt(std::string_view name, int flags) const
{
    std::string last;
    int error = 0;
    const UniqueFd fd = OpenParent(name, last, error);
    return fd.IsOpen() && ::unlinkat(fd.Get(), last.c_str(), flags) == 0;
}

bool CFolderWalk::Unlink(std::string_view name) const { return UnlinkAt(name, 0); }

bool CFolderWalk::RemoveFolder(std::string_view name) const { return UnlinkAt(name, AT_REMOVEDIR); }

bool CFolderWalk::Rename(std::string_view from, std::string_view to) const
{
    if (fs::path(from).parent_path() != fs::path(to).parent_path())
        return false;
    std::string fromLast;
    std::string toLast;
    int error = 0;
    const UniqueFd fd = OpenParent(from, fromLast, error);
    const UniqueFd check = OpenParent(to, toLast, error);
    return fd.IsOpen() && check.IsOpen() && ::renameat(fd.Get(), fromLast.c_str(), fd.Get(), toLast.c_str()) == 0;
}

bool CFolderWalk::Status(std::string_view name, struct stat& st) const
{
    std::string last;
    int error = 0;
    const UniqueFd fd = OpenParent(name, last, error);
    return fd.IsOpen() && ::fstatat(fd.Get(), last.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0;
}

bool CFolderWalk::Exists(std::string_view name) const
{
    struct stat st {};
    return Status(name, st);
}

bool CFolderWalk::IsLink(std::string_view name) const
{
    struct stat st {};
    return Status(name, st) && S_ISLNK(st.st_mode);
}

std::optional<std::string> CFolderWalk::Hash(std::string_view name) const
{
    std::string last;
    int error = 0;
    const UniqueFd parent = OpenParent(name, last, error);
    if (!parent.IsOpen())
        return std::nullopt;
    const UniqueFd fd(::openat(parent.Get(), last.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat st {};
    std::string bytes;
    if (!fd.IsOpen() || ::fstat(fd.Get(), &st) != 0 || !S_ISREG(st.st_mode) || !ReadAll(fd.Get(), bytes))
        return std::nullopt;
    return ContentHash(bytes);
}

bool CFolderWalk::KeepCopy(std::string_view name, std::string_view copy,
                           int (*link)(int, const char*, int, const char*, int)) const
{
    std::string last;
    std::string copyLast;
    int error = 0;
    const UniqueFd fd = OpenParent(name, last, error);
    const UniqueFd check = OpenParent(copy, copyLast, error);
    if (!fd.IsOpen() || !check.IsOpen() || fs::path(name).parent_path() != fs::path(copy).parent_path())
        return false;
    if ((link ? link : ::linkat)(fd.Get(), last.c_str(), fd.Get(), copyLast.c_str(), 0) == 0)
        return true;
    // Only a file system without hard links falls back; a name already taken does not.
    if (errno != EPERM && errno != ENOTSUP && errno != EOPNOTSUPP && errno != EXDEV && errno != EMLINK)
        return false;
    const UniqueFd in(::openat(fd.Get(), last.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    struct stat st {};
    if (!in.IsOpen() || ::fstat(in.Get(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    const UniqueFd out(
        ::openat(fd.Get(), copyLast.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, st.st_mode & 07777));
    if (!out.IsOpen())
        return false;
    std::string bytes;
    bool ok = ReadAll(in.Get(), bytes) && textfile::WriteAll(out.Get(), bytes);
    const struct timespec times[2] = {st.st_atim, st.st_mtim};
    ::futimens(out.Get(), times);
    ok = ::fsync(out.Get()) == 0 && ok;
    if (!ok)
        ::unlinkat(fd.Get(), copyLast.c_str(), 0);
    return ok;
}

int CFolderWalk::WriteFile(std::string_view name, std::string_view temporary, std::string_view bytes, mode_t mode,
                           std::time_t accessTime, std::time_t modificationTime) const
{
    std::string last;
    std::string temporaryLast;
    int error = 0;
    const UniqueFd parent = OpenParent(name, last, error);
    if (!parent.IsOpen())
        return error;
    if (fs::path(name).parent_path() != fs::path(temporary).parent_path() ||
        !OpenParent(temporary, temporaryLast, error).IsOpen())
        return EINVAL;
    // What a run killed while writing left under that name is no one else's.
    ::unlinkat(parent.Get(), temporaryLast.c_str(), 0);
    const UniqueFd fd(
        ::openat(parent.Get(), temporaryLast.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!fd.IsOpen())
        return errno;
    const struct timespec times[2] = {{accessTime, 0}, {modificationTime, 0}};
    const bool ok = textfile::WriteAll(fd.Get(), bytes) && ::fchmod(fd.Get(), mode) == 0 && ::futimens(fd.Get(), times) == 0 &&
                    ::fsync(fd.Get()) == 0 &&
                    ::renameat(parent.Get(), temporaryLast.c_str(), parent.Get(), last.c_str()) == 0;
    if (ok)
        return 0;
    error = errno ? errno : EIO;
    ::unlinkat(parent.Get(), temporaryLast.c_str(), 0);
    return error;
}

fs::path NormalFolder(const fs::path& folder)
{
    const fs::path normal = folder.lexically_normal();
    return !normal.has_filename() && normal.has_parent_path() ? normal.parent_path() : normal;
}

bool HoldsHomeFolder(const fs::path& folder)
{
    const char* home = std::getenv("HOME");
    const fs::path normal = folder.lexically_normal();
    if (normal == normal.root_path())
        return true;
    if (!home || !*home)
        return false;
    const fs::path homePath = fs::path(home).lexically_normal();
    const fs::path relative = homePath.lexically_relative(normal);
    if (!relative.empty() && *relative.begin() != "..")
        return true;
    // The same folder reached by another path (a link above it).
    std::error_code ec;
    for (fs::path level = homePath; !level.empty(); level = level.parent_path()) {
        if (fs::equivalent(level, folder, ec) && !ec)
            return true;
        if (level == level.parent_path())
            break;
    }
    return false;
}

}  // namespace setup

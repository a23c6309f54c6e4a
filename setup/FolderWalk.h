#pragma once
// The installation folder reached through descriptors only: the folder itself is opened
// without following a link, and every name under it is reached level by level with
// openat and O_NOFOLLOW. Writing (the copy) and removing (the undo, the uninstallation)
// both go through it, so that neither can be led outside the folder by a link, whenever
// the link was made.
#include <sys/stat.h>

#include <ctime>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace setup {

// An open file descriptor, closed with its owner.
class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : fd_(fd) {}
    UniqueFd(UniqueFd&& other) noexcept : fd_(other.Release()) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept;
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd();
    int Get() const { return fd_; }
    bool IsOpen() const { return fd_ >= 0; }
    int Release();

private:
    int fd_ = -1;
};

// Where a file system object is: its device and inode.
struct FileId {
    unsigned long long device = 0;
    unsigned long long inode = 0;
    bool operator==(const FileId&) const = default;
    // "device:inode"; Parse gives nothing for anything else.
    std::string Text() const;
    static std::optional<FileId> Parse(std::string_view text);
};

// Told before a folder is made under the walk's folder (its name relative to it, "/"
// between folders); false: it is not made.
using BeforeFolder = std::function<bool(const std::string& relative)>;

class CFolderWalk {
public:
    // Opens folder (absolute); its last level must be a folder and no link. Its parents are
    // reached as the system resolves them.
    explicit CFolderWalk(const std::filesystem::path& folder);

    bool IsOpen() const { return root_.IsOpen(); }
    const std::filesystem::path& Path() const { return path_; }
    // Why the folder could not be opened (an errno value), 0 when it is open.
    int OpenError() const { return openError_; }
    FileId Id() const;

    // The folder holding name ("/" or "\" between levels), opened without following a link
    // at any level; with beforeFolder, a missing level is made (told first). Fails (error set:
    // ELOOP for a link, ENOTDIR, ENOENT, EINVAL for a name that could leave the folder).
    // last: name's final level; relative: name with "/" between levels.
    UniqueFd OpenParent(std::string_view name, std::string& last, int& error,
                        const BeforeFolder* beforeFolder = nullptr, std::string* relative = nullptr) const;

    // The file or link at name goes (never a folder); false when nothing went.
    bool Unlink(std::string_view name) const;
    // The folder at name goes when it is empty (a link is no folder here).
    bool RemoveFolder(std::string_view name) const;
    // Renames from to to, both in the same folder under the walk's folder.
    bool Rename(std::string_view from, std::string_view to) const;
    // Anything (a link too) at name.
    bool Exists(std::string_view name) const;
    // A link at name (never followed).
    bool IsLink(std::string_view name) const;
    // The ContentHash of the regular file at name; nothing when there is none.
    std::optional<std::string> Hash(std::string_view name) const;
    // Keeps the file at name also as copy (same folder, a name not taken): a hard link, or
    // where the file system has none a copy of its bytes, mode and times. link: linkat,
    // replaceable by tests.
    bool KeepCopy(std::string_view name, std::string_view copy,
                  int (*link)(int, const char*, int, const char*, int) = nullptr) const;

    // Writes bytes as the file at name, in the existing folder of name: first to temporary
    // (a name in the same folder, replaced if there), then renamed into place, so a running
    // program is replaced and a failure leaves no cut file. The file gets mode and the
    // access and modification times. 0, or the errno value of the failure.
    int WriteFile(std::string_view name, std::string_view temporary, std::string_view bytes, mode_t mode,
                  std::time_t accessTime, std::time_t modificationTime) const;

private:
    // unlinkat of name in its folder, with flags (AT_REMOVEDIR for a folder).
    bool UnlinkAt(std::string_view name, int flags) const;
    // The status of what is at name, a link's own; false when there is nothing.
    bool Status(std::string_view name, struct stat& st) const;

    std::filesystem::path path_;
    UniqueFd root_;
    int openError_ = 0;
};

// A folder's path without "." or ".." and without a final separator.
std::filesystem::path NormalFolder(const std::filesystem::path& folder);

// Whether folder is the home folder or one of the folders above it (the root included).
bool HoldsHomeFolder(const std::filesystem::path& folder);

}  // namespace setup

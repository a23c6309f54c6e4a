#pragma once
// Reading and writing text files the one way the whole program does it.
//
// Reading: the whole file is decoded (UTF-8, or Windows-1252 for a file that is not valid
// UTF-8), then split into lines ended by "\n", "\r\n" or a lone "\r" (old Macintosh files).
// Writing: into a temporary file in the same folder, then renamed over the target, so an
// interrupted save never leaves half a file. Files we write are UTF-8 with "\n" unless the
// caller's format fixes other bytes (DXF uses "\r\n"; pass them in the content).
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace textfile {

// Refuse to read files larger than this (no reader of ours needs more).
inline constexpr std::uintmax_t kMaxFileBytes = 64u * 1024u * 1024u;

// The lines of a text file; false (and error set) when it cannot be read.
bool ReadLines(const std::filesystem::path& file, std::vector<std::string>& lines,
               std::string* error = nullptr);

// The raw bytes of a file (any content), limited to maxBytes.
bool ReadBytes(const std::filesystem::path& file, std::string& bytes, std::string* error = nullptr,
               std::uintmax_t maxBytes = kMaxFileBytes);

// Splits decoded text into lines ended by "\n", "\r\n" or "\r"; no line holds either character.
std::vector<std::string> SplitLines(std::string_view text);

// Writes every byte to the open file descriptor fd, again after an interruption; false
// (errno set) when it could not.
bool WriteAll(int fd, std::string_view bytes);

// Writes the bytes atomically: at every instant the file holds its whole old contents or the
// whole new ones. False (and error set, with the system's reason) on any failure, the target
// untouched; once the new file is in place the save has succeeded.
// A symbolic link is followed, when it is our own or the superuser's (another user's is
// refused): its target is replaced, in its own folder. The new file keeps the old one's
// permissions (and owner when the process may give it; a group it may not keep gets no more
// than everyone); a file that did not exist is created with newFilePerms (less the umask).
// A file that may not be written, or has no write permission at all (even for the
// superuser), is refused. A file with several names (hard links) is replaced under this name
// only: its other names keep the old contents. The temporary file has no name until it is
// complete where the file system allows it, and a short one otherwise; one that a killed save
// left behind is removed at the next save of the same file. The folder is synced after the
// rename, so that a save reported done survives a power cut.
bool WriteAtomic(const std::filesystem::path& file, std::string_view bytes, std::string* error = nullptr,
                 std::filesystem::perms newFilePerms = std::filesystem::perms(0644));

// An advisory lock on a lock file, held for the life of the object: two running copies of the
// program that read, change and write back the same file take turns. Without a lock file (a
// folder we may not write to) nothing is locked, and the write that follows fails anyway.
class FileLock {
public:
    explicit FileLock(const std::filesystem::path& lockFile);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    bool Held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

// Builds a file's content line by line, then commits it atomically.
class AtomicWriter {
public:
    explicit AtomicWriter(std::filesystem::path target, std::string lineEnd = "\n");
    void Write(std::string_view text) { content_.append(text); }
    // Room for bytes more of text, so that a large file is not copied as it grows.
    void Reserve(std::size_t bytes) { content_.reserve(content_.size() + bytes); }
    void WriteLine(std::string_view line)
    {
        content_.append(line);
        content_.append(lineEnd_);
    }
    const std::string& Content() const { return content_; }
    bool Commit(std::string* error = nullptr);

private:
    std::filesystem::path target_;
    std::string lineEnd_;
    std::string content_;
};

}  // namespace textfile

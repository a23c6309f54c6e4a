#include "setup/SetupArchive.h"

#include "platform/TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace setup {
namespace {

void PutU32(std::string& out, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::uint32_t Low32(std::int64_t seconds) { return static_cast<std::uint32_t>(static_cast<std::uint64_t>(seconds)); }

std::int64_t Widen(std::uint32_t value) { return static_cast<std::int32_t>(value); }

struct FileTimes {
    std::int64_t creation = 0;
    std::int64_t modification = 0;
    std::int64_t access = 0;
};

bool StatTimes(const fs::path& file, FileTimes& times)
{
    struct statx sx {};
    if (statx(AT_FDCWD, file.c_str(), 0, STATX_BASIC_STATS | STATX_BTIME, &sx) != 0)
        return false;
    times.modification = sx.stx_mtime.tv_sec;
    times.access = sx.stx_atime.tv_sec;
    // Not every file system keeps a birth time; the modification time stands in.
    times.creation = (sx.stx_mask & STATX_BTIME) ? sx.stx_btime.tv_sec : sx.stx_mtime.tv_sec;
    return true;
}

bool IsProgram(const std::string& data)
{
    return data.starts_with("\x7f" "ELF") || data.starts_with("#!");
}

}  // namespace

bool ReadFileList(const fs::path& listFile, std::vector<std::string>& list)
{
    std::vector<std::string> lines;
    if (!textfile::ReadLines(listFile, lines))
        return false;
    for (const std::string& line : lines) {
        if (line.empty())
            continue;
        if (line == "END")
            break;
        list.push_back(line);
    }
    return true;
}

std::string EncodeHeader(std::uint32_t count)
{
    std::string out;
    PutU32(out, kArchiveFormat);
    out.append(kReservedBytes, '\0');
    PutU32(out, count);
    return out;
}

std::string EncodeEntry(const SetupEntry& entry)
{
    std::string out;
    PutU32(out, static_cast<std::uint32_t>(entry.data.size()));
    if (entry.data.empty())
        return out;
    PutU32(out, Low32(entry.creationTime));
    PutU32(out, Low32(entry.modificationTime));
    PutU32(out, Low32(entry.accessTime));
    PutU32(out, static_cast<std::uint32_t>(entry.name.size() + 1));
    out.append(entry.name);
    out.push_back('\0');
    out.append(entry.data);
    return out;
}

bool BuildSetupData(const fs::path& sourceFolder, const std::vector<std::string>& list, const fs::path& archive,
                    std::vector<std::string>* skipped)
{
    // Written whole or not at all: a failure never leaves a cut archive over a good one.
    textfile::AtomicWriter out(archive);
    out.Write(EncodeHeader(static_cast<std::uint32_t>(list.size())));
    for (const std::string& name : list) {
        std::vector<std::string> parts;
        SetupEntry entry;
        entry.name = name;
        FileTimes times;
        std::string bytes;
        fs::path file = sourceFolder;
        const bool safe = SplitEntryName(name, parts) && name.size() + 1 <= kMaxNameBytes;
        if (safe)
            for (const std::string& part : parts)
                file /= part;
        // The times before reading, which would change the access time.
        if (safe && StatTimes(file, times) && textfile::ReadBytes(file, bytes, nullptr, UINT32_MAX)) {
            entry.data = std::move(bytes);
            entry.creationTime = times.creation;
            entry.modificationTime = times.modification;
            entry.accessTime = times.access;
        }
        if (entry.data.empty() && skipped)
            skipped->push_back(name);
        out.Write(EncodeEntry(entry));
    }
    return out.Commit();
}

bool SplitEntryName(std::string_view name, std::vector<std::string>& parts)
{
    parts.clear();
    if (name.empty() || name.front() == '\\' || name.front() == '/')
        return false;
    std::string current;
    auto finish = [&]() {
        if (current.empty() || current == "." || current == "..")
            return false;
        parts.push_back(current);
        current.clear();
        return true;
    };
    for (char c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F)
            return false;
        if (c == ':')
            return false;  // a drive letter or an alternate stream
        if (c == '\\' || c == '/') {
            if (!finish())
                return false;
        } else {
            current.push_back(c);
        }
    }
    return finish();
}

bool CSetupArchiveReader::Open(const fs::path& archive)
{
    auto file = std::make_unique<std::ifstream>(archive, std::ios::binary);
    if (!*file)
        return false;
    std::error_code ec;
    size_ = fs::file_size(archive, ec);
    if (ec)
        return false;
    in_ = std::move(file);
    return ReadHeader();
}

bool CSetupArchiveReader::OpenBytes(std::string bytes)
{
    size_ = bytes.size();
    in_ = std::make_unique<std::istringstream>(std::move(bytes));
    return ReadHeader();
}

bool CSetupArchiveReader::ReadHeader()
{
    offset_ = 0;
    index_ = 0;
    corrupt_ = false;
    std::uint32_t format = 0;
    std::string reserved;
    // The format number and the reserved bytes are not checked: older builders may differ.
    if (!ReadU32(format) || !ReadBytes(reserved, kReservedBytes) || !ReadU32(count_)) {
        count_ = 0;
        return false;
    }
    return true;
}

bool CSetupArchiveReader::ReadU32(std::uint32_t& value)
{
    std::string bytes;
    if (!ReadBytes(bytes, 4))
        return false;
    value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[static_cast<std::size_t>(i)]);
    return true;
}

bool CSetupArchiveReader::ReadBytes(std::string& bytes, std::uint64_t size)
{
    // Sizes come from the archive: never allocate more than it can still hold.
    if (!in_ || size > size_ - offset_)
        return false;
    bytes.resize(static_cast<std::size_t>(size));
    if (size && !in_->read(bytes.data(), static_cast<std::streamsize>(size)))
        return false;
    offset_ += size;
    return true;
}

CSetupArchiveReader::Result CSetupArchiveReader::ReadEntry(SetupEntry& entry)
{
    entry = SetupEntry{};
    if (corrupt_ || index_ >= count_)
        return Result::Corrupt;
    corrupt_ = true;  // until the entry is read whole
    std::uint32_t size = 0;
    if (!ReadU32(size))
        return Result::Corrupt;
    if (size == 0) {
        corrupt_ = false;
        ++index_;
        return Result::Missing;
    }
    std::uint32_t creation = 0, modification = 0, access = 0, nameLength = 0;
    if (!ReadU32(creation) || !ReadU32(modification) || !ReadU32(access) || !ReadU32(nameLength))
        return Result::Corrupt;
    if (nameLength < 2 || nameLength > kMaxNameBytes)
        return Result::Corrupt;
    std::string name;
    if (!ReadBytes(name, nameLength))
        return Result::Corrupt;
    // The NUL ends the name and nothing before it may be one.
    if (name.back() != '\0' || name.find('\0') != nameLength - 1)
        return Result::Corrupt;
    name.pop_back();
    if (!ReadBytes(entry.data, size))
        return Result::Corrupt;
    entry.name = std::move(name);
    entry.creationTime = Widen(creation);
    entry.modificationTime = Widen(modification);
    entry.accessTime = Widen(access);
    corrupt_ = false;
    ++index_;
    return Result::Entry;
}

bool IsInsideFolder(const fs::path& folder, const fs::path& path)
{
    auto f = folder.begin();
    auto p = path.begin();
    for (; f != folder.end(); ++f, ++p) {
        if (f->empty() && std::next(f) == folder.end())
            break;  // trailing separator
        if (p == path.end() || *f != *p)
            return false;
    }
    return true;
}

WriteResult WriteSetupEntry(const SetupEntry& entry, const fs::path& destination, fs::path* path,
                            const KeepCopyRule& keepCopyOf, WriteReport* report)
{
    std::vector<std::string> parts;
    if (!SplitEntryName(entry.name, parts))
        return WriteResult::Unsafe;
    std::string name;
    for (const std::string& part : parts)
        name += (name.empty() ? "" : "/") + part;
    if (report)
        *report = WriteReport{name, false, false};
    std::error_code ec;
    fs::create_directories(destination, ec);
    const fs::path root = fs::canonical(destination, ec);
    if (ec)
        return WriteResult::WriteFailed;
    // Level by level: a folder already there may be a link, and where it really leads must
    // stay inside before anything is created through it.
    fs::path folder = root;
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
        const fs::path next = folder / parts[i];
        if (!fs::exists(fs::symlink_status(next, ec))) {
            if (!fs::create_directory(next, ec) && !fs::is_directory(fs::symlink_status(next, ec)))
                return WriteResult::WriteFailed;
            folder = next;
            continue;
        }
        const fs::path real = fs::canonical(next, ec);
        if (ec)
            return WriteResult::WriteFailed;
        if (!IsInsideFolder(root, real)) {
            if (path)
                *path = next;
            return WriteResult::Outside;
        }
        if (!fs::is_directory(real, ec))
            return WriteResult::WriteFailed;
        folder = real;
    }
    const fs::path file = folder / parts.back();
    if (path)
        *path = file;
    // A link in the file's place is replaced by the rename, never written through.
    const fs::file_status status = fs::symlink_status(file, ec);
    if (fs::is_directory(status))
        return WriteResult::WriteFailed;
    const bool existed = fs::exists(status);
    const fs::path copy = file.string() + kKeptCopySuffix;
    const bool keepCopy = existed && keepCopyOf && keepCopyOf(name);
    if (keepCopy && ::link(file.c_str(), copy.c_str()) != 0)
        return WriteResult::WriteFailed;  // the copy's name is taken, or no link here: leave the file alone

    std::string temporary = (folder / ".horavel-XXXXXX").string();
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    bool ok = fd >= 0;
    std::size_t written = 0;
    while (ok && written < entry.data.size()) {
        const ssize_t n = ::write(fd, entry.data.data() + written, entry.data.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        ok = n > 0;
        if (ok)
            written += static_cast<std::size_t>(n);
    }
    if (fd >= 0) {
        ok = ok && ::fchmod(fd, IsProgram(entry.data) ? 0755 : 0644) == 0;
        struct timespec times[2] = {{static_cast<time_t>(entry.accessTime), 0},
                                    {static_cast<time_t>(entry.modificationTime), 0}};
        ::futimens(fd, times);
        ok = ::fsync(fd) == 0 && ok;
        ok = ::close(fd) == 0 && ok;
    }
    ok = ok && ::rename(temporary.c_str(), file.c_str()) == 0;
    if (!ok) {
        if (fd >= 0)
            ::unlink(temporary.c_str());
        if (keepCopy)
            ::unlink(copy.c_str());
        return WriteResult::WriteFailed;
    }
    if (report) {
        report->created = !existed;
        report->keptCopy = keepCopy;
    }
    return WriteResult::Written;
}

}  // namespace setup

#include "setup/SetupArchive.h"

#include "platform/TextFile.h"
#include "setup/FolderWalk.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
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

bool ReadAll(int fd, std::string& bytes)
{
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n == 0;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
}

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

std::string ContentHash(std::string_view bytes)
{
    static constexpr std::uint32_t k[64] = {
        0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
        0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
        0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
        0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
        0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
        0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
        0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
        0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2};
    std::uint32_t h[8] = {0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                          0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};
    auto rotr = [](std::uint32_t x, int n) { return (x >> n) | (x << (32 - n)); };
    auto block = [&](const unsigned char* p) {
        std::uint32_t w[64];
        for (int i = 0; i < 16; ++i)
            w[i] = std::uint32_t(p[4 * i]) << 24 | std::uint32_t(p[4 * i + 1]) << 16 |
                   std::uint32_t(p[4 * i + 2]) << 8 | std::uint32_t(p[4 * i + 3]);
        for (int i = 16; i < 64; ++i) {
            const std::uint32_t s0 = rotr(w[i - 15], 7) ^ rotr(w[i - 15], 18) ^ (w[i - 15] >> 3);
            const std::uint32_t s1 = rotr(w[i - 2], 17) ^ rotr(w[i - 2], 19) ^ (w[i - 2] >> 10);
            w[i] = w[i - 16] + s0 + w[i - 7] + s1;
        }
        std::uint32_t a = h[0], b = h[1], c = h[2], d = h[3], e = h[4], f = h[5], g = h[6], hh = h[7];
        for (int i = 0; i < 64; ++i) {
            const std::uint32_t t1 = hh + (rotr(e, 6) ^ rotr(e, 11) ^ rotr(e, 25)) + ((e & f) ^ (~e & g)) + k[i] + w[i];
            const std::uint32_t t2 = (rotr(a, 2) ^ rotr(a, 13) ^ rotr(a, 22)) + ((a & b) ^ (a & c) ^ (b & c));
            hh = g;
            g = f;
            f = e;
            e = d + t1;
            d = c;
            c = b;
            b = a;
            a = t1 + t2;
        }
        const std::uint32_t result[8] = {a, b, c, d, e, f, g, hh};
        for (int i = 0; i < 8; ++i)
            h[i] += result[i];
    };
    std::size_t whole = bytes.size() / 64 * 64;
    for (std::size_t i = 0; i < whole; i += 64)
        block(reinterpret_cast<const unsigned char*>(bytes.data() + i));
    // The rest, a 1 bit, zeros, and the length in bits (big-endian) in one or two blocks.
    unsigned char tail[128] = {};
    const std::size_t rest = bytes.size() - whole;
    std::copy(bytes.begin() + static_cast<std::ptrdiff_t>(whole), bytes.end(), tail);
    tail[rest] = 0x80;
    const std::size_t tailSize = rest < 56 ? 64 : 128;
    const std::uint64_t bits = static_cast<std::uint64_t>(bytes.size()) * 8;
    for (int i = 0; i < 8; ++i)
        tail[tailSize - 1 - static_cast<std::size_t>(i)] = static_cast<unsigned char>(bits >> (8 * i));
    for (std::size_t i = 0; i < tailSize; i += 64)
        block(tail + i);
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    for (std::uint32_t word : h)
        for (int shift = 28; shift >= 0; shift -= 4)
            out.push_back(kHex[(word >> shift) & 0xF]);
    return out;
}

std::string TemporaryNameOf(std::string_view name)
{
    const fs::path path(name);
    const std::string hidden = ".horavel-" + ContentHash(name).substr(0, 16) + ".part";
    return path.has_parent_path() ? (path.parent_path() / hidden).generic_string() : hidden;
}

WriteResult WriteSetupEntry(const SetupEntry& entry, const CFolderWalk& destination, WriteAhead* journal,
                            WriteReport* report)
{
    WriteReport local;
    WriteReport& out = report ? *report : local;
    out = WriteReport{};
    std::vector<std::string> parts;
    if (!SplitEntryName(entry.name, parts))
        return WriteResult::Unsafe;
    const BeforeFolder beforeFolder = [&](const std::string& relative) {
        return !journal || journal->BeforeFolder(relative);
    };
    std::string last;
    const UniqueFd parent = destination.OpenParent(entry.name, last, out.error, &beforeFolder, &out.name);
    if (!parent.IsOpen())
        return out.error == ELOOP ? WriteResult::Outside : WriteResult::WriteFailed;
    const std::string& name = out.name;
    // A link in the file's place is replaced by the rename, never written through.
    struct stat st {};
    const bool existed = ::fstatat(parent.Get(), last.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0;
    if (existed && S_ISDIR(st.st_mode)) {
        out.error = EISDIR;
        return WriteResult::WriteFailed;
    }
    const std::string copy = name + kKeptCopySuffix;
    if (existed && journal) {
        const std::optional<std::string> now = destination.Hash(name);
        // A copy a killed run already made holds the same bytes: it stays the user's copy.
        out.keptCopy = !journal->IsOwn(name, now);
        if (out.keptCopy && !(now && destination.Hash(copy) == now) &&
            !(journal->BeforeKeptCopy(name) && destination.KeepCopy(name, copy))) {
            out.error = errno ? errno : EEXIST;
            return WriteResult::WriteFailed;  // the copy's name is taken, or no copy can be made: leave the file alone
        }
    }
    out.hash = ContentHash(entry.data);
    if (journal && !journal->BeforeFile(name, out.hash)) {
        out.error = errno ? errno : EIO;
        return WriteResult::WriteFailed;
    }
    out.error = destination.WriteFile(name, TemporaryNameOf(name), entry.data, IsProgram(entry.data) ? 0755 : 0644,
                                      static_cast<std::time_t>(entry.accessTime),
                                      static_cast<std::time_t>(entry.modificationTime));
    if (out.error) {
        // The user's file is still in place: its copy has no use.
        if (out.keptCopy && destination.Hash(copy) == destination.Hash(name))
            destination.Unlink(copy);
        return WriteResult::WriteFailed;
    }
    return WriteResult::Written;
}

WriteResult WriteSetupEntry(const SetupEntry& entry, const fs::path& destination, fs::path* path)
{
    const CFolderWalk walk(destination);
    WriteReport report;
    const WriteResult result = WriteSetupEntry(entry, walk, nullptr, &report);
    if (path)
        *path = report.name.empty() ? fs::path() : walk.Path() / report.name;
    return result;
}

}  // namespace setup

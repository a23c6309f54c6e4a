#include "platform/TextFile.h"

#include "platform/Encoding.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <random>
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
        size_t end = text.find('\n', start);
        const bool last = end == std::string_view::npos;
        if (last)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.emplace_back(line);
        start = end + 1;
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

bool WriteAtomic(const fs::path& file, std::string_view bytes, std::string* error)
{
    const auto fail = [&](const std::string& why) {
        if (error)
            *error = why;
        return false;
    };
    fs::path folder = file.parent_path();
    if (folder.empty())
        folder = ".";
    std::random_device rd;
    fs::path temp;
    int fd = -1;
    for (int attempt = 0; attempt < 20 && fd < 0; ++attempt) {
        temp = folder / ("." + file.filename().string() + ".tmp" + std::to_string(rd() % 1000000));
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    }
    if (fd < 0)
        return fail("cannot create " + temp.string() + ": " + std::strerror(errno));
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const std::string why = std::strerror(errno);
            ::close(fd);
            ::unlink(temp.c_str());
            return fail("cannot write " + file.string() + ": " + why);
        }
        done += static_cast<size_t>(n);
    }
    const bool synced = ::fsync(fd) == 0;
    const int syncErrno = errno;
    const bool closed = ::close(fd) == 0;
    if (!synced || !closed) {
        const std::string why = std::strerror(synced ? errno : syncErrno);
        ::unlink(temp.c_str());
        return fail("cannot write " + file.string() + ": " + why);
    }
    if (std::rename(temp.c_str(), file.c_str()) != 0) {
        const std::string why = std::strerror(errno);
        ::unlink(temp.c_str());
        return fail("cannot replace " + file.string() + ": " + why);
    }
    return true;
}

AtomicWriter::AtomicWriter(fs::path target, std::string lineEnd)
    : target_(std::move(target)), lineEnd_(std::move(lineEnd))
{
}

bool AtomicWriter::Commit(std::string* error) { return WriteAtomic(target_, content_, error); }

}  // namespace textfile

#pragma once
// Helpers shared by every test program.
#include <filesystem>
#include <string>

namespace testsupport {

// Folder of committed reference data (tests/data).
std::filesystem::path DataDir();
// Root of the source tree (for tests that scan the code or read resources/).
std::filesystem::path SourceDir();
// Folder that holds the built program and its shipped data.
std::filesystem::path BinDir();

// A fresh empty folder removed when the object dies.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

std::string ReadFileBytes(const std::filesystem::path& file);
void WriteFileBytes(const std::filesystem::path& file, const std::string& bytes);

}  // namespace testsupport

#pragma once
// The recently used documents, newest first, kept in the settings under
// "Recent File List" as "File1" .. "FileN".
#include <filesystem>
#include <string>
#include <vector>

class CRecentFileList {
public:
    static constexpr const char* kSection = "Recent File List";
    // Command ids of the list's menu items, one per entry.
    static constexpr int kFirstCommandId = 57616;

    explicit CRecentFileList(int size = 8) : size_(size) {}

    int GetSize() const { return size_; }
    int GetCount() const { return static_cast<int>(files_.size()); }
    const std::filesystem::path& operator[](int index) const { return files_.at(static_cast<size_t>(index)); }

    // Puts the file first (moving it up when listed already); the oldest entry drops off.
    void Add(const std::filesystem::path& file);
    void Remove(int index);

    void ReadList();
    void WriteList() const;

    // The menu text of an entry: "&1 " and the path, shortened to about 30 characters
    // while keeping the file name; "&" in names doubled so it shows as itself.
    std::string MenuText(int index) const;
    static std::string DisplayName(const std::filesystem::path& file, std::size_t maxLength = 30);

private:
    int size_;
    std::vector<std::filesystem::path> files_;
};

#include "app/CRecentFileList.h"

#include "platform/Profile.h"

#include <algorithm>

namespace {

std::string EntryName(int index) { return "File" + std::to_string(index + 1); }

std::string DoubleAmpersands(const std::string& text)
{
    std::string out;
    for (char c : text) {
        out += c;
        if (c == '&')
            out += '&';
    }
    return out;
}

}  // namespace

void CRecentFileList::Add(const std::filesystem::path& file)
{
    std::error_code ec;
    std::filesystem::path full = std::filesystem::absolute(file, ec);
    if (ec)
        full = file;
    full = full.lexically_normal();
    std::erase(files_, full);
    files_.insert(files_.begin(), full);
    if (static_cast<int>(files_.size()) > size_)
        files_.resize(static_cast<size_t>(size_));
}

void CRecentFileList::Remove(int index)
{
    if (index >= 0 && index < GetCount())
        files_.erase(files_.begin() + index);
}

void CRecentFileList::ReadList()
{
    files_.clear();
    const Profile& profile = GetProfile();
    for (int i = 0; i < size_; ++i) {
        const std::string file = profile.GetString(kSection, EntryName(i), "");
        if (!file.empty())
            files_.emplace_back(file);
    }
}

void CRecentFileList::WriteList() const
{
    Profile& profile = GetProfile();
    for (int i = 0; i < size_; ++i) {
        if (i < GetCount())
            profile.WriteString(kSection, EntryName(i), files_[static_cast<size_t>(i)].string());
        else
            profile.DeleteValue(kSection, EntryName(i));
    }
}

std::string CRecentFileList::DisplayName(const std::filesystem::path& file, std::size_t maxLength)
{
    const std::string full = file.string();
    if (full.size() <= maxLength)
        return full;
    const std::string name = file.filename().string();
    // The first folder of the path, then "..." for the folders that do not fit.
    const std::string root = file.has_root_directory() ? "/" : "";
    const auto relative = file.relative_path();
    std::string first = relative.empty() ? std::string() : relative.begin()->string();
    const std::string shortened = root + first + "/.../" + name;
    if (!first.empty() && shortened.size() <= maxLength)
        return shortened;
    return name;
}

std::string CRecentFileList::MenuText(int index) const
{
    if (index < 0 || index >= GetCount())
        return {};
    return "&" + std::to_string(index + 1) + " " + DoubleAmpersands(DisplayName(files_[static_cast<size_t>(index)]));
}

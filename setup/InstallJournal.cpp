#include "setup/InstallJournal.h"

#include "platform/TextFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <set>

namespace fs = std::filesystem;

namespace setup {
namespace {

using Kind = JournalAction::Kind;

constexpr std::string_view kFolderKey = "InstallLocation";
constexpr std::string_view kFolderIdKey = "FolderId";

struct KindKey {
    Kind kind;
    std::string_view key;
};
// "FileHash" holds "hash name" (the name after the first blank: a hash holds none).
constexpr KindKey kKeys[] = {{Kind::Run, "Run"},           {Kind::CreatedFolder, "CreatedFolder"},
                             {Kind::Folder, "Folder"},     {Kind::KeptCopy, "KeptCopy"},
                             {Kind::File, "FileHash"},     {Kind::MenuFile, "MenuFile"},
                             {Kind::Installed, "Installed"}};
constexpr std::string_view kUnhashedFileKey = "File";

std::string Line(std::string_view key, std::string_view value)
{
    return std::string(key) + "=" + EscapeDesktopValue(value) + "\n";
}

}  // namespace

std::string JournalLine(const JournalAction& action)
{
    for (const KindKey& k : kKeys)
        if (k.kind == action.kind) {
            if (action.kind == Kind::File)
                return action.hash.empty() ? Line(kUnhashedFileKey, action.name)
                                           : Line(k.key, action.hash + " " + action.name);
            return Line(k.key, action.name);
        }
    return {};
}

std::string UninstallRecord::Value(std::string_view key) const
{
    for (const auto& [k, v] : values)
        if (k == key)
            return v;
    return {};
}

std::size_t UninstallRecord::InterruptedRunStart() const
{
    std::size_t start = actions.size();
    for (std::size_t i = 0; i < actions.size(); ++i) {
        if (actions[i].kind == Kind::Run)
            start = i;
        else if (actions[i].kind == Kind::Installed)
            start = actions.size();
    }
    return start;
}

bool UninstallRecord::Interrupted() const { return InterruptedRunStart() < actions.size(); }

std::vector<std::string> UninstallRecord::Names(Kind kind) const
{
    std::vector<std::string> names;
    for (const JournalAction& action : actions)
        if (action.kind == kind && std::find(names.begin(), names.end(), action.name) == names.end())
            names.push_back(action.name);
    return names;
}

std::vector<std::string> UninstallRecord::HashesOf(std::string_view name) const
{
    std::vector<std::string> hashes;
    for (const JournalAction& action : actions)
        if (action.kind == Kind::File && action.name == name && !action.hash.empty())
            hashes.push_back(action.hash);
    return hashes;
}

bool UninstallRecord::Owns(std::string_view name, const std::optional<std::string>& hash) const
{
    return hash && std::any_of(actions.begin(), actions.end(), [&](const JournalAction& action) {
               return action.kind == Kind::File && action.name == name && !action.hash.empty() && action.hash == *hash;
           });
}

std::string UninstallRecord::Text() const
{
    std::string text;
    for (const auto& [key, value] : values)
        text += Line(key, value);
    text += Line(kFolderKey, folder.string());
    if (folderId)
        text += Line(kFolderIdKey, folderId->Text());
    for (const JournalAction& action : actions)
        text += JournalLine(action);
    return text;
}

bool UninstallRecord::Write(const fs::path& file) const
{
    std::error_code ec;
    fs::create_directories(file.parent_path(), ec);
    return textfile::WriteAtomic(file, Text());
}

std::optional<UninstallRecord> UninstallRecord::Parse(std::string_view text)
{
    // A line without its end was being written when the run was killed: it says nothing.
    if (const std::size_t end = text.find_last_of('\n'); end == std::string_view::npos)
        text = {};
    else
        text = text.substr(0, end + 1);
    UninstallRecord record;
    for (auto& [key, value] : ParseKeyValues(textfile::SplitLines(text), false)) {
        const KindKey* kind = nullptr;
        for (const KindKey& k : kKeys)
            if (key == k.key)
                kind = &k;
        if (key == kFolderKey) {
            record.folder = value;
        } else if (key == kFolderIdKey) {
            record.folderId = FileId::Parse(value);
        } else if (key == kUnhashedFileKey) {
            record.actions.push_back({Kind::File, std::move(value), {}});
        } else if (kind && kind->kind == Kind::File) {
            const std::size_t blank = value.find(' ');
            if (blank != std::string::npos && blank > 0)
                record.actions.push_back({Kind::File, value.substr(blank + 1), value.substr(0, blank)});
        } else if (kind) {
            record.actions.push_back({kind->kind, std::move(value), {}});
        } else {
            record.values.emplace_back(std::move(key), std::move(value));
        }
    }
    if (record.folder.empty())
        return std::nullopt;
    return record;
}

std::optional<UninstallRecord> UninstallRecord::Read(const fs::path& file)
{
    std::string bytes;
    if (!textfile::ReadBytes(file, bytes))
        return std::nullopt;
    return Parse(bytes);
}

bool CInstallJournal::Begin(UninstallRecord record)
{
    record_ = std::move(record);
    record_.actions.push_back({Kind::Run, {}, {}});
    return record_.Write(file_);
}

bool CInstallJournal::Append(JournalAction action)
{
    const std::string line = JournalLine(action);
    const UniqueFd fd(::open(file_.c_str(), O_WRONLY | O_APPEND | O_NOFOLLOW | O_CLOEXEC));
    if (!fd.IsOpen() || !textfile::WriteAll(fd.Get(), line) || ::fdatasync(fd.Get()) != 0)
        return false;
    record_.actions.push_back(std::move(action));
    return true;
}

bool CInstallJournal::Finish(const CFolderWalk& folder)
{
    // One line for each thing done, and for a file the hash of what it holds now, so that the
    // entry does not grow with every installation over the same folder. The end is written
    // first: once it is there the run reads as ended, and the shorter entry is only tidier,
    // so a failure to write it again is no failed installation. Without the end the run
    // stays open, to be undone.
    if (!Append({Kind::Installed, {}, {}}))
        return false;
    std::vector<JournalAction> kept;
    std::set<std::string> files;
    for (const JournalAction& action : record_.actions) {
        if (action.kind == Kind::Run || action.kind == Kind::Installed)
            continue;
        if (action.kind == Kind::File && !action.hash.empty()) {
            // Where the name was first written, with what it holds now when that is ours.
            if (!files.insert(action.name).second)
                continue;
            if (const auto now = folder.Hash(action.name); record_.Owns(action.name, now))
                kept.push_back({Kind::File, action.name, *now});
            continue;
        }
        if (std::find(kept.begin(), kept.end(), action) == kept.end())
            kept.push_back(action);
    }
    record_.actions = std::move(kept);
    record_.Write(file_);
    return true;
}

bool CInstallJournal::BeforeFolder(const std::string& relative) { return Append({Kind::Folder, relative, {}}); }

bool CInstallJournal::BeforeKeptCopy(const std::string& name) { return Append({Kind::KeptCopy, name, {}}); }

bool CInstallJournal::BeforeFile(const std::string& name, const std::string& hash)
{
    return Append({Kind::File, name, hash});
}

bool CInstallJournal::IsOwn(const std::string& name, const std::optional<std::string>& hash) const
{
    return record_.Owns(name, hash);
}

}  // namespace setup

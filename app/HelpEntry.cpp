#include "app/HelpEntry.h"

#include <utility>

namespace {

HelpEntry& Entry()
{
    static HelpEntry entry;
    return entry;
}

std::filesystem::path& Folder()
{
    static std::filesystem::path folder;
    return folder;
}

}  // namespace

HelpEntry SetHelpEntry(HelpEntry entry) { return std::exchange(Entry(), std::move(entry)); }

bool CallHelpEntry(unsigned long data, unsigned command)
{
    // A copy: the entry may replace itself while it runs.
    const HelpEntry entry = Entry();
    if (!entry)
        return false;
    entry(data, command);
    return true;
}

void SetHelpFolder(std::filesystem::path folder) { Folder() = std::move(folder); }

const std::filesystem::path& GetHelpFolderPath() { return Folder(); }

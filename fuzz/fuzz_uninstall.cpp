// The files the uninstaller reads before it deletes anything, from arbitrary bytes: the
// uninstall record (the installation's journal: the folder and what each run did) and the desktop entry
// of the document type (whose open command names the installation folder). Nothing may
// crash; no listed file accepted for deletion may lead outside the folder; values read back
// as they would be written.
#include "FuzzFile.h"
#include "setup/DesktopEntry.h"
#include "setup/InstallJournal.h"
#include "setup/SetupArchive.h"
#include "setup/Uninstall.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::filesystem::path file = fuzzfile::Write("entry", bytes);

    if (const auto record = setup::UninstallRecord::Read(file)) {
        if (record->folder.empty())
            std::abort();
        for (const std::string& name : record->Files()) {
            std::vector<std::string> parts;
            if (!setup::SplitEntryName(name, parts))
                continue;
            std::filesystem::path inside;
            for (const std::string& part : parts) {
                if (part.empty() || part == "." || part == ".." || part.find('/') != std::string::npos)
                    std::abort();
                inside /= part;
            }
            const std::filesystem::path folder = "/installed";
            const std::filesystem::path relative = (folder / inside).lexically_normal().lexically_relative(folder);
            if (relative.empty() || *relative.begin() == "..")
                std::abort();
        }
        for (const auto& [key, value] : record->values)
            if (setup::UnescapeDesktopValue(setup::EscapeDesktopValue(value)) != value)
                std::abort();
        // What is written reads back the same: the journal's actions survive each rewrite.
        const auto again = setup::UninstallRecord::Parse(record->Text());
        if (!again || again->actions != record->actions || again->folder != record->folder)
            std::abort();
    }
    if (const auto exec = setup::ReadDesktopValue(file, "Exec"))
        if (const auto folder = setup::FolderOfOpenCommand(*exec))
            if (!folder->is_absolute())
                std::abort();
    return 0;
}

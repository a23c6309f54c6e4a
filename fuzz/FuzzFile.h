#pragma once
// For targets whose reader takes a file: the input written to a file of this process in
// memory-backed storage (no disk write per input), removed at exit. For targets whose code
// traces: the trace file kept out of reach.
#include "platform/Paths.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>

namespace fuzzfile {

// Traces go nowhere: the trace file does not exist in this folder. Cheap on every input.
inline void SendTracesNowhere()
{
    static const bool once = [] {
        paths::SetDataFolder("/nonexistent/horavel-fuzz");
        return true;
    }();
    (void)once;
}

inline std::filesystem::path Folder()
{
    static const std::filesystem::path folder = [] {
        std::error_code ec;
        const std::filesystem::path shm = "/dev/shm";
        const std::filesystem::path base = std::filesystem::is_directory(shm, ec) ? shm
                                                                                   : std::filesystem::temp_directory_path();
        const auto made = base / ("horavel-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(made, ec);
        return made;
    }();
    // Removed at exit; registered once the folder exists, so that it runs before it dies.
    static const bool cleanup = [] {
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(folder, ec);
        });
        return true;
    }();
    (void)cleanup;
    return folder;
}

// Writes bytes to Folder()/name and returns its path.
inline std::filesystem::path Write(const std::string& name, std::string_view bytes)
{
    const auto file = Folder() / name;
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return file;
}

}  // namespace fuzzfile

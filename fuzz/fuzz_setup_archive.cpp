// The installer's archive comes from outside: any bytes must read as whole entries or stop
// cleanly, every entry read must re-encode to the bytes it came from, and no entry may be
// written outside the folder it is extracted into.
#include "setup/SetupArchive.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const fs::path& Sandbox()
{
    static const fs::path root = [] {
        fs::path p = fs::temp_directory_path() / ("fuzz_setup_archive." + std::to_string(::getpid()));
        fs::create_directories(p / "dest");
        return p;
    }();
    return root;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    setup::CSetupArchiveReader reader;
    if (!reader.OpenBytes(bytes)) {
        if (size >= setup::kHeaderBytes)
            std::abort();
        return 0;
    }
    std::size_t offset = setup::kHeaderBytes;
    const fs::path dest = Sandbox() / "dest";
    // Registered once the sandbox exists, so that it runs before the sandbox's path dies.
    static const bool cleanup = std::atexit([] {
        std::error_code ec;
        fs::remove_all(Sandbox(), ec);
    }) == 0;
    (void)cleanup;
    for (;;) {
        setup::SetupEntry entry;
        const auto result = reader.ReadEntry(entry);
        if (result == setup::CSetupArchiveReader::Result::Corrupt)
            break;
        const std::string encoded = setup::EncodeEntry(entry);
        if (bytes.compare(offset, encoded.size(), encoded) != 0)
            std::abort();
        offset += encoded.size();
        if (result == setup::CSetupArchiveReader::Result::Entry) {
            fs::path written;
            if (setup::WriteSetupEntry(entry, dest, &written) == setup::WriteResult::Written) {
                const fs::path rel = written.lexically_relative(fs::canonical(dest));
                if (rel.empty() || *rel.begin() == "..")
                    std::abort();
            }
        }
    }
    if (reader.GetIndex() > reader.GetCount())
        std::abort();
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(dest, ec))
        fs::remove_all(e.path(), ec);
    return 0;
}

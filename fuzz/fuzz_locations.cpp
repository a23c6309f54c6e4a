// Fuzz target for the two readers of location records: the ".dbl" text files (first byte
// even) and the record inside a document archive (first byte odd).
//
// Properties checked beyond "no crash": every record read is a plausible place; a list read
// from a file, saved and read again, saves and reads back to the very same records.
#include "model/LocationDatabase.h"
#include "platform/Archive.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

std::filesystem::path TempFile(const char* suffix)
{
    return std::filesystem::temp_directory_path() /
           ("horavel-fuzz-locations-" + std::to_string(::getpid()) + suffix);
}

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

void FuzzFile(std::string_view bytes)
{
    const auto input = TempFile(".in");
    const auto saved = TempFile(".out");
    {
        std::ofstream out(input, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    CLocationList first;
    LoadDatabaseFile(first, input);
    for (const auto& r : first)
        Check(r->HasPlausibleValues() && !r->name.empty() && !r->country.empty());

    CLocationList second, third;
    Check(SaveDatabaseFile(first, saved, 2));
    Check(LoadDatabaseFile(second, saved));
    Check(second.size() == first.size());
    Check(SaveDatabaseFile(second, saved, 2));
    Check(LoadDatabaseFile(third, saved));
    Check(third.size() == second.size());
    for (std::size_t i = 0; i < second.size(); ++i)
        Check(*third[i] == *second[i]);
    std::filesystem::remove(input);
    std::filesystem::remove(saved);
}

void FuzzArchive(std::string_view bytes)
{
    static const ClassRegistry registry = [] {
        ClassRegistry r;
        r.Register<CDataBaseElement>();
        return r;
    }();
    try {
        Archive ar = Archive::ForLoading(bytes, registry);
        auto record = ar.ReadObjectAs<CDataBaseElement>();
        if (!record)
            return;
        Check(record->HasPlausibleValues());
        Archive out = Archive::ForStoring();
        out.WriteObject(record.get());
        Archive back = Archive::ForLoading(out.Bytes(), registry);
        auto again = back.ReadObjectAs<CDataBaseElement>();
        Check(again && *again == *record);
    } catch (const ArchiveException&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    if (data[0] % 2 == 0)
        FuzzFile(bytes);
    else
        FuzzArchive(bytes);
    return 0;
}

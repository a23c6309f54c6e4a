// Fuzz target for the two readers of location records: the ".dbl" text files (first byte
// even) and the record inside a document archive (first byte odd).
//
// Properties checked beyond "no crash": every record read is a plausible place; a list read
// from a file, saved and read again, saves and reads back to the very same records.
#include "FuzzFile.h"
#include "model/LocationDatabase.h"
#include "platform/Archive.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

// In memory: the same reader and writer as the files', without a disk write per input.
void FuzzFile(std::string_view bytes)
{
    const std::filesystem::path name = "fuzz.dbl";
    CLocationList first;
    ReadDatabaseText(first, bytes, name);
    for (const auto& r : first)
        Check(r->HasPlausibleValues() && !r->name.empty() && !r->country.empty());

    CLocationList second, third;
    const std::string saved = DatabaseFileText(first, 2);
    Check(ReadDatabaseText(second, saved, name));
    Check(second.size() == first.size());
    const std::string again = DatabaseFileText(second, 2);
    Check(ReadDatabaseText(third, again, name));
    Check(third.size() == second.size());
    for (std::size_t i = 0; i < second.size(); ++i)
        Check(*third[i] == *second[i]);
    Check(DatabaseFileText(third, 2) == again);
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
    fuzzfile::SendTracesNowhere();
    if (size == 0)
        return 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    if (data[0] % 2 == 0)
        FuzzFile(bytes);
    else
        FuzzArchive(bytes);
    return 0;
}

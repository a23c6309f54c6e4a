// Opens dial documents from arbitrary bytes. Damaged input must end in ArchiveException,
// never a crash, a read out of bounds or a leak, and must leave the document as it was;
// whatever opens must save, open again and save to the same bytes.
#include "docview/CHoravelDoc.h"
#include "platform/Profile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

std::string Store(CHoravelDoc& doc)
{
    Archive ar = Archive::ForStoring();
    doc.Serialize(ar);
    return ar.Bytes();
}

bool Load(CHoravelDoc& doc, const std::string& bytes)
{
    Archive ar = Archive::ForLoading(bytes, doc.GetClassRegistry());
    try {
        doc.Serialize(ar);
    } catch (const ArchiveException&) {
        return false;
    }
    return true;
}

CHoravelDoc& Document()
{
    // Made once and never destroyed: no locations file is read, and nothing written at exit.
    static CHoravelDoc* doc = [] {
        SetProfile(std::make_unique<MemoryProfile>());
        GetProfile().WriteString("Options\\General", "NomFichierLieux", "/nonexistent/LIEUX.DBL");
        return new CHoravelDoc;
    }();
    return *doc;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CHoravelDoc& doc = Document();
    const std::string before = Store(doc);
    const std::string input(reinterpret_cast<const char*>(data), size);
    if (!Load(doc, input)) {
        if (Store(doc) != before)
            std::abort();  // a failed open changed the document
        return 0;
    }
    const std::string saved = Store(doc);
    static CHoravelDoc* again = new CHoravelDoc;
    if (!Load(*again, saved) || Store(*again) != saved)
        std::abort();
    return 0;
}

// Opens dial documents from arbitrary bytes. Damaged input must end in ArchiveException,
// never a crash, a read out of bounds or a leak, and must leave the document as it was;
// whatever opens must save, open again and save to the same bytes.
#include "docview/CHoravelDoc.h"
#include "model/CCadran.h"
#include "platform/Profile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

// A plane dial type as the dial types store themselves (the corpus uses it).
class CTestPlaneDial : public CCadran {
    HV_DECLARE_SERIAL(CTestPlaneDial)
public:
    void Serialize(Archive& ar) override
    {
        if (!ar.Context().oldFormat) {
            if (ar.IsLoading())
                ar.GetObjectSchema();
            ar.SerializeClass(CCadran::ClassInfoOf());
        }
        CCadran::Serialize(ar);
    }
};
HV_IMPLEMENT_SERIAL(CTestPlaneDial, CCadran, 1)

class FuzzDocument : public CHoravelDoc {
public:
    const ClassRegistry& GetClassRegistry() const override
    {
        static const ClassRegistry registry = [] {
            ClassRegistry r = CHoravelDoc::DocumentClasses();
            r.Register<CTestPlaneDial>();
            return r;
        }();
        return registry;
    }
};

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

FuzzDocument& Document()
{
    // Made once and never destroyed: no locations file is read, and nothing written at exit.
    static FuzzDocument* doc = [] {
        SetProfile(std::make_unique<MemoryProfile>());
        GetProfile().WriteString("Options\\General", "NomFichierLieux", "/nonexistent/LIEUX.DBL");
        return new FuzzDocument;
    }();
    return *doc;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzDocument& doc = Document();
    const std::string before = Store(doc);
    const std::string input(reinterpret_cast<const char*>(data), size);
    if (!Load(doc, input)) {
        if (Store(doc) != before)
            std::abort();  // a failed open changed the document
        return 0;
    }
    const std::string saved = Store(doc);
    static FuzzDocument* again = new FuzzDocument;
    if (!Load(*again, saved) || Store(*again) != saved)
        std::abort();
    return 0;
}

// Reads a dial from arbitrary bytes: the first byte says whether the document is of the old
// format, the rest is the archive. Damaged input must end in ArchiveException, never a
// crash, an overflow or a leak; whatever loads must store, load again and store to the same
// bytes.
#include "model/CCadran.h"
#include "model/ModelClasses.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

// A dial type stored as every dial type is: its class record, CCadran's, the base fields.
class CTestDial : public CCadran {
    HV_DECLARE_SERIAL(CTestDial)
public:
    void Serialize(Archive& ar) override
    {
        if (ar.IsLoading() && ar.Context().oldFormat) {
            CCadran::Serialize(ar);
            return;
        }
        if (ar.IsLoading())
            ar.GetObjectSchema();
        ar.SerializeClass(CCadran::ClassInfoOf());
        CCadran::Serialize(ar);
    }
};
HV_IMPLEMENT_SERIAL(CTestDial, CCadran, 1)

const ClassRegistry& Registry()
{
    static const ClassRegistry registry = [] {
        ClassRegistry r;
        RegisterModelClasses(r);
        r.Register<CTestDial>();
        return r;
    }();
    return registry;
}

std::string Store(const Serializable& object)
{
    Archive ar = Archive::ForStoring();
    ar.WriteObject(&object);
    return ar.Bytes();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const bool oldFormat = data[0] & 1;
    const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    std::unique_ptr<Serializable> object;
    try {
        Archive ar = Archive::ForLoading(bytes, Registry());
        ar.Context().oldFormat = oldFormat;
        object = ar.ReadObject(&CCadran::ClassInfoOf());
    } catch (const ArchiveException&) {
        return 0;
    }
    if (!object)
        return 0;
    const std::string first = Store(*object);
    Archive again = Archive::ForLoading(first, Registry());
    const std::unique_ptr<Serializable> reread = again.ReadObject(&CCadran::ClassInfoOf());
    if (!reread || Store(*reread) != first)
        std::abort();
    return 0;
}

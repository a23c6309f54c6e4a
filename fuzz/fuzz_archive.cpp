// Reads objects from arbitrary bytes. Damaged input must end in ArchiveException, never a
// crash, a read out of bounds or a leak; whatever loads must store, load again and store
// to the same bytes.
#include "platform/Archive.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

class CFuzzItem : public Serializable {
    HV_DECLARE_SERIAL(CFuzzItem)
    std::int32_t number = 0;
    std::string text;
    double value = 0.0;  // from schema 2
    void Serialize(Archive& ar) override
    {
        if (ar.IsStoring()) {
            ar << number << text << value;
            return;
        }
        const int schema = ar.GetObjectSchema();
        ar >> number >> text;
        if (schema >= 2)
            ar >> value;
    }
};
HV_IMPLEMENT_SERIAL(CFuzzItem, Serializable, 2)

class CFuzzGroup : public CFuzzItem {
    HV_DECLARE_SERIAL(CFuzzGroup)
    std::vector<std::unique_ptr<CFuzzItem>> items;
    void Serialize(Archive& ar) override
    {
        if (ar.IsLoading())
            ar.GetObjectSchema();
        ar.SerializeClass(CFuzzItem::ClassInfoOf());
        CFuzzItem::Serialize(ar);
        if (ar.IsStoring()) {
            ar.WriteCount(static_cast<std::uint32_t>(items.size()));
            for (const auto& item : items)
                ar.WriteObject(item.get());
            return;
        }
        const std::uint32_t count = ar.ReadCount(2);
        for (std::uint32_t i = 0; i < count; ++i)
            items.push_back(ar.ReadObjectAs<CFuzzItem>());
    }
};
HV_IMPLEMENT_SERIAL(CFuzzGroup, CFuzzItem, 1)

const ClassRegistry& Registry()
{
    static const ClassRegistry registry = [] {
        ClassRegistry r;
        r.Register<CFuzzGroup>();
        return r;
    }();
    return registry;
}

using Objects = std::vector<std::unique_ptr<Serializable>>;

Objects ReadAll(Archive& ar)
{
    Objects objects;
    while (ar.Remaining() > 0)
        objects.push_back(ar.ReadObject(nullptr));
    return objects;
}

std::string StoreAll(const Objects& objects)
{
    Archive ar = Archive::ForStoring();
    for (const auto& object : objects)
        ar.WriteObject(object.get());
    return ar.Bytes();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Objects objects;
    try {
        Archive ar = Archive::ForLoading(std::string_view(reinterpret_cast<const char*>(data), size), Registry());
        objects = ReadAll(ar);
    } catch (const ArchiveException&) {
        return 0;
    }
    const std::string once = StoreAll(objects);
    Archive again = Archive::ForLoading(once, Registry());
    if (StoreAll(ReadAll(again)) != once)
        std::abort();
    return 0;
}

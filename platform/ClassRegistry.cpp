#include "platform/ClassRegistry.h"

#include <stdexcept>

bool ClassInfo::IsDerivedFrom(const ClassInfo& other) const
{
    for (const ClassInfo* c = this; c != nullptr; c = c->base)
        if (c == &other)
            return true;
    return false;
}

const ClassInfo& Serializable::ClassInfoOf()
{
    static const ClassInfo info{"Serializable", 0xFFFF, nullptr, nullptr};
    return info;
}

void Serializable::Serialize(Archive&) {}

void ClassRegistry::Register(const ClassInfo& info)
{
    for (const ClassInfo* c = &info; c != nullptr && c->base != nullptr; c = c->base) {
        const auto [it, inserted] = byName_.try_emplace(std::string(c->name), c);
        if (!inserted && it->second != c)
            throw std::logic_error("two serialisable classes share the name " + std::string(c->name));
    }
}

const ClassInfo* ClassRegistry::Find(std::string_view name) const
{
    const auto it = byName_.find(name);
    return it == byName_.end() ? nullptr : it->second;
}

#pragma once
// Run-time class information for objects stored in archives: each serialisable class knows
// its stored name, its schema (version of its stored layout), its base class and how to
// create a default object. A ClassRegistry maps stored names back to classes when loading.
//
// A class declares itself in two lines:
//     class CPrefs : public Serializable { HV_DECLARE_SERIAL(CPrefs) ... };
//     HV_IMPLEMENT_SERIAL(CPrefs, Serializable, 11)          // in the .cpp
// and each subsystem registers its classes explicitly (RegisterModelClasses(registry) and
// so on): a static-library object file whose only content is a static registrar would be
// dropped by the linker, and the class would silently be unknown when a document is read.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>

class Archive;
class Serializable;

struct ClassInfo {
    using Factory = std::unique_ptr<Serializable> (*)();

    std::string_view name;        // stored name: ASCII, at most 63 characters
    std::uint16_t schema = 0;     // the newest layout this program writes and reads
    const ClassInfo* base = nullptr;  // null only for Serializable itself
    Factory factory = nullptr;    // null for classes that cannot be created (abstract)

    // True when this class is other or derives from it.
    bool IsDerivedFrom(const ClassInfo& other) const;
    // A default object of the class; null when the class has no factory.
    std::unique_ptr<Serializable> CreateObject() const { return factory ? factory() : nullptr; }
};

// Root of every class stored in an archive.
class Serializable {
public:
    virtual ~Serializable() = default;
    static const ClassInfo& ClassInfoOf();
    virtual const ClassInfo& GetClassInfo() const { return ClassInfoOf(); }
    // Writes or reads the object's own fields (ar.IsStoring() tells which).
    virtual void Serialize(Archive& ar);
    bool IsKindOf(const ClassInfo& info) const { return GetClassInfo().IsDerivedFrom(info); }

protected:
    Serializable() = default;
    Serializable(const Serializable&) = default;
    Serializable& operator=(const Serializable&) = default;
};

class ClassRegistry {
public:
    // Registers the class and its bases (all but Serializable, which is never stored).
    // Registering the same class again does nothing; another class under a name already
    // taken is a programming error and throws std::logic_error.
    void Register(const ClassInfo& info);
    template <class T>
    void Register()
    {
        Register(T::ClassInfoOf());
    }
    // Exact, case-sensitive lookup; null when unknown.
    const ClassInfo* Find(std::string_view name) const;

private:
    std::map<std::string, const ClassInfo*, std::less<>> byName_;
};

namespace archive_detail {

// "ns::CFoo" -> "CFoo": the stored name never carries a C++ namespace.
constexpr std::string_view UnqualifiedName(std::string_view name)
{
    const auto colon = name.rfind(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

template <class T>
std::unique_ptr<Serializable> Create()
{
    return std::make_unique<T>();
}

template <class T>
constexpr ClassInfo::Factory FactoryOf()
{
    if constexpr (std::is_abstract_v<T>)
        return nullptr;
    else
        return &Create<T>;
}

}  // namespace archive_detail

#define HV_DECLARE_SERIAL(Class)                                 \
public:                                                          \
    static const ::ClassInfo& ClassInfoOf();                     \
    const ::ClassInfo& GetClassInfo() const override { return ClassInfoOf(); }

#define HV_IMPLEMENT_SERIAL(Class, Base, Schema)                                           \
    const ::ClassInfo& Class::ClassInfoOf()                                                \
    {                                                                                      \
        static_assert(std::is_base_of_v<Base, Class>, #Class " must derive from " #Base);  \
        static_assert((Schema) >= 0 && (Schema) < 0xFFFF, "schema must fit a WORD");       \
        static const ::ClassInfo info{::archive_detail::UnqualifiedName(#Class),           \
                                      static_cast<std::uint16_t>(Schema),                  \
                                      &Base::ClassInfoOf(),                                \
                                      ::archive_detail::FactoryOf<Class>()};               \
        return info;                                                                       \
    }

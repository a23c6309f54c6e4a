// Objects in archives: class tags, the shared index map, schemas, class records of parent
// classes, the class registry, and failures on damaged streams.
#include "platform/Archive.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace {

using Cause = ArchiveException::Cause;

std::string B(std::initializer_list<int> bytes)
{
    std::string s;
    for (int b : bytes)
        s.push_back(static_cast<char>(b));
    return s;
}

template <class F>
Cause CauseOf(F&& f)
{
    try {
        f();
    } catch (const ArchiveException& e) {
        return e.cause();
    }
    ADD_FAILURE() << "no ArchiveException";
    return Cause::Generic;
}

int g_liveObjects = 0;

struct Counted {
    Counted() { ++g_liveObjects; }
    Counted(const Counted&) { ++g_liveObjects; }
    ~Counted() { --g_liveObjects; }
};

// Schema 3 adds b; schema 1 stored a alone.
class CBase : public Serializable {
    HV_DECLARE_SERIAL(CBase)
    Counted counted;
    std::int32_t a = 0;
    std::int32_t b = -1;
    int seenSchema = -2;
    void Serialize(Archive& ar) override
    {
        if (ar.IsStoring()) {
            ar << a << b;
            return;
        }
        seenSchema = ar.GetObjectSchema();
        ar >> a;
        if (seenSchema >= 2)
            ar >> b;
    }
};
HV_IMPLEMENT_SERIAL(CBase, Serializable, 3)

class COther : public Serializable {
    HV_DECLARE_SERIAL(COther)
    Counted counted;
    double value = 0;
    void Serialize(Archive& ar) override
    {
        if (ar.IsStoring())
            ar << value;
        else
            ar >> value;
    }
};
HV_IMPLEMENT_SERIAL(COther, Serializable, 1)

// Writes the class record of its parent before the parent's fields, then owns a child.
class CDerived : public CBase {
    HV_DECLARE_SERIAL(CDerived)
    std::string name;
    std::unique_ptr<Serializable> child;
    int ownSchema = -2;
    int schemaReadAgain = -2;
    void Serialize(Archive& ar) override
    {
        if (ar.IsLoading()) {
            ownSchema = ar.GetObjectSchema();
            schemaReadAgain = ar.GetObjectSchema();
        }
        ar.SerializeClass(CBase::ClassInfoOf());
        CBase::Serialize(ar);
        if (ar.IsStoring()) {
            ar << name;
            ar.WriteObject(child.get());
        } else {
            ar >> name;
            child = ar.ReadObject(nullptr);
        }
    }
};
HV_IMPLEMENT_SERIAL(CDerived, CBase, 2)

class CAbstract : public Serializable {
    HV_DECLARE_SERIAL(CAbstract)
    virtual void Pure() = 0;
};
HV_IMPLEMENT_SERIAL(CAbstract, Serializable, 1)

class CLeaf : public Serializable {
    HV_DECLARE_SERIAL(CLeaf)
    std::uint8_t v = 0;
    void Serialize(Archive& ar) override
    {
        if (ar.IsStoring())
            ar << v;
        else
            ar >> v;
    }
};
HV_IMPLEMENT_SERIAL(CLeaf, Serializable, 1)

// Holds a child of its own class, so a stream can nest it without end.
class CNest : public Serializable {
    HV_DECLARE_SERIAL(CNest)
    std::unique_ptr<Serializable> inner;
    void Serialize(Archive& ar) override
    {
        if (ar.IsStoring())
            ar.WriteObject(inner.get());
        else
            inner = ar.ReadObject(nullptr);
    }
};
HV_IMPLEMENT_SERIAL(CNest, Serializable, 1)

ClassRegistry MakeRegistry()
{
    ClassRegistry r;
    r.Register<CDerived>();  // registers CBase with it
    r.Register<COther>();
    r.Register<CAbstract>();
    r.Register<CLeaf>();
    r.Register<CNest>();
    return r;
}
const ClassRegistry kRegistry = MakeRegistry();

std::string Name(const char* text) { return std::string(text); }

// Two objects of the derived class, the first owning a COther, then the COther again.
const std::string kGraph =
    B({0xFF, 0xFF, 0x02, 0x00, 0x08, 0x00}) + Name("CDerived") +  // new class 1, schema 2; object 2
    B({0xFF, 0xFF, 0x03, 0x00, 0x05, 0x00}) + Name("CBase") +     // parent record: new class 3
    B({0x01, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00}) +         // a = 1, b = 2
    B({0x02, 'x', 0xE9}) +                                        // name "xé"
    B({0xFF, 0xFF, 0x01, 0x00, 0x06, 0x00}) + Name("COther") +    // child: new class 4; object 5
    B({0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xE0, 0x3F}) +         // value 0.5
    B({0x01, 0x80}) +                                             // class 1 again; object 6
    B({0x03, 0x80}) +                                             // parent record: class 3 again
    B({0x03, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00}) +         // a = 3, b = 4
    B({0x00}) +                                                   // name ""
    B({0x00, 0x00});                                              // no child
const std::string kBackReference = B({0x05, 0x00});               // object 5 written before

void ReadGraph(Archive& in, std::unique_ptr<CDerived>& first, std::unique_ptr<CDerived>& second)
{
    first = in.ReadObjectAs<CDerived>();
    second = in.ReadObjectAs<CDerived>();
}

}  // namespace

TEST(ArchiveObjects, GraphOfTwoClassesWithABaseClass)
{
    CDerived first;
    first.a = 1;
    first.b = 2;
    first.name = "xé";
    auto other = std::make_unique<COther>();
    other->value = 0.5;
    const Serializable* otherPtr = other.get();
    first.child = std::move(other);
    CDerived second;
    second.a = 3;
    second.b = 4;

    Archive out = Archive::ForStoring();
    out.WriteObject(&first);
    out.WriteObject(&second);
    out.WriteObject(otherPtr);
    EXPECT_EQ(out.Bytes(), kGraph + kBackReference);

    Archive in = Archive::ForLoading(kGraph + kBackReference, kRegistry);
    std::unique_ptr<CDerived> a, b;
    ReadGraph(in, a, b);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->a, 1);
    EXPECT_EQ(a->b, 2);
    EXPECT_EQ(a->name, "xé");
    const auto* child = dynamic_cast<COther*>(a->child.get());
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->value, 0.5);
    EXPECT_EQ(b->a, 3);
    EXPECT_EQ(b->b, 4);
    EXPECT_EQ(b->child, nullptr);
    // The schema of each class as stored, read once.
    EXPECT_EQ(a->ownSchema, 2);
    EXPECT_EQ(a->schemaReadAgain, -1);
    EXPECT_EQ(a->seenSchema, 3);
    EXPECT_EQ(b->ownSchema, 2);
    EXPECT_EQ(b->seenSchema, 3);
    EXPECT_EQ(in.GetObjectSchema(), -1);

    // Loading refuses the reference to an earlier object: it would need two owners.
    EXPECT_EQ(CauseOf([&] { in.ReadObject(nullptr); }), Cause::BadIndex);
}

TEST(ArchiveObjects, NullObjectAndNullTagInBothDirections)
{
    Archive out = Archive::ForStoring();
    out.WriteObject(nullptr);
    EXPECT_EQ(out.Bytes(), B({0x00, 0x00}));
    Archive in = Archive::ForLoading(out.Bytes(), kRegistry);
    EXPECT_EQ(in.ReadObjectAs<CBase>(), nullptr);
    EXPECT_EQ(in.Remaining(), 0u);
}

TEST(ArchiveObjects, TruncationAtEveryByteThrowsAndLeaksNothing)
{
    for (std::size_t cut = 0; cut < kGraph.size(); ++cut) {
        Archive in = Archive::ForLoading(kGraph.substr(0, cut), kRegistry);
        std::unique_ptr<CDerived> a, b;
        EXPECT_EQ(CauseOf([&] { ReadGraph(in, a, b); }), Cause::EndOfFile) << "cut at " << cut;
        a.reset();
        b.reset();
        EXPECT_EQ(g_liveObjects, 0) << "cut at " << cut;
    }
}

TEST(ArchiveObjects, OlderSchemaLoadsAndNewerIsRefused)
{
    const std::string older = B({0xFF, 0xFF, 0x01, 0x00, 0x05, 0x00}) + Name("CBase") + B({0x07, 0x00, 0x00, 0x00});
    Archive in = Archive::ForLoading(older, kRegistry);
    auto base = in.ReadObjectAs<CBase>();
    ASSERT_TRUE(base);
    EXPECT_EQ(base->seenSchema, 1);
    EXPECT_EQ(base->a, 7);
    EXPECT_EQ(base->b, -1);
    EXPECT_EQ(in.Remaining(), 0u);

    const std::string newer = B({0xFF, 0xFF, 0x04, 0x00, 0x05, 0x00}) + Name("CBase") + B({0x07, 0x00, 0x00, 0x00});
    Archive in2 = Archive::ForLoading(newer, kRegistry);
    EXPECT_EQ(CauseOf([&] { in2.ReadObject(nullptr); }), Cause::BadSchema);

    // A parent's record stored with an older schema than the child's: each is read for itself.
    const std::string mixed = B({0xFF, 0xFF, 0x01, 0x00, 0x08, 0x00}) + Name("CDerived") +
                              B({0xFF, 0xFF, 0x01, 0x00, 0x05, 0x00}) + Name("CBase") +
                              B({0x09, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00});
    Archive in3 = Archive::ForLoading(mixed, kRegistry);
    auto derived = in3.ReadObjectAs<CDerived>();
    ASSERT_TRUE(derived);
    EXPECT_EQ(derived->ownSchema, 1);
    EXPECT_EQ(derived->seenSchema, 1);
    EXPECT_EQ(derived->a, 9);
    EXPECT_EQ(derived->b, -1);

    // A later reference to the class keeps the schema it was stored with.
    const std::string twice = older + B({0x01, 0x80, 0x08, 0x00, 0x00, 0x00});
    Archive in4 = Archive::ForLoading(twice, kRegistry);
    in4.ReadObject(nullptr);
    auto again = in4.ReadObjectAs<CBase>();
    EXPECT_EQ(again->seenSchema, 1);
    EXPECT_EQ(again->a, 8);
}

TEST(ArchiveObjects, SerializeClassAloneWritesAndChecksTheRecord)
{
    Archive out = Archive::ForStoring();
    out.SerializeClass(CBase::ClassInfoOf());
    out.SerializeClass(CBase::ClassInfoOf());
    const std::string record = B({0xFF, 0xFF, 0x03, 0x00, 0x05, 0x00}) + Name("CBase");
    EXPECT_EQ(out.Bytes(), record + B({0x01, 0x80}));

    Archive in = Archive::ForLoading(out.Bytes(), kRegistry);
    EXPECT_EQ(in.GetObjectSchema(), -1);
    in.SerializeClass(CBase::ClassInfoOf());
    EXPECT_EQ(in.GetObjectSchema(), 3);
    EXPECT_EQ(in.GetObjectSchema(), -1);
    EXPECT_EQ(in.ReadClass(nullptr), &CBase::ClassInfoOf());

    // The record of another class where the parent's is expected.
    Archive wrong = Archive::ForLoading(record, kRegistry);
    EXPECT_EQ(CauseOf([&] { wrong.SerializeClass(COther::ClassInfoOf()); }), Cause::BadClass);
    // An object tag where a class record is expected.
    Archive objectTag = Archive::ForLoading(B({0x00, 0x00}), kRegistry);
    EXPECT_EQ(CauseOf([&] { objectTag.SerializeClass(CBase::ClassInfoOf()); }), Cause::BadIndex);

    // An object's schema is its own while it reads itself, not its reader's afterwards.
    const std::string other = B({0xFF, 0xFF, 0x01, 0x00, 0x06, 0x00}) + Name("COther") + std::string(8, '\0');
    Archive objects = Archive::ForLoading(record + other, kRegistry);
    objects.SerializeClass(CBase::ClassInfoOf());
    EXPECT_TRUE(objects.ReadObjectAs<COther>());
    EXPECT_EQ(objects.GetObjectSchema(), 3);
}

TEST(ArchiveObjects, ExpectedClassesAndUnknownOnes)
{
    const std::string other = B({0xFF, 0xFF, 0x01, 0x00, 0x06, 0x00}) + Name("COther") + std::string(8, '\0');
    {
        Archive in = Archive::ForLoading(other, kRegistry);
        EXPECT_EQ(CauseOf([&] { in.ReadObjectAs<CBase>(); }), Cause::BadClass);
    }
    {
        // A derived object read where its base is expected.
        Archive in = Archive::ForLoading(kGraph, kRegistry);
        auto base = in.ReadObjectAs<CBase>();
        ASSERT_TRUE(base);
        EXPECT_NE(dynamic_cast<CDerived*>(base.get()), nullptr);
        EXPECT_TRUE(base->IsKindOf(CDerived::ClassInfoOf()));
    }
    {
        // The same name under another case is another class.
        const std::string unknown = B({0xFF, 0xFF, 0x01, 0x00, 0x06, 0x00}) + Name("COTHER") + std::string(8, '\0');
        Archive in = Archive::ForLoading(unknown, kRegistry);
        EXPECT_EQ(CauseOf([&] { in.ReadObject(nullptr); }), Cause::BadClass);
    }
    {
        const std::string abstract = B({0xFF, 0xFF, 0x01, 0x00, 0x09, 0x00}) + Name("CAbstract");
        Archive in = Archive::ForLoading(abstract, kRegistry);
        EXPECT_EQ(CauseOf([&] { in.ReadObject(nullptr); }), Cause::BadClass);
    }
    {
        const std::string longName = B({0xFF, 0xFF, 0x01, 0x00, 0x40, 0x00}) + std::string(64, 'C');
        Archive in = Archive::ForLoading(longName, kRegistry);
        EXPECT_EQ(CauseOf([&] { in.ReadObject(nullptr); }), Cause::BadClass);
    }
    EXPECT_EQ(g_liveObjects, 0);
}

TEST(ArchiveObjects, BadIndices)
{
    const std::string other = B({0xFF, 0xFF, 0x01, 0x00, 0x06, 0x00}) + Name("COther") + std::string(8, '\0');
    const std::string cases[] = {
        B({0x00, 0x80}),                                     // class index 0
        B({0x01, 0x80}),                                     // class index never given
        B({0x03, 0x00}),                                     // object index never given
        B({0xFF, 0x7F, 0x05, 0x00, 0x00, 0x80}),             // big class index never given
        B({0xFF, 0x7F, 0x00, 0x00, 0x01, 0x00}),             // big object index never given
        other + B({0x02, 0x80}),                             // index 2 is an object, not a class
        other + B({0x01, 0x00}),                             // index 1 is a class, not an object
    };
    for (const std::string& bytes : cases) {
        Archive in = Archive::ForLoading(bytes, kRegistry);
        EXPECT_EQ(CauseOf([&] {
                      while (true)
                          in.ReadObject(nullptr);
                  }),
                  Cause::BadIndex)
            << testing::PrintToString(bytes);
    }
    EXPECT_EQ(g_liveObjects, 0);
}

TEST(ArchiveObjects, BigIndicesPastTheWordRange)
{
    // Class CLeaf takes index 1 and the leaves 2 .. 0x7FFE, the last index a WORD tag can hold.
    std::vector<CLeaf> leaves(0x7FFD);
    for (std::size_t i = 0; i < leaves.size(); ++i)
        leaves[i].v = static_cast<std::uint8_t>(i);
    COther first, second;
    first.value = 1.0;
    second.value = 2.0;

    Archive out = Archive::ForStoring();
    for (const CLeaf& leaf : leaves)
        out.WriteObject(&leaf);
    out.WriteObject(&first);   // new class 0x7FFF, object 0x8000
    out.WriteObject(&second);  // class reference in the long form; object 0x8001
    out.WriteObject(&first);   // object reference in the long form
    out.WriteObject(&leaves[0]);
    out.WriteObject(&leaves[0x7FFC]);

    const std::string tail = B({0xFF, 0xFF, 0x01, 0x00, 0x06, 0x00}) + Name("COther") +
                             B({0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF0, 0x3F}) +
                             B({0xFF, 0x7F, 0xFF, 0x7F, 0x00, 0x80}) +             // 0x7FFF, 0x80007FFF
                             B({0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x40}) +
                             B({0xFF, 0x7F, 0x00, 0x80, 0x00, 0x00}) +             // 0x7FFF, 0x00008000
                             B({0x02, 0x00}) +                                     // leaf 0
                             B({0xFE, 0x7F});                                      // last leaf: 0x7FFE
    const std::string& bytes = out.Bytes();
    ASSERT_GT(bytes.size(), tail.size());
    EXPECT_EQ(bytes.substr(bytes.size() - tail.size()), tail);
    EXPECT_EQ(bytes.substr(0, 14), B({0xFF, 0xFF, 0x01, 0x00, 0x05, 0x00}) + Name("CLeaf") + B({0x00, 0x01, 0x80}));

    Archive in = Archive::ForLoading(bytes, kRegistry);
    for (std::size_t i = 0; i < leaves.size(); ++i) {
        auto leaf = in.ReadObjectAs<CLeaf>();
        ASSERT_TRUE(leaf);
        ASSERT_EQ(leaf->v, static_cast<std::uint8_t>(i));
    }
    EXPECT_EQ(in.ReadObjectAs<COther>()->value, 1.0);
    EXPECT_EQ(in.ReadObjectAs<COther>()->value, 2.0);
    EXPECT_EQ(CauseOf([&] { in.ReadObject(nullptr); }), Cause::BadIndex);

    // Readers accept the long form for small indices too.
    const std::string shortInLongForm = B({0xFF, 0xFF, 0x01, 0x00, 0x06, 0x00}) + Name("COther") + std::string(8, '\0') +
                                        B({0xFF, 0x7F, 0x01, 0x00, 0x00, 0x80}) + std::string(8, '\0');
    Archive in2 = Archive::ForLoading(shortInLongForm, kRegistry);
    EXPECT_TRUE(in2.ReadObjectAs<COther>());
    EXPECT_TRUE(in2.ReadObjectAs<COther>());
    EXPECT_EQ(in2.Remaining(), 0u);
}

TEST(ArchiveObjects, DeepNestingIsRefusedWithoutExhaustingTheStack)
{
    const std::string nestClass = B({0xFF, 0xFF, 0x01, 0x00, 0x05, 0x00}) + Name("CNest");
    std::string shallow = nestClass;
    for (int i = 0; i < 20; ++i)
        shallow += B({0x01, 0x80});
    shallow += B({0x00, 0x00});
    Archive in = Archive::ForLoading(shallow, kRegistry);
    auto outer = in.ReadObjectAs<CNest>();
    int depth = 0;
    for (const Serializable* p = outer.get(); p != nullptr; p = static_cast<const CNest*>(p)->inner.get())
        ++depth;
    EXPECT_EQ(depth, 21);

    std::string deep = nestClass;
    for (int i = 0; i < 100000; ++i)
        deep += B({0x01, 0x80});
    deep += B({0x00, 0x00});
    Archive in2 = Archive::ForLoading(deep, kRegistry);
    EXPECT_EQ(CauseOf([&] { in2.ReadObject(nullptr); }), Cause::Generic);
}

namespace archive_test_ns {
class CNamed : public Serializable {
    HV_DECLARE_SERIAL(CNamed)
};
}  // namespace archive_test_ns
HV_IMPLEMENT_SERIAL(archive_test_ns::CNamed, Serializable, 0)

TEST(ClassRegistry, RegistrationAndDerivation)
{
    ClassRegistry r;
    r.Register<CDerived>();
    EXPECT_EQ(r.Find("CDerived"), &CDerived::ClassInfoOf());
    EXPECT_EQ(r.Find("CBase"), &CBase::ClassInfoOf());
    EXPECT_EQ(r.Find("Serializable"), nullptr);
    EXPECT_EQ(r.Find("cderived"), nullptr);
    EXPECT_EQ(r.Find("COther"), nullptr);
    r.Register<CDerived>();  // again: no effect

    static const ClassInfo impostor{"CBase", 1, &Serializable::ClassInfoOf(), nullptr};
    EXPECT_THROW(r.Register(impostor), std::logic_error);

    EXPECT_TRUE(CDerived::ClassInfoOf().IsDerivedFrom(CBase::ClassInfoOf()));
    EXPECT_TRUE(CDerived::ClassInfoOf().IsDerivedFrom(Serializable::ClassInfoOf()));
    EXPECT_FALSE(CBase::ClassInfoOf().IsDerivedFrom(CDerived::ClassInfoOf()));
    EXPECT_FALSE(COther::ClassInfoOf().IsDerivedFrom(CBase::ClassInfoOf()));

    // The stored name carries no C++ namespace.
    EXPECT_EQ(archive_test_ns::CNamed::ClassInfoOf().name, "CNamed");
    r.Register<archive_test_ns::CNamed>();
    auto made = r.Find("CNamed")->CreateObject();
    ASSERT_TRUE(made);
    EXPECT_EQ(&made->GetClassInfo(), &archive_test_ns::CNamed::ClassInfoOf());
}

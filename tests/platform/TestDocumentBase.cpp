#include "platform/DocumentBase.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

// A document holding one integer, stored as a plain int32.
class CounterDocument : public DocumentBase {
public:
    int value = 0;
    int loadedCalls = 0;

    void Serialize(Archive& ar) override
    {
        if (ar.IsStoring()) {
            ar << static_cast<std::int32_t>(value);
        } else {
            std::int32_t v = 0;
            ar >> v;
            if (v < 0)
                throw ArchiveException(ArchiveException::Cause::BadClass, "negative");
            value = v;
        }
    }
    const ClassRegistry& GetClassRegistry() const override { return registry_; }
    void DeleteContents() override { value = 0; }

protected:
    void OnLoaded() override { ++loadedCalls; }

private:
    ClassRegistry registry_;
};

}  // namespace

TEST(DocumentBase, SaveThenOpenRoundTripsAndClearsTheModifiedFlag)
{
    testsupport::TempDir dir;
    CounterDocument doc;
    doc.value = 42;
    doc.SetModifiedFlag();
    ASSERT_TRUE(doc.OnSaveDocument(dir / "a.cds"));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetTitle(), "a.cds");

    CounterDocument other;
    ASSERT_TRUE(other.OnOpenDocument(dir / "a.cds"));
    EXPECT_EQ(other.value, 42);
    EXPECT_EQ(other.loadedCalls, 1);
    EXPECT_EQ(other.GetPathName(), dir / "a.cds");
    EXPECT_TRUE(other.OnNewDocument());
    EXPECT_EQ(other.value, 0);
    EXPECT_TRUE(other.GetPathName().empty());
}

TEST(DocumentBase, FailuresAreReportedNotSwallowed)
{
    testsupport::TempDir dir;
    CounterDocument doc;
    doc.value = 7;
    std::string error;
    EXPECT_FALSE(doc.OnOpenDocument(dir / "missing.cds", &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(doc.value, 7);

    testsupport::WriteFileBytes(dir / "short.cds", "\x01\x02");
    error.clear();
    EXPECT_FALSE(doc.OnOpenDocument(dir / "short.cds", &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(doc.loadedCalls, 0);

    testsupport::WriteFileBytes(dir / "bad.cds", std::string("\xFF\xFF\xFF\xFF", 4));
    EXPECT_FALSE(doc.OnOpenDocument(dir / "bad.cds", &error));
    EXPECT_TRUE(doc.GetPathName().empty());

    error.clear();
    EXPECT_FALSE(doc.OnSaveDocument(dir / "no" / "such" / "x.cds", &error));
    EXPECT_FALSE(error.empty());
}

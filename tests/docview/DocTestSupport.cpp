#include "DocTestSupport.h"

#include "app/Accessors.h"
#include "model/Astronomy.h"
#include "platform/Paths.h"
#include "platform/Profile.h"

std::string GoldenDocument(const std::string& name)
{
    return testsupport::ReadFileBytes(testsupport::DataDir() / "document" / name);
}

void DocumentTest::SetUp()
{
    SetProfile(std::make_unique<MemoryProfile>());
    std::filesystem::create_directories(dir_ / "data");
    paths::SetDataFolder(dir_ / "data");
    GetAppContext() = AppContext{};
    services_->SetNowMs(1'700'000'000'000);
    testsupport::WriteFileBytes(StandardFile(),
                                "$VERSION 6\n$NBRECORDS 3\n"
                                "BESANÇON DOUBS FRANCE 47 15 N 6 2 E 1 1\n"
                                "PARIS ? FRANCE 48 52 N 2 20 E 1 1\n"
                                "QUITO ? ECUADOR 0 13 S 78 31 W -5 1\n"
                                "$END\n");
    GetProfile().WriteString("Options\\General", "NomFichierLieux", StandardFile().string());
    ResetAstroState();
}

void DocumentTest::TearDown()
{
    doc_.reset();
    GetAppContext() = AppContext{};
    paths::SetDataFolder({});
    SetProfile(nullptr);
    ResetAstroState();
}

TestDocument& DocumentTest::Doc()
{
    if (!doc_)
        doc_ = std::make_unique<TestDocument>();
    return *doc_;
}

std::optional<std::string> DocumentTest::Load(CHoravelDoc& doc, const std::string& bytes)
{
    Archive ar = Archive::ForLoading(bytes, doc.GetClassRegistry());
    try {
        doc.Serialize(ar);
    } catch (const ArchiveException& e) {
        return std::string(e.what());
    }
    return std::nullopt;
}

std::string DocumentTest::Store(CHoravelDoc& doc)
{
    Archive ar = Archive::ForStoring();
    doc.Serialize(ar);
    return ar.Bytes();
}

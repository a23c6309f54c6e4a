#include "AppTestSupport.h"
#include "app/CSingleDocTemplate.h"
#include "platform/FakeServices.h"
#include "platform/Paths.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

using apptest::NumberDocument;

namespace {

class DocTemplate : public ::testing::Test {
protected:
    void SetUp() override
    {
        paths::SetDataFolder(dir_.path());
        doc_ = &static_cast<NumberDocument&>(template_.GetDocument());
        template_.SetChangedCallback([this] { ++changes_; });
    }
    void TearDown() override { paths::SetDataFolder({}); }

    // A modified document holding 5, never saved.
    void MakeModified()
    {
        doc_->value = 5;
        doc_->SetModifiedFlag();
    }

    testsupport::TempDir dir_;
    ScopedMemoryProfile profile_;
    ScopedFakeServices fake_;
    CSingleDocTemplate template_{[] { return std::make_unique<NumberDocument>(); }};
    NumberDocument* doc_ = nullptr;
    int changes_ = 0;
};

}  // namespace

TEST_F(DocTemplate, NewAsksAboutUnsavedChangesAndCancelKeepsTheDocument)
{
    EXPECT_EQ(template_.FrameTitle(), "Sans titre - Horavel");
    MakeModified();

    fake_->QueueMessageBoxAnswer(IDCANCEL);
    EXPECT_FALSE(template_.OnFileNew());
    ASSERT_EQ(fake_->messageBoxes.size(), 1u);
    EXPECT_EQ(fake_->messageBoxes[0].text, "Enregistrer les modifications de Sans titre ?");
    EXPECT_EQ(fake_->messageBoxes[0].type, unsigned{MB_YESNOCANCEL | MB_ICONEXCLAMATION});
    EXPECT_EQ(doc_->value, 5);
    EXPECT_TRUE(doc_->IsModified());
    EXPECT_EQ(doc_->newCalls, 0);
    EXPECT_EQ(changes_, 0);

    fake_->QueueMessageBoxAnswer(IDNO);
    EXPECT_TRUE(template_.OnFileNew());
    EXPECT_EQ(doc_->value, 0);
    EXPECT_FALSE(doc_->IsModified());
    EXPECT_EQ(changes_, 1);

    // An unmodified document is not asked about.
    EXPECT_TRUE(template_.OnFileNew());
    EXPECT_EQ(fake_->messageBoxes.size(), 2u);
}

TEST_F(DocTemplate, YesSavesFirstAndAFailedOrCancelledSaveStopsTheCommand)
{
    MakeModified();
    // Yes, then the save chooser is cancelled: nothing happens.
    fake_->QueueMessageBoxAnswer(IDYES);
    fake_->QueueSaveFile(std::nullopt);
    EXPECT_FALSE(template_.OnFileNew());
    EXPECT_EQ(doc_->value, 5);

    // Yes, and a name without extension: saved as .cds, then emptied.
    fake_->QueueMessageBoxAnswer(IDYES);
    fake_->QueueSaveFile(dir_ / "mine");
    EXPECT_TRUE(template_.OnFileNew());
    EXPECT_TRUE(std::filesystem::exists(dir_ / "mine.cds"));
    EXPECT_EQ(doc_->value, 0);
    ASSERT_EQ(template_.RecentFiles().GetCount(), 1);
    EXPECT_EQ(template_.RecentFiles()[0], dir_ / "mine.cds");

    // A save that fails is reported and the document stays.
    MakeModified();
    fake_->QueueMessageBoxAnswer(IDYES);
    fake_->QueueSaveFile(dir_ / "no" / "folder" / "x.cds");
    EXPECT_FALSE(template_.OnFileNew());
    EXPECT_EQ(doc_->value, 5);
    EXPECT_EQ(fake_->messageBoxes.back().text.find("Impossible d'enregistrer le document"), 0u);
    // With the system's reason.
    EXPECT_NE(fake_->messageBoxes.back().text.find(std::strerror(ENOENT)), std::string::npos)
        << fake_->messageBoxes.back().text;
}

TEST_F(DocTemplate, NewThatTheDocumentRefusesIsReportedAsFailed)
{
    doc_->refuseNew = true;
    EXPECT_FALSE(template_.OnFileNew());
    EXPECT_EQ(doc_->newCalls, 1);
}

TEST_F(DocTemplate, OpenReplacesTheDocumentOrLeavesItWhenTheFileIsBad)
{
    apptest::WriteNumberFile(dir_ / "seven.cds", 7);
    testsupport::WriteFileBytes(dir_ / "bad.cds", "\x01");

    fake_->QueueOpenFile(dir_ / "seven.cds");
    ASSERT_TRUE(template_.OnFileOpen());
    EXPECT_EQ(doc_->value, 7);
    EXPECT_EQ(template_.FrameTitle(), "seven.cds - Horavel");
    EXPECT_EQ(fake_->fileDialogs.at(0).request.filter, "Cadrans solaires (*.cds)|*.cds|Tous les fichiers (*.*)|*.*||");

    EXPECT_FALSE(template_.OpenDocumentFile(dir_ / "bad.cds"));
    EXPECT_EQ(doc_->value, 7);
    EXPECT_EQ(doc_->GetPathName(), dir_ / "seven.cds");
    EXPECT_NE(fake_->messageBoxes.back().text.find("bad.cds"), std::string::npos);

    // The open document again: not read a second time (its unsaved changes stay).
    doc_->value = 8;
    doc_->SetModifiedFlag();
    EXPECT_TRUE(template_.OpenDocumentFile(dir_ / "seven.cds"));
    EXPECT_EQ(doc_->value, 8);
}

TEST_F(DocTemplate, SaveUsesTheKnownNameAndSaveAsAlwaysAsks)
{
    doc_->value = 3;
    fake_->QueueSaveFile(dir_ / "three.cds");
    ASSERT_TRUE(template_.OnFileSave());
    EXPECT_EQ(fake_->fileDialogs.size(), 1u);
    EXPECT_EQ(fake_->fileDialogs[0].request.initialName, "Sans titre");

    doc_->value = 4;
    ASSERT_TRUE(template_.OnFileSave());
    EXPECT_EQ(fake_->fileDialogs.size(), 1u);

    fake_->QueueSaveFile(std::nullopt);
    EXPECT_FALSE(template_.OnFileSaveAs());
    EXPECT_EQ(fake_->fileDialogs.size(), 2u);
    EXPECT_EQ(fake_->fileDialogs[1].request.initialName, "three.cds");

    NumberDocument reread;
    ASSERT_TRUE(reread.OnOpenDocument(dir_ / "three.cds"));
    EXPECT_EQ(reread.value, 4);
}

TEST_F(DocTemplate, RecentFilesAreKeptNewestFirstAndADeadEntryLeavesTheList)
{
    for (int i = 0; i < 10; ++i)
        apptest::WriteNumberFile(dir_ / ("d" + std::to_string(i) + ".cds"), i);
    for (int i = 0; i < 10; ++i)
        ASSERT_TRUE(template_.OpenDocumentFile(dir_ / ("d" + std::to_string(i) + ".cds")));
    CRecentFileList& recent = template_.RecentFiles();
    ASSERT_EQ(recent.GetCount(), 8);
    EXPECT_EQ(recent[0], dir_ / "d9.cds");
    EXPECT_EQ(recent[7], dir_ / "d2.cds");

    recent.WriteList();
    EXPECT_EQ(profile_->GetString(CRecentFileList::kSection, "File1", ""), (dir_ / "d9.cds").string());
    CRecentFileList reread;
    reread.ReadList();
    ASSERT_EQ(reread.GetCount(), 8);
    EXPECT_EQ(reread[7], dir_ / "d2.cds");

    // Opening an older entry moves it to the top.
    ASSERT_TRUE(template_.OpenRecentFile(3));
    EXPECT_EQ(recent[0], dir_ / "d6.cds");
    EXPECT_EQ(recent.GetCount(), 8);

    // Cancelled at the question: the entry stays. Unreadable: it goes.
    doc_->SetModifiedFlag();
    fake_->QueueMessageBoxAnswer(IDCANCEL);
    EXPECT_FALSE(template_.OpenRecentFile(1));
    EXPECT_EQ(recent.GetCount(), 8);
    doc_->SetModifiedFlag(false);
    std::filesystem::remove(dir_ / "d9.cds");
    EXPECT_FALSE(template_.OpenRecentFile(1));
    EXPECT_EQ(recent.GetCount(), 7);
    EXPECT_EQ(recent[1], dir_ / "d8.cds");
    recent.WriteList();
    EXPECT_FALSE(profile_->HasValue(CRecentFileList::kSection, "File8"));
}

TEST(RecentFileList, MenuTextsShortenLongPathsAndShowAmpersands)
{
    EXPECT_EQ(CRecentFileList::DisplayName("/home/a/dial.cds"), "/home/a/dial.cds");
    EXPECT_EQ(CRecentFileList::DisplayName("/home/someone/sundials/2024/garden/south wall.cds"),
              "/home/.../south wall.cds");
    EXPECT_EQ(CRecentFileList::DisplayName("/a-very-long-first-folder-name/x/dial.cds"), "dial.cds");
    CRecentFileList list;
    list.Add("/tmp/R&D.cds");
    EXPECT_EQ(list.MenuText(0), "&1 /tmp/R&&D.cds");
    EXPECT_EQ(list.MenuText(1), "");
}

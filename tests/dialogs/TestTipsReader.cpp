#include "dialogs/CTipsReader.h"
#include "platform/FakeServices.h"
#include "platform/Paths.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

class TipsReader : public ::testing::Test {
protected:
    void SetUp() override { paths::SetInstallFolder(dir_.path()); }
    void TearDown() override { paths::SetInstallFolder({}); }

    // French tips file.
    std::filesystem::path Write(const std::string& text)
    {
        const auto file = dir_ / "tips_fr.txt";
        testsupport::WriteFileBytes(file, text);
        return file;
    }
    std::vector<std::string> Sequence(CTipsReader& reader, int count)
    {
        std::vector<std::string> tips{reader.Tip()};
        for (int i = 1; i < count; ++i) {
            reader.NextTip();
            tips.push_back(reader.Tip());
        }
        return tips;
    }

    testsupport::TempDir dir_;
    ScopedMemoryProfile profile_;
    ScopedFakeServices fake_;
};

}  // namespace

TEST_F(TipsReader, ReadsTipsInTurnSkippingCommentsAndWrapsRound)
{
    Write("; comment\nFirst tip.\n\n  indented note\n\tand a tab\nSecond tip.\r\n\r\nThird tip.");
    CTipsReader reader(0);
    ASSERT_TRUE(reader.IsOpen());
    const std::vector<std::string> expected = {"First tip.", "Second tip.", "Third tip.", "First tip.",
                                               "Second tip."};
    EXPECT_EQ(Sequence(reader, 5), expected);
    EXPECT_TRUE(fake_->messageBoxes.empty());
}

TEST_F(TipsReader, ContinuesWhereThePreviousRunStoppedUntilTheFileChanges)
{
    const auto file = Write("One.\nTwo.\nThree.\n");
    {
        CTipsReader reader(0);
        EXPECT_EQ(reader.Tip(), "One.");
        reader.NextTip();
        EXPECT_EQ(reader.Tip(), "Two.");
    }
    EXPECT_EQ(profile_->GetInt("Tips", "tips_fr", -1), 10);
    EXPECT_FALSE(profile_->GetString("Tips", "TimeStamp", "").empty());
    {
        CTipsReader reader(0);
        EXPECT_EQ(reader.Tip(), "Three.");
        reader.NextTip();
        EXPECT_EQ(reader.Tip(), "One.");
    }
    // A new modification time starts again at the first tip.
    struct timespec times[2] = {{0, UTIME_OMIT}, {1000000000, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, file.c_str(), times, 0), 0);
    {
        CTipsReader reader(0);
        EXPECT_EQ(reader.Tip(), "One.");
    }
    EXPECT_EQ(profile_->GetString("Tips", "TimeStamp", ""), CTipsReader::CTimeText(1000000000));
    // Each language keeps its own position.
    EXPECT_FALSE(profile_->HasValue("Tips", "tips_en"));
}

TEST_F(TipsReader, BadSavedPositionsAndMissingOrEmptyFiles)
{
    Write("Alpha.\nBeta.\n");
    {
        CTipsReader reader(0);  // records the time stamp
    }
    profile_->WriteInt("Tips", "tips_fr", 4000);
    {
        CTipsReader reader(0);
        EXPECT_EQ(reader.Tip(), "Alpha.");
    }
    profile_->WriteInt("Tips", "tips_fr", -3);
    {
        CTipsReader reader(0);
        ASSERT_EQ(fake_->messageBoxes.size(), 1u);
        EXPECT_EQ(fake_->messageBoxes[0].text, "Problème de lecture du fichier des astuces.");
        EXPECT_EQ(reader.Tip(), "Alpha.");
    }
    // A position inside a line goes on from the next line.
    profile_->WriteInt("Tips", "tips_fr", 2);
    {
        CTipsReader reader(0);
        EXPECT_EQ(reader.Tip(), "Beta.");
    }
    {
        CTipsReader reader(1);  // no English file
        EXPECT_FALSE(reader.IsOpen());
        EXPECT_EQ(reader.Tip(), "Le fichier des astuces du jour est introuvable !");
    }
    EXPECT_FALSE(profile_->HasValue("Tips", "tips_en"));

    // Only comments and blank lines: one pass, then a plain statement.
    Write("; nothing\n \n\r\n;\n");
    CTipsReader empty(0);
    EXPECT_TRUE(empty.IsOpen());
    EXPECT_EQ(empty.Tip(), "Le fichier des astuces ne contient aucune astuce.");
    empty.NextTip();
    EXPECT_EQ(empty.Tip(), "Le fichier des astuces ne contient aucune astuce.");
    Write("");
    CTipsReader nothing(0);
    EXPECT_EQ(nothing.Tip(), "Le fichier des astuces ne contient aucune astuce.");
}

TEST_F(TipsReader, LongLinesAreCutOnWholeCharactersAndOtherEncodingsRead)
{
    // 997 ASCII bytes then "é" (2 bytes): the cut at 998 would split it.
    const std::string longTip = std::string(997, 'a') + "\xC3\xA9" + "tail";
    Write(longTip + "\nNext.\n");
    CTipsReader reader(0);
    EXPECT_EQ(reader.Tip(), std::string(997, 'a'));
    reader.NextTip();
    EXPECT_EQ(reader.Tip(), "Next.");  // the rest of the long line is not a tip of its own

    // A Windows-1252 file and a UTF-8 file with a byte-order mark.
    const auto latin = dir_ / "latin.txt";
    testsupport::WriteFileBytes(latin, "Ann\xE9" "e de r\xE9" "f\xE9" "rence.\n");
    CTipsReader cp1252(0, latin);
    EXPECT_EQ(cp1252.Tip(), "Année de référence.");
    const auto bom = dir_ / "bom.txt";
    testsupport::WriteFileBytes(bom, "\xEF\xBB\xBF" "Été.\n");
    CTipsReader marked(0, bom);
    EXPECT_EQ(marked.Tip(), "Été.");
}

TEST(TipsReaderNames, CTimeTextAndFileNames)
{
    ScopedFakeServices fake;
    EXPECT_EQ(CTipsReader::CTimeText(0), "Thu Jan  1 00:00:00 1970");
    EXPECT_EQ(CTipsReader::CTimeText(1000000000), "Sun Sep  9 01:46:40 2001");
    EXPECT_EQ(CTipsReader::CTimeText(1700000000), "Tue Nov 14 22:13:20 2023");
    EXPECT_EQ(CTipsReader::FileName(0), "tips_fr.txt");
    EXPECT_EQ(CTipsReader::FileName(21), "tips_Ro.txt");
    EXPECT_EQ(CTipsReader::FileName(99), "tips_en.txt");
}

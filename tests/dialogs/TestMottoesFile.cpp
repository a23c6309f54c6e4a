#include "dialogs/MottoesFile.h"
#include "platform/Paths.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>

namespace {

std::optional<CMottoRecord> Parse(std::string_view line)
{
    CMottoRecord record{"old", "old", "old"};
    if (!mottoes::ParseMottoLine(line, record))
        return std::nullopt;
    return record;
}

const std::string kHeader = "; Liste de devises de cadrans solaires\n"
                            "; List of mottoes for sundials\n"
                            ";\n"
                            "; Horavel ( https://horavel.orlune-software.example/ )\n"
                            ";\n"
                            ";\n";

class MottoesFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(dir_ / "install");
        std::filesystem::create_directories(dir_ / "data");
        paths::SetInstallFolder(dir_ / "install");
        paths::SetDataFolder(dir_ / "data");
    }
    void TearDown() override
    {
        paths::SetInstallFolder({});
        paths::SetDataFolder({});
    }
    testsupport::TempDir dir_;
};

}  // namespace

TEST(MottoLine, TextWithAndWithoutComment)
{
    EXPECT_EQ(Parse("<LANG:fr> Le temps passe"), (CMottoRecord{"fr", "Le temps passe", ""}));
    EXPECT_EQ(Parse("<LANG:la> Tempus fugit <COMMENT:Le temps fuit>"),
              (CMottoRecord{"la", "Tempus fugit", "Le temps fuit"}));
    // The comment runs to the line's end when its ">" is missing; what follows ">" is dropped.
    EXPECT_EQ(Parse("<LANG:la> Hora <COMMENT:sans fin"), (CMottoRecord{"la", "Hora", "sans fin"}));
    EXPECT_EQ(Parse("<LANG:la> Hora <COMMENT:note> rest"), (CMottoRecord{"la", "Hora", "note"}));
    // Only the one blank the writer puts is taken off on either side of the text.
    EXPECT_EQ(Parse("<LANG:en>  two  <COMMENT:x>"), (CMottoRecord{"en", " two ", "x"}));
    EXPECT_EQ(Parse("<LANG:en>NoBlank"), (CMottoRecord{"en", "NoBlank", ""}));
    EXPECT_EQ(Parse("<LANG:> Sans langue"), (CMottoRecord{"", "Sans langue", ""}));
    EXPECT_EQ(Parse("<LANG:fr>"), (CMottoRecord{"fr", "", ""}));
}

TEST(MottoLine, LinesThatHoldNoMotto)
{
    EXPECT_EQ(Parse("Tempus fugit"), std::nullopt);
    EXPECT_EQ(Parse("<LANG:fr Tempus fugit"), std::nullopt);  // no ">" closes the language
    EXPECT_EQ(Parse("<lang:fr> Tempus fugit"), std::nullopt);
    // A ">" before the tag does not close the language.
    EXPECT_EQ(Parse(">><LANG:fr"), std::nullopt);
    EXPECT_EQ(Parse(">><LANG:fr> x"), (CMottoRecord{"fr", "x", ""}));
}

TEST(MottoLine, WrittenLinesReadBack)
{
    for (const CMottoRecord& record : {CMottoRecord{"fr", "Sans le soleil je ne suis rien", ""},
                                       CMottoRecord{"la", "Ultima latet", "La dernière est cachée"},
                                       CMottoRecord{"en", " spaced ", "with <COMMENT: inside"},
                                       CMottoRecord{"", "", ""}}) {
        const std::string line = mottoes::FormatMottoLine(record);
        EXPECT_EQ(Parse(line), record) << line;
    }
    EXPECT_EQ(mottoes::FormatMottoLine({"fr", "Deux mots", ""}), "<LANG:fr> Deux mots");
    EXPECT_EQ(mottoes::FormatMottoLine({"la", "Hora", "Heure"}), "<LANG:la> Hora <COMMENT:Heure>");
    // A line break in a field would cut the record in two: it is written as a blank.
    EXPECT_EQ(mottoes::FormatMottoLine({"fr", "a\nb", "c\r\nd"}), "<LANG:fr> a b <COMMENT:c  d>");
}

TEST(MottoText, CommentsEmptyLinesAndTheEndMarker)
{
    std::vector<CMottoRecord> list{{"xx", "before", ""}};
    mottoes::ReadText(kHeader + "\n<LANG:fr> Un\r\nno motto here\n;<LANG:fr> commented\n<LANG:la> Duo <COMMENT:Deux>\n"
                                "<END>\n<LANG:fr> after the end\n",
                      list);
    EXPECT_EQ(list, (std::vector<CMottoRecord>{{"xx", "before", ""}, {"fr", "Un", ""}, {"la", "Duo", "Deux"}}));
    // Old Macintosh files end their lines with a lone CR.
    list.clear();
    mottoes::ReadText("<LANG:fr> Un\r<LANG:la> Duo <COMMENT:Deux>\r<LANG:\r>\r", list);
    EXPECT_EQ(list, (std::vector<CMottoRecord>{{"fr", "Un", ""}, {"la", "Duo", "Deux"}}));
    // Windows-1252 files are read too.
    list.clear();
    mottoes::ReadText("<LANG:fr> Caf\xE9 cr\xE8me\n", list);
    EXPECT_EQ(list, (std::vector<CMottoRecord>{{"fr", "Café crème", ""}}));
}

TEST(MottoText, TheWholeFileAsWritten)
{
    const std::vector<CMottoRecord> list{{"fr", "Le temps passe", ""}, {"la", "Hora", "L'heure"}};
    EXPECT_EQ(mottoes::WriteText(list), kHeader + "<LANG:fr> Le temps passe\n<LANG:la> Hora <COMMENT:L'heure>\n<END>\n");
    EXPECT_EQ(mottoes::WriteText({}), kHeader + "<END>\n");
}

TEST(MottoText, LanguagesOnceInOrderAndFoundAsTheComboFindsThem)
{
    const std::vector<CMottoRecord> list{{"la", "a", ""}, {"fr", "b", ""}, {"la", "c", ""}, {"fra", "d", ""},
                                         {"FR", "e", ""}};
    const std::vector<std::string> languages = mottoes::Languages(list);
    EXPECT_EQ(languages, (std::vector<std::string>{"la", "fr", "fra", "FR"}));
    EXPECT_EQ(mottoes::FindLanguage(languages, "fra"), 2);
    EXPECT_EQ(mottoes::FindLanguage(languages, "FR"), 3);  // the exact entry before any prefix
    EXPECT_EQ(mottoes::FindLanguage(languages, "Fr"), 1);  // else the first in any case
    EXPECT_EQ(mottoes::FindLanguage(languages, "L"), 0);
    EXPECT_EQ(mottoes::FindLanguage(languages, "en"), -1);
    EXPECT_EQ(mottoes::FindLanguage(languages, ""), -1);
}

TEST_F(MottoesFile, SavedInTheDataFolderAndReadFromThereOnceSaved)
{
    testsupport::WriteFileBytes(dir_ / "install" / "MOTTOES.TXT", "<LANG:fr> Livrée\n");
    EXPECT_EQ(mottoes::FileToRead(), dir_ / "install" / "MOTTOES.TXT");
    std::vector<CMottoRecord> list;
    ASSERT_TRUE(mottoes::LoadMottoes(mottoes::FileToRead(), list));
    list.push_back({"en", "Added", "by the user"});
    EXPECT_EQ(mottoes::FileToWrite(), dir_ / "data" / "mottoes.txt");
    ASSERT_TRUE(mottoes::SaveMottoes(mottoes::FileToWrite(), list));
    EXPECT_EQ(mottoes::FileToRead(), dir_ / "data" / "mottoes.txt");
    std::vector<CMottoRecord> again;
    ASSERT_TRUE(mottoes::LoadMottoes(mottoes::FileToRead(), again));
    EXPECT_EQ(again, list);
    // The shipped file is left as it was.
    EXPECT_EQ(testsupport::ReadFileBytes(dir_ / "install" / "MOTTOES.TXT"), "<LANG:fr> Livrée\n");
}

TEST_F(MottoesFile, MissingUnwritableAndOversizedFiles)
{
    std::vector<CMottoRecord> list{{"fr", "kept", ""}};
    EXPECT_FALSE(mottoes::LoadMottoes(dir_ / "install" / "mottoes.txt", list));
    EXPECT_EQ(list.size(), 1u);
    EXPECT_FALSE(mottoes::SaveMottoes(dir_ / "no such folder" / "mottoes.txt", list));
    testsupport::WriteFileBytes(dir_ / "big.txt", std::string(mottoes::kMaxFileBytes + 1, ';'));
    EXPECT_FALSE(mottoes::LoadMottoes(dir_ / "big.txt", list));
    EXPECT_EQ(list.size(), 1u);
}

TEST(ShippedMottoes, ClassicMottoesInLatinFrenchAndEnglishThatTheWriterKeepsAsTheyAre)
{
    const auto file = testsupport::SourceDir() / "resources" / "data" / "mottoes.txt";
    std::vector<CMottoRecord> list;
    ASSERT_TRUE(mottoes::LoadMottoes(file, list));
    EXPECT_GE(list.size(), 40u);
    EXPECT_EQ(mottoes::Languages(list), (std::vector<std::string>{"la", "fr", "en"}));
    std::set<std::string> texts;
    for (const CMottoRecord& record : list) {
        EXPECT_FALSE(record.text.empty());
        EXPECT_TRUE(texts.insert(record.text).second) << "twice: " << record.text;
    }
    // Saving the list unchanged gives the same file, byte for byte.
    EXPECT_EQ(mottoes::WriteText(list), testsupport::ReadFileBytes(file));
    EXPECT_EQ(testsupport::ReadFileBytes(testsupport::BinDir() / "mottoes.txt"), testsupport::ReadFileBytes(file));
}

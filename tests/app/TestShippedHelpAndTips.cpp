// The help pages and tips files shipped beside the program.
#include "app/HelpPages.h"
#include "platform/TextFile.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

TEST(ShippedHelp, EveryPageOfTheTableExistsInFrenchAndEnglish)
{
    const auto names = HelpPageNames();
    EXPECT_EQ(names.size(), 23u);
    for (const char* language : {"fr", "en"}) {
        const auto folder = testsupport::BinDir() / "Help" / language;
        EXPECT_TRUE(std::filesystem::is_regular_file(folder / "contents.html")) << language;
        for (const auto& page : names) {
            const auto file = folder / page;
            ASSERT_TRUE(std::filesystem::is_regular_file(file)) << file;
            const std::string text = testsupport::ReadFileBytes(file);
            EXPECT_NE(text.find("<title>"), std::string::npos) << file;
            // Each page is linked from the contents page.
            EXPECT_NE(testsupport::ReadFileBytes(folder / "contents.html").find("href=\"" + page + "\""),
                      std::string::npos)
                << page;
        }
    }
}

TEST(ShippedTips, FrenchAndEnglishHoldTwentyTipsOrMore)
{
    for (const char* name : {"tips_fr.txt", "tips_en.txt"}) {
        std::vector<std::string> lines;
        ASSERT_TRUE(textfile::ReadLines(testsupport::BinDir() / name, lines)) << name;
        int tips = 0;
        for (const auto& line : lines)
            if (!line.empty() && line[0] != ';' && line[0] != ' ' && line[0] != '\t') {
                ++tips;
                EXPECT_LE(line.size(), 998u) << name;
            }
        EXPECT_GE(tips, 20) << name;
    }
}

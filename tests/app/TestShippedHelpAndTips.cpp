// The help pages and tips files shipped beside the program.
#include "app/HelpPages.h"
#include "dialogs/HelpSearch.h"
#include "platform/TextFile.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace {

// Every local link and picture of a page, as written in its href and src attributes.
std::vector<std::string> LocalTargets(const std::string& page)
{
    std::vector<std::string> targets;
    for (const std::string attribute : {"href=\"", "src=\""})
        for (auto at = page.find(attribute); at != std::string::npos; at = page.find(attribute, at + 1)) {
            const auto begin = at + attribute.size();
            std::string target = page.substr(begin, page.find('"', begin) - begin);
            target = target.substr(0, target.find('#'));
            if (!target.empty() && target.find(':') == std::string::npos)
                targets.push_back(target);
        }
    return targets;
}

}  // namespace

TEST(ShippedHelp, EveryPageOfTheTableLinkAndPictureIsThereInEachHelpLanguage)
{
    const auto names = HelpPageNames();
    EXPECT_EQ(names.size(), 32u);
    // A word of each language, accented where the language has accents.
    const std::pair<const char*, const char*> languages[] = {
        {"fr", "\xC3\xA9quation"}, {"en", "equation"}, {"it", "perch\xC3\xA9"}};
    for (const auto& [language, word] : languages) {
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
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            if (entry.path().extension() != ".html")
                continue;
            for (const std::string& target : LocalTargets(testsupport::ReadFileBytes(entry.path())))
                EXPECT_TRUE(std::filesystem::is_regular_file(folder / target)) << entry.path() << " -> " << target;
        }
        EXPECT_FALSE(SearchHelpPages(folder, word).empty()) << language << " " << word;
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

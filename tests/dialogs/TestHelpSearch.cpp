#include "dialogs/HelpSearch.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace fs = std::filesystem;

namespace {

class HelpSearch : public ::testing::Test {
protected:
    void SetUp() override
    {
        help_ = dir_.path() / "Help" / "fr";
        out_ = dir_.path() / "data";
        fs::create_directories(help_);
        fs::create_directories(out_);
        Page("cadran.html", "<html>\n<head><TITLE>Le cadran d\\'\xC3\xA9t\xC3\xA9</TITLE></head>\n<body>Le Soleil brille.</body>\n");
        Page("autre.html", "<title>Autre page</title>\nRien ici.\n");
        Page("notitle.html", "Ombre du SOLEIL au midi.\n");
        // The last page of the folder in name order, with an upper-case extension.
        Page("zz_last.HTML", "<Title>Fin</Title>\n<p>soleil couchant</p>\n");
        Page("notes.txt", "soleil\n");
    }
    void Page(const std::string& name, const std::string& text) { testsupport::WriteFileBytes(help_ / name, text); }
    std::vector<std::string> Names(const std::vector<HelpSearchMatch>& matches) const
    {
        std::vector<std::string> names;
        for (const HelpSearchMatch& match : matches)
            names.push_back(match.page.filename().string() + "|" + match.title);
        return names;
    }

    testsupport::TempDir dir_;
    fs::path help_;
    fs::path out_;
};

}  // namespace

TEST_F(HelpSearch, FindsEveryPageHoldingTheWordWhateverItsCase)
{
    EXPECT_EQ(Names(SearchHelpPages(help_, "soleil")),
              (std::vector<std::string>{"cadran.html|Le cadran d'\xC3\xA9t\xC3\xA9", "notitle.html|notitle.html",
                                        "zz_last.HTML|Fin"}));
    // Accented letters match their capitals too.
    EXPECT_EQ(Names(SearchHelpPages(help_, "\xC3\x89T\xC3\x89")).size(), 1u);
    EXPECT_TRUE(SearchHelpPages(help_, "lune").empty());
    EXPECT_TRUE(SearchHelpPages(help_, "").empty());
    EXPECT_TRUE(SearchHelpPages(dir_.path() / "missing", "soleil").empty());
}

TEST_F(HelpSearch, ThePageOfResultsListsTheMatches)
{
    const auto written = WriteHelpSearchResult(help_, out_, "Soleil");
    ASSERT_TRUE(written);
    EXPECT_EQ(*written, out_ / "SearchResult.html");
    const std::string page = testsupport::ReadFileBytes(*written);
    EXPECT_EQ(page.rfind("<head>\n", 0), 0u);
    EXPECT_NE(page.find("  <base href=\"file://" + help_.generic_string() + "/\">\n"), std::string::npos);
    EXPECT_NE(page.find("  <title>R\xC3\xA9sultats de la recherche  </title>\n"), std::string::npos);
    EXPECT_NE(page.find("    Titre('R\xC3\xA9sultats de la recherche');\n"), std::string::npos);
    EXPECT_NE(page.find("Recherche des pages d'aide contenant l'expression : <b>Soleil</b>.</p>\n"), std::string::npos);
    EXPECT_NE(page.find("<li><a href=\"" + (help_ / "cadran.html").generic_string() +
                        "\">Le cadran d'\xC3\xA9t\xC3\xA9</a></li>\n"),
              std::string::npos);
    EXPECT_NE(page.find("zz_last.HTML\">Fin</a></li>\n"), std::string::npos);
    EXPECT_EQ(page.find("Aucune page"), std::string::npos);
    EXPECT_TRUE(page.ends_with("  </body>\n  </html>\n"));

    // A word found nowhere; the keyword is shown as text, not as markup.
    const auto none = WriteHelpSearchResult(help_, out_, "<script>x</script>");
    ASSERT_TRUE(none);
    const std::string empty = testsupport::ReadFileBytes(*none);
    EXPECT_NE(empty.find("  <p>Aucune page n'a \xC3\xA9t\xC3\xA9 trouv\xC3\xA9" "e avec le mot recherch\xC3\xA9.  </p>\n"),
              std::string::npos);
    EXPECT_NE(empty.find("<b>&lt;script&gt;x&lt;/script&gt;</b>"), std::string::npos);
    EXPECT_EQ(empty.find("<li>"), std::string::npos);

    // An empty word writes nothing.
    EXPECT_FALSE(WriteHelpSearchResult(help_, out_, ""));
}

TEST_F(HelpSearch, AResultPageInTheHelpFolderIsNotSearchedItself)
{
    const auto first = WriteHelpSearchResult(help_, help_, "soleil");
    ASSERT_TRUE(first);
    const std::string page = testsupport::ReadFileBytes(*first);
    // Written beside the pages: no base address needed.
    EXPECT_EQ(page.find("<base"), std::string::npos);
    const auto again = WriteHelpSearchResult(help_, help_, "soleil");
    const std::string second = testsupport::ReadFileBytes(*again);
    EXPECT_EQ(second.find("SearchResult.html"), std::string::npos);
    EXPECT_EQ(page, second);
}

TEST_F(HelpSearch, FolderNamesAreUrlEncodedInTheLinks)
{
    // A "#" or "?" would end the path of a link, and "%20" would be read as a blank.
    const fs::path help = dir_.path() / "Aide #1? 50%20" / "fr";
    fs::create_directories(help);
    testsupport::WriteFileBytes(help / "ombre.html", "<TITLE>Ombre</TITLE>\nLe Soleil.\n");
    const auto written = WriteHelpSearchResult(help, out_, "soleil");
    ASSERT_TRUE(written);
    const std::string page = testsupport::ReadFileBytes(*written);
    EXPECT_NE(page.find("<base href=\"file://"), std::string::npos);
    EXPECT_NE(page.find("/Aide%20%231%3F%2050%2520/fr/\">\n"), std::string::npos);
    EXPECT_NE(page.find("/Aide%20%231%3F%2050%2520/fr/ombre.html\">Ombre</a></li>\n"), std::string::npos);
    EXPECT_EQ(page.find("#1?"), std::string::npos);
}

TEST(HtmlEscapeTest, EscapesMarkupCharacters)
{
    EXPECT_EQ(HtmlEscape("a&b<c>\"d'"), "a&amp;b&lt;c&gt;&quot;d'");
}

TEST(ShippedHelpForSearch, PagesScriptsAndLinkedPagesExistInFrenchAndEnglish)
{
    for (const auto& [language, word] : {std::pair{"fr", "TEMPS MOYEN"}, std::pair{"en", "MEAN TIME"}}) {
        const fs::path folder = testsupport::SourceDir() / "resources" / "data" / "Help" / language;
        for (const char* name : {"base.js", "css1.css", "trad.html", "eotgeneral.html"})
            EXPECT_TRUE(fs::is_regular_file(folder / name)) << language << "/" << name;
        // The result page calls these.
        const std::string script = testsupport::ReadFileBytes(folder / "base.js");
        for (const char* function : {"function IsNS(", "function Intro(", "function Titre(", "function Fin("})
            EXPECT_NE(script.find(function), std::string::npos) << language << " " << function;
        const auto matches = SearchHelpPages(folder, word);
        EXPECT_TRUE(std::any_of(matches.begin(), matches.end(), [](const HelpSearchMatch& match) {
            return match.page.filename() == "eotgeneral.html";
        })) << language;
    }
}

#include "app/TextHelpers.h"
#include "platform/Encoding.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

std::string Folded(std::string s)
{
    FoldAccents(s);
    return s;
}

std::string Upper(std::string s)
{
    MakeUpperAccents(s);
    return s;
}

}  // namespace

TEST(FoldAccents, FoldsCapitalsOfFrenchGermanAndSpanishNames)
{
    EXPECT_EQ(Folded("ÉCOLE À L'ÎLE-DE-FRANCE, ÇA"), "ECOLE A L'ILE-DE-FRANCE, CA");
    EXPECT_EQ(Folded("ÀÁÂÄ ÈÉÊË ÌÍÎÏ ÒÓÔÖ ÙÚÛÜ"), "AAAA EEEE IIII OOOO UUUU");
    EXPECT_EQ(Folded("MÜNCHEN ÖSTERREICH Straße"), "MUNCHEN OSTERREICH Straße");
    EXPECT_EQ(Folded("ESPAÑA CÓRDOBA"), "ESPANA CORDOBA");
    // Small letters and other capitals are not part of the sort key folding.
    EXPECT_EQ(Folded("été Ørsted Ã"), "été Ørsted Ã");
}

TEST(MakeUpperAccents, UpperCasesFrenchGermanAndSpanishTexts)
{
    EXPECT_EQ(Upper("août"), "AOÛT");
    EXPECT_EQ(Upper("à â ç è é ê ë î ô"), "À Â Ç È É Ê Ë Î Ô");
    EXPECT_EQ(Upper("décembre, février"), "DÉCEMBRE, FÉVRIER");
    EXPECT_EQ(Upper("Größe März über"), "GRÖßE MÄRZ ÜBER");
    EXPECT_EQ(Upper("mañana árbol sábado pingüino"), "MAÑANA ÁRBOL SÁBADO PINGÜINO");
    EXPECT_EQ(Upper("ÿ œ ł ș ţ ő"), "Ÿ Œ Ł Ș Ţ Ő");
    EXPECT_EQ(Upper("январь σάββατο"), "ЯНВАРЬ ΣΆΒΒΑΤΟ");
    EXPECT_EQ(Upper("12 h 30 µm 日本"), "12 H 30 µM 日本");
    // Bytes that are not UTF-8 are carried over untouched.
    EXPECT_EQ(Upper(std::string("a\xFF" "b\xC3")), std::string("A\xFF" "B\xC3"));
}

TEST(MakeUpperAccents, MatchesTheUnicodeCapitalsOfEveryHandledLetter)
{
    std::ifstream in(testsupport::DataDir() / "app" / "uppercase.txt");
    ASSERT_TRUE(in) << "missing reference table";
    std::string line;
    int checked = 0;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        unsigned from = 0, to = 0;
        fields >> std::hex >> from >> to;
        std::string text, expected;
        enc::AppendUtf8(text, from);
        enc::AppendUtf8(expected, to);
        EXPECT_EQ(Upper(text), expected) << "U+" << std::hex << from;
        ++checked;
    }
    EXPECT_GT(checked, 800);
}

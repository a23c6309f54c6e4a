// Checks the shipped language file against the code that uses it.
//
// How the scan finds the texts the code needs (keep new code to these forms):
// - string ids: an integer literal as the first argument of GetTranslatedString(...) or
//   TranslatedMessageBox(...), or as the second argument of GetString(language, id);
//   month names (strings 251 to 262) are always required;
// - dialog texts: a source file that declares its dialog template as `kTemplateId = <n>`
//   (or whose header of the same name beside it does) needs the title row (template n,
//   control n), and each call in that file whose first two arguments are an integer literal
//   and a string literal, `Name(<control id>, "..."`, creates a control with a built-in text
//   and needs the row (template n, that control);
// - menu texts: MenuItem::Command(<command id>, "...") needs a MENU row for that command.
// Each needed row must have a French (column 0) and an English (column 1) text.
#include "app/Accessors.h"
#include "app/CLanguageFile.h"
#include "app/Languages.h"
#include "app/Translation.h"
#include "platform/Paths.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>
#include <string>
#include <tuple>

namespace {

struct Needs {
    std::set<int> strings;
    std::set<std::pair<int, int>> dialogTexts;  // (template, control)
    std::set<int> menuCommands;
};

// headerCode: the header of the same name beside a .cpp file (empty when none).
void ScanSource(const std::string& code, Needs& needs, const std::string& headerCode = {})
{
    static const std::regex stringCall(R"(\b(?:GetTranslatedString|TranslatedMessageBox)\(\s*(\d+)\s*[,)])");
    static const std::regex getString(R"(\bGetString\([^,()]+,\s*(\d+)\s*\))");
    static const std::regex menuCommand(R"(\bMenuItem::Command\(\s*(\d+)\s*,\s*")");
    static const std::regex templateId(R"(\bkTemplateId\s*=\s*(\d+))");
    static const std::regex controlText(R"(\b\w+\(\s*(\d+)\s*,\s*")");
    for (const std::regex* re : {&stringCall, &getString})
        for (std::sregex_iterator it(code.begin(), code.end(), *re), end; it != end; ++it)
            needs.strings.insert(std::stoi((*it)[1]));
    for (std::sregex_iterator it(code.begin(), code.end(), menuCommand), end; it != end; ++it)
        needs.menuCommands.insert(std::stoi((*it)[1]));
    std::smatch dialog;
    if (std::regex_search(code, dialog, templateId) || std::regex_search(headerCode, dialog, templateId)) {
        const int id = std::stoi(dialog[1]);
        needs.dialogTexts.insert({id, id});
        for (std::sregex_iterator it(code.begin(), code.end(), controlText), end; it != end; ++it)
            if (!it->str().starts_with("Command("))
                needs.dialogTexts.insert({id, std::stoi((*it)[1])});
    }
}

Needs ScanProgram()
{
    Needs needs;
    for (int month = 1; month <= 12; ++month)
        needs.strings.insert(250 + month);
    for (const char* folder : {"app", "model", "docview", "dialogs", "platform", "resources"}) {
        const auto root = testsupport::SourceDir() / folder;
        if (!std::filesystem::exists(root))
            continue;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
            const auto ext = entry.path().extension();
            if (!entry.is_regular_file() || (ext != ".cpp" && ext != ".h"))
                continue;
            const auto header = std::filesystem::path(entry.path()).replace_extension(".h");
            const bool paired = ext == ".cpp" && std::filesystem::exists(header);
            ScanSource(testsupport::ReadFileBytes(entry.path()), needs,
                       paired ? testsupport::ReadFileBytes(header) : std::string());
        }
    }
    return needs;
}

const CLanguageEntry* FindEntry(const CLanguageFile& file, int kind, int a, int b)
{
    for (const auto& e : file.Entries())
        if (e.GetKind() == kind && e.GetStringOrControlId() == a && e.GetDialogOrCommandId() == b)
            return &e;
    return nullptr;
}

bool HasFrenchAndEnglish(const CLanguageEntry* e)
{
    return e && !e->GetColumnText(0).empty() && !e->GetColumnText(1).empty();
}

class ShippedLanguageFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        paths::SetDataFolder(dir_.path());
        testsupport::WriteFileBytes(dir_ / "HoravelTraces.txt", "");
        ASSERT_TRUE(file_.Load());
    }
    void TearDown() override
    {
        GetAppContext() = AppContext{};
        paths::SetDataFolder({});
    }
    testsupport::TempDir dir_;
    CLanguageFile file_{testsupport::SourceDir() / "resources" / "data" / "horavel.lang"};
};

}  // namespace

TEST_F(ShippedLanguageFile, LoadsCleanlyWithEveryLanguageInIndexOrder)
{
    EXPECT_EQ(file_.GetLanguageCount(), kKnownLanguageCount);
    EXPECT_EQ(testsupport::ReadFileBytes(dir_ / "HoravelTraces.txt").find("[ERROR]"), std::string::npos);
    for (int i = 0; i < kKnownLanguageCount; ++i) {
        EXPECT_EQ(LanguageIndexFromName(file_.GetEnglishName(i)), i) << file_.GetEnglishName(i);
        EXPECT_NE(file_.GetLocalName(i), "") << i;
    }
    EXPECT_EQ(file_.GetLocalName(0), "Français");
    // Every row is reachable: the first of two rows with the same ids would hide the second.
    std::set<std::tuple<int, int, int, std::string>> seen;
    for (const auto& e : file_.Entries()) {
        EXPECT_TRUE(seen.insert({e.GetKind(), e.GetStringOrControlId(), e.GetDialogOrCommandId(), e.GetKey()}).second)
            << "duplicate row " << e.GetKind() << " " << e.GetStringOrControlId() << " " << e.GetDialogOrCommandId();
    }
    // The copy beside the program is the same file.
    EXPECT_EQ(testsupport::ReadFileBytes(testsupport::BinDir() / "horavel.lang"),
              testsupport::ReadFileBytes(file_.GetPath()));
}

TEST_F(ShippedLanguageFile, AnswersInFrenchAndEnglish)
{
    EXPECT_EQ(file_.GetString(0, 205),
              "Pour votre confort, il est fortement recommandé de faire fonctionner Horavel sur un écran "
              "affichant plus de 256 couleurs. Vous êtes actuellement en 16 ou 256 couleurs, certaines images "
              "peuvent ne pas s'afficher correctement.");
    EXPECT_EQ(file_.GetString(0, 115), "Arial");
    EXPECT_EQ(file_.GetString(0, 262), "Décembre");
    EXPECT_EQ(file_.GetString(1, 262), "December");
    EXPECT_EQ(file_.GetString(1, 148), "The help files do not seem to be available in this language!");
    // A language without its own texts yet falls back to the fallback language.
    GetAppContext().fallbackLanguage = 1;
    EXPECT_EQ(file_.GetString(2, 251), "January");
    GetAppContext().fallbackLanguage = 0;
    EXPECT_EQ(file_.GetString(2, 251), "Janvier");
    // The built-in French strings are the file's French column.
    for (const auto& e : file_.Entries()) {
        if (e.GetKind() == CLanguageEntry::kString) {
            EXPECT_EQ(BuiltinFrenchString(e.GetStringOrControlId()), e.GetColumnText(0));
        }
    }
}

TEST_F(ShippedLanguageFile, CoversEveryTextTheCodeUses)
{
    const Needs needs = ScanProgram();
    for (int id : needs.strings) {
        EXPECT_TRUE(HasFrenchAndEnglish(FindEntry(file_, CLanguageEntry::kString, id, 0)))
            << "string " << id << " needs a French and an English text in horavel.lang";
    }
    for (const auto& [dialog, control] : needs.dialogTexts) {
        EXPECT_TRUE(HasFrenchAndEnglish(FindEntry(file_, CLanguageEntry::kDialog, control, dialog)))
            << "dialog " << dialog << " control " << control << " needs a French and an English text";
    }
    for (int command : needs.menuCommands) {
        EXPECT_TRUE(HasFrenchAndEnglish(FindEntry(file_, CLanguageEntry::kMenu, 0, command)))
            << "menu command " << command << " needs a French and an English text";
    }
}

TEST(LanguageFileScan, FindsTheIdsOfEachForm)
{
    Needs needs;
    ScanSource(R"(
        static constexpr int kTemplateId = 184;
        AddStatic(1201, "Couleur :");
        AddEdit(1202);
        const std::string s = GetTranslatedString(205) + GetTranslatedString(id) + GetTranslatedString(250 + m);
        TranslatedMessageBox( 148, MB_OK);
        file->GetString(language, 57600);
        MenuItem::Command(32772, "Exporter");
    )", needs);
    EXPECT_EQ(needs.strings, (std::set<int>{148, 205, 57600}));
    EXPECT_EQ(needs.dialogTexts, (std::set<std::pair<int, int>>{{184, 184}, {184, 1201}}));
    EXPECT_EQ(needs.menuCommands, (std::set<int>{32772}));

    // A .cpp whose header declares the template.
    Needs split;
    ScanSource(R"(AddCheck(1206, "En faire une méridienne");)", split, "static constexpr int kTemplateId = 206;");
    EXPECT_EQ(split.dialogTexts, (std::set<std::pair<int, int>>{{206, 206}, {206, 1206}}));
}

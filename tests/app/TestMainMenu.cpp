#include "app/Accessors.h"
#include "app/CLanguageFile.h"
#include "app/FramePrompts.h"
#include "app/MainMenu.h"
#include "app/ToolBarLayout.h"
#include "platform/Paths.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <set>

namespace {

const CLanguageEntry* FindMenuRow(const CLanguageFile& file, int id, const std::string& key)
{
    for (const auto& e : file.Entries())
        if (e.GetKind() == CLanguageEntry::kMenu && e.GetDialogOrCommandId() == id && (id != -1 || e.GetKey() == key))
            return &e;
    return nullptr;
}

const CLanguageEntry* FindStringRow(const CLanguageFile& file, int id)
{
    for (const auto& e : file.Entries())
        if (e.GetKind() == CLanguageEntry::kString && e.GetStringOrControlId() == id)
            return &e;
    return nullptr;
}

class MainMenuTexts : public ::testing::Test {
protected:
    void SetUp() override
    {
        paths::SetDataFolder(dir_.path());
        ASSERT_TRUE(file_.Load());
        GetAppContext().languageFile = &file_;
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

TEST_F(MainMenuTexts, EveryPopupAndCommandHasItsFrenchAndEnglishRowAndAPrompt)
{
    const MenuModel menu = BuildMainMenu();
    int popups = 0;
    int commands = 0;
    std::set<int> seen;
    ForEachMenuItem(menu, [&](const MenuItem& item, const std::string& path) {
        const CLanguageEntry* row = FindMenuRow(file_, item.id, path);
        ASSERT_NE(row, nullptr) << path << " " << item.id << " " << item.text;
        EXPECT_EQ(row->GetColumnText(0), item.text.substr(0, item.text.find('\t')) +
                                             (item.text.find('\t') == std::string::npos
                                                  ? ""
                                                  : "\\t" + item.text.substr(item.text.find('\t') + 1)))
            << path << " " << item.id;
        EXPECT_FALSE(row->GetColumnText(1).empty()) << path << " " << item.id;
        if (item.IsPopup()) {
            ++popups;
            EXPECT_EQ(row->GetKey(), path);
            return;
        }
        ++commands;
        EXPECT_TRUE(seen.insert(item.id).second) << "command " << item.id << " twice in the menu";
        // Each command has a prompt and a tooltip in both languages.
        const CLanguageEntry* prompt = FindStringRow(file_, item.id);
        ASSERT_NE(prompt, nullptr) << "prompt of " << item.id;
        for (int language : {0, 1})
            EXPECT_NE(prompt->GetColumnText(language).find("\\n"), std::string::npos) << item.id;
    });
    EXPECT_EQ(popups, 14);
    EXPECT_GT(commands, 90);

    // Translating the whole menu into English leaves no French text behind.
    MenuModel english = BuildMainMenu();
    GetAppContext().programLanguage = 1;
    file_.TranslateMenu(&english);
    EXPECT_EQ(english.items[kFileMenu].text, "&File");
    EXPECT_EQ(english.items[kHelpMenu].text, "&Help");
    ForEachMenuItem(english, [&](const MenuItem& item, const std::string&) {
        const MenuItem* french = item.IsPopup() ? nullptr : FindMenuCommand(menu, item.id);
        if (french && item.id != 32803) {  // "Dimensions" is the same word in both
            EXPECT_NE(item.text, french->text) << item.id;
        }
    });
}

TEST_F(MainMenuTexts, NeverOfferedCommandsAreLeftOutAndEveryToolbarButtonIsInTheMenu)
{
    const MenuModel menu = BuildMainMenu();
    ASSERT_EQ(menu.items.size(), 6u);
    for (int id : {32992, 32994, 32935, 32990, 33100, 33105, 33110})
        EXPECT_EQ(FindMenuCommand(menu, id), nullptr) << id;
    // The display menu starts with the scale drawing, not a zoom submenu.
    EXPECT_EQ(menu.items[kDisplayMenu].items.at(0).id, 32813);
    for (const ToolBarInfo& bar : MainToolBars())
        for (int id : bar.buttons)
            if (id != 0) {
                EXPECT_NE(FindMenuCommand(menu, id), nullptr) << "toolbar button " << id;
            }
}

TEST_F(MainMenuTexts, PromptsAndTooltipsFollowTheProgramLanguage)
{
    EXPECT_EQ(CommandPrompt(57601), "Ouvre un cadran enregistré");
    EXPECT_EQ(CommandPrompt(1), "");
    EXPECT_EQ(StatusBarText("Ouvre un cadran enregistré"), "Ouvre un cadran enregistré");
    EXPECT_EQ(ToolTipText(57601), "Ouvrir un cadran");
    GetAppContext().programLanguage = 1;
    EXPECT_EQ(StatusBarText("Ouvre un cadran enregistré"), "Open a saved dial");
    EXPECT_EQ(ToolTipText(57601), "Open a dial");
    // A prompt that no row holds is shown as it is.
    EXPECT_EQ(StatusBarText("Texte inconnu"), "Texte inconnu");
    // A language without its own texts falls back (here to French) and shows the French tooltip.
    GetAppContext().programLanguage = 3;
    EXPECT_EQ(ToolTipText(57601), "Ouvrir un cadran");
    // Without a language file: the built-in French texts.
    GetAppContext().languageFile = nullptr;
    EXPECT_EQ(ToolTipText(32803), "Dimensions");
    EXPECT_EQ(StatusBarText("Prêt"), "Prêt");
}

#include "app/Accessors.h"
#include "app/CLanguageFile.h"
#include "app/Languages.h"
#include "app/Trace.h"
#include "app/Translation.h"
#include "platform/FakeServices.h"
#include "platform/MenuModel.h"
#include "platform/Paths.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

const std::string kSignature = "HORAVEL_RC_FILE\t1\n";

// A header for the given English column names (local names: the same upper-cased).
std::string Header(const std::vector<std::string>& names)
{
    std::string head = "HEAD\tcolumns\t0\t\t0", english = "HEAD\tResNamesEng\t0\t\t0", local = "HEAD\tResNamesLocal\t0\t\t0";
    for (const auto& name : names) {
        head += "\t" + name;
        english += "\t" + name;
        local += "\t<" + name + ">";
    }
    return head + "\n" + english + "\n" + local + "\n";
}

const std::string kThreeLanguages = kSignature + Header({"French", "English", "German"});

// Each test writes its language file and reads the traces in its own folder.
class LanguageFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        paths::SetDataFolder(dir_.path());
        fake_->SetNowMs(FieldsToUnix({2024, 1, 1, 10, 0, 0}) * 1000);
        testsupport::WriteFileBytes(dir_ / "HoravelTraces.txt", "");
    }
    void TearDown() override
    {
        GetAppContext() = AppContext{};
        paths::SetDataFolder({});
    }
    bool Load(const std::string& content)
    {
        testsupport::WriteFileBytes(dir_ / "horavel.lang", content);
        return file_.Load();
    }
    std::string Traces() const { return testsupport::ReadFileBytes(dir_ / "HoravelTraces.txt"); }
    bool Traced(const std::string& line) const { return Traces().find("10:00:00  " + line + "\n") != std::string::npos; }

    testsupport::TempDir dir_;
    ScopedFakeServices fake_;
    CLanguageFile file_{dir_ / "horavel.lang"};
};

}  // namespace

TEST_F(LanguageFileTest, ChecksSignatureAndVersion)
{
    EXPECT_TRUE(Load("horavel_rc_file\t1\n" + Header({"French", "English"})));
    EXPECT_TRUE(Traced("2 languages detected."));

    EXPECT_FALSE(Load("HORAVEL_RC_FILE\t2\n" + Header({"French", "English"})));
    EXPECT_TRUE(Traced("[ERROR] Bad version in Resources File (2)!"));

    EXPECT_FALSE(Load("HORAVEL_RC_FILE\n" + Header({"French", "English"})));
    EXPECT_TRUE(Traced("[ERROR] Bad version in Resources File (0)!"));

    EXPECT_FALSE(Load("MOTTOES_FILE\t1\n" + Header({"French", "English"})));
    EXPECT_TRUE(Traced("[ERROR] Bad signature in Resources File (MOTTOES_FILE)!"));

    EXPECT_FALSE(Load(""));
    EXPECT_TRUE(Traced("[ERROR] Bad signature in Resources File ()!"));

    CLanguageFile missing(dir_ / "absent.lang");
    EXPECT_FALSE(missing.Load());
    EXPECT_TRUE(Traced("[ERROR] Resources File not found (" + (dir_ / "absent.lang").string() + ")!"));
}

TEST_F(LanguageFileTest, ChecksTheThreeHeaderLines)
{
    // Five tabs give one language, which is not enough.
    EXPECT_FALSE(Load(kSignature + "// comment\nHEAD\ta\t0\t\t0\tFrench\n"));
    EXPECT_TRUE(Traced("1 languages detected."));

    EXPECT_FALSE(Load(kSignature + "// comment\nSTR\tx\t1\t\t0\ta\tb\n"));
    EXPECT_TRUE(Traced("[ERROR] Bad Resources File header (STR\tx\t1\t\t0\ta\tb)!"));

    // The names lines are recognised by their type or by their key.
    EXPECT_TRUE(Load(kSignature + "HEAD\t\t\t\t\tfr\ten\n" + "X\tresnameseng\t0\t\t0\tFrench\tEnglish\n" +
                     "head\tnames\t0\t\t0\tFrançais\tEnglish\n"));
    EXPECT_EQ(file_.GetEnglishName(0), "French");
    EXPECT_EQ(file_.GetLocalName(0), "Français");
    EXPECT_EQ(file_.GetLocalName(2), "?");

    EXPECT_FALSE(Load(kSignature + "HEAD\t\t\t\t\tfr\ten\n" + "X\tNames\t0\t\t0\tFrench\tEnglish\n"));
    EXPECT_TRUE(Traced("[ERROR] Bad Resources File header (X\tNames\t0\t\t0\tFrench\tEnglish)!"));

    EXPECT_FALSE(Load(kSignature + "HEAD\t\t\t\t\tfr\ten\n" + "HEAD\tResNamesEng\t0\t\t0\tFrench\tEnglish\n"));
    EXPECT_TRUE(Traced("[ERROR] Bad Resources File header ()!"));
}

TEST_F(LanguageFileTest, UnknownColumnNamesBecomeEnglish)
{
    ASSERT_TRUE(Load(kSignature + Header({"French", "Finnish", "finnish", "Norwegian"})));
    EXPECT_TRUE(Traced("[ERROR] Finnish language not known internally! Will be replaced by english."));
    EXPECT_EQ(file_.GetLanguageId(1), LANG_ENGLISH);
    EXPECT_EQ(file_.GetLanguageId(2), LANG_FINNISH);
    EXPECT_EQ(file_.GetLanguageId(3), LANG_NORWEGIAN);
    EXPECT_EQ(file_.GetLanguageId(17), LANG_FRENCH);

    EXPECT_TRUE(file_.SetThreadLanguage(3));
    EXPECT_EQ(GetThreadLanguage(), MakeLanguageId(LANG_NORWEGIAN, SUBLANG_DEFAULT));
    EXPECT_FALSE(file_.SetThreadLanguage(4));
    EXPECT_FALSE(file_.SetThreadLanguage(-1));
    EXPECT_EQ(GetThreadLanguage(), MakeLanguageId(LANG_NORWEGIAN, SUBLANG_DEFAULT));
}

TEST_F(LanguageFileTest, ReadsDataLinesByType)
{
    ASSERT_TRUE(Load(kThreeLanguages +
                     "STR\tk\t10\tcomment\t99\tdix\tten\tzehn\n"
                     "str\tk\t11\t\t0\tonze\n"                       // missing columns are empty
                     "STR\tk\t12\t\t0\tdouze\ttwelve\tzwölf\textra\n"  // extra columns are ignored
                     "DLG\tk\t184\t\t1201\tCouleur\tColour\n"
                     "MENU\tpopup#1\t-1\t\t0\t&Fichier\t&File\n"
                     "SKIP\tk\t13\t\t0\tsauté\n"
                     "FOO\tk\t14\t\t0\tx\n"
                     "\n"
                     "no tab on this line\n"
                     "STR\tk\t15\n"));  // no tab after the number: it is not read
    EXPECT_TRUE(Traced("[ERROR] Bad Resource Type! (line 11) : FOO"));
    EXPECT_TRUE(Traced("Resources loaded (4 strings, 1 dialog strings, 1 menu strings)."));
    EXPECT_EQ(file_.GetString(2, 10), "zehn");
    EXPECT_EQ(file_.GetString(1, 11), "onze");
    EXPECT_EQ(file_.GetString(2, 12), "zwölf");
    EXPECT_EQ(file_.GetDialogText(1, 184, 1201), "Colour");
    EXPECT_EQ(file_.GetMenuText(1, -1, "popup#1"), "&File");
    EXPECT_EQ(file_.GetString(0, 0), "?");  // the line whose number had no tab after it
    ASSERT_EQ(file_.Entries().size(), 6u);
    EXPECT_EQ(file_.Entries()[3].GetDialogOrCommandId(), 184);
    EXPECT_EQ(file_.Entries()[3].GetStringOrControlId(), 1201);
}

TEST_F(LanguageFileTest, EmptyColumnsFallBack)
{
    ASSERT_TRUE(Load(kThreeLanguages +
                     "STR\tk\t1\t\t0\tun\tone\ttwo-de\n"
                     "STR\tk\t2\t\t0\tdeux\ttwo\t\n"
                     "STR\tk\t3\t\t0\ttrois\t\t\n"
                     "STR\tk\t4\t\t0\t\t\t\n"));
    GetAppContext().fallbackLanguage = 1;
    EXPECT_EQ(file_.GetString(2, 1), "two-de");
    EXPECT_EQ(file_.GetString(2, 2), "two");    // own column empty: fallback language
    EXPECT_EQ(file_.GetString(2, 3), "trois");  // fallback empty too: French
    EXPECT_EQ(file_.GetString(2, 4), "?");      // all empty
    EXPECT_EQ(file_.GetString(3, 1), "?");      // a language the file does not have
    EXPECT_EQ(file_.GetString(-1, 1), "?");
    // A fallback index beyond the file's columns goes straight to French.
    GetAppContext().fallbackLanguage = 40;
    EXPECT_EQ(file_.GetString(2, 2), "deux");
    GetAppContext().fallbackLanguage = -3;
    EXPECT_EQ(file_.GetString(2, 2), "deux");
}

TEST_F(LanguageFileTest, MissingStringsComeFromTheBuiltInFrenchTable)
{
    ASSERT_TRUE(Load(kThreeLanguages + "STR\tk\t1\t\t0\tun\tone\n"));
    EXPECT_EQ(file_.GetString(1, 148), "Les fichiers d'aide ne semblent pas être disponibles dans cette langue !");
    EXPECT_TRUE(Traced("[-- RC --] String not found in language file: 148 ()"));
    EXPECT_EQ(file_.GetString(1, 987654), "");
    EXPECT_TRUE(Traced("[-- RC --] String not found in language file: 987654 ()"));
}

TEST_F(LanguageFileTest, LookupsMatchOnlyEntriesOfTheirKind)
{
    ASSERT_TRUE(Load(kThreeLanguages +
                     "STR\tk\t5\t\t0\tchaîne\tstring\n"
                     "MENU\tk\t32775\t\t0\tMenu\tMenu item\n"
                     "DLG\tk\t500\t\t0\tDialogue\tDialog\n"
                     "MENU\tk\t0\t\t0\tMenu zéro\tMenu zero\n"
                     "DLG\tk\t501\t\t501\tTitre\tTitle\n"));
    // A menu row has control id 0 and its command in the dialog slot: no dialog text.
    EXPECT_EQ(file_.GetDialogText(1, 32775, 0), "");
    // A dialog row is not a menu text, and neither is a string row (command slot 0).
    EXPECT_EQ(file_.GetMenuText(1, 500, ""), "");
    EXPECT_EQ(file_.GetMenuText(1, 0, ""), "Menu zero");
    EXPECT_EQ(file_.GetDialogText(1, 500, 0), "Dialog");
    EXPECT_EQ(file_.GetDialogText(1, 501, 501), "Title");
    EXPECT_EQ(file_.GetDialogText(1, 501, 5), "");
}

TEST_F(LanguageFileTest, TranslatesMenusByCommandAndPopupPath)
{
    ASSERT_TRUE(Load(kThreeLanguages +
                     "MENU\tpopup#1\t-1\t\t0\t&Fichier\t&File\t&Datei\n"
                     "MENU\tpopup#2\t-1\t\t0\t&Affichage\t&View\n"
                     "MENU\tpopup#2#1\t-1\t\t0\tZoom\tZoom factor\n"
                     "MENU\t\t57600\t\t0\t&Nouveau\\tCtrl+N\t&New\\tCtrl+N\n"
                     "MENU\t\t32800\t\t0\t200 %\tTwice\n"));
    MenuModel menu;
    menu.items = {
        MenuItem::Popup("&Fichier", {MenuItem::Command(57600, "&Nouveau\tCtrl+N"), MenuItem::Separator(),
                                     MenuItem::Command(57601, "&Ouvrir...")}),
        MenuItem::Command(32999, "Commande"),
        MenuItem::Popup("&Affichage", {MenuItem::Popup("Zoom", {MenuItem::Command(32800, "200 %")})}),
        MenuItem::Popup("&Aide", {}),
    };
    GetAppContext().programLanguage = 1;
    file_.TranslateMenu(&menu);
    EXPECT_EQ(menu.items[0].text, "&File");
    EXPECT_EQ(menu.items[0].items[0].text, "&New\tCtrl+N");
    EXPECT_TRUE(menu.items[0].items[1].text.empty());
    EXPECT_EQ(menu.items[0].items[2].text, "&Ouvrir...");  // no row: the built-in text stays
    EXPECT_EQ(menu.items[1].text, "Commande");
    EXPECT_EQ(menu.items[2].text, "&View");  // the second popup, commands not counted
    EXPECT_EQ(menu.items[2].items[0].text, "Zoom factor");
    EXPECT_EQ(menu.items[2].items[0].items[0].text, "Twice");
    EXPECT_EQ(menu.items[3].text, "&Aide");

    // An empty German text falls back to French for the popup, the others to the fallback.
    GetAppContext().programLanguage = 2;
    menu.items[2].text = "x";
    file_.TranslateMenu(&menu);
    EXPECT_EQ(menu.items[0].text, "&Datei");
    EXPECT_EQ(menu.items[2].text, "&Affichage");
    file_.TranslateMenu(nullptr);
}

TEST_F(LanguageFileTest, ReverseLookupCutsAtTheLineBreak)
{
    ASSERT_TRUE(Load(kThreeLanguages +
                     "STR\tk\t57600\t\t0\tCrée un nouveau cadran\\nNouveau\tCreates a new dial\\nNew\n"
                     "STR\tk\t7\t\t0\tBonjour\tHello\n"));
    EXPECT_EQ(file_.TranslateText(1, "Nouveau", false, false), "New");
    EXPECT_EQ(file_.TranslateText(1, "Crée un nouveau cadran", false, true), "Creates a new dial");
    EXPECT_EQ(file_.TranslateText(1, "Crée un nouveau cadran\\nNouveau", true, false), "Creates a new dial\\nNew");
    EXPECT_EQ(file_.TranslateText(1, "Bonjour", false, true), "Hello");
    EXPECT_EQ(file_.TranslateText(-5, "Bonjour", false, true), "Bonjour");
    EXPECT_EQ(file_.TranslateText(1, "Au revoir", false, true), "");
}

TEST_F(LanguageFileTest, TranslatedStringsExpandLineBreaks)
{
    ASSERT_TRUE(Load(kThreeLanguages + "STR\tk\t300\t\t0\tLigne 1\\nLigne 2\tLine 1\\nLine 2\n"
                                       "STR\tk\t254\t\t0\tAvril\tApril\tApril-de\n"));
    // Without a language file: the built-in French strings (column 0 of the shipped file).
    EXPECT_EQ(GetMonthName(8), "Août");
    EXPECT_TRUE(GetTranslatedString(116).starts_with("Attention, le logiciel n'a pas ecore été"));
    GetAppContext().languageFile = &file_;
    GetAppContext().programLanguage = 1;
    EXPECT_EQ(GetTranslatedString(300), "Line 1\nLine 2");
    EXPECT_EQ(GetMonthName(4), "April");
    EXPECT_EQ(GetMonthName(13), "");
    EXPECT_EQ(GetMonthName(0), "");
    GetAppContext().programLanguage = -1;  // counts as French
    EXPECT_EQ(GetTranslatedString(300), "Ligne 1\nLigne 2");
}

TEST_F(LanguageFileTest, MessageBoxShowsTheTranslatedString)
{
    ASSERT_TRUE(Load(kThreeLanguages + "STR\tk\t148\t\t0\tAide absente\tNo help\n"));
    GetAppContext().languageFile = &file_;
    GetAppContext().programLanguage = 1;
    fake_->QueueMessageBoxAnswer(IDYES);
    EXPECT_EQ(TranslatedMessageBox(148, MB_YESNO | MB_ICONEXCLAMATION, 0x20000 + 184), IDYES);
    ASSERT_EQ(fake_->messageBoxes.size(), 1u);
    EXPECT_EQ(fake_->messageBoxes[0].text, "No help");
    EXPECT_EQ(fake_->messageBoxes[0].type, unsigned{MB_YESNO | MB_ICONEXCLAMATION});
    EXPECT_EQ(fake_->messageBoxes[0].helpId, 0x20000u + 184);
    // Without a language file the built-in French text is shown.
    GetAppContext().languageFile = nullptr;
    TranslatedMessageBox(148, MB_OK, 0);
    EXPECT_EQ(fake_->messageBoxes.at(1).text,
              "Les fichiers d'aide ne semblent pas être disponibles dans cette langue !");
}

TEST(LanguageSettings, ComeFromTheProfileOrTheUserLocale)
{
    ScopedMemoryProfile profile;
    const char* oldLocale = std::getenv("LC_ALL");
    const std::string savedLocale = oldLocale ? oldLocale : "";
    int program = 9, fallback = 9, help = 9;

    setenv("LC_ALL", "nb_NO.UTF-8", 1);
    ReadLanguageSettings(program, fallback, help);
    EXPECT_EQ(program, 13);
    EXPECT_EQ(fallback, 0);
    EXPECT_EQ(help, 0);

    setenv("LC_ALL", "en_GB.UTF-8", 1);  // a first start in English reads the English help
    ReadLanguageSettings(program, fallback, help);
    EXPECT_EQ(program, 1);
    EXPECT_EQ(help, 1);

    setenv("LC_ALL", "eo.UTF-8", 1);  // a language the program does not know
    ReadLanguageSettings(program, fallback, help);
    EXPECT_EQ(program, -1);

    GetProfile().WriteInt("Options\\General", "Langage", 3);
    GetProfile().WriteInt("Options\\General", "DefaultLangage", 1);
    GetProfile().WriteInt("Options\\General", "Langage Aide", 4);
    ReadLanguageSettings(program, fallback, help);
    EXPECT_EQ(program, 3);
    EXPECT_EQ(fallback, 1);
    EXPECT_EQ(help, 4);

    if (oldLocale)
        setenv("LC_ALL", savedLocale.c_str(), 1);
    else
        unsetenv("LC_ALL");
}

TEST(Languages, CodesAndNamesOfEveryIndex)
{
    const char* codes[] = {"fr", "en", "de", "sp", "it", "pt", "du", "ru", "hu", "jp", "cn", "sw", "po",
                           "no", "gr", "da", "cz", "bu", "fi", "he", "ko", "Ro", "sk", "sl", "tu"};
    const char* names[] = {"French", "English", "German", "Spanish", "Italian", "Portuguese", "Dutch",
                           "Russian", "Hungarian", "Japanese", "Chinese", "Swedish", "Polish", "Norwegian",
                           "Greek", "Danish", "Czech", "Bulgarian", "Finnish", "Hebrew", "Korean",
                           "Romanian", "Slovak", "Slovenian", "Turkish"};
    const char* iso[] = {"fr", "en", "de", "es", "it", "pt", "nl", "ru", "hu", "ja", "zh", "sv", "pl",
                         "no", "el", "da", "cs", "bg", "fi", "he", "ko", "ro", "sk", "sl", "tr"};
    for (int i = 0; i < kKnownLanguageCount; ++i) {
        EXPECT_EQ(GetLanguageCode(i), codes[i]) << i;
        EXPECT_EQ(LanguageIsoCode(i), iso[i]) << i;
        EXPECT_EQ(LanguageIndexFromName(names[i]), i) << names[i];
    }
    EXPECT_EQ(GetLanguageCode(-1), "en");
    EXPECT_EQ(GetLanguageCode(25), "en");
    EXPECT_EQ(LanguageIsoCode(25), "en");
    EXPECT_EQ(LanguageIndexFromName("nORWEGIAN"), 13);
    EXPECT_EQ(LanguageIndexFromName("Arabic"), -1);
    EXPECT_EQ(LanguageIndexFromName(""), -1);

    EXPECT_EQ(EnglishLanguageNameOfLocale("nb_NO.UTF-8"), "Norwegian");
    EXPECT_EQ(EnglishLanguageNameOfLocale("fr_CA"), "French");
    EXPECT_EQ(EnglishLanguageNameOfLocale("pt_BR.UTF-8@x"), "Portuguese");
    EXPECT_EQ(EnglishLanguageNameOfLocale("C"), "");
    EXPECT_EQ(LanguageIdFromEnglishName("korean"), LANG_KOREAN);
    EXPECT_FALSE(LanguageIdFromEnglishName("Korean"));
}

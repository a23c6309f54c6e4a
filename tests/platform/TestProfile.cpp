#include "platform/FakeServices.h"
#include "platform/Profile.h"
#include "support/TestSupport.h"

#include <csignal>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace fs = std::filesystem;
using testsupport::TempDir;

namespace {

// Texts that would break a naive INI writer.
const std::vector<std::string> kHostile = {
    "a=b", "[Section]", "]", "line\nbreak", "cr\r\nlf", " leading", "trailing ", "  ", "\t",
    "back\\slash\\", "%41", "%", "100%", ";comment", "#hash", "tab\tinside", "\xFF\xFE bad utf-8",
    "\xC3", "é€𝄞", std::string("nul\0byte", 8), "=", "x=y=z",
};

// The same behaviour is expected from both stores; the file store is also read back from
// disk by a second instance.
struct Store {
    std::string name;
    std::function<std::unique_ptr<Profile>(const fs::path&)> make;
};

void PrintTo(const Store& store, std::ostream* os) { *os << store.name; }

class ProfileStores : public ::testing::TestWithParam<Store> {
protected:
    std::unique_ptr<Profile> Make() { return GetParam().make(dir.path() / "settings.ini"); }
    // The profile as the next start of the program would see it.
    std::unique_ptr<Profile> Reopen(std::unique_ptr<Profile> p)
    {
        EXPECT_TRUE(p->Flush());
        if (GetParam().name == "memory")
            return p;
        p.reset();
        return Make();
    }
    TempDir dir;
};

TEST_P(ProfileStores, IntsAndStringsRoundTripUnderBackslashNames)
{
    auto p = Make();
    EXPECT_TRUE(p->WriteInt("Options\\Window", "cx", 1240));
    EXPECT_TRUE(p->WriteInt("Options\\Window", "x", -35));
    EXPECT_TRUE(p->WriteInt("Options\\Palette", "Couleur3\\r", 255));
    EXPECT_TRUE(p->WriteInt("Options\\Palette", "Couleur3\\g", 128));
    EXPECT_TRUE(p->WriteString("Options\\General", "NomFichierLieux", "/home/u/LIEUX.DBL"));
    EXPECT_TRUE(p->WriteInt("Options\\Toolbars\\Main\\", "Visible", 1));
    p = Reopen(std::move(p));

    EXPECT_EQ(p->GetInt("Options\\Window", "cx", 0), 1240);
    EXPECT_EQ(p->GetInt("Options\\Window", "x", 0), -35);
    EXPECT_EQ(p->GetInt("Options\\Palette", "Couleur3\\r", 0), 255);
    EXPECT_EQ(p->GetInt("Options\\Palette", "Couleur3\\g", 0), 128);
    EXPECT_EQ(p->GetInt("Options\\Palette", "Couleur3", 7), 7);  // the backslash belongs to the name
    EXPECT_EQ(p->GetString("Options\\General", "NomFichierLieux", ""), "/home/u/LIEUX.DBL");
    // A trailing backslash names the same section.
    EXPECT_EQ(p->GetInt("Options\\Toolbars\\Main", "Visible", 0), 1);
    EXPECT_EQ(p->GetInt("\\Options\\\\Toolbars\\Main\\", "Visible", 0), 1);
    EXPECT_EQ(p->GetInt("Options\\Toolbars", "Visible", 9), 9);
}

TEST_P(ProfileStores, NamesIgnoreCaseAndKeepTheirFirstSpelling)
{
    auto p = Make();
    p->WriteInt("Options\\Window", "IsZoomed", 1);
    p->WriteInt("OPTIONS\\window", "ISZOOMED", 0);
    p->WriteString("dialogues\\nouveau", "Type", "a");
    p = Reopen(std::move(p));
    EXPECT_EQ(p->GetInt("options\\WINDOW", "iszoomed", 5), 0);
    EXPECT_TRUE(p->HasValue("Dialogues\\Nouveau", "TYPE"));
    if (auto* file = dynamic_cast<IniFileProfile*>(p.get())) {
        const std::string text = testsupport::ReadFileBytes(file->File());
        EXPECT_NE(text.find("[Options\\Window]\nIsZoomed=0\n"), std::string::npos) << text;
        EXPECT_EQ(text.find("OPTIONS"), std::string::npos) << text;
    }
}

TEST_P(ProfileStores, GetIntAcceptsOnlyWholeDecimalNumbers)
{
    auto p = Make();
    const std::vector<std::pair<std::string, int>> cases = {
        {"42", 42}, {" -7 ", -7}, {"+3", 3}, {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1},
        {"2147483648", 99}, {"12abc", 99}, {"abc", 99}, {"", 99}, {"0x10", 99}, {"1.5", 99}, {"- 1", 99},
    };
    for (const auto& [text, expected] : cases)
        p->WriteString("S", "v" + text, text);
    p = Reopen(std::move(p));
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(p->GetInt("S", "v" + text, 99), expected) << '"' << text << '"';
    EXPECT_EQ(p->GetString("S", "v12abc", ""), "12abc");
    EXPECT_EQ(p->GetString("S", "absent", "dflt"), "dflt");
}

TEST_P(ProfileStores, HostileStringsSurviveAsValuesNamesAndSections)
{
    auto p = Make();
    for (size_t i = 0; i < kHostile.size(); ++i) {
        const std::string& s = kHostile[i];
        const std::string tag = std::to_string(i);
        ASSERT_TRUE(p->WriteString("Values", "v" + tag, s));
        if (s.find_first_not_of(" \t") != std::string::npos) {
            ASSERT_TRUE(p->WriteString("Names", s, tag));
            ASSERT_TRUE(p->WriteString("Sections\\" + s, "v", tag));
        }
    }
    p = Reopen(std::move(p));
    for (size_t i = 0; i < kHostile.size(); ++i) {
        const std::string& s = kHostile[i];
        const std::string tag = std::to_string(i);
        EXPECT_EQ(p->GetString("Values", "v" + tag, "<absent>"), s) << i;
        if (s.find_first_not_of(" \t") != std::string::npos) {
            EXPECT_EQ(p->GetString("Names", s, "<absent>"), tag) << i;
            // Backslashes at the ends of a section path do not count.
            const std::string section = "Sections\\" + s;
            EXPECT_EQ(p->GetString(section, "v", "<absent>"), tag) << i;
        }
    }
}

TEST_P(ProfileStores, DeletingValuesAndSectionsWithTheirSubsections)
{
    auto p = Make();
    p->WriteInt("Options\\Toolbars\\Main", "x", 1);
    p->WriteInt("Options\\Toolbars\\Options", "x", 2);
    p->WriteInt("Options\\Toolbars", "n", 3);
    p->WriteInt("Options\\ToolbarsOld", "x", 4);  // shares a prefix, not a parent
    p->WriteInt("Options", "Startup", 0);

    EXPECT_TRUE(p->DeleteValue("options", "STARTUP"));
    EXPECT_FALSE(p->DeleteValue("Options", "Startup"));
    EXPECT_TRUE(p->DeleteSection("Options\\Toolbars\\"));
    EXPECT_FALSE(p->DeleteSection("Options\\Toolbars"));
    EXPECT_FALSE(p->DeleteSection("Nowhere"));
    p = Reopen(std::move(p));

    EXPECT_FALSE(p->HasValue("Options", "Startup"));
    EXPECT_FALSE(p->HasValue("Options\\Toolbars\\Main", "x"));
    EXPECT_FALSE(p->HasValue("Options\\Toolbars\\Options", "x"));
    EXPECT_FALSE(p->HasValue("Options\\Toolbars", "n"));
    EXPECT_EQ(p->GetInt("Options\\ToolbarsOld", "x", 0), 4);
}

TEST_P(ProfileStores, EmptyNamesAreRefused)
{
    auto p = Make();
    EXPECT_FALSE(p->WriteInt("", "x", 1));
    EXPECT_FALSE(p->WriteInt("\\\\", "x", 1));
    EXPECT_FALSE(p->WriteString("Options", "", "v"));
    EXPECT_FALSE(p->HasValue("", "x"));
}

INSTANTIATE_TEST_SUITE_P(
    Profile, ProfileStores,
    ::testing::Values(Store{"memory", [](const fs::path&) { return std::make_unique<MemoryProfile>(); }},
                      Store{"file", [](const fs::path& f) { return std::make_unique<IniFileProfile>(f); }}),
    [](const auto& info) { return info.param.name; });

TEST(IniFileProfile, WritesReachTheDiskOnFlushOrDestruction)
{
    TempDir dir;
    const fs::path file = dir / "sub folder" / "Horavel 2.0.ini";
    {
        IniFileProfile p(file);
        p.WriteInt("Options", "Startup", 0);
        EXPECT_FALSE(fs::exists(file));
        ASSERT_TRUE(p.Flush()) << p.LastError();
        EXPECT_EQ(testsupport::ReadFileBytes(file), "[Options]\nStartup=0\n");
        p.WriteInt("Options", "Startup", 1);
    }
    EXPECT_EQ(testsupport::ReadFileBytes(file), "[Options]\nStartup=1\n");
}

TEST(IniFileProfile, ReloadPicksUpTheFileAndDropsUnsavedWrites)
{
    TempDir dir;
    const fs::path file = dir / "p.ini";
    IniFileProfile p(file);
    p.WriteInt("A", "kept", 1);
    ASSERT_TRUE(p.Flush());
    p.WriteInt("A", "unsaved", 2);
    testsupport::WriteFileBytes(file, "[A]\nkept=5\nother=x\n");
    ASSERT_TRUE(p.Reload());
    EXPECT_EQ(p.GetInt("A", "kept", 0), 5);
    EXPECT_EQ(p.GetString("A", "other", ""), "x");
    EXPECT_FALSE(p.HasValue("A", "unsaved"));

    fs::remove(file);
    ASSERT_TRUE(p.Reload());
    EXPECT_FALSE(p.HasValue("A", "kept"));
}

TEST(IniFileProfile, AFailedWriteLeavesTheOldFileAndKeepsTheChangesPending)
{
    TempDir dir;
    const fs::path file = dir / "p.ini";
    testsupport::WriteFileBytes(file, "[Old]\nv=1\n");
    IniFileProfile p(file);
    p.WriteString("New", "big", std::string(4096, 'x'));

    // A full disk, simulated with a file-size limit (works for any user, root included).
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 64;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool flushed = p.Flush();
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(flushed);
    EXPECT_FALSE(p.LastError().empty());
    EXPECT_EQ(testsupport::ReadFileBytes(file), "[Old]\nv=1\n");
    size_t entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir.path()))
        ++entries;
    EXPECT_EQ(entries, 1u) << "a temporary file was left behind";

    ASSERT_TRUE(p.Flush()) << p.LastError();
    IniFileProfile again(file);
    EXPECT_EQ(again.GetString("New", "big", "").size(), 4096u);
    EXPECT_EQ(again.GetInt("Old", "v", 0), 1);
}

TEST(IniFileProfile, MalformedLinesAreLostAlone)
{
    TempDir dir;
    const fs::path file = dir / "p.ini";
    std::string text =
        "garbage before any section\r\n"
        "[Options]\r\n"
        "good = 1\r\n"
        "no equals sign\r\n"
        "=no name\r\n"
        "; a comment=with equals\r\n"
        "[Broken\r\n"
        "x=2\r\n"
        "[]\r\n"
        "lost=3\r\n"
        "[Options\\Window]junk\r\n"
        "z=4\r\n"
        "  [Options]  \r\n"
        "second=%zz%4\r\n";
    text += std::string("[Nul\0Section]\nn=1\n", 18);
    text += std::string(100000, 'q') + "\n";
    testsupport::WriteFileBytes(file, text);
    IniFileProfile p(file);
    EXPECT_EQ(p.GetInt("Options", "good", 0), 1);
    EXPECT_EQ(p.GetString("Options", "second", ""), "%zz%4");
    EXPECT_EQ(p.GetInt("Broken", "x", 0), 2);
    EXPECT_EQ(p.GetInt("Options\\Window", "z", 0), 4);
    EXPECT_FALSE(p.HasValue("Options", "no equals sign"));
    EXPECT_FALSE(p.HasValue("Options", "lost"));
    EXPECT_FALSE(p.HasValue("", "lost"));
    EXPECT_EQ(p.GetInt(std::string("Nul\0Section", 11), "n", 0), 1);
    // garbage, no "=", empty name, two damaged headers, the value under "[]", the long line
    EXPECT_EQ(p.SkippedLines(), 8u);
}

TEST(IniFileProfile, AnUnreadableFileKeepsTheValues)
{
    TempDir dir;
    fs::create_directory(dir / "p.ini");  // a folder where the file should be
    IniFileProfile p(dir / "p.ini");
    p.WriteInt("A", "b", 1);
    EXPECT_FALSE(p.Reload());
    EXPECT_EQ(p.GetInt("A", "b", 0), 1);
    EXPECT_FALSE(p.Flush());
    EXPECT_TRUE(fs::is_directory(dir / "p.ini"));
}

TEST(ProfileLocation, FollowsXdgConfigHome)
{
    const auto restore = [](const char* name, const char* old) {
        if (old)
            ::setenv(name, old, 1);
        else
            ::unsetenv(name);
    };
    const char* oldXdg = std::getenv("XDG_CONFIG_HOME");
    const std::string savedXdg = oldXdg ? oldXdg : "";
    const char* oldHome = std::getenv("HOME");
    const std::string savedHome = oldHome ? oldHome : "";

    ::setenv("XDG_CONFIG_HOME", "/x/conf", 1);
    EXPECT_EQ(DefaultProfilePath(), fs::path("/x/conf/Orlune Software/Horavel 2.0.ini"));
    ::setenv("HOME", "/home/someone", 1);
    ::setenv("XDG_CONFIG_HOME", "relative/conf", 1);
    EXPECT_EQ(DefaultProfilePath(), fs::path("/home/someone/.config/Orlune Software/Horavel 2.0.ini"));
    ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(DefaultProfilePath(), fs::path("/home/someone/.config/Orlune Software/Horavel 2.0.ini"));

    restore("XDG_CONFIG_HOME", oldXdg ? savedXdg.c_str() : nullptr);
    restore("HOME", oldHome ? savedHome.c_str() : nullptr);
}

TEST(ProfileAccessor, ReplaceableAndRestorable)
{
    GetProfile().WriteInt("A", "b", 1);
    {
        ScopedMemoryProfile scoped;
        EXPECT_FALSE(GetProfile().HasValue("A", "b"));
        GetProfile().WriteInt("A", "b", 2);
        EXPECT_EQ(scoped->GetInt("A", "b", 0), 2);
    }
    EXPECT_EQ(GetProfile().GetInt("A", "b", 0), 1);
    SetProfile(nullptr);
    EXPECT_FALSE(GetProfile().HasValue("A", "b"));
}

}  // namespace

// The installer's command line, system report and texts.
#include "SetupTestSupport.h"

#include "setup/SetupSystem.h"

#include <gtest/gtest.h>

#include <set>

using testsupport::WriteFileBytes;

TEST(SetupCommandLine, OnlyTheArgumentSlashRInEitherCaseOrUninstallUninstalls)
{
    using Args = std::vector<std::string>;
    EXPECT_TRUE(setup::IsUninstallCommandLine(Args{"/r"}));
    EXPECT_TRUE(setup::IsUninstallCommandLine(Args{"--quiet", "/R"}));
    EXPECT_TRUE(setup::IsUninstallCommandLine(Args{"--uninstall"}));
    // A word that only holds "/r" is no such argument: a path, a longer option.
    EXPECT_FALSE(setup::IsUninstallCommandLine(Args{"/run/media/cd"}));
    EXPECT_FALSE(setup::IsUninstallCommandLine(Args{"x/ry"}));
    EXPECT_FALSE(setup::IsUninstallCommandLine(Args{"--quiet /Remove"}));
    EXPECT_FALSE(setup::IsUninstallCommandLine(Args{"/r "}));
    EXPECT_FALSE(setup::IsUninstallCommandLine(Args{}));
    EXPECT_FALSE(setup::IsUninstallCommandLine(Args{"r", "/", "-r", "\\r"}));
    const char* argv[] = {"horavel-setup", "a b", "/R"};
    EXPECT_EQ(setup::CommandArguments(3, argv), (Args{"a b", "/R"}));
}

TEST(SetupSystemReport, KernelVersionAndDistributionName)
{
    const auto info = setup::OsInfoFrom("6.1.0-13-amd64", "NAME=\"Debian GNU/Linux\"\nPRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n");
    EXPECT_EQ(info.code, 0);
    EXPECT_EQ(info.nt, 0);
    EXPECT_EQ(info.version, "6.1.0");
    EXPECT_EQ(info.servicePack, "Debian GNU/Linux 12 (bookworm)");
    EXPECT_EQ(setup::OsInfoFrom("5.15", "NAME=Alpine").version, "5.15.0");
    EXPECT_EQ(setup::OsInfoFrom("5.15", "NAME=Alpine").servicePack, "Alpine");
    EXPECT_EQ(setup::OsInfoFrom("", "").version, "0.0.0");
}

TEST(SetupResourcesTest, EnglishFileReplacesStringsAndFallsBackToFrench)
{
    testsupport::TempDir dir;
    setup::CSetupResources resources;
    WriteFileBytes(dir / "en.txt", "# comment\nS\t502\tNo licence!\nD\t133\t1024\tI accept\nS\t9\tTwo\\nlines\n");
    ASSERT_TRUE(resources.LoadEnglish(dir / "en.txt"));
    EXPECT_EQ(resources.String(502), "No licence!");
    EXPECT_EQ(resources.String(9), "Two\nlines");
    EXPECT_EQ(resources.String(513), "Fichier cadran solaire Horavel");  // not in the file
    EXPECT_EQ(resources.DialogText(133, 1024), "I accept");
    EXPECT_EQ(resources.Format(505, "a\\b"), "Copie de a\\b...");

    // A malformed or missing file leaves French in use.
    WriteFileBytes(dir / "bad.txt", "S\t502\tNo licence!\nX\tjunk\n");
    EXPECT_FALSE(resources.LoadEnglish(dir / "bad.txt"));
    EXPECT_FALSE(resources.IsEnglish());
    EXPECT_EQ(resources.String(502), "Le fichier de licence est introuvable !");
    EXPECT_FALSE(resources.LoadEnglish(dir / "absent.txt"));
    EXPECT_EQ(resources.DialogText(133, 1024), "");
}

TEST(SetupResourcesTest, ShippedEnglishFileOffersEveryFrenchString)
{
    setup::CSetupResources resources;
    ASSERT_TRUE(resources.LoadEnglish(testsupport::SourceDir() / "setup" / "data" / "english.txt"));
    for (const auto& [id, french] : setup::FrenchStrings()) {
        const auto it = resources.EnglishStrings().find(id);
        ASSERT_NE(it, resources.EnglishStrings().end()) << "string " << id;
        EXPECT_EQ(french.find("%s") != std::string::npos, it->second.find("%s") != std::string::npos) << id;
    }
    // The English agreement and readme the file names are shipped.
    EXPECT_TRUE(std::filesystem::exists(testsupport::SourceDir() / "setup" / "data" / resources.String(501)));
    EXPECT_TRUE(std::filesystem::exists(testsupport::SourceDir() / "setup" / "data" / resources.String(517)));
    EXPECT_TRUE(std::filesystem::exists(testsupport::SourceDir() / "setup" / "data" /
                                        setup::FrenchStrings().at(501)));
}

#include "platform/FakeServices.h"
#include "platform/Services.h"
#include "support/TestSupport.h"

#include <ctime>
#include <gtest/gtest.h>
#include <random>

namespace fs = std::filesystem;
using testsupport::TempDir;

namespace {

TEST(MessageBoxRules, ButtonsDefaultAndCancelAnswers)
{
    struct Row {
        unsigned type;
        std::vector<int> buttons;
        int defaultAnswer;
        int cancelAnswer;
    };
    const Row rows[] = {
        {MB_OK | MB_ICONERROR, {IDOK}, IDOK, IDOK},
        {MB_OK | MB_DEFBUTTON2, {IDOK}, IDOK, IDOK},  // no second button: the first
        {MB_OKCANCEL, {IDOK, IDCANCEL}, IDOK, IDCANCEL},
        {MB_YESNO | MB_ICONQUESTION, {IDYES, IDNO}, IDYES, IDNO},
        {MB_YESNO | MB_DEFBUTTON2, {IDYES, IDNO}, IDNO, IDNO},
        {MB_YESNOCANCEL | MB_DEFBUTTON3, {IDYES, IDNO, IDCANCEL}, IDCANCEL, IDCANCEL},
        {MB_ABORTRETRYIGNORE | MB_DEFBUTTON2, {IDABORT, IDRETRY, IDIGNORE}, IDRETRY, IDABORT},
        {MB_RETRYCANCEL | MB_ICONWARNING, {IDRETRY, IDCANCEL}, IDRETRY, IDCANCEL},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(MessageBoxButtons(r.type), r.buttons) << std::hex << r.type;
        EXPECT_EQ(MessageBoxDefaultAnswer(r.type), r.defaultAnswer) << std::hex << r.type;
        EXPECT_EQ(MessageBoxCancelAnswer(r.type), r.cancelAnswer) << std::hex << r.type;
    }
}

TEST(FileChooserRules, FiltersAndDefaultExtensions)
{
    using F = std::vector<FileFilter>;
    EXPECT_EQ(ParseFileFilter("Cadrans (*.cds)|*.cds||"), (F{{"Cadrans (*.cds)", {"*.cds"}}}));
    EXPECT_EQ(ParseFileFilter("BMP - Windows Bitmap|*.bmp|GIF Bitmap|*.gif|EMF Enhanced Windows Metafile |*.emf||"),
              (F{{"BMP - Windows Bitmap", {"*.bmp"}}, {"GIF Bitmap", {"*.gif"}},
                 {"EMF Enhanced Windows Metafile ", {"*.emf"}}}));
    EXPECT_EQ(ParseFileFilter("Images| *.png ; *.jpg;;|Tout"), (F{{"Images", {"*.png", "*.jpg"}}, {"Tout", {"*"}}}));
    EXPECT_EQ(ParseFileFilter("||ignored|*.x"), F{});
    EXPECT_EQ(ParseFileFilter(""), F{});

    EXPECT_EQ(NormaliseExtension("*.emf"), "emf");
    EXPECT_EQ(NormaliseExtension(".dbl"), "dbl");
    EXPECT_EQ(NormaliseExtension("cds"), "cds");
    EXPECT_EQ(NormaliseExtension("*.*"), "");
    EXPECT_EQ(NormaliseExtension("../x"), "");

    EXPECT_EQ(WithDefaultExtension("/d/cadran", "*.cds"), fs::path("/d/cadran.cds"));
    EXPECT_EQ(WithDefaultExtension("/d/cadran.CDS", "cds"), fs::path("/d/cadran.CDS"));
    EXPECT_EQ(WithDefaultExtension("/d/table.txt", ".cds"), fs::path("/d/table.txt"));
    EXPECT_EQ(WithDefaultExtension("/d.x/cadran", "cds"), fs::path("/d.x/cadran.cds"));
    EXPECT_EQ(WithDefaultExtension("/d/cadran", ""), fs::path("/d/cadran"));
}

TEST(ShellTargets, OnlyWebMailAndFilesOfAllowedFolders)
{
    TempDir dir;
    const fs::path help = dir / "Help";
    fs::create_directories(help / "fr");
    testsupport::WriteFileBytes(help / "fr" / "contents.html", "<html/>");
    testsupport::WriteFileBytes(dir / "secret.txt", "x");
    fs::create_symlink(dir / "secret.txt", help / "fr" / "link.html");
    testsupport::WriteFileBytes(help / "horavel-setup", "x");
    testsupport::WriteFileBytes(help / "horavel.desktop", "x");
    fs::create_directories(dir / "Help2");
    testsupport::WriteFileBytes(dir / "Help2" / "page.html", "x");
    const std::vector<fs::path> allowed = {help};

    for (const std::string ok : {"http://example.org/download/ver.txt", "HTTPS://example.org", "https://h:8080/a?b=c#d",
                                 "mailto:someone@example.org?subject=[Horavel%202.0.1]", "MailTo:x@y.org",
                                 "mailto:a@x.org?Subject=s&body=b%20c"}) {
        const auto t = ResolveShellTarget(ok, allowed);
        ASSERT_TRUE(t.has_value()) << ok;
        EXPECT_FALSE(t->isFile);
        EXPECT_EQ(t->url, ok);
    }
    const auto page = ResolveShellTarget((help / "fr" / ".." / "fr" / "contents.html").string(), allowed);
    ASSERT_TRUE(page.has_value());
    EXPECT_TRUE(page->isFile);
    EXPECT_EQ(page->file, fs::canonical(help / "fr" / "contents.html"));

    const std::vector<std::string> refused = {
        "", "http://", "https:///path", "http:// space.org", "http://a.org/x y", "http://a\n.org", "mailto:",
        // mailto: one address, and no header but the subject and the body.
        "MailTo:x", "mailto:a@x.org?attach=id_rsa", "mailto:a@x.org?subject=s&attach=/etc/passwd",
        "mailto:a@x.org?cc=b@y.org", "mailto:a@x.org,b@y.org", "mailto:a@x.org%2Cb@y.org", "mailto:?to=a@x.org",
        "ftp://example.org", "file:///etc/passwd", "javascript:alert(1)", "help/fr/contents.html",
        (help / "fr" / "missing.html").string(),
        (help / "fr").string(),                                 // a folder
        (help / ".." / "secret.txt").string(),                  // climbs out
        (help / "fr" / "link.html").string(),                   // a link leading out
        (dir / "Help2" / "page.html").string(),                 // a folder that only shares a prefix
        (help / "horavel-setup").string(),                      // neither a page nor a text file
        (help / "horavel.desktop").string(),
        "/bin/sh",
    };
    for (const std::string& bad : refused)
        EXPECT_FALSE(ResolveShellTarget(bad, allowed).has_value()) << bad;
    EXPECT_FALSE(ResolveShellTarget((help / "fr" / "contents.html").string(), {}).has_value());
}

TEST(Calendar, BreakDownAgreesWithTheCLibrary)
{
    EXPECT_EQ(BreakDownUtc(0), (DateTimeFields{1970, 1, 1, 0, 0, 0, 0, 4}));
    EXPECT_EQ(BreakDownUtc(951782400), (DateTimeFields{2000, 2, 29, 0, 0, 0, 0, 2}));
    EXPECT_EQ(BreakDownUtc(-1), (DateTimeFields{1969, 12, 31, 23, 59, 59, 0, 3}));

    std::mt19937_64 rng(7);
    std::uniform_int_distribution<std::int64_t> instants(-5'000'000'000LL, 8'000'000'000LL);
    for (int i = 0; i < 20000; ++i) {
        const std::int64_t t = instants(rng);
        const std::time_t tt = static_cast<std::time_t>(t);
        std::tm tm{};
        ASSERT_NE(::gmtime_r(&tt, &tm), nullptr);
        const DateTimeFields f = BreakDownUtc(t);
        ASSERT_EQ(f, (DateTimeFields{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec,
                                     0, tm.tm_wday}))
            << t;
        ASSERT_EQ(FieldsToUnix(f), t);
    }
    // Fields out of range carry over.
    EXPECT_EQ(FieldsToUnix({2023, 13, 1, 0, 0, 0}), FieldsToUnix({2024, 1, 1, 0, 0, 0}));
    EXPECT_EQ(FieldsToUnix({2024, 3, 0, 0, 0, 0}), FieldsToUnix({2024, 2, 29, 0, 0, 0}));
    EXPECT_EQ(FieldsToUnix({2024, 1, 1, -1, 0, 0}), FieldsToUnix({2023, 12, 31, 23, 0, 0}));
    EXPECT_EQ(FieldsToUnix({2024, 0, 1, 0, 0, 0}), FieldsToUnix({2023, 12, 1, 0, 0, 0}));
}

// Paris rules for 2024: summer time from 31 March 01:00 UTC to 27 October 01:00 UTC.
TEST(FakeClock, ZoneRulesAndLocalTimeBothWays)
{
    FakeServices s;
    s.SetZone(FakeZone::European("Europe/Paris", 3600, 2023, 2025));
    const std::int64_t springChange = FieldsToUnix({2024, 3, 31, 1, 0, 0});
    const std::int64_t autumnChange = FieldsToUnix({2024, 10, 27, 1, 0, 0});

    const ZoneState winter = s.ZoneAt(springChange - 1);
    EXPECT_EQ(winter.utcOffsetSeconds, 3600);
    EXPECT_FALSE(winter.daylight);
    EXPECT_EQ(winter.daylightOffsetSeconds, 0);
    const ZoneState summer = s.ZoneAt(springChange);
    EXPECT_EQ(summer.utcOffsetSeconds, 7200);
    EXPECT_EQ(summer.standardOffsetSeconds, 3600);
    EXPECT_TRUE(summer.daylight);
    EXPECT_EQ(summer.daylightOffsetSeconds, 3600);
    EXPECT_FALSE(s.ZoneAt(autumnChange).daylight);
    EXPECT_EQ(s.ZoneId(), "Europe/Paris");

    s.SetNowMs((FieldsToUnix({2024, 6, 21, 10, 30, 15})) * 1000 + 250);
    EXPECT_EQ(s.LocalNow(), (DateTimeFields{2024, 6, 21, 12, 30, 15, 250, 5}));
    EXPECT_EQ(s.UtcNow(), (DateTimeFields{2024, 6, 21, 10, 30, 15, 250, 5}));
    s.AdvanceClockMs(1000);
    EXPECT_EQ(s.LocalNow().second, 16);

    // Local times back to instants.
    EXPECT_EQ(s.FromLocal({2024, 1, 15, 12, 0, 0}), FieldsToUnix({2024, 1, 15, 11, 0, 0}));
    EXPECT_EQ(s.FromLocal({2024, 7, 15, 12, 0, 0}), FieldsToUnix({2024, 7, 15, 10, 0, 0}));
    EXPECT_EQ(s.FromLocal({2024, 7, 15, 12, 0, 0}, Services::LocalRule::StandardTime),
              FieldsToUnix({2024, 7, 15, 11, 0, 0}));
    // 02:30 does not exist on 31 March: read with the winter offset, it is 03:30 summer time.
    EXPECT_EQ(s.FromLocal({2024, 3, 31, 2, 30, 0}), FieldsToUnix({2024, 3, 31, 1, 30, 0}));
    // 02:30 happens twice on 27 October: the first one, still summer time.
    EXPECT_EQ(s.FromLocal({2024, 10, 27, 2, 30, 0}), FieldsToUnix({2024, 10, 27, 0, 30, 0}));
    for (std::int64_t t = springChange - 7200; t < autumnChange + 7200; t += 3 * 86400 + 3601)
        ASSERT_EQ(s.FromLocal(s.ToLocal(t)), t) << t;
}

TEST(SystemClock, AgreesWithTheCLibraryInAZoneWithSummerTime)
{
    const char* old = std::getenv("TZ");
    const std::string saved = old ? old : "";
    // A POSIX rule, so no zone database is needed.
    ::setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
    ::tzset();
    SystemServices s;
    EXPECT_EQ(s.ZoneId(), "CET-1CEST,M3.5.0,M10.5.0/3");
    const ZoneState summer = s.ZoneAt(FieldsToUnix({2024, 7, 1, 12, 0, 0}));
    EXPECT_TRUE(summer.daylight);
    EXPECT_EQ(summer.utcOffsetSeconds, 7200);
    EXPECT_EQ(summer.standardOffsetSeconds, 3600);
    EXPECT_EQ(summer.daylightOffsetSeconds, 3600);
    EXPECT_FALSE(s.ZoneAt(FieldsToUnix({2024, 1, 1, 12, 0, 0})).daylight);

    for (std::int64_t t = 1'700'000'000; t < 1'760'000'000; t += 86400 * 5 + 1237) {
        const std::time_t tt = static_cast<std::time_t>(t);
        std::tm tm{};
        ::localtime_r(&tt, &tm);
        const DateTimeFields f = s.ToLocal(t);
        ASSERT_EQ(f, (DateTimeFields{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec,
                                     0, tm.tm_wday}));
        ASSERT_EQ(s.FromLocal(f), t);
        std::tm standard = tm;
        standard.tm_isdst = 0;
        ASSERT_EQ(s.FromLocal(f, Services::LocalRule::StandardTime), static_cast<std::int64_t>(::mktime(&standard)));
    }
    const std::int64_t now = std::time(nullptr);
    EXPECT_LE(std::abs(s.Now() - now), 2);

    if (old)
        ::setenv("TZ", saved.c_str(), 1);
    else
        ::unsetenv("TZ");
    ::tzset();
}

TEST(FakeServices, AnswersAsScriptedAndRecordsEveryCall)
{
    ScopedFakeServices fake;
    Services& s = GetServices();

    fake->QueueMessageBoxAnswer(IDNO);
    EXPECT_EQ(s.MessageBox("Voulez-vous ?", "Question :", MB_YESNO | MB_ICONQUESTION), IDNO);
    EXPECT_EQ(s.MessageBox("Suite", "", MB_YESNOCANCEL | MB_DEFBUTTON2, 77), IDNO);  // default button
    ASSERT_EQ(fake->messageBoxes.size(), 2u);
    EXPECT_EQ(fake->messageBoxes[0].text, "Voulez-vous ?");
    EXPECT_EQ(fake->messageBoxes[0].caption, "Question :");
    EXPECT_EQ(fake->messageBoxes[1].helpId, 77u);

    FileDialogRequest save{"", "EMF Enhanced Windows Metafile |*.emf||", "/tmp", "", "*.emf", true};
    fake->QueueSaveFile(fs::path("/tmp/vue"));
    fake->QueueSaveFile(std::nullopt);
    EXPECT_EQ(s.GetSaveFileName(save), fs::path("/tmp/vue.emf"));
    EXPECT_EQ(s.GetSaveFileName(save), std::nullopt);
    EXPECT_EQ(s.GetOpenFileName(save), std::nullopt);  // nothing queued: cancelled
    ASSERT_EQ(fake->fileDialogs.size(), 3u);
    EXPECT_TRUE(fake->fileDialogs[0].save);
    EXPECT_FALSE(fake->fileDialogs[2].save);
    EXPECT_EQ(fake->fileDialogs[0].request.filter, save.filter);

    FontChoice font;
    font.font.faceName = "Arial";
    FontChoice chosen = font;
    chosen.font.faceName = "Times New Roman";
    chosen.pointSizeTenths = 120;
    fake->QueueFont(chosen);
    EXPECT_TRUE(s.ChooseFont(font));
    EXPECT_EQ(font.font.faceName, "Times New Roman");
    EXPECT_EQ(fake->fontRequests.at(0).font.faceName, "Arial");
    gdi::COLORREF colour = gdi::RGB(1, 2, 3);
    std::array<gdi::COLORREF, 16> custom{};
    fake->QueueColor(std::nullopt);
    EXPECT_FALSE(s.ChooseColor(colour, custom));
    EXPECT_EQ(colour, gdi::RGB(1, 2, 3));

    gdi::Image image{2, 1, {0xFF0000FFu, 0xFFFFFFFFu}};
    EXPECT_TRUE(s.SetClipboardImage(image));
    EXPECT_TRUE(fake->clipboard.image.has_value());
    EXPECT_TRUE(s.SetClipboardMetafile(std::string("\x01\x00\x00\x00", 4)));
    EXPECT_FALSE(fake->clipboard.image.has_value());  // replaced, as on a real clipboard
    EXPECT_EQ(fake->clipboard.mimeType, "image/x-emf");
    EXPECT_FALSE(s.SetClipboardImage(gdi::Image{}));
    EXPECT_EQ(fake->clipboardWrites, 2);

    HttpResponse page;
    page.status = 200;
    page.body = "SOFTWARE_UPDATE_INFORMATION 1\n";
    fake->SetHttpResponse("http://example.org/v.txt", page);
    EXPECT_EQ(s.HttpGet("http://example.org/v.txt", 5000).body, page.body);
    EXPECT_EQ(s.HttpGet("http://example.org/other", 5000).failure, HttpFailure::ConnectionFailed);
    EXPECT_EQ(s.HttpGet("file:///etc/passwd", 5000).failure, HttpFailure::InvalidUrl);
    EXPECT_EQ(fake->httpRequests.at(0).timeoutMs, 5000);

    {
        WaitCursor outer;
        WaitCursor inner;
        EXPECT_EQ(fake->waitCursorDepth, 2);
    }
    EXPECT_EQ(fake->waitCursorDepth, 0);
    EXPECT_EQ(fake->waitCursorMaxDepth, 2);

    PrinterInfo a4{"Bureau", "Laser", 210, 297, 200, 287, 600, 600};
    fake->QueuePrintSetup(a4);
    EXPECT_FALSE(s.GetPrinter().IsPresent());
    EXPECT_TRUE(s.PrintSetup());
    EXPECT_EQ(s.GetPrinter().name, "Bureau");
    EXPECT_FALSE(s.PrintSetup());
    EXPECT_EQ(s.GetPrinter().printableHeightMm, 287);
}

class FieldDialog : public ModalDialog {
public:
    int TemplateId() const override { return 137; }
    int RunModalLoop() override { return shown = true, IDOK; }
    int width = 160;
    bool shown = false;
};

TEST(FakeServices, NestedDialogsRunTheirScriptInsteadOfShowing)
{
    ScopedFakeServices fake;
    fake->SetDialogScript(137, [](ModalDialog& d) {
        static_cast<FieldDialog&>(d).width = 200;
        return IDOK;
    });
    FieldDialog dimensions;
    EXPECT_EQ(GetServices().DoModal(dimensions), IDOK);
    EXPECT_EQ(dimensions.width, 200);
    EXPECT_FALSE(dimensions.shown);

    struct Other : FieldDialog {
        int TemplateId() const override { return 138; }
    } other;
    EXPECT_EQ(GetServices().DoModal(other), IDCANCEL);
    fake->SetDefaultDialogResult(IDOK);
    EXPECT_EQ(GetServices().DoModal(other), IDOK);
    EXPECT_EQ(fake->dialogsRun, (std::vector<int>{137, 138, 138}));
}

TEST(FakeServices, ShellOpenUsesTheAllowedFolders)
{
    TempDir dir;
    testsupport::WriteFileBytes(dir / "contents.html", "x");
    ScopedFakeServices fake;
    const std::string page = (dir / "contents.html").string();
    EXPECT_FALSE(GetServices().ShellOpen(page));
    GetServices().SetShellOpenFolders({dir.path()});
    EXPECT_TRUE(GetServices().ShellOpen(page));
    EXPECT_FALSE(GetServices().ShellOpen("javascript:x"));
    ASSERT_EQ(fake->shellOpens.size(), 3u);
    EXPECT_TRUE(fake->shellOpens[1].opened);
    EXPECT_EQ(fake->shellOpens[2].target, "javascript:x");
}

TEST(SystemServices, WithoutADisplayNothingIsShownOrDone)
{
    SystemServices s;
    testing::internal::CaptureStderr();
    EXPECT_EQ(s.MessageBox("Erreur", "", MB_YESNO | MB_ICONERROR), IDNO);
    EXPECT_EQ(s.MessageBox("Info", "", MB_OK), IDOK);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Erreur"), std::string::npos);
    FieldDialog d;
    EXPECT_EQ(s.DoModal(d), IDCANCEL);
    EXPECT_FALSE(d.shown);
    EXPECT_EQ(s.HttpGet("ftp://x", 10).failure, HttpFailure::InvalidUrl);
    EXPECT_FALSE(s.HttpGet("http://example.org", 10).Ok());
    EXPECT_FALSE(s.GetScreen().present);
}

TEST(ServicesAccessor, ReplaceableAndRestorable)
{
    Services* before = &GetServices();
    {
        ScopedFakeServices fake;
        EXPECT_EQ(&GetServices(), &*fake);
    }
    EXPECT_EQ(&GetServices(), before);
    EXPECT_NE(dynamic_cast<SystemServices*>(&GetServices()), nullptr);
}

}  // namespace

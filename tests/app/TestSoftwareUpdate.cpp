#include "app/SoftwareUpdate.h"
#include "app/Trace.h"
#include "platform/FakeServices.h"
#include "platform/Paths.h"
#include "platform/Profile.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

constexpr const char* kUrl = "http://www.orlune-software.example/download/horavelver.txt";

UpdateInfo Parse(std::initializer_list<std::string_view> lines)
{
    UpdateInfo info;
    for (std::string_view line : lines)
        ParseUpdateInfo(info, line);
    return info;
}

HttpResponse Page(int status, std::string body)
{
    HttpResponse response;
    response.status = status;
    response.body = std::move(body);
    return response;
}

HttpResponse Failure(HttpFailure failure)
{
    HttpResponse response;
    response.failure = failure;
    return response;
}

const std::string kGoodFile = "SOFTWARE_UPDATE_INFORMATION 2\r\n"
                              "VERSION 2 1 0 10500\r\n"
                              "DATE 2025 3 14 9 30 5\r\n"
                              "PHASE R\r\n"
                              "URL \" http://www.orlune-software.example/news.html \"\r\n";

// The settings, the clock, the trace file and the message boxes of one check.
class UpdateCheck : public ::testing::Test {
protected:
    void SetUp() override
    {
        paths::SetDataFolder(dir_.path());
        WriteTraceHeader();
        hooks_.runningVersion = "2.0.1";
        hooks_.runningBuild = 10400;
        hooks_.programFileTime = 1'700'000'000;
        hooks_.announce = [this](const NewVersionNotice& notice) { notices_.push_back(notice); };
    }
    void TearDown() override { paths::SetDataFolder({}); }

    std::string Traces() const { return testsupport::ReadFileBytes(TraceFilePath()); }
    std::vector<unsigned> Icons() const
    {
        std::vector<unsigned> icons;
        for (const auto& box : fake_->messageBoxes)
            icons.push_back(box.type & MB_ICONMASK);
        return icons;
    }

    ScopedMemoryProfile profile_;
    ScopedFakeServices fake_;
    testsupport::TempDir dir_;
    SoftwareUpdateHooks hooks_;
    std::vector<NewVersionNotice> notices_;
};

}  // namespace

TEST(UpdateInfoFile, KeywordsFillTheRecord)
{
    ScopedFakeServices fake;
    const UpdateInfo info = Parse({"  SOFTWARE_UPDATE_INFORMATION 3\t", "\tVERSION 2 4 7 9000", "DATE 2024 12 31 23 59 58",
                                   "PHASE B", "URL \"  http://example.org/a b.html  \" trailing", "ERROR 500"});
    EXPECT_EQ(info.signatureSeen, 1);
    EXPECT_EQ(info.formatNumber, 3);
    EXPECT_EQ((std::vector<int>{info.major, info.minor, info.revision, info.build}), (std::vector<int>{2, 4, 7, 9000}));
    EXPECT_EQ(info.releaseDate, fake->FromLocal({2024, 12, 31, 23, 59, 58}));
    EXPECT_EQ(info.phase, 1);
    EXPECT_EQ(info.link, "http://example.org/a b.html");
    EXPECT_EQ(info.errorSeen, 0);  // an ERROR line without 404

    EXPECT_EQ(Parse({"PHASE A"}).phase, 2);
    EXPECT_EQ(Parse({"PHASE B", "PHASE beta"}).phase, 0);
    EXPECT_EQ(Parse({"The server says ERROR 404: not found"}).errorSeen, 1);
    // Values that are no numbers read 0; missing ones too.
    const UpdateInfo odd = Parse({"VERSION two 5x"});
    EXPECT_EQ((std::vector<int>{odd.major, odd.minor, odd.revision, odd.build}), (std::vector<int>{0, 5, 0, 0}));
    // A URL line without its closing quote gives no link.
    EXPECT_EQ(Parse({"URL \"http://example.org"}).link, "");
    // The keyword is case-sensitive; other lines are ignored.
    EXPECT_EQ(Parse({"version 9 9 9", "# nothing here"}).major, 0);
}

TEST(UpdateInfoFile, TheFirstKeywordOfTheListDecides)
{
    ScopedFakeServices fake;
    // The signature holds "DATE" (in "UPDATE") and is tested first.
    EXPECT_EQ(Parse({"SOFTWARE_UPDATE_INFORMATION 1"}).releaseDate, 0);
    // A URL whose text holds "VERSION" is read as a version line.
    const UpdateInfo info = Parse({"URL \"http://example.org/VERSION 3\""});
    EXPECT_EQ(info.link, "");
    EXPECT_EQ(info.major, 3);
    EXPECT_EQ(Parse({"URL \"http://example.org/VERSION 3 1\""}).minor, 1);
}

TEST(UpdateInfoFile, VersionTextsAndComparison)
{
    UpdateInfo info;
    info.major = 2;
    info.minor = 1;
    info.revision = 3;
    EXPECT_EQ(UpdateVersionText(info), "2.1.3");
    info.build = 4512;
    EXPECT_EQ(UpdateVersionText(info), "2.1.3 build 4512");
    info.phase = 1;
    EXPECT_EQ(UpdateVersionText(info), "2.1 beta 3");
    info.phase = 2;
    EXPECT_EQ(UpdateVersionText(info), "2.1 alpha 3");

    UpdateInfo same;
    same.major = 2;
    same.revision = 1;
    same.build = 9000;
    EXPECT_FALSE(IsNewerVersion(same, "2.0.1", 9000));
    EXPECT_TRUE(IsNewerVersion(same, "2.0.1", 8999));
    EXPECT_FALSE(IsNewerVersion(same, "2.0.2", 1));
    same.revision = 0;
    EXPECT_FALSE(IsNewerVersion(same, "2.0.1", 0));
    same.minor = 1;
    EXPECT_TRUE(IsNewerVersion(same, "2.0.1", 99999));
    // Any beta or alpha is announced, whatever its number.
    UpdateInfo beta;
    beta.phase = 1;
    EXPECT_TRUE(IsNewerVersion(beta, "2.0.1", 100));
    // Huge numbers do not wrap round.
    UpdateInfo huge;
    huge.major = 2147483647;
    huge.minor = 2147483647;
    EXPECT_TRUE(IsNewerVersion(huge, "2.0.1", 0));
}

TEST(UpdateInfoFile, AddressesGetAScheme)
{
    EXPECT_EQ(CompleteUpdateUrl("www.example.org/v.txt"), "http://www.example.org/v.txt");
    EXPECT_EQ(CompleteUpdateUrl("http://www.example.org/v.txt"), "http://www.example.org/v.txt");
    EXPECT_EQ(CompleteUpdateUrl("HTTPS://www.example.org/v.txt"), "HTTPS://www.example.org/v.txt");
}

TEST_F(UpdateCheck, FetchResults)
{
    UpdateInfo info;
    fake_->SetHttpResponse(kUrl, Page(200, kGoodFile));
    EXPECT_EQ(FetchUpdateInfo(kUrl, info), kUpdateInfoFound);
    EXPECT_EQ(info.build, 10500);
    EXPECT_EQ(info.link, "http://www.orlune-software.example/news.html");
    EXPECT_EQ(fake_->httpRequests.back().timeoutMs, kUpdateFetchTimeoutMs);
    EXPECT_EQ(fake_->waitCursorDepth, 0);
    EXPECT_GE(fake_->waitCursorBegins, 1);

    // A file without the signature holds no information, even with a version line.
    fake_->SetHttpResponse(kUrl, Page(200, "VERSION 9 0 0 0\n"));
    EXPECT_EQ(FetchUpdateInfo(kUrl, info), kUpdateNoInformation);
    // A server page saying 404 with a 200 status.
    fake_->SetHttpResponse(kUrl, Page(200, "SOFTWARE_UPDATE_INFORMATION 1\n<h1>ERROR 404</h1>\n"));
    EXPECT_EQ(FetchUpdateInfo(kUrl, info), kUpdatePageNotFound);
    // Statuses from 300 up are the result; the record from an earlier fetch does not stay.
    fake_->SetHttpResponse(kUrl, Page(404, kGoodFile));
    EXPECT_EQ(FetchUpdateInfo(kUrl, info), 404);
    EXPECT_EQ(info.signatureSeen, 0);
    fake_->SetHttpResponse(kUrl, Page(503, ""));
    EXPECT_EQ(FetchUpdateInfo(kUrl, info), 503);
    fake_->SetHttpResponse(kUrl, Failure(HttpFailure::Timeout));
    EXPECT_EQ(FetchUpdateInfo(kUrl, info), kUpdateNoConnection);
    fake_->SetHttpResponse(kUrl, Failure(HttpFailure::HostNotFound));
    EXPECT_EQ(FetchUpdateInfo(kUrl, info), kUpdateNoConnection);
    fake_->SetHttpResponse(kUrl, Failure(HttpFailure::InvalidUrl));
    EXPECT_EQ(FetchUpdateInfo(kUrl, info), kUpdatePageNotFound);

    // An address without scheme is fetched over http.
    fake_->SetHttpResponse("http://example.org/v.txt", Page(200, kGoodFile));
    EXPECT_EQ(FetchUpdateInfo("example.org/v.txt", info), kUpdateInfoFound);
    EXPECT_EQ(fake_->waitCursorDepth, 0);
}

TEST_F(UpdateCheck, NewerVersionIsAnnouncedInQuietAndInteractiveRuns)
{
    fake_->SetHttpResponse(kUrl, Page(200, kGoodFile));
    EXPECT_EQ(CheckForSoftwareUpdate(0, hooks_), kUpdateInfoFound);
    ASSERT_EQ(notices_.size(), 1u);
    const NewVersionNotice& notice = notices_[0];
    EXPECT_EQ(notice.currentVersion, "2.0.1 build 10400");
    const DateTimeFields built = fake_->ToLocal(1'700'000'000);
    EXPECT_EQ(notice.currentDate, std::to_string(built.day) + "/" + std::to_string(built.month) + "/" +
                                      std::to_string(built.year) + " @ " + std::to_string(built.hour) + " h " +
                                      std::to_string(built.minute) + " min " + std::to_string(built.second) + " s");
    EXPECT_EQ(notice.availableVersion, "2.1.0 build 10500");
    EXPECT_EQ(notice.availableDate, "14/03/2025 @ 09 h 30 min 05 sec");
    EXPECT_EQ(notice.link, "http://www.orlune-software.example/news.html");
    EXPECT_TRUE(fake_->messageBoxes.empty());
    EXPECT_NE(Traces().find("New Software Update available. Version: 2.1.0 build 10500. Date: 14/03/2025 @ 09 h 30 "
                            "min 05 sec."),
              std::string::npos);
    EXPECT_NE(Traces().find("Checking for software update at URL : " + std::string(kUrl)), std::string::npos);

    CheckForSoftwareUpdate(1, hooks_);
    EXPECT_EQ(notices_.size(), 2u);
    EXPECT_TRUE(fake_->messageBoxes.empty());
}

TEST_F(UpdateCheck, OnlyAnAnsweredCheckSaysUpToDate)
{
    // The same version and build: up to date, said only when asked.
    fake_->SetHttpResponse(kUrl, Page(200, "SOFTWARE_UPDATE_INFORMATION 1\nVERSION 2 0 1 10400\n"));
    EXPECT_EQ(CheckForSoftwareUpdate(0, hooks_), kUpdateInfoFound);
    EXPECT_TRUE(fake_->messageBoxes.empty());
    CheckForSoftwareUpdate(1, hooks_);
    EXPECT_EQ(Icons(), (std::vector<unsigned>{MB_ICONINFORMATION}));
    EXPECT_NE(Traces().find("Current Software is up to date. No need to upgrade."), std::string::npos);

    // Each failure has its own warning; none is reported as up to date.
    const std::pair<HttpResponse, std::string> failures[] = {
        {Failure(HttpFailure::ConnectionFailed), "no Internet connexion."},
        {Page(200, "<html>ERROR 404</html>"), "Bad URL (error 404)."},
        {Page(200, "nothing useful"), "No update info in file."},
        {Page(404, "Not found"), "QueryInfoStatusCode returned error code 404"},
    };
    for (const auto& [response, trace] : failures) {
        fake_->messageBoxes.clear();
        fake_->SetHttpResponse(kUrl, response);
        CheckForSoftwareUpdate(1, hooks_);
        EXPECT_EQ(Icons(), (std::vector<unsigned>{MB_ICONWARNING})) << trace;
        EXPECT_NE(fake_->messageBoxes.at(0).text.find("ERREUR"), std::string::npos) << trace;
        EXPECT_NE(Traces().find(trace), std::string::npos) << trace;
    }
    EXPECT_TRUE(notices_.empty());
}

TEST_F(UpdateCheck, TheAddressComesFromTheSettings)
{
    profile_->WriteString(kSoftwareUpdateSection, "UpdateInfoUrl", "mirror.example.org/v.txt");
    fake_->SetHttpResponse("http://mirror.example.org/v.txt", Page(200, kGoodFile));
    EXPECT_EQ(CheckForSoftwareUpdate(0, hooks_), kUpdateInfoFound);
    EXPECT_EQ(notices_.size(), 1u);

    profile_->WriteString(kSoftwareUpdateSection, "UpdateInfoUrl", "");
    EXPECT_EQ(CheckForSoftwareUpdate(1, hooks_), -1);
    EXPECT_TRUE(fake_->httpRequests.size() == 1);
    EXPECT_EQ(Icons(), (std::vector<unsigned>{MB_ICONERROR}));
    EXPECT_NE(Traces().find("no URL to look at."), std::string::npos);
}

#pragma once
// The check for a newer version of the program: the version-information file on the
// maker's web server is fetched over HTTP, read line by line and compared with the running
// version. The texts and choices live here; the windows (the notice of a new version) are
// reached through hooks.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// What the version-information file says.
struct UpdateInfo {
    int major = 0;
    int minor = 0;
    int revision = 0;
    int build = 0;
    int phase = 0;               // 0 release, 1 beta, 2 alpha
    std::int64_t releaseDate = 0;
    int signatureSeen = 0;
    int formatNumber = 0;        // read, not used
    std::string link;            // the page that describes the new version
    int errorSeen = 0;           // the server's page says "ERROR ... 404"
};

// Results of FetchUpdateInfo; any value from 300 up is the server's HTTP status.
enum : int {
    kUpdateInfoFound = 0,
    kUpdateNoConnection = 1,
    kUpdatePageNotFound = 2,
    kUpdateNoInformation = 3,
};

inline constexpr const char* kSoftwareUpdateSection = "Options\\SoftwareUpdate";
inline constexpr const char* kDefaultUpdateInfoUrl = "http://www.orlune-software.example/download/horavelver.txt";
inline constexpr int kUpdateFetchTimeoutMs = 20000;

// Handles one line of the file (trimmed of blanks and tabs; the first keyword found in it
// decides).
void ParseUpdateInfo(UpdateInfo& info, std::string_view line);

// "2.1.3", "2.1.3 build 4512", "2.2 beta 1".
std::string UpdateVersionText(const UpdateInfo& info);

// Whether the record announces a version newer than the running one: any beta or alpha, or
// a release with a greater version number, or the same number with a greater build.
// runningVersion is "major.minor.revision".
bool IsNewerVersion(const UpdateInfo& info, std::string_view runningVersion, int runningBuild);

// The address as fetched: "http://" put in front of an address given without a scheme.
std::string CompleteUpdateUrl(std::string url);

// Fetches the file at url (through the desktop services' HTTP, behind a wait cursor) and
// reads it into info; returns one of the results above.
int FetchUpdateInfo(const std::string& url, UpdateInfo& info, int timeoutMs = kUpdateFetchTimeoutMs);

// What the notice of a new version shows.
struct NewVersionNotice {
    std::string currentVersion;
    std::string currentDate;
    std::string availableVersion;
    std::string availableDate;
    std::string link;
};

struct SoftwareUpdateHooks {
    std::string runningVersion;                   // the application's version text, "2.0.1"
    int runningBuild = 0;
    std::optional<std::int64_t> programFileTime;  // when the program file was last written
    std::function<void(const NewVersionNotice&)> announce;
    int timeoutMs = kUpdateFetchTimeoutMs;
};

// The whole check: the address from the settings ("UpdateInfoUrl"), the fetch, the
// comparison and the report: trace lines always, message boxes when interactive, and the
// notice of a new version in both cases. Returns the fetch's result (-1 with no address).
int CheckForSoftwareUpdate(int interactive, const SoftwareUpdateHooks& hooks);

// "%d/%m/%Y @ %H h %M min %S sec" of a local time.
std::string FormatUpdateDate(std::int64_t unixSeconds);
